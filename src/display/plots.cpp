#include "display/display.h"

namespace lumet {

void ParameterPlots(Lab&) {}

}  // namespace lumet
