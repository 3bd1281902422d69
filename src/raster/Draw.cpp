#include "raster/Draw.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace pelorin {

namespace {

using i64 = std::int64_t;

// Ellipses whose box is wider or taller than this are not drawn. No surface of the editor comes
// near it, and beyond it the ellipse's integer error terms would overflow 64 bits.
constexpr i64 kMaxEllipseExtent = i64{1} << 18;

// The dotted pen: 3 pixels on, 3 off, counted from the first pixel of a stroke.
bool DotOn(i64 k) { return k % 6 < 3; }

// Writes the pixels a rasteriser reports through an ink. Pixels outside the raster are skipped,
// so rasterisers may report anything.
class InkWriter {
 public:
  InkWriter(Raster& r, const Ink& ink) : r_(r), ink_(ink) {}

  void Pixel(i64 x, i64 y) {
    if (x < 0 || y < 0 || x >= r_.width() || y >= r_.height()) return;
    Colour& p = r_.Row(static_cast<int>(y))[x];
    p = r_.Store(ink_.Apply(p));
  }

  // Pixels [x0, x1) of row y.
  void Span(i64 y, i64 x0, i64 x1) {
    if (y < 0 || y >= r_.height()) return;
    x0 = std::max<i64>(x0, 0);
    x1 = std::min<i64>(x1, r_.width());
    Colour* row = r_.Row(static_cast<int>(y));
    for (i64 x = x0; x < x1; ++x) row[x] = r_.Store(ink_.Apply(row[x]));
  }

 private:
  Raster& r_;
  Ink ink_;
};

// One flag per pixel of a raster: which pixels a figure's pen covers. Figures whose rasterisers
// may report a pixel more than once collect it here first, so that an inverting pen touches each
// pixel exactly once and the brush can leave the pen's pixels alone.
class PixelMask {
 public:
  // The pixels of `area` (clipped to the raster) can be marked; others are ignored.
  PixelMask(const Raster& r, Rect area) : area_(Intersect(area, r.Bounds())) {
    if (!area_.Empty())
      bits_.assign((static_cast<std::size_t>(area_.Width()) * area_.Height() + 63) / 64, 0);
  }

  void Mark(i64 x, i64 y) {
    if (!Inside(x, y)) return;
    const std::size_t i = Index(x, y);
    std::uint64_t& word = bits_[i / 64];
    const std::uint64_t bit = std::uint64_t{1} << (i % 64);
    if (word & bit) return;
    word |= bit;
    marked_.push_back({x, y});
  }
  bool Test(i64 x, i64 y) const {
    if (!Inside(x, y)) return false;
    const std::size_t i = Index(x, y);
    return (bits_[i / 64] >> (i % 64)) & 1;
  }

  // Each marked pixel once.
  void Paint(InkWriter& out) const {
    for (const auto& [x, y] : marked_) out.Pixel(x, y);
  }
  std::vector<std::pair<i64, i64>>& Marked() { return marked_; }

 private:
  bool Inside(i64 x, i64 y) const {
    return x >= area_.left && y >= area_.top && x < area_.right && y < area_.bottom;
  }
  std::size_t Index(i64 x, i64 y) const {
    return static_cast<std::size_t>((y - area_.top) * area_.Width() + (x - area_.left));
  }

