// What a trajectory accumulates after each step: the energy balance, the
// path, the relativistic time shifts of a clock carried by the body, and the
// eight action-like integrals; their frozen values at the finish and the
// shown result table.
#include <cmath>

#include "physics/physics.h"

namespace lumet {

namespace {

// Potential energies of trajectory i at its distance LR(i) from mass 2.
void potentialEnergies(Model& m, FieldLaw law, int i) {
  const double lr = m.LR[i];
  if (!law.constant && !law.power2 && law.falling) {
    // Strength falling as 1/r: the trapezoidal sum of the force over the
    // distance, continued from the previous step.
    const double dr = finite(m.LRa[i] - lr);
    m.Eq[i] = finite(m.Eq[i] - (m.Fq[i] + m.Fqa[i]) * dr / 2);
    m.Em[i] = finite(m.Em[i] - (m.Fm[i] + m.Fma[i]) * dr / 2);
    m.LRa[i] = lr;
    m.Fqa[i] = m.Fq[i];
    m.Fma[i] = m.Fm[i];
    return;
  }
  const Energies U = PotentialEnergies(m, law, lr);
  m.Eq[i] = U.Eq;
  m.Em[i] = U.Em;
}

// Gravitational and velocity time shifts of the clock on trajectory i.
void relativisticTime(Model& m, int i) {
  const double c2 = std::pow(m.Vsv, 2);
  const double weaker = finite(quotient(1, m.Rz) - quotient(1, m.LR[i]));
  m.ttR = finite(m.ttR + quotient(m.h * m.gamma * m.m2 * weaker, c2));
  const double lorentz = root(1 - quotient(std::pow(m.V[i], 2), c2));
  m.ttV = finite(m.ttV + (1 - quotient(1, lorentz)) * m.h);
}

}  // namespace

void UpdateTrajectory(Model& m, const Choices& ch, int i) {
  const double h = m.h;

  // Friction inside the bead with the rate of the previous step, then the
  // new rate of deformation.
  m.Ej1[i] = finite(m.Ej1[i] + m.Kj1 * m.VR1[i] * m.VR1[i] * h);
  const double rate = quotient(m.dL[i] - m.dLa[i], h);
  m.VR1[i] = finite((m.VR1[i] + rate) / 2);
  m.dLa[i] = m.dL[i];

  m.V[i] = root(m.VX[i] * m.VX[i] + m.VY[i] * m.VY[i]);
  const double dx = finite(m.X[i] - m.Xp[i]);
  const double dy = finite(m.Y[i] - m.Yp[i]);
  m.Xp[i] = m.X[i];
  m.Yp[i] = m.Y[i];
  const double ds = root(dx * dx + dy * dy);
  m.L[i] = finite(m.L[i] + ds);

  relativisticTime(m, i);

  potentialEnergies(m, ch.law, i);
  if (ch.mass3) {
    const ThirdBodyField f = ThirdBodyEnergies(m, m.X[i], m.Y[i]);
    m.Eq[i] = f.U.Eq;
    m.Em[i] = f.U.Em;
    m.LR[i] = f.d3;
  }

  const double v = m.V[i];
  m.Ekj[i] = finite(m.Ekj[i] + m.Kj * v * ds);
  m.Ev[i] = finite(m.m1 * v * v / 2);
  m.EC1[i] = finite(m.C1 * m.dL[i] * m.dL[i] / 2);
  m.E[i] = finite(m.Ev[i] + m.Ekj[i] + m.Ej1[i] + m.Em[i] + m.Eq[i] + m.EC1[i]);

  const double mv = finite(m.m1 * v);
  const double tmu = finite(m.Ev[i] - m.Eq[i] - m.Em[i]);
  const double tpu = finite(m.Ev[i] + m.Eq[i] + m.Em[i]);
  m.IntMV_T[i] = finite(m.IntMV_T[i] + mv * h);
  m.IntTmU_T[i] = finite(m.IntTmU_T[i] + tmu * h);
  m.IntTpU_T[i] = finite(m.IntTpU_T[i] + tpu * h);
  m.IntT_T[i] = finite(m.IntT_T[i] + m.Ev[i] * h);

  m.IntMV_L[i] = finite(m.IntMV_L[i] + mv * ds);
  m.IntTmU_L[i] = finite(m.IntTmU_L[i] + tmu * ds);
  m.IntTpU_L[i] = finite(m.IntTpU_L[i] + tpu * ds);
  m.IntT_L[i] = finite(m.IntT_L[i] + m.Ev[i] * ds);
}

void FreezeIntegrals(Model& m, int i) {
  m.IntMV_Tk[i] = m.IntMV_T[i];
  m.IntTmU_Tk[i] = m.IntTmU_T[i];
  m.IntTpU_Tk[i] = m.IntTpU_T[i];
  m.IntT_Tk[i] = m.IntT_T[i];
  m.IntMV_Lk[i] = m.IntMV_L[i];
  m.IntTmU_Lk[i] = m.IntTmU_L[i];
  m.IntTpU_Lk[i] = m.IntTpU_L[i];
  m.IntT_Lk[i] = m.IntT_L[i];
}

void FillTable(Model& m, const Choices& ch, int i) {
  if (ch.byPath) {
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
  if (ch.average[0]) m.ColMV[i] = quotient(m.ColMV[i], div);
  if (ch.average[1]) m.ColTmU[i] = quotient(m.ColTmU[i], div);
  if (ch.average[2]) m.ColT[i] = quotient(m.ColT[i], div);
  if (ch.average[3]) m.ColTpU[i] = quotient(m.ColTpU[i], div);
}

}  // namespace lumet
