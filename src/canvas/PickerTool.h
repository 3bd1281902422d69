// The colour picker (tool 4): on release over a cell, the cell's colour becomes the button's
// current colour (a transparent cell only beeps); then the previous drawing tool comes back.
#pragma once

#include <functional>
#include <utility>

#include "canvas/CanvasTool.h"
#include "colour/ColourCommands.h"
#include "document/IconDocument.h"
#include "platform/Platform.h"

namespace pelorin {

class PickerTool : public CanvasTool {
 public:
  // back_to_last_tool: makes the last drawing tool current again, as a click on it would.
  PickerTool(IconDocument& doc, ColourCommands& colours, Platform& platform,
             std::function<void()> back_to_last_tool)
      : CanvasTool({.caption = "取色",
                    .glyph = "tool-picker.txt",
                    .glyph_nudge = 1,
                    .pointer = MousePointer::kCustom,
                    .pointer_icon = "cursor-pipette.txt",
                    .picker_returns = false}),
        doc_(doc),
        colours_(colours),
        platform_(platform),
        back_to_last_tool_(std::move(back_to_last_tool)) {}

  GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) override;

 private:
  IconDocument& doc_;
  ColourCommands& colours_;
  Platform& platform_;
  std::function<void()> back_to_last_tool_;
};

}  // namespace pelorin
