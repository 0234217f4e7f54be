#include "gui/picture_overlay.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "app/experiment.h"
#include "gui/image_canvas.h"

namespace lumet {

namespace {

QString text(const char* s) { return QCoreApplication::translate("PictureOverlay", s); }

// The trajectories' names as the legend gives them, by LegendKey.
const char* const kLegendTexts[] = {
    QT_TRANSLATE_NOOP("PictureOverlay", "1-line"),
    QT_TRANSLATE_NOOP("PictureOverlay", "2-cycloid"),
    QT_TRANSLATE_NOOP("PictureOverlay", "3-parabola"),
    QT_TRANSLATE_NOOP("PictureOverlay", "4-arc"),
    QT_TRANSLATE_NOOP("PictureOverlay", "5-none"),
    QT_TRANSLATE_NOOP("PictureOverlay", "gravity field strength"),
    QT_TRANSLATE_NOOP("PictureOverlay", "electric field strength"),
};

// The units by Unit, and the prefixes of a thousand, a million, a billion.
const char* const kUnitTexts[] = {
    QT_TRANSLATE_NOOP("PictureOverlay", "m"), QT_TRANSLATE_NOOP("PictureOverlay", "m/s"),
    QT_TRANSLATE_NOOP("PictureOverlay", "N"), QT_TRANSLATE_NOOP("PictureOverlay", "J"),
    QT_TRANSLATE_NOOP("PictureOverlay", "kg·m/s")};
const char* const kPrefixTexts[] = {"", QT_TRANSLATE_NOOP("PictureOverlay", "k"),
                                    QT_TRANSLATE_NOOP("PictureOverlay", "M"),
                                    QT_TRANSLATE_NOOP("PictureOverlay", "G")};

QString unitText(int power, const char* unit) {
  return (power > 0 ? text(kPrefixTexts[power / 3]) : QString()) + text(unit);
}

QColor qcolour(Rgb c, int alpha = 255) { return QColor(c.r, c.g, c.b, alpha); }

// The overlay's texts: dark, on a light ground that lets the picture show
// through.
const QColor kInk(40, 40, 40);
const QColor kGround(250, 250, 250, 215);
// Beads: a filled circle this many logical pixels across, with a light
// and a dark outline, so that it shows on any colour.
constexpr qreal kBeadDiameter = 9;
// Scales: at most this many labels along an edge.
constexpr int kLabelsAcross = 6;

QFont overlayFont(const QImage& image) {
  QFont f;
  const qreal height = image.height() / image.devicePixelRatio();
  f.setPixelSize(std::max(9, int(height / 32)));
  return f;
}

// A text with its ground, its top-left corner at `at`.
void label(QPainter& p, QPointF at, const QString& s) {
  const QFontMetricsF fm(p.font());
  const QRectF box(at, QSizeF(fm.horizontalAdvance(s) + 4, fm.height()));
  p.fillRect(box, kGround);
  p.setPen(kInk);
  p.drawText(box, Qt::AlignCenter, s);
}

}  // namespace

QString plotUnitText(Unit unit) { return text(kUnitTexts[int(unit)]); }

QPointF PictureOverlay::onImage(const View& view, const QImage& image, double x, double y) {
  // As the picture maps its coordinates: the edges of the view on the
  // first and last pixel of the image.
  const qreal r = image.devicePixelRatio();
  return QPointF((x - view.left) / (view.right - view.left) * (image.width() - 1) / r,
                 (y - view.top) / (view.bottom - view.top) * (image.height() - 1) / r);
}

bool PictureOverlay::empty() const {
  return beads_.empty() && rods_.empty() && markers_.empty() && x_.at.empty() && y_.at.empty() &&
         legend_.empty() && layers_.empty();
}

bool PictureOverlay::follow(Experiment& x) {
  const Model& m = x.m;
  const Choices& ch = x.choices();
  std::vector<Bead> beads;
  Scale sx, sy;
  QString xTitle, yTitle;
  std::vector<Row> legend;
  bool rodsChanged = false;
  if (kind_ == Kind::plane) {
    if (x.setUp) {
      beads = beadsOf(m, ch, x.freeColour);
      // The rods and markers follow the geometry of the last start.
      std::vector<double> geometry{m.kMx,
                                   m.Xn,
                                   m.Yn,
                                   m.Xk,
                                   m.Yk,
                                   m.R2,
                                   m.X20,
                                   m.Y20,
                                   m.fiN2,
                                   m.fiK2,
                                   m.K3,
                                   m.X30,
                                   m.Y30,
                                   m.X40,
                                   m.Y40,
                                   m.R4,
                                   m.fiN4,
                                   m.fiK4,
                                   double(ch.modifiedParabola)};
      for (int i = 1; i <= 4; ++i) geometry.push_back(ch.takesPart(i));
      if (!setUp_ || geometry != geometry_) {
        geometry_ = std::move(geometry);
        rods_ = rodsOf(m, ch);
        markers_ = markersOf(m);
        rodsChanged = true;
      }
    } else if (setUp_) {
      rods_.clear();
      markers_.clear();
      geometry_.clear();
      rodsChanged = true;
    }
    setUp_ = x.setUp;
    if (m.kMx != 0) {
      sx = scaleOf(kPlaneView.left, kPlaneView.right, 1 / m.kMx, kLabelsAcross);
      sy = scaleOf(kPlaneView.bottom, kPlaneView.top, 1 / m.kMx, kLabelsAcross);
      xTitle = "x, " + unitText(sx.power, kUnitTexts[int(Unit::metre)]);
      yTitle = "y, " + unitText(sy.power, kUnitTexts[int(Unit::metre)]);
    }
    if (x.layers.size() != layers_.size() ||
        !std::equal(x.layers.begin(), x.layers.end(), layers_.begin(),
                    [](const Experiment::Layer& a, const Experiment::Layer& b) {
                      return a.top == b.top && a.bottom == b.bottom && a.index == b.index;
                    })) {
      layers_ = x.layers;
      rodsChanged = true;
    }
    const unsigned profiles = x.profiles;
    for (const LegendRow& r : x.setUp ? planeLegend(ch, x.freeColour, profiles)
                                      : planeLegend(Choices{}, x.freeColour, profiles))
      legend.push_back({text(kLegendTexts[int(r.key)]), r.colour, r.dashed, false});
  } else if (x.setUp && m.Mt != 0 && m.kM != 0) {
    sx = scaleOf(kPlotView.left, kPlotView.right, m.Mt, kLabelsAcross + 1);
    xTitle = "t, " + unitText(sx.power, QT_TRANSLATE_NOOP("PictureOverlay", "s"));
    const std::vector<PlotGroup> groups = plottedGroups(m, ch);
    if (!groups.empty()) {
      const PlotGroup& first = groups.front();
      sy = scaleOf(kPlotView.bottom, kPlotView.top, first.perUnit, kLabelsAcross + 2,
                   first.unit != Unit::momentum);
      // The groups drawn at the first one's scale name the axis: "VX, VY,
      // м/с", or "X, Y, м; VX, VY, м/с".
      QString symbols;
      for (const PlotGroup& g : groups) {
        if (g.perUnit != first.perUnit) continue;
        if (!yTitle.isEmpty()) yTitle += "; ";
        yTitle += QString::fromUtf8(g.symbols) + ", " + unitText(sy.power, kUnitTexts[int(g.unit)]);
        if (!symbols.isEmpty()) symbols += ", ";
        symbols += QString::fromUtf8(g.symbols);
      }
      legend.push_back({text(kLegendTexts[int(trajectoryKey(ch.shown))]) + ": " + symbols,
                        bodyColour(ch.shown, 5), false, true});
    }
  }
  const bool changed = rodsChanged || beads.size() != beads_.size() ||
                       !std::equal(beads.begin(), beads.end(), beads_.begin(),
                                   [](const Bead& a, const Bead& b) {
                                     return a.x == b.x && a.y == b.y && a.colour == b.colour;
                                   }) ||
                       sx.at != x_.at || sx.labels != x_.labels || sy.at != y_.at ||
                       sy.labels != y_.labels || xTitle != xTitle_ || yTitle != yTitle_ ||
                       legend != legend_;
  beads_ = std::move(beads);
  x_ = std::move(sx);
  y_ = std::move(sy);
  xTitle_ = xTitle;
  yTitle_ = yTitle;
  legend_ = std::move(legend);
  return changed;
}

void PictureOverlay::paint(QPainter& p, const QImage& image) const {
  if (empty()) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(overlayFont(image));
  if (kind_ == Kind::plane)
    paintPlane(p, image);
  else
    paintPlot(p, image);
  p.restore();
}

void PictureOverlay::paintPlane(QPainter& p, const QImage& image) const {
  const View& v = kPlaneView;
  auto at = [&](double x, double y) { return onImage(v, image, x, y); };
  const qreal r = image.devicePixelRatio();
  const qreal unitX = (image.width() - 1) / r / (v.right - v.left);
  const qreal unitY = (image.height() - 1) / r / (v.top - v.bottom);

  // The rods, thin and half-transparent under the traces' colours; the
  // sampled ones as lines through their samples.
  QPolygonF samples;
  Rgb samplesColour;
  auto drawSamples = [&] {
    if (samples.size() > 1) {
      p.setPen(QPen(qcolour(samplesColour, 150), 1.5));
      p.drawPolyline(samples);
    }
    samples.clear();
  };
  for (const DrawOp& op : rods_) {
    if (op.type != DrawOp::Point || !(op.colour == samplesColour)) drawSamples();
    p.setPen(QPen(qcolour(op.colour, 150), 1.5));
    switch (op.type) {
      case DrawOp::Line: p.drawLine(at(op.a, op.b), at(op.c, op.d)); break;
      case DrawOp::Point:
        samplesColour = op.colour;
        samples << at(op.a, op.b);
        break;
      case DrawOp::Arc: {
        const QPointF c = at(op.a, op.b);
        const QRectF box(c.x() - op.c * unitX, c.y() - op.c * unitY, 2 * op.c * unitX,
                         2 * op.c * unitY);
        const double degrees = 180 / M_PI;
        p.drawArc(box, qRound(op.d * degrees * 16), qRound((op.e - op.d) * degrees * 16));
        break;
      }
      default: break;
    }
  }
  drawSamples();

  // The start and end markers, whole.
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  for (const Marker& mk : markers_) p.drawEllipse(at(mk.x, mk.y), mk.r * unitX, mk.r * unitY);

  // The light experiment's layers: their boundaries, and each one's
  // refractive index at the right edge.
  const QFontMetricsF fm(p.font());
  for (const Experiment::Layer& layer : layers_) {
    p.setPen(QPen(QColor(70, 70, 150, 150), 1));
    const QPointF top = at(v.left, layer.top), bottom = at(v.right, layer.bottom);
    p.drawLine(top, QPointF(bottom.x(), top.y()));
    p.drawLine(QPointF(top.x(), bottom.y()), bottom);
    const QString n = "n=" + QString::number(layer.index, 'g', 4);
    if (bottom.y() - top.y() < fm.height()) continue;
    label(
        p,
        QPointF(bottom.x() - fm.horizontalAdvance(n) - 8, (top.y() + bottom.y() - fm.height()) / 2),
        n);
  }

  paintScales(p, image, v, xTitle_, yTitle_);

  paintLegend(p, image);
  // The beads over everything, the legend too: a bead is never hidden.
  // Where two stand together, the lower number's is on top (the cycloid's
  // over the parabola's in a close race).
  for (auto it = beads_.rbegin(); it != beads_.rend(); ++it) {
    const Bead& b = *it;
    const QPointF c = at(b.x, b.y);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 220), 3));
    p.drawEllipse(c, kBeadDiameter / 2, kBeadDiameter / 2);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(qcolour(b.colour));
    p.drawEllipse(c, kBeadDiameter / 2, kBeadDiameter / 2);
  }
}

