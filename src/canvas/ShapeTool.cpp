#include "canvas/ShapeTool.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

#include "document/ModIcoEd.h"

namespace pelorin {

namespace {

// The centre of the cell under a canvas point.
int CellCentre(int v) { return kCellSize * (v / kCellSize) + kCellSize / 2; }

ToolLook ShapeLook(Shape shape) {
  const auto look = [](std::string_view caption, std::string_view glyph) {
    return ToolLook{.caption = caption, .glyph = glyph, .pointer = MousePointer::kCrosshair};
  };
  switch (shape) {
    case Shape::kLine:
      return look("直线", "tool-line.txt");
    case Shape::kHollowRectangle:
      return look("空心矩形", "tool-hollow-rectangle.txt");
    case Shape::kSolidRectangle:
      return look("实体矩形", "tool-solid-rectangle.txt");
    case Shape::kFilledRectangle:
      return look("填充矩形", "tool-filled-rectangle.txt");
    case Shape::kHollowEllipse:
      return look("空心椭圆", "tool-hollow-ellipse.txt");
    case Shape::kSolidEllipse:
      return look("实体椭圆", "tool-solid-ellipse.txt");
    case Shape::kFilledEllipse:
      return look("填充椭圆", "tool-filled-ellipse.txt");
  }
  return {};
}

}  // namespace

ShapeTool::ShapeTool(Shape shape, IconDocument& doc, const ColourCommands& colours)
    : CanvasTool(ShapeLook(shape)), shape_(shape), doc_(doc), colours_(colours) {}

bool ShapeTool::IsLine() const { return shape_ == Shape::kLine; }

bool ShapeTool::IsEllipse() const { return shape_ >= Shape::kHollowEllipse; }

std::optional<CellSize> ShapeTool::DragSize(const CanvasPointer& pointer) const {
  const auto cells = [](int current, int press) {
    return std::abs(std::clamp(current / kCellSize, 0, kIconSize - 1) - press / kCellSize) + 1;
  };
  return CellSize{cells(pointer.current_x, pointer.press_x),
                  cells(pointer.current_y, pointer.press_y)};
}

void ShapeTool::DrawBand(int x, int y) {
  const int x0 = press_x_;
  const int y0 = press_y_;
  const Rect touched = {std::min(x0, x), std::min(y0, y), std::max(x0, x) + 1, std::max(y0, y) + 1};
  // The lambdas hold four numbers, which std::function keeps without allocating.
  std::function<void(Raster&)> invert;
  if (IsLine()) {
    invert = [=](Raster& canvas) {
      DrawLine(canvas, x0, y0, x, y, Pen{Ink{kBlack, DrawMode::kInvert}});
    };
  } else if (IsEllipse()) {
    // The outline's pixels are kept, so that removing this band needs no second ellipse.
    invert = [pixels =
                  EllipseOutlinePixels(doc_.PicMain().raster(), x0, y0, x, y)](Raster& canvas) {
      for (const auto& [px, py] : pixels) canvas.Row(py)[px] ^= kColourMask;
    };
  } else {
    invert = [=](Raster& canvas) {
      DrawBoxOutline(canvas, x0, y0, x, y, Pen{Ink{kBlack, DrawMode::kInvert}});
    };
  }
  doc_.ShowFigure(Figure::kBand, std::move(invert), {touched});
}

bool ShapeTool::Press(CanvasPointer& pointer, int, int, double, double) {
  // A band left over from a gesture that never saw its release goes first.
  doc_.HideFigure(Figure::kBand);
  pointer.press_x = CellCentre(pointer.press_x);
  pointer.press_y = CellCentre(pointer.press_y);
  press_x_ = pointer.press_x;
  press_y_ = pointer.press_y;
  // No band is drawn at the press point itself: the first move draws the first band. (Drawing a
  // degenerate band here and removing it at the first move would leave the press corner of a
  // box uninverted.)
  return false;
}

void ShapeTool::Drag(CanvasPointer& pointer, int, int, double, double) {
  pointer.current_x = CellCentre(pointer.current_x);
  pointer.current_y = CellCentre(pointer.current_y);
  DrawBand(pointer.current_x, pointer.current_y);
}

GestureEnd ShapeTool::Release(CanvasPointer& pointer, int button, double, double) {
  doc_.HideFigure(Figure::kBand);
  // The shape goes into the icon; the canvas is then composed from it again.
  Commit(pointer, button);
  return GestureEnd::kRecorded;
}

void ShapeTool::Commit(const CanvasPointer& pointer, int button) {
  const int x0 = pointer.start_cell_x;
  const int y0 = pointer.start_cell_y;
  const int x1 = pointer.end_cell_x;
  const int y1 = pointer.end_cell_y;
  const Colour pressed = colours_.CurrentColour(button - 1);
  const Colour other = colours_.CurrentColour(button == 1 ? 1 : 0);
  // Ellipses fill the cells from the smaller to the larger corner, both included.
  const int left = std::min(x0, x1);
  const int top = std::min(y0, y1);
  const int right = std::max(x0, x1) + 1;
  const int bottom = std::max(y0, y1) + 1;

  doc_.DrawOnIcon([&](Surface& mask, Surface& image) {
    // Only the solid and filled ellipses paint interiors with the brush.
    const bool solid = shape_ == Shape::kSolidEllipse || shape_ == Shape::kFilledEllipse;
    for (Surface* s : {&image, &mask})
      s->fillStyle = solid ? FillStyle::kSolid : FillStyle::kTransparent;
    switch (shape_) {
      case Shape::kLine:
        // The line leaves out its last pixel; the end cell is set on its own.
        for (Surface* s : {&image, &mask}) {
          const Colour c = s == &mask ? kBlack : pressed;
          s->Line(x0, y0, x1, y1, LineKind::kLine, c);
          s->PSet(x1, y1, c);
        }
        break;
      case Shape::kHollowRectangle:
        mask.Line(x0, y0, x1, y1, LineKind::kBox, kBlack);
        image.Line(x0, y0, x1, y1, LineKind::kBox, pressed);
        break;
      case Shape::kSolidRectangle:
        mask.Line(x0, y0, x1, y1, LineKind::kFilledBox, kBlack);
        image.Line(x0, y0, x1, y1, LineKind::kFilledBox, pressed);
        break;
      case Shape::kFilledRectangle:
        mask.Line(x0, y0, x1, y1, LineKind::kFilledBox, kBlack);
        image.Line(x0, y0, x1, y1, LineKind::kFilledBox, other);
        image.Line(x0, y0, x1, y1, LineKind::kBox, pressed);
        break;
      case Shape::kHollowEllipse:
      case Shape::kSolidEllipse:
        image.Ellipse(left, top, right, bottom);
        mask.Ellipse(left, top, right, bottom);
        break;
      case Shape::kFilledEllipse:
        mask.Ellipse(left, top, right, bottom);
        image.FillColor = other;
        image.Ellipse(left, top, right, bottom);
        image.fillStyle = FillStyle::kTransparent;
        image.ForeColor = pressed;
        image.Ellipse(left, top, right, bottom);
        break;
    }
    for (Surface* s : {&image, &mask}) s->fillStyle = FillStyle::kTransparent;
  });
}

}  // namespace pelorin
