// The Image menu: button effect, screen capture, background gradient, flips, quarter turns and
// the mirror submenu. Each works on the selection when there is one and the Part allows it, on
// the whole picture otherwise; every whole-picture change goes through PictureChanges.
#pragma once

#include "canvas/Selection.h"
#include "document/IconDocument.h"
#include "edit/PictureChanges.h"
#include "platform/Platform.h"

namespace pelorin {

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
  // Items 4 (horizontal) and 5 (vertical).
  void Flip(int index);
  // Items 7 (anticlockwise) and 8 (clockwise). A marquee is lifted first: a turned selection
  // floats, and what it turns beyond the picture is cut off only when it is committed.
  void Rotate(int index);
  // The mirror submenu, items 0 to 3.
  void MnuMirrorOpts_Click(int index);
  // Whether mirror item `index` may be chosen (an odd selection size disables its pair).
  bool MirrorEnabled(int index) const;

 private:
  IconDocument& doc_;
  Selection& selection_;
  PictureChanges& changes_;
  Platform& platform_;
  WindowHost& host_;
};

}  // namespace pelorin
