// The shape tools (6 to 12): line, hollow, solid and filled rectangle, hollow, solid and filled
// ellipse. While the button is held an inverted rubber band joins the centres of the start and
// end cells on PicMain; on release the shape is drawn at actual size into PicImage, PicMask and
// picIcon, every pixel of it opaque, and the canvas is rebuilt from the icon.
//
// The pressed colour is the drawing colour; the filled shapes (9 and 12) have the other button's
// current colour inside.
#pragma once

#include <utility>
#include <vector>

#include "canvas/CanvasTool.h"
#include "colour/ColourCommands.h"
#include "document/IconDocument.h"
#include "edit/UndoHistory.h"

namespace pelorin {

class ShapeTool : public CanvasTool {
 public:
  ShapeTool(int tool, IconDocument& doc, UndoHistory& undo, const ColourCommands& colours)
      : tool_(tool), doc_(doc), undo_(undo), colours_(colours) {}

  void ShowPointer(Surface& pic_main) const override {
    pic_main.SetMousePointer(MousePointer::kCrosshair);
  }
  bool Press(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  // The shape's size in cells, both end cells counted, the moving one held on the icon.
  std::optional<CellSize> DragSize(const CanvasPointer& pointer) const override;
  void Drag(CanvasPointer& pointer, int button, int shift, double x, double y) override;
  GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) override;
  void Abandon() override;

 private:
  bool IsLine() const;
  bool IsEllipse() const;
  // The rubber band from the press point to (x, y), drawn on PicMain in invert mode: drawn again,
  // it is gone.
  void DrawBand(int x, int y);
  void RemoveBand();
  void InvertPixels(const std::vector<std::pair<int, int>>& pixels);
  void Commit(const CanvasPointer& pointer, int button);

  int tool_;
  IconDocument& doc_;
  UndoHistory& undo_;
  const ColourCommands& colours_;
  int press_x_ = 0;
  int press_y_ = 0;
  // Where the band was last drawn to, and whether it is still on the canvas as of the canvas
  // redraw count band_redraws_ (a redraw of the canvas wipes it).
  int previous_x_ = 0;
  int previous_y_ = 0;
  bool band_shown_ = false;
  // The canvas pixels of the ellipse band last drawn.
  std::vector<std::pair<int, int>> ellipse_band_;
  unsigned band_redraws_ = 0;
};

}  // namespace pelorin
