// The time plot on Picture2: which values, where, in which colour, the
// finish marker and the failure message.
#include <gtest/gtest.h>

#include "display/display.h"
#include "model/messages.h"
#include "physics/physics.h"
#include "support.h"

using namespace lumet;
using namespace lumet::test;

namespace {

class Plots : public FreeFlightTest {
 protected:
  void SetUp() override {
    FreeFlightTest::SetUp();
    Model& mm = t.m;
    mm.T = 1000, mm.Tc = 1000, mm.Mt = 500, mm.kM = 0.5, mm.kMx = 1e-6;
    for (int i = 1; i <= 5; ++i) {
      mm.X[i] = 1e6 * i, mm.Y[i] = -2e6 * i;
      mm.VX[i] = 1.5 * i, mm.VY[i] = -0.5 * i;
      mm.FX[i] = 0.25 * i, mm.FY[i] = -0.75 * i;
      mm.Fm[i] = 2.0 * i, mm.Fq[i] = -1.0 * i;
      mm.IntMV_L[i] = 3.0 * i, mm.IntTmU_T[i] = 4.0 * i;
      mm.IntT_T[i] = 5.0 * i, mm.IntTpU_T[i] = 6.0 * i;
    }
    mm.Fx[5] = 7;
    t.check(P::plot_XY, false);
  }
  std::vector<DrawOp>& ops() { return t.picture2.ops; }
  void plot() { ParameterPlots(t.picture2, t.m, ch()); }
  void expectPoints(std::initializer_list<double> ys, Rgb c) {
    ASSERT_EQ(ops().size(), ys.size());
    size_t k = 0;
    for (double y : ys) {
      EXPECT_EQ(ops()[k].type, DrawOp::Point);
      EXPECT_DOUBLE_EQ(ops()[k].a, 2);  // T / Mt
      EXPECT_DOUBLE_EQ(ops()[k].b, y) << k;
      EXPECT_EQ(ops()[k].colour, c);
      ++k;
    }
  }
};

}  // namespace

TEST_F(Plots, DefaultsPlotNothingBecauseTheShownLineDoesNotTakePart) {
  TestLab fresh;
  startFreeFlight(fresh);
  fresh.choose(P::shown, "1");  // the start showed the free body; show the line again
  ParameterPlots(fresh.picture2, fresh.m, ReadChoices(fresh.p));
  EXPECT_TRUE(fresh.picture2.ops.empty());
}

TEST_F(Plots, FreeBodyCoordinatesAtThePlaneScaleInItsFixedColour) {
  t.choose(P::shown, "5");
  t.check(P::plot_XY, true);
  t.set(P::colour5, "1");  // "Цвет5" does not matter here
  plot();
  expectPoints({5e6 * 1e-6, -10e6 * 1e-6}, Rgb{130, 130, 100});
  EXPECT_TRUE(t.picture1.ops.empty());
}

TEST_F(Plots, ConstrainedBodyCoordinatesAtTheValueScale) {
  t.check(P::parabola, true);
  t.choose(P::shown, "3");
  t.check(P::plot_XY, true);
  plot();
  expectPoints({3e6 * 0.5, -6e6 * 0.5}, Rgb{0, 230, 0});
}

TEST_F(Plots, EverySelectorInItsOrder) {
  t.choose(P::shown, "5");
  for (P id : {P::plot_V, P::plot_F, P::plot_FmFq, P::average_m1V, P::average_T_minus_U,
               P::average_T, P::average_T_plus_U})
    t.check(id, true);
  plot();
  const double k = 0.5;
  expectPoints({7.5 * k, -2.5 * k, 1.25 * k, -3.75 * k, 7 * k, 10 * k, -5 * k, 15 * k, 20 * k,
                25 * k, 30 * k},
               Rgb{130, 130, 100});
}

TEST_F(Plots, ForcesOfAConstrainedBodyAreTwoPoints) {
  t.check(P::arc, true);
  t.choose(P::shown, "4");
  t.check(P::plot_F, true);
  plot();
  expectPoints({1.0 * 0.5, -3.0 * 0.5}, Rgb{255, 0, 0});
}

