// The tool palette: hit-testing, paint, clicks and drags, tooltips and the frame moves other
// commands ask for, over the looks of the program's tools and the strip assembled from their
// glyphs. Classic colours; the window background is the face unless a test needs to tell the two
// apart.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "canvas/ToolPalette.h"
#include "raster/Picture.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

constexpr Colour kFace = 0xC0C0C0;
constexpr Colour kShadow = 0x808080;
constexpr Colour kHighlight = 0xFFFFFF;
constexpr int kLeft = 1;
constexpr int kRight = 2;

// The looks of the program's tools, in palette order.
std::vector<ToolLook> ProgramTools(const testing::LoadedForm& f) {
  std::vector<ToolLook> looks;
  for (int n = 1; n <= f.form.canvas().Tools().ToolCount(); ++n)
    looks.push_back(f.form.canvas().Tool(n).Look());
  return looks;
}

class ToolPaletteTest : public ::testing::Test {
 protected:
  ToolPaletteTest()
      : palette_(surface_, ProgramTools(program_), kFace, kShadow, kHighlight,
                 [this](int tool) { selected_.push_back(tool); }) {
    surface_.SetRefreshHandler([this](Rect) { ++refreshes_; });
    palette_.SetGlyphs(&strip_);
    palette_.PicTools_Paint();
  }

  void Click(int button, double x, double y) {
    palette_.PicTools_MouseDown(button, 0, x, y);
    palette_.PicTools_MouseUp(button, 0, x, y);
  }
  // The palette as a fresh paint shows it with `tool` framed.
  Raster PaintedWith(int tool) {
    Surface other("PicTools", 92, 66, kFace);
    ToolPalette p(other, ProgramTools(program_), kFace, kShadow, kHighlight, nullptr);
    p.SetGlyphs(&strip_);
    p.MoveFrameTo(tool);
    p.PicTools_Paint();
    return other.raster();
  }
  // Every pixel of the frame ring of tool's cell: sunken (shadow top and left, highlight bottom
  // and right, the top-right and bottom-left corners highlight) or all `flat`.
  bool RingIs(int tool, bool sunken, Colour flat = kFace) {
    const int l = ToolCellLeft(tool), t = ToolCellTop(tool);
    for (int y = t; y <= t + 21; ++y)
      for (int x = l; x <= l + 22; ++x) {
        if (x != l && x != l + 22 && y != t && y != t + 21) continue;
        const Colour want = !sunken ? flat : (x == l + 22 || y == t + 21) ? kHighlight : kShadow;
        if (surface_.raster().At(x, y) != want) return false;
      }
    return true;
  }

  testing::LoadedForm program_;
  const Raster& strip_ = program_.form.doc().Rasters().tool_glyphs();
  Surface surface_{"PicTools", 0, 0, kFace};
  ToolPalette palette_;
  std::vector<int> selected_;
  int refreshes_ = 0;
};

