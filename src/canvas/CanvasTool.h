// One tool of the canvas. The canvas (Canvas) turns the pointer events on PicMain into calls of
// the current tool: it keeps the pointer state, sets the drawing colour of the pressed button
// before a press reaches the tool, shows the position readout on every move and ends every
// gesture the way the tool's release asks for.
//
// A tool describes itself (ToolLook): the palette's cell, its tooltip and the canvas's pointer
// come from there. A new tool is its own files (the class, its glyph picture, a pointer picture
// when it has one of its own) and one line in Canvas::MakeTools.
//
// Only the left and right buttons (1 and 2) draw; the canvas filters the others out.
#pragma once

#include <optional>
#include <string_view>

#include "raster/Surface.h"

namespace pelorin {

// The pointer on the canvas, in PicMain pixels. The press point is set by a press, the current
// point by every move (tools may snap both in place); the cells by a release: end cell = current
// point div 10, start cell = press point div 10.
struct CanvasPointer {
  int press_x = 0;
  int press_y = 0;
  int current_x = 0;
  int current_y = 0;
  int start_cell_x = 0;
  int start_cell_y = 0;
  int end_cell_x = 0;
  int end_cell_y = 0;
  // The gesture came from the keyboard (CanvasKeyboard): its points are cells' centres, and a
  // marquee takes in whole cells, from the pressed one to the current one.
  bool by_keys = false;
};

// A size in icon pixels, for the size readout.
struct CellSize {
  int width = 0;
  int height = 0;
};

// How a gesture ends once its tool has handled the release.
enum class GestureEnd {
  // The tool has ended the gesture itself; nothing more happens.
  kFinished,
  // The size field is cleared; no step is recorded. (A moved selection is recorded when it is
  // committed.)
  kUnrecorded,
  // As kUnrecorded, and the picture is recorded as one undo step: the whole stroke or shape is
  // one change.
  kRecorded,
  // As kRecorded for a gesture that changed nothing (a fill released off the canvas): the step
  // is recorded, the redo history stays.
  kRecordedUnchanged,
};

// What a tool is to the user: the palette, its captions and the canvas's pointer are built from
// the looks of the tools the canvas registers.
struct ToolLook {
  // The caption: the tooltip over the tool's cell of the palette.
  std::string_view caption = {};
  // The glyph on the tool's cell: a picture resource of 16 x 16, its mask in rows 0..15 over its
  // image in rows 16..31.
  std::string_view glyph = {};
  // How many pixels left of the usual place the glyph sits in its cell.
  int glyph_nudge = 0;
  // The pointer shown over the canvas while the tool is current: a standard one, or a custom one
  // named by its picture resource.
  MousePointer pointer = MousePointer::kDefault;
  std::string_view pointer_icon = {};
  // Whether the colour picker returns to the tool after a pick (the drawing tools do; the
  // selection and the picker itself do not).
  bool picker_returns = true;
};

class CanvasTool {
 public:
  explicit CanvasTool(const ToolLook& look) : look_(look) {}
  virtual ~CanvasTool() = default;

  const ToolLook& Look() const { return look_; }
  // The tool becomes current; the canvas then shows the pointer of its look.
  virtual void Chosen() {}

  // A press with button 1 or 2; pointer.press_* holds the press point. Returns true when the
  // press also counts as a move at the same point (the canvas then runs its move handler once).
  virtual bool Press(CanvasPointer& /*pointer*/, int /*button*/, int /*shift*/, double /*x*/,
                     double /*y*/) {
    return false;
  }
  // Every move over the canvas, with or without a button, before the readouts; returns the
  // (standard) pointer to show from now on, when it changes.
  virtual std::optional<MousePointer> Hover(const CanvasPointer& /*pointer*/) {
    return std::nullopt;
  }
  // The size readout while a button is held; nullopt shows none.
  virtual std::optional<CellSize> DragSize(const CanvasPointer& /*pointer*/) const {
    return std::nullopt;
  }
  // A move with button 1 or 2 held, after the readouts; pointer.current_* holds the point.
  virtual void Drag(CanvasPointer& /*pointer*/, int /*button*/, int /*shift*/, double /*x*/,
                    double /*y*/) {}
  // A release with button 1 or 2, the pointer's cells set; (x, y) is the release's own point.
  virtual GestureEnd Release(CanvasPointer& pointer, int button, double x, double y) = 0;

 private:
  ToolLook look_;
};

}  // namespace pelorin
