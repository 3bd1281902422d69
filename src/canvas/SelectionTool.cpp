#include "canvas/SelectionTool.h"

#include <algorithm>
#include <cstdlib>

#include "document/ModIcoEd.h"

namespace pelorin {

std::optional<CellSize> SelectionTool::DragSize(const CanvasPointer& pointer) const {
  const auto lines = [](int current, int press) {
    return std::abs(std::clamp(current / kCellSize, 0, kIconSize) - press / kCellSize);
  };
  return CellSize{lines(pointer.current_x, pointer.press_x),
                  lines(pointer.current_y, pointer.press_y)};
}

}  // namespace pelorin
