// The Image menu: button effect, screen capture, background gradient, flips, quarter turns and
// the mirror submenu. Each works on the selection when there is one and the Part allows it, on
// the whole picture otherwise; every whole-picture change goes through PictureChanges.
#pragma once

#include "commands/PictureChanges.h"
#include "document/IconDocument.h"
#include "document/Selection.h"
#include "platform/Platform.h"
#include "transform/Mirror.h"

namespace pelorin {

// The flips: left and right change places, or top and bottom.
enum class FlipAxis { kHorizontal, kVertical };
// The quarter turns.
enum class Turn { kAnticlockwise, kClockwise };

class ImageCommands {
 public:
  ImageCommands(IconDocument& doc, Selection& selection, PictureChanges& changes,
                Platform& platform, WindowHost& host)
      : doc_(doc), selection_(selection), changes_(changes), platform_(platform), host_(host) {}

  // Item 0: the four outer rings of opaque pixels darkened (any selection committed first).
  void ButtonEffect();
  // Item 1: the main window leaves the screen and a 32 x 32 block of it becomes the picture.
  void ScreenCapture();
  // Item 2: the gradient dialog; on OK its preview fills the transparent pixels.
  void BackgroundGradient();
  void Flip(FlipAxis axis);
  // A marquee is lifted first: a turned selection floats, and what it turns beyond the picture is
  // cut off only when it is committed.
  void Rotate(Turn turn);
  // The mirror submenu: `half` is copied, mirrored, onto the other half.
  void Mirror(MirrorItem half);
  // Whether mirroring `half` may be chosen (an odd selection size disables its pair).
  bool MirrorEnabled(MirrorItem half) const;

 private:
  IconDocument& doc_;
  Selection& selection_;
  PictureChanges& changes_;
  Platform& platform_;
  WindowHost& host_;
};

}  // namespace pelorin
