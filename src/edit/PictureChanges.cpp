#include "edit/PictureChanges.h"

namespace pelorin {

void PictureChanges::Apply(SelectionFirst first, const PictureEdit& edit) {
  if (first == SelectionFirst::kCommit) selection_.Commit();
  edit(doc_.PicMask.raster(), doc_.PicImage.raster());
  doc_.DisplayResults();
  undo_.ClearRedo();
  undo_.RecordStep();
}

}  // namespace pelorin
