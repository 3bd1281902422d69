// The selection tool (tool 1): marks a rectangle of whole icon pixels with a dotted marquee,
// lifts it into a floating selection and moves it (the selection itself is Selection).
#pragma once

#include "canvas/CanvasTool.h"

namespace pelorin {

class SelectionTool : public CanvasTool {
 public:
  void ShowPointer(Surface& pic_main) const override {
    pic_main.SetMousePointer(MousePointer::kCrosshair);
  }
  bool IsDrawingTool() const override { return false; }
  // The marquee's size between grid lines; its far side may reach line 32.
  std::optional<CellSize> DragSize(const CanvasPointer& pointer) const override;
  // Marquees are not drawn yet: a gesture leaves the picture, its history and its modified
  // flag as they were.
  GestureEnd Release(CanvasPointer&, int, double, double) override {
    return GestureEnd::kUnrecorded;
  }
};

}  // namespace pelorin
