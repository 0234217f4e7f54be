// The rods' geometry at the start and the bodies' initial state on them.
// Golden values from tests/tools/rods_golden.py (an independent transcription
// of the searches) or worked out by hand in the comments.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/messages.h"
#include "model/numbers.h"
#include "setup/setup.h"
#include "support.h"

using namespace lumet;

namespace {

constexpr double kPi = 3.141592654;

struct Rods : ::testing::Test {
  Model m;
  Parameters p;
  ShownValues shown;
  StartReport r;
  // The warnings and the stop, as the laboratory shows them.
  std::vector<std::string> messages;
  Rods() {
    for (P rod : {P::line, P::cycloid, P::parabola, P::arc, P::free}) p.setOn(rod, false);
  }
  // The rods built as the start builds them, their values shown.
  bool build() {
    r = StartReport{};
    const bool built = BuildConstraints(m, ReadChoices(p), r);
    for (const ShownValue& v : r.shown) shown.set(v.value, v.number);
    for (Msg notice : r.notices) messages.push_back(textOf(notice));
    if (r.stop) messages.push_back(textOf(*r.stop));
    return built;
  }
  void points(double xn, double yn, double xk, double yk) {
    m.Xn = xn;
    m.Yn = yn;
    m.Xk = xk;
    m.Yk = yk;
  }
  void only(P rod) { p.setOn(rod, true); }
  // A value as its box shows it ("" before it was first shown).
  std::string box(V v) { return shown.has(v) ? formatBox(shown.value(v)) : std::string(); }
};

}  // namespace

TEST_F(Rods, LineTakesTheChordDirection) {
  points(0, 100, 100, 0);
  only(P::line);
  ASSERT_TRUE(build());
  EXPECT_DOUBLE_EQ(m.al1, -M_PI / 4);
  EXPECT_EQ(m.al1v, m.al1);
  EXPECT_TRUE(messages.empty());
}

// A chord with no horizontal extent is vertical; only one of no length fails.
TEST_F(Rods, VerticalChordIsUpOrDownAndOnlyZeroByZeroFails) {
  only(P::line);
  points(5, 0, 5, 3);
  ASSERT_TRUE(build());
  EXPECT_EQ(m.al1, kPi / 2);
  points(5, 3, 5, 0);
  ASSERT_TRUE(build());
  EXPECT_EQ(m.al1, -kPi / 2);
  points(5, 3, 5, 3);
  EXPECT_THROW(build(), Failure);
}

TEST_F(Rods, DefaultStandardCycloid) {
  points(-6378000, -6378000, 6165000, -8000000);
  only(P::cycloid);
  ASSERT_TRUE(build());
  EXPECT_EQ(r.cycloidCorrections, 4304);
  EXPECT_NEAR(m.fiK2, 4.948834396942045, 1e-12);
  EXPECT_NEAR(m.R2, 2118180.4436400416, 1e-6);
  EXPECT_EQ(m.fiN2, 0);
  EXPECT_EQ(m.X20, m.Xn);
  EXPECT_EQ(m.Y20, m.Yn);
  EXPECT_EQ(m.X2n, m.Xn);
  EXPECT_EQ(m.Y2n, m.Yn);
  EXPECT_NEAR(m.al2, -1.5674629946979604, 1e-12);  // almost straight down from the cusp
  EXPECT_EQ(m.al2v, m.al2);
  EXPECT_EQ(box(V::R2), formatBox(m.R2));
  EXPECT_EQ(box(V::R2).substr(0, 8), "2118180.");
  EXPECT_EQ(box(V::fiN2), "0");
  EXPECT_EQ(box(V::fiK2_rod).substr(0, 6), "4.9488");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Rods, RaceCycloid) {
  points(0, 100, 100, 0);
  only(P::cycloid);
  ASSERT_TRUE(build());
  EXPECT_EQ(r.cycloidCorrections, 12157);
  EXPECT_NEAR(m.fiK2, 2.412334523605174, 1e-12);
  EXPECT_NEAR(m.R2, 57.28463078312028, 1e-11);
}

