#include "display/canvas.h"

#include <cmath>

namespace lumet {

namespace {
constexpr double kMaxPixel = 2147483647.0;

bool representable(double v) { return std::isfinite(v) && std::fabs(v) <= kMaxPixel; }
}  // namespace

bool Viewport::map(double x, double y, double& px, double& py) const {
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  px = (x - l_) * (w_ / (r_ - l_));
  py = (y - t_) * (h_ / (b_ - t_));
  return representable(px) && representable(py);
}

bool Viewport::mapLength(double len, double& lx, double& ly) const {
  if (!std::isfinite(len)) return false;
  lx = std::fabs(len * (w_ / (r_ - l_)));
  ly = std::fabs(len * (h_ / (b_ - t_)));
  return representable(lx) && representable(ly);
}

}  // namespace lumet
