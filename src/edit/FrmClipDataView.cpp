#include "edit/FrmClipDataView.h"

#include <QGroupBox>
#include <QRadioButton>

#include "platform/qt/DialogViews.h"

namespace pelorin {

FrmClipDataView::FrmClipDataView(FrmClipData& core, QWidget* parent)
    : DialogFormView(core, parent) {
  setObjectName(QStringLiteral("FrmClipData"));
  auto* frame = new QGroupBox(QString::fromStdString(core.fraShrinkCaption), Content());
  frame->setObjectName(QStringLiteral("fraShrink"));
  frame->setGeometry(FrmClipData::kFrame.left, FrmClipData::kFrame.top, FrmClipData::kFrame.width,
                     FrmClipData::kFrame.height);
  for (int i = 0; i < 2; ++i) {
    auto* option = new QRadioButton(QString::fromStdString(core.OptCaption[i]), frame);
    option->setObjectName(QStringLiteral("Opt_%1").arg(i));
    const ControlPlace p = FrmClipData::kOpt[i];
    option->setGeometry(p.left, p.top, p.width, p.height);
    option->setChecked(core.Opt[i]);
    connect(option, &QRadioButton::toggled, this, [this, &core, i](bool on) {
      if (on) Forward([&] { core.Opt_Click(i); });
    });
  }
  AddButton("CmdOk", core.CmdOkCaption, FrmClipData::kCmdOk, [&core] { core.cmdOK_Click(); });
  AddButton("CmdCancel", core.CmdCancelCaption, FrmClipData::kCmdCancel,
            [&core] { core.CmdCancel_Click(); });
}

// Shown by Platform::ShowDialog.
[[maybe_unused]] const bool kShown = RegisterModalView<FrmClipData, FrmClipDataView>();

}  // namespace pelorin
