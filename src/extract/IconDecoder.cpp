#include "extract/IconDecoder.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <utility>

#include "extract/PngReader.h"
#include "files/ByteReader.h"
#include "raster/Blit.h"

namespace pelorin {
namespace {

constexpr std::uint16_t kTypeIcon = 1;
constexpr std::uint16_t kTypeCursor = 2;
constexpr std::uint64_t kDirectoryHeaderBytes = 6;
constexpr std::uint64_t kDirectoryEntryBytes = 16;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
// BITMAPINFOHEADER and the V2, V3, V4 and V5 headers; all start with the same 40 bytes.
constexpr std::array<std::uint32_t, 5> kHeaderSizes = {40, 52, 56, 108, 124};
constexpr std::uint64_t kInfoHeaderBytes = 40;

using Map = std::array<int, kIconSize>;

// Where the parts of a DIB lie, from its header alone (offsets from the start of the image).
struct DibGeometry {
  int width = 0;
  int height = 0;         // of the image: half the header's height
  bool top_down = false;  // a negative header height; icons are bottom-up otherwise
  int bit_count = 0;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue bit fields (16 and 32 bits)
  std::uint64_t table_offset = 0;
  std::uint64_t table_entries = 0;
  std::uint64_t xor_offset = 0;  // the colour bitmap
  std::uint64_t xor_stride = 0;  // bytes a row, padded to 4
  std::uint64_t and_offset = 0;  // the 1-bit mask, after the colour bitmap
  std::uint64_t and_stride = 0;

