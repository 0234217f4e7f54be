#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "display/display.h"
#include "model/messages.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};

std::vector<DrawOp> ofType(const RecordingCanvas& p, DrawOp::Type type, Rgb colour) {
  std::vector<DrawOp> out;
  for (const auto& op : p.ops)
    if (op.type == type && op.colour == colour) out.push_back(op);
  return out;
}

bool hasCircle(const RecordingCanvas& p, double x, double y, double r) {
  for (const auto& op : p.ops)
    if (op.type == DrawOp::Circle && std::fabs(op.a - x) < 1e-12 && std::fabs(op.b - y) < 1e-12 &&
        op.c == r)
      return true;
  return false;
}

// A model filled by hand at a scale of one metre to the centimetre, for the
// drawing alone.
struct Hand : TestLab {
  Hand() {
    m.kMx = 1;
    m.Xn = 0, m.Yn = 0, m.Xk = 4, m.Yk = -2;
    m.Rz = 100, m.Fq0 = 0, m.Fm0 = 0;
    picture1.scale(-5, 5, 5, -5);
    picture1.ops.clear();
  }
  // What the preview draws after its start, as it would from this model.
  void draw() {
    run([](Lab& lab) { PreviewDrawing(lab, ReadChoices(lab.p)); });
  }
};

}  // namespace

TEST(Preview, DefaultsDrawTheEndPointsAndBothProfiles) {
  TestLab t;
  t.x.running = false;
  t.act(Action::Preview);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_FALSE(t.running());
  EXPECT_FALSE(std::filesystem::exists(t.dir + "/lumet.dat"));
  const double k = 1.0 / 3000000;
  EXPECT_TRUE(hasCircle(t.picture1, -6378000 * k, -6378000 * k, 0.2));
  EXPECT_TRUE(hasCircle(t.picture1, 6165000 * k, -8000000 * k, 0.2));
  // Nothing selected: no line, no curve points, no arc.
  EXPECT_TRUE(ofType(t.picture1, DrawOp::Point, kColour1).empty());
  for (const auto& op : t.picture1.ops) EXPECT_NE(op.type, DrawOp::Arc);

  // Inverse-square field: the ratio falls from 1 at the zero level towards
  // the corner; both profiles have all 99 samples, the first at the top
  // edge, the last at the zero level one unit from the left edge.
  auto red = ofType(t.picture1, DrawOp::Point, kRed);
  auto blue = ofType(t.picture1, DrawOp::Point, kBlue);
  ASSERT_EQ(red.size(), 99u);
  ASSERT_EQ(blue.size(), 99u);
  EXPECT_NEAR(red[0].b, 5, 1e-12);
  EXPECT_NEAR(red[98].a, -4, 1e-12);
  EXPECT_NEAR(blue[98].a, -4, 1e-12);
  const double LRn = std::hypot(-5 / k, 5 / k + 6378000);
  EXPECT_NEAR(red[0].a, std::pow(6378000 / LRn, 2) - 5, 1e-12);
  EXPECT_NEAR(blue[0].a, std::pow(6378000 / LRn, 2) - 5, 1e-12);
  for (size_t i = 0; i + 1 < red.size(); ++i) {
    EXPECT_GT(red[i].b, red[i + 1].b);
    EXPECT_LT(red[i].a, red[i + 1].a);
  }
}

TEST(Preview, ConstantFieldGivesTwoVerticalProfilesAtRatioOne) {
  TestLab t;
  t.choose(P::strength, "const");
  t.set(P::Yn, "0");  // above the zero level
  t.act(Action::Preview);
  EXPECT_TRUE(t.dialogs.messages.empty());
  for (Rgb c : {kRed, kBlue}) {
    auto pts = ofType(t.picture1, DrawOp::Point, c);
    ASSERT_EQ(pts.size(), 99u);
    for (const auto& p : pts) EXPECT_DOUBLE_EQ(p.a, -4);
  }
}

TEST(Preview, NoChargeDrawsOnlyTheGravitationalProfile) {
  TestLab t;
  t.set(P::q1, "0");
  t.act(Action::Preview);
  EXPECT_TRUE(ofType(t.picture1, DrawOp::Point, kRed).empty());
  EXPECT_EQ(ofType(t.picture1, DrawOp::Point, kBlue).size(), 99u);
}

