// The icon decoder on hand-built images: every depth and both transparency rules, colour tables,
// bit fields, header variants, scaling, PNG streams, the directory, the choice of image and the
// refusal of what cannot be read.
#include <gtest/gtest.h>

#include "extract/IconBuilder.h"
#include "extract/IconDecoder.h"
#include "raster/Blit.h"

namespace pelorin {
namespace {

using testing::BuildDib;
using testing::BuildIco;
using testing::BuildPng;
using testing::Bytes;
using testing::DibSpec;
using testing::IcoImage;
using testing::PngSpec;

Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | g << 8 | b << 16); }

// A palette whose entry i is a distinct colour, stored as B, G, R, 0.
std::vector<std::uint32_t> Palette(int n) {
  std::vector<std::uint32_t> p;
  for (int i = 0; i < n; ++i)
    p.push_back(static_cast<std::uint32_t>((i * 37 % 256) << 16 | (255 - i) << 8 | (i * 11 % 256)));
  return p;
}
Colour PaletteColour(std::uint32_t stored) {
  return Rgb(stored >> 16 & 0xFF, stored >> 8 & 0xFF, stored & 0xFF);
}

bool Checker(int x, int y) { return (x + 2 * y) % 3 == 0; }

// Pixel by pixel against `mask_at` (true = transparent) and `colour_at`.
template <typename MaskAt, typename ColourAt>
void ExpectPicture(const std::optional<IconPicture>& p, MaskAt mask_at, ColourAt colour_at) {
  ASSERT_TRUE(p);
  int wrong = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool bad = p->mask.At(x, y) != (mask_at(x, y) ? kWhite : kBlack) ||
                       p->image.At(x, y) != colour_at(x, y);
      if (bad && ++wrong <= 3)
        ADD_FAILURE() << "(" << x << "," << y << ") mask " << std::hex << p->mask.At(x, y)
                      << " image " << p->image.At(x, y) << " want " << colour_at(x, y);
    }
}

TEST(IconDecoder, EveryDepthReadsItsColoursUnderTheAndMask) {
  // The colour under a set mask bit is kept as stored: the file shows it inverted on screen.
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    DibSpec s{.bits = bits, .palette = Palette(1 << bits)};
    s.pixel = [&](int x, int y) { return static_cast<std::uint32_t>(x * 7 + y) % (1u << bits); };
    s.and_bit = Checker;
    ExpectPicture(DecodeIconImage(BuildDib(s)), Checker,
                  [&](int x, int y) { return PaletteColour(s.palette[s.pixel(x, y)]); });
  }
  {  // 16 bits: 5-5-5, each channel widened as v << 3 | v >> 2
    DibSpec s{.bits = 16};
    s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x * 1021 + y * 331) & 0x7FFF; };
    s.and_bit = Checker;
    auto widen = [](std::uint32_t v) { return static_cast<int>(v << 3 | v >> 2); };
    ExpectPicture(DecodeIconImage(BuildDib(s)), Checker, [&](int x, int y) {
      const std::uint32_t v = s.pixel(x, y);
      return Rgb(widen(v >> 10 & 31), widen(v >> 5 & 31), widen(v & 31));
    });
  }
  for (int bits : {24, 32}) {  // stored B, G, R (and an alpha byte of 0)
    SCOPED_TRACE(bits);
    DibSpec s{.bits = bits};
    s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x * 0x0807 + y * 0x10305); };
    s.and_bit = Checker;
    ExpectPicture(DecodeIconImage(BuildDib(s)), Checker, [&](int x, int y) {
      const std::uint32_t v = s.pixel(x, y);
      return Rgb(v >> 16 & 0xFF, v >> 8 & 0xFF, v & 0xFF);
    });
  }
}

