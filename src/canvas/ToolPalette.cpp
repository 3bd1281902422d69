#include "canvas/ToolPalette.h"

#include <cmath>
#include <optional>
#include <utility>

#include "base/Numbers.h"
#include "raster/Blit.h"
#include "raster/Draw.h"

namespace pelorin {
namespace {

constexpr int kGlyphSize = 16;
// Where a glyph sits in its cell, unless its look nudges it further left.
constexpr int kGlyphLeft = 4;
constexpr int kGlyphTop = 3;

}  // namespace

int ToolCellLeft(int tool) {
  return ToolPalette::kCellWidth * ((tool - 1) % ToolPalette::kColumns);
}

int ToolCellTop(int tool) {
  return ToolPalette::kCellHeight * ((tool - 1) / ToolPalette::kColumns);
}

ToolPalette::ToolPalette(Surface& pic_tools, std::vector<ToolLook> tools, Colour window_back,
                         Colour shadow, Colour highlight, std::function<void(int)> select_tool)
    : pic_tools_(pic_tools),
      tools_(std::move(tools)),
      window_back_(window_back),
      shadow_(shadow),
      highlight_(highlight),
      select_tool_(std::move(select_tool)) {
  pic_tools_.Resize(kWidth, Height(ToolCount()));
}

std::string_view ToolPalette::Caption(int tool) const {
  return IsTool(tool) ? tools_[tool - 1].caption : "";
}

std::vector<std::string_view> ToolPalette::Glyphs() const {
  std::vector<std::string_view> glyphs;
  for (const ToolLook& look : tools_) glyphs.push_back(look.glyph);
  return glyphs;
}

// The pixel is tested first: that keeps points just left of or above the palette out of column
// and row 0, where truncating division would put them.
std::optional<int> ToolPalette::ToolAt(double x, double y) const {
  const int height = pic_tools_.height();
  if (!(x > -1.0 && y > -1.0 && x < kWidth && y < height)) return std::nullopt;
  const int px = WholePixel(x);
  const int py = WholePixel(y);
  if (px < 0 || py < 0 || px >= kWidth || py >= height) return std::nullopt;
  const int tool = px / kCellWidth + 1 + kColumns * (py / kCellHeight);
  // The cells of the last row past the last tool hold none.
  if (!IsTool(tool)) return std::nullopt;
  return tool;
}

void ToolPalette::PicTools_Paint() {
  pic_tools_.Cls();
  if (glyphs_ != nullptr) {
    Raster& dst = pic_tools_.raster();
    for (int tool = 1; tool <= ToolCount(); ++tool) {
      const int k = tool - 1;
      const int x = kGlyphLeft + ToolCellLeft(tool) - tools_[k].glyph_nudge;
      const int y = kGlyphTop + ToolCellTop(tool);
      BitBlt(dst, x, y, kGlyphSize, kGlyphSize, *glyphs_, kGlyphSize * k, 0, Rop::kSrcAnd);
      BitBlt(dst, x, y, kGlyphSize, kGlyphSize, *glyphs_, kGlyphSize * k, kGlyphSize,
             Rop::kSrcInvert);
    }
  }
  DrawEdgeSunkenOuter(pic_tools_.raster(), SelectedCell(), shadow_, highlight_);
  pic_tools_.Refresh();
}

void ToolPalette::PicTools_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
  const std::optional<int> tool = ToolAt(x, y);
  // A point that rounds to a pixel off the grid (the view's fractional edge), or a cell without
  // a tool, presses nothing; taking its column or row as a cell would frame a cell off the
  // surface and select a tool number that does not exist.
  if (!tool) return;
  // A second button going down before the first comes up moves the press; the first pressed
  // cell must not keep a frame it no longer earns.
  if (pressed_) RemovePressedFrame();

