// The file the icon browser shows and the extract command takes its icon from, opened the way
// the system's ExtractIconEx opens it, and kept mapped while it is open. One library is not a
// file: Pelorin's own icons, shown when the system has no icon library to offer.
//
// Where the system's library is: Windows keeps Shell32.dll in the system folder; on Linux a Wine
// installation has one, in the user's Wine prefix or in Wine's own library folders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/IconDecoder.h"
#include "extract/IconReaders.h"
#include "files/MappedFile.h"
#include "platform/SystemDirectory.h"
#include "raster/Picture.h"

namespace pelorin {

// The path that names the built-in library (no file has an empty path) and its name as the
// browser's caption shows it.
inline constexpr std::string_view kBuiltInLibraryPath = "";
inline constexpr std::string_view kBuiltInLibraryName = "内置图标库";

class IconLibrary {
 public:
  // The file at `path`, or the built-in library for kBuiltInLibraryPath. A file that cannot be
  // opened gives a library that is not open and counts nothing.
  static IconLibrary Open(const std::string& path);

  bool IsOpen() const { return built_in_ || reader_.has_value(); }
  // What ExtractIconEx and the animation steps give: see IconFileReader.
  int Count() const;
  int StepCount() const;
  std::optional<IconPicture> Draw(int index, int step, int screen_bits) const;

 private:
  IconLibrary() = default;

  bool built_in_ = false;
  std::optional<MappedFile> file_;
  std::optional<IconFileReader> reader_;  // reads file_, whose bytes stay put when it moves
};

// The resource names of the built-in icons, in the library's order.
const std::vector<std::string_view>& BuiltInIconNames();

}  // namespace pelorin
