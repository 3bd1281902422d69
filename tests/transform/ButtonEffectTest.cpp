// The button effect: ring amounts, clamping at 0, transparent pixels, applying it twice.
#include <gtest/gtest.h>

#include <algorithm>

#include "transform/ButtonEffect.h"

namespace pelorin {
namespace {

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }
Colour Gray(int v) { return Rgb(v, v, v); }

// Distance of (x, y) from the nearest edge of the 32 x 32 picture.
int Ring(int x, int y) { return std::min(std::min(x, 31 - x), std::min(y, 31 - y)); }

TEST(ButtonEffect, DarkenTakesTheAmountFromEachComponentAndStopsAtZero) {
  EXPECT_EQ(Darken(Rgb(40, 100, 200), 64), Rgb(0, 36, 136));
  EXPECT_EQ(Darken(kWhite, 8), Gray(247));
  EXPECT_EQ(Darken(kBlack, 64), kBlack);
  EXPECT_EQ(Darken(Rgb(8, 7, 9), 8), Rgb(0, 0, 1));
}

TEST(ButtonEffect, AnOpaqueWhiteIconGetsFourRingsOfGray) {
  Raster mask(32, 32, kBlack);
  Raster image(32, 32, kWhite);
  ButtonEffect(mask, image);
  const int expected[] = {191, 223, 239, 247};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const int ring = Ring(x, y);
      ASSERT_EQ(image.At(x, y), ring < 4 ? Gray(expected[ring]) : kWhite) << x << ", " << y;
    }
}

TEST(ButtonEffect, TransparentPixelsStayAsTheyAre) {
  Raster mask(32, 32, kBlack);
  Raster image(32, 32, Rgb(40, 100, 200));
  // Transparent pixels on rings 0 and 2, and one whose image is not black.
  for (const auto& [x, y] : {std::pair{0, 0}, {15, 31}, {2, 10}}) {
    mask.SetPixel(x, y, kWhite);
    image.SetPixel(x, y, kBlack);
  }
  mask.SetPixel(31, 5, kWhite);
  image.SetPixel(31, 5, Rgb(1, 2, 3));
  const Raster mask_before = mask;
  ButtonEffect(mask, image);
  EXPECT_EQ(mask, mask_before);
  EXPECT_EQ(image.At(0, 0), kBlack);
  EXPECT_EQ(image.At(15, 31), kBlack);
  EXPECT_EQ(image.At(2, 10), kBlack);
  EXPECT_EQ(image.At(31, 5), Rgb(1, 2, 3));
  EXPECT_EQ(image.At(1, 0), Rgb(0, 36, 136));
  EXPECT_EQ(image.At(3, 10), Rgb(32, 92, 192));
}

TEST(ButtonEffect, TwiceDarkensTwiceDownToZero) {
  Raster mask(32, 32, kBlack);
  Raster image(32, 32, Gray(200));
  ButtonEffect(mask, image);
  ButtonEffect(mask, image);
  EXPECT_EQ(image.At(0, 17), Gray(72));
  EXPECT_EQ(image.At(30, 30), Gray(136));
  EXPECT_EQ(image.At(4, 4), Gray(200));
  image.Fill(Gray(100));
  ButtonEffect(mask, image);
  ButtonEffect(mask, image);
  EXPECT_EQ(image.At(31, 31), kBlack);
  EXPECT_EQ(image.At(2, 20), Gray(68));
}

}  // namespace
}  // namespace pelorin
