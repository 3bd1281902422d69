// Undo and redo through the main window and its Edit menu.
#include <gtest/gtest.h>

#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

bool EditItemEnabled(LoadedForm& f, int index) {
  f.form.MenuOpened("MnuEdit");
  return f.form.Menus()[1].items[index].enabled;
}

TEST(UndoRedo, TheEditMenuHasItsTenEntries) {
  LoadedForm f;
  const auto& items = f.form.Menus()[1].items;
  ASSERT_EQ(items.size(), 10u);
  const char* captions[] = {"撤消(&U)",     "重复(&R)",     "-",        "剪切(u&)", "复制(&C)",
                            "透明粘贴(&P)", "覆盖粘贴(&O)", "删除(&D)", "-",        "全选(&S)"};
  const char* shortcuts[] = {"Ctrl+Z", "", "", "Ctrl+X", "Ctrl+C", "Ctrl+V", "", "Del", "", ""};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(items[i].caption, captions[i]);
    EXPECT_EQ(items[i].shortcut, shortcuts[i]);
    EXPECT_EQ(items[i].index, i);
  }
}

TEST(UndoRedo, OnePixelUndoneAndRedone) {
  LoadedForm f;
  EXPECT_FALSE(EditItemEnabled(f, 0));
  EXPECT_FALSE(EditItemEnabled(f, 1));
  f.ClickCanvas(1, 55, 55);
  EXPECT_TRUE(EditItemEnabled(f, 0));
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Mask(5, 5), kWhite) << "the pixel is transparent again";
  EXPECT_EQ(f.Preview(5, 5), f.platform.button_face);
  EXPECT_FALSE(EditItemEnabled(f, 0));
  EXPECT_TRUE(EditItemEnabled(f, 1));
  EXPECT_TRUE(f.form.doc().Modified()) << "undo marks the document changed";
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);
  EXPECT_EQ(f.Mask(5, 5), kBlack);
  EXPECT_EQ(f.Canvas(55, 55), kBlack);
}

TEST(UndoRedo, PaintingAfterUndoForgetsTheUndoneStates) {
  LoadedForm f;
  f.ClickCanvas(1, 15, 15);
  f.ClickCanvas(1, 25, 15);
  f.ClickCanvas(1, 35, 15);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  f.ClickCanvas(1, 15, 25);
  EXPECT_FALSE(EditItemEnabled(f, 1));
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);  // disabled: nothing happens
  EXPECT_EQ(f.Mask(2, 1), kWhite);

  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Mask(1, 1), kBlack);
  EXPECT_EQ(f.Mask(1, 2), kWhite);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Mask(1, 1), kWhite);
  EXPECT_FALSE(EditItemEnabled(f, 0));
}

TEST(UndoRedo, ClipboardItemsNeedASelectionOrAPictureAndSelectAllIsAlwaysThere) {
  LoadedForm f;
  for (int i : {3, 4, 5, 6, 7}) EXPECT_FALSE(EditItemEnabled(f, i)) << i;
  EXPECT_TRUE(EditItemEnabled(f, 9));
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 9);  // select all
  for (int i : {3, 4, 7}) EXPECT_TRUE(EditItemEnabled(f, i)) << i;
  EXPECT_FALSE(EditItemEnabled(f, 5)) << "text or nothing on the clipboard is no picture";
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 4);  // copy
  EXPECT_TRUE(EditItemEnabled(f, 5));
  EXPECT_TRUE(EditItemEnabled(f, 6));
}

TEST(UndoRedo, ResetDocumentLeavesOnlyTheBlankPicture) {
  LoadedForm f;
  f.ClickCanvas(1, 15, 15);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  f.form.ResetDocument();
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
  EXPECT_EQ(f.form.undo().Steps().RedoCount(), 0u);
  EXPECT_EQ(f.form.canvas().CurrentTool(), 2);
  EXPECT_EQ(f.form.canvas().Tools().SelectedCell(), (Rect{23, 0, 46, 22}));
}

TEST(UndoRedo, HundredsOfStrokesUndoOneByOne) {
  LoadedForm f;
  for (int k = 0; k < 300; ++k) f.ClickCanvas(1, 5 + 10 * (k % 32), 5 + 10 * (k / 32));
  for (int k = 299; k >= 0; --k) {
    ASSERT_EQ(f.Mask(k % 32, k / 32), kBlack);
    f.form.undo().UndoStep();
    ASSERT_EQ(f.Mask(k % 32, k / 32), kWhite);
  }
  EXPECT_FALSE(EditItemEnabled(f, 0));
}

// A command that arrives while a button is held on the canvas (its shortcut) ends the gesture
// as its release would, then acts; the release that comes later adds nothing.
TEST(UndoRedo, ACommandDuringADragEndsTheDragFirst) {
  LoadedForm f;
  f.ClickCanvas(1, 15, 15);
  // Undo in the middle of a rectangle: the rectangle is the step undone, and redo brings it.
  f.ChooseTool(7);
  f.form.PicMain_MouseDown(1, 0, 45, 45);
  f.form.PicMain_MouseMove(1, 0, 85, 85);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Mask(4, 4), kWhite) << "no rectangle";
  EXPECT_EQ(f.Mask(1, 1), kBlack) << "the earlier pixel stays";
  f.form.PicMain_MouseMove(1, 0, 95, 95);
  f.form.PicMain_MouseUp(1, 0, 95, 95);
  EXPECT_TRUE(f.ViewsShowTheIcon()) << "no band left behind";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);
  EXPECT_EQ(f.Mask(4, 4), kBlack);
  EXPECT_EQ(f.Mask(8, 8), kBlack) << "the rectangle as it was when the key came";
  EXPECT_EQ(f.Mask(9, 9), kWhite);

  // Delete while a pasted selection is dragged: it is gone, and does not come back.
  f.platform.clipboard = ClipboardPicture::Of(Raster(3, 3, 0x0000FF));
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 6);
  f.form.PicMain_MouseMove(0, 0, 15, 15);
  f.form.PicMain_MouseDown(1, 0, 15, 15);
  f.form.PicMain_MouseMove(1, 0, 155, 155);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 7);
  EXPECT_FALSE(f.form.selection().Exists());
  f.form.PicMain_MouseMove(1, 0, 205, 205);
  f.form.PicMain_MouseUp(1, 0, 205, 205);
  EXPECT_TRUE(f.ViewsShowTheIcon()) << "no floating pixels without a selection";
  EXPECT_EQ(f.Mask(15, 15), kWhite);
  EXPECT_EQ(f.Mask(20, 20), kWhite);
}

}  // namespace
}  // namespace pelorin
