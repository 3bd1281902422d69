#include "canvas/ShapeTool.h"

#include <algorithm>
#include <cstdlib>

#include "document/ModIcoEd.h"

namespace pelorin {

std::optional<CellSize> ShapeTool::DragSize(const CanvasPointer& pointer) const {
  const auto cells = [](int current, int press) {
    return std::abs(std::clamp(current / kCellSize, 0, kIconSize - 1) - press / kCellSize) + 1;
  };
  return CellSize{cells(pointer.current_x, pointer.press_x),
                  cells(pointer.current_y, pointer.press_y)};
}

}  // namespace pelorin