TEST_F(Rods, CycloidNearTheOriginSearchesInAbsoluteTolerance) {
  // |Xk| < 1: the end abscissa must come within 0.0002 m. At fi = Pi the
  // trial abscissa is Pi/4 = 0.7853981635 already.
  points(0, 0, 0.7854, -0.5);
  only(P::cycloid);
  ASSERT_TRUE(build());
  EXPECT_EQ(r.cycloidCorrections, 0);
  EXPECT_EQ(m.R2, 0.25);
  EXPECT_EQ(m.fiK2, kPi);
  // Here the steps are too small to get there in time.
  points(0, 0, 0.8, -0.5);
  EXPECT_FALSE(build());
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::CycloidYn)});
}

TEST_F(Rods, CycloidStopsTheStartWhenTheEndIsHigher) {
  points(0, 0, 10, 1);
  only(P::cycloid);
  only(P::parabola);
  m.K3 = 123;
  EXPECT_FALSE(build());
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::CycloidYn)});
  EXPECT_EQ(r.cycloidCorrections, 0);
  EXPECT_EQ(m.K3, 123);  // nothing after the stop is computed
}

TEST_F(Rods, CycloidOnALevelGivesUpAfter20000Corrections) {
  points(0, 5, 10, 5);
  only(P::cycloid);
  EXPECT_FALSE(build());
  EXPECT_EQ(r.cycloidCorrections, 20001);
  EXPECT_EQ(m.R2, 0);
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::CycloidYn)});
}

TEST_F(Rods, ModifiedCycloidFindsItsStartAngle) {
  points(0, 100, 100, 0);
  only(P::cycloid);
  p.setOn(P::modified_cycloid, true);
  m.fiK2 = 2.0;
  ASSERT_TRUE(build());
  EXPECT_EQ(r.cycloidCorrections, 205);
  EXPECT_NEAR(m.fiN2, 1.0403345267479538, 1e-12);
  EXPECT_NEAR(m.R2, 109.5360353026279, 1e-10);
  EXPECT_NEAR(m.X20, -19.47123555988921, 1e-10);
  EXPECT_NEAR(m.Y20, 155.1191098817326, 1e-10);
  EXPECT_NEAR(m.al2, -1.0481254472035724, 1e-12);
  // Its start point has Xn's abscissa; its ordinate comes from the final R2,
  // which is fitted to the width, so it misses Yn by about a metre.
  EXPECT_NEAR(m.X2n, 0, 1e-12);
  EXPECT_NEAR(m.Y2n, 101.00083059581381, 1e-10);
  EXPECT_EQ(m.fiK2, 2.0);
  EXPECT_EQ(box(V::fiN2), formatBox(m.fiN2));
  EXPECT_EQ(box(V::fiK2_rod), "2");
  EXPECT_TRUE(messages.empty());
}

TEST_F(Rods, ModifiedCycloidBentUpwardsWarnsAndGoesOn) {
  points(0, 100, 100, 0);
  only(P::cycloid);
  only(P::parabola);
  p.setOn(P::modified_cycloid, true);
  m.fiK2 = 6.0;
  ASSERT_TRUE(build());
  EXPECT_EQ(r.cycloidCorrections, 188);
  EXPECT_NEAR(m.R2, -60.631181024755065, 1e-9);
  EXPECT_NEAR(m.al2, -0.39123584391217436, 1e-12);
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::CycloidBent)});
  EXPECT_EQ(m.K3, 0.01);  // the parabola was built after the warning
}

TEST_F(Rods, ModifiedCycloidNotFoundWarnsAndKeepsWhatItHad) {
  points(0, 100, 100, 0);
  only(P::cycloid);
  only(P::parabola);
  p.setOn(P::modified_cycloid, true);
  m.fiK2 = 3.0;
  m.X20 = 11;
  m.Y20 = 22;
  m.al2 = 0.5;
  std::string r2Box = box(V::R2);
  ASSERT_TRUE(build());
  EXPECT_EQ(r.cycloidCorrections, 20001);
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::CycloidNotFound)});
  EXPECT_EQ(m.X20, 11);
  EXPECT_EQ(m.Y20, 22);
  EXPECT_EQ(m.al2, 0.5);
  EXPECT_EQ(box(V::R2), r2Box);
  EXPECT_EQ(box(V::fiK2_rod), "");  // no end angle shown
  EXPECT_EQ(m.K3, 0.01);
}

