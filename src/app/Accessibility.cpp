#include "app/Accessibility.h"

#include "document/ModIcoEd.h"

namespace pelorin {

namespace {

// A readout's text after its caption, the caption alone while the readout is empty.
std::string Readout(std::string caption, const FormText& shown) {
  return shown.text.empty() ? caption : caption + " " + shown.text;
}

}  // namespace

std::string SpokenColour(Colour colour) {
  return "红 " + std::to_string(colour & 0xFF) + ", 绿 " + std::to_string((colour >> 8) & 0xFF) +
         ", 蓝 " + std::to_string((colour >> 16) & 0xFF);
}

std::string_view SpokenToolName(const ToolPalette& tools, int tool) { return tools.Caption(tool); }

std::string SpokenCell(const IconDocument& doc, int column, int row) {
  const std::string place = "列 " + std::to_string(column) + ", 行 " + std::to_string(row) + "：";
  if (doc.PicMask().raster().GetPixel(column, row) != kBlack) return place + "透明";
  return place + SpokenColour(doc.PicImage().raster().GetPixel(column, row));
}

AccessibleSurface CanvasAccessible(const IconDocument& doc, const CanvasKeyboard& keys) {
  AccessibleSurface a;
  a.role = AccessibleRole::kCanvas;
  a.name = [] { return "图标画布 32 x 32"; };
  a.description = [] {
    return std::string(
        "方向键移动单元格光标，Ctrl+方向键移动 8 格；空格键为左键，Shift+空格键为右键，按住并移动"
        "光标为拖动，Esc 结束拖动");
  };
  a.value = [&doc, &keys] { return SpokenCell(doc, keys.Column(), keys.Row()); };
  a.part_count = [] { return kIconSize * kIconSize; };
  a.part_role = AccessibleRole::kCell;
  a.part_name = [&doc](int k) { return SpokenCell(doc, k % kIconSize, k / kIconSize); };
  a.part_place = [](int k) {
    const int x = kCellSize * (k % kIconSize);
    const int y = kCellSize * (k / kIconSize);
    return Rect{x, y, x + kCellSize + 1, y + kCellSize + 1};
  };
  a.current_part = [&keys] { return keys.Row() * kIconSize + keys.Column(); };
  return a;
}

AccessibleSurface PreviewAccessible() {
  AccessibleSurface a;
  a.role = AccessibleRole::kGraphic;
  a.name = [] { return "图标预览 32 x 32"; };
  return a;
}

AccessibleSurface ToolsAccessible(const Canvas& canvas, const ToolKeyboard& keys) {
  AccessibleSurface a;
  a.role = AccessibleRole::kToolBar;
  a.name = [] { return "工具"; };
  a.description = [] { return std::string("方向键选择工具，空格键或回车键使用"); };
  a.part_count = [&canvas] { return canvas.Tools().ToolCount(); };
  a.part_role = AccessibleRole::kTool;
  a.part_name = [&canvas](int k) { return std::string(SpokenToolName(canvas.Tools(), k + 1)); };
  a.part_place = [](int k) {
    const int x = ToolCellLeft(k + 1);
    const int y = ToolCellTop(k + 1);
    return Rect{x, y, x + ToolPalette::kCellWidth, y + ToolPalette::kCellHeight};
  };
  a.part_checked = [&canvas](int k) { return canvas.CurrentTool() == k + 1; };
  a.current_part = [&keys] { return keys.Tool() - 1; };
  return a;
}

AccessibleSurface PaletteAccessible(const ColourCommands& colours, const PaletteKeyboard& keys) {
  AccessibleSurface a;
  a.role = AccessibleRole::kList;
  a.name = [] { return "调色板"; };
  a.description = [] {
    return std::string(
        "方向键选择颜色，空格键设为左键颜色，Shift+空格键设为右键颜色；勾选调整调色板时回车键重新"
        "定义颜色");
  };
  a.part_count = [] { return kPaletteSize; };
  a.part_role = AccessibleRole::kListItem;
  a.part_name = [&colours](int k) { return SpokenColour(colours.Palette().entries()[k]); };
  a.part_place = [](int k) {
    const int x = kPaletteCell * (k % 16);
    const int y = kPaletteCell * (k / 16);
    return Rect{x, y, x + kPaletteCell, y + kPaletteCell};
  };
  a.current_part = [&keys] { return keys.Cell(); };
  return a;
}

std::vector<SpokenArea> StatusSpokenAreas(const StatusArea& status, const ColourCommands& colours) {
  const std::array<Rect, 4> places = StatusArea::Places();
  return {
      {places[0], [&status] { return Readout("位置", status.PositionText()); }},
      {places[1], [&status] { return Readout("大小", status.SizeText()); }},
      {places[2], [&colours] { return "左键颜色：" + SpokenColour(colours.CurrentColour(0)); }},
      {places[3], [&colours] { return "右键颜色：" + SpokenColour(colours.CurrentColour(1)); }},
  };
}

}  // namespace pelorin
