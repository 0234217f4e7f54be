// What the user chose with the switches and choices of the parameters, read
// into named values when one of them has changed: the field, the trajectories that take part, the
// rods' forms, the integration scheme, the finish condition, the result
// table's form, the shown trajectory and what the time plot draws.
#pragma once

#include <array>

#include "model/parameters.h"

namespace lumet {

// The law of the field of mass 2: constant or variable strength; for a
// variable one, power 1 or 2 of the distance, falling ("--") or growing
// ("+") with it.
struct FieldLaw {
  bool constant = false, power2 = true, falling = true;
};

// When a trajectory has reached its end (frame "Tmax").
enum class Finish { XAbove, XBelow, YAbove, YBelow };

struct Choices {
  bool flat = false;  // "плоское": the field is perpendicular to the abscissa
  FieldLaw law;
  bool autoDn = false;          // the free body's own power law Dn
  bool mass3 = false;           // "m3, q3"
  bool zeroAtInfinity = false;  // "Ep=0 в бесконечности"
  // Trajectory i (1 line, 2 cycloid, 3 parabola, 4 arc, 5 free) takes part.
  std::array<bool, 6> ticked{};
  bool modifiedCycloid = false, modifiedParabola = false, modifiedArc = false;
  bool euler = false;     // Euler's scheme instead of the four-stage one
  bool cosForce = false;  // the external X force times cos(w·T)
  Finish finish = Finish::XAbove;
  bool byPath = false;            // the integrals over the path, not the time
  std::array<bool, 4> average{};  // m1·V, T−U, T, T+U columns as averages
  int shown = 1;                  // the trajectory the value boxes follow
  bool logRecords = false;        // "File"
  bool finishPlace = false;       // "X,Y": Xfin, Yfin instead of Fj1, Dfi
  bool plotXY = false, plotV = false, plotF = false, plotFmFq = false;
  bool autoPn = false;  // the light experiment goes on without asking

  bool takesPart(int i) const { return ticked[i]; }
};

Choices ReadChoices(const Parameters& p);

}  // namespace lumet