TEST_F(Plots, OnlyTheShownTrajectoryIsPlotted) {
  for (P id : {P::line, P::cycloid, P::parabola, P::arc, P::free}) t.check(id, true);
  t.check(P::plot_V, true);
  t.choose(P::shown, "2");
  plot();
  expectPoints({3.0 * 0.5, -1.0 * 0.5}, Rgb{0, 0, 255});
  ops().clear();
  t.choose(P::shown, "1");
  plot();
  expectPoints({1.5 * 0.5, -0.5 * 0.5}, Rgb{0, 230, 230});
}

TEST_F(Plots, MarkerOnlyInTheFinishingStep) {
  t.choose(P::shown, "5");
  t.m.Tfin[5] = 1000;  // finished in this step: Tfin = Tc
  plot();
  ASSERT_EQ(ops().size(), 1u);
  const DrawOp& line = ops()[0];
  EXPECT_EQ(line.type, DrawOp::Line);
  EXPECT_DOUBLE_EQ(line.a, 2);
  EXPECT_EQ(line.b, -12);
  EXPECT_DOUBLE_EQ(line.c, 2);
  EXPECT_EQ(line.d, 12);
  EXPECT_EQ(line.colour, (Rgb{130, 130, 100}));
  ops().clear();
  t.m.Tfin[5] = 999;  // an earlier finish
  plot();
  EXPECT_TRUE(ops().empty());
  // Not finished, even when the time shown is 0 (Euler's first step).
  t.m.Tfin[5] = 0;
  t.m.Tc = 0;
  plot();
  EXPECT_TRUE(ops().empty());
}

TEST_F(Plots, ZeroTimeScaleIsAFailure) {
  t.choose(P::shown, "5");
  t.m.Mt = 0;
  EXPECT_THROW(plot(), Failure);
}

TEST_F(Plots, ValueBeyondThePictureIsAFailureAfterThePointsBefore) {
  t.choose(P::shown, "5");
  t.check(P::plot_V, true);
  t.check(P::plot_F, true);
  t.m.FY[5] = 1e300;
  EXPECT_THROW(plot(), Failure);
  EXPECT_EQ(ops().size(), 3u);  // VX, VY, FX drawn before FY failed
}

TEST_F(Plots, TimeBeyondTheRightEdgeIsNoFailure) {
  t.choose(P::shown, "5");
  t.check(P::plot_V, true);
  t.m.T = 500 * 20;  // 20 cm
  plot();
  EXPECT_EQ(ops().size(), 2u);
  EXPECT_DOUBLE_EQ(ops()[0].a, 20);
}

TEST_F(Plots, RunDrawsTheMarkerAtTheFinishOfTheFreeOrbit) {
  TestLab run;
  startFreeFlight(run);
  run.choose(P::shown, "5");
  for (int k = 0; k < 2845; ++k) run.step();
  // X and Y every step, and one vertical line at T = 2840 s.
  int points = 0, lines = 0;
  for (const auto& op : run.picture2.ops) {
    points += op.type == DrawOp::Point;
    if (op.type == DrawOp::Line) {
      ++lines;
      EXPECT_DOUBLE_EQ(op.a, 2840 / 500.0);
      EXPECT_EQ(op.colour, (Rgb{130, 130, 100}));
    }
  }
  EXPECT_EQ(points, 2 * 2845);
  EXPECT_EQ(lines, 1);
  EXPECT_TRUE(run.dialogs.messages.empty());
}

// A refresh whose pictures cannot show the run shows one message, however
// many drawings failed, stops the timer, and still writes the boxes.
TEST(RefreshFailures, OneScalesMessageForTheRefresh) {
  struct Case {
    const char* what;
    const char* Mx;
    const char* Mt;
  } cases[] = {
      {"a tiny time scale: the plot fails", "3000000", "1e-320"},
      {"a tiny Mx: the positions and the plot fail", "1e-300", "500"},
  };
  for (const Case& c : cases) {
    TestLab t;
    startFreeFlight(t);
    t.choose(P::shown, "5");
    t.set(P::Mx, c.Mx);
    t.set(P::Mt, c.Mt);
    t.act(Action::Step);
    EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{textOf(Msg::Scales)}) << c.what;
    EXPECT_FALSE(t.running()) << c.what;
    EXPECT_EQ(t.shown(V::T), "1") << c.what;
  }
}
