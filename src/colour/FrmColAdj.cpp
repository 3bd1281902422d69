#include "colour/FrmColAdj.h"

#include "base/Text.h"
#include "raster/Blit.h"
#include "raster/Draw.h"

namespace pelorin {

namespace {

constexpr std::array<Channels, 4> kChannels = {Channels::kBrightness, Channels::kRed,
                                               Channels::kGreen, Channels::kBlue};
constexpr int kStep = 5;

}  // namespace

FrmColAdj::FrmColAdj(Platform& platform, ColourTables& tables)
    : ModalDialog(platform, kWidth, kHeight),
      PicShade("PicShade", kPicShade.width, kPicShade.height, kWhite),
      tables_(tables) {}

void FrmColAdj::Form_Load() {
  SetCaption(std::string(kProgramTitle) + " - 颜色调整");
  // The dialog opens on OK, not on 重置(&R), its first button: Enter keeps the adjustment.
  FocusRequest = "CmdOk";
  PlaceOnScreen();
}

void FrmColAdj::Form_Paint() {
  Printed = {{8, 10, "亮度："}, {8, 36, "红色："}, {8, 56, "绿色："}, {8, 76, "兰色："}};
  DrawEdgeSunkenOuter(Form.raster(), Rect{107, 8, 147, 48}, SysColor(SysColour::kButtonShadow),
                      SysColor(SysColour::kButtonHighlight));
}

ScrollBarState& FrmColAdj::Bar(int index) {
  switch (index) {
    case 1:
      return VsbRed;
    case 2:
      return VsbGreen;
    case 3:
      return VsbBlue;
    default:
      return VsbBrightness;
  }
}

std::string& FrmColAdj::Label(int index) {
  switch (index) {
    case 1:
      return LblRed;
    case 2:
      return LblGreen;
    case 3:
      return LblBlue;
    default:
      return LblBrightness;
  }
}

void FrmColAdj::Change(int index, int value) {
  ScrollBarState& bar = Bar(index);
  bar.Value = bar.Limit(value);
  Label(index) = std::to_string(bar.Value);
  int& previous = previous_[index];
  if (bar.Value == previous) return;
  tables_.Step(kChannels[index], bar.Value > previous ? kStep : -kStep);
  ShowResult();
  previous = bar.Value;
}

void FrmColAdj::ShowResult() {
  Raster& shade = PicShade.raster();
  for (int k = 0; k < kTableEntries; ++k)
    if (tables_.Opaque(k)) shade.SetPixel(k % kTableSide, k / kTableSide, tables_.ResultColour(k));
  PicShade.Refresh();
}

void FrmColAdj::CmdReset_Click() {
  tables_.Reset();
  Raster& shade = PicShade.raster();
  for (int k = 0; k < kTableEntries; ++k)
    shade.SetPixel(k % kTableSide, k / kTableSide, tables_.StartColourLimited(k));
  PicShade.Refresh();
  previous_ = {0, 0, 0, 0};
  // Setting a bar to 0 runs its change handler only when the value changes; with the previous
  // values at 0 the handler then only writes the label.
  for (int i = 0; i < 4; ++i)
    if (Bar(i).Value != 0) Change(i, 0);
}

bool RunColourAdjustment(Platform& platform, ColourTables& tables, const Raster& mask,
                         Raster& image, const Raster& preview) {
  tables.Load(mask, image);
  FrmColAdj dialog(platform, tables);
  dialog.Form_Load();
  BitBlt(dialog.PicShade.raster(), 0, 0, kTableSide, kTableSide, preview, 0, 0, Rop::kSrcCopy);
  platform.ShowDialog(dialog);
  if (!dialog.Ok()) return false;
  tables.WriteResult(image);
  return true;
}

}  // namespace pelorin
