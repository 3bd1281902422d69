#include "app/frmMain.h"

#include <utility>

#include "app/StartUp.h"

namespace pelorin {

frmMain::frmMain(Platform& platform, WindowHost& host, std::string command_line)
    : Form("frmMain", kClientWidth, kClientHeight, platform.SysColor(SysColour::kButtonFace)),
      PicImage("PicImage", kIconSize, kIconSize, kBlack),
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
      PicTools("PicTools", ToolPalette::kWidth, ToolPalette::kHeight,
               platform.SysColor(SysColour::kButtonFace)),
      PicPal("PicPal", 16 * kPaletteCell, 16 * kPaletteCell, kWhite),
      platform_(platform),
      host_(host),
      command_line_(std::move(command_line)),
      back_colour_(platform.SysColor(SysColour::kButtonFace)),
      menus_(BuildMenus()),
      tools_(PicTools, back_colour_, platform.SysColor(SysColour::kButtonShadow),
             platform.SysColor(SysColour::kButtonHighlight),
             [this](int tool) { SelectTool(tool); }) {
  // The flood-fill work rasters paint with a solid brush.
  PicFloodWhite.fillStyle = FillStyle::kSolid;
  PicFloodGray.fillStyle = FillStyle::kSolid;
  PicPal.SetMousePointer(MousePointer::kCustom, "cursor-pipette.txt");
}

namespace {

MenuItem Item(std::string name, int index, std::string caption, std::string shortcut = {}) {
  MenuItem item;
  item.name = std::move(name);
  item.index = index;
  item.caption = std::move(caption);
  item.shortcut = std::move(shortcut);
  return item;
}

}  // namespace

std::vector<MenuItem> frmMain::BuildMenus() {
  std::vector<MenuItem> menus;
  for (const auto& [name, caption] : {std::pair{"MnuFile", "文件(&F)"},
                                      {"MnuEdit", "编辑(&E)"},
                                      {"MnuImage", "图象(&I)"},
                                      {"MnuColor", "颜色(&C)"},
                                      {"MnuHelp", "帮助(&H)"}}) {
    menus.push_back(Item(name, 0, caption));
  }
  // Edit: what is not built yet stays disabled.
  menus[1].items = {Item("MnuEditOpts", 0, "撤消(&U)", "Ctrl+Z"),
                    Item("MnuEditOpts", 1, "重复(&R)"),
                    Item("MnuEditOpts", 2, "-"),
                    Item("MnuEditOpts", 3, "剪切(u&)", "Ctrl+X"),
                    Item("MnuEditOpts", 4, "复制(&C)", "Ctrl+C"),
                    Item("MnuEditOpts", 5, "透明粘贴(&P)", "Ctrl+V"),
                    Item("MnuEditOpts", 6, "覆盖粘贴(&O)"),
                    Item("MnuEditOpts", 7, "删除(&D)", "Del"),
                    Item("MnuEditOpts", 8, "-"),
                    Item("MnuEditOpts", 9, "全选(&S)")};
  menus[3].items = {
      Item("MnuColorOpts", 0, "灰度(&G)"),       Item("MnuColorOpts", 1, "反色(&I)"),
      Item("MnuColorOpts", 2, "颜色调整(&A)"),   Item("MnuColorOpts", 3, "-"),
      Item("MnuColorOpts", 4, "默认调色板(&D)"), Item("MnuColorOpts", 5, "随机调色板(&R)")};
  for (int i = 0; i <= 2; ++i) menus[3].items[i].enabled = false;
  menus[3].items[4].checkable = true;
  menus[3].items[5].checkable = true;
  menus[3].items[4].checked = true;
  for (MenuItem& item : menus[1].items) item.enabled = false;
  return menus;
}

MenuItem* frmMain::FindMenuItem(const std::string& name, int index) {
  for (MenuItem& menu : menus_)
    for (MenuItem& item : menu.items)
      if (item.name == name && item.index == index) return &item;
  return nullptr;
}

void frmMain::MenuOpened(const std::string& menu) {
  if (menu == "MnuEdit") MnuEdit_Click();
}

void frmMain::MenuCommand(const std::string& menu, const std::string& item, int index) {
  MenuOpened(menu);
  const MenuItem* entry = FindMenuItem(item, index);
  if (entry == nullptr || !entry->enabled || entry->IsSeparator()) return;
  if (item == "MnuEditOpts") MnuEditOpts_Click(index);
  if (item == "MnuColorOpts") MnuColorOpts_Click(index);
}

void frmMain::Form_Load() {
  random_.seed(platform_.ClockSeed());

  rasters_.MakeGridPicture(PicMain);
  rasters_.MakeHatchAndEmptyCanvas();
  TilePics();
  DrawGrid();

  rasters_.MakeToolGlyphs();
  tools_.SetGlyphs(&rasters_.tool_glyphs());

  palette_.DrawPalette(PicPal, true, SysColor(SysColour::kButtonShadow),
                       SysColor(SysColour::kButtonHighlight));
  ResetCurrentColours();

  RecordStep();

  DocPath = std::string(kUntitled);
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));

  tools_.MoveFrameTo(kToolPencil);
  SelectTool(kToolPencil);
  tools_.PicTools_Paint();

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
  return {{&PicMain, 12, 15}, {&picIcon, 350, 15}, {&PicTools, 458, 15}, {&PicPal, 346, 132}};
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

  tools_.MoveFrameTo(kToolPencil);
  SelectTool(kToolPencil);

  ResetCurrentColours();
  MnuColorOpts_Click(4);
  ChkPal = false;
  host_.ControlsChanged();

  PicImage.Cls();
  PicMask.Cls();
  picIcon.Cls();
  picIcon.Refresh();

  TilePics();
  DrawGrid();

  ClearHistory();
  RecordStep();
}

void frmMain::Form_MouseUp(int, int, double, double) {
  // Committing a selection starts here once selections exist; with none there is nothing to do.
}

}  // namespace pelorin