TEST(IconDecoder, ColourTablesMayBeShortAndFollowTheHeaderForAnyDepth) {
  // Two entries for 8 bits: the bits follow them, indices past the table are black.
  DibSpec s{.bits = 8, .colours_used = 2, .palette = Palette(2)};
  s.pixel = [](int x, int) { return static_cast<std::uint32_t>(x % 4); };
  ExpectPicture(
      DecodeIconImage(BuildDib(s)), [](int, int) { return false; },
      [&](int x, int) { return x % 4 < 2 ? PaletteColour(s.palette[x % 4]) : kBlack; });
  // A 24-bit image may carry a table too; it is skipped.
  DibSpec t{.bits = 24, .colours_used = 3, .palette = Palette(3)};
  t.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x << 16 | y); };
  ExpectPicture(
      DecodeIconImage(BuildDib(t)), [](int, int) { return false; },
      [](int x, int y) { return Rgb(x, 0, y); });
}

TEST(IconDecoder, AnyNonZeroAlphaByteSwitchesToTheAlphaRule) {
  DibSpec s{.bits = 32};
  s.and_bit = Checker;
  s.pixel = [](int x, int y) { return 0x00C0B0A0u + static_cast<std::uint32_t>(x + y); };
  const Bytes no_alpha = BuildDib(s);
  ExpectPicture(DecodeIconImage(no_alpha), Checker,
                [](int x, int y) { return Rgb(0xC0, 0xB0, 0xA0 + x + y); });

  // Alpha by column: 0, 127, 128, 255 repeating. Below 128 is transparent (image black), the
  // rest keeps its colour as stored (not multiplied by alpha); the AND mask no longer counts.
  const std::uint32_t alphas[] = {0, 127, 128, 255};
  s.pixel = [&](int x, int y) { return alphas[x % 4] << 24 | (0x00C0B0A0u + x + y); };
  ExpectPicture(
      DecodeIconImage(BuildDib(s)), [](int x, int) { return x % 4 < 2; },
      [](int x, int y) { return x % 4 < 2 ? kBlack : Rgb(0xC0, 0xB0, 0xA0 + x + y); });

  // One alpha byte in a column the scaling drops (64 -> 32 keeps the odd columns) still counts.
  DibSpec wide{.width = 64, .height = 64, .bits = 32};
  wide.pixel = [](int x, int y) { return x == 0 && y == 0 ? 0x01000000u : 0x00FFFFFFu; };
  wide.and_bit = [](int, int) { return false; };
  ExpectPicture(
      DecodeIconImage(BuildDib(wide)), [](int, int) { return true; },
      [](int, int) { return kBlack; });
}

TEST(IconDecoder, BitfieldsTakeTheirMasksFromAfterTheCommon40Bytes) {
  // 5-6-5 with a 40-byte header (masks between header and bits) and in a 108-byte header.
  for (std::uint32_t header : {40u, 108u}) {
    SCOPED_TRACE(header);
    DibSpec s{
        .bits = 16, .compression = 3, .header_size = header, .masks = {0xF800, 0x07E0, 0x001F}};
    const std::uint32_t values[] = {0xFFFF, 0x8000, 0x0400, 0x0010, 0x0000};
    s.pixel = [&](int x, int) { return values[x % 5]; };
    const Colour want[] = {kWhite, Rgb(0x84, 0, 0), Rgb(0, 0x82, 0), Rgb(0, 0, 0x84), kBlack};
    ExpectPicture(
        DecodeIconImage(BuildDib(s)), [](int, int) { return false; },
        [&](int x, int) { return want[x % 5]; });
  }
  // 32 bits with red in the low byte; 1-bit and empty masks widen as the DIB engine does.
  DibSpec s{.bits = 32, .compression = 3, .masks = {0x0000FF, 0x00FF00, 0xFF0000}};
  s.pixel = [](int, int) { return 0x00112233u; };
  ExpectPicture(
      DecodeIconImage(BuildDib(s)), [](int, int) { return false; },
      [](int, int) { return Rgb(0x33, 0x22, 0x11); });
  s.masks = {0x1, 0x0, 0x2};
  s.pixel = [](int x, int) { return static_cast<std::uint32_t>(x % 4); };
  ExpectPicture(
      DecodeIconImage(BuildDib(s)), [](int, int) { return false; },
      [](int x, int) { return Rgb(x % 2 ? 0xC0 : 0, 0, x % 4 >= 2 ? 0xC0 : 0); });
  // Fields wider than 8 bits, up to a mask of all 32, give their top 8 bits.
  s.masks = {0xFFFFFFFF, 0xFFFF0000, 0x0000FFFF};
  s.pixel = [](int, int) { return 0xABCD1234u; };
  ExpectPicture(
      DecodeIconImage(BuildDib(s)), [](int, int) { return false; },
      [](int, int) { return Rgb(0xAB, 0xAB, 0x12); });
}

