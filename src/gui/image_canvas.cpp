#include "gui/image_canvas.h"

#include <QPainter>
#include <cmath>

namespace lumet {

namespace {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Pixel coordinates that QPainter can take without overflow of its own
// fixed-point paths; anything beyond is far outside the picture anyway.
constexpr double kPaintLimit = 1e7;

double clampPaint(double v) { return std::max(-kPaintLimit, std::min(kPaintLimit, v)); }

}  // namespace

ImageCanvas::ImageCanvas(int widthPx, int heightPx, qreal devicePixelRatio)
    : image_(int(std::ceil(widthPx * devicePixelRatio)),
             int(std::ceil(heightPx * devicePixelRatio)), QImage::Format_RGB32) {
  image_.setDevicePixelRatio(devicePixelRatio);
  vp_.setSize(widthPx, heightPx);
  image_.fill(background_);
}

void ImageCanvas::touch(const QRectF& r) {
  dirty_ = dirty_.united(r.normalized().adjusted(-2, -2, 2, 2));
}

QRect ImageCanvas::takeDirty() {
  QRect r = dirty_.toAlignedRect().intersected(QRect(0, 0, vp_.width(), vp_.height()));
  dirty_ = QRectF();
  return r;
}

void ImageCanvas::clear() {
  image_.fill(background_);
  touch(QRectF(0, 0, vp_.width(), vp_.height()));
}

void ImageCanvas::scale(double left, double top, double right, double bottom) {
  vp_.scale(left, top, right, bottom);
}

bool ImageCanvas::line(double x1, double y1, double x2, double y2, Rgb c) {
  double px1, py1, px2, py2;
  if (!vp_.map(x1, y1, px1, py1) || !vp_.map(x2, y2, px2, py2)) return false;
  QLineF l(clampPaint(px1), clampPaint(py1), clampPaint(px2), clampPaint(py2));
  QPainter p(&image_);
  p.setPen(QPen(toQColor(c), 0));
  p.drawLine(l);
  touch(QRectF(l.p1(), l.p2()));
  return true;
}

bool ImageCanvas::point(double x, double y, Rgb c) {
  double px, py;
  if (!vp_.map(x, y, px, py)) return false;
  if (px < 0 || py < 0 || px >= vp_.width() || py >= vp_.height()) return true;
  // A single dot, set straight into the image: one device pixel block per
  // logical pixel, without the cost of a painter.
  const qreal dpr = image_.devicePixelRatio();
  const int x0 = int(px * dpr), y0 = int(py * dpr), n = std::max(1, int(dpr));
  const QRgb rgb = qRgb(c.r, c.g, c.b);
  for (int dy = 0; dy < n && y0 + dy < image_.height(); ++dy)
    for (int dx = 0; dx < n && x0 + dx < image_.width(); ++dx)
      image_.setPixel(x0 + dx, y0 + dy, rgb);
  touch(QRectF(px, py, 1, 1));
  return true;
}

bool ImageCanvas::circle(double x, double y, double r, Rgb c) {
  return arc(x, y, r, 0, 2 * M_PI, c);
}

bool ImageCanvas::arc(double x, double y, double r, double a1, double a2, Rgb c) {
  double px, py, rx, ry;
  if (!vp_.map(x, y, px, py) || !vp_.mapLength(r, rx, ry)) return false;
  if (!std::isfinite(a1) || !std::isfinite(a2)) return false;
  QRectF box(clampPaint(px - rx), clampPaint(py - ry), clampPaint(2 * rx), clampPaint(2 * ry));
  QPainter p(&image_);
  p.setPen(QPen(toQColor(c), 0));
  double span = a2 - a1;
  if (std::fabs(span) >= 2 * M_PI - 1e-12) {
    p.drawEllipse(box);
  } else {
    if (span < 0) span += 2 * M_PI;
    // Qt counts angles in 1/16 degree, counter-clockwise from three o'clock.
    p.drawArc(box, int(std::lround(a1 * 180 / M_PI * 16)),
              int(std::lround(span * 180 / M_PI * 16)));
  }
  touch(box);
  return true;
}

}  // namespace lumet
