// Grayscale, invert and colour adjustment through the Colour menu.
#include <gtest/gtest.h>

#include "colour/FrmColAdj.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

void Colour_(LoadedForm& f, int index) { f.form.MenuCommand("MnuColor", "MnuColorOpts", index); }

TEST(RecolourCommands, GrayscaleAndInvertTouchOnlyOpaquePixelsOfTheirTarget) {
  LoadedForm f;
  f.Opaque(1, 1, 0x0000FF);
  f.Opaque(20, 20, 0x0000FF);
  // A colour under a transparent mask.
  f.form.doc().ChangePicture([](Raster&, Raster& image) { image.SetPixel(2, 1, 0x123456); });
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  Colour_(f, 0);
  EXPECT_EQ(f.Image(1, 1), 0x393939u) << "L = 0.222 x 255 = 56.6, rounded";
  EXPECT_EQ(f.Image(2, 1), 0x123456u);
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);
  // With a marquee only its pixels change, as a step of their own.
  f.ChooseTool(1);
  f.DragCanvas(1, 190, 190, 221, 221);
  Colour_(f, 1);
  EXPECT_EQ(f.Image(20, 20), 0xC6C6C6u);
  EXPECT_EQ(f.Image(1, 1), 0x393939u) << "outside the selection";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 4u);
  EXPECT_TRUE(f.form.selection().IsMarquee());
}

TEST(RecolourCommands, TheAdjustmentCommitsFirstAndOkIsOneStep) {
  LoadedForm f;
  f.Opaque(4, 4, 0x808080);
  f.form.doc().DisplayResults();
  f.form.undo().RecordStep();
  f.platform.Answer<FrmColAdj>([](FrmColAdj& d) {
    d.VsbRed_Change(5);
    d.CmdCancel_Click();
  });
  Colour_(f, 2);
  EXPECT_EQ(f.Image(4, 4), 0x808080u) << "Cancel changes nothing";
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u);
  f.platform.Answer<FrmColAdj>([](FrmColAdj& d) {
    d.VsbBrightness_Change(5);
    d.cmdOK_Click();
  });
  Colour_(f, 2);
  EXPECT_NE(f.Image(4, 4), 0x808080u);
  EXPECT_EQ(f.Preview(4, 4), f.Image(4, 4));
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);
}

}  // namespace
}  // namespace pelorin
