#include "app/frmMain.h"

#include <utility>

#include "app/StartUp.h"

namespace pelorin {

frmMain::frmMain(Platform& platform, WindowHost& host, std::string command_line)
    : PicImage("PicImage", kIconSize, kIconSize, kBlack),
      PicMask("PicMask", kIconSize, kIconSize, kWhite),
      PicMain("PicMain", kCanvasSize, kCanvasSize, kWhite),
      PicMainCopy("PicMainCopy", kCanvasCopySize, kCanvasCopySize, kWhite),
      picIcon("picIcon", kIconSize, kIconSize, platform.SysColor(SysColour::kButtonFace)),
      PicSelImage("PicSelImage", kIconSize, kIconSize, kBlack),
      PicSelMask("PicSelMask", kIconSize, kIconSize, kWhite),
      PicCol("PicCol", 2 * kIconSize, kIconSize, kWhite),
      PicClip("PicClip", kIconSize, kIconSize, kWhite),
      PicFloodWhite("PicFloodWhite", kIconSize, kIconSize, kWhite),
      PicFloodGray("PicFloodGray", kIconSize, kIconSize, platform.SysColor(SysColour::kButtonFace)),
      PicTools("PicTools", 92, 66, platform.SysColor(SysColour::kButtonFace)),
      PicPal("PicPal", 208, 208, kWhite),
      platform_(platform),
      host_(host),
      command_line_(std::move(command_line)),
      back_colour_(platform.SysColor(SysColour::kButtonFace)),
      menus_(BuildMenus()) {
  // The flood-fill work rasters paint with a solid brush.
  PicFloodWhite.fillStyle = FillStyle::kSolid;
  PicFloodGray.fillStyle = FillStyle::kSolid;
}

std::vector<MenuItem> frmMain::BuildMenus() {
  std::vector<MenuItem> menus;
  for (const auto& [name, caption] : {std::pair{"MnuFile", "文件(&F)"},
                                      {"MnuEdit", "编辑(&E)"},
                                      {"MnuImage", "图象(&I)"},
                                      {"MnuColor", "颜色(&C)"},
                                      {"MnuHelp", "帮助(&H)"}}) {
    MenuItem& menu = menus.emplace_back();
    menu.name = name;
    menu.caption = caption;
  }
  return menus;
}

void frmMain::Form_Load() {
  random_.seed(platform_.ClockSeed());

  rasters_.MakeGridPicture(PicMain);
  rasters_.MakeHatchAndEmptyCanvas();
  TilePics();
  DrawGrid();

  DocPath = std::string(kUntitled);
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));

  // Stretching onto PicMain and PicMainCopy is always colour-on-colour here: the raster engine
  // has no blending mode to switch away from.

  PlaceWindow();

  if (auto path = PathToOpen(command_line_)) {
    PendingPath = std::move(*path);
    OpenFromCommandLine = true;
  }
}

void frmMain::PlaceWindow() {
  const int left = (platform_.ScreenWidth() - host_.OuterWidth()) / 2;
  const int top = (platform_.ScreenHeight() - host_.OuterHeight()) / 3;
  host_.Move(left, top);
}

void frmMain::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  host_.SetCaption(caption_);
}

std::vector<Placement> frmMain::ShownSurfaces() {
  return {{&PicMain, 12, 15}, {&picIcon, 350, 15}};
}

void frmMain::TilePics() { rasters_.TilePics(PicMain, PicMainCopy); }

void frmMain::DrawGrid() { rasters_.DrawGrid(PicMain); }

void frmMain::DisplayResults() {
  TilePics();
  ComposeIcon(PicMainCopy.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMask.raster(),
              PicImage.raster());
  BitBlt(PicMain.raster(), 0, 0, kCanvasCopySize, kCanvasCopySize, PicMainCopy.raster(), 0, 0,
         Rop::kSrcCopy);
  DrawGrid();

  picIcon.Cls();
  ComposeIcon(picIcon.raster(), 0, 0, kIconSize, kIconSize, PicMask.raster(), PicImage.raster());
  picIcon.Refresh();
  Modified = true;
}

void frmMain::SetDrawColor(Colour colour) {
  for (Surface* s : {&PicMain, &PicMainCopy, &picIcon, &PicImage}) {
    s->ForeColor = colour;
    s->FillColor = colour;
  }
  PicFloodGray.FillColor = colour;
  PicFloodWhite.FillColor = colour;
}

void frmMain::ResetDocument() {
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));
  DocPath = std::string(kUntitled);
  DocTitle.clear();

  MultiIcon = false;
  SaveSucceeded = false;
  Modified = false;

  PicImage.Cls();
  PicMask.Cls();
  picIcon.Cls();
  picIcon.Refresh();

  TilePics();
  DrawGrid();
}

}  // namespace pelorin
