// What the window draws over a picture at the screen's pace and never into
// it: on the plane of motion the rods of the ticked trajectories, the start
// and end markers whole, a bead for every ticked body where it stands, the
// scales in metres and the legend of the colours; on the time plot the
// scales in seconds and in the plotted quantity's unit, and the legend of
// its curves. The picture's image keeps only the traces and grids; a saved
// picture is the image with its overlay painted on.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "app/experiment.h"
#include "display/axes.h"
#include "display/legend.h"

class QPainter;

namespace lumet {

class ImageCanvas;

// The name of a unit of the time plot in the window's language ("м/с").
QString plotUnitText(Unit unit);

class PictureOverlay {
 public:
  enum class Kind { plane, plot };
  explicit PictureOverlay(Kind kind) : kind_(kind) {}

  // Follows the experiment as it stands. True when anything to draw
  // changed (the picture is to be painted again).
  bool follow(Experiment& x);

  // Paints over a picture whose image is `image` (its size and device pixel
  // ratio), in the image's logical pixels.
  void paint(QPainter& p, const QImage& image) const;

  // The picture with the overlay on it, at its device resolution, or at
  // `factor` times it, drawn again sharp (dots `dot` logical pixels wide).
  QImage composed(const ImageCanvas& canvas, qreal factor, qreal dot) const;

  // What is drawn: the beads where they stand (picture coordinates),
  // whether anything is.
  const std::vector<Bead>& beads() const { return beads_; }
  bool empty() const;

  // Where a point of the picture's coordinates stands on its image, in
  // logical pixels.
  static QPointF onImage(const View& view, const QImage& image, double x, double y);

 private:
  void paintPlane(QPainter& p, const QImage& image) const;
  void paintPlot(QPainter& p, const QImage& image) const;
  void paintScales(QPainter& p, const QImage& image, const View& view, const QString& xTitle,
                   const QString& yTitle) const;
  void paintLegend(QPainter& p, const QImage& image) const;

  struct Row {
    QString text;
    Rgb colour;
    bool dashed, dot;
    bool operator==(const Row&) const = default;
  };

  Kind kind_;
  bool setUp_ = false;
  std::vector<Bead> beads_;
  std::vector<DrawOp> rods_;
  std::vector<Marker> markers_;
  Scale x_, y_;
  QString xTitle_, yTitle_;
  std::vector<Row> legend_;
  std::vector<Experiment::Layer> layers_;  // of the light experiment
  // What the rods and markers were drawn from: they follow a new start.
  std::vector<double> geometry_;
};

}  // namespace lumet
