// The laboratory behind a front end: one handler per action and one for the
// tick of the run, run one at a time on the experiment. A front end (the Qt
// window or lumet-batch) supplies the two pictures and the answers to
// questions, gives the parameters as the user sets them, and shows what each
// handler's report says: its messages, the values and parameters that
// changed, the flags, the parameter to correct, and whether the run goes on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/lab.h"
#include "app/setup_file.h"
#include "app/speed.h"
#include "app/views.h"
#include "model/actions.h"

namespace lumet {

class Laboratory {
 public:
  Laboratory(Canvas& picture1, Canvas& picture2, Asker& asker, std::string logDir);

  // The action of a button. Not handled (nothing done) when another handler
  // is still running: a tick or click delivered inside a question.
  Report act(Action a);
  // One tick of the run when it goes on and no handler runs: the steps of
  // the chosen speed (RunTick). At "Максимум" a front end with a clock gives
  // the time at which the tick ends; without one it runs kMaxStepsPerTick
  // steps.
  // At "Реальное время" and the slowed speeds, `elapsed` is the clock since
  // the previous tick (lumet-batch: 1 ms a tick).
  Report tick(std::optional<SteadyClock::time_point> until = std::nullopt,
              std::chrono::nanoseconds elapsed = kBatchTick);
  // Opens a set-up file: all of it, stopping the run, or, when it is
  // refused, a message naming the file and its problem, and nothing else.
  Report open(const std::string& path);
  // Takes a set-up already read.
  Report take(const Setup& s);

  // The parameters as the user sets them: a number's text as typed, a
  // switch, a choice. A scale or force set during a run takes effect at the
  // next step. A flagged parameter loses its flag once its text is usable;
  // true when it did.
  bool setText(P p, std::string_view text);
  void setOn(P p, bool on) { x_.p.setOn(p, on); }
  void choose(P p, int index) { x_.p.choose(p, index); }

  // The pictures drawn again at the scales Mx, M and Mt give, where they
  // differ from those of what they show (a scale typed, wheeled or fitted);
  // nothing while a handler runs.
  void rescale();
  // A drag of the start or end point or of the start speed: from begin to
  // end, each move sets its parameters to the texts and shows the preview
  // over what the pictures showed at the beginning, or, when the set-up's
  // checks refuse, keeps the last accepted texts and names the reason in
  // the report's problems.
  void beginDrag() { marks_ = MarkViews(x_); }
  Report drag(const std::vector<std::pair<P, std::string>>& texts);
  void endDrag() {
    picture1_.dropCopy();
    marks_ = {};
  }
  // Mx, M and Mt set to scales that fit what the pictures show (see
  // FitScales); the report names the parameters it set.
  Report fit();

  const Parameters& parameters() const { return x_.p; }
  const ShownValues& shown() const { return x_.shown; }
  // A later write of a shown value counts as a change even when equal, for a
  // box that was typed over.
  void showAgain(V v) { x_.shown.showAgain(v); }
  // What the running handler has shown so far: a front end shows it before
  // a question opens, so that the user sees what they decide about.
  Report soFar();

  bool flagged(P p) const { return x_.flagged[size_t(p)]; }
  bool running() const { return x_.running; }
  bool busy() const { return busy_; }
  const Experiment& experiment() const { return x_; }
  Experiment& experiment() { return x_; }

  // Steps per tick, from the next tick on.
  Speed speed = Speed::x1;

 private:
  template <class Handler>
  Report run(Handler handler);

  Experiment x_;
  Pace pace_;  // of a run at a paced speed
  Canvas& picture1_;
  Canvas& picture2_;
  Asker& asker_;
  bool busy_ = false;
  DragMarks marks_;
};

}  // namespace lumet
