// The pace of a run: steps per tick, the tick's end at a finish, a failure
// or its time, and the same results at every pace.
#include "app/speed.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/messages.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(Speed, NamesAndStepsPerTick) {
  const struct {
    Speed speed;
    const char* name;
    long steps;
  } rows[] = {{Speed::x1, "1", 1},
              {Speed::x10, "10", 10},
              {Speed::x100, "100", 100},
              {Speed::x1000, "1000", 1000},
              {Speed::Max, "max", 100000}};
  for (const auto& r : rows) {
    EXPECT_EQ(stepsPerTick(r.speed), r.steps) << r.name;
    EXPECT_STREQ(speedName(r.speed), r.name);
    EXPECT_EQ(speedByName(r.name), r.speed) << r.name;
  }
  for (const char* other : {"", "0", "2", "01", "10000", "MAX", "Max", "max ", "x10", "-1"})
    EXPECT_FALSE(speedByName(other).has_value()) << other;
}

// The default free orbit (h = 1 s), shown body 5: it finishes at step 2840.
struct Orbit : TestLab {
  explicit Orbit(Speed speed) {
    choose(P::shown, "5");
    lab.speed = speed;
    act(Action::Start);
  }
  // The steps done so far.
  long steps() const { return long(m.T); }
};

TEST(Speed, ATickRunsItsStepsAndEndsWhereATrajectoryFinishes) {
  const struct {
    Speed speed;
    std::vector<long> after;  // steps done after each tick
  } rows[] = {{Speed::x1, {1, 2, 3}},
              {Speed::x10, {10, 20}},
              {Speed::x100, {100, 200}},
              {Speed::x1000, {1000, 2000, 2840, 3840}},
              {Speed::Max, {2840, 102840}}};  // without a clock: 100000 a tick
  for (const auto& r : rows) {
    Orbit t(r.speed);
    for (long want : r.after) {
      ASSERT_TRUE(t.tick().handled);
      EXPECT_EQ(t.steps(), want) << speedName(r.speed);
    }
    EXPECT_TRUE(t.dialogs.messages.empty());
  }
}

TEST(Speed, ATickEndsAtTheStepThatFailsAsAtSpeedOne) {
  // An external force of 1e6 N drives the body past the speed of light at
  // step 300, whose relativistic time fails.
  auto run = [](Speed speed, int ticks) {
    auto t = std::make_unique<TestLab>();
    t->choose(P::shown, "5");
    t->set(P::Fx, "1000000");
    t->lab.speed = speed;
    t->act(Action::Start);
    for (int k = 0; k < ticks; ++k) t->tick();
    return t;
  };
  const auto slow = run(Speed::x1, 1000);
  ASSERT_EQ(slow->dialogs.messages, std::vector<std::string>{textOf(Msg::SolveError)});
  ASSERT_EQ(slow->m.T, 300);
  for (Speed speed : {Speed::x1000, Speed::Max}) {
    const auto fast = run(speed, 3);
    EXPECT_EQ(fast->dialogs.messages, slow->dialogs.messages) << speedName(speed);
    EXPECT_FALSE(fast->running());
    EXPECT_EQ(fast->m.T, 300);
    for (const ValueRow& r : valueTable())
      EXPECT_EQ(fast->shown(r.id), slow->shown(r.id)) << r.name;
    for (const ParamRow& r : parameterTable())
      EXPECT_EQ(fast->p.text(r.id), slow->p.text(r.id)) << r.name;
    EXPECT_EQ(fast->picture1.ops.size(), slow->picture1.ops.size());
    EXPECT_EQ(fast->picture2.ops.size(), slow->picture2.ops.size());
    EXPECT_EQ(fast->log(), slow->log().substr(0, fast->log().size()));
  }
}

TEST(Speed, AtMaximumATickEndsWhenItsTimeHasCome) {
  Orbit past(Speed::Max);
  past.lab.tick(SteadyClock::now() - std::chrono::seconds(1));
  EXPECT_GE(past.steps(), 1);
  EXPECT_LE(past.steps(), 8);  // the clock is read every 8 steps
  // With time to spare it still ends at the finish.
  Orbit ahead(Speed::Max);
  ahead.lab.tick(SteadyClock::now() + std::chrono::hours(1));
  EXPECT_EQ(ahead.steps(), 2840);
  // Only "Максимум" looks at the time.
  Orbit counted(Speed::x10);
  counted.lab.tick(SteadyClock::now() - std::chrono::seconds(1));
  EXPECT_EQ(counted.steps(), 10);
}
