// The three colour tables of the colour adjustment, one entry per icon pixel in row order
// (entry k is pixel x = k mod 32, y = k / 32):
//   start:   the picture's colours when the adjustment began;
//   working: the start colours plus every step applied so far, free to leave 0 to 255;
//   result:  per component, the last working value that lay within 0 to 255.
// A transparent pixel holds kTransparentComponent in every component of every table and takes
// no part in any step.
#pragma once

#include <array>

#include "raster/Raster.h"

namespace pelorin {

inline constexpr int kTableSide = 32;
inline constexpr int kTableEntries = kTableSide * kTableSide;
inline constexpr int kTransparentComponent = 1000;

struct ColourEntry {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const ColourEntry&) const = default;
};

// Which components a step moves.
enum class Channels { kBrightness, kRed, kGreen, kBlue };

class ColourTables {
 public:
  // Fills all three tables from the picture: a pixel whose mask is exactly black is opaque and
  // enters with its colour; any other mask value makes it transparent.
  void Load(const Raster& mask, const Raster& image);

  bool Opaque(int k) const { return start[k].red != kTransparentComponent; }

  // Adds `step` to the governed components of every opaque pixel's working entry; each result
  // component takes the new working value when it lies within 0 to 255 and keeps its value
  // otherwise. Brightness moves red, green and blue, each on its own.
  void Step(Channels channels, int step);

  // Working and result entries become copies of the start entries.
  void Reset();

  // The result colour of entry k (opaque entries only).
  Colour ResultColour(int k) const;
  // The start colour of entry k with each component limited to 255, so a transparent entry
  // gives white.
  Colour StartColourLimited(int k) const;

  // Writes the result colour of every opaque entry into `image`; transparent pixels are never
  // written.
  void WriteResult(Raster& image) const;

  std::array<ColourEntry, kTableEntries> start{};
  // Working values are kept in full integers: a value moved far out of range by repeated jumps
  // of the scroll bars cannot overflow.
  std::array<ColourEntry, kTableEntries> working{};
  std::array<ColourEntry, kTableEntries> result{};
};

}  // namespace pelorin
