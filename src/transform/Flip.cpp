#include "transform/Flip.h"

#include <algorithm>

#include "raster/Blit.h"

namespace pelorin {

namespace {

void ReverseEachRow(Raster& r) {
  for (int y = 0; y < r.height(); ++y) std::reverse(r.Row(y), r.Row(y) + r.width());
}

void ReverseRowOrder(Raster& r) {
  for (int top = 0, bottom = r.height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(r.Row(top), r.Row(top) + r.width(), r.Row(bottom));
}

enum class Turn { kAnticlockwise, kClockwise };

// Writes every pixel of `mask` and `image` into H x W scratch rasters at its turned place, then
// puts the scratch rasters back into the pair, resized.
void Rotate(Raster& mask, Raster& image, Turn turn) {
  const int w = mask.width();
  const int h = mask.height();
  Raster mask_scratch(h, w, kBlack, Raster::Depth::kMono);
  Raster image_scratch(h, w, kBlack);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int nx = turn == Turn::kAnticlockwise ? y : h - 1 - y;
      const int ny = turn == Turn::kAnticlockwise ? w - 1 - x : x;
      mask_scratch.SetPixel(nx, ny, mask.GetPixel(x, y));
      image_scratch.SetPixel(nx, ny, image.GetPixel(x, y));
    }
  }
  mask.Resize(h, w, kWhite);
  BitBlt(mask, 0, 0, h, w, mask_scratch, 0, 0, Rop::kSrcCopy);
  image.Resize(h, w, kBlack);
  BitBlt(image, 0, 0, h, w, image_scratch, 0, 0, Rop::kSrcCopy);
}

}  // namespace

void FlipHorizontal(Raster& mask, Raster& image) {
  ReverseEachRow(mask);
  ReverseEachRow(image);
}

void FlipVertical(Raster& mask, Raster& image) {
  ReverseRowOrder(mask);
  ReverseRowOrder(image);
}

void RotateAnticlockwise(Raster& mask, Raster& image) { Rotate(mask, image, Turn::kAnticlockwise); }

void RotateClockwise(Raster& mask, Raster& image) { Rotate(mask, image, Turn::kClockwise); }

Rect RotatedSelectionRect(Rect selection) {
  return {selection.left, selection.top, selection.left + (selection.bottom - selection.top),
          selection.top + (selection.right - selection.left)};
}

}  // namespace pelorin
