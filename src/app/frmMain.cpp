#include "app/frmMain.h"

#include <utility>

#include "app/Accessibility.h"
#include "app/StartUp.h"
#include "app/frmAbout.h"
#include "base/Geometry.h"
#include "recent/RecentCaption.h"

namespace pelorin {

namespace {

// Where the shown surfaces stand in the client area.
constexpr Position kPicMainAt = {12, 15};
constexpr Position kPicIconAt = {350, 15};
constexpr Position kPicToolsAt = {458, 15};
constexpr Position kPicPalAt = {346, 132};

}  // namespace

frmMain::frmMain(Platform& platform, WindowHost& host, std::vector<std::string> arguments)
    : Form("frmMain", kClientWidth, kClientHeight, platform.SysColor(SysColour::kButtonFace)),
      // Sized by the tool palette to its tools.
      PicTools("PicTools", ToolPalette::kWidth, 0, platform.SysColor(SysColour::kButtonFace)),
      PicPal("PicPal", 16 * kPaletteCell, 16 * kPaletteCell, kWhite),
      platform_(platform),
      host_(host),
      arguments_(std::move(arguments)),
      doc_(platform.SysColor(SysColour::kButtonFace)),
      status_(Form, doc_.BackColor(), platform.SysColor(SysColour::kButtonShadow),
              platform.SysColor(SysColour::kButtonHighlight)),
      undo_(doc_, platform),
      selection_(doc_),
      changes_(doc_, selection_),
      colours_(
          platform, PicPal, [this] { ControlsChanged(); },
          [this](const std::array<Colour, 2>& current) { status_.RefillSwatches(current); }),
      canvas_(doc_, PicTools, status_, selection_, colours_, platform),
      canvas_keys_(canvas_),
      tool_keys_(canvas_),
      palette_keys_(colours_),
      recent_(platform),
      files_(doc_, undo_, recent_, platform, *this),
      extract_(files_, *this, platform),
      clipboard_(doc_, selection_, canvas_, platform),
      image_(doc_, selection_, changes_, platform, host),
      recolour_(doc_, selection_, changes_, platform),
      menus_(BuildMenus()) {}

// The menu table: one row per item.
std::vector<MenuItem> frmMain::BuildMenus() {
  const auto recent = [this](int entry) {
    MenuItem item = MenuRow("MnuRecent", entry, entry == 0 ? "-" : "", [this, entry] {
                      files_.MnuRecent_Click(entry);
                    }).Hidden();
    item.literal = true;
    return item;
  };
  // Undo and redo commit any selection first.
  const auto committed = [this](void (UndoHistory::*step)()) {
    return [this, step] {
      selection_.Commit();
      (undo_.*step)();
    };
  };
  const auto selected = [this] { return selection_.Exists(); };
  const auto pastable = [this] { return clipboard_.CanPaste(); };
  // The mirror items' enabling follows the selection's size, worked out when the menu opens.
  const auto mirror = [this](int index, MirrorItem half, const char* caption) {
    return MenuRow("MnuMirrorOpts", index, caption, [this, half] { image_.Mirror(half); })
        .EnabledWhen([this, half] { return image_.MirrorEnabled(half); });
  };
  const auto palette_is = [this](PaletteMode mode) {
    return [this, mode] { return colours_.Mode() == mode; };
  };

  std::vector<MenuItem> menus = {
      MenuRow("MnuFile", 0, "文件(&F)")
          .WithItems({
              MenuRow(
                  "MnuNew", 0, "新建(&N)", [this] { files_.MnuNew_Click(); }, "Ctrl+N"),
              Separator("MnuFileSep", 0),
              MenuRow(
                  "MnuOpen", 0, "打开(&O)", [this] { files_.MnuOpen_Click(); }, "Ctrl+O"),
              MenuRow("MnuExtract", 0, "提取(&E)", [this] { extract_.MnuExtract_Click(); }),
              Separator("MnuFileSep", 1),
              MenuRow(
                  "MnuSave", 0, "保存(&S)", [this] { files_.MnuSave_Click(); }, "Ctrl+S"),
              MenuRow("MnuSaveAs", 0, "另存(&A)", [this] { files_.MnuSaveAs_Click(); }),
              recent(0),
              recent(1),
              recent(2),
              recent(3),
              recent(4),
              Separator("MnuFileSep", 2),
              MenuRow("MnuExit", 0, "退出(&x)", [this] { host_.Close(); }),
          }),
      MenuRow("MnuEdit", 0, "编辑(&E)")
          .WithItems({
              MenuRow("MnuEditOpts", 0, "撤消(&U)", committed(&UndoHistory::UndoStep), "Ctrl+Z")
                  .EnabledWhen([this] { return undo_.Steps().CanUndo(); }),
              MenuRow("MnuEditOpts", 1, "重复(&R)", committed(&UndoHistory::RedoStep))
                  .EnabledWhen([this] { return undo_.Steps().CanRedo(); })
                  .AlsoKeys({"Ctrl+Y", "Ctrl+Shift+Z"}),
              Separator("MnuEditOpts", 2),
              MenuRow(
                  "MnuEditOpts", 3, "剪切(u&)", [this] { clipboard_.CutSelection(); }, "Ctrl+X")
                  .EnabledWhen(selected),
              MenuRow(
                  "MnuEditOpts", 4, "复制(&C)", [this] { clipboard_.CopySelection(); }, "Ctrl+C")
                  .EnabledWhen(selected),
              MenuRow(
                  "MnuEditOpts", 5, "透明粘贴(&P)", [this] { clipboard_.PasteClipboard(false); },
                  "Ctrl+V")
                  .EnabledWhen(pastable),
              MenuRow("MnuEditOpts", 6, "覆盖粘贴(&O)", [this] { clipboard_.PasteClipboard(true); })
                  .EnabledWhen(pastable),
              MenuRow(
                  "MnuEditOpts", 7, "删除(&D)", [this] { clipboard_.MnuDelete_Click(); }, "Del")
                  .EnabledWhen(selected),
              Separator("MnuEditOpts", 8),
              MenuRow("MnuEditOpts", 9, "全选(&S)", [this] { clipboard_.SelectAll(); })
                  .AlsoKeys({"Ctrl+A"}),
          }),
      MenuRow("MnuImage", 0, "图象(&I)")
          .WithItems({
              MenuRow("MnuImageOpts", 0, "按钮效果(&B)", [this] { image_.ButtonEffect(); }),
              MenuRow("MnuImageOpts", 1, "屏幕捕获(&C)", [this] { image_.ScreenCapture(); }),
              MenuRow("MnuImageOpts", 2, "底色梯度(&G)", [this] { image_.BackgroundGradient(); }),
              Separator("MnuImageOpts", 3),
              MenuRow("MnuImageOpts", 4, "水平翻转(&H)",
                      [this] { image_.Flip(FlipAxis::kHorizontal); }),
              MenuRow("MnuImageOpts", 5, "垂直翻转(&V)",
                      [this] { image_.Flip(FlipAxis::kVertical); }),
              Separator("MnuImageOpts", 6),
              MenuRow("MnuImageOpts", 7, "逆时针旋转(&A)",
                      [this] { image_.Rotate(Turn::kAnticlockwise); }),
              MenuRow("MnuImageOpts", 8, "顺时针旋转(&D)",
                      [this] { image_.Rotate(Turn::kClockwise); }),
              Separator("MnuImageOpts", 9),
              MenuRow("MnuImageOpts", 10, "镜象(&M)")
                  .WithItems({
                      mirror(0, kLeftToRight, "左半至右半(&e)"),
                      mirror(1, kRightToLeft, "右半至左半(&f)"),
                      mirror(2, kTopToBottom, "上部至下部(&T)"),
                      mirror(3, kBottomToTop, "下部至上部(&m)"),
                  }),
          }),
      MenuRow("MnuColor", 0, "颜色(&C)")
          .WithItems({
              MenuRow("MnuColorOpts", 0, "灰度(&G)", [this] { recolour_.MakeGrayscale(); }),
              MenuRow("MnuColorOpts", 1, "反色(&I)", [this] { recolour_.InvertColours(); }),
              MenuRow("MnuColorOpts", 2, "颜色调整(&A)", [this] { recolour_.AdjustColours(); }),
              Separator("MnuColorOpts", 3),
              MenuRow("MnuColorOpts", 4, "默认调色板(&D)",
                      [this] { colours_.ShowDefaultPalette(); })
                  .CheckedWhen(palette_is(PaletteMode::kDefault)),
              MenuRow("MnuColorOpts", 5, "随机调色板(&R)", [this] { colours_.ShowRandomPalette(); })
                  .CheckedWhen(palette_is(PaletteMode::kRandom)),
          }),
      MenuRow("MnuHelp", 0, "帮助(&H)")
          .WithItems({
              // A home page that cannot be opened is not worth a message.
              MenuRow("MnuHelpOpts", 0, "Tamsery主页(&H)",
                      [this] { platform_.OpenUrl(std::string(kHomePage)); }),
              Separator("MnuHelpOpts", 1),
              MenuRow("MnuHelpOpts", 2, "关于(&A)", [this] { MnuHelpAbout(); }),
          }),
  };
  Evaluate(menus);
  return menus;
}

void frmMain::MenuOpened(const std::string& menu) {
  // A menu that opens while a button is held on the canvas (its access key) ends the gesture:
  // the release would never come back to the canvas, and the items must be worked out from the
  // picture as the gesture leaves it.
  canvas_.FinishGesture();
  for (MenuItem& top : menus_)
    if (top.name == menu) Evaluate(top.items);
}

void frmMain::MenuCommand(const std::string& menu, const std::string& item, int index) {
  // A command lets pending events run at fixed points (after a dialog, inside a capture); a
  // click or key handled there does not start a second command inside the first.
  if (running_command_) return;
  MenuOpened(menu);
  const MenuItem* entry = FindMenuItem(menus_, item, index);
  if (entry == nullptr || !entry->enabled || !entry->visible || !entry->command) return;
  struct Running {
    bool& flag;
    explicit Running(bool& f) : flag(f) { flag = true; }
    ~Running() { flag = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;
  } running(running_command_);
  entry->command();
}

void frmMain::ControlsChanged() {
  Evaluate(menus_);
  host_.ControlsChanged();
}

void frmMain::Form_Load() {
  colours_.Seed(platform_.ClockSeed());

  doc_.MakeRasters(canvas_.Tools().Glyphs());
  canvas_.Tools().SetGlyphs(&doc_.Rasters().tool_glyphs());

  colours_.ShowDefaultPalette();

  recent_.LoadList();
  RecentListChanged();

  undo_.RecordStep();

  doc_.SetFile(std::string(kUntitled), {}, false);
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));

