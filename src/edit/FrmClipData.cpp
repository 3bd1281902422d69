#include "edit/FrmClipData.h"

#include "base/Text.h"

namespace pelorin {

FrmClipData::FrmClipData(Platform& platform, int clip_width, int clip_height)
    : ModalDialog(platform, kWidth, kHeight), clip_width_(clip_width), clip_height_(clip_height) {}

void FrmClipData::Form_Load() {
  SetCaption(std::string(kProgramTitle) + " - 图象粘贴");
  Message = "为 " + std::to_string(clip_width_) + " x " + std::to_string(clip_height_) + " 象素。";
  PlaceOnScreen();
}

void FrmClipData::Form_Paint() {
  Printed = {{8, 8, "剪贴板图象尺寸大于图标尺寸要求，"}, {8, 21, Message}};
}

void FrmClipData::Opt_Click(int index) {
  if (index < 0 || index > 1) return;
  Opt = {index == 0, index == 1};
}

std::optional<ShrinkOption> AskHowToShrink(Platform& platform, int width, int height) {
  FrmClipData dialog(platform, width, height);
  dialog.Form_Load();
  platform.ShowDialog(dialog);
  platform.DoEvents();
  if (!dialog.Ok()) return std::nullopt;
  return dialog.Choice();
}

}  // namespace pelorin
