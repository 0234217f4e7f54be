// Setting an experiment up: the start with all its checks, the geometry of
// the four rods, and the decomposition of a start speed. These compute on
// the model and report what the laboratory must show; they draw nothing and
// show nothing themselves.
#pragma once

#include <vector>

#include "model/choices.h"
#include "model/failure.h"
#include "model/model.h"

namespace lumet {

// A value the laboratory writes into a box.
struct BoxValue {
  ControlId box;
  double value;
};

// What a start did, for the laboratory to show.
struct StartReport {
  // Messages met on the way, in order, after which the start went on.
  std::vector<const char*> notices;
  // The message that ended the start early; nullptr when it went through.
  const char* stop = nullptr;
  // With "Введите правильно данные": the box whose text is not a number,
  // or ControlCount when an arithmetic failure ended the start.
  ControlId badBox = ControlCount;
  // The start got as far as the grids of both pictures.
  bool reachedGrids = false;
  // The rods' values for their boxes (R2, fiN2, fiK2, K3, Y40, R4).
  std::vector<BoxValue> shown;
  // How many corrections the cycloid's search made.
  int cycloidCorrections = 0;

  bool wentThrough() const { return stop == nullptr; }
  // Ends the start with a message.
  void stopWith(const char* message) { stop = message; }
};

// "Начать    эксперимент" as far as the physics goes: converts every box,
// checks the combinations the model cannot handle, builds the rods, places
// the five bodies with their forces, deformations and energies. The body
// outlines, the log header and the timer are the laboratory's part.
StartReport SetUp(Model& m, const Controls& c, const Choices& ch);

// The geometry of every selected rod (line, cycloid, parabola, arc, in that
// order) from the start and end points. Adds its warnings to the report;
// false when the start must stop (the report then holds the message).
bool BuildConstraints(Model& m, const Choices& ch, StartReport& r);

// Initial state of each selected constrained body (1..4): displaced across
// its rod by the deformation that the field force at the start point
// (FXfield, FYfield) and the external force give the bead.
void InitConstrainedBodies(Model& m, const Choices& ch);

// "V0": the speed in "Dn" (or, when that is 0, the speed of the VX and VY
// boxes) split along the start direction of the shown trajectory.
struct V0Split {
  double V0 = 0, VXn = 0, VYn = 0;
};
V0Split SplitStartSpeed(const Model& m, const Controls& c, const Choices& ch);

}  // namespace lumet
