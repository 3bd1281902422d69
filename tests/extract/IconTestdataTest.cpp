// The decoder on the real files of the shared test data (see its MANIFEST.md): which image is
// chosen, pixels against the renderings published beside the files, refusal of the broken ones,
// and truncated or damaged copies of every good file.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#include "extract/IconBuilder.h"
#include "extract/IconDecoder.h"
#include "raster/Blit.h"
#include "support/Testdata.h"

namespace pelorin {
namespace {

using testing::Bytes;
using testing::IsPureMask;

class IconTestdata : public testing::NeedsTestdata {};

// A file missing from a sample folder that is there is a broken copy, not a decoder result: the
// test stops with the file's name.
Bytes Load(const std::string& relative) {
  std::ifstream in(testing::TestdataDir() + "/" + relative, std::ios::binary);
  if (!in.good()) throw std::runtime_error("test data missing: " + relative);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Every .ico and .cur file of the test data that decodes.
const char* const kGoodFiles[] = {
    "ico/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.ico",
    "ico/mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.ico",
    "ico/mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.ico",
    "ico/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.ico",
    "ico/mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.ico",
    "ico/mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.ico",
    "ico/image-rs/png-32bpp-alpha.ico",
    "ico/image-rs/multiple_entries_with_different_bit_depth.ico",
    "ico/nsis/nsis3-install.ico",
    "cur/pillow/deerstalker.cur",
};

std::optional<std::size_t> Chosen(const Bytes& file, int screen_bits) {
  const auto entries = ReadIconDirectory(file);
  if (!entries) return std::nullopt;
  std::vector<std::span<const std::uint8_t>> images;
  for (const auto& e : *entries) images.push_back(EntryImageData(file, e));
  return ChooseIconImage(*entries, images, screen_bits);
}

TEST_F(IconTestdata, EveryGoodFileDecodesToAPureMaskAndImage) {
  for (const char* name : kGoodFiles) {
    SCOPED_TRACE(name);
    const auto picture = DecodeIconFile(Load(name), 32);
    ASSERT_TRUE(picture.has_value());
    EXPECT_TRUE(IsPureMask(picture->mask));
    EXPECT_EQ(picture->image.width(), 32);
    EXPECT_EQ(picture->image.height(), 32);
  }
}

// Differences between a decoded icon and a reference rendering (decoded here from its PNG, which
// gives the same mask rule and the same scaling): the mask everywhere, the colour where opaque.
std::string Differences(const IconPicture& got, const IconPicture& want) {
  std::string out;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool opaque = want.mask.At(x, y) == kBlack;
      if (got.mask.At(x, y) != want.mask.At(x, y) ||
          (opaque && got.image.At(x, y) != want.image.At(x, y))) {
        char line[96];
        std::snprintf(line, sizeof line, "(%d,%d) mask %06X/%06X image %06X/%06X\n", x, y,
                      got.mask.At(x, y), want.mask.At(x, y), got.image.At(x, y),
                      want.image.At(x, y));
        out += line;
      }
    }
  return out;
}

TEST_F(IconTestdata, MatchesTheReferenceRenderings) {
  const std::pair<const char*, const char*> kPairs[] = {
      {"ico/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.ico",
       "reference/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.png"},
      {"ico/mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.ico",
       "reference/mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.png"},
      {"ico/mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.ico",
       "reference/mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.png"},
      {"ico/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.ico",
       "reference/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.png"},
      {"ico/mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.ico",
       "reference/mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.png"},
      {"ico/mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.ico",
       "reference/mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.png"},
      {"ico/image-rs/png-32bpp-alpha.ico", "reference/image-rs/png-32bpp-alpha.ico.png"},
  };
  for (const auto& [ico, png] : kPairs) {
    SCOPED_TRACE(ico);
    const auto got = DecodeIconFile(Load(ico), 32);
    const auto want = DecodeIconImage(Load(png));
    ASSERT_TRUE(got && want);
    EXPECT_EQ(Differences(*got, *want), "");
  }
}

// MANIFEST: 9 entries, 32x32 at 4, 8 and 32 bits are entries 0, 3 and 6; nsis3-install: 32x32 at
// 4 and 8 bits are entries 0 and 4, entry 2 a 256x256 PNG whose directory says 8 bits.
TEST_F(IconTestdata, ChoosesTheSizeThenTheDepthNearestTheScreen) {
  const Bytes multiple = Load("ico/image-rs/multiple_entries_with_different_bit_depth.ico");
  EXPECT_EQ(Chosen(multiple, 32), 6u);
  EXPECT_EQ(Chosen(multiple, 24), 6u);
  EXPECT_EQ(Chosen(multiple, 16), 3u);  // 8 and 32 bits are 8 away; the first wins
  EXPECT_EQ(Chosen(multiple, 8), 3u);
  EXPECT_EQ(Chosen(multiple, 4), 0u);
  const Bytes nsis = Load("ico/nsis/nsis3-install.ico");
  EXPECT_EQ(Chosen(nsis, 32), 4u);
  EXPECT_EQ(Chosen(nsis, 1), 0u);
  // The cursor's directory holds the hot spot (0, 0) where icons keep planes and depth.
  EXPECT_EQ(Chosen(Load("cur/pillow/deerstalker.cur"), 1), 0u);

  // The 48x48 images scaled down match the 48x48 reference the same way.
  const auto entries = ReadIconDirectory(multiple);
  ASSERT_TRUE(entries);
  const auto got = DecodeIconImage(EntryImageData(multiple, (*entries)[5]));
  const auto want =
      DecodeIconImage(Load("reference/image-rs/multiple_entries_with_different_bit_depth.ico.png"));
  ASSERT_TRUE(got && want);
  EXPECT_EQ(Differences(*got, *want), "");
}

// The frames of an animated cursor are whole .cur files in 'icon' chunks of the LIST 'fram'.
std::vector<Bytes> AniFrames(const Bytes& ani) {
  std::vector<Bytes> frames;
  auto u32 = [&](std::size_t at) {
    return static_cast<std::size_t>(ani[at] | ani[at + 1] << 8 | ani[at + 2] << 16 |
                                    ani[at + 3] << 24);
  };
  std::function<void(std::size_t, std::size_t)> walk = [&](std::size_t at, std::size_t end) {
    while (at + 8 <= end) {
      const std::string id(ani.begin() + at, ani.begin() + at + 4);
      const std::size_t size = std::min(u32(at + 4), end - at - 8);
      if (id == "LIST") walk(at + 12, at + 8 + size);
      if (id == "icon") frames.emplace_back(ani.begin() + at + 8, ani.begin() + at + 8 + size);
      at += 8 + size + (size & 1);
    }
  };
  walk(12, ani.size());
  return frames;
}

TEST_F(IconTestdata, DecodesTheCursorsInsideAnimatedCursors) {
  const std::pair<const char*, std::size_t> kFiles[] = {
      {"ani/gdk-pixbuf/test-animation.ani", 18}, {"ani/imhex/ani.compatibility.hexpat.ani", 4}};
  for (const auto& [name, count] : kFiles) {
    SCOPED_TRACE(name);
    const Bytes ani = Load(name);
    EXPECT_FALSE(DecodeIconFile(ani, 32));  // a RIFF file is not an icon file
    const std::vector<Bytes> frames = AniFrames(ani);
    ASSERT_EQ(frames.size(), count);
    for (const Bytes& frame : frames) {
      const auto picture = DecodeIconFile(frame, 32);
      ASSERT_TRUE(picture);
      EXPECT_TRUE(IsPureMask(picture->mask));
    }
  }
  // Each frame of the first holds a 48x48 and a 32x32 image, both 32 bits: the 32x32 one wins.
  EXPECT_EQ(Chosen(AniFrames(Load("ani/gdk-pixbuf/test-animation.ani"))[0], 32), 1u);
}

TEST_F(IconTestdata, RefusesBrokenAndForeignFiles) {
  const char* const kRefused[] = {
      "ico/mozilla-reftest/ico-bmp-corrupted/invalid-bpp.ico",  // 48 bits a pixel
      "ico/gdk-pixbuf/fail/bug779012.ico",                      // image offset past the end
      "icl/xdev70-Icons.icl",  // executables: their icons are resources, not an icon file
      "pe/ne/kio-extras/ne16_4bpp.exe",
      "pe/nsis/zlib-x86-unicode.exe",
      "pe/wine-x86_64/winemine.exe",
      "reference/image-rs/png-32bpp-alpha.ico.png",  // a bare PNG is not an icon file
  };
  for (const char* name : kRefused) EXPECT_FALSE(DecodeIconFile(Load(name), 32)) << name;

  // A BMP file renamed .ico: the file header starts with "BM" where the reserved word is 0.
  const Bytes ico = Load("ico/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.ico");
  Bytes bmp = {'B', 'M'};
  testing::PutLe(bmp, 14 + 40 + 32 * 32 * 3, 4);
  testing::PutLe(bmp, 0, 4);
  testing::PutLe(bmp, 14 + 40, 4);
  bmp.insert(bmp.end(), ico.begin() + 22, ico.begin() + 22 + 40 + 32 * 32 * 3);
  bmp[14 + 8] = 32;  // a BMP's height is not doubled
  EXPECT_FALSE(DecodeIconFile(bmp, 32));
  EXPECT_FALSE(ReadIconDirectory(bmp));
}

// Every reference rendering is a PNG stream, which an icon image may be: they decode as one,
// scaled to 32 x 32 where they are not (24x14, 48x48, 64x64).
TEST_F(IconTestdata, ReferencePngsDecodeAsIconImages) {
  const char* const kPngs[] = {
      "reference/image-rs/multiple_entries_with_different_bit_depth.ico.png",
      "reference/image-rs/png-32bpp-alpha.ico.png",
      "reference/kio-extras/ne16_4bpp_thumb.png",
      "reference/mozilla-reftest/ico-bmp-1bpp/ico-size-32x32-1bpp.png",
      "reference/mozilla-reftest/ico-bmp-24bpp/ico-size-32x32-24bpp.png",
      "reference/mozilla-reftest/ico-bmp-32bpp/ico-size-32x32-32bpp.png",
      "reference/mozilla-reftest/ico-bmp-4bpp/ico-size-32x32-4bpp.png",
      "reference/mozilla-reftest/ico-bmp-8bpp/ico-not-square-transparent-8bpp.png",
      "reference/mozilla-reftest/ico-bmp-8bpp/ico-size-32x32-8bpp.png",
  };
  for (const char* name : kPngs) {
    const auto picture = DecodeIconImage(Load(name));
    ASSERT_TRUE(picture) << name;
    EXPECT_TRUE(IsPureMask(picture->mask)) << name;
  }
}

// A decode either fails or gives a well-formed picture; the sanitizer build checks the reads.
void ExpectCleanOutcome(const std::optional<IconPicture>& picture) {
  if (picture) {
    EXPECT_TRUE(IsPureMask(picture->mask));
    EXPECT_EQ(picture->image.width() * picture->image.height(), 32 * 32);
  }
}

TEST_F(IconTestdata, TruncatedFilesAndImagesFailCleanly) {
  for (const char* name : kGoodFiles) {
    SCOPED_TRACE(name);
    const Bytes file = Load(name);
    const std::size_t step = file.size() / 400 + 1;
    for (std::size_t n = 0; n < file.size(); n += n < 64 ? 1 : step)
      ExpectCleanOutcome(DecodeIconFile(std::span(file).first(n), 32));
    // Each image cut short (these files declare their images' sizes rightly): a DIB misses at
    // least the end of its AND mask, a PNG some of its image data. Only a 32-bit DIB with alpha
    // can do without its mask, and a PNG cut after its last row (inside zlib's checksum and the
    // chunk's CRC, which the decode never reads, or inside IEND) has every row: then either gives
    // the same picture.
    const auto entries = ReadIconDirectory(file);
    ASSERT_TRUE(entries);
    for (const DirectoryEntry& e : *entries) {
      const auto image = EntryImageData(file, e).first(e.bytes);
      const auto whole = DecodeIconImage(image);
      const auto facts = InspectIconImage(image);
      ASSERT_TRUE(whole && facts);
      const std::size_t complete = facts->png ? image.size() - 12 : image.size();
      for (std::size_t n = 0; n < complete; n += n < 64 ? 1 : complete / 300 + 1) {
        const auto cut = DecodeIconImage(image.first(n));
        if (!cut) continue;
        EXPECT_TRUE(facts->png ? n + 8 >= complete : facts->bit_count == 32) << n;
        EXPECT_TRUE(cut->mask == whole->mask && cut->image == whole->image) << n;
      }
    }
  }
}

TEST_F(IconTestdata, DamagedFilesFailCleanly) {
  std::mt19937 random(1234);
  for (const char* name : kGoodFiles) {
    SCOPED_TRACE(name);
    const Bytes file = Load(name);
    for (int round = 0; round < 300; ++round) {
      Bytes damaged = file;
      const int flips = 1 + round % 8;
      for (int i = 0; i < flips; ++i) {
        // Half the damage goes to the directory and image headers, where it matters most.
        const std::size_t limit =
            round % 2 ? damaged.size() : std::min<std::size_t>(damaged.size(), 200);
        damaged[random() % limit] = static_cast<std::uint8_t>(random());
      }
      ExpectCleanOutcome(DecodeIconFile(damaged, 32));
    }
  }
}

}  // namespace
}  // namespace pelorin
