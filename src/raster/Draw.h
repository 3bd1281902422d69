// Pen and brush drawing on rasters: lines, boxes, ellipses, flood fill and sunken edges.
//
// The rasterisers decide which pixels a figure covers; an Ink decides what happens to each of
// them (copy the colour, or invert the pixel). Every figure therefore works in every pen mode.
// All drawing is clipped to the raster: pixels outside are skipped, never written.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "raster/Raster.h"

namespace pelorin {

enum class DrawMode {
  kCopyPen = 13,  // the pixel takes the pen colour
  kInvert = 6,    // the pixel's 24 colour bits are inverted; drawing a figure twice restores it
};

enum class DrawStyle {
  kSolid = 0,
  kDot = 2,  // 3 pixels on, 3 off, counted along the major axis; gaps are left untouched
};

// What drawing does to one pixel.
struct Ink {
  Colour colour = kBlack;
  DrawMode mode = DrawMode::kCopyPen;

  Colour Apply(Colour old) const {
    return mode == DrawMode::kInvert ? (~old & kColourMask) : (colour & kColourMask);
  }
};

struct Pen {
  Ink ink;
  DrawStyle style = DrawStyle::kSolid;
};

// Line from (x0, y0) to (x1, y1), leaving out the end point (an empty line draws nothing).
// Bresenham with nearest pixels; an exact half goes to the smaller coordinate; a 45-degree line
// counts as Y-major. Horizontal and vertical lines cover [start, end). A dotted pen starts "on"
// at (x0, y0).
void DrawLine(Raster& r, int x0, int y0, int x1, int y1, const Pen& pen);

// Outline of the box with corners (x0, y0) and (x1, y1) in any order, both corners included.
// Each pixel of the outline is touched exactly once (so an inverting pen drawn twice restores
// the raster). With a dotted pen the pattern restarts at each side.
void DrawBoxOutline(Raster& r, int x0, int y0, int x1, int y1, const Pen& pen);

// Every pixel of the box with corners (x0, y0) and (x1, y1), both included, in any order.
void FillBox(Raster& r, int x0, int y0, int x1, int y1, const Ink& ink);

// Ellipse in the rectangle [left, right) x [top, bottom) (corners are put in order first). The
// one-pixel outline is drawn with `pen`; the interior with `brush` when there is one (interior
// first, then the outline; the brush leaves out the pixels the pen draws, so each pixel is
// touched once and a dotted pen's gaps show the brush). A width or height of 0 draws nothing;
// 2 or less draws the outline of a box and no interior (a 1 x 1 box draws nothing).
void DrawEllipse(Raster& r, int left, int top, int right, int bottom, const Pen& pen,
                 std::optional<Ink> brush);
// The pixels a solid pen covers when DrawEllipse draws that outline on `r`, each once (those
// inside `r` only). Inverting them twice restores the raster, without working the ellipse out
// again.
std::vector<std::pair<int, int>> EllipseOutlinePixels(const Raster& r, int left, int top, int right,
                                                      int bottom);

// Flood fill of the surface kind: every pixel whose stored value equals `match` and which is
// connected to (x, y) through horizontal and vertical neighbours is painted with `brush`.
// Returns false, painting nothing, when (x, y) lies outside or does not hold `match`.
bool ExtFloodFillSurface(Raster& r, int x, int y, Colour match, const Ink& brush);
// The pixels that flood fill would paint from (x, y) with the colour found there: one flag a
// pixel, row by row, 1 where it reaches (all 0 when (x, y) lies outside).
std::vector<std::uint8_t> FloodReach(const Raster& r, int x, int y);

// One-pixel sunken frame just inside `rect` (right and bottom exclusive): top row and left column
// in `shadow`, bottom row and right column in `highlight`. The top-left corner is shadow; the
// other three corners are highlight.
void DrawEdgeSunkenOuter(Raster& r, Rect rect, Colour shadow, Colour highlight);

// The two-pixel sunken edge (outer and inner border): the one-pixel sunken frame of `rect` in
// `shadow` and `highlight`, and inside it the same frame of the rectangle one pixel smaller in
// `dark_shadow` (top and left) and `light` (bottom and right).
void DrawEdgeSunken(Raster& r, Rect rect, Colour shadow, Colour highlight, Colour dark_shadow,
                    Colour light);

}  // namespace pelorin