  pressed_ = true;
  pressed_left_ = ToolCellLeft(*tool);
  pressed_top_ = ToolCellTop(*tool);
  pressed_tool_ = *tool;
  if (pressed_left_ == selected_left_ && pressed_top_ == selected_top_) {
    // The selected cell is framed already; there is nothing to show.
    pressed_on_selected_ = true;
    pressed_rect_ = kNoPressedCell;
  } else {
    pressed_on_selected_ = false;
    pressed_rect_ = CellRect(pressed_left_, pressed_top_);
    DrawFrame(pressed_rect_);
  }
}

void ToolPalette::PicTools_MouseMove(int button, int /*shift*/, double x, double y) {
  if (button == 0) {
    if (const std::optional<int> tool = ToolAt(x, y)) tooltip_ = Caption(*tool);
    return;
  }
  // Only a left drag shows the pressed cell following the pointer; with other buttons the
  // palette stays as the press left it.
  if (button != 1 || !pressed_) return;
  // The bounds take in one column and one row past the cell; the pointer there still counts as
  // over it.
  if (x >= pressed_left_ && x <= pressed_left_ + kCellWidth && y >= pressed_top_ &&
      y <= pressed_top_ + kCellHeight) {
    DrawFrame(pressed_rect_);
  } else {
    RemovePressedFrame();
  }
}

void ToolPalette::PicTools_MouseUp(int /*button*/, int /*shift*/, double x, double y) {
  // A release with no press of ours outstanding (the second release of a chord, or one that
  // arrives without its press) selects nothing: the stale pressed cell is not a click.
  if (!pressed_) {
    pressed_rect_ = kNoPressedCell;
    return;
  }
  pressed_ = false;

  int clicked = 0;
  // The width and the height count as inside; their column and row match no pressed cell.
  const bool inside = x >= 0 && x <= kWidth && y >= 0 && y <= pic_tools_.height();
  if (inside && kCellWidth * (WholePixel(x) / kCellWidth) == pressed_left_ &&
      kCellHeight * (WholePixel(y) / kCellHeight) == pressed_top_) {
    RemoveFrame(selected_left_, selected_top_);
    selected_left_ = pressed_left_;
    selected_top_ = pressed_top_;
    DrawFrame(SelectedCell());
    clicked = pressed_tool_;
  } else {
    RemovePressedFrame();
  }
  pressed_rect_ = kNoPressedCell;
  // Last, so that whatever select_tool does sees the palette at rest.
  if (clicked != 0 && select_tool_) select_tool_(clicked);
}

void ToolPalette::MoveFrameTo(int tool) {
  if (!IsTool(tool)) return;
  RemoveFrame(selected_left_, selected_top_);
  selected_left_ = ToolCellLeft(tool);
  selected_top_ = ToolCellTop(tool);
  DrawFrame(SelectedCell());
}

void ToolPalette::ReturnToLastTool(int tool) {
  if (tool == kToolSelect || !IsTool(tool)) return;
  const double x = ToolCellLeft(tool);
  const double y = ToolCellTop(tool);
  PicTools_MouseDown(1, 0, x, y);
  PicTools_MouseUp(1, 0, x, y);
}

void ToolPalette::DrawFrame(Rect cell) {
  if (cell.Empty()) return;
  DrawEdgeSunkenOuter(pic_tools_.raster(), cell, shadow_, highlight_);
  pic_tools_.Refresh();
}

void ToolPalette::RemoveFrame(int left, int top) {
  // Straight onto the raster with a solid copy pen: the surface's own pen state (mode, dots,
  // a solid brush that would fill the box) must not change what a removed frame looks like.
  const Pen pen{Ink{window_back_, DrawMode::kCopyPen}, DrawStyle::kSolid};
  DrawBoxOutline(pic_tools_.raster(), left, top, left + kCellWidth - 1, top + kCellHeight - 1, pen);
  pic_tools_.Refresh();
}

void ToolPalette::RemovePressedFrame() {
  if (!pressed_on_selected_) RemoveFrame(pressed_left_, pressed_top_);
}

}  // namespace pelorin
