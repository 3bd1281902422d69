#include "extract/IconLibrary.h"

#include <filesystem>
#include <system_error>

namespace pelorin {

IconLibrary IconLibrary::Open(const std::string& path) {
  IconLibrary library;
  if (path == kBuiltInLibraryPath) {
    library.built_in_ = true;
    return library;
  }
  library.file_ = MappedFile::Open(path);
  if (library.file_) library.reader_.emplace(library.file_->bytes());
  return library;
}

int IconLibrary::Count() const {
  if (built_in_) return static_cast<int>(BuiltInIconNames().size());
  return reader_ ? reader_->Count() : 0;
}

int IconLibrary::StepCount() const {
  if (built_in_) return 1;
  return reader_ ? reader_->StepCount() : 0;
}

std::optional<IconPicture> IconLibrary::Draw(int index, int step, int screen_bits) const {
  if (built_in_) {
    const auto& names = BuiltInIconNames();
    if (index < 0 || index >= static_cast<int>(names.size())) return std::nullopt;
    Picture picture = LoadPictureResource(names[index]);
    if (picture.image.width() != kIconSize || picture.image.height() != kIconSize)
      return std::nullopt;
    return IconPicture{std::move(picture.mask), std::move(picture.image)};
  }
  return reader_ ? reader_->Draw(index, step, screen_bits) : std::nullopt;
}

const std::vector<std::string_view>& BuiltInIconNames() {
  static const std::vector<std::string_view> kNames = {
      "library-document.txt", "library-folder.txt",  "library-disk.txt",   "library-magnifier.txt",
      "library-heart.txt",    "library-star.txt",    "library-smiley.txt", "library-check.txt",
      "library-cross.txt",    "library-warning.txt", "library-info.txt",   "library-arrow.txt",
      "library-house.txt",    "library-bulb.txt",    "library-gear.txt",   "library-frame.txt",
  };
  return kNames;
}

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
