// The time plot: chosen running values of the shown trajectory as single
// dots against the model time, and a vertical line where it has just
// finished.
#include "display/display.h"
#include "display/plotted.h"

namespace lumet {

void ParameterPlots(Canvas& p, const Model& m, const Choices& ch) {
  const int i = ch.shown;
  if (!ch.takesPart(i)) return;
  const Rgb c = trajectoryColour(i);
  const double x = quotient(m.T, m.Mt);
  const double k = m.kM;
  PlottedValues(m, ch,
                [&](double v, bool plane) { drawn(p.point(x, v * (plane ? m.kMx : k), c)); });
  if (FinishedNow(m, i)) drawn(p.line(x, -12, x, 12, c));
}

}  // namespace lumet
