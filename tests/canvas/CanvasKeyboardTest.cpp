// The canvas, the tool palette and the colour palette from the keyboard, and what a screen reader
// is told of them.
#include <gtest/gtest.h>

#include <vector>

#include "app/Accessibility.h"
#include "base/Keys.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

struct Cell {
  int column;
  int row;
};

// A picture to work on: a diagonal band of colours, the rest transparent; red and green as the
// current colours.
void Prepare(LoadedForm& f) {
  for (int i = 0; i < 32; ++i)
    for (int k = 0; k < 3; ++k) f.Opaque((i + k) % 32, i, 0x102030u * (k + 1) + i);
  f.form.undo().RecordStep();
  f.form.colours().SetCurrentColour(0, 0x0000FF);
  f.form.colours().SetCurrentColour(1, 0x00FF00);
}

// The keyboard's cursor to `to` (Space up), one arrow at a time.
void CursorTo(LoadedForm& f, Cell to) {
  CanvasKeyboard& keys = f.form.canvas_keys();
  while (keys.Column() != to.column)
    keys.KeyDown(keys.Column() < to.column ? kKeyRight : kKeyLeft, 0, false);
  while (keys.Row() != to.row) keys.KeyDown(keys.Row() < to.row ? kKeyDown : kKeyUp, 0, false);
}

double Centre(int cell) { return 10 * cell + 5; }

// Every tool's gesture made with Space and the arrows leaves the picture, the colours, the
// history and the views as the pointer's gesture over the same cells' centres does.
TEST(CanvasKeyboard, AGestureOfTheKeysIsThePointersOverTheCellsCentres) {
  const std::vector<int> keys_path = {kKeyRight, kKeyRight, kKeyDown, kKeyDown, kKeyDown, kKeyLeft};
  for (int tool = kToolPencil; tool <= LoadedForm().form.canvas().Tools().ToolCount(); ++tool) {
    for (int button : {1, 2}) {
      for (bool drag : {false, true}) {
        LoadedForm by_keys;
        LoadedForm by_pointer;
        for (LoadedForm* f : {&by_keys, &by_pointer}) {
          Prepare(*f);
          f->ChooseTool(tool);
        }
        Cell at{6, 4};
        CursorTo(by_keys, at);
        CanvasKeyboard& keys = by_keys.form.canvas_keys();
        keys.KeyDown(kKeySpace, button == 2 ? kShiftDown : 0, false);
        by_pointer.form.PicMain_MouseMove(0, 0, Centre(at.column), Centre(at.row));
        by_pointer.form.PicMain_MouseDown(button, 0, Centre(at.column), Centre(at.row));
        for (int key : drag ? keys_path : std::vector<int>{}) {
          keys.KeyDown(key, 0, false);
          at.column += key == kKeyRight ? 1 : (key == kKeyLeft ? -1 : 0);
          at.row += key == kKeyDown ? 1 : 0;
          by_pointer.form.PicMain_MouseMove(button, 0, Centre(at.column), Centre(at.row));
        }
        keys.KeyUp(kKeySpace, 0, false);
        by_pointer.form.PicMain_MouseUp(button, 0, Centre(at.column), Centre(at.row));

        const std::string what = "tool " + std::to_string(tool) + " button " +
                                 std::to_string(button) + (drag ? " drag" : " click");
        EXPECT_EQ(by_keys.form.doc().PicImage().raster(), by_pointer.form.doc().PicImage().raster())
            << what;
        EXPECT_EQ(by_keys.form.doc().PicMask().raster(), by_pointer.form.doc().PicMask().raster())
            << what;
        EXPECT_EQ(by_keys.form.colours().CurrentColours(),
                  by_pointer.form.colours().CurrentColours())
            << what;
        EXPECT_EQ(by_keys.form.canvas().CurrentTool(), by_pointer.form.canvas().CurrentTool());
        EXPECT_EQ(by_keys.form.undo().Steps().UndoCount(),
                  by_pointer.form.undo().Steps().UndoCount())
            << what;
        EXPECT_TRUE(by_keys.ViewsShowTheIcon()) << what;
        EXPECT_FALSE(by_keys.form.canvas().GestureUnderWay()) << what;
      }
    }
  }
}