  Rect area_;
  // One bit per pixel of the area, and the marked pixels in the order they came: a figure's pen
  // covers few pixels of a large area, so painting walks the list, not the area.
  std::vector<std::uint64_t> bits_;
  std::vector<std::pair<i64, i64>> marked_;
};

// Number of pixels a line from (x0, y0) to (x1, y1) covers: its length along the major axis.
i64 LineLength(i64 x0, i64 y0, i64 x1, i64 y1) {
  return std::max(std::abs(x1 - x0), std::abs(y1 - y0));
}

// Walks the line from (x0, y0) towards (x1, y1), end point left out, calling plot(x, y, k) for
// the k-th pixel (k = 0 at the start). Only pixels whose major coordinate lies inside a
// width x height raster are reported (the minor coordinate may still be outside), so a line far
// longer than the raster costs no more than one across it.
//
// This is Bresenham with a bias: X-major when |dx| > |dy| (45 degrees counts as Y-major); the
// error starts at 2 minor - major; after each pixel the minor coordinate steps when
// error + bias > 0. The bias is 1 exactly when the minor coordinate walks towards smaller values,
// which sends an exact half to the smaller coordinate whichever way the line is drawn, so A->B
// and B->A light the same pixels (apart from their end points).
template <typename Plot>
void WalkLine(i64 x0, i64 y0, i64 x1, i64 y1, int width, int height, Plot&& plot) {
  const i64 dx = x1 - x0;
  const i64 dy = y1 - y0;
  const bool x_major = std::abs(dx) > std::abs(dy);
  const i64 major = x_major ? std::abs(dx) : std::abs(dy);
  const i64 minor = x_major ? std::abs(dy) : std::abs(dx);
  if (major == 0) return;
  const i64 major_step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const i64 minor_step = (x_major ? dy : dx) < 0 ? -1 : 1;
  const i64 bias = minor_step < 0 ? 1 : 0;
  const i64 major0 = x_major ? x0 : y0;
  const i64 minor0 = x_major ? y0 : x0;
  const i64 extent = x_major ? width : height;

  // Steps k whose major coordinate major0 + major_step * k lies in [0, extent).
  i64 k_lo = 0;
  i64 k_hi = major;
  if (major_step > 0) {
    k_lo = std::max<i64>(k_lo, -major0);
    k_hi = std::min<i64>(k_hi, extent - major0);
  } else {
    k_lo = std::max<i64>(k_lo, major0 - extent + 1);
    k_hi = std::min<i64>(k_hi, major0 + 1);
  }
  if (k_lo >= k_hi) return;

  // Jump straight to step k_lo. The walk has then taken s minor steps, the nearest integer to
  // k_lo * minor / major (a half rounding up only with the bias), and the error is
  // 2 minor - major + 2 (k_lo minor - s major). Both factors are below 2^32, so the product fits.
  const std::uint64_t product =
      static_cast<std::uint64_t>(k_lo) * static_cast<std::uint64_t>(minor);
  const auto q = static_cast<i64>(product / static_cast<std::uint64_t>(major));
  const auto rem = static_cast<i64>(product % static_cast<std::uint64_t>(major));
  const i64 carry = (2 * rem > major || (bias != 0 && 2 * rem == major)) ? 1 : 0;
  i64 s = q + carry;
  i64 err = 2 * minor - major + 2 * rem - 2 * major * carry;

  for (i64 k = k_lo; k < k_hi; ++k) {
    const i64 along = major0 + major_step * k;
    const i64 across = minor0 + minor_step * s;
    if (x_major) {
      plot(along, across, k);
    } else {
      plot(across, along, k);
    }
    if (err + bias > 0) {
      ++s;
      err -= 2 * major;
    }
    err += 2 * minor;
  }
}

void StrokeLine(Raster& r, i64 x0, i64 y0, i64 x1, i64 y1, const Pen& pen) {
  InkWriter out(r, pen.ink);
  const bool dotted = pen.style == DrawStyle::kDot;
  WalkLine(x0, y0, x1, y1, r.width(), r.height(), [&](i64 x, i64 y, i64 k) {
    if (!dotted || DotOn(k)) out.Pixel(x, y);
  });
}

struct Point {
  i64 x = 0;
  i64 y = 0;
  bool operator==(const Point&) const = default;
};

// Marks the pixels of a closed polyline as the system's pen draws one: each segment from its
// start up to but excluding its end, the last point joined back to the first, and a dotted
// pattern that runs on across the segments from the first point. A pixel reached more than once
// is marked once, when any of its visits falls on an "on" dot.
void MarkClosedPath(const std::vector<Point>& path, bool dotted, int width, int height,
                    PixelMask& mask) {
  i64 base = 0;
  for (std::size_t p = 0; p < path.size(); ++p) {
    const Point a = path[p];
    const Point b = path[(p + 1) % path.size()];
    const i64 length = LineLength(a.x, a.y, b.x, b.y);
    if (length == 1) {
      // A step to a neighbour (most of an ellipse's path) covers just its start.
      if (!dotted || DotOn(base)) mask.Mark(a.x, a.y);
      base += 1;
      continue;
    }
    WalkLine(a.x, a.y, b.x, b.y, width, height, [&](i64 x, i64 y, i64 k) {
      if (!dotted || DotOn(base + k)) mask.Mark(x, y);
    });
    base += length;
  }
}

// Alois Zingl's integer walk over one quadrant of the ellipse in a w x h box (w, h > 2), with the
// semi-axes taken from a = w - 1 and b = h - 1. Each step says whether the walk moved across
// (towards the ellipse's vertical axis) and whether it moved along (towards its top or bottom).
class EllipseWalk {
 public:
  struct Move {
    bool across;
    bool along;
  };

