#include "canvas/PencilTool.h"

namespace pelorin {

PointerShape PencilTool::Chosen() {
  return {MousePointer::kCustom,
          kind_ == Kind::kPencil ? "cursor-pencil.txt" : "cursor-eraser.txt"};
}

void PencilTool::Drag(CanvasPointer& pointer, int, int, double, double) {
  // Points left of or above the grid paint nothing.
  if (pointer.current_x <= 0 || pointer.current_y <= 0) return;
  const int i = pointer.current_x / kCellSize;
  const int j = pointer.current_y / kCellSize;
  if (kind_ == Kind::kPencil) {
    doc_.PaintCell(i, j, doc_.DrawColor());
  } else {
    doc_.EraseCell(i, j);
  }
}

}  // namespace pelorin
