// The icon decoder on any bytes: as a whole .ico or .cur file (at two screen depths, which pick
// different images) and as one image, a DIB or a PNG stream. Every outcome must be either no
// picture or a well-formed 32 x 32 one; the sanitizers catch any read outside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "extract/IconDecoder.h"

namespace {

void Check(const std::optional<pelorin::IconPicture>& picture) {
  if (!picture) return;
  for (const pelorin::Raster* r : {&picture->mask, &picture->image})
    if (r->width() != pelorin::kIconSize || r->height() != pelorin::kIconSize) std::abort();
  for (int y = 0; y < pelorin::kIconSize; ++y)
    for (int x = 0; x < pelorin::kIconSize; ++x) {
      const pelorin::Colour m = picture->mask.At(x, y);
      if (m != pelorin::kBlack && m != pelorin::kWhite) std::abort();
      // A transparent pixel of an image with alpha is black; without alpha the file's colour
      // stays, so only the range is checked.
      if ((picture->image.At(x, y) & ~pelorin::kColourMask) != 0) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  Check(pelorin::DecodeIconFile(bytes, 32));
  Check(pelorin::DecodeIconFile(bytes, 8));
  Check(pelorin::DecodeIconImage(bytes));
  return 0;
}
