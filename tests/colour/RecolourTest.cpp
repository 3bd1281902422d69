// Grayscale and invert of the opaque pixels.
#include <gtest/gtest.h>

#include "colour/Recolour.h"

namespace pelorin {
namespace {

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }
Colour Gray(int v) { return Rgb(v, v, v); }

TEST(Recolour, GrayKeepsTheLuminanceAndRoundsHalvesToEven) {
  EXPECT_EQ(GrayOf(Rgb(255, 0, 0)), Gray(57));
  EXPECT_EQ(GrayOf(Rgb(0, 255, 0)), Gray(180));
  EXPECT_EQ(GrayOf(Rgb(0, 0, 255)), Gray(18));
  EXPECT_EQ(GrayOf(kWhite), kWhite);
  EXPECT_EQ(GrayOf(kBlack), kBlack);
  // Sums of 25500 and 26500: 25.5 and 26.5 both go to 26.
  EXPECT_EQ(GrayOf(Rgb(0, 20, 160)), Gray(26));
  EXPECT_EQ(GrayOf(Rgb(0, 18, 194)), Gray(26));
  for (int v = 0; v < 256; ++v) ASSERT_EQ(GrayOf(Gray(v)), Gray(v));
}

TEST(Recolour, InvertIsTheComplementAndUndoesItself) {
  EXPECT_EQ(InverseOf(Rgb(0, 20, 160)), Rgb(255, 235, 95));
  EXPECT_EQ(InverseOf(kBlack), kWhite);
  for (const Colour c : {Rgb(1, 2, 3), Rgb(200, 0, 77), kWhite})
    EXPECT_EQ(InverseOf(InverseOf(c)), c);
}

TEST(Recolour, OnlyOpaquePixelsChangeInAPictureOrASelection) {
  // A 3 x 2 selection: a transparent pixel with a non-black image value must keep it, and a mask
  // value other than white counts as opaque.
  Raster mask(3, 2, kBlack);
  Raster image(3, 2, Rgb(255, 0, 0));
  mask.SetPixel(0, 0, kWhite);
  image.SetPixel(0, 0, Rgb(10, 20, 30));
  mask.SetPixel(1, 0, 0x808080);
  Raster gray = image;
  GrayscaleOpaque(mask, gray);
  EXPECT_EQ(gray.At(0, 0), Rgb(10, 20, 30));
  EXPECT_EQ(gray.At(1, 0), Gray(57));
  EXPECT_EQ(gray.At(2, 1), Gray(57));
  const Raster once = gray;
  GrayscaleOpaque(mask, gray);
  EXPECT_EQ(gray, once);

  Raster inverted = image;
  InvertOpaque(mask, inverted);
  EXPECT_EQ(inverted.At(0, 0), Rgb(10, 20, 30));
  EXPECT_EQ(inverted.At(2, 0), Rgb(0, 255, 255));
  InvertOpaque(mask, inverted);
  EXPECT_EQ(inverted, image);
}

}  // namespace
}  // namespace pelorin
