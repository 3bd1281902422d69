#include "colour/PaletteKeyboard.h"

namespace pelorin {

bool PaletteKeyboard::KeyDown(int key, int shift, bool repeat) {
  if (key == kKeySpace) {
    // A held Space would open the colour dialog again and again.
    if (repeat) return true;
    const Rect r = Frame();
    colours_.PicPal_MouseUp((shift & kShiftDown) ? 2 : 1, shift, (r.left + r.right) / 2,
                            (r.top + r.bottom) / 2);
    return true;
  }
  if (key == kKeyReturn) {
    if (!colours_.ChkPal) return false;
    if (!repeat) colours_.RedefineCell(Cell());
    return true;
  }
  return cursor_.Move(key, shift);
}

Rect PaletteKeyboard::Frame() const {
  const int left = kPaletteCell * cursor_.Column();
  const int top = kPaletteCell * cursor_.Row();
  return {left, top, left + kPaletteCell, top + kPaletteCell};
}

}  // namespace pelorin
