// The bookkeeping of one trajectory after a step: potential energies of
// every field law, the trapezoidal sum against its closed form, mass 3,
// friction energies, path, integrals, relativistic time, freeze and table.
#include <gtest/gtest.h>

#include <cmath>

#include "model/messages.h"
#include "physics/physics.h"
#include "support.h"

using namespace lumet;
using namespace lumet::test;

namespace {

class Bookkeeping : public FreeFlightTest {
 protected:
  // Body i moved to (x, y) with speed (vx, vy); the last evaluation left lr.
  void moved(int i, double x, double y, double vx, double vy, double lr) {
    m().X[i] = x, m().Y[i] = y, m().VX[i] = vx, m().VY[i] = vy, m().LR[i] = lr;
  }
};

}  // namespace

TEST_F(Bookkeeping, PotentialEnergyOfEveryClosedFormLaw) {
  Model& mm = m();
  const double rz = mm.Rz, r = 1.5 * rz;
  mm.Kq = 3e-7, mm.Km = 2e-6;
  struct Case {
    const char *strength, *power, *sign;
    double eq, em;
  } cases[] = {
      {"const", "2", "--", (r - rz) * mm.Fq0, (r - rz) * mm.Fm0},
      {"var", "1", "+", (r * r - rz * rz) * 3e-7 / 2, (r * r - rz * rz) * 2e-6 / 2},
      {"var", "2", "+", (r * r * r - rz * rz * rz) * 3e-7 / 3,
       (r * r * r - rz * rz * rz) * 2e-6 / 3},
      {"var", "2", "--", -mm.Ke * mm.q1 * mm.q2 * (1 / rz - 1 / r),
       mm.gamma * mm.m1 * mm.m2 * (1 / rz - 1 / r)},
  };
  for (const auto& c : cases) {
    t.choose(P::strength, c.strength);
    t.choose(P::power, c.power);
    t.choose(P::sign, c.sign);
    moved(5, 0, 0.5 * rz, 0, 0, r);
    UpdateTrajectory(t.m, ch(), 5);
    EXPECT_NEAR(mm.Eq[5], c.eq, 1e-12 * std::fabs(c.eq))
        << c.strength << " " << c.power << " " << c.sign;
    EXPECT_NEAR(mm.Em[5], c.em, 1e-12 * std::fabs(c.em))
        << c.strength << " " << c.power << " " << c.sign;
    // The closed forms leave the trapezoid's memory alone.
    EXPECT_EQ(mm.LRa[5], rz);
  }
  // The AutoDn switch does not change the energies.
  t.check(P::autoDn, true);
  UpdateTrajectory(t.m, ch(), 5);
  EXPECT_NEAR(mm.Em[5], cases[3].em, 1e-12 * cases[3].em);
}

TEST_F(Bookkeeping, ZeroAtInfinityMovesTheZeroLevels) {
  Model& mm = m();
  mm.R0 = std::pow(9.0, 33);
  mm.R0v = 0;
  const double r = 2 * mm.Rz;
  moved(5, 0, mm.Rz, 0, 0, r);
  UpdateTrajectory(t.m, ch(), 5);  // inverse square
  EXPECT_NEAR(mm.Em[5], mm.gamma * mm.m1 * mm.m2 * (1 / mm.R0 - 1 / r), 1e-9);
  t.choose(P::strength, "var");
  t.choose(P::power, "2");
  t.choose(P::sign, "+");
  mm.Km = 1e-6;
  UpdateTrajectory(t.m, ch(), 5);
  EXPECT_DOUBLE_EQ(mm.Em[5], r * r * r * 1e-6 / 3);
}

TEST_F(Bookkeeping, TrapezoidalSumFollowsTheLogarithmOfTheOneOverRLaw) {
  // F = K/r towards the centre: U(r) = K*ln(r/Rz). Walk out to 2*Rz in 1000
  // even steps, feeding the forces the equations of motion would give.
  t.choose(P::strength, "var");
  t.choose(P::power, "1");
  t.choose(P::sign, "--");
  Model& mm = m();
  const double rz = mm.Rz;
  mm.Kq = mm.Fq0 * rz, mm.Km = mm.Fm0 * rz;
  mm.Fqa[5] = mm.Fq0, mm.Fma[5] = mm.Fm0, mm.LRa[5] = rz;
  for (int k = 1; k <= 1000; ++k) {
    double r = rz * (1 + k / 1000.0);
    moved(5, 0, r - rz, 0, 0, r);
    mm.Fq[5] = mm.Kq / r;
    mm.Fm[5] = mm.Km / r;
    UpdateTrajectory(t.m, ch(), 5);
    EXPECT_EQ(mm.LRa[5], r);
    EXPECT_EQ(mm.Fma[5], mm.Fm[5]);
  }
  const double exact = mm.Km * std::log(2.0);
  // The trapezoid over 1000 panels errs by about (dr^2/12)*|F'| summed.
  EXPECT_NEAR(mm.Em[5], exact, 1e-6 * exact);
  EXPECT_NEAR(mm.Eq[5], mm.Kq * std::log(2.0), 1e-6 * std::fabs(mm.Kq));
  // With LR unchanged the energies stay as they are.
  const double em = mm.Em[5];
  UpdateTrajectory(t.m, ch(), 5);
  EXPECT_EQ(mm.Em[5], em);
}