  canvas_.ChooseTool(kToolPencil);
  canvas_.Tools().PicTools_Paint();

  FindMenuItem(menus_, "MnuExit", 0)->caption = "退出(&x)\tAlt+F4";
  Form_Paint();
  ControlsChanged();

  PlaceWindow();

  const FileAtStart start = FileToOpenAtStart(arguments_);
  if (!start.path) return;
  files_.Open(*start.path);
  if (start.others > 0) {
    platform_.MsgBox("Pelorin 一次只编辑一个图标：命令行上 " + FileNamePart(*start.path) +
                         " 以外的 " + std::to_string(start.others) + " 个文件没有打开。",
                     MsgButtons::kOk, MsgIcon::kInformation, kProgramTitle);
  }
}

void frmMain::OpenDroppedFile(const std::vector<std::string>& files) {
  canvas_.FinishGesture();
  if (files.empty()) return;
  ClipboardPicture picture = platform_.ReadPictureFile(files.front());
  if (picture.kind == ClipboardPicture::Kind::kPicture ||
      picture.kind == ClipboardPicture::Kind::kTooLarge) {
    clipboard_.PasteDroppedPicture(std::move(picture), FileNamePart(files.front()));
    return;
  }
  // Icons, and anything that is no picture, go to the open, which says what it cannot open.
  files_.OpenDroppedFile(files);
}

