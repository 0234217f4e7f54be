// Sine and cosine of an angle that often repeats from one evaluation to the
// next (the vertical of a flat field, a straight rod's slope): the last angle
// and its values are kept, so a repeated angle costs a comparison. The values
// are exactly those of std::sin and std::cos.
#pragma once

#include <cmath>

namespace lumet {

class TrigMemo {
 public:
  void of(double a, double& s, double& c) {
    if (a != angle_ || !valid_) {
      angle_ = a;
      sin_ = std::sin(a);
      cos_ = std::cos(a);
      valid_ = true;
    }
    s = sin_;
    c = cos_;
  }

 private:
  double angle_ = 0, sin_ = 0, cos_ = 1;
  bool valid_ = false;
};

}  // namespace lumet
