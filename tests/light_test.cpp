#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/lab.h"
#include "display/recording_canvas.h"
#include "light/ray.h"
#include "model/messages.h"
#include "model/numbers.h"
#include "support.h"

using namespace lumet;
using namespace lumet::light;

namespace {

// The laboratory as the light experiment finds it: the two aims in "Xн" and
// "Xк", the pictures' records emptied.
struct LightLab : test::TestLab {
  LightLab(const char* xn, const char* xk, bool autoPn = true) {
    set(P::Xn, xn);
    set(P::Xk, xk);
    check(P::autoPn, autoPn);
    picture1.ops.clear();
    picture2.ops.clear();
  }
  // "Свет", traced for at most maxPasses passes.
  Report light(int maxPasses = 10000) {
    return run([&](Lab& lab) { LightExperiment(lab, maxPasses); });
  }
  double box(V v) const { return *parseNumber(shown(v)); }
  // Segments of the rays, in drawing order.
  std::vector<DrawOp> segments() const {
    std::vector<DrawOp> s;
    for (const auto& op : picture1.ops)
      if (op.type == DrawOp::Line && (op.colour == Rgb{0, 0, 255} || op.colour == Rgb{255, 0, 0}))
        s.push_back(op);
    return s;
  }
};

struct Trace {
  int steps = 0;
  int turnedAt = 99;  // boundary of the (first) reflection
  int lastBoundary = 0;
  double x = 0, time = 0;
  std::vector<double> invariant;  // K·sin in the layer entered, per step
};

// The core alone: one ray stepped until it leaves the area.
Trace TraceRay(double aim, const IndexTable& K, int bound = 10000) {
  LightRay ray;
  AimRay(ray, aim);
  StartRay(ray);
  Trace t;
  t.invariant.push_back(K(LayerEntered(10, -1)) * ray.sinAt(10));
  while (InArea(ray.boundary) && t.steps < bound) {
    const double d = ray.direction;
    StepRay(ray, K);
    ++t.steps;
    if (ray.direction != d && t.turnedAt == 99) t.turnedAt = ray.boundary;
    t.invariant.push_back(K(LayerEntered(ray.boundary, ray.direction)) * ray.sinAt(ray.boundary));
    t.lastBoundary = ray.boundary;
    t.x = ray.xAt(ray.boundary);
    t.time = ray.travelTime;
    AdvanceRay(ray);
  }
  return t;
}

const IndexTable kDefault = BuildIndexTable(false, false, 0);

}  // namespace

TEST(LightIndex, DefaultTableAndOuterCopies) {
  const double expected[20] = {2.0, 2.0, 2.0, 2.0, 1.8, 1.6, 1.4, 1.2, 1.0, 1.2,
                               1.4, 1.6, 1.8, 2.0, 1.8, 1.6, 1.4, 1.2, 1.0, 1.2};
  double sum = 0;
  for (int n = 10; n >= -9; --n) {
    EXPECT_EQ(kDefault(n), expected[10 - n]) << n;
    sum += kDefault(n);
  }
  EXPECT_NEAR(sum, 31.2, 1e-12);
  EXPECT_EQ(kDefault(11), kDefault(10));
  EXPECT_EQ(kDefault(-10), kDefault(-9));
}

TEST(LightIndex, LinearAndSquareLawsBySignOfDn) {
  struct Case {
    bool power1;
    double Dn;
    int n;
    double K;
  } cases[] = {
      {true, 0.05, -9, 1.0},   {true, 0.05, 10, 1.95},   {true, 0.05, 0, 1.45},
      {true, -0.1, 10, 1.0},   {true, -0.1, -9, 2.9},    {true, 0, 3, 1.0},
      {false, 0.01, -9, 1.0},  {false, 0.01, 10, 4.61},  {false, 0.01, 1, 2.0},
      {false, -0.01, 10, 1.0}, {false, -0.01, -9, 4.61}, {false, -0.01, 0, 2.0},
  };
  for (const auto& c : cases) {
    IndexTable K = BuildIndexTable(true, c.power1, c.Dn);
    EXPECT_NEAR(K(c.n), c.K, 1e-12) << c.power1 << " " << c.Dn << " " << c.n;
    EXPECT_EQ(K(11), K(10));
    EXPECT_EQ(K(-10), K(-9));
  }
  EXPECT_THROW(BuildIndexTable(true, false, 1e306), Failure);
}

