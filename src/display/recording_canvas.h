// A canvas that keeps a list of what was drawn, in user coordinates: the
// laboratory's pictures as data, for tests and for a display-free run.
#pragma once

#include <vector>

#include "display/canvas.h"

namespace lumet {

struct DrawOp {
  enum Type { Clear, Scale, Line, Point, Circle, Arc } type;
  double a = 0, b = 0, c = 0, d = 0, e = 0;  // coordinates in call order
  Rgb colour{};
};

class RecordingCanvas : public Canvas {
 public:
  void clear() override { ops.push_back({DrawOp::Clear}); }
  void scale(double l, double t, double r, double b) override {
    vp.scale(l, t, r, b);
    ops.push_back({DrawOp::Scale, l, t, r, b});
  }
  bool line(double x1, double y1, double x2, double y2, Rgb c) override {
    return record({DrawOp::Line, x1, y1, x2, y2, 0, c}, {x1, y1, x2, y2});
  }
  bool point(double x, double y, Rgb c) override {
    return record({DrawOp::Point, x, y, 0, 0, 0, c}, {x, y});
  }
  bool circle(double x, double y, double r, Rgb c) override {
    return record({DrawOp::Circle, x, y, r, 0, 0, c}, {x, y, x + r, y + r});
  }
  bool arc(double x, double y, double r, double a1, double a2, Rgb c) override {
    return record({DrawOp::Arc, x, y, r, a1, a2, c}, {x, y, x + r, y + r});
  }

  std::vector<DrawOp> ops;
  Viewport vp;  // a 300 x 300 pixel surface decides what is representable

  RecordingCanvas() { vp.setSize(300, 300); }

 private:
  bool record(const DrawOp& op, std::initializer_list<double> coords) {
    auto it = coords.begin();
    for (; it != coords.end(); it += 2) {
      double px, py;
      if (!vp.map(*it, *(it + 1), px, py)) return false;
    }
    ops.push_back(op);
    return true;
  }
};

}  // namespace lumet