  EllipseWalk(i64 w, i64 h) {
    const i64 a = w - 1;
    const i64 b = h - 1;
    asq_ = 8 * a * a;
    bsq_ = 8 * b * b;
    dx_ = 4 * b * b * (1 - a);
    dy_ = 4 * a * a * (1 + b % 2);
    err_ = dx_ + dy_ + a * a * (b % 2);
  }

  Move Step() {
    const i64 e2 = 2 * err_;
    const Move move{e2 >= dx_, e2 <= dy_};
    if (move.across) {
      dx_ += bsq_;
      err_ += dx_;
    }
    if (move.along) {
      dy_ += asq_;
      err_ += dy_;
    }
    return move;
  }

 private:
  i64 asq_, bsq_, dx_, dy_, err_;
};

// One quadrant of the ellipse outline in a w x h box (w, h > 2). Points are relative to the box:
// they start at (w - 1, h / 2) and climb (in this frame y grows towards the top of the ellipse)
// until x drops below w / 2.
std::vector<Point> EllipseQuadrant(i64 w, i64 h) {
  EllipseWalk walk(w, h);
  std::vector<Point> points;
  Point pt{w - 1, h / 2};
  while (pt.x >= w / 2) {
    points.push_back(pt);
    const EllipseWalk::Move move = walk.Step();
    if (move.across) --pt.x;
    if (move.along) ++pt.y;
  }
  return points;
}

// The closed outline of the ellipse in [l, r) x [t, b), in drawing order:
//
//          2nd copy (mirrored left/right)      1st: the quadrant, from the right end of the
//            <-------- top ---------<          middle row up to the top
//           |                         ^
//           v                         |
//            >------- bottom ------->          3rd and 4th: both mirrored top/bottom
//
// An odd width or height does not repeat the centre column or row; with an odd height the last
// point equals the first, which the closing segment then skips.
std::vector<Point> EllipseOutline(i64 l, i64 t, i64 r, i64 b) {
  const i64 w = r - l;
  const i64 h = b - t;
  std::vector<Point> points = EllipseQuadrant(w, h);
  for (Point& p : points) p = {l + p.x, t + h - 1 - p.y};

  const auto count = static_cast<i64>(points.size());
  i64 end = 2 * count - 1 - (w % 2);
  points.resize(static_cast<std::size_t>(end + 1));
  for (i64 i = 0; i < count; ++i) {
    const Point p = points[static_cast<std::size_t>(i)];
    points[static_cast<std::size_t>(end - i)] = {l + r - 1 - p.x, p.y};
  }

  const i64 half = end + 1;
  end = 2 * half - 1 - (h % 2);
  points.resize(static_cast<std::size_t>(end + 1));
  for (i64 i = 0; i < half; ++i) {
    const Point p = points[static_cast<std::size_t>(i)];
    points[static_cast<std::size_t>(end - i)] = {p.x, t + b - 1 - p.y};
  }
  return points;
}

// Calls span(y, x0, x1) for every row of the ellipse's interior region in [l, r) x [t, b): the
// pixels [x0, x1) between the left and right outline, built with the same error terms as the
// outline (this is the system's round-rectangle region with the whole box as its corners). The
// region includes most outline pixels; the caller leaves those to the pen.
template <typename SpanFn>
void EllipseInterior(i64 l, i64 t, i64 r, i64 b, SpanFn&& span) {
  const i64 w = r - l;
  const i64 h = b - t;
  const i64 bb = h - 1;

  // Row y (counted from the top) of the lower half, with the inset x; rows of the upper half
  // mirror it. With an odd height the middle row has no mirror.
  auto emit = [&](i64 y, i64 x) {
    if (y > bb) return;
    if (y >= h - h / 2) {
      span(t + y, l + x, r - x);
      span(t + bb - y, l + x, r - x);
    } else if (y == h / 2) {
      span(t + y, l + x, r - x);
    }
  };

  i64 x = 0;
  i64 y = h / 2;
  emit(y, 0);
  EllipseWalk walk(w, h);
  while (x <= w / 2) {
    const EllipseWalk::Move move = walk.Step();
    if (move.across) ++x;
    if (move.along) {
      ++y;
      emit(y, x);
    }
  }
}

}  // namespace

void DrawLine(Raster& r, int x0, int y0, int x1, int y1, const Pen& pen) {
  StrokeLine(r, x0, y0, x1, y1, pen);
}

