// Cost of drawing into the window's pictures during a run: a dot, a refresh
// of the default free flight drawn for real, and what a million-step run
// keeps to redraw its pictures at another size.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_support.h"
#include "gui/image_canvas.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace {

using namespace lumet;

// Dots of five colours along five circles, as five bodies leave them.
void BM_PointIntoPicture(benchmark::State& state) {
  ImageCanvas picture(293, 293);
  picture.scale(-5, 5, 5, -5);
  const Rgb colours[5] = {{0, 230, 230}, {0, 0, 255}, {0, 230, 0}, {255, 0, 0}, {130, 130, 100}};
  double a = 0;
  for (auto _ : state) {
    for (int i = 0; i < 5; ++i)
      picture.point((1 + 0.7 * i) * std::cos(a), (1 + 0.7 * i) * std::sin(a), colours[i]);
    a += 0.0003;
  }
  state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_PointIntoPicture);

// The default free flight on the window's pictures, every step refreshed.
struct Flight {
  ImageCanvas picture1{293, 293}, picture2{425, 201};
  bench::BenchLab b{"lumet_picture_bench", &picture1, &picture2};
  Lab& lab = b.lab;
  explicit Flight(const char* ncg) {
    b.choose(P::shown, "5");
    b.x.p.setText(P::NCg, ncg);
    Start(lab);
  }
};

void BM_StepDrawnIntoPictures(benchmark::State& state) {
  Flight f("1");
  for (auto _ : state) Step(f.lab);
  if (f.b.messages()) state.SkipWithError("a step failed");
}
BENCHMARK(BM_StepDrawnIntoPictures);

// A million steps of the default free flight, every step drawn: what the
// pictures keep to be drawn again at another size.
void BM_MillionStepsKept(benchmark::State& state) {
  for (auto _ : state) {
    Flight f("1");
    for (int k = 0; k < 1000000; ++k) Step(f.lab);
    if (f.b.messages()) state.SkipWithError("a step failed");
    state.counters["model_time_s"] = f.lab.m.T;
    state.counters["dots_kept_1"] = double(f.picture1.keptDots());
    state.counters["dots_kept_2"] = double(f.picture2.keptDots());
    state.counters["kB_kept"] = double(f.picture1.keptBytes() + f.picture2.keptBytes()) / 1024;
    // What the pictures as views keep in model units, to be drawn at any
    // scale.
    const Experiment& x = f.b.x;
    state.counters["view_dots"] = double(x.planeView.keptDots() + x.plotView.keptDots());
    state.counters["view_kB"] = double(x.planeView.keptBytes() + x.plotView.keptBytes()) / 1024;
  }
}
BENCHMARK(BM_MillionStepsKept)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
