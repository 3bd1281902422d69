// The 256-colour palette and the two current colours (left button, right button).
//
// The palette is drawn as 16 x 16 cells of 13 x 13 pixels: each cell's colour fills its square,
// then a one-pixel sunken edge frames it, leaving the colour in the inner 11 x 11 pixels.
#pragma once

#include <array>
#include <random>

#include "raster/Surface.h"

namespace pelorin {

inline constexpr int kPaletteCell = 13;
inline constexpr int kPaletteSize = 256;

class ColourPalette {
 public:
  // Entry k of the default palette: the decimal value of string id 100 + k in palette.txt.
  static Colour DefaultEntry(int k);

  // Draws every cell of `pic_pal`, optionally reloading the default palette first.
  void DrawPalette(Surface& pic_pal, bool load_defaults, Colour shadow, Colour highlight);
  // Entries 1 to 254 from the uniform generator; 0 and 255 keep what they hold.
  void Randomise(std::mt19937& random);
  // The cell under a point of the palette, or -1 outside the 16 x 16 cells.
  static int CellAt(double x, double y);

  std::array<Colour, kPaletteSize>& entries() { return entries_; }
  const std::array<Colour, kPaletteSize>& entries() const { return entries_; }

  // Current colour 0 is painted by the left button, 1 by the right.
  std::array<Colour, 2> current = {kBlack, kWhite};

 private:
  std::array<Colour, kPaletteSize> entries_{};
};

}  // namespace pelorin