void DrawBoxOutline(Raster& r, int x0, int y0, int x1, int y1, const Pen& pen) {
  const i64 l = std::min(x0, x1);
  const i64 t = std::min(y0, y1);
  const i64 rr = std::max(x0, x1);
  const i64 b = std::max(y0, y1);
  // A box one pixel wide or tall is a single line (or pixel), so that no pixel is drawn twice.
  if (l == rr) {
    StrokeLine(r, l, t, l, b + 1, pen);
    return;
  }
  if (t == b) {
    StrokeLine(r, l, t, rr + 1, t, pen);
    return;
  }
  // Four sides, each leaving out its end, which is where the next one starts:
  //
  //   (l,t) ---------> (rr,t)
  //     ^                 |
  //     |                 v
  //   (l,b) <--------- (rr,b)
  StrokeLine(r, l, t, rr, t, pen);
  StrokeLine(r, rr, t, rr, b, pen);
  StrokeLine(r, rr, b, l, b, pen);
  StrokeLine(r, l, b, l, t, pen);
}

void FillBox(Raster& r, int x0, int y0, int x1, int y1, const Ink& ink) {
  InkWriter out(r, ink);
  const i64 top = std::max(std::min(y0, y1), 0);
  const i64 bottom = std::min<i64>(std::max(y0, y1), r.height() - 1);
  for (i64 y = top; y <= bottom; ++y)
    out.Span(y, std::min(x0, x1), static_cast<i64>(std::max(x0, x1)) + 1);
}

namespace {

// The pen pixels of an ellipse (or of the box drawn for a tiny one) marked in `outline`.
void MarkEllipseOutline(i64 l, i64 t, i64 rr, i64 b, bool dotted, const Raster& r,
                        PixelMask& outline) {
  if (rr - l <= 2 || b - t <= 2) {
    // Drawn as the system draws a rectangle: the closed path through the corner pixels, starting
    // at the top right and going anticlockwise. Its interior [l+1, r-1) x [t+1, b-1) is empty at
    // these sizes, so the brush has nothing to paint. A 1 x 1 box is a path of zero length and
    // draws nothing.
    MarkClosedPath({{rr - 1, t}, {l, t}, {l, b - 1}, {rr - 1, b - 1}}, dotted, r.width(),
                   r.height(), outline);
  } else {
    MarkClosedPath(EllipseOutline(l, t, rr, b), dotted, r.width(), r.height(), outline);
  }
}

}  // namespace

void DrawEllipse(Raster& r, int left, int top, int right, int bottom, const Pen& pen,
                 std::optional<Ink> brush) {
  const i64 l = std::min(left, right);
  const i64 t = std::min(top, bottom);
  const i64 rr = std::max(left, right);
  const i64 b = std::max(top, bottom);
  const i64 w = rr - l;
  const i64 h = b - t;
  if (w == 0 || h == 0 || w > kMaxEllipseExtent || h > kMaxEllipseExtent) return;
  if (r.empty() || rr <= 0 || b <= 0 || l >= r.width() || t >= r.height()) return;

  PixelMask outline(
      r, Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(rr), static_cast<int>(b)});
  MarkEllipseOutline(l, t, rr, b, pen.style == DrawStyle::kDot, r, outline);
  if (brush && w > 2 && h > 2) {
    // Interior first, minus the pixels the pen is about to draw: the same picture as painting
    // the pen over the brush, but an inverting pen or brush touches every pixel once.
    InkWriter fill(r, *brush);
    EllipseInterior(l, t, rr, b, [&](i64 y, i64 x0, i64 x1) {
      if (y < 0 || y >= r.height()) return;
      for (i64 x = std::max<i64>(x0, 0); x < std::min<i64>(x1, r.width()); ++x)
        if (!outline.Test(x, y)) fill.Pixel(x, y);
    });
  }
  InkWriter out(r, pen.ink);
  outline.Paint(out);
}

