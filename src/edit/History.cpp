#include "edit/History.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace pelorin {

namespace {

bool IsSide(const Raster& r, int side) { return r.width() == side && r.height() == side; }

// The area both rasters cover; a raster of an unexpected size is written only where it overlaps.
int Overlap(int a, int b) { return std::max(0, std::min(a, b)); }

// Packs a row of 32 mask pixels into one bit each (1 = white). Returns false when a pixel is
// neither pure black nor pure white, which a bit cannot give back.
bool PackMaskRow(const Colour* row, std::uint32_t& bits) {
  // Two plain passes the compiler can vectorise, rather than one with a branch per pixel.
  std::uint32_t pure = 1;
  for (int x = 0; x < 32; ++x) pure &= (row[x] == kWhite) | (row[x] == kBlack);
  std::uint32_t white = 0;
#pragma GCC unroll 32
  for (int x = 0; x < 32; ++x) white |= (row[x] >> 23 & 1u) << x;  // white has bit 23, black not
  bits = white;
  return pure != 0;
}

// The four mask pixels each combination of four bits stands for, lowest bit leftmost.
constexpr auto kFourMaskPixels = [] {
  std::array<std::array<Colour, 4>, 16> table{};
  for (int bits = 0; bits < 16; ++bits)
    for (int k = 0; k < 4; ++k) table[bits][k] = (bits >> k & 1) ? kWhite : kBlack;
  return table;
}();

}  // namespace

History::History() = default;
History::~History() = default;