TEST_F(Bookkeeping, ThirdBodyReplacesTheEnergiesWhateverTheField) {
  t.check(P::third_body, true);
  t.choose(P::strength, "const");
  t.choose(P::power, "2");
  t.choose(P::sign, "--");  // constant field chosen
  Model& mm = m();
  mm.m3 = mm.m2, mm.q3 = mm.q2;
  mm.R13 = mm.R03 = 1.2 * mm.Rz;
  const double x = 2e6, y = 3e6;
  moved(5, x, y, 0, 0, 123);
  UpdateTrajectory(t.m, ch(), 5);
  const double d2 = std::hypot(x, y + mm.Rz), d3 = std::hypot(x - 2 * mm.Rz, y);
  const double u2 = 1 / mm.R13 - 1 / d2, u3 = 1 / mm.R03 - 1 / d3;
  EXPECT_NEAR(mm.Em[5], mm.gamma * mm.m1 * mm.m2 * (u2 + u3), 1e-3);
  EXPECT_NEAR(mm.Eq[5], -mm.Ke * mm.q1 * mm.q2 * (u2 + u3), 1e-15);
  EXPECT_DOUBLE_EQ(mm.LR[5], d3);
}

TEST_F(Bookkeeping, FrictionEnergiesPathAndControlSum) {
  Model& mm = m();
  mm.Kj = 0.5, mm.Kj1 = 0.1, mm.h = 2, mm.m1 = 1;
  mm.dL[5] = 0.01;  // deformations as if body 5 were a bead
  mm.dLa[5] = 0;
  // A move of (3, 4) m at speed (6, 8) m/s.
  mm.Xp[5] = 0, mm.Yp[5] = 0;
  moved(5, 3, 4, 6, 8, mm.Rz);
  UpdateTrajectory(t.m, ch(), 5);
  EXPECT_EQ(mm.Ej1[5], 0);  // the previous rate was 0
  EXPECT_DOUBLE_EQ(mm.VR1[5], (0 + 0.01 / 2) / 2);
  EXPECT_EQ(mm.dLa[5], 0.01);
  EXPECT_EQ(mm.V[5], 10);
  EXPECT_EQ(mm.L[5], 5);
  EXPECT_EQ(mm.Ekj[5], 0.5 * 10 * 5);
  EXPECT_EQ(mm.Ev[5], 50);
  EXPECT_DOUBLE_EQ(mm.EC1[5], 10 * 0.01 * 0.01 / 2);
  EXPECT_DOUBLE_EQ(mm.E[5], mm.Ev[5] + mm.Ekj[5] + mm.Ej1[5] + mm.Em[5] + mm.Eq[5] + mm.EC1[5]);
  // Second step: same place (ds = 0), the rate of the first step dissipates.
  const double vr = mm.VR1[5];
  UpdateTrajectory(t.m, ch(), 5);
  EXPECT_DOUBLE_EQ(mm.Ej1[5], 0.1 * vr * vr * 2);
  EXPECT_DOUBLE_EQ(mm.VR1[5], vr / 2);
  EXPECT_EQ(mm.L[5], 5);
  EXPECT_EQ(mm.Ekj[5], 25);
}

TEST_F(Bookkeeping, ActionIntegralsOverTimeAndPath) {
  Model& mm = m();
  mm.h = 0.5, mm.m1 = 1;
  mm.Xp[5] = 0, mm.Yp[5] = 0;
  const double r = 2 * mm.Rz;
  moved(5, 6, 8, 3, 4, r);
  UpdateTrajectory(t.m, ch(), 5);
  const double u = mm.Em[5] + mm.Eq[5], ev = 12.5;
  EXPECT_EQ(mm.IntMV_T[5], 5 * 0.5);
  EXPECT_EQ(mm.IntMV_L[5], 5 * 10);
  EXPECT_DOUBLE_EQ(mm.IntTmU_T[5], (ev - u) * 0.5);
  EXPECT_DOUBLE_EQ(mm.IntTpU_T[5], (ev + u) * 0.5);
  EXPECT_EQ(mm.IntT_T[5], ev * 0.5);
  EXPECT_DOUBLE_EQ(mm.IntTmU_L[5], (ev - u) * 10);
  EXPECT_DOUBLE_EQ(mm.IntTpU_L[5], (ev + u) * 10);
  EXPECT_EQ(mm.IntT_L[5], ev * 10);
  FreezeIntegrals(t.m, 5);
  EXPECT_EQ(mm.IntMV_Tk[5], mm.IntMV_T[5]);
  EXPECT_EQ(mm.IntTmU_Tk[5], mm.IntTmU_T[5]);
  EXPECT_EQ(mm.IntTpU_Tk[5], mm.IntTpU_T[5]);
  EXPECT_EQ(mm.IntT_Tk[5], mm.IntT_T[5]);
  EXPECT_EQ(mm.IntMV_Lk[5], mm.IntMV_L[5]);
  EXPECT_EQ(mm.IntTmU_Lk[5], mm.IntTmU_L[5]);
  EXPECT_EQ(mm.IntTpU_Lk[5], mm.IntTpU_L[5]);
  EXPECT_EQ(mm.IntT_Lk[5], mm.IntT_L[5]);
}

