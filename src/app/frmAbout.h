// The About dialog: the program's icon, the main window's title, the version, a description and
// two notices, an OK button that closes it and a button that starts the system's information
// tool. This is the dialog's behaviour; frmAboutView shows it with Qt and the tests drive it
// directly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ModalDialog.h"
#include "platform/Platform.h"
#include "raster/Picture.h"

namespace pelorin {

// The program's version, shown as "Version major.minor.revision". Keep it in step with
// project(... VERSION ...) in CMakeLists.txt.
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// The message when no information tool can be started.
inline constexpr std::string_view kSysInfoUnavailable =
    "System Information Is Unavailable At This Time";

class frmAbout : public Dialog {
 public:
  // `main_window_title` is the main window's title bar text at the moment the dialog opens.
  frmAbout(Platform& platform, std::string main_window_title);

  // The load handler: fills lblTitle and lblVersion.
  void Form_Load();
  // OK (also Enter and Esc): the dialog is done and closes itself.
  void cmdOK_Click();
  // "&System Info...": starts the information tool; the dialog stays open whatever happens.
  void cmdSysInfo_Click();

  // Starts the system's information tool, or says that there is none (see the .cpp for the
  // order in which the candidates are tried).
  void StartSysInfo();
  // One value of the system-wide settings store: its text cut at the first zero character and
  // to at most 1,024 bytes; nullopt when the group or the value is missing.
  std::optional<std::string> GetKeyValue(const std::string& group, const std::string& name);

  // True once OK was pressed: the view closes the window.
  bool Done() const { return Hidden(); }

  // What the controls show.
  Picture picIcon;         // the program's 32 x 32 icon
  std::string lblTitle;    // set by Form_Load
  std::string lblVersion;  // set by Form_Load
  std::string lblDescription = "32 x 32 真彩色Pelorin";
  // In the menus' and dialogs' own words: 图象 and 象素.
  std::string lblPurpose = "编辑 32 x 32 象素图标：24 位真彩色图象，1 位透明遮罩。";
  std::string lblCopyright = "版权所有 © Tamsery";
  // What a screen reader calls the icon.
  std::string picIconName = "Pelorin 图标";

 private:
  std::string main_window_title_;
};

}  // namespace pelorin
