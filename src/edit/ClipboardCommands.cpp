#include "edit/ClipboardCommands.h"

#include <string>

#include "base/Text.h"
#include "canvas/ToolPalette.h"
#include "edit/FrmClipData.h"
#include "edit/PasteSize.h"

namespace pelorin {

void ClipboardCommands::CopySelection() {
  platform_.ClearClipboard();
  Surface& clip = doc_.PicClip;
  const Raster& mask = doc_.PicSelMask.raster();
  clip.Resize(mask.width(), mask.height());
  clip.Cls();
  // Over white: the colours where the selection is opaque, white where it is transparent.
  ComposeIcon(clip.raster(), 0, 0, mask.width(), mask.height(), mask, doc_.PicSelImage.raster());
  platform_.SetClipboardPicture(clip.raster(), &mask);
}

void ClipboardCommands::DeleteSelection(bool marquee) {
  selection_.ClearMarquee();
  if (marquee) {
    const Rect r = selection_.Bounds();
    const Rect icon = {r.left / kCellSize, r.top / kCellSize, r.right / kCellSize,
                       r.bottom / kCellSize};
    doc_.PicMask.raster().FillRect(icon, kWhite);
    doc_.PicImage.raster().FillRect(icon, kBlack);
    doc_.RebuildCanvasCopy();
  }
  doc_.ShowCanvasCopy();
  doc_.DrawGrid();
  doc_.ComposePreview();
  doc_.Modified = true;
}

void ClipboardCommands::MnuDelete_Click() {
  DeleteSelection(selection_.IsMarquee());
  undo_.ClearRedo();
  undo_.RecordStep();
}

void ClipboardCommands::CutSelection() {
  DeleteSelection(selection_.IsMarquee());
  CopySelection();
  undo_.ClearRedo();
  undo_.RecordStep();
}

void ClipboardCommands::SelectAll() {
  selection_.Commit();
  canvas_.Tools().MoveFrameTo(kToolSelect);
  canvas_.SelectTool(kToolSelect);
  selection_.SetBounds({0, 0, kCanvasCopySize, kCanvasCopySize});
  selection_.DrawMarquee();
  selection_.CaptureSelection();
  selection_.SetMarquee();
}

void ClipboardCommands::PasteClipboard(bool overlay) {
  ClipboardPicture taken = platform_.GetClipboardPicture();
  switch (taken.kind) {
    case ClipboardPicture::Kind::kNone:
      // The clipboard changed since the menu opened: there is nothing to paste.
      return;
    case ClipboardPicture::Kind::kUndecodable:
      platform_.MsgBox("剪贴板中的图片无法读取，没有粘贴。", MsgButtons::kOk, MsgIcon::kExclamation,
                       ErrorTitle());
      return;
    case ClipboardPicture::Kind::kTooLarge:
      platform_.MsgBox("剪贴板中的图片太大（" + std::to_string(taken.width) + " x " +
                           std::to_string(taken.height) + " 象素），无法粘贴。",
                       MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
      return;
    case ClipboardPicture::Kind::kPicture:
      break;
  }
  Surface& clip = doc_.PicClip;
  const int w = taken.picture.width();
  const int h = taken.picture.height();
  clip.raster() = std::move(taken.picture);
  const Raster* transparency = taken.mask ? &*taken.mask : nullptr;
  if (NeedsShrinking(w, h)) {
    if (const std::optional<ShrinkOption> option = AskHowToShrink(platform_, w, h)) {
      const PasteSize size = SizeForPaste(w, h, *option);
      BuildPasteSelection(size.width, size.height, true, overlay, transparency);
      ShowPastedSelection();
    }
  } else {
    BuildPasteSelection(w, h, false, overlay, transparency);
    ShowPastedSelection();
  }
  // Nothing is recorded: the paste becomes a step when the floating selection is committed.
  clip.Resize(kIconSize, kIconSize);
}

void ClipboardCommands::BuildPasteSelection(int width, int height, bool stretch, bool overlay,
                                            const Raster* transparency) {
  selection_.Commit();
  const Raster& clip = doc_.PicClip.raster();
  // A picture's part of width x height: all of it stretched, or its top-left corner.
  const auto take = [&](const Raster& from, Raster& onto, Rop rop) {
    if (stretch) {
      StretchBlt(onto, 0, 0, width, height, from, 0, 0, from.width(), from.height(), rop);
    } else {
      BitBlt(onto, 0, 0, width, height, from, 0, 0, rop);
    }
  };
  Surface& mask = doc_.PicSelMask;
  mask.Resize(width, height);
  if (overlay) {
    mask.raster().Fill(kBlack);
  } else {
    mask.Cls();
    // Through a one-bit raster: only pure white stays white. The picture's own transparency,
    // when it has any, says which pixels are clear; otherwise its pure white pixels are.
    Raster mono(width, height, kWhite, Raster::Depth::kMono);
    take(transparency != nullptr ? *transparency : clip, mono, Rop::kSrcCopy);
    BitBlt(mask.raster(), 0, 0, width, height, mono, 0, 0, Rop::kSrcCopy);
  }
  Surface& image = doc_.PicSelImage;
  image.Cls();
  image.Resize(width, height);
  BitBlt(image.raster(), 0, 0, width, height, mask.raster(), 0, 0, Rop::kSrcCopy);
  take(clip, image.raster(), Rop::kSrcAnd);
  take(clip, image.raster(), Rop::kSrcInvert);
}

void ClipboardCommands::ShowPastedSelection() {
  // The selection tool first: choosing it commits selections, and the paste is one from now on.
  canvas_.Tools().MoveFrameTo(kToolSelect);
  canvas_.SelectTool(kToolSelect);
  const int w = doc_.PicSelMask.width();
  const int h = doc_.PicSelMask.height();
  ComposeIcon(doc_.PicMain.raster(), 0, 0, kCellSize * w, kCellSize * h, doc_.PicSelMask.raster(),
              doc_.PicSelImage.raster());
  doc_.DrawGrid();
  ComposeIcon(doc_.picIcon.raster(), 0, 0, w, h, doc_.PicSelMask.raster(),
              doc_.PicSelImage.raster());
  doc_.picIcon.Refresh();
  selection_.SetBounds({0, 0, kCellSize * w, kCellSize * h});
  selection_.DrawMarquee();
  selection_.SetFloating();
  doc_.Modified = true;
}

}  // namespace pelorin
