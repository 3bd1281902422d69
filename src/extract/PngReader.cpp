#include "extract/PngReader.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace pelorin {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Ancillary chunks are skipped without being stored, so this only bounds what libpng might still
// allocate for a chunk it keeps (PLTE, tRNS are tiny).
constexpr png_alloc_size_t kChunkMallocMax = 1 << 20;

// Where libpng's read callback takes its bytes from.
struct MemorySource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
  // Set while the rows are read: the image's height, and whether they are all there.
  png_uint_32 rows = 0;
  bool rows_done = false;
};

// Once the last row of the last pass is decoded, libpng goes on inflating whatever compressed
// data follows it, to the end of the stream, only to check it: a crafted tail that inflates to
// gigabytes would take seconds a megabyte. The rows are all in place by then, so the first read
// it asks for after them ends the decode (as a libpng error, which ReadRows takes for success).
bool RowsDone(png_structp png, const MemorySource& source) {
  return source.rows != 0 &&
         (png_get_current_pass_number(png) >= 7 || png_get_current_row_number(png) >= source.rows);
}

void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (RowsDone(png, *source)) {
    source->rows_done = true;
    png_error(png, "every row is decoded");
  }
  if (length > source->size - source->position) png_error(png, "read past the end of the image");
  std::memcpy(out, source->data + source->position, length);
  source->position += length;
}

// Errors jump back to the setjmp of the phase that is running; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// The two halves of a decode each run under their own setjmp. libpng reports errors with
// longjmp, which must not cross the lifetime of an object with a destructor: these functions
// hold only plain values and pointers, and the caller owns every C++ object (the pixel buffer,
// the row pointers, the guard that destroys the libpng structures).

// Reads up to the first image data and sets the transformations that give 8-bit RGBA. False on
// any error (a bad signature or header, a size above the limits, a truncated stream).
bool ReadHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height,
                bool* has_alpha) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  png_set_chunk_malloc_max(png, kChunkMallocMax);
  // Every chunk except IHDR, PLTE, tRNS, IDAT and IEND is skipped unread: colour profiles, gamma
  // and text do not change how the editor shows the pixels.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_read_info(png, info);

  const int colour_type = png_get_color_type(png, info);
  *width = png_get_image_width(png, info);
  *height = png_get_image_height(png, info);
  *has_alpha = (colour_type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to an alpha channel
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (!*has_alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return png_get_channels(png, info) == 4 && png_get_bit_depth(png, info) == 8 &&
         png_get_rowbytes(png, info) == static_cast<std::size_t>(*width) * 4;
}

// Decodes every row (all passes of an interlaced image) into `rows`. False on any error before
// the last row is in place; whatever follows it in the stream is not read (RowsDone).
bool ReadRows(png_structp png, png_bytepp rows, MemorySource* source) {
  if (setjmp(png_jmpbuf(png))) return source->rows_done;
  png_read_image(png, rows);
  return true;
}

}  // namespace

bool IsPngStream(std::span<const std::uint8_t> data) {
  return data.size() >= sizeof kSignature &&
         std::equal(std::begin(kSignature), std::end(kSignature), data.begin());
}

std::optional<PngPixels> DecodePng(std::span<const std::uint8_t> data) {
  if (!IsPngStream(data)) return std::nullopt;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  // Destroys both structures on every way out of this function.
  struct Guard {
    png_structp* png;
    png_infop* info;
    ~Guard() { png_destroy_read_struct(png, info, nullptr); }
  } guard{&png, &info};
  if (info == nullptr) return std::nullopt;

  MemorySource source{data.data(), data.size(), 0};
  png_set_read_fn(png, &source, ReadFromMemory);
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  bool has_alpha = false;
  if (!ReadHeader(png, info, &width, &height, &has_alpha)) return std::nullopt;
  if (width == 0 || height == 0 || width > kMaxPngSide || height > kMaxPngSide) return std::nullopt;

  PngPixels out;
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.has_alpha = has_alpha;
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  out.rgba.resize(stride * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.rgba.data() + stride * y;
  source.rows = height;
  if (!ReadRows(png, rows.data(), &source)) return std::nullopt;
  return out;
}

}  // namespace pelorin
