// The shape tools (6 to 12): line, hollow, solid and filled rectangle, hollow, solid and filled
// ellipse, dragged from cell to cell.
#pragma once

#include "canvas/CanvasTool.h"

namespace pelorin {

class ShapeTool : public CanvasTool {
 public:
  explicit ShapeTool(int tool) : tool_(tool) {}

  void ShowPointer(Surface& pic_main) const override {
    pic_main.SetMousePointer(MousePointer::kCrosshair);
  }
  // The shape's size in cells, both end cells counted, the moving one held on the icon.
  std::optional<CellSize> DragSize(const CanvasPointer& pointer) const override;
  // Shapes are not drawn yet: a gesture leaves the picture, its history and its modified flag
  // as they were.
  GestureEnd Release(CanvasPointer&, int, double, double) override {
    return GestureEnd::kUnrecorded;
  }

 private:
  int tool_;
};

}  // namespace pelorin
