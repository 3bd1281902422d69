// The program's modal dialogs, shown over the main window.
#include "colour/FrmColAdjView.h"
#include "edit/FrmClipDataView.h"
#include "platform/qt/QtPlatform.h"
#include "transform/FrmShadesView.h"

namespace pelorin {

void QtPlatform::ShowClipData(FrmClipData& dialog) {
  FrmClipDataView view(dialog, parent_);
  view.exec();
}

void QtPlatform::ShowColAdj(FrmColAdj& dialog) {
  FrmColAdjView view(dialog, parent_);
  view.exec();
}

void QtPlatform::ShowShades(FrmShades& dialog) {
  FrmShadesView view(dialog, parent_);
  view.exec();
}

}  // namespace pelorin
