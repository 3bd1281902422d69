// The tool palette: the surface PicTools at the right of the main window, a grid of tool buttons
// that the program draws itself (no button controls), one for each tool the canvas registers,
// each showing the glyph and the caption of that tool's look.
//
// Geometry. 4 columns of cells, each 23 pixels wide and 22 high, in as many rows as the tools
// fill: 92 x 66 for the twelve tools. Tool n lies in column (n - 1) mod 4 and row (n - 1) div 4;
// its cell's top-left corner is (23c, 22r). A palette pixel (x, y) lies in column x div 23 and
// row y div 22.
//
// Frames. The cell of the current tool (the selected cell) carries a one-pixel sunken frame:
// top row and left column in the button shadow, bottom row and right column in the highlight.
// Removing a frame paints exactly those pixels in the main window's background colour.
//
// A click is a press and a release on the same cell, with any button: it frames that cell and
// calls select_tool. While the left button alone is held, the pressed cell shows its frame when
// the pointer is over it and loses it when the pointer leaves (the selected cell keeps its frame).
//
// Pointer coordinates arrive as the view delivers them (possibly fractional). Comparisons with
// the palette's bounds and the pressed cell's bounds use them as they are; cell numbers use the
// nearest whole pixel (ties to even), divided with truncation toward zero.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/CanvasTool.h"
#include "raster/Raster.h"
#include "raster/Surface.h"

namespace pelorin {

// The places of the tools in the palette, in the order the canvas registers them (Canvas.cpp);
// commands choose tools by these numbers.
inline constexpr int kToolSelect = 1;
inline constexpr int kToolPencil = 2;
inline constexpr int kToolEraser = 3;
inline constexpr int kToolPicker = 4;
inline constexpr int kToolFill = 5;
inline constexpr int kToolLine = 6;
inline constexpr int kToolHollowRectangle = 7;
inline constexpr int kToolSolidRectangle = 8;
inline constexpr int kToolFilledRectangle = 9;
inline constexpr int kToolHollowEllipse = 10;
inline constexpr int kToolSolidEllipse = 11;
inline constexpr int kToolFilledEllipse = 12;

// Top-left corner of tool n's cell; (23c, 22r), for n from 1.
int ToolCellLeft(int tool);
int ToolCellTop(int tool);

class ToolPalette {
 public:
  static constexpr int kCellWidth = 23;
  static constexpr int kCellHeight = 22;
  static constexpr int kColumns = 4;
  static constexpr int kWidth = kColumns * kCellWidth;     // 92
  static constexpr Rect kNoPressedCell = {-2, 0, -1, -1};  // empty
  // The height of a palette of `tools` tools: 66 for twelve.
  static constexpr int Height(int tools) {
    return kCellHeight * ((tools + kColumns - 1) / kColumns);
  }

  // pic_tools: the surface the palette is painted on, sized here to the grid of `tools`; its
  // BackColor is the button face. tools: the looks of the tools, tool 1 first.
  // window_back: the main window's background colour, used to remove a frame.
  // shadow, highlight: the system's button shadow and highlight colours for the sunken frame.
  // select_tool: makes a tool current; called with the tool number on every completed click.
  ToolPalette(Surface& pic_tools, std::vector<ToolLook> tools, Colour window_back, Colour shadow,
              Colour highlight, std::function<void(int)> select_tool);
  ToolPalette(const ToolPalette&) = delete;
  ToolPalette& operator=(const ToolPalette&) = delete;

  int ToolCount() const { return static_cast<int>(tools_.size()); }
  // Tool n's caption (its tooltip); empty for numbers that are no tool.
  std::string_view Caption(int tool) const;
  // The tools' glyph pictures, tool 1 first: the glyph strip is assembled from them.
  std::vector<std::string_view> Glyphs() const;
  // The glyph strip (16 x 16 per glyph side by side, tool 1 first; mask rows over image rows)
  // the paint draws from. Not owned; it must outlive its use here. nullptr: the paint draws no
  // glyphs.
  void SetGlyphs(const Raster* strip) { glyphs_ = strip; }

  // Clears the surface to its BackColor, draws the tools' glyphs and frames the selected cell.
  void PicTools_Paint();
  // button: 0 none, 1 left, 2 right, 4 middle, sums for chords. shift is not used.
  void PicTools_MouseDown(int button, int shift, double x, double y);
  void PicTools_MouseMove(int button, int shift, double x, double y);
  void PicTools_MouseUp(int button, int shift, double x, double y);
  // The tooltip over PicTools: the caption of the tool last hovered with no button held.
  const std::string& ToolTipText() const { return tooltip_; }

  // For callers that change the tool without a click (start-up, New, paste, select all): removes
  // the selected cell's frame, makes tool n's cell the selected cell and frames it. It does not
  // call select_tool; the caller calls SelectTool next. Does nothing for numbers that are no tool.
  void MoveFrameTo(int tool);
  // Clicks tool's cell as the user would (left press, then left release, at its top-left corner),
  // so the frame moves and select_tool is called. Does nothing for tool 1, never a drawing tool
  // to return to, and for numbers that are no tool.
  void ReturnToLastTool(int tool);

  // State, for the window and for tests.
  Rect SelectedCell() const { return CellRect(selected_left_, selected_top_); }
  // kNoPressedCell while no press is outstanding, and during a press on the selected cell.
  Rect PressedCell() const { return pressed_rect_; }
  int PressedTool() const { return pressed_tool_; }
  bool PressedOnSelected() const { return pressed_on_selected_; }

 private:
  static Rect CellRect(int left, int top) {
    return {left, top, left + kCellWidth, top + kCellHeight};
  }
  void DrawFrame(Rect cell);
  void RemoveFrame(int left, int top);
  // Removes the pressed cell's frame unless the press landed on the selected cell.
  void RemovePressedFrame();
  bool IsTool(int tool) const { return tool >= 1 && tool <= ToolCount(); }
  // The tool whose cell holds (x, y), when one does.
  std::optional<int> ToolAt(double x, double y) const;

  Surface& pic_tools_;
  std::vector<ToolLook> tools_;
  Colour window_back_;
  Colour shadow_;
  Colour highlight_;
  std::function<void(int)> select_tool_;
  const Raster* glyphs_ = nullptr;
  std::string tooltip_;

  int selected_left_ = kCellWidth;  // the pencil's cell
  int selected_top_ = 0;
  bool pressed_ = false;  // a press on a cell has not been released yet
  int pressed_left_ = 0;
  int pressed_top_ = 0;
  Rect pressed_rect_ = kNoPressedCell;
  int pressed_tool_ = 0;
  bool pressed_on_selected_ = false;
};

}  // namespace pelorin
