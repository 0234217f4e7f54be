// What the value boxes under the right picture, the result table and the
// relativistic boxes show during a run.
#pragma once

#include "app/lab.h"

namespace lumet {

// The values of trajectory iShow, the time, the result table of all five
// trajectories and the relativistic time shifts. Throws Failure when a
// shown value cannot be computed (the boxes written before it keep their
// new values).
void ShowRunValues(Lab& lab, const Choices& ch);

}  // namespace lumet
