// What the undo/redo history costs. Run: build/bench/pelorin_bench --benchmark_filter=History
//   BM_HistoryRecordAndUndo target: median under 10 microseconds for one recorded and one undone
//   step. BM_HistoryMemory target: at most 3,300 bytes per recorded step (the counter
//   bytes_per_step, allocator overhead included), with 100,000 single-pixel steps recorded and
//   then undone one by one.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "edit/History.h"

namespace pelorin {
namespace {

constexpr int kSide = kIconSize;

void BM_HistoryRecordAndUndo(benchmark::State& state) {
  History history;
  Raster mask(kSide, kSide, kWhite);
  Raster image(kSide, kSide, kBlack);
  history.RecordStep(mask, image);
  int i = 0;
  for (auto _ : state) {
    mask.SetPixel(i % kSide, i / kSide % kSide, kBlack);
    image.SetPixel(i % kSide, i / kSide % kSide, static_cast<Colour>(i) & kColourMask);
    ++i;
    history.ClearRedo();  // what an edit after an undo does; keeps the redo history at one step
    benchmark::DoNotOptimize(history.RecordStep(mask, image));
    benchmark::DoNotOptimize(history.UndoStep(mask, image));
    benchmark::DoNotOptimize(image.Row(0));
  }
}
BENCHMARK(BM_HistoryRecordAndUndo)->Repetitions(9)->ReportAggregatesOnly(true);

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // the heap proper and separately mapped blocks
}

void BM_HistoryMemory(benchmark::State& state) {
  constexpr int kSteps = 100'000;
  for (auto _ : state) {
    Raster mask(kSide, kSide, kWhite);
    Raster image(kSide, kSide, kBlack);
    History history;
    const std::size_t before = HeapInUse();
    std::size_t peak = 0;
    for (int i = 0; i < kSteps; ++i) {
      mask.SetPixel(i % kSide, i / kSide % kSide, kBlack);
      image.SetPixel(i % kSide, i / kSide % kSide,
                     static_cast<Colour>(i) * 0x9E3779B1u & kColourMask);
      if (!history.RecordStep(mask, image)) state.SkipWithError("out of memory");
      if (i % 1024 == 0) peak = std::max(peak, HeapInUse());
    }
    const std::size_t after = HeapInUse();
    state.counters["bytes_per_step"] = static_cast<double>(after - before) / kSteps;
    state.counters["peak_bytes_per_step"] =
        static_cast<double>(std::max(peak, after) - before) / kSteps;
    int undone = 0;
    while (history.UndoStep(mask, image)) ++undone;
    if (undone != kSteps - 1) state.SkipWithError("not every step could be undone");
    benchmark::DoNotOptimize(image.Row(0));
  }
}
BENCHMARK(BM_HistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pelorin
