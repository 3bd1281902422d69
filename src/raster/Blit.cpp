#include "raster/Blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pelorin {

namespace {

// Applies `rop` to n pixels. Kept branch-free inside the loops so that the compiler vectorises
// them: the views are recomposed from whole-raster transfers many times a second.
void RopRow(Colour* dst, const Colour* src, int n, Rop rop) {
  switch (rop) {
    case Rop::kSrcCopy:
      std::memmove(dst, src, static_cast<std::size_t>(n) * sizeof(Colour));
      break;
    case Rop::kSrcAnd:
      for (int i = 0; i < n; ++i) dst[i] &= src[i];
      break;
    case Rop::kSrcInvert:
      for (int i = 0; i < n; ++i) dst[i] ^= src[i];
      break;
  }
}

}  // namespace

void BitBlt(Raster& dst, int x, int y, int w, int h, const Raster& src, int sx, int sy, Rop rop) {
  if (w <= 0 || h <= 0) return;
  // Clip the destination block to both rasters (the source block moves with it).
  int left = std::max({x, 0, x - sx});
  int top = std::max({y, 0, y - sy});
  int right = std::min({x + w, dst.width(), x - sx + src.width()});
  int bottom = std::min({y + h, dst.height(), y - sy + src.height()});
  if (right <= left || bottom <= top) return;
  const int n = right - left;
  const int dx = sx - x;
  const int dy = sy - y;

  // Transfers within one raster read the source as it was before the call. A copy walks its rows
  // so that each source row is read before it is overwritten (memmove handles the overlap within
  // a row); AND and XOR work from a snapshot, which is rare enough not to matter.
  if (&dst == &src && rop != Rop::kSrcCopy) {
    Raster copy = src;
    BitBlt(dst, x, y, w, h, copy, sx, sy, rop);
    return;
  }
  if (&dst == &src && dy < 0) {
    for (int row = bottom - 1; row >= top; --row)
      RopRow(dst.Row(row) + left, src.Row(row + dy) + left + dx, n, rop);
  } else {
    for (int row = top; row < bottom; ++row)
      RopRow(dst.Row(row) + left, src.Row(row + dy) + left + dx, n, rop);
  }
  if (dst.mono() && !src.mono()) dst.Normalise({left, top, right, bottom});
}

}  // namespace pelorin