TEST(IconDecoder, HeaderVariantsAndTopDownRowsGiveTheSamePicture) {
  DibSpec s{.bits = 8, .palette = Palette(256)};
  s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x + 7 * y) & 0xFF; };
  s.and_bit = Checker;
  const auto base = DecodeIconImage(BuildDib(s));
  ASSERT_TRUE(base);
  for (std::uint32_t header : {52u, 56u, 108u, 124u}) {
    s.header_size = header;
    const auto p = DecodeIconImage(BuildDib(s));
    ASSERT_TRUE(p) << header;
    EXPECT_TRUE(p->mask == base->mask && p->image == base->image) << header;
  }
  s.header_size = 40;
  s.top_down = true;
  const auto p = DecodeIconImage(BuildDib(s));
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->mask == base->mask && p->image == base->image);
}

TEST(IconDecoder, RefusesDibsItCannotRead) {
  DibSpec good{.bits = 8, .palette = Palette(256)};
  ASSERT_TRUE(DecodeIconImage(BuildDib(good)));
  auto with = [&](auto change) {
    DibSpec s = good;
    change(s);
    return BuildDib(s);
  };
  const std::vector<Bytes> refused = {
      with([](DibSpec& s) { s.header_size = 12; }),  // the old core header
      with([](DibSpec& s) { s.header_size = 64; }),
      with([](DibSpec& s) { s.bits = 2; }),
      with([](DibSpec& s) { s.bits = 48; }),
      with([](DibSpec& s) { s.compression = 1; }),  // RLE8
      with([](DibSpec& s) { s.compression = 2; }),  // RLE4
      with([](DibSpec& s) { s.compression = 3; }),  // bit fields need 16 or 32 bits
      with([](DibSpec& s) { s.compression = 4; }),
      with([](DibSpec& s) { s.width = 0; }),
      with([](DibSpec& s) { s.width = 1025; }),
      with([](DibSpec& s) { s.height = 1025; }),
  };
  for (std::size_t i = 0; i < refused.size(); ++i)
    EXPECT_FALSE(InspectIconImage(refused[i]) || DecodeIconImage(refused[i])) << i;

  Bytes b = BuildDib(good);
  b[8] = 1;  // doubled height 1: no row at all
  EXPECT_FALSE(DecodeIconImage(b));
  b = BuildDib(good);
  for (int k = 0; k < 4; ++k) b[8 + k] = k == 3 ? 0x80 : 0;  // height -2^31
  EXPECT_FALSE(DecodeIconImage(b));
  b = BuildDib(good);
  b[7] = 0xFF;  // width negative
  EXPECT_FALSE(DecodeIconImage(b));
  b = BuildDib(good);
  b.pop_back();  // the last byte of the AND mask
  EXPECT_FALSE(DecodeIconImage(b));
  // biClrUsed counts at most 256 entries: a full 8-bit table still fits, a 24-bit image without
  // a table does not.
  b = BuildDib(good);
  std::fill(b.begin() + 32, b.begin() + 36, 0xFF);
  EXPECT_TRUE(DecodeIconImage(b));
  b = with([](DibSpec& s) { s.bits = 24, s.palette = {}; });
  std::fill(b.begin() + 32, b.begin() + 36, 0xFF);
  EXPECT_FALSE(DecodeIconImage(b));
  // The largest size accepted decodes.
  EXPECT_TRUE(DecodeIconImage(
      with([](DibSpec& s) { s.width = s.height = 1024, s.bits = 1, s.palette = Palette(2); })));
}

