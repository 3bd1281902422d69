#include "canvas/PencilTool.h"

namespace pelorin {

PencilTool::PencilTool(Kind kind, IconDocument& doc)
    : CanvasTool(kind == Kind::kPencil ? ToolLook{.caption = "绘图",
                                                  .glyph = "tool-pencil.txt",
                                                  .pointer = MousePointer::kCustom,
                                                  .pointer_icon = "cursor-pencil.txt"}
                                       : ToolLook{.caption = "擦除",
                                                  .glyph = "tool-eraser.txt",
                                                  .pointer = MousePointer::kCustom,
                                                  .pointer_icon = "cursor-eraser.txt"}),
      kind_(kind),
      doc_(doc) {}

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
