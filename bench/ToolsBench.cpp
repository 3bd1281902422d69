// The canvas tools' own work, as the core does it:
//   - one rubber-band move of each shape (remove the old band, draw the new one): target under
//     10 microseconds;
//   - one move of a floating 32 x 32 selection (canvas from its copy, the stretched selection,
//     grid, preview): target under 60 microseconds (30 the goal);
//   - a flood fill of the whole transparent picture: target under 20 microseconds (and, for
//     comparison, the whole gesture with the canvas rebuilt and the step recorded).
#include <benchmark/benchmark.h>

#include "app/frmMain.h"
#include "canvas/FillTool.h"
#include "canvas/ToolPalette.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

struct Window {
  Window() : form(platform, host, {}) { form.Form_Load(); }
  FakePlatform platform;
  FakeWindowHost host;
  frmMain form;
};

void BM_RubberBandMove(benchmark::State& state) {
  Window w;
  w.form.canvas().SelectTool(static_cast<int>(state.range(0)));
  w.form.PicMain_MouseDown(1, 0, 15, 15);
  int k = 0;
  for (auto _ : state) {
    // Across the canvas and back: bands of every size.
    k = (k + 1) % 60;
    const double far = 25 + 10 * (k < 30 ? k : 59 - k);
    w.form.PicMain_MouseMove(1, 0, far, far);
    benchmark::DoNotOptimize(w.form.doc().PicMain().raster().Row(0));
  }
  w.form.PicMain_MouseUp(1, 0, 15, 15);
  state.SetLabel(
      std::string(w.form.canvas().Tool(static_cast<int>(state.range(0))).Look().caption));
}
BENCHMARK(BM_RubberBandMove)
    ->DenseRange(kToolLine, kToolFilledEllipse)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_FloatingSelectionMove(benchmark::State& state) {
  Window w;
  w.form.canvas().SelectTool(kToolSelect);
  // The whole picture marked, then lifted by a press inside it.
  w.form.PicMain_MouseDown(1, 0, 0, 0);
  w.form.PicMain_MouseMove(1, 0, 320, 320);
  w.form.PicMain_MouseUp(1, 0, 320, 320);
  w.form.PicMain_MouseMove(0, 0, 100, 100);
  w.form.PicMain_MouseDown(1, 0, 100, 100);
  int k = 0;
  for (auto _ : state) {
    k = (k + 1) % 20;
    w.form.PicMain_MouseMove(1, 0, 100 + 10 * k, 100 + 5 * k);
    benchmark::DoNotOptimize(w.form.doc().PicMain().raster().Row(0));
  }
  w.form.PicMain_MouseUp(1, 0, 100, 100);
}
BENCHMARK(BM_FloatingSelectionMove)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_FillTransparentPicture(benchmark::State& state) {
  Window w;
  FillTool fill(w.form.doc());
  const Raster preview = w.form.doc().picIcon().raster();
  Raster mask(32, 32, kWhite);
  Raster image(32, 32, kBlack);
  for (auto _ : state) {
    state.PauseTiming();
    mask.Fill(kWhite);
    image.Fill(kBlack);
    state.ResumeTiming();
    fill.Fill(mask, image, preview, 5, 5, 0x0000FF);
    benchmark::DoNotOptimize(image.Row(0));
  }
}
BENCHMARK(BM_FillTransparentPicture)->Repetitions(5)->ReportAggregatesOnly(true);

// The whole release of the fill tool: the fill, the canvas rebuilt from the icon, the step.
void BM_FillGesture(benchmark::State& state) {
  Window w;
  w.form.canvas().SelectTool(kToolFill);
  for (auto _ : state) {
    w.form.PicMain_MouseDown(1 + (state.iterations() % 2), 0, 55, 55);
    w.form.PicMain_MouseUp(1 + (state.iterations() % 2), 0, 55, 55);
  }
}
BENCHMARK(BM_FillGesture)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace pelorin
