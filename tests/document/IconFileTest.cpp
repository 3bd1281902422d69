// The bytes of the icon file the editor writes, and writing it without ever damaging a file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "document/IconFile.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    path_ = fs::temp_directory_path() /
            ("pelorin-iconfile-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

std::vector<std::uint8_t> Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(IconFile, HeadersAreTheSameConstantBytesInEveryFile) {
  const std::vector<std::uint8_t> expected = {
      0x00, 0x00, 0x01, 0x00, 0x01, 0x00,                                // directory
      0x20, 0x20, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00, 0xA8, 0x0C, 0x00,  // entry
      0x00, 0x16, 0x00, 0x00, 0x00,                                      //
      0x28, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00,  // image header
      0x00, 0x01, 0x00, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x0C, 0x00, 0x00, 0, 0,
      0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0};
  const auto headers = IconFileHeaders();
  EXPECT_EQ(std::vector<std::uint8_t>(headers.begin(), headers.end()), expected);
  Raster image(32, 32, 0x123456);
  Raster mask(32, 32, kBlack);
  const auto file = EncodeIcon(image, mask);
  ASSERT_EQ(file.size(), 3262u);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file.begin()));
}

TEST(IconFile, ATransparentDocumentHasZeroColoursAndAFullMask) {
  Raster image(32, 32, kBlack);
  image.SetPixel(4, 4, 0x00FF00);  // colour under a transparent mask is not written
  const auto file = EncodeIcon(image, Raster(32, 32, kWhite));
  for (std::size_t i = 62; i < 3134; ++i) ASSERT_EQ(file[i], 0) << i;
  for (std::size_t i = 3134; i < 3262; ++i) ASSERT_EQ(file[i], 0xFF) << i;
}

TEST(IconFile, ARedPixelAtTheTopLeftLandsInTheLastRows) {
  Raster image(32, 32, kBlack);
  Raster mask(32, 32, kWhite);
  image.SetPixel(0, 0, 0x0000FF);
  mask.SetPixel(0, 0, kBlack);
  // Opaque black and a mask that is not quite white are opaque too.
  mask.SetPixel(1, 31, kBlack);
  mask.SetPixel(2, 31, 0xFEFEFE);
  image.SetPixel(2, 31, 0x010203);
  const auto file = EncodeIcon(image, mask);
  EXPECT_EQ(file[3038], 0);    // blue
  EXPECT_EQ(file[3039], 0);    // green
  EXPECT_EQ(file[3040], 255);  // red
  EXPECT_EQ(file[3258], 0x7F);
  // Row 31 is the first stored row.
  EXPECT_EQ(file[62 + 3], 0);
  EXPECT_EQ(file[62 + 6], 0x01);  // blue first
  EXPECT_EQ(file[62 + 8], 0x03);
  EXPECT_EQ(file[3134], 0x9F);  // pixels 1 and 2 opaque: 1001 1111
}

TEST(IconFile, ReadsTheImageCountOfAFile) {
  TempFolder dir;
  for (const auto& [bytes, count] : {std::pair{std::vector<std::uint8_t>{0, 0, 1, 0, 3, 0}, 3},
                                     {{0, 0, 1, 0, 1, 0}, 1},
                                     {{0, 0, 1, 0, 0xFF, 0xFF}, -1}}) {
    std::ofstream(dir.File("c.ico"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 6);
    EXPECT_EQ(ReadImageCount(dir.File("c.ico")), count);
  }
  std::ofstream(dir.File("short.ico"), std::ios::binary) << "ab";
  EXPECT_EQ(ReadImageCount(dir.File("short.ico")), std::nullopt);
  EXPECT_EQ(ReadImageCount(dir.File("missing.ico")), std::nullopt);
}

TEST(IconFile, ReplacingKeepsPermissionsAndFollowsLinks) {
  TempFolder dir;
  const std::string target = dir.File("a.ico");
  std::ofstream(target) << "old content that is longer than the new one";
  ::chmod(target.c_str(), 0640);
  fs::create_symlink(target, dir.File("link.ico"));
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  ASSERT_EQ(ReplaceFile(dir.File("link.ico"), bytes), std::nullopt);
  EXPECT_EQ(Read(target), bytes);
  EXPECT_TRUE(fs::is_symlink(dir.File("link.ico")));
  struct stat st {};
  ::stat(target.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(target).parent_path()), {}), 2);
}

TEST(IconFile, AFailedWriteLeavesTheOldFileAsItWas) {
  TempFolder dir;
  const std::string target = dir.File("keep.ico");
  const std::vector<std::uint8_t> old(3262, 0xAB);
  ReplaceFile(target, old);
  // A file-size limit makes the write fail partway, as a full disk would.
  struct rlimit saved {};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const auto error = ReplaceFile(target, std::vector<std::uint8_t>(3262, 0x11));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);
  ASSERT_TRUE(error.has_value());
  EXPECT_FALSE(error->empty());
  EXPECT_EQ(Read(target), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(target).parent_path()), {}), 1);
}

TEST(IconFile, OpeningForWritingReportsWhatStandsInTheWay) {
  TempFolder dir;
  bool created = false;
  EXPECT_TRUE(OpenForWriting(dir.File("no/such/folder/a.ico"), created).has_value());
  fs::create_directory(dir.File("folder.ico"));
  EXPECT_TRUE(OpenForWriting(dir.File("folder.ico"), created).has_value());
  EXPECT_EQ(OpenForWriting(dir.File("new.ico"), created), std::nullopt);
  EXPECT_TRUE(created);
  EXPECT_EQ(OpenForWriting(dir.File("new.ico"), created), std::nullopt);
  EXPECT_FALSE(created);
}

}  // namespace
}  // namespace pelorin
