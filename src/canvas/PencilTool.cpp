#include "canvas/PencilTool.h"

namespace pelorin {

void PencilTool::ShowPointer(Surface& pic_main) const {
  pic_main.SetMousePointer(MousePointer::kCustom,
                           kind_ == Kind::kPencil ? "cursor-pencil.txt" : "cursor-eraser.txt");
}

bool PencilTool::Press(CanvasPointer&, int, int, double, double) {
  undo_.ClearRedo();
  // The pressed cell is painted at once.
  return true;
}

void PencilTool::Drag(CanvasPointer& pointer, int, int, double, double) {
  // Points left of or above the grid paint nothing.
  if (pointer.current_x <= 0 || pointer.current_y <= 0) return;
  const int i = pointer.current_x / kCellSize;
  const int j = pointer.current_y / kCellSize;
  if (kind_ == Kind::kPencil) {
    Paint(i, j);
  } else {
    Erase(i, j);
  }
  // The cell with its four grid lines, and the one preview pixel.
  doc_.PicMain.Refresh(
      {kCellSize * i, kCellSize * j, kCellSize * i + kCellSize + 1, kCellSize * j + kCellSize + 1});
  doc_.picIcon.Refresh({i, j, i + 1, j + 1});
}

void PencilTool::Paint(int i, int j) {
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  const Colour colour = doc_.PicMain.ForeColor;
  // The cell's square in the colour, then its outline black again: the grid lines stay.
  doc_.PicMain.Line(cx, cy, cx + kCellSize, cy + kCellSize, LineKind::kFilledBox, colour);
  doc_.PicMain.Line(cx, cy, cx + kCellSize, cy + kCellSize, LineKind::kBox, kBlack);
  doc_.PicMainCopy.Line(cx, cy, cx + kCellSize - 1, cy + kCellSize - 1, LineKind::kFilledBox,
                        colour);
  doc_.picIcon.PSet(i, j, colour);
  doc_.PicImage.PSet(i, j, colour);
  doc_.PicMask.PSet(i, j, kBlack);
}

void PencilTool::Erase(int i, int j) {
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  const Raster& hatch = doc_.Rasters().hatch();
  BitBlt(doc_.PicMain.raster(), cx + 1, cy + 1, 9, 9, hatch, 0, 0, Rop::kSrcCopy);
  BitBlt(doc_.PicMainCopy.raster(), cx + 1, cy + 1, 9, 9, hatch, 0, 0, Rop::kSrcCopy);
  doc_.picIcon.PSet(i, j, doc_.BackColor());
  doc_.PicImage.PSet(i, j, kBlack);
  doc_.PicMask.PSet(i, j, kWhite);
}

}  // namespace pelorin
