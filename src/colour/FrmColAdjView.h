// The colour-adjustment dialog on screen: FrmColAdj's captions, four up/down scroll bars with
// their labels, the preview, and the reset, OK and Cancel buttons.
#pragma once

#include "colour/FrmColAdj.h"
#include "platform/qt/DialogFormView.h"

namespace pelorin {

class FrmColAdjView : public DialogFormView {
  Q_OBJECT

 public:
  FrmColAdjView(FrmColAdj& core, QWidget* parent);
};

}  // namespace pelorin
