// The flood fill (tool 5): on release, the area of one colour, or of transparency, under the
// pointer takes the drawing colour.
#pragma once

#include "canvas/CanvasTool.h"

namespace pelorin {

class FillTool : public CanvasTool {
 public:
  void ShowPointer(Surface& pic_main) const override {
    pic_main.SetMousePointer(MousePointer::kCustom, "cursor-bucket.txt");
  }
  // The fill is not built yet: a gesture leaves the picture, its history and its modified flag
  // as they were.
  GestureEnd Release(CanvasPointer&, int, double, double) override {
    return GestureEnd::kUnrecorded;
  }
};

}  // namespace pelorin
