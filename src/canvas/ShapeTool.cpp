#include "canvas/ShapeTool.h"

#include <algorithm>
#include <cstdlib>

#include "canvas/ToolPalette.h"
#include "document/ModIcoEd.h"

namespace pelorin {

namespace {

// The centre of the cell under a canvas point.
int CellCentre(int v) { return kCellSize * (v / kCellSize) + kCellSize / 2; }

}  // namespace

bool ShapeTool::IsLine() const { return tool_ == kToolLine; }

bool ShapeTool::IsEllipse() const { return tool_ >= kToolHollowEllipse; }

std::optional<CellSize> ShapeTool::DragSize(const CanvasPointer& pointer) const {
  const auto cells = [](int current, int press) {
    return std::abs(std::clamp(current / kCellSize, 0, kIconSize - 1) - press / kCellSize) + 1;
  };
  return CellSize{cells(pointer.current_x, pointer.press_x),
                  cells(pointer.current_y, pointer.press_y)};
}

void ShapeTool::InvertPixels(const std::vector<std::pair<int, int>>& pixels) {
  Raster& r = doc_.PicMain.raster();
  for (const auto& [px, py] : pixels) r.Row(py)[px] ^= kColourMask;
}

void ShapeTool::DrawBand(int x, int y) {
  Surface& canvas = doc_.PicMain;
  canvas.drawMode = DrawMode::kInvert;
  if (IsLine()) {
    canvas.Line(press_x_, press_y_, x, y, LineKind::kLine);
  } else if (IsEllipse()) {
    // The outline's pixels are kept, so that removing this band needs no second ellipse.
    ellipse_band_ = EllipseOutlinePixels(canvas.raster(), press_x_, press_y_, x, y);
    InvertPixels(ellipse_band_);
  } else {
    canvas.Line(press_x_, press_y_, x, y, LineKind::kBox);
  }
  canvas.Refresh({std::min(press_x_, x), std::min(press_y_, y), std::max(press_x_, x) + 1,
                  std::max(press_y_, y) + 1});
  band_shown_ = !band_shown_;
  band_redraws_ = doc_.CanvasRedraws();
}

void ShapeTool::RemoveBand() {
  if (band_shown_ && band_redraws_ == doc_.CanvasRedraws()) {
    if (IsEllipse()) {
      InvertPixels(ellipse_band_);
      doc_.PicMain.Refresh({std::min(press_x_, previous_x_), std::min(press_y_, previous_y_),
                            std::max(press_x_, previous_x_) + 1,
                            std::max(press_y_, previous_y_) + 1});
    } else {
      DrawBand(previous_x_, previous_y_);
    }
  }
  band_shown_ = false;
}

bool ShapeTool::Press(CanvasPointer& pointer, int, int, double, double) {
  // A band left over from a gesture that never saw its release goes first.
  RemoveBand();
  undo_.ClearRedo();
  doc_.PicMain.drawMode = DrawMode::kInvert;
  pointer.press_x = CellCentre(pointer.press_x);
  pointer.press_y = CellCentre(pointer.press_y);
  press_x_ = previous_x_ = pointer.press_x;
  press_y_ = previous_y_ = pointer.press_y;
  // No band is drawn at the press point itself: the first move draws the first band. (Drawing a
  // degenerate band here and removing it at the first move would leave the press corner of a
  // box uninverted.)
  band_shown_ = false;
  // Only the solid and filled ellipses paint interiors with the brush; a gesture that never saw
  // its release must not leave the brush solid for the next shape.
  const bool solid = tool_ == kToolSolidEllipse || tool_ == kToolFilledEllipse;
  for (Surface* s : {&doc_.picIcon, &doc_.PicImage, &doc_.PicMask})
    s->fillStyle = solid ? FillStyle::kSolid : FillStyle::kTransparent;
  return false;
}

void ShapeTool::Drag(CanvasPointer& pointer, int, int, double, double) {
  RemoveBand();
  pointer.current_x = CellCentre(pointer.current_x);
  pointer.current_y = CellCentre(pointer.current_y);
  DrawBand(pointer.current_x, pointer.current_y);
  previous_x_ = pointer.current_x;
  previous_y_ = pointer.current_y;
}

GestureEnd ShapeTool::Release(CanvasPointer& pointer, int button, double, double) {
  RemoveBand();
  Commit(pointer, button);
  // The canvas is rebuilt from the icon, which also wipes anything left of the band.
  return GestureEnd::kRebuiltAndRecorded;
}

void ShapeTool::Abandon() {
  RemoveBand();
  for (Surface* s : {&doc_.picIcon, &doc_.PicImage, &doc_.PicMask})
    s->fillStyle = FillStyle::kTransparent;
}

void ShapeTool::Commit(const CanvasPointer& pointer, int button) {
  const int x0 = pointer.start_cell_x;
  const int y0 = pointer.start_cell_y;
  const int x1 = pointer.end_cell_x;
  const int y1 = pointer.end_cell_y;
  const Colour pressed = colours_.CurrentColour(button - 1);
  const Colour other = colours_.CurrentColour(button == 1 ? 1 : 0);
  Surface& image = doc_.PicImage;
  Surface& mask = doc_.PicMask;
  Surface& preview = doc_.picIcon;
  // Ellipses fill the cells from the smaller to the larger corner, both included.
  const int left = std::min(x0, x1);
  const int top = std::min(y0, y1);
  const int right = std::max(x0, x1) + 1;
  const int bottom = std::max(y0, y1) + 1;
  bool recompose_preview = false;

  switch (tool_) {
    case kToolLine:
      // The line leaves out its last pixel; the end cell is set on its own.
      for (Surface* s : {&preview, &image, &mask}) {
        const Colour c = s == &mask ? kBlack : pressed;
        s->Line(x0, y0, x1, y1, LineKind::kLine, c);
        s->PSet(x1, y1, c);
      }
      break;
    case kToolHollowRectangle:
      mask.Line(x0, y0, x1, y1, LineKind::kBox, kBlack);
      image.Line(x0, y0, x1, y1, LineKind::kBox, pressed);
      recompose_preview = true;
      break;
    case kToolSolidRectangle:
      mask.Line(x0, y0, x1, y1, LineKind::kFilledBox, kBlack);
      image.Line(x0, y0, x1, y1, LineKind::kFilledBox, pressed);
      preview.Line(x0, y0, x1, y1, LineKind::kFilledBox, pressed);
      break;
    case kToolFilledRectangle:
      mask.Line(x0, y0, x1, y1, LineKind::kFilledBox, kBlack);
      for (Surface* s : {&image, &preview}) {
        s->Line(x0, y0, x1, y1, LineKind::kFilledBox, other);
        s->Line(x0, y0, x1, y1, LineKind::kBox, pressed);
      }
      break;
    case kToolHollowEllipse:
    case kToolSolidEllipse:
      image.Ellipse(left, top, right, bottom);
      mask.Ellipse(left, top, right, bottom);
      recompose_preview = true;
      break;
    case kToolFilledEllipse:
      mask.Ellipse(left, top, right, bottom);
      mask.fillStyle = FillStyle::kTransparent;
      for (Surface* s : {&image, &preview}) {
        s->FillColor = other;
        s->Ellipse(left, top, right, bottom);
        s->fillStyle = FillStyle::kTransparent;
        s->ForeColor = pressed;
        s->Ellipse(left, top, right, bottom);
      }
      break;
    default:
      break;
  }
  if (recompose_preview)
    ComposeIcon(preview.raster(), 0, 0, kIconSize, kIconSize, mask.raster(), image.raster());
  preview.Refresh();
  if (tool_ == kToolSolidEllipse) {
    for (Surface* s : {&preview, &image, &mask}) s->fillStyle = FillStyle::kTransparent;
  }
}

}  // namespace pelorin
