// The rods' reactions on their beads. Each bead is elastic: its distance from
// the rod, dL, gives an elastic force C1·dL, its rate of change VR1 a viscous
// one Kj1·VR1, both along the rod's normal and back towards the rod.
#include <cmath>

#include "physics/cycloid.h"
#include "physics/physics.h"

namespace lumet {

namespace {

// Reaction of the line and the parabola: the rod's tangent at the bead has
// sine sinT and cosine cosT; dx and dy are the horizontal and vertical
// offsets from the bead to the rod (only their signs matter). The elastic
// term takes its direction from the vertical offset alone; the viscous
// term's horizontal part takes it from the horizontal offset, so its size
// is |sin|: on a rising rod dx and dy have opposite signs, on a falling one
// equal signs, and either way both terms push the same way.
void chordReaction(Model& m, int i, double sinT, double cosT, double dx, double dy) {
  const double FC1 = m.C1 * m.dL[i];
  const double viscous = m.Kj1 * m.VR1[i];
  m.Fx[i] = finite(-FC1 * sinT * sgn(dy) + viscous * std::fabs(sinT) * sgn(dx));
  m.Fy[i] = finite(FC1 * cosT * sgn(dy) + viscous * cosT * sgn(dy));
}

// Height of the right triangle with legs dx, dy: the bead's distance from
// the hypotenuse; 0 when the bead is on both legs' ends.
double triangleHeight(double dx, double dy) {
  const double d = root(dx * dx + dy * dy);
  return d == 0 ? 0 : std::fabs(finite(dx * dy / d));
}

void line(Model& m) {
  const double x = m.X[1], y = m.Y[1];
  double dx, dy;
  if (m.al1 != 0) {
    // The line's abscissa at the bead's height, then its ordinate at the
    // bead's abscissa: the legs of a right triangle whose height is dL.
    const double xl = finite(m.Xk + quotient((y - m.Yk) * m.cosAl1, m.sinAl1));
    const double yl = finite(y + (x - xl) * m.tanAl1);
    dx = xl - x;
    dy = yl - y;
    m.dL[1] = triangleHeight(dx, dy);
  } else {
    dx = 0;
    dy = m.Yn - y;
    m.dL[1] = std::fabs(finite(dy));
  }
  chordReaction(m, 1, m.sinAl1, m.cosAl1, dx, dy);
}

void cycloid(Model& m) {
  const CycloidRod rod{m.R2, m.X20, m.Y20, m.Pi};
  const double X0 = finite(rod.X0());
  const double bx = X0 - m.X[2], by = m.Y20 - m.Y[2];
  const double rhoB = root(bx * bx + by * by);
  const double psiB = finite(RayAngle(rod, m.X[2], m.Y[2]));
  const double Dfi = CycloidTolerance(m);

  // The angle found at the last evaluation seeds the search; the point
  // found does not depend on it.
  const CycloidPoint c =
      CycloidSearch(rod, psiB, CycloidGuess(psiB, m.Pi), Dfi, m.fi2, &m.cycloidBounds);
  m.fi2 = c.fi2;

  // Tangent from the two curve points half a step of 0.01 either side (their
  // sines and cosines by the addition formulas from those at fi2).
  static const double s01 = std::sin(0.01), c01 = std::cos(0.01);
  const double fp = m.fi2 + 0.01, fm = m.fi2 - 0.01;
  const double sinP = c.sinFi * c01 + c.cosFi * s01, cosP = c.cosFi * c01 - c.sinFi * s01;
  const double sinM = c.sinFi * c01 - c.cosFi * s01, cosM = c.cosFi * c01 + c.sinFi * s01;
  const double xp = (fp - sinP) * m.R2 + m.X20, yp = m.Y20 - (1 - cosP) * m.R2;
  const double xm = (fm - sinM) * m.R2 + m.X20, ym = m.Y20 - (1 - cosM) * m.R2;
  m.al2 = std::atan(quotient(yp - ym, xp - xm));

  // The radial excess along the common ray from P, turned onto the normal.
  const double rhoC = root(c.cx * c.cx + c.cy * c.cy);
  m.dL[2] = finite((rhoB - rhoC) * std::sin(psiB - m.al2));
  const double F = finite(m.Kj1 * m.VR1[2] + m.C1 * m.dL[2]);
  m.Fx[2] = finite(-F * std::sin(m.al2));
  m.Fy[2] = finite(F * std::cos(m.al2));
}

// Near the vertex of the parabola y = Y30 + K3·(X30 − x)² a circle takes its
// place, set up at the first entry: its centre is where the bead's normal
// meets the axis X = X30, its radius reaches the rod.
void vertexCircle(Model& m) {
  const double x = m.X[3], y = m.Y[3];
  if (m.ApexSet <= 0.5) {
    m.ApexSet = 1;
    m.R3a = finite(quotient(m.X30 - x, std::fabs(std::sin(m.al3))) - m.dL[3]);
    m.Y3a = finite((m.R3a + m.dL[3]) * std::cos(m.al3) + y);
  }
  m.al3 = std::atan(quotient(x - m.X30, m.Y3a - y));
  const double rho = root(sqr(x - m.X30) + sqr(m.Y3a - y));
  m.dL[3] = std::fabs(rho - m.R3a);
  const double dy = sgn(rho - m.R3a);
  const double dx = x > m.X30 ? sgn(m.R3a - rho) : sgn(rho - m.R3a);
  chordReaction(m, 3, std::sin(m.al3), std::cos(m.al3), dx, dy);
}

void parabola(Model& m, const Choices& ch) {
  const double x = m.X[3], y = m.Y[3];
  double xc, yc;
  if (!ch.modifiedParabola) {
    // x = X30 + K3·(Y30 − y)²: the lower branch; left of the vertex its height.
    const double rise = y - m.Y30;
    xc = finite(rise * rise * m.K3 + m.X30);
    const double s = x >= m.X30 ? root(quotient(x - m.X30, m.K3)) : 0;
    yc = m.Y30 - s;
  } else {
    // y = Y30 + K3·(X30 − x)². Within 15 bead deformations of the vertex
    // height the rod is so flat that the chord below degenerates (its two
    // points merge at the vertex): the vertex circle takes over there.
    const double z = finite(y - m.Y30 - 15 * m.dL[3]);
    if (z <= 0) return vertexCircle(m);
    const double across = x - m.X30;
    yc = finite(across * across * m.K3 + m.Y30);
    const double s = root(quotient(y - m.Y30, m.K3));
    xc = x >= m.X30 ? m.X30 + s : m.X30 - s;
  }
  // The chord between the rod's points level with and plumb with the bead.
  const double dx = finite(xc - x), dy = finite(yc - y);
  if (dx != 0) m.al3 = -std::atan(quotient(dy, dx));
  m.dL[3] = triangleHeight(dx, dy);
  chordReaction(m, 3, std::sin(m.al3), std::cos(m.al3), dx, dy);
}

void arc(Model& m) {
  const double x = m.X[4], y = m.Y[4];
  const double fi4 = PolarAngle(m, m.X40, m.Y40, x, y);
  const double dx = m.X40 - x, dy = m.Y40 - y;
  const double rho = root(dx * dx + dy * dy);
  m.dL[4] = finite(rho - m.R4);
  const double F = finite(m.Kj1 * m.VR1[4] + m.C1 * m.dL[4]);
  m.Fx[4] = finite(-F * std::cos(fi4));
  m.Fy[4] = finite(-F * std::sin(fi4));
}

}  // namespace

void SetLineSlope(Model& m, double al1) {
  m.al1 = al1;
  m.sinAl1 = std::sin(al1);
  m.cosAl1 = std::cos(al1);
  m.tanAl1 = std::tan(al1);
}

void Constraint(Model& m, const Choices& ch, int i) {
  switch (i) {
    case 1: line(m); break;
    case 2: cycloid(m); break;
    case 3: parabola(m, ch); break;
    case 4: arc(m); break;
    default: break;
  }
}

}  // namespace lumet
