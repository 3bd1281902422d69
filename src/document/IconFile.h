// The icon file the editor writes: one image, 32 x 32, 24 bits per pixel, a 1-bit mask, 3,262
// bytes. All numbers little-endian.
//
//   0     icon directory (6):    reserved 0, type 1, count 1
//   6     directory entry (16):  32, 32, 0 colours, 0, 1 plane, 24 bits, 3,240 bytes, offset 22
//   22    image header (40):     size 40, 32 x 64 (colour and mask rows), 1 plane, 24 bits,
//                                no compression, 3,200 bytes, the rest 0
//   62    colour rows (3,072):   bottom-up, 32 pixels of blue, green, red; transparent = 0, 0, 0
//   3134  mask rows (128):       bottom-up, 4 bytes a row, leftmost pixel in the top bit,
//                                1 = transparent
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "raster/Raster.h"

namespace pelorin {

inline constexpr std::size_t kIconFileSize = 3262;
inline constexpr std::size_t kIconHeaderSize = 62;

// The three constant records at the start of every file written.
std::array<std::uint8_t, kIconHeaderSize> IconFileHeaders();

// The whole file for a 32 x 32 image and mask. Only a mask pixel of exactly white is transparent;
// a transparent pixel is written black whatever the image holds there.
std::vector<std::uint8_t> EncodeIcon(const Raster& image, const Raster& mask);

// Checks that `path` can be written: an existing file must be a regular file (not a folder, a
// device or a pipe, which are left alone, not even opened) and writable; a missing one must be
// creatable (it is created, empty). Gives the description of the failure (DescribeSystemError
// for the system's errors), or nullopt. `created` tells whether the call made a new, empty file.
// A symbolic link is followed as ReplaceFile follows it: through a dangling link the file it
// names is created.
std::optional<std::string> OpenForWriting(const std::string& path, bool& created);

// Removes the empty file OpenForWriting created for `path`: through a link the file it names,
// never the link.
void RemoveCreatedFile(const std::string& path);

// Writes `bytes` to `path` without ever leaving a half-written file: the new content goes into a
// temporary file beside the target, which replaces the target only once it is complete and on
// disk. The target keeps its permissions; a symbolic link keeps pointing where it did (a dangling
// one then names the new file; a loop of links is refused). A file the user may not write is
// refused, even in a folder where renaming over it would work, and so is anything but a regular
// file. Gives the description of the failure, or nullopt on success; on failure the target is as
// it was.
std::optional<std::string> ReplaceFile(const std::string& path,
                                       std::span<const std::uint8_t> bytes);

}  // namespace pelorin
