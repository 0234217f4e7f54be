// The step driver on the default free flight: golden values from
// tests/tools/free_orbit_golden.py, both integration schemes, the finish,
// the refresh and log cadences, the periodic force and every failure path.
#include <gtest/gtest.h>

#include "model/messages.h"
#include "model/numbers.h"
#include "physics/physics.h"
#include "support.h"

using namespace lumet;
using namespace lumet::test;

namespace {

class FreeFlight : public FreeFlightTest {
 protected:
  void SetUp() override {
    FreeFlightTest::SetUp();
    t.choose(P::shown, "5");  // show the free body
  }
  void steps(int n) {
    for (int k = 0; k < n; ++k) t.step();
  }
};

struct Golden {
  int step;
  double X, Y, VX, VY, E, Em, Ev, L, LR, Fm, Fq, FX, FY;
  double ttR, ttV, IntMV_T, IntTmU_T, IntTpU_T, IntT_T, IntMV_L, IntTmU_L, IntTpU_L, IntT_L;
};

// Printed by tests/tools/free_orbit_golden.py.
const Golden kGolden[] = {
    {1,
     -6379455.101410275,
     -6370000.002047729,
     -1450.2035693150947,
     7999.9938575165625,
     33065800.003669962,
     14303.94729139615,
     33051496.056378484,
     8131.253737925627,
     6379460.117882836,
     9.794191004085066,
     5.5285935744957344e-11,
     9.794183303079919,
     -0.012282151859484555,
     1.5914487011127446e-13,
     -3.67729180439369e-10,
     8130.374660048389,
     33037192.109087005,
     33065800.003669962,
     33051496.056378484,
     66110139.345254265,
     268633791827.58075,
     268866409877.3426,
     268750100852.46167},
    {10,
     -6392110.819284624,
     -6298002.041398973,
     -1362.2397009912765,
     7999.388283591608,
     33065800.003637362,
     142845.04632681137,
     32922954.957309745,
     81233.3976866407,
     6392611.391611698,
     9.753934030820496,
     5.5058694471404154e-11,
     9.753170251350134,
     -0.12206197954720112,
     8.745062560004603e-12,
     -3.6701373051784003e-09,
     81224.61030046426,
     329085986.8911364,
     330658000.03653675,
     329871993.46383655,
     659815362.1406544,
     2673281428583.4565,
     2686047281523.725,
     2679664355053.5913},
    {1000,
     -3946799.0561765092,
     192074.65891975616,
     5236.591090216164,
     4210.806109583392,
     33065800.00091801,
     10489412.83154074,
     22576387.16931806,
     7352617.823633153,
     7664404.987713607,
     6.785463724399618,
     3.830236834368745e-11,
     3.494186681104874,
     -5.816629384209746,
     6.625755224039818e-08,
     -3.016306604486374e-07,
     7351911.973507878,
     21155337110.681965,
     33065800002.087357,
     27110568556.384678,
     54226378157.32164,
     158070311780247.4,
     243120190448369.75,
     200595251114308.62},
    {3000,
     6559356.000691487,
     -3221706.458797557,
     1927.2967707663258,
     -6851.417371722519,
     33065799.998406336,
     7737603.576288952,
     25328196.422073707,
     20442796.364067473,
     7279240.349030907,
     7.522536506955702,
     4.2462973183715203e-11,
     -6.778591255166456,
     -3.2617872546352547,
     3.2494356991933904e-07,
     -7.787210751786233e-07,
     20442290.10598932,
     40785517877.137665,
     99197400001.65332,
     69991458939.39557,
     139986778086.833,
     287652156853949.75,
     675957416027655.8,
     481804786440803.06},
};

void expectGolden(const Model& m, const Golden& g) {
  SCOPED_TRACE(::testing::Message() << "step " << g.step);
  const double rel = 1e-9;
  EXPECT_PRED3(near, m.X[5], g.X, rel);
  EXPECT_PRED3(near, m.Y[5], g.Y, rel);
  EXPECT_PRED3(near, m.VX[5], g.VX, rel);
  EXPECT_PRED3(near, m.VY[5], g.VY, rel);
  EXPECT_NEAR(m.E[5], g.E, 1e-5);
  EXPECT_PRED3(near, m.Em[5], g.Em, rel * 10);
  EXPECT_PRED3(near, m.Ev[5], g.Ev, rel);
  EXPECT_PRED3(near, m.L[5], g.L, rel);
  EXPECT_PRED3(near, m.LR[5], g.LR, rel);
  EXPECT_PRED3(near, m.Fm[5], g.Fm, rel);
  EXPECT_PRED3(near, m.Fq[5], g.Fq, rel);
  EXPECT_PRED3(near, m.FX[5], g.FX, rel * 10);
  EXPECT_PRED3(near, m.FY[5], g.FY, rel * 100);
  EXPECT_PRED3(near, m.ttR, g.ttR, 1e-6);
  // 1 - 1/sqrt(1 - V²/c²) loses seven digits to cancellation.
  EXPECT_PRED3(near, m.ttV, g.ttV, 1e-5);
  EXPECT_PRED3(near, m.IntMV_T[5], g.IntMV_T, rel);
  EXPECT_PRED3(near, m.IntTmU_T[5], g.IntTmU_T, rel);
  EXPECT_PRED3(near, m.IntTpU_T[5], g.IntTpU_T, rel);
  EXPECT_PRED3(near, m.IntT_T[5], g.IntT_T, rel);
  EXPECT_PRED3(near, m.IntMV_L[5], g.IntMV_L, rel);
  EXPECT_PRED3(near, m.IntTmU_L[5], g.IntTmU_L, rel);
  EXPECT_PRED3(near, m.IntTpU_L[5], g.IntTpU_L, rel);
  EXPECT_PRED3(near, m.IntT_L[5], g.IntT_L, rel);
}

}  // namespace

