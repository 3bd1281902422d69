// The icon being edited and every view of it.
//
// The icon is the pair of 32 x 32 surfaces PicImage (colour) and PicMask (black = opaque, white =
// transparent). The zoomed canvas PicMain, its backing copy PicMainCopy and the preview picIcon
// show it. The document owns all five: everything that changes the icon goes through one of the
// operations below, each of which keeps the views true (the canvas and its copy show the icon,
// the preview shows it at actual size, and only the changed part is refreshed), and marks the
// document modified. Outside the document the surfaces are read only.
//
// Besides the icon the canvas shows the live selection (Selection, which belongs to the document
// and draws through the operations on a floating picture below) and the figures drawn by inverting
// canvas pixels (a shape's rubber band, the selection's marquee). The document knows which figures
// are on the canvas: every redraw of the canvas wipes them, so hiding a figure that a redraw wiped
// draws nothing.
//
// A finished change is recorded in the undo history with one call, RecordChange.
#pragma once

#include <array>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "document/ModIcoEd.h"
#include "raster/Surface.h"

namespace pelorin {

// The document's name while it has no file.
inline constexpr std::string_view kUntitled = "未命名";

// Where the document records its finished changes: the undo history.
class ChangeRecorder {
 public:
  virtual ~ChangeRecorder() = default;
  // The redo history ends, and the picture as it is now becomes the newest step.
  virtual void RecordChange() = 0;
  // The picture as it is now becomes the newest step; the redo history stays.
  virtual void RecordStep() = 0;
};

// The figures drawn over the canvas by inverting its pixels.
enum class Figure {
  kBand,     // a shape tool's rubber band
  kMarquee,  // the selection's dotted outline
};

class IconDocument {
 public:
  // button_face: the system's button-face colour, the background of the preview.
  explicit IconDocument(Colour button_face);
  IconDocument(const IconDocument&) = delete;
  IconDocument& operator=(const IconDocument&) = delete;

  // The surfaces, for reading and showing.
  const Surface& PicImage() const { return pic_image_; }         // 32 x 32: the colour image
  const Surface& PicMask() const { return pic_mask_; }           // 32 x 32: black = opaque
  const Surface& PicMain() const { return pic_main_; }           // 321 x 321: canvas and grid
  const Surface& PicMainCopy() const { return pic_main_copy_; }  // 320 x 320: canvas, no grid
  const Surface& picIcon() const { return pic_icon_; }           // 32 x 32: the preview

  // The main window's background colour (the button face): what the preview shows where the
  // icon is transparent.
  Colour BackColor() const { return back_colour_; }

  // The file the icon came from, its name part, and whether that file holds several images.
  const std::string& DocPath() const { return doc_path_; }
  const std::string& DocTitle() const { return doc_title_; }
  bool MultiIcon() const { return multi_icon_; }
  void SetFile(std::string path, std::string title, bool multi_icon);
  // Whether the icon changed since it was opened or saved; every change below sets it.
  bool Modified() const { return modified_; }
  // The changes are saved, or the user chose to lose them.
  void MarkUnmodified() { modified_ = false; }

  // The off-screen rasters (grid, hatch, empty canvas, tool glyphs and status symbols), made when
  // the window loads
  // and freed when it unloads.
  const ModIcoEd& Rasters() const { return rasters_; }
  // Builds the grid, the hatch and the empty canvas, and shows the empty canvas; then the tool
  // glyph strip from the tools' glyph pictures, in palette order, and the status symbols.
  void MakeRasters(std::span<const std::string_view> tool_glyphs);
  void FreeRasters();

  // The pointer shown over the canvas.
  void SetCanvasPointer(MousePointer pointer, std::string icon = {});
  // The colour the pressed button draws with; the pen and brush of the icon's surfaces.
  void SetDrawColor(Colour colour);
  Colour DrawColor() const { return draw_colour_; }

  // Where RecordChange records.
  void RecordChangesIn(ChangeRecorder& recorder) { recorder_ = &recorder; }
  // A finished change becomes one undo step (the redo history ends); the document is modified.
  void RecordChange();
  // A gesture that changed nothing still becomes a step (a fill released off the canvas): the
  // redo history stays. The document counts as modified.
  void RecordUnchanged();

  // --- Changes of the icon. Each keeps every view true and marks the document modified.