  std::uint64_t xor_end() const { return xor_offset + xor_stride * height; }
  std::uint64_t and_end() const { return and_offset + and_stride * height; }
  // What must be there for the image to decode: everything, except that a 32-bit image may lack
  // its AND mask (it decodes when it turns out to have alpha, which ignores the mask).
  std::uint64_t needed() const { return bit_count == 32 ? xor_end() : and_end(); }
};

// Everything needed to read the pixels of a DIB that InspectDib found complete.
struct DibLayout : DibGeometry {
  std::span<const std::uint8_t> palette;   // entries of B, G, R, reserved
  const std::uint8_t* xor_bits = nullptr;  // the colour bitmap
  const std::uint8_t* and_bits = nullptr;  // the AND mask; null when a 32-bit image has none
};

std::uint64_t RowStride(std::uint64_t width, std::uint64_t bits) {
  return (width * bits + 31) / 32 * 4;
}

// Reads the header (all of it must be in `head`) and works out where the rest lies. nullopt for
// an unknown header size, depth or compression, or a size of 0 or above the limits.
std::optional<DibGeometry> ReadDibHeader(std::span<const std::uint8_t> head) {
  ByteReader in(head);
  const std::uint32_t header_size = in.U32(0);  // biSize
  if (!in.ok() ||
      std::find(kHeaderSizes.begin(), kHeaderSizes.end(), header_size) == kHeaderSizes.end())
    return std::nullopt;
  if (!in.Contains(0, header_size)) return std::nullopt;
  const std::int64_t width = in.I32(4);           // biWidth
  const std::int64_t doubled_height = in.I32(8);  // biHeight: colour bitmap and mask together
  // biPlanes (12) is not checked: nothing else than 1 is ever written and it changes nothing.
  const std::uint16_t bit_count = in.U16(14);    // biBitCount
  const std::uint32_t compression = in.U32(16);  // biCompression
  // biSizeImage (20) is often 0 or wrong and the sizes follow from the header anyway;
  // biXPelsPerMeter (24) and biYPelsPerMeter (28) do not matter.
  const std::uint32_t colours_used = in.U32(32);  // biClrUsed: 0 = all 2^bits for 8 bits or less
  // biClrImportant (36) does not matter.

  DibGeometry dib;
  dib.top_down = doubled_height < 0;
  const std::int64_t height = std::llabs(doubled_height) / 2;
  if (width < 1 || width > kMaxDibSide || height < 1 || height > kMaxDibSide) return std::nullopt;
  dib.width = static_cast<int>(width);
  dib.height = static_cast<int>(height);
  dib.bit_count = bit_count;
  switch (bit_count) {
    case 1:
    case 4:
    case 8:
    case 24:
      if (compression != kBiRgb) return std::nullopt;  // RLE and anything else is refused
      break;
    case 16:
    case 32:
      if (compression != kBiRgb && compression != kBiBitfields) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }

  // The three masks follow the common 40 bytes: after a 40-byte header they come before the
  // colour table, in the larger headers they are part of the header.
  const bool bitfields = compression == kBiBitfields;
  if (bitfields) {
    dib.masks = {in.U32(40), in.U32(44), in.U32(48)};
    if (!in.ok()) return std::nullopt;
  } else if (bit_count == 16) {
    dib.masks = {0x7C00, 0x03E0, 0x001F};  // 5-5-5
  } else {
    dib.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  dib.table_offset = std::max<std::uint64_t>(header_size, kInfoHeaderBytes + (bitfields ? 12 : 0));
  dib.table_entries = colours_used != 0 ? std::min<std::uint64_t>(colours_used, 256)
                                        : (bit_count <= 8 ? std::uint64_t{1} << bit_count : 0);
  dib.xor_offset = dib.table_offset + dib.table_entries * 4;
  dib.xor_stride = RowStride(dib.width, bit_count);
  dib.and_offset = dib.xor_end();
  dib.and_stride = RowStride(dib.width, 1);
  return dib;
}

std::optional<DibLayout> InspectDib(std::span<const std::uint8_t> data) {
  const auto geometry = ReadDibHeader(data);
  if (!geometry || geometry->needed() > data.size()) return std::nullopt;
  DibLayout dib;
  static_cast<DibGeometry&>(dib) = *geometry;
  dib.palette = data.subspan(dib.table_offset, dib.table_entries * 4);
  dib.xor_bits = data.data() + dib.xor_offset;
  if (dib.and_end() <= data.size()) dib.and_bits = data.data() + dib.and_offset;
  return dib;
}

// One channel of a bit-field pixel widened to 8 bits: the field's top 8 bits, a narrower field
// shifted up and its top bits repeated below once (5 bits: v << 3 | v >> 2), as Windows' DIB
// engine does.
struct Field {
  int shift = 0;
  int length = 0;

  explicit Field(std::uint32_t mask) {
    if (mask == 0) return;
    while ((mask & 1) == 0) mask >>= 1, ++shift;
    while ((mask & 1) == 1) mask >>= 1, ++length;  // the lowest run of set bits only
  }
  std::uint32_t Extract(std::uint32_t pixel) const {
    if (length == 0) return 0;
    const int s = shift - (8 - length);
    std::uint32_t v = s < 0 ? pixel << -s : pixel >> s;
    if (length >= 8) return v & 0xFF;
    v &= (0xFF00u >> length) & 0xFF;
    return v | v >> length;
  }
};

Colour Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }

// The colours of the pixels `columns` of one XOR row.
class RowColours {
 public:
  explicit RowColours(const DibLayout& dib)
      : bits_(dib.bit_count),
        plain_32_(dib.masks == std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF}),
        red_(dib.masks[0]),
        green_(dib.masks[1]),
        blue_(dib.masks[2]) {
    const std::size_t entries = dib.palette.size() / 4;
    for (std::size_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = dib.palette.data() + i * 4;
      palette_[i] = Rgb(e[2], e[1], e[0]);
    }
    // Indices past a short colour table stay black.
  }

  void Read(const std::uint8_t* row, std::span<const int> columns, Colour* out) const {
    const std::size_t n = columns.size();
    switch (bits_) {
      case 1:
        for (std::size_t i = 0; i < n; ++i) {
          const int x = columns[i];
          out[i] = palette_[row[x >> 3] >> (7 - (x & 7)) & 1];
        }
        break;
      case 4:
        for (std::size_t i = 0; i < n; ++i) {
          const int x = columns[i];
          out[i] = palette_[row[x >> 1] >> ((x & 1) ? 0 : 4) & 0xF];
        }
        break;
      case 8:
        for (std::size_t i = 0; i < n; ++i) out[i] = palette_[row[columns[i]]];
        break;
      case 16:
        for (std::size_t i = 0; i < n; ++i) {
          const std::uint8_t* p = row + columns[i] * 2;
          const std::uint32_t v = p[0] | p[1] << 8;
          out[i] = Rgb(red_.Extract(v), green_.Extract(v), blue_.Extract(v));
        }
        break;
      case 24:
        for (std::size_t i = 0; i < n; ++i) {
          const std::uint8_t* p = row + columns[i] * 3;
          out[i] = Rgb(p[2], p[1], p[0]);
        }
        break;
      default:  // 32
        if (plain_32_) {
          for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* p = row + columns[i] * 4;
            out[i] = Rgb(p[2], p[1], p[0]);
          }
          break;
        }
        for (std::size_t i = 0; i < n; ++i) {
          const std::uint8_t* p = row + columns[i] * 4;
          const std::uint32_t v =
              p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
          out[i] = Rgb(red_.Extract(v), green_.Extract(v), blue_.Extract(v));
        }
        break;
    }
  }

