// The background-gradient dialog through the fake platform: its controls, drawing, the preview
// it hands back, OK and Cancel.
#include <gtest/gtest.h>

#include "platform/FakePlatform.h"
#include "transform/FrmShades.h"

namespace pelorin {
namespace {

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

Raster Preview(const RgbLevels& start, const RgbLevels& end, int degrees) {
  Raster r(32, 32, kWhite);
  DrawGradient(r, start, end, degrees);
  return r;
}

TEST(FrmShades, LoadDrawsBlackToWhiteAtZeroDegrees) {
  FakePlatform platform;
  FrmShades dialog(platform);
  EXPECT_EQ(dialog.PicSml.raster(), Raster(32, 32, kWhite));
  dialog.Form_Load();
  EXPECT_EQ(dialog.Caption(), "Pelorin - 底色梯度");
  EXPECT_EQ(dialog.Left(), (1024 - 381) / 2);
  EXPECT_EQ(dialog.Top(), (768 - 173) / 3);
  EXPECT_EQ(dialog.Degrees(), 0);
  EXPECT_EQ(dialog.LblDegrees, "0");
  EXPECT_EQ(dialog.LblColorVal[0], "000");
  EXPECT_EQ(dialog.LblColorVal[5], "255");
  EXPECT_EQ(dialog.PicSml.raster(), Preview({0, 0, 0}, {255, 255, 255}, 0));
}

TEST(FrmShades, PaintDrawsTheBordersSwatchesAndCaptions) {
  FakePlatform platform;
  FrmShades dialog(platform);
  dialog.Form_Load();
  dialog.Form_Paint();
  const Raster& form = dialog.Form.raster();
  // The group border, the swatches' two-pixel edges and the preview's border.
  EXPECT_EQ(form.At(8, 8), platform.button_shadow);
  EXPECT_EQ(form.At(246, 164), platform.button_highlight);
  EXPECT_EQ(form.At(18, 18), platform.button_shadow);
  EXPECT_EQ(form.At(19, 19), platform.dark_shadow);
  EXPECT_EQ(form.At(121, 53), platform.light);
  EXPECT_EQ(form.At(122, 54), platform.button_highlight);
  EXPECT_EQ(form.At(253, 8), platform.button_shadow);
  EXPECT_EQ(form.At(292, 47), platform.button_highlight);
  // The swatches fill exactly the inside of their edges.
  EXPECT_EQ(form.At(20, 20), kBlack);
  EXPECT_EQ(form.At(120, 52), kBlack);
  EXPECT_EQ(form.At(134, 20), kWhite);
  EXPECT_EQ(form.At(234, 52), kWhite);
  EXPECT_EQ(form.At(235, 52), platform.light);
  ASSERT_EQ(dialog.Printed.size(), 7u);
  EXPECT_EQ(dialog.Printed[3].text, "红");
  EXPECT_EQ(dialog.Printed[3].x, 131);
  EXPECT_EQ(dialog.Printed[6].text, "方位：");
  EXPECT_EQ(dialog.Printed[6].x, 255);
}

TEST(FrmShades, ColourBarsMoveLabelsAndSwatchesButNotThePreview) {
  FakePlatform platform;
  FrmShades dialog(platform);
  dialog.Form_Load();
  const Raster drawn = dialog.PicSml.raster();
  dialog.Hsb_Change(1, 7);
  dialog.Hsb_Change(5, 40);
  EXPECT_EQ(dialog.LblColorVal[1], "007");
  EXPECT_EQ(dialog.LblColorVal[5], "040");
  EXPECT_EQ(dialog.Form.raster().At(70, 30), Rgb(0, 7, 0));
  EXPECT_EQ(dialog.Form.raster().At(180, 40), Rgb(255, 255, 40));
  EXPECT_EQ(dialog.PicSml.raster(), drawn);
  dialog.Hsb_Change(0, 300);
  EXPECT_EQ(dialog.LblColorVal[0], "255");
  // 梯度(&G) draws with the colours as they are now and moves the focus.
  dialog.CmdGradient_Click();
  EXPECT_EQ(dialog.FocusRequest, "Hsb_0");
  EXPECT_EQ(dialog.PicSml.raster(), Preview({255, 7, 0}, {255, 255, 40}, 0));
}

// A drag of a bar's thumb moves one small step a pixel from the value at the press, held at the
// ends; an up/down bar (its Min above its Max) falls as the pointer goes down.
TEST(FrmShades, DragsMoveOneStepAPixel) {
  const ScrollBarState colour{0, 0, 255, 1, 5};
  const ScrollBarState up_down{0, 255, -255, 5, 5};
  EXPECT_EQ(colour.Dragged(100, 37), 137);
  EXPECT_EQ(colour.Dragged(100, -300), 0);
  EXPECT_EQ(up_down.Dragged(0, 3), -15);
  EXPECT_EQ(up_down.Dragged(250, -(1 << 30)), 255);
}

TEST(FrmShades, TheDirectionBarTurnsTheGradientBy45Degrees) {
  FakePlatform platform;
  FrmShades dialog(platform);
  dialog.Form_Load();
  dialog.Hsb_Change(2, 200);
  for (int value = 0; value <= 8; ++value) {
    dialog.VsbDegrees_Change(value);
    EXPECT_EQ(dialog.Degrees(), 45 * value);
    EXPECT_EQ(dialog.LblDegrees, std::to_string(45 * value));
    EXPECT_EQ(dialog.PicSml.raster(), Preview({0, 0, 200}, {255, 255, 255}, 45 * value)) << value;
  }
  dialog.VsbDegrees_Change(1);
  EXPECT_EQ(dialog.PicSml.raster().At(0, 0), dialog.PicSml.raster().At(1, 0));
}

TEST(FrmShades, OkHandsBackThePreviewAsLastDrawn) {
  FakePlatform platform;
  platform.Answer<FrmShades>([](FrmShades& d) {
    d.VsbDegrees_Change(2);
    d.Hsb_Change(0, 100);  // changed but not drawn
    d.cmdOK_Click();
  });
  const auto preview = AskBackgroundGradient(platform);
  ASSERT_TRUE(preview.has_value());
  EXPECT_EQ(*preview, Preview({0, 0, 0}, {255, 255, 255}, 90));
  EXPECT_EQ(platform.Shown<FrmShades>(), 1);
}

TEST(FrmShades, CancelAndTheCloseBoxGiveNothing) {
  FakePlatform platform;
  platform.Answer<FrmShades>([](FrmShades& d) {
    d.VsbDegrees_Change(3);
    d.CmdCancel_Click();
    EXPECT_EQ(d.Tag, "Cancelled");
  });
  EXPECT_EQ(AskBackgroundGradient(platform), std::nullopt);
  platform.Answer<FrmShades>(nullptr);
  EXPECT_EQ(AskBackgroundGradient(platform), std::nullopt);
}

}  // namespace
}  // namespace pelorin
