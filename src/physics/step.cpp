// One step of the run: the scales and the external force re-read, the
// integration of all five bodies, the bookkeeping and finish test of every
// active trajectory, the result table and, every NCg steps, the refresh of
// the pictures, the value boxes and the run log.
#include <cmath>
#include <cstdint>
#include <limits>

#include "display/display.h"
#include "model/messages.h"
#include "model/numbers.h"
#include "output/runlog.h"
#include "physics/physics.h"

namespace lumet {

namespace {

constexpr ControlId kActive[6] = {ControlCount, Check1, Check2, Check3, Check4, Check5};

// The four-stage scheme: three half and full trial states, then the
// weighted mean of the four increments. A body that has landed keeps the
// place and the zero speed its landing wrote.
void fourStages(Lab& lab) {
  Model& m = lab.m;
  const double h = m.h;
  m.Tc = m.T;
  for (int j = 1; j <= 20; ++j) m.S0[j] = m.S[j];
  Diffur1(lab);
  for (int j = 1; j <= 20; ++j) {
    m.RK1[j] = ok(h * m.dS[j]);
    m.S[j] = ok(m.S0[j] + m.RK1[j] / 2);
  }
  m.Tc = ok(m.T + h / 2);
  Diffur1(lab);
  for (int j = 1; j <= 20; ++j) {
    m.RK2[j] = ok(h * m.dS[j]);
    m.S[j] = ok(m.S0[j] + m.RK2[j] / 2);
  }
  Diffur1(lab);
  for (int j = 1; j <= 20; ++j) {
    m.RK3[j] = ok(h * m.dS[j]);
    m.S[j] = ok(m.S0[j] + m.RK3[j]);
  }
  m.Tc = ok(m.T + h);
  Diffur1(lab);
  for (int j = 1; j <= 20; ++j) m.RK4[j] = ok(h * m.dS[j]);
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
      m.S[j] = ok((m.RK1[j] + 2 * m.RK2[j] + 2 * m.RK3[j] + m.RK4[j]) / 6 + m.S0[j]);
  }
}

void euler(Lab& lab) {
  Model& m = lab.m;
  m.Tc = m.T;
  Diffur1(lab);
  for (int j = 1; j <= 20; ++j) m.S[j] = ok(m.S[j] + m.h * m.dS[j]);
}

// The end condition of the "Tmax" frame for trajectory i.
bool reachedEnd(const Lab& lab, int i) {
  const Model& m = lab.m;
  if (lab.on(Option12)) return m.X[i] > m.Xk;
  if (lab.on(Option13)) return m.X[i] < m.Xk;
  if (lab.on(Option14)) return m.Y[i] > m.Yk;
  return m.Y[i] < m.Yk;
}

void show(Lab& lab, ControlId id, double v) { lab.c.setText(id, formatBox(v)); }

// The value boxes of trajectory iShow, the time, the result table and the
// relativistic time shifts.
void writeBoxes(Lab& lab) {
  Model& m = lab.m;
  const int i = m.iShow;
  show(lab, Text31, m.X[i]);
  show(lab, Text41, m.Y[i]);
  show(lab, Text32, m.VX[i]);
  show(lab, Text42, m.VY[i]);
  show(lab, Text33, m.FX[i]);
  show(lab, Text43, m.FY[i]);
  show(lab, Text34, m.Fm[i]);
  show(lab, Text44, m.Fq[i]);
  if (lab.on(Check16)) {
    show(lab, Text35, m.Xfin[i]);
    show(lab, Text45, m.Yfin[i]);
  } else {
    show(lab, Text35, ok(m.Kj1 * m.VR1[i]));
    m.Dfi = dv(2, m.KDfi);
    show(lab, Text45, m.Dfi);
  }
  show(lab, Text36, m.Lmax[i]);
  show(lab, Text46, m.EC1[i]);
  show(lab, Text37, m.Ev[i]);
  show(lab, Text47, m.E[i]);
  show(lab, Text38, m.Em[i]);
  show(lab, Text48, m.E0[i]);
  show(lab, Text39, m.Eq[i]);
  show(lab, Text49, m.Ej1[i]);
  show(lab, Text60, m.Tc);
  static constexpr ControlId tfin[] = {Text61, Text62, Text63, Text64, Text65};
  static constexpr ControlId colMV[] = {Text66, Text67, Text68, Text69, Text70};
  static constexpr ControlId colTmU[] = {Text71, Text72, Text73, Text74, Text75};
  static constexpr ControlId colT[] = {Text76, Text77, Text78, Text79, Text80};
  static constexpr ControlId colTpU[] = {Text81, Text82, Text83, Text84, Text85};
  for (int k = 1; k <= 5; ++k) {
    show(lab, tfin[k - 1], m.Tfin[k]);
    show(lab, colMV[k - 1], m.ColMV[k]);
    show(lab, colTmU[k - 1], m.ColTmU[k]);
    show(lab, colT[k - 1], m.ColT[k]);
    show(lab, colTpU[k - 1], m.ColTpU[k]);
  }
  show(lab, Text6, m.ttR);
  show(lab, Text27, m.ttV);
  show(lab, Text28, ok(m.ttR + m.ttV));
}

}  // namespace

