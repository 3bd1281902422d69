#include "document/ModIcoEd.h"

#include "raster/Blit.h"
#include "raster/Picture.h"

namespace pelorin {

void ModIcoEd::MakeGridPicture(Surface& pic_main) {
  // Lines leave out their last point, so each runs to 321 to reach the closing line at 320.
  for (int k = 0; k <= kCanvasCopySize; k += kCellSize) {
    pic_main.Line(k, 0, k, kCanvasSize, LineKind::kLine, kBlack);
    pic_main.Line(0, k, kCanvasSize, k, LineKind::kLine, kBlack);
  }
  grid_.emplace(kCanvasSize, kCanvasSize, kWhite);
  BitBlt(*grid_, 0, 0, kCanvasSize, kCanvasSize, pic_main.raster(), 0, 0, Rop::kSrcCopy);
}

void ModIcoEd::MakeHatchAndEmptyCanvas() {
  hatch_ = LoadPictureResource("hatch.txt").image;
  empty_canvas_.emplace(kCanvasSize, kCanvasSize, kBlack);
  // The copies at 321 fall outside and leave no trace.
  for (int i = 0; i <= kIconSize; ++i)
    for (int j = 0; j <= kIconSize; ++j)
      BitBlt(*empty_canvas_, 1 + kCellSize * i, 1 + kCellSize * j, 9, 9, *hatch_, 0, 0,
             Rop::kSrcCopy);
}

void ModIcoEd::MakeToolGlyphs(std::span<const std::string_view> glyphs) {
  constexpr int kGlyph = 16;
  tool_glyphs_.emplace(kGlyph * static_cast<int>(glyphs.size()), 2 * kGlyph, kBlack);
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    // The picture holds the mask over the image, both opaque: its image is the whole glyph.
    BitBlt(*tool_glyphs_, kGlyph * static_cast<int>(k), 0, kGlyph, 2 * kGlyph,
           LoadPictureResource(glyphs[k]).image, 0, 0, Rop::kSrcCopy);
  }
  status_symbols_ = LoadPictureResource("status-symbols.txt").image;
}

void ModIcoEd::TilePics(Surface& pic_main, Surface& pic_main_copy) const {
  BitBlt(pic_main.raster(), 0, 0, kCanvasSize, kCanvasSize, *empty_canvas_, 0, 0, Rop::kSrcCopy);
  BitBlt(pic_main_copy.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, *empty_canvas_, 0, 0,
         Rop::kSrcCopy);
  pic_main_copy.Refresh();
}

void ModIcoEd::DrawGrid(Surface& pic_main) const {
  BitBlt(pic_main.raster(), 0, 0, kCanvasSize, kCanvasSize, *grid_, 0, 0, Rop::kSrcAnd);
  pic_main.Refresh();
}

void ComposeIcon(Raster& dst, int x, int y, int w, int h, const Raster& mask, const Raster& image) {
  if (w == mask.width() && h == mask.height()) {
    BitBlt(dst, x, y, w, h, mask, 0, 0, Rop::kSrcAnd);
    BitBlt(dst, x, y, w, h, image, 0, 0, Rop::kSrcInvert);
  } else {
    StretchComposeIcon(dst, x, y, w, h, mask, image);
  }
}

}  // namespace pelorin
