#include "canvas/CanvasKeyboard.h"

#include "document/ModIcoEd.h"

namespace pelorin {

namespace {

// The keyboard's points are the cells' centres.
double Centre(int cell) { return kCellSize * cell + kCellSize / 2.0; }

int Towards(int from, int to) { return from < to ? from + 1 : (from > to ? from - 1 : from); }

}  // namespace

Rect CanvasKeyboard::Frame() const {
  return {kCellSize * Column(), kCellSize * Row(), kCellSize * (Column() + 1) + 1,
          kCellSize * (Row() + 1) + 1};
}

bool CanvasKeyboard::Dragging() const {
  return held_ != 0 && canvas_.GestureUnderWay() && canvas_.Pointer().by_keys;
}

void CanvasKeyboard::MoveHere(int button, int shift) {
  canvas_.PicMain_MouseMove(button, shift, Centre(Column()), Centre(Row()));
}

void CanvasKeyboard::MoveCursor(int index) {
  const int to_column = index % kIconSize;
  const int to_row = index / kIconSize;
  if (!Dragging()) {
    cursor_.MoveTo(index);
    MoveHere(held_, 0);
    return;
  }
  // Cell by cell, as a slow pointer would go.
  do {
    cursor_.MoveTo(Towards(Row(), to_row) * kIconSize + Towards(Column(), to_column));
    MoveHere(held_, 0);
  } while (cursor_.Index() != index && Dragging());
  cursor_.MoveTo(index);
}

bool CanvasKeyboard::KeyDown(int key, int shift, bool repeat) {
  if (key == kKeySpace) {
    // A held Space repeats; only its first press counts, and a second button waits for the first
    // to come up, as a chord of the pointer's buttons does nothing.
    if (repeat || held_ != 0) return true;
    // A gesture of the pointer under way keeps the canvas.
    if (canvas_.GestureUnderWay()) return true;
    held_ = (shift & kShiftDown) ? 2 : 1;
    // The pointer stands over the cell first, so that the selection tool knows whether the press
    // is on the selection.
    MoveHere(0, shift);
    canvas_.PressFromKeyboard(held_, shift, Centre(Column()), Centre(Row()));
    return true;
  }
  if (key == kKeyEscape) {
    if (!Dragging()) return false;
    canvas_.FinishGesture();
    return true;
  }
  GridCursor moved = cursor_;
  if (!moved.Move(key, shift)) return false;
  MoveCursor(moved.Index());
  return true;
}

bool CanvasKeyboard::KeyUp(int key, int shift, bool repeat) {
  if (key != kKeySpace) return false;
  if (!repeat && held_ != 0) Release(shift);
  return true;
}

void CanvasKeyboard::FocusLost() {
  if (held_ != 0) Release(0);
}

void CanvasKeyboard::Release(int shift) {
  const int button = held_;
  held_ = 0;
  if (!canvas_.GestureUnderWay() || !canvas_.Pointer().by_keys) return;
  // The pointer may have moved over the canvas meanwhile; the gesture ends at the cursor.
  const CanvasPointer& p = canvas_.Pointer();
  const auto off = [](int v, int cell) {
    return v < kCellSize * cell || v >= kCellSize * (cell + 1);
  };
  if (off(p.current_x, Column()) || off(p.current_y, Row())) MoveHere(button, shift);
  canvas_.PicMain_MouseUp(button, shift, Centre(Column()), Centre(Row()));
}

bool ToolKeyboard::KeyDown(int key, int shift, bool repeat) {
  if (key == kKeySpace || key == kKeyReturn) {
    if (repeat) return true;
    // A click in the middle of the cell, as the pointer would make it.
    const int tool = Tool();
    const double x = ToolCellLeft(tool) + ToolPalette::kCellWidth / 2;
    const double y = ToolCellTop(tool) + ToolPalette::kCellHeight / 2;
    canvas_.Tools().PicTools_MouseDown(1, 0, x, y);
    canvas_.Tools().PicTools_MouseUp(1, 0, x, y);
    return true;
  }
  return cursor_.Move(key, shift);
}

Rect ToolKeyboard::Frame() const {
  const int left = ToolCellLeft(Tool());
  const int top = ToolCellTop(Tool());
  // Inside the cell's own frame, round the glyph.
  return {left + 1, top + 1, left + ToolPalette::kCellWidth - 1,
          top + ToolPalette::kCellHeight - 1};
}

}  // namespace pelorin
