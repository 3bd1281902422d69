#include "canvas/SelectionTool.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "document/ModIcoEd.h"

namespace pelorin {

namespace {

// The nearest grid line: the nearest multiple of 10, a remainder of 5 going up.
int NearestLine(int v) {
  const int shifted = v + kCellSize / 2;
  const int lines = shifted >= 0 ? shifted / kCellSize : -((-shifted + kCellSize - 1) / kCellSize);
  return kCellSize * lines;
}

// The origin of the cell that holds v, also left of or above the canvas.
int CellOrigin(int v) {
  return kCellSize * (v >= 0 ? v / kCellSize : -((-v + kCellSize - 1) / kCellSize));
}

// The marquee of a keyboard's marking: the cells from the pressed one (whose origin the press
// point holds) to the one under the current point, both included.
Rect CellsMarked(const CanvasPointer& pointer) {
  const int press_x = pointer.press_x / kCellSize;
  const int press_y = pointer.press_y / kCellSize;
  const int x = std::clamp(pointer.current_x / kCellSize, 0, kIconSize - 1);
  const int y = std::clamp(pointer.current_y / kCellSize, 0, kIconSize - 1);
  return {kCellSize * std::min(press_x, x), kCellSize * std::min(press_y, y),
          kCellSize * (std::max(press_x, x) + 1), kCellSize * (std::max(press_y, y) + 1)};
}

}  // namespace

SelectionTool::SelectionTool(Selection& selection, Platform& platform)
    : CanvasTool({.caption = "选择",
                  .glyph = "tool-select.txt",
                  .pointer = MousePointer::kCrosshair,
                  .picker_returns = false}),
      selection_(selection),
      platform_(platform) {}

std::optional<MousePointer> SelectionTool::Hover(const CanvasPointer& pointer) {
  const Rect r = selection_.Bounds();
  const bool inside = selection_.Exists() && r.left <= pointer.current_x &&
                      pointer.current_x <= r.right && r.top <= pointer.current_y &&
                      pointer.current_y <= r.bottom;
  if (inside == over_selection_) return std::nullopt;
  over_selection_ = inside;
  return inside ? MousePointer::kSizeAll : MousePointer::kCrosshair;
}

bool SelectionTool::Press(CanvasPointer& pointer, int, int, double, double) {
  if (over_selection_ && selection_.Exists()) {
    if (selection_.IsMarquee()) selection_.LiftSelection();
    selection_.SetMoving(true);
    // The grab is measured from the pressed cell, as every move of the drag places the pointer in
    // its cell: a click leaves the selection where it is, and a drag moves it by exactly the
    // cells the pointer crossed.
    pointer.press_x = CellOrigin(pointer.press_x);
    pointer.press_y = CellOrigin(pointer.press_y);
    const Rect r = selection_.Bounds();
    grab_left_ = pointer.press_x - r.left;
    grab_top_ = pointer.press_y - r.top;
    grab_right_ = r.right - pointer.press_x;
    grab_bottom_ = r.bottom - pointer.press_y;
    // The floating selection is drawn at once.
    return true;
  }
  // The keyboard's press stands on a cell's centre; its marking starts from that cell.
  pointer.press_x = pointer.by_keys ? CellOrigin(pointer.press_x) : NearestLine(pointer.press_x);
  pointer.press_y = pointer.by_keys ? CellOrigin(pointer.press_y) : NearestLine(pointer.press_y);
  // Any selection is committed (its marquee goes), and a new marquee starts at the press point.
  selection_.Commit();
  selection_.SetBounds({pointer.press_x, pointer.press_y, pointer.press_x, pointer.press_y});
  selection_.DrawMarquee();
  return false;
}

std::optional<CellSize> SelectionTool::DragSize(const CanvasPointer& pointer) const {
  if (pointer.by_keys && !selection_.IsMoving()) {
    const Rect r = CellsMarked(pointer);
    return CellSize{r.Width() / kCellSize, r.Height() / kCellSize};
  }
  const auto lines = [](int current, int press) {
    return std::abs(std::clamp(current / kCellSize, 0, kIconSize) - press / kCellSize);
  };
  return CellSize{lines(pointer.current_x, pointer.press_x),
                  lines(pointer.current_y, pointer.press_y)};
}

void SelectionTool::Drag(CanvasPointer& pointer, int, int, double, double) {
  pointer.current_x = CellOrigin(pointer.current_x);
  pointer.current_y = CellOrigin(pointer.current_y);
  if (!selection_.IsMoving()) {
    // Marking: the marquee follows the moving corner, held inside the canvas.
    Rect r = selection_.Bounds();
    r.right = std::clamp(pointer.current_x, 0, kCanvasCopySize);
    r.bottom = std::clamp(pointer.current_y, 0, kCanvasCopySize);
    if (pointer.by_keys) r = CellsMarked(pointer);
    selection_.HideMarquee();
    selection_.SetBounds(r);
    selection_.DrawMarquee();
    return;
  }
  selection_.SetBounds({pointer.current_x - grab_left_, pointer.current_y - grab_top_,
                        pointer.current_x + grab_right_, pointer.current_y + grab_bottom_});
  // The picture without the selection, the selection over it, the grid; no marquee while moving.
  selection_.ShowOverPicture();
  // The canvas repaints while the pointer moves; a move that arrives meanwhile is handled in
  // full, but does not let events run once more inside this one.
  if (letting_events_run_) return;
  letting_events_run_ = true;
  platform_.DoEvents();
  letting_events_run_ = false;
}

GestureEnd SelectionTool::Release(CanvasPointer&, int, double, double) {
  if (selection_.IsMoving()) {
    selection_.SetMoving(false);
    selection_.DrawMarquee();
    return GestureEnd::kUnrecorded;
  }
  selection_.HideMarquee();
  Rect r = selection_.Bounds();
  if (r.right < r.left) std::swap(r.left, r.right);
  if (r.bottom < r.top) std::swap(r.top, r.bottom);
  selection_.SetBounds(r);
  if (r.left != r.right && r.top != r.bottom) {
    selection_.CaptureSelection();
    selection_.DrawMarquee();
    selection_.SetMarquee();
  }
  return GestureEnd::kUnrecorded;
}

}  // namespace pelorin
