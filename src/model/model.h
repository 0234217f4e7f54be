// The laboratory's model: the named variables of the physics, grouped by
// what they are (constants, the parameters read from the boxes, what the
// start derives from them, the state of the run and of each body, the
// action integrals). Names are the physicists' symbols of the interface;
// per-body arrays keep the 1-based indices of the formulas (1 line,
// 2 cycloid, 3 parabola, 4 arc, 5 free body; 0 and 6 unused).
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

namespace lumet {

using Body = std::array<double, 7>;    // indices 0..6, bodies 1..5
using Vec20 = std::array<double, 21>;  // state components 1..20
using State = std::array<double, 46>;  // S(0..45)

// Fixed when the window opens; KDfi changes only with "+" and "--".
struct Constants {
  double gamma = 1e-12 * 66.7;  // gravitational constant
  double Ke = 9e9;              // electrostatic constant
  double Vsv = 1e8 * 2.998;     // speed of light, m/s
  double Pi = 3.141592654;      // the ten-digit value every angle formula uses
  double KDfi = 100000;         // divisor of the cycloid tolerance Dfi = 2/KDfi
};

// The parameters as the start read them from their boxes (the scales and
// the step are read again at every step).
struct Inputs {
  int16_t ExpM = 0, ExpQ = 0, ExpRz = 0;  // powers of ten of masses, charges, Rz
  double m1 = 0, q1 = 0, m2 = 0, q2 = 0, Rz = 0;
  double C1 = 0, Kj1 = 0, KRz3 = 0;  // bead stiffness and friction; mass 3 at KRz3·Rz
  double VXn = 0, VYn = 0, Xn = 0, Yn = 0, Xk = 0, Yk = 0;
  double Kj = 0, Dn = 0, X30 = 0, X40 = 0, fiK2 = 0, w = 0;
  double kMx = 0, kM = 0, Mt = 0, h = 0;  // picture scales, step
  double FxBox = 0;          // the external X force as its box holds it (before cos(w·T))
  int16_t NCg = 0, NCf = 0;  // steps between refreshes and records
};

// What the start derives: the field constants, the start speed and the
// rods' geometry.
struct Derived {
  double R0 = 0, R0v = 0;  // zero levels of the inverse-square and growing laws
  double m3 = 0, q3 = 0;
  double Fq0 = 0, Fm0 = 0;          // field strengths at the zero level Rz
  double Kq = 0, Km = 0;            // coefficients of the variable laws
  double V0 = 0, Ev0 = 0;           // start speed and kinetic energy
  double FXfield = 0, FYfield = 0;  // field force at the start point
  double R13 = 0, R03 = 0;          // zero-level radii of the field with mass 3
  // Line, and its slope's sine, cosine and tangent (the same at every
  // evaluation of a run).
  double al1 = 0, sinAl1 = 0, cosAl1 = 1, tanAl1 = 0;
  double R2 = 0, fiN2 = 0, X20 = 0, Y20 = 0, X2n = 0, Y2n = 0;    // cycloid
  double K3 = 0, Y30 = 0;                                         // parabola
  double R4 = 0, Y40 = 0, al4 = 0, al4k = 0, fiN4 = 0, fiK4 = 0;  // arc
  double al1v = 0, al2v = 0, al3v = 0, al4v = 0;                  // start directions, for V0
};

// What the cycloid search needs beside the bead, for one rod and one
// tolerance Dfi: the walk's bound and the rounding bounds of its proofs on
// the arch. They stay the same through a run, so they are kept, and worked
// out again when the rod or Dfi changes.
struct CycloidBounds {
  double R2 = NAN, X20 = NAN, Y20 = NAN, Pi = NAN, Dfi = NAN;  // what they are for
  int64_t bound = 0;    // the walk's largest number of passes
  bool usable = false;  // the rounding bounds hold on the arch
  double side = 0;      // twice the error of the computed offset from P
  double proof = 0;     // twice the error of the walk's margin
};

// What the rods keep from one evaluation to the next.
struct RodState {
  double al2 = 0, al3 = 0;  // current tangents of the cycloid and the parabola
  int16_t ApexSet = 0;      // the parabola's vertex circle is set up
  double R3a = 0, Y3a = 0;  // that circle's radius and centre ordinate
  double fi2 = 0;           // rolling angle of the cycloid point found last
  CycloidBounds cycloidBounds;
};

// Time, counters and the integrated state of the run.
struct RunState {
  double T = 0, Tc = 0;     // model time; time of the current evaluation
  double ttR = 0, ttV = 0;  // relativistic time shifts
  int16_t NCgr = 0;         // steps since the last refresh
  int32_t NCfile = 0;       // steps since the last record
  int16_t iShow = 1;        // trajectory of the value boxes and the record
  State S{};                // X, Y, VX, VY of body i at i, i+5, i+10, i+15
  Vec20 dS{};               // their derivatives
};

// Per body.
struct Bodies {
  Body X{}, Y{}, VX{}, VY{}, V{}, Xp{}, Yp{};
  Body LR{}, Fm{}, Fq{}, FX{}, FY{};
  // Elements 1..4: the rods' reactions; element 5: the external force.
  Body Fx{}, Fy{};
  Body dL{}, dLa{}, VR1{}, EC1{};  // bead deformation, its rate, its energy
  Body Eqn{}, Emn{}, Eq{}, Em{}, E0{}, Ev{}, E{}, Ekj{}, Ej1{};
  Body LRa{}, Fqa{}, Fma{};         // distance and forces at the previous step
  std::array<int16_t, 7> Active{};  // 1 while the body moves, 0 once landed
  Body L{}, Lmax{}, Tfin{}, Xfin{}, Yfin{};
};

// The eight action-like integrals by time (_T) and by path (_L), their
// values frozen at the finish (_Tk, _Lk) and the shown columns.
struct Integrals {
  Body IntMV_T{}, IntMV_L{}, IntMV_Tk{}, IntMV_Lk{}, ColMV{};
  Body IntTmU_T{}, IntTmU_L{}, IntTmU_Tk{}, IntTmU_Lk{}, ColTmU{};
  Body IntTpU_T{}, IntTpU_L{}, IntTpU_Tk{}, IntTpU_Lk{}, ColTpU{};
  Body IntT_T{}, IntT_L{}, IntT_Tk{}, IntT_Lk{}, ColT{};
  Body ColDiv{};
};

struct Model : Constants, Inputs, Derived, RodState, RunState, Bodies, Integrals {};

}  // namespace lumet
