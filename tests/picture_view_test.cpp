// The pictures as views: what they keep is drawn again at the same scales
// as the run drew it, and at a new scale every place moves by the ratio of
// the scales; the kept dots stay bounded; a drag's preview is refused or
// drawn as the preview draws; the fitted scales are round and hold what
// is shown.
#include <gtest/gtest.h>

#include <cmath>

#include "app/views.h"
#include "support.h"

using namespace lumet;
using lumet::test::pointsOf;
using lumet::test::TestLab;

namespace {

// The race of the four rods, from rest at (0, 100) to (100, 0) in the
// Earth's flat uniform field.
void race(TestLab& t) {
  ASSERT_TRUE(t.open(LUMET_SOURCE_DIR "/examples/race.lumet").messages.empty());
}

}  // namespace

TEST(PictureView, TheSameScalesDrawTheSamePlacesAndANewScaleMovesThemByItsRatio) {
  TestLab t;
  t.act(Action::Start);
  ASSERT_TRUE(t.running());
  t.steps(300);
  const auto drawn1 = pointsOf(t.picture1);
  const auto drawn2 = pointsOf(t.picture2);
  ASSERT_GT(drawn1.size(), 10u);

  // Drawn again at the same scales: every kept dot where the run drew one.
  RecordingCanvas same1, same2;
  t.x.planeView.redraw(same1, ModelScales(t.m));
  t.x.plotView.redraw(same2, ModelScales(t.m));
  for (const auto& [same, drawn] : {std::pair{&same1, &drawn1}, std::pair{&same2, &drawn2}}) {
    const auto kept = pointsOf(*same);
    ASSERT_FALSE(kept.empty());
    for (const DrawOp& k : kept) {
      bool found = false;
      for (const DrawOp& d : *drawn)
        found = found || (d.a == k.a && d.b == k.b && d.colour == k.colour);
      EXPECT_TRUE(found) << k.a << " " << k.b;
    }
  }

  // Mx halved during the run: at the next step both pictures are cleared
  // and drawn again, every place of the plane twice as far from the origin.
  const double kMx = t.m.kMx;
  const auto before = pointsOf(same1);
  t.set(P::Mx, formatBox(1 / (2 * kMx)));
  ASSERT_EQ(t.picture1.ops.back().type, DrawOp::Point);  // drawn again at once
  const auto& ops = t.picture1.ops;
  size_t last = 0;
  for (size_t i = 0; i < ops.size(); ++i)
    if (ops[i].type == DrawOp::Clear) last = i;
  const bool cleared = last > 0;
  size_t k = 0;
  for (size_t i = last; i < ops.size(); ++i) {
    const DrawOp& op = ops[i];
    if (op.type != DrawOp::Point || k >= before.size()) continue;
    EXPECT_NEAR(op.a, 2 * before[k].a, 1e-5 * (1 + std::fabs(op.a)));
    EXPECT_NEAR(op.b, 2 * before[k].b, 1e-5 * (1 + std::fabs(op.b)));
    ++k;
  }
  EXPECT_TRUE(cleared);
  EXPECT_EQ(k, before.size());
  t.step();
  EXPECT_EQ(t.x.planeView.scales().kMx, 2 * kMx);
}

TEST(PictureView, ClearingForgetsAndTheGridsAreKept) {
  TestLab t;
  t.act(Action::Start);
  t.steps(20);
  t.act(Action::Clear);
  EXPECT_EQ(t.x.planeView.keptDots(), 0u);
  RecordingCanvas again;
  t.x.planeView.redraw(again, ModelScales(t.m));
  EXPECT_TRUE(pointsOf(again).empty());
  EXPECT_GT(again.ops.size(), 400u);  // the grid's lines
}

TEST(PictureView, KeptDotsStayBounded) {
  PictureView v(true);
  v.setScales({1, 1, 1});
  Model m;
  m.kMx = 1;
  Choices ch = ReadChoices(Parameters());
  // A body that never comes back to a cell: three times the bound.
  for (size_t k = 0; k < 3 * PictureView::kMaxDots; ++k) {
    m.X[5] = std::cos(k * 1e-3) * (1 + k * 1e-5);
    m.Y[5] = std::sin(k * 1e-3) * (1 + k * 1e-5);
    v.positions(m, ch, 5);
  }
  EXPECT_LE(v.keptDots(), PictureView::kMaxDots);
  EXPECT_GT(v.keptDots(), PictureView::kMaxDots / 8);
}

TEST(PictureView, ADragIsRefusedWithItsReasonOrDrawnAsThePreview) {
  TestLab t;
  race(t);
  t.lab.beginDrag();
  // The end above the start: no cycloid; the end stays where it was.
  Report r = t.lab.drag({{P::Xk, "100"}, {P::Yk, "120"}});
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_EQ(r.problems[0].second, Message(Msg::CycloidYn));
  EXPECT_EQ(t.p.text(P::Yk), "0");
  // Accepted: the texts are set and the rods drawn; a second move draws
  // them again over what was shown at the beginning only.
  r = t.lab.drag({{P::Xk, "80"}, {P::Yk, "10"}});
  EXPECT_TRUE(r.problems.empty());
  EXPECT_EQ(t.p.text(P::Xk), "80");
  const size_t once = t.picture1.ops.size();
  r = t.lab.drag({{P::Xk, "90"}, {P::Yk, "10"}});
  size_t clears = 0, after = 0;
  for (const DrawOp& op : t.picture1.ops) {
    if (op.type == DrawOp::Clear) ++clears, after = 0;
    ++after;
  }
  EXPECT_GE(clears, 2u);
  EXPECT_GT(once, 0u);
  EXPECT_LT(after, once + 10);
  EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST(PictureView, FittedScalesAreRoundAndHoldTheRace) {
  EXPECT_EQ(RoundUp125(0.3), 0.5);
  EXPECT_EQ(RoundUp125(1), 1);
  EXPECT_EQ(RoundUp125(1.01), 2);
  EXPECT_EQ(RoundUp125(3), 5);
  EXPECT_EQ(RoundUp125(7e5), 1e6);
  TestLab t;
  race(t);
  t.act(Action::Preview);
  const FittedScales f = FitScales(t.x);
  // 100 m from the origin and a tenth more over 5 cm: 22 m/cm, the next
  // round value is 50 (the Earth's surface 6400 km below is too far to be
  // seen with the rods).
  ASSERT_TRUE(f.Mx);
  EXPECT_EQ(*f.Mx, 50);
  t.act(Action::Start);
  t.steps(200);
  const FittedScales g = FitScales(t.x);
  ASSERT_TRUE(g.M && g.Mt);
  double value, time;
  ASSERT_TRUE(t.x.plotView.plotExtent(value, time));
  EXPECT_LE(value, 4 * *g.M);
  EXPECT_LE(time, 14 * *g.Mt);
  EXPECT_GT(time, 14 * *g.Mt / 2.5);
}
