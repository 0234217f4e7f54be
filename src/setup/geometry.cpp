// The four rods from the start point (Xn, Yn) to the end point (Xk, Yk): a
// line, a cycloid, a parabola and a circular arc, each in its standard or
// modified form, with the rod's direction at the start point.
#include <cmath>
#include <cstdint>

#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

// Direction atan(dy/dx) of a short chord; a chord with no horizontal extent
// is vertical, up or down by dy. Only a chord of no length at all fails.
double direction(const Model& m, double dy, double dx) {
  if (dx == 0) {
    if (dy == 0) throw Failure{};
    return dy > 0 ? m.Pi / 2 : -m.Pi / 2;
  }
  return std::atan(quotient(dy, dx));
}

// The cycloid searches give up after 20000 corrections of their angle.
constexpr int kMaxCorrections = 20000;

// The step factor of the cycloid searches' corrections.
constexpr double Dfi0 = 0.001;

void line(Model& m) {
  const double DX = finite(m.Xk - m.Xn);
  const double DY = finite(m.Yk - m.Yn);
  SetLineSlope(m, direction(m, DY, DX));
  m.al1v = m.al1;
}

// The standard cycloid starts at its cusp; the end angle is searched so that
// the arch through both points ends at Xk.
bool standardCycloid(Model& m, int& corrections) {
  double fi = m.Pi;
  for (;;) {
    m.R2 = quotient(m.Yn - m.Yk, 1 - std::cos(fi));
    const double Xt = finite((fi - std::sin(fi)) * m.R2 + m.Xn);
    const double miss = finite(Xt - m.Xk);
    // The miss is relative to |Xk|, or absolute near the origin.
    const double scale = std::fabs(m.Xk) >= 1 ? std::fabs(m.Xk) : 1;
    if (std::fabs(miss) < 0.0002 * scale) break;
    ++corrections;
    if (std::fabs(m.Xk) >= 1)
      fi = finite(fi + (m.Xk - Xt) * Dfi0 / std::fabs(m.Xk));
    else
      fi = finite(fi + (m.Xk - Xt) * Dfi0 / 10);
    if (corrections > kMaxCorrections) return false;
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
bool modifiedCycloid(Model& m, int& corrections) {
  m.fiN2 = 0;
  for (;;) {
    const double fN = m.fiN2, fK = m.fiK2;
    m.R2 = quotient(m.Yn - m.Yk + m.Xk - m.Xn,
                    std::cos(fN) - std::cos(fK) - fN + std::sin(fN) + fK - std::sin(fK));
    // The ordinate at fiN2 of the cycloid through the end point.
    const double Yk2 = finite((1 - std::cos(fK)) * m.R2 + m.Yk - m.R2 * (1 - std::cos(fN)));
    const double miss = std::fabs(finite(Yk2 - m.Yn));
    if (miss < 0.005 * std::fabs(m.Yk - m.Yn)) {
      m.R2 = quotient(m.Xn - m.Xk, fN - std::sin(fN) - fK + std::sin(fK));
      m.X20 = finite(m.Xk - (fK - std::sin(fK)) * m.R2);
      m.Y20 = finite((1 - std::cos(fK)) * m.R2 + m.Yk);
      return true;
    }
    ++corrections;
    m.fiN2 = finite(m.fiN2 + miss * Dfi0);
    if (corrections > kMaxCorrections) return false;
  }
}

bool cycloid(Model& m, const Choices& ch, StartReport& r) {
  if (m.Yn < m.Yk) {
    r.stopWith(Msg::CycloidYn);
    return false;
  }
  if (!ch.modifiedCycloid) {
    if (!standardCycloid(m, r.cycloidCorrections)) {
      r.stopWith(Msg::CycloidYn);
      return false;
    }
  } else if (!modifiedCycloid(m, r.cycloidCorrections)) {
    // Warned; the cycloid keeps what it had, and the start goes on with the
    // next rod.
    r.notices.push_back(Msg::CycloidNotFound);
    return true;
  }

  // Start point, and the direction of the rod there from its point 0.01
  // rad of rolling further on.
  const double fN = m.fiN2, f1 = m.fiN2 + 0.01;
  m.X2n = finite((fN - std::sin(fN)) * m.R2 + m.X20);
  m.Y2n = finite(m.Y20 - (1 - std::cos(fN)) * m.R2);
  const double x1 = finite((f1 - std::sin(f1)) * m.R2 + m.X20);
  const double y1 = finite(m.Y20 - (1 - std::cos(f1)) * m.R2);
  m.al2 = direction(m, y1 - m.Y2n, x1 - m.X2n);
  m.al2v = m.al2;

  r.shown.push_back({V::R2, m.R2});
  r.shown.push_back({V::fiN2, m.fiN2});
  r.shown.push_back({V::fiK2_rod, m.fiK2});
  if (m.R2 <= 0) r.notices.push_back(Msg::CycloidBent);
  return true;
}

bool parabola(Model& m, const Choices& ch, StartReport& r) {
  if (m.Yn < m.Yk) {
    r.stopWith(Msg::ParabolaYk);
    return false;
  }
  double x1, y1;
  if (!ch.modifiedParabola) {
    // x = X30 + K3·(Y30 − y)² with its vertex at the start point.
    m.X30 = m.Xn;
    m.Y30 = m.Yn;
    const double spread = finite(sqr(m.Yn - m.Y30) - sqr(m.Yk - m.Y30));
    m.K3 = quotient(m.Xn - m.Xk, spread);
    r.shown.push_back({V::K3, m.K3});
    // The rod's direction at the start from its point 0.01 m lower.
    y1 = m.Yn - 0.01;
    x1 = finite(m.X30 + m.K3 * sqr(y1 - m.Y30));
  } else {
    // y = Y30 + K3·(X30 − x)² with the vertex on the user's axis X30.
    if ((m.Xk + m.Xn) / 2 >= m.X30) {
      r.stopWith(Msg::ParabolaX30);
      return false;
    }
    const double spread = finite(sqr(m.Xn - m.X30) - sqr(m.Xk - m.X30));
    m.K3 = quotient(m.Yn - m.Yk, spread);
    m.Y30 = finite(m.Yn - (m.Xn - m.X30) * m.K3 * (m.Xn - m.X30));
    // The rod's direction at the start from its point 0.01 m further right.
    x1 = m.Xn + 0.01;
    y1 = finite(m.Y30 + m.K3 * sqr(x1 - m.X30));
  }
  const double DY = finite(y1 - m.Yn);
  const double DX = finite(x1 - m.Xn);
  m.al3 = direction(m, DY, DX);
  m.al3v = m.al3;
  r.shown.push_back({V::K3, m.K3});
  return true;
}

bool arc(Model& m, const Choices& ch, StartReport& r) {
  if (!ch.modifiedArc) {
    // Centre on the horizontal through the start point, right of it.
    const double DX = finite(m.Xk - m.Xn);
    const double DY = finite(m.Yn - m.Yk);
    m.X40 = quotient((sqr(DY) + sqr(m.Xk) - sqr(m.Xn)) / 2, DX);
    m.Y40 = m.Yn;
    m.R4 = finite(m.X40 - m.Xn);
    m.al4 = m.Pi;
    m.fiN4 = m.Pi;
    m.fiK4 = 3 * m.Pi / 2;
    if (m.X40 != m.Xk) {
      const double a = std::atan(std::fabs(quotient(m.Y40 - m.Yk, m.X40 - m.Xk)));
      m.fiK4 = m.Pi + a;
      if (m.Xk > m.X40) m.fiK4 = 2 * m.Pi - a;
    }
  } else {
    // Centre on the user's vertical X40, equally far from both points.
    if (m.Yn == m.Yk) {
      r.stopWith(Msg::ArcYk);
      return false;
    }
    if (std::fabs(m.X40 - (m.Xn + m.Xk) / 2) <= 0.00009) {
      r.stopWith(Msg::ArcX40);
      return false;
    }
    const double twice =
        finite(sqr(m.Yk) - sqr(m.Yn) + sqr(m.Xk) - sqr(m.Xn) - 2 * m.X40 * (m.Xk - m.Xn));
    m.Y40 = quotient(twice / 2, m.Yk - m.Yn);
    m.R4 = root(sqr(m.X40 - m.Xn) + sqr(m.Y40 - m.Yn));
    r.shown.push_back({V::Y40, m.Y40});
    m.al4 = PolarAngle(m, m.X40, m.Y40, m.Xn, m.Yn);
    m.al4k = PolarAngle(m, m.X40, m.Y40, m.Xk, m.Yk);
    m.fiN4 = m.al4;
    m.fiK4 = m.al4k;
    if (m.fiN4 >= m.fiK4) {
      m.fiN4 = m.al4k;
      m.fiK4 = m.al4;
      if ((m.Xn + m.Xk) / 2 > m.X40 && m.fiK4 >= 3 * m.Pi / 2) m.fiK4 -= 2 * m.Pi;
    }
  }
  m.al4v = m.al4 < m.Pi ? m.al4 - m.Pi / 2 : m.al4 - 3 * m.Pi / 2;
  r.shown.push_back({V::R4, m.R4});
  return true;
}

}  // namespace

bool BuildConstraints(Model& m, const Choices& ch, StartReport& r) {
  if (ch.takesPart(1)) line(m);
  if (ch.takesPart(2) && !cycloid(m, ch, r)) return false;
  if (ch.takesPart(3) && !parabola(m, ch, r)) return false;
  if (ch.takesPart(4) && !arc(m, ch, r)) return false;
  return true;
}

void InitConstrainedBodies(Model& m, const Choices& ch) {
  auto place = [&](int i, double x, double y) {
    m.S[i] = m.X[i] = x;
    m.S[i + 5] = m.Y[i] = y;
    m.S[i + 10] = m.VX[i] = m.VXn;
    m.S[i + 15] = m.VY[i] = m.VYn;
  };

  // Line, cycloid, parabola: the bead is pressed across its rod by the part
  // of the start force normal to the rod.
  for (int i = 1; i <= 3; ++i) {
    if (!ch.takesPart(i)) continue;
    const double a = i == 1 ? m.al1 : i == 2 ? m.al2 : m.al3;
    const double x0 = i == 2 ? m.X2n : m.Xn;
    const double y0 = i == 2 ? m.Y2n : m.Yn;
    m.FX[i] = finite(m.FXfield + m.Fx[5]);
    m.FY[i] = finite(m.FYfield + m.Fy[5]);
    m.dL[i] = quotient(std::cos(a) * m.FY[i] - std::sin(a) * m.FX[i], m.C1);
    // The deformation "at the previous step" as the reaction will measure
    // it: an unsigned distance for the line and the parabola; for the
    // cycloid a signed one, positive away from the arch's reference point,
    // which is the opposite side to this normal component.
    m.dLa[i] = i == 2 ? -m.dL[i] : std::fabs(m.dL[i]);
    place(i, finite(x0 - std::sin(a) * m.dL[i]), finite(y0 + std::cos(a) * m.dL[i]));
    m.EC1[i] = finite(m.dL[i] * (m.C1 * m.dL[i]) / 2);
  }

  // Arc: the bead is pressed along the radius by the start force and by the
  // centripetal force of this start's speed.
  if (ch.takesPart(4)) {
    const double V = root(m.VXn * m.VXn + m.VYn * m.VYn);
    const double Fc = quotient(V * (m.m1 * V), m.R4);
    m.FX[4] = finite(m.FXfield + m.Fx[5]);
    m.FY[4] = finite(m.FYfield + m.Fy[5]);
    m.dL[4] = quotient(std::cos(m.al4) * m.FX[4] + std::sin(m.al4) * m.FY[4] + Fc, m.C1);
    m.dLa[4] = m.dL[4];
    place(4, finite(m.Xn + std::cos(m.al4) * m.dL[4]), finite(m.Yn + std::sin(m.al4) * m.dL[4]));
    m.EC1[4] = finite(m.dL[4] * (m.C1 * m.dL[4]) / 2);
  }
}

}  // namespace lumet
