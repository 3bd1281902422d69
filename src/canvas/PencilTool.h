// The pencil (tool 2) and the eraser (tool 3): each event with a button held paints exactly the
// one cell under the pointer on PicMain, PicMainCopy, PicImage, PicMask and picIcon. Nothing is
// interpolated between events, so a fast stroke leaves gaps; the whole stroke is one undo step.
#pragma once

#include "canvas/CanvasTool.h"
#include "document/IconDocument.h"

namespace pelorin {

class PencilTool : public CanvasTool {
 public:
  enum class Kind {
    kPencil,  // the cell takes the drawing colour
    kEraser,  // the cell becomes transparent, whichever button erases
  };

  PencilTool(Kind kind, IconDocument& doc);

  // The pressed cell is painted at once.
  bool Press(CanvasPointer&, int, int, double, double) override { return true; }
  void Drag(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  GestureEnd Release(CanvasPointer&, int, double, double) override { return GestureEnd::kRecorded; }

 private:
  Kind kind_;
  IconDocument& doc_;
};

}  // namespace pelorin