 private:
  int bits_;
  bool plain_32_;  // B, G, R, alpha: the usual 32-bit layout, read without bit fields
  Field red_;
  Field green_;
  Field blue_;
  std::array<Colour, 256> palette_{};
};

// For each of the 32 destination columns (rows), the source column (row) a colour-on-colour
// stretch of the whole image onto 32 x 32 takes. StretchBlt is asked on a numbered strip, so the
// rule (which differs between enlarging and shrinking, and between columns and rows) lives in one
// place; decoding then reads only the 32 x 32 pixels it needs.
Map StretchMap(int extent, bool rows) {
  Map map;
  if (extent == kIconSize) {
    std::iota(map.begin(), map.end(), 0);
    return map;
  }
  Raster numbered(rows ? 1 : extent, rows ? extent : 1);
  for (int i = 0; i < extent; ++i)
    numbered.SetPixel(rows ? 0 : i, rows ? i : 0, static_cast<Colour>(i));
  Raster taken(rows ? 1 : kIconSize, rows ? kIconSize : 1);
  StretchBlt(taken, 0, 0, taken.width(), taken.height(), numbered, 0, 0, numbered.width(),
             numbered.height(), Rop::kSrcCopy);
  for (int i = 0; i < kIconSize; ++i)
    map[i] = static_cast<int>(taken.GetPixel(rows ? 0 : i, rows ? i : 0));
  return map;
}

IconPicture BlankPicture() {
  return {Raster(kIconSize, kIconSize, kWhite), Raster(kIconSize, kIconSize, kBlack)};
}

// 32 bits with any non-zero alpha byte decide transparency by alpha, else by the AND mask.
bool HasAlpha(const DibLayout& dib) {
  if (dib.bit_count != 32) return false;
  for (int y = 0; y < dib.height; ++y) {
    const std::uint8_t* row = dib.xor_bits + y * dib.xor_stride;
    for (int x = 0; x < dib.width; ++x)
      if (row[x * 4 + 3] != 0) return true;
  }
  return false;
}

// The pixels `columns` of the image's row `y` (counted from the top): their colours into
// `colours`, and into `alpha` each pixel's alpha byte for an image with alpha, else 0 where the
// AND mask is set and 255 where it is not.
void ReadDibRow(const DibLayout& dib, const RowColours& reader, bool alpha, int y,
                std::span<const int> columns, Colour* colours, std::uint8_t* alphas) {
  const int stored = dib.top_down ? y : dib.height - 1 - y;
  const std::uint8_t* xor_row = dib.xor_bits + stored * dib.xor_stride;
  reader.Read(xor_row, columns, colours);
  if (alpha) {
    for (std::size_t i = 0; i < columns.size(); ++i) alphas[i] = xor_row[columns[i] * 4 + 3];
    return;
  }
  const std::uint8_t* and_row = dib.and_bits + stored * dib.and_stride;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int x = columns[i];
    alphas[i] = (and_row[x >> 3] >> (7 - (x & 7)) & 1) != 0 ? 0 : 255;
  }
}

