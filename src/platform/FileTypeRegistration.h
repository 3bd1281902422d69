// Makes the desktop open icon files with Pelorin.
//
// At every start we install a desktop entry "pelorin.desktop" in the user's applications folder
// and name it the default for the icon types in the user's mimeapps.list. The entry's Exec line
// runs the program with "/open %f", so moving the program and starting it once is enough to
// repair the association. Its TryExec names the same program: once that is gone (the package
// removed, the build folder deleted) desktops ignore the entry and the default with it, and open
// icons with whatever else can. To undo the association, delete the entry and the two lines that
// name it in mimeapps.list.
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

// The program the association is to name when `program_path` is running. A program started from
// a CMake build folder (a CMakeCache.txt beside it) names the first "pelorin" on `search_path`
// (PATH's list of folders) outside any build folder when there is one: the installed program
// outlives a build folder, which is often deleted. Otherwise, and for every other program, the
// running program itself.
std::string RegisteredProgram(const std::string& program_path, const std::string& search_path);

// Writes <data_home>/applications/pelorin.desktop and makes it the default for
// image/vnd.microsoft.icon and image/x-icon in <config_home>/mimeapps.list. Returns whether both
// files are now in place; callers may ignore it.
bool RegisterIconFileType(const std::string& program_path, const XdgDirs& dirs);

}  // namespace pelorin
