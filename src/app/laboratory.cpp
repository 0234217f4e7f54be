#include "app/laboratory.h"

#include <utility>

#include "model/messages.h"
#include "physics/cycloid.h"

namespace lumet {

Laboratory::Laboratory(Canvas& picture1, Canvas& picture2, Dialogs& dialogs, std::string logDir) {
  lab.Picture1 = &picture1;
  lab.Picture2 = &picture2;
  lab.dialogs = &dialogs;
  lab.logDir = std::move(logDir);
  picture1.clear();
  picture2.clear();
}

namespace {

// Marks a handler as running for as long as it lives.
class Running {
 public:
  explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
  ~Running() { flag_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& flag_;
};

}  // namespace

bool Laboratory::click(ControlId cmd) {
  if (busy_) return false;
  Running running(busy_);
  Model& m = lab.m;
  switch (cmd) {
    case Command1: Start(lab); break;
    case Command2: lab.Timer1.Enabled = false; break;
    case Command3: Continue(lab); break;
    case Command4:
      lab.Timer1.Enabled = false;
      exit_ = true;
      break;
    case Command5: ClearPictures(lab); break;
    case Command6:
      if (onAbout) onAbout();
      break;
    case Command7: Preview(lab); break;
    case Command8:
      // Finer than the floor the cycloid search's steps would vanish.
      if (CycloidStepVanishes(2 / (m.KDfi * 2)))
        lab.message(msg::kCycloidFinest);
      else
        m.KDfi = m.KDfi * 2;
      break;
    case Command9: m.KDfi = m.KDfi / 2; break;
    case Command10: Step(lab); break;
    case Command11: LightExperiment(lab); break;
    case Command12: V0Button(lab); break;
    default: break;
  }
  return true;
}

bool Laboratory::tick(std::optional<SteadyClock::time_point> until) {
  if (busy_ || !lab.Timer1.Enabled) return false;
  Running running(busy_);
  RunTick(lab, speed, until);
  return true;
}

}  // namespace lumet
