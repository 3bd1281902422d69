// Flips and quarter turns of a picture or a selection, given as its (mask, image) pair.
//
// The same functions serve the 32 x 32 picture and a W x H selection: every mapping below is
// written for a raster of the pair's own size. Mask and image always undergo the same mapping,
// so transparency stays in register with the colours.
#pragma once

#include "raster/Raster.h"

namespace pelorin {

// new(x, y) = old(W - 1 - x, y). Pixel values are moved unchanged.
void FlipHorizontal(Raster& mask, Raster& image);
// new(x, y) = old(x, H - 1 - y). Pixel values are moved unchanged.
void FlipVertical(Raster& mask, Raster& image);

// Quarter turns. A W x H pair becomes H x W (both rasters are resized):
//   anticlockwise: old (x, y) goes to (y, W - 1 - x); the top-right corner ends at the top-left;
//   clockwise:     old (x, y) goes to (H - 1 - y, x); the top-left corner ends at the top-right.
// The mask travels through a one-bit scratch raster, so it comes back black and white only:
// pure white stays white and every other value becomes black (opaque). The image travels
// through a full-colour scratch raster and keeps its colours.
void RotateAnticlockwise(Raster& mask, Raster& image);
void RotateClockwise(Raster& mask, Raster& image);

// The selection rectangle (canvas pixels) after a quarter turn: left and top stay, width and
// height are exchanged, so right = left + (bottom - top) and bottom = top + (right - left).
// The result may reach past the picture; what lies outside is cut off only when the selection
// is committed.
Rect RotatedSelectionRect(Rect selection);

}  // namespace pelorin
