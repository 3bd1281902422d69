// The size a clipboard picture is pasted at.
#pragma once

#include "base/Geometry.h"

namespace pelorin {

// A size in icon pixels.
struct PasteSize {
  int width = 0;
  int height = 0;
  bool operator==(const PasteSize&) const = default;
};

// The two ways of bringing an oversize picture down to icon size (the sizing dialog's options).
enum class ShrinkOption {
  kSqueeze = 0,       // 32 x 32 whatever the proportions
  kProportional = 1,  // the proportional size below
};

// A picture wider or taller than the icon must be shrunk, which the sizing dialog asks about.
constexpr bool NeedsShrinking(int width, int height) {
  return width > kIconSize || height > kIconSize;
}

// The proportional size, in single-precision arithmetic throughout: w = W and h = H lose W / 10000
// and H / 10000 per round until the longer side (the width when W >= H) is 32 or less, at least
// one round; a side below 1 becomes 1; both are rounded to the nearest whole number, halves to
// the even neighbour. 64 x 48 gives 32 x 24, 33 x 10 gives 32 x 10, 1000 x 1 gives 32 x 1.
PasteSize ShrinkProportionally(int width, int height);

// The selection size of a paste of a W x H picture with the chosen option: an oversize picture
// is shrunk as the option says (stretched onto the result); any other is pasted at its own size
// (copied, not stretched).
PasteSize SizeForPaste(int width, int height, ShrinkOption option);

}  // namespace pelorin
