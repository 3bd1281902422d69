// The background-gradient dialog: a start and an end colour (three scroll bars each), a
// direction in steps of 45 degrees, and the 32 x 32 preview that the command copies behind the
// icon.
//
// Client area 381 x 173:
//   sunken border (8, 8)-(247, 165) around the colour groups
//   start swatch: box (20, 20)-(120, 52) in a two-pixel sunken edge (18, 18)-(123, 55)
//   end swatch:   box (134, 20)-(234, 52) in a two-pixel sunken edge (132, 18)-(237, 55)
//   "红", "绿", "兰" printed at x 17 and x 131, y 66 / 86 / 106
//   Hsb 0..2 at x 30, Hsb 3..5 at x 144, y 64 / 84 / 104, 57 x 17 (0 to 255, steps 1 and 5)
//   LblColorVal 0..2 at x 94, 3..5 at x 208, same rows, 29 x 17 ("000" to "255")
//   "方位：" printed at (255, 60); LblDegrees (306, 57), 42 x 17; VsbDegrees (330, 59), 16 x 13
//   PicSml 32 x 32 at (257, 12) in a sunken border (253, 8)-(293, 48)
//   CmdGradient "梯度(&G)" (18, 130), 219 x 25; CmdOk "确定(&O)" (255, 140) and CmdCancel
//   "取消(&C)" (318, 140), 57 x 25; OK is the default button
#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/ModalDialog.h"
#include "transform/Gradient.h"

namespace pelorin {

class FrmShades : public ModalDialog {
 public:
  static constexpr int kWidth = 381;
  static constexpr int kHeight = 173;
  static constexpr std::array<ControlPlace, 6> kHsb{{{30, 64, 57, 17},
                                                     {30, 84, 57, 17},
                                                     {30, 104, 57, 17},
                                                     {144, 64, 57, 17},
                                                     {144, 84, 57, 17},
                                                     {144, 104, 57, 17}}};
  static constexpr std::array<ControlPlace, 6> kLblColorVal{{{94, 64, 29, 17},
                                                             {94, 84, 29, 17},
                                                             {94, 104, 29, 17},
                                                             {208, 64, 29, 17},
                                                             {208, 84, 29, 17},
                                                             {208, 104, 29, 17}}};
  static constexpr ControlPlace kLblDegrees{306, 57, 42, 17};
  static constexpr ControlPlace kVsbDegrees{330, 59, 16, 13};
  static constexpr ControlPlace kPicSml{257, 12, 32, 32};
  static constexpr ControlPlace kCmdGradient{18, 130, 219, 25};
  static constexpr ControlPlace kCmdOk{255, 140, 57, 25};
  static constexpr ControlPlace kCmdCancel{318, 140, 57, 25};

  explicit FrmShades(Platform& platform);

  // Degrees 0, the preview drawn (black to white, start at the left), the title, the place.
  void Form_Load();
  // The sunken borders, the printed captions, both swatches and the labels of items 0 and 3.
  void Form_Paint() override;
  // A colour scroll bar moved (changed or scrolled): its label and its group's swatch follow.
  // The preview is not redrawn.
  void Hsb_Change(int index, int value);
  // The direction: degrees = 45 x value, shown in LblDegrees, and the preview redrawn.
  void VsbDegrees_Change(int value);
  // Redraws the preview with the colours as they are; the focus goes to Hsb 0.
  void CmdGradient_Click();
  void cmdOK_Click() { HideWithTag(kTagOk); }
  void CmdCancel_Click() { HideWithTag(kTagCancelled); }

  int Degrees() const { return degrees_; }
  RgbLevels StartColour() const { return {Hsb[0].Value, Hsb[1].Value, Hsb[2].Value}; }
  RgbLevels EndColour() const { return {Hsb[3].Value, Hsb[4].Value, Hsb[5].Value}; }

  // Red, green, blue of the start colour, then of the end colour.
  std::array<ScrollBarState, 6> Hsb{{{0, 0, 255, 1, 5},
                                     {0, 0, 255, 1, 5},
                                     {0, 0, 255, 1, 5},
                                     {255, 0, 255, 1, 5},
                                     {255, 0, 255, 1, 5},
                                     {255, 0, 255, 1, 5}}};
  std::array<std::string, 6> LblColorVal = {"000", "000", "000", "255", "255", "255"};
  // The direction spin bar: 0 to 8, the up arrow raising it.
  ScrollBarState VsbDegrees{0, 8, 0, 1, 1};
  std::string LblDegrees = "0";
  // The preview, white until it is first drawn.
  Surface PicSml;

  const std::string CmdGradientCaption = "梯度(&G)";
  const std::string CmdOkCaption = "确定(&O)";
  const std::string CmdCancelCaption = "取消(&C)";
  // What a screen reader calls the scroll bars and the preview.
  const std::array<std::string, 6> HsbNames = {"起始颜色 红", "起始颜色 绿", "起始颜色 兰",
                                               "终止颜色 红", "终止颜色 绿", "终止颜色 兰"};
  const std::string VsbDegreesName = "方位";
  const std::string PicSmlName = "梯度预览";

 private:
  void DrawPreview();
  void FillSwatch(int group);

  int degrees_ = 0;
};

// The gradient dialog from loading to its outcome: the preview as it was last drawn when the
// user pressed OK, nullopt after Cancel or the close box. The caller then commits any
// selection, fills the background (FillBackground) and records the step.
std::optional<Raster> AskBackgroundGradient(Platform& platform);

}  // namespace pelorin
