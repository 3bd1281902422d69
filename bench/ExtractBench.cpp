// What the icon browser costs. Run: build/bench/pelorin_bench --benchmark_filter=Browser\|Count
//   BM_BrowserLoadShell32: the browser's load on Wine's 64-bit shell32.dll, all in the core:
//     mapping the file, counting every group, decoding every icon and drawing the whole grid.
//     Target: median under 10 milliseconds. Where the file comes from: bench/Shell32.h.
//     Without it the benchmark stops and says so.
//   BM_CountPeIcons/<MiB>: opening a library and counting its icons, for files of 1 MiB to 2 GiB
//     whose resources sit at the end (sparse files in the temporary folder), and for one whose
//     group directory claims 131,070 entries. Target: under 1 millisecond for any size.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Shell32.h"
#include "extract/FrmIcons.h"
#include "extract/IconLibrary.h"
#include "extract/LibraryBuilder.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

using namespace pelorin::testing;

void BM_BrowserLoadShell32(benchmark::State& state) {
  if (const std::string missing = Shell32Missing(); !missing.empty()) {
    state.SkipWithError(missing.c_str());
    return;
  }
  const std::string folder = Shell32Folder();
  FakePlatform platform;
  platform.system_directory = folder;
  platform.screen_bits = 32;
  {
    FrmIcons check(platform);
    check.Form_Load();
    if (check.LibraryPath() != folder + std::string(kSystemLibraryName)) {
      state.SkipWithError("shell32.dll holds no icons");
      return;
    }
    state.counters["icons"] = check.IconCount();
  }
  for (auto _ : state) {
    FrmIcons dialog(platform);
    dialog.Form_Load();
    benchmark::DoNotOptimize(dialog.PicIcons.raster().At(5, 5));
  }
}
BENCHMARK(BM_BrowserLoadShell32)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A library of four icons whose resource section starts `offset` bytes into the file.
std::string WriteLargeLibrary(std::uint64_t offset, bool claims_everything) {
  std::vector<LibraryIcon> icons;
  for (std::uint16_t k = 1; k <= 4; ++k) icons.push_back({"", k, {SolidImage(32, k)}});
  PeFile pe = BuildPeParts(IconResources(icons), true, offset);
  if (claims_everything) {
    // The group type's directory (second in the root) claims 65,535 named and 65,535 numbered
    // entries; the file's zeros after it make them fit.
    const std::size_t groups = pe.section[16 + 8 + 4] | pe.section[16 + 8 + 5] << 8;
    PutAt(pe.section, groups + 12, 0xFFFF, 2);
    PutAt(pe.section, groups + 14, 0xFFFF, 2);
    pe.section.resize(pe.section.size() + 131070 * 8 + 16, 0);
  }
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("pelorin-bench-" + std::to_string(::getpid()) + "-" +
                             std::to_string(offset) + (claims_everything ? "-all" : "") + ".dll"))
                               .string();
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(pe.headers.data()),
            static_cast<std::streamsize>(pe.headers.size()));
  out.seekp(static_cast<std::streamoff>(offset));
  out.write(reinterpret_cast<const char*>(pe.section.data()),
            static_cast<std::streamsize>(pe.section.size()));
  return out ? path : std::string();
}

void BM_CountPeIcons(benchmark::State& state) {
  const bool claims_everything = state.range(0) == 0;
  const std::uint64_t offset =
      claims_everything ? kPeSectionOffset : static_cast<std::uint64_t>(state.range(0)) << 20;
  const std::string path = WriteLargeLibrary(offset, claims_everything);
  if (path.empty()) {
    state.SkipWithError("cannot write the sparse file");
    return;
  }
  const int want = claims_everything ? 131070 : 4;
  if (IconLibrary::Open(path).Count() != want) {
    std::filesystem::remove(path);
    state.SkipWithError("the file does not count as built");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(IconLibrary::Open(path).Count());
  std::filesystem::remove(path);
}
BENCHMARK(BM_CountPeIcons)
    ->Arg(1)
    ->Arg(64)
    ->Arg(2048)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace pelorin
