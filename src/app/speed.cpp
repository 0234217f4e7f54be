#include "app/speed.h"

#include <cmath>
#include <limits>

namespace lumet {

namespace {

struct SpeedRow {
  Speed speed;
  long steps;
  const char* name;
  double pace;  // model seconds per second of the clock; 0: steps counted
};

constexpr SpeedRow kSpeeds[] = {
    {Speed::x1, 1, "1", 0},
    {Speed::x10, 10, "10", 0},
    {Speed::x100, 100, "100", 0},
    {Speed::x1000, 1000, "1000", 0},
    {Speed::Max, kMaxStepsPerTick, "max", 0},
    {Speed::Real, kMaxStepsPerTick, "real", 1},
    {Speed::Slow10, kMaxStepsPerTick, "0.1", 0.1},
    {Speed::Slow100, kMaxStepsPerTick, "0.01", 0.01},
};

const SpeedRow& row(Speed speed) { return kSpeeds[int(speed)]; }

// Steps between two looks at the clock at "Максимум": reading it costs a
// tenth of the cheapest step, and eight steps are far shorter than a tick.
constexpr long kClockEvery = 8;

// A step whose end lies this fraction of h past the model time the clock
// has reached is due all the same: the model time, a sum of steps, carries
// rounding that must not hold a step back by a whole tick.
constexpr double kDueMargin = 1e-6;

// The steps of a paced tick: those whose end the clock has reached.
long pacedTick(Lab& lab, Speed speed, std::optional<SteadyClock::time_point> until, Pace& pace,
               std::chrono::nanoseconds elapsed) {
  const Model& m = lab.m;
  if (pace.speed != speed || m.T != pace.lastT || pace.run != lab.x.runStart) {
    pace.speed = speed;
    pace.run = lab.x.runStart;
    pace.anchorT = m.T;
    pace.clockNs = 0;
  }
  pace.clockNs += elapsed.count();
  const double reached = pace.anchorT + double(pace.clockNs) * 1e-9 * row(speed).pace;
  const size_t messages = lab.report.messages.size();
  long done = 0;
  while (done < kMaxStepsPerTick && m.T + m.h <= reached + std::fabs(m.h) * kDueMargin) {
    const bool finished = Step(lab);
    ++done;
    if (finished) lab.report.finished = true;
    if (finished || !lab.x.running || lab.report.messages.size() != messages) break;
    if (until && done % kClockEvery == 0 && SteadyClock::now() >= *until) break;
  }
  pace.lastT = m.T;
  return done;
}

}  // namespace

double modelSecondsPerSecond(Speed speed) { return row(speed).pace; }

long stepsPerTick(Speed speed) { return row(speed).steps; }

const char* speedName(Speed speed) { return row(speed).name; }

std::optional<Speed> speedByName(std::string_view name) {
  for (const SpeedRow& r : kSpeeds)
    if (name == r.name) return r.speed;
  return std::nullopt;
}

long RunTick(Lab& lab, Speed speed, std::optional<SteadyClock::time_point> until, Pace* pace,
             std::chrono::nanoseconds elapsed) {
  if (row(speed).pace > 0) {
    Pace own;
    return pacedTick(lab, speed, until, pace ? *pace : own, elapsed);
  }
  const bool timed = speed == Speed::Max && until;
  const long limit = timed ? std::numeric_limits<long>::max() : stepsPerTick(speed);
  const size_t messages = lab.report.messages.size();
  long done = 0;
  while (done < limit) {
    const bool finished = Step(lab);
    ++done;
    if (finished) lab.report.finished = true;
    if (finished || !lab.x.running || lab.report.messages.size() != messages) break;
    if (timed && done % kClockEvery == 0 && SteadyClock::now() >= *until) break;
  }
  return done;
}

}  // namespace lumet
