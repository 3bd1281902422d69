// The tools' glyphs, the status symbols and the pointer pictures are drawn by hand as text; these
// tests hold them to the layout the tool box, the status bar and the pointers read them with.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "raster/Picture.h"
#include "support/LoadedForm.h"

namespace pelorin {
namespace {

// Written red first, as in the picture files; stored with red in the low byte.
constexpr Colour Rgb(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

constexpr std::array<Colour, 16> kBasicColours = {
    Rgb(0x000000), Rgb(0x800000), Rgb(0x008000), Rgb(0x808000), Rgb(0x000080), Rgb(0x800080),
    Rgb(0x008080), Rgb(0xC0C0C0), Rgb(0x808080), Rgb(0xFF0000), Rgb(0x00FF00), Rgb(0xFFFF00),
    Rgb(0x0000FF), Rgb(0xFF00FF), Rgb(0x00FFFF), Rgb(0xFFFFFF)};

constexpr int kCell = 16;
// The status bar's size and position symbols, drawn 15 x 15 from their cells.
constexpr std::string_view kStatusSymbols = "status-symbols.txt";

bool IsBasicColour(Colour c) {
  return std::find(kBasicColours.begin(), kBasicColours.end(), c) != kBasicColours.end();
}

std::optional<Picture> Load(std::string_view name) { return ParsePicture(FindResource(name)); }

// The glyph pictures of the program's tools, in palette order, then the status symbols.
std::vector<std::string_view> GlyphPictures() {
  const testing::LoadedForm f;
  std::vector<std::string_view> names = f.form.canvas().Tools().Glyphs();
  names.push_back(kStatusSymbols);
  return names;
}

TEST(ResourceArtTest, GlyphsAreOpaqueAndUseOnlyTheSixteenBasicColours) {
  for (const std::string_view name : GlyphPictures()) {
    SCOPED_TRACE(name);
    const auto glyphs = Load(name);
    ASSERT_TRUE(glyphs) << "missing or does not parse";
    ASSERT_EQ(glyphs->image.width(), name == kStatusSymbols ? 2 * kCell : kCell);
    ASSERT_EQ(glyphs->image.height(), 2 * kCell);
    for (int y = 0; y < glyphs->image.height(); ++y)
      for (int x = 0; x < glyphs->image.width(); ++x) {
        EXPECT_TRUE(IsBasicColour(glyphs->image.At(x, y))) << "pixel " << x << "," << y;
        EXPECT_EQ(glyphs->mask.At(x, y), kBlack) << "transparent pixel " << x << "," << y;
      }
  }
}

// Drawn as mask AND then image XOR over the button face: the mask must be pure black and white,
// and the image black wherever the mask lets the face through, or the face comes out tinted.
TEST(ResourceArtTest, EveryGlyphImageIsBlackOutsideItsMask) {
  for (const std::string_view name : GlyphPictures()) {
    const Picture strip = LoadPictureResource(name);
    for (int glyph = 0; glyph < strip.image.width() / kCell; ++glyph) {
      SCOPED_TRACE(std::string(name) + " cell " + std::to_string(glyph));
      int inside = 0;
      for (int y = 0; y < kCell; ++y)
        for (int x = glyph * kCell; x < (glyph + 1) * kCell; ++x) {
          const Colour mask = strip.image.At(x, y);
          ASSERT_TRUE(mask == kBlack || mask == kWhite)
              << "glyph " << glyph << " mask pixel " << x << "," << y;
          if (mask == kBlack) {
            ++inside;
          } else {
            EXPECT_EQ(strip.image.At(x, y + kCell), kBlack)
                << "glyph " << glyph << " image pixel " << x << "," << y + kCell;
          }
        }
      EXPECT_GT(inside, 0) << "glyph " << glyph << " is empty";
      EXPECT_LT(inside, kCell * kCell) << "glyph " << glyph << " covers its whole cell";
    }
  }
}

TEST(ResourceArtTest, StatusSymbolsLeaveTheirLastRowAndColumnEmpty) {
  const Picture strip = LoadPictureResource(kStatusSymbols);
  ASSERT_EQ(strip.image.width(), 2 * kCell);
  for (const int glyph : {0, 1}) {
    const int left = glyph * kCell;
    for (int i = 0; i < kCell; ++i) {
      // Last row of the cell, then last column.
      for (const auto& [x, y] : {std::pair{left + i, kCell - 1}, std::pair{left + kCell - 1, i}}) {
        EXPECT_EQ(strip.image.At(x, y), kWhite) << "glyph " << glyph << " mask " << x << "," << y;
        EXPECT_EQ(strip.image.At(x, y + kCell), kBlack)
            << "glyph " << glyph << " image " << x << "," << y + kCell;
      }
    }
  }
}

struct PointerArt {
  const char* name;
  int hot_x;
  int hot_y;
  bool black_and_white;
};

constexpr std::array<PointerArt, 4> kPointers = {{
    {"cursor-pencil.txt", 1, 15, false},
    {"cursor-eraser.txt", 2, 10, true},
    {"cursor-pipette.txt", 1, 14, false},
    {"cursor-bucket.txt", 3, 14, false},
}};

// The art of a pointer stays in this top-left square of its 32 x 32 picture.
constexpr int kPointerArtExtent = 20;

TEST(ResourceArtTest, PointerHotSpotLiesOnTheDrawing) {
  for (const PointerArt& art : kPointers) {
    SCOPED_TRACE(art.name);
    const auto pic = Load(art.name);
    ASSERT_TRUE(pic) << "missing or does not parse";
    ASSERT_EQ(pic->image.width(), 32);
    ASSERT_EQ(pic->image.height(), 32);
    EXPECT_EQ(pic->hot_x, art.hot_x);
    EXPECT_EQ(pic->hot_y, art.hot_y);
    EXPECT_EQ(pic->mask.At(art.hot_x, art.hot_y), kBlack) << "hot spot is transparent";
  }
}

TEST(ResourceArtTest, PointerColoursAndExtent) {
  for (const PointerArt& art : kPointers) {
    SCOPED_TRACE(art.name);
    const Picture pic = LoadPictureResource(art.name);
    ASSERT_EQ(pic.image.width(), 32);
    std::set<Colour> colours;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        if (pic.mask.At(x, y) != kBlack) continue;
        EXPECT_TRUE(x < kPointerArtExtent && y < kPointerArtExtent)
            << "stray pixel " << x << "," << y;
        colours.insert(pic.image.At(x, y));
      }
    EXPECT_LE(colours.size(), 16u);
    if (art.black_and_white) {
      EXPECT_EQ(colours, (std::set<Colour>{kBlack, kWhite}));
    }
  }
}

}  // namespace
}  // namespace pelorin
