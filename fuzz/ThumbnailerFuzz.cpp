// Fuzz target of the thumbnailer's own path: any bytes as the file to thumbnail (the readers pick
// the icon by the bytes), at sizes that shrink, keep and double the usual icon images, and at
// one that makes every scale factor fractional. A thumbnail must be well-formed and no larger
// than asked; a small one must come back unchanged through the PNG writer and reader.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "extract/PngReader.h"
#include "extract/PngWriter.h"
#include "extract/Thumbnail.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  for (const int side : {24, 32, 256}) {
    const auto thumbnail = pelorin::MakeThumbnail(file, side);
    if (!thumbnail) continue;
    const int width = thumbnail->width;
    const int height = thumbnail->height;
    if (width < 1 || height < 1 || std::max(width, height) > side ||
        thumbnail->rgba.size() != static_cast<std::size_t>(width) * height * 4)
      std::abort();
    for (std::size_t at = 0; at < thumbnail->rgba.size(); at += 4)
      if (thumbnail->rgba[at + 3] == 0 &&
          (thumbnail->rgba[at] | thumbnail->rgba[at + 1] | thumbnail->rgba[at + 2]) != 0)
        std::abort();
    if (width * height > 64 * 64) continue;
    const auto png = pelorin::EncodePng(*thumbnail);
    if (!png) std::abort();
    const auto back = pelorin::DecodePng(*png);
    if (!back || back->width != width || back->height != height || back->rgba != thumbnail->rgba)
      std::abort();
  }
  return 0;
}
