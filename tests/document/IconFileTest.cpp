// The bytes of the icon file the editor writes, and writing it without ever damaging a file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "base/SystemError.h"
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

// The temporary file beside the target has a name of its own length, so the longest names a
// folder can hold (255 bytes) save too.
TEST(IconFile, TheLongestFileNamesCanBeReplaced) {
  TempFolder dir;
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  for (const std::size_t length : {248u, 250u, 255u}) {
    const std::string target = dir.File(std::string(length - 4, 'n') + ".ico");
    ASSERT_EQ(ReplaceFile(target, bytes), std::nullopt) << length;
    ASSERT_EQ(ReplaceFile(target, bytes), std::nullopt) << length;  // over the file now there
    EXPECT_EQ(Read(target), bytes);
  }
  // A name of several-byte characters, 255 bytes in all.
  std::string chinese;
  while (chinese.size() + 3 <= 251) chinese += "图";
  const std::string target = dir.File(chinese + std::string(251 - chinese.size(), 'x') + ".ico");
  EXPECT_EQ(ReplaceFile(target, bytes), std::nullopt);
  EXPECT_EQ(Read(target), bytes);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(target).parent_path()), {}), 4);
}

// A link keeps pointing where it did, also when nothing is there yet; a loop is refused and both
// links stay as they were.
TEST(IconFile, DanglingLinksAndLoopsAreNeverReplacedByAFile) {
  TempFolder dir;
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  fs::create_symlink("made-by-save.ico", dir.File("dangling.ico"));
  bool created = false;
  EXPECT_EQ(OpenForWriting(dir.File("dangling.ico"), created), std::nullopt);
  EXPECT_TRUE(created);
  RemoveCreatedFile(dir.File("dangling.ico"));
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling.ico")));
  EXPECT_FALSE(fs::exists(dir.File("made-by-save.ico")));
  ASSERT_EQ(ReplaceFile(dir.File("dangling.ico"), bytes), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(dir.File("dangling.ico")));
  EXPECT_EQ(fs::read_symlink(dir.File("dangling.ico")), "made-by-save.ico");
  EXPECT_EQ(Read(dir.File("made-by-save.ico")), bytes);
  // A chain of links, the last one dangling into a subfolder.
  fs::create_directory(dir.File("sub"));
  fs::create_symlink("sub/inner.ico", dir.File("outer.ico"));
  fs::create_symlink("../final.ico", dir.File("sub/inner.ico"));
  ASSERT_EQ(ReplaceFile(dir.File("outer.ico"), bytes), std::nullopt);
  EXPECT_EQ(Read(dir.File("final.ico")), bytes);
  EXPECT_TRUE(fs::is_symlink(dir.File("outer.ico")) && fs::is_symlink(dir.File("sub/inner.ico")));

  fs::create_symlink("b.ico", dir.File("a.ico"));
  fs::create_symlink("a.ico", dir.File("b.ico"));
  for (const char* name : {"a.ico", "b.ico"}) {
    EXPECT_EQ(OpenForWriting(dir.File(name), created), DescribeSystemError(ELOOP));
    EXPECT_EQ(ReplaceFile(dir.File(name), bytes), DescribeSystemError(ELOOP));
  }
  EXPECT_EQ(fs::read_symlink(dir.File("a.ico")), "b.ico");
  EXPECT_EQ(fs::read_symlink(dir.File("b.ico")), "a.ico");
}

// Renaming over a read-only file works in a folder the user may write; the writer must not do
// it. Runs as an ordinary user in a child process, since the superuser may write anything.
TEST(IconFileDeathTest, AReadOnlyFileInAWritableFolderIsNotReplaced) {
  TempFolder dir;
  const std::string target = dir.File("read-only.ico");
  const std::vector<std::uint8_t> old = {9, 9, 9};
  std::ofstream(target, std::ios::binary).write("\x09\x09\x09", 3);
  ::chmod(target.c_str(), 0444);
  ::chmod(fs::path(target).parent_path().c_str(), 0777);
  auto run = [&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(3);
    bool created = false;
    const auto refused = ReplaceFile(target, std::vector<std::uint8_t>{1, 2, 3});
    const auto checked = OpenForWriting(target, created);
    const std::string denied = DescribeSystemError(EACCES);
    std::_Exit(refused == denied && checked == denied ? 0 : 1);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Read(target), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(target).parent_path()), {}), 1);
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

// A save never puts a plain file in the place of a device or a pipe, nor writes into one: whatever
// stands there, reached directly or through a link, is refused and stays as it was. Nothing
// waits for the other end of a pipe.
TEST(IconFile, DevicesAndPipesAreRefusedAndLeftAsTheyWere) {
  TempFolder dir;
  const std::string pipe = dir.File("pipe.ico");
  const std::string read_pipe = dir.File("read-pipe.ico");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
  ASSERT_EQ(::mkfifo(read_pipe.c_str(), 0666), 0);
  const int reader = ::open(read_pipe.c_str(), O_RDONLY | O_NONBLOCK);  // writing would work
  ASSERT_GE(reader, 0);
  fs::create_symlink(read_pipe, dir.File("link.ico"));
  const std::string device = "这是设备，不是普通文件";
  const std::string fifo = "这是管道，不是普通文件";
  struct Case {
    std::string path, why;
    bool replace;  // also try ReplaceFile (never on the system's own /dev/null)
  };
  std::vector<Case> cases = {{"/dev/null", device, false},
                             {pipe, fifo, true},
                             {read_pipe, fifo, true},
                             {dir.File("link.ico"), fifo, true}};
  // A copy of /dev/null, where the system lets us make one.
  if (::mknod(dir.File("null.ico").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
    cases.push_back({dir.File("null.ico"), device, true});
  for (const Case& c : cases) {
    struct stat before {};
    ASSERT_EQ(::stat(c.path.c_str(), &before), 0);
    bool created = true;
    EXPECT_EQ(OpenForWriting(c.path, created), c.why) << c.path;
    EXPECT_FALSE(created);
    if (c.replace) {
      EXPECT_EQ(ReplaceFile(c.path, std::vector<std::uint8_t>{1, 2, 3}), c.why);
    }
    struct stat after {};
    ASSERT_EQ(::stat(c.path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << c.path;
    EXPECT_EQ(after.st_mode, before.st_mode) << c.path;
  }
  ::close(reader);
  EXPECT_TRUE(fs::is_symlink(dir.File("link.ico")));
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(pipe).parent_path()), {}),
            static_cast<std::ptrdiff_t>(cases.size() - 1));  // all but /dev/null, nothing more
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