TEST_F(Rods, StandardParabolaHasItsVertexAtTheStart) {
  points(0, 100, 100, 0);
  only(P::parabola);
  m.X30 = 7;
  ASSERT_TRUE(build());
  // x = X30 + K3·(Y30 − y)², K3 = (Xk − Xn)/(Yk − Yn)² = 100/100².
  EXPECT_EQ(m.X30, 0);
  EXPECT_EQ(m.Y30, 100);
  EXPECT_DOUBLE_EQ(m.K3, 0.01);
  EXPECT_EQ(box(V::K3), "0.01");
  // The chord to y = Yn − 0.01: dx = 0.01·0.01², dy = −0.01.
  EXPECT_NEAR(m.al3, std::atan(-0.01 / (0.01 * 1e-4)), 1e-12);
  EXPECT_EQ(m.al3v, m.al3);
}

TEST_F(Rods, StandardParabolaFarFromTheOriginStartsVertical) {
  // K3 = 1e-6: the offset 1e-10 m vanishes in 1e12 and the chord is vertical.
  points(1e12, 0, 1e12 + 1, -1000);
  only(P::parabola);
  ASSERT_TRUE(build());
  EXPECT_EQ(m.al3, -kPi / 2);
}

TEST_F(Rods, StandardParabolaOnALevelIsBadData) {
  points(0, 5, 10, 5);
  only(P::parabola);
  EXPECT_THROW(build(), Failure);
}

TEST_F(Rods, ParabolaStopsTheStartWhenTheEndIsHigher) {
  points(0, 0, 10, 1);
  only(P::parabola);
  only(P::arc);
  EXPECT_FALSE(build());
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::ParabolaYk)});
  EXPECT_EQ(m.R4, 0);
}

TEST_F(Rods, ModifiedParabolaNeedsItsAxisRightOfTheMiddle) {
  points(0, 100, 100, 0);
  only(P::parabola);
  p.setOn(P::modified_parabola, true);
  m.X30 = 50;
  EXPECT_FALSE(build());
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::ParabolaX30)});
  messages.clear();
  m.X30 = 50.000001;
  EXPECT_TRUE(build());
  EXPECT_TRUE(messages.empty());
}

TEST_F(Rods, ModifiedParabola) {
  points(0, 100, 100, 0);
  only(P::parabola);
  p.setOn(P::modified_parabola, true);
  m.X30 = 60;
  ASSERT_TRUE(build());
  // K3 = 100/(60² − 40²) = 0.05, Y30 = 100 − 60²·0.05 = −80.
  EXPECT_DOUBLE_EQ(m.K3, 0.05);
  EXPECT_DOUBLE_EQ(m.Y30, -80);
  EXPECT_EQ(box(V::K3), "0.05");
  // Chord to x = 0.01: y = −80 + 0.05·59.99² = 99.940005.
  EXPECT_NEAR(m.al3, std::atan((99.940005 - 100) / 0.01), 1e-9);
  EXPECT_NEAR(m.Yk + 0, m.Y30 + m.K3 * std::pow(m.Xk - m.X30, 2), 1e-12);  // through the end
}

TEST_F(Rods, StandardArcKeepsTheCycloidDirection) {
  points(0, 100, 100, 0);
  only(P::arc);
  m.al2 = 0.123;
  ASSERT_TRUE(build());
  // Centre on y = Yn equally far from both points: (100, 100), radius 100.
  EXPECT_EQ(m.X40, 100);
  EXPECT_EQ(m.Y40, 100);
  EXPECT_EQ(m.R4, 100);
  EXPECT_EQ(m.al4, kPi);
  EXPECT_EQ(m.fiN4, kPi);
  EXPECT_EQ(m.fiK4, 3 * kPi / 2);  // the end straight below the centre
  EXPECT_EQ(m.al4v, kPi - 3 * kPi / 2);
  EXPECT_EQ(box(V::R4), "100");
  EXPECT_EQ(m.al2, 0.123);
}

TEST_F(Rods, StandardArcEndBeyondTheCentre) {
  points(0, 0, 10, -5);
  only(P::arc);
  ASSERT_TRUE(build());
  // X40 = (5² + 10²)/2/10 = 6.25; the end lies right of and below it.
  EXPECT_EQ(m.X40, 6.25);
  EXPECT_EQ(m.R4, 6.25);
  EXPECT_NEAR(m.fiK4, 2 * kPi - std::atan(5 / 3.75), 1e-15);
  // And one left of the centre: X40 = (10² + 4²)/2/4 = 14.5.
  points(0, 0, 4, -10);
  ASSERT_TRUE(build());
  EXPECT_EQ(m.X40, 14.5);
  EXPECT_NEAR(m.fiK4, kPi + std::atan(10 / 10.5), 1e-15);
}

