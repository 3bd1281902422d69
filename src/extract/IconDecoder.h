// Decoding icon and cursor images into the editor's 32 x 32 mask and colour image.
//
// The pieces, so that the open command (a whole .ico or .cur file) and the icon browser (images
// taken out of program resources) share them:
//   ReadIconDirectory  the 6-byte header and 16-byte entries of an .ico/.cur file;
//   InspectIconImage   what an image's own header says (size, depth, PNG or not), and whether its
//                      data is all there;
//   ChooseIconImage    which image of a set to show at 32 x 32 for the screen's depth;
//   DecodeIconImage    one image (a DIB or a PNG stream) to the mask and colour image;
//   DecodeIconFile     all of it for a file;
//   DecodeIconImageRgba one image at its own size with its real transparency, for pictures
//                      that are not the editor's (the desktop thumbnailer).
//
// The result follows the icon convention of the document: a transparent pixel is white in the
// mask and black in the image; an opaque pixel is black in the mask and keeps the colour the file
// stores (0x00BBGGRR, not multiplied by alpha). Which pixels are transparent:
//   - images without alpha (1, 4, 8, 16 and 24 bits; 32 bits whose alpha bytes are all 0; PNG
//     without alpha): the AND mask, bit 1 = transparent. The image keeps what the XOR bitmap stores
//     under a set mask bit, which is black in nearly every file; a colour there is what the icon
//     shows inverted on screen, and it is kept so that nothing of the file is lost. A PNG has no
//     AND mask and is opaque everywhere.
//   - images with alpha (32 bits with any non-zero alpha byte; PNG with a colour type with alpha or
//     a tRNS chunk): alpha below 128 is transparent, the AND mask is ignored.
// Images of another size are scaled to 32 x 32 the way a colour-on-colour StretchBlt of the whole
// image and of its mask would scale them (rows and columns repeated or dropped, never blended).
//
// Every reader here is bounds-checked: bad input of any kind gives nullopt, never a read outside
// the span, and no allocation beyond what the image's checked size needs (DIBs at most 1024 x
// 1024, PNG at most 4096 x 4096).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "raster/Raster.h"

namespace pelorin {

// The largest DIB width or height accepted (the doubled header height counts halved).
inline constexpr int kMaxDibSide = 1024;

// Both rasters are kIconSize x kIconSize colour rasters; the mask holds only black and white.
struct IconPicture {
  Raster mask;
  Raster image;
  // How many images the file it came from holds: its directory's count, read as the signed
  // 16-bit value it is stored as (so that an open needs nothing else from the file). 1 for a
  // picture that did not come from an icon file's directory.
  int image_count = 1;
};

// An image at its own size: rows top-down, 4 bytes a pixel (R, G, B, alpha), colours not
// multiplied by alpha.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// One 16-byte entry of an .ico/.cur directory, fields as stored (the sizes already widened).
struct DirectoryEntry {
  int width = 0;             // pixels; the stored byte 0 means 256
  int height = 0;            // pixels; the stored byte 0 means 256
  int colour_count = 0;      // palette size, 0 for 8 bits and more
  int planes = 0;            // icons: colour planes; cursors: hot spot x
  int bit_count = 0;         // icons: bits per pixel (often 0); cursors: hot spot y
  std::uint32_t bytes = 0;   // size of the image data
  std::uint32_t offset = 0;  // where the image data starts, from the start of the file
};

// What an image's own header says about it.
struct ImageFacts {
  int width = 0;
  int height = 0;     // of the image, not the doubled DIB height
  int bit_count = 0;  // bits per pixel of a DIB; 32 for any PNG
  bool png = false;
  // A DIB's length by its header: header, colour table, colour bitmap and AND mask. 0 for a PNG,
  // whose length only its chunks tell.
  std::uint64_t bytes = 0;
};

// Random access to the bytes of a whole file, so that decoding reads the directory and the chosen
// image and nothing else: opening a file costs the same whatever its size.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Fills `out` with the bytes from `offset` on; false when they cannot all be read.
  virtual bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;
};

