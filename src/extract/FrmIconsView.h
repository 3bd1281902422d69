// The icon browser on screen: a fixed-size dialog that shows what FrmIcons holds and forwards
// its events to it. OK and Cancel hide it through the core; Esc and the close box close it
// without an outcome, which the caller takes as cancelled.
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

 private:
  // Shows the core's caption, label, grid and scroll bar; closes once the core has hidden itself.
  void FollowCore();

  FrmIcons& core_;
  SurfaceView* pic_icons_ = nullptr;
  QScrollBar* vsb_ = nullptr;
  QLabel* lbl_info_ = nullptr;
};

}  // namespace pelorin
