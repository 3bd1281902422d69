#include "raster/Surface.h"

#include <algorithm>
#include <cstdlib>

namespace pelorin {

Surface::Surface(std::string name, int width, int height, Colour back_colour, Raster::Depth depth)
    : BackColor(back_colour), name_(std::move(name)), raster_(width, height, back_colour, depth) {}

Pen Surface::CurrentPen(std::optional<Colour> colour) const {
  return Pen{Ink{colour.value_or(ForeColor), drawMode}, drawStyle};
}

void Surface::Cls() { raster_.Fill(BackColor); }

void Surface::PSet(int x, int y, std::optional<Colour> colour) {
  if (!raster_.Contains(x, y)) return;
  const Ink ink = CurrentPen(colour).ink;
  raster_.SetPixel(x, y, ink.Apply(raster_.At(x, y)));
}

void Surface::Line(int x1, int y1, int x2, int y2, LineKind kind, std::optional<Colour> colour) {
  const Pen pen = CurrentPen(colour);
  switch (kind) {
    case LineKind::kLine:
      DrawLine(raster_, x1, y1, x2, y2, pen);
      break;
    case LineKind::kBox:
      if (fillStyle == FillStyle::kSolid && std::abs(x2 - x1) >= 2 && std::abs(y2 - y1) >= 2) {
        FillBox(raster_, std::min(x1, x2) + 1, std::min(y1, y2) + 1, std::max(x1, x2) - 1,
                std::max(y1, y2) - 1, Ink{FillColor, drawMode});
      }
      DrawBoxOutline(raster_, x1, y1, x2, y2, pen);
      break;
    case LineKind::kFilledBox:
      FillBox(raster_, x1, y1, x2, y2, pen.ink);
      break;
  }
}

void Surface::Ellipse(int left, int top, int right, int bottom) {
  std::optional<Ink> brush;
  if (fillStyle == FillStyle::kSolid) brush = Ink{FillColor, drawMode};
  DrawEllipse(raster_, left, top, right, bottom, CurrentPen(std::nullopt), brush);
}

bool Surface::ExtFloodFill(int x, int y, Colour match) {
  return ExtFloodFillSurface(raster_, x, y, match, Ink{FillColor, drawMode});
}

void Surface::Resize(int width, int height) { raster_.Resize(width, height, BackColor); }

}  // namespace pelorin