  // Cell (i, j) of the canvas painted in `colour` (its grid lines stay), the icon pixel opaque.
  void PaintCell(int i, int j, Colour colour);
  // Cell (i, j) made transparent: the hatch in the cell, the background on the preview.
  void EraseCell(int i, int j);
  // Draws on the icon's surfaces at actual size (pen and brush as SetDrawColor left them);
  // then the preview and the canvas are composed again from the icon.
  void DrawOnIcon(const std::function<void(Surface& mask, Surface& image)>& draw);
  // Rewrites the whole picture, then redraws every view from it (DisplayResults).
  void ChangePicture(const std::function<void(Raster& mask, Raster& image)>& change);
  // Every view redrawn from the icon.
  void DisplayResults();

  // --- A new picture: these leave the document unmodified.

  // The icon made fully transparent and the canvas emptied.
  void ClearPicture();
  // `mask` and `image` (32 x 32) become the icon, drawn into every view.
  void LoadPicture(const Raster& mask, const Raster& image);

  // --- A picture floating over the icon: the selection's pixels, held apart from the icon while
  // they move. `area` is in icon pixels (on the canvas ten times that); it may reach beyond the
  // icon, and what lies outside is cut off. Each marks the document modified but MergeFloating,
  // whose change is recorded by its caller.

  // The icon's pixels in `area` lifted out: transparent in the icon and the canvas copy, the
  // background on the preview. The canvas still shows them (they float there now).
  void LiftArea(Rect area);
  // The canvas and the preview show the icon with `mask` and `image` laid over it in `area`
  // (stretched when that is not their size), without figures.
  void ShowFloating(Rect area, const Raster& mask, const Raster& image);
  // `mask` and `image` laid into the icon in `area` (AND with the mask, XOR with the image) and
  // over the canvas copy; the canvas shows them already.
  void MergeFloating(Rect area, const Raster& mask, const Raster& image);
  // The views show the icon alone, without figures: a floating picture dropped.
  void ShowIconAlone();
  // The icon's pixels in `area` replaced by `mask` and `image`, or made transparent; then
  // ShowIconAlone.
  void ReplaceArea(Rect area, const Raster& mask, const Raster& image);
  void ClearArea(Rect area);

  // --- Figures on the canvas.

  // Draws `figure` with `invert`, which inverts its pixels on the canvas, after removing it where
  // it was shown; `touched` are the rectangles to repaint. Drawn again with the same function it
  // would disappear, which is how HideFigure removes it.
  void ShowFigure(Figure figure, std::function<void(Raster& canvas)> invert,
                  std::initializer_list<Rect> touched);
  // Removes `figure` when it is on the canvas.
  void HideFigure(Figure figure);

 private:
  struct LiveFigure {
    bool shown = false;
    std::function<void(Raster&)> invert;
    std::vector<Rect> touched;
  };
  static std::size_t Index(Figure f) { return static_cast<std::size_t>(f); }

  // The canvas redraws: each wipes the figures.
  // The empty canvas onto PicMain and PicMainCopy.
  void TilePics();
  // The grid ANDed over PicMain.
  void DrawGrid();
  // PicMain := PicMainCopy (320 x 320), without the grid pass.
  void ShowCanvasCopy();
  void CanvasWiped();
  // PicMainCopy rebuilt from scratch: the empty canvas with the icon laid over it.
  void RebuildCanvasCopy();
  // The canvas rebuilt from the icon over PicMainCopy as it stands (transparent pixels keep what
  // the copy shows), copied onto PicMain, grid drawn.
  void ComposeCanvas();
  // The preview cleared and the icon laid over it at actual size.
  void ComposePreview();
  // ComposeCanvas and ComposePreview.
  void ComposeViews();
  // Cell (i, j) and its preview pixel were drawn: they are repainted, the document is modified.
  void CellChanged(int i, int j);

  Surface pic_image_;
  Surface pic_mask_;
  Surface pic_main_;
  Surface pic_main_copy_;
  Surface pic_icon_;
  Colour back_colour_;
  Colour draw_colour_ = kBlack;
  ModIcoEd rasters_;
  std::string doc_path_ = std::string(kUntitled);
  std::string doc_title_;
  bool multi_icon_ = false;
  bool modified_ = false;
  ChangeRecorder* recorder_ = nullptr;
  std::array<LiveFigure, 2> figures_;
};

// The file name part of a path: the text after its last '/' (the whole path without one).
std::string FileNamePart(const std::string& path);

}  // namespace pelorin
