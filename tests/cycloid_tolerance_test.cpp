// "--" and the cycloid: a step finishes at once with the plain walk's answer
// however often "--" was pressed, and "--" stops at the tolerance's floor
// with one message a press.
#include <gtest/gtest.h>

#include <cmath>

#include "app/setup_file.h"
#include "model/messages.h"
#include "physics/cycloid.h"
#include "physics/cycloid_path.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

void press(TestLab& t, Action a, int times) {
  for (int n = 0; n < times; ++n) ASSERT_TRUE(t.act(a).handled);
}

// The search for body 2 where the start put it, at the current "--".
struct AtTheStart {
  CycloidRod rod;
  double psiB, guess, Dfi;

  explicit AtTheStart(const Model& m)
      : rod{m.R2, m.X20, m.Y20, m.Pi},
        psiB(RayAngle(rod, m.X[2], m.Y[2])),
        guess(CycloidGuess(psiB, m.Pi)),
        Dfi(2 / m.KDfi) {}
  CycloidPoint search() const { return CycloidSearch(rod, psiB, guess, Dfi); }
  CycloidPoint walk() const { return CycloidWalk(rod, psiB, guess, Dfi); }
};

}  // namespace

// The rod "2-циклоида" from (0, 100) to Yк = 0: body 2 starts at the cusp,
// about 1.5e11 grid steps of the walk from its guess after 24 presses.
TEST(CycloidTolerance, CuspStartAfter24PressesFinishesWithTheWalksPoint) {
  TestLab t;
  t.check(P::cycloid, true);
  t.set(P::Xn, "0");
  t.set(P::Yn, "100");
  t.set(P::Yk, "0");
  ASSERT_TRUE(t.act(Action::Start).handled);
  ASSERT_TRUE(t.dialogs.messages.empty());
  for (int n : {0, 4, 8}) {  // where the walk ends within a test's time
    t.m.KDfi = 100000 * std::ldexp(1.0, n);
    AtTheStart at(t.m);
    CycloidPoint search = at.search(), walk = at.walk();
    EXPECT_EQ(search.k, walk.k) << n;
    EXPECT_EQ(search.fi2, walk.fi2) << n;
    EXPECT_TRUE(search.proven);
  }
  t.m.KDfi = 100000;
  press(t, Action::Finer, 24);
  AtTheStart at(t.m);
  CycloidPoint p = at.search();
  EXPECT_TRUE(p.proven);
  EXPECT_GT(p.k, 100000000000);
  // The walk's last steps before it: each goes on, and this one stops.
  cycloid::Path path{at.rod, at.psiB, at.guess, at.Dfi, 1, CycloidWalkBound(at.Dfi)};
  for (int64_t k = p.k - 1000; k < p.k; ++k) ASSERT_GE(path.margin(path.at(k)), 0) << k;
  EXPECT_LT(path.margin(path.at(p.k)), 0);
  EXPECT_EQ(p.fi2, path.fiAt(p.k));
  ASSERT_TRUE(t.act(Action::Step).handled);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_TRUE(t.running());
}

// The modified cycloid with the default geometry: its search gives up, so
// the arch left behind is bent upwards and body 2 sits level with P. The
// walk climbs away from the bead to its bound at every Dfi; each step fails
// at once.
TEST(CycloidTolerance, ModifiedCycloidFailsAtOnceAfterAnyPresses) {
  TestLab t;
  t.check(P::cycloid, true);
  t.check(P::modified_cycloid, true);
  ASSERT_TRUE(t.act(Action::Start).handled);
  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::CycloidNotFound));
  AtTheStart at(t.m);
  ASSERT_LT(at.rod.R2, 0);
  EXPECT_THROW(at.walk(), Failure);
  EXPECT_THROW(at.search(), Failure);
  int pressed = 0;
  for (int n : {7, 12, 16, 31}) {
    press(t, Action::Finer, n - pressed);
    pressed = n;
    ASSERT_TRUE(t.act(Action::Continue).handled);  // "Продолжить"
    t.dialogs.messages.clear();
    ASSERT_TRUE(t.act(Action::Step).handled);
    ASSERT_FALSE(t.dialogs.messages.empty()) << n;
    EXPECT_EQ(t.dialogs.messages.back(), textOf(Msg::SolveError)) << n;
    EXPECT_FALSE(t.running()) << n;
  }
}

// 31 presses of "--" reach the floor, 18 of "+" the ceiling (a step of a
// whole turn); each press past either shows one message and leaves the
// tolerance as it is; the other button still works, and so does this one
// after it.
TEST(CycloidTolerance, FinerAndCoarserStopAtTheirBoundWithOneMessageAPress) {
  const struct {
    Action press, back;
    int presses;
    double bound;
    Msg message;
  } bounds[] = {
      {Action::Finer, Action::Coarser, 31, 100000 * std::ldexp(1.0, 31), Msg::CycloidFinest},
      {Action::Coarser, Action::Finer, 18, 100000 * std::ldexp(1.0, -18), Msg::CycloidCoarsest}};
  for (const auto& b : bounds) {
    TestLab t;
    ASSERT_TRUE(t.act(Action::Start).handled);
    press(t, b.press, b.presses);
    EXPECT_TRUE(t.dialogs.messages.empty());
    EXPECT_EQ(t.m.KDfi, b.bound);
    for (int n = 1; n <= 2; ++n) {
      ASSERT_TRUE(t.act(b.press).handled);
      ASSERT_EQ(t.dialogs.messages.size(), size_t(n));
      EXPECT_EQ(t.dialogs.messages.back(), textOf(b.message));
      EXPECT_EQ(t.m.KDfi, b.bound);
    }
    EXPECT_TRUE(t.running());  // the run goes on
    ASSERT_TRUE(t.act(b.back).handled);
    EXPECT_NE(t.m.KDfi, b.bound);
    ASSERT_TRUE(t.act(b.press).handled);
    EXPECT_EQ(t.m.KDfi, b.bound);
    EXPECT_EQ(t.dialogs.messages.size(), 2u);
    // A saved set-up at the bound opens again.
    const std::string file = t.dir + "/bound.lumet";
    ASSERT_TRUE(SaveSetup(t.x, file).ok());
    EXPECT_TRUE(readSetupFile(file).setup);
  }
}
