#include <cmath>

#include "setup/setup.h"

namespace lumet {

V0Split SplitStartSpeed(const Model& m, const Parameters& p, const Choices& ch) {
  V0Split v;
  // A total speed typed in "Dn"; 0 means the speed of VX and VY.
  v.V0 = readNumber(p, P::Dn);
  if (v.V0 == 0) {
    const double vx = readNumber(p, P::VXn), vy = readNumber(p, P::VYn);
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
