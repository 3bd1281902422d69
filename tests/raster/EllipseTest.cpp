// Ellipse pixels. The pictures are the editor's definition of an ellipse (the system's DIB
// engine's algorithm); '#' is the pen, 'o' the brush, '.' untouched.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "raster/Draw.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;
using testing::PictureRows;

constexpr Colour kBrush = 0x0000FF;
const Legend kLegend = {{'.', kWhite}, {'#', kBlack}, {'o', kBrush}};

const Pen kSolidPen{Ink{kBlack, DrawMode::kCopyPen}, DrawStyle::kSolid};
const Ink kSolidBrush{kBrush, DrawMode::kCopyPen};

// Draws the ellipse in a w x h box at (1, 1) on a raster with a one-pixel margin and returns the
// expected picture with that margin added, so that stray pixels around the box show up too.
std::string Framed(const std::vector<std::string>& rows) {
  const std::string margin(rows.empty() ? 0 : rows[0].size() + 2, '.');
  std::string out = margin + "\n";
  for (const auto& row : rows) out += "." + row + ".\n";
  return out + margin + "\n";
}

Raster DrawFramed(int w, int h, const Pen& pen = kSolidPen,
                  std::optional<Ink> brush = kSolidBrush) {
  Raster r(w + 2, h + 2, kWhite);
  DrawEllipse(r, 1, 1, 1 + w, 1 + h, pen, brush);
  return r;
}

struct Vector {
  int w, h;
  std::vector<std::string> rows;
};

TEST(EllipseTest, SmallBoxesMatchTheReferencePictures) {
  const std::vector<Vector> vectors = {
      {1, 1, {"."}},
      {2, 2, {"##", "##"}},
      {3, 3, {".#.", "#o#", ".#."}},
      {4, 4, {".##.", "#oo#", "#oo#", ".##."}},
      {5, 3, {".###.", "#ooo#", ".###."}},
      {3, 5, {".#.", "#o#", "#o#", "#o#", ".#."}},
      {5, 5, {".###.", "#ooo#", "#ooo#", "#ooo#", ".###."}},
      {6, 6, {"..##..", ".#oo#.", "#oooo#", "#oooo#", ".#oo#.", "..##.."}},
      {8,
       8,
       {"..####..", ".#oooo#.", "#oooooo#", "#oooooo#", "#oooooo#", "#oooooo#", ".#oooo#.",
        "..####.."}},
  };
  for (const Vector& v : vectors) {
    SCOPED_TRACE(std::to_string(v.w) + "x" + std::to_string(v.h));
    const Raster r = DrawFramed(v.w, v.h);
    EXPECT_PICTURE(r, 0, 0, kLegend, Framed(v.rows));
  }
}

TEST(EllipseTest, FullIconEllipseMatchesTheReferencePicture) {
  std::vector<std::string> rows = {
      "............########............", ".........###oooooooo###.........",
      "........#oooooooooooooo#........", "......##oooooooooooooooo##......",
      ".....#oooooooooooooooooooo#.....", "....#oooooooooooooooooooooo#....",
      "...#oooooooooooooooooooooooo#...", "...#oooooooooooooooooooooooo#...",
      "..#oooooooooooooooooooooooooo#..", ".#oooooooooooooooooooooooooooo#.",
      ".#oooooooooooooooooooooooooooo#.", ".#oooooooooooooooooooooooooooo#.",
      "#oooooooooooooooooooooooooooooo#", "#oooooooooooooooooooooooooooooo#",
      "#oooooooooooooooooooooooooooooo#", "#oooooooooooooooooooooooooooooo#",
  };
  for (int y = 15; y >= 0; --y) rows.push_back(rows[y]);
  const Raster r = DrawFramed(32, 32);
  EXPECT_PICTURE(r, 0, 0, kLegend, Framed(rows));
}

TEST(EllipseTest, WithoutABrushOnlyTheOutlineIsDrawn) {
  const Raster r = DrawFramed(6, 6, kSolidPen, std::nullopt);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 Framed({"..##..", ".#..#.", "#....#", "#....#", ".#..#.", "..##.."}));
}

TEST(EllipseTest, NarrowBoxesAreDrawnAsBoxesAndEmptyOnesNotAtAll) {
  EXPECT_PICTURE(DrawFramed(2, 4), 0, 0, kLegend, Framed({"##", "##", "##", "##"}));
  EXPECT_PICTURE(DrawFramed(5, 2), 0, 0, kLegend, Framed({"#####", "#####"}));
  EXPECT_PICTURE(DrawFramed(1, 3), 0, 0, kLegend, Framed({"#", "#", "#"}));
  EXPECT_PICTURE(DrawFramed(4, 1), 0, 0, kLegend, Framed({"####"}));
  EXPECT_EQ(DrawFramed(0, 5), Raster(2, 7, kWhite));
  EXPECT_EQ(DrawFramed(5, 0), Raster(7, 2, kWhite));
}

