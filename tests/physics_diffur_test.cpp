// The equations of motion: every field law, the flat field and its landing,
// mass 3, viscous and external forces, the derivatives and the failure.
#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "model/messages.h"
#include "physics/physics.h"
#include "support.h"

using namespace lumet;
using namespace lumet::test;

namespace {

class Equations : public FreeFlightTest {
 protected:
  // Puts the free body at (x, y) with speed (vx, vy).
  void place(double x, double y, double vx = 0, double vy = 0) {
    m().S[5] = x, m().S[10] = y, m().S[15] = vx, m().S[20] = vy;
  }
};

// The pull towards (0, -Rz) of strength f at (x, y): a unit vector times f.
void expectPull(const Model& m, double f, double x, double y, double rel) {
  double xr = x, yr = y + m.Rz, lr = std::hypot(xr, yr);
  EXPECT_NEAR(m.FX[5], -f * xr / lr, rel * std::fabs(f));
  EXPECT_NEAR(m.FY[5], -f * yr / lr, rel * std::fabs(f));
}

}  // namespace

TEST_F(Equations, DefaultInverseSquareAtTheSurfaceEqualsTheZeroLevelForces) {
  Diffur1(t.m, ch());
  const Model& mm = m();
  EXPECT_DOUBLE_EQ(mm.LR[5], mm.Rz);
  EXPECT_DOUBLE_EQ(mm.Fm[5], mm.Fm0);
  EXPECT_DOUBLE_EQ(mm.Fq[5], mm.Fq0);
  // Fm0 = 66.7e-12 * 5.976e24 / 6378000^2; Fq0 = 9e9 * 25e-8 / 6378000^2.
  EXPECT_NEAR(mm.Fm0, 9.798675893, 1e-9);
  EXPECT_NEAR(mm.Fq0, 2250 / (6378000.0 * 6378000.0), 1e-22);
  // Directed to the centre, which is to the right of the body.
  EXPECT_DOUBLE_EQ(mm.FX[5], mm.Fm0 + mm.Fq0);
  EXPECT_EQ(mm.FY[5], 0);
  // Derivatives: velocities, then forces over m1 = 1 kg.
  EXPECT_EQ(mm.dS[5], -1460);
  EXPECT_EQ(mm.dS[10], 8000);
  EXPECT_DOUBLE_EQ(mm.dS[15], mm.FX[5]);
  EXPECT_EQ(mm.dS[20], 0);
  // The bodies that take no part keep their velocity (zero) and get no force.
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(mm.FX[i], 0);
    EXPECT_EQ(mm.dS[i + 10], 0);
    EXPECT_EQ(mm.dS[i], 0);
  }
  EXPECT_TRUE(t.dialogs.messages.empty());
}

namespace {

struct Law {
  const char* name;
  std::string_view strength, power, sign;
  bool autoDn;
  // Strength of the gravitational part at distance r, given the zero-level
  // force f0 and the surface radius rz.
  double (*fm)(double f0, double rz, double r, double dn);
};

const Law kLaws[] = {
    {"const", "const", "2", "--", false, [](double f0, double, double, double) { return f0; }},
    {"var 1 --", "var", "1", "--", false,
     [](double f0, double rz, double r, double) { return f0 * rz / r; }},
    {"var 1 +", "var", "1", "+", false,
     [](double f0, double rz, double r, double) { return f0 / rz * r; }},
    {"var 2 --", "var", "2", "--", false,
     [](double f0, double rz, double r, double) { return f0 * rz * rz / (r * r); }},
    {"var 2 +", "var", "2", "+", false,
     [](double f0, double rz, double r, double) { return f0 / (rz * rz) * r * r; }},
    {"AutoDn", "var", "2", "--", true,
     [](double f0, double rz, double r, double dn) { return f0 * rz * rz * std::pow(r, dn); }},
    {"AutoDn with power 1 has no effect", "var", "1", "--", true,
     [](double f0, double rz, double r, double) { return f0 * rz / r; }},
    {"AutoDn with + has no effect", "var", "2", "+", true,
     [](double f0, double rz, double r, double) { return f0 / (rz * rz) * r * r; }},
};

class EachFieldLaw : public Equations, public ::testing::WithParamInterface<Law> {};

}  // namespace

