// The background-gradient dialog on screen: FrmShades' borders, swatches and captions, six
// colour scroll bars with their value labels, the direction spin bar, the preview and the
// three buttons.
#pragma once

#include "platform/qt/DialogFormView.h"
#include "transform/FrmShades.h"

namespace pelorin {

class FrmShadesView : public DialogFormView {
  Q_OBJECT

 public:
  FrmShadesView(FrmShades& core, QWidget* parent);
};

}  // namespace pelorin
