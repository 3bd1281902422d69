// The selection: none, a marquee (a marked rectangle whose pixels are still part of the picture)
// or a floating selection (pixels held apart in PicSelImage and PicSelMask and drawn over the
// picture). It is part of the document: it draws on the canvas and the preview through the
// document's operations on a floating picture, which keep what they show true.
//
// The rectangle is in PicMain pixels and always on grid lines (multiples of 10); the selection's
// top-left icon pixel is (left / 10, top / 10) and its size W x H = (right - left) / 10 by
// (bottom - top) / 10, which is also the size of PicSelImage and PicSelMask. After a move the
// rectangle may reach beyond the canvas; what lies outside is cut off when it is merged.
//
// A selection is laid over a destination by AND with its mask, then XOR with its image; on the
// canvas stretched ten times at (left, top), on the icon and the preview at actual size.
//
// The marquee is the dotted outline of the rectangle on PicMain, drawn by inverting pixels (the
// document's Figure::kMarquee): shown, it can be hidden again; a redraw of the canvas wipes it.
#pragma once

#include <functional>

#include "document/IconDocument.h"

namespace pelorin {

class Selection {
 public:
  explicit Selection(IconDocument& doc);

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
  // The selection's pixels.
  const Surface& PicSelImage() const { return sel_image_; }  // W x H, black: colour image
  const Surface& PicSelMask() const { return sel_mask_; }    // W x H, white: mask

  // The marquee around the rectangle, shown (where it was shown before, it goes first).
  void DrawMarquee();
  // The marquee removed, when it is on the canvas.
  void HideMarquee();
  // The selection surfaces sized W x H and filled with the icon's pixels under the rectangle.
  void CaptureSelection();
  // A marquee becomes a floating selection: the pixels under it turn transparent in the picture
  // and PicMainCopy is rebuilt; the selection surfaces keep them.
  void LiftSelection();
  // Canvas and preview show the picture with the floating selection over it, without the
  // marquee, as the selection follows the pointer. The document is modified.
  void ShowOverPicture();
  // The commit of any selection (the main window's Form_MouseUp): the marquee goes, then a
  // floating selection is merged and recorded, a marquee merged without a step. Without one only
  // a marquee left over from an unfinished marking is removed.
  void Commit();
  // No selection, without touching the picture (a new document).
  void Forget();

  // The commands on a selection.
  // Rewrites the selection's pixels and shows the result: a floating selection floats on (its
  // change is part of the step of its commit), a marquee's pixels go back into the picture at
  // once as one undo step, the marquee staying where it is.
  void Change(const std::function<void(Raster& mask, Raster& image)>& change);
  // A quarter turn: a marquee is lifted first; the turned pixels float in `turned`.
  void Turn(const std::function<void(Raster& mask, Raster& image)>& turn, Rect turned);
  // The marquee goes and there is no selection; a marquee's area of the picture becomes
  // transparent, a floating selection's pixels are dropped. The document is modified.
  void Delete();
  // `mask` and `image` float at the top-left corner of the picture, with their marquee.
  void Paste(Raster mask, Raster image);
  // A marquee around the whole picture.
  void SelectAll();

  // For the selection tool.
  void SetBounds(Rect rect) { rect_ = rect; }
  void SetMarquee() { marquee_ = true, floating_ = false; }
  void SetMoving(bool moving) { moving_ = moving; }

 private:
  void SetFloating() { marquee_ = false, floating_ = true; }
  // The selection's rectangle in icon pixels.
  Rect IconRect() const {
    return {IconLeft(), IconTop(), rect_.right / kCellSize, rect_.bottom / kCellSize};
  }
  // The marquee removed; then there is no selection.
  void ClearMarquee();
  // ShowOverPicture, and the marquee: a floating selection after its surfaces or rectangle
  // changed.
  void ShowFloatingSelection();
  // Writes a marquee's surfaces back into the picture in place and redraws, marquee included.
  // The document is modified.
  void StoreMarkedSelection();
  // Lays the selection into the icon and over PicMainCopy; with `record` the picture becomes an
  // undo step.
  void MergeSelection(bool record);

  IconDocument& doc_;
  Surface sel_image_;
  Surface sel_mask_;
  bool marquee_ = false;
  bool floating_ = false;
  bool moving_ = false;
  Rect rect_;
};

}  // namespace pelorin
