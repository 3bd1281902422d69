// The decorations the main window draws on its own client area, and the two status readouts.
//
//   (346, 60)-(414, 79)  position box: symbol at (348, 62), "column , row" at (371, 64)
//   (346, 82)-(414, 101) size box:     symbol at (348, 84), "width , height" at (371, 86)
//   (346, 110)-(359, 123) and (359, 110)-(372, 123): the left and right colour swatches
#include <algorithm>
#include <string>

#include "app/frmMain.h"

namespace pelorin {

namespace {

constexpr Rect kPositionBox = {346, 60, 414, 79};
constexpr Rect kSizeBox = {346, 82, 414, 101};
constexpr Rect kLeftSwatch = {346, 110, 359, 123};
constexpr Rect kRightSwatch = {359, 110, 372, 123};
// Cleared areas of the readouts, right and bottom exclusive.
constexpr Rect kPositionField = {370, 62, 413, 77};
constexpr Rect kSizeField = {368, 85, 413, 99};
constexpr int kPositionSymbol = 13;
constexpr int kSizeSymbol = 12;

Rect Grown(const Placement& p, int by) {
  return {p.left - by, p.top - by, p.left + p.surface->width() + by,
          p.top + p.surface->height() + by};
}

}  // namespace

void frmMain::Form_Paint() {
  Raster& r = Form.raster();
  const Colour shadow = SysColor(SysColour::kButtonShadow);
  const Colour highlight = SysColor(SysColour::kButtonHighlight);
  Form.Cls();
  DrawEdgeSunkenOuter(r, {0, 0, Form.width() + 1, 2}, shadow, highlight);
  // Frames 4 pixels outside the canvas, the preview and the tool palette.
  for (const Placement& p : ShownSurfaces())
    if (p.surface == &PicMain || p.surface == &picIcon || p.surface == &PicTools)
      DrawEdgeSunkenOuter(r, Grown(p, 4), shadow, highlight);
  if (rasters_.HasToolGlyphs()) {
    const Raster& glyphs = rasters_.tool_glyphs();
    for (const auto& [symbol, x, y] :
         {std::tuple{kPositionSymbol, 348, 62}, {kSizeSymbol, 348, 84}}) {
      BitBlt(r, x, y, 15, 15, glyphs, 16 * symbol, 0, Rop::kSrcAnd);
      BitBlt(r, x, y, 15, 15, glyphs, 16 * symbol, 16, Rop::kSrcInvert);
      DrawEdgeSunkenOuter(r, symbol == kPositionSymbol ? kPositionBox : kSizeBox, shadow,
                          highlight);
    }
  }
  DrawEdgeSunkenOuter(r, kLeftSwatch, shadow, highlight);
  DrawEdgeSunkenOuter(r, kRightSwatch, shadow, highlight);
  RefillSwatches();
}

void frmMain::RefillSwatches() {
  FillBox(Form.raster(), 347, 111, 357, 121, Ink{palette_.current[0]});
  FillBox(Form.raster(), 360, 111, 370, 121, Ink{palette_.current[1]});
  Form.Refresh();
}

void frmMain::WriteStatus(FormText& field, Rect cleared, int a, int b) {
  Form.raster().FillRect(cleared, back_colour_);
  field.text = std::to_string(a) + " , " + std::to_string(b);
  Form.Refresh();
}

void frmMain::ClearSizeField() {
  Form.raster().FillRect(kSizeField, back_colour_);
  size_text_.text.clear();
  Form.Refresh();
}

// Called on every move over the canvas with the move's button state, before any tool acts.
void frmMain::UpdateStatus(int button) {
  const int i = std::clamp(current_x_ / kCellSize, 0, kIconSize - 1);
  const int j = std::clamp(current_y_ / kCellSize, 0, kIconSize - 1);
  WriteStatus(position_text_, kPositionField, i, j);
  if (button == 0) return;
  const int s = press_x_ / kCellSize;
  const int t = press_y_ / kCellSize;
  if (current_tool_ == kToolSelect) {
    // A marquee's corners lie on grid lines, so its far side may reach line 32.
    const int w = std::abs(std::clamp(current_x_ / kCellSize, 0, kIconSize) - s);
    const int h = std::abs(std::clamp(current_y_ / kCellSize, 0, kIconSize) - t);
    WriteStatus(size_text_, kSizeField, w, h);
  } else if (current_tool_ >= kToolLine) {
    const int w = std::abs(std::clamp(current_x_ / kCellSize, 0, kIconSize - 1) - s) + 1;
    const int h = std::abs(std::clamp(current_y_ / kCellSize, 0, kIconSize - 1) - t) + 1;
    WriteStatus(size_text_, kSizeField, w, h);
  }
}

}  // namespace pelorin
