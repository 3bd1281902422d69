#include "app/frmMain.h"

#include <utility>

#include "app/StartUp.h"
#include "app/frmAbout.h"
#include "base/Geometry.h"

namespace pelorin {

namespace {

// Where the shown surfaces stand in the client area.
constexpr Position kPicMainAt = {12, 15};
constexpr Position kPicIconAt = {350, 15};
constexpr Position kPicToolsAt = {458, 15};
constexpr Position kPicPalAt = {346, 132};

}  // namespace

frmMain::frmMain(Platform& platform, WindowHost& host, std::string command_line)
    : Form("frmMain", kClientWidth, kClientHeight, platform.SysColor(SysColour::kButtonFace)),
      PicTools("PicTools", ToolPalette::kWidth, ToolPalette::kHeight,
               platform.SysColor(SysColour::kButtonFace)),
      PicPal("PicPal", 16 * kPaletteCell, 16 * kPaletteCell, kWhite),
      platform_(platform),
      host_(host),
      command_line_(std::move(command_line)),
      doc_(platform.SysColor(SysColour::kButtonFace)),
      status_(Form, doc_.BackColor(), platform.SysColor(SysColour::kButtonShadow),
              platform.SysColor(SysColour::kButtonHighlight)),
      undo_(doc_, platform),
      selection_(doc_, undo_),
      changes_(doc_, selection_, undo_),
      colours_(platform, PicPal, status_, [this] { ControlsChanged(); }),
      canvas_(doc_, PicTools, status_, undo_, selection_, colours_, platform),
      recent_(platform),
      files_(doc_, undo_, recent_, platform, *this),
      menus_(BuildMenus()) {}

// The menu table: one row per item.
std::vector<MenuItem> frmMain::BuildMenus() {
  const auto recent = [this](int entry) {
    MenuItem item = MenuRow("MnuRecent", entry, entry == 0 ? "-" : "",
                            [this, entry] { files_.MnuRecent_Click(entry); });
    item.visible = false;
    item.literal = true;
    return item;
  };
  MenuItem file = MenuRow("MnuFile", 0, "文件(&F)");
  file.items = {MenuRow(
                    "MnuNew", 0, "新建(&N)", [this] { files_.MnuNew_Click(); }, "Ctrl+N"),
                MenuRow("MnuFileSep", 0, "-"),
                MenuRow(
                    "MnuOpen", 0, "打开(&O)", [this] { files_.MnuOpen_Click(); }, "Ctrl+O"),
                DisabledRow("MnuExtract", 0, "提取(&E)"),
                MenuRow("MnuFileSep", 1, "-"),
                MenuRow(
                    "MnuSave", 0, "保存(&S)", [this] { files_.MnuSave_Click(); }, "Ctrl+S"),
                MenuRow("MnuSaveAs", 0, "另存(&A)", [this] { files_.MnuSaveAs_Click(); }),
                recent(0),
                recent(1),
                recent(2),
                recent(3),
                recent(4),
                MenuRow("MnuFileSep", 2, "-"),
                MenuRow("MnuExit", 0, "退出(&x)", [this] { host_.Close(); })};

  // The Edit menu's enabling is worked out whenever it opens.
  MenuItem edit = MenuRow("MnuEdit", 0, "编辑(&E)");
  MenuItem undo = MenuRow(
      "MnuEditOpts", 0, "撤消(&U)",
      [this] {
        Form_MouseUp(1, 0, 0, 0);
        undo_.UndoStep();
      },
      "Ctrl+Z");
  undo.enabled_when = [this] { return undo_.Steps().CanUndo(); };
  MenuItem redo = MenuRow("MnuEditOpts", 1, "重复(&R)", [this] {
    Form_MouseUp(1, 0, 0, 0);
    undo_.RedoStep();
  });
  redo.enabled_when = [this] { return undo_.Steps().CanRedo(); };
  edit.items = {undo,
                redo,
                MenuRow("MnuEditOpts", 2, "-"),
                DisabledRow("MnuEditOpts", 3, "剪切(u&)"),
                DisabledRow("MnuEditOpts", 4, "复制(&C)"),
                DisabledRow("MnuEditOpts", 5, "透明粘贴(&P)"),
                DisabledRow("MnuEditOpts", 6, "覆盖粘贴(&O)"),
                DisabledRow("MnuEditOpts", 7, "删除(&D)"),
                MenuRow("MnuEditOpts", 8, "-"),
                DisabledRow("MnuEditOpts", 9, "全选(&S)")};
  for (const auto& [index, shortcut] :
       {std::pair{3, "Ctrl+X"}, {4, "Ctrl+C"}, {5, "Ctrl+V"}, {7, "Del"}}) {
    edit.items[index].shortcut = shortcut;
  }

  // Image: the transformations arrive later; their items are there, disabled.
  MenuItem image = MenuRow("MnuImage", 0, "图象(&I)");
  MenuItem mirror = MenuRow("MnuImageOpts", 10, "镜象(&M)");
  mirror.items = {DisabledRow("MnuMirrorOpts", 0, "左半至右半(&e)"),
                  DisabledRow("MnuMirrorOpts", 1, "右半至左半(&f)"),
                  DisabledRow("MnuMirrorOpts", 2, "上部至下部(&T)"),
                  DisabledRow("MnuMirrorOpts", 3, "下部至上部(&m)")};
  image.items = {DisabledRow("MnuImageOpts", 0, "按钮效果(&B)"),
                 DisabledRow("MnuImageOpts", 1, "屏幕捕获(&C)"),
                 DisabledRow("MnuImageOpts", 2, "底色梯度(&G)"),
                 MenuRow("MnuImageOpts", 3, "-"),
                 DisabledRow("MnuImageOpts", 4, "水平翻转(&H)"),
                 DisabledRow("MnuImageOpts", 5, "垂直翻转(&V)"),
                 MenuRow("MnuImageOpts", 6, "-"),
                 DisabledRow("MnuImageOpts", 7, "逆时针旋转(&A)"),
                 DisabledRow("MnuImageOpts", 8, "顺时针旋转(&D)"),
                 MenuRow("MnuImageOpts", 9, "-"),
                 mirror};

  MenuItem colour = MenuRow("MnuColor", 0, "颜色(&C)");
  MenuItem default_palette =
      MenuRow("MnuColorOpts", 4, "默认调色板(&D)", [this] { colours_.ShowDefaultPalette(); });
  default_palette.checked_when = [this] { return colours_.Mode() == PaletteMode::kDefault; };
  MenuItem random_palette =
      MenuRow("MnuColorOpts", 5, "随机调色板(&R)", [this] { colours_.ShowRandomPalette(); });
  random_palette.checked_when = [this] { return colours_.Mode() == PaletteMode::kRandom; };
  colour.items = {DisabledRow("MnuColorOpts", 0, "灰度(&G)"),
                  DisabledRow("MnuColorOpts", 1, "反色(&I)"),
                  DisabledRow("MnuColorOpts", 2, "颜色调整(&A)"),
                  MenuRow("MnuColorOpts", 3, "-"),
                  default_palette,
                  random_palette};

  MenuItem help = MenuRow("MnuHelp", 0, "帮助(&H)");
  help.items = {MenuRow("MnuHelpOpts", 0, "Tamsery主页(&H)",
                        // A home page that cannot be opened is not worth a message.
                        [this] { platform_.OpenUrl(std::string(kHomePage)); }),
                MenuRow("MnuHelpOpts", 1, "-"),
                MenuRow("MnuHelpOpts", 2, "关于(&A)", [this] { MnuHelpAbout(); })};

  std::vector<MenuItem> menus = {file, edit, image, colour, help};
  Evaluate(menus);
  return menus;
}

void frmMain::MenuOpened(const std::string& menu) {
  for (MenuItem& top : menus_)
    if (top.name == menu) Evaluate(top.items);
}

void frmMain::MenuCommand(const std::string& menu, const std::string& item, int index) {
  MenuOpened(menu);
  const MenuItem* entry = FindMenuItem(menus_, item, index);
  if (entry == nullptr || !entry->enabled || !entry->visible || !entry->command) return;
  entry->command();
}

void frmMain::ControlsChanged() {
  Evaluate(menus_);
  host_.ControlsChanged();
}

void frmMain::Form_Load() {
  colours_.Seed(platform_.ClockSeed());

  doc_.MakeRasters();
  canvas_.Tools().SetGlyphs(&doc_.Rasters().tool_glyphs());

  colours_.ShowDefaultPalette();

  recent_.LoadList();
  RecentListChanged();

  undo_.RecordStep();

  doc_.DocPath = std::string(kUntitled);
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));

  canvas_.Tools().MoveFrameTo(kToolPencil);
  canvas_.SelectTool(kToolPencil);
  canvas_.Tools().PicTools_Paint();

  FindMenuItem(menus_, "MnuExit", 0)->caption = "退出(&x)\tAlt+F4";
  Form_Paint();
  ControlsChanged();

  PlaceWindow();

  if (auto path = PathToOpen(command_line_)) {
    doc_.PendingPath = std::move(*path);
    doc_.OpenFromCommandLine = true;
    files_.MnuOpen_Click();
  }
}

