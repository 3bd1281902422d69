#include "app/frmAboutView.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowAbout(frmAbout& dialog) {
  frmAboutView view(dialog, parent_);
  // The layout fixes the size; it is known once the layout has run.
  view.adjustSize();
  PlaceDialog(view);
  view.exec();
}

}  // namespace pelorin