TEST_F(Rods, ModifiedArcStops) {
  only(P::arc);
  p.setOn(P::modified_arc, true);
  points(0, 5, 100, 5);
  m.X40 = 20;
  EXPECT_FALSE(build());
  EXPECT_EQ(messages, std::vector<std::string>{textOf(Msg::ArcYk)});
  messages.clear();
  points(0, 100, 100, 0);
  for (double off : {0.0, 0.000089, -0.00008}) {
    m.X40 = 50 + off;
    EXPECT_FALSE(build()) << off;
  }
  EXPECT_EQ(messages, std::vector<std::string>(3, textOf(Msg::ArcX40)));
  EXPECT_EQ(messages[0][0], ' ');
  messages.clear();
  m.X40 = 50.0001;
  EXPECT_TRUE(build());
  EXPECT_TRUE(messages.empty());
}

TEST_F(Rods, ModifiedArcCentreOnTheUsersVertical) {
  points(0, 100, 100, 0);
  only(P::arc);
  p.setOn(P::modified_arc, true);
  m.X40 = 100;
  ASSERT_TRUE(build());
  EXPECT_EQ(m.Y40, 100);
  EXPECT_EQ(m.R4, 100);
  EXPECT_EQ(m.al4, kPi);
  EXPECT_EQ(m.al4k, 3 * kPi / 2);
  EXPECT_EQ(m.fiN4, kPi);
  EXPECT_EQ(m.fiK4, 3 * kPi / 2);
  EXPECT_EQ(box(V::Y40), "100");
  EXPECT_EQ(box(V::R4), "100");

  // Centre (−50, −50) below-left of both: polar angles atan 3 and atan 1/3,
  // swapped for drawing.
  m.X40 = -50;
  ASSERT_TRUE(build());
  EXPECT_DOUBLE_EQ(m.Y40, -50);
  EXPECT_DOUBLE_EQ(m.R4, std::sqrt(50.0 * 50 + 150 * 150));
  EXPECT_DOUBLE_EQ(m.al4, std::atan(3.0));
  EXPECT_DOUBLE_EQ(m.al4k, std::atan(1 / 3.0));
  EXPECT_EQ(m.fiN4, m.al4k);
  EXPECT_EQ(m.fiK4, m.al4);
  EXPECT_DOUBLE_EQ(m.al4v, std::atan(3.0) - kPi / 2);
}

TEST_F(Rods, ModifiedArcDrawnAcrossZero) {
  // Centre (0, 0), radius 100: the start at −60°, the end at 30°. The start's
  // angle 2·Pi − 60° is the larger one; swapped, it is brought below zero.
  points(50, -100 * std::sin(M_PI / 3), 100 * std::cos(M_PI / 6), 50);
  only(P::arc);
  p.setOn(P::modified_arc, true);
  m.X40 = 0;
  ASSERT_TRUE(build());
  EXPECT_NEAR(m.Y40, 0, 1e-12);
  EXPECT_NEAR(m.R4, 100, 1e-12);
  EXPECT_NEAR(m.al4, 2 * kPi - M_PI / 3, 1e-12);
  EXPECT_NEAR(m.fiN4, M_PI / 6, 1e-12);
  EXPECT_NEAR(m.fiK4, -M_PI / 3, 1e-9);
  EXPECT_NEAR(m.al4v, 2 * kPi - M_PI / 3 - 3 * kPi / 2, 1e-12);
}

TEST_F(Rods, AllFourInOrder) {
  points(0, 100, 100, 0);
  for (P rod : {P::line, P::cycloid, P::parabola, P::arc}) only(rod);
  ASSERT_TRUE(build());
  EXPECT_DOUBLE_EQ(m.al1, -M_PI / 4);
  EXPECT_NEAR(m.R2, 57.28463078312028, 1e-11);
  EXPECT_DOUBLE_EQ(m.K3, 0.01);
  EXPECT_EQ(m.R4, 100);
  EXPECT_NEAR(m.al2, -1.5674629946961254, 1e-12);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Rods, NothingCheckedBuildsNothing) {
  points(0, 0, 10, 1);  // would stop the cycloid and the parabola
  ASSERT_TRUE(build());
  EXPECT_TRUE(messages.empty());
}

// ---- Initial state on the rods ----

