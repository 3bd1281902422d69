#include "document/Selection.h"

#include <algorithm>
#include <utility>

namespace pelorin {

Selection::Selection(IconDocument& doc)
    : doc_(doc),
      sel_image_("PicSelImage", kIconSize, kIconSize, kBlack),
      sel_mask_("PicSelMask", kIconSize, kIconSize, kWhite) {}

void Selection::ComposeOnto(Raster& dst, int x, int y, int w, int h) const {
  ComposeIcon(dst, x, y, w, h, sel_mask_.raster(), sel_image_.raster());
}

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
  const Rect icon = IconRect();
  doc_.pic_icon_.raster().FillRect(icon, doc_.BackColor());
  doc_.pic_image_.raster().FillRect(icon, kBlack);
  doc_.pic_mask_.raster().FillRect(icon, kWhite);
  doc_.pic_icon_.Refresh(icon);
  doc_.RebuildCanvasCopy();
  doc_.modified_ = true;
  SetFloating();
}

void Selection::ComposePreviewWithSelection() {
  doc_.ComposePreview();
  ComposeOnto(doc_.pic_icon_.raster(), IconLeft(), IconTop(), Width(), Height());
  doc_.pic_icon_.Refresh(IconRect());
}

void Selection::ShowOverPicture() {
  doc_.ShowCanvasCopy();
  ComposeOnto(doc_.pic_main_.raster(), rect_.left, rect_.top, rect_.Width(), rect_.Height());
  ComposePreviewWithSelection();
  doc_.DrawGrid();
  doc_.modified_ = true;
}

void Selection::ShowFloatingSelection() {
  ShowOverPicture();
  DrawMarquee();
}

void Selection::StoreMarkedSelection() {
  const int w = Width();
  const int h = Height();
  BitBlt(doc_.pic_mask_.raster(), IconLeft(), IconTop(), w, h, sel_mask_.raster(), 0, 0,
         Rop::kSrcCopy);
  BitBlt(doc_.pic_image_.raster(), IconLeft(), IconTop(), w, h, sel_image_.raster(), 0, 0,
         Rop::kSrcCopy);
  doc_.RebuildCanvasCopy();
  doc_.ShowCanvasCopy();
  doc_.ComposePreview();
  doc_.DrawGrid();
  DrawMarquee();
  doc_.modified_ = true;
}

void Selection::MergeSelection(bool record) {
  ComposeOnto(doc_.pic_image_.raster(), IconLeft(), IconTop(), Width(), Height());
  BitBlt(doc_.pic_mask_.raster(), IconLeft(), IconTop(), Width(), Height(), sel_mask_.raster(), 0,
         0, Rop::kSrcAnd);
  ComposeIcon(doc_.pic_main_copy_.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize,
              doc_.PicMask().raster(), doc_.PicImage().raster());
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
    doc_.pic_mask_.raster().FillRect(IconRect(), kWhite);
    doc_.pic_image_.raster().FillRect(IconRect(), kBlack);
    doc_.RebuildCanvasCopy();
  }
  // A floating selection's pixels simply vanish: the picture under them shows again.
  doc_.ShowCanvasCopy();
  doc_.DrawGrid();
  doc_.ComposePreview();
  doc_.modified_ = true;
}

void Selection::Paste(Raster mask, Raster image) {
  const int w = mask.width();
  const int h = mask.height();
  sel_mask_.raster() = std::move(mask);
  sel_image_.raster() = std::move(image);
  ComposeOnto(doc_.pic_main_.raster(), 0, 0, kCellSize * w, kCellSize * h);
  doc_.DrawGrid();
  ComposeOnto(doc_.pic_icon_.raster(), 0, 0, w, h);
  doc_.pic_icon_.Refresh();
  rect_ = {0, 0, kCellSize * w, kCellSize * h};
  DrawMarquee();
  SetFloating();
  doc_.modified_ = true;
}

void Selection::SelectAll() {
  rect_ = {0, 0, kCanvasCopySize, kCanvasCopySize};
  DrawMarquee();
  CaptureSelection();
  SetMarquee();
}

}  // namespace pelorin
