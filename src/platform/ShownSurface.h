// A surface as a view shows it: its place and the handlers its pointer events reach. The core
// hands these to the views, which bind to them without knowing what the surface is.
#pragma once

#include <functional>
#include <string>

#include "base/Geometry.h"
#include "platform/Accessible.h"
#include "raster/Surface.h"

namespace pelorin {

// A handler of pointer events on a shown surface. Buttons: 1 left, 2 right, 4 middle (on a move
// 0 or the sum of the held buttons); shift: Shift 1, Ctrl 2, Alt 4; positions in the surface's
// pixels, possibly fractional.
using PointerHandler = std::function<void(int button, int shift, double x, double y)>;
// A handler of keys on a shown surface that has the keyboard focus (codes and shift as in
// base/Keys.h; `repeat` for the repeats of a held key). It returns whether the surface used the
// key; a key it does not use goes on to the window (Tab, the dialog's Enter and Esc).
using KeyHandler = std::function<bool(int key, int shift, bool repeat)>;

// A shown surface: where it stands in the client area and what its pointer events reach.
struct ShownSurface {
  const Surface* surface = nullptr;
  Position at = {};
  PointerHandler on_press = {};
  PointerHandler on_move = {};
  PointerHandler on_release = {};
  // A double-click; without a handler it counts as a second press.
  PointerHandler on_double_click = {};
  // The tooltip the surface shows, asked after every pointer event; none for no tooltip.
  std::function<std::string()> tooltip = {};
  // Whether the surface takes pointer events at the moment; none: always.
  std::function<bool()> enabled = {};

  // The keyboard: a surface with a key handler takes the focus (Tab, or a click). The cursor's
  // frame, in the surface's pixels, is drawn over the surface while it has the focus, never into
  // it; an empty rectangle draws none.
  KeyHandler on_key_down = {};
  KeyHandler on_key_up = {};
  std::function<void()> on_focus_taken = {};
  std::function<void()> on_focus_lost = {};
  std::function<Rect()> key_cursor = {};
  // What a screen reader reads of the surface.
  AccessibleSurface accessible = {};
};

}  // namespace pelorin
