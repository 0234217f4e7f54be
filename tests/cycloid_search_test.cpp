// The bounded cycloid search at every tolerance "--" can reach: the plain
// walk's grid point or its failure. Checked against the whole walk where it
// ends within a test's time, and elsewhere against the walk's first passes
// and the points just before the answer, tested one by one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "physics/cycloid.h"
#include "physics/cycloid_path.h"
#include "physics/physics.h"

using namespace lumet;

namespace {

constexpr double kPi = 3.141592654;

// Dfi after n presses of "--" from the default.
double finer(int n) { return 2 / (100000.0 * std::ldexp(1.0, n)); }

struct Outcome {
  bool failed = false;
  CycloidPoint p;
};

template <class Find>
Outcome outcome(Find find) {
  try {
    return {false, find()};
  } catch (const Failure&) {
    return {true, {}};
  }
}

// Walks run in full up to this many passes; longer ones are checked over
// their first kPrefix points, the kWindow points before the answer, and
// points spread over the rest.
constexpr int64_t kFullWalk = 100000, kPrefix = 20000, kWindow = 2000;

// The first point in from..to where the walk's test stops it, or −1.
int64_t firstStop(const cycloid::Path& path, int64_t from, int64_t to) {
  for (int64_t k = std::max<int64_t>(from, 0); k <= to; ++k)
    if (path.margin(path.at(k)) < 0) return k;
  return -1;
}

// Where the walk stops between from and to, judged from 4000 points spread
// over them and bisection between the last that goes on and the first that
// stops; −1 when none of them stops.
int64_t spreadStop(const cycloid::Path& path, int64_t from, int64_t to) {
  int64_t lo = from;
  for (int i = 1; i <= 4000 && to > from; ++i) {
    int64_t hi = from + int64_t(double(to - from) * i / 4000);
    if (path.margin(path.at(hi)) >= 0) {
      lo = hi;
      continue;
    }
    while (hi - lo > 1) {
      int64_t mid = lo + (hi - lo) / 2;
      (path.margin(path.at(mid)) < 0 ? hi : lo) = mid;
    }
    return hi;
  }
  return -1;
}

// The search at one bead against the walk; counts the answers it could not
// prove.
void expectTheWalks(const CycloidRod& rod, double psiB, double Dfi, double hint, int& unproven) {
  char where[200];
  std::snprintf(where, sizeof where, "R2 %.17g X20 %.17g Y20 %.17g psiB %.17g Dfi %.17g", rod.R2,
                rod.X20, rod.Y20, psiB, Dfi);
  SCOPED_TRACE(where);
  double guess = CycloidGuess(psiB, rod.Pi);
  Outcome search = outcome([&] { return CycloidSearch(rod, psiB, guess, Dfi); });
  Outcome seeded = outcome([&] { return CycloidSearch(rod, psiB, guess, Dfi, hint); });
  ASSERT_EQ(seeded.failed, search.failed);
  ASSERT_EQ(seeded.p.fi2, search.p.fi2);
  int64_t bound = 0;  // none: the walk fails at once
  try {
    bound = CycloidWalkBound(Dfi);
  } catch (const Failure&) {
  }
  int64_t steps = std::llabs(search.p.k);
  if (search.failed ? bound <= kFullWalk : steps <= kFullWalk) {
    Outcome walk = outcome([&] { return CycloidWalk(rod, psiB, guess, Dfi); });
    ASSERT_EQ(search.failed, walk.failed);
    ASSERT_EQ(search.p.k, walk.p.k);
    ASSERT_EQ(search.p.fi2, walk.p.fi2);
    ASSERT_EQ(search.p.psiC, walk.p.psiC);
  } else {
    double d0 = cycloid::probe(rod, guess).psi - psiB;
    cycloid::Path path{rod, psiB, guess, Dfi, d0 > 0 ? 1 : -1, bound};
    int64_t last = search.failed ? bound : steps - kWindow - 1;
    int64_t stop = firstStop(path, 0, std::min(kPrefix, last));
    if (stop < 0) stop = spreadStop(path, kPrefix, last);
    if (search.failed) {
      // Where the walk stops, it has stepped across the window.
      if (stop >= 0) {
        EXPECT_FALSE(path.inWindow(path.at(stop)));
      }
    } else {
      ASSERT_EQ(stop, -1);
      ASSERT_EQ(firstStop(path, steps - kWindow, steps), steps);
      EXPECT_TRUE(path.inWindow(path.at(steps)));
      EXPECT_EQ(search.p.fi2, path.fiAt(steps));
    }
  }
  if (!search.failed && !search.p.proven) ++unproven;
}

using Rng = std::mt19937_64;

double uniform(Rng& rng, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}

double curveX(const CycloidRod& rod, double fi) { return (fi - std::sin(fi)) * rod.R2 + rod.X20; }
double curveY(const CycloidRod& rod, double fi) { return rod.Y20 - (1 - std::cos(fi)) * rod.R2; }

// psiB at which the guess's own curve point has the bead's ray angle: near
// it the walk is short at any Dfi. Bisection around `near`.
double fixedPoint(const CycloidRod& rod, double near) {
  auto miss = [&](double psiB) {
    double g = CycloidGuess(psiB, rod.Pi);
    return RayAngle(rod, curveX(rod, g), curveY(rod, g)) - psiB > 0;
  };
  double lo = near - 1e-4, hi = near + 1e-4;
  bool atLo = miss(lo);
  for (int n = 0; n < 200; ++n) (miss(0.5 * (lo + hi)) == atLo ? lo : hi) = 0.5 * (lo + hi);
  return lo;
}

// Families of beads.
double nearFixedPoint(const CycloidRod& rod, double Dfi, Rng& rng) {
  static const double kUp[] = {0.00699, 0.183563, 0.532908, kPi / 2, 2.6087, 2.958045, 3.134618};
  double star = fixedPoint(rod, rod.R2 > 0 ? kUp[rng() % 7] : kPi / 2);
  return star + uniform(rng, -1, 1) * Dfi * std::ldexp(1.0, int(rng() % 13));
}

double anywhere(const CycloidRod& rod, double, Rng& rng) {
  double fi = uniform(rng, -0.5, 7);
  double off = uniform(rng, -0.1, 0.1) * rod.R2;
  double y = rng() % 5 == 0 ? rod.Y20 + uniform(rng, 0, 2) * std::fabs(rod.R2)  // above the line
                            : curveY(rod, fi) + off;
  return RayAngle(rod, curveX(rod, fi) + 0.3 * off, y);
}

double levelWithTheCusps(const CycloidRod&, double, Rng& rng) {
  const double tiny = uniform(rng, 0, 1e-12);
  const double at[] = {0, kPi, tiny, kPi - tiny};
  return at[rng() % 4];
}

double straightBelowP(const CycloidRod&, double, Rng& rng) {
  return kPi / 2 + uniform(rng, -3e-10, 3e-10);
}

struct Family {
  const char* name;
  double sign;  // of R2
  std::function<double(const CycloidRod&, double, Rng&)> bead;
  bool allProven;
};

}  // namespace

