#include "canvas/Selection.h"

#include <algorithm>

namespace pelorin {

void Selection::ComposeOnto(Raster& dst, int x, int y, int w, int h) const {
  ComposeIcon(dst, x, y, w, h, doc_.PicSelMask.raster(), doc_.PicSelImage.raster());
}

void Selection::RefreshMarquee() {
  // While a marquee is dragged towards the top left its corners come in either order.
  const Rect r = {std::min(marquee_rect_.left, marquee_rect_.right),
                  std::min(marquee_rect_.top, marquee_rect_.bottom),
                  std::max(marquee_rect_.left, marquee_rect_.right),
                  std::max(marquee_rect_.top, marquee_rect_.bottom)};
  // Only the outline changes; its four sides are refreshed, not the canvas inside them.
  for (const Rect side : {Rect{r.left, r.top, r.right + 1, r.top + 1},
                          Rect{r.left, r.bottom, r.right + 1, r.bottom + 1},
                          Rect{r.left, r.top, r.left + 1, r.bottom + 1},
                          Rect{r.right, r.top, r.right + 1, r.bottom + 1}}) {
    doc_.PicMain.Refresh(side);
  }
}

bool Selection::MarqueeShown() const {
  return marquee_shown_ && marquee_redraws_ == doc_.CanvasRedraws();
}

void Selection::DrawMarquee() {
  Surface& canvas = doc_.PicMain;
  const bool was_shown = MarqueeShown() && marquee_rect_ == rect_;
  canvas.drawMode = DrawMode::kInvert;
  canvas.drawStyle = DrawStyle::kDot;
  canvas.Line(rect_.left, rect_.top, rect_.right, rect_.bottom, LineKind::kBox);
  canvas.drawMode = DrawMode::kCopyPen;
  canvas.drawStyle = DrawStyle::kSolid;
  marquee_shown_ = !was_shown;
  marquee_rect_ = rect_;
  marquee_redraws_ = doc_.CanvasRedraws();
  RefreshMarquee();
}

void Selection::HideMarquee() {
  if (!MarqueeShown()) return;
  const Rect wanted = rect_;
  rect_ = marquee_rect_;
  DrawMarquee();
  rect_ = wanted;
}

void Selection::ClearMarquee() {
  Surface& canvas = doc_.PicMain;
  if (canvas.drawMode == DrawMode::kInvert) {
    // Inside a selection press the marquee is inverted away (when it is there at all).
    const DrawStyle style = canvas.drawStyle;
    HideMarquee();
    canvas.drawMode = DrawMode::kInvert;
    canvas.drawStyle = style;
  } else {
    EraseMarquee();
  }
  marquee_ = floating_ = false;
}

void Selection::EraseMarquee() {
  doc_.PicMain.Line(rect_.left, rect_.top, rect_.right, rect_.bottom, LineKind::kBox, kBlack);
  marquee_shown_ = false;
  marquee_rect_ = rect_;
  RefreshMarquee();
}

void Selection::CaptureSelection() {
  const int w = Width();
  const int h = Height();
  doc_.PicSelImage.Cls();
  doc_.PicSelMask.Cls();
  doc_.PicSelImage.Resize(w, h);
  doc_.PicSelMask.Resize(w, h);
  BitBlt(doc_.PicSelImage.raster(), 0, 0, w, h, doc_.PicImage.raster(), IconLeft(), IconTop(),
         Rop::kSrcCopy);
  BitBlt(doc_.PicSelMask.raster(), 0, 0, w, h, doc_.PicMask.raster(), IconLeft(), IconTop(),
         Rop::kSrcCopy);
}

void Selection::LiftSelection() {
  const Rect icon = {IconLeft(), IconTop(), rect_.right / kCellSize, rect_.bottom / kCellSize};
  doc_.picIcon.raster().FillRect(icon, doc_.BackColor());
  doc_.PicImage.raster().FillRect(icon, kBlack);
  doc_.PicMask.raster().FillRect(icon, kWhite);
  doc_.picIcon.Refresh(icon);
  doc_.RebuildCanvasCopy();
  SetFloating();
}

void Selection::ComposePreviewWithSelection() {
  doc_.picIcon.Cls();
  ComposeIcon(doc_.picIcon.raster(), 0, 0, kIconSize, kIconSize, doc_.PicMask.raster(),
              doc_.PicImage.raster());
  ComposeOnto(doc_.picIcon.raster(), IconLeft(), IconTop(), Width(), Height());
  doc_.picIcon.Refresh();
}

void Selection::ShowOverPicture() {
  doc_.ShowCanvasCopy();
  ComposeOnto(doc_.PicMain.raster(), rect_.left, rect_.top, rect_.Width(), rect_.Height());
  ComposePreviewWithSelection();
  doc_.DrawGrid();
}

void Selection::ShowFloatingSelection() {
  ShowOverPicture();
  DrawMarquee();
  doc_.Modified = true;
}

void Selection::StoreMarkedSelection() {
  const int w = Width();
  const int h = Height();
  BitBlt(doc_.PicMask.raster(), IconLeft(), IconTop(), w, h, doc_.PicSelMask.raster(), 0, 0,
         Rop::kSrcCopy);
  BitBlt(doc_.PicImage.raster(), IconLeft(), IconTop(), w, h, doc_.PicSelImage.raster(), 0, 0,
         Rop::kSrcCopy);
  doc_.RebuildCanvasCopy();
  doc_.ShowCanvasCopy();
  doc_.ComposePreview();
  doc_.DrawGrid();
  DrawMarquee();
  doc_.Modified = true;
}

void Selection::MergeSelection(bool record) {
  ComposeOnto(doc_.PicImage.raster(), IconLeft(), IconTop(), Width(), Height());
  BitBlt(doc_.PicMask.raster(), IconLeft(), IconTop(), Width(), Height(), doc_.PicSelMask.raster(),
         0, 0, Rop::kSrcAnd);
  ComposeIcon(doc_.PicMainCopy.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize,
              doc_.PicMask.raster(), doc_.PicImage.raster());
  if (record) {
    undo_.ClearRedo();
    undo_.RecordStep();
  }
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

void Selection::Forget() {
  marquee_ = floating_ = moving_ = false;
  marquee_shown_ = false;
}

}  // namespace pelorin
