// One step of the run: the integration of all five bodies, the bookkeeping
// and finish test of every trajectory that takes part, the result table, and
// the counters that say when the pictures, the boxes and the run log are
// refreshed.
#include <cmath>
#include <cstdint>
#include <limits>

#include "physics/physics.h"

namespace lumet {

namespace {

// The four-stage scheme: three half and full trial states, then the
// weighted mean of the four increments. A body that has landed keeps the
// place and the zero speed its landing wrote.
void fourStages(Model& m, const Choices& ch) {
  const double h = m.h;
  Vec20 S0, RK1, RK2, RK3, RK4;
  m.Tc = m.T;
  for (int j = 1; j <= 20; ++j) S0[j] = m.S[j];
  Diffur1(m, ch);
  for (int j = 1; j <= 20; ++j) {
    RK1[j] = finite(h * m.dS[j]);
    m.S[j] = finite(S0[j] + RK1[j] / 2);
  }
  m.Tc = finite(m.T + h / 2);
  Diffur1(m, ch);
  for (int j = 1; j <= 20; ++j) {
    RK2[j] = finite(h * m.dS[j]);
    m.S[j] = finite(S0[j] + RK2[j] / 2);
  }
  Diffur1(m, ch);
  for (int j = 1; j <= 20; ++j) {
    RK3[j] = finite(h * m.dS[j]);
    m.S[j] = finite(S0[j] + RK3[j]);
  }
  m.Tc = finite(m.T + h);
  Diffur1(m, ch);
  for (int j = 1; j <= 20; ++j) RK4[j] = finite(h * m.dS[j]);
  for (int i = 1; i <= 5; ++i) {
    if (m.Active[i] == 0) {
      // Landed: on the plane at rest. A landing in the second or third
      // evaluation is followed by trial states built from S0, which would
      // otherwise carry the height and speed from before the landing.
      m.S[i + 5] = -m.Rz;
      m.S[i + 10] = 0;
      m.S[i + 15] = 0;
      continue;
    }
    for (int j = i; j <= 20; j += 5)
      m.S[j] = finite((RK1[j] + 2 * RK2[j] + 2 * RK3[j] + RK4[j]) / 6 + S0[j]);
  }
}

void euler(Model& m, const Choices& ch) {
  m.Tc = m.T;
  Diffur1(m, ch);
  for (int j = 1; j <= 20; ++j) m.S[j] = finite(m.S[j] + m.h * m.dS[j]);
}

// The end condition of the "Tmax" frame for trajectory i.
bool reachedEnd(const Model& m, Finish finish, int i) {
  switch (finish) {
    case Finish::XAbove: return m.X[i] > m.Xk;
    case Finish::XBelow: return m.X[i] < m.Xk;
    case Finish::YAbove: return m.Y[i] > m.Yk;
    case Finish::YBelow: break;
  }
  return m.Y[i] < m.Yk;
}

// The finish of trajectory i freezes its time, path, place and integrals.
// A finish time of 0 or less is no finish (the test runs again). True when
// the trajectory has just finished.
bool finishTest(Model& m, const Choices& ch, int i) {
  if (m.Tfin[i] > 0 || !reachedEnd(m, ch.finish, i)) return false;
  m.Tfin[i] = m.Tc;
  m.Lmax[i] = m.L[i];
  m.Xfin[i] = m.X[i];
  m.Yfin[i] = m.Y[i];
  FreezeIntegrals(m, i);
  return m.Tfin[i] > 0;
}

}  // namespace

unsigned ReadRunParameters(Model& m, const Parameters& p, const Choices& ch) {
  // The picture scales are kept as their reciprocals.
  double* const values[4] = {&m.kMx, &m.kM, &m.Mt, &m.FxBox};
  constexpr bool reciprocal[4] = {true, true, false, false};
  unsigned unusable = 0;
  for (int k = 0; k < 4; ++k) {
    const std::optional<double>& number = p.number(kRunParameters[k]);
    if (number && runUsable(kRunParameters[k], *number))
      *values[k] = reciprocal[k] ? 1 / *number : *number;
    else
      unusable |= 1u << k;
  }
  m.Fx[5] = m.FxBox;
  if (ch.cosForce) m.Fx[5] = finite(std::cos(finite(m.w * m.T)) * m.Fx[5]);
  return unusable;
}

StepOutcome Advance(Model& m, const Choices& ch) {
  if (ch.euler)
    euler(m, ch);
  else
    fourStages(m, ch);

  m.T = finite(m.T + m.h);
  for (int i = 1; i <= 5; ++i) {
    m.X[i] = m.S[i];
    m.Y[i] = m.S[i + 5];
    m.VX[i] = m.S[i + 10];
    m.VY[i] = m.S[i + 15];
  }
  StepOutcome out;
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i)) continue;
    UpdateTrajectory(m, ch, i);
    if (finishTest(m, ch, i)) out.finished = true;
  }
  for (int i = 1; i <= 5; ++i)
    if (ch.takesPart(i)) FillTable(m, ch, i);

  if (m.NCgr < m.NCg) return out;
  m.NCgr = 0;
  m.iShow = int16_t(ch.shown);
  out.refresh = true;
  return out;
}

bool RecordDue(Model& m, const Choices& ch) {
  if (!ch.logRecords || m.NCfile < m.NCf) return false;
  m.NCfile = 0;
  return true;
}

void CountStep(Model& m) {
  // The refresh counter never passes NCg (at most 32767); the log counter
  // stops at its largest value, which is past any NCf.
  ++m.NCgr;
  if (m.NCfile < std::numeric_limits<int32_t>::max()) ++m.NCfile;
}

double BeadFriction(const Model& m, int i) { return finite(m.Kj1 * m.VR1[i]); }

double CycloidTolerance(const Model& m) { return quotient(2, m.KDfi); }

}  // namespace lumet
