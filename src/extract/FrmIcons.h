// The icon browser: a modal dialog that shows every icon of one file (or every frame of one
// animated cursor) in a scrolling grid, lets the user pick one and choose another file. This is
// the dialog's behaviour; FrmIconsView shows it with Qt and the tests drive it directly.
//
// Layout (client area 417 x 245):
//
//   PicFrame (8, 8) 401 x 194, sunken: PicIcons (0, -Vsb) 380 wide, Vsb (380, 0) 17 x 190
//   (an arrow scrolls one row of 38 pixels, the trough and the page keys the 190 shown)
//   LblInfo (8, 224)      CmdBrowse (206, 212)  CmdOk (276, 212)  CmdCancel (347, 212), 65 x 25
//
// The grid: 10 cells of 38 x 38 a row, icon k drawn at (3 + 38 (k mod 10), 3 + 38 (k div 10));
// the selected cell is outlined in red.
//
// The outcome, read by the caller once the dialog is hidden: Tag is "Ok" or "Cancelled" (empty
// when the dialog was closed any other way, which counts as cancelled), CmdOk_Tag the library
// path and CmdBrowse_Tag the selected index in decimal.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "extract/IconLibrary.h"
#include "platform/ModalDialog.h"
#include "platform/Platform.h"
#include "raster/Surface.h"

namespace pelorin {

inline constexpr int kIconsGridWidth = 380;
inline constexpr int kIconsShownHeight = 190;
inline constexpr int kIconsCell = 38;
inline constexpr int kIconsPerRow = 10;
inline constexpr Colour kHighlightColour = 0x0000FF;  // red
// The file filter of Browse and the entry it starts on (the libraries).
inline constexpr std::string_view kLibraryFilter =
    "所有文件(*.*)|*.*|动画光标(*.ani)|*.ani|动态链接库(*.dll)|*.dll|运行文件(*.exe)|*.exe|"
    "图标库(*.icl)|*.icl";
inline constexpr int kLibraryFilterIndex = 3;

// Whether a path names an animated cursor: it ends in ".ani", in any letter case.
bool IsAnimatedCursorPath(std::string_view path);

class FrmIcons : public Dialog {
 public:
  explicit FrmIcons(Platform& platform);

  // The load handler: the hourglass, the system's library (Wine's shell32.dll, else the built-in
  // library), the caption and the grid.
  void Form_Load();
  void CmdBrowse_Click();
  void CmdOk_Click();
  void CmdCancel_Click();
  // A release of any button on the grid, in the grid's own pixels: selects the icon there.
  void PicIcons_MouseUp(int button, int shift, double x, double y);
  // A double-click on an icon selects it and presses OK.
  void PicIcons_DblClick(int button, int shift, double x, double y);
  // The keyboard on the grid (codes and shift as in base/Keys.h): the arrow keys select the icon
  // beside the selected one, Home and End the first and the last of its row, Page Up and Page
  // Down the icon five rows up or down, Ctrl+Home and Ctrl+End the first and the last icon; the
  // grid scrolls to show it. True when the key was used.
  bool PicIcons_KeyDown(int key, int shift);
  // The scroll bar moved to `value` (by a drag, a click or the keyboard).
  void Vsb_Change(int value);
  void Vsb_Scroll(int value) { Vsb_Change(value); }

  // The outcome.
  std::string CmdOk_Tag;
  std::string CmdBrowse_Tag;

  // What the view shows.
  const std::string& LblInfo() const { return lbl_info_; }
  const ScrollBarState& Vsb() const { return vsb_; }
  // Where the grid's top stands inside PicFrame (minus the scroll bar's value).
  int PicIconsTop() const { return -vsb_.Value; }
  // False once OK or Cancel has hidden the dialog.
  bool Visible() const { return visible_; }
  // Called after anything the view shows has changed (caption, label, scroll bar, visibility).
  void SetChangeHandler(std::function<void()> handler) { on_change_ = std::move(handler); }

  // The grid, white with red as its foreground colour.
  Surface PicIcons;

  // What a screen reader reads: the grid, each icon, the grid's cell of an icon, the scroll bar.
  const std::string PicIconsName = "图标";
  const std::string PicIconsHelp = "方向键选择图标，回车键确定";
  static std::string IconName(int index) { return std::to_string(index + 1) + " 号图标"; }
  static Rect IconCell(int index);
  const std::string VsbName = "滚动图标";

  // The browser's state.
  const std::string& LibraryPath() const { return library_path_; }
  int IconCount() const { return icon_count_; }
  int SelectedIndex() const { return selected_index_; }
  bool AnimatedCursorMode() const { return animated_; }
  int HighlightX() const { return highlight_x_; }
  int HighlightY() const { return highlight_y_; }

 private:
  // Makes `library` the one shown, with its path, name and count (nothing is drawn).
  void TakeLibrary(IconLibrary library, std::string path, std::string name, bool animated,
                   int count);
  void ShowLibraryCaption();
  void DrawGrid();
  // Selects the icon at grid point (x, y); false when there is none there.
  bool SelectAt(double x, double y);
  void Changed() const {
    if (on_change_) on_change_();
  }

  IconLibrary library_;
  std::string library_path_;
  std::string library_name_;
  std::int16_t icon_count_ = 0;
  std::int16_t selected_index_ = 0;
  int highlight_x_ = 1;
  int highlight_y_ = 1;
  bool animated_ = false;
  bool browsing_ = false;
  ScreenPointer saved_pointer_ = ScreenPointer::kDefault;
  std::string system_folder_;
  std::string lbl_info_ = "1 号图标被选中";
  // An arrow moves the grid by a row, a click in the trough by the rows shown.
  ScrollBarState vsb_{
      .SmallChange = kIconsCell, .LargeChange = kIconsShownHeight, .Enabled = false};
  bool visible_ = true;
  std::function<void()> on_change_;
};

}  // namespace pelorin