// The marquee takes in the cells from Space's to the cursor's, both included, whichever way the
// cursor went; a click marks nothing; a drag inside the selection moves it by the cells crossed.
TEST(CanvasKeyboard, TheMarqueeTakesInWholeCellsAndTheSelectionMovesByCells) {
  for (const auto& [to, bounds] : {std::pair{Cell{8, 7}, Rect{50, 50, 90, 80}},
                                   {Cell{2, 7}, Rect{20, 50, 60, 80}},
                                   {Cell{8, 2}, Rect{50, 20, 90, 60}},
                                   {Cell{2, 2}, Rect{20, 20, 60, 60}},
                                   {Cell{31, 31}, Rect{50, 50, 320, 320}}}) {
    LoadedForm f;
    f.ChooseTool(kToolSelect);
    CanvasKeyboard& keys = f.form.canvas_keys();
    CursorTo(f, {5, 5});
    keys.KeyDown(kKeySpace, 0, false);
    keys.KeyDown(kKeySpace, 0, true);  // the repeats of a held Space mean nothing
    keys.KeyUp(kKeySpace, 0, true);
    CursorTo(f, to);
    const int columns = std::abs(to.column - 5) + 1;
    const int rows = std::abs(to.row - 5) + 1;
    EXPECT_EQ(f.form.status().SizeText().text,
              std::to_string(columns) + " , " + std::to_string(rows));
    keys.KeyUp(kKeySpace, 0, false);
    EXPECT_TRUE(f.form.selection().IsMarquee());
    EXPECT_EQ(f.form.selection().Bounds(), bounds);
  }
  LoadedForm f;
  f.ChooseTool(kToolSelect);
  f.DragCanvas(1, 20, 20, 60, 50);  // cells 2 to 5 by 2 to 4
  CanvasKeyboard& keys = f.form.canvas_keys();
  CursorTo(f, {3, 3});
  keys.KeyDown(kKeySpace, 0, false);
  keys.KeyDown(kKeyRight, kCtrlDown, false);
  keys.KeyUp(kKeySpace, 0, false);
  EXPECT_TRUE(f.form.selection().IsFloating());
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{100, 20, 140, 50}));
  CursorTo(f, {20, 20});
  keys.KeyDown(kKeySpace, 0, false);  // a click outside drops it, and marks nothing
  keys.KeyUp(kKeySpace, 0, false);
  EXPECT_FALSE(f.form.selection().Exists());
}

TEST(CanvasKeyboard, ADragCrossesEveryCellAndEndsWithSpaceEscOrTheFocus) {
  LoadedForm f;
  CanvasKeyboard& keys = f.form.canvas_keys();
  keys.KeyDown(kKeyEnd, kCtrlDown, false);
  EXPECT_EQ(f.form.status().PositionText().text, "31 , 31");  // the readout follows
  keys.KeyDown(kKeyHome, 0, false);
  keys.KeyDown(kKeyPageUp, 0, false);
  EXPECT_EQ(f.form.status().PositionText().text, "0 , 0");
  EXPECT_EQ(keys.Frame(), (Rect{0, 0, 11, 11}));

  keys.KeyDown(kKeySpace, kShiftDown, false);  // the right button: white
  keys.KeyDown(kKeyRight, kCtrlDown, false);   // eight cells, none left out
  EXPECT_EQ(keys.HeldButton(), 2);
  keys.KeyDown(kKeyEscape, 0, false);  // ends the drag where it stands
  EXPECT_FALSE(f.form.canvas().GestureUnderWay());
  keys.KeyDown(kKeyDown, 0, false);  // Space still down: the drag is over all the same
  keys.KeyUp(kKeySpace, 0, false);
  for (int i = 0; i <= 8; ++i) EXPECT_EQ(f.Image(i, 0), kWhite) << i;
  EXPECT_EQ(f.Mask(8, 1), kWhite);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
  EXPECT_FALSE(keys.KeyDown(kKeyEscape, 0, false));  // no drag: Esc is not the canvas's

  keys.KeyDown(kKeySpace, 0, false);
  keys.KeyDown(kKeyUp, 0, false);
  keys.FocusLost();  // the release never comes: the focus went
  EXPECT_FALSE(f.form.canvas().GestureUnderWay());
  EXPECT_EQ(f.Image(8, 0), kBlack);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);

  // A drag of the pointer keeps the canvas: Space waits.
  f.form.PicMain_MouseDown(1, 0, 205, 205);
  keys.KeyDown(kKeySpace, 0, false);
  keys.KeyUp(kKeySpace, 0, false);
  EXPECT_TRUE(f.form.canvas().GestureUnderWay());
  f.form.PicMain_MouseUp(1, 0, 205, 205);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 4u);
}