// Decodes a `w` x `h` image and compares it with StretchBlt of the whole image and mask.
void ExpectScaledLikeStretchBlt(int w, int h) {
  SCOPED_TRACE(::testing::Message() << w << "x" << h);
  DibSpec s{.width = w, .height = h, .bits = 24};
  s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x << 8 | y); };
  s.and_bit = [](int x, int y) { return (x * 3 + y * 5) % 7 < 3; };
  Raster mask(w, h), image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      mask.SetPixel(x, y, s.and_bit(x, y) ? kWhite : kBlack);
      image.SetPixel(x, y, Rgb(0, x, y));
    }
  Raster want_mask(32, 32), want_image(32, 32);
  StretchBlt(want_mask, 0, 0, 32, 32, mask, 0, 0, w, h, Rop::kSrcCopy);
  StretchBlt(want_image, 0, 0, 32, 32, image, 0, 0, w, h, Rop::kSrcCopy);
  const auto p = DecodeIconImage(BuildDib(s));
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->mask == want_mask);
  EXPECT_TRUE(p->image == want_image);
}

TEST(IconDecoder, OtherSizesAreScaledLikeAStretchOfTheWholeImage) {
  ExpectScaledLikeStretchBlt(16, 16);
  ExpectScaledLikeStretchBlt(48, 48);
  ExpectScaledLikeStretchBlt(24, 14);
  ExpectScaledLikeStretchBlt(1, 1);
  ExpectScaledLikeStretchBlt(255, 3);
  // Spot checks of the rule itself: 16 -> 32 doubles, 48 -> 32 keeps 2 of every 3 columns.
  DibSpec s{.width = 16, .height = 16, .bits = 24};
  s.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x << 8 | y); };
  ExpectPicture(
      DecodeIconImage(BuildDib(s)), [](int, int) { return false; },
      [](int x, int y) { return Rgb(0, x / 2, y / 2); });
}

TEST(IconDecoder, PngTransparencyComesFromAlphaOrTrns) {
  // RGBA: alpha below 128 transparent, colours as stored; 16x16 is doubled like a DIB.
  PngSpec rgba{.width = 16, .height = 16};
  rgba.pixel = [](int x, int y, int c) {
    const int v[] = {x * 16, y * 16, 0x55, x % 2 ? 128 : 127};
    return static_cast<std::uint8_t>(v[c]);
  };
  ExpectPicture(
      DecodeIconImage(BuildPng(rgba)), [](int x, int) { return x / 2 % 2 == 0; },
      [](int x, int y) { return x / 2 % 2 == 0 ? kBlack : Rgb(x / 2 * 16, y / 2 * 16, 0x55); });
  // RGB has no mask at all: opaque everywhere.
  PngSpec rgb{.colour_type = 2};
  rgb.pixel = [](int x, int y, int c) {
    return static_cast<std::uint8_t>(c == 0 ? x : c == 1 ? y : 0);
  };
  ExpectPicture(
      DecodeIconImage(BuildPng(rgb)), [](int, int) { return false; },
      [](int x, int y) { return Rgb(x, y, 0); });
  // Palette with tRNS: entry 0 transparent; grey; 16 bits keep the high byte.
  PngSpec palette{.colour_type = 3, .plte = {10, 20, 30, 40, 50, 60}, .trns = {0}};
  palette.pixel = [](int x, int, int) { return static_cast<std::uint8_t>(x % 2); };
  ExpectPicture(
      DecodeIconImage(BuildPng(palette)), [](int x, int) { return x % 2 == 0; },
      [](int x, int) { return x % 2 ? Rgb(40, 50, 60) : kBlack; });
  PngSpec grey{.colour_type = 4, .sixteen = true};
  grey.pixel = [](int x, int, int c) {
    return static_cast<std::uint8_t>(c == 0 ? x : c == 2 ? 200 : 0xFF);
  };
  ExpectPicture(
      DecodeIconImage(BuildPng(grey)), [](int, int) { return false; },
      [](int x, int) { return Rgb(x, x, x); });
}

