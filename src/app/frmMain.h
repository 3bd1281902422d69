// The main window: the composition root of the editor. It owns every drawing surface, the
// document state and the subsystem objects, and exposes the window's handlers under their own
// names (Form_Load, ...). The Qt view only forwards events to these handlers and shows the
// surfaces 1:1.
//
// Client area layout (562 x 348, below the menu bar):
//
//   PicMain 321 x 321 at (12, 15)     picIcon 32 x 32 at (350, 15)    PicTools 92 x 66 at (458, 15)
//                                     PicPal 208 x 208 at (346, 132)
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/Menu.h"
#include "canvas/ToolPalette.h"
#include "colour/ColourPalette.h"
#include "document/ModIcoEd.h"
#include "edit/History.h"
#include "platform/Platform.h"
#include "raster/Surface.h"
#include "recent/ModRecent.h"

namespace pelorin {

inline constexpr int kClientWidth = 562;
inline constexpr int kClientHeight = 348;
inline constexpr std::string_view kUntitled = "未命名";
inline constexpr std::string_view kHomePage = "https://tamsery.example.com/pelorin/";

enum class SaveMode { kSave, kSaveAs };

// A text written on the client area (the status readouts): the view draws it with the window's
// font and text colour, its top-left corner at (x, y).
struct FormText {
  int x = 0;
  int y = 0;
  std::string text;
};

// Where a shown surface stands in the client area.
struct Placement {
  Surface* surface;
  int left;
  int top;
};

class frmMain {
 public:
  frmMain(Platform& platform, WindowHost& host, std::string command_line);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // The load handler: builds the rasters and the empty canvas, sets the document state, places
  // the window and takes the command line.
  void Form_Load();
  // Repaints the decorations of the client area (frames, symbols, swatches) into Form.
  void Form_Paint();
  // The window's own mouse-up: commits any selection (there is none to commit yet).
  void Form_MouseUp(int button, int shift, double x, double y);
  // The closing sequence; sets `cancel` when the window must stay open.
  void Form_Unload(bool& cancel);

  // File commands.
  void MnuNew_Click();
  // The one open routine: with one of OpenFromDrop, OpenFromCommandLine, OpenFromRecent set it
  // opens PendingPath, otherwise it asks with the Open dialog.
  void MnuOpen_Click();
  void MnuSave_Click();
  void MnuSaveAs_Click();
  // A new document from an icon of another file, chosen in the icon browser.
  void MnuExtract_Click();
  void MnuExit_Click() { host_.Close(); }
  void MnuRecent_Click(int entry);
  // True when the caller may go on (nothing unsaved, saved, or discarded).
  bool QuerySave();
  void SaveDocument(SaveMode mode);
  // Files dropped on the window or one of its controls: the first one is opened.
  void OpenDroppedFile(const std::vector<std::string>& files);
  bool CanvasEnabled() const { return canvas_enabled_; }

  // Help.
  void MnuHelpOpts_Click(int index);

  // Shared view operations.
  void TilePics();
  void DrawGrid();
  void DisplayResults();
  void SetDrawColor(Colour colour);
  void ResetDocument();

  // The canvas. Buttons: 1 left, 2 right, 4 middle; on a move 0 or the sum of the held buttons.
  void PicMain_MouseDown(int button, int shift, double x, double y);
  void PicMain_MouseMove(int button, int shift, double x, double y);
  void PicMain_MouseUp(int button, int shift, double x, double y);

  // The tool palette.
  void PicTools_Paint() { tools_.PicTools_Paint(); }
  void PicTools_MouseDown(int button, int shift, double x, double y);
  void PicTools_MouseMove(int button, int shift, double x, double y);
  void PicTools_MouseUp(int button, int shift, double x, double y);
  const std::string& PicTools_ToolTipText() const { return tools_.ToolTipText(); }
  void SelectTool(int tool);
  void ReturnToLastTool();
  int CurrentTool() const { return current_tool_; }
  int LastDrawingTool() const { return last_drawing_tool_; }
  const ToolPalette& Tools() const { return tools_; }

  // The colour palette and the current colours.
  void PicPal_MouseUp(int button, int shift, double x, double y);
  void ChkPal_Click(bool ticked) { ChkPal = ticked; }
  void ResetCurrentColours();
  const ColourPalette& Palette() const { return palette_; }
  // Current colour 0 (left button) and 1 (right button).
  Colour CurrentColour(int index) const { return palette_.current[index]; }

