#include "transform/Gradient.h"

#include <cmath>
#include <cstdlib>

#include "raster/Blit.h"
#include "raster/Draw.h"

namespace pelorin {

namespace {

bool Diagonal(int degrees) {
  return degrees == 45 || degrees == 135 || degrees == 225 || degrees == 315;
}

}  // namespace

std::array<double, 3> GradientIncrements(const RgbLevels& start, const RgbLevels& end,
                                         int degrees) {
  const double steps = Diagonal(degrees) ? 64.0 : 32.0;
  std::array<double, 3> d{};
  for (int c = 0; c < 3; ++c) d[c] = std::abs(start[c] - end[c]) / steps;
  return d;
}

Colour GradientStep(const RgbLevels& start, const RgbLevels& end,
                    const std::array<double, 3>& increments, int s) {
  std::array<Colour, 3> v{};
  for (int c = 0; c < 3; ++c) {
    const double value =
        end[c] < start[c] ? start[c] - s * increments[c] : start[c] + s * increments[c];
    // Under the default rounding mode nearbyint takes halves to the even neighbour.
    v[c] = static_cast<Colour>(std::nearbyint(value));
  }
  return v[0] + 256 * v[1] + 65536 * v[2];
}

void DrawGradient(Raster& preview, const RgbLevels& start, const RgbLevels& end, int degrees) {
  const auto d = GradientIncrements(start, end, degrees);
  const auto step = [&](int s) { return GradientStep(start, end, d, s); };
  constexpr int n = kGradientSize;
  switch (degrees) {
    case 0:
    case 360:
    case 180:
      // Each box covers two columns and the next one overwrites the second.
      for (int s = 0; s < n; ++s)
        FillBox(preview, s, 0, s + 1, n - 1, {step(degrees == 180 ? n - 1 - s : s)});
      return;
    case 90:
    case 270:
      for (int s = 0; s < n; ++s)
        FillBox(preview, 0, s, n - 1, s + 1, {step(degrees == 270 ? n - 1 - s : s)});
      return;
    default:
      break;
  }
  if (!Diagonal(degrees)) return;

  // The 45-degree pattern: the line from (s, 0) towards (0, s) leaves out its end point, so
  // column 0 stays undrawn and then takes column 1 one row down.
  for (int s = 0; s < 2 * n; ++s) DrawLine(preview, s, 0, 0, s, {{step(s)}});
  BitBlt(preview, 0, 1, 1, n - 1, preview, 1, 0, Rop::kSrcCopy);
  preview.SetPixel(0, 0, preview.GetPixel(1, 0));

  if (degrees == 135 || degrees == 225)
    StretchBlt(preview, 0, 0, n, n, preview, n - 1, 0, -n, n, Rop::kSrcCopy);
  if (degrees == 225 || degrees == 315)
    StretchBlt(preview, 0, 0, n, n, preview, 0, n - 1, n, -n, Rop::kSrcCopy);
}

void FillBackground(Raster& mask, Raster& image, const Raster& preview) {
  for (int y = 0; y < mask.height(); ++y)
    for (int x = 0; x < mask.width(); ++x)
      if (mask.At(x, y) == kWhite) image.SetPixel(x, y, preview.GetPixel(x, y));
  mask.Fill(kBlack);
}

}  // namespace pelorin