namespace {

struct BeadsAtStart : Rods {
  void place() { InitConstrainedBodies(m, ReadChoices(p)); }
  BeadsAtStart() {
    points(0, 100, 100, 0);
    for (P rod : {P::line, P::cycloid, P::parabola, P::arc}) only(rod);
    EXPECT_TRUE(build());
    m.C1 = 1000;
    m.m1 = 1;
    m.FXfield = 0.5;
    m.FYfield = -9.8;

    m.Fx[5] = 0.25;
    m.Fy[5] = -0.2;
    m.VXn = 3;
    m.VYn = 4;
    m.V0 = 999;  // left by an earlier start
  }
};

}  // namespace

TEST_F(BeadsAtStart, LineCycloidParabolaPressedAcrossTheirRods) {
  place();
  const double FX = 0.75, FY = -10;
  struct Row {
    int i;
    double a, x0, y0;
  } rows[] = {{1, m.al1, 0, 100}, {2, m.al2, m.X2n, m.Y2n}, {3, m.al3, 0, 100}};
  for (auto r : rows) {
    SCOPED_TRACE(r.i);
    EXPECT_EQ(m.FX[r.i], FX);
    EXPECT_EQ(m.FY[r.i], FY);
    // The force across the rod over the stiffness.
    double dL = (std::cos(r.a) * FY - std::sin(r.a) * FX) / 1000;
    EXPECT_NEAR(m.dL[r.i], dL, 1e-15);
    EXPECT_EQ(m.dLa[r.i], r.i == 2 ? -m.dL[r.i] : std::fabs(m.dL[r.i]));
    // Displaced along the rod's normal by dL: the offset is dL long and
    // square to the rod.
    double ox = m.S[r.i] - r.x0, oy = m.S[r.i + 5] - r.y0;
    EXPECT_NEAR(std::hypot(ox, oy), std::fabs(dL), 1e-13);
    EXPECT_NEAR(ox * std::cos(r.a) + oy * std::sin(r.a), 0, 1e-13);
    EXPECT_EQ(m.S[r.i + 10], 3);
    EXPECT_EQ(m.S[r.i + 15], 4);
    EXPECT_EQ(m.X[r.i], m.S[r.i]);
    EXPECT_EQ(m.Y[r.i], m.S[r.i + 5]);
    EXPECT_NEAR(m.EC1[r.i], 1000 * dL * dL / 2, 1e-15);
  }
  // The line at −45°: dL = (−10·cos 45° + 0.75·sin 45°)/1000, pushed below it.
  EXPECT_NEAR(m.dL[1], -9.25 * std::sqrt(0.5) / 1000, 1e-15);
  EXPECT_LT(m.S[1 + 5] + m.S[1], 100);
}

// The arc's centripetal force comes from this start's speed, 5 m/s, not from
// the speed an earlier start left.
TEST_F(BeadsAtStart, ArcPressedAlongItsRadius) {
  place();
  double Fc = 5 * (1 * 5) / 100.0;
  double dL = (std::cos(kPi) * 0.75 + std::sin(kPi) * -10 + Fc) / 1000;
  EXPECT_NEAR(m.dL[4], dL, 1e-17);
  EXPECT_EQ(m.dLa[4], m.dL[4]);
  EXPECT_NEAR(m.S[4], std::cos(kPi) * dL, 1e-17);
  EXPECT_NEAR(m.S[4 + 5], 100 + std::sin(kPi) * dL, 1e-13);
  EXPECT_EQ(m.S[4 + 10], 3);
  EXPECT_EQ(m.S[4 + 15], 4);
  EXPECT_NEAR(m.EC1[4], 1000 * dL * dL / 2, 1e-18);
  EXPECT_EQ(m.V0, 999);  // the start sets it itself, later
}

TEST_F(BeadsAtStart, UncheckedBodiesAreLeftAlone) {
  p.setOn(P::cycloid, false);
  p.setOn(P::arc, false);
  m.S[2] = m.S[4] = -7;
  place();
  EXPECT_EQ(m.S[2], -7);
  EXPECT_EQ(m.S[4], -7);
  EXPECT_EQ(m.dL[2], 0);
  EXPECT_EQ(m.EC1[4], 0);
  EXPECT_NE(m.dL[1], 0);
}

TEST_F(BeadsAtStart, NoStiffnessIsBadData) {
  m.C1 = 0;
  EXPECT_THROW(place(), Failure);
}
