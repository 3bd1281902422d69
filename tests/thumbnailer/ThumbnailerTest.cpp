// The desktop thumbnailer: what the command writes (and, for bad input or output, what it leaves
// alone), and its pixels against the editor's own decode of the sample programs. The choice and
// scaling of the image are tested with them, in tests/extract/ThumbnailTest.cpp.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "extract/IconReaders.h"
#include "extract/LibraryBuilder.h"
#include "extract/PngReader.h"
#include "extract/Thumbnail.h"
#include "files/MappedFile.h"
#include "support/Testdata.h"
#include "thumbnailer/ThumbnailerCommand.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using namespace pelorin::testing;

class ThumbnailerCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pelorin-thumbnailer-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  Bytes Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Every name below the folder, with its size and, for a small file, what it holds.
  using Entry = std::tuple<std::string, std::uintmax_t, Bytes>;
  std::set<Entry> Contents() const {
    std::set<Entry> contents;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      const std::string name = fs::relative(entry.path(), dir_).string();
      const bool file = entry.is_regular_file() && !entry.is_symlink();
      const std::uintmax_t size = file ? entry.file_size() : 0;
      contents.insert({name, size, file && size < (1 << 20) ? Read(name) : Bytes()});
    }
    return contents;
  }

  fs::path dir_;
};

TEST_F(ThumbnailerCommand, WritesTheOutputAndNothingElseAndForBadInputOrOutputNothingAtAll) {
  const Bytes icon = BuildIco({SolidImage(32, 0x123456)});
  Write("icon.ico", icon);
  Write("empty.dll", {});
  Write("text.exe", Bytes(300, 'x'));
  Write("no-icons.dll", BuildPe({}));
  const Bytes library = BuildPe({{"", 1, {SolidImage(48, 0x654321)}}});
  Write("cut.dll", Bytes(library.begin(), library.end() - 100));  // the image's end is missing
  Write("bad-depth.ico", BuildIco({{32, 32, 0, BuildDib({.bits = 48})}}));
  // A gigabyte of nothing after a program's first bytes, as a sparse file.
  Write("huge.exe", Bytes{'M', 'Z'});
  fs::resize_file(Path("huge.exe"), std::uintmax_t{1} << 30);
  fs::create_directory(Path("folder"));
  ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0666), 0);
  ASSERT_EQ(::mkfifo(Path("pipe.png").c_str(), 0666), 0);  // nobody reads it
  Write("target.png", {'o', 'l', 'd'});
  fs::create_symlink(Path("target.png"), Path("link.png"));
  Write("old.png", {'o', 'l', 'd'});

  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const std::string out = Path("out.png");
  const std::vector<Case> kCases = {
      {{"-s", "0", Path("icon.ico"), out}, kWrongArguments},
      {{"-s", "4097", Path("icon.ico"), out}, kWrongArguments},
      {{"-s", "12x", Path("icon.ico"), out}, kWrongArguments},
      {{Path("icon.ico"), out, "-s"}, kWrongArguments},
      {{Path("icon.ico")}, kWrongArguments},
      {{Path("icon.ico"), out, out}, kWrongArguments},
      {{Path("missing.exe"), out}, kNoThumbnail},
      {{Path("empty.dll"), out}, kNoThumbnail},
      {{Path("text.exe"), out}, kNoThumbnail},
      {{Path("no-icons.dll"), out}, kNoThumbnail},
      {{Path("cut.dll"), out}, kNoThumbnail},
      {{Path("bad-depth.ico"), out}, kNoThumbnail},
      {{Path("huge.exe"), out}, kNoThumbnail},
      {{Path("folder"), out}, kNoThumbnail},
      {{Path("pipe"), out}, kNoThumbnail},
      {{Path("text.exe"), Path("old.png")}, kNoThumbnail},  // a desktop's empty output stays
      {{Path("icon.ico"), Path("folder")}, kNoThumbnail},
      {{Path("icon.ico"), Path("pipe.png")}, kNoThumbnail},
      {{Path("icon.ico"), Path("link.png")}, kNoThumbnail},
      {{Path("icon.ico"), Path("no-folder/out.png")}, kNoThumbnail},
  };
  const auto before = Contents();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
    std::string message;
    EXPECT_EQ(RunThumbnailer(c.args, message), c.status);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Contents(), before);
  }

  // A link is refused as what it is, not as a loop of links.
  std::string message;
  RunThumbnailer({Path("icon.ico"), Path("link.png")}, message);
  EXPECT_NE(message.find("符号链接"), std::string::npos) << message;
  EXPECT_EQ(message.find("循环"), std::string::npos) << message;

  // A good run adds the output, and only the output.
  ASSERT_EQ(RunThumbnailer({"-s", "64", Path("icon.ico"), Path("old.png")}, message),
            kThumbnailWritten);
  EXPECT_EQ(message, "");
  auto after = before;
  after.erase({"old.png", 3, {'o', 'l', 'd'}});
  after.insert({"old.png", fs::file_size(Path("old.png")), Read("old.png")});
  EXPECT_EQ(Contents(), after);
  const auto png = DecodePng(Read("old.png"));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 64);
  EXPECT_EQ(png->rgba[0] << 16 | png->rgba[1] << 8 | png->rgba[2], 0x123456);
}

