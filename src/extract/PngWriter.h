// Thumbnails written as PNG files with alpha, by libpng, into memory.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "extract/IconDecoder.h"

namespace pelorin {

// The PNG stream of `image` (8-bit RGBA, not interlaced, no ancillary chunks); nullopt when
// libpng fails or memory runs out.
std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image);

}  // namespace pelorin
