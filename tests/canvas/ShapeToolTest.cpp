// Lines, rectangles and ellipses: the rubber band while dragging, the committed shape on release.
#include <gtest/gtest.h>

#include "raster/Draw.h"
#include "support/LoadedForm.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

constexpr Colour kRed = 0x0000FF;

// The centre of cell (i, j) on the canvas.
double At(int cell) { return 10.0 * cell + 5; }

// Mask and image as text over icon pixels x0..x0+w-1, y0..: '.' transparent, 'k' black, 'w'
// white, 'r' red.
void ExpectIcon(const LoadedForm& f, int x0, int y0, const std::string& rows) {
  const auto lines = testing::PictureRows(rows);
  for (int j = 0; j < static_cast<int>(lines.size()); ++j) {
    for (int i = 0; i < static_cast<int>(lines[j].size()); ++i) {
      const char c = lines[j][i];
      const int x = x0 + i;
      const int y = y0 + j;
      SCOPED_TRACE(::testing::Message() << "pixel (" << x << ", " << y << ")");
      if (c == '.') {
        EXPECT_EQ(f.Mask(x, y), kWhite);
        EXPECT_EQ(f.Image(x, y), kBlack);
      } else {
        EXPECT_EQ(f.Mask(x, y), kBlack);
        EXPECT_EQ(f.Image(x, y), c == 'k' ? kBlack : c == 'w' ? kWhite : kRed);
        EXPECT_EQ(f.Preview(x, y), f.Image(x, y)) << "the preview shows the shape";
      }
    }
  }
}

// The right button paints red, the left black (the default colours, with right set to red).
void UseRedOnTheRight(LoadedForm& f) {
  f.form.PicPal_MouseUp(2, 0, 13 * 9 + 5, 13 * 15 + 5);  // palette 249: red
  ASSERT_EQ(f.form.colours().CurrentColour(1), kRed);
}

TEST(ShapeTool, ALineSetsBothEndCellsAndIsOneStep) {
  LoadedForm f;
  f.ChooseTool(6);
  f.DragCanvas(1, At(2), At(3), At(6), At(3));
  ExpectIcon(f, 1, 3, ".kkkkk.");
  f.DragCanvas(1, At(10), At(10), At(13), At(12));
  // The line's own pixels, then the end cell set explicitly.
  Raster expected(32, 32, kWhite);
  DrawLine(expected, 10, 10, 13, 12, Pen{Ink{kBlack}});
  expected.SetPixel(13, 12, kBlack);
  for (int y = 9; y <= 13; ++y)
    for (int x = 9; x <= 14; ++x) EXPECT_EQ(f.Mask(x, y), expected.At(x, y)) << x << "," << y;
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);
  EXPECT_TRUE(f.form.doc().Modified());
  EXPECT_TRUE(f.ViewsShowTheIcon()) << "no trace of the band";
}

TEST(ShapeTool, AClickCommitsOneCell) {
  LoadedForm f;
  for (int tool : {6, 7, 8, 9, 10, 11, 12}) {
    f.form.files().MnuNew_Click();
    f.ChooseTool(tool);
    f.ClickCanvas(1, At(4), At(5));
    SCOPED_TRACE(tool);
    ExpectIcon(f, 3, 4, "...\n.k.\n...");
  }
}