TEST_F(FreeFlight, FollowsTheIndependentReplayOfTheOrbit) {
  int done = 0;
  for (const auto& g : kGolden) {
    steps(g.step - done);
    done = g.step;
    expectGolden(m(), g);
    EXPECT_EQ(m().T, g.step);
    EXPECT_EQ(m().Tc, g.step);
  }
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_TRUE(t.running());
}

TEST_F(FreeFlight, KeepsTheEnergyBalanceAndFinishesAt2840Seconds) {
  const double E0 = 33065800;
  EXPECT_NEAR(m().E0[5], E0, 1e-6);
  for (int k = 1; k <= 3000; ++k) {
    t.step();
    ASSERT_NEAR(m().E[5], m().E0[5], 0.01) << "step " << k;
    if (k == 2839) {
      EXPECT_EQ(m().Tfin[5], 0);
    }
  }
  EXPECT_EQ(m().Tfin[5], 2840);
  EXPECT_EQ(t.shown(V::T5), "2840");
  EXPECT_PRED3(near, m().Lmax[5], 19320012.257189296, 1e-9);
  EXPECT_PRED3(near, m().Xfin[5], 6167942.345211745, 1e-9);
  EXPECT_PRED3(near, m().Yfin[5], -2170712.002912112, 1e-9);
  // Frozen integrals and the table by time (totals).
  EXPECT_PRED3(near, m().IntMV_Tk[5], 19319408.245233566, 1e-9);
  EXPECT_PRED3(near, m().IntTmU_Lk[5], 269467272959661.88, 1e-9);
  EXPECT_PRED3(near, m().ColMV[5], 19319408.245233566, 1e-9);
  EXPECT_PRED3(near, m().ColTmU[5], 38195138243.27035, 1e-9);
  EXPECT_PRED3(near, m().ColTpU[5], 93906872001.88022, 1e-9);
  EXPECT_PRED3(near, m().ColT[5], 66051005122.575325, 1e-9);
  EXPECT_EQ(m().ColDiv[5], 2840);
  // The running integrals and path went on after the finish.
  EXPECT_GT(m().L[5], m().Lmax[5]);
  EXPECT_GT(m().IntMV_T[5], m().IntMV_Tk[5]);
  // The other four bodies were integrated but kept out of the bookkeeping.
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(m().L[i], 0);
    EXPECT_EQ(m().Tfin[i], 0);
    EXPECT_EQ(m().E[i], 0);
  }
}