// Golden values from tests/tools/light_golden.py (invariant K·sin per layer).
TEST(LightRay, DocumentedRaysWithTheDefaultTable) {
  struct Case {
    double aim;
    int steps, turnedAt, exitBoundary;
    double x, time;
  } cases[] = {
      {10, 8, 6, 10, 150, 320.399750311994},
      {-9, 12, 4, 10, 4.3196472700960795, 35.28851657659509},
      {-9.5, 20, 99, -10, 7.203894940943108, 40.32352896553565},
      {-10, 20, 99, -10, -10, 31.2},
      // Aimed left of the source: a sine of -1 or less reflects too.
      {-20, 8, 6, 10, -90, 160.7980099379342},
      {0, 8, 6, 10, 70, 160.7980099379342},
  };
  for (const auto& c : cases) {
    Trace t = TraceRay(c.aim, kDefault);
    EXPECT_EQ(t.steps, c.steps) << c.aim;
    EXPECT_EQ(t.turnedAt, c.turnedAt) << c.aim;
    EXPECT_EQ(t.lastBoundary, c.exitBoundary) << c.aim;
    EXPECT_NEAR(t.x, c.x, 1e-9 * (1 + std::fabs(c.x))) << c.aim;
    EXPECT_NEAR(t.time, c.time, 1e-9 * c.time) << c.aim;
  }
}

TEST(LightRay, AimSetsSineAndAngleOfTheTopLayer) {
  LightRay ray;
  AimRay(ray, 10);
  EXPECT_NEAR(ray.sinAt(10), 0.99875, 5e-6);
  EXPECT_NEAR(ray.angleAt(10), std::asin(20 / std::sqrt(401.0)), 1e-12);
  EXPECT_EQ(ray.xAt(10), -10);
  EXPECT_EQ(ray.xAt(9), 10);
  AimRay(ray, -9);
  EXPECT_NEAR(ray.sinAt(10), std::sqrt(0.5), 1e-12);
  AimRay(ray, -10);
  EXPECT_EQ(ray.sinAt(10), 0);
  EXPECT_EQ(ray.angleAt(10), 0);
}

TEST(LightRay, SnellInvariantHoldsAndEveryRayEndsAtAnEdge) {
  std::mt19937_64 rng(20240611);
  std::uniform_real_distribution<double> aim(-40, 40), dn(-0.2, 0.2);
  std::uniform_real_distribution<double> decades(0, 7);
  std::bernoulli_distribution coin(0.5);
  for (int k = 0; k < 6000; ++k) {
    const bool autoDn = k % 4 != 0;
    IndexTable K = BuildIndexTable(autoDn, coin(rng), dn(rng));
    // Half the aims near the source, half far out where the sine nears 1.
    const double a = k % 2 ? aim(rng) : (coin(rng) ? 1 : -1) * std::pow(10, decades(rng)) - 10;
    Trace t = TraceRay(a, K);
    ASSERT_LT(t.steps, 10000) << a;
    EXPECT_TRUE(t.lastBoundary == 10 || t.lastBoundary == -10) << a;
    for (double inv : t.invariant)
      EXPECT_NEAR(inv, t.invariant.front(), 1e-12 * std::fabs(t.invariant.front()) + 1e-300) << a;
    // Crossing down and back up again, or straight down.
    EXPECT_TRUE(t.steps == 20 || (t.steps % 2 == 0 && t.lastBoundary == 10)) << a;
  }
}

TEST(LightExperiment, DocumentedRaysThroughTheBoxes) {
  LightLab L("10", "-9.5");
  L.light();
  EXPECT_TRUE(L.dialogs.messages.empty());
  EXPECT_TRUE(L.dialogs.questions.empty());  // "AutoPn"
  // Ray 1 left through the top after 8 steps and keeps its last values.
  EXPECT_EQ(L.shown(V::ray1_layer), "10");
  EXPECT_NEAR(L.box(V::ray1_x), 150, 1e-9);
  EXPECT_NEAR(L.box(V::ray1_angle), std::asin(20 / std::sqrt(401.0)) * 180 / 3.141592654, 1e-9);
  EXPECT_NEAR(L.box(V::ray1_sin), 20 / std::sqrt(401.0), 1e-12);
  EXPECT_NEAR(L.box(V::ray1_speed), 0.5, 1e-15);
  EXPECT_NEAR(L.box(V::ray1_time), 320.399750311994, 1e-9);
  // Ray 2 left through the bottom.
  EXPECT_EQ(L.shown(V::ray2_layer), "-10");
  EXPECT_NEAR(L.box(V::ray2_x), 7.203894940943108, 1e-9);
  EXPECT_NEAR(L.box(V::ray2_speed), 1 / 1.2, 1e-12);  // 12 digits shown
  EXPECT_NEAR(L.box(V::ray2_time), 40.32352896553565, 1e-9);
  EXPECT_EQ(L.m.kMx, 0.5);
  EXPECT_FALSE(L.running());
}