// The program's twelve tools in their order, each with its caption, fill the 92 x 66 palette.
TEST_F(ToolPaletteTest, EveryCellClicksItsToolAndCaption) {
  const char* captions[] = {"选择",     "绘图",     "擦除",     "取色",     "填充",     "直线",
                            "空心矩形", "实体矩形", "填充矩形", "空心椭圆", "实体椭圆", "填充椭圆"};
  ASSERT_EQ(palette_.ToolCount(), 12);
  EXPECT_EQ(surface_.width(), 92);
  EXPECT_EQ(surface_.height(), 66);
  for (int n = 1; n <= 12; ++n) {
    const int l = 23 * ((n - 1) % 4), t = 22 * ((n - 1) / 4);
    EXPECT_EQ(palette_.Caption(n), captions[n - 1]);
    palette_.PicTools_MouseMove(0, 0, l + 22, t + 21);  // the cell's far corner
    EXPECT_EQ(palette_.ToolTipText(), captions[n - 1]);
    Click(kLeft, l + 22, t + 21);
    EXPECT_EQ(palette_.SelectedCell(), (Rect{l, t, l + 23, t + 22})) << n;
  }
  EXPECT_EQ(selected_, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(palette_.Caption(0), "");
  EXPECT_EQ(palette_.Caption(13), "");
}

// A thirteenth tool opens a fourth row; the cells after it hold no tool and press nothing.
TEST_F(ToolPaletteTest, AThirteenthToolOpensAFourthRow) {
  std::vector<ToolLook> looks = ProgramTools(program_);
  looks.push_back({.caption = "第十三", .glyph = "tool-line.txt"});
  Surface s("PicTools", 0, 0, kFace);
  std::vector<int> chosen;
  ToolPalette p(s, looks, kFace, kShadow, kHighlight, [&](int tool) { chosen.push_back(tool); });
  EXPECT_EQ(s.height(), 88);
  p.PicTools_MouseMove(0, 0, 10, 70);
  EXPECT_EQ(p.ToolTipText(), "第十三");
  p.PicTools_MouseMove(0, 0, 30, 70);
  EXPECT_EQ(p.ToolTipText(), "第十三") << "no tool there: the tooltip stays";
  for (const double x : {10.0, 30.0, 91.0}) {
    p.PicTools_MouseDown(kLeft, 0, x, 80);
    p.PicTools_MouseUp(kLeft, 0, x, 80);
  }
  EXPECT_EQ(chosen, std::vector<int>{13});
  EXPECT_EQ(p.SelectedCell(), (Rect{0, 66, 23, 88}));
}

TEST_F(ToolPaletteTest, FractionalPointsRoundHalfToEven) {
  Click(kLeft, 22.5, 21.5);  // (22, 22): the select tool's column, the second row
  Click(kLeft, 22.4, 0.0);
  Click(kLeft, 22.6, 0.0);
  EXPECT_EQ(selected_, (std::vector<int>{5, 1, 2}));
}

TEST_F(ToolPaletteTest, PaintComposesGlyphsOverTheFaceAndFramesThePencil) {
  const Raster& r = surface_.raster();
  for (int k = 0; k < 12; ++k) {
    const int gx = 4 + 23 * (k % 4) - (k == 3 || k == 4 ? 1 : 0), gy = 3 + 22 * (k / 4);
    for (int y = -1; y <= 16; ++y)
      for (int x = -1; x <= 16; ++x) {
        const bool in = x >= 0 && y >= 0 && x < 16 && y < 16;
        const Colour want =
            in ? (kFace & strip_.At(16 * k + x, y)) ^ strip_.At(16 * k + x, y + 16) : kFace;
        ASSERT_EQ(r.At(gx + x, gy + y), want) << "glyph " << k << " at " << x << "," << y;
      }
  }
  EXPECT_TRUE(RingIs(kToolPencil, true));
  for (int n : {1, 3, 12}) EXPECT_TRUE(RingIs(n, false)) << n;
  EXPECT_GT(refreshes_, 0);

  palette_.SetGlyphs(nullptr);
  palette_.PicTools_Paint();
  Raster bare(92, 66, kFace);
  DrawEdgeSunkenOuter(bare, Rect{23, 0, 46, 22}, kShadow, kHighlight);
  EXPECT_EQ(r, bare);
}

TEST_F(ToolPaletteTest, ClickMovesTheFrameAndRestoresTheOldCell) {
  palette_.PicTools_MouseDown(kLeft, 0, 40, 30);  // the line tool
  EXPECT_EQ(palette_.PressedCell(), (Rect{23, 22, 46, 44}));
  EXPECT_EQ(palette_.PressedTool(), kToolLine);
  EXPECT_TRUE(RingIs(kToolLine, true));
  EXPECT_TRUE(selected_.empty());  // a press alone selects nothing
  const int before = refreshes_;
  palette_.PicTools_MouseUp(kLeft, 0, 45, 43);
  EXPECT_EQ(selected_, std::vector<int>{kToolLine});
  EXPECT_EQ(surface_.raster(), PaintedWith(kToolLine));
  EXPECT_EQ(palette_.PressedCell(), ToolPalette::kNoPressedCell);
  EXPECT_GT(refreshes_, before);
}

TEST_F(ToolPaletteTest, DragOffAndReleaseElsewhereKeepsTheCurrentTool) {
  const Raster initial = surface_.raster();
  for (auto [x, y] : {std::pair{-5.0, 10.0}, {92.5, 3.0}, {10.0, 67.0}, {80.0, 60.0}}) {
    palette_.PicTools_MouseDown(kLeft, 0, 30, 30);  // column 1, row 1: tool 6
    palette_.PicTools_MouseMove(kLeft, 0, 200, 30);
    EXPECT_TRUE(RingIs(6, false));
    palette_.PicTools_MouseMove(kLeft, 0, 46, 44);  // the bounds reach one past the cell
    EXPECT_TRUE(RingIs(6, true)) << "dragging back shows the pressed frame again";
    palette_.PicTools_MouseUp(kLeft, 0, x, y);
    EXPECT_EQ(surface_.raster(), initial) << x << "," << y;
    EXPECT_EQ(palette_.SelectedCell(), (Rect{23, 0, 46, 22}));
  }
  EXPECT_TRUE(selected_.empty());
}

TEST_F(ToolPaletteTest, PressOnTheSelectedCellKeepsItsFrameAndReselects) {
  const Raster initial = surface_.raster();
  palette_.PicTools_MouseDown(kLeft, 0, 30, 5);
  EXPECT_TRUE(palette_.PressedOnSelected());
  EXPECT_EQ(palette_.PressedCell(), ToolPalette::kNoPressedCell);
  palette_.PicTools_MouseMove(kLeft, 0, 5, 50);
  palette_.PicTools_MouseUp(kLeft, 0, 5, 50);
  EXPECT_EQ(surface_.raster(), initial);
  EXPECT_TRUE(selected_.empty());
  Click(kLeft, 40, 20);  // re-selecting commits a selection, so it must reach SelectTool
  EXPECT_EQ(selected_, std::vector<int>{kToolPencil});
  EXPECT_EQ(surface_.raster(), initial);
}

TEST_F(ToolPaletteTest, RightButtonSelectsButDrawsNothingWhileMoving) {
  palette_.PicTools_MouseDown(kRight, 0, 70, 50);  // tool 12
  EXPECT_TRUE(RingIs(12, true));
  palette_.PicTools_MouseMove(kRight, 0, 5, 5);
  EXPECT_TRUE(RingIs(12, true));
  palette_.PicTools_MouseUp(kRight, 0, 5, 5);
  EXPECT_TRUE(RingIs(12, false));
  EXPECT_TRUE(selected_.empty());
  palette_.PicTools_MouseDown(kRight, 0, 70, 50);
  palette_.PicTools_MouseMove(kLeft + kRight, 0, 5, 5);  // a chord draws nothing either
  EXPECT_TRUE(RingIs(12, true));
  palette_.PicTools_MouseUp(kRight, 0, 70, 50);
  EXPECT_EQ(selected_, std::vector<int>{12});
  EXPECT_EQ(surface_.raster(), PaintedWith(12));
}

TEST_F(ToolPaletteTest, TooltipFollowsOnlyAnIdlePointerOverACell) {
  palette_.PicTools_MouseMove(0, 0, 50, 25);
  EXPECT_EQ(palette_.ToolTipText(), "空心矩形");
  for (auto [x, y] : {std::pair{91.6, 5.0}, {5.0, 66.0}, {-3.0, 5.0}, {5.0, -0.6}})
    palette_.PicTools_MouseMove(0, 0, x, y);
  palette_.PicTools_MouseMove(kLeft, 0, 5, 5);
  palette_.PicTools_MouseMove(kRight, 0, 5, 5);
  EXPECT_EQ(palette_.ToolTipText(), "空心矩形");
  palette_.PicTools_MouseMove(0, 0, 0, 0);
  EXPECT_EQ(palette_.ToolTipText(), "选择");
}

TEST_F(ToolPaletteTest, ReturnToLastToolClicksDrawingToolsOnly) {
  const Raster initial = surface_.raster();
  for (int n : {1, 0, 13, -4}) palette_.ReturnToLastTool(n);
  EXPECT_TRUE(selected_.empty());
  EXPECT_EQ(surface_.raster(), initial);
  for (int n = 2; n <= 12; ++n) {
    palette_.MoveFrameTo(kToolPicker);  // as the picker would be current
    palette_.ReturnToLastTool(n);
    EXPECT_EQ(surface_.raster(), PaintedWith(n)) << n;
  }
  EXPECT_EQ(selected_, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST_F(ToolPaletteTest, MoveFrameToRemovesInTheWindowBackgroundWithoutSelecting) {
  constexpr Colour kWindow = 0x123456;
  Surface s("PicTools", 92, 66, kFace);
  s.fillStyle = FillStyle::kSolid;  // the surface's brush must not fill a removed frame
  s.drawMode = DrawMode::kInvert;
  int calls = 0;
  ToolPalette p(s, ProgramTools(program_), kWindow, kShadow, kHighlight, [&](int) { ++calls; });
  p.PicTools_Paint();
  p.MoveFrameTo(kToolSelect);
  Raster want(92, 66, kFace);
  DrawBoxOutline(want, 23, 0, 45, 21, Pen{Ink{kWindow, DrawMode::kCopyPen}, DrawStyle::kSolid});
  DrawEdgeSunkenOuter(want, Rect{0, 0, 23, 22}, kShadow, kHighlight);
  EXPECT_EQ(s.raster(), want);
  p.MoveFrameTo(0);
  p.MoveFrameTo(13);
  EXPECT_EQ(s.raster(), want);
  EXPECT_EQ(p.SelectedCell(), (Rect{0, 0, 23, 22}));
  EXPECT_EQ(calls, 0);
}

// Presses the description leaves open: what happens here keeps the palette consistent.
TEST_F(ToolPaletteTest, StrayPressesAndReleasesSelectNothingAndLeaveNoFrames) {
  const Raster initial = surface_.raster();
  Click(kLeft, 91.6, 10);                     // rounds to column 4, off the grid
  Click(kLeft, 10, 65.5);                     // rounds to row 3
  palette_.PicTools_MouseUp(kLeft, 0, 5, 5);  // no press before it
  EXPECT_TRUE(selected_.empty());
  EXPECT_EQ(surface_.raster(), initial);

  palette_.PicTools_MouseDown(kLeft, 0, 50, 25);   // tool 7
  palette_.PicTools_MouseDown(kRight, 0, 75, 25);  // tool 8 while the left is held
  EXPECT_TRUE(RingIs(7, false));
  EXPECT_TRUE(RingIs(8, true));
  palette_.PicTools_MouseUp(kLeft, 0, 75, 25);
  palette_.PicTools_MouseUp(kRight, 0, 75, 25);
  EXPECT_EQ(selected_, std::vector<int>{8});
  EXPECT_EQ(surface_.raster(), PaintedWith(8));
}

}  // namespace
}  // namespace pelorin
