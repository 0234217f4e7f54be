#include <cmath>

#include "display/display.h"
#include "model/messages.h"
#include "output/csv.h"
#include "output/runlog.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

// Potential energies of body i at distance lr from the centre of mass 2,
// measured from the zero level of the chosen field law.
void startEnergies(Lab& lab, int i, double lr) {
  Model& m = lab.m;
  double Eqn = ok((lr - m.Rz) * m.Fq0);
  double Emn = ok((lr - m.Rz) * m.Fm0);
  if (lab.on(Option17)) {
    bool power2 = lab.on(Option11), falling = lab.on(Option19);
    if (!power2 && !falling) {
      Eqn = ok((lr * lr - m.R0v * m.R0v) * m.Kq / 2);
      Emn = ok((lr * lr - m.R0v * m.R0v) * m.Km / 2);
    } else if (!power2 && falling) {
      // The force falls as 1/r: its work from the zero level in 1000 slices.
      Eqn = 0;
      Emn = 0;
      for (int k = 1; k <= 1000; ++k) {
        double r = lr - (lr - m.Rz) * (1 - k / 1000.0);
        m.Fq[i] = dv(m.Kq, r);
        m.Fm[i] = dv(m.Km, r);
        Eqn = ok(Eqn + (lr - m.Rz) * m.Fq[i] / 1000);
        Emn = ok(Emn + (lr - m.Rz) * m.Fm[i] / 1000);
      }
    } else if (power2 && !falling) {
      Eqn = ok((lr * lr * lr - m.R0v * m.R0v * m.R0v) * m.Kq / 3);
      Emn = ok((lr * lr * lr - m.R0v * m.R0v * m.R0v) * m.Km / 3);
    } else {
      Eqn = ok(-m.Ke * m.q1 * m.q2 * (dv(1, m.R0) - dv(1, lr)));
      Emn = ok(m.gamma * m.m1 * m.m2 * (dv(1, m.R0) - dv(1, lr)));
    }
  }
  m.Eqn[i] = Eqn;
  m.Emn[i] = Emn;
  m.E0[i] = ok(m.Ev0 + Emn + Eqn + m.EC1[i]);
  m.LRa[i] = m.LR[i];
  m.Eq[i] = Eqn;
  m.Em[i] = Emn;
  m.Fqa[i] = m.Fq[i];
  m.Fma[i] = m.Fm[i];
}

// Mass 2 (and mass 3) on the plane picture.
void drawBodies(Lab& lab) {
  Model& m = lab.m;
  Canvas& p = *lab.Picture1;
  double yc = ok(-m.Rz * m.kMx);
  bool drawn;
  if (lab.on(Option5)) {
    drawn = p.line(-5, yc, 5, yc, kColour1) && p.circle(0, yc, 0.2, kColour1);
  } else {
    drawn = p.circle(0, yc, ok(m.R13 * m.kMx), kColour1) && p.circle(0, yc, 0.2, kColour1);
    if (drawn && lab.on(Check17)) {
      double xc = ok(m.KRz3 * m.Rz * m.kMx);
      drawn = p.circle(xc, 0, ok(m.R03 * m.kMx), kColour1) && p.circle(xc, 0, 0.2, kColour1);
    }
  }
  if (!drawn) throw Failure{};
}

}  // namespace