TEST(CycloidSearchProperty, TheWalksPointAtEveryToleranceDownToTheFloor) {
  const Family families[] = {
      {"short walks", +1, nearFixedPoint, true},
      {"short walks, bent the wrong way", -1, nearFixedPoint, true},
      {"anywhere", +1, anywhere, true},
      {"anywhere, bent the wrong way", -1, anywhere, true},
      {"level with the cusps", +1, levelWithTheCusps, false},
      {"level with the cusps, bent the wrong way", -1, levelWithTheCusps, false},
      {"straight below P", +1, straightBelowP, true},
      {"straight below P, bent the wrong way", -1, straightBelowP, true}};
  int seed = 0;
  for (const Family& family : families) {
    SCOPED_TRACE(family.name);
    Rng rng(++seed);
    int unproven = 0;
    for (int n = 0; n < 40; ++n) {
      double R = std::pow(10.0, uniform(rng, -2, 7));
      CycloidRod rod{family.sign * R, uniform(rng, -5, 5) * R, uniform(rng, -5, 5) * R, kPi};
      if (n % 8 == 7) rod.X20 = 1e6 * R;  // far from the origin
      double Dfi = finer(n % 33);         // down to the floor and one step past it
      expectTheWalks(rod, family.bead(rod, Dfi, rng), Dfi, uniform(rng, -1, 8), unproven);
      if (HasFatalFailure()) return;
    }
    if (family.allProven) {
      EXPECT_EQ(unproven, 0);
    }
  }
}

