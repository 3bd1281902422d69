#include "transform/FrmShadesView.h"

#include <QScrollBar>
#include <string>

#include "platform/qt/DialogViews.h"
#include "platform/qt/SurfaceView.h"

namespace pelorin {

FrmShadesView::FrmShadesView(FrmShades& core, QWidget* parent) : DialogFormView(core, parent) {
  setObjectName(QStringLiteral("FrmShades"));
  // Created in their tab order: the colour bars, then the buttons.
  for (int i = 0; i < 6; ++i) {
    const std::string name = "LblColorVal_" + std::to_string(i);
    AddLabel(name.c_str(), FrmShades::kLblColorVal[i], core.LblColorVal[i]);
  }
  AddLabel("LblDegrees", FrmShades::kLblDegrees, core.LblDegrees);
  for (int i = 0; i < 6; ++i) {
    const std::string name = "Hsb_" + std::to_string(i);
    AddScrollBar(name.c_str(), Qt::Horizontal, FrmShades::kHsb[i], core.Hsb[i], true,
                 [&core, i](int value) { core.Hsb_Change(i, value); })
        ->setAccessibleName(QString::fromStdString(core.HsbNames[i]));
  }
  AddScrollBar("VsbDegrees", Qt::Vertical, FrmShades::kVsbDegrees, core.VsbDegrees, true,
               [&core](int value) { core.VsbDegrees_Change(value); })
      ->setAccessibleName(QString::fromStdString(core.VsbDegreesName));
  AddSurface(core.PicSml, FrmShades::kPicSml)
      ->setAccessibleName(QString::fromStdString(core.PicSmlName));
  AddButton("CmdGradient", core.CmdGradientCaption, FrmShades::kCmdGradient,
            [&core] { core.CmdGradient_Click(); });
  AddButton("CmdOk", core.CmdOkCaption, FrmShades::kCmdOk, [&core] { core.cmdOK_Click(); });
  AddButton("CmdCancel", core.CmdCancelCaption, FrmShades::kCmdCancel,
            [&core] { core.CmdCancel_Click(); });
}

// Shown by Platform::ShowDialog.
[[maybe_unused]] const bool kShown = RegisterModalView<FrmShades, FrmShadesView>();

}  // namespace pelorin
