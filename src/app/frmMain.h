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
#include "document/ModIcoEd.h"
#include "platform/Platform.h"
#include "raster/Surface.h"

namespace pelorin {

inline constexpr int kClientWidth = 562;
inline constexpr int kClientHeight = 348;
inline constexpr std::string_view kUntitled = "未命名";

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

  // Shared view operations.
  void TilePics();
  void DrawGrid();
  void DisplayResults();
  void SetDrawColor(Colour colour);
  void ResetDocument();

  const std::string& Caption() const { return caption_; }
  // The window's background colour (the system's button face).
  Colour BackColor() const { return back_colour_; }
  const std::vector<MenuItem>& Menus() const { return menus_; }
  // The shown surfaces and their places, back to front.
  std::vector<Placement> ShownSurfaces();
  const ModIcoEd& Rasters() const { return rasters_; }

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
  std::int16_t SavedPointer = 0;

 private:
  void SetCaption(std::string caption);
  void PlaceWindow();
  static std::vector<MenuItem> BuildMenus();

  Platform& platform_;
  WindowHost& host_;
  std::string command_line_;
  Colour back_colour_;
  std::string caption_ = std::string("Pelorin");
  ModIcoEd rasters_;
  std::vector<MenuItem> menus_;
  std::mt19937 random_;
};

}  // namespace pelorin