TEST_F(FreeFlight, ResultTableSwitchesByOneStepAfterAStop) {
  steps(2900);
  Model& mm = m();
  double tk = mm.IntT_Tk[5], lk = mm.IntT_Lk[5];
  t.check(P::average_T, true);  // averages of the "T" column
  t.step();
  EXPECT_PRED3(near, mm.ColT[5], tk / 2840, 1e-15);
  EXPECT_PRED3(near, mm.ColMV[5], mm.IntMV_Tk[5], 1e-15);  // still a total
  t.choose(P::integral, "path");                           // by path: the divisor is Lmax
  t.step();
  EXPECT_EQ(mm.ColDiv[5], mm.Lmax[5]);
  EXPECT_PRED3(near, mm.ColT[5], lk / mm.Lmax[5], 1e-15);
  EXPECT_EQ(t.shown(V::ColT5), formatBox(mm.ColT[5]));
  EXPECT_EQ(t.shown(V::T5), "2840");  // Tfin is still the time
  t.check(P::average_m1V, true);
  t.check(P::average_T_minus_U, true);
  t.check(P::average_T_plus_U, true);
  t.step();
  EXPECT_PRED3(near, mm.ColMV[5], mm.IntMV_Lk[5] / mm.Lmax[5], 1e-15);
  EXPECT_PRED3(near, mm.ColTmU[5], mm.IntTmU_Lk[5] / mm.Lmax[5], 1e-15);
  EXPECT_PRED3(near, mm.ColTpU[5], mm.IntTpU_Lk[5] / mm.Lmax[5], 1e-15);
}

