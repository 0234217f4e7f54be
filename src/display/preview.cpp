// The preview of the trajectories: the rods sampled from the geometry the
// start left, and the profile of the field of mass 2. Every sample is
// computed into locals and drawn at once; the model is only read.
#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "physics/physics.h"

namespace lumet {

namespace {

constexpr Rgb kElectric{255, 0, 0};
constexpr Rgb kGravity{0, 0, 255};

}  // namespace

void DrawRods(Canvas& p, const Model& m, const Choices& ch) {
  const double k = m.kMx;
  drawn(p.circle(m.Xn * k, m.Yn * k, 0.2, kColour1));
  drawn(p.circle(m.Xk * k, m.Yk * k, 0.2, kColour1));
  if (ch.takesPart(1)) drawn(p.line(m.Xn * k, m.Yn * k, m.Xk * k, m.Yk * k, kColour1));

  // 500 samples along the cycloid and the parabola; the start point itself
  // (sample 0) is left out.
  for (int i = 1; i <= 500; ++i) {
    if (ch.takesPart(2)) {
      const double fi = finite(m.fiN2 + (m.fiK2 - m.fiN2) * i / 500);
      const double x = finite(((fi - std::sin(fi)) * m.R2 + m.X20) * k);
      const double y = finite((m.Y20 - (1 - std::cos(fi)) * m.R2) * k);
      drawn(p.point(x, y, kColour1));
    }
    if (ch.takesPart(3)) {
      double x, y;
      if (ch.modifiedParabola) {
        // y = Y30 + K3·(x - X30)², evenly in abscissa from Xn to Xk.
        const double X = finite(m.Xn + (m.Xk - m.Xn) * i / 500);
        x = finite(X * k);
        y = finite(((X - m.X30) * m.K3 * (X - m.X30) + m.Y30) * k);
      } else {
        // x = X30 + K3·(y - Y30)², evenly in height from Yn to Yk.
        const double Y = finite(m.Yn - (m.Yn - m.Yk) * i / 500);
        y = finite(Y * k);
        x = finite(((Y - m.Y30) * m.K3 * (Y - m.Y30) + m.X30) * k);
      }
      drawn(p.point(x, y, kColour1));
    }
  }

  // The arc runs counter-clockwise from the smaller of its angles to the
  // larger: a modified arc through angle 0 has its end angle brought below
  // zero, and its rod is the short way between them, through 0.
  if (ch.takesPart(4))
    drawn(p.arc(m.X40 * k, m.Y40 * k, m.R4 * k, std::min(m.fiN4, m.fiK4), std::max(m.fiN4, m.fiK4),
                kColour1));
}

void DrawFieldProfile(Canvas& p, const Model& m, const Choices& ch) {
  // The model coordinates of the picture's top-left corner, and its offsets
  // from the centre of mass 2 (only the height in a flat field).
  const double Xcorner = quotient(-5, m.kMx), Ycorner = quotient(5, m.kMx);
  const double XR = ch.flat ? 0 : Xcorner;
  const double YR = finite(Ycorner + m.Rz);
  const double LRn = root(XR * XR + YR * YR);
  const double beta = finite(std::atan(quotient(XR, YR)));
  for (int i = 0; i <= 98; ++i) {
    // Samples on the ray from the centre of mass 2 towards the corner, from
    // the corner's distance (i = 0) down to the zero level Rz (i = 98).
    const double LR = finite(m.Rz + (LRn - m.Rz) * (1 - i / 98.0));
    const double xr = ch.flat ? 0 : finite(std::sin(beta) * LR);
    const double Y = finite(root(LR * LR - xr * xr) - m.Rz);
    double Fq, Fm;
    fieldStrength(m, ch.law, LR, Fq, Fm);

    // The strength relative to the zero level, one picture unit per unit of
    // ratio from the left edge; ratios above 10 are not drawn.
    const double y = finite(Y * m.kMx);
    if (m.Fq0 != 0) {
      const double ratio = std::fabs(quotient(Fq, m.Fq0));
      if (ratio <= 10) drawn(p.point(ratio - 5, y, kElectric));
    }
    if (m.Fm0 != 0) {
      const double ratio = std::fabs(quotient(Fm, m.Fm0));
      if (ratio <= 10) drawn(p.point(ratio - 5, y, kGravity));
    }
  }
}

}  // namespace lumet
