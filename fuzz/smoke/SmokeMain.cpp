// A short, bounded run of one fuzz target without libFuzzer, so that every build's test command
// exercises the readers on damaged input: each seed file as it is, then mutations of the seeds
// (flipped bits and bytes, cut-off ends, spliced blocks, large counts written over fields) for
// a fixed number of seconds. A fault shows as a crash, or as a sanitizer report in the sanitizer
// build.
//
//   <Name>Smoke <seconds> <seed list file> <sample folder>
//
// Seeds are the inputs of past findings kept in fuzz/found/<Name>/, and the files of the folders
// the list names under the sample folder (none when it is missing: the run then mutates the
// findings, a few bytes of nothing and small made-up inputs).
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

void LoadFolder(const std::filesystem::path& dir, std::vector<Bytes>& seeds) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir, ec)) {
    if (!entry.is_regular_file(ec) || entry.file_size(ec) > (4u << 20)) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
}

// The inputs of past findings (fuzz/found/<Name>/, beside the list) first, then the sample
// folders the list names.
std::vector<Bytes> LoadSeeds(const std::filesystem::path& list, const std::filesystem::path& data) {
  std::vector<Bytes> seeds;
  LoadFolder(list.parent_path() / "found" / list.stem(), seeds);
  std::ifstream names(list);
  std::string folder;
  while (std::getline(names, folder)) {
    if (!folder.empty()) LoadFolder(data / folder, seeds);
  }
  return seeds;
}

void Run(const Bytes& input) {
  // An empty vector has no data pointer; libFuzzer never passes null either.
  static const std::uint8_t kNothing = 0;
  LLVMFuzzerTestOneInput(input.empty() ? &kNothing : input.data(), input.size());
}

Bytes Mutate(Bytes input, std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 5);
  const auto at = [&](std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
  };
  const int mutations = 1 + static_cast<int>(random() % 8);
  for (int m = 0; m < mutations; ++m) {
    if (input.empty()) input.push_back(static_cast<std::uint8_t>(random()));
    switch (kind(random)) {
      case 0:
        input[at(input.size())] ^= static_cast<std::uint8_t>(1u << (random() % 8));
        break;
      case 1:
        input[at(input.size())] = static_cast<std::uint8_t>(random());
        break;
      case 2:
        input.resize(at(input.size()) + 1);
        break;
      case 3: {
        // A large or extreme little-endian value over a field.
        static const std::uint32_t kValues[] = {0,      1,          0x7FFF,     0x8000,
                                                0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        const std::uint32_t v = kValues[random() % 8];
        const std::size_t p = at(input.size());
        for (int b = 0; b < 4 && p + b < input.size(); ++b)
          input[p + b] = static_cast<std::uint8_t>(v >> (8 * b));
        break;
      }
      case 4: {
        // A block of the input copied over another place of it.
        const std::size_t from = at(input.size());
        const std::size_t to = at(input.size());
        const std::size_t length = 1 + random() % 64;
        for (std::size_t k = 0; k < length && from + k < input.size() && to + k < input.size(); ++k)
          input[to + k] = input[from + k];
        break;
      }
      default:
        input.insert(input.begin() + static_cast<std::ptrdiff_t>(at(input.size())),
                     static_cast<std::uint8_t>(random()));
        break;
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <seconds> <seed list> <sample folder>\n", argv[0]);
    return 2;
  }
  const double seconds = std::atof(argv[1]);
  // The sample folder named when the tests run wins over the one found when they were built.
  const char* data = std::getenv("PELORIN_TESTDATA");
  std::vector<Bytes> seeds = LoadSeeds(argv[2], data != nullptr && *data != '\0' ? data : argv[3]);
  for (const Bytes& seed : seeds) Run(seed);
  seeds.push_back({});
  seeds.push_back({'M', 'Z'});
  seeds.push_back({'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'C', 'O', 'N'});
  seeds.push_back({0, 0, 1, 0, 1, 0});
  std::mt19937 random(12345);
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  long runs = 0;
  while (std::chrono::steady_clock::now() < end) {
    Run(Mutate(seeds[random() % seeds.size()], random));
    ++runs;
  }
  std::printf("%zu seeds, %ld mutated inputs\n", seeds.size() - 4, runs);
  return 0;
}
