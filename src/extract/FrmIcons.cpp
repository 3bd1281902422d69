#include "extract/FrmIcons.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "base/GridCursor.h"
#include "base/Text.h"
#include "raster/Blit.h"

namespace pelorin {

namespace {

// The icon count and the selected index are 16-bit numbers; a library that claims more icons
// shows the first 32,767.
int ShownCount(int count) {
  return std::clamp(count, 0, static_cast<int>(std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

bool IsAnimatedCursorPath(std::string_view path) {
  if (path.size() < 4) return false;
  std::string tail(path.substr(path.size() - 4));
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".ani";
}

FrmIcons::FrmIcons(Platform& platform)
    : Dialog(platform),
      PicIcons("PicIcons", kIconsGridWidth, kIconsShownHeight, kWhite),
      library_(IconLibrary::Open(std::string(kBuiltInLibraryPath))) {
  PicIcons.ForeColor = kHighlightColour;
}

void FrmIcons::Form_Load() {
  saved_pointer_ = platform_.GetScreenPointer();
  platform_.SetScreenPointer(ScreenPointer::kHourglass);
  platform_.DoEvents();

  // The system folder's shell32.dll when a Wine installation offers one with icons; otherwise
  // our own icons, so that the command is useful on any machine.
  system_folder_ = platform_.SystemDirectory();
  bool found = false;
  if (!system_folder_.empty()) {
    const std::string path = system_folder_ + std::string(kSystemLibraryName);
    IconLibrary system = IconLibrary::Open(path);
    const int count = system.Count();
    if (count > 0) {
      TakeLibrary(std::move(system), path, std::string(kSystemLibraryName), false, count);
      found = true;
    }
  }
  if (!found) {
    IconLibrary built_in = IconLibrary::Open(std::string(kBuiltInLibraryPath));
    const int count = built_in.Count();
    TakeLibrary(std::move(built_in), std::string(kBuiltInLibraryPath),
                std::string(kBuiltInLibraryName), false, count);
  }

  ShowLibraryCaption();
  DrawGrid();
  Changed();
  platform_.SetScreenPointer(saved_pointer_);
}

void FrmIcons::TakeLibrary(IconLibrary library, std::string path, std::string name, bool animated,
                           int count) {
  library_ = std::move(library);
  library_path_ = std::move(path);
  library_name_ = std::move(name);
  animated_ = animated;
  icon_count_ = static_cast<std::int16_t>(ShownCount(count));
}

void FrmIcons::ShowLibraryCaption() {
  SetCaption(std::string(kProgramTitle) + " - " + library_name_ + " - " +
             std::to_string(icon_count_) + " 个图标");
}

void FrmIcons::DrawGrid() {
  const int rows = (icon_count_ + kIconsPerRow - 1) / kIconsPerRow;
  if (rows <= kIconsShownHeight / kIconsCell) {
    PicIcons.Resize(kIconsGridWidth, kIconsShownHeight);
    vsb_.Enabled = false;
  } else {
    PicIcons.Resize(kIconsGridWidth, rows * kIconsCell);
    vsb_.Enabled = true;
    vsb_.Max = rows * kIconsCell - kIconsShownHeight;
  }
  vsb_.Min = 0;
  vsb_.Value = 0;
  Changed();
  platform_.DoEvents();

  const int bits = platform_.ScreenBitsPerPixel();
  Raster& grid = PicIcons.raster();
  for (int k = 0; k < icon_count_; ++k) {
    // An animated cursor's frames are the steps of icon 0; other files' icons have one step.
    const auto icon = animated_ ? library_.Draw(0, k, bits) : library_.Draw(k, 0, bits);
    if (!icon) continue;  // an icon that cannot be taken out leaves its cell blank
    StretchComposeIcon(grid, 3 + kIconsCell * (k % kIconsPerRow),
                       3 + kIconsCell * (k / kIconsPerRow), kIconSize, kIconSize, icon->mask,
                       icon->image);
  }
  PicIcons.Refresh();

  highlight_x_ = 1;
  highlight_y_ = 1;
  PicIcons.Line(1, 1, kIconsCell - 1, kIconsCell - 1, LineKind::kBox);
  PicIcons.Refresh();
  selected_index_ = 0;
}

void FrmIcons::Vsb_Change(int value) {
  vsb_.Value = std::clamp(value, vsb_.Min, vsb_.Max);
  Changed();
}

bool FrmIcons::SelectAt(double fx, double fy) {
  if (browsing_) return false;
  const long x = std::lrint(fx);
  const long y = std::lrint(fy);
  if (x < 0 || x >= kIconsGridWidth || y < 0 || y > PicIcons.height()) return false;
  const long index = (y / kIconsCell) * kIconsPerRow + x / kIconsCell;
  if (index + 1 > icon_count_) return false;

  selected_index_ = static_cast<std::int16_t>(index);
  lbl_info_ = std::to_string(index + 1) + " 号图标被选中";
  PicIcons.Line(highlight_x_, highlight_y_, highlight_x_ + kIconsCell - 2,
                highlight_y_ + kIconsCell - 2, LineKind::kBox, kWhite);
  highlight_x_ = static_cast<int>(kIconsCell * (x / kIconsCell) + 1);
  highlight_y_ = static_cast<int>(kIconsCell * (y / kIconsCell) + 1);
  PicIcons.Line(highlight_x_, highlight_y_, highlight_x_ + kIconsCell - 2,
                highlight_y_ + kIconsCell - 2, LineKind::kBox);
  PicIcons.Refresh();
  Changed();
  return true;
}

void FrmIcons::PicIcons_MouseUp(int, int, double x, double y) { SelectAt(x, y); }

void FrmIcons::PicIcons_DblClick(int, int, double x, double y) {
  if (SelectAt(x, y)) CmdOk_Click();
}

Rect FrmIcons::IconCell(int index) {
  const int left = kIconsCell * (index % kIconsPerRow);
  const int top = kIconsCell * (index / kIconsPerRow);
  return {left, top, left + kIconsCell, top + kIconsCell};
}

bool FrmIcons::PicIcons_KeyDown(int key, int shift) {
  if (browsing_ || icon_count_ <= 0) return false;
  GridCursor cursor(kIconsPerRow, (icon_count_ + kIconsPerRow - 1) / kIconsPerRow, 1,
                    kIconsShownHeight / kIconsCell);
  cursor.SetCount(icon_count_);
  cursor.MoveTo(selected_index_);
  if (!cursor.Move(key, shift)) return false;
  const Rect cell = IconCell(cursor.Index());
  // The grid scrolls as little as shows the icon's row.
  if (vsb_.Enabled) {
    if (cell.top < vsb_.Value) vsb_.Value = cell.top;
    if (cell.bottom > vsb_.Value + kIconsShownHeight) vsb_.Value = cell.bottom - kIconsShownHeight;
    vsb_.Value = std::clamp(vsb_.Value, vsb_.Min, vsb_.Max);
  }
  SelectAt((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  return true;
}

void FrmIcons::CmdBrowse_Click() {
  browsing_ = true;
  FileDialogSettings settings;
  settings.title = std::string(kProgramTitle) + " - 打开";
  settings.filter = kLibraryFilter;
  settings.filter_index = kLibraryFilterIndex;
  settings.must_exist = true;
  const std::optional<FileChoice> choice = platform_.ShowOpen(settings);
  if (!choice) {
    // Cancelled: everything stays as it was.
    browsing_ = false;
    return;
  }
  const std::string& name = choice->name;

  IconLibrary library = IconLibrary::Open(choice->path);
  if (!library.IsOpen()) {
    platform_.MsgBox("打不开文件 " + name, MsgButtons::kOk, MsgIcon::kExclamation, ErrorTitle());
    browsing_ = false;
    return;
  }
  const bool animated = IsAnimatedCursorPath(name);
  const int count = animated ? library.StepCount() : library.Count();
  if (count == 0) {
    // The file shown before stays the one shown, chosen from and handed back by OK: the grid,
    // the caption and the outcome always name the same file.
    platform_.MsgBox(name + " 不包含图标。", MsgButtons::kOk, MsgIcon::kInformation, kProgramTitle);
    browsing_ = false;
    return;
  }
  TakeLibrary(std::move(library), choice->path, name, animated, count);
  ShowLibraryCaption();
  lbl_info_ = "1 号图标被选中";
  PicIcons.Cls();
  Changed();
  platform_.DoEvents();
  DrawGrid();
  Changed();
  browsing_ = false;
}

void FrmIcons::CmdOk_Click() {
  HideWithTag(kTagOk);
  CmdOk_Tag = library_path_;
  CmdBrowse_Tag = std::to_string(selected_index_);
  visible_ = false;
  Changed();
}

void FrmIcons::CmdCancel_Click() {
  HideWithTag(kTagCancelled);
  visible_ = false;
  Changed();
}

}  // namespace pelorin
