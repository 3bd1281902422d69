// The flood fill: two composites and the transparency test keep it from leaking.
#include <gtest/gtest.h>

#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

double At(int cell) { return 10.0 * cell + 5; }

void Fill(LoadedForm& f, int button, double x, double y) {
  f.ChooseTool(5);
  f.ClickCanvas(button, x, y);
}

TEST(FillTool, TheTransparentBackgroundFillsAroundOpaqueShapesOfAnyColour) {
  LoadedForm f;
  // A white and a button-face gray pixel: each equals the background in one of the composites.
  f.Opaque(10, 10, kWhite);
  f.Opaque(12, 10, f.platform.button_face);
  f.Opaque(14, 10, kGreen);
  f.form.doc().DisplayResults();
  Fill(f, 1, At(0), At(0));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(f.Mask(x, y), kBlack) << x << "," << y;
  EXPECT_EQ(f.Image(10, 10), kWhite);
  EXPECT_EQ(f.Image(12, 10), f.platform.button_face);
  EXPECT_EQ(f.Image(14, 10), kGreen);
  EXPECT_EQ(f.Image(11, 10), kBlack) << "the background took the left colour";
  EXPECT_TRUE(f.ViewsShowTheIcon());
}

TEST(FillTool, AreasApartStayApart) {
  LoadedForm f;
  // A one-pixel black line splits the transparent picture in two.
  for (int y = 0; y < 32; ++y) f.Opaque(16, y, kBlack);
  // A white opaque area inside the right half, enclosed by transparent pixels.
  for (int y = 5; y < 8; ++y)
    for (int x = 20; x < 23; ++x) f.Opaque(x, y, kWhite);
  f.form.doc().DisplayResults();
  f.form.PicPal_MouseUp(2, 0, 13 * 9 + 5, 13 * 15 + 5);  // red on the right button
  Fill(f, 2, At(3), At(3));
  EXPECT_EQ(f.Image(0, 0), kRed);
  EXPECT_EQ(f.Image(15, 31), kRed);
  EXPECT_EQ(f.Mask(17, 0), kWhite) << "the other half stays transparent";
  Fill(f, 1, At(21), At(6));  // the white area, in black
  EXPECT_EQ(f.Image(20, 5), kBlack);
  EXPECT_EQ(f.Mask(20, 5), kBlack);
  EXPECT_EQ(f.Mask(19, 5), kWhite) << "only the white area itself";
  EXPECT_EQ(f.Mask(23, 7), kWhite);
}

TEST(FillTool, ALineKeepsTransparentAreasApartWhateverTheColours) {
  // A line of white or of the background's gray looks like transparency in one composite, and a
  // fill in one of those colours matched transparent pixels there that no flood reached.
  for (const Colour line : {kBlack, kWhite, kGreen, LoadedForm().platform.button_face}) {
    for (const Colour fill : {kRed, kWhite, LoadedForm().platform.button_face}) {
      LoadedForm f;
      for (int y = 0; y < 32; ++y) f.Opaque(16, y, line);
      f.form.doc().DisplayResults();
      f.form.colours().SetCurrentColour(0, fill);
      Fill(f, 1, At(3), At(3));
      EXPECT_EQ(f.Image(0, 31), fill) << "line " << line << ", fill " << fill;
      EXPECT_EQ(f.Mask(17, 0), kWhite) << "line " << line << ", fill " << fill;
      EXPECT_EQ(f.Mask(31, 31), kWhite) << "line " << line << ", fill " << fill;
    }
  }
}

TEST(FillTool, FillingAnAreaWithItsOwnColourChangesNothing) {
  LoadedForm f;
  for (int x = 0; x < 5; ++x) f.Opaque(x, 0, kBlack);
  f.form.doc().DisplayResults();
  const Raster image = f.form.doc().PicImage().raster();
  const Raster mask = f.form.doc().PicMask().raster();
  Fill(f, 1, At(2), At(0));
  EXPECT_EQ(f.form.doc().PicImage().raster(), image);
  EXPECT_EQ(f.form.doc().PicMask().raster(), mask);
}

TEST(FillTool, OffTheCanvasOrOnItsClosingLineNothingIsFilledButTheGestureEnds) {
  LoadedForm f;
  f.ClickCanvas(1, At(1), At(1));  // a pencil step
  f.form.MenuCommand("MnuEdit", "MnuEditOpts", 0);
  ASSERT_TRUE(f.form.undo().Steps().CanRedo());
  f.form.doc().MarkUnmodified();
  Fill(f, 1, 321, 100);  // outside: no fill and the redo history stays
  EXPECT_EQ(f.Mask(0, 0), kWhite);
  EXPECT_TRUE(f.form.undo().Steps().CanRedo());
  EXPECT_TRUE(f.form.doc().Modified());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 2u) << "an unchanged step is recorded";
  Fill(f, 1, 320, 100);  // the closing grid line: the start cell is off the icon
  EXPECT_EQ(f.Mask(0, 0), kWhite);
  EXPECT_FALSE(f.form.undo().Steps().CanRedo());
  EXPECT_EQ(f.form.undo().Steps().UndoCount(), 3u);
}

}  // namespace
}  // namespace pelorin
