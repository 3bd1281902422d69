// Shows one surface of the core 1:1, repaints whenever the core refreshes it, follows its
// pointer shape, and forwards the mouse to the core's handlers.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "raster/Picture.h"
#include "raster/Surface.h"

namespace pelorin {

// The raster as a 32-bit Qt image (colours 0x00BBGGRR become opaque 0xFFRRGGBB).
QImage ToQImage(const Raster& raster);
// The same into an image kept between paints, so that a repaint allocates nothing.
void CopyToQImage(const Raster& raster, QImage& image);
// A picture with its mask as alpha (white in the mask is transparent).
QImage ToQImageWithAlpha(const Picture& picture);
// The buttons of a mouse event in the core's terms: left 1, right 2, middle 4.
int CoreButton(Qt::MouseButton button);
int CoreButtons(Qt::MouseButtons buttons);
// The shift state: Shift 1, Ctrl 2, Alt 4.
int CoreShift(Qt::KeyboardModifiers modifiers);

class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  using MouseHandler = std::function<void(int button, int shift, double x, double y)>;

  SurfaceView(Surface& surface, QWidget* parent);
  ~SurfaceView() override;

  MouseHandler on_press;
  MouseHandler on_move;
  MouseHandler on_release;
  // A double-click of a button; without a handler it counts as a second press.
  MouseHandler on_double_click;
  // Asked after every forwarded event: the tooltip the core wants over this surface.
  std::function<std::string()> tooltip;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void FollowPointer();
  void FollowTooltip();

  Surface& surface_;
  QImage shown_;
};

}  // namespace pelorin
