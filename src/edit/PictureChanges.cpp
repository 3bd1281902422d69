#include "edit/PictureChanges.h"

namespace pelorin {

void PictureChanges::Apply(SelectionFirst first, const PictureEdit& edit) {
  if (first == SelectionFirst::kCommit) selection_.Commit();
  edit(doc_.PicMask.raster(), doc_.PicImage.raster());
  doc_.DisplayResults();
  undo_.ClearRedo();
  undo_.RecordStep();
}

void PictureChanges::ApplyToSelectionOrPicture(const PictureEdit& edit) {
  if (!selection_.Exists()) {
    Apply(SelectionFirst::kLeave, edit);
    return;
  }
  selection_.EraseMarquee();
  edit(doc_.PicSelMask.raster(), doc_.PicSelImage.raster());
  if (selection_.IsFloating()) {
    selection_.ShowFloatingSelection();
  } else {
    selection_.StoreMarkedSelection();
  }
}

}  // namespace pelorin
