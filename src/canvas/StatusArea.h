// The decorations the main window draws on its own client area (the surface Form), and the two
// status readouts.
//
//   (0, 0)-(562, 2)        the sunken line under the menu bar
//   4 pixels around the canvas, the preview and the tool palette: sunken frames
//   (346, 60)-(414, 79)    position box: symbol at (348, 62), "column , row" at (371, 64)
//   (346, 82)-(414, 101)   size box:     symbol at (348, 84), "width , height" at (371, 86)
//   (346, 110)-(359, 123) and (359, 110)-(372, 123): the left and right colour swatches
//
// The readout texts are drawn by the view with the window's font; the core keeps them, so that
// they survive repaints, and clears their fields when they change.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "raster/Surface.h"

namespace pelorin {

// A text written on the client area: the view draws it with the window's font and text colour,
// its top-left corner at (x, y).
struct FormText {
  int x = 0;
  int y = 0;
  std::string text;
};

class StatusArea {
 public:
  // form: the client area; back: the window's background; shadow and highlight: the system's
  // colours of sunken edges.
  StatusArea(Surface& form, Colour back, Colour shadow, Colour highlight)
      : form_(form), back_(back), shadow_(shadow), highlight_(highlight) {}

  // Redraws every decoration: the line under the menu bar, a frame 4 pixels outside each of
  // `framed`, the readouts' symbols (`symbols`: the size symbol's 16 x 16 cell, then the
  // position symbol's, mask rows over image rows; none when it is null), their boxes, and the
  // swatches in `colours`.
  void Paint(const std::vector<Rect>& framed, const Raster* symbols,
             const std::array<Colour, 2>& colours);
  // Both swatches refilled with the current colours, left first.
  void RefillSwatches(const std::array<Colour, 2>& colours);
  // The readouts: "a , b" in their field, or the size field cleared.
  void ShowPosition(int column, int row);
  void ShowSize(int width, int height);
  void ClearSizeField();

  const FormText& PositionText() const { return position_text_; }
  const FormText& SizeText() const { return size_text_; }
  // Where the position box, the size box and the left and right swatches stand.
  static std::array<Rect, 4> Places();

 private:
  void Write(FormText& field, Rect cleared, int a, int b);

  Surface& form_;
  Colour back_;
  Colour shadow_;
  Colour highlight_;
  FormText position_text_{371, 64, {}};
  FormText size_text_{371, 86, {}};
};

}  // namespace pelorin
