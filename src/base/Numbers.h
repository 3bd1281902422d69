// Numbers as the program converts them: a fraction becomes the nearest integer, ties to even.
#pragma once

#include <algorithm>
#include <cmath>

namespace pelorin {

// The nearest whole pixel of a pointer position, ties to even. Far-off positions (a drag well
// outside the window) are held at a million pixels, which keeps every later sum well inside an
// int; NaN counts as 0.
inline int WholePixel(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::lrint(std::clamp(v, -1e6, 1e6)));
}

}  // namespace pelorin
