// The selection: none, a marquee (a marked rectangle whose pixels are still part of the picture)
// or a floating selection (pixels held apart in PicSelImage and PicSelMask and drawn over the
// picture).
#pragma once

#include "document/IconDocument.h"
#include "edit/UndoHistory.h"

namespace pelorin {

class Selection {
 public:
  Selection(IconDocument& doc, UndoHistory& undo) : doc_(doc), undo_(undo) {}

  bool Exists() const { return marquee_ || floating_; }
  bool IsMarquee() const { return marquee_; }
  bool IsFloating() const { return floating_; }

  // The commit of any selection (the main window's Form_MouseUp): a floating selection is
  // stamped into the picture and recorded, a marquee dropped; with none nothing happens.
  void Commit();
  // No selection, without touching the picture (a new document).
  void Forget() { marquee_ = floating_ = false; }

 private:
  IconDocument& doc_;
  UndoHistory& undo_;
  bool marquee_ = false;
  bool floating_ = false;
};

}  // namespace pelorin
