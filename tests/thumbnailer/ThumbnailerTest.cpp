// The desktop thumbnailer: which image of an icon it shows at which size, how it scales, what the
// command writes (and, for bad input or output, what it leaves alone), and its pixels against
// the editor's own decode of the sample programs.
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
#include "extract/MappedFile.h"
#include "extract/PngReader.h"
#include "support/Testdata.h"
#include "thumbnailer/Thumbnail.h"
#include "thumbnailer/ThumbnailerCommand.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using namespace pelorin::testing;

// R, G, B of the pixel (x, y).
std::uint32_t RgbAt(const RgbaImage& image, int x, int y) {
  const std::uint8_t* p = image.rgba.data() + (static_cast<std::size_t>(y) * image.width + x) * 4;
  return p[0] << 16 | p[1] << 8 | p[2];
}

// A 32-bit DIB with alpha, opaque, of one colour (0xRRGGBB).
IcoImage OpaqueAlphaImage(int side, std::uint32_t rgb) {
  DibSpec s;
  s.width = s.height = side;
  s.bits = 32;
  s.pixel = [=](int, int) { return 0xFF000000u | rgb; };
  return {side, side, 32, BuildDib(s)};
}

TEST(Thumbnail, TakesTheSmallestImageAtLeastTheSizeElseTheLargestAndEnlargesByWholeFactors) {
  // One icon whose images differ in colour, in an order neither by size nor by depth. The
  // 48 x 48 image's directory entry claims 256 x 256: sizes come from the images themselves.
  IcoImage png256{
      0, 0, 32,
      BuildPng({.width = 256, .height = 256, .colour_type = 2, .pixel = [](int, int, int c) {
                  return static_cast<std::uint8_t>(c == 2 ? 0xEE : 0);
                }})};
  IcoImage big48 = SolidImage(48, 0xDD0000);
  big48.width = big48.height = 0;
  const Bytes ico = BuildIco({SolidImage(32, 0x0000BB, 8), SolidImage(16, 0x0000AA, 4), png256,
                              big48, OpaqueAlphaImage(32, 0x0000CC)});
  struct Case {
    int size;
    std::uint32_t rgb;  // the image taken
    int side;           // the thumbnail's width and height
  };
  const Case kCases[] = {
      {1, 0x0000AA, 1},     {8, 0x0000AA, 8},      {16, 0x0000AA, 16},
      {17, 0x0000CC, 17},  // both 32 x 32 images fit: the deeper one
      {32, 0x0000CC, 32},   {33, 0xDD0000, 33},    {48, 0xDD0000, 48},
      {49, 0x0000EE, 49},   {128, 0x0000EE, 128},  {256, 0x0000EE, 256},
      {511, 0x0000EE, 256},                         // nothing is enlarged by less than twice
      {512, 0x0000EE, 512}, {1023, 0x0000EE, 768},  // by whole factors only
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.size);
    const auto thumbnail = MakeThumbnail(ico, c.size);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail->width, c.side);
    EXPECT_EQ(thumbnail->height, c.side);
    EXPECT_EQ(RgbAt(*thumbnail, c.side / 2, c.side / 2), c.rgb);
  }
  // A library shows its first group, an animated cursor the frame of its first step.
  const Bytes pe =
      BuildPe({{"", 1, {SolidImage(32, 0x00FF00)}}, {"", 2, {SolidImage(16, 0x0000AA)}}});
  EXPECT_EQ(RgbAt(*MakeThumbnail(pe, 32), 0, 0), 0x00FF00u);
  AniSpec cursor;
  cursor.frames = {BuildIco({SolidImage(16, 0x0000AA)}), ico};
  cursor.sequence = std::vector<std::uint32_t>{1, 0};
  const Bytes ani = BuildAni(cursor);
  EXPECT_EQ(RgbAt(*MakeThumbnail(ani, 48), 0, 0), 0xDD0000u);
}

TEST(Thumbnail, ScalingDownAveragesByAreaWithoutDarkeningTransparentEdgesAndUpKeepsPixels) {
  // Red pixels of random alpha: whatever the sizes, every visible pixel of the result is pure
  // red (averaging colours that are not weighted by alpha mixes in the black of transparent
  // pixels), and the mean alpha stays what it was (each source pixel counts with its area).
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const int width = 1 + static_cast<int>(random() % 40);
    const int height = 1 + static_cast<int>(random() % 40);
    const int size = 1 + static_cast<int>(random() % std::max(width, height));
    RgbaImage image{width, height, std::vector<std::uint8_t>(width * height * 4)};
    double alpha_sum = 0;
    for (std::size_t at = 0; at < image.rgba.size(); at += 4) {
      const int alpha = random() % 3 == 0 ? 0 : static_cast<int>(random() % 256);
      image.rgba[at] = alpha == 0 ? 0 : 255;
      image.rgba[at + 3] = static_cast<std::uint8_t>(alpha);
      alpha_sum += alpha;
    }
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height) + " to " +
                 std::to_string(size));
    // Enlarged by the largest whole factor that fits, every pixel a block of its own value.
    const int factor = 2 + round % 3;
    const RgbaImage large =
        FitThumbnail(image, factor * std::max(width, height) + round % std::max(width, height));
    ASSERT_EQ(large.width, factor * width);
    ASSERT_EQ(large.height, factor * height);
    for (int y = 0; y < large.height; ++y)
      for (int x = 0; x < large.width; ++x)
        ASSERT_TRUE(std::equal(&large.rgba[(y * large.width + x) * 4],
                               &large.rgba[(y * large.width + x) * 4 + 4],
                               &image.rgba[(y / factor * width + x / factor) * 4]))
            << x << ", " << y;
    const RgbaImage out = FitThumbnail(image, size);
    if (std::max(width, height) <= size) {
      EXPECT_EQ(out.rgba, image.rgba);
      continue;
    }
    ASSERT_EQ(std::max(out.width, out.height), size);
    ASSERT_EQ(out.rgba.size(), static_cast<std::size_t>(out.width) * out.height * 4);
    double out_sum = 0;
    for (std::size_t at = 0; at < out.rgba.size(); at += 4) {
      const std::uint32_t rgb = out.rgba[at] << 16 | out.rgba[at + 1] << 8 | out.rgba[at + 2];
      ASSERT_EQ(rgb, out.rgba[at + 3] == 0 ? 0u : 0xFF0000u) << at / 4;
      out_sum += out.rgba[at + 3];
    }
    // The result's proportions are the image's, within a pixel's rounding.
    const double scale = static_cast<double>(size) / std::max(width, height);
    EXPECT_NEAR(out.width, std::max(1.0, width * scale), 0.5);
    EXPECT_NEAR(out.height, std::max(1.0, height * scale), 0.5);
    // Only if both sides shrink by the same factor does the mean stay exactly.
    if (out.width * height == out.height * width) {
      EXPECT_NEAR(out_sum / (out.width * out.height), alpha_sum / (width * height), 0.51);
    }
  }
}

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