// Beside P, on the arch's way down, the shown ray angle jumps by Pi − pi
// (4.1e-10). A bead straight below P lies in that jump: with Dfi below half
// of it the walk steps across the window, turns round, and fails.
TEST(CycloidSearch, StraightBelowPTheWalkStepsAcrossTheJump) {
  CycloidRod rod{57.28463078312028, 0, 100, kPi};
  double psiB = RayAngle(rod, rod.X0(), 50);
  ASSERT_EQ(psiB, kPi / 2);
  double guess = CycloidGuess(psiB, kPi);
  for (int n : {16, 17, 24, 31}) {
    Outcome search = outcome([&] { return CycloidSearch(rod, psiB, guess, finer(n)); });
    Outcome walk = outcome([&] { return CycloidWalk(rod, psiB, guess, finer(n)); });
    EXPECT_EQ(search.failed, n > 16) << n;
    EXPECT_EQ(walk.failed, search.failed) << n;
    EXPECT_EQ(walk.p.k, search.p.k) << n;
  }
}

// The search leans on the arch's shape: the slope of the ray angle, whose
// sign is that of D = (A − fi + sin fi)·sin fi + (1 − cos fi)², changes sign
// at every cusp 2·pi·m and once more inside every arch but the first, where
// P stands; and no curve point comes nearer P than 2·|R2|. Sampled for P
// anywhere within 0.01·R2 of the middle of the arch, over more than the walk
// can reach.
TEST(CycloidSearch, ArchShapeTheSearchRestsOn) {
  for (double A : {kPi - 0.01, kPi, kPi + 0.01}) {
    std::vector<double> changes;
    double nearest = 1e9;
    double before = 0;
    for (int i = 0; i <= 600000; ++i) {
      double fi = -30 + 1e-4 * i, s = std::sin(fi), c = std::cos(fi);
      double D = (A - fi + s) * s + (1 - c) * (1 - c);
      nearest = std::min(nearest, std::hypot(A - fi + s, 1 - c));
      if (i > 0 && (D > 0) != (before > 0)) changes.push_back(fi);
      before = D;
    }
    EXPECT_GT(nearest, 1.99) << A;
    ASSERT_EQ(changes.size(), 18u) << A;  // cusps -4..4, one turn in arches -5..-1 and 1..4
    for (double fi : changes) {
      double m = std::floor(fi / (2 * M_PI) + 1e-6);
      double into = fi - 2 * M_PI * m;
      EXPECT_TRUE(into < 1e-3 || (m != 0 && into > 0.5 && into < 2 * M_PI - 0.5)) << fi;
    }
  }
}

