// The flood fill (tool 5): on release over the canvas, the area of one colour, or of
// transparency, around the cell under the pointer takes the drawing colour.
//
// The icon has two layers, so the fill floods two composites of it, one over white
// (PicFloodWhite) and one over the preview's background (PicFloodGray), and takes only the pixels
// that both floods reached and whose transparency equals the start pixel's. A fill therefore
// never leaks from transparent pixels into opaque ones or back; every filled pixel is opaque.
#pragma once

#include "canvas/CanvasTool.h"
#include "document/IconDocument.h"
#include "edit/UndoHistory.h"

namespace pelorin {

class FillTool : public CanvasTool {
 public:
  FillTool(IconDocument& doc, UndoHistory& undo) : doc_(doc), undo_(undo) {}

  void ShowPointer(Surface& pic_main) const override {
    pic_main.SetMousePointer(MousePointer::kCustom, "cursor-bucket.txt");
  }
  GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) override;

  // Fills from icon pixel (i, j) with the brush colour of the flood surfaces.
  void Fill(int i, int j);

 private:
  IconDocument& doc_;
  UndoHistory& undo_;
};

}  // namespace pelorin
