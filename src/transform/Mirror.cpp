#include "transform/Mirror.h"

#include <algorithm>

namespace pelorin {

namespace {

void MirrorOne(Raster& r, int item) {
  const int w = r.width();
  const int h = r.height();
  switch (item) {
    case kLeftToRight:
    case kRightToLeft:
      for (int y = 0; y < h; ++y) {
        Colour* row = r.Row(y);
        for (int x = 0; x < w / 2; ++x) {
          if (item == kLeftToRight) {
            row[w - 1 - x] = row[x];
          } else {
            row[x] = row[w - 1 - x];
          }
        }
      }
      break;
    case kTopToBottom:
    case kBottomToTop:
      for (int y = 0; y < h / 2; ++y) {
        const Colour* from = item == kTopToBottom ? r.Row(y) : r.Row(h - 1 - y);
        Colour* to = item == kTopToBottom ? r.Row(h - 1 - y) : r.Row(y);
        std::copy(from, from + w, to);
      }
      break;
    default:
      break;
  }
}

}  // namespace

void MirrorHalves(Raster& mask, Raster& image, int item) {
  MirrorOne(mask, item);
  MirrorOne(image, item);
}

std::array<bool, 4> MirrorItemsEnabled(bool has_selection, int selection_width,
                                       int selection_height) {
  if (!has_selection) return {true, true, true, true};
  const bool across = selection_width % 2 == 0;
  const bool down = selection_height % 2 == 0;
  return {across, across, down, down};
}

}  // namespace pelorin
