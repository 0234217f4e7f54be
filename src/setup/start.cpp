// The start of an experiment, stage by stage: the parameters read, the start point
// checked, the rods built, the field at the start point, the run state reset,
// the beads placed on their rods, the energies at the start, and the field
// with mass 3.
#include <cmath>

#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

// 10 to the power of an exponent parameter: a power that overflows is the
// exponent's failure.
double tenTo(int16_t exponent, P power) {
  const double v = std::pow(10.0, exponent);
  if (!std::isfinite(v)) throw Failure{power, Msg::PowerTooLarge};
  return v;
}

// A number times its power of ten: a product that overflows is the failure
// of the exponent that made it.
double scaled(const Parameters& p, P number, double tens, P power) {
  const double v = readNumber(p, number) * tens;
  if (!std::isfinite(v)) throw Failure{power, Msg::PowerTooLarge};
  return v;
}

// Masses, charges and radius with their powers of ten; the zero levels.
void readBodies(Model& m, const Parameters& p, const Choices& ch, StartReport& r) {
  m.ExpM = readInt16(p, P::ExpM);
  m.ExpQ = readInt16(p, P::ExpQ);
  m.ExpRz = readInt16(p, P::ExpRz);
  const double pM = tenTo(m.ExpM, P::ExpM), pQ = tenTo(m.ExpQ, P::ExpQ);
  m.m1 = scaled(p, P::m1, pM, P::ExpM);
  m.q1 = scaled(p, P::q1, pQ, P::ExpQ);
  m.m2 = scaled(p, P::m2, pM, P::ExpM);
  m.q2 = scaled(p, P::q2, pQ, P::ExpQ);
  m.Rz = scaled(p, P::Rz, tenTo(m.ExpRz, P::ExpRz), P::ExpRz);
  m.R0 = m.Rz;
  m.R0v = m.Rz;
  if (ch.zeroAtInfinity) {
    // The zero of potential energy at "infinity": a radius of 9^33 m (about
    // 3.1e31 m), beside which 1/R0 vanishes for any distance of the
    // laboratory. The growing laws then count from the centre.
    m.R0 = std::pow(9.0, 33);
    m.R0v = 0;
    r.notices.push_back(Msg::ZeroAtInfinity);
  }
}

// The parameters the model takes as they are, in the order they are read.
struct Taken {
  double Inputs::*value;
  P param;
};
constexpr Taken kTaken[] = {
    {&Inputs::C1, P::C1},    {&Inputs::Kj1, P::Kj1}, {&Inputs::KRz3, P::KRz3},
    {&Inputs::VXn, P::VXn},  {&Inputs::VYn, P::VYn}, {&Inputs::Xn, P::Xn},
    {&Inputs::Yn, P::Yn},    {&Inputs::Xk, P::Xk},   {&Inputs::Yk, P::Yk},
    {&Inputs::Dn, P::Dn},    {&Inputs::X30, P::X30}, {&Inputs::X40, P::X40},
    {&Inputs::fiK2, P::fiK2}};

// The other parameters; the external force; the scales; the relativistic
// sums; the third body.
void readParameters(Model& m, const Parameters& p, const Choices& ch) {
  for (const Taken& t : kTaken) m.*t.value = readNumber(p, t.param);
  m.FxBox = readNumber(p, P::Fx);
  m.Fx[5] = m.FxBox;
  m.Fy[5] = readNumber(p, P::Fy);
  m.Kj = readNumber(p, P::Kj);
  m.w = readNumber(p, P::w);
  m.kMx = readReciprocal(p, P::Mx);
  m.kM = readReciprocal(p, P::M);
  m.Mt = readNumber(p, P::Mt);
  m.ttR = 0;
  m.ttV = 0;
  m.m3 = ch.mass3 ? m.m2 : 0;
  m.q3 = ch.mass3 ? m.q2 : 0;
}

// The start point: above the surface in a flat field, left of the end point.
std::optional<Msg> startPointProblem(const Model& m, const Choices& ch) {
  if (-m.Rz >= m.Yn && ch.flat) return Msg::FlatYn;
  if (m.Xn >= m.Xk) return Msg::XnXk;
  return std::nullopt;
}

