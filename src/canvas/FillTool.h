// The flood fill (tool 5): on release over the canvas, the area of one colour, or of
// transparency, around the cell under the pointer takes the drawing colour.
//
// The icon has two layers, so the fill floods two composites of it, one over white
// (PicFloodWhite) and one over the preview's background (PicFloodGray), and takes only the pixels
// that both floods reached and whose transparency equals the start pixel's. A fill therefore
// never leaks from transparent pixels into opaque ones or back, nor across a line that either
// composite tells apart, whatever its colour; every filled pixel is opaque.
#pragma once

#include "canvas/CanvasTool.h"
#include "document/IconDocument.h"

namespace pelorin {

class FillTool : public CanvasTool {
 public:
  explicit FillTool(IconDocument& doc);

  GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) override;

  // The fill itself: from icon pixel (i, j) of `mask` and `image`, in `colour`; `preview` is the
  // picture as the preview shows it (over its background).
  void Fill(Raster& mask, Raster& image, const Raster& preview, int i, int j, Colour colour);

 private:
  IconDocument& doc_;
  // The two composites the fill floods.
  Surface flood_white_;
  Surface flood_gray_;
};

}  // namespace pelorin
