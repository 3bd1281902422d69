// The colour palette from the keyboard: a cursor among the 256 cells (the arrow keys a cell, with
// Ctrl four; Home and End to the ends of its row, Page Up and Page Down of its column, Ctrl+Home
// and Ctrl+End to the first and the last cell), which the view frames while the palette has the
// focus. Space is a click of the left button on the cell under it, Shift+Space of the right one:
// they set that current colour (with 调整调色板 ticked, after the colour dialog, as a click does).
// With 调整调色板 ticked, Enter redefines the cell through the colour dialog and leaves the
// current colours as they are.
#pragma once

#include "base/GridCursor.h"
#include "colour/ColourCommands.h"

namespace pelorin {

class PaletteKeyboard {
 public:
  explicit PaletteKeyboard(ColourCommands& colours) : colours_(colours) {}
  PaletteKeyboard(const PaletteKeyboard&) = delete;
  PaletteKeyboard& operator=(const PaletteKeyboard&) = delete;

  // Codes and shift as in base/Keys.h; true when the palette used the key.
  bool KeyDown(int key, int shift, bool repeat);
  // The cell under the cursor, 0 to 255.
  int Cell() const { return cursor_.Index(); }
  // That cell's square, in PicPal pixels.
  Rect Frame() const;

 private:
  ColourCommands& colours_;
  GridCursor cursor_{16, 16, 4};
};

}  // namespace pelorin
