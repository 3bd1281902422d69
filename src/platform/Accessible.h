// What a screen reader is told about a surface the program draws itself (the canvas, the palettes,
// the previews, the icon browser's grid) and about the parts of the main window's client area that
// are only painted (the readouts, the current colours), in the program's own words. The views
// hand it to the desktop's accessibility; the texts are asked for each time, so they are always
// those of the moment.
#pragma once

#include <functional>
#include <string>

#include "raster/Raster.h"

namespace pelorin {

enum class AccessibleRole {
  kCanvas,    // the zoomed canvas
  kGraphic,   // a picture: a preview, a swatch
  kLabel,     // a readout
  kToolBar,   // the tool palette
  kTool,      // one of its tools: one of a group, one of which is on
  kList,      // the colour palette, the icon browser's grid
  kListItem,  // one of their cells
  kCell,      // one cell of the canvas
};

struct AccessibleSurface {
  AccessibleRole role = AccessibleRole::kGraphic;
  // None: the view's own name, if it was given one.
  std::function<std::string()> name = {};
  // A longer text read after the name: what the keys do, say.
  std::function<std::string()> description = {};
  // What the surface shows at the moment, when it shows one thing (the cell under the canvas's
  // cursor).
  std::function<std::string()> value = {};

  // The parts a screen reader reads one by one (the tools, the palette's cells, the canvas's
  // cells, the browser's icons): their number, role, name and place in the surface's pixels.
  std::function<int()> part_count = {};
  AccessibleRole part_role = AccessibleRole::kListItem;
  std::function<std::string(int)> part_name = {};
  std::function<Rect(int)> part_place = {};
  // Parts that are on or off (the current tool); none: they are neither.
  std::function<bool(int)> part_checked = {};
  // The part under the keyboard's cursor, -1 for none; moving it is announced.
  std::function<int()> current_part = {};
};

// A part of the client area that is only painted, read as a label.
struct SpokenArea {
  Rect place;
  std::function<std::string()> text;
};

}  // namespace pelorin
