// A picture the laboratory draws on: a user coordinate system set by its
// corners and a few primitives in RGB colours. Implementations report a
// coordinate they cannot represent by returning false; nothing is drawn then.
#pragma once

#include <cstdint>

#include "model/failure.h"

namespace lumet {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The window's colour value 1 (practically black) used for grids, axes,
// bodies and curves.
inline constexpr Rgb kColour1{1, 0, 0};
inline constexpr Rgb kGridGrey{200, 200, 200};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void clear() = 0;
  // User coordinates of the left, top, right and bottom edges.
  virtual void scale(double left, double top, double right, double bottom) = 0;
  virtual bool line(double x1, double y1, double x2, double y2, Rgb c) = 0;
  virtual bool point(double x, double y, Rgb c) = 0;
  virtual bool circle(double x, double y, double r, Rgb c) = 0;
  // Counter-clockwise arc from angle a1 to angle a2 (radians).
  virtual bool arc(double x, double y, double r, double a1, double a2, Rgb c) = 0;
  // A copy of the picture as it stands, to be drawn back under a live
  // preview; restoreCopy() is false when there is none of this picture's
  // size; dropCopy() lets it go.
  virtual void keepCopy() {}
  virtual bool restoreCopy() { return false; }
  virtual void dropCopy() {}
};

// A drawing that the picture cannot show is a failure of the procedure that
// draws it (each procedure shows its own message).
inline void drawn(bool shown) {
  if (!shown) throw Failure{};
}

// Maps user coordinates to pixel positions of a surface of a given size and
// tells whether a coordinate can be represented (finite, and its pixel
// position within the range of a 32-bit integer).
class Viewport {
 public:
  void setSize(int widthPx, int heightPx) { w_ = widthPx, h_ = heightPx; }
  void scale(double left, double top, double right, double bottom) {
    l_ = left, t_ = top, r_ = right, b_ = bottom;
  }
  int width() const { return w_; }
  int height() const { return h_; }
  // Pixel position of a user point; false when it cannot be represented.
  bool map(double x, double y, double& px, double& py) const;
  // Pixel lengths of a user length along x and along y.
  bool mapLength(double len, double& lx, double& ly) const;

 private:
  int w_ = 1, h_ = 1;
  double l_ = 0, t_ = 0, r_ = 1, b_ = 1;
};

}  // namespace lumet
