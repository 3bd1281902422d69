// The sunken one-pixel frame, in the classic button colours.
#include <gtest/gtest.h>

#include "raster/Draw.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;

constexpr Colour kFace = 0xC0C0C0;
constexpr Colour kShadow = 0x808080;
constexpr Colour kHighlight = 0xFFFFFF;
constexpr Colour kDarkShadow = 0x000000;
constexpr Colour kLight = 0xDFDFDF;
const Legend kLegend = {
    {'.', kFace}, {'s', kShadow}, {'h', kHighlight}, {'d', kDarkShadow}, {'l', kLight}};

TEST(EdgeTest, ShadowTopLeftHighlightBottomRight) {
  Raster r(7, 6, kFace);
  DrawEdgeSunkenOuter(r, Rect{1, 1, 6, 5}, kShadow, kHighlight);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 ".......\n"
                 ".ssssh.\n"
                 ".s...h.\n"
                 ".s...h.\n"
                 ".hhhhh.\n"
                 ".......\n");
}

TEST(EdgeTest, ThinAndEmptyRectangles) {
  Raster r(6, 4, kFace);
  DrawEdgeSunkenOuter(r, Rect{0, 0, 1, 1}, kShadow, kHighlight);  // one pixel: highlight
  DrawEdgeSunkenOuter(r, Rect{2, 0, 3, 3}, kShadow, kHighlight);  // one column: highlight
  DrawEdgeSunkenOuter(r, Rect{4, 0, 6, 2}, kShadow, kHighlight);  // 2 x 2
  DrawEdgeSunkenOuter(r, Rect{1, 3, 1, 4}, kShadow, kHighlight);  // empty: nothing
  DrawEdgeSunkenOuter(r, Rect{4, 3, 2, 4}, kShadow, kHighlight);  // inverted: nothing
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "h.h.sh\n"
                 "..h.hh\n"
                 "..h...\n"
                 "......\n");
}

TEST(EdgeTest, ClippedAtTheRasterEdges) {
  Raster r(3, 3, kFace);
  DrawEdgeSunkenOuter(r, Rect{-1, 1, 3, 9}, kShadow, kHighlight);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "...\n"
                 "ssh\n"
                 "..h\n");
}

TEST(EdgeTest, TheTwoPixelSunkenEdgeHasADarkerInnerFrame) {
  Raster r(8, 7, kFace);
  DrawEdgeSunken(r, Rect{1, 1, 8, 7}, kShadow, kHighlight, kDarkShadow, kLight);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "........\n"
                 ".ssssssh\n"
                 ".sddddlh\n"
                 ".sd...lh\n"
                 ".sd...lh\n"
                 ".slllllh\n"
                 ".hhhhhhh\n");
}

}  // namespace
}  // namespace pelorin