TEST(IconDecoder, RefusesBrokenPngs) {
  PngSpec s{.colour_type = 6};
  Bytes png = BuildPng(s);
  ASSERT_TRUE(DecodeIconImage(png));
  png[png.size() - 20] ^= 1;  // inside the IDAT: its CRC no longer matches
  EXPECT_FALSE(DecodeIconImage(png));
  const Bytes whole = BuildPng(s);
  EXPECT_FALSE(DecodeIconImage(std::span(whole).first(60)));
  for (int side : {0, 4097}) {
    s.width = side;
    s.height = 1;
    EXPECT_FALSE(DecodeIconImage(BuildPng(s))) << side;
  }
  s.width = 4096;  // the largest accepted
  EXPECT_TRUE(DecodeIconImage(BuildPng(s)));
}

TEST(IconDecoder, APngIsDecodedUpToItsLastRowAndNotBeyond) {
  // Compressed data after the rows (a crafted tail can inflate to gigabytes) is never read: the
  // stream decodes the same with a tail, and with the tail cut off mid-way, without its
  // checksum, its chunk's CRC and IEND.
  PngSpec s{.width = 7, .height = 5, .colour_type = 6};
  s.pixel = [](int x, int y, int c) { return static_cast<std::uint8_t>(c == 3 ? 255 : x * y + c); };
  const auto plain = DecodeIconImageRgba(BuildPng(s));
  ASSERT_TRUE(plain);
  s.tail = 1 << 20;
  const Bytes tailed = BuildPng(s);
  for (const std::size_t cut : {std::size_t{0}, std::size_t{512 << 10}}) {
    const auto picture = DecodeIconImageRgba(std::span(tailed).first(tailed.size() - cut));
    ASSERT_TRUE(picture) << cut;
    EXPECT_EQ(picture->rgba, plain->rgba) << cut;
  }
}

TEST(IconDecoder, ReadsTheDirectoryAndRefusesBadHeaders) {
  const Bytes dib = BuildDib({.bits = 4, .palette = Palette(16)});
  Bytes file = BuildIco({{.width = 0, .height = 16, .bit_count = 7, .data = dib}}, 2);
  const auto entries = ReadIconDirectory(file);
  ASSERT_TRUE(entries && entries->size() == 1);
  const DirectoryEntry& e = (*entries)[0];
  EXPECT_EQ(e.width, 256);
  EXPECT_EQ(e.height, 16);
  EXPECT_EQ(e.bit_count, 7);
  EXPECT_EQ(e.bytes, dib.size());
  EXPECT_EQ(e.offset, 22u);
  EXPECT_TRUE(DecodeIconFile(file, 32));  // a cursor decodes like an icon
  // The picture carries the directory's count, read as the signed 16-bit value it is stored as.
  EXPECT_EQ(DecodeIconFile(file, 32)->image_count, 1);
  EXPECT_EQ(
      DecodeIconFile(BuildIco({{.data = dib}, {.data = dib}, {.data = dib}}), 32)->image_count, 3);
  std::vector<IcoImage> many(0xFFFF, {.offset = 6 + 16 * 0xFFFF});
  many.back().data = dib;
  EXPECT_EQ(DecodeIconFile(BuildIco(many), 32)->image_count, -1);

  for (auto [at, value] : {std::pair{0, 1}, {1, 1}, {2, 0}, {2, 3}, {4, 0}, {4, 200}}) {
    Bytes bad = file;
    bad[at] = static_cast<std::uint8_t>(value);
    EXPECT_FALSE(ReadIconDirectory(bad)) << at << " " << value;
    EXPECT_FALSE(DecodeIconFile(bad, 32));
  }
  EXPECT_FALSE(ReadIconDirectory(std::span(file).first(21)));  // the entry cut short
  EXPECT_FALSE(ReadIconDirectory({}));
}

