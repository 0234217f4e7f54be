// The two pictures as views: what each shows is kept in model units (the
// traces in metres and seconds, the bodies and rods as the start left them,
// the plotted values in their own units), so that a picture is drawn again
// whole at any new scale instead of going on at the new scale over what was
// drawn at the old one. The live drawing of a run stays as it is; a view
// only keeps, and draws again when a scale changes.
//
// Memory stays bounded: inside the picture a dot in a cell (a 1024th of the
// picture's width) that already holds one of its series since the last
// figure is not kept again; outside it, one where the series moves to
// another cell 32 times as large; and when the kept dots pass a bound the
// cells grow twice as large and the dots are thinned to one per cell.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/canvas.h"
#include "model/choices.h"
#include "model/model.h"

namespace lumet {

// The scales a picture is drawn at: the plane's kMx (1/Mx), the plot's kM
// (1/M) and its time scale Mt.
struct Scales {
  double kMx = 0, kM = 0, Mt = 0;
  bool operator==(const Scales&) const = default;
};

// The colour of body i's dots on the plane picture (the free body's by the
// number of "Цвет5").
Rgb PositionColour(int i, double freeColour);

class PictureView {
 public:
  // The plane picture (scale Mx) or the time plot (scales M, Mt and Mx).
  explicit PictureView(bool plane)
      : plane_(plane),
        x0_(plane ? -5 : 0),
        y0_(plane ? -5 : -4),
        width_(plane ? 10 : 14),
        height_(plane ? 10 : 8),
        cols_(std::ceil(width_ / cell_)),
        rows_(std::ceil(height_ / cell_)) {}
  bool plane() const { return plane_; }

  // Dots kept at most before they are thinned.
  static constexpr size_t kMaxDots = size_t(1) << 19;
  // Cells of the picture each way in which one dot a body is kept.
  static constexpr double kCells = 1024;
  // Outside the picture a cell is this many cells each way.
  static constexpr double kOutside = 32;

  void clear();
  bool empty() const { return figures_.empty() && dots_.empty(); }

  // Where the content kept so far was drawn: in model units, the scales it
  // was drawn at.
  const Scales& scales() const { return scales_; }
  // The view follows the scales of what is drawn next; true when they differ
  // from those of what it keeps (which is then to be drawn again).
  bool differs(const Scales& s) const {
    return scaled_ && (plane_ ? s.kMx != scales_.kMx : !(s == scales_));
  }
  void setScales(const Scales& s) { scales_ = s; }

  // The plane picture: its grid, mass 2 (and 3), the preview's rods and
  // field profile, each as the model stood; the points of one refresh.
  void grid1() { figure(Figure::Grid1, nullptr); }
  void bodies(const Model& m, const Choices& ch) { figure(Figure::Bodies, snapshot(m, ch)); }
  void rods(const Model& m, const Choices& ch) { figure(Figure::Rods, snapshot(m, ch)); }
  void profile(const Model& m, const Choices& ch) { figure(Figure::Profile, snapshot(m, ch)); }
  void positions(const Model& m, const Choices& ch, double freeColour);
  // A line at fixed picture coordinates, whatever the scale (the light
  // experiment's layers and rays).
  void fixedLine(double x1, double y1, double x2, double y2, Rgb c);

  // The time plot: its grid, the plotted values of one refresh (and the
  // finish marker).
  void grid2() { figure(Figure::Grid2, nullptr); }
  void plots(const Model& m, const Choices& ch);

  // Draws everything kept again at the given scales on a cleared picture,
  // and keeps them as the view's scales. What cannot be drawn at these
  // scales is left out.
  void redraw(Canvas& c, const Scales& s);

  // A mark of what is kept, and going back to it (a live preview is drawn
  // over and over from the same mark).
  struct Mark {
    size_t figures = 0, dots = 0;
  };
  Mark mark() const { return {figures_.size(), dots_.size()}; }
  // The mark before the preview the view ends with, if it does (the bodies,
  // rods and profile of a start, and its grids when `grids`), so that a new
  // preview replaces it.
  Mark markBeforePreview(bool grids) const;
  void backTo(const Mark& m);

  size_t keptDots() const { return dots_.size(); }
  size_t keptBytes() const;

  // Bounds of everything the plotted dots reach: largest |value| at the
  // plot's scale, and the latest time; false when there is none.
  bool plotExtent(double& maxValue, double& maxTime) const;

 private:
  struct Snapshot {
    Model m;
    Choices ch;
  };
  struct Figure {
    enum Kind : uint8_t { Grid1, Grid2, Bodies, Rods, Profile, Line, Finish } kind;
    std::shared_ptr<const Snapshot> s;
    double a = 0, b = 0, c = 0, d = 0;  // a fixed line; a finish's time
    Rgb colour{};
    size_t dotsBefore = 0;
  };
  // A dot: a place (X, Y in metres) on the plane; on the plot a time and a
  // value, drawn at the plane's scale when `plane`.
  struct Dot {
    double x, y;
    Rgb colour;
    uint8_t series;  // a body, or a plotted value's place in the plot
    bool plane;
  };

  std::shared_ptr<const Snapshot> snapshot(const Model& m, const Choices& ch);
  void figure(Figure::Kind kind, std::shared_ptr<const Snapshot> s);
  void dot(double x, double y, double cx, double cy, Rgb c, int series, bool plane);
  void thin();
  // A figure comes: the dots after it are kept anew.
  void forget();

  bool plane_;
  bool scaled_ = false;  // something kept depends on the scales
  std::vector<Figure> figures_;
  std::vector<Dot> dots_;
  Scales scales_;
  // The cell of each series' last kept dot, since the last figure; the cell
  // size in picture units.
  static constexpr int kSeries = 16;
  double lastX_[kSeries] = {}, lastY_[kSeries] = {};
  bool last_[kSeries] = {};
  double cell_ = 10 / kCells;
  // The picture's corner and size in its units; the cells inside it that
  // hold a kept dot of a series since the last figure, a bit each.
  double x0_, y0_, width_, height_;
  double cols_, rows_;  // cells across and down
  double perCell_ = 1 / cell_;
  std::vector<uint64_t> seen_[kSeries];
  bool seenSet_ = false;
};

}  // namespace lumet
