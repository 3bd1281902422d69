// A surface is a named raster with the drawing state of a picture control: pen (ForeColor),
// brush (FillColor, FillStyle), background (BackColor), pen mode and style. Views show surfaces
// 1:1; Refresh() tells the view that a surface changed.
//
// Colours in the state are full 24-bit values; a mono surface stores them through ToMono.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "raster/Blit.h"
#include "raster/Draw.h"
#include "raster/Raster.h"

namespace pelorin {

enum class FillStyle {
  kSolid = 0,
  kTransparent = 1,
};

// The pointer shown over a surface. A custom pointer names its picture resource.
enum class MousePointer {
  kDefault = 0,
  kCrosshair = 2,
  kSizeAll = 5,  // the four-headed move arrow
  kCustom = 99,
};

// The three kinds of the picture control's Line method.
enum class LineKind {
  kLine,       // plain line, its last point left out
  kBox,        // box outline, both corners included (interior by the brush when it is solid)
  kFilledBox,  // whole box in the line colour, both corners included
};

class Surface {
 public:
  Surface(std::string name, int width, int height, Colour back_colour,
          Raster::Depth depth = Raster::Depth::kColour);

  const std::string& name() const { return name_; }
  Raster& raster() { return raster_; }
  const Raster& raster() const { return raster_; }
  int width() const { return raster_.width(); }
  int height() const { return raster_.height(); }

  // Drawing state, as the picture control keeps it.
  Colour ForeColor = kBlack;
  Colour FillColor = kBlack;
  Colour BackColor = kWhite;
  DrawMode drawMode = DrawMode::kCopyPen;
  DrawStyle drawStyle = DrawStyle::kSolid;
  FillStyle fillStyle = FillStyle::kTransparent;

  // Fills the whole surface with BackColor.
  void Cls();
  // One pixel in `colour` (the pen colour when none is given), through the pen mode.
  void PSet(int x, int y, std::optional<Colour> colour = std::nullopt);
  // The Line method from (x1, y1) to (x2, y2) in `colour` (the pen colour when none is given).
  void Line(int x1, int y1, int x2, int y2, LineKind kind,
            std::optional<Colour> colour = std::nullopt);
  // Ellipse in [left, right) x [top, bottom) with the pen, interior by the brush when FillStyle
  // is solid.
  void Ellipse(int left, int top, int right, int bottom);
  // Surface flood fill from (x, y) over the pixels of exactly `match`, with the brush colour.
  bool ExtFloodFill(int x, int y, Colour match);
  // New size; the content becomes BackColor.
  void Resize(int width, int height);

  // Tells the view to show the surface's current content: all of it, or only the rectangle that
  // changed (clipped to the surface), so that a small change costs a small repaint.
  void Refresh() const { Refresh(raster_.Bounds()); }
  void Refresh(Rect changed) const {
    if (!on_refresh_) return;
    changed = Intersect(changed, raster_.Bounds());
    if (!changed.Empty()) on_refresh_(changed);
  }
  // The view that shows the surface watches it: the handlers are the view's, not part of the
  // picture, so a read-only surface can be shown too.
  void SetRefreshHandler(std::function<void(Rect)> handler) const {
    on_refresh_ = std::move(handler);
  }

  // The pointer over this surface; the view follows every change.
  MousePointer mousePointer() const { return mouse_pointer_; }
  const std::string& mouseIcon() const { return mouse_icon_; }
  void SetMousePointer(MousePointer pointer, std::string icon = {}) {
    mouse_pointer_ = pointer;
    mouse_icon_ = std::move(icon);
    if (on_pointer_) on_pointer_();
  }
  void SetPointerHandler(std::function<void()> handler) const { on_pointer_ = std::move(handler); }

 private:
  Pen CurrentPen(std::optional<Colour> colour) const;

  std::string name_;
  Raster raster_;
  mutable std::function<void(Rect)> on_refresh_;
  MousePointer mouse_pointer_ = MousePointer::kDefault;
  std::string mouse_icon_;
  mutable std::function<void()> on_pointer_;
};

}  // namespace pelorin