// The floor: with Dfi above 2^-47 neighbouring grid points stay apart on the
// whole of the walk's path; a step finer ("--" once more) they can meet on
// the stretch the walk reaches when it climbs the rod to its bound.
TEST(CycloidSearch, StepsVanishOnlyPastTheFloor) {
  EXPECT_FALSE(CycloidStepVanishes(finer(0)));
  EXPECT_FALSE(CycloidStepVanishes(finer(31)));
  EXPECT_TRUE(CycloidStepVanishes(finer(32)));
  EXPECT_FALSE(CycloidStepVanishes(0));
  EXPECT_FALSE(CycloidStepVanishes(-1e-20));
  EXPECT_FALSE(CycloidStepVanishes(INFINITY));
  auto apart = [](double guess, double Dfi, int64_t from, int n) {
    for (int64_t k = from; k < from + n; ++k)
      if (guess - double(k + 1) * Dfi == guess - double(k) * Dfi) return false;
    return true;
  };
  double guess = CycloidGuess(kPi, kPi);  // the largest guess
  int64_t end = CycloidWalkBound(finer(31));
  for (double Dfi : {finer(31), -finer(31)}) {  // down the rod and up
    EXPECT_TRUE(apart(guess, Dfi, 0, 100000));
    EXPECT_TRUE(apart(guess, Dfi, end - 100000, 100000));
  }
  EXPECT_FALSE(apart(guess, -finer(32), 2 * end - 100000, 100000));
}

// The proofs rest on bounds of the rounding: the computed margin of the
// walk's test lies within marginError of the exact one (here in long
// double), beside a relative 2^-51 of the margin itself, at every angle
// between the two probed, off the band around F0; and outside that band the
// computed side of P is the exact one.
TEST(CycloidSearch, RoundingBoundsHold) {
  Rng rng(11);
  int checked = 0;
  for (int n = 0; n < 3000; ++n) {
    double R = std::pow(10.0, uniform(rng, -2, 7)) * (n % 2 ? -1 : 1);
    CycloidRod rod{R, uniform(rng, -5, 5) * R, uniform(rng, -5, 5) * R, kPi};
    if (n % 10 == 9) rod.Y20 = 1e6 * R;
    double psiB = uniform(rng, 0, kPi), Dfi = finer(int(rng() % 32));
    double fa = uniform(rng, -13, 19), fb = fa + uniform(rng, -2, 2);
    double fi = fa + uniform(rng, 0, 1) * (fb - fa);
    cycloid::Path path{rod, psiB, fa, Dfi, rng() % 2 ? 1 : -1, 1000};
    cycloid::Rounding rounding(path, 25);
    ASSERT_TRUE(rounding.usable());
    // The exact ray angle and the side of P.
    long double x0 = rod.X0(), f = fi;
    long double X = x0 - ((f - std::sin(f)) * rod.R2 + rod.X20);
    long double Y = (1 - std::cos(f)) * rod.R2;
    long double psi = std::fabs(std::atan(Y / X));
    if (X < 0) psi = rod.Pi - psi;
    long double exact = path.s * (psi - psiB) - Dfi;
    cycloid::Probe p = cycloid::probe(rod, fi);
    long double A = (x0 - rod.X20) / rod.R2, lo = A - 1, hi = A + 1;
    for (int i = 0; i < 80; ++i)
      ((lo + hi) / 2 - std::sin((lo + hi) / 2) < A ? lo : hi) = (lo + hi) / 2;
    double band = rounding.sideBand();
    if (std::fabs(fi - double(lo)) <= band) continue;
    EXPECT_EQ(p.cx < 0, X < 0) << fi;
    if ((std::min(fa, fb) - band - double(lo)) * (std::max(fa, fb) + band - double(lo)) <= 0)
      continue;
    cycloid::Probe pa = cycloid::probe(rod, fa), pb = cycloid::probe(rod, fb);
    double bound = rounding.marginError(fa, pa, fb, pb);
    double err = double(std::fabs(path.margin(p) - exact));
    ASSERT_LE(err, bound + 0x1p-51 * std::fabs(double(exact))) << "R2 " << R << " fi " << fi;
    EXPECT_LE(rounding.marginError(fi, p, fi, p), bound);
    ++checked;
  }
  EXPECT_GT(checked, 2000);
}
