// Lines and box outlines: which pixels the pen covers, with solid and dotted pens, copying and
// inverting.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "raster/Draw.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;
using Pixels = std::set<std::pair<int, int>>;

const Legend kLegend = {{'.', kWhite}, {'#', kBlack}};
const Pen kPen{Ink{kBlack, DrawMode::kCopyPen}, DrawStyle::kSolid};
const Pen kDotPen{Ink{kBlack, DrawMode::kCopyPen}, DrawStyle::kDot};
const Pen kInvertPen{Ink{kBlack, DrawMode::kInvert}, DrawStyle::kSolid};

// The black pixels of a raster, shifted by (-ox, -oy).
Pixels BlackPixels(const Raster& r, int ox = 0, int oy = 0) {
  Pixels out;
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x)
      if (r.At(x, y) == kBlack) out.insert({x - ox, y - oy});
  return out;
}

// The pixels of a line by its closed form: along the major axis from the start up to, not
// including, the end, the minor coordinate is the nearest one to the ideal line, an exact half
// going to the smaller coordinate.
Pixels ClosedFormLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  auto ceil_div = [](std::int64_t num, std::int64_t den) {
    if (den < 0) num = -num, den = -den;
    return num >= 0 ? (num + den - 1) / den : -((-num) / den);
  };
  Pixels out;
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  if (std::abs(dx) > std::abs(dy)) {
    for (std::int64_t x = x0; x != x1; x += dx > 0 ? 1 : -1)
      out.insert(
          {static_cast<int>(x), static_cast<int>(y0 + ceil_div(2 * (x - x0) * dy - dx, 2 * dx))});
  } else if (dy != 0) {
    for (std::int64_t y = y0; y != y1; y += dy > 0 ? 1 : -1)
      out.insert(
          {static_cast<int>(x0 + ceil_div(2 * (y - y0) * dx - dy, 2 * dy)), static_cast<int>(y)});
  }
  return out;
}

Pixels Drawn(int x0, int y0, int x1, int y1) {
  // Large enough that no test line leaves it; the origin sits in the middle.
  constexpr int kOrigin = 40;
  Raster r(2 * kOrigin, 2 * kOrigin, kWhite);
  DrawLine(r, x0 + kOrigin, y0 + kOrigin, x1 + kOrigin, y1 + kOrigin, kPen);
  return BlackPixels(r, kOrigin, kOrigin);
}

TEST(LineTest, DocumentedExamples) {
  EXPECT_EQ(Drawn(0, 0, 2, 1), (Pixels{{0, 0}, {1, 0}}));
  EXPECT_EQ(Drawn(0, 0, 1, 2), (Pixels{{0, 0}, {0, 1}}));
  EXPECT_EQ(Drawn(0, 0, 5, 2), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
  EXPECT_EQ(Drawn(0, 0, 4, -1), (Pixels{{0, 0}, {1, 0}, {2, -1}, {3, -1}}));
  EXPECT_EQ(Drawn(0, 0, 3, 3), (Pixels{{0, 0}, {1, 1}, {2, 2}}));
  EXPECT_EQ(Drawn(3, 2, 3, 2), Pixels{});
  EXPECT_EQ(Drawn(2, 1, 6, 1), (Pixels{{2, 1}, {3, 1}, {4, 1}, {5, 1}}));
  EXPECT_EQ(Drawn(2, 5, 2, 2), (Pixels{{2, 5}, {2, 4}, {2, 3}}));
}

TEST(LineTest, EightDirectionsPicture) {
  Raster r(11, 11, kWhite);
  // From the centre towards (+-5, +-2) and (+-2, +-5): every octant once.
  for (const auto& [dx, dy] :
       {std::pair{5, 2}, {2, 5}, {-2, 5}, {-5, 2}, {-5, -2}, {-2, -5}, {2, -5}, {5, -2}})
    DrawLine(r, 5, 5, 5 + dx, 5 + dy, kPen);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "...........\n"
                 "...#...#...\n"
                 "....#.#....\n"
                 ".#..#.#..#.\n"
                 "..##.#.##..\n"
                 "....###....\n"
                 "..##.#.##..\n"
                 ".#..#.#..#.\n"
                 "....#.#....\n"
                 "...#...#...\n"
                 "...........\n");
}

