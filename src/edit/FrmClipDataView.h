// The clipboard-image sizing dialog on screen: FrmClipData's texts, its frame with the two
// option buttons, OK and Cancel.
#pragma once

#include "edit/FrmClipData.h"
#include "platform/qt/DialogFormView.h"

namespace pelorin {

class FrmClipDataView : public DialogFormView {
  Q_OBJECT

 public:
  FrmClipDataView(FrmClipData& core, QWidget* parent);
};

}  // namespace pelorin
