#include "app/frmMain.h"

#include <utility>

#include "app/StartUp.h"
#include "app/frmAbout.h"

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
             [this](int tool) { SelectTool(tool); }),
      recent_(platform) {
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
  menus[0].items = {Item("MnuNew", 0, "新建(&N)", "Ctrl+N"),
                    Item("MnuFileSep", 0, "-"),
                    Item("MnuOpen", 0, "打开(&O)", "Ctrl+O"),
                    Item("MnuExtract", 0, "提取(&E)"),
                    Item("MnuFileSep", 1, "-"),
                    Item("MnuSave", 0, "保存(&S)", "Ctrl+S"),
                    Item("MnuSaveAs", 0, "另存(&A)")};
  for (int i = 0; i <= 4; ++i) {
    MenuItem entry = Item("MnuRecent", i, i == 0 ? "-" : "");
    entry.visible = false;
    entry.literal = true;
    menus[0].items.push_back(entry);
  }
  menus[0].items.push_back(Item("MnuFileSep", 2, "-"));
  menus[0].items.push_back(Item("MnuExit", 0, "退出(&x)"));

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
  for (MenuItem& item : menus[1].items) item.enabled = false;

  // Image: the transformations arrive later; their items are there, disabled.
  menus[2].items = {Item("MnuImageOpts", 0, "按钮效果(&B)"),
                    Item("MnuImageOpts", 1, "屏幕捕获(&C)"),
                    Item("MnuImageOpts", 2, "底色梯度(&G)"),
                    Item("MnuImageOpts", 3, "-"),
                    Item("MnuImageOpts", 4, "水平翻转(&H)"),
                    Item("MnuImageOpts", 5, "垂直翻转(&V)"),
                    Item("MnuImageOpts", 6, "-"),
                    Item("MnuImageOpts", 7, "逆时针旋转(&A)"),
                    Item("MnuImageOpts", 8, "顺时针旋转(&D)"),
                    Item("MnuImageOpts", 9, "-"),
                    Item("MnuImageOpts", 10, "镜象(&M)")};
  menus[2].items[10].items = {
      Item("MnuMirrorOpts", 0, "左半至右半(&e)"), Item("MnuMirrorOpts", 1, "右半至左半(&f)"),
      Item("MnuMirrorOpts", 2, "上部至下部(&T)"), Item("MnuMirrorOpts", 3, "下部至上部(&m)")};
  for (MenuItem& item : menus[2].items) {
    if (item.index != 10) item.enabled = false;
    for (MenuItem& sub : item.items) sub.enabled = false;
  }

  menus[3].items = {
      Item("MnuColorOpts", 0, "灰度(&G)"),       Item("MnuColorOpts", 1, "反色(&I)"),
      Item("MnuColorOpts", 2, "颜色调整(&A)"),   Item("MnuColorOpts", 3, "-"),
      Item("MnuColorOpts", 4, "默认调色板(&D)"), Item("MnuColorOpts", 5, "随机调色板(&R)")};
  for (int i = 0; i <= 2; ++i) menus[3].items[i].enabled = false;
  menus[3].items[4].checkable = true;
  menus[3].items[5].checkable = true;
  menus[3].items[4].checked = true;

  menus[4].items = {Item("MnuHelpOpts", 0, "Tamsery主页(&H)"), Item("MnuHelpOpts", 1, "-"),
                    Item("MnuHelpOpts", 2, "关于(&A)")};
  return menus;
}

MenuItem* frmMain::FindMenuItem(const std::string& name, int index) {
  for (MenuItem& menu : menus_) {
    for (MenuItem& item : menu.items) {
      if (item.name == name && item.index == index) return &item;
      for (MenuItem& sub : item.items)
        if (sub.name == name && sub.index == index) return &sub;
    }
  }
  return nullptr;
}

void frmMain::MenuOpened(const std::string& menu) {
  if (menu == "MnuEdit") MnuEdit_Click();
}

void frmMain::MenuCommand(const std::string& menu, const std::string& item, int index) {
  MenuOpened(menu);
  const MenuItem* entry = FindMenuItem(item, index);
  if (entry == nullptr || !entry->enabled || !entry->visible || entry->IsSeparator()) return;
  if (item == "MnuNew") MnuNew_Click();
  if (item == "MnuOpen") MnuOpen_Click();
  if (item == "MnuExtract") MnuExtract_Click();
  if (item == "MnuSave") MnuSave_Click();
  if (item == "MnuSaveAs") MnuSaveAs_Click();
  if (item == "MnuRecent") MnuRecent_Click(index);
  if (item == "MnuExit") MnuExit_Click();
  if (item == "MnuEditOpts") MnuEditOpts_Click(index);
  if (item == "MnuColorOpts") MnuColorOpts_Click(index);
  if (item == "MnuHelpOpts") MnuHelpOpts_Click(index);
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

  recent_.LoadList();
  SyncRecentMenu();

  RecordStep();

  DocPath = std::string(kUntitled);
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));

  tools_.MoveFrameTo(kToolPencil);
  SelectTool(kToolPencil);
  tools_.PicTools_Paint();

  // Stretching onto PicMain and PicMainCopy is always colour-on-colour here: the raster engine
  // has no blending mode to switch away from.

  FindMenuItem("MnuExit", 0)->caption = "退出(&x)\tAlt+F4";
  host_.ControlsChanged();

  PlaceWindow();

  if (auto path = PathToOpen(command_line_)) {
    PendingPath = std::move(*path);
    OpenFromCommandLine = true;
    MnuOpen_Click();
  }
}

void frmMain::Form_Unload(bool& cancel) {
  if (!QuerySave()) {
    cancel = true;
    return;
  }
  FreeRasters();
  ClearHistory();
  recent_.SaveList();
}

void frmMain::FreeRasters() {
  tools_.SetGlyphs(nullptr);
  rasters_.FreeGridPicture();
  rasters_.FreeHatchAndEmptyCanvas();
  rasters_.FreeToolGlyphs();
}

void frmMain::SetCanvasEnabled(bool enabled) {
  canvas_enabled_ = enabled;
  host_.ControlsChanged();
}

void frmMain::AddRecentPath(const std::string& path) {
  recent_.AddPath(path);
  SyncRecentMenu();
}

void frmMain::SyncRecentMenu() {
  const auto& entries = recent_.Entries();
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    MenuItem* item = FindMenuItem("MnuRecent", i);
    item->visible = entries[i].visible;
    if (i > 0) item->caption = entries[i].caption;
  }
  host_.ControlsChanged();
}

void frmMain::MnuRecent_Click(int entry) {
  const std::string path = recent_.TakeEntry(entry);
  SyncRecentMenu();
  if (path.empty()) return;
  PendingPath = path;
  OpenFromRecent = true;
  MnuOpen_Click();
}

void frmMain::MnuHelpOpts_Click(int index) {
  if (index == 0) {
    // A home page that cannot be opened is not worth a message.
    platform_.OpenUrl(std::string(kHomePage));
  } else if (index == 2) {
    frmAbout about(platform_, caption_);
    about.Form_Load();
    platform_.ShowAbout(about);
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
