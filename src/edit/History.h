// The undo/redo history of the icon being edited.
//
// A step is a snapshot of the document's two rasters, the mask (black = opaque, white =
// transparent) and the colour image, taken whole at the same moment; nothing else belongs to it.
//
//   undo history: oldest first; its last step is always the current document, so undoing needs
//                 at least two steps.
//   redo history: its last step is the one undone most recently.
//
// Undo moves the last undo step to the end of the redo history and unpacks the step that is then
// last; redo moves the last redo step back and unpacks it. Recording only appends: the caller
// decides when a new edit ends the redo history (ClearRedo, then RecordStep).
//
// Restoring is lossless: all 24 bits of every colour, and the mask value for value. The usual
// step (32 x 32, mask pure black or white) is packed into 3,208 bytes; any other step (a mask
// holding other values, a raster of another size) keeps that raster whole beside the packed part.
//
// Memory is the only limit on the number of steps. Recording is the one operation that allocates;
// undo, redo and clearing never do, so they cannot fail halfway.
//
// Rasters are written back in place and keep their size and depth: a destination of another size
// than the recorded raster gets only the pixels both cover, and a mono one gets black or white.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "raster/Raster.h"

namespace pelorin {

class History {
 public:
  History();
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Appends a snapshot of `mask` and `image` to the undo history. Returns false, and leaves both
  // histories exactly as they were, when there is no memory for it.
  bool RecordStep(const Raster& mask, const Raster& image);

  // Does nothing and returns false with fewer than two undo steps. Otherwise moves the last undo
  // step to the redo history and writes the step now last into `mask` and `image`.
  bool UndoStep(Raster& mask, Raster& image);
  // Does nothing and returns false with an empty redo history. Otherwise moves the last redo step
  // back to the undo history and writes it into `mask` and `image`.
  bool RedoStep(Raster& mask, Raster& image);

  // Writes the current step (the last undo step: what undo leaves behind when it is redone) into
  // `mask` and `image`; false, with nothing written, when the history is empty.
  bool CurrentStep(Raster& mask, Raster& image) const;

  // Empties the redo history. Its room is kept for the steps recorded next.
  void ClearRedo();
  // Empties both histories and gives all their memory back.
  void ClearHistory();

  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }
  bool CanUndo() const { return undo_.size() >= 2; }
  bool CanRedo() const { return !redo_.empty(); }

 private:
  static constexpr int kPixels = kIconSize * kIconSize;
  // 32 records make a chunk of about 100 KB: few allocations, and below the size at which the C
  // library would map each chunk separately and round it up to whole pages.
  static constexpr std::uint32_t kSlotsPerChunk = 32;

  // A raster kept whole, for the steps that do not pack.
  struct Plane {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;
  };
  struct Unpacked {
    std::unique_ptr<Plane> mask;   // set when the mask is not a pure black and white 32 x 32
    std::unique_ptr<Plane> image;  // set when the image is not 32 x 32
  };
  // One step. The packed fields are unused for a raster that has a Plane in `unpacked`.
  struct Slot {
    std::unique_ptr<Unpacked> unpacked;
    // Four pixels' 24-bit colours in three words, row after row.
    std::array<std::uint32_t, kPixels * 3 / 4> colour;
    // Bit x of word y is pixel (x, y) of the mask: 1 = white.
    std::array<std::uint32_t, kIconSize> mask_white;
  };
  struct Chunk {
    std::array<Slot, kSlotsPerChunk> records;
  };

  Slot& SlotAt(std::uint32_t index) {
    return chunks_[index / kSlotsPerChunk]->records[index % kSlotsPerChunk];
  }
  const Slot& SlotAt(std::uint32_t index) const {
    return chunks_[index / kSlotsPerChunk]->records[index % kSlotsPerChunk];
  }
  // Makes sure a free slot exists and that the three index lists can hold every slot, so that
  // moving and freeing steps never allocates. Throws std::bad_alloc with nothing changed but
  // spare capacity.
  void ReserveSlot();
  void FreeSlot(std::uint32_t index);
  void Unpack(std::uint32_t index, Raster& mask, Raster& image) const;

  // Every step lives in a slot of a chunk; the histories are lists of slot numbers.
  std::vector<std::unique_ptr<Chunk>> chunks_;
  std::vector<std::uint32_t> undo_;
  std::vector<std::uint32_t> redo_;
  std::vector<std::uint32_t> free_;
};

}  // namespace pelorin