// The step and the cadences; every body at the start point, at rest.
void readSteppingAndPlace(Model& m, const Parameters& p) {
  m.h = readNumber(p, P::h);
  m.NCg = readInt16(p, P::NCg);
  m.NCf = readInt16(p, P::NCf);
  if (m.NCg < 1) m.NCg = 1;
  if (m.NCf < 1) m.NCf = 1;
  for (int i = 1; i <= 5; ++i) {
    m.S[i] = m.Xn;
    m.S[i + 5] = m.Yn;
    m.S[i + 10] = 0;
    m.S[i + 15] = 0;
    m.Xp[i] = m.Xn;
    m.Yp[i] = m.Yn;
  }
}

// The field's coefficients for the chosen law, and its force at the start
// point (with the pull of mass 3). False when a constant field is asked for
// at or below the surface.
bool fieldAtStart(Model& m, const Choices& ch) {
  const FieldLaw law = ch.law;
  m.Kq = 0;
  m.Km = 0;
  const double YR = finite(m.Yn + m.Rz);
  const double XR = ch.flat ? 0 : m.Xn;
  const double LRn = root(XR * XR + YR * YR);
  m.Fq0 = quotient(-m.Ke * m.q1 * m.q2, m.Rz * m.Rz);
  m.Fm0 = quotient(m.m1 * m.m2 * m.gamma, m.Rz * m.Rz);
  double Fqn = m.Fq0, Fmn = m.Fm0;

  const double level = finite(quotient(m.Yn, m.Rz) + 1);
  if (level <= 0.01 && law.constant) return false;

  // Every variable law gives Fq0, Fm0 at the zero level LR = Rz.
  if (!law.constant) {
    if (!law.power2 && law.falling) {
      m.Kq = finite(m.Fq0 * m.Rz);
      m.Km = finite(m.Fm0 * m.Rz);
    } else if (!law.power2) {
      m.Kq = quotient(m.Fq0, m.Rz);
      m.Km = quotient(m.Fm0, m.Rz);
    } else if (!law.falling) {
      m.Kq = quotient(m.Fq0, m.Rz * m.Rz);
      m.Km = quotient(m.Fm0, m.Rz * m.Rz);
    }
    fieldStrength(m, law, LRn, Fqn, Fmn);
  }
  attraction(finite(Fqn + Fmn), attractionAngle(m, XR, YR), XR, YR, m.FXfield, m.FYfield);

  // Mass 3 on the abscissa at KRz3·Rz adds its pull.
  if (ch.mass3) {
    const double XR3 = finite(m.Xn - m.KRz3 * m.Rz), YR3 = m.Yn;
    m.LR[5] = root(XR3 * XR3 + YR3 * YR3);
    const double lr2 = finite(m.LR[5] * m.LR[5]);
    m.Fq[5] = quotient(-m.Ke * m.q1 * m.q2, lr2);
    m.Fm[5] = quotient(m.m1 * m.m2 * m.gamma, lr2);
    double fx, fy;
    attraction(finite(m.Fm[5] + m.Fq[5]), attractionAngle(m, XR3, YR3), XR3, YR3, fx, fy);
    m.FXfield = finite(m.FXfield + fx);
    m.FYfield = finite(m.FYfield + fy);
  }
  return true;
}

// Time, counters and every per-trajectory quantity of the run.
void resetRun(Model& m) {
  m.T = 0;
  m.NCgr = 1;
  m.ApexSet = 0;
  m.R13 = m.Rz;
  m.R03 = m.Rz;
  for (Body* b : {&m.Tfin,      &m.Ekj,      &m.Ej1,      &m.EC1,      &m.Eq,        &m.Em,
                  &m.L,         &m.Lmax,     &m.ColDiv,   &m.IntMV_T,  &m.IntMV_L,   &m.ColMV,
                  &m.IntMV_Tk,  &m.IntMV_Lk, &m.IntTmU_T, &m.IntTmU_L, &m.ColTmU,    &m.IntTmU_Tk,
                  &m.IntTmU_Lk, &m.IntTpU_T, &m.IntTpU_L, &m.ColTpU,   &m.IntTpU_Tk, &m.IntTpU_Lk,
                  &m.IntT_T,    &m.IntT_L,   &m.ColT,     &m.IntT_Tk,  &m.IntT_Lk,   &m.dL,
                  &m.dLa,       &m.VR1,      &m.Xfin,     &m.Yfin})
    for (int i = 1; i <= 5; ++i) (*b)[i] = 0;
  for (int i = 1; i <= 5; ++i) {
    m.Active[i] = 1;
    m.LR[i] = m.Rz;
  }
}

