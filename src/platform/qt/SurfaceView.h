// Shows one surface of the core 1:1, repaints what the core refreshes, follows its pointer shape,
// and forwards the mouse to the handlers the core gave for it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/ShownSurface.h"
#include "raster/Surface.h"

namespace pelorin {

class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  SurfaceView(const ShownSurface& shown, QWidget* parent);
  ~SurfaceView() override;

  // Takes pointer events or not, as the core says at the moment.
  void FollowEnabling();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Forward(const PointerHandler& handler, int button, QMouseEvent* event);
  void FollowPointer();

  const Surface& surface_;
  ShownSurface shown_surface_;
  // The surface as last converted, and what changed in it since.
  QImage shown_;
  Rect changed_;
};

}  // namespace pelorin
