// Everything drawn on the two pictures.
#pragma once

#include "model/lab.h"

namespace lumet {

// Colour of trajectory i (1..4 its rod's colour, 5 the free body on the time
// plot).
Rgb trajectoryColour(int i);

// Grid and axes of the plane picture (-5..5 on both axes).
void DrawGrid1(Lab& lab);
// Grid of the time plot (0..14 by -4..4).
void DrawGrid2(Lab& lab);
// One point per active body at its current place on Picture1.
void DrawPositions(Lab& lab);
// Chosen values of the shown trajectory against time on Picture2.
void ParameterPlots(Lab& lab);
// "Показать  траектории": the start in preview mode, then the rods and the
// field profile on Picture1.
void Preview(Lab& lab);
// What the preview draws after the start: the end points, the selected rods
// and the field profile, from the model as the start left it, each part
// with its own failure message.
void PreviewDrawing(Lab& lab);

}  // namespace lumet
