// Mirror halves on the picture and on selections, and which items the menu offers.
#include <gtest/gtest.h>

#include <random>

#include "support/PictureText.h"
#include "transform/Mirror.h"

namespace pelorin {
namespace {

using testing::Legend;
using testing::PictureRows;
using testing::RasterFromPicture;

const Legend kLegend = {{'#', kBlack},   {'.', kWhite},   {'r', 0x0000FF},
                        {'g', 0x00FF00}, {'b', 0xFF0000}, {'y', 0x00FFFF}};

TEST(Mirror, EachItemCopiesOneHalfOfASelectionOntoTheOther) {
  const auto rows = PictureRows(
      "rgby\n"
      "#..b\n"
      "gg.r\n"
      "yb#.\n");
  const char* expected[] = {
      "rggr\n#..#\ngggg\nybby\n",  // left half to right half
      "ybby\nb..b\nr..r\n.##.\n",  // right half to left half
      "rgby\n#..b\n#..b\nrgby\n",  // top to bottom
      "yb#.\ngg.r\ngg.r\nyb#.\n",  // bottom to top
  };
  for (int item = 0; item < 4; ++item) {
    Raster mask = RasterFromPicture(rows, kLegend);
    Raster image = RasterFromPicture(rows, kLegend);
    MirrorHalves(mask, image, item);
    EXPECT_PICTURE(mask, 0, 0, kLegend, expected[item]) << item;
    EXPECT_PICTURE(image, 0, 0, kLegend, expected[item]) << item;
  }
}

TEST(Mirror, ATwoWideSelectionCopiesItsFirstColumnOntoItsSecond) {
  Raster mask = RasterFromPicture(PictureRows("#.\n.#\n"), kLegend);
  Raster image = RasterFromPicture(PictureRows("r#\n#g\n"), kLegend);
  MirrorHalves(mask, image, kLeftToRight);
  EXPECT_PICTURE(mask, 0, 0, kLegend, "##\n..\n");
  EXPECT_PICTURE(image, 0, 0, kLegend, "rr\n##\n");
}

TEST(Mirror, OnThePictureTheSplitLiesBetweenColumnsAndRows15And16) {
  std::mt19937 random(3);
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      mask.SetPixel(x, y, random() % 2 ? kBlack : kWhite);
      image.SetPixel(x, y, random() & kColourMask);
    }
  const Raster before = image;
  MirrorHalves(mask, image, kLeftToRight);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(image.At(x, y), before.At(x, y));
      ASSERT_EQ(image.At(31 - x, y), before.At(x, y));
      ASSERT_EQ(mask.At(31 - x, y), mask.At(x, y));
    }
  // The picture is now symmetric, so the opposite item changes nothing.
  const Raster mirrored = image;
  MirrorHalves(mask, image, kRightToLeft);
  EXPECT_EQ(image, mirrored);

  MirrorHalves(mask, image, kBottomToTop);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(image.At(x, y), mirrored.At(x, 31 - y));
}

TEST(Mirror, AnOddSideDisablesThatPairOfItems) {
  using Items = std::array<bool, 4>;
  EXPECT_EQ(MirrorItemsEnabled(false, 0, 0), (Items{true, true, true, true}));
  EXPECT_EQ(MirrorItemsEnabled(true, 3, 4), (Items{false, false, true, true}));
  EXPECT_EQ(MirrorItemsEnabled(true, 4, 3), (Items{true, true, false, false}));
  EXPECT_EQ(MirrorItemsEnabled(true, 1, 1), (Items{false, false, false, false}));
  EXPECT_EQ(MirrorItemsEnabled(true, 32, 32), (Items{true, true, true, true}));
}

TEST(Mirror, AnOddSelectionLeavesItsMiddleColumnAlone) {
  // The menu does not offer this, but the halves stay well defined.
  Raster mask = RasterFromPicture(PictureRows("#.#\n"), kLegend);
  Raster image = RasterFromPicture(PictureRows("rgb\n"), kLegend);
  MirrorHalves(mask, image, kRightToLeft);
  EXPECT_PICTURE(image, 0, 0, kLegend, "bgb\n");
}

}  // namespace
}  // namespace pelorin
