#include <cfloat>

#include "display/display.h"
#include "model/messages.h"

namespace lumet {

namespace {

constexpr Rgb kTrajectoryColour[6] = {{},          {0, 230, 230}, {0, 0, 255},
                                      {0, 230, 0}, {255, 0, 0},   {130, 130, 100}};

// The free body's colour on the plane picture, by the number in "Цвет5".
Rgb freeColour(double v) {
  if (v > 4) return {130, 130, 100};
  if (v > 3) return kTrajectoryColour[4];
  if (v > 2) return kTrajectoryColour[3];
  if (v > 1) return kTrajectoryColour[2];
  return kTrajectoryColour[1];
}

// A drawing coordinate travels in single precision.
double single(double v) {
  if (!(std::fabs(v) <= FLT_MAX)) throw Failure{};
  return static_cast<float>(v);
}

}  // namespace

Rgb trajectoryColour(int i) { return kTrajectoryColour[i]; }

void DrawPositions(Lab& lab) {
  Model& m = lab.m;
  try {
    for (int i = 1; i <= 5; ++i) {
      m.Xs[i] = m.X[i] * m.kMx;
      m.Ys[i] = m.Y[i] * m.kMx;
    }
    static constexpr ControlId checks[] = {Check1, Check2, Check3, Check4};
    for (int i = 1; i <= 4; ++i) {
      if (!lab.on(checks[i - 1])) continue;
      if (!lab.Picture1->point(single(m.Xs[i]), single(m.Ys[i]), kTrajectoryColour[i]))
        throw Failure{};
    }
    if (lab.on(Check5)) {
      Rgb c = freeColour(num(lab, Text50));
      if (!lab.Picture1->point(single(m.Xs[5]), single(m.Ys[5]), c)) throw Failure{};
    }
  } catch (const Failure&) {
    lab.message(msg::kScales);
    lab.Timer1.Enabled = false;
  }
}

}  // namespace lumet