TEST_F(FreeFlight, AveragesBeforeTheFinishShowTheTotalZero) {
  for (P id : {P::average_m1V, P::average_T_minus_U, P::average_T, P::average_T_plus_U})
    t.check(id, true);
  t.choose(P::shown, "1");  // the shown trajectory 1 is not plotted
  steps(5);
  EXPECT_EQ(m().ColDiv[5], 0);
  EXPECT_EQ(m().ColMV[5], 0);
  EXPECT_EQ(m().ColT[5], 0);
  EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST_F(FreeFlight, RefreshWritesEveryValueBoxOfTheShownBody) {
  steps(1);
  Model& mm = m();
  struct Box {
    V id;
    double v;
  } boxes[] = {
      {V::X, mm.X[5]},   {V::Y, mm.Y[5]},
      {V::VX, mm.VX[5]}, {V::VY, mm.VY[5]},
      {V::FX, mm.FX[5]}, {V::FY, mm.FY[5]},
      {V::Fm, mm.Fm[5]}, {V::Fq, mm.Fq[5]},
      {V::Fj1, 0},       {V::Dfi, 2e-5},
      {V::Lmax, 0},      {V::EC1, 0},
      {V::Ev, mm.Ev[5]}, {V::E, mm.E[5]},
      {V::Em, mm.Em[5]}, {V::E0, mm.E0[5]},
      {V::Eq, mm.Eq[5]}, {V::Ej1, 0},
      {V::T, 1},         {V::ttR, mm.ttR},
      {V::ttV, mm.ttV},  {V::dT, mm.ttR + mm.ttV},
      {V::T5, 0},        {V::ColMV5, 0},
  };
  for (const auto& b : boxes) EXPECT_EQ(t.shown(b.id), formatBox(b.v)) << row(b.id).name;
  EXPECT_EQ(mm.iShow, 5);
  // The picture got the free body's point.
  ASSERT_FALSE(t.picture1.ops.empty());
  EXPECT_EQ(t.picture1.ops.back().type, DrawOp::Point);
}

TEST_F(FreeFlight, XYBoxShowsTheFinishPlace) {
  t.check(P::finish_place, true);
  steps(2840);
  EXPECT_EQ(t.shown(V::Xfin), formatBox(m().Xfin[5]));
  EXPECT_EQ(t.shown(V::Yfin), formatBox(m().Yfin[5]));
  t.check(P::finish_place, false);
  t.m.KDfi = 400000;
  t.step();
  EXPECT_EQ(t.shown(V::Fj1), formatBox(0.1 * m().VR1[5]));
  EXPECT_EQ(t.shown(V::Dfi), "5e-06");
}

TEST_F(FreeFlight, ShownBodyFollowsTheOptionButtons) {
  t.choose(P::shown, "3");
  steps(1);
  EXPECT_EQ(m().iShow, 3);
  EXPECT_EQ(t.shown(V::X), "-6378000");  // body 3 rests at the start
  t.choose(P::shown, "1");
  steps(1);
  EXPECT_EQ(m().iShow, 1);
}

TEST_F(FreeFlight, RefreshComesEveryNCgSteps) {
  m().NCg = 10;
  for (int k = 1; k <= 25; ++k) {
    t.step();
    bool refresh = k == 10 || k == 20;
    if (refresh) {
      EXPECT_EQ(m().NCgr, 1);
      EXPECT_EQ(t.shown(V::T), formatBox(k)) << k;
    }
    size_t points = t.picture1.ops.size();
    EXPECT_EQ(points, size_t(k >= 20 ? 2 : k >= 10 ? 1 : 0)) << k;
  }
  EXPECT_EQ(t.shown(V::T), "20");
}

TEST_F(FreeFlight, EulerShowsTheTimeOfTheStartOfTheStep) {
  t.check(P::euler, true);
  const Model before = m();
  t.step();
  // One explicit step from the start values.
  const double lr = before.Rz;  // the body starts on the surface
  const double f =
      (before.m1 * before.m2 * before.gamma - before.Ke * before.q1 * before.q2) / lr / lr;
  EXPECT_DOUBLE_EQ(m().X[5], -6378000 - 1460);
  EXPECT_DOUBLE_EQ(m().Y[5], -6378000 + 8000);
  EXPECT_DOUBLE_EQ(m().VX[5], -1460 + f);  // the pull points to +X
  EXPECT_NEAR(m().VY[5], 8000, 1e-12);
  EXPECT_EQ(m().T, 1);
  EXPECT_EQ(m().Tc, 0);
  EXPECT_EQ(t.shown(V::T), "0");
  // The bookkeeping sees the forces at the start of the step.
  EXPECT_DOUBLE_EQ(m().LR[5], before.Rz);
  EXPECT_DOUBLE_EQ(m().FX[5], f);
}

TEST_F(FreeFlight, EulerFinishTimeIsTheTimeBeforeTheFinishingStep) {
  t.check(P::euler, true);
  double tPrev = 0;
  for (int k = 0; k < 4000 && !(m().Tfin[5] > 0); ++k) {
    tPrev = m().T;
    t.step();
  }
  ASSERT_GT(m().Tfin[5], 0);
  EXPECT_EQ(m().Tfin[5], tPrev);
  EXPECT_EQ(m().T, tPrev + 1);
}

TEST_F(FreeFlight, PeriodicExternalForceUsesTheTimeBeforeTheStep) {
  t.set(P::Fx, "2");
  t.check(P::cos, true);
  m().w = 0.5;
  t.step();
  EXPECT_EQ(m().Fx[5], 2);  // cos(0)
  const double vxNoForce = -1450.2035693150947;
  EXPECT_NEAR(m().VX[5], vxNoForce + 2, 1e-5);  // 2 N on 1 kg for 1 s
  t.step();
  EXPECT_DOUBLE_EQ(m().Fx[5], std::cos(0.5) * 2);
  t.check(P::cos, false);
  t.step();
  EXPECT_EQ(m().Fx[5], 2);  // the box, read afresh
}

TEST_F(FreeFlight, ScaleBoxesAreReadAtEveryStep) {
  t.set(P::Mx, "1000000");
  t.set(P::M, "2");
  t.set(P::Mt, "250");
  t.step();
  EXPECT_DOUBLE_EQ(m().kMx, 1e-6);
  EXPECT_DOUBLE_EQ(m().kM, 0.5);
  EXPECT_EQ(m().Mt, 250);
}

namespace {

struct BadBox {
  P id;
  const char* text;
};

class UnusableBox : public FreeFlight, public ::testing::WithParamInterface<BadBox> {};

}  // namespace

// A box read at every step whose text the step cannot use does not stop the
// run: the step is made with the box's last value, and the box is flagged.
TEST_P(UnusableBox, TheStepGoesOnWithTheLastValue) {
  steps(3);
  const Model before = m();
  t.set(GetParam().id, GetParam().text);
  t.step();
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_TRUE(t.running());
  EXPECT_TRUE(t.flagged(GetParam().id));
  EXPECT_EQ(m().kMx, before.kMx);
  EXPECT_EQ(m().kM, before.kM);
  EXPECT_EQ(m().Mt, before.Mt);
  EXPECT_EQ(m().Fx[5], before.Fx[5]);
  EXPECT_EQ(m().T, before.T + m().h);
}

INSTANTIATE_TEST_SUITE_P(Boxes, UnusableBox,
                         ::testing::Values(BadBox{P::Mx, "0"}, BadBox{P::M, "0"},
                                           BadBox{P::Mx, "abc"}, BadBox{P::Mt, ""},
                                           BadBox{P::Fx, "1e400"}, BadBox{P::M, "x"}));

TEST_F(FreeFlight, ZeroStepFailsInTheBookkeeping) {
  m().h = 0;
  t.step();
  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::SolveError));
  EXPECT_FALSE(t.running());
  EXPECT_EQ(m().NCgr, 1);
  EXPECT_EQ(m().NCfile, 0);
  EXPECT_EQ(m().T, 0);  // T += 0
}

