// Grayscale and invert: recolouring of the opaque pixels of a picture or a selection.
#pragma once

#include "raster/Raster.h"

namespace pelorin {

// The gray of the same luminance: L = (222 R + 707 G + 71 B) / 1000 rounded to the nearest
// whole number, halves to the even neighbour; red, green and blue all become L.
Colour GrayOf(Colour colour);
// The complement: 255 - R, 255 - G, 255 - B.
Colour InverseOf(Colour colour);

// Replace the colour of every opaque pixel (mask anything but white) of `image`; transparent
// pixels keep their image value, whatever it is. Work on a pair of any size (W x H of the mask);
// the mask is only read (it is taken as every whole-picture command takes its pair).
void GrayscaleOpaque(Raster& mask, Raster& image);
void InvertOpaque(Raster& mask, Raster& image);

}  // namespace pelorin
