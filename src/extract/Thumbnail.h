// The picture a file manager shows for a program, a library, an icon library, an icon, a cursor
// or an animated cursor: the icon the file shows, at about the size asked for.
//
//   - Which icon: the first icon group of a program or library (the one the desktop shows for
//     it), the first icon of an icon library, the icon of an .ico or .cur file, the frame of the
//     first step of an animated cursor (IconFileReader::Group(0, 0)).
//   - Which of its images: the smallest whose larger side is at least the size asked for, else
//     the largest; among images of one size the deepest, then the first. Sizes and depths come
//     from the images' own headers, not from the directory, which real files get wrong.
//   - The image is decoded at its own size with its real transparency (DecodeIconImageRgba),
//     then scaled down to fit the size when it is larger (by area averaging of colours
//     multiplied by alpha, so transparent pixels do not darken the edges), enlarged pixel for
//     pixel by the largest whole factor that fits when it fits at least twice (a 16 x 16 icon
//     is 128 x 128 at 128, each pixel an 8 x 8 block), and otherwise left as it is: small icons
//     stay crisp, never blurred by enlarging.
//
// Everything reads only the parts of the file the icon's directories point at, so a huge file
// costs what a small one does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "extract/IconDecoder.h"
#include "extract/IconReaders.h"

namespace pelorin {

// The sizes a thumbnail may be asked for, in pixels.
inline constexpr int kSmallestThumbnail = 1;
inline constexpr int kLargestThumbnail = 4096;

// A size as a command line gives it: decimal digits alone, kSmallestThumbnail to
// kLargestThumbnail; nullopt for anything else.
std::optional<int> ParseThumbnailSize(std::string_view text);

// The index of the image of `group` a thumbnail of `size` pixels is made from, as described
// above; nullopt when no image of the group can be decoded (InspectIconImage).
std::optional<std::size_t> ChooseThumbnailImage(const IconGroup& group, int size);

// `image` made to fit a thumbnail of `size` pixels as described above. The result keeps the
// image's proportions and is never larger than size x size.
RgbaImage FitThumbnail(const RgbaImage& image, int size);

// The thumbnail of the file `file` for `size` (kSmallestThumbnail to kLargestThumbnail);
// nullopt when the file has no icon that can be decoded.
std::optional<RgbaImage> MakeThumbnail(std::span<const std::uint8_t> file, int size);

}  // namespace pelorin
