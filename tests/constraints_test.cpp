// The rods' reactions on their beads: deformation and force for each rod,
// worked out by hand or checked against the geometry (distance to the rod,
// direction of the normal) rather than against the formulas themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "physics/cycloid.h"
#include "physics/physics.h"
#include "support.h"

using namespace lumet;

namespace {

constexpr double kPi = 3.141592654;

struct Reactions : ::testing::Test {
  Model m;
  Choices ch;
  Reactions() {
    m.C1 = 1000;
    m.Kj1 = 0;
  }
  void at(int i, double x, double y) {
    m.X[i] = x;
    m.Y[i] = y;
  }
  // Line through (0, 100) and (100, 0).
  void diagonal() {
    m.Xn = 0;
    m.Yn = 100;
    m.Xk = 100;
    m.Yk = 0;
    SetLineSlope(m, std::atan(-1.0));
  }
  // The race cycloid: cusp at (0, 100).
  void arch() {
    m.R2 = 57.28463078312028;
    m.X20 = 0;
    m.Y20 = 100;
    m.KDfi = 100000;
  }
  double cx(double fi) { return (fi - std::sin(fi)) * m.R2 + m.X20; }
  double cy(double fi) { return m.Y20 - (1 - std::cos(fi)) * m.R2; }
  void react(int i) { Constraint(m, ch, i); }
  // Ray angles from the arch's reference point: of the bead, and of the
  // curve point found for it.
  CycloidRod rod() const { return {m.R2, m.X20, m.Y20, m.Pi}; }
  double psiB() const { return RayAngle(rod(), m.X[2], m.Y[2]); }
  double psiC() { return RayAngle(rod(), cx(m.fi2), cy(m.fi2)); }
};

}  // namespace

// ---- Line ----

