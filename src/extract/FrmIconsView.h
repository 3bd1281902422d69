// The icon browser on screen: a fixed-size dialog that shows what FrmIcons holds and forwards
// its events to it. OK and Cancel hide it through the core; Enter presses OK, Esc and the close
// box close it without an outcome, which the caller takes as cancelled. The wheel scrolls the
// grid as the scroll bar does. A caption too long for the title bar widens the dialog, its
// contents centred (DialogWidth.h).
#pragma once

#include <QDialog>

#include "extract/FrmIcons.h"

class QLabel;
class QPushButton;
class QScrollBar;

namespace pelorin {

class SurfaceView;

class FrmIconsView : public QDialog {
  Q_OBJECT

 public:
  FrmIconsView(FrmIcons& core, QWidget* parent);
  ~FrmIconsView() override;

 protected:
  // The wheel over the grid goes to the scroll bar.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Shows the core's caption, label, grid and scroll bar; closes once the core has hidden itself.
  void FollowCore();

  FrmIcons& core_;
  QWidget* content_ = nullptr;
  SurfaceView* pic_icons_ = nullptr;
  QScrollBar* vsb_ = nullptr;
  QLabel* lbl_info_ = nullptr;
};

}  // namespace pelorin