TEST_F(FreeFlight, SpeedOfLightFailsTheStep) {
  m().S[15] = 0;
  m().S[20] = 3e8;  // above Vsv = 2.998e8
  t.step();
  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::SolveError));
  EXPECT_FALSE(t.running());
  EXPECT_EQ(t.shown(V::T), "");  // no refresh happened
}

TEST_F(FreeFlight, EquationFailureEndsTheStepWithOneMessage) {
  // The free body at the centre of mass 2: the inverse square divides by 0
  // in the first evaluation, and the step ends there.
  m().S[5] = 0;
  m().S[10] = -m().Rz;
  m().S[15] = 0;
  m().S[20] = 0;
  t.step();
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{textOf(Msg::SolveError)});
  EXPECT_FALSE(t.running());
  EXPECT_EQ(m().T, 0);
  EXPECT_EQ(t.shown(V::T), "");  // no refresh happened
}

TEST_F(FreeFlight, StepBeforeAnyStartOnlySaysToStart) {
  TestLab fresh;
  const Report r = fresh.run([](Lab& lab) { Step(lab); });
  EXPECT_EQ(fresh.dialogs.messages, std::vector<std::string>{textOf(Msg::StartFirst)});
  EXPECT_EQ(fresh.m.T, 0);
  EXPECT_TRUE(r.values.empty());
  EXPECT_TRUE(r.written.empty());
  EXPECT_TRUE(r.flags.empty());
}

