#include "colour/ColourPalette.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "base/Numbers.h"
#include "raster/Picture.h"

namespace pelorin {

namespace {

// The string table: "id value" lines, '#' comments.
std::array<Colour, kPaletteSize> ParseDefaultPalette() {
  std::array<Colour, kPaletteSize> table{};
  std::string_view text = FindResource("palette.txt");
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line[0] == '#') continue;
    int id = 0;
    unsigned value = 0;
    const auto [p, ec] = std::from_chars(line.data(), line.data() + line.size(), id);
    if (ec != std::errc() || p == line.data() + line.size()) continue;
    std::from_chars(p + 1, line.data() + line.size(), value);
    if (id >= 100 && id < 100 + kPaletteSize) table[id - 100] = value & kColourMask;
  }
  return table;
}

}  // namespace

Colour ColourPalette::DefaultEntry(int k) {
  static const std::array<Colour, kPaletteSize> kTable = ParseDefaultPalette();
  return k >= 0 && k < kPaletteSize ? kTable[k] : kBlack;
}

void ColourPalette::DrawPalette(Surface& pic_pal, bool load_defaults, Colour shadow,
                                Colour highlight) {
  if (load_defaults)
    for (int k = 0; k < kPaletteSize; ++k) entries_[k] = DefaultEntry(k);
  Raster& r = pic_pal.raster();
  int k = 0;
  for (int y = 0; y <= r.height() - 12 && k < kPaletteSize; y += kPaletteCell) {
    for (int x = 0; x <= r.width() - 12 && k < kPaletteSize; x += kPaletteCell) {
      r.FillRect({x, y, x + kPaletteCell, y + kPaletteCell}, entries_[k]);
      DrawEdgeSunkenOuter(r, {x, y, x + kPaletteCell, y + kPaletteCell}, shadow, highlight);
      ++k;
    }
  }
  pic_pal.Refresh();
}

void ColourPalette::Randomise(std::mt19937& random) {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  for (int i = 1; i <= kPaletteSize - 2; ++i)
    entries_[i] = static_cast<Colour>(std::nearbyint(uniform(random) * 16777215.0));
}

int ColourPalette::CellAt(double x, double y) {
  constexpr double kSide = 16 * kPaletteCell;
  if (x < 0 || y < 0 || x >= kSide || y >= kSide) return -1;
  // 207.6 rounds to 208, the edge of the last cell; it still belongs to it.
  const int px = std::min(WholePixel(x), 16 * kPaletteCell - 1);
  const int py = std::min(WholePixel(y), 16 * kPaletteCell - 1);
  return static_cast<int>((py / kPaletteCell) * 16 + px / kPaletteCell);
}

}  // namespace pelorin
