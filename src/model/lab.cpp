#include "model/lab.h"

#include "model/numbers.h"

namespace lumet {

int16_t int16(const Lab& lab, ControlId id) {
  auto v = parseInt16(lab.c.text(id));
  if (!v) throw Failure{};
  return *v;
}

}  // namespace lumet
