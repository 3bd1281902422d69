// A raster is a rectangle of colour values, the thing every surface of the editor draws on.
//
// Colours are 0x00BBGGRR (red in the low byte) with the top byte always 0. A raster is either full
// colour or one bit deep ("mono"); a mono raster only ever holds black (0) or white (0xFFFFFF):
// writing pure white stores white, every other colour stores black.
//
// Two levels of access:
//   - Row()/At() are unchecked and meant for inner loops; callers keep 0 <= x < width and
//     0 <= y < height.
//   - GetPixel()/SetPixel()/FillRect() are clipped: reading outside gives kInvalidColour, writing
//     outside does nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace pelorin {

using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kColourMask = 0xFFFFFF;
// What reading a pixel outside a raster gives (no real colour has a non-zero top byte).
inline constexpr Colour kInvalidColour = 0xFFFFFFFF;

// Rectangle with right and bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect&) const = default;
};

// The colour a mono raster stores for `c`.
constexpr Colour ToMono(Colour c) { return c == kWhite ? kWhite : kBlack; }

class Raster {
 public:
  enum class Depth { kColour, kMono };

  Raster() = default;
  Raster(int width, int height, Colour fill = kBlack, Depth depth = Depth::kColour);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }
  bool mono() const { return depth_ == Depth::kMono; }
  Depth depth() const { return depth_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Unchecked access.
  Colour* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Colour* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  Colour At(int x, int y) const { return Row(y)[x]; }

  // Clipped access.
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Colour GetPixel(int x, int y) const { return Contains(x, y) ? At(x, y) : kInvalidColour; }
  void SetPixel(int x, int y, Colour c) {
    if (Contains(x, y)) Row(y)[x] = Store(c);
  }

  // The value this raster stores when `c` is written into it.
  Colour Store(Colour c) const { return mono() ? ToMono(c) : (c & kColourMask); }

  void Fill(Colour c);
  void FillRect(Rect r, Colour c);  // clipped to the raster
  // New size; the content is discarded and every pixel becomes `fill`.
  void Resize(int width, int height, Colour fill);
  // Turns every pixel of `r` into what this raster can hold (used after a bulk write into a
  // mono raster).
  void Normalise(Rect r);

  bool operator==(const Raster& other) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  Depth depth_ = Depth::kColour;
  std::vector<Colour> pixels_;
};

// Intersection of two rectangles (may be empty).
Rect Intersect(Rect a, Rect b);
// The smallest rectangle holding both (an empty one holds nothing).
Rect Union(Rect a, Rect b);

}  // namespace pelorin
