// The scales and legends the window writes over the pictures: round numbers
// at the places they stand for, in metres, seconds and the plotted
// quantity's unit; the beads, rods and markers read from the model.
#include "display/axes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/setup_file.h"
#include "display/display.h"
#include "display/legend.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(Axes, RoundNumbersAreOneTwoOrFiveTimesAPowerOfTen) {
  const struct {
    double lo, hi;
    int most;
    std::vector<double> want;
  } rows[] = {
      {-100, 100, 6, {-100, -50, 0, 50, 100}},
      {0, 7, 8, {0, 1, 2, 3, 4, 5, 6, 7}},
      {0, 7, 7, {0, 2, 4, 6}},
      {5, -5, 6, {-4, -2, 0, 2, 4}},  // either order
      {-0.35, 0.35, 4, {-0.2, 0, 0.2}},
      {1e9, 3e9, 3, {1e9, 2e9, 3e9}},
      {0, 0, 5, {}},
      {0, INFINITY, 5, {}},
  };
  for (const auto& r : rows) {
    const std::vector<double> got = roundNumbers(r.lo, r.hi, r.most);
    ASSERT_EQ(got.size(), r.want.size()) << r.lo << ".." << r.hi;
    for (size_t k = 0; k < got.size(); ++k) EXPECT_NEAR(got[k], r.want[k], 1e-12 * std::fabs(r.hi));
  }
  // Invariants over many ranges: at most `most`, evenly spaced, inside.
  for (double span : {1e-7, 0.3, 1.0, 7.7, 123.0, 4e5, 9e14})
    for (int most : {4, 6, 8}) {
      const std::vector<double> got = roundNumbers(-span / 3, span, most);
      ASSERT_GE(got.size(), 2u);
      ASSERT_LE(int(got.size()), most);
      const double step = got[1] - got[0];
      const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
      EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-6 || std::fabs(mantissa - 2) < 1e-6 ||
                  std::fabs(mantissa - 5) < 1e-6)
          << step;
      EXPECT_GE(got.front(), -span / 3 - 1e-12 * span);
      EXPECT_LE(got.back(), span * (1 + 1e-12));
    }
}

TEST(Axes, ANumberIsWrittenAsItsStepNeedsOrInTheExponentForm) {
  const struct {
    double v, step;
    const char* want;
  } rows[] = {
      {0, 1, "0"},          {-0.0, 1, "0"},    {50, 50, "50"},        {-2.5, 0.5, "-2.5"},
      {0.02, 0.01, "0.02"}, {1.5, 0.5, "1.5"}, {2e-5, 1e-5, "2e-05"}, {2.5e-5, 5e-6, "2.5e-05"},
      {3e13, 1e13, "3e+13"}};
  for (const auto& r : rows) EXPECT_EQ(scaleNumber(r.v, r.step), r.want) << r.v;
}

TEST(Axes, AScaleWritesItsNumbersWithAPrefixAsFits) {
  const struct {
    double perUnit;  // units per picture unit
    int power;
    const char* first;  // the label at the lowest number
    double firstAt;     // its picture coordinate
  } rows[] = {
      {20, 0, "-100", -5},         // Mx = 20 m/cm: -100 … 100 m
      {2000, 3, "-10", -5},        // -10 … 10 km
      {4e6, 6, "-20", -5},         // -20 … 20 Mm
      {3e8, 9, "-1", -1e9 / 3e8},  // -1 … 1 Gm
      {1e12, 0, "-4e+12", -4},    {1e-6, 0, "-4e-06", -4}, {0.05, 0, "-0.2", -4},
  };
  for (const auto& r : rows) {
    const Scale s = scaleOf(-5, 5, r.perUnit, 6);
    ASSERT_FALSE(s.at.empty()) << r.perUnit;
    EXPECT_EQ(s.power, r.power) << r.perUnit;
    EXPECT_EQ(s.labels.front(), r.first) << r.perUnit;
    EXPECT_NEAR(s.at.front(), r.firstAt, 1e-9) << r.perUnit;
    EXPECT_LE(s.at.size(), 6u);
  }
  // Without prefixes (momentum) the plain form; no scale for a scale of 0.
  EXPECT_EQ(scaleOf(-5, 5, 2000, 6, false).labels.front(), "-10000");
  EXPECT_TRUE(scaleOf(-5, 5, 0, 6).at.empty());
  EXPECT_TRUE(scaleOf(-5, 5, NAN, 6).at.empty());
}

