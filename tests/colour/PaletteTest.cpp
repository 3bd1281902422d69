// The colour palette: its cells, clicks with either button, redefining a cell, the two palettes.
#include <gtest/gtest.h>

#include "support/LoadedForm.h"
#include "support/PictureText.h"

namespace pelorin {
namespace {

using testing::LoadedForm;

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

TEST(Palette, DrawsTheDefaultTableCellByCellWithSunkenEdges) {
  LoadedForm f;
  const Raster& pal = f.form.PicPal.raster();
  for (int k = 0; k < 256; ++k) {
    const int x = 13 * (k % 16);
    const int y = 13 * (k / 16);
    ASSERT_EQ(pal.At(x + 1, y + 1), f.form.colours().Palette().entries()[k]) << k;
    ASSERT_EQ(pal.At(x + 11, y + 11), f.form.colours().Palette().entries()[k]) << k;
    ASSERT_EQ(pal.At(x, y), f.platform.button_shadow);
    ASSERT_EQ(pal.At(x + 11, y), f.platform.button_shadow);
    ASSERT_EQ(pal.At(x + 12, y), f.platform.button_highlight);
    ASSERT_EQ(pal.At(x, y + 12), f.platform.button_highlight);
    ASSERT_EQ(pal.At(x + 12, y + 12), f.platform.button_highlight);
  }
  const auto& e = f.form.colours().Palette().entries();
  EXPECT_EQ(e[0], kBlack);
  EXPECT_EQ(e[1], Rgb(0x80, 0, 0));
  EXPECT_EQ(e[35], Rgb(0x66, 0x33, 0x00));
  EXPECT_EQ(e[137], Rgb(0xFF, 0x00, 0x99));
  EXPECT_EQ(e[255], kWhite);
}

TEST(Palette, ClicksSetTheButtonsColourAndBothSwatches) {
  LoadedForm f;
  // Column 3, row 2 is index 35 for any point from (39, 26) to (51, 38).
  for (const auto& [x, y] : {std::pair{39.0, 26.0}, {51.0, 38.0}, {45.4, 30.0}}) {
    f.form.colours().ResetCurrentColours();
    f.form.PicPal_MouseUp(1, 0, x, y);
    EXPECT_EQ(f.form.colours().CurrentColour(0), Rgb(0x66, 0x33, 0x00)) << x << "," << y;
    EXPECT_EQ(f.form.colours().CurrentColour(1), kWhite);
  }
  EXPECT_EQ(f.form.Form.raster().At(347, 111), Rgb(0x66, 0x33, 0x00));
  EXPECT_EQ(f.form.Form.raster().At(357, 121), Rgb(0x66, 0x33, 0x00));
  EXPECT_EQ(f.form.Form.raster().At(360, 111), kWhite);

  f.form.PicPal_MouseUp(2, 0, 1, 1);
  EXPECT_EQ(f.form.colours().CurrentColour(1), kBlack);
}

TEST(Palette, ReleasesOutsideTheCellsAndOtherButtonsChangeNothing) {
  LoadedForm f;
  for (const auto& [x, y] :
       {std::pair{208.0, 5.0}, {5.0, 208.0}, {-0.4, 5.0}, {5.0, -3.0}, {400.0, 400.0}}) {
    f.form.PicPal_MouseUp(1, 0, x, y);
  }
  f.form.PicPal_MouseUp(4, 0, 20, 20);
  EXPECT_EQ(f.form.colours().CurrentColour(0), kBlack);
  EXPECT_EQ(f.form.colours().CurrentColour(1), kWhite);
}

TEST(Palette, TheCheckBoxRedefinesTheCellThroughTheColourDialog) {
  LoadedForm f;
  f.form.ChkPal_Click(true);
  const Colour chosen = Rgb(1, 2, 3);
  f.platform.colour_answers.push_back(chosen);
  f.form.PicPal_MouseUp(2, 0, 13 * 4 + 3, 13 * 2 + 3);  // index 36
  EXPECT_EQ(f.form.colours().Palette().entries()[36], chosen);
  EXPECT_EQ(f.form.PicPal.raster().At(13 * 4 + 5, 13 * 2 + 5), chosen);
  EXPECT_EQ(f.form.colours().CurrentColour(1), chosen);
  EXPECT_FALSE(f.form.Menus()[3].items[4].checked);
  EXPECT_TRUE(f.form.Menus()[3].items[5].checked);

  // Cancelling changes nothing at all, not even the current colour.
  const auto before = f.form.colours().Palette().entries();
  f.form.PicPal_MouseUp(1, 0, 2, 2);
  EXPECT_EQ(f.platform.colour_dialogs, 2);
  EXPECT_EQ(f.form.colours().Palette().entries(), before);
  EXPECT_EQ(f.form.colours().CurrentColour(0), kBlack);
}

TEST(Palette, TheRandomPaletteKeepsItsEndsAndTheDefaultComesBackExactly) {
  LoadedForm f;
  f.form.ChkPal_Click(true);
  f.platform.colour_answers.push_back(Rgb(9, 9, 9));
  f.form.PicPal_MouseUp(1, 0, 2, 2);  // cell 0 redefined
  f.form.MenuCommand("MnuColor", "MnuColorOpts", 5);
  const auto& e = f.form.colours().Palette().entries();
  EXPECT_EQ(e[0], Rgb(9, 9, 9)) << "cells 0 and 255 keep what they held";
  EXPECT_EQ(e[255], kWhite);
  int changed = 0;
  for (int k = 1; k < 255; ++k) changed += e[k] != ColourPalette::DefaultEntry(k);
  EXPECT_GT(changed, 240);
  EXPECT_EQ(f.form.colours().CurrentColour(0), kBlack);
  EXPECT_EQ(f.form.colours().CurrentColour(1), kWhite);
  EXPECT_TRUE(f.form.Menus()[3].items[5].checked);

  f.form.MenuCommand("MnuColor", "MnuColorOpts", 4);
  for (int k = 0; k < 256; ++k) ASSERT_EQ(e[k], ColourPalette::DefaultEntry(k));
  EXPECT_TRUE(f.form.Menus()[3].items[4].checked);
  EXPECT_FALSE(f.form.Menus()[3].items[5].checked);
}

TEST(Palette, ResetDocumentBringsBackTheDefaultsAndUnticksTheCheckBox) {
  LoadedForm f;
  f.form.MenuCommand("MnuColor", "MnuColorOpts", 5);
  f.form.PicPal_MouseUp(1, 0, 100, 100);
  f.form.ChkPal_Click(true);
  f.form.ResetDocument();
  EXPECT_FALSE(f.form.colours().ChkPal);
  EXPECT_EQ(f.form.colours().CurrentColour(0), kBlack);
  EXPECT_EQ(f.form.colours().CurrentColour(1), kWhite);
  for (int k = 0; k < 256; ++k)
    ASSERT_EQ(f.form.colours().Palette().entries()[k], ColourPalette::DefaultEntry(k));
  EXPECT_TRUE(f.form.Menus()[3].items[4].checked);
}

}  // namespace
}  // namespace pelorin