class ThumbnailerSamples : public NeedsTestdata {};

TEST_F(ThumbnailerSamples, ThumbnailsOfProgramsShowThePixelsAndTransparencyTheEditorDecodes) {
  // At 32 x 32 the image taken is the one the editor takes, unscaled: every pixel the editor
  // shows opaque has its colour and at least half alpha, every pixel it masks less than half;
  // an image without alpha is wholly opaque or wholly transparent pixel by pixel.
  const char* kFiles[] = {"pe/wine-x86_64/winemine.exe", "pe/nsis/zlib-x86-unicode.exe",
                          "icl/xdev70-Icons.icl", "ani/gdk-pixbuf/test-animation.ani"};
  std::string pattern = (fs::temp_directory_path() / "pelorin-thumbnail-XXXXXX.png").string();
  const int fd = ::mkstemps(pattern.data(), 4);
  ASSERT_GE(fd, 0);
  ::close(fd);
  for (const char* name : kFiles) {
    SCOPED_TRACE(name);
    const std::string path = TestdataDir() + "/" + name;
    std::string message;
    ASSERT_EQ(RunThumbnailer({"-s", "32", path, pattern}, message), kThumbnailWritten) << message;
    std::ifstream in(pattern, std::ios::binary);
    const auto png = DecodePng(Bytes(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(png);
    ASSERT_EQ(png->width, 32);
    ASSERT_EQ(png->height, 32);

    const auto file = MappedFile::Open(path);
    ASSERT_TRUE(file);
    const IconFileReader reader(file->bytes());
    const auto editor = reader.Draw(0, 0, 32);
    ASSERT_TRUE(editor);
    const auto group = reader.Group(0, 0);
    const auto facts = InspectIconImage(group->images[*ChooseThumbnailImage(*group, 32)]);
    const bool alpha_image = facts->bit_count == 32;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const std::uint8_t* p = png->rgba.data() + (y * 32 + x) * 4;
        const bool shown = editor->mask.At(x, y) == kBlack;
        ASSERT_EQ(p[3] >= 128, shown) << x << ", " << y;
        if (!alpha_image) {
          ASSERT_TRUE(p[3] == 0 || p[3] == 255) << x << ", " << y;
        }
        if (shown) {
          ASSERT_EQ(Colour(p[0] | p[1] << 8 | p[2] << 16), editor->image.At(x, y));
        }
        opaque += shown;
      }
    }
    EXPECT_GT(opaque, 0);
    EXPECT_LT(opaque, 32 * 32);
  }
  fs::remove(pattern);
}

}  // namespace
}  // namespace pelorin
