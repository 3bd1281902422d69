// How long the views take to recompose. Run: build/bench/pelorin_bench
//   BM_DisplayResults target: median under 60 microseconds (canvas, copy and preview from the
//   icon); BM_DrawGrid: one AND of the 321 x 321 grid picture.
#include <benchmark/benchmark.h>

#include "app/frmMain.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

struct Window {
  Window() : form(platform, host, {}) {
    form.Form_Load();
    // A picture with opaque and transparent pixels, so both paths of the composition run.
    form.doc().ChangePicture([](Raster& mask, Raster& image) {
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
          if ((x * 7 + y * 3) % 5 != 0) {
            mask.SetPixel(x, y, kBlack);
            image.SetPixel(x, y, static_cast<Colour>(x * 0x0801 + y * 0x10000));
          }
    });
  }
  FakePlatform platform;
  FakeWindowHost host;
  frmMain form;
};

void BM_DisplayResults(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    w.form.doc().DisplayResults();
    benchmark::DoNotOptimize(w.form.doc().PicMain().raster().Row(0));
  }
}
BENCHMARK(BM_DisplayResults)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_DrawGrid(benchmark::State& state) {
  Window w;
  Surface canvas("PicMain", 321, 321, kWhite);
  for (auto _ : state) {
    w.form.doc().Rasters().DrawGrid(canvas);
    benchmark::DoNotOptimize(canvas.raster().Row(0));
  }
}
BENCHMARK(BM_DrawGrid)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace pelorin