void frmMain::Form_Paint() {
  // Frames stand around the canvas, the preview and the tool palette.
  std::vector<Rect> framed;
  for (const auto& [surface, at] :
       {std::pair<const Surface*, Position>{&doc_.PicMain(), kPicMainAt},
        {&doc_.picIcon(), kPicIconAt},
        {&PicTools, kPicToolsAt}}) {
    framed.push_back({at.left, at.top, at.left + surface->width(), at.top + surface->height()});
  }
  const ModIcoEd& rasters = doc_.Rasters();
  status_.Paint(framed, rasters.HasToolGlyphs() ? &rasters.status_symbols() : nullptr,
                colours_.CurrentColours());
}

// A click on the window outside its controls commits any selection.
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
  ClearDocument();
  SetCaption(std::string(kProgramTitle) + " - " + std::string(kUntitled));
  undo_.RecordStep();
}

void frmMain::ClearDocument() {
  doc_.SetFile(std::string(kUntitled), {}, false);

  selection_.Forget();
  doc_.MarkUnmodified();

  canvas_.ChooseTool(kToolPencil);

  colours_.ShowDefaultPalette();
  colours_.ChkPal = false;
  ControlsChanged();

  doc_.ClearPicture();

  undo_.ClearHistory();
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
    if (i > 0) item->caption = RecentCaption(entries[i].caption);
  }
  ControlsChanged();
}

