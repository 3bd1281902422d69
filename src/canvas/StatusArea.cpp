#include "canvas/StatusArea.h"

#include <tuple>

#include "raster/Blit.h"
#include "raster/Draw.h"

namespace pelorin {

namespace {

constexpr Rect kPositionBox = {346, 60, 414, 79};
constexpr Rect kSizeBox = {346, 82, 414, 101};
constexpr Rect kLeftSwatch = {346, 110, 359, 123};
constexpr Rect kRightSwatch = {359, 110, 372, 123};
// The swatches' colour, inside their frames (both corners included).
constexpr Rect kLeftColour = {347, 111, 357, 121};
constexpr Rect kRightColour = {360, 111, 370, 121};
// Cleared areas of the readouts, right and bottom exclusive.
constexpr Rect kPositionField = {370, 62, 413, 77};
constexpr Rect kSizeField = {368, 85, 413, 99};
// The symbols' cells in the picture of the two.
constexpr int kSizeSymbol = 0;
constexpr int kPositionSymbol = 1;

Rect Grown(Rect r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

// A repaint of a field also covers the text the view draws over it, which may reach past the
// cleared area on either side.
Rect TextArea(Rect field) {
  return {field.left - 2, field.top - 2, field.right + 1, field.bottom + 3};
}

}  // namespace

void StatusArea::Paint(const std::vector<Rect>& framed, const Raster* symbols,
                       const std::array<Colour, 2>& colours) {
  Raster& r = form_.raster();
  form_.Cls();
  DrawEdgeSunkenOuter(r, {0, 0, form_.width() + 1, 2}, shadow_, highlight_);
  for (const Rect& place : framed) DrawEdgeSunkenOuter(r, Grown(place, 4), shadow_, highlight_);
  if (symbols != nullptr) {
    for (const auto& [symbol, x, y] :
         {std::tuple{kPositionSymbol, 348, 62}, {kSizeSymbol, 348, 84}}) {
      BitBlt(r, x, y, 15, 15, *symbols, 16 * symbol, 0, Rop::kSrcAnd);
      BitBlt(r, x, y, 15, 15, *symbols, 16 * symbol, 16, Rop::kSrcInvert);
      DrawEdgeSunkenOuter(r, symbol == kPositionSymbol ? kPositionBox : kSizeBox, shadow_,
                          highlight_);
    }
  }
  DrawEdgeSunkenOuter(r, kLeftSwatch, shadow_, highlight_);
  DrawEdgeSunkenOuter(r, kRightSwatch, shadow_, highlight_);
  RefillSwatches(colours);
  form_.Refresh();
}

void StatusArea::RefillSwatches(const std::array<Colour, 2>& colours) {
  for (const auto& [area, colour] :
       {std::pair{kLeftColour, colours[0]}, {kRightColour, colours[1]}}) {
    FillBox(form_.raster(), area.left, area.top, area.right, area.bottom, Ink{colour});
    form_.Refresh({area.left, area.top, area.right + 1, area.bottom + 1});
  }
}

void StatusArea::Write(FormText& field, Rect cleared, int a, int b) {
  std::string text = std::to_string(a) + " , " + std::to_string(b);
  // The same text again (the pointer stayed in its cell) changes nothing on the screen.
  if (text == field.text) return;
  form_.raster().FillRect(cleared, back_);
  field.text = std::move(text);
  form_.Refresh(TextArea(cleared));
}

std::array<Rect, 4> StatusArea::Places() {
  return {kPositionBox, kSizeBox, kLeftSwatch, kRightSwatch};
}

void StatusArea::ShowPosition(int column, int row) {
  Write(position_text_, kPositionField, column, row);
}

void StatusArea::ShowSize(int width, int height) { Write(size_text_, kSizeField, width, height); }

void StatusArea::ClearSizeField() {
  form_.raster().FillRect(kSizeField, back_);
  if (size_text_.text.empty()) return;
  size_text_.text.clear();
  form_.Refresh(TextArea(kSizeField));
}

}  // namespace pelorin
