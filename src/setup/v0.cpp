#include <cmath>

#include "setup/setup.h"

namespace lumet {

V0Split SplitStartSpeed(const Model& m, const Controls& c, const Choices& ch) {
  V0Split v;
  // A total speed typed in "Dn"; 0 means the speed of the VX and VY boxes.
  v.V0 = readNumber(c, Text25);
  if (v.V0 == 0) {
    const double vx = readNumber(c, Text7), vy = readNumber(c, Text8);
    v.V0 = root(vx * vx + vy * vy);
  }
  // Along the start direction of the shown trajectory; the line's for the
  // line and for the free body.
  const double directions[] = {m.al1v, m.al1v, m.al2v, m.al3v, m.al4v, m.al1v};
  const double alV = directions[ch.shown];
  v.VXn = finite(std::cos(alV) * v.V0);
  v.VYn = finite(std::sin(alV) * v.V0);
  return v;
}

}  // namespace lumet
