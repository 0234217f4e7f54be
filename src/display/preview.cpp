#include "display/display.h"

namespace lumet {

void Preview(Lab&) {}

}  // namespace lumet