IconPicture DecodeDib(const DibLayout& dib, bool alpha) {
  IconPicture out = BlankPicture();
  const Map columns = StretchMap(dib.width, false);
  const Map rows = StretchMap(dib.height, true);
  const RowColours reader(dib);
  std::array<std::uint8_t, kIconSize> alphas{};
  for (int j = 0; j < kIconSize; ++j) {
    Colour* mask = out.mask.Row(j);
    Colour* image = out.image.Row(j);
    ReadDibRow(dib, reader, alpha, rows[j], columns, image, alphas.data());
    for (int i = 0; i < kIconSize; ++i) {
      const bool transparent = alphas[i] < 128;
      mask[i] = transparent ? kWhite : kBlack;
      if (transparent && alpha) image[i] = kBlack;
    }
  }
  return out;
}

// The image at its own size, each pixel with the alpha ReadDibRow gives it.
RgbaImage DecodeDibRgba(const DibLayout& dib, bool alpha) {
  RgbaImage out{dib.width, dib.height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(dib.width) * dib.height * 4)};
  std::vector<int> columns(dib.width);
  std::iota(columns.begin(), columns.end(), 0);
  std::vector<Colour> colours(dib.width);
  std::vector<std::uint8_t> alphas(dib.width);
  const RowColours reader(dib);
  std::uint8_t* p = out.rgba.data();
  for (int y = 0; y < dib.height; ++y) {
    ReadDibRow(dib, reader, alpha, y, columns, colours.data(), alphas.data());
    for (int x = 0; x < dib.width; ++x, p += 4) {
      // A colour under a set AND bit would invert the screen; a picture with alpha shows it as
      // transparent like every other masked pixel.
      const Colour c = alphas[x] == 0 ? kBlack : colours[x];
      p[0] = c & 0xFF;
      p[1] = c >> 8 & 0xFF;
      p[2] = c >> 16 & 0xFF;
      p[3] = alphas[x];
    }
  }
  return out;
}

IconPicture DecodePngPixels(const PngPixels& png) {
  IconPicture out = BlankPicture();
  const Map columns = StretchMap(png.width, false);
  const Map rows = StretchMap(png.height, true);
  const std::size_t stride = static_cast<std::size_t>(png.width) * 4;
  for (int j = 0; j < kIconSize; ++j) {
    const std::uint8_t* row = png.rgba.data() + rows[j] * stride;
    Colour* mask = out.mask.Row(j);
    Colour* image = out.image.Row(j);
    for (int i = 0; i < kIconSize; ++i) {
      const std::uint8_t* p = row + columns[i] * 4;
      // Without alpha there is no mask at all: every pixel is opaque.
      const bool transparent = png.has_alpha && p[3] < 128;
      mask[i] = transparent ? kWhite : kBlack;
      image[i] = transparent ? kBlack : Rgb(p[0], p[1], p[2]);
    }
  }
  return out;
}

// A PNG's pixels as they are (a stream without alpha has 255 everywhere), fully transparent
// ones made black.
RgbaImage PngRgba(PngPixels&& png) {
  for (std::size_t at = 0; at < png.rgba.size(); at += 4)
    if (png.rgba[at + 3] == 0) png.rgba[at] = png.rgba[at + 1] = png.rgba[at + 2] = 0;
  return {png.width, png.height, std::move(png.rgba)};
}

// The facts of a PNG from its IHDR chunk, which must come first. libpng checks the rest.
std::optional<ImageFacts> InspectPng(std::span<const std::uint8_t> data) {
  ByteReader in(data);
  const std::uint32_t length = in.U32BigEndian(8);  // chunk data length, 13 for IHDR
  const std::uint32_t type = in.U32BigEndian(12);   // chunk type
  const std::uint32_t width = in.U32BigEndian(16);
  const std::uint32_t height = in.U32BigEndian(20);
  if (!in.ok() || length != 13 || type != 0x49484452 /* IHDR */) return std::nullopt;
  if (width < 1 || width > kMaxPngSide || height < 1 || height > kMaxPngSide) return std::nullopt;
  return ImageFacts{static_cast<int>(width), static_cast<int>(height), 32, true, 0};
}

// No icon image has anywhere near this many PNG chunks; a stream that does is refused rather
// than walked chunk by chunk through a huge file.
constexpr int kMostPngChunks = 1 << 16;
// More than the largest image accepted can take even uncompressed at 16 bits a channel: what is
// read of a damaged stream in a huge file stays bounded.
constexpr std::uint64_t kLongestPngStream = std::uint64_t{1} << 28;

