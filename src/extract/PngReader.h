// PNG streams as they appear inside icon and cursor images, decoded with libpng from memory.
//
// Every PNG comes out as 8-bit RGBA: palettes, grey and low bit depths are expanded, 16-bit
// channels keep their high byte, and a stream without alpha gets alpha 255 everywhere. Colours
// are left exactly as stored (no gamma or colour-profile handling; ancillary chunks other than
// tRNS are skipped unread).
//
// Safety: libpng reads only from the given span (a read past its end is an error), images wider
// or taller than kMaxPngSide are refused before any pixel memory is allocated, and every libpng
// error gives nullopt. The worst case allocation is kMaxPngSide^2 * 4 bytes (64 MB). Decoding
// stops once the last row is in place: compressed data after it (which a crafted stream can make
// inflate to gigabytes) is never read, so a stream costs what its rows need whatever follows them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pelorin {

inline constexpr int kMaxPngSide = 4096;

struct PngPixels {
  int width = 0;
  int height = 0;
  // Whether the stream itself carries transparency: a colour type with alpha, or a tRNS chunk.
  bool has_alpha = false;
  // Rows top-down, 4 bytes a pixel: R, G, B, A.
  std::vector<std::uint8_t> rgba;
};

// Whether `data` starts with the 8-byte PNG signature.
bool IsPngStream(std::span<const std::uint8_t> data);

std::optional<PngPixels> DecodePng(std::span<const std::uint8_t> data);

}  // namespace pelorin
