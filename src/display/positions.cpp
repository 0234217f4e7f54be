// The plane picture during a run: mass 2 (and mass 3) as the start leaves
// them, and one point per body that takes part at every refresh.
#include <cfloat>
#include <cmath>

#include "display/display.h"
#include "display/picture_view.h"

namespace lumet {

namespace {

constexpr Rgb kTrajectoryColour[6] = {{},          {0, 230, 230}, {0, 0, 255},
                                      {0, 230, 0}, {255, 0, 0},   {130, 130, 100}};

// A drawing coordinate travels in single precision.
double single(double v) {
  if (!(std::fabs(v) <= FLT_MAX)) throw Failure{};
  return static_cast<float>(v);
}

// The free body's colour on the plane picture, by the number in "Цвет5".
Rgb freeColourOf(double v) {
  if (v > 4) return {130, 130, 100};
  if (v > 3) return kTrajectoryColour[4];
  if (v > 2) return kTrajectoryColour[3];
  if (v > 1) return kTrajectoryColour[2];
  return kTrajectoryColour[1];
}

}  // namespace

Rgb PositionColour(int i, double freeColour) {
  return i == 5 ? freeColourOf(freeColour) : kTrajectoryColour[i];
}

Rgb trajectoryColour(int i) { return kTrajectoryColour[i]; }

void DrawBodies(Canvas& p, const Model& m, const Choices& ch) {
  const double yc = finite(-m.Rz * m.kMx);
  if (ch.flat) {
    // The surface of a flat field and the centre below it.
    drawn(p.line(-5, yc, 5, yc, kColour1));
    drawn(p.circle(0, yc, 0.2, kColour1));
    return;
  }
  // The surface of mass 2 (with mass 3: the zero level, half the distance
  // between the centres) and its centre; then mass 3.
  drawn(p.circle(0, yc, finite(m.R13 * m.kMx), kColour1));
  drawn(p.circle(0, yc, 0.2, kColour1));
  if (!ch.mass3) return;
  const double xc = finite(m.KRz3 * m.Rz * m.kMx);
  drawn(p.circle(xc, 0, finite(m.R03 * m.kMx), kColour1));
  drawn(p.circle(xc, 0, 0.2, kColour1));
}

void DrawPositions(Canvas& p, const Model& m, const Choices& ch, double freeColour) {
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i)) continue;
    const Rgb c = i == 5 ? freeColourOf(freeColour) : kTrajectoryColour[i];
    drawn(p.point(single(m.X[i] * m.kMx), single(m.Y[i] * m.kMx), c));
  }
}

}  // namespace lumet
