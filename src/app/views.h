// The pictures as views of the experiment: what they keep in model units
// follows the scales (a picture is drawn again whole at a new Mx, M or Mt),
// the live preview of a drag of the start or end point or of the start
// speed, and the scales that fit what the pictures show.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/lab.h"
#include "display/picture_view.h"

namespace lumet {

// The scales the model draws at now.
inline Scales ModelScales(const Model& m) { return {m.kMx, m.kM, m.Mt}; }

// Both pictures drawn again when the scales differ from those of what they
// keep; from now on they keep at these scales.
void FollowScales(Lab& lab, const Scales& s);
inline void FollowScales(Lab& lab) {
  // At every step: mostly nothing has changed.
  const Scales s = ModelScales(lab.m);
  if (lab.x.planeView.scales() == s && lab.x.plotView.scales() == s) return;
  FollowScales(lab, s);
}

// What the grids, the start and the refresh drew, kept by the views.
void KeepGrids(Experiment& x);
void KeepBodies(Experiment& x, const Choices& ch);
void KeepRefresh(Experiment& x, const Choices& ch, double freeColour);

// The scales the parameters Mx, M and Mt give, each usable one in place of
// the views' own.
Scales ParameterScales(const Experiment& x);

// A drag sets parameters (the start or end point, the start speed) to
// texts, and the set-up's checks decide. Refused: every parameter keeps its
// last accepted text, the model is as it was, and the report names the
// reason among its problems. Accepted: the pictures show again what they
// kept when the drag began (less the preview they ended with, which the
// drag's replaces), and over it the preview of the trajectories as
// "Показать  траектории" draws it, without its messages.
struct DragMarks {
  PictureView::Mark plane, plot;
  bool plotShown = false;  // a drag leaves the plot as its first move drew it
  // The plane picture as its first move drew it from the mark, at these
  // scales, kept by the picture to be drawn back at the next moves.
  bool planeKept = false;
  Scales keptAt;
};
DragMarks MarkViews(const Experiment& x);
void DragPreview(Lab& lab, DragMarks& marks, const std::vector<std::pair<P, std::string>>& texts);

// Scales that fit what is shown, as round numbers (1, 2 or 5 times a power
// of ten): Mx so that mass 2's surface nearest the origin, the start and end
// points and the rods of the last start fit the plane picture; M and Mt so
// that the plotted values fit the time plot. Nothing where there is nothing
// to fit.
struct FittedScales {
  std::optional<double> Mx, M, Mt;
};
FittedScales FitScales(const Experiment& x);
// The smallest of 1, 2, 5 times a power of ten not below v (> 0).
double RoundUp125(double v);

}  // namespace lumet
