// The capture window on screen: a borderless full-screen window showing the frozen screen 1:1,
// with the real pointer hidden and FrmSnap's square pointer drawn at the core's hot spot, so the
// pointer stops at the screen's right and bottom edges without the real pointer being moved.
// The mouse and the keyboard are grabbed while the window is open.
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
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Window position in screen-image pixels, and back.
  QPointF ToImage(QPointF p) const;
  QRect PointerRect() const;
  void FollowCore();

  FrmSnap& core_;
  QImage screen_;
  QImage pointer_;
  double scale_ = 1.0;
  bool grabbed_ = false;
};

}  // namespace pelorin
