// A pencil move over a new cell, as the canvas handles it: status readout, one cell on the canvas,
// its copy, the icon, the mask and the preview. Target: median under 10 microseconds.
#include <benchmark/benchmark.h>

#include "app/frmMain.h"
#include "platform/FakePlatform.h"

namespace pelorin {
namespace {

void BM_PencilMoveOverNewCell(benchmark::State& state) {
  FakePlatform platform;
  FakeWindowHost host;
  frmMain form(platform, host, {});
  form.Form_Load();
  form.PicMain_MouseDown(1, 0, 5, 5);
  int cell = 0;
  for (auto _ : state) {
    cell = (cell + 1) % 1024;
    form.PicMain_MouseMove(1, 0, 10 * (cell % 32) + 5, 10 * (cell / 32) + 5);
    benchmark::DoNotOptimize(form.doc().PicMain().raster().Row(0));
  }
  form.PicMain_MouseUp(1, 0, 5, 5);
}
BENCHMARK(BM_PencilMoveOverNewCell)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace pelorin
