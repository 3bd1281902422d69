// Hand-built icon data for the decoder tests: DIBs of every depth, PNG streams (written here with
// stored zlib blocks, independently of the decoder's libpng) and .ico/.cur files around them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "raster/Raster.h"

namespace pelorin::testing {

using Bytes = std::vector<std::uint8_t>;

inline void PutLe(Bytes& b, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void PutBe(Bytes& b, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct DibSpec {
  int width = 32;
  int height = 32;
  int bits = 8;
  std::uint32_t compression = 0;
  std::uint32_t header_size = 40;
  std::uint32_t colours_used = 0;
  std::vector<std::uint32_t> masks = {};    // written at offset 40 when given
  std::vector<std::uint32_t> palette = {};  // written as stored, B G R x = little-endian 0x00RRGGBB
  bool top_down = false;
  // Raw stored value of pixel (x, y), y counted from the top: a palette index or the
  // little-endian pixel of bits / 8 bytes.
  std::function<std::uint32_t(int, int)> pixel = [](int, int) { return 0u; };
  std::function<bool(int, int)> and_bit = [](int, int) { return false; };  // 1 = transparent
};

inline Bytes BuildDib(const DibSpec& s) {
  Bytes b;
  PutLe(b, s.header_size, 4);
  PutLe(b, static_cast<std::uint32_t>(s.width), 4);
  PutLe(b, static_cast<std::uint32_t>(s.top_down ? -2 * s.height : 2 * s.height), 4);
  PutLe(b, 1, 2);
  PutLe(b, static_cast<std::uint32_t>(s.bits), 2);
  PutLe(b, s.compression, 4);
  for (int i = 0; i < 3; ++i) PutLe(b, 0, 4);  // image size, resolution
  PutLe(b, s.colours_used, 4);
  PutLe(b, 0, 4);
  for (std::uint32_t m : s.masks) PutLe(b, m, 4);
  while (b.size() < s.header_size) b.push_back(0);
  for (std::uint32_t c : s.palette) PutLe(b, c, 4);
  auto rows = [&](int bits, auto value) {
    const std::size_t stride = (static_cast<std::size_t>(s.width) * bits + 31) / 32 * 4;
    for (int r = 0; r < s.height; ++r) {
      const int y = s.top_down ? r : s.height - 1 - r;
      Bytes row(stride, 0);
      for (int x = 0; x < s.width; ++x) {
        const std::uint64_t v = value(x, y);  // 64 bits: the refused 48-bit depth is built too
        if (bits < 8) {
          row[x * bits / 8] |= static_cast<std::uint8_t>(v << (8 - bits - x * bits % 8));
        } else {
          for (int k = 0; k < bits / 8; ++k)
            row[x * bits / 8 + k] = static_cast<std::uint8_t>(v >> 8 * k);
        }
      }
      b.insert(b.end(), row.begin(), row.end());
    }
  };
  rows(s.bits, s.pixel);
  rows(1, [&](int x, int y) { return s.and_bit(x, y) ? 1u : 0u; });
  return b;
}

// A PNG of 8 bits a channel (16 with `sixteen`): `channels` bytes a pixel from `pixel(x, y, c)`.
struct PngSpec {
  int width = 32;
  int height = 32;
  int colour_type = 6;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  bool sixteen = false;
  Bytes plte = {};  // R G B triples
  Bytes trns = {};
  std::function<std::uint8_t(int, int, int)> pixel = [](int, int, int) { return 0; };
  std::size_t tail = 0;  // zero bytes the compressed data holds after the rows
};

inline std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFF;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320 & (0u - (c & 1)));
  }
  return ~c;
}

inline void PutChunk(Bytes& b, const char* type, const Bytes& data) {
  PutBe(b, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = b.size();
  b.insert(b.end(), type, type + 4);
  b.insert(b.end(), data.begin(), data.end());
  PutBe(b, Crc32(b.data() + start, b.size() - start));
}

inline Bytes BuildPng(const PngSpec& s) {
  static const int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
  const int bytes = kChannels[s.colour_type] * (s.sixteen ? 2 : 1);
  Bytes raw;
  for (int y = 0; y < s.height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < s.width; ++x)
      for (int c = 0; c < bytes; ++c) raw.push_back(s.pixel(x, y, c));
  }
  raw.resize(raw.size() + s.tail, 0);
  Bytes z = {0x78, 0x01};  // zlib stream of stored blocks
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    PutLe(z, n, 2);
    PutLe(z, ~n & 0xFFFF, 2);
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
  }
  std::uint32_t a = 1, bsum = 0;
  for (std::uint8_t v : raw) a = (a + v) % 65521, bsum = (bsum + a) % 65521;
  PutBe(z, bsum << 16 | a);

  Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  PutBe(ihdr, static_cast<std::uint32_t>(s.width));
  PutBe(ihdr, static_cast<std::uint32_t>(s.height));
  ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(s.sixteen ? 16 : 8),
                           static_cast<std::uint8_t>(s.colour_type), 0, 0, 0});
  PutChunk(b, "IHDR", ihdr);
  if (!s.plte.empty()) PutChunk(b, "PLTE", s.plte);
  if (!s.trns.empty()) PutChunk(b, "tRNS", s.trns);
  PutChunk(b, "IDAT", z);
  PutChunk(b, "IEND", {});
  return b;
}

struct IcoImage {
  int width = 32;  // directory size bytes: 256 is written as 0
  int height = 32;
  int bit_count = 0;  // directory field; the decoder reads the real depth from the image
  Bytes data = {};
  std::int64_t bytes = -1;   // declared size; -1 = the data's size
  std::int64_t offset = -1;  // -1 = where the data is placed
};

inline Bytes BuildIco(const std::vector<IcoImage>& images, int type = 1) {
  Bytes b;
  PutLe(b, 0, 2);
  PutLe(b, static_cast<std::uint32_t>(type), 2);
  PutLe(b, images.size(), 2);
  std::size_t at = 6 + 16 * images.size();
  for (const IcoImage& i : images) {
    b.push_back(static_cast<std::uint8_t>(i.width));
    b.push_back(static_cast<std::uint8_t>(i.height));
    PutLe(b, 0, 2);
    PutLe(b, 1, 2);
    PutLe(b, static_cast<std::uint32_t>(i.bit_count), 2);
    PutLe(b,
          static_cast<std::uint64_t>(i.bytes >= 0 ? i.bytes
                                                  : static_cast<std::int64_t>(i.data.size())),
          4);
    PutLe(b, static_cast<std::uint64_t>(i.offset >= 0 ? i.offset : static_cast<std::int64_t>(at)),
          4);
    at += i.data.size();
  }
  for (const IcoImage& i : images) b.insert(b.end(), i.data.begin(), i.data.end());
  return b;
}

// Whether `r` is a 32 x 32 colour raster holding only black and white.
inline bool IsPureMask(const Raster& r) {
  if (r.width() != 32 || r.height() != 32 || r.mono()) return false;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (r.At(x, y) != kBlack && r.At(x, y) != kWhite) return false;
  return true;
}

}  // namespace pelorin::testing
