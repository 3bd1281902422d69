#include "colour/ColourCommands.h"

#include <utility>

namespace pelorin {

ColourCommands::ColourCommands(Platform& platform, Surface& pic_pal, StatusArea& status,
                               std::function<void()> changed)
    : platform_(platform), pic_pal_(pic_pal), status_(status), changed_(std::move(changed)) {
  pic_pal_.SetMousePointer(MousePointer::kCustom, "cursor-pipette.txt");
}

void ColourCommands::Redraw(bool load_defaults) {
  palette_.DrawPalette(pic_pal_, load_defaults, platform_.SysColor(SysColour::kButtonShadow),
                       platform_.SysColor(SysColour::kButtonHighlight));
}

void ColourCommands::SetMode(PaletteMode mode) {
  mode_ = mode;
  if (changed_) changed_();
}

void ColourCommands::SetCurrentColour(int index, Colour colour) {
  palette_.current[index] = colour;
  status_.RefillSwatches(palette_.current);
}

void ColourCommands::ResetCurrentColours() {
  palette_.current = {kBlack, kWhite};
  status_.RefillSwatches(palette_.current);
}

void ColourCommands::PicPal_MouseUp(int button, int, double x, double y) {
  const int k = ColourPalette::CellAt(x, y);
  if (k < 0) return;
  if (ChkPal) {
    const std::optional<Colour> chosen = platform_.ShowColor();
    if (!chosen) return;
    palette_.entries()[k] = *chosen & kColourMask;
    Redraw(false);
    SetMode(PaletteMode::kRandom);
  }
  if (button == 1) palette_.current[0] = palette_.entries()[k];
  if (button == 2) palette_.current[1] = palette_.entries()[k];
  status_.RefillSwatches(palette_.current);
}

void ColourCommands::ShowDefaultPalette() {
  Redraw(true);
  ResetCurrentColours();
  SetMode(PaletteMode::kDefault);
}

void ColourCommands::ShowRandomPalette() {
  palette_.Randomise(random_);
  Redraw(false);
  ResetCurrentColours();
  SetMode(PaletteMode::kRandom);
}

}  // namespace pelorin