TEST(Preview, GrowingLawsStopBeingDrawnAboveTenfold) {
  for (const char* power : {"1", "2"}) {
    TestLab t;
    t.choose(P::sign, "+");
    t.choose(P::power, power);
    t.set(P::Mx, "10000000");  // corner far enough for a ratio above 10
    t.act(Action::Preview);
    EXPECT_TRUE(t.dialogs.messages.empty());
    auto blue = ofType(t.picture1, DrawOp::Point, kBlue);
    EXPECT_GT(blue.size(), 10u);
    EXPECT_LT(blue.size(), 99u);
    for (const auto& p : blue) EXPECT_LE(p.a, 5 + 1e-12);
    // The samples drawn are the near ones, ending at ratio 1.
    EXPECT_NEAR(blue.back().a, -4, 1e-9);
    for (size_t i = 0; i + 1 < blue.size(); ++i) EXPECT_GT(blue[i].a, blue[i + 1].a);
  }
}

TEST(Preview, FlatFieldSamplesRunDownTheVerticalThroughTheCentre) {
  TestLab t;
  t.choose(P::field, "flat");
  t.set(P::Yn, "0");
  t.act(Action::Preview);
  EXPECT_TRUE(t.dialogs.messages.empty());
  auto blue = ofType(t.picture1, DrawOp::Point, kBlue);
  ASSERT_EQ(blue.size(), 99u);
  EXPECT_NEAR(blue.front().b, 5, 1e-12);
  EXPECT_NEAR(blue.back().b, 0, 1e-12);
  // The heights of the samples run evenly from the top edge to the zero level.
  for (int i = 0; i <= 98; ++i) EXPECT_NEAR(blue[i].b, 5 * (1 - i / 98.0), 1e-12);
}

TEST(Preview, NeverTouchesTheTimerAndLetsTheNextStartRun) {
  TestLab t;
  t.act(Action::Start);
  ASSERT_TRUE(t.running());
  t.act(Action::Preview);
  EXPECT_TRUE(t.running());
  // Only the real start wrote a header.
  std::string log = t.log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}

TEST(Preview, ARefusedStartStillDrawsWithWhatItComputed) {
  TestLab t;
  t.set(P::Xk, "-6378000");  // Xn = Xk
  t.set(P::Mx, "1000000");
  t.act(Action::Preview);
  ASSERT_GE(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::XnXk));
  EXPECT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_FALSE(t.running());
  // The scale was converted before the check: the points use it.
  EXPECT_TRUE(hasCircle(t.picture1, -6.378, -6.378, 0.2));
  // And the next start runs.
  t.set(P::Xk, "6165000");
  t.act(Action::Start);
  EXPECT_TRUE(t.running());
}

TEST(PreviewDrawing, LineCycloidAndStandardParabola) {
  Hand t;
  t.check(P::line, true);
  t.check(P::cycloid, true);
  t.check(P::parabola, true);
  t.m.R2 = 1, t.m.X20 = 0, t.m.Y20 = 0, t.m.fiN2 = 0, t.m.fiK2 = 2 * 3.141592654;
  t.m.X30 = 0, t.m.Y30 = 0, t.m.K3 = 1;
  t.draw();
  EXPECT_TRUE(t.dialogs.messages.empty());
  const auto& ops = t.picture1.ops;
  ASSERT_GE(ops.size(), 3u + 1000);
  EXPECT_EQ(ops[0].type, DrawOp::Circle);
  EXPECT_EQ(ops[1].type, DrawOp::Circle);
  EXPECT_EQ(ops[2].type, DrawOp::Line);
  EXPECT_EQ(ops[2].colour, kColour1);
  EXPECT_EQ(ops[2].c, 4);
  EXPECT_EQ(ops[2].d, -2);
  // Cycloid and parabola samples alternate, i = 1..500.
  for (int i = 1; i <= 500; ++i) {
    const DrawOp& cy = ops[3 + 2 * (i - 1)];
    const DrawOp& pa = ops[4 + 2 * (i - 1)];
    const double fi = 2 * 3.141592654 * i / 500;
    ASSERT_EQ(cy.type, DrawOp::Point);
    EXPECT_NEAR(cy.a, fi - std::sin(fi), 1e-12);
    EXPECT_NEAR(cy.b, -(1 - std::cos(fi)), 1e-12);
    const double y = -2.0 * i / 500;
    EXPECT_NEAR(pa.b, y, 1e-12);
    EXPECT_NEAR(pa.a, y * y, 1e-12);
  }
  EXPECT_NEAR(ops[3 + 2 * 249].a, 3.141592654, 1e-9);
  EXPECT_NEAR(ops[3 + 2 * 249].b, -2, 1e-12);
  EXPECT_NEAR(ops[4 + 2 * 499].a, 4, 1e-12);  // the parabola ends at the end point
}

