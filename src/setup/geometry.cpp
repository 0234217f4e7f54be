// The four rods from the start point (Xn, Yn) to the end point (Xk, Yk): a
// line, a cycloid, a parabola and a circular arc, each in its standard or
// modified form, with the rod's direction at the start point.
#include <cmath>
#include <cstdint>

#include "model/control_ids.h"
#include "model/messages.h"
#include "model/numbers.h"
#include "setup/setup.h"

namespace lumet {

namespace {

// Direction atan(dy/dx) of a short chord; a chord with no horizontal extent
// is vertical, up or down by dy. Only a chord of no length at all fails.
double direction(const Lab& lab, double dy, double dx) {
  if (dx == 0) {
    if (dy == 0) throw Failure{};
    return dy > 0 ? lab.m.Pi / 2 : -lab.m.Pi / 2;
  }
  return std::atan(dv(dy, dx));
}

// One more correction of a search; the counter is 16-bit.
void countCorrection(Model& m) {
  if (m.NCgr == INT16_MAX) throw Failure{};
  ++m.NCgr;
}

void line(Lab& lab) {
  auto& m = lab.m;
  m.DX = ok(m.Xk - m.Xn);
  m.DY = ok(m.Yk - m.Yn);
  m.al1 = direction(lab, m.DY, m.DX);
  m.al1v = m.al1;
}

// The standard cycloid starts at its cusp; the end angle is searched so that
// the arch through both points ends at Xk.
bool standardCycloid(Lab& lab) {
  auto& m = lab.m;
  double fi = m.Pi;
  for (;;) {
    m.R2 = dv(m.Yn - m.Yk, 1 - std::cos(fi));
    double Xt = ok((fi - std::sin(fi)) * m.R2 + m.Xn);
    double miss = ok(Xt - m.Xk);
    if (std::fabs(m.Xk) >= 1) {
      if (std::fabs(miss) < 0.0002 * std::fabs(m.Xk)) break;
      countCorrection(m);
      fi = ok(fi + ok((m.Xk - Xt) * m.Dfi0) / std::fabs(m.Xk));
    } else {
      if (std::fabs(miss) < 0.0002) break;
      countCorrection(m);
      fi = ok(fi + (m.Xk - Xt) * m.Dfi0 / 10);
    }
    if (m.NCgr > 20000) {
      lab.message(msg::kCycloidYn);
      return false;
    }
  }
  m.fiN2 = 0;
  m.Y20 = m.Yn;
  m.X20 = m.Xn;
  m.fiK2 = fi;
  return true;
}

// The modified cycloid ends at the user's angle fiK2; the start angle is
// searched so that the arch through the end point passes through Yn.
// False when the search gave up (the cycloid then keeps what it had).
bool modifiedCycloid(Lab& lab) {
  auto& m = lab.m;
  m.fiN2 = 0;
  for (;;) {
    double fN = m.fiN2, fK = m.fiK2;
    m.R2 = dv(m.Yn - m.Yk + m.Xk - m.Xn,
              std::cos(fN) - std::cos(fK) - fN + std::sin(fN) + fK - std::sin(fK));
    m.Yk2 = ok((1 - std::cos(fK)) * m.R2 + m.Yk - m.R2 * (1 - std::cos(fN)));
    double miss = std::fabs(ok(m.Yk2 - m.Yn));
    if (miss < 0.005 * std::fabs(m.Yk - m.Yn)) {
      m.R2 = dv(m.Xn - m.Xk, fN - std::sin(fN) - fK + std::sin(fK));
      m.X20 = ok(m.Xk - (fK - std::sin(fK)) * m.R2);
      m.Y20 = ok((1 - std::cos(fK)) * m.R2 + m.Yk);
      return true;
    }
    countCorrection(m);
    m.fiN2 = ok(m.fiN2 + miss * m.Dfi0);
    if (m.NCgr >= 20001) {
      lab.message(msg::kCycloidNotFound);
      return false;
    }
  }
}

bool cycloid(Lab& lab) {
  auto& m = lab.m;
  m.Dfi0 = 0.001;
  m.NCgr = 0;
  if (m.Yn < m.Yk) {
    lab.message(msg::kCycloidYn);
    return false;
  }
  if (!lab.on(Check7)) {
    if (!standardCycloid(lab)) return false;
  } else if (!modifiedCycloid(lab)) {
    return true;  // warned; the start goes on with the next rod
  }

  // Start point and the direction of the rod there.
  double fN = m.fiN2, f1 = m.fiN2 + 0.01;
  m.X2n = ok((fN - std::sin(fN)) * m.R2 + m.X20);
  m.Y2n = ok(m.Y20 - (1 - std::cos(fN)) * m.R2);
  double x1 = ok((f1 - std::sin(f1)) * m.R2 + m.X20);
  double y1 = ok(m.Y20 - (1 - std::cos(f1)) * m.R2);
  m.DX = x1 - m.X2n;
  m.DY = y1 - m.Y2n;
  m.al2 = direction(lab, m.DY, m.DX);
  m.al2v = m.al2;

  lab.c.setText(Text14, formatBox(m.R2));
  lab.c.setText(Text31, formatBox(m.fiN2));
  lab.c.setText(Text41, formatBox(m.fiK2));
  if (m.R2 <= 0) lab.message(msg::kCycloidBent);
  return true;
}

bool parabola(Lab& lab) {
  auto& m = lab.m;
  if (m.Yn < m.Yk) {
    lab.message(msg::kParabolaYk);
    return false;
  }
  double x1, y1;
  if (!lab.on(Check13)) {
    // x = X30 + K3·(Y30 − y)² with its vertex at the start point.
    m.X30 = m.Xn;
    m.Y30 = m.Yn;
    m.K3 = dv(m.Xn - m.Xk, ok(sqr(m.Yn - m.Y30) - sqr(m.Yk - m.Y30)));
    lab.c.setText(Text26, formatBox(m.K3));
    y1 = m.Yn - 0.01;
    x1 = ok(m.X30 + m.K3 * sqr(y1 - m.Y30));
  } else {
    // y = Y30 + K3·(X30 − x)² with the vertex on the user's axis X30.
    if ((m.Xk + m.Xn) / 2 >= m.X30) {
      lab.message(msg::kParabolaX30);
      return false;
    }
    m.K3 = dv(m.Yn - m.Yk, ok(sqr(m.Xn - m.X30) - sqr(m.Xk - m.X30)));
    m.Y30 = ok(m.Yn - (m.Xn - m.X30) * m.K3 * (m.Xn - m.X30));
    x1 = m.Xn + 0.01;
    y1 = ok(m.Y30 + m.K3 * sqr(x1 - m.X30));
  }
  m.DY = ok(y1 - m.Yn);
  m.DX = ok(x1 - m.Xn);
  m.al3 = direction(lab, m.DY, m.DX);
  m.al3v = m.al3;
  lab.c.setText(Text26, formatBox(m.K3));
  return true;
}

// Polar angle, 0..2·Pi, of the point (x, y) seen from the arc's centre.
double polarAngle(const Model& m, double x, double y) {
  double a = m.Y40 > y ? 3 * m.Pi / 2 : m.Pi / 2;
  if (m.X40 != x) {
    double b = std::atan(std::fabs(dv(m.Y40 - y, m.X40 - x)));
    if (m.Y40 < y)
      a = x < m.X40 ? m.Pi - b : b;
    else
      a = x <= m.X40 ? m.Pi + b : 2 * m.Pi - b;
  }
  return a;
}

bool arc(Lab& lab) {
  auto& m = lab.m;
  if (!lab.on(Check12)) {
    // Centre on the horizontal through the start point, right of it.
    m.DX = ok(m.Xk - m.Xn);
    m.DY = ok(m.Yn - m.Yk);
    m.X40 = dv(ok(sqr(m.DY) + sqr(m.Xk) - sqr(m.Xn)) / 2, m.DX);
    m.Y40 = m.Yn;
    m.R4 = ok(m.X40 - m.Xn);
    m.al4 = m.Pi;
    m.fiN4 = m.Pi;
    m.fiK4 = 3 * m.Pi / 2;
    if (m.X40 != m.Xk) {
      double a = std::atan(std::fabs(dv(m.Y40 - m.Yk, m.X40 - m.Xk)));
      m.fiK4 = m.Pi + a;
      if (m.Xk > m.X40) m.fiK4 = 2 * m.Pi - a;
    }
  } else {
    // Centre on the user's vertical X40, equally far from both points.
    if (m.Yn == m.Yk) {
      lab.message(msg::kArcYk);
      return false;
    }
    if (std::fabs(m.X40 - (m.Xn + m.Xk) / 2) <= 0.00009) {
      lab.message(msg::kArcX40);
      return false;
    }
    m.Y40 = dv(ok(sqr(m.Yk) - sqr(m.Yn) + sqr(m.Xk) - sqr(m.Xn) - 2 * m.X40 * (m.Xk - m.Xn)) / 2,
               m.Yk - m.Yn);
    m.R4 = root(ok(sqr(m.X40 - m.Xn) + sqr(m.Y40 - m.Yn)));
    lab.c.setText(Text52, formatBox(m.Y40));
    m.al4 = polarAngle(m, m.Xn, m.Yn);
    m.al4k = polarAngle(m, m.Xk, m.Yk);
    m.fiN4 = m.al4;
    m.fiK4 = m.al4k;
    if (m.fiN4 >= m.fiK4) {
      m.fiN4 = m.al4k;
      m.fiK4 = m.al4;
      if ((m.Xn + m.Xk) / 2 > m.X40 && m.fiK4 >= 3 * m.Pi / 2) m.fiK4 -= 2 * m.Pi;
    }
  }
  m.al4v = m.al4 < m.Pi ? m.al4 - m.Pi / 2 : m.al4 - 3 * m.Pi / 2;
  lab.c.setText(Text15, formatBox(m.R4));
  return true;
}

}  // namespace

bool BuildConstraints(Lab& lab) {
  if (lab.on(Check1)) line(lab);
  if (lab.on(Check2) && !cycloid(lab)) return false;
  if (lab.on(Check3) && !parabola(lab)) return false;
  if (lab.on(Check4) && !arc(lab)) return false;
  return true;
}

void InitConstrainedBodies(Lab& lab) {
  auto& m = lab.m;
  auto place = [&](int i, double x, double y, double vx, double vy) {
    m.S[i] = m.X[i] = x;
    m.S[i + 5] = m.Y[i] = y;
    m.S[i + 10] = m.VX[i] = vx;
    m.S[i + 15] = m.VY[i] = vy;
  };

  // Line, cycloid, parabola: the bead is pressed across its rod by the part
  // of the start force normal to the rod.
  const ControlId checks[] = {Check1, Check2, Check3};
  for (int i = 1; i <= 3; ++i) {
    if (!lab.on(checks[i - 1])) continue;
    double a = i == 1 ? m.al1 : i == 2 ? m.al2 : m.al3;
    double x0 = i == 2 ? m.X2n : m.Xn;
    double y0 = i == 2 ? m.Y2n : m.Yn;
    m.FX[i] = ok(m.FXfield + m.Fx[5]);
    m.FY[i] = ok(m.FYfield + m.Fy[5]);
    m.dL[i] = dv(ok(std::cos(a) * m.FY[i] - std::sin(a) * m.FX[i]), m.C1);
    m.dLa[i] = i == 2 ? -m.dL[i] : std::fabs(m.dL[i]);
    place(i, ok(x0 - std::sin(a) * m.dL[i]), ok(y0 + std::cos(a) * m.dL[i]), m.VXn, m.VYn);
    m.EC1[i] = ok(m.dL[i] * (m.C1 * m.dL[i]) / 2);
  }

  // Arc: the bead is pressed along the radius by the start force and by the
  // centripetal force of this start's speed.
  if (lab.on(Check4)) {
    double V = ok(std::sqrt(ok(m.VXn * m.VXn + m.VYn * m.VYn)));
    double Fc = dv(ok(V * (m.m1 * V)), m.R4);
    m.FX[4] = ok(m.FXfield + m.Fx[5]);
    m.FY[4] = ok(m.FYfield + m.Fy[5]);
    m.dL[4] = dv(ok(std::cos(m.al4) * m.FX[4] + std::sin(m.al4) * m.FY[4] + Fc), m.C1);
    m.dLa[4] = m.dL[4];
    place(4, ok(m.Xn + std::cos(m.al4) * m.dL[4]), ok(m.Yn + std::sin(m.al4) * m.dL[4]), m.VXn,
          m.VYn);
    m.EC1[4] = ok(m.dL[4] * (m.C1 * m.dL[4]) / 2);
  }
}

}  // namespace lumet
