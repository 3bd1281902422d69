// The Image menu through the main window: the picture or the selection, the steps recorded, the
// enabling of the mirror items, capture and gradient with their dialogs.
#include <gtest/gtest.h>

#include "support/LoadedForm.h"
#include "transform/FrmShades.h"
#include "transform/FrmSnap.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

void Image(LoadedForm& f, int index) { f.form.MenuCommand("MnuImage", "MnuImageOpts", index); }

// Marks icon pixels [x0, x1) x [y0, y1) with the selection tool.
void Mark(LoadedForm& f, int x0, int y0, int x1, int y1) {
  f.ChooseTool(1);
  f.DragCanvas(1, 10 * x0, 10 * y0, 10 * x1 + 1, 10 * y1 + 1);
  ASSERT_EQ(f.form.selection().Bounds(), (Rect{10 * x0, 10 * y0, 10 * x1, 10 * y1}));
}

TEST(ImageCommands, WholePictureFlipsAndTurnsAreOneStepEachAndUndoExactly) {
  LoadedForm f;
  f.Opaque(31, 0, kRed);
  f.Opaque(0, 31, kGreen);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  const Raster image = f.form.doc().PicImage().raster();
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  Image(f, 7);  // anticlockwise: the top-right corner goes to the top-left
  EXPECT_EQ(f.Image(0, 0), kRed);
  EXPECT_EQ(f.Preview(0, 0), kRed);
  Image(f, 8);
  Image(f, 4);
  EXPECT_EQ(f.Image(0, 0), kRed) << "flipped back across";
  Image(f, 4);
  EXPECT_EQ(f.form.doc().PicImage().raster(), image);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 4);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Image(0, 0), kRed);
  Image(f, 5);
  EXPECT_EQ(f.Image(0, 31), kRed);
  EXPECT_EQ(f.Image(31, 0), kGreen);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ImageCommands, AMarqueeIsFlippedInPlaceAsOneStepOfItsOwn) {
  LoadedForm f;
  f.Opaque(2, 2, kRed);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  f.ChooseTool(2);
  f.ClickCanvas(1, 305, 305);  // an unrelated dot, one step before the flip
  Mark(f, 2, 2, 5, 3);         // 3 x 1
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  Image(f, 4);
  EXPECT_EQ(f.Image(4, 2), kRed) << "written back into the picture at once";
  EXPECT_EQ(f.Mask(2, 2), kWhite);
  EXPECT_TRUE(f.form.selection().IsMarquee());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 1);
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  EXPECT_EQ(f.Image(2, 2), kRed) << "undo takes the flip back";
  EXPECT_EQ(f.Mask(30, 30), kBlack) << "and only the flip";
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 1);
  EXPECT_EQ(f.Image(4, 2), kRed) << "redo brings it back";
  EXPECT_EQ(f.Mask(2, 2), kWhite);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ImageCommands, TurningAMarqueeLiftsItAndTurnsAboutItsCorner) {
  LoadedForm f;
  for (int y = 4; y < 9; ++y)
    for (int x = 3; x < 5; ++x) f.Opaque(x, y, y == 4 && x == 3 ? kRed : kGreen);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  Mark(f, 3, 4, 5, 9);  // 2 x 5 at (3, 4)
  Image(f, 8);          // clockwise
  EXPECT_TRUE(f.form.selection().IsFloating());
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{30, 40, 80, 60})) << "5 x 2, same top-left";
  for (int y = 4; y < 9; ++y)
    for (int x = 3; x < 5; ++x) EXPECT_EQ(f.Mask(x, y), kWhite) << "the picture has a hole";
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  f.ChooseTool(2);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 1) << "committed as one step";
  EXPECT_EQ(f.Image(7, 4), kRed) << "the top-left corner went to the top-right";
  EXPECT_EQ(f.Mask(3, 5), kBlack);
  EXPECT_EQ(f.Mask(3, 6), kWhite);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ImageCommands, AFloatingSelectionTurnedPastTheEdgeIsCutOnlyWhenCommitted) {
  LoadedForm f;
  for (int x = 25; x < 32; ++x) f.Opaque(x, 30, kRed);
  f.form.doc().DisplayResults();
  Mark(f, 25, 30, 32, 31);  // 7 x 1 at the bottom
  Image(f, 7);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{250, 300, 260, 370}));
  Image(f, 8);  // back again: nothing was lost while floating
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{250, 300, 320, 310}));
  f.ChooseTool(2);
  for (int x = 25; x < 32; ++x) EXPECT_EQ(f.Image(x, 30), kRed);
}