TEST(LineTest, EveryShortLineMatchesTheClosedFormAndIsSymmetric) {
  for (int x1 = -13; x1 <= 13; ++x1) {
    for (int y1 = -13; y1 <= 13; ++y1) {
      SCOPED_TRACE("to (" + std::to_string(x1) + ", " + std::to_string(y1) + ")");
      const Pixels forward = Drawn(0, 0, x1, y1);
      ASSERT_EQ(forward, ClosedFormLine(0, 0, x1, y1));
      // Drawn backwards it covers the same pixels, except that the start is always in and the
      // end always out.
      Pixels backward = Drawn(x1, y1, 0, 0);
      if (x1 != 0 || y1 != 0) {
        backward.erase({x1, y1});
        backward.insert({0, 0});
      }
      ASSERT_EQ(forward, backward);
    }
  }
}

TEST(LineTest, LinesReachingFarOutsideAreClippedExactly) {
  // The part inside a 32 x 32 raster is the same as the corresponding part of the line on a
  // raster large enough to hold it whole.
  const std::pair<std::pair<int, int>, std::pair<int, int>> lines[] = {
      {{-700, -9}, {650, 40}},  {{650, 40}, {-700, -9}},  {{5, -300}, {27, 333}},
      {{27, 333}, {5, -300}},   {{-50, 60}, {70, -40}},   {{40, 16}, {-3000, 15}},
      {{-1000, 31}, {1000, 0}}, {{16, 2000}, {17, -2000}}};
  for (const auto& [a, b] : lines) {
    SCOPED_TRACE(std::to_string(a.first) + "," + std::to_string(a.second) + " -> " +
                 std::to_string(b.first) + "," + std::to_string(b.second));
    Raster r(32, 32, kWhite);
    DrawLine(r, a.first, a.second, b.first, b.second, kPen);
    Pixels expected;
    for (const auto& p : ClosedFormLine(a.first, a.second, b.first, b.second))
      if (p.first >= 0 && p.first < 32 && p.second >= 0 && p.second < 32) expected.insert(p);
    EXPECT_FALSE(expected.empty());
    EXPECT_EQ(BlackPixels(r), expected);
  }
}

TEST(LineTest, ExtremeCoordinatesStayFastAndExact) {
  Raster r(32, 32, kWhite);
  DrawLine(r, -2000000000, 3, 2000000000, 28, kPen);
  const Pixels drawn = BlackPixels(r);
  ASSERT_EQ(drawn.size(), 32u);
  // Row y = 3 + 25 (x + 2e9) / 4e9 to the nearest pixel, an exact half going up.
  for (int x = 0; x < 32; ++x) {
    const std::int64_t num = 2 * (static_cast<std::int64_t>(x) + 2000000000) * 25 - 4000000000LL;
    const std::int64_t y = 3 + (num + 8000000000LL - 1) / 8000000000LL;
    EXPECT_TRUE(drawn.count({x, static_cast<int>(y)})) << "x " << x;
  }
}

TEST(LineTest, DottedPenIsThreeOnThreeOffFromEachStart) {
  Raster r(16, 5, kWhite);
  DrawLine(r, 0, 0, 14, 0, kDotPen);
  DrawLine(r, 15, 1, 1, 1, kDotPen);  // right to left: starts "on" at x = 15
  DrawLine(r, 0, 2, 14, 4, kDotPen);  // counted along x, the major axis
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "###...###...##..\n"
                 "..##...###...###\n"
                 "###.............\n"
                 "......###.......\n"
                 "............##..\n");
}

TEST(LineTest, DottedPenCountsAlongTheMajorAxisOfASteepLine) {
  Raster r(3, 8, kWhite);
  DrawLine(r, 0, 0, 2, 8, kDotPen);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "#..\n"
                 "#..\n"
                 "#..\n"
                 "...\n"
                 "...\n"
                 "...\n"
                 ".#.\n"
                 "..#\n");
}

TEST(LineTest, InvertingFlipsTheColourBitsAndTwiceRestores) {
  Raster r(8, 8, 0x123456);
  const Raster before = r;
  DrawLine(r, 0, 1, 7, 6, kInvertPen);
  EXPECT_EQ(r.At(0, 1), 0xEDCBA9u);
  EXPECT_EQ(r.At(7, 6), 0x123456u);  // the end point is left out
  DrawLine(r, 0, 1, 7, 6, kInvertPen);
  EXPECT_EQ(r, before);

  const Pen dotted_invert{Ink{kBlack, DrawMode::kInvert}, DrawStyle::kDot};
  DrawLine(r, 7, 0, 0, 7, dotted_invert);
  EXPECT_EQ(r.At(3, 4), 0x123456u);  // a gap stays untouched
  DrawLine(r, 7, 0, 0, 7, dotted_invert);
  EXPECT_EQ(r, before);
}

