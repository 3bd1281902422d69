// Cut, copy, the two pastes, delete and select all, with the system clipboard of the fake.
#include <gtest/gtest.h>

#include "edit/FrmClipData.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

constexpr Colour kRed = 0x0000FF;

void Edit(LoadedForm& f, int index) { f.form.MenuCommand("MnuEdit", "MnuEditOpts", index); }

void Mark(LoadedForm& f, int x0, int y0, int x1, int y1) {
  f.ChooseTool(1);
  f.DragCanvas(1, 10 * x0, 10 * y0, 10 * x1 + 1, 10 * y1 + 1);
}

void Offer(LoadedForm& f, const Raster& picture) {
  f.platform.clipboard = ClipboardPicture::Of(picture);
}

TEST(ClipboardCommands, CopyThenPasteGivesBackEveryPixel) {
  LoadedForm f;
  f.Opaque(1, 1, kRed);
  f.Opaque(2, 1, kWhite);  // opaque white next to a transparent pixel at (3, 1)
  f.Opaque(1, 2, 0xFEFEFE);
  f.form.doc().DisplayResults();
  Mark(f, 1, 1, 4, 3);
  Edit(f, 4);
  ASSERT_EQ(f.platform.clipboard_puts.size(), 1u);
  const Raster& put = f.platform.clipboard_puts[0];
  EXPECT_EQ(put.At(0, 0), kRed);
  EXPECT_EQ(put.At(2, 0), kWhite) << "a transparent pixel is white in the picture";
  EXPECT_TRUE(f.form.selection().IsMarquee()) << "copy leaves the selection";
  f.ChooseTool(2);
  // Wipe the picture, then paste the copy back.
  f.form.doc().ChangePicture([](Raster& mask, Raster& image) {
    image.Fill(kBlack);
    mask.Fill(kWhite);
  });
  Edit(f, 5);
  EXPECT_TRUE(f.form.selection().IsFloating());
  EXPECT_EQ(f.form.canvas().CurrentTool(), 1);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{0, 0, 30, 20}));
  f.ChooseTool(2);
  EXPECT_EQ(f.Image(0, 0), kRed);
  EXPECT_EQ(f.Mask(1, 0), kBlack) << "opaque white stays opaque";
  EXPECT_EQ(f.Image(1, 0), kWhite);
  EXPECT_EQ(f.Mask(2, 0), kWhite) << "transparent stays transparent";
  EXPECT_EQ(f.Image(0, 1), 0xFEFEFEu);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ClipboardCommands, PicturesWithoutTransparencyLosePureWhiteInATransparentPaste) {
  LoadedForm f;
  Raster picture(16, 16, kWhite);
  picture.SetPixel(3, 3, 0xFEFEFE);
  picture.SetPixel(4, 4, kRed);
  Offer(f, picture);
  Edit(f, 5);
  f.ChooseTool(2);
  EXPECT_EQ(f.Mask(0, 0), kWhite);
  EXPECT_EQ(f.Mask(3, 3), kBlack) << "only pure white is clear";
  EXPECT_EQ(f.Image(4, 4), kRed);
  Offer(f, picture);
  Edit(f, 6);  // overlay: every pixel opaque
  f.ChooseTool(2);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(f.Mask(x, y), kBlack);
  EXPECT_EQ(f.Image(0, 0), kWhite);
  EXPECT_EQ(f.Mask(16, 0), kWhite) << "the 16 x 16 paste covers only its corner";
}

TEST(ClipboardCommands, LargePicturesAreShrunkAsTheDialogSaysOrRefused) {
  LoadedForm f;
  Raster picture(64, 48, kRed);
  Offer(f, picture);
  f.platform.Answer<FrmClipData>([](FrmClipData& d) {
    d.Opt = {false, true};
    d.cmdOK_Click();
  });
  Edit(f, 6);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{0, 0, 320, 240})) << "64 x 48 becomes 32 x 24";
  f.platform.Answer<FrmClipData>([](FrmClipData& d) { d.cmdOK_Click(); });
  Offer(f, Raster(33, 10, kRed));
  Edit(f, 6);
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{0, 0, 320, 320})) << "squeezed to 32 x 32";
  f.platform.Answer<FrmClipData>([](FrmClipData& d) { d.CmdCancel_Click(); });
  Offer(f, Raster(33, 10, kRed));
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  Edit(f, 6);
  EXPECT_TRUE(f.form.selection().IsFloating()) << "cancel leaves the selection as it was";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps) << "and pastes nothing";
  EXPECT_EQ(f.platform.Shown<FrmClipData>(), 3);
  Offer(f, Raster(32, 32, kRed));
  Edit(f, 6);
  EXPECT_EQ(f.platform.Shown<FrmClipData>(), 3) << "32 x 32 needs no dialog";

  f.platform.clipboard = {ClipboardPicture::Kind::kTooLarge, {}, std::nullopt, 20000, 20000};
  Edit(f, 5);
  ASSERT_EQ(f.platform.messages.size(), 1u);
  EXPECT_NE(f.platform.messages[0].text.find("20000 x 20000"), std::string::npos);
  f.platform.clipboard = {ClipboardPicture::Kind::kUndecodable, {}, std::nullopt, 0, 0};
  Edit(f, 5);
  EXPECT_EQ(f.platform.messages.size(), 2u);
  EXPECT_EQ(f.platform.Shown<FrmClipData>(), 3);
}

TEST(ClipboardCommands, DeleteCutAndUndo) {
  LoadedForm f;
  f.Opaque(5, 5, kRed);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  Mark(f, 4, 4, 7, 7);
  Edit(f, 7);
  EXPECT_EQ(f.Mask(5, 5), kWhite);
  EXPECT_FALSE(f.form.selection().Exists());
  EXPECT_TRUE(f.ViewsShowTheIcon());
  Edit(f, 0);
  EXPECT_EQ(f.Image(5, 5), kRed) << "delete is one step";
  Mark(f, 4, 4, 7, 7);
  Edit(f, 3);
  EXPECT_EQ(f.Mask(5, 5), kWhite);
  EXPECT_EQ(f.platform.clipboard_puts.back().At(1, 1), kRed) << "the cut pixels are copied";
  Edit(f, 0);
  EXPECT_EQ(f.Image(5, 5), kRed);
  EXPECT_EQ(f.platform.clipboard.picture.At(1, 1), kRed) << "the clipboard keeps them";
  // A floating selection deleted: its pixels vanish, the picture under it shows again.
  Edit(f, 5);
  Edit(f, 7);
  EXPECT_EQ(f.Mask(1, 1), kWhite);
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(ClipboardCommands, SelectAllMarksTheWholePictureAfterCommitting) {
  LoadedForm f;
  Offer(f, Raster(2, 2, kRed));
  Edit(f, 5);
  const std::size_t steps = f.form.undo().Steps().UndoCount();
  Edit(f, 9);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), steps + 1) << "the paste committed as a step";
  EXPECT_TRUE(f.form.selection().IsMarquee());
  EXPECT_EQ(f.form.selection().Bounds(), (Rect{0, 0, 320, 320}));
  EXPECT_EQ(f.form.selection().PicSelImage().width(), 32);
  EXPECT_EQ(f.form.selection().PicSelImage().raster().At(1, 1), kRed);
  EXPECT_EQ(f.form.canvas().CurrentTool(), 1);
}

}  // namespace
}  // namespace pelorin
