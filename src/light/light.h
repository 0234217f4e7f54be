// The light experiment: two rays through 20 layers by Snell's law.
#pragma once

#include "model/lab.h"

namespace lumet {

// "Свет": traces both rays pass by pass, asking to go on unless "AutoPn".
void LightExperiment(Lab& lab);

}  // namespace lumet
