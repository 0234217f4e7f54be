#include "physics/physics.h"

namespace lumet {

void Step(Lab&) {}

}  // namespace lumet
