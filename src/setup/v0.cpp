#include "setup/setup.h"

namespace lumet {

void V0Button(Lab&) {}

}  // namespace lumet
