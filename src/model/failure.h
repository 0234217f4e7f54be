// How a procedure of the laboratory fails: an arithmetic or conversion
// failure is thrown as Failure where the value is produced, and the
// procedure's own handler (in the laboratory layer) shows that procedure's
// message. No box ever shows inf or nan because of one.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/messages.h"
#include "model/parameters.h"

namespace lumet {

struct Failure {
  // The parameter whose text is not a usable number, when that was the
  // cause, and why; P::Count for an arithmetic failure.
  P param = P::Count;
  Msg reason = Msg::NotANumber;
};

// A value that must be a finite number: an overflow or an invalid
// operation gives inf or nan, and that is a failure.
inline double finite(double v) {
  if (!std::isfinite(v)) throw Failure{};
  return v;
}

// a / b. A zero divisor is a failure even where the quotient would be
// harmless further on (atan(y/0)).
inline double quotient(double a, double b) {
  if (b == 0) throw Failure{};
  return finite(a / b);
}

// The square root of a non-negative number.
inline double root(double v) {
  if (!(v >= 0)) throw Failure{};
  return finite(std::sqrt(v));
}

// The parameter's text as a number; a text that is not one is a Failure
// naming the parameter.
double readNumber(const Parameters& p, P id);

// The parameter's text as a 16-bit integer (the number rounded to the
// nearest integer, in -32768..32767); anything else is a Failure naming it.
int16_t readInt16(const Parameters& p, P id);

// The reciprocal of the parameter's number (a picture's scale): a text that
// is no number, 0, or so small that its reciprocal overflows is a Failure
// naming the parameter.
double readReciprocal(const Parameters& p, P id);

inline double sqr(double v) { return v * v; }

// sgn as the formulas use it: -1, 0 or +1.
inline double sgn(double v) { return (v > 0) - (v < 0); }

}  // namespace lumet
