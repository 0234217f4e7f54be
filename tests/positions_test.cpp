#include <gtest/gtest.h>

#include "display/display.h"
#include "model/messages.h"
#include "support.h"

using namespace lumet;
using lumet::test::pointsOf;
using lumet::test::TestLab;

namespace {

void drawPositions(TestLab& t) {
  DrawPositions(t.picture1, t.m, ReadChoices(t.p), t.p.number(P::colour5).value_or(5));
}

}  // namespace

TEST(Positions, FreeBodyColourFollowsTheColourBox) {
  struct Case {
    const char* text;
    Rgb colour;
  } cases[] = {
      {"-3", {0, 230, 230}},       {"0", {0, 230, 230}},   {"1", {0, 230, 230}},
      {"1.5", {0, 0, 255}},        {"2", {0, 0, 255}},     {"2.5", {0, 230, 0}},
      {"3", {0, 230, 0}},          {"3,01", {255, 0, 0}},  {"4", {255, 0, 0}},
      {"4.0001", {130, 130, 100}}, {"7", {130, 130, 100}},
  };
  for (const auto& c : cases) {
    TestLab t;
    t.set(P::colour5, c.text);
    t.m.kMx = 1;
    t.m.X[5] = 1;
    t.m.Y[5] = -2;
    drawPositions(t);
    auto pts = pointsOf(t.picture1);
    ASSERT_EQ(pts.size(), 1u) << c.text;
    EXPECT_EQ(pts[0].colour, c.colour) << c.text;
    EXPECT_EQ(pts[0].a, 1);
    EXPECT_EQ(pts[0].b, -2);
  }
}

TEST(Positions, OnlyActiveBodiesInTheirRodsColours) {
  TestLab t;
  for (P id : {P::line, P::cycloid, P::parabola, P::arc}) t.check(id, true);
  t.check(P::free, false);
  t.check(P::parabola, false);
  t.m.kMx = 0.5;
  for (int i = 1; i <= 5; ++i) {
    t.m.X[i] = i;
    t.m.Y[i] = -i;
  }
  drawPositions(t);
  auto pts = pointsOf(t.picture1);
  ASSERT_EQ(pts.size(), 3u);
  EXPECT_EQ(pts[0].colour, (Rgb{0, 230, 230}));
  EXPECT_EQ(pts[1].colour, (Rgb{0, 0, 255}));
  EXPECT_EQ(pts[2].colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(pts[2].a, 2);
  EXPECT_EQ(pts[2].b, -2);
}

TEST(Positions, AnUndrawablePlaceIsAFailure) {
  struct Case {
    const char* what;
    double kMx, x;
    const char* colourText;
  } cases[] = {
      {"beyond single precision", 1, 1e300, "5"},
      {"beyond the picture's pixels", 1e6, 1e6, "5"},
  };
  for (const auto& c : cases) {
    TestLab t;
    t.m.kMx = c.kMx;
    t.m.X[5] = c.x;
    t.set(P::colour5, c.colourText);
    EXPECT_THROW(drawPositions(t), Failure) << c.what;
    EXPECT_TRUE(pointsOf(t.picture1).empty()) << c.what;
  }
}
