#include "app/frmAboutView.h"
#include "platform/ModalDialog.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowAbout(frmAbout& dialog) {
  frmAboutView view(dialog, parent_);
  // The layout fixes the size; it is known once the layout has run.
  view.adjustSize();
  const auto [left, top] = CentredPlace(ScreenWidth(), ScreenHeight(), view.width(), view.height());
  view.move(left, top);
  view.exec();
}

}  // namespace pelorin
