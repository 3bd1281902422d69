// The shape tools: line, hollow, solid and filled rectangle, hollow, solid and filled
// ellipse. While the button is held an inverted rubber band joins the centres of the start and
// end cells on PicMain; on release the shape is drawn at actual size into PicImage, PicMask and
// picIcon, every pixel of it opaque, and the canvas is rebuilt from the icon.
//
// The pressed colour is the drawing colour; the filled shapes have the other button's
// current colour inside.
#pragma once

#include "canvas/CanvasTool.h"
#include "colour/ColourCommands.h"
#include "document/IconDocument.h"

namespace pelorin {

// The shapes, in the palette's order.
enum class Shape {
  kLine,
  kHollowRectangle,
  kSolidRectangle,
  kFilledRectangle,
  kHollowEllipse,
  kSolidEllipse,
  kFilledEllipse,
};

class ShapeTool : public CanvasTool {
 public:
  ShapeTool(Shape shape, IconDocument& doc, const ColourCommands& colours);

  bool Press(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  // The shape's size in cells, both end cells counted, the moving one held on the icon.
  std::optional<CellSize> DragSize(const CanvasPointer& pointer) const override;
  void Drag(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) override;

 private:
  bool IsLine() const;
  bool IsEllipse() const;
  // The rubber band from the press point to (x, y), shown on PicMain (the document's
  // Figure::kBand) in place of the previous one.
  void DrawBand(int x, int y);
  void Commit(const CanvasPointer& pointer, int button);

  Shape shape_;
  IconDocument& doc_;
  const ColourCommands& colours_;
  int press_x_ = 0;
  int press_y_ = 0;
};

}  // namespace pelorin
