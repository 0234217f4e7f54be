// The laboratory behind the window: one handler per button and one for the
// timer tick, run one at a time on the model. A front end (the Qt window or
// lumet-batch) supplies the pictures and the message boxes, feeds in what
// the user typed, and obeys Timer1 after every handler.
#pragma once

#include <functional>
#include <string>

#include "app/lab.h"

namespace lumet {

class Laboratory {
 public:
  Laboratory(Canvas& picture1, Canvas& picture2, Dialogs& dialogs, std::string logDir);

  // Press button cmd (Command1..Command12). False when another handler is
  // still running (a tick or click delivered inside a modal box), in which
  // case nothing is done.
  bool click(ControlId cmd);
  // One tick of Timer1: a step when the timer is enabled and no handler runs.
  bool tick();

  bool busy() const { return busy_; }
  bool exitRequested() const { return exit_; }

  Lab lab;
  // Called by "About" to show the help window (the front end's part).
  std::function<void()> onAbout;

 private:
  bool busy_ = false;
  bool exit_ = false;
};

// The manual shown in the About window: paragraphs joined by CR LF CR LF.
std::string helpText();

}  // namespace lumet