  // Undo and redo.
  void RecordStep();
  void ClearRedo();
  void ClearHistory();
  void UndoStep();
  void RedoStep();
  const History& Steps() const { return history_; }

  // Menus. A menu's open handler works out its items' enabling; a click (or its shortcut) acts
  // only when the item is enabled at that moment.
  void MnuEdit_Click();
  void MnuEditOpts_Click(int index);
  void MnuColorOpts_Click(int index);
  // What the view calls for any menu: `menu` is the top-level control name, `item` the item's
  // control name and index.
  void MenuOpened(const std::string& menu);
  void MenuCommand(const std::string& menu, const std::string& item, int index);

  const std::string& Caption() const { return caption_; }
  // The window's background colour (the system's button face).
  Colour BackColor() const { return back_colour_; }
  const std::vector<MenuItem>& Menus() const { return menus_; }
  // The shown surfaces and their places, back to front.
  std::vector<Placement> ShownSurfaces();
  const ModIcoEd& Rasters() const { return rasters_; }
  // The status readouts on the client area (an empty text shows nothing).
  const FormText& PositionText() const { return position_text_; }
  const FormText& SizeText() const { return size_text_; }

  // The client area as the window paints it below its controls.
  Surface Form;
  // The check box "调整调色板": a palette click first redefines the cell.
  bool ChkPal = false;

  // Surfaces (see the layout above; the others are hidden).
  Surface PicImage;       // 32 x 32, black: the icon's colour image
  Surface PicMask;        // 32 x 32, white: the icon's mask (black = opaque)
  Surface PicMain;        // 321 x 321, white: the zoomed canvas with its grid
  Surface PicMainCopy;    // 320 x 320, white: the zoomed picture without the last grid pass
  Surface picIcon;        // 32 x 32, button face: the actual-size preview
  Surface PicSelImage;    // 32 x 32, black: colour image of the selection
  Surface PicSelMask;     // 32 x 32, white: mask of the selection
  Surface PicCol;         // 64 x 32, white: staging raster of the undo history
  Surface PicClip;        // 32 x 32, white: staging raster of pasted pictures
  Surface PicFloodWhite;  // 32 x 32, white: work raster of the flood fill
  Surface PicFloodGray;   // 32 x 32, button face: work raster of the flood fill
  Surface PicTools;       // 92 x 66, button face: the tool palette
  Surface PicPal;         // 208 x 208, white: the colour palette

  // Document state.
  std::string DocPath;
  std::string DocTitle;
  bool Modified = false;
  bool SaveSucceeded = false;
  bool MultiIcon = false;
  bool OpenFromDrop = false;
  bool OpenFromCommandLine = false;
  bool OpenFromRecent = false;
  std::string PendingPath;
  std::string PendingTitle;
  ScreenPointer SavedPointer = ScreenPointer::kDefault;

 private:
  void SetCaption(std::string caption);
  void PlaceWindow();
  static std::vector<MenuItem> BuildMenus();
  MenuItem* FindMenuItem(const std::string& name, int index);
  Colour SysColor(SysColour which) const { return platform_.SysColor(which); }

  void Pencil();
  void Eraser();
  void PickColour(int button, double x, double y);
  void UpdateStatus(int button);
  void ClearSizeField();
  void WriteStatus(FormText& field, Rect cleared, int a, int b);
  void RefillSwatches();
  void WriteIconFile(const std::string& path);
  void ReadMultiIcon();
  void AddRecentPath(const std::string& path);
  void SyncRecentMenu();
  void SetCanvasEnabled(bool enabled);
  void FreeRasters();

  Platform& platform_;
  WindowHost& host_;
  std::string command_line_;
  Colour back_colour_;
  std::string caption_ = std::string("Pelorin");
  ModIcoEd rasters_;
  std::vector<MenuItem> menus_;
  std::mt19937 random_;
  ToolPalette tools_;
  ColourPalette palette_;
  History history_;
  ModRecent recent_;
  bool canvas_enabled_ = true;

  // Tool state.
  int current_tool_ = 0;
  int last_drawing_tool_ = 0;
  // Pointer state on the canvas, in PicMain pixels.
  int press_x_ = 0;
  int press_y_ = 0;
  int current_x_ = 0;
  int current_y_ = 0;
  int start_cell_x_ = 0;
  int start_cell_y_ = 0;
  int end_cell_x_ = 0;
  int end_cell_y_ = 0;

  // The readouts' text origins on the client area.
  FormText position_text_{371, 64, {}};
  FormText size_text_{371, 86, {}};
};

}  // namespace pelorin
