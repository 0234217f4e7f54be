#include "app/laboratory.h"

namespace lumet {

std::string helpText() { return {}; }

}  // namespace lumet
