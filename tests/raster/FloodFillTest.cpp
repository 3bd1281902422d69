// Surface flood fill: 4-connected, exact colour, painted once with the brush.
#include <gtest/gtest.h>

#include "raster/Draw.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;
using testing::PictureRows;
using testing::RasterFromPicture;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kNearWhite = 0xFFFFFE;
const Legend kLegend = {{'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'w', kNearWhite}};
const Ink kRedBrush{kRed, DrawMode::kCopyPen};

TEST(FloodFillTest, StaysInsideDiagonalWalls) {
  // The white inside the diamond touches the outside only corner to corner.
  Raster r = RasterFromPicture(PictureRows("..#...\n"
                                           ".#.#..\n"
                                           "#...#.\n"
                                           ".#.#..\n"
                                           "..#...\n"),
                               kLegend);
  EXPECT_TRUE(ExtFloodFillSurface(r, 2, 2, kWhite, kRedBrush));
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "..#...\n"
                 ".#r#..\n"
                 "#rrr#.\n"
                 ".#r#..\n"
                 "..#...\n");
}

TEST(FloodFillTest, FollowsWindingPassagesBothWays) {
  // A spiral forces the fill back up and down through spans it has already found.
  Raster r = RasterFromPicture(PictureRows("........\n"
                                           ".######.\n"
                                           ".#....#.\n"
                                           ".#.##.#.\n"
                                           ".#..#.#.\n"
                                           ".####.#.\n"
                                           "......#.\n"
                                           "#######.\n"),
                               kLegend);
  EXPECT_TRUE(ExtFloodFillSurface(r, 2, 4, kWhite, kRedBrush));
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "rrrrrrrr\n"
                 "r######r\n"
                 "r#rrrr#r\n"
                 "r#r##r#r\n"
                 "r#rr#r#r\n"
                 "r####r#r\n"
                 "rrrrrr#r\n"
                 "#######r\n");
}

TEST(FloodFillTest, MatchesTheExactColourOnly) {
  Raster r = RasterFromPicture(PictureRows("..w.\n"
                                           ".w..\n"
                                           "w...\n"),
                               kLegend);
  EXPECT_TRUE(ExtFloodFillSurface(r, 3, 0, kWhite, kRedBrush));
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "..wr\n"
                 ".wrr\n"
                 "wrrr\n");
}

TEST(FloodFillTest, RefusesAStartOutsideOrOfAnotherColour) {
  Raster r = RasterFromPicture(PictureRows("..#\n"
                                           "..#\n"),
                               kLegend);
  const Raster before = r;
  EXPECT_FALSE(ExtFloodFillSurface(r, -1, 0, kWhite, kRedBrush));
  EXPECT_FALSE(ExtFloodFillSurface(r, 3, 0, kWhite, kRedBrush));
  EXPECT_FALSE(ExtFloodFillSurface(r, 0, 2, kWhite, kRedBrush));
  EXPECT_FALSE(ExtFloodFillSurface(r, 2, 0, kWhite, kRedBrush));
  EXPECT_FALSE(ExtFloodFillSurface(r, 0, 0, kBlack, kRedBrush));
  EXPECT_FALSE(ExtFloodFillSurface(r, 0, 0, kWhite | 0x01000000u, kRedBrush));
  EXPECT_EQ(r, before);
}

TEST(FloodFillTest, EndsWhenTheBrushPaintsTheMatchedColour) {
  Raster r(16, 16, kWhite);
  const Raster before = r;
  EXPECT_TRUE(ExtFloodFillSurface(r, 7, 7, kWhite, Ink{kWhite, DrawMode::kCopyPen}));
  EXPECT_EQ(r, before);
}

TEST(FloodFillTest, AnInvertingBrushInvertsEachPixelOnce) {
  // White inverted once is black; a pixel painted twice would be white again.
  Raster r = RasterFromPicture(PictureRows("....r\n"
                                           ".rr.r\n"
                                           ".r..r\n"
                                           "...r.\n"),
                               kLegend);
  EXPECT_TRUE(ExtFloodFillSurface(r, 0, 0, kWhite, Ink{kRed, DrawMode::kInvert}));
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "####r\n"
                 "#rr#r\n"
                 "#r##r\n"
                 "###r.\n");
}

TEST(FloodFillTest, AMonoRasterStoresTheBrushAsBlackOrWhite) {
  Raster r = RasterFromPicture(PictureRows("..#.\n"
                                           "..#.\n"),
                               kLegend, Raster::Depth::kMono);
  EXPECT_TRUE(ExtFloodFillSurface(r, 0, 1, kWhite, kRedBrush));
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "###.\n"
                 "###.\n");
}

}  // namespace
}  // namespace pelorin
