// The document's undo and redo: each step is a snapshot of PicMask and PicImage (see History).
// Undo and redo redraw every view from the restored picture.
#pragma once

#include "document/IconDocument.h"
#include "edit/History.h"
#include "platform/Platform.h"

namespace pelorin {

class UndoHistory : public ChangeRecorder {
 public:
  UndoHistory(IconDocument& doc, Platform& platform) : doc_(doc), platform_(platform) {
    doc.RecordChangesIn(*this);
  }
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // ChangeRecorder: a change after undos ends the redo history, then the picture is a step.
  void RecordChange() override;

  // Appends the picture as it is now. When memory runs out the user is told that this step
  // cannot be undone; every earlier step stays.
  void RecordStep() override;
  void ClearHistory() { history_.ClearHistory(); }
  // The previous or the next picture, with every view redrawn; nothing when there is none.
  void UndoStep();
  void RedoStep();

  const History& Steps() const { return history_; }

 private:
  IconDocument& doc_;
  Platform& platform_;
  History history_;
};

}  // namespace pelorin