bool History::RecordStep(const Raster& mask, const Raster& image) {
  static_assert(kIconSize == 32, "a mask row is packed into one 32-bit word");
  // The mask bits are worked out first, as that is when a mask turns out not to pack.
  std::array<std::uint32_t, kIconSize> mask_white;
  bool pack_mask = IsSide(mask, kIconSize);
  for (int y = 0; y < kIconSize && pack_mask; ++y)
    pack_mask = PackMaskRow(mask.Row(y), mask_white[y]);
  const bool pack_image = IsSide(image, kIconSize);
  try {
    // Everything that can fail comes first, before a slot is taken.
    std::unique_ptr<Unpacked> unpacked;
    if (!pack_mask || !pack_image) {
      auto keep = [](const Raster& r) {
        auto plane = std::make_unique<Plane>();
        if (!r.empty()) {
          plane->width = r.width();
          plane->height = r.height();
          plane->pixels.reserve(static_cast<std::size_t>(r.width()) * r.height());
          for (int y = 0; y < r.height(); ++y)
            plane->pixels.insert(plane->pixels.end(), r.Row(y), r.Row(y) + r.width());
        }
        return plane;
      };
      unpacked = std::make_unique<Unpacked>();
      if (!pack_mask) unpacked->mask = keep(mask);
      if (!pack_image) unpacked->image = keep(image);
    }
    ReserveSlot();

    // From here on nothing allocates.
    const std::uint32_t index = free_.back();
    free_.pop_back();
    Slot& slot = SlotAt(index);
    slot.unpacked = std::move(unpacked);
    if (pack_image) {
      std::uint32_t* out = slot.colour.data();
      for (int y = 0; y < kIconSize; ++y) {
        const Colour* row = image.Row(y);
        for (int x = 0; x < kIconSize; x += 4, out += 3) {
          const std::uint32_t a = row[x] & kColourMask, b = row[x + 1] & kColourMask;
          const std::uint32_t c = row[x + 2] & kColourMask, d = row[x + 3] & kColourMask;
          out[0] = a | b << 24;
          out[1] = b >> 8 | c << 16;
          out[2] = c >> 16 | d << 8;
        }
      }
    }
    if (pack_mask) slot.mask_white = mask_white;
    undo_.push_back(index);  // within the capacity ReserveSlot made
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool History::UndoStep(Raster& mask, Raster& image) {
  if (undo_.size() < 2) return false;
  redo_.push_back(undo_.back());  // within capacity: the lists never outgrow the records
  undo_.pop_back();
  Unpack(undo_.back(), mask, image);
  return true;
}

bool History::RedoStep(Raster& mask, Raster& image) {
  if (redo_.empty()) return false;
  undo_.push_back(redo_.back());
  redo_.pop_back();
  Unpack(undo_.back(), mask, image);
  return true;
}

bool History::CurrentStep(Raster& mask, Raster& image) const {
  if (undo_.empty()) return false;
  Unpack(undo_.back(), mask, image);
  return true;
}

void History::ClearRedo() {
  for (std::uint32_t index : redo_) FreeSlot(index);
  redo_.clear();
}

void History::ClearHistory() {
  // Swapping with empty vectors hands the memory back; clear() would keep it.
  std::vector<std::uint32_t>().swap(undo_);
  std::vector<std::uint32_t>().swap(redo_);
  std::vector<std::uint32_t>().swap(free_);
  std::vector<std::unique_ptr<Chunk>>().swap(chunks_);
}

void History::ReserveSlot() {
  if (!free_.empty()) return;
  const std::size_t first = chunks_.size() * kSlotsPerChunk;
  const std::size_t records = first + kSlotsPerChunk;
  if (records > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  // Each list must be able to hold every slot, so that moving and freeing steps never
  // allocates. They grow by half at a time; reserve() leaves a list untouched when it throws.
  for (auto* list : {&undo_, &redo_, &free_})
    if (list->capacity() < records) list->reserve(std::max(records, list->capacity() * 3 / 2));
  if (chunks_.size() == chunks_.capacity()) chunks_.reserve(chunks_.size() * 2 + 1);
  // Left uninitialised: a slot's pixels are written before they are ever read.
  chunks_.push_back(std::make_unique_for_overwrite<Chunk>());
  // Highest first, so that the lowest free slot is taken next.
  for (std::size_t i = records; i-- > first;) free_.push_back(static_cast<std::uint32_t>(i));
}

void History::FreeSlot(std::uint32_t index) {
  SlotAt(index).unpacked.reset();
  free_.push_back(index);  // within capacity
}

void History::Unpack(std::uint32_t index, Raster& mask, Raster& image) const {
  const Slot& slot = SlotAt(index);
  const Unpacked* unpacked = slot.unpacked.get();

  // Every write goes through Store(), so a mono destination still only holds black or white.
  auto write_plane = [](const Plane& plane, Raster& to) {
    const int w = Overlap(plane.width, to.width());
    const int h = Overlap(plane.height, to.height());
    for (int y = 0; y < h; ++y) {
      const Colour* from = plane.pixels.data() + static_cast<std::size_t>(y) * plane.width;
      Colour* row = to.Row(y);
      for (int x = 0; x < w; ++x) row[x] = to.Store(from[x]);
    }
  };

  if (unpacked && unpacked->image) {
    write_plane(*unpacked->image, image);
  } else {
    const int w = Overlap(kIconSize, image.width());
    const int h = Overlap(kIconSize, image.height());
    const bool mono = image.mono();
    for (int y = 0; y < h; ++y) {
      const std::uint32_t* in =
          slot.colour.data() + static_cast<std::size_t>(y) * kIconSize * 3 / 4;
      Colour* row = image.Row(y);
      for (int x = 0; x < kIconSize; x += 4, in += 3) {
        const Colour four[4] = {in[0] & kColourMask, (in[0] >> 24 | in[1] << 8) & kColourMask,
                                (in[1] >> 16 | in[2] << 16) & kColourMask, in[2] >> 8};
        if (x + 4 <= w && !mono) {  // the usual case, without a check per pixel
          std::copy(four, four + 4, row + x);
        } else {
          for (int k = 0; k < 4 && x + k < w; ++k) row[x + k] = image.Store(four[k]);
        }
      }
    }
  }

  if (unpacked && unpacked->mask) {
    write_plane(*unpacked->mask, mask);
  } else {
    // Black and white are what a mono raster holds too, so no Store() is needed.
    const int w = Overlap(kIconSize, mask.width());
    const int h = Overlap(kIconSize, mask.height());
    for (int y = 0; y < h; ++y) {
      Colour* row = mask.Row(y);
      const std::uint32_t bits = slot.mask_white[y];
      if (w == kIconSize) {  // four pixels at a time from a table
        for (int x = 0; x < kIconSize; x += 4)
          std::copy_n(kFourMaskPixels[bits >> x & 0xF].begin(), 4, row + x);
      } else {
        for (int x = 0; x < w; ++x) row[x] = (bits >> x & 1) ? kWhite : kBlack;
      }
    }
  }
}

}  // namespace pelorin