std::vector<std::pair<int, int>> EllipseOutlinePixels(const Raster& r, int left, int top, int right,
                                                      int bottom) {
  const i64 l = std::min(left, right);
  const i64 t = std::min(top, bottom);
  const i64 rr = std::max(left, right);
  const i64 b = std::max(top, bottom);
  std::vector<std::pair<int, int>> pixels;
  if (rr - l == 0 || b - t == 0 || rr - l > kMaxEllipseExtent || b - t > kMaxEllipseExtent)
    return pixels;
  if (r.empty() || rr <= 0 || b <= 0 || l >= r.width() || t >= r.height()) return pixels;
  PixelMask outline(
      r, Rect{static_cast<int>(l), static_cast<int>(t), static_cast<int>(rr), static_cast<int>(b)});
  MarkEllipseOutline(l, t, rr, b, false, r, outline);
  pixels.reserve(outline.Marked().size());
  for (const auto& [x, y] : outline.Marked())
    pixels.emplace_back(static_cast<int>(x), static_cast<int>(y));
  return pixels;
}

namespace {

struct FloodSpan {
  int y, left, right;  // [left, right)
};

// The spans of pixels of colour `match` 4-connected to (x, y), which must be one; `seen` ends up
// with a 1 for each of their pixels. The search never looks at a pixel twice, so it ends even
// when the caller then paints the matched colour.
std::vector<FloodSpan> FindFloodSpans(const Raster& r, int x, int y, Colour match,
                                      std::vector<std::uint8_t>& seen) {
  const int w = r.width();
  const int h = r.height();
  seen.assign(static_cast<std::size_t>(w) * h, 0);
  auto fresh = [&](int px, int py) {
    return seen[static_cast<std::size_t>(py) * w + px] == 0 && r.At(px, py) == match;
  };
  std::vector<FloodSpan> spans;
  std::vector<std::pair<int, int>> seeds{{x, y}};
  while (!seeds.empty()) {
    const auto [sx, sy] = seeds.back();
    seeds.pop_back();
    if (!fresh(sx, sy)) continue;
    int left = sx;
    int right = sx + 1;
    while (left > 0 && fresh(left - 1, sy)) --left;
    while (right < w && fresh(right, sy)) ++right;
    std::fill(seen.begin() + static_cast<std::ptrdiff_t>(sy) * w + left,
              seen.begin() + static_cast<std::ptrdiff_t>(sy) * w + right, 1);
    spans.push_back({sy, left, right});
    // Only the pixels directly above and below the span continue the fill: 4-connected, so
    // nothing leaks through a diagonal gap. One seed per run of matching pixels.
    for (const int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool in_run = false;
      for (int px = left; px < right; ++px) {
        const bool matches = fresh(px, ny);
        if (matches && !in_run) seeds.emplace_back(px, ny);
        in_run = matches;
      }
    }
  }
  return spans;
}

}  // namespace

bool ExtFloodFillSurface(Raster& r, int x, int y, Colour match, const Ink& brush) {
  if (!r.Contains(x, y) || r.At(x, y) != match) return false;
  // Stage 1 finds the spans, stage 2 paints them, each pixel once.
  std::vector<std::uint8_t> seen;
  const std::vector<FloodSpan> spans = FindFloodSpans(r, x, y, match, seen);
  InkWriter out(r, brush);
  for (const FloodSpan& s : spans) out.Span(s.y, s.left, s.right);
  return true;
}

std::vector<std::uint8_t> FloodReach(const Raster& r, int x, int y) {
  std::vector<std::uint8_t> seen(static_cast<std::size_t>(r.width()) * r.height(), 0);
  if (r.Contains(x, y)) FindFloodSpans(r, x, y, r.At(x, y), seen);
  return seen;
}

void DrawEdgeSunkenOuter(Raster& r, Rect rect, Colour shadow, Colour highlight) {
  if (rect.Empty()) return;
  const Pen dark{Ink{shadow, DrawMode::kCopyPen}, DrawStyle::kSolid};
  const Pen light{Ink{highlight, DrawMode::kCopyPen}, DrawStyle::kSolid};
  const i64 l = rect.left;
  const i64 t = rect.top;
  const i64 rr = rect.right;
  const i64 b = rect.bottom;
  // The system's order, each line leaving out its end; later lines win the corners:
  // top and left in shadow, then bottom and right in highlight.
  StrokeLine(r, l, t, rr, t, dark);
  StrokeLine(r, l, t, l, b, dark);
  StrokeLine(r, l, b - 1, rr, b - 1, light);
  StrokeLine(r, rr - 1, t, rr - 1, b, light);
}

void DrawEdgeSunken(Raster& r, Rect rect, Colour shadow, Colour highlight, Colour dark_shadow,
                    Colour light) {
  DrawEdgeSunkenOuter(r, rect, shadow, highlight);
  DrawEdgeSunkenOuter(r, {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1},
                      dark_shadow, light);
}

}  // namespace pelorin
