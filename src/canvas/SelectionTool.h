// The selection tool (tool 1): a drag marks a rectangle of whole icon pixels with a dotted
// marquee; a press inside the selection lifts it (a marquee becomes a floating selection) and a
// drag moves it; a press outside commits it and starts a new marquee.
//
// The press corner goes to the nearest grid line, the moving corner to the origin of the cell
// under the pointer, held inside the canvas while marking. While a floating selection moves,
// its rectangle keeps the distances from the press point to its sides (no clamping).
//
// A marquee marked from the keyboard (CanvasPointer::by_keys, its points the cells' centres)
// takes in whole cells: from the pressed cell to the current one, both included, whichever way
// the cursor went.
#pragma once

#include "canvas/CanvasTool.h"
#include "document/Selection.h"
#include "platform/Platform.h"

namespace pelorin {

class SelectionTool : public CanvasTool {
 public:
  SelectionTool(Selection& selection, Platform& platform);

  void Chosen() override { over_selection_ = false; }
  // A press where the pointer shows the move arrow lifts and moves the selection; elsewhere it
  // commits the selection and starts a marquee.
  bool Press(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  // The move arrow over the selection, the crosshair elsewhere.
  std::optional<MousePointer> Hover(const CanvasPointer& pointer) override;
  // The marquee's size between grid lines; its far side may reach line 32.
  std::optional<CellSize> DragSize(const CanvasPointer& pointer) const override;
  void Drag(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) override;

 private:
  Selection& selection_;
  Platform& platform_;
  // Whether the pointer shows the move arrow: it was over the selection at the last move.
  bool over_selection_ = false;
  // The distances from the press point to the selection's sides when a move starts.
  int grab_left_ = 0;
  int grab_top_ = 0;
  int grab_right_ = 0;
  int grab_bottom_ = 0;
  // Pending events run at the end of a move; a move handled meanwhile does not run them again.
  bool letting_events_run_ = false;
};

}  // namespace pelorin
