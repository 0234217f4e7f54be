// The laboratory's model: one flat set of named variables shared by every
// procedure. Names are the physicists' symbols of the interface; per-body
// arrays keep the 1-based indices of the formulas (1 line, 2 cycloid,
// 3 parabola, 4 arc, 5 free body; 0 and 6 unused).
#pragma once

#include <array>
#include <cstdint>

namespace lumet {

using Body = std::array<double, 7>;    // indices 0..6, bodies 1..5
using Wide = std::array<double, 100>;  // 0..99: bodies and preview samples
using Vec20 = std::array<double, 21>;  // state components 1..20
using State = std::array<double, 46>;  // S(0..45)

struct Model {
  // Load-time constants.
  double gamma = 1e-12 * 66.7;  // gravitational constant
  double Ke = 9e9;              // electrostatic constant
  double Vsv = 1e8 * 2.998;     // speed of light, m/s
  double Pi = 3.141592654;      // the ten-digit value every angle formula uses
  double KDfi = 100000;         // divisor of the cycloid tolerance
  int16_t StartRun = 1;         // 0 while the preview runs the start
  int16_t AxesKept = 0;         // 1 after the pictures were cleared by hand

  // Input parameters (converted at start).
  int16_t ExpM = 0, ExpQ = 0, ExpRz = 0;
  double m1 = 0, q1 = 0, m2 = 0, q2 = 0, Rz = 0;
  double C1 = 0, Kj1 = 0, KRz3 = 0;
  double VXn = 0, VYn = 0, Xn = 0, Yn = 0, Xk = 0, Yk = 0;
  Body Fx{}, Fy{};  // 1..4 constraint reactions, 5 external force
  double Kj = 0, Dn = 0, X30 = 0, X40 = 0, fiK2 = 0, w = 0;
  double kMx = 0, kM = 0, Mt = 0, h = 0;
  int16_t NCg = 0, NCf = 0;

  // Derived by the start.
  double R0 = 0, R0v = 0, m3 = 0, q3 = 0;
  double XR = 0, YR = 0, LRn = 0, Fq0 = 0, Fm0 = 0, Fqn = 0, Fmn = 0;
  double Kq = 0, Km = 0, FXfield = 0, FYfield = 0;
  double V0 = 0, Ev0 = 0, Dfi0 = 0;
  double R13 = 0, R03 = 0;
  double beta = 0, FXf = 0, FYf = 0;

  // Constraint geometry.
  double al1 = 0, DX = 0, DY = 0;
  double R2 = 0, fiN2 = 0, X20 = 0, Y20 = 0, X2n = 0, Y2n = 0, Yk2 = 0, al2 = 0;
  double K3 = 0, Y30 = 0, al3 = 0;
  double R4 = 0, Y40 = 0, al4 = 0, al4k = 0, fiN4 = 0, fiK4 = 0;
  double al1v = 0, al2v = 0, al3v = 0, al4v = 0, alV = 0;

  // Constraint reactions: scratch and state kept between evaluations.
  int16_t ApexSet = 0;
  double R3a = 0, Y3a = 0, fi2 = 0, psiB = 0, psiC = 0, fi4 = 0, Dfi = 0;

  // Time and counters.
  double T = 0, Tc = 0, ttR = 0, ttV = 0;
  int16_t NCgr = 0;
  int32_t NCfile = 0;
  int16_t iShow = 1;

  // Integration.
  State S{};
  Vec20 dS{}, S0{}, RK1{}, RK2{}, RK3{}, RK4{};

  // Per body.
  Body X{}, VX{}, VY{}, FX{}, FY{}, Xp{}, Yp{};
  Wide Y{}, LR{}, Fm{}, Fq{};
  Body dL{}, dLa{}, EC1{}, Eqn{}, Emn{}, Eq{}, Em{}, E0{}, LRa{}, Fqa{}, Fma{};
  std::array<int16_t, 7> Active{};
  Body Tfin{}, Ekj{}, Ej1{}, L{}, Lmax{}, VR1{}, Xfin{}, Yfin{}, Ev{}, E{}, V{};
  Body IntMV_T{}, IntMV_L{}, IntMV_Tk{}, IntMV_Lk{}, ColMV{};
  Body IntTmU_T{}, IntTmU_L{}, IntTmU_Tk{}, IntTmU_Lk{}, ColTmU{};
  Body IntTpU_T{}, IntTpU_L{}, IntTpU_Tk{}, IntTpU_Lk{}, ColTpU{};
  Body IntT_T{}, IntT_L{}, IntT_Tk{}, IntT_Lk{}, ColT{};
  Body ColDiv{};

  // Drawing scratch: positions in picture units, preview corner.
  Body Xs{}, Ys{};
  double Xcorner = 0, Ycorner = 0;
};

}  // namespace lumet