TEST(EllipseTest, CornersMayComeInAnyOrder) {
  const Raster expected = DrawFramed(7, 5);
  for (const auto& [x0, y0, x1, y1] : {std::tuple{8, 6, 1, 1}, {1, 6, 8, 1}, {8, 1, 1, 6}}) {
    Raster r(9, 7, kWhite);
    DrawEllipse(r, x0, y0, x1, y1, kSolidPen, kSolidBrush);
    EXPECT_EQ(r, expected);
  }
}

TEST(EllipseTest, InvertingTouchesEveryPixelOnceSoTwiceRestores) {
  // Inverting white once gives black; a pixel touched twice (brush and pen, or the pen twice)
  // would come back white and differ from the copied figure, drawn all in black.
  const Ink black_brush{kBlack, DrawMode::kCopyPen};
  const Ink invert_brush{kBlack, DrawMode::kInvert};
  for (const DrawStyle style : {DrawStyle::kSolid, DrawStyle::kDot}) {
    const Pen copy_pen{Ink{kBlack, DrawMode::kCopyPen}, style};
    const Pen invert_pen{Ink{kBlack, DrawMode::kInvert}, style};
    for (int w = 1; w <= 24; ++w) {
      for (int h = 1; h <= 24; ++h) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        for (const bool filled : {false, true}) {
          Raster copied(w + 2, h + 2, kWhite);
          Raster inverted = copied;
          const Raster blank = copied;
          const auto copy_brush = filled ? std::optional(black_brush) : std::nullopt;
          const auto inv_brush = filled ? std::optional(invert_brush) : std::nullopt;
          DrawEllipse(copied, 1, 1, 1 + w, 1 + h, copy_pen, copy_brush);
          DrawEllipse(inverted, 1, 1, 1 + w, 1 + h, invert_pen, inv_brush);
          ASSERT_EQ(inverted, copied);
          DrawEllipse(inverted, 1, 1, 1 + w, 1 + h, invert_pen, inv_brush);
          ASSERT_EQ(inverted, blank);
        }
      }
    }
  }
}

TEST(EllipseTest, DottedOutlineRunsOnAroundTheWholeFigure) {
  // The outline is one closed path: from the right end of the upper middle row anticlockwise
  // (up, over the top, down the left, along the bottom), 3 pixels on, 3 off, all the way round.
  // The brush fills the gaps.
  const Pen dotted{Ink{kBlack, DrawMode::kCopyPen}, DrawStyle::kDot};
  EXPECT_PICTURE(DrawFramed(8, 8, dotted, std::nullopt), 0, 0, kLegend,
                 Framed({"..#.....", ".#....#.", "#......#", ".......#", ".......#", ".......#",
                         ".#......", "..##...."}));
  EXPECT_PICTURE(DrawFramed(8, 8, dotted, kSolidBrush), 0, 0, kLegend,
                 Framed({"..#ooo..", ".#oooo#.", "#oooooo#", "ooooooo#", "ooooooo#", "ooooooo#",
                         ".#ooooo.", "..##oo.."}));
}

TEST(EllipseTest, ClippedAtTheRasterEdges) {
  // The 8 x 8 ellipse with its top-left quarter outside the raster.
  Raster r(6, 6, kWhite);
  DrawEllipse(r, -4, -4, 4, 4, kSolidPen, kSolidBrush);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "ooo#..\n"
                 "ooo#..\n"
                 "oo#...\n"
                 "##....\n"
                 "......\n"
                 "......\n");
  // Far outside: nothing, and quickly.
  Raster far(6, 6, kWhite);
  DrawEllipse(far, -200000, -100000, 200000, -10, kSolidPen, kSolidBrush);
  EXPECT_EQ(far, Raster(6, 6, kWhite));
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

// The outline's own pixel list, which the rubber band inverts and inverts back, is exactly what
// the pen draws, clipped to the raster, for tiny, thin, large and off-edge ellipses.
TEST(EllipseOutlinePixels, AreThePixelsThePenDraws) {
  for (const Rect box : {Rect{3, 3, 5, 4}, Rect{2, 2, 4, 9}, Rect{1, 1, 30, 20},
                         Rect{-10, 5, 12, 40}, Rect{25, 25, 3, 7}, Rect{0, 0, 1, 1}}) {
    Raster drawn(32, 32, kBlack);
    DrawEllipse(drawn, box.left, box.top, box.right, box.bottom, Pen{Ink{kWhite}}, std::nullopt);
    Raster listed(32, 32, kBlack);
    for (const auto& [x, y] :
         EllipseOutlinePixels(listed, box.left, box.top, box.right, box.bottom)) {
      ASSERT_EQ(listed.At(x, y), kBlack) << "each pixel once";
      listed.SetPixel(x, y, kWhite);
    }
    EXPECT_EQ(listed, drawn) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
  }
}

}  // namespace
}  // namespace pelorin