TEST(LineTest, AMonoRasterStoresBlackOrWhiteOnly) {
  Raster r(4, 2, kWhite, Raster::Depth::kMono);
  DrawLine(r, 0, 0, 4, 0, Pen{Ink{0x0000FF, DrawMode::kCopyPen}, DrawStyle::kSolid});
  DrawLine(r, 0, 1, 2, 1, kInvertPen);
  DrawLine(r, 0, 1, 1, 1, kInvertPen);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "####\n"
                 ".#..\n");
}

TEST(BoxOutlineTest, AnyCornerOrderGivesTheSameBoxWithBothCorners) {
  const std::pair<std::pair<int, int>, std::pair<int, int>> orders[] = {
      {{1, 1}, {5, 4}}, {{5, 4}, {1, 1}}, {{1, 4}, {5, 1}}, {{5, 1}, {1, 4}}};
  for (const auto& [a, b] : orders) {
    Raster r(7, 6, kWhite);
    DrawBoxOutline(r, a.first, a.second, b.first, b.second, kPen);
    EXPECT_PICTURE(r, 0, 0, kLegend,
                   ".......\n"
                   ".#####.\n"
                   ".#...#.\n"
                   ".#...#.\n"
                   ".#####.\n"
                   ".......\n");
  }
}

TEST(BoxOutlineTest, EveryPixelIsTouchedOnceAtEverySize) {
  // Inverting white once gives black; a pixel touched twice would come back white and differ
  // from the copied outline.
  for (int w = 1; w <= 5; ++w) {
    for (int h = 1; h <= 5; ++h) {
      SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
      for (const bool reversed : {false, true}) {
        Raster copied(7, 7, kWhite);
        Raster inverted(7, 7, kWhite);
        const int x0 = reversed ? w : 1;
        const int x1 = reversed ? 1 : w;
        DrawBoxOutline(copied, x0, 1, x1, h, kPen);
        DrawBoxOutline(inverted, x0, h, x1, 1, kInvertPen);
        EXPECT_EQ(inverted, copied);
        DrawBoxOutline(inverted, x0, h, x1, 1, kInvertPen);
        EXPECT_EQ(inverted, Raster(7, 7, kWhite));
      }
    }
  }
}

TEST(BoxOutlineTest, DegenerateBoxesAreALineOrAPixel) {
  Raster r(6, 5, kWhite);
  DrawBoxOutline(r, 0, 0, 0, 0, kPen);
  DrawBoxOutline(r, 2, 3, 2, 0, kPen);
  DrawBoxOutline(r, 5, 4, 3, 4, kPen);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "#.#...\n"
                 "..#...\n"
                 "..#...\n"
                 "..#...\n"
                 "...###\n");
}

TEST(BoxOutlineTest, DottedPatternRestartsAtEachSide) {
  // Top left to right, right side down, bottom right to left, left side up; each side starts
  // "on" at its first pixel and leaves out its last.
  Raster r(8, 5, kWhite);
  DrawBoxOutline(r, 0, 0, 7, 4, kDotPen);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "###...##\n"
                 ".......#\n"
                 "#......#\n"
                 "#.......\n"
                 "##...###\n");
}

TEST(BoxOutlineTest, ClippedAtTheRasterEdges) {
  Raster r(4, 4, kWhite);
  DrawBoxOutline(r, -2, 1, 2, 9, kPen);
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "....\n"
                 "###.\n"
                 "..#.\n"
                 "..#.\n");
}

TEST(FillBoxTest, FillsBothCornersInAnyOrderClippedAndInverting) {
  Raster r(5, 4, kWhite);
  FillBox(r, 3, 2, 1, 1, Ink{kBlack, DrawMode::kCopyPen});
  FillBox(r, 4, -3, 9, 0, Ink{kBlack, DrawMode::kCopyPen});
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "....#\n"
                 ".###.\n"
                 ".###.\n"
                 ".....\n");
  FillBox(r, 0, 0, 4, 3, Ink{kWhite, DrawMode::kInvert});
  EXPECT_PICTURE(r, 0, 0, kLegend,
                 "####.\n"
                 "#...#\n"
                 "#...#\n"
                 "#####\n");
}

}  // namespace
}  // namespace pelorin
