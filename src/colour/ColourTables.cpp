#include "colour/ColourTables.h"

#include <algorithm>

namespace pelorin {

namespace {

Colour Combine(int red, int green, int blue) {
  return static_cast<Colour>(red) + 256 * static_cast<Colour>(green) +
         65536 * static_cast<Colour>(blue);
}

void Follow(int& working, int& result, int step) {
  working += step;
  if (working >= 0 && working <= 255) result = working;
}

}  // namespace

void ColourTables::Load(const Raster& mask, const Raster& image) {
  for (int k = 0; k < kTableEntries; ++k) {
    const int x = k % kTableSide;
    const int y = k / kTableSide;
    ColourEntry e{kTransparentComponent, kTransparentComponent, kTransparentComponent};
    if (mask.GetPixel(x, y) == kBlack) {
      const Colour c = image.GetPixel(x, y);
      e = {static_cast<int>(c % 256), static_cast<int>((c % 65536) / 256),
           static_cast<int>(c / 65536)};
    }
    start[k] = working[k] = result[k] = e;
  }
}

void ColourTables::Step(Channels channels, int step) {
  for (int k = 0; k < kTableEntries; ++k) {
    if (!Opaque(k)) continue;
    ColourEntry& w = working[k];
    ColourEntry& r = result[k];
    if (channels == Channels::kBrightness || channels == Channels::kRed) Follow(w.red, r.red, step);
    if (channels == Channels::kBrightness || channels == Channels::kGreen)
      Follow(w.green, r.green, step);
    if (channels == Channels::kBrightness || channels == Channels::kBlue)
      Follow(w.blue, r.blue, step);
  }
}

void ColourTables::Reset() {
  working = start;
  result = start;
}

Colour ColourTables::ResultColour(int k) const {
  return Combine(result[k].red, result[k].green, result[k].blue);
}

Colour ColourTables::StartColourLimited(int k) const {
  return Combine(std::min(start[k].red, 255), std::min(start[k].green, 255),
                 std::min(start[k].blue, 255));
}

void ColourTables::WriteResult(Raster& image) const {
  for (int k = 0; k < kTableEntries; ++k)
    if (Opaque(k)) image.SetPixel(k % kTableSide, k / kTableSide, ResultColour(k));
}

}  // namespace pelorin
