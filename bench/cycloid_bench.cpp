// The cost of finding a bead's nearest place on the cycloid: the plain walk
// against the fast search, at the default tolerance and at an eighth of it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "physics/cycloid.h"

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

// Argument: the divisor of the default tolerance 2e-5 (1, or 8 after three
// presses of "--").
void CycloidWalkFromScratch(benchmark::State& state) {
  const double Dfi = tolerance(state);
  const auto rays = beadRays(64);
  size_t j = 0;
  for (auto _ : state) {
    double psiB = rays[j++ % rays.size()];
    benchmark::DoNotOptimize(CycloidWalk(kRod, psiB, CycloidGuess(psiB, kRod.Pi), Dfi));
  }
}

void CycloidSearchFromScratch(benchmark::State& state) {
  const double Dfi = tolerance(state);
  const auto rays = beadRays(64);
  size_t j = 0;
  for (auto _ : state) {
    double psiB = rays[j++ % rays.size()];
    benchmark::DoNotOptimize(CycloidSearch(kRod, psiB, CycloidGuess(psiB, kRod.Pi), Dfi));
  }
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
