#include "commands/PictureChanges.h"

namespace pelorin {

void PictureChanges::Apply(SelectionFirst first, const PictureEdit& edit) {
  if (first == SelectionFirst::kCommit) selection_.Commit();
  doc_.ChangePicture(edit);
  doc_.RecordChange();
}

void PictureChanges::ApplyToSelectionOrPicture(const PictureEdit& edit) {
  if (!selection_.Exists()) {
    Apply(SelectionFirst::kLeave, edit);
    return;
  }
  selection_.Change(edit);
}

}  // namespace pelorin
