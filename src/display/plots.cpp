// The time plot: chosen running values of the shown trajectory as single
// dots against the model time, and a vertical line where it has just
// finished.
#include "display/display.h"

namespace lumet {

void ParameterPlots(Canvas& p, const Model& m, const Choices& ch) {
  const int i = ch.shown;
  if (!ch.takesPart(i)) return;
  const Rgb c = trajectoryColour(i);
  const double x = quotient(m.T, m.Mt);
  const double k = m.kM;
  auto dot = [&](double y) { drawn(p.point(x, y, c)); };
  if (ch.plotXY) {
    // The free body's coordinates at the scale of the plane picture.
    const double s = i == 5 ? m.kMx : k;
    dot(m.X[i] * s);
    dot(m.Y[i] * s);
  }
  if (ch.plotV) {
    dot(m.VX[i] * k);
    dot(m.VY[i] * k);
  }
  if (ch.plotF) {
    dot(m.FX[i] * k);
    dot(m.FY[i] * k);
    if (i == 5) dot(m.Fx[5] * k);
  }
  if (ch.plotFmFq) {
    dot(m.Fm[i] * k);
    dot(m.Fq[i] * k);
  }
  // The columns of the result table chosen as averages are plotted too.
  if (ch.average[0]) dot(m.IntMV_L[i] * k);
  if (ch.average[1]) dot(m.IntTmU_T[i] * k);
  if (ch.average[2]) dot(m.IntT_T[i] * k);
  if (ch.average[3]) dot(m.IntTpU_T[i] * k);
  // Finish marker: the finish test of this very step set Tfin to Tc. A
  // finish time of 0 or less is no finish (the test runs again).
  if (m.Tfin[i] > 0 && m.Tfin[i] == m.Tc) drawn(p.line(x, -12, x, 12, c));
}

}  // namespace lumet