TEST_F(Reactions, LineBelowIsPushedUpAlongTheNormal) {
  diagonal();
  double d = 0.01;
  at(1, 50 - d * std::sqrt(0.5), 50 - d * std::sqrt(0.5));  // d below the line
  react(1);
  EXPECT_NEAR(m.dL[1], d, 1e-12);
  EXPECT_NEAR(m.Fx[1], 1000 * d * std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(m.Fy[1], 1000 * d * std::sqrt(0.5), 1e-9);
  at(1, 50 + d * std::sqrt(0.5), 50 + d * std::sqrt(0.5));  // above
  react(1);
  EXPECT_NEAR(m.dL[1], d, 1e-12);
  EXPECT_NEAR(m.Fx[1], -1000 * d * std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(m.Fy[1], -1000 * d * std::sqrt(0.5), 1e-9);
}

TEST_F(Reactions, LineBodyOnItFeelsNothingEvenWhileDeforming) {
  diagonal();
  m.Kj1 = 0.5;
  m.VR1[1] = 3;
  at(1, m.Xk, m.Yk);
  react(1);
  EXPECT_EQ(m.dL[1], 0);
  EXPECT_EQ(m.Fx[1], 0);
  EXPECT_EQ(m.Fy[1], 0);
}

TEST_F(Reactions, HorizontalLine) {
  m.Yn = 10;
  SetLineSlope(m, 0);
  m.Kj1 = 0.5;
  m.VR1[1] = 2;
  at(1, 3, 9.75);
  react(1);
  EXPECT_EQ(m.dL[1], 0.25);
  EXPECT_EQ(m.Fx[1], 0);
  EXPECT_EQ(m.Fy[1], 1000 * 0.25 + 0.5 * 2);
  at(1, 3, 10.5);
  react(1);
  EXPECT_EQ(m.Fy[1], -(1000 * 0.5 + 0.5 * 2));
}

// On any sloping line both parts of the reaction point from the bead to its
// foot on the line, and their sum is C1·dL + Kj1·VR1.
TEST_F(Reactions, LineReactionPointsToTheFootOnEverySlope) {
  std::mt19937_64 gen(7);
  std::uniform_real_distribution<double> u(-1, 1);
  m.Kj1 = 0.3;
  for (int n = 0; n < 500; ++n) {
    m.Xn = 10 * u(gen);
    m.Yn = 10 * u(gen);
    m.Xk = m.Xn + 1 + 20 * std::fabs(u(gen));
    m.Yk = m.Yn + 20 * u(gen);
    SetLineSlope(m, std::atan((m.Yk - m.Yn) / (m.Xk - m.Xn)));
    m.VR1[1] = 2 * std::fabs(u(gen));
    double t = u(gen), off = 0.1 * u(gen);
    double ux = std::cos(m.al1), uy = std::sin(m.al1);
    double x = m.Xn + t * (m.Xk - m.Xn) - off * uy, y = m.Yn + t * (m.Yk - m.Yn) + off * ux;
    at(1, x, y);
    react(1);
    SCOPED_TRACE(n);
    EXPECT_NEAR(m.dL[1], std::fabs(off), 1e-9);
    double F = std::hypot(m.Fx[1], m.Fy[1]);
    EXPECT_NEAR(F, 1000 * std::fabs(off) + 0.3 * m.VR1[1], 1e-6);
    // Along the normal, towards the line: (−uy, ux)·(−off).
    EXPECT_NEAR(m.Fx[1] * ux + m.Fy[1] * uy, 0, 1e-6);
    if (std::fabs(off) > 1e-9) {
      EXPECT_GT((m.Fx[1] * -uy + m.Fy[1] * ux) * -off, 0);
    }
  }
}

// ---- Cycloid ----

TEST_F(Reactions, CycloidBodyOnTheCurve) {
  arch();
  for (double fi : {0.3, 1.0, 2.0, kPi, 4.5, 6.0}) {
    SCOPED_TRACE(fi);
    at(2, cx(fi), cy(fi));
    react(2);
    EXPECT_EQ(CycloidTolerance(m), 2e-5);
    // The ray angle matches within Dfi, so the angle found is within about
    // Dfi over the rate of the ray angle (slow near the ends of the arch).
    EXPECT_LT(std::fabs(psiC() - psiB()), 2e-5);
    EXPECT_NEAR(m.fi2, fi, 5e-4);
    // The tangent there: dy/dx = −sin fi/(1 − cos fi).
    EXPECT_NEAR(m.al2, std::atan(-std::sin(m.fi2) / (1 - std::cos(m.fi2))), 1e-4);
    // The search resolves the distance to about R2·Dfi.
    EXPECT_NEAR(m.dL[2], 0, 2 * m.R2 * 2e-5);
  }
}

// A bead displaced by d along the outward normal (away from P's side, below
// the arch) has dL ≈ d and is pushed back along the normal.
TEST_F(Reactions, CycloidBodyOffTheCurve) {
  arch();
  for (double fi : {0.5, 1.2, 2.4, 3.5, 5.0}) {
    for (double d : {0.01, -0.01}) {
      SCOPED_TRACE(fi);
      SCOPED_TRACE(d);
      double tx = 1 - std::cos(fi), ty = -std::sin(fi);  // tangent direction
      double len = std::hypot(tx, ty);
      double nx = -ty / len, ny = tx / len;  // normal towards the arch's inside
      at(2, cx(fi) - d * nx, cy(fi) - d * ny);
      react(2);
      EXPECT_NEAR(m.dL[2], d, 2 * m.R2 * 2e-5);
      EXPECT_NEAR(m.Fx[2], 1000 * m.dL[2] * nx, 1e-3);
      EXPECT_NEAR(m.Fy[2], 1000 * m.dL[2] * ny, 1e-3);
      EXPECT_EQ(m.Fx[2], -1000 * m.dL[2] * std::sin(m.al2));
      EXPECT_EQ(m.Fy[2], 1000 * m.dL[2] * std::cos(m.al2));
    }
  }
}

TEST_F(Reactions, CycloidViscousPartAddsAlongTheNormal) {
  arch();
  m.Kj1 = 2;
  m.VR1[2] = 0.5;
  at(2, cx(1.0), cy(1.0));
  react(2);
  double F = 2 * 0.5 + 1000 * m.dL[2];
  EXPECT_DOUBLE_EQ(m.Fx[2], -F * std::sin(m.al2));
  EXPECT_DOUBLE_EQ(m.Fy[2], F * std::cos(m.al2));
}

TEST_F(Reactions, CycloidToleranceIsReadAtEveryEvaluation) {
  arch();
  at(2, cx(1.0) + 0.3, cy(1.0) - 0.2);
  react(2);
  double fine = m.fi2;
  m.KDfi = 100000 / 2.0;  // "+"
  react(2);
  EXPECT_EQ(CycloidTolerance(m), 4e-5);
  EXPECT_LT(std::fabs(psiC() - psiB()), 4e-5);
  EXPECT_NEAR(m.fi2, fine, 1e-4);
  m.KDfi = 0;
  EXPECT_THROW(react(2), Failure);
}

TEST_F(Reactions, CycloidBodyAboveTheRollingLineIsMirrored) {
  arch();
  at(2, 30, 100.5);
  react(2);
  double psiAbove = psiB(), fiAbove = m.fi2;
  at(2, 30, 99.5);
  react(2);
  EXPECT_EQ(psiB(), psiAbove);
  EXPECT_EQ(m.fi2, fiAbove);
}

TEST_F(Reactions, CycloidAtTheCuspLevel) {
  arch();
  at(2, -1, 100);  // on the rolling line before the cusp: psiB = 0
  react(2);
  EXPECT_EQ(psiB(), 0);
  EXPECT_GT(m.fi2, 0);
  EXPECT_LT(m.fi2, 0.02);
}

// Bent upwards or shrunk to a point, the arch has no nearest point to walk
// to: the evaluation fails instead of hanging.
TEST_F(Reactions, CycloidBentUpwardsFails) {
  arch();
  m.KDfi = 1000;  // keep the bounded walk short
  for (double R2 : {-57.0, 0.0}) {
    m.R2 = R2;
    at(2, 30, 80);
    EXPECT_THROW(react(2), Failure) << R2;
  }
}

// ---- Parabola ----

TEST_F(Reactions, ParabolaOnItsSideLowerBranch) {
  // x = 0.01·(100 − y)², vertex (0, 100).
  m.X30 = 0;
  m.Y30 = 100;
  m.K3 = 0.01;
  at(3, 40, 30);
  react(3);
  // Level with the bead the rod is at x = 49; plumb with it at
  // y = 100 − √4000.
  double dx = 9, dy = 100 - std::sqrt(4000.0) - 30;
  EXPECT_NEAR(m.al3, -std::atan(dy / dx), 1e-12);
  double dL = dx * dy / std::hypot(dx, dy);
  EXPECT_NEAR(m.dL[3], dL, 1e-12);
  EXPECT_NEAR(m.Fx[3], -1000 * dL * std::sin(m.al3), 1e-9);
  EXPECT_NEAR(m.Fy[3], 1000 * dL * std::cos(m.al3), 1e-9);
  EXPECT_GT(m.Fx[3], 0);  // up and right, back to the rod
  EXPECT_GT(m.Fy[3], 0);
}

TEST_F(Reactions, ParabolaLeftOfTheVertexUsesItsHeight) {
  m.X30 = 0;
  m.Y30 = 100;
  m.K3 = 0.01;
  m.al3 = 0.7;
  at(3, -1, 90);  // rod at x = 1 on this level, at y = 100 plumb
  react(3);
  EXPECT_NEAR(m.al3, -std::atan(10 / 2.0), 1e-15);
  EXPECT_NEAR(m.dL[3], 2 * 10 / std::hypot(2.0, 10.0), 1e-13);
}

TEST_F(Reactions, ParabolaChordWithNoWidthKeepsItsAngle) {
  m.X30 = 0;
  m.Y30 = 100;
  m.K3 = 0.01;
  m.al3 = 0.7;
  m.Kj1 = 1;
  m.VR1[3] = 5;
  at(3, 0, 100);  // at the vertex: both offsets 0
  react(3);
  EXPECT_EQ(m.al3, 0.7);
  EXPECT_EQ(m.dL[3], 0);
  EXPECT_EQ(m.Fx[3], 0);
  EXPECT_EQ(m.Fy[3], 0);
}

TEST_F(Reactions, ParabolaWithoutCoefficientFails) {
  m.X30 = 0;
  m.Y30 = 100;
  m.K3 = 0;
  at(3, 40, 30);
  EXPECT_THROW(react(3), Failure);
}

namespace {

// y = −80 + 0.05·(60 − x)², the modified parabola of the race.
struct Cup : Reactions {
  Cup() {
    ch.modifiedParabola = true;
    m.X30 = 60;
    m.Y30 = -80;
    m.K3 = 0.05;
  }
};

}  // namespace

TEST_F(Cup, AwayFromTheVertex) {
  at(3, 10, 50);
  react(3);
  double yc = -80 + 0.05 * 2500, xc = 60 - std::sqrt(130 / 0.05);
  double dx = xc - 10, dy = yc - 50;
  EXPECT_NEAR(m.al3, -std::atan(dy / dx), 1e-12);
  EXPECT_NEAR(m.dL[3], std::fabs(dx * dy / std::hypot(dx, dy)), 1e-12);
  EXPECT_LT(m.Fx[3], 0);  // the bead is above: down and left
  EXPECT_LT(m.Fy[3], 0);
  EXPECT_EQ(m.ApexSet, 0);
  at(3, 110, 50);  // the right branch
  react(3);
  EXPECT_NEAR(m.dL[3], std::fabs(dx * dy / std::hypot(dx, dy)), 1e-12);
  EXPECT_GT(m.Fx[3], 0);
  EXPECT_LT(m.Fy[3], 0);
}

TEST_F(Cup, VertexCircleIsSetOnceAndKept) {
  // Within 15 deformations of the vertex height the circle through the
  // bead's foot, centred on the axis where the bead's normal meets it, takes
  // over.
  m.dL[3] = 0.001;
  m.al3 = std::atan(-2 * 0.05 * (60 - 59.9));
  at(3, 59.9, -79.99);
  react(3);
  EXPECT_EQ(m.ApexSet, 1);
  double R3a = 0.1 / std::fabs(std::sin(std::atan(-0.01))) - 0.001;
  EXPECT_NEAR(m.R3a, R3a, 1e-9);
  EXPECT_NEAR(m.Y3a, (R3a + 0.001) * std::cos(std::atan(-0.01)) - 79.99, 1e-9);
  EXPECT_NEAR(m.dL[3], 0.001, 1e-9);  // the bead is its deformation off the circle
  EXPECT_NEAR(m.al3, std::atan(-0.1 / (m.Y3a + 79.99)), 1e-15);
  EXPECT_GT(m.Fy[3], 0);  // outside the circle, below it: pushed up
  EXPECT_NEAR(std::hypot(m.Fx[3], m.Fy[3]), 1000 * m.dL[3], 1e-9);

  double R3aSet = m.R3a, Y3aSet = m.Y3a;
  at(3, 60.05, -79.986);  // right of the axis, inside the circle
  m.al3 = 1.0;
  react(3);
  EXPECT_EQ(m.R3a, R3aSet);
  EXPECT_EQ(m.Y3a, Y3aSet);
  double rho = std::hypot(0.05, Y3aSet + 79.986);
  EXPECT_LT(rho, R3aSet);
  EXPECT_NEAR(m.dL[3], std::fabs(rho - R3aSet), 1e-12);
  // Inside: pushed down and, right of the axis, to the right.
  EXPECT_LT(m.Fy[3], 0);
  EXPECT_GT(m.Fx[3], 0);
}

TEST_F(Cup, VertexCircleFailures) {
  m.dL[3] = 0.001;
  m.al3 = 0;  // no normal to meet the axis
  at(3, 59.9, -79.99);
  EXPECT_THROW(react(3), Failure);
  m.ApexSet = 1;
  m.R3a = 10;
  m.Y3a = -79.99;  // the bead level with the centre
  EXPECT_THROW(react(3), Failure);
}

TEST_F(Cup, NegativeCoefficientFailsAwayFromTheVertex) {
  m.K3 = -0.05;
  at(3, 10, 50);
  EXPECT_THROW(react(3), Failure);
}

// ---- Arc ----

TEST_F(Reactions, ArcPullsToTheCentre) {
  m.X40 = 100;
  m.Y40 = 100;
  m.R4 = 100;
  m.Kj1 = 0.5;
  m.VR1[4] = 2;
  at(4, -0.01, 100);
  react(4);
  EXPECT_EQ(PolarAngle(m, m.X40, m.Y40, m.X[4], m.Y[4]), kPi);
  EXPECT_NEAR(m.dL[4], 0.01, 1e-12);
  double F = 0.5 * 2 + 1000 * m.dL[4];
  EXPECT_DOUBLE_EQ(m.Fx[4], F * -std::cos(kPi));
  EXPECT_DOUBLE_EQ(m.Fy[4], -F * std::sin(kPi));
  // Inside the circle dL is negative and the bead is pushed out.
  at(4, 100 + 60, 100 - 79.9);
  m.VR1[4] = 0;
  react(4);
  EXPECT_NEAR(m.dL[4], std::hypot(60, 79.9) - 100, 1e-12);
  EXPECT_NEAR(PolarAngle(m, m.X40, m.Y40, m.X[4], m.Y[4]), 2 * kPi - std::atan(79.9 / 60), 1e-15);
  EXPECT_GT(m.Fx[4], 0);
  EXPECT_LT(m.Fy[4], 0);
}

TEST_F(Reactions, ArcPolarAngleByQuadrant) {
  m.X40 = 0;
  m.Y40 = 0;
  m.R4 = 1;
  struct Row {
    double x, y, fi;
  } rows[] = {
      {0, 2, kPi / 2},
      {0, -2, kPi * 3 / 2},
      {2, 0, 2 * kPi},
      {-2, 0, kPi},
      {0, 0, kPi / 2},
      {1, 1, std::atan(1.0)},
      {-1, 1, kPi - std::atan(1.0)},
      {-1, -1, kPi + std::atan(1.0)},
      {1, -1, 2 * kPi - std::atan(1.0)},
  };
  for (auto r : rows) {
    at(4, r.x, r.y);
    react(4);
    EXPECT_EQ(PolarAngle(m, m.X40, m.Y40, r.x, r.y), r.fi) << r.x << ", " << r.y;
  }
  EXPECT_EQ(m.dL[4], 0.41421356237309515);  // √2 − 1 for the last one
}

TEST_F(Reactions, ArcAtTheCentre) {
  m.X40 = 3;
  m.Y40 = 4;
  m.R4 = 2;
  at(4, 3, 4);
  react(4);
  EXPECT_EQ(PolarAngle(m, m.X40, m.Y40, 3, 4), kPi / 2);
  EXPECT_EQ(m.dL[4], -2);
  EXPECT_NEAR(m.Fy[4], 2000, 1e-9);  // pushed out, upwards
}

TEST_F(Reactions, OtherIndicesAreIgnored) {
  m.Fx[5] = 7;
  react(5);
  react(0);
  EXPECT_EQ(m.Fx[5], 7);
}

// ---- The race: four beads and a free body from rest in a flat constant
// field, (0, 100) to (100, 0), against the travel times of ideal rods ----

namespace {

// Distance from (x, y) to the curve c(p), p in [p0, p1]: the nearest of a
// fine sampling, refined by a ternary search around it.
template <class Curve>
double distanceTo(Curve c, double p0, double p1, double x, double y) {
  auto d2 = [&](double p) {
    auto [cx, cy] = c(p);
    return (cx - x) * (cx - x) + (cy - y) * (cy - y);
  };
  const int n = 4000;
  int best = 0;
  for (int j = 1; j <= n; ++j)
    if (d2(p0 + (p1 - p0) * j / n) < d2(p0 + (p1 - p0) * best / n)) best = j;
  double a = p0 + (p1 - p0) * std::max(best - 1, 0) / n;
  double b = p0 + (p1 - p0) * std::min(best + 1, n) / n;
  for (int it = 0; it < 100; ++it) {
    double m1 = a + (b - a) / 3, m2 = b - (b - a) / 3;
    if (d2(m1) < d2(m2))
      b = m2;
    else
      a = m1;
  }
  return std::sqrt(d2((a + b) / 2));
}

}  // namespace

TEST(Race, TravelTimesOfTheFourRods) {
  test::TestLab t;
  t.choose(P::field, "flat");
  t.choose(P::strength, "const");
  t.set(P::q1, "0");  // no charge: gravity of the default Earth alone
  for (P rod : {P::line, P::cycloid, P::parabola, P::arc}) t.check(rod, true);
  t.set(P::C1, "1000");
  t.set(P::Kj1, "1");
  t.set(P::VXn, "0");
  t.set(P::VYn, "0");
  t.set(P::Xn, "0");
  t.set(P::Yn, "100");
  t.set(P::Xk, "100");
  t.set(P::Yk, "0");
  t.set(P::h, "0.01");
  t.set(P::Mx, "20");
  t.set(P::NCg, "100");  // refresh every 100 steps
  ASSERT_TRUE(t.act(Action::Start).handled);
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];
  const double g = t.m.Fm0 / t.m.m1;
  EXPECT_NEAR(g, 9.798675892878478, 1e-12);
  ASSERT_TRUE(t.tick().handled);
  if (t.m.T == 0) GTEST_SKIP() << "no step driver yet";

  const double R2 = t.m.R2, fiK2 = t.m.fiK2;
  auto line = [](double p) { return std::pair{p, 100 - p}; };
  auto cycloid = [&](double p) {
    return std::pair{(p - std::sin(p)) * R2, 100 - (1 - std::cos(p)) * R2};
  };
  auto parabola = [](double p) { return std::pair{0.01 * (100 - p) * (100 - p), p}; };
  auto arc = [](double p) { return std::pair{100 + 100 * std::cos(p), 100 + 100 * std::sin(p)}; };
  const double bead = t.m.m1 * g / 1000;  // the deformation gravity alone gives
  double worst[5] = {};
  for (int step = 1; step < 700 && t.running(); ++step) {
    ASSERT_TRUE(t.tick().handled);
    if (step % 7) continue;
    double far[5] = {0, t.m.Tfin[1] > 0 ? 0 : distanceTo(line, -1, 101, t.m.X[1], t.m.Y[1]),
                     t.m.Tfin[2] > 0 ? 0 : distanceTo(cycloid, 0, fiK2 + 0.1, t.m.X[2], t.m.Y[2]),
                     t.m.Tfin[3] > 0 ? 0 : distanceTo(parabola, -1, 100.5, t.m.X[3], t.m.Y[3]),
                     t.m.Tfin[4] > 0 ? 0 : distanceTo(arc, 3.0, 4.8, t.m.X[4], t.m.Y[4])};
    for (int i = 1; i <= 4; ++i) worst[i] = std::max(worst[i], far[i]);
  }
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];
  // Ideal rods from tests/tools/rods_golden.py (race_on_the_built_rods).
  const double ideal[5] = {0, 6.389197296296515, 5.832260357857417, 5.844349822842599,
                           5.923024457672878};
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(t.m.Tfin[i], ideal[i], 0.01 * ideal[i]);
    EXPECT_LT(worst[i], 4 * bead);
  }
  EXPECT_EQ(t.m.Tfin[5], 0);  // the free body falls straight down
  EXPECT_NEAR(t.m.X[5], 0, 1e-6);
}
