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
    t.c.setCheck(Check18, false);
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
  fresh.c.select(Option1);  // the start showed the free body; show the line again
  ParameterPlots(fresh.picture2, fresh.m, ReadChoices(fresh.c));
  EXPECT_TRUE(fresh.picture2.ops.empty());
}

TEST_F(Plots, FreeBodyCoordinatesAtThePlaneScaleInItsFixedColour) {
  t.c.select(Option7);
  t.c.setCheck(Check18, true);
  t.c.typeText(Text50, "1");  // "Цвет5" does not matter here
  plot();
  expectPoints({5e6 * 1e-6, -10e6 * 1e-6}, Rgb{130, 130, 100});
  EXPECT_TRUE(t.picture1.ops.empty());
}

TEST_F(Plots, ConstrainedBodyCoordinatesAtTheValueScale) {
  t.c.setCheck(Check3, true);
  t.c.select(Option3);
  t.c.setCheck(Check18, true);
  plot();
  expectPoints({3e6 * 0.5, -6e6 * 0.5}, Rgb{0, 230, 0});
}

TEST_F(Plots, EverySelectorInItsOrder) {
  t.c.select(Option7);
  for (ControlId c : {Check19, Check20, Check21, Check8, Check9, Check10, Check11})
    t.c.setCheck(c, true);
  plot();
  const double k = 0.5;
  expectPoints({7.5 * k, -2.5 * k, 1.25 * k, -3.75 * k, 7 * k, 10 * k, -5 * k, 15 * k, 20 * k,
                25 * k, 30 * k},
               Rgb{130, 130, 100});
}

TEST_F(Plots, ForcesOfAConstrainedBodyAreTwoPoints) {
  t.c.setCheck(Check4, true);
  t.c.select(Option4);
  t.c.setCheck(Check20, true);
  plot();
  expectPoints({1.0 * 0.5, -3.0 * 0.5}, Rgb{255, 0, 0});
}

TEST_F(Plots, OnlyTheShownTrajectoryIsPlotted) {
  for (ControlId c : {Check1, Check2, Check3, Check4, Check5}) t.c.setCheck(c, true);
  t.c.setCheck(Check19, true);
  t.c.select(Option2);
  plot();
  expectPoints({3.0 * 0.5, -1.0 * 0.5}, Rgb{0, 0, 255});
  ops().clear();
  t.c.select(Option1);
  plot();
  expectPoints({1.5 * 0.5, -0.5 * 0.5}, Rgb{0, 230, 230});
}

TEST_F(Plots, MarkerOnlyInTheFinishingStep) {
  t.c.select(Option7);
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
  t.c.select(Option7);
  t.m.Mt = 0;
  EXPECT_THROW(plot(), Failure);
}

TEST_F(Plots, ValueBeyondThePictureIsAFailureAfterThePointsBefore) {
  t.c.select(Option7);
  t.c.setCheck(Check19, true);
  t.c.setCheck(Check20, true);
  t.m.FY[5] = 1e300;
  EXPECT_THROW(plot(), Failure);
  EXPECT_EQ(ops().size(), 3u);  // VX, VY, FX drawn before FY failed
}

TEST_F(Plots, TimeBeyondTheRightEdgeIsNoFailure) {
  t.c.select(Option7);
  t.c.setCheck(Check19, true);
  t.m.T = 500 * 20;  // 20 cm
  plot();
  EXPECT_EQ(ops().size(), 2u);
  EXPECT_DOUBLE_EQ(ops()[0].a, 20);
}

TEST_F(Plots, RunDrawsTheMarkerAtTheFinishOfTheFreeOrbit) {
  TestLab run;
  startFreeFlight(run);
  run.c.select(Option7);
  for (int k = 0; k < 2845; ++k) Step(run.l);
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
    t.c.select(Option7);
    t.set(Text29, c.Mx);
    t.set(Text51, c.Mt);
    t.lab.click(Command10);
    EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{msg::kScales}) << c.what;
    EXPECT_FALSE(t.l.Timer1.Enabled) << c.what;
    EXPECT_EQ(t.c.text(Text60), "1") << c.what;
  }
}
