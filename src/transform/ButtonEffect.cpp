#include "transform/ButtonEffect.h"

#include <algorithm>

namespace pelorin {

Colour Darken(Colour colour, int amount) {
  const int red = static_cast<int>(colour % 256);
  const int green = static_cast<int>((colour / 256) % 256);
  const int blue = static_cast<int>(colour / 65536);
  const auto less = [amount](int c) { return static_cast<Colour>(std::max(c - amount, 0)); };
  return less(red) + 256 * less(green) + 65536 * less(blue);
}

void ButtonEffect(Raster& mask, Raster& image) {
  const int w = mask.width();
  const int h = mask.height();
  const auto shade = [&](int x, int y, int amount) {
    if (mask.GetPixel(x, y) == kBlack && image.Contains(x, y))
      image.SetPixel(x, y, Darken(image.At(x, y), amount));
  };
  // From the innermost ring outwards, the amount doubling each time. The corners belong to the
  // top and bottom rows, so every pixel of a ring is darkened once.
  int amount = 8;
  for (int k = 3; k >= 0; --k) {
    for (int x = k; x <= w - 1 - k; ++x) {
      shade(x, k, amount);
      shade(x, h - 1 - k, amount);
    }
    for (int y = k + 1; y <= h - 2 - k; ++y) {
      shade(w - 1 - k, y, amount);
      shade(k, y, amount);
    }
    amount *= 2;
  }
}

}  // namespace pelorin