// The work of a force falling as 1/r from the zero level out to lr, summed
// in 1000 slices (the force arrays keep the last slice, Kq/lr and Km/lr).
Energies fallingWork(Model& m, int i, double lr) {
  Energies U;
  for (int k = 1; k <= 1000; ++k) {
    const double r = lr - (lr - m.Rz) * (1 - k / 1000.0);
    m.Fq[i] = quotient(m.Kq, r);
    m.Fm[i] = quotient(m.Km, r);
    U.Eq = finite(U.Eq + (lr - m.Rz) * m.Fq[i] / 1000);
    U.Em = finite(U.Em + (lr - m.Rz) * m.Fm[i] / 1000);
  }
  return U;
}

// The start speed, and every body's potential energies from the zero level
// and total energy at the start.
void startEnergies(Model& m, const Choices& ch) {
  m.V0 = root(m.VXn * m.VXn + m.VYn * m.VYn);
  m.Ev0 = finite(m.V0 * (m.m1 * m.V0) / 2);
  const FieldLaw law = ch.law;
  for (int i = 1; i <= 5; ++i) {
    const double XR = ch.flat ? 0 : m.S[i];
    const double YR = finite(m.S[i + 5] + m.Rz);
    m.LR[i] = root(XR * XR + YR * YR);
    const Energies U = !law.constant && !law.power2 && law.falling
                           ? fallingWork(m, i, m.LR[i])
                           : PotentialEnergies(m, law, m.LR[i]);
    m.Eqn[i] = U.Eq;
    m.Emn[i] = U.Em;
    m.E0[i] = finite(m.Ev0 + U.Em + U.Eq + m.EC1[i]);
    m.LRa[i] = m.LR[i];
    m.Eq[i] = U.Eq;
    m.Em[i] = U.Em;
    m.Fqa[i] = m.Fq[i];
    m.Fma[i] = m.Fm[i];
  }
}

// With mass 3 only the spherical inverse-square field is provided. The zero
// level of both fields is half the distance between the centres; every
// body starts with the energies of the start point. False when the field is
// another.
bool thirdBody(Model& m, const Choices& ch) {
  const FieldLaw law = ch.law;
  if (ch.flat || law.constant || !law.power2 || !law.falling) return false;
  m.R13 = root(m.Rz * m.Rz + m.Rz * (m.Rz * m.KRz3 * m.KRz3)) / 2;
  m.R03 = m.R13;
  const ThirdBodyField f = ThirdBodyEnergies(m, m.Xn, m.Yn);
  for (int i = 1; i <= 5; ++i) {
    m.Eqn[i] = f.U.Eq;
    m.Emn[i] = f.U.Em;
    m.E0[i] = finite(m.Ev0 + f.U.Em + f.U.Eq + m.EC1[i]);
  }
  return true;
}

// Every stage in order; a stage that stops the start leaves its message in
// the report.
void runStages(Model& m, const Parameters& p, const Choices& ch, StartReport& r) {
  readBodies(m, p, ch, r);
  readParameters(m, p, ch);
  if (const auto problem = startPointProblem(m, ch)) return r.stopWith(*problem);
  r.reachedGrids = true;
  readSteppingAndPlace(m, p);
  if (!BuildConstraints(m, ch, r)) return;
  if (!fieldAtStart(m, ch)) return r.stopWith(Msg::FlatConst);
  resetRun(m);
  InitConstrainedBodies(m, ch);
  if (ch.takesPart(5)) {
    m.S[5] = m.Xn;
    m.S[10] = m.Yn;
    m.S[15] = m.VXn;
    m.S[20] = m.VYn;
  }
  startEnergies(m, ch);
  if (ch.mass3 && !thirdBody(m, ch)) return r.stopWith(Msg::Mass3);
}

}  // namespace

StartReport SetUp(Model& m, const Parameters& p, const Choices& ch) {
  StartReport r;
  try {
    runStages(m, p, ch, r);
  } catch (const Failure& f) {
    r.stopWith(Msg::BadData);
    r.badParam = f.param;
    r.badReason = f.reason;
  }
  return r;
}

}  // namespace lumet
