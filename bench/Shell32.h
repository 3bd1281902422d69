// Where the benchmarks find Wine's 64-bit shell32.dll (a 14 MB library with many icons): in
// Debian's libwine package (apt-get install libwine), which Pelorin itself does not need, or
// wherever $PELORIN_SHELL32 names another copy.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace pelorin {

// The folder that holds the library, with a '/' at its end.
inline std::string Shell32Folder() {
  if (const char* path = std::getenv("PELORIN_SHELL32"))
    return std::filesystem::path(path).parent_path().string() + "/";
  return "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/";
}

inline std::string Shell32Path() { return Shell32Folder() + "shell32.dll"; }

// Why a benchmark stops without the library; empty when it is there.
inline std::string Shell32Missing() {
  if (std::filesystem::exists(Shell32Path())) return {};
  return "no shell32.dll in " + Shell32Folder() +
         ": install Debian's libwine package (apt-get install libwine) or set PELORIN_SHELL32";
}

}  // namespace pelorin
