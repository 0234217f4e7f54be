#include "setup/setup.h"

namespace lumet {

bool BuildConstraints(Lab&) { return true; }
void InitConstrainedBodies(Lab&) {}

}  // namespace lumet