TEST_F(Bookkeeping, TableByTimeOrPathTotalsOrAverages) {
  Model& mm = m();
  mm.IntMV_Tk[2] = 10, mm.IntTmU_Tk[2] = 20, mm.IntTpU_Tk[2] = 30, mm.IntT_Tk[2] = 40;
  mm.IntMV_Lk[2] = 1, mm.IntTmU_Lk[2] = 2, mm.IntTpU_Lk[2] = 3, mm.IntT_Lk[2] = 4;
  mm.Tfin[2] = 5, mm.Lmax[2] = 0.5;
  FillTable(t.m, ch(), 2);
  EXPECT_EQ(mm.ColMV[2], 10);
  EXPECT_EQ(mm.ColTmU[2], 20);
  EXPECT_EQ(mm.ColTpU[2], 30);
  EXPECT_EQ(mm.ColT[2], 40);
  EXPECT_EQ(mm.ColDiv[2], 5);
  for (P id : {P::average_m1V, P::average_T_minus_U, P::average_T, P::average_T_plus_U})
    t.check(id, true);
  FillTable(t.m, ch(), 2);
  EXPECT_EQ(mm.ColMV[2], 2);
  EXPECT_EQ(mm.ColTmU[2], 4);
  EXPECT_EQ(mm.ColTpU[2], 6);
  EXPECT_EQ(mm.ColT[2], 8);
  t.choose(P::integral, "path");
  t.check(P::average_T_minus_U, false);
  FillTable(t.m, ch(), 2);
  EXPECT_EQ(mm.ColDiv[2], 0.5);
  EXPECT_EQ(mm.ColMV[2], 2);
  EXPECT_EQ(mm.ColTmU[2], 2);  // a total
  EXPECT_EQ(mm.ColTpU[2], 6);
  EXPECT_EQ(mm.ColT[2], 8);
}

TEST_F(Bookkeeping, RelativisticTimeAtRestOnTheSurfaceAddsNothing) {
  moved(5, m().Xn, m().Yn, 0, 0, m().Rz);
  m().Xp[5] = m().Xn, m().Yp[5] = m().Yn;
  UpdateTrajectory(t.m, ch(), 5);
  EXPECT_EQ(m().ttR, 0);
  EXPECT_EQ(m().ttV, 0);
}

TEST_F(Bookkeeping, RelativisticTimeAtAKnownHeightAndSpeed) {
  Model& mm = m();
  mm.h = 2;
  const double c = 2.998e8;
  // At twice the radius and 0.6 c: the gain of weaker gravity and the
  // Lorentz factor 1.25.
  moved(5, 0, mm.Rz, 0.6 * c, 0, 2 * mm.Rz);
  UpdateTrajectory(t.m, ch(), 5);
  const double gain = 2 * 66.7e-12 * 5.976e24 * (1 / mm.Rz - 1 / (2 * mm.Rz)) / (c * c);
  EXPECT_NEAR(mm.ttR, gain, 1e-12 * gain);
  EXPECT_NEAR(mm.ttV, (1 - 1.25) * 2, 1e-12);
  // A second trajectory adds its terms to the same sums.
  moved(1, 0, 0, 0, 0, 0.5 * mm.Rz);
  mm.Xp[1] = 0, mm.Yp[1] = 0;
  UpdateTrajectory(t.m, ch(), 1);
  const double loss = 2 * 66.7e-12 * 5.976e24 * (1 / mm.Rz - 2 / mm.Rz) / (c * c);
  EXPECT_NEAR(mm.ttR, gain + loss, 1e-12 * gain);
  EXPECT_NEAR(mm.ttV, -0.5, 1e-12);
}

TEST_F(Bookkeeping, SpeedOfLightIsAFailure) {
  for (double v : {2.998e8, 3.5e8}) {
    moved(5, 0, 0, v, 0, m().Rz);
    EXPECT_THROW(UpdateTrajectory(t.m, ch(), 5), Failure) << v;
  }
}

TEST_F(Bookkeeping, ZeroDistanceAndZeroStepAreFailures) {
  moved(5, 0, 0, 0, 0, 0);
  EXPECT_THROW(UpdateTrajectory(t.m, ch(), 5), Failure);
  moved(5, 0, 0, 0, 0, m().Rz);
  m().h = 0;
  EXPECT_THROW(UpdateTrajectory(t.m, ch(), 5), Failure);
}
