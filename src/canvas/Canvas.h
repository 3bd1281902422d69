// The zoomed canvas PicMain and the choice of tool: pointer events on the canvas go to the
// current tool (one CanvasTool per tool number, registered in MakeTools with one line each), the
// tool palette on PicTools, built from the tools' looks, chooses it.
//
// A gesture runs from a press with button 1 or 2 to the next release. The press fixes the press
// point and the drawing colour (current colour [button - 1]); every move, with or without a
// button, updates the current point and the position readout; the release sets the cells and
// ends the gesture as the tool says (GestureEnd).
#pragma once

#include <memory>
#include <vector>

#include "canvas/CanvasTool.h"
#include "canvas/StatusArea.h"
#include "canvas/ToolPalette.h"
#include "colour/ColourCommands.h"
#include "document/IconDocument.h"
#include "document/Selection.h"
#include "platform/Platform.h"

namespace pelorin {

class Canvas {
 public:
  // pic_tools: the tool palette's surface. window_back: the main window's background colour.
  Canvas(IconDocument& doc, Surface& pic_tools, StatusArea& status, Selection& selection,
         ColourCommands& colours, Platform& platform);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Buttons: 1 left, 2 right, 4 middle; on a move 0 or the sum of the held buttons. Positions in
  // PicMain pixels, possibly fractional (rounded to the nearest pixel, ties to even).
  void PicMain_MouseDown(int button, int shift, double x, double y);
  void PicMain_MouseMove(int button, int shift, double x, double y);
  void PicMain_MouseUp(int button, int shift, double x, double y);
  // A press of the keyboard's Space (CanvasKeyboard): PicMain_MouseDown, the gesture marked as the
  // keyboard's (CanvasPointer::by_keys).
  void PressFromKeyboard(int button, int shift, double x, double y);
  // The pointer state, as the last press and move left it.
  const CanvasPointer& Pointer() const { return pointer_; }

  // Commits any selection, then makes `tool` current (and the last drawing tool unless it is the
  // selection or the picker) and shows its pointer.
  void SelectTool(int tool);
  // The palette's frame moves to `tool`'s cell, then SelectTool: a tool chosen by a command
  // rather than by a click on the palette.
  void ChooseTool(int tool);
  // Whether a press on the canvas started a gesture whose release has not come yet.
  bool GestureUnderWay() const { return gesture_button_ != 0; }
  // Ends the gesture under way as its release at the pointer's last point would (a menu command
  // or a key arrives while the button is held: the gesture is over before the command acts). Its
  // own release, when it comes, is then ignored.
  void FinishGesture();
  int CurrentTool() const { return current_tool_; }
  int LastDrawingTool() const { return last_drawing_tool_; }
  // Tool n (1 to the palette's ToolCount()).
  const CanvasTool& Tool(int tool) const { return *tools_[tool - 1]; }

  ToolPalette& Tools() { return palette_; }
  const ToolPalette& Tools() const { return palette_; }

  // While a file opens the canvas takes no pointer events; a gesture under way is given up (its
  // release will not reach the canvas).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled) gesture_button_ = 0;
  }

 private:
  // The tools in palette order: tool n is the n-th.
  std::vector<std::unique_ptr<CanvasTool>> MakeTools(IconDocument& doc, Selection& selection,
                                                     ColourCommands& colours, Platform& platform);
  CanvasTool& Current() { return *tools_[current_tool_ - 1]; }
  void UpdateStatus(int button);
  void EndGesture(GestureEnd end);

  IconDocument& doc_;
  StatusArea& status_;
  Selection& selection_;
  ColourCommands& colours_;
  // Tool n at index n - 1.
  std::vector<std::unique_ptr<CanvasTool>> tools_;
  ToolPalette palette_;
  int current_tool_ = kToolPencil;
  int last_drawing_tool_ = kToolPencil;
  CanvasPointer pointer_;
  // The button of the gesture under way (1 or 2), 0 between gestures.
  int gesture_button_ = 0;
  bool enabled_ = true;
  // Set while PressFromKeyboard presses.
  bool pressing_by_keys_ = false;
};

}  // namespace pelorin
