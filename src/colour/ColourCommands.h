// The colour palette on PicPal, the two current colours with their swatches, the check box
// "调整调色板" and the Colour menu's palette items.
#pragma once

#include <array>
#include <functional>
#include <random>

#include "colour/ColourPalette.h"
#include "platform/Platform.h"
#include "raster/Surface.h"

namespace pelorin {

// Which palette is shown: the default one, or one of the user's (random, or with a redefined
// cell). The Colour menu's two palette items carry their marks from it.
enum class PaletteMode { kDefault, kRandom };

class ColourCommands {
 public:
  // pic_pal: the 208 x 208 palette surface; mode_changed: told whenever the palette mode
  // changed, so the window shows it; colours_changed: told whenever a current colour changed,
  // so its swatch shows it.
  ColourCommands(Platform& platform, Surface& pic_pal, std::function<void()> mode_changed,
                 std::function<void(const std::array<Colour, 2>&)> colours_changed);

  // Seeds the random palette's generator (once, from the clock, when the window loads).
  void Seed(std::uint32_t seed) { random_.seed(seed); }

  // A click on the palette: with ChkPal ticked the cell is redefined through the colour dialog
  // first; then the cell's colour becomes the button's current colour.
  void PicPal_MouseUp(int button, int shift, double x, double y);
  // Redefines palette cell k through the colour dialog; false when the dialog was cancelled.
  bool RedefineCell(int k);
  void ChkPal_Click(bool ticked) { ChkPal = ticked; }

  // Current colour 0 (left button) and 1 (right button).
  Colour CurrentColour(int index) const { return palette_.current[index]; }
  const std::array<Colour, 2>& CurrentColours() const { return palette_.current; }
  // Sets one current colour (the swatches follow).
  void SetCurrentColour(int index, Colour colour);
  // Black on the left button, white on the right.
  void ResetCurrentColours();

  // The Colour menu's 默认调色板 and 随机调色板: the palette drawn again, the current colours
  // reset.
  void ShowDefaultPalette();
  void ShowRandomPalette();
  PaletteMode Mode() const { return mode_; }

  const ColourPalette& Palette() const { return palette_; }

  // The check box "调整调色板": a palette click first redefines the cell.
  bool ChkPal = false;

 private:
  void Redraw(bool load_defaults);
  void ColoursChanged();
  void SetMode(PaletteMode mode);

  Platform& platform_;
  Surface& pic_pal_;
  std::function<void()> mode_changed_;
  std::function<void(const std::array<Colour, 2>&)> colours_changed_;
  std::mt19937 random_;
  ColourPalette palette_;
  PaletteMode mode_ = PaletteMode::kDefault;
};

}  // namespace pelorin
