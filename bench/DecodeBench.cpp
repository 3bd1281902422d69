// What decoding an icon costs. Run: build/bench/pelorin_bench --benchmark_filter=Decode
//   BM_DecodeFile/<file>: the whole file parsed, the image chosen and decoded, for every .ico and
//     .cur of the test data. Target: a file whose chosen image is a 32 x 32 BMP under 5
//     microseconds (median).
//   BM_DecodePng256: the 256 x 256 PNG image of nsis3-install.ico decoded and scaled to 32 x 32.
//     Target: under 2 milliseconds (median).
//   BM_ReadPaddedIconFile/<MiB>: the 24-bit 32 x 32 icon of the test data read from disk after
//     being padded to 0, 8 and 64 MiB (sparse files in the temporary folder). Target: the same
//     time for every size (opening reads the directory and the chosen image only).
//   BM_OpenPaddedIconFile/<MiB>: the same files opened as the File menu opens them (the main
//     window's open routine: the file read, the document reset, the picture and its count taken).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "extract/IconDecoder.h"
#include "extract/ReadIconFile.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

// The shared test data sits beside the repository (tests get PELORIN_TESTDATA_DIR from CMake; the
// benchmark finds it from this file's path, or from $PELORIN_TESTDATA).
std::string TestdataDir() {
  if (const char* dir = std::getenv("PELORIN_TESTDATA")) return dir;
  std::string here = __FILE__;  // <repository>/bench/DecodeBench.cpp
  here.erase(here.find_last_of('/'));
  here.erase(here.find_last_of('/'));
  return here + "/../shared/testdata";
}

std::vector<std::uint8_t> Load(const std::string& relative) {
  std::ifstream in(TestdataDir() + "/" + relative, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void BM_DecodeFile(benchmark::State& state, const char* relative) {
  const std::vector<std::uint8_t> file = Load(relative);
  if (!DecodeIconFile(file, 32)) {
    state.SkipWithError("the file does not decode");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(DecodeIconFile(file, 32));
}

#define PELORIN_DECODE_FILE(name, path) \
  BENCHMARK_CAPTURE(BM_DecodeFile, name, path)->Repetitions(5)->ReportAggregatesOnly(true)

PELORIN_DECODE_FILE(bmp1_32x32, "ico/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.ico");
PELORIN_DECODE_FILE(bmp4_32x32, "ico/mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.ico");
PELORIN_DECODE_FILE(bmp8_32x32, "ico/mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.ico");
PELORIN_DECODE_FILE(bmp24_32x32, "ico/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.ico");
PELORIN_DECODE_FILE(bmp32_32x32, "ico/mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.ico");
PELORIN_DECODE_FILE(bmp8_24x14,
                    "ico/mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.ico");
PELORIN_DECODE_FILE(png_32x32, "ico/image-rs/png-32bpp-alpha.ico");
PELORIN_DECODE_FILE(nine_entries, "ico/image-rs/multiple_entries_with_different_bit_depth.ico");
PELORIN_DECODE_FILE(six_entries_with_png, "ico/nsis/nsis3-install.ico");
PELORIN_DECODE_FILE(cursor_32x32, "cur/pillow/deerstalker.cur");

void BM_DecodePng256(benchmark::State& state) {
  const std::vector<std::uint8_t> file = Load("ico/nsis/nsis3-install.ico");
  const auto entries = ReadIconDirectory(file);
  if (!entries || entries->size() < 3) {
    state.SkipWithError("nsis3-install.ico is not as expected");
    return;
  }
  const auto image = EntryImageData(file, (*entries)[2]);  // 256 x 256 PNG
  const auto facts = InspectIconImage(image);
  if (!facts || !facts->png || facts->width != 256 || !DecodeIconImage(image)) {
    state.SkipWithError("entry 2 is not a decodable 256 x 256 PNG");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(DecodeIconImage(image));
}
BENCHMARK(BM_DecodePng256)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The 24-bit 32 x 32 icon of the test data padded to `mib` MiB in the temporary folder (a sparse
// file); removed when it goes.
class PaddedIcon {
 public:
  explicit PaddedIcon(int mib)
      : path_(std::filesystem::temp_directory_path() /
              ("pelorin-bench-padded-" + std::to_string(mib))) {
    const std::vector<std::uint8_t> icon =
        Load("ico/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.ico");
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(icon.data()),
               static_cast<std::streamsize>(icon.size()));
    std::error_code ec;
    std::filesystem::resize_file(path_, icon.size() + (std::uintmax_t(mib) << 20), ec);
    ok_ = !ec && ReadIconFile(path_.string(), 32).has_value();
  }
  ~PaddedIcon() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  PaddedIcon(const PaddedIcon&) = delete;
  PaddedIcon& operator=(const PaddedIcon&) = delete;

  bool ok() const { return ok_; }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  bool ok_ = false;
};

void BM_ReadPaddedIconFile(benchmark::State& state) {
  const PaddedIcon file(static_cast<int>(state.range(0)));
  if (!file.ok()) {
    state.SkipWithError("cannot write or read the padded icon");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(ReadIconFile(file.path(), 32));
}
BENCHMARK(BM_ReadPaddedIconFile)
    ->Arg(0)
    ->Arg(8)
    ->Arg(64)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OpenPaddedIconFile(benchmark::State& state) {
  const PaddedIcon file(static_cast<int>(state.range(0)));
  if (!file.ok()) {
    state.SkipWithError("cannot write or read the padded icon");
    return;
  }
  FakePlatform platform;
  FakeWindowHost host;
  frmMain form(platform, host, {});
  form.Form_Load();
  for (auto _ : state) {
    form.files().Open(file.path());
    benchmark::DoNotOptimize(form.doc().PicImage().raster().Row(0));
  }
}
BENCHMARK(BM_OpenPaddedIconFile)
    ->Arg(0)
    ->Arg(64)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace pelorin