void Step(Lab& lab) {
  Model& m = lab.m;
  try {
    // Scales and the external force, as the boxes hold them now.
    m.kMx = dv(1, num(lab, Text29));
    m.kM = dv(1, num(lab, Text3));
    m.Mt = num(lab, Text51);
    m.Fx[5] = num(lab, Text16);
    if (lab.on(Check24)) m.Fx[5] = ok(std::cos(ok(m.w * m.T)) * m.Fx[5]);

    if (lab.on(Check23))
      euler(lab);
    else
      fourStages(lab);

    m.T = ok(m.T + m.h);
    for (int i = 1; i <= 5; ++i) {
      m.X[i] = m.S[i];
      m.Y[i] = m.S[i + 5];
      m.VX[i] = m.S[i + 10];
      m.VY[i] = m.S[i + 15];
    }

    for (int i = 1; i <= 5; ++i) {
      if (!lab.on(kActive[i])) continue;
      UpdateTrajectory(lab, i);
      if (!(m.Tfin[i] > 0) && reachedEnd(lab, i)) {
        m.Tfin[i] = m.Tc;
        m.Lmax[i] = m.L[i];
        m.Xfin[i] = m.X[i];
        m.Yfin[i] = m.Y[i];
        FreezeIntegrals(lab, i);
      }
    }
    for (int i = 1; i <= 5; ++i)
      if (lab.on(kActive[i])) FillTable(lab, i);

    if (m.NCgr >= m.NCg) {
      DrawPositions(lab);
      ParameterPlots(lab);
      m.NCgr = 0;
      m.iShow = 1;
      if (lab.on(Option2)) m.iShow = 2;
      if (lab.on(Option3)) m.iShow = 3;
      if (lab.on(Option4)) m.iShow = 4;
      if (lab.on(Option7)) m.iShow = 5;
      writeBoxes(lab);
      if (lab.on(Check6) && m.NCfile >= m.NCf) {
        m.NCfile = 0;
        if (!appendLog(lab, recordItem(m))) {
          lab.message(msg::kFileError);
          lab.Timer1.Enabled = false;
          return;
        }
      }
    }
  } catch (const Failure&) {
    lab.message(msg::kSolveError);
    lab.Timer1.Enabled = false;
    return;
  }
  // The refresh counter never passes NCg (at most 32767); the log counter
  // stops at its largest value, which is past any NCf.
  ++m.NCgr;
  if (m.NCfile < std::numeric_limits<int32_t>::max()) ++m.NCfile;
}

}  // namespace lumet