TEST(ShapeTool, RectanglesInBothDirectionsAndWithEitherButton) {
  LoadedForm f;
  UseRedOnTheRight(f);
  f.ChooseTool(7);
  f.DragCanvas(1, At(5), At(4), At(1), At(1));  // bottom right to top left
  ExpectIcon(f, 1, 1,
             "kkkkk\n"
             "k...k\n"
             "k...k\n"
             "kkkkk");
  f.ChooseTool(8);
  f.DragCanvas(2, At(10), At(1), At(12), At(2));
  ExpectIcon(f, 10, 1, "rrr\nrrr");
  // Filled: the pressed colour outside, the other button's inside.
  f.ChooseTool(9);
  f.DragCanvas(1, At(20), At(1), At(23), At(4));
  ExpectIcon(f, 20, 1, "kkkk\nkrrk\nkrrk\nkkkk");
  f.DragCanvas(2, At(20), At(10), At(23), At(13));
  ExpectIcon(f, 20, 10, "rrrr\nrkkr\nrkkr\nrrrr");
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ShapeTool, EllipsesFillTheCellsOfBothCornersAndAreOpaque) {
  LoadedForm f;
  UseRedOnTheRight(f);
  Raster outline(32, 32, kWhite);
  DrawEllipse(outline, 2, 2, 9, 7, Pen{Ink{kBlack}}, std::nullopt);
  Raster solid(32, 32, kWhite);
  DrawEllipse(solid, 2, 2, 9, 7, Pen{Ink{kBlack}}, Ink{kBlack});

  f.ChooseTool(10);
  f.DragCanvas(1, At(8), At(6), At(2), At(2));  // the rectangle (2, 2)-(9, 7)
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(f.Mask(x, y), outline.At(x, y)) << x << "," << y;

  f.form.files().MnuNew_Click();
  f.ChooseTool(11);
  f.DragCanvas(2, At(2), At(2), At(8), At(6));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      ASSERT_EQ(f.Mask(x, y), solid.At(x, y)) << x << "," << y;
      if (solid.At(x, y) == kBlack) {
        ASSERT_EQ(f.Image(x, y), kRed);
      }
    }
  }

  // Filled ellipse, left button: black outline, red interior, all of it opaque.
  f.form.files().MnuNew_Click();
  UseRedOnTheRight(f);
  f.ChooseTool(12);
  f.DragCanvas(1, At(2), At(2), At(8), At(6));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      ASSERT_EQ(f.Mask(x, y), solid.At(x, y)) << x << "," << y;
      if (outline.At(x, y) == kBlack) {
        ASSERT_EQ(f.Image(x, y), kBlack);
      } else if (solid.At(x, y) == kBlack) {
        ASSERT_EQ(f.Image(x, y), kRed) << "inside at " << x << "," << y;
      }
    }
  }
  // The brushes are empty again: a hollow rectangle afterwards has no interior.
  f.ChooseTool(7);
  f.DragCanvas(1, At(20), At(20), At(24), At(24));
  EXPECT_EQ(f.Mask(22, 22), kWhite);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ShapeTool, ShapesBeyondTheEdgeAreClipped) {
  LoadedForm f;
  f.ChooseTool(8);
  f.DragCanvas(1, At(29), At(29), 500, 480);
  ExpectIcon(f, 28, 28, "....\n.kkk\n.kkk\n.kkk");
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ShapeTool, TheBandIsInvertedAndEachMoveRemovesTheLastOne) {
  LoadedForm f;
  f.ChooseTool(7);
  const Raster before = f.form.doc().PicMain().raster();
  f.form.PicMain_MouseDown(1, 0, At(2), At(2));
  f.form.PicMain_MouseMove(1, 0, At(9), At(7));
  f.form.PicMain_MouseMove(1, 0, At(5), At(4));
  // Only the outline of the box between the two cell centres differs, inverted.
  Raster expected = before;
  DrawBoxOutline(expected, 25, 25, 55, 45, Pen{Ink{kBlack, DrawMode::kInvert}});
  EXPECT_EQ(f.form.doc().PicMain().raster(), expected);
  EXPECT_EQ(f.Mask(2, 2), kWhite) << "nothing is committed before the release";
  f.form.PicMain_MouseUp(1, 0, At(5), At(4));
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ShapeTool, InterruptionsLeaveNoBandBehind) {
  LoadedForm f;
  f.ChooseTool(10);
  f.ClickCanvas(1, At(15), At(15));
  // An undo from the keyboard in the middle of a drag ends the drag first: the ellipse drawn so
  // far is the step undone, and the moves and the release that follow draw no band.
  f.form.PicMain_MouseDown(1, 0, At(2), At(2));
  f.form.PicMain_MouseMove(1, 0, At(9), At(9));
  const std::size_t before = f.form.undo().Steps().UndoCount();
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  const Raster expected = f.form.doc().PicMain().raster();
  f.form.PicMain_MouseMove(1, 0, At(6), At(7));
  EXPECT_EQ(f.form.doc().PicMain().raster(), expected);
  f.form.PicMain_MouseMove(1, 0, At(7), At(8));
  f.form.PicMain_MouseUp(1, 0, At(7), At(8));
  EXPECT_TRUE(f.ViewsShowTheIcon());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), before);
  EXPECT_EQ(f.form.undo().Steps().RedoCount(), 1u);
  // A second button during a drag is a chord: one gesture, one shape, one step.
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  f.ChooseTool(6);
  f.form.PicMain_MouseDown(1, 0, At(20), At(20));
  f.form.PicMain_MouseMove(1, 0, At(25), At(20));
  f.form.PicMain_MouseDown(2, 0, At(25), At(20));
  f.form.PicMain_MouseDown(4, 0, At(2), At(2));  // the middle button moves no press point
  f.form.PicMain_MouseMove(3, 0, At(26), At(22));
  f.form.PicMain_MouseUp(2, 0, At(26), At(22));
  f.form.PicMain_MouseMove(1, 0, At(28), At(20));
  f.form.PicMain_MouseUp(1, 0, At(28), At(20));
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 1);
  ExpectIcon(f, 19, 20, ".kkkkkkkkk.");
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

}  // namespace
}  // namespace pelorin