TEST(IconDecoder, ChoosesTheSizeThenTheDepthFromTheImageHeaders) {
  auto dib = [](int side, int bits) {
    return BuildDib({.width = side,
                     .height = side,
                     .bits = bits,
                     .palette = bits <= 8 ? Palette(1 << bits) : std::vector<std::uint32_t>{}});
  };
  const Bytes png = BuildPng({.colour_type = 6});
  // The directory's depths are wrong on purpose: the image headers count, PNG as 32.
  const Bytes file = BuildIco({{.width = 16, .height = 16, .data = dib(16, 32)},
                               {.width = 48, .height = 48, .data = dib(48, 32)},
                               {.bit_count = 32, .data = dib(32, 4)},
                               {.bit_count = 1, .data = dib(32, 8)},
                               {.bit_count = 8, .data = png},
                               {.data = dib(32, 8)}});
  auto chosen = [&](const Bytes& f, int screen_bits) -> std::optional<std::size_t> {
    const auto entries = ReadIconDirectory(f);
    std::vector<std::span<const std::uint8_t>> images;
    for (const auto& e : *entries) images.push_back(EntryImageData(f, e));
    return ChooseIconImage(*entries, images, screen_bits);
  };
  EXPECT_EQ(chosen(file, 32), 4u);
  EXPECT_EQ(chosen(file, 24), 4u);
  EXPECT_EQ(chosen(file, 16), 3u);  // 8 away from both 8 and 32: the first wins
  EXPECT_EQ(chosen(file, 8), 3u);
  EXPECT_EQ(chosen(file, 1), 2u);

  // Only the entries with the same width and height distances as the first nearest compete on
  // depth: 36x32 is as far as 32x36 in total but does not.
  const Bytes odd = BuildIco({{.width = 32, .height = 36, .data = dib(32, 4)},
                              {.width = 36, .height = 32, .data = dib(32, 32)}});
  EXPECT_EQ(chosen(odd, 32), 0u);

  // Unusable entries are passed over: data outside the file, or an image that does not fit.
  Bytes skipping = BuildIco({{.data = dib(32, 32), .offset = 100000},
                             {.width = 16, .height = 16, .data = dib(16, 8)},
                             {.data = dib(32, 24)}});
  skipping.pop_back();  // the last byte of the last image's AND mask
  EXPECT_EQ(chosen(skipping, 32), 1u);
  const Bytes none = BuildIco({{.data = dib(32, 32), .offset = 100000}});
  EXPECT_EQ(chosen(none, 32), std::nullopt);
  EXPECT_FALSE(DecodeIconFile(none, 32));
}

// Writers get the directory's size field wrong both ways; each image's own header says how long
// it is, and only the end of the file bounds it.
TEST(IconDecoder, TheDeclaredSizeIsNotUsedOnlyTheEndOfTheFile) {
  const Bytes dib = BuildDib({.bits = 24});
  EXPECT_TRUE(DecodeIconFile(BuildIco({{.data = dib, .bytes = 0x7FFFFFFF}}), 32));
  // Declared far too small: a PNG of 200-odd bytes declared as 64, a cursor image as 8 bytes.
  const Bytes png = BuildPng({.width = 4, .height = 4, .colour_type = 2});
  ASSERT_GT(png.size(), 64u);
  EXPECT_TRUE(DecodeIconFile(BuildIco({{.data = png, .bytes = 64}}), 32));
  EXPECT_TRUE(DecodeIconFile(BuildIco({{.data = dib, .bytes = 8}}, 2), 32));
  // Both images of a file declared short decode, and the choice between them still works.
  const Bytes two = BuildIco({{.width = 16, .height = 16, .data = png, .bytes = 64},
                              {.bit_count = 24, .data = dib, .bytes = 8}});
  const auto entries = ReadIconDirectory(two);
  ASSERT_TRUE(entries);
  std::vector<std::span<const std::uint8_t>> images;
  for (const auto& e : *entries) images.push_back(EntryImageData(two, e));
  EXPECT_EQ(ChooseIconImage(*entries, images, 32), 1u);
  EXPECT_TRUE(DecodeIconImage(images[0]));
  // What the end of the file cuts off is still missing.
  const Bytes cut = BuildIco({{.data = dib, .bytes = 8}});
  EXPECT_FALSE(DecodeIconFile(std::span(cut).first(cut.size() - 1), 32));

  // A chosen PNG that is corrupt further in makes the file fail; no other image is tried.
  Bytes bad_png = BuildPng({});
  bad_png[bad_png.size() - 20] ^= 1;
  EXPECT_FALSE(DecodeIconFile(
      BuildIco(
          {{.data = bad_png},
           {.width = 16, .height = 16, .data = BuildDib({.width = 16, .height = 16, .bits = 24})}}),
      32));
}

