// The undo/redo history: what undo and redo bring back, exactly, and how the two histories move.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "edit/History.h"

// AddressSanitizer keeps terabytes of address space for itself, so a cap on the address space
// does not make allocations fail under it, and its allocator ends the program when memory runs
// out instead of throwing std::bad_alloc.
#if defined(__SANITIZE_ADDRESS__)
#define PELORIN_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PELORIN_UNDER_ASAN 1
#endif
#endif

namespace pelorin {
namespace {

constexpr int kSide = kIconSize;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;

// The document: a blank icon is transparent everywhere (white mask, black image).
struct Doc {
  Raster mask{kSide, kSide, kWhite};
  Raster image{kSide, kSide, kBlack};

  void Paint(int x, int y, Colour c) {
    mask.SetPixel(x, y, kBlack);
    image.SetPixel(x, y, c);
  }
  bool Record(History& h) const { return h.RecordStep(mask, image); }
  bool Undo(History& h) { return h.UndoStep(mask, image); }
  bool Redo(History& h) { return h.RedoStep(mask, image); }
};

// Names the first differing pixel rather than dumping two rasters.
testing::AssertionResult Same(const Doc& actual, const Doc& expected) {
  for (const auto& [name, a, e] : {std::tuple{"mask", &actual.mask, &expected.mask},
                                   std::tuple{"image", &actual.image, &expected.image}}) {
    if (a->width() != e->width() || a->height() != e->height())
      return testing::AssertionFailure() << name << " size differs";
    for (int y = 0; y < a->height(); ++y)
      for (int x = 0; x < a->width(); ++x)
        if (a->At(x, y) != e->At(x, y))
          return testing::AssertionFailure()
                 << name << " (" << x << ", " << y << ") is " << std::hex << a->At(x, y)
                 << ", expected " << e->At(x, y);
  }
  return testing::AssertionSuccess();
}

TEST(HistoryMoves, NothingToUndoOrRedoUntilTwoStepsExist) {
  History h;
  Doc d;
  const Doc blank;
  d.Paint(1, 1, kRed);
  const Doc painted = d;
  EXPECT_FALSE(d.Undo(h));
  EXPECT_FALSE(d.Redo(h));
  ASSERT_TRUE(d.Record(h));
  EXPECT_FALSE(d.Undo(h)) << "the only step is the current document";
  EXPECT_TRUE(Same(d, painted)) << "a refused undo leaves the rasters alone";

  h.ClearHistory();
  ASSERT_TRUE(blank.Record(h));
  ASSERT_TRUE(d.Record(h));
  ASSERT_TRUE(d.Undo(h));
  EXPECT_TRUE(Same(d, blank));
  EXPECT_EQ(h.UndoCount(), 1u);
  EXPECT_EQ(h.RedoCount(), 1u);
  ASSERT_TRUE(d.Redo(h));
  EXPECT_TRUE(Same(d, painted));
  EXPECT_FALSE(d.Redo(h));
}

TEST(HistoryMoves, APaintingAfterUndoingEndsTheRedoHistory) {
  History h;
  Doc d;
  const Doc blank;
  ASSERT_TRUE(d.Record(h));
  d.Paint(0, 0, kRed);
  const Doc first = d;
  ASSERT_TRUE(d.Record(h));
  d.Paint(1, 0, kGreen);
  ASSERT_TRUE(d.Record(h));
  d.Paint(2, 0, kBlue);
  ASSERT_TRUE(d.Record(h));
  ASSERT_TRUE(d.Undo(h));
  ASSERT_TRUE(d.Undo(h));
  d.Paint(5, 5, kGreen);
  h.ClearRedo();
  ASSERT_TRUE(d.Record(h));

  EXPECT_FALSE(h.CanRedo());
  ASSERT_TRUE(d.Undo(h));
  EXPECT_TRUE(Same(d, first));
  ASSERT_TRUE(d.Undo(h));
  EXPECT_TRUE(Same(d, blank));
  EXPECT_FALSE(d.Undo(h));
}

TEST(HistoryRestores, AnOpaquedPixelTurnsTransparentAgain) {
  History h;
  Doc d;
  ASSERT_TRUE(d.Record(h));
  d.Paint(7, 9, kRed);
  ASSERT_TRUE(d.Record(h));
  ASSERT_TRUE(d.Undo(h));
  EXPECT_EQ(d.mask.At(7, 9), kWhite);
  EXPECT_EQ(d.image.At(7, 9), kBlack);
}

TEST(HistoryRestores, EveryColourBitAndUnusualMaskValuesExactly) {
  History h;
  Doc odd;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      odd.image.SetPixel(x, y, (static_cast<Colour>(y * kSide + x) * 2654435761u) & kColourMask);
  odd.image.SetPixel(0, 0, kColourMask);
  odd.mask.SetPixel(2, 3, 0xFEFEFE);  // as a file may hold it
  odd.mask.SetPixel(4, 3, kBlack);
  Doc plain = odd;
  plain.mask.SetPixel(2, 3, kWhite);
  ASSERT_TRUE(odd.Record(h));
  ASSERT_TRUE(plain.Record(h));

  Doc d = plain;
  ASSERT_TRUE(d.Undo(h));
  EXPECT_TRUE(Same(d, odd));
  ASSERT_TRUE(d.Redo(h));
  EXPECT_TRUE(Same(d, plain)) << "only the step that held the odd value keeps it";
}

TEST(HistoryRestores, RastersOfAnotherSizeAreKeptAndWrittenOnlyWhereTheyOverlap) {
  History h;
  Doc d;
  ASSERT_TRUE(d.Record(h));
  Doc tall;
  tall.mask = Raster(16, 40, kBlack);
  tall.image = Raster(16, 40, kGreen);
  tall.image.SetPixel(15, 39, kRed);
  ASSERT_TRUE(tall.Record(h));

  Doc back = tall;
  back.image.Fill(kBlack);
  ASSERT_TRUE(back.Undo(h));
  ASSERT_TRUE(back.Redo(h));
  EXPECT_TRUE(Same(back, tall));

  // Into the usual 32 x 32 rasters: the left half of the top 32 rows, nothing else.
  ASSERT_TRUE(d.Undo(h));
  ASSERT_TRUE(d.Redo(h));
  EXPECT_EQ(d.image.At(15, 31), kGreen);
  EXPECT_EQ(d.mask.At(15, 31), kBlack);
  EXPECT_EQ(d.image.At(16, 0), kBlack);
  EXPECT_EQ(d.mask.At(16, 0), kWhite);

  // A usual step into smaller rasters, 30 wide so that a row ends inside a packed group.
  History usual;
  Doc full;
  ASSERT_TRUE(full.Record(usual));
  full.Paint(29, 19, kRed);
  full.Paint(30, 19, kBlue);
  ASSERT_TRUE(full.Record(usual));
  ASSERT_TRUE(full.Undo(usual));
  Doc small;
  small.mask = Raster(30, 20, kWhite);
  small.image = Raster(30, 20, kGreen);
  ASSERT_TRUE(small.Redo(usual));
  EXPECT_EQ(small.image.At(29, 19), kRed);
  EXPECT_EQ(small.mask.At(29, 19), kBlack);
  EXPECT_EQ(small.image.At(28, 19), kBlack);
  EXPECT_EQ(small.mask.At(28, 19), kWhite);
}

TEST(HistoryRestores, ManySinglePixelStepsUndoOneByOneAndFreedStepsAreReused) {
  constexpr int kSteps = 1000;
  auto colour = [](int i) { return static_cast<Colour>(i) * 0x010203 & kColourMask; };
  History h;
  Doc d;
  ASSERT_TRUE(d.Record(h));
  for (int i = 0; i < kSteps; ++i) {
    d.Paint(i % kSide, i / kSide, colour(i));
    ASSERT_TRUE(d.Record(h));
  }
  Doc expected = d;
  for (int i = kSteps - 1; i >= kSteps / 2; --i) {
    ASSERT_TRUE(d.Undo(h));
    expected.mask.SetPixel(i % kSide, i / kSide, kWhite);
    expected.image.SetPixel(i % kSide, i / kSide, kBlack);
    ASSERT_TRUE(Same(d, expected)) << "after undoing step " << i;
  }

  // The undone steps' room is taken by new ones; none may overwrite a step still held.
  h.ClearRedo();
  for (int i = 0; i < kSteps / 4; ++i) {
    d.Paint(31, 31, colour(i) ^ kColourMask);
    ASSERT_TRUE(d.Record(h));
  }
  for (int i = 0; i < kSteps / 4; ++i) ASSERT_TRUE(d.Undo(h));
  ASSERT_TRUE(Same(d, expected));
  for (int i = kSteps / 2 - 1; i >= 0; --i) {
    ASSERT_TRUE(d.Undo(h));
    expected.mask.SetPixel(i % kSide, i / kSide, kWhite);
    expected.image.SetPixel(i % kSide, i / kSide, kBlack);
    ASSERT_TRUE(Same(d, expected)) << "after undoing step " << i;
  }
  EXPECT_FALSE(d.Undo(h));
  EXPECT_TRUE(Same(d, Doc()));
}

// Runs in a child process whose address space is capped, so that recording meets a real
// std::bad_alloc, then lifts the cap and checks every kept step by its checksum.
TEST(HistoryDeathTest, RunningOutOfMemoryRefusesTheStepAndKeepsTheHistory) {
#ifdef PELORIN_UNDER_ASAN
  GTEST_SKIP() << "running out of memory cannot be provoked under AddressSanitizer";
#endif
  auto run = [] {
    auto checksum = [](const Doc& doc) {
      std::uint64_t sum = 14695981039346656037u;
      for (const Raster* r : {&doc.mask, &doc.image})
        for (int y = 0; y < kSide; ++y)
          for (int x = 0; x < kSide; ++x) sum = (sum ^ r->At(x, y)) * 1099511628211u;
      return sum;
    };
    std::vector<std::uint64_t> kept;
    kept.reserve(1'000'000);
    std::size_t pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm || std::fscanf(statm, "%zu", &pages) != 1) std::_Exit(3);
    std::fclose(statm);
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    rlimit low = old;
    low.rlim_cur = pages * 4096 + (48u << 20);
    if (setrlimit(RLIMIT_AS, &low) != 0) std::_Exit(3);

    History h;
    Doc d;
    bool refused = false;
    for (int i = 0; i < 1'000'000 && !refused; ++i) {
      d.Paint(i % kSide, i / kSide % kSide, static_cast<Colour>(i) * 0x9E3779B1u & kColourMask);
      // Every seventh step holds an odd mask value, so its mask is kept whole.
      d.mask.SetPixel(31, 31, i % 7 == 0 ? 0xFEFEFE : kWhite);
      refused = !d.Record(h);
      if (!refused) kept.push_back(checksum(d));
    }
    setrlimit(RLIMIT_AS, &old);
    if (!refused || kept.size() < 2 || h.UndoCount() != kept.size() || h.RedoCount() != 0)
      std::_Exit(1);
    if (!d.Record(h) || !d.Undo(h)) std::_Exit(1);  // usable again once memory is back
    h.ClearRedo();
    for (std::size_t i = kept.size() - 1; i-- > 0;)
      if (!d.Undo(h) || checksum(d) != kept[i]) std::_Exit(2);
    std::_Exit(d.Undo(h) ? 1 : 0);
  };
  EXPECT_EXIT(run(), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace pelorin