TEST(LightExperiment, LeftOfTheSourceReflectsInsteadOfFailing) {
  LightLab L("-20", "-10");
  L.light();
  EXPECT_TRUE(L.dialogs.messages.empty());
  EXPECT_EQ(L.shown(V::ray1_layer), "10");
  EXPECT_NEAR(L.box(V::ray1_x), -90, 1e-9);
  EXPECT_LT(L.box(V::ray1_sin), 0);
  EXPECT_NEAR(L.box(V::ray2_time), 31.2, 1e-12);
}

TEST(LightExperiment, AutoDnZeroGoesStraightToTheBottom) {
  LightLab L("-7", "10");
  L.check(P::autoDn, true);
  L.set(P::Dn, "0");
  L.light();
  EXPECT_EQ(L.shown(V::ray1_layer), "-10");
  EXPECT_NEAR(L.box(V::ray1_x), -10 + 20 * 3, 1e-9);
  EXPECT_EQ(L.shown(V::ray2_layer), "-10");
  EXPECT_NEAR(L.box(V::ray2_x), -10 + 20 * 20, 1e-9);
  EXPECT_EQ(L.shown(V::ray1_speed), "1");
  EXPECT_EQ(L.segments().size(), 40u);
}

TEST(LightExperiment, AutoDnLinearReflectsAtTheFirstBoundary) {
  LightLab L("0", "10", false);
  L.check(P::autoDn, true);
  L.choose(P::power, "1");
  L.set(P::Dn, "0.05");
  L.light();
  // Two passes: both on y = 9, then both back on the top edge.
  EXPECT_EQ(L.dialogs.questions.size(), 2u);
  for (const auto& q : L.dialogs.questions) EXPECT_EQ(q, textOf(Msg::LightContinue));
  EXPECT_EQ(L.shown(V::ray1_layer), "10");
  EXPECT_EQ(L.shown(V::ray2_layer), "10");
  EXPECT_NEAR(L.box(V::ray1_x), 10, 1e-9);
  EXPECT_NEAR(L.box(V::ray2_x), 30, 1e-9);
  EXPECT_NEAR(L.box(V::ray1_speed), 1 / 1.95, 1e-12);  // 12 digits shown
}

TEST(LightExperiment, OneQuestionPerPassAndNoStopsThere) {
  {
    LightLab L("-9", "-10", false);  // 12 and 20 steps: 20 passes
    L.light();
    EXPECT_EQ(L.dialogs.questions.size(), 20u);
    EXPECT_TRUE(L.dialogs.messages.empty());
  }
  {
    LightLab L("-9", "-10", false);
    L.dialogs.answers = {true, true, false};
    L.light();
    EXPECT_EQ(L.dialogs.questions.size(), 3u);
    EXPECT_EQ(L.shown(V::ray1_layer), "7");
    EXPECT_EQ(L.shown(V::ray2_layer), "7");
    EXPECT_NEAR(L.box(V::ray1_x), -9 + 2, 1e-12);
    EXPECT_NEAR(L.box(V::ray2_time), 2 + 2 + 2, 1e-12);
    EXPECT_EQ(L.segments().size(), 6u);
  }
  {
    // The first question comes with both rays on y = 9.
    LightLab L("-9", "-10", false);
    L.dialogs.answers = {false};
    L.light();
    EXPECT_EQ(L.dialogs.questions.size(), 1u);
    EXPECT_EQ(L.shown(V::ray1_layer), "9");
    EXPECT_NEAR(L.box(V::ray1_x), -9, 1e-12);
    EXPECT_NEAR(L.box(V::ray1_angle), 45, 1e-6);
  }
}

