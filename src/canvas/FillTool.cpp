#include "canvas/FillTool.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/ModIcoEd.h"

namespace pelorin {

FillTool::FillTool(IconDocument& doc)
    : CanvasTool({.caption = "填充",
                  .glyph = "tool-fill.txt",
                  .glyph_nudge = 1,
                  .pointer = MousePointer::kCustom,
                  .pointer_icon = "cursor-bucket.txt"}),
      doc_(doc),
      flood_white_("PicFloodWhite", kIconSize, kIconSize, kWhite),
      flood_gray_("PicFloodGray", kIconSize, kIconSize, doc.BackColor()) {}

GestureEnd FillTool::Release(CanvasPointer& pointer, int, double x, double y) {
  // Outside the canvas nothing is filled, but the gesture still ends as every fill does: with a
  // step (which leaves the redo history as it is).
  if (!(x > 0 && x < kCanvasSize && y > 0 && y < kCanvasSize))
    return GestureEnd::kRecordedUnchanged;
  const Raster preview = doc_.picIcon().raster();
  doc_.DrawOnIcon([&](Surface& mask, Surface& image) {
    Fill(mask.raster(), image.raster(), preview, pointer.end_cell_x, pointer.end_cell_y,
         doc_.DrawColor());
  });
  return GestureEnd::kRecorded;
}

void FillTool::Fill(Raster& mask, Raster& image, const Raster& preview, int i, int j,
                    Colour colour) {
  Surface& gray = flood_gray_;
  Surface& white = flood_white_;
  BitBlt(gray.raster(), 0, 0, kIconSize, kIconSize, preview, 0, 0, Rop::kSrcCopy);
  white.Cls();
  ComposeIcon(white.raster(), 0, 0, kIconSize, kIconSize, mask, image);
  // Outside the icon (the closing grid line) the start matches nothing.
  const Colour start_mask = mask.GetPixel(i, j);
  // What each flood reaches, not which pixels hold the fill's colour afterwards: a pixel that
  // had that colour already in a composite (transparent ones, in the background's colour) is no
  // part of the area unless the flood got there.
  const std::vector<std::uint8_t> gray_reach = FloodReach(gray.raster(), i, j);
  const std::vector<std::uint8_t> white_reach = FloodReach(white.raster(), i, j);

  for (int y = 0; y < kIconSize; ++y) {
    Colour* m = mask.Row(y);
    Colour* p = image.Row(y);
    for (int x = 0; x < kIconSize; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * kIconSize + x;
      if (m[x] == start_mask && gray_reach[at] != 0 && white_reach[at] != 0) {
        m[x] = kBlack;
        p[x] = colour;
      }
    }
  }
  gray.Cls();
  white.Cls();
}

}  // namespace pelorin
