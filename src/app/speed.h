// The pace of a run: how many steps one tick of the run's timer performs. ×1, one
// step a tick, is the laboratory's own pace and the default; ×10, ×100 and
// ×1000 run that many steps a tick, "Максимум" as many as fit in the tick's
// time. Every step does exactly what it does at ×1: a faster pace changes
// when the steps run, never what they compute, draw, show or log.
//
// "Реальное время", "Замедленно ×0.1" and "Замедленно ×0.01" keep pace with
// the clock instead: a second of the clock carries the model 1, 0.1 or 0.01
// seconds on, and each tick runs the steps whose model time has come, so
// that the pace does not depend on the step h.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "app/lab.h"

namespace lumet {

enum class Speed { x1, x10, x100, x1000, Max, Real, Slow10, Slow100 };

using SteadyClock = std::chrono::steady_clock;

// "Максимум" where no clock measures the tick (lumet-batch): this many steps,
// so that a script runs the same everywhere.
constexpr long kMaxStepsPerTick = 100000;

// Steps a tick performs at most at this speed (a paced speed: at most
// kMaxStepsPerTick, however far behind the clock the model is).
long stepsPerTick(Speed speed);

// Model seconds per second of the clock at a paced speed: 1, 0.1 or 0.01;
// 0 at the speeds that count steps.
double modelSecondsPerSecond(Speed speed);

// Where a paced run stands against the clock: the model time at which the
// pace was last set, and the clock since then. It is set again when the
// speed changes, at a new start, or when the model time moved by other
// means than the paced ticks (a step by hand).
struct Pace {
  Speed speed = Speed::x1;
  std::string run;        // the start it paces
  double anchorT = 0;     // model time when the pace was set
  long long clockNs = 0;  // clock since then
  double lastT = -1;      // model time after the last paced tick
};

// The clock a tick of lumet-batch stands for at a paced speed.
constexpr std::chrono::nanoseconds kBatchTick = std::chrono::milliseconds(1);

// The speed's name in scripts and settings: "1", "10", "100", "1000", "max",
// "real", "0.1", "0.01".
const char* speedName(Speed speed);
// The speed of that name; nothing for any other text.
std::optional<Speed> speedByName(std::string_view name);

// One tick of the run at the speed: steps, one after the other, until the
// tick's count is done, or at "Максимум" with a time `until` until that time
// has come. It ends at once after a step that stopped the run, showed a
// message, or at which a trajectory finished (so that the front end shows the
// finish). At a paced speed, `elapsed` is the clock since the previous tick:
// the steps run whose end lies within the model time the clock has reached
// (until `until`, when given). Returns the steps performed.
long RunTick(Lab& lab, Speed speed, std::optional<SteadyClock::time_point> until,
             Pace* pace = nullptr, std::chrono::nanoseconds elapsed = kBatchTick);

}  // namespace lumet
