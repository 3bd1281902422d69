#include "colour/FrmColAdjView.h"

#include <QLabel>
#include <QScrollBar>

#include "platform/qt/DialogViews.h"
#include "platform/qt/SurfaceView.h"

namespace pelorin {

FrmColAdjView::FrmColAdjView(FrmColAdj& core, QWidget* parent) : DialogFormView(core, parent) {
  setObjectName(QStringLiteral("FrmColAdj"));
  static constexpr const char* kLabelNames[] = {"LblBrightness", "LblRed", "LblGreen", "LblBlue"};
  static constexpr const char* kBarNames[] = {"VsbBrightness", "VsbRed", "VsbGreen", "VsbBlue"};
  // The labels first: the scroll bars stand over their right ends.
  for (int i = 0; i < 4; ++i) AddLabel(kLabelNames[i], FrmColAdj::kLabels[i], core.Label(i));
  using Handler = void (FrmColAdj::*)(int);
  static constexpr Handler kChange[] = {&FrmColAdj::VsbBrightness_Change, &FrmColAdj::VsbRed_Change,
                                        &FrmColAdj::VsbGreen_Change, &FrmColAdj::VsbBlue_Change};
  for (int i = 0; i < 4; ++i) {
    AddScrollBar(kBarNames[i], Qt::Vertical, FrmColAdj::kScrollBars[i], core.Bar(i), true,
                 [&core, i](int value) { (core.*kChange[i])(value); })
        ->setAccessibleName(QString::fromStdString(core.BarNames[i]));
  }
  AddSurface(core.PicShade, FrmColAdj::kPicShade)
      ->setAccessibleName(QString::fromStdString(core.PicShadeName));
  AddButton("CmdReset", core.CmdResetCaption, FrmColAdj::kCmdReset,
            [&core] { core.CmdReset_Click(); });
  AddButton("CmdOk", core.CmdOkCaption, FrmColAdj::kCmdOk, [&core] { core.cmdOK_Click(); });
  AddButton("CmdCancel", core.CmdCancelCaption, FrmColAdj::kCmdCancel,
            [&core] { core.CmdCancel_Click(); });
}

// Shown by Platform::ShowDialog.
[[maybe_unused]] const bool kShown = RegisterModalView<FrmColAdj, FrmColAdjView>();

}  // namespace pelorin
