// The main window's undo and redo history and its Edit menu.
#include "app/StartUp.h"
#include "app/frmMain.h"

namespace pelorin {

void frmMain::RecordStep() {
  if (!history_.RecordStep(PicMask.raster(), PicImage.raster())) {
    // The history keeps every earlier step; only this one could not be kept.
    platform_.MsgBox("内存不足，这一步以后无法撤消。", MsgButtons::kOk, MsgIcon::kExclamation,
                     ErrorTitle());
  }
}

void frmMain::ClearRedo() { history_.ClearRedo(); }

void frmMain::ClearHistory() { history_.ClearHistory(); }

void frmMain::UndoStep() {
  if (history_.UndoStep(PicMask.raster(), PicImage.raster())) DisplayResults();
}

void frmMain::RedoStep() {
  if (history_.RedoStep(PicMask.raster(), PicImage.raster())) DisplayResults();
}

void frmMain::MnuEdit_Click() {
  for (MenuItem& item : menus_[1].items) {
    switch (item.index) {
      case 0:
        item.enabled = history_.UndoCount() > 1;
        break;
      case 1:
        item.enabled = history_.RedoCount() >= 1;
        break;
      default:
        // Cut, copy, the pastes, delete and select all arrive with the selection.
        item.enabled = false;
        break;
    }
  }
}

void frmMain::MnuEditOpts_Click(int index) {
  switch (index) {
    case 0:
      Form_MouseUp(1, 0, 0, 0);
      UndoStep();
      break;
    case 1:
      Form_MouseUp(1, 0, 0, 0);
      RedoStep();
      break;
    default:
      break;
  }
}

}  // namespace pelorin
