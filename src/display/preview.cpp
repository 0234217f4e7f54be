#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "model/messages.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

constexpr Rgb kElectric{255, 0, 0};
constexpr Rgb kGravity{0, 0, 255};

// A drawing call whose coordinates the picture cannot represent.
void drawn(bool ok) {
  if (!ok) throw Failure{};
}

// The start and end points and every selected rod.
void DrawRods(Lab& lab) {
  Model& m = lab.m;
  Canvas& p = *lab.Picture1;
  const double k = m.kMx;
  drawn(p.circle(m.Xn * k, m.Yn * k, 0.2, kColour1));
  drawn(p.circle(m.Xk * k, m.Yk * k, 0.2, kColour1));
  if (lab.on(Check1)) drawn(p.line(m.Xn * k, m.Yn * k, m.Xk * k, m.Yk * k, kColour1));

  // 500 samples along the cycloid and the parabola; the start point itself
  // (sample 0) is left out.
  for (int i = 1; i <= 500; ++i) {
    if (lab.on(Check2)) {
      const double fi = ok(m.fiN2 + (m.fiK2 - m.fiN2) * i / 500);
      m.Xs[2] = ok(((fi - std::sin(fi)) * m.R2 + m.X20) * k);
      m.Ys[2] = ok((m.Y20 - (1 - std::cos(fi)) * m.R2) * k);
      drawn(p.point(m.Xs[2], m.Ys[2], kColour1));
    }
    if (lab.on(Check3)) {
      if (lab.on(Check13)) {
        // y = Y30 + K3·(x - X30)², evenly in abscissa from Xn to Xk.
        m.X[3] = ok(m.Xn + (m.Xk - m.Xn) * i / 500);
        m.Xs[3] = ok(m.X[3] * k);
        m.Ys[3] = ok(((m.X[3] - m.X30) * m.K3 * (m.X[3] - m.X30) + m.Y30) * k);
      } else {
        // x = X30 + K3·(y - Y30)², evenly in height from Yn to Yk.
        m.Y[3] = ok(m.Yn - (m.Yn - m.Yk) * i / 500);
        m.Ys[3] = ok(m.Y[3] * k);
        m.Xs[3] = ok(((m.Y[3] - m.Y30) * m.K3 * (m.Y[3] - m.Y30) + m.X30) * k);
      }
      drawn(p.point(m.Xs[3], m.Ys[3], kColour1));
    }
  }

  // The arc runs counter-clockwise from the smaller of its angles to the
  // larger: a modified arc through angle 0 has its end angle brought below
  // zero, and its rod is the short way between them, through 0.
  if (lab.on(Check4))
    drawn(p.arc(m.X40 * k, m.Y40 * k, m.R4 * k, std::min(m.fiN4, m.fiK4), std::max(m.fiN4, m.fiK4),
                kColour1));
}

// Strength of the field of mass 2 from the picture's top-left corner down
// to the zero level, relative to its value there: electrostatic part in red,
// gravitational in blue; ratios above 10 are not drawn.
void DrawFieldProfile(Lab& lab) {
  Model& m = lab.m;
  Canvas& p = *lab.Picture1;
  const bool flat = lab.on(Option5);
  const FieldLaw law = fieldLaw(lab);
  m.Xcorner = dv(-5, m.kMx);
  m.Ycorner = dv(5, m.kMx);
  m.XR = flat ? 0 : m.Xcorner;
  m.YR = ok(m.Ycorner + m.Rz);
  m.LRn = root(ok(m.XR * m.XR + m.YR * m.YR));
  m.beta = ok(std::atan(dv(m.XR, m.YR)));
  for (int i = 0; i <= 98; ++i) {
    // Samples on the ray from the centre of mass 2 towards the corner.
    const double LR = ok(m.Rz + (m.LRn - m.Rz) * (1 - i / 98.0));
    m.LR[i] = LR;
    m.XR = flat ? 0 : ok(std::sin(m.beta) * LR);
    m.Y[i] = ok(root(ok(LR * LR - m.XR * m.XR)) - m.Rz);

    fieldStrength(m, law, LR, m.Fq[i], m.Fm[i]);

    const double y = ok(m.Y[i] * m.kMx);
    if (m.Fq0 != 0) {
      const double ratio = std::fabs(dv(m.Fq[i], m.Fq0));
      if (ratio <= 10) drawn(p.point(ratio - 5, y, kElectric));
    }
    if (m.Fm0 != 0) {
      const double ratio = std::fabs(dv(m.Fm[i], m.Fm0));
      if (ratio <= 10) drawn(p.point(ratio - 5, y, kGravity));
    }
  }
}

}  // namespace

void PreviewDrawing(Lab& lab) {
  try {
    DrawRods(lab);
  } catch (const Failure&) {
    lab.message(msg::kPreviewScale);
    return;
  }
  try {
    DrawFieldProfile(lab);
  } catch (const Failure&) {
    lab.message(msg::kPreviewError);
  }
}

void Preview(Lab& lab) {
  // The whole set-up of a start, without its log header and its timer.
  // However the start ends, the next press of the start button starts a
  // run; a start refused at one of its checks still leaves the values it
  // computed so far, and the preview draws with them.
  lab.m.StartRun = 0;
  try {
    Start(lab);
  } catch (...) {
    lab.m.StartRun = 1;
    throw;
  }
  lab.m.StartRun = 1;
  PreviewDrawing(lab);
}

}  // namespace lumet
