#include <gtest/gtest.h>

#include <cmath>

#include "model/messages.h"
#include "model/numbers.h"
#include "setup/setup.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

double box(TestLab& t, ControlId id) { return *parseNumber(t.c.text(id)); }

}  // namespace

TEST(V0Button, ZeroSpeedTakesTheSpeedOfVXAndVY) {
  TestLab t;
  t.set(Text25, "0");
  t.set(Text7, "3");
  t.set(Text8, "4");
  t.lab.click(Command12);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_EQ(t.c.text(Text7), "5");
  EXPECT_EQ(t.c.text(Text8), "0");
  EXPECT_EQ(t.c.text(Text25), "5");
  EXPECT_EQ(t.m.V0, 5);
  EXPECT_EQ(t.m.VXn, 5);
  EXPECT_EQ(t.m.VYn, 0);
}

TEST(V0Button, BeforeAnyStartEverythingGoesIntoVX) {
  TestLab t;
  t.set(Text25, "7.5");
  t.lab.click(Command12);
  EXPECT_EQ(t.c.text(Text7), "7.5");
  EXPECT_EQ(t.c.text(Text8), "0");
  EXPECT_EQ(t.c.text(Text25), "7.5");
  for (ControlId id : {Text31, Text32, Text33, Text34}) EXPECT_EQ(t.c.text(id), "0");
  EXPECT_FALSE(t.l.Timer1.Enabled);
}

TEST(V0Button, AlongTheDirectionOfTheShownTrajectory) {
  struct Case {
    ControlId option;
    double angle;
  } cases[] = {{Option1, 0.3}, {Option2, -1.2}, {Option3, 2.5}, {Option4, -0.7}, {Option7, 0.3}};
  for (const auto& c : cases) {
    TestLab t;
    t.m.al1v = 0.3;
    t.m.al2v = -1.2;
    t.m.al3v = 2.5;
    t.m.al4v = -0.7;
    t.c.select(c.option);
    t.set(Text25, "10");
    t.lab.click(Command12);
    // The boxes show 12 significant digits.
    EXPECT_NEAR(box(t, Text7), 10 * std::cos(c.angle), 1e-10) << c.option;
    EXPECT_NEAR(box(t, Text8), 10 * std::sin(c.angle), 1e-10) << c.option;
    // The four start directions in degrees with the laboratory's Pi.
    EXPECT_NEAR(box(t, Text31), 0.3 * 180 / 3.141592654, 1e-9);
    EXPECT_NEAR(box(t, Text32), -1.2 * 180 / 3.141592654, 1e-9);
    EXPECT_NEAR(box(t, Text33), 2.5 * 180 / 3.141592654, 1e-9);
    EXPECT_NEAR(box(t, Text34), -0.7 * 180 / 3.141592654, 1e-9);
  }
}

TEST(V0Button, ANegativeSpeedReversesBothComponents) {
  TestLab t;
  t.m.al1v = 0.5;
  t.set(Text25, "-10");
  t.lab.click(Command12);
  EXPECT_NEAR(box(t, Text7), -10 * std::cos(0.5), 1e-10);
  EXPECT_NEAR(box(t, Text8), -10 * std::sin(0.5), 1e-10);
  EXPECT_EQ(t.c.text(Text25), "-10");
}

TEST(V0Button, ZeroSpeedAndZeroComponentsStayZero) {
  TestLab t;
  t.m.al1v = 1;
  t.set(Text25, "0");
  t.set(Text7, "0");
  t.set(Text8, "-0");
  t.lab.click(Command12);
  EXPECT_EQ(t.c.text(Text7), "0");
  EXPECT_EQ(t.c.text(Text8), "0");
  EXPECT_EQ(t.c.text(Text25), "0");
}

// A box that is not a number (or speeds that overflow) changes nothing but
// the box, which is flagged and given the focus.
TEST(V0Button, ABoxThatIsNotANumberChangesNothing) {
  struct Case {
    const char *dn, *vx, *vy;
    ControlId bad;
  } cases[] = {{"abc", "3", "4", Text25},
               {"", "3", "4", Text25},
               {"0", "3 4", "4", Text7},
               {"0", "3", "1e400", Text8},
               {"0", "1e200", "1e200", ControlCount}};
  for (const auto& c : cases) {
    TestLab t;
    t.set(Text25, c.dn);
    t.set(Text7, c.vx);
    t.set(Text8, c.vy);
    t.m.V0 = 11;
    t.m.VXn = 12;
    t.m.VYn = 13;
    t.c.takeChanged();
    t.lab.click(Command12);
    ASSERT_EQ(t.dialogs.messages.size(), 1u) << c.dn << c.vx << c.vy;
    EXPECT_EQ(t.dialogs.messages[0], msg::kBadData);
    const auto changed = t.c.takeChanged();
    if (c.bad == ControlCount) {
      EXPECT_TRUE(changed.empty());
    } else {
      EXPECT_EQ(changed, std::vector<ControlId>{c.bad});
      EXPECT_TRUE(t.c.flagged(c.bad));
    }
    EXPECT_EQ(t.l.focusBox, c.bad);
    EXPECT_EQ(t.m.V0, 11);
    EXPECT_EQ(t.m.VXn, 12);
    EXPECT_EQ(t.m.VYn, 13);
  }
  // With a speed typed in "Dn" the VX and VY boxes are not read at all.
  TestLab t;
  t.set(Text25, "2");
  t.set(Text7, "not a number");
  t.lab.click(Command12);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_EQ(t.c.text(Text7), "2");
}
