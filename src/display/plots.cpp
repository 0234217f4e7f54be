// The time plot: chosen running values of the shown trajectory as single
// dots against the model time, and a vertical line where it has just
// finished.
#include "display/display.h"
#include "model/messages.h"

namespace lumet {

namespace {

struct Selector {
  ControlId check;   // the trajectory takes part
  ControlId option;  // and is the one the value boxes show
};

constexpr Selector kShown[6] = {{ControlCount, ControlCount},
                                {Check1, Option1},
                                {Check2, Option2},
                                {Check3, Option3},
                                {Check4, Option4},
                                {Check5, Option7}};

void dot(Lab& lab, double x, double y, Rgb c) {
  if (!lab.Picture2->point(x, y, c)) throw Failure{};
}

}  // namespace

void ParameterPlots(Lab& lab) {
  Model& m = lab.m;
  try {
    for (int i = 1; i <= 5; ++i) {
      if (!lab.on(kShown[i].check) || !lab.on(kShown[i].option)) continue;
      const Rgb c = trajectoryColour(i);
      const double x = dv(m.T, m.Mt);
      const double k = m.kM;
      if (lab.on(Check18)) {
        // The free body's coordinates at the scale of the plane picture.
        const double s = i == 5 ? m.kMx : k;
        dot(lab, x, m.X[i] * s, c);
        dot(lab, x, m.Y[i] * s, c);
      }
      if (lab.on(Check19)) {
        dot(lab, x, m.VX[i] * k, c);
        dot(lab, x, m.VY[i] * k, c);
      }
      if (lab.on(Check20)) {
        dot(lab, x, m.FX[i] * k, c);
        dot(lab, x, m.FY[i] * k, c);
        if (i == 5) dot(lab, x, m.Fx[5] * k, c);
      }
      if (lab.on(Check21)) {
        dot(lab, x, m.Fm[i] * k, c);
        dot(lab, x, m.Fq[i] * k, c);
      }
      if (lab.on(Check8)) dot(lab, x, m.IntMV_L[i] * k, c);
      if (lab.on(Check9)) dot(lab, x, m.IntTmU_T[i] * k, c);
      if (lab.on(Check10)) dot(lab, x, m.IntT_T[i] * k, c);
      if (lab.on(Check11)) dot(lab, x, m.IntTpU_T[i] * k, c);
      // Finish marker: the finish test of this very step set Tfin to Tc.
      // A finish time of 0 or less is no finish (the test runs again).
      if (m.Tfin[i] > 0 && m.Tfin[i] == m.Tc) {
        if (!lab.Picture2->line(x, -12, x, 12, c)) throw Failure{};
      }
    }
  } catch (const Failure&) {
    lab.message(msg::kScales);
    lab.Timer1.Enabled = false;
  }
}

}  // namespace lumet
