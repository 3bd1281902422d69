// The one path of every command that rewrites the whole picture (flips and rotations without a
// selection, mirroring, grayscale and invert, the button effect, screen capture, the gradient,
// colour adjustment): optionally commit the selection, run a pure function over the icon's mask
// and image, redraw every view (which marks the document modified), then end the redo history
// and record the new picture as one undo step.
#pragma once

#include <functional>

#include "document/IconDocument.h"
#include "document/Selection.h"

namespace pelorin {

// Rewrites a picture in place: `mask` (black = opaque, white = transparent) and `image`, PicMask
// and PicImage (32 x 32) or a selection's PicSelMask and PicSelImage (W x H).
using PictureEdit = std::function<void(Raster& mask, Raster& image)>;

enum class SelectionFirst {
  kLeave,   // the command has made sure there is no selection to keep
  kCommit,  // any selection is committed into the picture first
};

class PictureChanges {
 public:
  PictureChanges(IconDocument& doc, Selection& selection) : doc_(doc), selection_(selection) {}

  void Apply(SelectionFirst first, const PictureEdit& edit);
  // The commands that work on the selection when there is one (flips, mirroring, grayscale,
  // invert): on the selection's rasters, redrawn as a floating selection (recorded with its
  // commit) or written back under its marquee as a step of its own; otherwise on the whole
  // picture as Apply does.
  void ApplyToSelectionOrPicture(const PictureEdit& edit);

 private:
  IconDocument& doc_;
  Selection& selection_;
};

}  // namespace pelorin
