#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

#include "model/messages.h"
#include "model/numbers.h"
#include "setup/setup.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

// A parameter's text, or a shown value as its box shows it, as a number.
double number(TestLab& t, P param) { return *parseNumber(t.p.text(param)); }
double number(TestLab& t, V value) { return *parseNumber(t.shown(value)); }

}  // namespace

TEST(V0Button, ZeroSpeedTakesTheSpeedOfVXAndVY) {
  TestLab t;
  t.set(P::Dn, "0");
  t.set(P::VXn, "3");
  t.set(P::VYn, "4");
  t.act(Action::V0);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_EQ(t.p.text(P::VXn), "5");
  EXPECT_EQ(t.p.text(P::VYn), "0");
  EXPECT_EQ(t.p.text(P::Dn), "5");
  EXPECT_EQ(t.m.V0, 5);
  EXPECT_EQ(t.m.VXn, 5);
  EXPECT_EQ(t.m.VYn, 0);
}

TEST(V0Button, BeforeAnyStartEverythingGoesIntoVX) {
  TestLab t;
  t.set(P::Dn, "7.5");
  t.act(Action::V0);
  EXPECT_EQ(t.p.text(P::VXn), "7.5");
  EXPECT_EQ(t.p.text(P::VYn), "0");
  EXPECT_EQ(t.p.text(P::Dn), "7.5");
  for (V v : {V::al1v, V::al2v, V::al3v, V::al4v}) EXPECT_EQ(t.shown(v), "0");
  EXPECT_FALSE(t.running());
}

TEST(V0Button, AlongTheDirectionOfTheShownTrajectory) {
  struct Case {
    const char* shown;
    double angle;
  } cases[] = {{"1", 0.3}, {"2", -1.2}, {"3", 2.5}, {"4", -0.7}, {"5", 0.3}};
  for (const auto& c : cases) {
    TestLab t;
    t.m.al1v = 0.3;
    t.m.al2v = -1.2;
    t.m.al3v = 2.5;
    t.m.al4v = -0.7;
    t.choose(P::shown, c.shown);
    t.set(P::Dn, "10");
    t.act(Action::V0);
    // The boxes show 12 significant digits.
    EXPECT_NEAR(number(t, P::VXn), 10 * std::cos(c.angle), 1e-10) << c.shown;
    EXPECT_NEAR(number(t, P::VYn), 10 * std::sin(c.angle), 1e-10) << c.shown;
    // The four start directions in degrees with the laboratory's Pi.
    EXPECT_NEAR(number(t, V::al1v), 0.3 * 180 / 3.141592654, 1e-9);
    EXPECT_NEAR(number(t, V::al2v), -1.2 * 180 / 3.141592654, 1e-9);
    EXPECT_NEAR(number(t, V::al3v), 2.5 * 180 / 3.141592654, 1e-9);
    EXPECT_NEAR(number(t, V::al4v), -0.7 * 180 / 3.141592654, 1e-9);
  }
}

TEST(V0Button, ANegativeSpeedReversesBothComponents) {
  TestLab t;
  t.m.al1v = 0.5;
  t.set(P::Dn, "-10");
  t.act(Action::V0);
  EXPECT_NEAR(number(t, P::VXn), -10 * std::cos(0.5), 1e-10);
  EXPECT_NEAR(number(t, P::VYn), -10 * std::sin(0.5), 1e-10);
  EXPECT_EQ(t.p.text(P::Dn), "-10");
}

TEST(V0Button, ZeroSpeedAndZeroComponentsStayZero) {
  TestLab t;
  t.m.al1v = 1;
  t.set(P::Dn, "0");
  t.set(P::VXn, "0");
  t.set(P::VYn, "-0");
  t.act(Action::V0);
  EXPECT_EQ(t.p.text(P::VXn), "0");
  EXPECT_EQ(t.p.text(P::VYn), "0");
  EXPECT_EQ(t.p.text(P::Dn), "0");
}

// A text that is not a number (or speeds that overflow) changes nothing but
// its parameter, which is flagged and is the one to correct.
TEST(V0Button, ABoxThatIsNotANumberChangesNothing) {
  struct Case {
    const char *dn, *vx, *vy;
    std::optional<P> bad;
  } cases[] = {{"abc", "3", "4", P::Dn},
               {"", "3", "4", P::Dn},
               {"0", "3 4", "4", P::VXn},
               {"0", "3", "1e400", P::VYn},
               {"0", "1e200", "1e200", std::nullopt}};
  for (const auto& c : cases) {
    TestLab t;
    t.set(P::Dn, c.dn);
    t.set(P::VXn, c.vx);
    t.set(P::VYn, c.vy);
    t.m.V0 = 11;
    t.m.VXn = 12;
    t.m.VYn = 13;
    const Report r = t.act(Action::V0);
    ASSERT_EQ(t.dialogs.messages.size(), 1u) << c.dn << c.vx << c.vy;
    EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::BadData));
    EXPECT_TRUE(r.values.empty());
    EXPECT_TRUE(r.written.empty());
    if (!c.bad) {
      EXPECT_TRUE(r.flags.empty());
    } else {
      EXPECT_EQ(r.flags, std::vector<P>{*c.bad});
      EXPECT_TRUE(t.flagged(*c.bad));
    }
    EXPECT_EQ(r.focus, c.bad);
    EXPECT_EQ(t.m.V0, 11);
    EXPECT_EQ(t.m.VXn, 12);
    EXPECT_EQ(t.m.VYn, 13);
  }
  // With a speed typed in "Dn" VX and VY are not read at all.
  TestLab t;
  t.set(P::Dn, "2");
  t.set(P::VXn, "not a number");
  t.act(Action::V0);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_EQ(t.p.text(P::VXn), "2");
}
