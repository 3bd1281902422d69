// The one path of every command that rewrites the whole picture (flips and rotations without a
// selection, mirroring, grayscale and invert, the button effect, screen capture, the gradient,
// colour adjustment): optionally commit the selection, run a pure function over the icon's mask
// and image, redraw every view (which marks the document modified), then end the redo history
// and record the new picture as one undo step.
#pragma once

#include <functional>

#include "canvas/Selection.h"
#include "document/IconDocument.h"
#include "edit/UndoHistory.h"

namespace pelorin {

// Rewrites the icon in place: `mask` is PicMask (black = opaque, white = transparent), `image`
// is PicImage, both 32 x 32.
using PictureEdit = std::function<void(Raster& mask, Raster& image)>;

enum class SelectionFirst {
  kLeave,   // the command has made sure there is no selection to keep
  kCommit,  // any selection is committed into the picture first
};

class PictureChanges {
 public:
  PictureChanges(IconDocument& doc, Selection& selection, UndoHistory& undo)
      : doc_(doc), selection_(selection), undo_(undo) {}

  void Apply(SelectionFirst first, const PictureEdit& edit);

 private:
  IconDocument& doc_;
  Selection& selection_;
  UndoHistory& undo_;
};

}  // namespace pelorin
