// pelorin-extract: see extractor/ExtractorCommand.h.
#include <iostream>
#include <string>
#include <vector>

#include "extractor/ExtractorCommand.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return pelorin::RunExtractor(args, std::cout, std::cerr);
}
