#include "platform/SystemDirectory.h"

#include <filesystem>
#include <system_error>

namespace pelorin {

std::vector<std::string> WineSystemFolders(
    const std::function<std::optional<std::string>(const char*)>& environment) {
  std::vector<std::string> folders;
  const auto prefix = environment("WINEPREFIX");
  if (prefix && !prefix->empty()) {
    folders.push_back(*prefix + "/drive_c/windows/system32");
  } else if (const auto home = environment("HOME"); home && !home->empty()) {
    folders.push_back(*home + "/.wine/drive_c/windows/system32");
  }
  // Debian and Ubuntu (libwine), the upstream packages under /opt, then other distributions'.
  for (const char* folder : {
           "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows",
           "/opt/wine-stable/lib64/wine/x86_64-windows",
           "/opt/wine-devel/lib64/wine/x86_64-windows",
           "/opt/wine-staging/lib64/wine/x86_64-windows",
           "/usr/lib64/wine/x86_64-windows",
           "/usr/lib/wine/x86_64-windows",
           "/usr/local/lib/wine/x86_64-windows",
           "/usr/lib/i386-linux-gnu/wine/i386-windows",
           "/opt/wine-stable/lib/wine/i386-windows",
           "/usr/lib/wine/i386-windows",
           "/usr/local/lib/wine/i386-windows",
       })
    folders.emplace_back(folder);
  return folders;
}

std::string FindSystemDirectory(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    std::error_code error;
    if (std::filesystem::is_regular_file(
            std::filesystem::path(folder) / std::string(kSystemLibraryName), error))
      return folder.ends_with('/') ? folder : folder + "/";
  }
  return {};
}

}  // namespace pelorin
