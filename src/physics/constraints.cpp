// The rods' reactions on their beads. Each bead is elastic: its distance from
// the rod, dL, gives an elastic force C1·dL, its rate of change VR1 a viscous
// one Kj1·VR1, both along the rod's normal and back towards the rod.
#include <cmath>

#include "model/control_ids.h"
#include "physics/cycloid.h"
#include "physics/physics.h"
#include "physics/trig_memo.h"

namespace lumet {

namespace {

// Reaction of the line and the parabola: theta the rod's tangent angle at the
// bead, dx and dy the horizontal and vertical offsets from the bead to the rod
// (only their signs matter).
void chordReaction(Lab& lab, int i, double sinT, double cosT, double dx, double dy) {
  auto& m = lab.m;
  double FC1 = m.C1 * m.dL[i];
  double viscous = m.Kj1 * m.VR1[i];
  m.Fx[i] = ok(-FC1 * sinT * sgn(dy) + viscous * std::fabs(sinT) * sgn(dx));
  m.Fy[i] = ok(FC1 * cosT * sgn(dy) + viscous * cosT * sgn(dy));
}

void chordReaction(Lab& lab, int i, double theta, double dx, double dy) {
  chordReaction(lab, i, std::sin(theta), std::cos(theta), dx, dy);
}

// Height of the right triangle with legs dx, dy: the bead's distance from the
// hypotenuse; 0 when the bead is on both legs' ends.
double triangleHeight(double dx, double dy) {
  double d = ok(std::sqrt(ok(dx * dx + dy * dy)));
  return d == 0 ? 0 : std::fabs(ok(dx * dy / d));
}

void line(Lab& lab) {
  auto& m = lab.m;
  double x = m.X[1], y = m.Y[1];
  double dx, dy;
  // The slope is the same at every evaluation of a run.
  static TrigMemo trig;
  double sinA, cosA;
  trig.of(m.al1, sinA, cosA);
  if (m.al1 != 0) {
    static double tanAngle = 0, tanA = 0;
    if (m.al1 != tanAngle) tanAngle = m.al1, tanA = std::tan(m.al1);
    double xl = ok(m.Xk + dv((y - m.Yk) * cosA, sinA));
    double yl = ok(y + (x - xl) * tanA);
    dx = xl - x;
    dy = yl - y;
    m.dL[1] = triangleHeight(dx, dy);
  } else {
    dx = 0;
    dy = m.Yn - y;
    m.dL[1] = std::fabs(ok(dy));
  }
  chordReaction(lab, 1, sinA, cosA, dx, dy);
}

void cycloid(Lab& lab) {
  auto& m = lab.m;
  CycloidRod rod{m.R2, m.X20, m.Y20, m.Pi};
  double X0 = ok(rod.X0());
  double bx = X0 - m.X[2], by = m.Y20 - m.Y[2];
  double rhoB = ok(std::sqrt(ok(bx * bx + by * by)));
  m.psiB = ok(RayAngle(rod, m.X[2], m.Y[2]));
  m.Dfi = dv(2, m.KDfi);

  double guess = CycloidGuess(m.psiB, m.Pi);
  // The angle found at the last evaluation seeds the search; the point found
  // does not depend on it.
  CycloidPoint c = CycloidSearch(rod, m.psiB, guess, m.Dfi, m.fi2);
  m.fi2 = c.fi2;
  m.psiC = c.psiC;

  // Tangent from the two curve points half a step of 0.01 either side (their
  // sines and cosines by the addition formulas from those at fi2).
  static const double s01 = std::sin(0.01), c01 = std::cos(0.01);
  double fp = m.fi2 + 0.01, fm = m.fi2 - 0.01;
  double sinP = c.sinFi * c01 + c.cosFi * s01, cosP = c.cosFi * c01 - c.sinFi * s01;
  double sinM = c.sinFi * c01 - c.cosFi * s01, cosM = c.cosFi * c01 + c.sinFi * s01;
  double xp = (fp - sinP) * m.R2 + m.X20, yp = m.Y20 - (1 - cosP) * m.R2;
  double xm = (fm - sinM) * m.R2 + m.X20, ym = m.Y20 - (1 - cosM) * m.R2;
  m.al2 = std::atan(dv(yp - ym, xp - xm));

  // The radial excess along the common ray, turned onto the normal.
  double rhoC = ok(std::sqrt(ok(c.cx * c.cx + c.cy * c.cy)));
  m.dL[2] = ok((rhoB - rhoC) * std::sin(m.psiB - m.al2));
  double F = ok(m.Kj1 * m.VR1[2] + m.C1 * m.dL[2]);
  m.Fx[2] = ok(-F * std::sin(m.al2));
  m.Fy[2] = ok(F * std::cos(m.al2));
}

void parabola(Lab& lab) {
  auto& m = lab.m;
  double x = m.X[3], y = m.Y[3];
  double xc, yc;
  double dx, dy;
  if (!lab.on(Check13)) {
    // x = X30 + K3·(Y30 − y)²: the lower branch; left of the vertex its height.
    xc = ok(ok((y - m.Y30) * (y - m.Y30)) * m.K3 + m.X30);
    double s = x >= m.X30 ? root(dv(x - m.X30, m.K3)) : 0;
    yc = m.Y30 - s;
  } else {
    // y = Y30 + K3·(X30 − x)²; near the vertex a circle takes its place.
    double z = ok(y - m.Y30 - 15 * m.dL[3]);
    if (z > 0) {
      yc = ok(ok((x - m.X30) * (x - m.X30)) * m.K3 + m.Y30);
      double s = root(dv(y - m.Y30, m.K3));
      xc = x >= m.X30 ? m.X30 + s : m.X30 - s;
    } else {
      if (m.ApexSet <= 0.5) {
        // The centre is where the bead's normal meets the axis.
        m.ApexSet = 1;
        m.R3a = ok(dv(m.X30 - x, std::fabs(std::sin(m.al3))) - m.dL[3]);
        m.Y3a = ok((m.R3a + m.dL[3]) * std::cos(m.al3) + y);
      }
      m.al3 = std::atan(dv(x - m.X30, m.Y3a - y));
      double rho = ok(std::sqrt(ok(sqr(x - m.X30) + sqr(m.Y3a - y))));
      m.dL[3] = std::fabs(rho - m.R3a);
      dy = sgn(rho - m.R3a);
      dx = x > m.X30 ? sgn(m.R3a - rho) : sgn(rho - m.R3a);
      chordReaction(lab, 3, m.al3, dx, dy);
      return;
    }
  }
  // The chord between the rod's points level with and plumb with the bead.
  dx = ok(xc - x);
  dy = ok(yc - y);
  if (dx != 0) m.al3 = -std::atan(ok(dy / dx));
  m.dL[3] = triangleHeight(dx, dy);
  chordReaction(lab, 3, m.al3, dx, dy);
}

void arc(Lab& lab) {
  auto& m = lab.m;
  double x = m.X[4], y = m.Y[4];
  double dx = ok(m.X40 - x), dy = ok(m.Y40 - y);
  m.fi4 = m.Y40 > y ? m.Pi * 3 / 2 : m.Pi / 2;
  if (dx != 0) {
    m.fi4 = std::atan(std::fabs(ok(dy / dx)));
    if (y > m.Y40) {
      if (x < m.X40) m.fi4 = m.Pi - m.fi4;
    } else {
      m.fi4 = x <= m.X40 ? m.Pi + m.fi4 : 2 * m.Pi - m.fi4;
    }
  }
  double rho = ok(std::sqrt(ok(dx * dx + dy * dy)));
  m.dL[4] = ok(rho - m.R4);
  double F = ok(m.Kj1 * m.VR1[4] + m.C1 * m.dL[4]);
  m.Fx[4] = ok(-F * std::cos(m.fi4));
  m.Fy[4] = ok(-F * std::sin(m.fi4));
}

}  // namespace

void Constraint(Lab& lab, int i) {
  switch (i) {
    case 1: line(lab); break;
    case 2: cycloid(lab); break;
    case 3: parabola(lab); break;
    case 4: arc(lab); break;
    default: break;
  }
}

}  // namespace lumet
