// Setting an experiment up: the start with all its checks, the geometry of
// the four rods, and the decomposition of a start speed.
#pragma once

#include "model/lab.h"

namespace lumet {

// "Начать    эксперимент": converts every box, checks the combinations the
// model cannot handle, builds the rods, places the five bodies, draws them,
// appends the log header and starts Timer1. With StartRun = 0 (the preview)
// it stops after the drawing and starts nothing.
void Start(Lab& lab);

// The geometry of every selected rod (line, cycloid, parabola, arc, in that
// order) from the start and end points. Shows its own checks and warnings;
// false when the start must stop.
bool BuildConstraints(Lab& lab);

// Initial state of each selected constrained body (1..4): displaced across
// its rod by the deformation the start forces give the bead.
void InitConstrainedBodies(Lab& lab);

// "V0": splits the speed in "Dn" along the start direction of the shown
// trajectory and shows the four start directions in degrees.
void V0Button(Lab& lab);

}  // namespace lumet
