// The main window's colour palette, current colours and Colour menu.
#include "app/frmMain.h"

namespace pelorin {

void frmMain::ResetCurrentColours() {
  palette_.current = {kBlack, kWhite};
  RefillSwatches();
}

void frmMain::PicPal_MouseUp(int button, int, double x, double y) {
  const int k = ColourPalette::CellAt(x, y);
  if (k < 0) return;
  if (ChkPal) {
    const std::optional<Colour> chosen = platform_.ShowColor();
    if (!chosen) return;
    palette_.entries()[k] = *chosen & kColourMask;
    palette_.DrawPalette(PicPal, false, SysColor(SysColour::kButtonShadow),
                         SysColor(SysColour::kButtonHighlight));
    FindMenuItem("MnuColorOpts", 4)->checked = false;
    FindMenuItem("MnuColorOpts", 5)->checked = true;
    host_.ControlsChanged();
  }
  if (button == 1) palette_.current[0] = palette_.entries()[k];
  if (button == 2) palette_.current[1] = palette_.entries()[k];
  RefillSwatches();
}

void frmMain::MnuColorOpts_Click(int index) {
  MenuItem* default_item = FindMenuItem("MnuColorOpts", 4);
  MenuItem* random_item = FindMenuItem("MnuColorOpts", 5);
  switch (index) {
    case 4:
      default_item->checked = true;
      random_item->checked = false;
      palette_.DrawPalette(PicPal, true, SysColor(SysColour::kButtonShadow),
                           SysColor(SysColour::kButtonHighlight));
      ResetCurrentColours();
      break;
    case 5:
      default_item->checked = false;
      random_item->checked = true;
      palette_.Randomise(random_);
      palette_.DrawPalette(PicPal, false, SysColor(SysColour::kButtonShadow),
                           SysColor(SysColour::kButtonHighlight));
      ResetCurrentColours();
      break;
    default:
      // Grayscale, invert and colour adjustment arrive with their own code.
      return;
  }
  host_.ControlsChanged();
}

}  // namespace pelorin
