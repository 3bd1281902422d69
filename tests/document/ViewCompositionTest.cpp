#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "platform/FakePlatform.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::Legend;

constexpr Colour kRed = 0x0000FF;

class ViewCompositionTest : public ::testing::Test {
 protected:
  ViewCompositionTest() : form(platform, host, {}) { form.Form_Load(); }

  void MakeOpaque(int x, int y, Colour c) {
    form.doc().ChangePicture([&](Raster& mask, Raster& image) {
      mask.SetPixel(x, y, kBlack);
      image.SetPixel(x, y, c);
    });
  }

  FakePlatform platform;
  FakeWindowHost host;
  frmMain form;
};

TEST_F(ViewCompositionTest, OpaquePixelsBecomeBlocksAndTransparentOnesKeepTheHatch) {
  MakeOpaque(0, 0, kRed);
  MakeOpaque(1, 0, kBlack);  // opaque black: differs from transparent only in the mask
  form.doc().DisplayResults();

  // Cells (0, 0) red, (1, 0) black, (2, 0) transparent; grid lines black over all of them.
  const Legend legend = {{'#', kBlack}, {'r', kRed}, {'.', kWhite}, {'g', 0x808080}};
  EXPECT_PICTURE(form.doc().PicMain().raster(), 0, 0, legend,
                 "###############################\n"
                 "#rrrrrrrrr###########.........#\n"
                 "#rrrrrrrrr###########...g...g.#\n"
                 "#rrrrrrrrr###########..g...g..#\n"
                 "#rrrrrrrrr###########.g...g...#\n"
                 "#rrrrrrrrr###########....g....#\n"
                 "#rrrrrrrrr###########...g...g.#\n"
                 "#rrrrrrrrr###########..g...g..#\n"
                 "#rrrrrrrrr###########.g...g...#\n"
                 "#rrrrrrrrr###########.........#\n"
                 "###############################\n");
  // The backing copy has the whole 10 x 10 block, no grid.
  EXPECT_EQ(form.doc().PicMainCopy().raster().At(0, 0), kRed);
  EXPECT_EQ(form.doc().PicMainCopy().raster().At(9, 9), kRed);
  EXPECT_EQ(form.doc().PicMainCopy().raster().At(10, 0), kBlack);

  // The preview shows the icon over its background.
  const Colour face = platform.button_face;
  EXPECT_EQ(form.doc().picIcon().raster().At(0, 0), kRed);
  EXPECT_EQ(form.doc().picIcon().raster().At(1, 0), kBlack);
  EXPECT_EQ(form.doc().picIcon().raster().At(2, 0), face);
  EXPECT_TRUE(form.doc().Modified());
}

TEST_F(ViewCompositionTest, ColourUnderATransparentMaskIsShownXoredWithTheBackground) {
  // A file may carry colour under a white mask; the views show it combined with what is below.
  form.doc().ChangePicture([](Raster&, Raster& image) { image.SetPixel(5, 5, 0x0000FF); });
  EXPECT_EQ(form.doc().picIcon().raster().At(5, 5), platform.button_face ^ 0x0000FF);
  EXPECT_EQ(form.doc().PicMain().raster().At(51, 51), kWhite ^ 0x0000FF);
  EXPECT_EQ(form.doc().PicMain().raster().At(54, 52), 0x808080 ^ 0x0000FF);
}

TEST_F(ViewCompositionTest, EveryCellOfAFullPictureLinesUpWithTheGrid) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) MakeOpaque(x, y, static_cast<Colour>(x + 32 * y + 1));
  form.doc().DisplayResults();
  const Raster& canvas = form.doc().PicMain().raster();
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Colour c = static_cast<Colour>(x + 32 * y + 1);
      ASSERT_EQ(canvas.At(10 * x + 1, 10 * y + 1), c) << x << "," << y;
      ASSERT_EQ(canvas.At(10 * x + 9, 10 * y + 9), c) << x << "," << y;
      ASSERT_EQ(canvas.At(10 * x, 10 * y + 5), kBlack);
      ASSERT_EQ(form.doc().picIcon().raster().At(x, y), c);
    }
  }
  for (int k = 0; k <= 320; ++k) ASSERT_EQ(canvas.At(320, k), kBlack);
}

TEST_F(ViewCompositionTest, ResetDocumentEmptiesTheIconAndTheTitle) {
  MakeOpaque(3, 3, kRed);
  form.doc().DisplayResults();
  form.doc().SetFile("/tmp/a.ico", "a.ico", true);

  form.ResetDocument();

  EXPECT_EQ(host.caption, "Pelorin - 未命名");
  EXPECT_EQ(form.doc().DocPath(), "未命名");
  EXPECT_EQ(form.doc().DocTitle(), "");
  EXPECT_FALSE(form.doc().Modified());
  EXPECT_FALSE(form.doc().MultiIcon());
  EXPECT_EQ(form.doc().PicImage().raster(), Raster(32, 32, kBlack));
  EXPECT_EQ(form.doc().PicMask().raster(), Raster(32, 32, kWhite));
  EXPECT_EQ(form.doc().picIcon().raster(), Raster(32, 32, platform.button_face));
  // The canvas is the empty canvas again: compare with a freshly loaded window.
  FakeWindowHost other_host;
  frmMain fresh(platform, other_host, {});
  fresh.Form_Load();
  EXPECT_EQ(form.doc().PicMain().raster(), fresh.doc().PicMain().raster());
  EXPECT_EQ(form.doc().PicMainCopy().raster(), fresh.doc().PicMainCopy().raster());
}

TEST_F(ViewCompositionTest, SetDrawColorReachesThePensAndBrushesOfTheDrawingSurfaces) {
  form.doc().SetDrawColor(kRed);
  for (const Surface* s : {&form.doc().PicMain(), &form.doc().PicMainCopy(), &form.doc().picIcon(),
                           &form.doc().PicImage()}) {
    EXPECT_EQ(s->ForeColor, kRed) << s->name();
    EXPECT_EQ(s->FillColor, kRed) << s->name();
  }
  EXPECT_EQ(form.doc().DrawColor(), kRed) << "the colour the fill floods with";
  // The mask keeps its black pen.
  EXPECT_EQ(form.doc().PicMask().ForeColor, kBlack);
}

TEST_F(ViewCompositionTest, ViewsAreRefreshedWhenTheyChange) {
  int canvas_refreshes = 0;
  int preview_refreshes = 0;
  form.doc().PicMain().SetRefreshHandler([&](Rect) { ++canvas_refreshes; });
  form.doc().picIcon().SetRefreshHandler([&](Rect) { ++preview_refreshes; });
  form.doc().DisplayResults();
  EXPECT_GE(canvas_refreshes, 1);
  EXPECT_GE(preview_refreshes, 1);
}

}  // namespace
}  // namespace pelorin
