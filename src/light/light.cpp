#include "light/light.h"

namespace lumet {

void LightExperiment(Lab&) {}

}  // namespace lumet
