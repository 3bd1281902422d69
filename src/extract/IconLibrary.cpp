#include "extract/IconLibrary.h"

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

}  // namespace pelorin
