// The cost of finding a bead's nearest place on the cycloid: the plain walk
// against the search, at the default tolerance and at an eighth of it; one
// evaluation of the cycloid's reaction at any "--", down to the floor; and
// one step of the race.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench_support.h"
#include "physics/cycloid.h"
#include "physics/physics.h"
#include "setup/setup.h"

using namespace lumet;

namespace {

const CycloidRod kRod{57.28463078312028, 0, 100, 3.141592654};

// Beads a centimetre off the rod along the race's part of the arch, `n`
// places from fi = 0.05 to 2.4.
std::vector<double> beadRays(int n) {
  std::vector<double> rays;
  for (int j = 0; j < n; ++j) {
    double fi = 0.05 + 2.35 * j / (n - 1.0);
    double x = (fi - std::sin(fi)) * kRod.R2 + kRod.X20 + 0.01;
    double y = kRod.Y20 - (1 - std::cos(fi)) * kRod.R2 - 0.01;
    rays.push_back(RayAngle(kRod, x, y));
  }
  return rays;
}

double tolerance(const benchmark::State& state) { return 2 / 100000.0 / double(state.range(0)); }

// Every bead found afresh from its first guess by `find` (the walk or the
// search).
template <class Find>
void fromScratch(benchmark::State& state, Find find) {
  const double Dfi = tolerance(state);
  const auto rays = beadRays(64);
  size_t j = 0;
  for (auto _ : state) {
    double psiB = rays[j++ % rays.size()];
    benchmark::DoNotOptimize(find(psiB, CycloidGuess(psiB, kRod.Pi), Dfi));
  }
}

// Argument: the divisor of the default tolerance 2e-5 (1, or 8 after three
// presses of "--").
void CycloidWalkFromScratch(benchmark::State& state) {
  fromScratch(state, [](double psiB, double guess, double Dfi) {
    return CycloidWalk(kRod, psiB, guess, Dfi);
  });
}

void CycloidSearchFromScratch(benchmark::State& state) {
  fromScratch(state, [](double psiB, double guess, double Dfi) {
    return CycloidSearch(kRod, psiB, guess, Dfi);
  });
}

// As in a run: the bead has moved a little since the last evaluation, whose
// angle seeds the search (about 2000 evaluations along the arch).
void CycloidSearchFollowingTheBead(benchmark::State& state) {
  const double Dfi = tolerance(state);
  const auto rays = beadRays(2000);
  size_t j = 0;
  double last = NAN;
  for (auto _ : state) {
    double psiB = rays[j++ % rays.size()];
    CycloidPoint p = CycloidSearch(kRod, psiB, CycloidGuess(psiB, kRod.Pi), Dfi, last);
    last = p.fi2;
    benchmark::DoNotOptimize(p);
  }
}

}  // namespace

BENCHMARK(CycloidWalkFromScratch)->Arg(1)->Arg(8);
BENCHMARK(CycloidSearchFromScratch)->Arg(1)->Arg(8);
BENCHMARK(CycloidSearchFollowingTheBead)->Arg(1)->Arg(8);

// ---- One step of the race: all five bodies against the free body alone ----

namespace {

// The race of tests/scenarios/race.lb, no refresh due, the model put back
// to the start every 600 steps (the race is over by then).
struct Race : bench::BenchLab {
  Model atStart;