namespace {

int countRecords(const std::string& s) {
  int n = 0;
  for (size_t p = s.find("T= "); p != std::string::npos; p = s.find("T= ", p + 1))
    if (p == 0 || s[p - 1] == '\n') ++n;
  return n;
}

class LogCadence : public FreeFlight {
 protected:
  void SetUp() override {
    FreeFlight::SetUp();
    header = t.log().size();  // the start has written its header line
    t.check(P::log, true);
  }
  // The records the steps appended after the header.
  std::string records() const { return t.log().substr(header); }
  size_t header = 0;
};

}  // namespace

TEST_F(LogCadence, RowsEverySixStepsWithNCf5AndNCg3) {
  m().NCf = 5;
  m().NCg = 3;
  std::vector<int> rowsAt;
  for (int k = 1; k <= 20; ++k) {
    int before = countRecords(records());
    t.step();
    if (countRecords(records()) > before) rowsAt.push_back(k);
  }
  EXPECT_EQ(rowsAt, (std::vector<int>{6, 12, 18}));
  // A record: time and trajectory, then the state and energies, CR LF.
  std::string s = records();
  std::string first = s.substr(0, s.find("\r\n"));
  EXPECT_EQ(first, "T= 6    i= 5");
}

TEST_F(LogCadence, EveryRefreshOnceTheCounterReachedOne) {
  m().NCf = 1;
  m().NCg = 1;
  steps(4);
  // NCfile starts at 0: the first step writes nothing.
  EXPECT_EQ(countRecords(records()), 3);
  m().NCfile = 0;
  m().NCf = 1;
  m().NCgr = 1;
  t.step();
  EXPECT_EQ(countRecords(records()), 3);
}

TEST_F(LogCadence, CounterSurvivesANewRun) {
  m().NCf = 10;
  steps(7);
  ASSERT_TRUE(t.act(Action::Start).handled);  // a new start keeps NCfile
  EXPECT_EQ(m().NCfile, 7);
  steps(3);
  EXPECT_EQ(countRecords(records()), 0);
  steps(1);
  EXPECT_EQ(countRecords(records()), 1);
  EXPECT_EQ(m().NCfile, 1);
}

namespace {

// Flat constant field; the free body falls through the landing level
// during the next step.
class Landing : public FreeFlight, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    FreeFlight::SetUp();
    t.choose(P::field, "flat");
    t.choose(P::strength, "const");
    t.check(P::euler, GetParam());
    for (int i = 1; i <= 5; ++i) m().S[i + 5] = 0;  // all bodies well above
    m().S[5] = 1234;
  }
};

}  // namespace

TEST_P(Landing, BodyRestsOnThePlaneUnderBothSchemes) {
  const double rz = m().Rz;
  // A strong downward push from rest: the four-stage scheme's third trial
  // state (S0 + RK2/2) is the first below the landing level, its fourth
  // (S0 + RK3) is above it again; Euler lands at the third step.
  m().S[10] = -0.985 * rz;
  m().S[15] = 0;
  m().S[20] = 0;
  m().Fy[5] = -1e6;
  t.step();
  if (!GetParam()) {
    EXPECT_EQ(m().Active[5], 0);
    EXPECT_EQ(m().Y[5], -rz);
    EXPECT_EQ(m().VY[5], 0);
  }
  for (int k = 0; k < 2; ++k) t.step();
  EXPECT_EQ(m().Active[5], 0);
  EXPECT_EQ(m().Y[5], -rz);
  EXPECT_EQ(m().VX[5], 0);
  EXPECT_EQ(m().VY[5], 0);
  EXPECT_NEAR(m().X[5], 1234, 1e-2);  // the ten-digit Pi leaves a faint push
  const double l = m().L[5];
  for (int k = 0; k < 5; ++k) t.step();
  EXPECT_EQ(m().Y[5], -rz);
  EXPECT_NEAR(m().X[5], 1234, 1e-2);  // the ten-digit Pi leaves a faint push
  EXPECT_EQ(m().L[5], l);
  EXPECT_EQ(m().Active[1], 1);  // the others stay where they are
  EXPECT_TRUE(t.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Schemes, Landing, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Euler" : "FourStage"; });