// The bytes of a file already in memory.
class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override;

 private:
  std::span<const std::uint8_t> bytes_;
};

// How many of an image's first bytes InspectIconImage needs: the largest DIB header, or the PNG
// signature and IHDR chunk.
inline constexpr std::size_t kImageHeadBytes = 128;

// Parses an .ico (type 1) or .cur (type 2) directory: reserved word 0, at least one entry, all
// entries inside `file`. The entries' image data is not looked at.
std::optional<std::vector<DirectoryEntry>> ReadIconDirectory(std::span<const std::uint8_t> file);

// The image data of `entry`: everything from its offset to the end of the file. The declared
// size is not used: writers get it wrong both ways (PNG streams longer than declared, cursor
// images declared as 8 bytes), and each image's own header tells how long it is. Empty when the
// offset lies outside the file.
std::span<const std::uint8_t> EntryImageData(std::span<const std::uint8_t> file,
                                             const DirectoryEntry& entry);

// Reads the header of a DIB (BITMAPINFOHEADER and its larger variants) or a PNG stream without
// decoding the pixels. nullopt when the image cannot be decoded: an unknown header size, depth or
// compression, a size of 0 or above the limits, or (for a DIB) a colour table, XOR bitmap or AND
// mask that does not fit in `image_data`; a 32-bit DIB may lack its AND mask. For a DIB that
// passes, DecodeIconImage fails only for such a 32-bit image without alpha; a PNG can still turn
// out to be corrupt further in.
std::optional<ImageFacts> InspectIconImage(std::span<const std::uint8_t> image_data);
// The same from the image's first bytes (`head`: kImageHeadBytes, or all there are), when the
// file leaves `available` bytes from the image's start.
std::optional<ImageFacts> InspectIconImage(std::span<const std::uint8_t> head,
                                           std::uint64_t available);

// The index of the image to show at 32 x 32: the smallest |width - 32| + |height - 32| by the
// directory's sizes; among the entries with the same width and height distance as the first such
// entry, the bit depth nearest `screen_bits` (taken from the image's own header, since cursor
// directories hold the hot spot there and icon directories often 0; PNG counts as 32); the first
// entry wins ties. Entries whose image fails InspectIconImage are passed over. `images[i]` is the
// data of `entries[i]`. nullopt when no entry is usable.
std::optional<std::size_t> ChooseIconImage(std::span<const DirectoryEntry> entries,
                                           std::span<const std::span<const std::uint8_t>> images,
                                           int screen_bits);
// The same from the facts of each entry's image (nullopt for an unusable one).
std::optional<std::size_t> ChooseIconImage(std::span<const DirectoryEntry> entries,
                                           std::span<const std::optional<ImageFacts>> facts,
                                           int screen_bits);

// Decodes one image to the 32 x 32 mask and colour image described above.
std::optional<IconPicture> DecodeIconImage(std::span<const std::uint8_t> image_data);

// Decodes one image at its own size with the transparency it really has: the alpha of a 32-bit
// image with alpha or of a PNG (255 in a PNG without alpha), else 0 where the AND mask is set and
// 255 elsewhere. A fully transparent pixel is (0, 0, 0, 0), whatever colour the file stores
// there. Refuses what DecodeIconImage refuses.
std::optional<RgbaImage> DecodeIconImageRgba(std::span<const std::uint8_t> image_data);

// A whole .ico or .cur file: directory, choice, decode. nullopt for anything that is not a usable
// icon or cursor, including a file whose chosen image turns out to be corrupt (the choice is not
// retried with another image). Reads the directory, the first bytes of each image and the whole
// of the chosen one only.
std::optional<IconPicture> DecodeIconFile(const ByteSource& file, int screen_bits);
std::optional<IconPicture> DecodeIconFile(std::span<const std::uint8_t> file, int screen_bits);

}  // namespace pelorin
