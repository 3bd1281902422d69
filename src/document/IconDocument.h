// The icon being edited and every view of it.
//
// The icon is the pair of hidden 32 x 32 surfaces PicImage (colour) and PicMask (black = opaque,
// white = transparent). The zoomed canvas PicMain, its backing copy PicMainCopy and the preview
// picIcon are derived from them; the work surfaces of the selection, the history, pasting and the
// flood fill live here too. The document variables say which file the icon came from and whether
// it changed since.
//
// Nothing here knows the window: the caption, the tools and the history belong to their own
// objects, which take this document by reference.
#pragma once

#include <string>

#include "base/Geometry.h"
#include "document/ModIcoEd.h"
#include "platform/Platform.h"
#include "raster/Surface.h"

namespace pelorin {

// The document's name while it has no file.
inline constexpr std::string_view kUntitled = "未命名";

class IconDocument {
 public:
  // button_face: the system's button-face colour, the background of the preview, of the window
  // and of PicFloodGray.
  explicit IconDocument(Colour button_face);
  IconDocument(const IconDocument&) = delete;
  IconDocument& operator=(const IconDocument&) = delete;

  // Surfaces. PicMain and picIcon are shown; the others are hidden.
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

  // The main window's background colour (the button face): what the preview shows where the
  // icon is transparent.
  Colour BackColor() const { return back_colour_; }

  // The off-screen rasters (grid, hatch, empty canvas, tool glyphs), made when the window loads
  // and freed when it unloads.
  ModIcoEd& Rasters() { return rasters_; }
  const ModIcoEd& Rasters() const { return rasters_; }
  // Builds the grid, the hatch and the empty canvas, and shows the empty canvas.
  void MakeRasters();
  void FreeRasters();

  // The empty canvas onto PicMain and PicMainCopy.
  void TilePics();
  // The grid ANDed over PicMain.
  void DrawGrid();
  // The icon laid over the views as they stand: stretched onto PicMainCopy, which is copied onto
  // PicMain under the grid, and onto the cleared preview.
  void ComposeViews();
  // The canvas rebuilt from the icon over PicMainCopy as it stands (transparent pixels keep what
  // the copy shows), copied onto PicMain, grid drawn.
  void ComposeCanvas();
  // The preview cleared and the icon laid over it at actual size.
  void ComposePreview();
  // Every view redrawn from PicImage and PicMask; the document is then modified.
  void DisplayResults();
  // The pen and brush colour of the drawing surfaces.
  void SetDrawColor(Colour colour);
  // The icon made fully transparent and the canvas emptied (the document variables stay).
  void ClearPicture();

 private:
  Colour back_colour_;
  ModIcoEd rasters_;
};

// The file name part of a path: the text after its last '/' (the whole path without one).
std::string FileNamePart(const std::string& path);

}  // namespace pelorin
