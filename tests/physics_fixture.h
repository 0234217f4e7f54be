// Shared by the motion tests: a message box that records what it was asked
// to show, and the default free flight set up by hand in the model (the
// values the start gives it with the window's defaults).
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "display/recording_canvas.h"
#include "model/lab.h"

namespace lumet::physics_test {

class RecordingDialogs : public Dialogs {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  bool question(std::string_view text) override {
    questions.emplace_back(text);
    return true;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
};

// A laboratory with recording pictures and message boxes.
struct TestLab {
  RecordingCanvas picture1, picture2;
  RecordingDialogs dialogs;
  Lab lab;
  TestLab() {
    lab.Picture1 = &picture1;
    lab.Picture2 = &picture2;
    lab.dialogs = &dialogs;
  }
};

// The model as the start leaves it for the default experiment: spherical
// field of mass 2 falling as the inverse square, only the free body, which
// starts on the surface at the left of mass 2 with VX = -1460, VY = 8000.
inline void setUpFreeFlight(Lab& lab) {
  Model& m = lab.m;
  m.ExpM = 21, m.ExpQ = -4, m.ExpRz = 3;
  m.m1 = 1e-21 * std::pow(10.0, 21);
  m.q1 = -5 * std::pow(10.0, -4);
  m.m2 = 5976 * std::pow(10.0, 21);
  m.q2 = 5 * std::pow(10.0, -4);
  m.Rz = 6378 * std::pow(10.0, 3);
  m.R0 = m.R0v = m.Rz;
  m.C1 = 10, m.Kj1 = 0.1, m.KRz3 = 2;
  m.VXn = -1460, m.VYn = 8000, m.Xn = -6378000, m.Yn = -6378000;
  m.Xk = 6165000, m.Yk = -8000000;
  m.Fx[5] = 0, m.Fy[5] = 0, m.Kj = 0, m.Dn = 0.05, m.w = 0.001;
  m.kMx = 1 / 3000000.0, m.kM = 1 / 5.0, m.Mt = 500, m.h = 1;
  m.NCg = 1, m.NCf = 10;
  m.m3 = 0, m.q3 = 0;
  m.Fq0 = -m.Ke * m.q1 * m.q2 / (m.Rz * m.Rz);
  m.Fm0 = m.m1 * m.m2 * m.gamma / (m.Rz * m.Rz);
  m.Kq = 0, m.Km = 0;
  m.T = 0, m.Tc = 0, m.NCgr = 1, m.ttR = 0, m.ttV = 0;
  m.R13 = m.R03 = m.Rz;
  for (int i = 1; i <= 5; ++i) {
    m.S[i] = m.Xn;
    m.S[i + 5] = m.Yn;
    m.S[i + 10] = 0;
    m.S[i + 15] = 0;
    m.Xp[i] = m.Xn;
    m.Yp[i] = m.Yn;
    m.Active[i] = 1;
    m.LR[i] = m.Rz;
  }
  m.S[15] = m.VXn;
  m.S[20] = m.VYn;
  m.V0 = std::sqrt(m.VXn * m.VXn + m.VYn * m.VYn);
  m.Ev0 = m.V0 * (m.m1 * m.V0) / 2;
  for (int i = 1; i <= 5; ++i) {
    m.E0[i] = m.Ev0;
    m.LRa[i] = m.Rz;
  }
  lab.Timer1.Enabled = true;
}

// Relative closeness for golden values.
inline bool near(double got, double want, double rel) {
  return std::fabs(got - want) <= rel * std::fabs(want);
}

}  // namespace lumet::physics_test
