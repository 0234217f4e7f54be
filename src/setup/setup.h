// Setting an experiment up: the start with all its checks, the geometry of
// the four rods, and the decomposition of a start speed. These compute on
// the model and report what the laboratory must show; they draw nothing and
// show nothing themselves.
#pragma once

#include <optional>
#include <vector>

#include "model/choices.h"
#include "model/failure.h"
#include "model/messages.h"
#include "model/model.h"
#include "model/parameters.h"
#include "model/values.h"

namespace lumet {

// A value the laboratory shows.
struct ShownValue {
  V value;
  double number;
};

// What a start did, for the laboratory to show.
struct StartReport {
  // Messages met on the way, in order, after which the start went on.
  std::vector<Msg> notices;
  // The message that ended the start early; none when it went through.
  std::optional<Msg> stop;
  // With "Введите правильно данные": the parameter whose text is not a
  // number, or P::Count when an arithmetic failure ended the start.
  P badParam = P::Count;
  Msg badReason = Msg::NotANumber;  // why it is not usable
  // The start got as far as the grids of both pictures.
  bool reachedGrids = false;
  // The rods' values as the start built them (R2, fiN2, fiK2, K3, Y40, R4).
  std::vector<ShownValue> shown;
  // How many corrections the cycloid's search made.
  int cycloidCorrections = 0;

  bool wentThrough() const { return !stop; }
  // Ends the start with a message.
  void stopWith(Msg message) { stop = message; }
};

// "Начать    эксперимент" as far as the physics goes: converts every parameter,
// checks the combinations the model cannot handle, builds the rods, places
// the five bodies with their forces, deformations and energies. The body
// outlines, the log header and the timer are the laboratory's part.
StartReport SetUp(Model& m, const Parameters& p, const Choices& ch);

// The geometry of every selected rod (line, cycloid, parabola, arc, in that
// order) from the start and end points. Adds its warnings to the report;
// false when the start must stop (the report then holds the message).
bool BuildConstraints(Model& m, const Choices& ch, StartReport& r);

// Initial state of each selected constrained body (1..4): displaced across
// its rod by the deformation that the field force at the start point
// (FXfield, FYfield) and the external force give the bead.
void InitConstrainedBodies(Model& m, const Choices& ch);

// "V0": the speed in "Dn" (or, when that is 0, the speed of VX and VY) split
// along the start direction of the shown trajectory.
struct V0Split {
  double V0 = 0, VXn = 0, VYn = 0;
};
V0Split SplitStartSpeed(const Model& m, const Parameters& p, const Choices& ch);

}  // namespace lumet