void PictureOverlay::paintPlot(QPainter& p, const QImage& image) const {
  paintScales(p, image, kPlotView, xTitle_, yTitle_);
  paintLegend(p, image);
}

void PictureOverlay::paintScales(QPainter& p, const QImage& image, const View& v,
                                 const QString& xTitle, const QString& yTitle) const {
  const qreal r = image.devicePixelRatio();
  const qreal w = (image.width() - 1) / r, h = (image.height() - 1) / r;
  const QFontMetricsF fm(p.font());
  const qreal tick = 5, line = fm.height();
  p.setBrush(Qt::NoBrush);
  // Along the bottom edge: a tick up from the edge and its number above
  // it, none where the left edge's numbers stand.
  qreal leftColumn = 0;
  for (const std::string& s : y_.labels)
    leftColumn = std::max(leftColumn, fm.horizontalAdvance(QString::fromStdString(s)) + 4);
  for (size_t k = 0; k < x_.at.size(); ++k) {
    const qreal px = onImage(v, image, x_.at[k], v.bottom).x();
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(px, h), QPointF(px, h - tick));
    const QString number = QString::fromStdString(x_.labels[k]);
    const qreal width = fm.horizontalAdvance(number) + 4;
    if (px - width / 2 < leftColumn + tick + 2 || px + width / 2 > w) continue;
    label(p, QPointF(px - width / 2, h - tick - line), number);
  }
  // Along the left edge: a tick right from the edge and its number beside
  // it, none at the foot where the bottom's numbers stand.
  for (size_t k = 0; k < y_.at.size(); ++k) {
    const qreal py = onImage(v, image, v.left, y_.at[k]).y();
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(0, py), QPointF(tick, py));
    if (py - line / 2 < line + 2 || py + line / 2 > h - tick - line) continue;
    label(p, QPointF(tick + 1, py - line / 2), QString::fromStdString(y_.labels[k]));
  }
  // The titles: the abscissa's at the bottom right, the ordinate's at the
  // top left.
  if (!xTitle.isEmpty())
    label(p, QPointF(w - fm.horizontalAdvance(xTitle) - 6, h - tick - 2 * line - 2), xTitle);
  if (!yTitle.isEmpty()) label(p, QPointF(tick + 1, 1), yTitle);
}

