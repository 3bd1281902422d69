#include "canvas/PickerTool.h"

namespace pelorin {

GestureEnd PickerTool::Release(CanvasPointer& pointer, int button, double x, double y) {
  // Only a release on a cell picks; the closing grid line at 320 is no cell.
  if (x > 0 && x < kCanvasCopySize && y > 0 && y < kCanvasCopySize) {
    const int i = pointer.end_cell_x;
    const int j = pointer.end_cell_y;
    if (doc_.PicMask().raster().GetPixel(i, j) == kWhite) {
      platform_.Beep();
    } else if (doc_.PicImage().raster().Contains(i, j)) {
      colours_.SetCurrentColour(button - 1, doc_.PicImage().raster().At(i, j));
    }
  }
  back_to_last_tool_();
  return GestureEnd::kFinished;
}

}  // namespace pelorin
