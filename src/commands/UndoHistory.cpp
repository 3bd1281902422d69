#include "commands/UndoHistory.h"

#include "base/Text.h"

namespace pelorin {

void UndoHistory::RecordChange() {
  history_.ClearRedo();
  RecordStep();
}

void UndoHistory::RecordStep() {
  if (!history_.RecordStep(doc_.PicMask().raster(), doc_.PicImage().raster())) {
    platform_.MsgBox("内存不足，这一步以后无法撤消。", MsgButtons::kOk, MsgIcon::kExclamation,
                     ErrorTitle());
  }
}

void UndoHistory::UndoStep() {
  if (!history_.CanUndo()) return;
  doc_.ChangePicture([this](Raster& mask, Raster& image) { history_.UndoStep(mask, image); });
}

void UndoHistory::RedoStep() {
  if (!history_.CanRedo()) return;
  doc_.ChangePicture([this](Raster& mask, Raster& image) { history_.RedoStep(mask, image); });
}

}  // namespace pelorin
