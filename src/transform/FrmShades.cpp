#include "transform/FrmShades.h"

#include <cstdio>

#include "base/Text.h"
#include "raster/Draw.h"

namespace pelorin {

namespace {

constexpr int kDegreesPerStep = 45;

Colour ColourOf(const RgbLevels& rgb) {
  return static_cast<Colour>(rgb[0]) + 256 * static_cast<Colour>(rgb[1]) +
         65536 * static_cast<Colour>(rgb[2]);
}

std::string ThreeDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", value);
  return text;
}

}  // namespace

FrmShades::FrmShades(Platform& platform)
    : ModalDialog(platform, kWidth, kHeight),
      PicSml("PicSml", kPicSml.width, kPicSml.height, kWhite) {}

void FrmShades::Form_Load() {
  degrees_ = 0;
  DrawPreview();
  SetCaption(std::string(kProgramTitle) + " - 底色梯度");
  PlaceOnScreen();
}

void FrmShades::Form_Paint() {
  Raster& form = Form.raster();
  const Colour shadow = SysColor(SysColour::kButtonShadow);
  const Colour highlight = SysColor(SysColour::kButtonHighlight);
  const Colour dark_shadow = SysColor(SysColour::kDarkShadow);
  const Colour light = SysColor(SysColour::kLight);
  DrawEdgeSunkenOuter(form, Rect{8, 8, 247, 165}, shadow, highlight);
  DrawEdgeSunken(form, Rect{18, 18, 123, 55}, shadow, highlight, dark_shadow, light);
  DrawEdgeSunken(form, Rect{132, 18, 237, 55}, shadow, highlight, dark_shadow, light);
  DrawEdgeSunkenOuter(form, Rect{253, 8, 293, 48}, shadow, highlight);
  Printed.clear();
  for (const int x : {17, 131}) {
    Printed.push_back({x, 66, "红"});
    Printed.push_back({x, 86, "绿"});
    Printed.push_back({x, 106, "兰"});
  }
  Printed.push_back({255, 60, "方位："});
  Hsb_Change(0, Hsb[0].Value);
  Hsb_Change(3, Hsb[3].Value);
}

void FrmShades::Hsb_Change(int index, int value) {
  if (index < 0 || index >= static_cast<int>(Hsb.size())) return;
  Hsb[index].Value = Hsb[index].Limit(value);
  LblColorVal[index] = ThreeDigits(Hsb[index].Value);
  FillSwatch(index < 3 ? 0 : 1);
}

void FrmShades::FillSwatch(int group) {
  const Colour colour = ColourOf(group == 0 ? StartColour() : EndColour());
  const int left = group == 0 ? 20 : 134;
  FillBox(Form.raster(), left, 20, left + 100, 52, Ink{colour, DrawMode::kCopyPen});
  Form.Refresh();
}

void FrmShades::VsbDegrees_Change(int value) {
  VsbDegrees.Value = VsbDegrees.Limit(value);
  degrees_ = VsbDegrees.Value * kDegreesPerStep;
  LblDegrees = std::to_string(degrees_);
  DrawPreview();
}

void FrmShades::CmdGradient_Click() {
  FocusRequest = "Hsb_0";
  DrawPreview();
}

void FrmShades::DrawPreview() {
  DrawGradient(PicSml.raster(), StartColour(), EndColour(), degrees_);
  PicSml.Refresh();
}

std::optional<Raster> AskBackgroundGradient(Platform& platform) {
  FrmShades dialog(platform);
  dialog.Form_Load();
  platform.ShowDialog(dialog);
  if (!dialog.Ok()) return std::nullopt;
  return dialog.PicSml.raster();
}

}  // namespace pelorin
