#include "display/legend.h"

#include <algorithm>
#include <cmath>

#include "display/axes.h"
#include "display/display.h"

namespace lumet {

namespace {

// The radius of the start and end markers in picture units, as the preview
// draws them.
constexpr double kMarkerRadius = 0.2;

}  // namespace

Rgb bodyColour(int i, double freeColour) {
  if (i != 5) return trajectoryColour(i);
  if (freeColour > 4) return trajectoryColour(5);
  if (freeColour > 3) return trajectoryColour(4);
  if (freeColour > 2) return trajectoryColour(3);
  if (freeColour > 1) return trajectoryColour(2);
  return trajectoryColour(1);
}

std::vector<Bead> beadsOf(const Model& m, const Choices& ch, double freeColour) {
  std::vector<Bead> beads;
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i)) continue;
    const double x = m.X[i] * m.kMx, y = m.Y[i] * m.kMx;
    if (std::isfinite(x) && std::isfinite(y)) beads.push_back({i, x, y, bodyColour(i, freeColour)});
  }
  return beads;
}

std::vector<DrawOp> rodsOf(const Model& m, const Choices& ch) {
  std::vector<DrawOp> rods;
  for (int i = 1; i <= 4; ++i) {
    if (!ch.takesPart(i)) continue;
    // The preview's drawing of this one rod, without its markers.
    Choices one = ch;
    one.ticked = {};
    one.ticked[i] = true;
    RecordingCanvas c;
    c.scale(kPlaneView.left, kPlaneView.top, kPlaneView.right, kPlaneView.bottom);
    try {
      DrawRods(c, m, one);
    } catch (const Failure&) {
      return {};
    }
    for (DrawOp op : c.ops) {
      if (op.type == DrawOp::Scale || op.type == DrawOp::Circle) continue;
      op.colour = trajectoryColour(i);
      rods.push_back(op);
    }
  }
  return rods;
}

std::vector<Marker> markersOf(const Model& m) {
  std::vector<Marker> markers;
  const double k = m.kMx;
  const double lo = kPlaneView.left + kMarkerRadius, hi = kPlaneView.right - kMarkerRadius;
  for (auto [x, y] : {std::pair{m.Xn * k, m.Yn * k}, std::pair{m.Xk * k, m.Yk * k}}) {
    if (!std::isfinite(x) || !std::isfinite(y)) continue;
    // A marker far outside the picture is not pulled in: only one that
    // the edge cuts.
    if (std::fabs(x) > hi + 2 * kMarkerRadius || std::fabs(y) > hi + 2 * kMarkerRadius) continue;
    markers.push_back({std::clamp(x, lo, hi), std::clamp(y, lo, hi), kMarkerRadius});
  }
  return markers;
}

LegendKey trajectoryKey(int i) { return LegendKey(i - 1); }

std::vector<LegendRow> planeLegend(const Choices& ch, double freeColour, unsigned profiles) {
  std::vector<LegendRow> rows;
  for (int i = 1; i <= 5; ++i)
    if (ch.takesPart(i)) rows.push_back({trajectoryKey(i), bodyColour(i, freeColour), false});
  if (profiles & kGravityProfile) rows.push_back({LegendKey::gravityProfile, {0, 0, 255}, true});
  if (profiles & kElectricProfile) rows.push_back({LegendKey::electricProfile, {255, 0, 0}, true});
  return rows;
}

}  // namespace lumet
