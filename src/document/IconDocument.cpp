#include "document/IconDocument.h"

namespace pelorin {

IconDocument::IconDocument(Colour button_face)
    : PicImage("PicImage", kIconSize, kIconSize, kBlack),
      PicMask("PicMask", kIconSize, kIconSize, kWhite),
      PicMain("PicMain", kCanvasSize, kCanvasSize, kWhite),
      PicMainCopy("PicMainCopy", kCanvasCopySize, kCanvasCopySize, kWhite),
      picIcon("picIcon", kIconSize, kIconSize, button_face),
      PicSelImage("PicSelImage", kIconSize, kIconSize, kBlack),
      PicSelMask("PicSelMask", kIconSize, kIconSize, kWhite),
      PicCol("PicCol", 2 * kIconSize, kIconSize, kWhite),
      PicClip("PicClip", kIconSize, kIconSize, kWhite),
      PicFloodWhite("PicFloodWhite", kIconSize, kIconSize, kWhite),
      PicFloodGray("PicFloodGray", kIconSize, kIconSize, button_face),
      back_colour_(button_face) {
  // The flood-fill work rasters paint with a solid brush.
  PicFloodWhite.fillStyle = FillStyle::kSolid;
  PicFloodGray.fillStyle = FillStyle::kSolid;
}

void IconDocument::MakeRasters() {
  rasters_.MakeGridPicture(PicMain);
  rasters_.MakeHatchAndEmptyCanvas();
  TilePics();
  DrawGrid();
  rasters_.MakeToolGlyphs();
  // Stretching onto PicMain and PicMainCopy is always colour-on-colour here: the raster engine
  // has no blending mode to switch away from.
}

void IconDocument::FreeRasters() {
  rasters_.FreeGridPicture();
  rasters_.FreeHatchAndEmptyCanvas();
  rasters_.FreeToolGlyphs();
}

void IconDocument::TilePics() { rasters_.TilePics(PicMain, PicMainCopy); }

void IconDocument::DrawGrid() { rasters_.DrawGrid(PicMain); }

void IconDocument::ComposeCanvas() {
  ComposeIcon(PicMainCopy.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMask.raster(),
              PicImage.raster());
  BitBlt(PicMain.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMainCopy.raster(), 0, 0,
         Rop::kSrcCopy);
  DrawGrid();
}

void IconDocument::ComposePreview() {
  // The preview shows the icon as the desktop does: laid over its background.
  picIcon.Cls();
  ComposeIcon(picIcon.raster(), 0, 0, kIconSize, kIconSize, PicMask.raster(), PicImage.raster());
  picIcon.Refresh();
}

void IconDocument::ComposeViews() {
  ComposeCanvas();
  ComposePreview();
}

void IconDocument::DisplayResults() {
  TilePics();
  ComposeViews();
  Modified = true;
}

void IconDocument::SetDrawColor(Colour colour) {
  for (Surface* s : {&PicMain, &PicMainCopy, &picIcon, &PicImage}) {
    s->ForeColor = colour;
    s->FillColor = colour;
  }
  PicFloodGray.FillColor = colour;
  PicFloodWhite.FillColor = colour;
}

void IconDocument::ClearPicture() {
  PicImage.Cls();
  PicMask.Cls();
  picIcon.Cls();
  picIcon.Refresh();
  TilePics();
  DrawGrid();
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace pelorin
