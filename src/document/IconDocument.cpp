#include "document/IconDocument.h"

#include <utility>

namespace pelorin {

IconDocument::IconDocument(Colour button_face)
    : pic_image_("PicImage", kIconSize, kIconSize, kBlack),
      pic_mask_("PicMask", kIconSize, kIconSize, kWhite),
      pic_main_("PicMain", kCanvasSize, kCanvasSize, kWhite),
      pic_main_copy_("PicMainCopy", kCanvasCopySize, kCanvasCopySize, kWhite),
      pic_icon_("picIcon", kIconSize, kIconSize, button_face),
      back_colour_(button_face) {}

void IconDocument::SetFile(std::string path, std::string title, bool multi_icon) {
  doc_path_ = std::move(path);
  doc_title_ = std::move(title);
  multi_icon_ = multi_icon;
}

void IconDocument::MakeRasters(std::span<const std::string_view> tool_glyphs) {
  rasters_.MakeGridPicture(pic_main_);
  rasters_.MakeHatchAndEmptyCanvas();
  TilePics();
  DrawGrid();
  rasters_.MakeToolGlyphs(tool_glyphs);
  // Stretching onto PicMain and PicMainCopy is always colour-on-colour here: the raster engine
  // has no blending mode to switch away from.
}

void IconDocument::FreeRasters() {
  rasters_.FreeGridPicture();
  rasters_.FreeHatchAndEmptyCanvas();
  rasters_.FreeToolGlyphs();
}

void IconDocument::SetCanvasPointer(MousePointer pointer, std::string icon) {
  if (pic_main_.mousePointer() == pointer && pic_main_.mouseIcon() == icon) return;
  pic_main_.SetMousePointer(pointer, std::move(icon));
}

void IconDocument::SetDrawColor(Colour colour) {
  draw_colour_ = colour;
  for (Surface* s : {&pic_main_, &pic_main_copy_, &pic_icon_, &pic_image_}) {
    s->ForeColor = colour;
    s->FillColor = colour;
  }
}

void IconDocument::RecordChange() {
  modified_ = true;
  if (recorder_ != nullptr) recorder_->RecordChange();
}

void IconDocument::RecordUnchanged() {
  modified_ = true;
  if (recorder_ != nullptr) recorder_->RecordStep();
}

void IconDocument::CanvasWiped() {
  for (LiveFigure& figure : figures_) figure.shown = false;
}

void IconDocument::TilePics() {
  CanvasWiped();
  rasters_.TilePics(pic_main_, pic_main_copy_);
}

void IconDocument::DrawGrid() {
  CanvasWiped();
  rasters_.DrawGrid(pic_main_);
}

void IconDocument::ShowCanvasCopy() {
  CanvasWiped();
  BitBlt(pic_main_.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, pic_main_copy_.raster(), 0, 0,
         Rop::kSrcCopy);
}

void IconDocument::RebuildCanvasCopy() {
  BitBlt(pic_main_copy_.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, rasters_.empty_canvas(),
         0, 0, Rop::kSrcCopy);
  ComposeIcon(pic_main_copy_.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, pic_mask_.raster(),
              pic_image_.raster());
}

void IconDocument::ComposeCanvas() {
  ComposeIcon(pic_main_copy_.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, pic_mask_.raster(),
              pic_image_.raster());
  ShowCanvasCopy();
  DrawGrid();
}

void IconDocument::ComposePreview() {
  // The preview shows the icon as the desktop does: laid over its background.
  pic_icon_.Cls();
  ComposeIcon(pic_icon_.raster(), 0, 0, kIconSize, kIconSize, pic_mask_.raster(),
              pic_image_.raster());
  pic_icon_.Refresh();
}

void IconDocument::ComposeViews() {
  ComposeCanvas();
  ComposePreview();
}

void IconDocument::DisplayResults() {
  TilePics();
  ComposeViews();
  modified_ = true;
}

void IconDocument::PaintCell(int i, int j, Colour colour) {
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  // The cell's square in the colour, then its outline black again: the grid lines stay.
  pic_main_.Line(cx, cy, cx + kCellSize, cy + kCellSize, LineKind::kFilledBox, colour);
  pic_main_.Line(cx, cy, cx + kCellSize, cy + kCellSize, LineKind::kBox, kBlack);
  pic_main_copy_.Line(cx, cy, cx + kCellSize - 1, cy + kCellSize - 1, LineKind::kFilledBox, colour);
  pic_icon_.PSet(i, j, colour);
  pic_image_.PSet(i, j, colour);
  pic_mask_.PSet(i, j, kBlack);
  CellChanged(i, j);
}

void IconDocument::EraseCell(int i, int j) {
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  const Raster& hatch = rasters_.hatch();
  BitBlt(pic_main_.raster(), cx + 1, cy + 1, 9, 9, hatch, 0, 0, Rop::kSrcCopy);
  BitBlt(pic_main_copy_.raster(), cx + 1, cy + 1, 9, 9, hatch, 0, 0, Rop::kSrcCopy);
  pic_icon_.PSet(i, j, back_colour_);
  pic_image_.PSet(i, j, kBlack);
  pic_mask_.PSet(i, j, kWhite);
  CellChanged(i, j);
}

void IconDocument::CellChanged(int i, int j) {
  // The cell with its four grid lines, and the one preview pixel.
  const int cx = kCellSize * i;
  const int cy = kCellSize * j;
  pic_main_.Refresh({cx, cy, cx + kCellSize + 1, cy + kCellSize + 1});
  pic_icon_.Refresh({i, j, i + 1, j + 1});
  modified_ = true;
}

void IconDocument::DrawOnIcon(const std::function<void(Surface& mask, Surface& image)>& draw) {
  draw(pic_mask_, pic_image_);
  ComposePreview();
  ComposeCanvas();
  modified_ = true;
}

void IconDocument::ChangePicture(const std::function<void(Raster& mask, Raster& image)>& change) {
  change(pic_mask_.raster(), pic_image_.raster());
  DisplayResults();
}

void IconDocument::ClearPicture() {
  pic_image_.Cls();
  pic_mask_.Cls();
  pic_icon_.Cls();
  pic_icon_.Refresh();
  TilePics();
  DrawGrid();
}

void IconDocument::LoadPicture(const Raster& mask, const Raster& image) {
  BitBlt(pic_mask_.raster(), 0, 0, kIconSize, kIconSize, mask, 0, 0, Rop::kSrcCopy);
  BitBlt(pic_image_.raster(), 0, 0, kIconSize, kIconSize, image, 0, 0, Rop::kSrcCopy);
  ComposeViews();
}

void IconDocument::LiftArea(Rect area) {
  pic_icon_.raster().FillRect(area, back_colour_);
  pic_image_.raster().FillRect(area, kBlack);
  pic_mask_.raster().FillRect(area, kWhite);
  pic_icon_.Refresh(area);
  RebuildCanvasCopy();
  modified_ = true;
}

void IconDocument::ShowFloating(Rect area, const Raster& mask, const Raster& image) {
  ShowCanvasCopy();
  ComposeIcon(pic_main_.raster(), kCellSize * area.left, kCellSize * area.top,
              kCellSize * area.Width(), kCellSize * area.Height(), mask, image);
  ComposePreview();
  ComposeIcon(pic_icon_.raster(), area.left, area.top, area.Width(), area.Height(), mask, image);
  pic_icon_.Refresh(area);
  DrawGrid();
  modified_ = true;
}

void IconDocument::MergeFloating(Rect area, const Raster& mask, const Raster& image) {
  ComposeIcon(pic_image_.raster(), area.left, area.top, area.Width(), area.Height(), mask, image);
  BitBlt(pic_mask_.raster(), area.left, area.top, area.Width(), area.Height(), mask, 0, 0,
         Rop::kSrcAnd);
  ComposeIcon(pic_main_copy_.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, pic_mask_.raster(),
              pic_image_.raster());
}

void IconDocument::ShowIconAlone() {
  ShowCanvasCopy();
  DrawGrid();
  ComposePreview();
  modified_ = true;
}

void IconDocument::ReplaceArea(Rect area, const Raster& mask, const Raster& image) {
  BitBlt(pic_mask_.raster(), area.left, area.top, area.Width(), area.Height(), mask, 0, 0,
         Rop::kSrcCopy);
  BitBlt(pic_image_.raster(), area.left, area.top, area.Width(), area.Height(), image, 0, 0,
         Rop::kSrcCopy);
  RebuildCanvasCopy();
  ShowIconAlone();
}

void IconDocument::ClearArea(Rect area) {
  pic_mask_.raster().FillRect(area, kWhite);
  pic_image_.raster().FillRect(area, kBlack);
  RebuildCanvasCopy();
  ShowIconAlone();
}

void IconDocument::ShowFigure(Figure figure, std::function<void(Raster& canvas)> invert,
                              std::initializer_list<Rect> touched) {
  HideFigure(figure);
  LiveFigure& live = figures_[Index(figure)];
  live.invert = std::move(invert);
  // The list keeps its room from figure to figure: a move of a rubber band allocates nothing.
  live.touched.assign(touched);
  live.invert(pic_main_.raster());
  for (const Rect& r : live.touched) pic_main_.Refresh(r);
  live.shown = true;
}

void IconDocument::HideFigure(Figure figure) {
  LiveFigure& live = figures_[Index(figure)];
  if (!live.shown) return;
  live.invert(pic_main_.raster());
  for (const Rect& r : live.touched) pic_main_.Refresh(r);
  live.shown = false;
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace pelorin
