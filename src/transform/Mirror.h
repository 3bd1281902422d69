// Mirror halves: one half of a picture or a selection is copied, mirrored, onto the other half,
// which makes the pair symmetric about its middle. The copied half stays as it was.
#pragma once

#include <array>

#include "raster/Raster.h"

namespace pelorin {

// The four items of the mirror submenu, by index.
enum MirrorItem {
  kLeftToRight = 0,  // new(W - 1 - x, y) = old(x, y) for x < W / 2
  kRightToLeft = 1,  // new(x, y) = old(W - 1 - x, y) for x < W / 2
  kTopToBottom = 2,  // new(x, H - 1 - y) = old(x, y) for y < H / 2
  kBottomToTop = 3,  // new(x, y) = old(x, H - 1 - y) for y < H / 2
};

// Mirrors the half named by `item` onto the other half of `mask` and of `image` (W x H, the
// mask's size). The halves are W / 2 and H / 2 wide, truncated: on an odd size the middle
// column or row is never touched (the menu does not offer the item then).
void MirrorHalves(Raster& mask, Raster& image, int item);

// Which of the four items may be chosen: all four without a selection; with a selection of
// W x H icon pixels items 0 and 1 only when W is even and items 2 and 3 only when H is even.
std::array<bool, 4> MirrorItemsEnabled(bool has_selection, int selection_width,
                                       int selection_height);

}  // namespace pelorin
