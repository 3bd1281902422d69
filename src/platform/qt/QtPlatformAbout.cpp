#include "app/frmAboutView.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowAbout(frmAbout& dialog) {
  frmAboutView view(dialog, parent_);
  // The layout fixes the size; it is known once the layout has run.
  view.adjustSize();
  // Our dialogs stand at the screen's horizontal centre with a third of the free height above.
  const int left = (ScreenWidth() - view.width()) / 2;
  const int top = (ScreenHeight() - view.height()) / 3;
  view.move(left, top);
  view.exec();
}

}  // namespace pelorin