TEST(Axes, TheTimePlotNamesTheGroupsItDraws) {
  TestLab t;
  t.choose(P::shown, "5");
  t.check(P::plot_V, true);
  t.check(P::plot_XY, true);
  t.act(Action::Start);
  const std::vector<PlotGroup> g = plottedGroups(t.m, t.x.choices());
  ASSERT_EQ(g.size(), 2u);
  EXPECT_STREQ(g[0].symbols, "X, Y");
  EXPECT_EQ(g[0].unit, Unit::metre);
  // The free body's coordinates at the plane's scale Mx, the rest at M.
  EXPECT_DOUBLE_EQ(g[0].perUnit, 1 / t.m.kMx);
  EXPECT_STREQ(g[1].symbols, "VX, VY");
  EXPECT_EQ(g[1].unit, Unit::metrePerSecond);
  EXPECT_DOUBLE_EQ(g[1].perUnit, 1 / t.m.kM);
  // A shown trajectory that does not take part draws nothing.
  t.choose(P::shown, "1");
  EXPECT_TRUE(plottedGroups(t.m, t.x.choices()).empty());
}

TEST(Legend, BeadsRodsAndMarkersFollowTheModel) {
  TestLab t;
  for (P p : {P::line, P::cycloid, P::parabola, P::arc}) t.check(p, true);
  t.check(P::free, false);
  t.choose(P::field, "flat");
  t.set(P::q1, "0");
  t.set(P::Mx, "20");
  t.set(P::Xn, "0");
  t.set(P::Yn, "100");
  t.set(P::Xk, "100");
  t.set(P::Yk, "0");
  t.set(P::VXn, "0");
  t.set(P::VYn, "0");
  t.act(Action::Start);
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];
  const Choices& ch = t.x.choices();
  const std::vector<Bead> beads = beadsOf(t.m, ch, 5);
  ASSERT_EQ(beads.size(), 4u);
  for (const Bead& b : beads) {
    EXPECT_EQ(b.colour, trajectoryColour(b.body));
    EXPECT_DOUBLE_EQ(b.x, t.m.X[b.body] * t.m.kMx);
    EXPECT_DOUBLE_EQ(b.y, t.m.Y[b.body] * t.m.kMx);
  }
  // Each rod in its colour: the line, the sampled cycloid and parabola,
  // the arc; no markers among them.
  const std::vector<DrawOp> rods = rodsOf(t.m, ch);
  int perRod[5] = {};
  for (const DrawOp& op : rods) {
    EXPECT_NE(op.type, DrawOp::Circle);
    for (int i = 1; i <= 4; ++i) perRod[i] += op.colour == trajectoryColour(i);
  }
  EXPECT_EQ(perRod[1], 1);
  EXPECT_EQ(perRod[2], 500);
  EXPECT_EQ(perRod[3], 500);
  EXPECT_EQ(perRod[4], 1);
  // The start marker (0, 5) at the top edge is moved in whole; the end
  // marker (5, 0) at the right edge too.
  const std::vector<Marker> markers = markersOf(t.m);
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_DOUBLE_EQ(markers[0].x, 0);
  EXPECT_DOUBLE_EQ(markers[0].y, 5 - markers[0].r);
  EXPECT_DOUBLE_EQ(markers[1].x, 5 - markers[1].r);
  EXPECT_DOUBLE_EQ(markers[1].y, 0);
  // The legend names the ticked trajectories in order.
  const std::vector<LegendRow> legend = planeLegend(ch, 5, 0);
  ASSERT_EQ(legend.size(), 4u);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(legend[i - 1].key, trajectoryKey(i));
    EXPECT_EQ(legend[i - 1].colour, trajectoryColour(i));
    EXPECT_FALSE(legend[i - 1].dashed);
  }
}