TEST(LightExperiment, APictureOfGridProfileAndBothRays) {
  LightLab L("-9", "-9.5");
  L.light();
  const auto& ops = L.picture1.ops;
  // Grid first (scale, 21·21·2 grey lines, two axes), then the 20 strokes.
  ASSERT_GT(ops.size(), 1u + 882 + 2 + 20);
  EXPECT_EQ(ops[0].type, DrawOp::Scale);
  for (int n = 10; n >= -9; --n) {
    const DrawOp& s = ops[1 + 882 + 2 + (10 - n)];
    EXPECT_EQ(s.type, DrawOp::Line);
    EXPECT_EQ(s.colour, kColour1);
    EXPECT_DOUBLE_EQ(s.a, (kDefault(n) - 10) * 0.5);
    EXPECT_DOUBLE_EQ(s.c, s.a);
    EXPECT_DOUBLE_EQ(s.b, n * 0.5);
    EXPECT_DOUBLE_EQ(s.d, (n - 1) * 0.5);
  }
  // Segments: blue and red alternate while both rays move; each starts
  // where the last one of its ray ended and spans one layer.
  auto seg = L.segments();
  ASSERT_EQ(seg.size(), 12u + 20u);
  EXPECT_EQ(ops.size(), 1u + 882 + 2 + 20 + 32);
  DrawOp last[2] = {};
  int count[2] = {};
  for (size_t k = 0; k < seg.size(); ++k) {
    const int r = seg[k].colour == Rgb{0, 0, 255} ? 0 : 1;
    if (k < 24) {
      EXPECT_EQ(r, int(k % 2)) << k;
    }
    if (count[r] == 0) {
      EXPECT_DOUBLE_EQ(seg[k].a, -5);
      EXPECT_DOUBLE_EQ(seg[k].b, 5);
    } else {
      EXPECT_DOUBLE_EQ(seg[k].a, last[r].c);
      EXPECT_DOUBLE_EQ(seg[k].b, last[r].d);
    }
    EXPECT_DOUBLE_EQ(std::fabs(seg[k].d - seg[k].b), 0.5);
    last[r] = seg[k];
    ++count[r];
  }
  EXPECT_EQ(count[0], 12);
  EXPECT_EQ(count[1], 20);
  // Ray 1 turns on y = 4 and ends on the top edge; ray 2 on the bottom.
  EXPECT_NEAR(last[0].c, 4.3196472700960795 * 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(last[0].d, 5);
  EXPECT_NEAR(last[1].c, 7.203894940943108 * 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(last[1].d, -5);
  double lowest = 5;
  for (const auto& s : seg)
    if (s.colour == Rgb{0, 0, 255}) lowest = std::min(lowest, s.d);
  EXPECT_DOUBLE_EQ(lowest, 2);
}

TEST(LightExperiment, ANumberThatIsNotOneChangesNothing) {
  for (P bad : {P::Xn, P::Xk, P::Dn}) {
    LightLab L("-9", "-9.5");
    L.set(bad, "1,5.2");
    L.m.kMx = 1e-6;
    const Report r = L.light();
    ASSERT_EQ(L.dialogs.messages.size(), 1u);
    EXPECT_EQ(L.dialogs.messages[0], textOf(Msg::BadData));
    EXPECT_TRUE(L.picture1.ops.empty());
    // Only the parameter that failed changed: it is flagged and is the one
    // to correct; no value is shown.
    EXPECT_EQ(r.flags, std::vector<P>{bad});
    EXPECT_TRUE(r.values.empty());
    EXPECT_TRUE(r.written.empty());
    EXPECT_TRUE(L.flagged(bad));
    EXPECT_EQ(r.focus, bad);
    EXPECT_EQ(L.m.kMx, 1e-6);
  }
  // An index law that overflows is unusable data too.
  LightLab L("-9", "-9.5");
  L.check(P::autoDn, true);
  L.set(P::Dn, "1e306");
  L.light();
  ASSERT_EQ(L.dialogs.messages.size(), 1u);
  EXPECT_EQ(L.dialogs.messages[0], textOf(Msg::BadData));
  EXPECT_TRUE(L.picture1.ops.empty());
}

TEST(LightExperiment, AnAbscissaTooLargeToDrawEndsWithItsMessage) {
  // 5e7 m per layer: the third segment leaves the range of the picture.
  LightLab L("5e7", "-10");
  L.light();
  ASSERT_EQ(L.dialogs.messages.size(), 1u);
  EXPECT_EQ(L.dialogs.messages[0], textOf(Msg::LightAbscissa));
  EXPECT_EQ(L.shown(V::ray1_layer), "8");
  EXPECT_EQ(L.shown(V::ray2_layer), "8");
  EXPECT_EQ(L.segments().size(), 4u);
  // An index profile stroke beyond the picture's range: nothing traced.
  LightLab S("-9", "-9.5");
  S.check(P::autoDn, true);
  S.set(P::Dn, "1e9");
  S.light();
  ASSERT_EQ(S.dialogs.messages.size(), 1u);
  EXPECT_EQ(S.dialogs.messages[0], textOf(Msg::LightAbscissa));
  EXPECT_TRUE(S.segments().empty());
}

TEST(LightExperiment, TheTraceIsBoundedAndTheBoundIsAnError) {
  LightLab L("-9.5", "-10", false);
  L.light(5);
  EXPECT_EQ(L.dialogs.questions.size(), 5u);
  ASSERT_EQ(L.dialogs.messages.size(), 1u);
  EXPECT_EQ(L.dialogs.messages[0], textOf(Msg::LightError));
  EXPECT_EQ(L.shown(V::ray1_layer), "5");
  EXPECT_EQ(L.shown(V::ray2_layer), "5");
}

TEST(LightExperiment, NeverTouchesTheRun) {
  LightLab L("-9", "10");
  L.x.running = true;
  EXPECT_TRUE(L.light().running);
  EXPECT_TRUE(L.running());
}
