// An icon or cursor group of a program or library as the icon or cursor file Windows builds from
// it, and the frames of an animated cursor and the images of an icon file as they are stored.
//
// A group's file: the 6-byte header of the group resource (type 1 for icons, 2 for cursors),
// then one 16-byte entry per image in the group's order, then the images verbatim in the same
// order, each right after the one before.
//   - An icon entry is the group entry's first 8 bytes (width, height, colour count, reserved,
//     planes, bit count) with the size of the image resource and the image's offset in the file.
//   - A cursor's group entry holds 16-bit width and doubled height: the file's entry takes their
//     low bytes (the height halved), the colour count the depth implies (2 or 16 below 8 bits,
//     else 0), the hot spot from the image resource's first 4 bytes, and the image after them.
// The image resource's bytes are the image: exactly its resource in a PE file; in an NE file,
// whose lengths are only an upper bound, as long as the image's own header says.
//
// Nothing broken is ever built: a group whose resource or any of whose images is missing, cut
// short by the end of the file, or not an image that can be read whole (a bitmap shorter than
// its header says, a PNG stream that does not reach its IEND chunk or whose checksums do not
// match) gives no file but the reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "extract/IconReaders.h"
#include "extract/ResourceGroups.h"

namespace pelorin {

// The largest icon or cursor file written for one group: far beyond any real one (a group of
// 256 x 256 PNG images is a few hundred kilobytes), so that a crafted file whose groups all name
// the same huge image cannot make each of them a file of gigabytes.
inline constexpr std::uint64_t kLargestGroupFile = std::uint64_t{256} << 20;

// What one image is, from its own header.
struct ImageSummary {
  int width = 0;
  int height = 0;
  int bits = 0;  // bits per pixel: a bitmap's depth; a PNG's channels times its bit depth
  bool png = false;
};

// A file ready to be written: the directory built for it (empty for a file written as stored)
// and what follows it, in order. `group` shows its images to the decoder and the thumbnailer's
// choice (a cursor's images without their hot spot), `summaries` describe them.
struct GroupFile {
  GroupKind kind = GroupKind::kIcon;
  std::vector<std::uint8_t> directory;
  std::vector<std::span<const std::uint8_t>> body;
  IconGroup group;
  std::vector<ImageSummary> summaries;

  std::uint64_t size() const;
  // The directory followed by the body: the pieces of the file, in order.
  std::vector<std::span<const std::uint8_t>> Pieces() const;
};

// The result of building a file: the file, or why there is none.
struct BuiltGroup {
  std::optional<GroupFile> file;
  std::string problem;  // a cause in the messages' words, empty when the file was built
};

// The file of group `group` of `resources`.
BuiltGroup BuildGroupFile(const ResourceGroups& resources, const ResourceGroup& group);

// An icon or cursor file as it is stored (an animated cursor's frame, an .ico or .cur file): its
// bytes, checked as a group's images are checked.
BuiltGroup CheckIconFile(std::span<const std::uint8_t> file);

// The length of the image at the start of `data` by its own header (a bitmap's header, colour
// table, colour bits and mask; a PNG stream up to and including IEND, with every chunk's
// checksum right); nullopt when `data` does not hold a whole image that can be read.
std::optional<std::uint64_t> WholeImageLength(std::span<const std::uint8_t> data);

}  // namespace pelorin
