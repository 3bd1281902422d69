#include "edit/PasteSize.h"

#include <cfloat>
#include <cmath>

namespace pelorin {

PasteSize ShrinkProportionally(int width, int height) {
  // Every operation below is on floats and is rounded to single precision at once.
  static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must not use wider intermediates");
  const float big_w = static_cast<float>(width);
  const float big_h = static_cast<float>(height);
  const float dw = big_w / 10000.0f;
  const float dh = big_h / 10000.0f;
  float w = big_w;
  float h = big_h;
  // A round takes about a ten-thousandth of the starting side, far more than the rounding of
  // the running value, so the loop ends after about 10,000 rounds at most.
  do {
    w = w - dw;
    h = h - dh;
  } while (width >= height ? w > 32.0f : h > 32.0f);
  if (h < 1.0f) h = 1.0f;
  if (w < 1.0f) w = 1.0f;
  return {static_cast<int>(std::nearbyint(w)), static_cast<int>(std::nearbyint(h))};
}

PasteSize SizeForPaste(int width, int height, ShrinkOption option) {
  if (!NeedsShrinking(width, height)) return {width, height};
  if (option == ShrinkOption::kSqueeze) return {kIconSize, kIconSize};
  return ShrinkProportionally(width, height);
}

}  // namespace pelorin
