// Right-hand side of the equations of motion of the five bodies: the field of
// mass 2 in the chosen law, the rods' reactions, viscous and external forces,
// the optional mass 3, and the landing on the plane of a flat field.
#include <cmath>

#include "physics/physics.h"

namespace lumet {

namespace {

// A body that reaches one hundredth of Rz above the plane of a flat field
// is put on the plane and stops for the rest of the run. Every body gets
// its working copies of the state and no force yet.
void land(Model& m, bool flat) {
  for (int i = 1; i <= 5; ++i) {
    m.X[i] = m.S[i];
    m.Y[i] = m.S[i + 5];
    m.VX[i] = m.S[i + 10];
    m.VY[i] = m.S[i + 15];
    m.FX[i] = 0;
    m.FY[i] = 0;
    if (flat && m.Y[i] <= -0.99 * m.Rz) {
      m.S[i + 5] = -m.Rz;
      m.S[i + 10] = 0;
      m.S[i + 15] = 0;
      m.Active[i] = 0;
    }
  }
}

// The pull of mass 2 on body i, plus the rod's reaction, the medium's
// viscosity and the external force.
void forceOfMass2(Model& m, const Choices& ch, int i) {
  // Offsets from the centre of mass 2; in a flat field only the height
  // above the plane through that centre counts.
  const double XR = ch.flat ? 0 : m.X[i];
  const double YR = finite(m.Y[i] + m.Rz);
  m.LR[i] = root(XR * XR + YR * YR);
  const double beta = attractionAngle(m, XR, YR);

  // Strength at that distance; the free body may follow its own power law
  // of the distance ("AutoDn").
  const double lr = m.LR[i];
  const FieldLaw law = ch.law;
  if (i == 5 && ch.autoDn && !law.constant && law.power2 && law.falling) {
    const double p = finite(std::pow(lr, m.Dn));
    m.Fq[i] = finite(p * (-m.Ke * m.q1 * m.q2));
    m.Fm[i] = finite(p * (m.m1 * m.m2 * m.gamma));
  } else {
    fieldStrength(m, law, lr, m.Fq[i], m.Fm[i]);
  }

  double fx, fy;
  attraction(finite(m.Fm[i] + m.Fq[i]), beta, XR, YR, fx, fy);
  const double reactX = i <= 4 ? m.Fx[i] : 0;
  const double reactY = i <= 4 ? m.Fy[i] : 0;
  m.FX[i] = finite(fx + reactX - m.Kj * m.VX[i] + m.Fx[5]);
  m.FY[i] = finite(fy + reactY - m.Kj * m.VY[i] + m.Fy[5]);
}

// Mass 3: a point body with the mass and charge of mass 2 on the abscissa at
// KRz3·Rz, always inverse-square. Its distance and forces replace those of
// mass 2 in what the body shows.
void forceOfMass3(Model& m, int i) {
  const double XR = finite(m.X[i] - m.KRz3 * m.Rz);
  const double YR = m.Y[i];
  m.LR[i] = root(XR * XR + YR * YR);
  const double lr = m.LR[i];
  m.Fq[i] = inverseSquare(-m.Ke * m.q1 * m.q2, lr);
  m.Fm[i] = inverseSquare(m.m1 * m.m2 * m.gamma, lr);
  double fx, fy;
  attraction(finite(m.Fm[i] + m.Fq[i]), attractionAngle(m, XR, YR), XR, YR, fx, fy);
  m.FX[i] = finite(m.FX[i] + fx);
  m.FY[i] = finite(m.FY[i] + fy);
}

}  // namespace

void Diffur1(Model& m, const Choices& ch) {
  land(m, ch.flat);
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i) || m.Active[i] == 0) continue;
    if (i <= 4) Constraint(m, ch, i);
    forceOfMass2(m, ch, i);
    if (ch.mass3) forceOfMass3(m, i);
  }

  // Derivatives; written only when every one of them exists, so that a
  // failed evaluation leaves the previous ones.
  Vec20 d;
  for (int k = 1; k <= 10; ++k) d[k] = m.S[k + 10];
  for (int i = 1; i <= 5; ++i) {
    d[i + 10] = quotient(m.FX[i], m.m1);
    d[i + 15] = quotient(m.FY[i], m.m1);
  }
  for (int k = 1; k <= 20; ++k) m.dS[k] = d[k];
}

}  // namespace lumet
