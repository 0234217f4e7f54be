// The values the time plot shows of the shown trajectory, in the order it
// plots them: each with whether it is drawn at the plane picture's scale
// (the free body's coordinates) rather than at the plot's own.
#pragma once

#include "model/choices.h"
#include "model/model.h"

namespace lumet {

template <class Plot>
void PlottedValues(const Model& m, const Choices& ch, Plot plot) {
  const int i = ch.shown;
  if (ch.plotXY) {
    plot(m.X[i], i == 5);
    plot(m.Y[i], i == 5);
  }
  if (ch.plotV) {
    plot(m.VX[i], false);
    plot(m.VY[i], false);
  }
  if (ch.plotF) {
    plot(m.FX[i], false);
    plot(m.FY[i], false);
    if (i == 5) plot(m.Fx[5], false);
  }
  if (ch.plotFmFq) {
    plot(m.Fm[i], false);
    plot(m.Fq[i], false);
  }
  // The columns of the result table chosen as averages are plotted too.
  if (ch.average[0]) plot(m.IntMV_L[i], false);
  if (ch.average[1]) plot(m.IntTmU_T[i], false);
  if (ch.average[2]) plot(m.IntT_T[i], false);
  if (ch.average[3]) plot(m.IntTpU_T[i], false);
}

// The finish marker: the finish test of this very step set Tfin to Tc. A
// finish time of 0 or less is no finish (the test runs again).
inline bool FinishedNow(const Model& m, int i) { return m.Tfin[i] > 0 && m.Tfin[i] == m.Tc; }

}  // namespace lumet
