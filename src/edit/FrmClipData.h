// The clipboard-image sizing dialog: a paste of a picture larger than the icon asks here whether
// to squeeze it to 32 x 32 or to shrink it keeping its proportions. The dialog only asks; the
// paste does the shrinking.
//
// Client area 201 x 153:
//   "剪贴板图象尺寸大于图标尺寸要求，" printed at (8, 8), the size message at (8, 21)
//   frame fraShrink "准备如何操作？" at (8, 44), 185 x 69, holding
//     Opt 0 "压缩为图标图象尺寸" at (8, 24) in the frame, 139 x 13, chosen at start
//     Opt 1 "成比例压缩为图标图象" at (8, 40) in the frame, 162 x 24
//   CmdOk "确定(&O)" at (11, 123) and CmdCancel "取消(&C)" at (106, 123), 85 x 25 each
#pragma once

#include <array>
#include <optional>
#include <string>

#include "edit/PasteSize.h"
#include "platform/ModalDialog.h"

namespace pelorin {

class FrmClipData : public ModalDialog {
 public:
  static constexpr int kWidth = 201;
  static constexpr int kHeight = 153;
  static constexpr ControlPlace kFrame{8, 44, 185, 69};
  // The option buttons' places inside the frame.
  static constexpr std::array<ControlPlace, 2> kOpt{{{8, 24, 139, 13}, {8, 40, 162, 24}}};
  static constexpr ControlPlace kCmdOk{11, 123, 85, 25};
  static constexpr ControlPlace kCmdCancel{106, 123, 85, 25};

  // `clip_width` x `clip_height` is the size of the picture on the clipboard.
  FrmClipData(Platform& platform, int clip_width, int clip_height);

  // Sets the title, builds the size message and places the dialog.
  void Form_Load();
  // Prints the two lines of text.
  void Form_Paint() override;
  void Opt_Click(int index);
  void cmdOK_Click() { HideWithTag(kTagOk); }
  void CmdCancel_Click() { HideWithTag(kTagCancelled); }

  // The option chosen now.
  ShrinkOption Choice() const {
    return Opt[0] ? ShrinkOption::kSqueeze : ShrinkOption::kProportional;
  }

  // The captions, as the view shows them.
  const std::string fraShrinkCaption = "准备如何操作？";
  const std::array<std::string, 2> OptCaption = {"压缩为图标图象尺寸", "成比例压缩为图标图象"};
  const std::string CmdOkCaption = "确定(&O)";
  const std::string CmdCancelCaption = "取消(&C)";

  // The option buttons; exactly one is set.
  std::array<bool, 2> Opt = {true, false};
  // "为 <width> x <height> 象素。", built by Form_Load.
  std::string Message;

 private:
  int clip_width_;
  int clip_height_;
};

// Shows the dialog for a `width` x `height` clipboard picture and lets pending events run once
// it is hidden; the chosen option when the user pressed OK, nullopt after Cancel or the close box.
std::optional<ShrinkOption> AskHowToShrink(Platform& platform, int width, int height);

}  // namespace pelorin
