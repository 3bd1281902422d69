// The platform as the program runs it: Qt's platform (src/platform/qt/), and the program's own
// dialogs shown with their views. The views live with the subsystems whose dialogs they show;
// this class, above them all, is what brings a dialog and its view together, so that nothing
// under platform/ needs to know any dialog.
#pragma once

#include "platform/qt/QtPlatform.h"

namespace pelorin {

class PlatformView : public QtPlatform {
 public:
  void ShowAbout(frmAbout& dialog) override;
  void ShowClipData(FrmClipData& dialog) override;
  void ShowColAdj(FrmColAdj& dialog) override;
  void ShowShades(FrmShades& dialog) override;
  void ShowSnap(FrmSnap& window) override;
  void ShowIcons(FrmIcons& dialog) override;
};

}  // namespace pelorin
