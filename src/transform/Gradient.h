// The background gradient: a 32 x 32 preview running from a start colour towards an end colour in
// one of nine directions, 45 degrees apart, and the fill that puts it behind the icon.
#pragma once

#include <array>
#include <cstdint>

#include "raster/Raster.h"

namespace pelorin {

inline constexpr int kGradientSize = 32;

// Red, green and blue, each 0 to 255.
using RgbLevels = std::array<int, 3>;

// The per-channel increments for `degrees`: |start - end| / N with N = 64 on the diagonals
// (45, 135, 225, 315) and 32 otherwise.
std::array<double, 3> GradientIncrements(const RgbLevels& start, const RgbLevels& end, int degrees);

// The colour of step s: per channel start - s x d when end < start, else start + s x d, rounded
// to the nearest whole number with halves going to the even neighbour. Step 0 is the start
// colour; the end colour itself is never reached by the steps drawn.
Colour GradientStep(const RgbLevels& start, const RgbLevels& end,
                    const std::array<double, 3>& increments, int s);

// Draws the preview for `degrees` (0, 45, ..., 360) over the whole of `preview` (32 x 32):
//   0 and 360: column x in step x (start at the left);  180: column x in step 31 - x;
//   90: row y in step y (start at the top);             270: row y in step 31 - y;
//   45: pixel (x, y) with x >= 1 in step x + y, then column 0 copied from column 1 one row
//       down, so (0, y) has step y for y >= 1 and (0, 0) has step 1 (not step 0);
//   135, 225, 315: that pattern mirrored left to right, both ways, or top to bottom.
void DrawGradient(Raster& preview, const RgbLevels& start, const RgbLevels& end, int degrees);

// The fill of the gradient command: every transparent pixel (mask exactly white) takes the
// preview's pixel, then the whole mask becomes black, so every pixel is opaque. Opaque pixels
// keep their colours.
void FillBackground(Raster& mask, Raster& image, const Raster& preview);

}  // namespace pelorin
