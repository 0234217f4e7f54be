// Everything drawn on the two pictures, from the model as the physics left
// it. A drawing that the picture cannot show, or a coordinate that cannot be
// computed, is thrown as Failure; the laboratory shows the message of the
// procedure that drew.
#pragma once

#include "display/canvas.h"
#include "model/choices.h"
#include "model/failure.h"
#include "model/model.h"

namespace lumet {

// Colour of trajectory i (1..4 its rod's colour, 5 the free body on the time
// plot).
Rgb trajectoryColour(int i);

// Grid and axes of the plane picture (-5..5 on both axes).
void DrawGrid1(Canvas& p);
// Grid of the time plot (0..14 by -4..4).
void DrawGrid2(Canvas& p);

// Mass 2 (and mass 3) on the plane picture, as the start leaves them.
void DrawBodies(Canvas& p, const Model& m, const Choices& ch);

// One point per body that takes part at its current place on the plane
// picture; the free body in the colour chosen by the number of "Цвет5".
void DrawPositions(Canvas& p, const Model& m, const Choices& ch, double freeColour);

// Chosen values of the shown trajectory against time on the time plot.
void ParameterPlots(Canvas& p, const Model& m, const Choices& ch);

// The preview of the trajectories: the start and end points and every
// selected rod, sampled from the geometry the start left.
void DrawRods(Canvas& p, const Model& m, const Choices& ch);
// The strength of the field of mass 2 from the picture's top-left corner
// down to the zero level, relative to its value there.
void DrawFieldProfile(Canvas& p, const Model& m, const Choices& ch);

// Runs a drawing; false when the picture could not show all of it (what was
// drawn before stays).
template <class Draw>
bool drawing(Draw draw) {
  try {
    draw();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace lumet
