// The background gradient: step colours, the nine directions of the preview, and the fill.
#include <gtest/gtest.h>

#include "transform/Gradient.h"

namespace pelorin {
namespace {

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

const RgbLevels kBlackRgb = {0, 0, 0};
const RgbLevels kWhiteRgb = {255, 255, 255};

// The step each pixel of the 45-degree pattern ends with: x + y, and in column 0 the step of the
// pixel to its upper right, which is y, except at (0, 0), which takes step 1 from (1, 0).
int DiagonalStep(int x, int y) {
  if (x >= 1) return x + y;
  return y >= 1 ? y : 1;
}

// The step of pixel (x, y) for each direction, worked out from the description of the preview.
int ExpectedStep(int degrees, int x, int y) {
  switch (degrees) {
    case 0:
    case 360:
      return x;
    case 90:
      return y;
    case 180:
      return 31 - x;
    case 270:
      return 31 - y;
    case 45:
      return DiagonalStep(x, y);
    case 135:
      return DiagonalStep(31 - x, y);
    case 225:
      return DiagonalStep(31 - x, 31 - y);
    case 315:
      return DiagonalStep(x, 31 - y);
  }
  return -1;
}

void ExpectDirection(const RgbLevels& start, const RgbLevels& end, int degrees) {
  Raster preview(32, 32, kWhite);
  DrawGradient(preview, start, end, degrees);
  const auto d = GradientIncrements(start, end, degrees);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(preview.At(x, y), GradientStep(start, end, d, ExpectedStep(degrees, x, y)))
          << degrees << " degrees at " << x << ", " << y;
}

TEST(Gradient, StepsRoundHalvesToEvenAndNeverReachTheEnd) {
  const auto d = GradientIncrements(kBlackRgb, kWhiteRgb, 0);
  EXPECT_DOUBLE_EQ(d[0], 255.0 / 32);
  EXPECT_EQ(GradientStep(kBlackRgb, kWhiteRgb, d, 0), kBlack);
  EXPECT_EQ(GradientStep(kBlackRgb, kWhiteRgb, d, 1), Rgb(8, 8, 8));
  EXPECT_EQ(GradientStep(kBlackRgb, kWhiteRgb, d, 31), Rgb(247, 247, 247));
  // A falling channel: 255 - s x 7.96875; step 4 is 223.125, step 16 is 127.5 which goes to 128.
  const RgbLevels start = {255, 0, 10};
  const RgbLevels end = {0, 0, 10};
  const auto down = GradientIncrements(start, end, 180);
  EXPECT_EQ(GradientStep(start, end, down, 4), Rgb(223, 0, 10));
  EXPECT_EQ(GradientStep(start, end, down, 16), Rgb(128, 0, 10));
  // Halves: 1 x 2.5 = 2.5 goes to 2, 3 x 2.5 = 7.5 goes to 8 (start 0, end 80, 32 steps).
  const RgbLevels to80 = {0, 80, 0};
  const auto half = GradientIncrements(kBlackRgb, to80, 90);
  EXPECT_EQ(GradientStep(kBlackRgb, to80, half, 1), Rgb(0, 2, 0));
  EXPECT_EQ(GradientStep(kBlackRgb, to80, half, 3), Rgb(0, 8, 0));
  // The diagonals take 64 steps: the last one drawn, 62, is 62/64 of the way.
  const auto diagonal = GradientIncrements(kBlackRgb, kWhiteRgb, 45);
  EXPECT_DOUBLE_EQ(diagonal[1], 255.0 / 64);
  EXPECT_EQ(GradientStep(kBlackRgb, kWhiteRgb, diagonal, 62), Rgb(247, 247, 247));
}

TEST(Gradient, TheNineDirectionsFromBlackToWhite) {
  for (const int degrees : {0, 45, 90, 135, 180, 225, 270, 315, 360})
    ExpectDirection(kBlackRgb, kWhiteRgb, degrees);
}

TEST(Gradient, TheNineDirectionsWithChannelsRisingAndFalling) {
  for (const int degrees : {0, 45, 90, 135, 180, 225, 270, 315, 360})
    ExpectDirection({250, 3, 128}, {7, 200, 128}, degrees);
}

TEST(Gradient, TheInitialPreviewAndTheDiagonalCorner) {
  Raster preview(32, 32, kWhite);
  DrawGradient(preview, kBlackRgb, kWhiteRgb, 0);
  for (int y = 0; y < 32; ++y) {
    EXPECT_EQ(preview.At(0, y), kBlack);
    EXPECT_EQ(preview.At(1, y), Rgb(8, 8, 8));
    EXPECT_EQ(preview.At(31, y), Rgb(247, 247, 247));
  }
  DrawGradient(preview, kBlackRgb, kWhiteRgb, 45);
  EXPECT_EQ(preview.At(0, 0), Rgb(4, 4, 4));
  EXPECT_EQ(preview.At(1, 0), Rgb(4, 4, 4));
  EXPECT_EQ(preview.At(0, 1), Rgb(4, 4, 4));
  EXPECT_EQ(preview.At(31, 31), Rgb(247, 247, 247));
  EXPECT_EQ(preview.At(0, 31), preview.At(1, 30));
}

TEST(Gradient, EqualColoursFillEverythingWithThatColour) {
  Raster preview(32, 32, kWhite);
  for (const int degrees : {0, 135}) {
    DrawGradient(preview, {12, 34, 56}, {12, 34, 56}, degrees);
    EXPECT_EQ(preview, Raster(32, 32, Rgb(12, 34, 56)));
  }
}

TEST(Gradient, TheFillTakesThePreviewOnlyWhereTheIconIsTransparent) {
  Raster preview(32, 32, kWhite);
  DrawGradient(preview, kBlackRgb, kWhiteRgb, 90);
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  mask.SetPixel(5, 6, kBlack);
  image.SetPixel(5, 6, Rgb(1, 2, 3));
  FillBackground(mask, image, preview);
  EXPECT_EQ(mask, Raster(32, 32, kBlack));
  EXPECT_EQ(image.At(5, 6), Rgb(1, 2, 3));
  EXPECT_EQ(image.At(4, 6), preview.At(4, 6));
  EXPECT_EQ(image.At(31, 31), Rgb(247, 247, 247));

  // A fully opaque icon keeps all its colours.
  Raster opaque(32, 32, kBlack);
  Raster colours(32, 32, Rgb(9, 9, 9));
  FillBackground(opaque, colours, preview);
  EXPECT_EQ(colours, Raster(32, 32, Rgb(9, 9, 9)));
}

}  // namespace
}  // namespace pelorin
