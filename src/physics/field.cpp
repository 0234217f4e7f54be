// The field of mass 2 under each law, the direction and components of an
// attraction, the potential energies of the closed-form laws and of the
// field with mass 3, and the polar angle of a point about a centre.
#include <cmath>

#include "physics/physics.h"

namespace lumet {

namespace {

// A flat field, and a body on the vertical through a centre, are pulled
// along Pi/2 at every evaluation: its sine and cosine once.
const double kHalfPi = 3.141592654 / 2;
const double kSinHalfPi = std::sin(kHalfPi);
const double kCosHalfPi = std::cos(kHalfPi);

}  // namespace

double inverseSquare(double k, double r) {
  const double perR = quotient(k, r);
  return quotient(perR, r);
}

void fieldStrength(const Model& m, FieldLaw law, double lr, double& Fq, double& Fm) {
  Fq = m.Fq0;
  Fm = m.Fm0;
  if (law.constant) return;
  if (!law.power2 && law.falling) {
    Fq = quotient(m.Kq, lr);
    Fm = quotient(m.Km, lr);
  } else if (!law.power2) {
    Fq = finite(m.Kq * lr);
    Fm = finite(m.Km * lr);
  } else if (law.falling) {
    Fq = inverseSquare(-m.Ke * m.q1 * m.q2, lr);
    Fm = inverseSquare(m.m1 * m.m2 * m.gamma, lr);
  } else {
    Fq = finite(lr * (m.Kq * lr));
    Fm = finite(lr * (m.Km * lr));
  }
}

double attractionAngle(const Model& m, double xr, double yr) {
  if (xr == 0) return m.Pi / 2;
  return std::fabs(std::atan(quotient(yr, xr)));
}

void attraction(double F, double beta, double xr, double yr, double& fx, double& fy) {
  const bool vertical = beta == kHalfPi;
  const double sinBeta = vertical ? kSinHalfPi : std::sin(beta);
  const double cosBeta = vertical ? kCosHalfPi : std::cos(beta);
  fx = finite(-F * cosBeta);
  if (xr < 0) fx = -fx;
  fy = finite(-F * sinBeta);
  if (yr < 0) fy = -fy;
}

Energies PotentialEnergies(const Model& m, FieldLaw law, double lr) {
  if (law.constant) {
    // Force times height above the zero level.
    const double above = finite(lr - m.Rz);
    return {finite(above * m.Fq0), finite(above * m.Fm0)};
  }
  if (!law.power2) {
    // Strength growing as the distance: F = K·r, U = K·(r² − r0²)/2.
    const double d = finite(lr * lr - m.R0v * m.R0v);
    return {finite(d * m.Kq) / 2, finite(d * m.Km) / 2};
  }
  if (!law.falling) {
    // Strength growing as r²: U = K·(r³ − r0³)/3.
    const double d = finite(lr * lr * lr - m.R0v * m.R0v * m.R0v);
    return {finite(d * m.Kq) / 3, finite(d * m.Km) / 3};
  }
  // Inverse square, zero level at R0: Rz, or with "Ep=0 в бесконечности" a
  // radius so large that 1/R0 is practically 0.
  const double d = finite(quotient(1, m.R0) - quotient(1, lr));
  const double kq = -m.Ke * m.q1 * m.q2, km = m.gamma * m.m1 * m.m2;
  return {finite(kq * d), finite(km * d)};
}

ThirdBodyField ThirdBodyEnergies(const Model& m, double x, double y) {
  const double y2 = y + m.Rz;
  const double d2 = root(x * x + y2 * y2);
  const double u2 = finite(quotient(1, m.R13) - quotient(1, d2));
  const double x3 = x - m.KRz3 * m.Rz;
  const double d3 = root(x3 * x3 + y * y);
  const double u3 = finite(quotient(1, m.R03) - quotient(1, d3));
  const double Eq2 = finite(-m.Ke * m.q1 * m.q2 * u2);
  const double Em2 = finite(m.gamma * m.m1 * m.m2 * u2);
  const double Eq = finite(Eq2 - m.Ke * m.q1 * m.q3 * u3);
  const double Em = finite(Em2 + m.gamma * m.m1 * m.m3 * u3);
  return {{Eq, Em}, d3};
}

double PolarAngle(const Model& m, double cx, double cy, double x, double y) {
  const double dx = finite(cx - x), dy = finite(cy - y);
  if (dx == 0) return cy > y ? 3 * m.Pi / 2 : m.Pi / 2;
  const double a = std::atan(std::fabs(quotient(dy, dx)));
  if (y > cy) return x < cx ? m.Pi - a : a;
  return x <= cx ? m.Pi + a : 2 * m.Pi - a;
}

}  // namespace lumet
