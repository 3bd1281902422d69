// The capture window on screen: a borderless full-screen window showing the frozen screen 1:1,
// with the real pointer hidden and FrmSnap's square pointer drawn at the core's hot spot. The
// pointer is held within the screen less one block: the core holds the hot spot, and the real
// pointer is moved back whenever it passes that limit, so that it never wanders off under the
// drawn one (to be dragged back across a dead zone, or onto another screen). The mouse and the
// keyboard are grabbed while the window is open.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPoint>

#include "transform/FrmSnap.h"

class QScreen;

namespace pelorin {

class FrmSnapView : public QDialog {
  Q_OBJECT

 public:
  // Covers `screen` (the primary screen when null).
  FrmSnapView(FrmSnap& core, QScreen* screen);
  // Closing the window any other way than by a release or Esc takes nothing as well.
  ~FrmSnapView() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Window position in screen-image pixels, and back.
  QPointF ToImage(QPointF p) const;
  QRect PointerRect() const;
  // Moves the real pointer back when it has gone past the furthest place of the hot spot
  // (window position `at`), so that it stays where the drawn pointer is. The window system may
  // refuse (Wayland lets no program move the pointer); the drawn pointer is held all the same.
  void HoldPointer(QPoint at);
  void FollowCore();

  FrmSnap& core_;
  QImage screen_;
  QImage pointer_;
  double scale_ = 1.0;
  bool grabbed_ = false;
};

}  // namespace pelorin
