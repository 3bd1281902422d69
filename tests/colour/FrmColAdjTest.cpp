// The colour-adjustment dialog through the fake platform: scroll-bar sequences, reset, the
// preview, OK and Cancel.
#include <gtest/gtest.h>

#include "colour/FrmColAdj.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

constexpr Colour kPreviewBack = 0xC0C0C0;

// A picture with pixel (0, 0) = (100, 150, 200), (1, 0) white, (2, 0) = (3, 253, 0) and (3, 0)
// transparent; the rest opaque black. The preview shows the transparent pixel over its
// background.
struct Picture {
  Picture() : mask(32, 32, kBlack), image(32, 32, kBlack), preview(32, 32, kBlack) {
    image.SetPixel(0, 0, Rgb(100, 150, 200));
    image.SetPixel(1, 0, kWhite);
    image.SetPixel(2, 0, Rgb(3, 253, 0));
    mask.SetPixel(3, 0, kWhite);
    preview = image;
    preview.SetPixel(3, 0, kPreviewBack);
  }
  Raster mask;
  Raster image;
  Raster preview;
};

TEST(FrmColAdj, LoadSetsTitlePlaceAndStartingControls) {
  FakePlatform platform;
  platform.screen_width = 800;
  platform.screen_height = 600;
  ColourTables tables;
  FrmColAdj dialog(platform, tables);
  dialog.Form_Load();
  EXPECT_EQ(dialog.Caption(), "Pelorin - 颜色调整");
  EXPECT_EQ(dialog.Left(), (800 - 233) / 2);
  EXPECT_EQ(dialog.Top(), (600 - 99) / 3);
  // It opens on OK, which Enter presses, not on 重置(&R).
  EXPECT_EQ(dialog.FocusRequest, "CmdOk");
  EXPECT_EQ(dialog.DefaultButton, "CmdOk");
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(dialog.Bar(i).Value, 0);
    EXPECT_EQ(dialog.Bar(i).Min, 255);
    EXPECT_EQ(dialog.Bar(i).Max, -255);
    EXPECT_EQ(dialog.Bar(i).SmallChange, 5);
    EXPECT_EQ(dialog.Label(i), "0");
  }
  dialog.Form_Paint();
  ASSERT_EQ(dialog.Printed.size(), 4u);
  EXPECT_EQ(dialog.Printed[3].text, "兰色：");
  EXPECT_EQ(dialog.Printed[3].y, 76);
  // The sunken edge around the preview.
  EXPECT_EQ(dialog.Form.raster().At(107, 8), platform.button_shadow);
  EXPECT_EQ(dialog.Form.raster().At(146, 47), platform.button_highlight);
}

TEST(FrmColAdj, OkWritesTheAdjustedColoursAndLeavesTransparentPixels) {
  FakePlatform platform;
  Picture p;
  p.image.SetPixel(3, 0, Rgb(9, 9, 9));  // a transparent pixel's image value is never written
  ColourTables tables;
  platform.Answer<FrmColAdj>([&](FrmColAdj& d) {
    // The preview starts as the main window's preview shows the picture.
    EXPECT_EQ(d.PicShade.raster(), p.preview);
    d.VsbBrightness_Change(5);
    EXPECT_EQ(d.LblBrightness, "5");
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(105, 155, 205));
    EXPECT_EQ(d.PicShade.raster().At(3, 0), kPreviewBack);
    d.VsbRed_Change(5);
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(110, 155, 205));
    d.cmdOK_Click();
  });
  EXPECT_TRUE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
  EXPECT_EQ(p.image.At(0, 0), Rgb(110, 155, 205));
  EXPECT_EQ(p.image.At(1, 0), kWhite);
  EXPECT_EQ(p.image.At(2, 0), Rgb(13, 253, 5));
  EXPECT_EQ(p.image.At(3, 0), Rgb(9, 9, 9));
  EXPECT_EQ(p.image.At(31, 31), Rgb(10, 5, 5));
}

TEST(FrmColAdj, OkWithoutTouchingAnythingKeepsThePicture) {
  FakePlatform platform;
  Picture p;
  const Raster before = p.image;
  ColourTables tables;
  platform.Answer<FrmColAdj>([](FrmColAdj& d) { d.cmdOK_Click(); });
  EXPECT_TRUE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
  EXPECT_EQ(p.image, before);
}