// The length of the PNG stream at `offset`: its chunks up to and including IEND, cut at the end
// of the file (libpng then finds whatever is missing). 0 when the walk gives up.
std::uint64_t PngStreamLength(const ByteSource& file, std::uint64_t offset) {
  const std::uint64_t end = std::min(file.size(), offset + kLongestPngStream);
  std::uint64_t at = offset + 8;  // after the signature
  for (int chunks = 0; chunks < kMostPngChunks; ++chunks) {
    std::array<std::uint8_t, 8> chunk{};  // data length and type
    if (at > end || !file.ReadAt(at, chunk)) return end - offset;
    ByteReader in(chunk);
    const std::uint64_t next = at + 12 + in.U32BigEndian(0);
    if (in.U32BigEndian(4) == 0x49454E44 /* IEND */ || next >= end)
      return std::min(next, end) - offset;
    at = next;
  }
  return 0;
}

// One image, a PNG stream or a DIB, decoded by `from_png` (given the PNG's pixels) or
// `from_dib` (given the DIB and whether it has alpha). nullopt for an image InspectIconImage
// refuses, a corrupt PNG, and a 32-bit DIB without alpha whose AND mask is missing.
template <typename Result, typename FromPng, typename FromDib>
std::optional<Result> DecodeImage(std::span<const std::uint8_t> image_data, FromPng from_png,
                                  FromDib from_dib) {
  if (IsPngStream(image_data)) {
    if (!InspectPng(image_data)) return std::nullopt;
    auto png = DecodePng(image_data);
    if (!png) return std::nullopt;
    return from_png(std::move(*png));
  }
  const auto dib = InspectDib(image_data);
  if (!dib) return std::nullopt;
  const bool alpha = HasAlpha(*dib);
  if (!alpha && dib->and_bits == nullptr) return std::nullopt;
  return from_dib(*dib, alpha);
}

}  // namespace

std::optional<std::vector<DirectoryEntry>> ReadIconDirectory(std::span<const std::uint8_t> file) {
  ByteReader in(file);
  const std::uint16_t reserved = in.U16(0);  // always 0
  const std::uint16_t type = in.U16(2);      // 1 icon, 2 cursor
  const std::uint16_t count = in.U16(4);     // number of entries
  if (!in.ok() || reserved != 0 || (type != kTypeIcon && type != kTypeCursor) || count == 0)
    return std::nullopt;
  if (!in.Contains(kDirectoryHeaderBytes, count * kDirectoryEntryBytes)) return std::nullopt;
  std::vector<DirectoryEntry> entries(count);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint64_t at = kDirectoryHeaderBytes + i * kDirectoryEntryBytes;
    DirectoryEntry& e = entries[i];
    e.width = in.U8(at) == 0 ? 256 : in.U8(at);
    e.height = in.U8(at + 1) == 0 ? 256 : in.U8(at + 1);
    e.colour_count = in.U8(at + 2);
    // at + 3: reserved byte, not checked (writers put all sorts there).
    e.planes = in.U16(at + 4);
    e.bit_count = in.U16(at + 6);
    e.bytes = in.U32(at + 8);
    e.offset = in.U32(at + 12);
  }
  return entries;
}

std::span<const std::uint8_t> EntryImageData(std::span<const std::uint8_t> file,
                                             const DirectoryEntry& entry) {
  if (entry.offset >= file.size()) return {};
  return file.subspan(entry.offset);
}

std::optional<ImageFacts> InspectIconImage(std::span<const std::uint8_t> head,
                                           std::uint64_t available) {
  if (IsPngStream(head)) return InspectPng(head);
  const auto dib = ReadDibHeader(head);
  if (!dib || dib->needed() > available) return std::nullopt;
  return ImageFacts{dib->width, dib->height, dib->bit_count, false, dib->and_end()};
}

std::optional<ImageFacts> InspectIconImage(std::span<const std::uint8_t> image_data) {
  return InspectIconImage(image_data, image_data.size());
}

