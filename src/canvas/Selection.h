// The selection: none, a marquee (a marked rectangle whose pixels are still part of the picture)
// or a floating selection (pixels held apart in PicSelImage and PicSelMask and drawn over the
// picture).
//
// The rectangle is in PicMain pixels and always on grid lines (multiples of 10); the selection's
// top-left icon pixel is (left / 10, top / 10) and its size W x H = (right - left) / 10 by
// (bottom - top) / 10, which is also the size of PicSelImage and PicSelMask. After a move the
// rectangle may reach beyond the canvas; what lies outside is cut off when it is merged.
//
// A selection is laid over a destination by AND with its mask, then XOR with its image; on the
// canvas stretched ten times at (left, top), on the icon and the preview at actual size.
//
// The marquee is the dotted outline of the rectangle on PicMain, drawn in invert mode, so that
// drawing it again removes it. The selection remembers whether it is on the canvas: a redraw of
// the canvas (IconDocument::CanvasRedraws) wipes it, and removing a marquee that is not there
// would draw one instead, so removal happens only while it is shown.
#pragma once

#include "document/IconDocument.h"
#include "edit/UndoHistory.h"
#include "platform/Platform.h"

namespace pelorin {

class Selection {
 public:
  Selection(IconDocument& doc, UndoHistory& undo) : doc_(doc), undo_(undo) {}

  bool Exists() const { return marquee_ || floating_; }
  bool IsMarquee() const { return marquee_; }
  bool IsFloating() const { return floating_; }
  bool IsMoving() const { return moving_; }
  Rect Bounds() const { return rect_; }
  // The selection's top-left icon pixel and size in icon pixels.
  int IconLeft() const { return rect_.left / kCellSize; }
  int IconTop() const { return rect_.top / kCellSize; }
  int Width() const { return rect_.Width() / kCellSize; }
  int Height() const { return rect_.Height() / kCellSize; }

  // The marquee drawn on PicMain with a dotted pen in invert mode (the pen is solid copy mode
  // again afterwards): it appears, or disappears when it was there.
  void DrawMarquee();
  // The marquee removed, when it is on the canvas.
  void HideMarquee();
  bool MarqueeShown() const;
  // The rectangle's outline drawn in black with the canvas pen as it is (solid copy mode outside
  // a gesture, which repaints the grid lines; dotted invert mode inside a selection press, which
  // removes the marquee); then there is no selection.
  void ClearMarquee();
  // The same outline in black with the canvas pen as it is, the selection left as it is (the
  // commands that change a selection's pixels start with it).
  void EraseMarquee();
  // The selection surfaces sized W x H and filled with the icon's pixels under the rectangle.
  void CaptureSelection();
  // A marquee becomes a floating selection: the pixels under it turn transparent in the picture
  // and PicMainCopy is rebuilt; the selection surfaces keep them.
  void LiftSelection();
  // Draws a floating selection after its surfaces or rectangle changed: canvas and preview show
  // the picture with the selection over it, and the marquee. The document is modified.
  void ShowFloatingSelection();
  // The same without the marquee, as the selection follows the pointer.
  void ShowOverPicture();
  // Writes a marquee's surfaces back into the picture in place and redraws, marquee included.
  // The document is modified.
  void StoreMarkedSelection();
  // Lays the selection into the icon and over PicMainCopy; with `record` the picture becomes an
  // undo step (after the redo history is emptied).
  void MergeSelection(bool record);
  // The commit of any selection (the main window's Form_MouseUp): ClearMarquee, then a floating
  // selection is merged and recorded, a marquee merged without a step. Without one only a
  // marquee left over from an unfinished marking is removed.
  void Commit();
  // No selection, without touching the picture (a new document).
  void Forget();

  // For the selection tool and the commands that make selections.
  void SetBounds(Rect rect) { rect_ = rect; }
  void SetMarquee() { marquee_ = true, floating_ = false; }
  void SetFloating() { marquee_ = false, floating_ = true; }
  void SetMoving(bool moving) { moving_ = moving; }

 private:
  // The selection's surfaces laid over `dst` at (x, y), w x h (stretched when that is not their
  // size).
  void ComposeOnto(Raster& dst, int x, int y, int w, int h) const;
  // The preview cleared, the icon and then the selection laid over it.
  void ComposePreviewWithSelection();
  void RefreshMarquee();

  IconDocument& doc_;
  UndoHistory& undo_;
  bool marquee_ = false;
  bool floating_ = false;
  bool moving_ = false;
  Rect rect_;
  // Whether the marquee is on the canvas, as of the canvas redraw count marquee_redraws_.
  bool marquee_shown_ = false;
  Rect marquee_rect_;
  unsigned marquee_redraws_ = 0;
};

}  // namespace pelorin
