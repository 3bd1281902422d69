// The Colour menu's recolouring: grayscale and invert (on the selection when there is one), and
// the colour adjustment (always the whole picture, after committing any selection).
#pragma once

#include "colour/ColourTables.h"
#include "commands/PictureChanges.h"
#include "document/IconDocument.h"
#include "document/Selection.h"
#include "platform/Platform.h"

namespace pelorin {

class RecolourCommands {
 public:
  RecolourCommands(IconDocument& doc, Selection& selection, PictureChanges& changes,
                   Platform& platform)
      : doc_(doc), selection_(selection), changes_(changes), platform_(platform) {}

  void MakeGrayscale();
  void InvertColours();
  // The colour-adjustment dialog over the picture; OK makes its result one undo step.
  void AdjustColours();

 private:
  IconDocument& doc_;
  Selection& selection_;
  PictureChanges& changes_;
  Platform& platform_;
  // Rebuilt by every adjustment.
  ColourTables tables_;
};

}  // namespace pelorin
