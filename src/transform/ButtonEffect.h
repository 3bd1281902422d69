// The button effect: the four outermost rings of opaque pixels are darkened, the outermost most,
// so that the icon looks raised like a button.
#pragma once

#include "raster/Raster.h"

namespace pelorin {

// `colour` with `amount` taken from each of red, green and blue; a component never goes below 0.
Colour Darken(Colour colour, int amount);

// Darkens ring k (the outline of the rectangle (k, k)-(W - 1 - k, H - 1 - k)) by 64, 32, 16 and
// 8 for k = 0, 1, 2, 3. Only pixels whose mask is exactly black (opaque) change; the mask and
// every transparent pixel stay as they are (the mask is only read; it is taken as every
// whole-picture command takes its pair). W x H is the mask's size.
void ButtonEffect(Raster& mask, Raster& image);

}  // namespace pelorin
