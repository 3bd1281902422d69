#include "colour/ColourCommands.h"

#include <utility>

namespace pelorin {

ColourCommands::ColourCommands(Platform& platform, Surface& pic_pal,
                               std::function<void()> mode_changed,
                               std::function<void(const std::array<Colour, 2>&)> colours_changed)
    : platform_(platform),
      pic_pal_(pic_pal),
      mode_changed_(std::move(mode_changed)),
      colours_changed_(std::move(colours_changed)) {
  pic_pal_.SetMousePointer(MousePointer::kCustom, "cursor-pipette.txt");
}

void ColourCommands::Redraw(bool load_defaults) {
  palette_.DrawPalette(pic_pal_, load_defaults, platform_.SysColor(SysColour::kButtonShadow),
                       platform_.SysColor(SysColour::kButtonHighlight));
}

void ColourCommands::ColoursChanged() {
  if (colours_changed_) colours_changed_(palette_.current);
}

void ColourCommands::SetMode(PaletteMode mode) {
  mode_ = mode;
  if (mode_changed_) mode_changed_();
}

void ColourCommands::SetCurrentColour(int index, Colour colour) {
  palette_.current[index] = colour;
  ColoursChanged();
}

void ColourCommands::ResetCurrentColours() {
  palette_.current = {kBlack, kWhite};
  ColoursChanged();
}

void ColourCommands::PicPal_MouseUp(int button, int, double x, double y) {
  const int k = ColourPalette::CellAt(x, y);
  if (k < 0) return;
  if (ChkPal && !RedefineCell(k)) return;
  if (button == 1) palette_.current[0] = palette_.entries()[k];
  if (button == 2) palette_.current[1] = palette_.entries()[k];
  ColoursChanged();
}

bool ColourCommands::RedefineCell(int k) {
  const std::optional<Colour> chosen = platform_.ShowColor();
  if (!chosen) return false;
  palette_.entries()[k] = *chosen & kColourMask;
  Redraw(false);
  SetMode(PaletteMode::kRandom);
  return true;
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
