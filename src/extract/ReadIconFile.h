// Opening an icon file from disk: the file is mapped once (MappedFile), and the decoder reads only
// the directory and the chosen image, so opening an icon padded to many megabytes costs what
// opening a small one does. The picture carries the file's image count.
#pragma once

#include <optional>
#include <string>

#include "extract/IconDecoder.h"

namespace pelorin {

// Opens and decodes the .ico or .cur file at `path` (DecodeIconFile); nullopt when it cannot be
// read (it is missing, or no regular file: nothing waits on a pipe) or is not a usable icon.
std::optional<IconPicture> ReadIconFile(const std::string& path, int screen_bits);

}  // namespace pelorin
