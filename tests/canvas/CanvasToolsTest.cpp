// Pencil, eraser and colour picker on the canvas, and the surfaces they keep in step.
#include <gtest/gtest.h>

#include "support/LoadedForm.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

// Cell (i, j) shows `c` in its 9 x 9 interior on the canvas, a whole 10 x 10 block on the copy,
// and the icon, mask and preview agree.
void ExpectOpaqueCell(const LoadedForm& f, int i, int j, Colour c) {
  for (int k = 1; k <= 9; ++k) {
    EXPECT_EQ(f.Canvas(10 * i + k, 10 * j + k), c);
    EXPECT_EQ(f.Canvas(10 * i + k, 10 * j), kBlack) << "grid line above stays black";
  }
  EXPECT_EQ(f.Copy(10 * i, 10 * j), c);
  EXPECT_EQ(f.Copy(10 * i + 9, 10 * j + 9), c);
  EXPECT_EQ(f.Image(i, j), c);
  EXPECT_EQ(f.Mask(i, j), kBlack);
  EXPECT_EQ(f.Preview(i, j), c);
}

TEST(Pencil, PaintsTheCellUnderThePointerWithTheButtonsColour) {
  LoadedForm f;
  ASSERT_EQ(f.form.canvas().CurrentTool(), 2);
  f.ClickCanvas(1, 35, 47);  // cell (3, 4), left button: black
  ExpectOpaqueCell(f, 3, 4, kBlack);
  f.form.PicPal_MouseUp(2, 0, 13 * 9 + 5, 13 * 15 + 5);  // right colour: palette 249 (red)
  ASSERT_EQ(f.form.colours().CurrentColour(1), kRed);
  f.ClickCanvas(2, 305.4, 10.5);  // cell (30, 1): 10.5 rounds to 10
  ExpectOpaqueCell(f, 30, 1, kRed);
  EXPECT_TRUE(f.form.doc().Modified());
}

TEST(Pencil, AStrokePaintsOnlyTheCellsOfItsEventsAndIsOneStep) {
  LoadedForm f;
  f.form.PicMain_MouseDown(1, 0, 15, 15);
  f.form.PicMain_MouseMove(1, 0, 55, 15);  // a fast move skips cells 2 to 4
  f.form.PicMain_MouseMove(1, 0, 65, 15);
  f.form.PicMain_MouseUp(1, 0, 65, 15);
  EXPECT_EQ(f.Mask(1, 1), kBlack);
  EXPECT_EQ(f.Mask(3, 1), kWhite);
  EXPECT_EQ(f.Mask(5, 1), kBlack);
  EXPECT_EQ(f.Mask(6, 1), kBlack);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
}

TEST(Pencil, PointsLeftOfOrAboveTheGridAndOffTheIconPaintNothing) {
  LoadedForm f;
  const Raster image = f.form.doc().PicImage().raster();
  const Raster mask = f.form.doc().PicMask().raster();
  for (const auto& [x, y] :
       {std::pair{0.0, 50.0}, {50.0, 0.0}, {-20.0, 50.0}, {325.0, 50.0}, {50.0, 400.0}}) {
    f.ClickCanvas(1, x, y);
  }
  EXPECT_EQ(f.form.doc().PicImage().raster(), image);
  EXPECT_EQ(f.form.doc().PicMask().raster(), mask);
  for (int k = 0; k <= 320; ++k) ASSERT_EQ(f.Canvas(320, k), kBlack) << "closing line stays";
  // Each click is still a gesture of its own, recorded as a step.
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 6u);
}

TEST(Eraser, MakesCellsTransparentWithEitherButton) {
  LoadedForm f;
  f.ClickCanvas(1, 15, 15);
  f.ClickCanvas(1, 25, 15);
  f.ChooseTool(3);
  ASSERT_EQ(f.form.canvas().CurrentTool(), 3);
  f.ClickCanvas(1, 15, 15);
  f.ClickCanvas(2, 25, 15);
  for (int i : {1, 2}) {
    EXPECT_EQ(f.Mask(i, 1), kWhite);
    EXPECT_EQ(f.Image(i, 1), kBlack);
    EXPECT_EQ(f.Preview(i, 1), f.platform.button_face);
  }
  // The canvas and the copy show the hatch again, exactly as a fresh canvas.
  LoadedForm fresh;
  EXPECT_EQ(f.form.doc().PicMain().raster(), fresh.form.doc().PicMain().raster());
  EXPECT_EQ(f.form.doc().PicMainCopy().raster(), fresh.form.doc().PicMainCopy().raster());
}

TEST(ColourPicker, TakesTheColourForTheButtonAndReturnsToThePreviousTool) {
  LoadedForm f;
  f.form.PicPal_MouseUp(1, 0, 13 * 10 + 2, 13 * 15 + 2);  // left colour: palette 250 (green)
  f.ClickCanvas(1, 45, 45);
  f.ChooseTool(3);  // eraser, the tool to return to
  f.ChooseTool(4);
  ASSERT_EQ(f.form.canvas().CurrentTool(), 4);
  f.ClickCanvas(2, 45, 45);  // right button picks into colour 1
  EXPECT_EQ(f.form.colours().CurrentColour(1), kGreen);
  EXPECT_EQ(f.form.colours().CurrentColour(0), kGreen);
  EXPECT_EQ(f.form.canvas().CurrentTool(), 3);
  EXPECT_EQ(f.form.canvas().Tools().SelectedCell(), (Rect{46, 0, 69, 22}));
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u) << "picking records nothing";
}

