// Which image of an icon a thumbnail shows at which size, and how it scales (the thumbnailer's and
// the extractor's pictures).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "extract/IconReaders.h"
#include "extract/LibraryBuilder.h"
#include "extract/Thumbnail.h"

namespace pelorin {
namespace {

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

}  // namespace
}  // namespace pelorin
