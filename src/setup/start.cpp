#include "setup/setup.h"

namespace lumet {

void Start(Lab&) {}

}  // namespace lumet