TEST(PreviewDrawing, ModifiedParabolaIsSampledAlongTheAbscissa) {
  Hand t;
  t.check(P::parabola, true);
  t.check(P::modified_parabola, true);
  t.m.X30 = 5, t.m.K3 = -0.5, t.m.Y30 = 3;
  t.draw();
  auto pts = ofType(t.picture1, DrawOp::Point, kColour1);
  ASSERT_EQ(pts.size(), 500u);
  for (int i = 1; i <= 500; ++i) {
    const double x = 4.0 * i / 500;
    EXPECT_NEAR(pts[i - 1].a, x, 1e-12);
    EXPECT_NEAR(pts[i - 1].b, 3 - 0.5 * (x - 5) * (x - 5), 1e-12);
  }
}

TEST(PreviewDrawing, ArcCounterClockwiseBetweenItsAngles) {
  Hand t;
  t.m.kMx = 0.5;
  t.check(P::arc, true);
  t.m.X40 = 3, t.m.Y40 = 0, t.m.R4 = 3, t.m.fiN4 = 3.141592654, t.m.fiK4 = 4.5;
  t.draw();
  ASSERT_EQ(t.picture1.ops.size(), 3u);
  const DrawOp& a = t.picture1.ops[2];
  EXPECT_EQ(a.type, DrawOp::Arc);
  EXPECT_EQ(a.a, 1.5);
  EXPECT_EQ(a.b, 0);
  EXPECT_EQ(a.c, 1.5);
  EXPECT_EQ(a.d, 3.141592654);
  EXPECT_EQ(a.e, 4.5);
  EXPECT_EQ(a.colour, kColour1);
}

TEST(PreviewDrawing, ACoordinateTooLargeAsksForAnotherScaleAndSkipsTheProfile) {
  {
    Hand t;
    t.m.kMx = 1e9;
    t.m.Xn = 1;
    t.m.Fq0 = t.m.Fm0 = 1;
    t.draw();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::PreviewScale));
    EXPECT_TRUE(t.picture1.ops.empty());
  }
  {
    // A cycloid sample far outside: the points drawn so far stay.
    Hand t;
    t.check(P::cycloid, true);
    t.m.R2 = 1e6, t.m.fiN2 = 0, t.m.fiK2 = 1e3;
    t.m.Fq0 = t.m.Fm0 = 1;
    t.draw();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::PreviewScale));
    EXPECT_GT(ofType(t.picture1, DrawOp::Point, kColour1).size(), 0u);
    EXPECT_TRUE(ofType(t.picture1, DrawOp::Point, kRed).empty());
  }
}

TEST(PreviewDrawing, AFailureInTheProfileIsAnError) {
  {
    // The zero level at the centre: a falling law divides by zero there.
    Hand t;
    t.m.Rz = 0, t.m.Fq0 = 1e6, t.m.Fm0 = 1e6, t.m.q1 = 1, t.m.q2 = -1, t.m.m1 = t.m.m2 = 1;
    t.m.Ke = 1, t.m.gamma = 1;
    t.draw();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::PreviewError));
    EXPECT_EQ(ofType(t.picture1, DrawOp::Point, kRed).size(), 98u);
  }
  {
    Hand t;
    t.m.kMx = 0;  // no scale at all
    t.draw();
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::PreviewError));
  }
}

TEST(Preview, ATinyScaleAsksForAnotherScale) {
  TestLab t;
  t.set(P::Mx, "0.01");
  t.act(Action::Preview);
  ASSERT_FALSE(t.dialogs.messages.empty());
  EXPECT_EQ(t.dialogs.messages.back(), textOf(Msg::PreviewScale));
  EXPECT_TRUE(ofType(t.picture1, DrawOp::Point, kRed).empty());
  EXPECT_TRUE(ofType(t.picture1, DrawOp::Point, kBlue).empty());
}
