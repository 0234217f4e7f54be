// What the window draws over the pictures at the screen's pace, never on
// them: the bodies as beads where they stand, the rods of the ticked
// trajectories in their colours, the start and end markers whole, and the
// legends naming the colours. All of it is read from the model; nothing here
// draws on a picture or changes the model.
#pragma once

#include <vector>

#include "display/canvas.h"
#include "display/recording_canvas.h"
#include "model/choices.h"
#include "model/model.h"

namespace lumet {

// The colour of body i on the plane picture: its rod's, the free body's by
// the number of "Цвет5".
Rgb bodyColour(int i, double freeColour);

// A body where it stands, in picture coordinates of the plane.
struct Bead {
  int body;  // 1..5
  double x, y;
  Rgb colour;
};

// Every ticked body at its current place; none whose place is not finite.
std::vector<Bead> beadsOf(const Model& m, const Choices& ch, double freeColour);

// The rods of the ticked trajectories 1..4 as the preview samples them,
// each in its trajectory's colour; none when the geometry cannot be drawn.
std::vector<DrawOp> rodsOf(const Model& m, const Choices& ch);

// The start and end markers: their centres moved in from the edge as far as
// it takes for the whole circle of radius r to stand inside the view
// -5..5.
struct Marker {
  double x, y, r;
};
std::vector<Marker> markersOf(const Model& m);

// A row of a legend.
enum class LegendKey {
  line,      // "1-прямая"
  cycloid,   // "2-циклоида"
  parabola,  // "3-парабола"
  arc,       // "4-дуга"
  free,      // "5-нет"
  gravityProfile,
  electricProfile,
};
struct LegendRow {
  LegendKey key;
  Rgb colour;
  bool dashed;  // drawn as the preview's dotted profile
};

// Which profiles of the field the preview drew (bits), as the plane
// picture shows them until it is cleared.
enum ProfileBits : unsigned { kGravityProfile = 1, kElectricProfile = 2 };

// The plane picture's legend: every ticked trajectory, then the profiles
// drawn.
std::vector<LegendRow> planeLegend(const Choices& ch, double freeColour, unsigned profiles);

// The trajectory's legend key (1..5).
LegendKey trajectoryKey(int i);

}  // namespace lumet
