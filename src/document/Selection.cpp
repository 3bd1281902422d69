#include "document/Selection.h"

#include <algorithm>
#include <utility>

namespace pelorin {

Selection::Selection(IconDocument& doc)
    : doc_(doc),
      sel_image_("PicSelImage", kIconSize, kIconSize, kBlack),
      sel_mask_("PicSelMask", kIconSize, kIconSize, kWhite) {}

void Selection::DrawMarquee() {
  // While a marquee is dragged towards the top left its corners come in either order.
  const Rect r = {std::min(rect_.left, rect_.right), std::min(rect_.top, rect_.bottom),
                  std::max(rect_.left, rect_.right), std::max(rect_.top, rect_.bottom)};
  const Rect corners = rect_;
  // Only the outline changes; its four sides are repainted, not the canvas inside them.
  doc_.ShowFigure(Figure::kMarquee,
                  [corners](Raster& canvas) {
                    DrawBoxOutline(canvas, corners.left, corners.top, corners.right, corners.bottom,
                                   Pen{Ink{kBlack, DrawMode::kInvert}, DrawStyle::kDot});
                  },
                  {Rect{r.left, r.top, r.right + 1, r.top + 1},
                   Rect{r.left, r.bottom, r.right + 1, r.bottom + 1},
                   Rect{r.left, r.top, r.left + 1, r.bottom + 1},
                   Rect{r.right, r.top, r.right + 1, r.bottom + 1}});
}

void Selection::HideMarquee() { doc_.HideFigure(Figure::kMarquee); }

void Selection::ClearMarquee() {
  HideMarquee();
  marquee_ = floating_ = false;
}

void Selection::CaptureSelection() {
  const int w = Width();
  const int h = Height();
  sel_image_.Cls();
  sel_mask_.Cls();
  sel_image_.Resize(w, h);
  sel_mask_.Resize(w, h);
  BitBlt(sel_image_.raster(), 0, 0, w, h, doc_.PicImage().raster(), IconLeft(), IconTop(),
         Rop::kSrcCopy);
  BitBlt(sel_mask_.raster(), 0, 0, w, h, doc_.PicMask().raster(), IconLeft(), IconTop(),
         Rop::kSrcCopy);
}

void Selection::LiftSelection() {
  doc_.LiftArea(IconRect());
  SetFloating();
}

void Selection::ShowOverPicture() {
  doc_.ShowFloating(IconRect(), sel_mask_.raster(), sel_image_.raster());
}

void Selection::ShowFloatingSelection() {
  ShowOverPicture();
  DrawMarquee();
}

void Selection::StoreMarkedSelection() {
  doc_.ReplaceArea(IconRect(), sel_mask_.raster(), sel_image_.raster());
  DrawMarquee();
}

void Selection::MergeSelection(bool record) {
  doc_.MergeFloating(IconRect(), sel_mask_.raster(), sel_image_.raster());
  if (record) doc_.RecordChange();
}

void Selection::Commit() {
  if (!Exists()) {
    // A marquee still being marked when its release never came is not a selection, but it must
    // not stay on the canvas.
    HideMarquee();
    return;
  }
  const bool floating = floating_;
  moving_ = false;
  ClearMarquee();
  MergeSelection(floating);
}

void Selection::Forget() { marquee_ = floating_ = moving_ = false; }

void Selection::Change(const std::function<void(Raster& mask, Raster& image)>& change) {
  HideMarquee();
  change(sel_mask_.raster(), sel_image_.raster());
  if (floating_) {
    ShowFloatingSelection();
  } else {
    // The marked pixels are the picture's own: what the user now sees is a change of the picture
    // and one step of its own, which undo takes back alone.
    StoreMarkedSelection();
    doc_.RecordChange();
  }
}

void Selection::Turn(const std::function<void(Raster& mask, Raster& image)>& turn, Rect turned) {
  if (marquee_) LiftSelection();
  HideMarquee();
  turn(sel_mask_.raster(), sel_image_.raster());
  rect_ = turned;
  ShowFloatingSelection();
}

void Selection::Delete() {
  const bool marquee = marquee_;
  ClearMarquee();
  if (marquee) {
    doc_.ClearArea(IconRect());
  } else {
    // A floating selection's pixels simply vanish: the picture under them shows again.
    doc_.ShowIconAlone();
  }
}

void Selection::Paste(Raster mask, Raster image) {
  rect_ = {0, 0, kCellSize * mask.width(), kCellSize * mask.height()};
  sel_mask_.raster() = std::move(mask);
  sel_image_.raster() = std::move(image);
  ShowOverPicture();
  DrawMarquee();
  SetFloating();
}

void Selection::SelectAll() {
  rect_ = {0, 0, kCanvasCopySize, kCanvasCopySize};
  DrawMarquee();
  CaptureSelection();
  SetMarquee();
}

}  // namespace pelorin
