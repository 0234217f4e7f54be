// Right-hand side of the equations of motion of the five bodies: the field of
// mass 2 in the chosen law, the rods' reactions, viscous and external forces,
// the optional mass 3, and the landing on the plane of a flat field.
#include <cmath>

#include "model/messages.h"
#include "physics/physics.h"
#include "physics/trig_memo.h"

namespace lumet {

namespace {

constexpr ControlId kTakesPart[6] = {ControlCount, Check1, Check2, Check3, Check4, Check5};

}  // namespace

FieldLaw fieldLaw(const Lab& lab) { return {lab.on(Option16), lab.on(Option11), lab.on(Option19)}; }

void fieldStrength(const Model& m, FieldLaw law, double lr, double& Fq, double& Fm) {
  Fq = m.Fq0;
  Fm = m.Fm0;
  if (law.constant) return;
  if (!law.power2 && law.falling) {
    Fq = dv(m.Kq, lr);
    Fm = dv(m.Km, lr);
  } else if (!law.power2) {
    Fq = ok(m.Kq * lr);
    Fm = ok(m.Km * lr);
  } else if (law.falling) {
    Fq = dv(dv(ok(-m.Ke * m.q1 * m.q2), lr), lr);
    Fm = dv(dv(ok(m.m1 * m.m2 * m.gamma), lr), lr);
  } else {
    Fq = ok(lr * ok(m.Kq * lr));
    Fm = ok(lr * ok(m.Km * lr));
  }
}

double attractionAngle(const Model& m, double xr, double yr) {
  if (xr == 0) return m.Pi / 2;
  return std::fabs(std::atan(dv(yr, xr)));
}

void attraction(double F, double beta, double xr, double yr, double& fx, double& fy) {
  // In a flat field, and on the vertical through a centre, the direction is
  // the same Pi/2 at every evaluation.
  static TrigMemo trig;
  double sinBeta, cosBeta;
  trig.of(beta, sinBeta, cosBeta);
  fx = ok(-F * cosBeta);
  if (xr < 0) fx = -fx;
  fy = ok(-F * sinBeta);
  if (yr < 0) fy = -fy;
}

void Diffur1(Lab& lab) {
  Model& m = lab.m;
  try {
    const bool flat = lab.on(Option5);
    const FieldLaw law = fieldLaw(lab);
    const bool autoDn = lab.on(Check14);
    const bool mass3 = lab.on(Check17);

    // Landing: a body that reaches one hundredth of Rz above the plane of a
    // flat field is put on the plane and stops for the rest of the run.
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

    for (int i = 1; i <= 5; ++i) {
      if (!lab.on(kTakesPart[i]) || m.Active[i] == 0) continue;
      if (i <= 4) Constraint(lab, i);

      // Offsets from the centre of mass 2; in a flat field only the height
      // above the plane through that centre counts.
      m.XR = flat ? 0 : m.X[i];
      m.YR = ok(m.Y[i] + m.Rz);
      m.LR[i] = root(ok(m.XR * m.XR + m.YR * m.YR));
      m.beta = attractionAngle(m, m.XR, m.YR);

      // Strength of the field at that distance; the free body may follow
      // its own power law of the distance ("AutoDn").
      double lr = m.LR[i];
      if (!law.constant && law.power2 && law.falling && i == 5 && autoDn) {
        double p = ok(std::pow(lr, m.Dn));
        m.Fq[i] = ok(p * ok(-m.Ke * m.q1 * m.q2));
        m.Fm[i] = ok(p * ok(m.m1 * m.m2 * m.gamma));
      } else {
        fieldStrength(m, law, lr, m.Fq[i], m.Fm[i]);
      }

      double fxField, fyField;
      attraction(ok(m.Fm[i] + m.Fq[i]), m.beta, m.XR, m.YR, fxField, fyField);
      double reactX = i <= 4 ? m.Fx[i] : 0;
      double reactY = i <= 4 ? m.Fy[i] : 0;
      m.FX[i] = ok(fxField + reactX - m.Kj * m.VX[i] + m.Fx[5]);
      m.FY[i] = ok(fyField + reactY - m.Kj * m.VY[i] + m.Fy[5]);

      // Mass 3: a point body with the mass and charge of mass 2 on the
      // abscissa at KRz3*Rz, always inverse-square. Its distance and forces
      // replace those of mass 2 in what the body shows.
      if (mass3) {
        m.XR = ok(m.X[i] - m.KRz3 * m.Rz);
        m.YR = m.Y[i];
        m.LR[i] = root(ok(m.XR * m.XR + m.YR * m.YR));
        lr = m.LR[i];
        m.Fq[i] = dv(dv(ok(-m.Ke * m.q1 * m.q2), lr), lr);
        m.Fm[i] = dv(dv(ok(m.m1 * m.m2 * m.gamma), lr), lr);
        m.beta = attractionAngle(m, m.XR, m.YR);
        attraction(ok(m.Fm[i] + m.Fq[i]), m.beta, m.XR, m.YR, m.FXf, m.FYf);
        m.FX[i] = ok(m.FX[i] + m.FXf);
        m.FY[i] = ok(m.FY[i] + m.FYf);
      }
    }

    // Derivatives; written only when every one of them exists, so that a
    // failed evaluation leaves the previous ones.
    Vec20 d;
    for (int k = 1; k <= 10; ++k) d[k] = m.S[k + 10];
    for (int i = 1; i <= 5; ++i) {
      d[i + 10] = dv(m.FX[i], m.m1);
      d[i + 15] = dv(m.FY[i], m.m1);
    }
    for (int k = 1; k <= 20; ++k) m.dS[k] = d[k];
  } catch (const Failure&) {
    lab.message(msg::kSolveError);
    lab.Timer1.Enabled = false;
  }
}

}  // namespace lumet
