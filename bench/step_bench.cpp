// Cost of one step of the default free flight: without a refresh, with a
// refresh (value boxes written, points drawn), with a refresh whose boxes
// are also shown (their numbers written out as text), the steps a second
// of ticks at "Максимум", the share of the bookkeeping, and the memory of a
// million-step run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "app/speed.h"
#include "bench_support.h"
#include "model/numbers.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace {

using namespace lumet;

// The default experiment, shown body 5, refresh every ncg steps.
struct Bench : bench::BenchLab {
  explicit Bench(const char* ncg) : BenchLab("lumet_step_bench") {
    choose(P::shown, "5");
    x.p.setText(P::NCg, ncg);
    Start(lab);
  }
};

long maxRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

void BM_StepNoRefresh(benchmark::State& state) {
  Bench b("32767");
  for (auto _ : state) {
    b.lab.m.NCgr = 1;  // never due
    Step(b.lab);
  }
  benchmark::DoNotOptimize(b.lab.m.S[5]);
  if (b.messages()) state.SkipWithError("a step failed");
}
BENCHMARK(BM_StepNoRefresh);

void BM_StepRefresh(benchmark::State& state) {
  Bench b("1");
  for (auto _ : state) Step(b.lab);
  benchmark::DoNotOptimize(b.lab.m.S[5]);
  if (b.messages()) state.SkipWithError("a step failed");
}
BENCHMARK(BM_StepRefresh);

// A refresh at every step, each followed by a look at every value it
// changed, written as its box writes it, as a front end that showed the
// boxes after every step would take.
void BM_StepRefreshShown(benchmark::State& state) {
  Bench b("1");
  size_t chars = 0;
  for (auto _ : state) {
    Step(b.lab);
    for (V v : b.x.shown.takeChanged()) chars += formatBox(b.x.shown.value(v)).size();
  }
  benchmark::DoNotOptimize(chars);
  if (b.messages()) state.SkipWithError("a step failed");
}
BENCHMARK(BM_StepRefreshShown);

// Ticks at "Максимум" of 10 ms each, a refresh every range(0) steps: the
// core's steps per second at the fastest pace (items per second), the cost
// of looking at the clock included.
void BM_TickAtMaximum(benchmark::State& state) {
  Bench b(std::to_string(state.range(0)).c_str());
  b.x.p.setText(P::Xk, "1e12");  // an end point out of reach: no finish
  Start(b.lab);
  long steps = 0;
  for (auto _ : state)
    steps += RunTick(b.lab, Speed::Max, SteadyClock::now() + std::chrono::milliseconds(10));
  state.SetItemsProcessed(steps);
  if (b.messages()) state.SkipWithError("a step failed");
}
BENCHMARK(BM_TickAtMaximum)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The bookkeeping part of a step of the free flight alone.
void BM_Bookkeeping(benchmark::State& state) {
  Bench b("32767");
  Step(b.lab);
  const Choices ch = ReadChoices(b.x.p);
  for (auto _ : state) {
    UpdateTrajectory(b.lab.m, ch, 5);
    FillTable(b.lab.m, ch, 5);
  }
  benchmark::DoNotOptimize(b.lab.m.E[5]);
}
BENCHMARK(BM_Bookkeeping);

// A million steps with a refresh every 1000: the resident memory must not
// grow with the run.
void BM_MillionSteps(benchmark::State& state) {
  for (auto _ : state) {
    Bench b("1000");
    for (int k = 0; k < 1000; ++k) Step(b.lab);
    const long before = maxRssKb();
    for (int k = 0; k < 1000000; ++k) Step(b.lab);
    state.counters["rss_growth_kB"] = double(maxRssKb() - before);
    if (b.messages()) state.SkipWithError("a step failed");
  }
}
BENCHMARK(BM_MillionSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
