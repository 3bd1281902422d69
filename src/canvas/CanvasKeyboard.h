// The canvas and the tool palette from the keyboard.
//
// The canvas has a cell cursor: a frame around one cell, which the view draws over the canvas
// while the canvas has the keyboard focus (it is never part of the picture). The arrow keys move
// it a cell (with Ctrl eight), Home and End to the ends of its row, Page Up and Page Down to the
// ends of its column, Ctrl+Home and Ctrl+End to the corners. Space is the left button and
// Shift+Space the right one, at the centre of the cursor's cell: pressed and released, a click;
// held while the cursor moves, a drag that passes every cell on its way (so that the pencil
// leaves no gaps); Esc during the drag ends it where it stands, as the release would. Everything
// goes through the canvas's own press, move and release, so every tool keeps its rules (a line,
// a rectangle, a marquee, the move of a selection); the marquee takes in the cells from the
// pressed one to the cursor's (CanvasPointer::by_keys). The readouts follow the cursor as they
// follow the pointer. A held Space repeats without meaning anything: its repeats are ignored.
//
// The tool palette has a cursor of its own among the twelve tools (the same keys), which stands on
// the current tool whenever the palette takes the focus; Space or Enter chooses the tool under it
// as a click would.
#pragma once

#include "base/GridCursor.h"
#include "canvas/Canvas.h"

namespace pelorin {

class CanvasKeyboard {
 public:
  explicit CanvasKeyboard(Canvas& canvas) : canvas_(canvas) {}
  CanvasKeyboard(const CanvasKeyboard&) = delete;
  CanvasKeyboard& operator=(const CanvasKeyboard&) = delete;

  // A key pressed or let go while the canvas has the focus (codes and shift as in base/Keys.h;
  // `repeat` for the repeats of a held key). True when the canvas used the key.
  bool KeyDown(int key, int shift, bool repeat);
  bool KeyUp(int key, int shift, bool repeat);
  // The canvas lost the focus: a held Space is let go where the cursor stands.
  void FocusLost();

  int Column() const { return cursor_.Column(); }
  int Row() const { return cursor_.Row(); }
  // The cursor's cell with its grid lines, in PicMain pixels.
  Rect Frame() const;
  // The button that Space holds down (1 or 2), 0 when it is up.
  int HeldButton() const { return held_; }

 private:
  // The cursor goes to `index`; while Space drags, the canvas sees a move at every cell between.
  void MoveCursor(int index);
  // The canvas sees a move at the cursor's cell with `button` held (0: none).
  void MoveHere(int button, int shift);
  // Space is let go: the release of the keyboard's gesture, at the cursor.
  void Release(int shift);
  // The gesture under way on the canvas is Space's own (a command or the pointer may have ended
  // it or taken over meanwhile).
  bool Dragging() const;

  Canvas& canvas_;
  GridCursor cursor_{kIconSize, kIconSize, 8};
  int held_ = 0;
};

class ToolKeyboard {
 public:
  explicit ToolKeyboard(Canvas& canvas) : canvas_(canvas) {
    cursor_.SetCount(canvas_.Tools().ToolCount());
  }
  ToolKeyboard(const ToolKeyboard&) = delete;
  ToolKeyboard& operator=(const ToolKeyboard&) = delete;

  bool KeyDown(int key, int shift, bool repeat);
  // The palette took the focus: the cursor goes to the current tool.
  void FocusTaken() { cursor_.MoveTo(canvas_.CurrentTool() - 1); }
  // The tool under the cursor.
  int Tool() const { return cursor_.Index() + 1; }
  // The frame the view draws for the cursor inside the tool's cell, in PicTools pixels.
  Rect Frame() const;

 private:
  Canvas& canvas_;
  GridCursor cursor_{ToolPalette::kColumns, 1};  // as many cells as there are tools
};

}  // namespace pelorin
