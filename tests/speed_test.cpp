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
              {Speed::Max, "max", 100000},
              {Speed::Real, "real", 100000},
              {Speed::Slow10, "0.1", 100000},
              {Speed::Slow100, "0.01", 100000}};
  for (const auto& r : rows) {
    EXPECT_EQ(stepsPerTick(r.speed), r.steps) << r.name;
    EXPECT_STREQ(speedName(r.speed), r.name);
    EXPECT_EQ(speedByName(r.name), r.speed) << r.name;
  }
  for (const char* other : {"", "0", "2", "01", "10000", "MAX", "Max", "max ", "x10", "-1", "Real",
                            ".1", "0.10", "1.0"})
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

TEST(Speed, APacedSpeedCarriesTheModelOnByTheClock) {
  EXPECT_EQ(modelSecondsPerSecond(Speed::Real), 1);
  EXPECT_EQ(modelSecondsPerSecond(Speed::Slow10), 0.1);
  EXPECT_EQ(modelSecondsPerSecond(Speed::Slow100), 0.01);
  for (Speed counted : {Speed::x1, Speed::x10, Speed::x100, Speed::x1000, Speed::Max})
    EXPECT_EQ(modelSecondsPerSecond(counted), 0);
  // The orbit's step is 1 s: a step runs once the clock has carried the
  // model a whole second on, however the clock comes in ticks.
  using std::chrono::milliseconds;
  const struct {
    Speed speed;
    milliseconds tick;
    std::vector<long> after;  // steps done after each tick
  } rows[] = {{Speed::Real, milliseconds(1000), {1, 2, 3}},
              {Speed::Real, milliseconds(400), {0, 0, 1, 1, 2}},
              {Speed::Real, milliseconds(2500), {2, 5, 7}},
              {Speed::Slow10, milliseconds(4000), {0, 0, 1, 1, 2}},
              {Speed::Slow100, milliseconds(100000), {1, 2}},
              {Speed::Slow100, milliseconds(1), {0, 0}}};
  for (const auto& r : rows) {
    Orbit t(r.speed);
    for (long want : r.after) {
      ASSERT_TRUE(t.tick(r.tick).handled);
      EXPECT_EQ(t.steps(), want) << speedName(r.speed) << " " << r.tick.count();
    }
  }
}

TEST(Speed, ThePaceDoesNotDependOnTheStep) {
  // One second of the clock in ticks of 1 ms carries the model one second
  // on at any h.
  for (const char* h : {"0.1", "0.01", "0.001"}) {
    TestLab t;
    t.choose(P::shown, "5");
    t.set(P::h, h);
    t.lab.speed = Speed::Real;
    t.act(Action::Start);
    for (int k = 0; k < 1000; ++k) t.tick();
    EXPECT_NEAR(t.m.T, 1.0, 1e-9) << h;
  }
}

TEST(Speed, APacedRunGivesWhatSpeedOneGives) {
  // The same 300 steps of the default orbit at ×1 and in paced ticks of
  // many lengths: the same values, pictures and log.
  TestLab slow;
  slow.choose(P::shown, "5");
  slow.act(Action::Start);
  for (int k = 0; k < 300; ++k) slow.tick();
  for (Speed speed : {Speed::Real, Speed::Slow10, Speed::Slow100}) {
    TestLab paced;
    paced.choose(P::shown, "5");
    paced.lab.speed = speed;
    paced.act(Action::Start);
    const double perTick = 7 / modelSecondsPerSecond(speed);  // 7 s of model time
    for (int k = 0; paced.m.T < 300; ++k) {
      const auto left =
          std::chrono::duration<double>((300 - paced.m.T) / modelSecondsPerSecond(speed));
      const auto tick = std::min(std::chrono::duration<double>(perTick), left);
      paced.tick(std::chrono::duration_cast<std::chrono::nanoseconds>(tick));
    }
    EXPECT_EQ(paced.m.T, 300) << speedName(speed);
    for (const ValueRow& r : valueTable()) EXPECT_EQ(paced.shown(r.id), slow.shown(r.id)) << r.name;
    EXPECT_EQ(paced.picture1.ops.size(), slow.picture1.ops.size());
    EXPECT_EQ(paced.picture2.ops.size(), slow.picture2.ops.size());
    EXPECT_EQ(paced.log(), slow.log());
  }
}
