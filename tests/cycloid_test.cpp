// The nearest-point search on the cycloid against the plain walk, which is
// the reference: the same grid point, or the same failure.
#include "physics/cycloid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/failure.h"

using namespace lumet;

namespace {

constexpr double kPi = 3.141592654;

struct Sample {
  double x, y;
};

// Positions along and around the arch: on it, below it, between it and the
// rolling line, above the rolling line, near the cusp, the middle and the end.
std::vector<Sample> samples(const CycloidRod& rod, int n, uint32_t seed) {
  std::mt19937_64 gen(seed);
  std::uniform_real_distribution<double> u(0, 1);
  std::vector<Sample> out;
  for (int j = 0; j < n; ++j) {
    double fi;
    switch (j % 5) {
      case 0: fi = 0.05 * u(gen); break;                // near the cusp
      case 1: fi = 2 * M_PI - 0.05 * u(gen); break;     // near the end
      case 2: fi = M_PI + 0.2 * (u(gen) - 0.5); break;  // the middle
      default: fi = 2 * M_PI * u(gen); break;
    }
    double x = (fi - std::sin(fi)) * rod.R2 + rod.X20;
    double y = rod.Y20 - (1 - std::cos(fi)) * rod.R2;
    // Off the curve by up to a tenth of R2 either way, or above the rolling
    // line, or exactly on it.
    double off = (j % 7 == 0) ? 0 : (u(gen) - 0.5) * 0.2 * rod.R2;
    if (j % 11 == 3) y = rod.Y20 + u(gen) * rod.R2;  // above the rolling line
    out.push_back({x + off * 0.3, y + off});
  }
  return out;
}

void compare(const CycloidRod& rod, double Dfi, int n, uint32_t seed) {
  for (const auto& s : samples(rod, n, seed)) {
    double psiB = RayAngle(rod, s.x, s.y);
    double guess = CycloidGuess(psiB, rod.Pi);
    CycloidPoint walk = CycloidWalk(rod, psiB, guess, Dfi);
    CycloidPoint fast = CycloidSearch(rod, psiB, guess, Dfi);
    ASSERT_EQ(fast.k, walk.k) << "at (" << s.x << ", " << s.y << ") psiB " << psiB;
    // Seeded near the answer, far from it, or off the arch: the same point.
    for (double hint : {walk.fi2 + 1e-3, walk.fi2 - 0.3, 7.0, -1.0, 1e-9}) {
      CycloidPoint seeded = CycloidSearch(rod, psiB, guess, Dfi, hint);
      ASSERT_EQ(seeded.k, walk.k) << hint;
      ASSERT_EQ(seeded.fi2, fast.fi2);
    }
    ASSERT_EQ(fast.fi2, walk.fi2) << "at (" << s.x << ", " << s.y << ")";
    EXPECT_EQ(fast.psiC, walk.psiC);
    EXPECT_LT(std::fabs(fast.psiC - psiB), Dfi);
    EXPECT_TRUE(fast.proven);
  }
}

}  // namespace

TEST(CycloidSearch, MatchesTheWalkAtTheDefaultTolerance) {
  compare({57.28463078312028, 0, 100, kPi}, 2 / 100000.0, 2000, 1);
  compare({2118180.4436400416, -6378000, -6378000, kPi}, 2 / 100000.0, 1000, 2);
}

TEST(CycloidSearch, MatchesTheWalkAtAnEighthOfTheTolerance) {
  compare({57.28463078312028, 0, 100, kPi}, 2 / 800000.0, 300, 3);
}

TEST(CycloidSearch, MatchesTheWalkAtCoarseTolerances) {
  compare({1.5, -3, 7, kPi}, 2 / 50000.0, 1000, 4);
  compare({1.5, -3, 7, kPi}, 2 / 100.0, 1000, 5);
  compare({1e-3, 1e3, -2e3, kPi}, 2 / 1000.0, 1000, 6);
}

TEST(CycloidSearch, BodyOnTheRollingLineAtTheCusp) {
  CycloidRod rod{10, 0, 0, kPi};
  double psiB = RayAngle(rod, -1, 0);
  EXPECT_EQ(psiB, 0);
  double guess = CycloidGuess(psiB, kPi);
  EXPECT_NEAR(guess, 0.1737, 1e-3);  // about 0.175
  CycloidPoint walk = CycloidWalk(rod, psiB, guess, 2e-5);
  CycloidPoint fast = CycloidSearch(rod, psiB, guess, 2e-5);
  EXPECT_EQ(fast.k, walk.k);
  EXPECT_GT(fast.fi2, 0);  // slightly inside the arch
  EXPECT_LT(fast.psiC, 2e-5);
}

TEST(CycloidSearch, RayAngleRunsFromZeroToPi) {
  CycloidRod rod{2, 1, 5, kPi};
  double x0 = rod.X0();
  EXPECT_EQ(RayAngle(rod, x0, 0), kPi / 2);  // straight below P
  EXPECT_NEAR(RayAngle(rod, x0 - 1, 4), M_PI / 4, 1e-15);
  EXPECT_NEAR(RayAngle(rod, x0 + 1, 4), kPi - M_PI / 4, 1e-15);
  EXPECT_NEAR(RayAngle(rod, x0 - 1, 6), M_PI / 4, 1e-15);  // mirrored above
  EXPECT_EQ(RayAngle(rod, x0 - 1, 5), 0);
}

TEST(CycloidSearch, GuessBendsAwayNearTheEnds) {
  EXPECT_DOUBLE_EQ(CycloidGuess(kPi / 2, kPi), kPi);
  double g0 = kPi * kPi / 8;
  EXPECT_DOUBLE_EQ(CycloidGuess(0, kPi), g0 - (kPi / 2 - g0) * kPi);
  double g1 = 2 * kPi - kPi * kPi / 8;
  EXPECT_DOUBLE_EQ(CycloidGuess(kPi, kPi), g1 + (g1 - 2 * kPi + kPi / 2) * kPi);
}

// The walk cannot end on an arch bent upwards or shrunk to a point: it gives
// up after its bound instead of hanging, and so does the fast search.
TEST(CycloidSearch, GivesUpWhenTheArchIsBentOrEmpty) {
  for (double R2 : {-57.0, 0.0}) {
    CycloidRod rod{R2, 0, 100, kPi};
    double psiB = 0.3;
    double guess = CycloidGuess(psiB, kPi);
    EXPECT_THROW(CycloidWalk(rod, psiB, guess, 2e-3), Failure) << R2;
    EXPECT_THROW(CycloidSearch(rod, psiB, guess, 2e-3), Failure) << R2;
  }
  EXPECT_THROW(CycloidWalkBound(0), Failure);
  EXPECT_EQ(CycloidWalkBound(2e-3), 2 * 3142 + 1000);
}

TEST(CycloidSearch, BentArchThatStartsInTheWindowStopsAtOnce) {
  // With R2 < 0 the guess itself may already match; then nothing is walked.
  CycloidRod rod{-57.0, 0, 100, kPi};
  double guess = CycloidGuess(kPi / 2, kPi);
  double x = (guess - std::sin(guess)) * rod.R2 + rod.X20;
  double y = rod.Y20 - (1 - std::cos(guess)) * rod.R2;
  double psiB = RayAngle(rod, x, y);
  CycloidPoint p = CycloidSearch(rod, psiB, CycloidGuess(psiB, kPi), 2e-5);
  EXPECT_EQ(p.k, 0);
}
