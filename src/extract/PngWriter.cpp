#include "extract/PngWriter.h"

#include <png.h>

#include <new>

namespace pelorin {
namespace {

// Appends to the vector libpng was given; running out of memory is a libpng error, so no
// exception ever passes through libpng's C frames.
void WriteToMemory(png_structp png, png_bytep data, std::size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  bool failed = false;
  try {
    out->insert(out->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    failed = true;
  }
  if (failed) png_error(png, "out of memory");
}

void Flush(png_structp) {}

// Errors jump back to the setjmp in WriteImage; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Writes the whole stream. Under setjmp, so this function holds only plain values and pointers
// (a longjmp must not cross the lifetime of an object with a destructor). False on any error.
bool WriteImage(png_structp png, png_infop info, int width, int height, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // A thumbnail is written once and read once, often re-encoded by the desktop for its cache:
  // rows without filters and the fastest compression make it a little larger and take a
  // fraction of the time.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image) {
  if (image.width < 1 || image.height < 1 ||
      image.rgba.size() != static_cast<std::size_t>(image.width) * image.height * 4)
    return std::nullopt;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  // Destroys both structures on every way out of this function.
  struct Guard {
    png_structp* png;
    png_infop* info;
    ~Guard() { png_destroy_write_struct(png, info); }
  } guard{&png, &info};
  if (info == nullptr) return std::nullopt;

  std::vector<std::uint8_t> out;
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y)
    rows[y] =
        const_cast<png_bytep>(image.rgba.data()) + static_cast<std::size_t>(y) * image.width * 4;
  png_set_write_fn(png, &out, WriteToMemory, Flush);
  if (!WriteImage(png, info, image.width, image.height, rows.data())) return std::nullopt;
  return out;
}

}  // namespace pelorin