  Race(bool rods, double KDfi) : BenchLab("lumet_race_bench") {
    choose(P::field, "flat");
    choose(P::strength, "const");
    const std::pair<P, const char*> texts[] = {{P::q1, "0"},   {P::C1, "1000"}, {P::Kj1, "1"},
                                               {P::VXn, "0"},  {P::VYn, "0"},   {P::Xn, "0"},
                                               {P::Yn, "100"}, {P::Xk, "100"},  {P::Yk, "0"},
                                               {P::h, "0.01"}, {P::Mx, "20"},   {P::NCg, "32767"}};
    for (auto [p, text] : texts) x.p.setText(p, text);
    for (P rod : {P::line, P::cycloid, P::parabola, P::arc}) x.p.setOn(rod, rods);
    Start(lab);
    lab.m.KDfi = KDfi;
    atStart = lab.m;
  }
};

// Arguments: 1 for all five bodies, 0 for the free body alone; the divisor
// of the default tolerance.
void RaceStep(benchmark::State& state) {
  Race r(state.range(0) == 1, 100000.0 * double(state.range(1)));
  int n = 0;
  for (auto _ : state) {
    if (++n == 600) {
      state.PauseTiming();
      r.lab.m = r.atStart;
      n = 0;
      state.ResumeTiming();
    }
    r.lab.m.NCgr = 1;  // never due
    Step(r.lab);
  }
  benchmark::DoNotOptimize(r.lab.m.S[2]);
  if (r.messages()) state.SkipWithError("a step failed");
}

}  // namespace

BENCHMARK(RaceStep)
    ->ArgNames({"rods", "fine"})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({0, 8})
    ->Args({1, 8});

// ---- One evaluation of the cycloid's search, at any "--" ----

namespace {

// The rods of the issue that made the search bounded: "2-циклоида" from
// (0, 100) to Yк = 0, its bead starting at the cusp; and the modified
// cycloid with the default geometry, whose set-up gives up and leaves an arch
// bent upwards, on which every evaluation fails.
struct CycloidLab : bench::BenchLab {
  CycloidRod rod;
  std::vector<double> rays;  // the beads' ray angles
  double Dfi;

  CycloidLab(bool modified, int presses) : BenchLab("lumet_cycloid_bench") {
    x.p.setOn(P::cycloid, true);
    x.p.setOn(P::modified_cycloid, modified);
    if (!modified) {
      for (auto [p, text] : {std::pair{P::Xn, "0"}, {P::Yn, "100"}, {P::Yk, "0"}})
        x.p.setText(p, text);
    }
    Start(lab);
    const Model& m = lab.m;
    rod = {m.R2, m.X20, m.Y20, m.Pi};
    Dfi = 2 / (100000 * std::ldexp(1.0, presses));
    // The start place, then places along the arch a little off it.
    rays.push_back(RayAngle(rod, m.X[2], m.Y[2]));
    for (int j = 1; j < 64; ++j) {
      double fi = 2 * M_PI * j / 64, off = 1e-4 * m.R2 * (j % 2 ? 1 : -1);
      rays.push_back(RayAngle(rod, (fi - std::sin(fi)) * m.R2 + m.X20 + off,
                              m.Y20 - (1 - std::cos(fi)) * m.R2 - off));
    }
  }
};

// The search of one evaluation of the rod's reaction (the rest of it is a
// few dozen operations). Arguments: the rod (0 standard, 1 modified), the
// presses of "--" (0, 12, or 31 for the floor) and the beads (1: the start
// place only, the hardest for the standard rod; 64: along the arch).
void CycloidEvaluation(benchmark::State& state) {
  CycloidLab c(state.range(0) == 1, int(state.range(1)));
  const size_t n = std::min(c.rays.size(), size_t(state.range(2)));
  size_t j = 0;
  int64_t failed = 0;
  for (auto _ : state) {
    double psiB = c.rays[j++ % n];
    try {
      benchmark::DoNotOptimize(CycloidSearch(c.rod, psiB, CycloidGuess(psiB, c.rod.Pi), c.Dfi));
    } catch (const Failure&) {
      ++failed;
    }
  }
  state.counters["failed"] = double(failed) / double(std::max<int64_t>(1, state.iterations()));
}

}  // namespace

BENCHMARK(CycloidEvaluation)
    ->ArgNames({"modified", "presses", "beads"})
    ->ArgsProduct({{0, 1}, {0, 12, 31}, {1, 64}});
