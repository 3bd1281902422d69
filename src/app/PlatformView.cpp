#include "app/PlatformView.h"

#include "app/frmAboutView.h"
#include "colour/FrmColAdjView.h"
#include "edit/FrmClipDataView.h"
#include "extract/FrmIconsView.h"
#include "transform/FrmShadesView.h"
#include "transform/FrmSnapView.h"

namespace pelorin {

void PlatformView::ShowAbout(frmAbout& dialog) {
  frmAboutView view(dialog, DialogParent());
  RunModal(view, dialog);
}

void PlatformView::ShowClipData(FrmClipData& dialog) {
  FrmClipDataView view(dialog, DialogParent());
  RunModal(view, dialog);
}

void PlatformView::ShowColAdj(FrmColAdj& dialog) {
  FrmColAdjView view(dialog, DialogParent());
  RunModal(view, dialog);
}

void PlatformView::ShowShades(FrmShades& dialog) {
  FrmShadesView view(dialog, DialogParent());
  RunModal(view, dialog);
}

void PlatformView::ShowIcons(FrmIcons& dialog) {
  FrmIconsView view(dialog, DialogParent());
  RunModal(view, dialog);
}

void PlatformView::ShowSnap(FrmSnap& window) {
  // The capture window covers the screen the main window is on; it places itself.
  FrmSnapView view(window, DialogScreen());
  view.exec();
}

}  // namespace pelorin