TEST(PaletteKeys, TheToolsAndColoursAreChosenWithSpaceAndEnter) {
  LoadedForm f;
  ToolKeyboard& tools = f.form.tool_keys();
  tools.FocusTaken();
  EXPECT_EQ(tools.Tool(), kToolPencil);
  for (int key : {kKeyDown, kKeyDown, kKeyDown, kKeyRight, kKeyRight, kKeyRight})
    EXPECT_TRUE(tools.KeyDown(key, 0, false));
  EXPECT_EQ(tools.Tool(), kToolFilledEllipse);
  EXPECT_TRUE(tools.KeyDown(kKeySpace, 0, false));
  EXPECT_EQ(f.form.canvas().CurrentTool(), kToolFilledEllipse);
  EXPECT_EQ(f.form.canvas().Tools().SelectedCell(), (Rect{69, 44, 92, 66}));
  tools.KeyDown(kKeyHome, kCtrlDown, false);
  tools.KeyDown(kKeyReturn, 0, false);
  EXPECT_EQ(f.form.canvas().CurrentTool(), kToolSelect);
  EXPECT_FALSE(tools.KeyDown(kKeyEscape, 0, false));

  PaletteKeyboard& palette = f.form.palette_keys();
  const auto& entries = f.form.colours().Palette().entries();
  palette.KeyDown(kKeyRight, kCtrlDown, false);
  palette.KeyDown(kKeyDown, 0, false);
  EXPECT_EQ(palette.Cell(), 20);
  palette.KeyDown(kKeySpace, 0, false);
  palette.KeyDown(kKeyPageDown, 0, false);
  palette.KeyDown(kKeySpace, kShiftDown, false);
  EXPECT_EQ(f.form.colours().CurrentColours(), (std::array{entries[20], entries[244]}));
  EXPECT_FALSE(palette.KeyDown(kKeyReturn, 0, false));  // without 调整调色板: not the palette's
  const std::array<Colour, 2> chosen = f.form.colours().CurrentColours();
  f.form.ChkPal_Click(true);
  f.platform.colour_answers = {0x123456, std::nullopt};
  palette.KeyDown(kKeyReturn, 0, false);  // redefines the cell, and only that
  palette.KeyDown(kKeyReturn, 0, false);  // cancelled: nothing
  EXPECT_EQ(entries[244], 0x123456u);
  EXPECT_EQ(f.form.colours().CurrentColours(), chosen);
}

TEST(Accessibility, TheCanvasThePalettesAndTheReadoutsAreReadInTheProgramsWords) {
  LoadedForm f;
  f.Opaque(3, 5, 0x0000FF);
  EXPECT_EQ(SpokenColour(0x0000FF), "红 255, 绿 0, 蓝 0");
  const AccessibleSurface canvas = CanvasAccessible(f.form.doc(), f.form.canvas_keys());
  EXPECT_EQ(canvas.name(), "图标画布 32 x 32");
  EXPECT_EQ(canvas.value(), "列 0, 行 0：透明");
  CursorTo(f, {3, 5});
  EXPECT_EQ(canvas.value(), "列 3, 行 5：红 255, 绿 0, 蓝 0");
  EXPECT_EQ(canvas.current_part(), 5 * 32 + 3);
  EXPECT_EQ(canvas.part_name(5 * 32 + 3), canvas.value());

  const AccessibleSurface tools = ToolsAccessible(f.form.canvas(), f.form.tool_keys());
  EXPECT_EQ(tools.part_count(), 12);
  EXPECT_EQ(tools.part_name(6), "空心矩形");
  EXPECT_TRUE(tools.part_checked(kToolPencil - 1));
  const AccessibleSurface palette = PaletteAccessible(f.form.colours(), f.form.palette_keys());
  EXPECT_EQ(palette.part_name(255), "红 255, 绿 255, 蓝 255");

  std::vector<std::string> read;
  for (const SpokenArea& area : f.form.SpokenAreas()) read.push_back(area.text());
  EXPECT_EQ(read, (std::vector<std::string>{"位置 3 , 5", "大小", "左键颜色：红 0, 绿 0, 蓝 0",
                                            "右键颜色：红 255, 绿 255, 蓝 255"}));
}

}  // namespace
}  // namespace pelorin
