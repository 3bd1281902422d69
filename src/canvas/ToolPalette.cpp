#include "canvas/ToolPalette.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "base/Numbers.h"
#include "raster/Blit.h"
#include "raster/Draw.h"

namespace pelorin {
namespace {

constexpr std::array<std::string_view, kToolCount> kCaptions = {
    "选择",     "绘图",     "擦除",     "取色",     "填充",     "直线",
    "空心矩形", "实体矩形", "填充矩形", "空心椭圆", "实体椭圆", "填充椭圆"};

constexpr int kGlyphSize = 16;
// Where a glyph sits in its cell; the picker and fill glyphs (indices 3 and 4) sit one pixel
// further left than this.
constexpr int kGlyphLeft = 4;
constexpr int kGlyphTop = 3;

bool IsTool(int tool) { return tool >= 1 && tool <= kToolCount; }

struct Cell {
  int column;
  int row;
};

// The cell under a point, when the point's pixel is one of the palette's 92 x 66. Testing the
// pixel first keeps points just left of or above the palette out of column and row 0, where
// truncating division would put them.
std::optional<Cell> CellAt(double x, double y) {
  if (!(x > -1.0 && y > -1.0 && x < ToolPalette::kWidth && y < ToolPalette::kHeight))
    return std::nullopt;
  const int px = WholePixel(x);
  const int py = WholePixel(y);
  if (px < 0 || py < 0 || px >= ToolPalette::kWidth || py >= ToolPalette::kHeight)
    return std::nullopt;
  return Cell{px / ToolPalette::kCellWidth, py / ToolPalette::kCellHeight};
}

}  // namespace

std::string_view ToolCaption(int tool) { return IsTool(tool) ? kCaptions[tool - 1] : ""; }

int ToolCellLeft(int tool) {
  return ToolPalette::kCellWidth * ((tool - 1) % ToolPalette::kColumns);
}

int ToolCellTop(int tool) {
  return ToolPalette::kCellHeight * ((tool - 1) / ToolPalette::kColumns);
}

ToolPalette::ToolPalette(Surface& pic_tools, Colour window_back, Colour shadow, Colour highlight,
                         std::function<void(int)> select_tool)
    : pic_tools_(pic_tools),
      window_back_(window_back),
      shadow_(shadow),
      highlight_(highlight),
      select_tool_(std::move(select_tool)) {}

void ToolPalette::PicTools_Paint() {
  pic_tools_.Cls();
  if (glyphs_ != nullptr) {
    Raster& dst = pic_tools_.raster();
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        const int k = kColumns * r + c;
        const int x = kGlyphLeft + kCellWidth * c - ((k == 3 || k == 4) ? 1 : 0);
        const int y = kGlyphTop + kCellHeight * r;
        BitBlt(dst, x, y, kGlyphSize, kGlyphSize, *glyphs_, kGlyphSize * k, 0, Rop::kSrcAnd);
        BitBlt(dst, x, y, kGlyphSize, kGlyphSize, *glyphs_, kGlyphSize * k, kGlyphSize,
               Rop::kSrcInvert);
      }
    }
  }
  DrawEdgeSunkenOuter(pic_tools_.raster(), SelectedCell(), shadow_, highlight_);
  pic_tools_.Refresh();
}

void ToolPalette::PicTools_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
  const std::optional<Cell> cell = CellAt(x, y);
  // A point that rounds to a pixel off the grid (the view's fractional edge) presses nothing;
  // taking its column or row as a cell would frame a cell off the surface and select a tool
  // number that does not exist.
  if (!cell) return;
  // A second button going down before the first comes up moves the press; the first pressed
  // cell must not keep a frame it no longer earns.
  if (pressed_) RemovePressedFrame();

  pressed_ = true;
  pressed_left_ = kCellWidth * cell->column;
  pressed_top_ = kCellHeight * cell->row;
  pressed_tool_ = cell->column + 1 + kColumns * cell->row;
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
    if (const std::optional<Cell> cell = CellAt(x, y))
      tooltip_ = ToolCaption(cell->column + 1 + kColumns * cell->row);
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
  // 92 and 66 count as inside; their column and row match no pressed cell.
  const bool inside = x >= 0 && x <= kWidth && y >= 0 && y <= kHeight;
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
  if (tool < kToolPencil || tool > kToolCount) return;
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
