// pelorin-thumbnailer: see thumbnailer/ThumbnailerCommand.h.
#include <cstdio>
#include <string>
#include <vector>

#include "thumbnailer/ThumbnailerCommand.h"

int main(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string message;
  const int status = pelorin::RunThumbnailer(args, message);
  std::fputs(message.c_str(), stderr);
  return status;
}