void frmMain::MnuHelpAbout() {
  frmAbout about(platform_, caption_);
  about.Form_Load();
  platform_.ShowDialog(about);
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
  ShownSurface canvas{&doc_.PicMain(), kPicMainAt};
  canvas.on_press = [this](int b, int s, double x, double y) { PicMain_MouseDown(b, s, x, y); };
  canvas.on_move = [this](int b, int s, double x, double y) { PicMain_MouseMove(b, s, x, y); };
  canvas.on_release = [this](int b, int s, double x, double y) { PicMain_MouseUp(b, s, x, y); };
  canvas.enabled = [this] { return canvas_.Enabled(); };
  canvas.on_key_down = [this](int k, int s, bool r) { return canvas_keys_.KeyDown(k, s, r); };
  canvas.on_key_up = [this](int k, int s, bool r) { return canvas_keys_.KeyUp(k, s, r); };
  canvas.on_focus_lost = [this] { canvas_keys_.FocusLost(); };
  canvas.key_cursor = [this] { return canvas_keys_.Frame(); };
  canvas.accessible = CanvasAccessible(doc_, canvas_keys_);

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
  tools.on_key_down = [this](int k, int s, bool r) { return tool_keys_.KeyDown(k, s, r); };
  tools.on_focus_taken = [this] { tool_keys_.FocusTaken(); };
  tools.key_cursor = [this] { return tool_keys_.Frame(); };
  tools.accessible = ToolsAccessible(canvas_, tool_keys_);

  ShownSurface pal{&PicPal, kPicPalAt};
  pal.on_release = [this](int b, int s, double x, double y) { PicPal_MouseUp(b, s, x, y); };
  pal.on_key_down = [this](int k, int s, bool r) { return palette_keys_.KeyDown(k, s, r); };
  pal.key_cursor = [this] { return palette_keys_.Frame(); };
  pal.accessible = PaletteAccessible(colours_, palette_keys_);

  ShownSurface preview{&doc_.picIcon(), kPicIconAt};
  preview.accessible = PreviewAccessible();
  return {canvas, preview, tools, pal};
}

std::vector<SpokenArea> frmMain::SpokenAreas() const {
  return StatusSpokenAreas(status_, colours_);
}

}  // namespace pelorin