TEST(FrmColAdj, ClampedComponentsKeepTheirLastInRangeValue) {
  FakePlatform platform;
  Picture p;
  ColourTables tables;
  platform.Answer<FrmColAdj>([&](FrmColAdj& d) {
    const Raster& shade = d.PicShade.raster();
    // White: one click up stays white, back down is white, once more down is 250.
    d.VsbBrightness_Change(5);
    d.VsbBrightness_Change(0);
    EXPECT_EQ(shade.At(1, 0), kWhite);
    d.VsbBrightness_Change(-5);
    EXPECT_EQ(shade.At(1, 0), Rgb(250, 250, 250));
    // Red 3 (brightness now -5 gives -2, out of range) stays 3 ...
    EXPECT_EQ(shade.At(2, 0), Rgb(3, 248, 0));
    d.VsbRed_Change(-5);
    EXPECT_EQ(shade.At(2, 0), Rgb(3, 248, 0));
    // ... and follows again once its working value is back above 3.
    d.VsbRed_Change(0);
    d.VsbRed_Change(5);
    d.VsbRed_Change(10);
    EXPECT_EQ(shade.At(2, 0), Rgb(8, 248, 0));
    d.CmdCancel_Click();
  });
  EXPECT_FALSE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
}

TEST(FrmColAdj, AJumpOfTheValueCountsAsOneStep) {
  FakePlatform platform;
  Picture p;
  ColourTables tables;
  platform.Answer<FrmColAdj>([](FrmColAdj& d) {
    d.VsbGreen_Change(255);  // the Home key: straight to the top end
    EXPECT_EQ(d.LblGreen, "255");
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(100, 155, 200));
    d.VsbGreen_Change(255);  // no change, no step
    d.VsbGreen_Change(-255);
    EXPECT_EQ(d.LblGreen, "-255");
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(100, 150, 200));
    d.VsbGreen_Change(-400);  // beyond the range: held at its end, no step
    EXPECT_EQ(d.VsbGreen.Value, -255);
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(100, 150, 200));
    d.cmdOK_Click();
  });
  EXPECT_TRUE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
  EXPECT_EQ(p.image.At(0, 0), Rgb(100, 150, 200));
}

TEST(FrmColAdj, ResetReturnsToTheStartWithTransparentPixelsWhite) {
  FakePlatform platform;
  Picture p;
  ColourTables tables;
  platform.Answer<FrmColAdj>([](FrmColAdj& d) {
    d.VsbBrightness_Change(5);
    d.VsbBrightness_Change(10);
    d.VsbBlue_Change(-5);
    d.CmdReset_Click();
    EXPECT_EQ(d.VsbBrightness.Value, 0);
    EXPECT_EQ(d.VsbBlue.Value, 0);
    EXPECT_EQ(d.LblBrightness, "0");
    EXPECT_EQ(d.LblBlue, "0");
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(100, 150, 200));
    EXPECT_EQ(d.PicShade.raster().At(3, 0), kWhite);
    // Stepping again starts from the start colours.
    d.VsbBrightness_Change(5);
    EXPECT_EQ(d.PicShade.raster().At(0, 0), Rgb(105, 155, 205));
    d.cmdOK_Click();
  });
  EXPECT_TRUE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
  EXPECT_EQ(p.image.At(0, 0), Rgb(105, 155, 205));
}

TEST(FrmColAdj, CancelAndTheCloseBoxChangeNothing) {
  FakePlatform platform;
  Picture p;
  const Raster before = p.image;
  ColourTables tables;
  platform.Answer<FrmColAdj>([](FrmColAdj& d) {
    for (int v = 5; v <= 50; v += 5) d.VsbRed_Change(v);
    d.CmdCancel_Click();
    EXPECT_EQ(d.Tag, "Cancelled");
  });
  EXPECT_FALSE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
  EXPECT_EQ(p.image, before);
  platform.Answer<FrmColAdj>([](FrmColAdj& d) { d.VsbBlue_Change(-5); });  // then the close box
  EXPECT_FALSE(RunColourAdjustment(platform, tables, p.mask, p.image, p.preview));
  EXPECT_EQ(p.image, before);
  EXPECT_EQ(platform.Shown<FrmColAdj>(), 2);
}

}  // namespace
}  // namespace pelorin
