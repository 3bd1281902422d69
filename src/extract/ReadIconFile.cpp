#include "extract/ReadIconFile.h"

#include "files/MappedFile.h"

namespace pelorin {

std::optional<IconPicture> ReadIconFile(const std::string& path, int screen_bits) {
  const std::optional<MappedFile> file = MappedFile::Open(path);
  if (!file) return std::nullopt;
  return DecodeIconFile(SpanSource(file->bytes()), screen_bits);
}

}  // namespace pelorin
