// The colour-adjustment dialog: brightness and the red, green and blue components of every
// opaque pixel shift in steps of 5 while a 32 x 32 preview shows the result.
//
// Client area 233 x 99:
//   "亮度：", "红色：", "绿色：", "兰色：" printed at x 8, y 10 / 36 / 56 / 76
//   LblBrightness, LblRed, LblGreen, LblBlue at x 52, y 8 / 34 / 54 / 74, 46 x 17
//   VsbBrightness, VsbRed, VsbGreen, VsbBlue at x 80, y 10 / 36 / 56 / 76, 16 x 13
//   PicShade 32 x 32 at (111, 12) in a sunken edge on (107, 8)-(147, 48)
//   CmdReset "重置(&R)" at (168, 8), CmdOk "确定(&O)" at (105, 66), CmdCancel "取消(&C)" at
//   (168, 66), 57 x 25 each
#pragma once

#include <array>
#include <string>

#include "colour/ColourTables.h"
#include "platform/ModalDialog.h"

namespace pelorin {

class FrmColAdj : public ModalDialog {
 public:
  static constexpr int kWidth = 233;
  static constexpr int kHeight = 99;
  // Brightness, red, green, blue.
  static constexpr std::array<ControlPlace, 4> kLabels{
      {{52, 8, 46, 17}, {52, 34, 46, 17}, {52, 54, 46, 17}, {52, 74, 46, 17}}};
  static constexpr std::array<ControlPlace, 4> kScrollBars{
      {{80, 10, 16, 13}, {80, 36, 16, 13}, {80, 56, 16, 13}, {80, 76, 16, 13}}};
  static constexpr ControlPlace kPicShade{111, 12, 32, 32};
  static constexpr ControlPlace kCmdReset{168, 8, 57, 25};
  static constexpr ControlPlace kCmdOk{105, 66, 57, 25};
  static constexpr ControlPlace kCmdCancel{168, 66, 57, 25};

  // The dialog works on `tables`, which the command has filled from the picture.
  FrmColAdj(Platform& platform, ColourTables& tables);

  // Sets the title, asks for the focus on OK and places the dialog.
  void Form_Load();
  // Prints the four captions and draws the sunken edge around the preview.
  void Form_Paint() override;

  // A scroll bar's new value: the label shows it; a value above the previous one steps the
  // governed channels by +5, one below by -5, however far it moved.
  void VsbBrightness_Change(int value) { Change(0, value); }
  void VsbRed_Change(int value) { Change(1, value); }
  void VsbGreen_Change(int value) { Change(2, value); }
  void VsbBlue_Change(int value) { Change(3, value); }
  // Back to the start colours, the preview included (transparent pixels white), and all four
  // scroll bars at 0.
  void CmdReset_Click();
  void cmdOK_Click() { HideWithTag(kTagOk); }
  void CmdCancel_Click() { HideWithTag(kTagCancelled); }

  // The scroll bars: -255 to 255 with 255 at the top end, steps of 5.
  ScrollBarState VsbBrightness{0, 255, -255, 5, 5};
  ScrollBarState VsbRed{0, 255, -255, 5, 5};
  ScrollBarState VsbGreen{0, 255, -255, 5, 5};
  ScrollBarState VsbBlue{0, 255, -255, 5, 5};
  std::string LblBrightness = "0";
  std::string LblRed = "0";
  std::string LblGreen = "0";
  std::string LblBlue = "0";
  // The preview; the command puts the picture as the main window's preview shows it here.
  Surface PicShade;

  const std::string CmdResetCaption = "重置(&R)";
  const std::string CmdOkCaption = "确定(&O)";
  const std::string CmdCancelCaption = "取消(&C)";
  // What a screen reader calls the scroll bars (brightness, red, green, blue) and the preview.
  const std::array<std::string, 4> BarNames = {"亮度", "红色", "绿色", "兰色"};
  const std::string PicShadeName = "调整后的图标";

  // The scroll bars and labels by index: brightness, red, green, blue.
  ScrollBarState& Bar(int index);
  std::string& Label(int index);

 private:
  void Change(int index, int value);
  void ShowResult();

  ColourTables& tables_;
  std::array<int, 4> previous_ = {0, 0, 0, 0};
};

// The colour adjustment between committing the selection and recording the step: loads the
// tables from `mask` and `image`, shows the dialog with `preview` (the main window's preview as
// it is) in PicShade, and on OK writes the result into `image`. True after OK: the caller then
// shows the picture and records the step; false after Cancel or the close box, with `image`
// untouched.
bool RunColourAdjustment(Platform& platform, ColourTables& tables, const Raster& mask,
                         Raster& image, const Raster& preview);

}  // namespace pelorin