TEST_P(EachFieldLaw, StrengthAndDirectionInTheSphericalField) {
  const Law& law = GetParam();
  t.choose(P::field, "sphere");
  t.choose(P::strength, law.strength);
  t.choose(P::power, law.power);
  t.choose(P::sign, law.sign);
  t.check(P::autoDn, law.autoDn);
  Model& mm = m();
  // Coefficients as the start sets them for the law.
  if (law.strength == "var" && law.power == "1" && law.sign == "--")
    mm.Kq = mm.Fq0 * mm.Rz, mm.Km = mm.Fm0 * mm.Rz;
  if (law.strength == "var" && law.power == "1" && law.sign == "+")
    mm.Kq = mm.Fq0 / mm.Rz, mm.Km = mm.Fm0 / mm.Rz;
  if (law.strength == "var" && law.power == "2" && law.sign == "+")
    mm.Kq = mm.Fq0 / (mm.Rz * mm.Rz), mm.Km = mm.Fm0 / (mm.Rz * mm.Rz);
  mm.Dn = -1.5;

  const double x = 3e6, y = 4e6;  // 3-4-5 offsets... from (0, -Rz)
  place(x, y);
  Diffur1(t.m, ch());
  const double r = std::hypot(x, y + mm.Rz);
  EXPECT_DOUBLE_EQ(mm.LR[5], r);
  double wantFm = law.fm(mm.Fm0, mm.Rz, r, mm.Dn);
  double wantFq = law.fm(mm.Fq0, mm.Rz, r, mm.Dn);
  EXPECT_NEAR(mm.Fm[5], wantFm, 1e-12 * std::fabs(wantFm)) << law.name;
  EXPECT_NEAR(mm.Fq[5], wantFq, 1e-12 * std::fabs(wantFq)) << law.name;
  expectPull(mm, wantFm + wantFq, x, y, 1e-12);
  // At the surface level every law but AutoDn gives the zero-level forces.
  if (!(law.autoDn && law.power == "2" && law.sign == "--")) {
    place(0, 0);
    Diffur1(t.m, ch());
    EXPECT_NEAR(mm.Fm[5], mm.Fm0, 1e-14 * mm.Fm0) << law.name;
    EXPECT_NEAR(mm.Fq[5], mm.Fq0, 1e-14 * mm.Fq0) << law.name;
  }
  EXPECT_TRUE(t.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(AllLaws, EachFieldLaw, ::testing::ValuesIn(kLaws));

TEST_F(Equations, FourQuadrantsPointToTheCentre) {
  const double f = m().Fm0 + m().Fq0;
  t.choose(P::strength, "const");  // constant strength isolates the direction
  for (auto [x, y] : {std::pair{1e6, -5e6}, {-1e6, -5e6}, {1e6, -8e6}, {-1e6, -8e6}}) {
    place(x, y);
    Diffur1(t.m, ch());
    expectPull(m(), f, x, y, 1e-9);
  }
}

TEST_F(Equations, OnTheVerticalThePullIsVerticalWithTheTenDigitPi) {
  t.choose(P::strength, "const");
  place(0, 1e6);
  Diffur1(t.m, ch());
  const double f = m().Fm0 + m().Fq0;
  EXPECT_DOUBLE_EQ(attractionAngle(m(), 0, 1e6 + m().Rz), 3.141592654 / 2);
  EXPECT_DOUBLE_EQ(m().FY[5], -f);
  // cos of the ten-digit Pi/2 is about -2.05e-10: a push towards +X.
  EXPECT_NEAR(m().FX[5], 2.05e-10 * f, 0.01e-10 * f);
  EXPECT_GT(m().FX[5], 0);
}

TEST_F(Equations, FlatConstantFieldIsVerticalAtEveryHeight) {
  t.choose(P::field, "flat");
  t.choose(P::strength, "const");
  t.choose(P::power, "2");
  t.choose(P::sign, "--");
  const double f = m().Fm0 + m().Fq0;
  for (double y : {-5e6, 0.0, 3e7}) {
    place(-2e6, y);
    Diffur1(t.m, ch());
    EXPECT_DOUBLE_EQ(m().LR[5], y + m().Rz);  // height above the plane
    EXPECT_DOUBLE_EQ(m().FY[5], -f);
    EXPECT_NEAR(m().FX[5], 2.05e-10 * f, 0.01e-10 * f);
  }
}

TEST_F(Equations, FlatVariableFieldUsesTheHeight) {
  t.choose(P::field, "flat");
  t.choose(P::strength, "var");
  t.choose(P::power, "2");
  t.choose(P::sign, "--");
  place(5e6, 0);  // at height Rz above the plane: the zero level
  Diffur1(t.m, ch());
  EXPECT_DOUBLE_EQ(m().Fm[5], m().Fm0);
  place(5e6, m().Rz);  // twice as high: a quarter
  Diffur1(t.m, ch());
  EXPECT_DOUBLE_EQ(m().Fm[5], m().Fm0 / 4);
}

TEST_F(Equations, LandingOnTheFlatPlaneStopsTheBodyForGood) {
  t.choose(P::field, "flat");
  t.choose(P::strength, "const");
  t.choose(P::power, "2");
  t.choose(P::sign, "--");
  const double rz = m().Rz;
  // Bodies 1 (not taking part) and 5 just below the landing level.
  m().S[1] = 123, m().S[6] = -0.99 * rz, m().S[11] = 4, m().S[16] = -5;
  place(777, -0.995 * rz, 10, -20);
  m().S[7] = -0.98 * rz;  // body 2 stays above the level
  Diffur1(t.m, ch());
  for (int i : {1, 5}) {
    EXPECT_EQ(m().S[i + 5], -rz);
    EXPECT_EQ(m().S[i + 10], 0);
    EXPECT_EQ(m().S[i + 15], 0);
    EXPECT_EQ(m().Active[i], 0);
    EXPECT_EQ(m().dS[i], 0);
    EXPECT_EQ(m().dS[i + 5], 0);
    EXPECT_EQ(m().dS[i + 10], 0);
    EXPECT_EQ(m().dS[i + 15], 0);
    EXPECT_EQ(m().FX[i], 0);
  }
  EXPECT_EQ(m().S[5], 777);          // X unchanged
  EXPECT_EQ(m().Y[5], -0.995 * rz);  // the working copy stays as it was
  EXPECT_EQ(m().VX[5], 10);
  // Bodies above the landing level are untouched.
  EXPECT_EQ(m().Active[2], 1);
  // A force that would lift it does not matter any more.
  m().Fy[5] = 1e9;
  Diffur1(t.m, ch());
  EXPECT_EQ(m().dS[20], 0);
  EXPECT_EQ(m().Active[5], 0);
}

TEST_F(Equations, SphericalFieldHasNoLanding) {
  place(0, -0.999 * m().Rz);
  Diffur1(t.m, ch());
  EXPECT_EQ(m().Active[5], 1);
  EXPECT_NEAR(m().LR[5], 0.001 * m().Rz, 1e-6);
}

TEST_F(Equations, ViscousAndExternalForcesAdd) {
  t.choose(P::strength, "const");
  place(0, 0, 100, -50);
  m().Kj = 0.3;
  m().Fx[5] = 7;
  m().Fy[5] = -2;
  m().m1 = 2;
  Diffur1(t.m, ch());
  const double f = m().Fm0 + m().Fq0;  // Fm0 is kept from the start
  const double fx = -f * std::cos(m().Pi / 2) - 0.3 * 100 + 7;
  const double fy = -f - 0.3 * -50 - 2;
  EXPECT_DOUBLE_EQ(m().FX[5], fx);
  EXPECT_DOUBLE_EQ(m().FY[5], fy);
  EXPECT_DOUBLE_EQ(m().dS[15], fx / 2);
  EXPECT_DOUBLE_EQ(m().dS[20], fy / 2);
}

TEST_F(Equations, MassThreeAddsItsInverseSquarePullAndReplacesTheShownValues) {
  t.check(P::third_body, true);
  Model& mm = m();
  const double x = 1e6, y = 2e6;
  place(x, y);
  Diffur1(t.m, ch());
  // Mass 2 alone at (x, y).
  double r2 = std::hypot(x, y + mm.Rz);
  double f2 = (mm.m1 * mm.m2 * mm.gamma - mm.Ke * mm.q1 * mm.q2) / (r2 * r2);
  // Mass 3 on the abscissa at KRz3 * Rz.
  double x3 = x - 2 * mm.Rz, r3 = std::hypot(x3, y);
  double f3 = (mm.m1 * mm.m2 * mm.gamma - mm.Ke * mm.q1 * mm.q2) / (r3 * r3);
  EXPECT_DOUBLE_EQ(mm.LR[5], r3);
  EXPECT_DOUBLE_EQ(mm.Fm[5], mm.m1 * mm.m2 * mm.gamma / r3 / r3);
  EXPECT_DOUBLE_EQ(mm.Fq[5], -mm.Ke * mm.q1 * mm.q2 / r3 / r3);
  EXPECT_NEAR(mm.FX[5], -f2 * x / r2 - f3 * x3 / r3, 1e-12 * f2);
  EXPECT_NEAR(mm.FY[5], -f2 * (y + mm.Rz) / r2 - f3 * y / r3, 1e-12 * f2);
}

TEST_F(Equations, MassThreeIsNotZeroedInTheFlatField) {
  t.choose(P::field, "flat");
  t.choose(P::strength, "const");
  t.choose(P::power, "2");
  t.choose(P::sign, "--");
  t.check(P::third_body, true);
  place(0, 0);
  Diffur1(t.m, ch());
  EXPECT_DOUBLE_EQ(m().LR[5], 2 * m().Rz);
}

TEST_F(Equations, SwitchingToPowerOneMidRunLeavesNoField) {
  t.choose(P::power, "1");  // Kq = Km = 0 from a power-2 start
  place(1e6, 1e6);
  Diffur1(t.m, ch());
  EXPECT_EQ(m().Fm[5], 0);
  EXPECT_EQ(m().Fq[5], 0);
  EXPECT_EQ(m().dS[15], 0);
}

TEST_F(Equations, CentreOfMassTwoFailsAndKeepsThePreviousDerivatives) {
  Diffur1(t.m, ch());
  const Vec20 previous = m().dS;
  place(0, -m().Rz, 5, 5);
  EXPECT_THROW(Diffur1(t.m, ch()), Failure);
  EXPECT_EQ(m().dS, previous);
  EXPECT_EQ(m().LR[5], 0);  // written before the failure
}

// A failure of the equations ends the step: one message, and the timer
// stops.
TEST(EquationFailures, EndTheStepWithOneMessageAndStopTheTimer) {
  struct Case {
    const char* name;
    void (*set)(TestLab&);
  } cases[] = {
      {"centre of mass 2", [](TestLab& t) { t.m.S[5] = 0, t.m.S[10] = -t.m.Rz; }},
      {"overflowing power law",
       [](TestLab& t) {
         t.check(P::autoDn, true);
         t.m.Dn = 400;
         t.m.S[5] = 1e6, t.m.S[10] = 1e6;
       }},
      {"zero mass", [](TestLab& t) { t.m.m1 = 0; }},
  };
  for (const Case& c : cases) {
    TestLab t;
    startFreeFlight(t);
    c.set(t);
    t.act(Action::Step);
    EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{textOf(Msg::SolveError)}) << c.name;
    EXPECT_FALSE(t.running()) << c.name;
  }
}
