#include "canvas/Canvas.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/Numbers.h"
#include "canvas/FillTool.h"
#include "canvas/PencilTool.h"
#include "canvas/PickerTool.h"
#include "canvas/SelectionTool.h"
#include "canvas/ShapeTool.h"

namespace pelorin {

namespace {

bool IsDrawingButton(int button) { return button == 1 || button == 2; }

std::vector<ToolLook> LooksOf(const std::vector<std::unique_ptr<CanvasTool>>& tools) {
  std::vector<ToolLook> looks;
  for (const auto& tool : tools) looks.push_back(tool->Look());
  return looks;
}

}  // namespace

Canvas::Canvas(IconDocument& doc, Surface& pic_tools, StatusArea& status, Selection& selection,
               ColourCommands& colours, Platform& platform)
    : doc_(doc),
      status_(status),
      selection_(selection),
      colours_(colours),
      tools_(MakeTools(doc, selection, colours, platform)),
      palette_(
          pic_tools, LooksOf(tools_), doc.BackColor(), platform.SysColor(SysColour::kButtonShadow),
          platform.SysColor(SysColour::kButtonHighlight), [this](int tool) { SelectTool(tool); }) {}

std::vector<std::unique_ptr<CanvasTool>> Canvas::MakeTools(IconDocument& doc, Selection& selection,
                                                           ColourCommands& colours,
                                                           Platform& platform) {
  std::vector<std::unique_ptr<CanvasTool>> tools;
  const auto add = [&tools](std::unique_ptr<CanvasTool> tool) { tools.push_back(std::move(tool)); };
  // One line per tool, in palette order.
  add(std::make_unique<SelectionTool>(selection, platform));
  add(std::make_unique<PencilTool>(PencilTool::Kind::kPencil, doc));
  add(std::make_unique<PencilTool>(PencilTool::Kind::kEraser, doc));
  // After a pick the last drawing tool is current again.
  add(std::make_unique<PickerTool>(doc, colours, platform,
                                   [this] { ChooseTool(last_drawing_tool_); }));
  add(std::make_unique<FillTool>(doc));
  add(std::make_unique<ShapeTool>(Shape::kLine, doc, colours));
  add(std::make_unique<ShapeTool>(Shape::kHollowRectangle, doc, colours));
  add(std::make_unique<ShapeTool>(Shape::kSolidRectangle, doc, colours));
  add(std::make_unique<ShapeTool>(Shape::kFilledRectangle, doc, colours));
  add(std::make_unique<ShapeTool>(Shape::kHollowEllipse, doc, colours));
  add(std::make_unique<ShapeTool>(Shape::kSolidEllipse, doc, colours));
  add(std::make_unique<ShapeTool>(Shape::kFilledEllipse, doc, colours));
  return tools;
}

void Canvas::PicMain_MouseDown(int button, int shift, double x, double y) {
  if (!enabled_) return;
  // Another button pressed during a gesture is a chord: the gesture goes on with its own button
  // and press point, and its release ends it. (Ending it twice, or starting a second one over
  // it, would record steps twice and could capture a floating selection's rectangle over its
  // pixels.) A press of the gesture's own button means its release never reached us: it starts
  // afresh.
  if (gesture_button_ != 0 && button != gesture_button_) return;
  pointer_.press_x = WholePixel(x);
  pointer_.press_y = WholePixel(y);
  if (!IsDrawingButton(button)) return;
  gesture_button_ = button;
  pointer_.by_keys = pressing_by_keys_;
  doc_.SetDrawColor(colours_.CurrentColour(button - 1));
  if (Current().Press(pointer_, button, shift, x, y)) PicMain_MouseMove(button, shift, x, y);
}

void Canvas::PressFromKeyboard(int button, int shift, double x, double y) {
  pressing_by_keys_ = true;
  PicMain_MouseDown(button, shift, x, y);
  pressing_by_keys_ = false;
}

void Canvas::PicMain_MouseMove(int button, int shift, double x, double y) {
  if (!enabled_) return;
  pointer_.current_x = WholePixel(x);
  pointer_.current_y = WholePixel(y);
  if (const std::optional<MousePointer> shape = Current().Hover(pointer_))
    doc_.SetCanvasPointer(*shape);
  UpdateStatus(button);
  // Only a gesture that began with a press on the canvas drags.
  if (button == gesture_button_ && gesture_button_ != 0)
    Current().Drag(pointer_, button, shift, x, y);
}

void Canvas::PicMain_MouseUp(int button, int, double x, double y) {
  if (!enabled_ || !IsDrawingButton(button) || button != gesture_button_) return;
  gesture_button_ = 0;
  // The cells come from the last move; the release's own point only serves the range tests.
  pointer_.end_cell_x = pointer_.current_x / kCellSize;
  pointer_.end_cell_y = pointer_.current_y / kCellSize;
  pointer_.start_cell_x = pointer_.press_x / kCellSize;
  pointer_.start_cell_y = pointer_.press_y / kCellSize;
  EndGesture(Current().Release(pointer_, button, x, y));
}

void Canvas::FinishGesture() {
  if (gesture_button_ == 0) return;
  PicMain_MouseUp(gesture_button_, 0, pointer_.current_x, pointer_.current_y);
}

void Canvas::EndGesture(GestureEnd end) {
  if (end == GestureEnd::kFinished) return;
  status_.ClearSizeField();
  if (end == GestureEnd::kRecorded) doc_.RecordChange();
  if (end == GestureEnd::kRecordedUnchanged) doc_.RecordUnchanged();
}

// Called on every move over the canvas with the move's button state, before the tool drags.
void Canvas::UpdateStatus(int button) {
  status_.ShowPosition(std::clamp(pointer_.current_x / kCellSize, 0, kIconSize - 1),
                       std::clamp(pointer_.current_y / kCellSize, 0, kIconSize - 1));
  // The size belongs to a gesture: a button still held after its gesture ended (a command came
  // in between) shows none, since no release will come to clear it.
  if (button == 0 || gesture_button_ == 0) return;
  if (const std::optional<CellSize> size = Current().DragSize(pointer_))
    status_.ShowSize(size->width, size->height);
}

void Canvas::SelectTool(int tool) {
  // A gesture cannot go on with another tool than the one it started with: it ends first, as its
  // release would, so that what it drew so far is a step like any other.
  FinishGesture();
  selection_.Commit();
  if (tool < 1 || tool > palette_.ToolCount()) return;
  CanvasTool& chosen = *tools_[tool - 1];
  if (chosen.Look().picker_returns) last_drawing_tool_ = tool;
  current_tool_ = tool;
  chosen.Chosen();
  doc_.SetCanvasPointer(chosen.Look().pointer, std::string(chosen.Look().pointer_icon));
}

void Canvas::ChooseTool(int tool) {
  palette_.MoveFrameTo(tool);
  SelectTool(tool);
}

}  // namespace pelorin
