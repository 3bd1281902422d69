// The About dialog on screen: a fixed-size dialog that shows what frmAbout holds and forwards
// its two buttons to it. Enter and Esc both press OK; the window closes once the core says so.
#pragma once

#include <QDialog>

#include "app/frmAbout.h"

class QPushButton;

namespace pelorin {

class frmAboutView : public QDialog {
  Q_OBJECT

 public:
  frmAboutView(frmAbout& core, QWidget* parent);

  // Esc and the window's close button: the same as pressing OK.
  void reject() override;

 private:
  void OkClicked();
  void SysInfoClicked();
  // Closes the window when the core is done.
  void FollowCore();

  frmAbout& core_;
  QPushButton* cmd_ok_ = nullptr;
};

}  // namespace pelorin
