#include "app/frmAboutView.h"
#include "base/Geometry.h"
#include "platform/qt/QtPlatform.h"

namespace pelorin {

void QtPlatform::ShowAbout(frmAbout& dialog) {
  frmAboutView view(dialog, parent_);
  // The layout fixes the size; it is known once the layout has run.
  view.adjustSize();
  const Position place =
      CentredOnScreen(ScreenWidth(), ScreenHeight(), view.width(), view.height());
  view.move(place.left, place.top);
  view.exec();
}

}  // namespace pelorin
