#include "app/speed.h"

#include <limits>

namespace lumet {

namespace {

struct SpeedRow {
  Speed speed;
  long steps;
  const char* name;
};

constexpr SpeedRow kSpeeds[] = {
    {Speed::x1, 1, "1"},
    {Speed::x10, 10, "10"},
    {Speed::x100, 100, "100"},
    {Speed::x1000, 1000, "1000"},
    {Speed::Max, kMaxStepsPerTick, "max"},
};

const SpeedRow& row(Speed speed) { return kSpeeds[int(speed)]; }

// Steps between two looks at the clock at "Максимум": reading it costs a
// tenth of the cheapest step, and eight steps are far shorter than a tick.
constexpr long kClockEvery = 8;

}  // namespace

long stepsPerTick(Speed speed) { return row(speed).steps; }

const char* speedName(Speed speed) { return row(speed).name; }

std::optional<Speed> speedByName(std::string_view name) {
  for (const SpeedRow& r : kSpeeds)
    if (name == r.name) return r.speed;
  return std::nullopt;
}

long RunTick(Lab& lab, Speed speed, std::optional<SteadyClock::time_point> until) {
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
