// Whole runs through the laboratory's handlers: the real start, then timer
// ticks and single steps.
#include <gtest/gtest.h>

#include "model/messages.h"
#include "model/numbers.h"
#include "support.h"

using namespace lumet;

TEST(PhysicsRun, DefaultFreeOrbitKeepsItsEnergyAndFinishesAt2840) {
  test::TestLab t;
  t.choose(P::shown, "5");
  ASSERT_TRUE(t.act(Action::Start).handled);
  ASSERT_TRUE(t.running());
  EXPECT_NEAR(t.m.E0[5], 33065800, 1e-6);
  for (int k = 1; k <= 3000; ++k) {
    ASSERT_TRUE(t.tick().handled);
    ASSERT_NEAR(t.m.E[5], t.m.E0[5], 0.01) << "step " << k;
  }
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_EQ(t.shown(V::T5), "2840");
  EXPECT_EQ(t.shown(V::T), "3000");
  EXPECT_EQ(t.shown(V::E0), formatBox(t.m.E0[5]));
  // The boxes match the independent replay (tests/tools/free_orbit_golden.py).
  EXPECT_PRED3(test::near, *parseNumber(t.shown(V::X)), 6559356.000691487, 1e-9);
  EXPECT_PRED3(test::near, *parseNumber(t.shown(V::Y)), -3221706.458797557, 1e-9);
  EXPECT_PRED3(test::near, *parseNumber(t.shown(V::VX)), 1927.2967707663258, 1e-9);
  EXPECT_PRED3(test::near, *parseNumber(t.shown(V::VY)), -6851.417371722519, 1e-9);
  EXPECT_PRED3(test::near, *parseNumber(t.shown(V::ColMV5)), 19319408.245233566, 1e-9);
  // Only the free body is drawn: one point per step on Picture1 after the
  // start's own drawing, and two per step on Picture2 (X and Y).
  int points2 = 0;
  for (const auto& op : t.picture2.ops) points2 += op.type == DrawOp::Point;
  EXPECT_EQ(points2, 6000);
}

TEST(PhysicsRun, SingleStepWorksWhileStopped) {
  test::TestLab t;
  t.choose(P::shown, "5");
  ASSERT_TRUE(t.act(Action::Start).handled);
  ASSERT_TRUE(t.act(Action::Stop).handled);
  EXPECT_FALSE(t.tick().handled);
  ASSERT_TRUE(t.act(Action::Step).handled);
  EXPECT_EQ(t.shown(V::T), "1");
  EXPECT_FALSE(t.running());
}

// A parameter read at every step that is being edited (empty, "0", "0." on
// the way to 0.5, or no number at all) does not stop the run: the step goes
// on with its last usable value and flags it until its text is usable.
TEST(PhysicsRun, AnEditedBoxKeepsItsLastValueAndTheRunGoesOn) {
  struct Case {
    P param;
    const char* text;
    double Model::*value;
  } cases[] = {{P::Mx, "0", &Model::kMx}, {P::Mx, "", &Model::kMx}, {P::M, "0.", &Model::kM},
               {P::Mt, "0", &Model::Mt},  {P::Mt, "-", &Model::Mt}, {P::Fx, "1e", &Model::FxBox}};
  for (const Case& c : cases) {
    test::TestLab t;
    ASSERT_TRUE(t.act(Action::Start).handled);
    ASSERT_TRUE(t.tick().handled);
    const double before = t.m.*c.value;
    t.set(c.param, c.text);
    ASSERT_TRUE(t.tick().handled);
    EXPECT_TRUE(t.dialogs.messages.empty()) << c.text;
    EXPECT_TRUE(t.running());
    EXPECT_EQ(t.m.*c.value, before);
    EXPECT_TRUE(t.flagged(c.param));
    EXPECT_FALSE(usableText(c.param, c.text));
    t.set(c.param, "0.5");
    ASSERT_TRUE(t.tick().handled);
    EXPECT_FALSE(t.flagged(c.param));
    EXPECT_EQ(t.m.*c.value, c.value == &Model::kMx || c.value == &Model::kM ? 2 : 0.5);
  }
}

TEST(PhysicsRun, LogRecordsFollowTheHeaderWithCrLf) {
  test::TestLab t;
  t.choose(P::shown, "5");
  t.check(P::log, true);
  t.set(P::NCf, "1");
  ASSERT_TRUE(t.act(Action::Start).handled);
  const size_t header = t.log().size();
  ASSERT_EQ(t.m.NCfile, 0);  // the program has just opened
  ASSERT_TRUE(t.tick().handled);
  EXPECT_EQ(t.log().size(), header);  // NCfile had not reached NCf yet
  ASSERT_TRUE(t.tick().handled);
  std::string added = t.log().substr(header);
  EXPECT_EQ(added.rfind("T= 2    i= 5\r\nX= ", 0), 0u) << added;
  EXPECT_EQ(added.substr(added.size() - 2), "\r\n");
  EXPECT_NE(added.find("T= 2    i= 5\r\nX= " + formatNumber(t.m.X[5]) + "    Y= "),
            std::string::npos);
  EXPECT_NE(added.find("    E0= " + formatNumber(t.m.E0[5]) + "    E= " + formatNumber(t.m.E[5]) +
                       "\r\n"),
            std::string::npos);
}
