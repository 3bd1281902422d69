#include "canvas/FillTool.h"

#include "document/ModIcoEd.h"

namespace pelorin {

GestureEnd FillTool::Release(CanvasPointer& pointer, int, double x, double y) {
  // Outside the canvas nothing is filled, but the gesture still ends as every fill does.
  if (x > 0 && x < kCanvasSize && y > 0 && y < kCanvasSize) {
    undo_.ClearRedo();
    Fill(pointer.end_cell_x, pointer.end_cell_y);
  }
  return GestureEnd::kRebuiltAndRecorded;
}

void FillTool::Fill(int i, int j) {
  Surface& gray = doc_.PicFloodGray;
  Surface& white = doc_.PicFloodWhite;
  Raster& mask = doc_.PicMask.raster();
  Raster& image = doc_.PicImage.raster();
  const Colour c = white.FillColor;

  BitBlt(gray.raster(), 0, 0, kIconSize, kIconSize, doc_.picIcon.raster(), 0, 0, Rop::kSrcCopy);
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
  ComposeIcon(doc_.picIcon.raster(), 0, 0, kIconSize, kIconSize, mask, image);
  doc_.picIcon.Refresh();
  gray.Cls();
  white.Cls();
}

}  // namespace pelorin