TEST(ColourPicker, BeepsOnTransparentPixelsAndPicksNothingOnTheClosingLines) {
  LoadedForm f;
  f.ChooseTool(4);
  f.ClickCanvas(1, 45, 45);
  EXPECT_EQ(f.platform.beeps, 1);
  EXPECT_EQ(f.form.colours().CurrentColour(0), kBlack);
  EXPECT_EQ(f.form.canvas().CurrentTool(), 2);

  f.ChooseTool(4);
  f.ClickCanvas(1, 320, 45);  // on the right closing line: no pick, no beep
  EXPECT_EQ(f.platform.beeps, 1);
  EXPECT_EQ(f.form.canvas().CurrentTool(), 2);
  EXPECT_FALSE(f.form.doc().Modified());
}

TEST(Canvas, TheMiddleButtonAndChordsDoNothing) {
  LoadedForm f;
  f.form.PicMain_MouseDown(4, 0, 45, 45);
  f.form.PicMain_MouseMove(4, 0, 45, 45);
  f.form.PicMain_MouseMove(3, 0, 55, 45);
  f.form.PicMain_MouseUp(4, 0, 45, 45);
  EXPECT_EQ(f.Mask(4, 4), kWhite);
  EXPECT_EQ(f.Mask(5, 4), kWhite);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
  EXPECT_FALSE(f.form.doc().Modified());
}

TEST(Canvas, ToolsSetTheirPointers) {
  LoadedForm f;
  const std::pair<int, const char*> expected[] = {{2, "cursor-pencil.txt"},
                                                  {3, "cursor-eraser.txt"},
                                                  {4, "cursor-pipette.txt"},
                                                  {5, "cursor-bucket.txt"}};
  for (const auto& [tool, icon] : expected) {
    f.form.canvas().SelectTool(tool);
    EXPECT_EQ(f.form.doc().PicMain().mousePointer(), MousePointer::kCustom);
    EXPECT_EQ(f.form.doc().PicMain().mouseIcon(), icon);
  }
  for (int tool : {1, 6, 9, 12}) {
    f.form.canvas().SelectTool(tool);
    EXPECT_EQ(f.form.doc().PicMain().mousePointer(), MousePointer::kCrosshair) << tool;
  }
  f.form.canvas().SelectTool(4);
  EXPECT_EQ(f.form.canvas().LastDrawingTool(), 12) << "the picker is not a drawing tool";
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

TEST(Canvas, ASelectionClickLeavesThePictureAndItsHistoryAlone) {
  testing::LoadedForm f;
  f.ChooseTool(1);
  f.form.PicMain_MouseDown(1, 0, 45, 45);
  f.form.PicMain_MouseUp(1, 0, 45, 45);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
  EXPECT_FALSE(f.form.doc().Modified());
  EXPECT_EQ(f.Mask(4, 4), kWhite);
  EXPECT_FALSE(f.form.selection().Exists()) << "a click marks nothing";
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

}  // namespace
}  // namespace pelorin

namespace pelorin {
namespace {

// What a pencil move asks the views to repaint: the cell with its grid lines and one preview
// pixel, not the whole canvas; and the readout only when the cell under the pointer changes.
TEST(Canvas, APencilMoveRefreshesOnlyWhatItChanged) {
  testing::LoadedForm f;
  std::vector<Rect> canvas;
  std::vector<Rect> preview;
  std::vector<Rect> client;
  f.form.doc().PicMain().SetRefreshHandler([&](Rect r) { canvas.push_back(r); });
  f.form.doc().picIcon().SetRefreshHandler([&](Rect r) { preview.push_back(r); });
  f.form.Form.SetRefreshHandler([&](Rect r) { client.push_back(r); });
  f.form.PicMain_MouseDown(1, 0, 35, 47);
  EXPECT_EQ(canvas, (std::vector<Rect>{{30, 40, 41, 51}}));
  EXPECT_EQ(preview, (std::vector<Rect>{{3, 4, 4, 5}}));
  ASSERT_EQ(client.size(), 1u) << "the position readout";
  EXPECT_LT(client[0].Width() * client[0].Height(), 60 * 20);
  f.form.PicMain_MouseMove(1, 0, 37, 42);  // the same cell again
  EXPECT_EQ(client.size(), 1u) << "an unchanged readout is not repainted";
}

TEST(Menus, ARuleThatDisablesAnItemKeepsItsCommandFromRunning) {
  testing::LoadedForm f;
  f.ClickCanvas(1, 55, 55);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);  // undo: the only step is gone
  ASSERT_EQ(f.Mask(5, 5), kWhite);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);  // nothing left to undo: no effect
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);  // redo
  EXPECT_EQ(f.Mask(5, 5), kBlack);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);  // nothing left to redo: no effect
  EXPECT_EQ(f.Mask(5, 5), kBlack);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
}

}  // namespace
}  // namespace pelorin
