#include "app/frmAbout.h"

#include <array>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/StartUp.h"
#include "base/Text.h"

namespace pelorin {

namespace {

// Where an information tool's location may be recorded in the system-wide settings store: the
// tool's own path, or the folder that holds MSINFO32.EXE.
constexpr const char* kSysInfoGroup = "SOFTWARE/Microsoft/Shared Tools/MSINFO";
constexpr const char* kSysInfoValue = "PATH";
constexpr const char* kSysInfoFolderGroup = "SOFTWARE/Microsoft/Shared Tools Location";
constexpr const char* kSysInfoFolderValue = "MSINFO";
constexpr const char* kSysInfoProgram = "MSINFO32.EXE";

// A Linux desktop has no single information tool, so we look for the usual ones. The dedicated
// system-information programs come first, because they show what the user asked for (hardware,
// operating system, drivers): hardinfo2 (the maintained successor), hardinfo, then KDE's
// kinfocenter. Then the desktops' own system monitors, which at least show the machine and its
// load: GNOME's (also Cinnamon's and Budgie's), MATE's, Xfce's and LXDE's.
constexpr std::array<const char*, 7> kSysInfoTools = {
    "hardinfo2",           "hardinfo",          "kinfocenter", "gnome-system-monitor",
    "mate-system-monitor", "xfce4-taskmanager", "lxtask",
};

// The longest value we read from the settings store.
constexpr std::size_t kMaxValueBytes = 1024;

}  // namespace

frmAbout::frmAbout(Platform& platform, std::string main_window_title)
    : Dialog(platform),
      picIcon(LoadPictureResource("window-icon.txt")),
      main_window_title_(std::move(main_window_title)) {
  SetCaption("关于");
}

void frmAbout::Form_Load() {
  lblVersion = "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
               "." + std::to_string(kVersionRevision);
  lblTitle = main_window_title_;
}

void frmAbout::cmdOK_Click() { HideWithTag(kTagOk); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
  // Each place is tried in turn; a program that is named but will not start lets the next place
  // have its chance, and only when none started does the user hear about it. An empty value
  // names nothing (an empty folder would make the tool's path relative to wherever we run).
  const std::optional<std::string> path = GetKeyValue(kSysInfoGroup, kSysInfoValue);
  if (path && !path->empty() && platform_.StartProgram(*path, {})) return;

  const std::optional<std::string> folder = GetKeyValue(kSysInfoFolderGroup, kSysInfoFolderValue);
  if (folder && !folder->empty()) {
    const std::filesystem::path program = std::filesystem::path(*folder) / kSysInfoProgram;
    std::error_code error;
    if (std::filesystem::is_regular_file(program, error) &&
        platform_.StartProgram(program.string(), {}))
      return;
  }

  // Only the first tool found is tried: the list is in order of preference, and an installed
  // tool that will not start is a fault the user should hear about, not a reason to guess on.
  for (const char* tool : kSysInfoTools) {
    const std::string found = platform_.FindProgram(tool);
    if (found.empty()) continue;
    if (platform_.StartProgram(found, {})) return;
    break;
  }

  platform_.MsgBox(kSysInfoUnavailable, MsgButtons::kOk, MsgIcon::kNone, kProgramTitle);
}

std::optional<std::string> frmAbout::GetKeyValue(const std::string& group,
                                                 const std::string& name) {
  std::optional<std::string> value = platform_.GetSystemSetting(group, name);
  if (!value) return std::nullopt;
  const std::size_t zero = value->find('\0');
  if (zero != std::string::npos) value->resize(zero);
  if (value->size() > kMaxValueBytes) {
    value->resize(kMaxValueBytes);
    DropCutCharacter(*value);
  }
  return value;
}

}  // namespace pelorin
