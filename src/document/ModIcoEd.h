// The off-screen rasters the views are composed from, and the shared operations that compose
// them. Made when the main window loads, freed when it unloads.
//
//   empty-canvas picture (321 x 321): black, the hatch cell in every cell interior
//   grid picture         (321 x 321): white, black lines at 0, 10, ..., 320 both ways
//   hatch cell           (9 x 9):     the picture of a transparent cell
//   tool glyph strip     (16n x 32):  the glyphs of the n tools, 16 x 16 each side by side (mask
//                                     rows 0-15 over image rows 16-31), assembled from the tools'
//                                     own glyph pictures; 192 x 32 for the twelve tools
//   status symbols       (32 x 32):   the status area's size and position symbols, likewise
//
// Every view is produced by whole-raster transfers: the empty canvas is one copy, the grid one
// AND, the icon two stretched transfers (mask AND, image XOR).
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "base/Geometry.h"
#include "raster/Raster.h"
#include "raster/Surface.h"

namespace pelorin {

// Canvas geometry: icon pixel (x, y) owns canvas pixels 10x .. 10x + 9; grid lines at multiples
// of 10 up to 320.
inline constexpr int kCellSize = 10;
inline constexpr int kCanvasSize = kIconSize * kCellSize + 1;  // 321
inline constexpr int kCanvasCopySize = kIconSize * kCellSize;  // 320

class ModIcoEd {
 public:
  // Draws the grid on `pic_main` (white) and keeps a copy of it as the grid picture.
  void MakeGridPicture(Surface& pic_main);
  // Loads the hatch cell and builds the empty-canvas picture from it.
  void MakeHatchAndEmptyCanvas();
  // Assembles the tool glyph strip from the glyph pictures named, in palette order, and loads
  // the status symbols.
  void MakeToolGlyphs(std::span<const std::string_view> glyphs);
  void FreeGridPicture() { grid_.reset(); }
  void FreeToolGlyphs() {
    tool_glyphs_.reset();
    status_symbols_.reset();
  }
  void FreeHatchAndEmptyCanvas() {
    hatch_.reset();
    empty_canvas_.reset();
  }

  bool HasToolGlyphs() const { return tool_glyphs_.has_value(); }
  const Raster& grid() const { return *grid_; }
  const Raster& hatch() const { return *hatch_; }
  const Raster& empty_canvas() const { return *empty_canvas_; }
  const Raster& tool_glyphs() const { return *tool_glyphs_; }
  const Raster& status_symbols() const { return *status_symbols_; }

  // The empty canvas onto `pic_main` (321 x 321) and `pic_main_copy` (320 x 320).
  void TilePics(Surface& pic_main, Surface& pic_main_copy) const;
  // The grid ANDed over `pic_main`.
  void DrawGrid(Surface& pic_main) const;

 private:
  std::optional<Raster> grid_;
  std::optional<Raster> hatch_;
  std::optional<Raster> empty_canvas_;
  std::optional<Raster> tool_glyphs_;
  std::optional<Raster> status_symbols_;
};

// Lays an icon (mask, then image) over `dst` at (x, y), stretched to w x h: AND with the mask,
// XOR with the image.
void ComposeIcon(Raster& dst, int x, int y, int w, int h, const Raster& mask, const Raster& image);

}  // namespace pelorin
