// The laboratory's whole state as its procedures see it: the model, the
// controls of the window, the two pictures, the message boxes, the timer and
// the directory of the run log. Every procedure takes it and nothing else.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "display/canvas.h"
#include "model/controls.h"
#include "model/model.h"

namespace lumet {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box with one OK button, title "Lumet".
  virtual void message(std::string_view text) = 0;
  // A modal Yes/No question, title "Lumet"; true for Yes.
  virtual bool question(std::string_view text) = 0;
};

struct Timer {
  bool Enabled = false;
  int Interval = 1;  // milliseconds
};

struct Lab {
  Model m;
  Controls c;
  Canvas* Picture1 = nullptr;
  Canvas* Picture2 = nullptr;
  Dialogs* dialogs = nullptr;
  Timer Timer1;
  std::string logDir;
  std::string runStart;            // local time of the start that began the run (lumet.csv)
  std::string title, description;  // of the set-up last opened, kept when it is saved

  void message(std::string_view text) { dialogs->message(text); }
  bool question(std::string_view text) { return dialogs->question(text); }
  bool on(ControlId id) const { return c.value(id); }
};

// An arithmetic or conversion failure inside a procedure: thrown where it is
// detected, caught by the procedure's own failure handler, which shows that
// procedure's message.
struct Failure {};

// A result that must be a finite number (overflow and invalid operations
// give inf or nan).
inline double ok(double v) {
  if (!std::isfinite(v)) throw Failure{};
  return v;
}

// A quotient; a zero divisor is a failure even when the quotient would be
// harmless further on (atan(y/0)).
inline double dv(double a, double b) {
  if (b == 0) throw Failure{};
  return ok(a / b);
}

inline double sqr(double v) { return v * v; }

// A square root of a non-negative argument.
inline double root(double v) {
  if (!(v >= 0)) throw Failure{};
  return ok(std::sqrt(v));
}

// sgn as the formulas use it: -1, 0 or +1.
inline double sgn(double v) { return (v > 0) - (v < 0); }

// A box read as a number, or a failure.
inline double num(const Lab& lab, ControlId id) {
  auto v = lab.c.number(id);
  if (!v) throw Failure{};
  return *v;
}

// A box read as a 16-bit integer, or a failure.
int16_t int16(const Lab& lab, ControlId id);

}  // namespace lumet
