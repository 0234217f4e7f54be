#include "gui/image_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace lumet {

namespace {

QRgb toRgb(Rgb c) { return qRgb(c.r, c.g, c.b); }

// Pixel coordinates that QPainter can take without overflow of its own
// fixed-point paths; anything beyond is far outside the picture anyway.
constexpr double kPaintLimit = 1e7;

double clampPaint(double v) { return std::max(-kPaintLimit, std::min(kPaintLimit, v)); }

QImage blankImage(int widthPx, int heightPx, qreal devicePixelRatio, QColor background) {
  QImage image(std::max(1, int(std::ceil(widthPx * devicePixelRatio))),
               std::max(1, int(std::ceil(heightPx * devicePixelRatio))), QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(background);
  return image;
}

}  // namespace

ImageCanvas::ImageCanvas(int widthPx, int heightPx, qreal devicePixelRatio) {
  resize(widthPx, heightPx, devicePixelRatio);
}

void ImageCanvas::resize(int widthPx, int heightPx, qreal devicePixelRatio, qreal dot) {
  image_ = blankImage(widthPx, heightPx, devicePixelRatio, background_);
  // User coordinates map to device pixels: the left and right edges of the
  // user system fall on the first and the last pixel column, so a line at
  // either edge is seen.
  vp_.setSize(std::max(1, image_.width() - 1), std::max(1, image_.height() - 1));
  dotSide_ = std::max(1, int(dot * devicePixelRatio + 1e-9));
  replay();
  touch(QRectF(image_.rect()));
}

size_t ImageCanvas::keptBytes() const {
  size_t bytes = figures_.capacity() * sizeof(Figure) + dots_.capacity() * sizeof(Dot);
  for (const Seen& s : seen_) bytes += s.bits.capacity() * sizeof(uint64_t);
  return bytes;
}

void ImageCanvas::begin(QPainter& p) {
  p.begin(&image_);
  // Figures are kept and drawn in device pixels.
  p.setTransform(
      QTransform::fromScale(1 / image_.devicePixelRatio(), 1 / image_.devicePixelRatio()));
}

void ImageCanvas::touch(const QRectF& devicePixels) {
  dirty_ = dirty_.united(devicePixels.normalized().adjusted(-2, -2, 2, 2));
}

QRect ImageCanvas::takeDirty() {
  const qreal dpr = image_.devicePixelRatio();
  const QRectF logical(dirty_.x() / dpr, dirty_.y() / dpr, dirty_.width() / dpr,
                       dirty_.height() / dpr);
  const QSizeF size = QSizeF(image_.size()) / dpr;
  dirty_ = QRectF();
  return logical.toAlignedRect().intersected(QRect(QPoint(0, 0), size.toSize()));
}

struct ImageCanvas::Copy {
  QImage image;
  Viewport vp;
  int dotSide;
  std::vector<Figure> figures;
  std::vector<Dot> dots;
  std::vector<Seen> seen;
  bool seenSet;
};

void ImageCanvas::keepCopy() {
  copy_ =
      std::make_shared<const Copy>(Copy{image_, vp_, dotSide_, figures_, dots_, seen_, seenSet_});
}

bool ImageCanvas::restoreCopy() {
  if (!copy_ || copy_->image.size() != image_.size() || copy_->dotSide != dotSide_) return false;
  image_ = copy_->image;
  vp_ = copy_->vp;
  figures_ = copy_->figures;
  dots_ = copy_->dots;
  seen_ = copy_->seen;
  seenSet_ = copy_->seenSet;
  touch(QRectF(image_.rect()));
  return true;
}

void ImageCanvas::clear() {
  image_.fill(background_);
  touch(QRectF(image_.rect()));
  // What was kept goes with the picture, its memory too.
  std::vector<Figure>().swap(figures_);
  std::vector<Dot>().swap(dots_);
  seen_.clear();
  seenSet_ = false;
}

void ImageCanvas::scale(double left, double top, double right, double bottom) {
  vp_.scale(left, top, right, bottom);
}

void ImageCanvas::paint(QPainter& p, const Figure& f) {
  p.setPen(QPen(QColor(f.colour), 0));
  const double w = spanX(), h = spanY();
  if (f.kind == Figure::Line) {
    p.drawLine(
        QLineF(clampPaint(f.a * w), clampPaint(f.b * h), clampPaint(f.c * w), clampPaint(f.d * h)));
    return;
  }
  const QRectF box(clampPaint((f.a - f.c) * w), clampPaint((f.b - f.d) * h),
                   clampPaint(2 * f.c * w), clampPaint(2 * f.d * h));
  if (f.kind == Figure::Ellipse)
    p.drawEllipse(box);
  else
    p.drawArc(box, f.start16, f.span16);
}

void ImageCanvas::keep(const Figure& f) {
  // Dots after the figure are drawn over it: they are kept anew.
  // (Only when a dot was kept since the last figure: a grid of hundreds of
  // lines does not wipe the cells hundreds of times.)
  if (seenSet_)
    for (Seen& s : seen_) std::fill(s.bits.begin(), s.bits.end(), 0);
  seenSet_ = false;
  figures_.push_back(f);
  figures_.back().dotsBefore = dots_.size();
  QPainter p;
  begin(p);
  paint(p, f);
}

bool ImageCanvas::line(double x1, double y1, double x2, double y2, Rgb c) {
  double px1, py1, px2, py2;
  if (!vp_.map(x1, y1, px1, py1) || !vp_.map(x2, y2, px2, py2)) return false;
  const double w = spanX(), h = spanY();
  keep({Figure::Line, toRgb(c), px1 / w, py1 / h, px2 / w, py2 / h, 0, 0, 0});
  touch(
      QRectF(QPointF(clampPaint(px1), clampPaint(py1)), QPointF(clampPaint(px2), clampPaint(py2))));
  return true;
}

void ImageCanvas::paintDot(double px, double py, QRgb colour) {
  const int n = dotSide_;
  const int x0 = int(std::floor(px + 0.5 - n / 2.0)), y0 = int(std::floor(py + 0.5 - n / 2.0));
  for (int y = std::max(0, y0); y < std::min(image_.height(), y0 + n); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
    for (int x = std::max(0, x0); x < std::min(image_.width(), x0 + n); ++x) row[x] = colour;
  }
  touch(QRectF(x0, y0, n, n));
}

void ImageCanvas::keepDot(double px, double py, QRgb colour) {
  const auto place = [](double v, double span) {
    return uint16_t(std::clamp(int(v / span * (kPlaces - 1) + 0.5), 0, kPlaces - 1));
  };
  const Dot dot{place(px, spanX()), place(py, spanY()), colour};
  auto seen = std::find_if(seen_.begin(), seen_.end(),
                           [colour](const Seen& s) { return s.colour == colour; });
  if (seen == seen_.end()) {
    seen_.push_back({colour, std::vector<uint64_t>(size_t(kCells) * kCells / 64)});
    seen = seen_.end() - 1;
  }
  constexpr int kPlacesPerCell = kPlaces / kCells;
  const size_t cell = size_t(dot.y / kPlacesPerCell) * kCells + dot.x / kPlacesPerCell;
  uint64_t& word = seen->bits[cell / 64];
  const uint64_t bit = uint64_t(1) << (cell % 64);
  if (word & bit) return;
  word |= bit;
  seenSet_ = true;
  dots_.push_back(dot);
}

bool ImageCanvas::point(double x, double y, Rgb c) {
  double px, py;
  if (!vp_.map(x, y, px, py)) return false;
  if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return true;
  // A single dot, set straight into the image without the cost of a
  // painter.
  const QRgb rgb = toRgb(c);
  paintDot(px, py, rgb);
  keepDot(px, py, rgb);
  return true;
}

bool ImageCanvas::circle(double x, double y, double r, Rgb c) {
  return arc(x, y, r, 0, 2 * M_PI, c);
}

bool ImageCanvas::arc(double x, double y, double r, double a1, double a2, Rgb c) {
  double px, py, rx, ry;
  if (!vp_.map(x, y, px, py) || !vp_.mapLength(r, rx, ry)) return false;
  if (!std::isfinite(a1) || !std::isfinite(a2)) return false;
  const double w = spanX(), h = spanY();
  Figure f{Figure::Ellipse, toRgb(c), px / w, py / h, rx / w, ry / h, 0, 0, 0};
  double span = a2 - a1;
  if (std::fabs(span) < 2 * M_PI - 1e-12) {
    if (span < 0) span += 2 * M_PI;
    // Qt counts angles in 1/16 degree, counter-clockwise from three o'clock.
    f.kind = Figure::Arc;
    f.start16 = int(std::lround(a1 * 180 / M_PI * 16));
    f.span16 = int(std::lround(span * 180 / M_PI * 16));
  }
  keep(f);
  touch(QRectF(clampPaint(px - rx), clampPaint(py - ry), clampPaint(2 * rx), clampPaint(2 * ry)));
  return true;
}

void ImageCanvas::replay() {
  const double w = spanX(), h = spanY();
  const auto dotAt = [&](const Dot& d) {
    paintDot(d.x * w / (kPlaces - 1), d.y * h / (kPlaces - 1), d.colour);
  };
  size_t next = 0;
  for (size_t k = 0; k < figures_.size();) {
    for (; next < figures_[k].dotsBefore; ++next) dotAt(dots_[next]);
    // The figures up to the next dot, with one painter.
    QPainter p;
    begin(p);
    do paint(p, figures_[k++]);
    while (k < figures_.size() && figures_[k].dotsBefore == next);
  }
  for (; next < dots_.size(); ++next) dotAt(dots_[next]);
}

}  // namespace lumet
