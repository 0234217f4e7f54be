// A picture kept in a QImage that persists between paints: everything drawn
// stays until the picture is cleared. The window shows it; lumet-batch saves
// it as PNG. What was drawn is also kept as a list of figures in fractions
// of the picture, so that the picture can be drawn again, sharp, at another
// size.
#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/canvas.h"

class QPainter;

namespace lumet {

class ImageCanvas : public Canvas {
 public:
  // A picture of the given size in logical pixels, drawn at the given device
  // pixel ratio so that it stays sharp on a high-DPI screen.
  ImageCanvas(int widthPx, int heightPx, qreal devicePixelRatio = 1.0);

  // Draws everything kept since the last clear again at a new size: lines,
  // circles and arcs sharp at the new resolution, each dot `dot` logical
  // pixels wide (1 at the picture's first size, larger as it grows).
  void resize(int widthPx, int heightPx, qreal devicePixelRatio, qreal dot = 1);

  void clear() override;
  void scale(double left, double top, double right, double bottom) override;
  bool line(double x1, double y1, double x2, double y2, Rgb c) override;
  bool point(double x, double y, Rgb c) override;
  bool circle(double x, double y, double r, Rgb c) override;
  bool arc(double x, double y, double r, double a1, double a2, Rgb c) override;
  void keepCopy() override;
  bool restoreCopy() override;
  void dropCopy() override { copy_.reset(); }

  const QImage& image() const { return image_; }
  QColor background() const { return background_; }
  // Bounding rectangle (logical pixels) of what changed since the last call.
  QRect takeDirty();

  // What is kept to draw the picture again: figures (lines, circles, arcs),
  // dots, and the bytes they take.
  size_t keptFigures() const { return figures_.size(); }
  size_t keptDots() const { return dots_.size(); }
  size_t keptBytes() const;

  // Dots are kept in cells of a grid of this many cells each way over the
  // picture (finer than the pixels of any screen's picture); a dot in a
  // cell that already holds a dot of its colour, kept since the last
  // figure, is not kept again, so a long run keeps no more dots than its
  // paths cross cells.
  static constexpr int kCells = 2048;
  // A kept dot's place, in steps of this many each way over the picture.
  static constexpr int kPlaces = 65536;

 private:
  // A line, ellipse or arc, its coordinates in fractions of the picture
  // (0 at the left or top edge pixel, 1 at the right or bottom one).
  struct Figure {
    enum Kind : uint8_t { Line, Ellipse, Arc } kind;
    QRgb colour;
    double a, b, c, d;    // line: two ends; ellipse, arc: centre and radii
    int start16, span16;  // arc: angles in 1/16 degree
    size_t dotsBefore;    // dots drawn before it
  };
  struct Dot {
    uint16_t x, y;  // place
    QRgb colour;
  };
  // The cells that hold a kept dot of one colour, a bit each.
  struct Seen {
    QRgb colour;
    std::vector<uint64_t> bits;
  };

  void begin(QPainter& p);
  void paint(QPainter& p, const Figure& f);
  void paintDot(double px, double py, QRgb colour);
  void replay();
  void keep(const Figure& f);
  void keepDot(double px, double py, QRgb colour);
  void touch(const QRectF& devicePixels);
  // Device pixels across the picture less one: the span of the user
  // coordinates, so that both edges land on the picture's edge pixels.
  double spanX() const { return image_.width() - 1; }
  double spanY() const { return image_.height() - 1; }

  QImage image_;
  Viewport vp_;
  QColor background_{240, 240, 240};
  QRectF dirty_;     // device pixels
  int dotSide_ = 1;  // device pixels
  std::vector<Figure> figures_;
  std::vector<Dot> dots_;
  std::vector<Seen> seen_;
  bool seenSet_ = false;  // a cell was marked since the last figure
  struct Copy;
  std::shared_ptr<const Copy> copy_;
};

}  // namespace lumet
