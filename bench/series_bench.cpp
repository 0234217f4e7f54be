// A series of the race of the four rods: 200 runs, the end point Xk from
// 50 m to 200 m, each to the finish of every rod, on 1 and on 2 threads
// (wall time, and the process's user and system time per series); and the
// cost of one step inside a run of a series, to set beside RaceStep.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <ctime>
#include <thread>
#include <vector>

#include "app/experiment.h"
#include "app/series.h"
#include "app/setup_file.h"
#include "setup/setup.h"

namespace {

using namespace lumet;

// The race of examples/race.lumet, as its parameters stand there.
Parameters raceSetup() {
  Parameters p;
  p.choose(P::field, *choiceByWord(P::field, "flat"));
  p.choose(P::strength, *choiceByWord(P::strength, "const"));
  const std::pair<P, const char*> texts[] = {
      {P::q1, "0"},  {P::C1, "1000"}, {P::Kj1, "1"},  {P::VXn, "0"}, {P::VYn, "0"},
      {P::Xn, "0"},  {P::Yn, "100"},  {P::Xk, "100"}, {P::Yk, "0"},  {P::h, "0.01"},
      {P::Mx, "20"}, {P::M, "50"},    {P::Mt, "0.5"}};
  for (auto [param, text] : texts) p.setText(param, text);
  for (P rod : {P::line, P::cycloid, P::parabola, P::arc}) p.setOn(rod, true);
  p.setOn(P::free, false);
  return p;
}

SeriesPlan racePlan(int count) {
  return std::get<SeriesPlan>(planSeries("Xk", "50", "200", std::to_string(count), false, ""));
}

double seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; }

// Argument: the threads. Wall time per series; user and system seconds of
// the whole process per series as counters.
void RaceSeries200(benchmark::State& state) {
  const Parameters p = raceSetup();
  const SeriesPlan plan = racePlan(200);
  SeriesOptions o;
  o.jobs = int(state.range(0));
  rusage before{}, after{};
  getrusage(RUSAGE_SELF, &before);
  size_t finished = 0;
  for (auto _ : state) {
    const SeriesOutcome out = RunSeries(p, 100000, plan, o);
    finished = size_t(std::count_if(out.rows.begin(), out.rows.end(), [](const SeriesRow& r) {
      return r.status == RunStatus::Finished;
    }));
  }
  getrusage(RUSAGE_SELF, &after);
  const double n = double(state.iterations());
  state.counters["user_s"] = (seconds(after.ru_utime) - seconds(before.ru_utime)) / n;
  state.counters["sys_s"] = (seconds(after.ru_stime) - seconds(before.ru_stime)) / n;
  state.counters["finished_rows"] = double(finished);
  if (finished != 800) state.SkipWithError("a rod did not finish");
}
BENCHMARK(RaceSeries200)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same series on the pool's scheme (each thread takes the next run),
// each thread's own CPU time measured: on a machine shared with other work
// the wall time of RaceSeries200 tells little (a session's threads share
// its slice), but the longest thread's CPU time over the sum of all is the
// wall-time ratio the threads give on an idle machine (ideal_ratio; 0.5 for
// two threads that share the work evenly).
void RaceSeries200PerThread(benchmark::State& state) {
  const Parameters p = raceSetup();
  const SeriesPlan plan = racePlan(200);
  const int jobs = int(state.range(0));
  double longest = 0, sum = 0;
  for (auto _ : state) {
    std::atomic<int> next{1};
    std::vector<double> cpu(size_t(jobs), 0);
    std::vector<std::thread> threads;
    for (int j = 0; j < jobs; ++j)
      threads.emplace_back([&, j] {
        for (int r = next++; r <= plan.count; r = next++)
          benchmark::DoNotOptimize(RunOne(p, 100000, plan, r).size());
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        cpu[size_t(j)] = double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
      });
    for (std::thread& t : threads) t.join();
    longest += *std::max_element(cpu.begin(), cpu.end());
    for (double c : cpu) sum += c;
  }
  const double n = double(state.iterations());
  state.counters["thread_cpu_max_s"] = longest / n;
  state.counters["thread_cpu_sum_s"] = sum / n;
  state.counters["ideal_ratio"] = longest / sum;
}
BENCHMARK(RaceSeries200PerThread)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// One run of the series at Xk = 100 (the race of RaceStep): the steps to
// the last rod's finish, at 0.01 s each, per second (items_per_second; its
// inverse is the cost of a step, to set beside RaceStep/rods:1/fine:1).
void SeriesRunPerStep(benchmark::State& state) {
  const Parameters p = raceSetup();
  const SeriesPlan at100 = std::get<SeriesPlan>(planSeries("Xk", "100", "100", "1", false, ""));
  double steps = 0;
  for (auto _ : state) {
    const std::vector<SeriesRow> rows = RunOne(p, 100000, at100, 1);
    double last = 0;
    for (const SeriesRow& r : rows) last = std::max(last, r.time);
    steps = std::round(last / 0.01);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(int64_t(steps) * state.iterations());
  state.counters["steps"] = steps;
}
BENCHMARK(SeriesRunPerStep)->Unit(benchmark::kMillisecond);

// The start alone of that run (its rods built, its bodies placed), which
// SeriesRunPerStep includes: the steps' own cost is the difference, over
// its steps.
void SeriesRunStart(benchmark::State& state) {
  Parameters p = raceSetup();
  const Choices ch = ReadChoices(p);
  for (auto _ : state) {
    Model m;
    const StartReport r = SetUp(m, p, ch);
    benchmark::DoNotOptimize(m.S[2]);
    if (!r.wentThrough()) state.SkipWithError("the start was refused");
  }
}
BENCHMARK(SeriesRunStart)->Unit(benchmark::kMicrosecond);

}  // namespace
