#include "raster/Raster.h"

#include <algorithm>

namespace pelorin {

Raster::Raster(int width, int height, Colour fill, Depth depth) : depth_(depth) {
  Resize(width, height, fill);
}

void Raster::Fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), Store(c)); }

void Raster::FillRect(Rect r, Colour c) {
  r = Intersect(r, Bounds());
  if (r.Empty()) return;
  const Colour v = Store(c);
  for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, v);
}

void Raster::Resize(int width, int height, Colour fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, Store(fill));
}

void Raster::Normalise(Rect r) {
  r = Intersect(r, Bounds());
  if (r.Empty()) return;
  for (int y = r.top; y < r.bottom; ++y) {
    Colour* row = Row(y);
    for (int x = r.left; x < r.right; ++x) row[x] = Store(row[x]);
  }
}

Rect Intersect(Rect a, Rect b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (r.Empty()) return {};
  return r;
}

Rect Union(Rect a, Rect b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace pelorin