void PictureOverlay::paintLegend(QPainter& p, const QImage& image) const {
  if (legend_.empty()) return;
  const qreal r = image.devicePixelRatio();
  const qreal w = (image.width() - 1) / r;
  const QFontMetricsF fm(p.font());
  const qreal line = fm.height(), swatch = 2 * line;
  qreal widest = 0;
  for (const Row& row : legend_) widest = std::max(widest, fm.horizontalAdvance(row.text));
  const QRectF box(w - widest - swatch - 14, 4, widest + swatch + 10, line * legend_.size() + 6);
  p.setPen(QPen(QColor(160, 160, 160), 1));
  p.setBrush(kGround);
  p.drawRect(box);
  for (size_t k = 0; k < legend_.size(); ++k) {
    const Row& row = legend_[k];
    const qreal y = box.top() + 3 + line * k + line / 2;
    const QPointF from(box.left() + 4, y), to(box.left() + 4 + swatch - 4, y);
    if (row.dot) {
      p.setPen(Qt::NoPen);
      p.setBrush(qcolour(row.colour));
      p.drawEllipse((from + to) / 2, 3, 3);
    } else {
      QPen pen(qcolour(row.colour), row.dashed ? 2 : 3);
      if (row.dashed) pen.setStyle(Qt::DotLine);
      p.setPen(pen);
      p.drawLine(from, to);
    }
    p.setPen(kInk);
    p.drawText(QRectF(box.left() + swatch + 4, y - line / 2, widest + 4, line),
               Qt::AlignLeft | Qt::AlignVCenter, row.text);
  }
}

QImage PictureOverlay::composed(const ImageCanvas& canvas, qreal factor, qreal dot) const {
  const QImage& shown = canvas.image();
  QImage out;
  if (factor == 1) {
    out = shown.copy();
  } else {
    // Drawn again from what the picture keeps, sharp at the larger size.
    const qreal ratio = shown.devicePixelRatio();
    ImageCanvas larger = canvas;
    larger.resize(qRound(shown.width() / ratio), qRound(shown.height() / ratio), ratio * factor,
                  dot);
    out = larger.image().copy();
  }
  QPainter p(&out);
  paint(p, out);
  return out;
}

}  // namespace lumet
