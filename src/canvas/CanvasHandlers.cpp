// The main window's canvas and tool-palette handlers: pointer positions to cells, the drawing
// colour of the pressed button, the direct tools (pencil, eraser, colour picker) and the common
// end of every gesture.
#include <algorithm>
#include <cmath>

#include "app/frmMain.h"

namespace pelorin {

namespace {

// Pointer positions arrive as fractions; whole pixels are the nearest integer, halves to even.
// Far-off positions (a drag well outside the window) are held at a million pixels, which keeps
// every later sum well inside an int.
int WholePixel(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::lrint(std::clamp(v, -1e6, 1e6)));
}

bool IsDrawingButton(int button) { return button == 1 || button == 2; }

}  // namespace

void frmMain::PicMain_MouseDown(int button, int shift, double x, double y) {
  if (!canvas_enabled_) return;
  press_x_ = WholePixel(x);
  press_y_ = WholePixel(y);
  if (!IsDrawingButton(button)) return;
  SetDrawColor(palette_.current[button - 1]);
  switch (current_tool_) {
    case kToolPencil:
    case kToolEraser:
      ClearRedo();
      PicMain_MouseMove(button, shift, x, y);
      break;
    default:
      // The picker and the fill act on release; the other tools arrive with their own code.
      break;
  }
}

void frmMain::PicMain_MouseMove(int button, int, double x, double y) {
  if (!canvas_enabled_) return;
  current_x_ = WholePixel(x);
  current_y_ = WholePixel(y);
  UpdateStatus(button);
  if (!IsDrawingButton(button)) return;
  switch (current_tool_) {
    case kToolPencil:
      Pencil();
      break;
    case kToolEraser:
      Eraser();
      break;
    default:
      break;
  }
}

void frmMain::PicMain_MouseUp(int button, int, double x, double y) {
  if (!canvas_enabled_) return;
  if (!IsDrawingButton(button)) return;
  // The cells come from the last move; the release's own point only serves the range tests.
  end_cell_x_ = current_x_ / kCellSize;
  end_cell_y_ = current_y_ / kCellSize;
  start_cell_x_ = press_x_ / kCellSize;
  start_cell_y_ = press_y_ / kCellSize;
  if (current_tool_ == kToolPicker) {
    PickColour(button, x, y);
    return;
  }
  if (current_tool_ == kToolSelect || current_tool_ >= kToolFill) {
    // The selection, fill and shape tools do not draw yet: their gestures leave the picture, its
    // history and its modified flag as they were.
    ClearSizeField();
    return;
  }
  // The common end of a gesture.
  PicMain.drawMode = DrawMode::kCopyPen;
  PicMain.drawStyle = DrawStyle::kSolid;
  ClearSizeField();
  if (current_tool_ != kToolSelect) RecordStep();
  Modified = true;
}

// One cell under the current point takes the drawing colour on every surface; nothing is
// interpolated between events, so a fast stroke leaves gaps.
void frmMain::Pencil() {
  if (current_x_ <= 0 || current_y_ <= 0) return;
  const int i = current_x_ / kCellSize;
  const int j = current_y_ / kCellSize;
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  const Colour colour = PicMain.ForeColor;
  // The cell's square in the colour, then its outline black again: the grid lines stay.
  PicMain.Line(cx, cy, cx + kCellSize, cy + kCellSize, LineKind::kFilledBox, colour);
  PicMain.Line(cx, cy, cx + kCellSize, cy + kCellSize, LineKind::kBox, kBlack);
  PicMainCopy.Line(cx, cy, cx + kCellSize - 1, cy + kCellSize - 1, LineKind::kFilledBox, colour);
  picIcon.PSet(i, j, colour);
  PicImage.PSet(i, j, colour);
  PicMask.PSet(i, j, kBlack);
  PicMain.Refresh();
  picIcon.Refresh();
}

// The cell under the current point becomes transparent, whichever button erases.
void frmMain::Eraser() {
  if (current_x_ <= 0 || current_y_ <= 0) return;
  const int i = current_x_ / kCellSize;
  const int j = current_y_ / kCellSize;
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  BitBlt(PicMain.raster(), cx + 1, cy + 1, 9, 9, rasters_.hatch(), 0, 0, Rop::kSrcCopy);
  BitBlt(PicMainCopy.raster(), cx + 1, cy + 1, 9, 9, rasters_.hatch(), 0, 0, Rop::kSrcCopy);
  picIcon.PSet(i, j, back_colour_);
  PicImage.PSet(i, j, kBlack);
  PicMask.PSet(i, j, kWhite);
  PicMain.Refresh();
  picIcon.Refresh();
}

void frmMain::PickColour(int button, double x, double y) {
  if (x > 0 && x < kCanvasCopySize && y > 0 && y < kCanvasCopySize) {
    const int i = end_cell_x_;
    const int j = end_cell_y_;
    if (PicMask.raster().GetPixel(i, j) == kWhite) {
      platform_.Beep();
    } else if (PicImage.raster().Contains(i, j)) {
      palette_.current[button - 1] = PicImage.raster().At(i, j);
      RefillSwatches();
    }
  }
  current_tool_ = last_drawing_tool_;
  ReturnToLastTool();
  SelectTool(last_drawing_tool_);
}

void frmMain::PicTools_MouseDown(int button, int shift, double x, double y) {
  tools_.PicTools_MouseDown(button, shift, x, y);
}

void frmMain::PicTools_MouseMove(int button, int shift, double x, double y) {
  tools_.PicTools_MouseMove(button, shift, x, y);
}

void frmMain::PicTools_MouseUp(int button, int shift, double x, double y) {
  tools_.PicTools_MouseUp(button, shift, x, y);
}

void frmMain::SelectTool(int tool) {
  Form_MouseUp(1, 0, 0, 0);
  if (tool != kToolSelect && tool != kToolPicker) last_drawing_tool_ = tool;
  current_tool_ = tool;
  switch (tool) {
    case kToolPencil:
      PicMain.SetMousePointer(MousePointer::kCustom, "cursor-pencil.txt");
      break;
    case kToolEraser:
      PicMain.SetMousePointer(MousePointer::kCustom, "cursor-eraser.txt");
      break;
    case kToolPicker:
      PicMain.SetMousePointer(MousePointer::kCustom, "cursor-pipette.txt");
      break;
    case kToolFill:
      PicMain.SetMousePointer(MousePointer::kCustom, "cursor-bucket.txt");
      break;
    default:
      PicMain.SetMousePointer(MousePointer::kCrosshair);
      break;
  }
}

void frmMain::ReturnToLastTool() { tools_.ReturnToLastTool(last_drawing_tool_); }

}  // namespace pelorin
