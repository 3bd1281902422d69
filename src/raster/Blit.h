// Block transfers between rasters: plain and stretched, with copy, AND and XOR.
//
// Clipping: only the part of the block that lies inside both the source and the destination is
// transferred; destination pixels whose source pixel lies outside the source stay as they were.
// Source and destination may be the same raster, also overlapping: every destination pixel is
// computed from the source as it was before the call.
//
// A mono destination stores pure white as white and everything else as black (Raster::Store).
// A mono source reads as black (0) and white (0xFFFFFF), which is what a colour destination gets.
#pragma once

#include "raster/Raster.h"

namespace pelorin {

enum class Rop {
  kSrcCopy,    // destination := source
  kSrcAnd,     // destination := destination AND source
  kSrcInvert,  // destination := destination XOR source
};

// Destination block at (x, y), size w x h, from source block at (sx, sy). Non-positive sizes
// transfer nothing.
void BitBlt(Raster& dst, int x, int y, int w, int h, const Raster& src, int sx, int sy, Rop rop);

// Stretched transfer in colour-on-colour mode: every destination pixel takes exactly one source
// pixel, rows and columns are repeated or dropped, never blended.
//
// Extents may be negative: an extent -n with origin x covers x, x-1, ..., x-n+1, walked from x
// downwards. A block is mirrored on an axis when exactly one of its source and destination
// extents on that axis is negative.
//
// Mapping per axis, with S = |source extent| and D = |destination extent| (offsets counted from
// each origin in its walking direction):
//   - enlarging or equal (S <= D): destination offset i takes source offset
//     ceil((2i + 1) * S / (2D)) - 1, the source pixel under the destination pixel's centre;
//   - shrinking (S > D): source offset j goes to destination offset ceil((2j + 1) * D / (2S)) - 1;
//     horizontally the last source column of each group wins, vertically the first source row;
//   - a destination extent of 1 with a larger (positive) source extent first shrinks that source
//     extent by one, then maps as above: a 2 x 1 -> 1 x 1 stretch takes source pixel 0, and rows
//     always take source offset 0.
void StretchBlt(Raster& dst, int x, int y, int w, int h, const Raster& src, int sx, int sy, int sw,
                int sh, Rop rop);

// Lays an icon over `dst` stretched onto (x, y, w, h): destination AND mask, then XOR image, in
// one pass over the destination. Gives the same pixels as StretchBlt of the whole mask with
// kSrcAnd followed by StretchBlt of the whole image with kSrcInvert (which it does when mask and
// image differ in size or one of them is the destination).
void StretchComposeIcon(Raster& dst, int x, int y, int w, int h, const Raster& mask,
                        const Raster& image);

}  // namespace pelorin