void Start(Lab& lab) {
  Model& m = lab.m;
  try {
    // 1. Masses, charges and radius with their powers of ten.
    m.ExpM = int16(lab, Text21);
    m.ExpQ = int16(lab, Text22);
    m.ExpRz = int16(lab, Text23);
    double pM = ok(std::pow(10.0, m.ExpM)), pQ = ok(std::pow(10.0, m.ExpQ));
    m.m1 = ok(num(lab, Text1) * pM);
    m.q1 = ok(num(lab, Text2) * pQ);
    m.m2 = ok(num(lab, Text11) * pM);
    m.q2 = ok(num(lab, Text12) * pQ);
    m.Rz = ok(num(lab, Text13) * ok(std::pow(10.0, m.ExpRz)));
    m.R0 = m.Rz;
    m.R0v = m.Rz;

    // 2. Zero of potential energy at infinity.
    if (lab.on(Check22)) {
      m.R0 = std::pow(9.0, 33);
      m.R0v = 0;
      lab.message(msg::kZeroAtInfinity);
    }

    // 3. The other parameters.
    m.C1 = num(lab, Text4);
    m.Kj1 = num(lab, Text5);
    m.KRz3 = num(lab, Text24);
    m.VXn = num(lab, Text7);
    m.VYn = num(lab, Text8);
    m.Xn = num(lab, Text9);
    m.Yn = num(lab, Text10);
    m.Xk = num(lab, Text19);
    m.Yk = num(lab, Text20);
    m.Dn = num(lab, Text25);
    m.X30 = num(lab, Text30);
    m.X40 = num(lab, Text40);
    m.fiK2 = num(lab, Text41);
    m.Fx[5] = num(lab, Text16);
    m.Fy[5] = num(lab, Text17);
    m.Kj = num(lab, Text18);
    m.w = num(lab, Text53);
    m.kMx = dv(1, num(lab, Text29));
    m.kM = dv(1, num(lab, Text3));
    m.Mt = num(lab, Text51);

    // 4, 5. Relativistic sums; the third body.
    m.ttR = 0;
    m.ttV = 0;
    m.m3 = m.m2;
    m.q3 = m.q2;
    if (!lab.on(Check17)) {
      m.m3 = 0;
      m.q3 = 0;
    }

    // 6, 7. Start point checks.
    if (-m.Rz >= m.Yn && !lab.on(Option6)) {
      lab.message(msg::kFlatYn);
      return;
    }
    if (m.Xn >= m.Xk) {
      lab.message(msg::kXnXk);
      return;
    }

    // 8. Grids, unless the user cleared the pictures by hand.
    if (m.AxesKept != 1) {
      DrawGrid1(lab);
      DrawGrid2(lab);
    }

    // 9. Step and cadences.
    m.h = num(lab, Text54);
    m.NCg = int16(lab, Text55);
    m.NCf = int16(lab, Text57);
    if (m.NCg < 1) m.NCg = 1;
    if (m.NCf < 1) m.NCf = 1;

    // 10. Every body at the start point, at rest.
    for (int i = 1; i <= 5; ++i) {
      m.S[i] = m.Xn;
      m.S[i + 5] = m.Yn;
      m.S[i + 10] = 0;
      m.S[i + 15] = 0;
      m.Xp[i] = m.Xn;
      m.Yp[i] = m.Yn;
    }

    // 11. The rods.
    if (!BuildConstraints(lab)) return;

    // 12. Field at the start point.
    bool flat = lab.on(Option5);
    const FieldLaw law = fieldLaw(lab);
    m.Kq = 0;
    m.Km = 0;
    m.YR = ok(m.Yn + m.Rz);
    m.XR = flat ? 0 : m.Xn;
    m.LRn = ok(std::sqrt(m.XR * m.XR + m.YR * m.YR));
    m.Fq0 = dv(-m.Ke * m.q1 * m.q2, m.Rz * m.Rz);
    m.Fm0 = dv(m.m1 * m.m2 * m.gamma, m.Rz * m.Rz);
    m.Fqn = m.Fq0;
    m.Fmn = m.Fm0;

    // 13. A constant field needs the start above the surface.
    double level = ok(dv(m.Yn, m.Rz) + 1);
    if (level <= 0.01 && law.constant) {
      lab.message(msg::kFlatConst);
      return;
    }

    // 14. The law of a variable field: every law gives Fq0, Fm0 at LR = Rz.
    if (!law.constant) {
      if (!law.power2 && law.falling) {
        m.Kq = ok(m.Fq0 * m.Rz);
        m.Km = ok(m.Fm0 * m.Rz);
      } else if (!law.power2) {
        m.Kq = dv(m.Fq0, m.Rz);
        m.Km = dv(m.Fm0, m.Rz);
      } else if (!law.falling) {
        m.Kq = dv(m.Fq0, m.Rz * m.Rz);
        m.Km = dv(m.Fm0, m.Rz * m.Rz);
      }
      fieldStrength(m, law, m.LRn, m.Fqn, m.Fmn);
    }

    // 15. Field force at the start point.
    attraction(ok(m.Fqn + m.Fmn), attractionAngle(m, m.XR, m.YR), m.XR, m.YR, m.FXfield, m.FYfield);

    // 16. Mass 3 on the abscissa at KRz3·Rz adds its pull.
    if (lab.on(Check17)) {
      m.XR = ok(m.Xn - m.KRz3 * m.Rz);
      m.YR = m.Yn;
      m.LR[5] = ok(std::sqrt(m.XR * m.XR + m.YR * m.YR));
      m.Fq[5] = dv(-m.Ke * m.q1 * m.q2, ok(m.LR[5] * m.LR[5]));
      m.Fm[5] = dv(m.m1 * m.m2 * m.gamma, ok(m.LR[5] * m.LR[5]));
      m.beta = attractionAngle(m, m.XR, m.YR);
      double fx, fy;
      attraction(ok(m.Fm[5] + m.Fq[5]), m.beta, m.XR, m.YR, fx, fy);
      m.FXfield = ok(m.FXfield + fx);
      m.FYfield = ok(m.FYfield + fy);
    }

    // 17, 18. Time, counters and every per-trajectory quantity.
    m.T = 0;
    m.NCgr = 1;
    m.ApexSet = 0;
    m.R13 = m.Rz;
    m.R03 = m.Rz;
    for (int i = 1; i <= 5; ++i) {
      for (Body* b :
           {&m.Tfin,      &m.Ekj,      &m.Ej1,      &m.EC1,      &m.Eq,        &m.Em,
            &m.L,         &m.Lmax,     &m.ColDiv,   &m.IntMV_T,  &m.IntMV_L,   &m.ColMV,
            &m.IntMV_Tk,  &m.IntMV_Lk, &m.IntTmU_T, &m.IntTmU_L, &m.ColTmU,    &m.IntTmU_Tk,
            &m.IntTmU_Lk, &m.IntTpU_T, &m.IntTpU_L, &m.ColTpU,   &m.IntTpU_Tk, &m.IntTpU_Lk,
            &m.IntT_T,    &m.IntT_L,   &m.ColT,     &m.IntT_Tk,  &m.IntT_Lk,   &m.dL,
            &m.dLa,       &m.VR1,      &m.Xfin,     &m.Yfin})
        (*b)[i] = 0;
      m.Active[i] = 1;
      m.LR[i] = m.Rz;
    }

    // 19. Initial state: beads on their rods, the free body with its speed.
    InitConstrainedBodies(lab);
    if (lab.on(Check5)) {
      m.S[5] = m.Xn;
      m.S[10] = m.Yn;
      m.S[15] = m.VXn;
      m.S[20] = m.VYn;
    }

    // 20. Start speed and kinetic energy.
    m.V0 = ok(std::sqrt(m.VXn * m.VXn + m.VYn * m.VYn));
    m.Ev0 = ok(m.V0 * (m.m1 * m.V0) / 2);

    // 21. Potential energies from the zero level, and the total at start.
    for (int i = 1; i <= 5; ++i) {
      m.XR = flat ? 0 : m.S[i];
      m.YR = ok(m.S[i + 5] + m.Rz);
      m.LR[i] = ok(std::sqrt(m.XR * m.XR + m.YR * m.YR));
      startEnergies(lab, i, m.LR[i]);
    }

    // 22. With mass 3 only the spherical inverse-square field is provided.
    if (lab.on(Check17)) {
      if (flat || law.constant || !law.power2 || !law.falling) {
        lab.message(msg::kMass3);
        return;
      }
      m.R13 = ok(std::sqrt(m.Rz * m.Rz + m.Rz * (m.Rz * m.KRz3 * m.KRz3)) / 2);
      m.R03 = m.R13;
      m.XR = m.Xn;
      m.YR = ok(m.Rz + m.Yn);
      double d2 = ok(std::sqrt(m.XR * m.XR + m.YR * m.YR));
      m.XR = ok(m.KRz3 * m.Rz - m.Xn);
      m.YR = m.Yn;
      double d3 = ok(std::sqrt(m.XR * m.XR + m.YR * m.YR));
      m.LRn = d3;
      for (int i = 1; i <= 5; ++i) {
        m.Eqn[i] = ok(-m.Ke * m.q1 * m.q2 * (dv(1, m.R13) - dv(1, d2)));
        m.Emn[i] = ok(m.gamma * m.m1 * m.m2 * (dv(1, m.R13) - dv(1, d2)));
        m.Eqn[i] = ok(m.Eqn[i] - m.Ke * m.q1 * m.q3 * (dv(1, m.R03) - dv(1, d3)));
        m.Emn[i] = ok(m.Emn[i] + m.gamma * m.m1 * m.m3 * (dv(1, m.R03) - dv(1, d3)));
        m.E0[i] = ok(m.Ev0 + m.Emn[i] + m.Eqn[i] + m.EC1[i]);
      }
    }

    // 23. The bodies on the plane picture.
    drawBodies(lab);

    // 24. A real start logs its header and starts the timer.
    if (m.StartRun != 0) {
      lab.runStart = localTimeIso(std::time(nullptr));
      if (!appendLog(lab, headerLine(m))) throw Failure{};
      lab.Timer1.Enabled = true;
      lab.Timer1.Interval = 1;
    }
    m.StartRun = 1;
  } catch (const Failure&) {
    lab.message(msg::kBadData);
  }
}

}  // namespace lumet
