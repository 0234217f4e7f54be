// What a trajectory accumulates after each step: the energy balance, the
// path, the relativistic time shifts of a clock carried by the body, and the
// eight action-like integrals; their frozen values at the finish and the
// shown result table.
#include <cmath>

#include "physics/physics.h"

namespace lumet {

namespace {

// Potential energies of trajectory i at its distance LR(i) from the
// attracting centre, in the standard law chosen in the window.
void potentialEnergies(Lab& lab, int i) {
  Model& m = lab.m;
  const double lr = m.LR[i];
  if (!lab.on(Option17)) {
    // Constant strength: force times height above the zero level.
    m.Eq[i] = ok(ok(lr - m.Rz) * m.Fq0);
    m.Em[i] = ok(ok(lr - m.Rz) * m.Fm0);
  } else if (lab.on(Option10) && !lab.on(Option19)) {
    // Strength growing as the distance: F = K*r, U = K*(r^2 - r0^2)/2.
    double d = ok(ok(lr * lr) - m.R0v * m.R0v);
    m.Eq[i] = ok(ok(d * m.Kq) / 2);
    m.Em[i] = ok(ok(d * m.Km) / 2);
  } else if (lab.on(Option10)) {
    // Strength falling as 1/r: the trapezoidal sum of the force over the
    // distance, continued from the previous step.
    double dr = ok(m.LRa[i] - lr);
    m.Eq[i] = ok(m.Eq[i] - ok(ok(m.Fq[i] + m.Fqa[i]) * dr) / 2);
    m.Em[i] = ok(m.Em[i] - ok(ok(m.Fm[i] + m.Fma[i]) * dr) / 2);
    m.LRa[i] = lr;
    m.Fqa[i] = m.Fq[i];
    m.Fma[i] = m.Fm[i];
  } else if (!lab.on(Option19)) {
    // Strength growing as r^2: U = K*(r^3 - r0^3)/3.
    double d = ok(ok(lr * lr * lr) - m.R0v * m.R0v * m.R0v);
    m.Eq[i] = ok(ok(d * m.Kq) / 3);
    m.Em[i] = ok(ok(d * m.Km) / 3);
  } else {
    // Inverse square, zero level at R0.
    double d = ok(dv(1, m.R0) - dv(1, lr));
    m.Eq[i] = ok(ok(-m.Ke * m.q1 * m.q2) * d);
    m.Em[i] = ok(ok(m.gamma * m.m1 * m.m2) * d);
  }
}

// With mass 3 present: inverse-square energies of mass 2 and mass 3 at the
// body's place, each measured from its own zero-level radius.
void thirdBodyEnergies(Model& m, int i) {
  const double x = m.X[i], y = m.Y[i];
  double d2 = root(ok(x * x + ok(y + m.Rz) * ok(y + m.Rz)));
  m.LR[i] = d2;
  double u2 = ok(dv(1, m.R13) - dv(1, d2));
  m.Eq[i] = ok(ok(-m.Ke * m.q1 * m.q2) * u2);
  m.Em[i] = ok(ok(m.gamma * m.m1 * m.m2) * u2);
  double x3 = ok(x - m.KRz3 * m.Rz);
  double d3 = root(ok(x3 * x3 + y * y));
  m.LR[i] = d3;
  double u3 = ok(dv(1, m.R03) - dv(1, d3));
  m.Eq[i] = ok(m.Eq[i] - ok(ok(m.Ke * m.q1 * m.q3) * u3));
  m.Em[i] = ok(m.Em[i] + ok(ok(m.gamma * m.m1 * m.m3) * u3));
}

// Gravitational and velocity time shifts of the clock on trajectory i.
void relativisticTime(Model& m, int i) {
  const double c2 = std::pow(m.Vsv, 2);
  double weaker = ok(dv(1, m.Rz) - dv(1, m.LR[i]));
  m.ttR = ok(m.ttR + dv(ok(m.h * m.gamma * m.m2 * weaker), c2));
  double lorentz = root(ok(1 - dv(std::pow(m.V[i], 2), c2)));
  m.ttV = ok(m.ttV + ok(ok(1 - dv(1, lorentz)) * m.h));
}

}  // namespace

void UpdateTrajectory(Lab& lab, int i) {
  Model& m = lab.m;
  const double h = m.h;

  // Friction inside the bead with the rate of the previous step, then the
  // new rate of deformation.
  m.Ej1[i] = ok(m.Ej1[i] + ok(m.Kj1 * m.VR1[i] * m.VR1[i] * h));
  m.VR1[i] = ok(ok(m.VR1[i] + dv(ok(m.dL[i] - m.dLa[i]), h)) / 2);
  m.dLa[i] = m.dL[i];

  m.V[i] = root(ok(m.VX[i] * m.VX[i] + m.VY[i] * m.VY[i]));
  const double dx = ok(m.X[i] - m.Xp[i]);
  const double dy = ok(m.Y[i] - m.Yp[i]);
  m.Xp[i] = m.X[i];
  m.Yp[i] = m.Y[i];
  const double ds = root(ok(dx * dx + dy * dy));
  m.L[i] = ok(m.L[i] + ds);

  relativisticTime(m, i);

  potentialEnergies(lab, i);
  if (lab.on(Check17)) thirdBodyEnergies(m, i);

  const double v = m.V[i];
  m.Ekj[i] = ok(m.Ekj[i] + ok(m.Kj * v * ds));
  m.Ev[i] = ok(ok(m.m1 * v * v) / 2);
  m.EC1[i] = ok(ok(m.C1 * m.dL[i] * m.dL[i]) / 2);
  m.E[i] = ok(m.Ev[i] + m.Ekj[i] + m.Ej1[i] + m.Em[i] + m.Eq[i] + m.EC1[i]);

  const double mv = ok(m.m1 * v);
  const double tmu = ok(m.Ev[i] - m.Eq[i] - m.Em[i]);
  const double tpu = ok(m.Ev[i] + m.Eq[i] + m.Em[i]);
  m.IntMV_T[i] = ok(m.IntMV_T[i] + mv * h);
  m.IntTmU_T[i] = ok(m.IntTmU_T[i] + tmu * h);
  m.IntTpU_T[i] = ok(m.IntTpU_T[i] + tpu * h);
  m.IntT_T[i] = ok(m.IntT_T[i] + m.Ev[i] * h);

  m.IntMV_L[i] = ok(m.IntMV_L[i] + mv * ds);
  m.IntTmU_L[i] = ok(m.IntTmU_L[i] + tmu * ds);
  m.IntTpU_L[i] = ok(m.IntTpU_L[i] + tpu * ds);
  m.IntT_L[i] = ok(m.IntT_L[i] + m.Ev[i] * ds);
}

void FreezeIntegrals(Lab& lab, int i) {
  Model& m = lab.m;
  m.IntMV_Tk[i] = m.IntMV_T[i];
  m.IntTmU_Tk[i] = m.IntTmU_T[i];
  m.IntTpU_Tk[i] = m.IntTpU_T[i];
  m.IntT_Tk[i] = m.IntT_T[i];
  m.IntMV_Lk[i] = m.IntMV_L[i];
  m.IntTmU_Lk[i] = m.IntTmU_L[i];
  m.IntTpU_Lk[i] = m.IntTpU_L[i];
  m.IntT_Lk[i] = m.IntT_L[i];
}

void FillTable(Lab& lab, int i) {
  Model& m = lab.m;
  if (lab.on(Option9)) {
    m.ColMV[i] = m.IntMV_Lk[i];
    m.ColTmU[i] = m.IntTmU_Lk[i];
    m.ColTpU[i] = m.IntTpU_Lk[i];
    m.ColT[i] = m.IntT_Lk[i];
    m.ColDiv[i] = m.Lmax[i];
  } else {
    m.ColMV[i] = m.IntMV_Tk[i];
    m.ColTmU[i] = m.IntTmU_Tk[i];
    m.ColTpU[i] = m.IntTpU_Tk[i];
    m.ColT[i] = m.IntT_Tk[i];
    m.ColDiv[i] = m.Tfin[i];
  }
  const double div = m.ColDiv[i];
  if (div == 0) return;
  if (lab.on(Check8)) m.ColMV[i] = dv(m.ColMV[i], div);
  if (lab.on(Check9)) m.ColTmU[i] = dv(m.ColTmU[i], div);
  if (lab.on(Check10)) m.ColT[i] = dv(m.ColT[i], div);
  if (lab.on(Check11)) m.ColTpU[i] = dv(m.ColTpU[i], div);
}

}  // namespace lumet
