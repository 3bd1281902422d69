#include "canvas/FillTool.h"

#include "document/ModIcoEd.h"

namespace pelorin {

FillTool::FillTool(IconDocument& doc)
    : doc_(doc),
      flood_white_("PicFloodWhite", kIconSize, kIconSize, kWhite),
      flood_gray_("PicFloodGray", kIconSize, kIconSize, doc.BackColor()) {
  // The work rasters paint with a solid brush.
  flood_white_.fillStyle = FillStyle::kSolid;
  flood_gray_.fillStyle = FillStyle::kSolid;
}

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
  gray.FillColor = colour;
  white.FillColor = colour;
  const Colour c = colour;

  BitBlt(gray.raster(), 0, 0, kIconSize, kIconSize, preview, 0, 0, Rop::kSrcCopy);
  white.Cls();
  ComposeIcon(white.raster(), 0, 0, kIconSize, kIconSize, mask, image);
  // Outside the icon (the closing grid line) the start matches nothing.
  const Colour start_mask = mask.GetPixel(i, j);
  gray.ExtFloodFill(i, j, gray.raster().GetPixel(i, j));
  white.ExtFloodFill(i, j, white.raster().GetPixel(i, j));

  for (int y = 0; y < kIconSize; ++y) {
    const Colour* g = gray.raster().Row(y);
    const Colour* w = white.raster().Row(y);
    Colour* m = mask.Row(y);
    Colour* p = image.Row(y);
    for (int x = 0; x < kIconSize; ++x) {
      if (m[x] == start_mask && g[x] == c && w[x] == c) {
        m[x] = kBlack;
        p[x] = c;
      }
    }
  }
  gray.Cls();
  white.Cls();
}

}  // namespace pelorin