void frmMain::Form_Paint() {
  // Frames stand around the canvas, the preview and the tool palette.
  std::vector<Rect> framed;
  for (const auto& [surface, at] : {std::pair{&doc_.PicMain, kPicMainAt},
                                    {&doc_.picIcon, kPicIconAt},
                                    {&PicTools, kPicToolsAt}}) {
    framed.push_back({at.left, at.top, at.left + surface->width(), at.top + surface->height()});
  }
  const ModIcoEd& rasters = doc_.Rasters();
  status_.Paint(framed, rasters.HasToolGlyphs() ? &rasters.tool_glyphs() : nullptr,
                colours_.CurrentColours());
}

void frmMain::Form_MouseUp(int, int, double, double) { selection_.Commit(); }

void frmMain::Form_Unload(bool& cancel) {
  if (!files_.QuerySave()) {
    cancel = true;
    return;
  }
  canvas_.Tools().SetGlyphs(nullptr);
  doc_.FreeRasters();
  undo_.ClearHistory();
  recent_.SaveList();
}

void frmMain::ResetDocument() {
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));
  doc_.DocPath = std::string(kUntitled);
  doc_.DocTitle.clear();

  selection_.Forget();
  doc_.MultiIcon = false;
  doc_.SaveSucceeded = false;
  doc_.Modified = false;

  canvas_.Tools().MoveFrameTo(kToolPencil);
  canvas_.SelectTool(kToolPencil);

  colours_.ShowDefaultPalette();
  colours_.ChkPal = false;
  ControlsChanged();

  doc_.ClearPicture();

  undo_.ClearHistory();
  undo_.RecordStep();
}

