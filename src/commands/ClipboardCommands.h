// The Edit menu's clipboard and selection commands: cut, copy, the transparent and the overlay
// paste, delete and select all.
//
// Copy puts the selection on the system clipboard: its colours where it is opaque, white where
// it is transparent, and its mask as the picture's transparency. A paste lays the clipboard's
// picture over the top-left corner of the icon as a floating selection (with the selection tool
// current); in a transparent paste the picture's transparent pixels (or, for a picture without
// transparency, its pure white ones) stay transparent, in an overlay paste every pixel is
// opaque. A picture larger than the icon is shrunk as the sizing dialog (FrmClipData) says.
#pragma once

#include <string>

#include "canvas/Canvas.h"
#include "document/IconDocument.h"
#include "document/Selection.h"
#include "platform/Platform.h"

namespace pelorin {

class ClipboardCommands {
 public:
  ClipboardCommands(IconDocument& doc, Selection& selection, Canvas& canvas, Platform& platform)
      : doc_(doc),
        selection_(selection),
        canvas_(canvas),
        platform_(platform),
        clip_("PicClip", kIconSize, kIconSize, kWhite) {}

  void CutSelection();
  // The selection and the picture stay as they are; nothing is recorded.
  void CopySelection();
  // overlay: false for the transparent paste, true for the overlay paste.
  void PasteClipboard(bool overlay);
  // A picture file dropped on the window, named `name`, pasted as the clipboard's picture is by
  // the transparent paste.
  void PasteDroppedPicture(ClipboardPicture picture, const std::string& name);
  // The menu's delete: the marquee's area cleared, or the floating pixels dropped; one step.
  void MnuDelete_Click();
  // A marquee over the whole picture, with the selection tool current.
  void SelectAll();

  bool CanPaste() const { return platform_.ClipboardHasPicture(); }

 private:
  struct Pasted {
    Raster mask;
    Raster image;
  };
  // `what` names the picture in the messages ("剪贴板中的图象").
  void PastePicture(ClipboardPicture taken, bool overlay, const std::string& what);
  // The selection's pixels made from PicClip: width x height, all of it stretched or its
  // top-left corner; in a transparent paste `transparency` (or else pure white) says which
  // pixels are clear.
  Pasted BuildPasteSelection(int width, int height, bool stretch, bool overlay,
                             const Raster* transparency);
  // The pixels float at the top-left corner with the selection tool current.
  void ShowPastedSelection(Pasted pasted);

  IconDocument& doc_;
  Selection& selection_;
  Canvas& canvas_;
  Platform& platform_;
  // The staging raster of pictures copied and pasted, white where nothing is drawn.
  Surface clip_;
};

}  // namespace pelorin
