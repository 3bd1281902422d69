#include "commands/ClipboardCommands.h"

#include <string>
#include <utility>

#include "base/Text.h"
#include "canvas/ToolPalette.h"
#include "edit/FrmClipData.h"
#include "edit/PasteSize.h"

namespace pelorin {

void ClipboardCommands::CopySelection() {
  platform_.ClearClipboard();
  const Raster& mask = selection_.PicSelMask().raster();
  clip_.Resize(mask.width(), mask.height());
  clip_.Cls();
  // Over white: the colours where the selection is opaque, white where it is transparent.
  ComposeIcon(clip_.raster(), 0, 0, mask.width(), mask.height(), mask,
              selection_.PicSelImage().raster());
  platform_.SetClipboardPicture(clip_.raster(), &mask);
}

void ClipboardCommands::MnuDelete_Click() {
  selection_.Delete();
  doc_.RecordChange();
}

void ClipboardCommands::CutSelection() {
  selection_.Delete();
  CopySelection();
  doc_.RecordChange();
}

void ClipboardCommands::SelectAll() {
  selection_.Commit();
  canvas_.ChooseTool(kToolSelect);
  selection_.SelectAll();
}

void ClipboardCommands::PasteClipboard(bool overlay) {
  PastePicture(platform_.GetClipboardPicture(), overlay, "剪贴板中的图象");
}

void ClipboardCommands::PasteDroppedPicture(ClipboardPicture picture, const std::string& name) {
  PastePicture(std::move(picture), false, "图象 " + name + " ");
}

void ClipboardCommands::PastePicture(ClipboardPicture taken, bool overlay,
                                     const std::string& what) {
  switch (taken.kind) {
    case ClipboardPicture::Kind::kNone:
      // The clipboard changed since the menu opened: there is nothing to paste.
      return;
    case ClipboardPicture::Kind::kUndecodable:
      platform_.MsgBox(what + "无法读取，没有粘贴。", MsgButtons::kOk, MsgIcon::kExclamation,
                       ErrorTitle());
      return;
    case ClipboardPicture::Kind::kTooLarge:
      platform_.MsgBox(what + "太大（" + std::to_string(taken.width) + " x " +
                           std::to_string(taken.height) + " 象素），无法粘贴。",
                       MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
      return;
    case ClipboardPicture::Kind::kPicture:
      break;
  }
  const int w = taken.picture.width();
  const int h = taken.picture.height();
  clip_.raster() = std::move(taken.picture);
  const Raster* transparency = taken.mask ? &*taken.mask : nullptr;
  if (NeedsShrinking(w, h)) {
    if (const std::optional<ShrinkOption> option = AskHowToShrink(platform_, w, h)) {
      const PasteSize size = SizeForPaste(w, h, *option);
      ShowPastedSelection(
          BuildPasteSelection(size.width, size.height, true, overlay, transparency));
    }
  } else {
    ShowPastedSelection(BuildPasteSelection(w, h, false, overlay, transparency));
  }
  // Nothing is recorded: the paste becomes a step when the floating selection is committed.
  clip_.Resize(kIconSize, kIconSize);
}

ClipboardCommands::Pasted ClipboardCommands::BuildPasteSelection(int width, int height,
                                                                 bool stretch, bool overlay,
                                                                 const Raster* transparency) {
  selection_.Commit();
  const Raster& clip = clip_.raster();
  // A picture's part of width x height: all of it stretched, or its top-left corner.
  const auto take = [&](const Raster& from, Raster& onto, Rop rop) {
    if (stretch) {
      StretchBlt(onto, 0, 0, width, height, from, 0, 0, from.width(), from.height(), rop);
    } else {
      BitBlt(onto, 0, 0, width, height, from, 0, 0, rop);
    }
  };
  Pasted pasted{Raster(width, height, kWhite), Raster(width, height, kBlack)};
  if (overlay) {
    pasted.mask.Fill(kBlack);
  } else {
    // Through a one-bit raster: only pure white stays white. The picture's own transparency,
    // when it has any, says which pixels are clear; otherwise its pure white pixels are.
    Raster mono(width, height, kWhite, Raster::Depth::kMono);
    take(transparency != nullptr ? *transparency : clip, mono, Rop::kSrcCopy);
    BitBlt(pasted.mask, 0, 0, width, height, mono, 0, 0, Rop::kSrcCopy);
  }
  BitBlt(pasted.image, 0, 0, width, height, pasted.mask, 0, 0, Rop::kSrcCopy);
  take(clip, pasted.image, Rop::kSrcAnd);
  take(clip, pasted.image, Rop::kSrcInvert);
  return pasted;
}

void ClipboardCommands::ShowPastedSelection(Pasted pasted) {
  // The selection tool first: choosing it commits selections, and the paste is one from now on.
  canvas_.ChooseTool(kToolSelect);
  selection_.Paste(std::move(pasted.mask), std::move(pasted.image));
}

}  // namespace pelorin
