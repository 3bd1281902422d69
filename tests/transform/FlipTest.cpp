// Flips and quarter turns of (mask, image) pairs: the picture and selections of odd sizes.
#include <gtest/gtest.h>

#include <random>

#include "support/PictureText.h"
#include "transform/Flip.h"

namespace pelorin {
namespace {

using testing::Legend;
using testing::PictureRows;
using testing::RasterFromPicture;

const Legend kMask = {{'#', kBlack}, {'.', kWhite}};
const Legend kImage = {{'#', kBlack},   {'r', 0x0000FF}, {'g', 0x00FF00},
                       {'b', 0xFF0000}, {'y', 0x00FFFF}, {'w', kWhite}};

struct Pair {
  Raster mask;
  Raster image;
};

// A 3 x 2 selection: red, green, blue over yellow, white and a transparent pixel.
Pair Selection3x2() {
  return {RasterFromPicture(PictureRows("###\n"
                                        "##.\n"),
                            kMask),
          RasterFromPicture(PictureRows("rgb\n"
                                        "yw#\n"),
                            kImage)};
}

// A 32 x 32 picture of random colours and a random mask.
Pair RandomPicture(unsigned seed) {
  std::mt19937 random(seed);
  Pair p{Raster(32, 32, kWhite), Raster(32, 32, kBlack)};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const bool opaque = random() % 3 != 0;
      p.mask.SetPixel(x, y, opaque ? kBlack : kWhite);
      p.image.SetPixel(x, y, opaque ? random() & kColourMask : kBlack);
    }
  }
  return p;
}

TEST(Flip, FlipsMirrorASelectionInPlaceWithItsMask) {
  Pair p = Selection3x2();
  FlipHorizontal(p.mask, p.image);
  EXPECT_PICTURE(p.mask, 0, 0, kMask, "###\n.##\n");
  EXPECT_PICTURE(p.image, 0, 0, kImage, "bgr\n#wy\n");
  p = Selection3x2();
  FlipVertical(p.mask, p.image);
  EXPECT_PICTURE(p.mask, 0, 0, kMask, "##.\n###\n");
  EXPECT_PICTURE(p.image, 0, 0, kImage, "yw#\nrgb\n");
}

TEST(Flip, QuarterTurnsOfASelectionExchangeWidthAndHeight) {
  Pair p = Selection3x2();
  RotateAnticlockwise(p.mask, p.image);
  ASSERT_EQ(p.mask.width(), 2);
  ASSERT_EQ(p.mask.height(), 3);
  ASSERT_EQ(p.image.width(), 2);
  EXPECT_PICTURE(p.mask, 0, 0, kMask, "#.\n##\n##\n");
  EXPECT_PICTURE(p.image, 0, 0, kImage, "b#\ngw\nry\n");

  p = Selection3x2();
  RotateClockwise(p.mask, p.image);
  ASSERT_EQ(p.image.height(), 3);
  EXPECT_PICTURE(p.mask, 0, 0, kMask, "##\n##\n.#\n");
  EXPECT_PICTURE(p.image, 0, 0, kImage, "yr\nwg\n#b\n");
}

TEST(Flip, TheWholePictureComesBackAfterTwoFlipsFourTurnsOrATurnEachWay) {
  const Pair original = RandomPicture(7);
  Pair p = original;
  FlipHorizontal(p.mask, p.image);
  EXPECT_NE(p.image, original.image);
  FlipHorizontal(p.mask, p.image);
  EXPECT_EQ(p.image, original.image);
  EXPECT_EQ(p.mask, original.mask);
  FlipVertical(p.mask, p.image);
  FlipVertical(p.mask, p.image);
  EXPECT_EQ(p.image, original.image);
  for (int i = 0; i < 4; ++i) RotateClockwise(p.mask, p.image);
  EXPECT_EQ(p.image, original.image);
  EXPECT_EQ(p.mask, original.mask);
  for (int i = 0; i < 4; ++i) RotateAnticlockwise(p.mask, p.image);
  RotateAnticlockwise(p.mask, p.image);
  RotateClockwise(p.mask, p.image);
  EXPECT_EQ(p.image, original.image);
  EXPECT_EQ(p.mask, original.mask);
}

TEST(Flip, AfterATurnTheTopLeftHoldsTheOldTopRightOrBottomLeft) {
  const Pair original = RandomPicture(11);
  Pair p = original;
  RotateAnticlockwise(p.mask, p.image);
  EXPECT_EQ(p.image.At(0, 0), original.image.At(31, 0));
  EXPECT_EQ(p.mask.At(0, 0), original.mask.At(31, 0));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(p.image.At(x, y), original.image.At(31 - y, x));
  p = original;
  RotateClockwise(p.mask, p.image);
  EXPECT_EQ(p.image.At(0, 0), original.image.At(0, 31));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(p.mask.At(x, y), original.mask.At(y, 31 - x));
}

TEST(Flip, ATurnPassesTheMaskThroughOneBitButFlipsKeepItsValues) {
  // A mask value that is neither black nor white: a flip moves it unchanged, a turn keeps only
  // pure white as white. The image keeps its colours either way.
  const Legend legend = {{'#', kBlack}, {'.', kWhite}, {'g', 0x808080}, {'f', 0xFEFFFF}};
  const auto make = [&] {
    return Pair{RasterFromPicture(PictureRows("g.f\n"), legend),
                RasterFromPicture(PictureRows("g.f\n"), legend)};
  };
  Pair p = make();
  FlipHorizontal(p.mask, p.image);
  EXPECT_PICTURE(p.mask, 0, 0, legend, "f.g\n");
  p = make();
  RotateClockwise(p.mask, p.image);
  EXPECT_PICTURE(p.mask, 0, 0, legend, "#\n.\n#\n");
  EXPECT_PICTURE(p.image, 0, 0, legend, "g\n.\nf\n");
  EXPECT_FALSE(p.mask.mono());
}

TEST(Flip, ATurnedSelectionKeepsItsCornerAndExchangesItsSides) {
  // 2 x 5 icon pixels at icon pixel (3, 4), in canvas pixels.
  EXPECT_EQ(RotatedSelectionRect({30, 40, 50, 90}), (Rect{30, 40, 80, 60}));
  // Near the edge the turned rectangle reaches past the picture.
  EXPECT_EQ(RotatedSelectionRect({300, 0, 320, 100}), (Rect{300, 0, 400, 20}));
}

}  // namespace
}  // namespace pelorin