// The AND mask is ignored for a 32-bit image with alpha, so such an image decodes without one;
// without alpha the mask is what says which pixels are transparent, and it must be there.
TEST(IconDecoder, A32BitImageWithAlphaNeedsNoAndMask) {
  DibSpec s{.width = 8, .height = 8, .bits = 32};
  s.pixel = [](int x, int y) { return (x + y) % 2 ? 0xFF0000FFu : 0x00000000u; };
  Bytes full = BuildDib(s);
  const Bytes no_mask(full.begin(), full.end() - 8 * 4);  // 8 rows of 4 mask bytes
  const auto with_mask = DecodeIconImage(full);
  const auto without = DecodeIconImage(no_mask);
  ASSERT_TRUE(with_mask && without);
  EXPECT_TRUE(without->mask == with_mask->mask && without->image == with_mask->image);
  EXPECT_TRUE(InspectIconImage(no_mask));
  EXPECT_TRUE(DecodeIconFile(BuildIco({{.width = 8, .height = 8, .data = no_mask}}), 32));

  s.pixel = [](int x, int y) { return (x + y) % 2 ? 0x000000FFu : 0u; };  // no alpha at all
  full = BuildDib(s);
  EXPECT_TRUE(DecodeIconImage(full));
  EXPECT_FALSE(DecodeIconImage(std::span(full).first(full.size() - 8 * 4)));
  EXPECT_FALSE(DecodeIconImage(std::span(full).first(full.size() - 1)));
  // Other depths always need their mask.
  const Bytes rgb = BuildDib({.width = 8, .height = 8, .bits = 24});
  EXPECT_FALSE(InspectIconImage(std::span(rgb).first(rgb.size() - 8 * 4)));
}

// A file whose bytes are counted as they are read: a small icon followed by a great deal of
// padding that no read may touch.
class PaddedFile final : public ByteSource {
 public:
  PaddedFile(Bytes head, std::uint64_t size) : head_(std::move(head)), size_(size) {}
  std::uint64_t size() const override { return size_; }
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
    if (offset > size_ || out.size() > size_ - offset) return false;
    read_ += out.size();
    for (std::size_t i = 0; i < out.size(); ++i)
      out[i] = offset + i < head_.size() ? head_[offset + i] : 0;
    return true;
  }
  std::uint64_t read() const { return read_; }

 private:
  Bytes head_;
  std::uint64_t size_;
  mutable std::uint64_t read_ = 0;
};

TEST(IconDecoder, DecodingAFileReadsTheDirectoryAndTheChosenImageOnly) {
  const Bytes png = BuildPng({.colour_type = 6});
  const Bytes dib = BuildDib({.bits = 8, .palette = Palette(256)});
  const Bytes file = BuildIco(
      {{.width = 16, .height = 16, .data = BuildDib({.width = 16, .height = 16, .bits = 24})},
       {.data = png},
       {.data = dib}});
  for (const std::uint64_t size : {std::uint64_t{file.size()}, std::uint64_t{8} << 20,
                                   std::uint64_t{64} << 20, std::uint64_t{1} << 40}) {
    SCOPED_TRACE(size);
    for (const int bits : {32, 8}) {
      const PaddedFile padded(file, size);
      const auto picture = DecodeIconFile(padded, bits);
      const auto in_memory = DecodeIconFile(file, bits);
      ASSERT_TRUE(picture && in_memory);
      EXPECT_TRUE(picture->mask == in_memory->mask && picture->image == in_memory->image);
      // The directory, the head of each image, and the chosen image (at 32 bits the PNG, found
      // by walking its three chunks; at 8 bits the 8-bit DIB).
      const std::uint64_t image = bits == 32 ? png.size() + 3 * 8 : dib.size();
      EXPECT_LE(padded.read(), 6 + 3 * 16 + 3 * kImageHeadBytes + image);
    }
  }
}

}  // namespace
}  // namespace pelorin