TEST(Legend, TheProfilesThePreviewDrewAreNamedUntilThePicturesAreCleared) {
  TestLab t;          // the default: a sphere of gravity, the free body
  t.set(P::q1, "0");  // no electric field
  t.act(Action::Preview);
  EXPECT_EQ(t.x.profiles, unsigned(kGravityProfile));
  const std::vector<LegendRow> legend = planeLegend(t.x.choices(), 5, t.x.profiles);
  ASSERT_FALSE(legend.empty());
  EXPECT_EQ(legend.back().key, LegendKey::gravityProfile);
  EXPECT_TRUE(legend.back().dashed);
  // The free body by the colour number of "Цвет5".
  EXPECT_EQ(legend.front().key, LegendKey::free);
  EXPECT_EQ(planeLegend(t.x.choices(), 2.5, 0).front().colour, trajectoryColour(3));
  t.act(Action::Clear);
  EXPECT_EQ(t.x.profiles, 0u);
}

TEST(Legend, TheLightExperimentNamesItsLayersUntilThePicturesAreCleared) {
  TestLab t;
  t.check(P::autoPn, true);
  t.act(Action::Light);
  ASSERT_EQ(t.x.layers.size(), 20u);
  // Layer 10 at the top, from 9 m to 10 m, each one below the last; no
  // index below that of the vacuum.
  EXPECT_DOUBLE_EQ(t.x.layers.front().top, 10 * t.m.kMx);
  EXPECT_DOUBLE_EQ(t.x.layers.back().bottom, -10 * t.m.kMx);
  for (size_t k = 1; k < t.x.layers.size(); ++k)
    EXPECT_DOUBLE_EQ(t.x.layers[k].top, t.x.layers[k - 1].bottom);
  for (const Experiment::Layer& l : t.x.layers) EXPECT_GE(l.index, 1);
  t.act(Action::Clear);
  EXPECT_TRUE(t.x.layers.empty());
}

TEST(Legend, AnOpenedSetUpStartsAfresh) {
  // The default orbit previewed and run for a while: pictures drawn, the
  // result table written.
  TestLab t;
  t.set(P::h, "1");
  t.act(Action::Preview);
  t.act(Action::Start);
  for (int k = 0; k < 20; ++k) t.tick();
  ASSERT_TRUE(t.x.shown.has(V::T1));
  ASSERT_NE(t.x.profiles, 0u);
  const SetupRead r = parseSetup(setupText(captureSetup(t.x)));
  ASSERT_TRUE(r.setup);
  t.picture1.ops.clear();
  t.picture2.ops.clear();
  const Report report = t.lab.take(*r.setup);
  // Both pictures cleared to their grids, the table emptied (and shown
  // so), nothing set up to draw beads on.
  for (const RecordingCanvas* c : {&t.picture1, &t.picture2}) {
    ASSERT_FALSE(c->ops.empty());
    EXPECT_EQ(c->ops.front().type, DrawOp::Clear);
  }
  for (int k = 1; k <= 5; ++k)
    for (V column : {V::T1, V::ColMV1, V::ColTmU1, V::ColT1, V::ColTpU1}) {
      EXPECT_FALSE(t.x.shown.has(tableValue(column, k)));
      EXPECT_NE(std::find(report.values.begin(), report.values.end(), tableValue(column, k)),
                report.values.end());
    }
  EXPECT_EQ(t.x.profiles, 0u);
  EXPECT_FALSE(t.x.setUp);
  EXPECT_TRUE(report.messages.empty());
}
