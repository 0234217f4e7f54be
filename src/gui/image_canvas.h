// A picture kept in a QImage that persists between paints: everything drawn
// stays until the picture is cleared. The window shows it; lumet-batch saves
// it as PNG.
#pragma once

#include <QColor>
#include <QImage>

#include "display/canvas.h"

namespace lumet {

class ImageCanvas : public Canvas {
 public:
  // A picture of the given size in logical pixels, drawn at the given device
  // pixel ratio so that it stays sharp on a high-DPI screen.
  ImageCanvas(int widthPx, int heightPx, qreal devicePixelRatio = 1.0);

  void clear() override;
  void scale(double left, double top, double right, double bottom) override;
  bool line(double x1, double y1, double x2, double y2, Rgb c) override;
  bool point(double x, double y, Rgb c) override;
  bool circle(double x, double y, double r, Rgb c) override;
  bool arc(double x, double y, double r, double a1, double a2, Rgb c) override;

  const QImage& image() const { return image_; }
  QColor background() const { return background_; }
  // Bounding rectangle (logical pixels) of what changed since the last call.
  QRect takeDirty();

 private:
  void touch(const QRectF& r);
  QImage image_;
  Viewport vp_;
  QColor background_{240, 240, 240};
  QRectF dirty_;
};

}  // namespace lumet
