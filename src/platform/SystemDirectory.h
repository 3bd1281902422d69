// The Windows system folder as a Linux desktop has one: the folder of a Wine installation that
// holds the system's libraries, shell32.dll among them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin {

// The system library with the icons, as Wine names its file.
inline constexpr std::string_view kSystemLibraryName = "shell32.dll";

// Where a Wine installation may keep shell32.dll, in the order they are tried: the user's prefix
// ($WINEPREFIX, else ~/.wine), then Wine's system-wide library folders (64-bit first).
// `environment` gives a variable's value, or nullopt when it is not set.
std::vector<std::string> WineSystemFolders(
    const std::function<std::optional<std::string>(const char*)>& environment);

// The first of `folders` that holds shell32.dll, with a '/' at its end; empty when none does.
std::string FindSystemDirectory(const std::vector<std::string>& folders);

}  // namespace pelorin