void frmMain::SetCanvasEnabled(bool enabled) {
  canvas_.SetEnabled(enabled);
  ControlsChanged();
}

void frmMain::RecentListChanged() {
  const auto& entries = recent_.Entries();
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    MenuItem* item = FindMenuItem(menus_, "MnuRecent", i);
    item->visible = entries[i].visible;
    if (i > 0) item->caption = entries[i].caption;
  }
  ControlsChanged();
}

void frmMain::MnuHelpAbout() {
  frmAbout about(platform_, caption_);
  about.Form_Load();
  platform_.ShowAbout(about);
}

void frmMain::PlaceWindow() {
  const Position place = CentredOnScreen(platform_.ScreenWidth(), platform_.ScreenHeight(),
                                         host_.OuterWidth(), host_.OuterHeight());
  host_.Move(place.left, place.top);
}

void frmMain::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  host_.SetCaption(caption_);
}

std::vector<ShownSurface> frmMain::ShownSurfaces() {
  ShownSurface canvas{&doc_.PicMain, kPicMainAt};
  canvas.on_press = [this](int b, int s, double x, double y) { PicMain_MouseDown(b, s, x, y); };
  canvas.on_move = [this](int b, int s, double x, double y) { PicMain_MouseMove(b, s, x, y); };
  canvas.on_release = [this](int b, int s, double x, double y) { PicMain_MouseUp(b, s, x, y); };
  canvas.enabled = [this] { return canvas_.Enabled(); };

  ToolPalette& palette = canvas_.Tools();
  ShownSurface tools{&PicTools, kPicToolsAt};
  tools.on_press = [&palette](int b, int s, double x, double y) {
    palette.PicTools_MouseDown(b, s, x, y);
  };
  tools.on_move = [&palette](int b, int s, double x, double y) {
    palette.PicTools_MouseMove(b, s, x, y);
  };
  tools.on_release = [&palette](int b, int s, double x, double y) {
    palette.PicTools_MouseUp(b, s, x, y);
  };
  tools.tooltip = [&palette] { return palette.ToolTipText(); };

  ShownSurface pal{&PicPal, kPicPalAt};
  pal.on_release = [this](int b, int s, double x, double y) { PicPal_MouseUp(b, s, x, y); };

  return {canvas, {&doc_.picIcon, kPicIconAt}, tools, pal};
}

}  // namespace pelorin
