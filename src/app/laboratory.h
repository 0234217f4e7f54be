// The laboratory behind the window: one handler per button and one for the
// timer tick, run one at a time on the model. A front end (the Qt window or
// lumet-batch) supplies the pictures and the message boxes, feeds in what
// the user typed, and obeys Timer1 after every handler.
#pragma once

#include <functional>
#include <string>

#include "app/lab.h"
#include "app/speed.h"

namespace lumet {

class Laboratory {
 public:
  Laboratory(Canvas& picture1, Canvas& picture2, Dialogs& dialogs, std::string logDir);

  // Press button cmd (Command1..Command12). False when another handler is
  // still running (a tick or click delivered inside a modal box), in which
  // case nothing is done.
  bool click(ControlId cmd);
  // One tick of Timer1 when the timer is enabled and no handler runs: the
  // steps of the chosen speed (RunTick). At "Максимум" a front end with a
  // clock gives the time at which the tick ends; without one it runs
  // kMaxStepsPerTick steps.
  bool tick(std::optional<SteadyClock::time_point> until = std::nullopt);

  bool busy() const { return busy_; }
  bool exitRequested() const { return exit_; }

  Lab lab;
  // Steps per tick, from the next tick on.
  Speed speed = Speed::x1;
  // Called by "About" to show the help window (the front end's part).
  std::function<void()> onAbout;

 private:
  bool busy_ = false;
  bool exit_ = false;
};

// The manual shown in the About window: paragraphs joined by CR LF CR LF.
std::string helpText();

}  // namespace lumet
