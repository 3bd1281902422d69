#include "colour/Recolour.h"

#include <cmath>

namespace pelorin {

namespace {

template <typename Recolour>
void RecolourOpaque(const Raster& mask, Raster& image, Recolour recolour) {
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (mask.At(x, y) != kWhite && image.Contains(x, y))
        image.SetPixel(x, y, recolour(image.At(x, y)));
}

}  // namespace

Colour GrayOf(Colour colour) {
  const int red = static_cast<int>(colour % 256);
  const int green = static_cast<int>((colour / 256) % 256);
  const int blue = static_cast<int>(colour / 65536);
  const int sum = 222 * red + 707 * green + 71 * blue;
  // Under the default rounding mode nearbyint takes halves to the even neighbour.
  const auto l = static_cast<Colour>(std::nearbyint(sum / 1000.0));
  return l + 256 * l + 65536 * l;
}

Colour InverseOf(Colour colour) { return ~colour & kColourMask; }

void GrayscaleOpaque(Raster& mask, Raster& image) { RecolourOpaque(mask, image, GrayOf); }

void InvertOpaque(Raster& mask, Raster& image) { RecolourOpaque(mask, image, InverseOf); }

}  // namespace pelorin
