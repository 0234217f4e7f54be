// The live preview of a drag: one move of the race's end point, the set-up's
// checks, the pictures drawn again from what they keep and the rods over
// them, on the window's image pictures. The window needs at least 30 a
// second; items_per_second is the rate.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/laboratory.h"
#include "gui/image_canvas.h"
#include "model/numbers.h"

namespace {

using namespace lumet;

class Yes : public Asker {
 public:
  bool question(const Message&) override { return true; }
};

struct Race {
  ImageCanvas picture1{293, 293}, picture2{425, 201};
  Yes yes;
  std::string dir = (std::filesystem::temp_directory_path() / "lumet_drag_bench").string();
  Laboratory lab{picture1, picture2, yes, dir};
  Race() {
    std::filesystem::create_directories(dir);
    const Report r = lab.open(LUMET_SOURCE_DIR "/examples/race.lumet");
    if (!r.messages.empty()) throw std::runtime_error("the race did not open");
  }
  ~Race() { std::filesystem::remove_all(dir); }
};

// Moves of the end point along a line below the start, as a pointer drags.
void BM_DragPreviewOfTheRace(benchmark::State& state) {
  Race race;
  race.lab.act(Action::Preview);
  race.lab.beginDrag();
  int k = 0;
  for (auto _ : state) {
    const double x = 60 + (k++ % 80);
    const Report r = race.lab.drag({{P::Xk, formatBox(x)}, {P::Yk, "10"}});
    if (!r.problems.empty()) state.SkipWithError("a point was refused");
    race.picture1.takeDirty();
    race.picture2.takeDirty();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DragPreviewOfTheRace)->Unit(benchmark::kMillisecond);

// The same after a run of 20 000 steps left its traces on both pictures:
// every move draws them again.
void BM_DragPreviewOverTraces(benchmark::State& state) {
  Race race;
  race.lab.act(Action::Start);
  for (int s = 0; s < 200 && race.lab.running(); ++s) {
    race.lab.speed = Speed::x100;
    race.lab.tick();
  }
  race.lab.act(Action::Stop);
  race.lab.beginDrag();
  int k = 0;
  for (auto _ : state) {
    const double x = 60 + (k++ % 80);
    race.lab.drag({{P::Xk, formatBox(x)}, {P::Yk, "10"}});
  }
  state.counters["dots_kept"] = double(race.lab.experiment().planeView.keptDots() +
                                       race.lab.experiment().plotView.keptDots());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DragPreviewOverTraces)->Unit(benchmark::kMillisecond);

}  // namespace