std::optional<std::size_t> ChooseIconImage(std::span<const DirectoryEntry> entries,
                                           std::span<const std::optional<ImageFacts>> facts,
                                           int screen_bits) {
  const std::size_t n = std::min(entries.size(), facts.size());
  // First the size: the first usable entry with the smallest distance sets the (dx, dy) pair
  // that competes on depth.
  std::optional<std::size_t> best_size;
  int best_dx = 0;
  int best_dy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (!facts[i]) continue;
    const int dx = std::abs(entries[i].width - kIconSize);
    const int dy = std::abs(entries[i].height - kIconSize);
    if (!best_size || dx + dy < best_dx + best_dy) best_size = i, best_dx = dx, best_dy = dy;
  }
  if (!best_size) return std::nullopt;

  std::optional<std::size_t> best;
  int best_depth_distance = 0;
  for (std::size_t i = *best_size; i < n; ++i) {
    if (!facts[i] || std::abs(entries[i].width - kIconSize) != best_dx ||
        std::abs(entries[i].height - kIconSize) != best_dy)
      continue;
    const int distance = std::abs(facts[i]->bit_count - screen_bits);
    if (!best || distance < best_depth_distance) best = i, best_depth_distance = distance;
  }
  return best;
}

std::optional<std::size_t> ChooseIconImage(std::span<const DirectoryEntry> entries,
                                           std::span<const std::span<const std::uint8_t>> images,
                                           int screen_bits) {
  std::vector<std::optional<ImageFacts>> facts(std::min(entries.size(), images.size()));
  for (std::size_t i = 0; i < facts.size(); ++i) facts[i] = InspectIconImage(images[i]);
  return ChooseIconImage(entries, facts, screen_bits);
}

std::optional<IconPicture> DecodeIconImage(std::span<const std::uint8_t> image_data) {
  return DecodeImage<IconPicture>(
      image_data, [](PngPixels&& png) { return DecodePngPixels(png); }, DecodeDib);
}

std::optional<RgbaImage> DecodeIconImageRgba(std::span<const std::uint8_t> image_data) {
  return DecodeImage<RgbaImage>(image_data, PngRgba, DecodeDibRgba);
}

std::optional<IconPicture> DecodeIconFile(const ByteSource& file, int screen_bits) {
  const std::uint64_t size = file.size();
  std::array<std::uint8_t, kDirectoryHeaderBytes> header{};
  if (!file.ReadAt(0, header)) return std::nullopt;
  const std::uint64_t count = header[4] | header[5] << 8;
  std::vector<std::uint8_t> directory(
      std::min(size, kDirectoryHeaderBytes + count * kDirectoryEntryBytes));
  std::copy(header.begin(), header.end(), directory.begin());
  if (!file.ReadAt(kDirectoryHeaderBytes, std::span(directory).subspan(kDirectoryHeaderBytes)))
    return std::nullopt;
  const auto entries = ReadIconDirectory(directory);
  if (!entries) return std::nullopt;

  // Each image is judged by its first bytes and the room the file leaves it.
  std::vector<std::optional<ImageFacts>> facts(entries->size());
  std::vector<std::uint8_t> head;
  for (std::size_t i = 0; i < entries->size(); ++i) {
    const std::uint64_t offset = (*entries)[i].offset;
    if (offset >= size) continue;
    head.resize(std::min<std::uint64_t>(size - offset, kImageHeadBytes));
    if (file.ReadAt(offset, head)) facts[i] = InspectIconImage(head, size - offset);
  }
  const auto chosen = ChooseIconImage(*entries, facts, screen_bits);
  if (!chosen) return std::nullopt;

  const std::uint64_t offset = (*entries)[*chosen].offset;
  const ImageFacts& image = *facts[*chosen];
  const std::uint64_t length =
      image.png ? PngStreamLength(file, offset) : std::min(image.bytes, size - offset);
  std::vector<std::uint8_t> data(length);
  if (!file.ReadAt(offset, data)) return std::nullopt;
  std::optional<IconPicture> picture = DecodeIconImage(data);
  if (picture) picture->image_count = static_cast<std::int16_t>(count);
  return picture;
}

std::optional<IconPicture> DecodeIconFile(std::span<const std::uint8_t> file, int screen_bits) {
  return DecodeIconFile(SpanSource(file), screen_bits);
}

bool SpanSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (offset > bytes_.size() || out.size() > bytes_.size() - offset) return false;
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
  return true;
}

}  // namespace pelorin