TEST(ImageCommands, MirrorItemsFollowTheSelectionsSize) {
  LoadedForm f;
  const auto enabled = [&](int item) {
    f.form.MenuOpened("MnuImage");
    return f.form.Menus()[2].items[10].items[item].enabled;
  };
  for (int item = 0; item < 4; ++item) EXPECT_TRUE(enabled(item));
  Mark(f, 1, 1, 4, 5);  // 3 x 4
  EXPECT_FALSE(enabled(0));
  EXPECT_FALSE(enabled(1));
  EXPECT_TRUE(enabled(2));
  EXPECT_TRUE(enabled(3));
  f.form.MenuCommand("MnuImage", "MnuMirrorOpts", 0);  // disabled: nothing happens
  EXPECT_TRUE(f.form.selection().IsMarquee());
  f.Opaque(0, 3, kRed);
  f.form.canvas().SelectTool(2);
  f.form.MenuCommand("MnuImage", "MnuMirrorOpts", 0);
  EXPECT_EQ(f.Image(31, 3), kRed);
  EXPECT_EQ(f.Image(0, 3), kRed);
}

TEST(ImageCommands, TheButtonEffectCommitsTheSelectionAsAStepOfItsOwn) {
  LoadedForm f;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) f.Opaque(x, y, kWhite);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  Mark(f, 10, 10, 12, 12);
  f.form.PicMain_MouseMove(0, 0, 101, 101);
  f.form.PicMain_MouseDown(1, 0, 101, 101);
  f.form.PicMain_MouseMove(1, 0, 151, 151);
  f.form.PicMain_MouseUp(1, 0, 151, 151);
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  Image(f, 0);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 2);
  EXPECT_EQ(f.Image(0, 0), 0xBFBFBFu);
  EXPECT_EQ(f.Image(3, 3), 0xF7F7F7u);
  EXPECT_EQ(f.Image(15, 15), kWhite);
  EXPECT_FALSE(f.form.selection().Exists());
}

TEST(ImageCommands, ACaptureTakesTheBlockAndWithoutAScreenImageSaysSo) {
  LoadedForm f;
  Raster screen(640, 480, 0x102030);
  screen.SetPixel(608, 448, kRed);  // the top-left of the last whole block
  f.platform.screen_image = screen;
  f.platform.Answer<FrmSnap>([&](FrmSnap& snap) {
    EXPECT_FALSE(f.host.shown) << "the main window has left the screen";
    snap.Form_MouseMove(0, 0, 639, 479);
    snap.Form_MouseDown(1, 0, 639, 479);
    snap.Form_MouseUp(1, 0, 639, 479);
  });
  const std::string caption = f.host.caption;
  Image(f, 1);
  EXPECT_TRUE(f.host.shown);
  EXPECT_EQ(f.Image(0, 0), kRed);
  EXPECT_EQ(f.Image(31, 31), 0x102030u);
  EXPECT_EQ(f.Mask(17, 9), kBlack);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
  EXPECT_EQ(f.host.caption, caption) << "title and path stay";

  f.platform.screen_image = std::nullopt;
  const Raster image = f.form.doc().PicImage().raster();
  Image(f, 1);
  EXPECT_TRUE(f.host.shown) << "the window comes back";
  EXPECT_EQ(f.form.doc().PicImage().raster(), image);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_EQ(f.platform.messages[0].icon, MsgIcon::kExclamation);
}

TEST(ImageCommands, TheGradientFillsOnlyTransparentPixelsOnOk) {
  LoadedForm f;
  f.Opaque(5, 5, kRed);
  f.form.doc().DisplayResults();
  f.platform.Answer<FrmShades>([](FrmShades& d) { d.CmdCancel_Click(); });
  Image(f, 2);
  EXPECT_EQ(f.Mask(0, 0), kWhite) << "Cancel changes nothing";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 1u);
  f.platform.Answer<FrmShades>([](FrmShades& d) { d.cmdOK_Click(); });
  Image(f, 2);
  EXPECT_EQ(f.Image(5, 5), kRed);
  EXPECT_EQ(f.Image(0, 0), kBlack);
  EXPECT_EQ(f.Image(1, 3), 0x080808u) << "black to white, left to right";
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(f.Mask(x, y), kBlack);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
}

}  // namespace
}  // namespace pelorin
