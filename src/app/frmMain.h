// The main window: the composition root of the editor. It owns the icon document, the canvas and
// its tools, the colours, the history, the file commands and the menu table, wires them together
// and exposes the window's own handlers under their own names (Form_Load, ...). The Qt view only
// forwards events to these handlers and shows the surfaces 1:1.
//
// Client area layout (562 x 348, below the menu bar):
//
//   PicMain 321 x 321 at (12, 15)     picIcon 32 x 32 at (350, 15)    PicTools 92 x 66 at (458, 15)
//                                     PicPal 208 x 208 at (346, 132)
//
// The tool palette is 22 pixels high for each row of four tools: a fourth row (up to sixteen
// tools) still ends above the colour palette's frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/Menu.h"
#include "base/Geometry.h"
#include "canvas/Canvas.h"
#include "canvas/CanvasKeyboard.h"
#include "canvas/StatusArea.h"
#include "colour/ColourCommands.h"
#include "colour/PaletteKeyboard.h"
#include "commands/ClipboardCommands.h"
#include "commands/ExtractCommand.h"
#include "commands/FileCommands.h"
#include "commands/ImageCommands.h"
#include "commands/PictureChanges.h"
#include "commands/RecolourCommands.h"
#include "commands/UndoHistory.h"
#include "document/IconDocument.h"
#include "document/Selection.h"
#include "platform/Platform.h"
#include "platform/ShownSurface.h"
#include "raster/Surface.h"
#include "recent/ModRecent.h"

namespace pelorin {

inline constexpr int kClientWidth = 562;
inline constexpr int kClientHeight = 348;
inline constexpr std::string_view kHomePage = "https://tamsery.example.com/pelorin/";

class frmMain : private DocumentWindow {
 public:
  frmMain(Platform& platform, WindowHost& host, std::vector<std::string> arguments);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // The load handler: builds the rasters and the empty canvas, sets the document state, places
  // the window and takes the command line.
  void Form_Load();
  // Redraws the decorations of the client area (frames, symbols, swatches) into Form.
  void Form_Paint();
  // The window's own mouse-up: commits any selection.
  void Form_MouseUp(int button, int shift, double x, double y);
  // The closing sequence; sets `cancel` when the window must stay open.
  void Form_Unload(bool& cancel);
  // Turns the window into an empty, untitled document.
  void ResetDocument() override;
  // As ResetDocument, for a picture about to be taken: no step, the caption as it was.
  void ClearDocument() override;

  // The canvas (forwarded to the current tool).
  void PicMain_MouseDown(int button, int shift, double x, double y) {
    canvas_.PicMain_MouseDown(button, shift, x, y);
  }
  void PicMain_MouseMove(int button, int shift, double x, double y) {
    canvas_.PicMain_MouseMove(button, shift, x, y);
  }
  void PicMain_MouseUp(int button, int shift, double x, double y) {
    canvas_.PicMain_MouseUp(button, shift, x, y);
  }

  // The colour palette and its check box.
  void PicPal_MouseUp(int button, int shift, double x, double y) {
    colours_.PicPal_MouseUp(button, shift, x, y);
  }
  void ChkPal_Click(bool ticked) { colours_.ChkPal_Click(ticked); }
  // Files dropped on the window or one of its controls: the first one is pasted when it is a
  // picture of another program (PNG, BMP, ...), else opened.
  void OpenDroppedFile(const std::vector<std::string>& files);

  // Menus: `menu` is the top-level control name, `item` the item's control name and index.
  // Opening a menu works out its items' state; a click (or its shortcut) acts only when the item
  // is enabled at that moment. Both first end a gesture under way on the canvas, as its release
  // would; a command that arrives while another one runs is ignored.
  void MenuOpened(const std::string& menu);
  void MenuCommand(const std::string& menu, const std::string& item, int index);
  const std::vector<MenuItem>& Menus() const { return menus_; }

  // What the view shows.
  const std::string& Caption() const { return caption_; }
  // The window's background colour (the system's button face).
  Colour BackColor() const { return doc_.BackColor(); }
  // The shown surfaces, their places and their handlers, back to front.
  std::vector<ShownSurface> ShownSurfaces();
  // The parts of the client area a screen reader reads besides the surfaces.
  std::vector<SpokenArea> SpokenAreas() const;

  // The subsystems, for the view and for tests.
  IconDocument& doc() { return doc_; }
  const IconDocument& doc() const { return doc_; }
  Canvas& canvas() { return canvas_; }
  const Canvas& canvas() const { return canvas_; }
  ColourCommands& colours() { return colours_; }
  const ColourCommands& colours() const { return colours_; }
  UndoHistory& undo() { return undo_; }
  const UndoHistory& undo() const { return undo_; }
  FileCommands& files() { return files_; }
  Selection& selection() { return selection_; }
  PictureChanges& changes() { return changes_; }
  const StatusArea& status() const { return status_; }
  // The keyboard's cursors on the canvas, the tool palette and the colour palette.
  CanvasKeyboard& canvas_keys() { return canvas_keys_; }
  ToolKeyboard& tool_keys() { return tool_keys_; }
  PaletteKeyboard& palette_keys() { return palette_keys_; }

  // The client area as the window paints it below its controls, and the two shown surfaces that
  // are not part of the document.
  Surface Form;
  Surface PicTools;  // 92 x 66 for twelve tools, button face: the tool palette
  Surface PicPal;    // 208 x 208, white: the colour palette

 private:
  // DocumentWindow
  void CommitSelection() override { selection_.Commit(); }
  void SetCaption(std::string caption) override;
  void SetCanvasEnabled(bool enabled) override;
  void RecentListChanged() override;

  std::vector<MenuItem> BuildMenus();
  void MnuHelpAbout();
  void PlaceWindow();
  // Works out every menu rule and tells the view that the controls' state changed.
  void ControlsChanged();

  Platform& platform_;
  WindowHost& host_;
  std::vector<std::string> arguments_;  // the command line, less the toolkit's own options
  std::string caption_ = std::string("Pelorin");
  IconDocument doc_;
  StatusArea status_;
  UndoHistory undo_;
  Selection selection_;
  PictureChanges changes_;
  ColourCommands colours_;
  Canvas canvas_;
  CanvasKeyboard canvas_keys_;
  ToolKeyboard tool_keys_;
  PaletteKeyboard palette_keys_;
  ModRecent recent_;
  FileCommands files_;
  ExtractCommand extract_;
  ClipboardCommands clipboard_;
  ImageCommands image_;
  RecolourCommands recolour_;
  std::vector<MenuItem> menus_;
  bool running_command_ = false;
};

}  // namespace pelorin
