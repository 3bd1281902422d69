// What taking icons out of programs costs, against icoutils, the tools people use for it today.
// Run: build/bench/pelorin_bench --benchmark_filter=Icoutils
// All on every program and library (.exe and .dll) of Wine's 64-bit folder (bench/Shell32.h:
// Debian's libwine package, or the folder of $PELORIN_SHELL32; bench/extract/unpack-wine.sh unpacks
// the package without installing it): 647 files, 611 MiB, 225 icon groups and 38 cursor groups in
// Debian 12's Wine 8.0. Each iteration runs both commands one after the other, so that both meet
// the same load; the counters are the mean seconds of each and their ratio ("times_faster", the
// peer's time over Pelorin's). Output goes to empty scratch folders in the temporary folder
// (second argument 0) or in memory, /dev/shm (1): on a disk every new file costs both tools the
// file system's price of creating it (about a millisecond each on these shared machines), in
// memory what is left is the tools' own work.
//   BM_VersusIcoutils/0/*: every group written as a file, one invocation each way:
//     `pelorin-extract -o DIR FILE...` against `wrestool -x --type=14 -o DIR FILE...` (which
//     writes the 225 icon groups only, Pelorin the cursor groups too). Target: at least 10 times
//     faster.
//   BM_VersusIcoutils/1/*: every image as PNG: `pelorin-extract --png -o DIR FILE...` against
//     `wrestool -x --type=14` followed by `icotool -x` on the icon files it wrote.
//   BM_VersusIcoutils/2/0: the listing: `pelorin-extract -l FILE...` against `wrestool -l
//     FILE...`. Target: at least 5 times faster.
//   BM_PeakMemoryOfAPaddedProgram: the peak resident memory of taking the icons out of Wine's
//     winemine.exe as it is and padded to 300 MB after its end (as installers carry their
//     payload), Pelorin's and wrestool's, in KiB, as GNU time reports them. Target: Pelorin's
//     padded within 2 MB of its unpadded.
// Skipped when the folder or icoutils (apt-get install icoutils) is missing.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Processes.h"
#include "Shell32.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

// The programs and libraries of the Wine folder, in name order.
std::vector<std::string> WineFiles() {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(Shell32Folder(), ec)) {
    const std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() && (extension == ".exe" || extension == ".dll"))
      files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> Joined(std::vector<std::string> head,
                                const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

std::string Quoted(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += " '" + w + "'";
  return text;
}

// Why the comparison cannot run, or empty.
std::string Missing() {
  if (std::string missing = Shell32Missing(); !missing.empty()) return missing;
  if (RunProgram({"wrestool", "--version"}).status != 0 ||
      RunProgram({"icotool", "--version"}).status != 0)
    return "no wrestool or icotool (apt-get install icoutils)";
  return {};
}

// Empties a folder and writes its file system's pending changes out (between runs, outside the
// timing): each run starts on a quiet file system, not behind the removal of the last one's
// files.
void Empty(const std::string& folder) {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) fs::remove_all(entry.path(), ec);
  if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
    ::syncfs(fd);
    ::close(fd);
  }
}

void BM_VersusIcoutils(benchmark::State& state) {
  if (const std::string missing = Missing(); !missing.empty()) {
    state.SkipWithError(missing.c_str());
    return;
  }
  const bool in_memory = state.range(1) == 1;
  if (in_memory && !fs::is_directory("/dev/shm")) {
    state.SkipWithError("no /dev/shm");
    return;
  }
  const std::vector<std::string> files = WineFiles();
  const Scratch ours(in_memory), theirs(in_memory), pngs(in_memory);
  std::vector<std::string> pelorin, icoutils;
  switch (state.range(0)) {
    case 0:
      pelorin = Joined({PELORIN_EXTRACTOR, "-o", ours.path}, files);
      icoutils = Joined({"wrestool", "-x", "--type=14", "-o", theirs.path}, files);
      break;
    case 1:
      pelorin = Joined({PELORIN_EXTRACTOR, "--png", "-o", ours.path}, files);
      icoutils = {"/bin/sh", "-c",
                  "wrestool -x --type=14 -o '" + theirs.path + "'" + Quoted(files) +
                      " && icotool -x -o '" + pngs.path + "' '" + theirs.path + "'/*.ico"};
      break;
    default:
      pelorin = Joined({PELORIN_EXTRACTOR, "-l"}, files);
      icoutils = Joined({"wrestool", "-l"}, files);
      break;
  }
  const auto run = [&](const std::vector<std::string>& command) {
    Empty(ours.path);
    Empty(theirs.path);
    Empty(pngs.path);
    return RunProgram(command);
  };
  // A first run of each, outside the timing, fills the page cache and checks they work.
  if (run(pelorin).status != 0 || run(icoutils).status < 0) {
    state.SkipWithError("a command failed");
    return;
  }
  double pelorin_seconds = 0;
  double icoutils_seconds = 0;
  for (auto _ : state) {
    pelorin_seconds += run(pelorin).seconds;
    icoutils_seconds += run(icoutils).seconds;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["pelorin_s"] = pelorin_seconds / n;
  state.counters["icoutils_s"] = icoutils_seconds / n;
  state.counters["times_faster"] = icoutils_seconds / pelorin_seconds;
}
BENCHMARK(BM_VersusIcoutils)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The peak resident memory of a command in KiB, as GNU time reports it (a program started from
// this process would count this process's own memory in its peak); 0 when it cannot be had.
long PeakKiB(const std::string& scratch, std::vector<std::string> command) {
  const std::string report = scratch + "/peak";
  command.insert(command.begin(), {"/usr/bin/time", "-f", "%M", "-o", report});
  if (RunProgram(command).status < 0) return 0;
  std::ifstream in(report);
  long kib = 0;
  in >> kib;
  return kib;
}

void BM_PeakMemoryOfAPaddedProgram(benchmark::State& state) {
  if (const std::string missing = Missing(); !missing.empty()) {
    state.SkipWithError(missing.c_str());
    return;
  }
  const Scratch scratch;
  const std::string program = Shell32Folder() + "winemine.exe";
  const std::string padded = scratch.path + "/winemine.exe";
  std::error_code ec;
  fs::copy_file(program, padded, ec);
  if (!ec) fs::resize_file(padded, std::uintmax_t{300} << 20, ec);
  if (ec) {
    state.SkipWithError(("cannot make the padded copy: " + ec.message()).c_str());
    return;
  }
  const std::string out = scratch.path + "/out";
  fs::create_directory(out);
  const auto peak = [&](std::vector<std::string> command) {
    Empty(out);
    return static_cast<double>(PeakKiB(scratch.path, std::move(command)));
  };
  if (peak({"true"}) == 0) {
    state.SkipWithError("no GNU time at /usr/bin/time (apt-get install time)");
    return;
  }
  for (auto _ : state) {
    state.counters["pelorin_KiB"] = peak({PELORIN_EXTRACTOR, "-o", out, program});
    state.counters["pelorin_padded_KiB"] = peak({PELORIN_EXTRACTOR, "-o", out, padded});
    state.counters["wrestool_KiB"] = peak({"wrestool", "-x", "--type=14", "-o", out, program});
    state.counters["wrestool_padded_KiB"] =
        peak({"wrestool", "-x", "--type=14", "-o", out, padded});
  }
}
BENCHMARK(BM_PeakMemoryOfAPaddedProgram)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace pelorin
