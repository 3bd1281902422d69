// The decorations of the client area and the position and size readouts.
#include <gtest/gtest.h>

#include "support/LoadedForm.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

TEST(StatusArea, PaintsTheFramesAroundTheControlsAndTheBoxes) {
  LoadedForm f;
  f.form.Form_Paint();
  const Raster& r = f.form.Form.raster();
  const Colour shadow = f.platform.button_shadow;
  const Colour light = f.platform.button_highlight;
  // Frame around the canvas (8, 11, 337, 340): top-left shadow, bottom-right highlight.
  EXPECT_EQ(r.At(8, 11), shadow);
  EXPECT_EQ(r.At(335, 11), shadow);
  EXPECT_EQ(r.At(336, 11), light);
  EXPECT_EQ(r.At(8, 339), light);
  EXPECT_EQ(r.At(336, 339), light);
  // Around the preview (346, 11, 386, 51) and the tool palette (454, 11, 554, 85).
  EXPECT_EQ(r.At(346, 11), shadow);
  EXPECT_EQ(r.At(385, 50), light);
  EXPECT_EQ(r.At(454, 11), shadow);
  EXPECT_EQ(r.At(553, 84), light);
  // The line under the menu bar.
  EXPECT_EQ(r.At(0, 0), shadow);
  EXPECT_EQ(r.At(561, 0), shadow);
  EXPECT_EQ(r.At(300, 1), light);
  // The swatches.
  EXPECT_EQ(r.At(346, 110), shadow);
  EXPECT_EQ(r.At(347, 111), kBlack);
  EXPECT_EQ(r.At(357, 121), kBlack);
  EXPECT_EQ(r.At(358, 122), light);
  EXPECT_EQ(r.At(360, 111), kWhite);
  EXPECT_EQ(r.At(371, 122), light);
  // The position symbol's pixels over the background.
  const Raster& symbols = f.form.doc().Rasters().status_symbols();
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      const Colour expected =
          (f.form.BackColor() & symbols.At(16 + x, y)) ^ symbols.At(16 + x, 16 + y);
      ASSERT_EQ(r.At(348 + x, 62 + y), expected) << x << "," << y;
    }
}

TEST(StatusArea, ThePositionFollowsThePointerClampedToTheIcon) {
  LoadedForm f;
  f.form.PicMain_MouseMove(0, 0, 35, 47);
  EXPECT_EQ(f.form.status().PositionText().text, "3 , 4");
  EXPECT_EQ(f.form.status().PositionText().x, 371);
  EXPECT_EQ(f.form.status().PositionText().y, 64);
  f.form.PicMain_MouseMove(0, 0, 400, -12);
  EXPECT_EQ(f.form.status().PositionText().text, "31 , 0");
  f.form.PicMain_MouseMove(0, 0, -40, 320);
  EXPECT_EQ(f.form.status().PositionText().text, "0 , 31");
  EXPECT_EQ(f.form.status().SizeText().text, "") << "no size without a button";
}

TEST(StatusArea, ShapeToolsShowTheirSizeUntilRelease) {
  LoadedForm f;
  f.ChooseTool(6);
  f.form.PicMain_MouseDown(1, 0, 35, 45);
  f.form.PicMain_MouseMove(1, 0, 105, 45);  // from cell (3, 4) to (10, 4)
  EXPECT_EQ(f.form.status().SizeText().text, "8 , 1");
  f.form.PicMain_MouseMove(1, 0, 500, 45);  // beyond the edge: clamped to column 31
  EXPECT_EQ(f.form.status().SizeText().text, "29 , 1");
  f.form.PicMain_MouseUp(1, 0, 500, 45);
  EXPECT_EQ(f.form.status().SizeText().text, "");
}

TEST(StatusArea, TheSelectionToolMeasuresBetweenGridLines) {
  LoadedForm f;
  f.ChooseTool(1);
  f.form.PicMain_MouseDown(1, 0, 20, 20);
  f.form.PicMain_MouseMove(1, 0, 70, 20);
  EXPECT_EQ(f.form.status().SizeText().text, "5 , 0");
  f.form.PicMain_MouseMove(1, 0, 900, 900);
  EXPECT_EQ(f.form.status().SizeText().text, "30 , 30") << "the far corner stops at line 32";
}

TEST(StatusArea, OtherToolsShowNoSize) {
  LoadedForm f;
  f.form.PicMain_MouseDown(1, 0, 35, 45);
  f.form.PicMain_MouseMove(1, 0, 105, 45);
  EXPECT_EQ(f.form.status().SizeText().text, "");
}

}  // namespace
}  // namespace pelorin
