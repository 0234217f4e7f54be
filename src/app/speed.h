// The pace of a run: how many steps one tick of the run's timer performs. ×1, one
// step a tick, is the laboratory's own pace and the default; ×10, ×100 and
// ×1000 run that many steps a tick, "Максимум" as many as fit in the tick's
// time. Every step does exactly what it does at ×1: a faster pace changes
// when the steps run, never what they compute, draw, show or log.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "app/lab.h"

namespace lumet {

enum class Speed { x1, x10, x100, x1000, Max };

using SteadyClock = std::chrono::steady_clock;

// "Максимум" where no clock measures the tick (lumet-batch): this many steps,
// so that a script runs the same everywhere.
constexpr long kMaxStepsPerTick = 100000;

// Steps a tick performs at most at this speed.
long stepsPerTick(Speed speed);

// The speed's name in scripts and settings: "1", "10", "100", "1000", "max".
const char* speedName(Speed speed);
// The speed of that name; nothing for any other text.
std::optional<Speed> speedByName(std::string_view name);

// One tick of the run at the speed: steps, one after the other, until the
// tick's count is done, or at "Максимум" with a time `until` until that time
// has come. It ends at once after a step that stopped the run, showed a
// message, or at which a trajectory finished (so that the front end shows the
// finish). Returns the steps performed.
long RunTick(Lab& lab, Speed speed, std::optional<SteadyClock::time_point> until);

}  // namespace lumet
