#include "edit/UndoHistory.h"

#include "base/Text.h"

namespace pelorin {

void UndoHistory::RecordStep() {
  if (!history_.RecordStep(doc_.PicMask.raster(), doc_.PicImage.raster())) {
    platform_.MsgBox("内存不足，这一步以后无法撤消。", MsgButtons::kOk, MsgIcon::kExclamation,
                     ErrorTitle());
  }
}

void UndoHistory::UndoStep() {
  if (history_.UndoStep(doc_.PicMask.raster(), doc_.PicImage.raster())) doc_.DisplayResults();
}

void UndoHistory::RedoStep() {
  if (history_.RedoStep(doc_.PicMask.raster(), doc_.PicImage.raster())) doc_.DisplayResults();
}

}  // namespace pelorin
