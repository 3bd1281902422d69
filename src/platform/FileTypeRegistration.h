// Makes the desktop open icon files with Pelorin.
//
// At every start we install a desktop entry "pelorin.desktop" in the user's applications folder
// and name it the default for the icon types in the user's mimeapps.list. The entry's Exec line
// runs this very program with "/open %f", so moving the program and starting it once is enough
// to repair the association.
//
// Registration is a convenience, never a reason to fail: nothing here throws, and a folder we
// cannot write leaves whatever was there untouched.
#pragma once

#include <filesystem>
#include <string>

namespace pelorin {

// The user's XDG base folders; an empty path means it could not be determined.
struct XdgDirs {
  std::filesystem::path data_home;    // $XDG_DATA_HOME, else $HOME/.local/share
  std::filesystem::path config_home;  // $XDG_CONFIG_HOME, else $HOME/.config
};

// Reads XDG_DATA_HOME, XDG_CONFIG_HOME and HOME. Relative or empty values are ignored, as the XDG
// base directory rules ask.
XdgDirs XdgDirsFromEnvironment();

// The Exec value that starts `program_path` with "/open %f", quoted and escaped for a desktop
// entry file (argument quoting first, then the string escapes of the file).
std::string DesktopExecValue(const std::string& program_path);

// Writes <data_home>/applications/pelorin.desktop and makes it the default for
// image/vnd.microsoft.icon and image/x-icon in <config_home>/mimeapps.list. Returns whether both
// files are now in place; callers may ignore it.
bool RegisterIconFileType(const std::string& program_path, const XdgDirs& dirs);

}  // namespace pelorin
