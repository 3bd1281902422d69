#include "canvas/Canvas.h"

#include <algorithm>

#include "base/Numbers.h"
#include "canvas/FillTool.h"
#include "canvas/PencilTool.h"
#include "canvas/PickerTool.h"
#include "canvas/SelectionTool.h"
#include "canvas/ShapeTool.h"

namespace pelorin {

namespace {

bool IsDrawingButton(int button) { return button == 1 || button == 2; }

}  // namespace

Canvas::Canvas(IconDocument& doc, Surface& pic_tools, StatusArea& status, UndoHistory& undo,
               Selection& selection, ColourCommands& colours, Platform& platform)
    : doc_(doc),
      status_(status),
      undo_(undo),
      selection_(selection),
      colours_(colours),
      palette_(pic_tools, doc.BackColor(), platform.SysColor(SysColour::kButtonShadow),
               platform.SysColor(SysColour::kButtonHighlight),
               [this](int tool) { SelectTool(tool); }) {
  // One line per tool.
  tools_[kToolSelect] = std::make_unique<SelectionTool>();
  tools_[kToolPencil] = std::make_unique<PencilTool>(PencilTool::Kind::kPencil, doc, undo);
  tools_[kToolEraser] = std::make_unique<PencilTool>(PencilTool::Kind::kEraser, doc, undo);
  tools_[kToolPicker] =
      std::make_unique<PickerTool>(doc, colours, platform, [this] { BackToLastTool(); });
  tools_[kToolFill] = std::make_unique<FillTool>();
  for (int shape = kToolLine; shape <= kToolFilledEllipse; ++shape)
    tools_[shape] = std::make_unique<ShapeTool>(shape);
}

void Canvas::PicMain_MouseDown(int button, int shift, double x, double y) {
  if (!enabled_) return;
  pointer_.press_x = WholePixel(x);
  pointer_.press_y = WholePixel(y);
  if (!IsDrawingButton(button)) return;
  doc_.SetDrawColor(colours_.CurrentColour(button - 1));
  if (Current().Press(pointer_, button, shift, x, y)) PicMain_MouseMove(button, shift, x, y);
}

void Canvas::PicMain_MouseMove(int button, int shift, double x, double y) {
  if (!enabled_) return;
  pointer_.current_x = WholePixel(x);
  pointer_.current_y = WholePixel(y);
  Current().Hover(pointer_);
  UpdateStatus(button);
  if (IsDrawingButton(button)) Current().Drag(pointer_, button, shift, x, y);
}

void Canvas::PicMain_MouseUp(int button, int, double x, double y) {
  if (!enabled_ || !IsDrawingButton(button)) return;
  // The cells come from the last move; the release's own point only serves the range tests.
  pointer_.end_cell_x = pointer_.current_x / kCellSize;
  pointer_.end_cell_y = pointer_.current_y / kCellSize;
  pointer_.start_cell_x = pointer_.press_x / kCellSize;
  pointer_.start_cell_y = pointer_.press_y / kCellSize;
  EndGesture(Current().Release(pointer_, button, x, y));
}

void Canvas::EndGesture(GestureEnd end) {
  if (end == GestureEnd::kFinished) return;
  if (end == GestureEnd::kRebuiltAndRecorded) doc_.ComposeCanvas();
  doc_.PicMain.drawMode = DrawMode::kCopyPen;
  doc_.PicMain.drawStyle = DrawStyle::kSolid;
  status_.ClearSizeField();
  if (end == GestureEnd::kUnrecorded) return;
  if (end != GestureEnd::kModified) undo_.RecordStep();
  doc_.Modified = true;
}

// Called on every move over the canvas with the move's button state, before the tool drags.
void Canvas::UpdateStatus(int button) {
  status_.ShowPosition(std::clamp(pointer_.current_x / kCellSize, 0, kIconSize - 1),
                       std::clamp(pointer_.current_y / kCellSize, 0, kIconSize - 1));
  if (button == 0) return;
  if (const std::optional<CellSize> size = Current().DragSize(pointer_))
    status_.ShowSize(size->width, size->height);
}

void Canvas::SelectTool(int tool) {
  selection_.Commit();
  if (tool < 1 || tool > kToolCount) return;
  if (tools_[tool]->IsDrawingTool()) last_drawing_tool_ = tool;
  current_tool_ = tool;
  tools_[tool]->ShowPointer(doc_.PicMain);
}

void Canvas::ReturnToLastTool() { palette_.ReturnToLastTool(last_drawing_tool_); }

void Canvas::BackToLastTool() {
  current_tool_ = last_drawing_tool_;
  ReturnToLastTool();
  SelectTool(last_drawing_tool_);
}

}  // namespace pelorin
