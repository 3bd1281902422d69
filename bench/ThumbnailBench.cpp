// What a thumbnail costs. Run: build/bench/pelorin_bench --benchmark_filter=Thumbnail
// All on Wine's 64-bit shell32.dll (bench/Shell32.h), at the desktop's normal size, 128: its
// first icon group's best image for that is a 256 x 256 PNG, decoded and scaled down.
//   BM_ThumbnailInProcess/<MiB>: the thumbnailer's work in this process: the file mapped, the
//     icon and image chosen, decoded, scaled and encoded as PNG. Target: under 3 milliseconds.
//   BM_ThumbnailProcess/<MiB>: pelorin-thumbnailer run as a desktop runs it, a process writing
//     the PNG file. Target: under 20 milliseconds.
//   <MiB> 0 is the library as it is; 512 is a copy padded to 512 MiB after its end (a sparse
//     file, as installers carry their payload after the program): the same time is the target.
//   BM_WithoutPelorin/<tool>: the same thumbnail made the way it is made without Pelorin, in the
//     same run for the ratio: icoutils' wrestool takes the first group out as an icon file, then
//     icotool writes its largest image as PNG (tool 0; unscaled, so it does less) or
//     ImageMagick's convert writes the image scaled to 128 x 128 (tool 1). Each is run as a
//     shell command, which adds about a millisecond of the shell's own. Skipped when icoutils
//     or ImageMagick is missing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Processes.h"
#include "Shell32.h"
#include "extract/PngWriter.h"
#include "extract/Thumbnail.h"
#include "files/MappedFile.h"

namespace pelorin {
namespace {

constexpr int kSize = 128;

// The library to thumbnail: shell32.dll itself, or a copy padded to `mib` MiB in `scratch`.
// Empty (and the benchmark skipped) when it is missing or cannot be copied.
std::string Library(benchmark::State& state, const Scratch& scratch, int mib) {
  if (const std::string missing = Shell32Missing(); !missing.empty()) {
    state.SkipWithError(missing.c_str());
    return {};
  }
  if (mib == 0) return Shell32Path();
  const std::string copy = scratch.path + "/padded.dll";
  std::error_code ec;
  std::filesystem::copy_file(Shell32Path(), copy, ec);
  if (!ec) std::filesystem::resize_file(copy, std::uintmax_t(mib) << 20, ec);
  if (ec) {
    state.SkipWithError(("cannot make the padded copy: " + ec.message()).c_str());
    return {};
  }
  return copy;
}

// Runs a program to its end; its exit status, or -1 when it could not be started.
int Run(const std::vector<std::string>& args) { return RunProgram(args).status; }

void BM_ThumbnailInProcess(benchmark::State& state) {
  const Scratch scratch;
  const std::string path = Library(state, scratch, static_cast<int>(state.range(0)));
  if (path.empty()) return;
  const auto once = [&]() -> std::size_t {
    const auto file = MappedFile::Open(path);
    if (!file) return 0;
    const auto thumbnail = MakeThumbnail(file->bytes(), kSize);
    if (!thumbnail) return 0;
    const auto png = EncodePng(*thumbnail);
    return png ? png->size() : 0;
  };
  if (once() == 0) {
    state.SkipWithError("no thumbnail of shell32.dll");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(once());
}
BENCHMARK(BM_ThumbnailInProcess)
    ->Arg(0)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ThumbnailProcess(benchmark::State& state) {
  const Scratch scratch;
  const std::string path = Library(state, scratch, static_cast<int>(state.range(0)));
  if (path.empty()) return;
  const std::vector<std::string> command = {PELORIN_THUMBNAILER, "-s", std::to_string(kSize), path,
                                            scratch.path + "/thumbnail.png"};
  if (Run(command) != 0) {
    state.SkipWithError("the thumbnailer makes no thumbnail of shell32.dll");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(Run(command));
}
BENCHMARK(BM_ThumbnailProcess)
    ->Arg(0)
    ->Arg(512)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The name of the first icon group as wrestool lists it ("--name='X'" or "--name=1").
std::string FirstGroupName(const std::string& library) {
  const std::string list = "wrestool -l --type=14 '" + library + "' 2>/dev/null";
  std::FILE* out = ::popen(list.c_str(), "r");
  if (out == nullptr) return {};
  char line[512] = {};
  const bool read = std::fgets(line, sizeof line, out) != nullptr;
  ::pclose(out);
  if (!read) return {};
  const std::string text = line;
  const std::size_t at = text.find("--name=");
  if (at == std::string::npos) return {};
  return text.substr(at, text.find(' ', at) - at);
}

void BM_WithoutPelorin(benchmark::State& state) {
  const Scratch scratch;
  const std::string path = Library(state, scratch, 0);
  if (path.empty()) return;
  const std::string name = FirstGroupName(path);
  if (name.empty()) {
    state.SkipWithError("no wrestool (apt-get install icoutils)");
    return;
  }
  const std::string icon = scratch.path + "/group.ico";
  const std::string png = scratch.path + "/thumbnail.png";
  const std::string extract = "wrestool -x --type=14 " + name + " -o " + icon + " '" + path + "'";
  const std::string convert = state.range(0) == 0
                                  ? "icotool -x --index=1 -o " + png + " " + icon
                                  : "convert '" + icon + "[0]' -resize " + std::to_string(kSize) +
                                        "x" + std::to_string(kSize) + " " + png;
  const std::vector<std::string> command = {"/bin/sh", "-c", extract + " && " + convert};
  if (Run(command) != 0) {
    state.SkipWithError(state.range(0) == 0 ? "icotool failed (apt-get install icoutils)"
                                            : "convert failed (apt-get install imagemagick)");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(Run(command));
}
BENCHMARK(BM_WithoutPelorin)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace pelorin
