// One handler of the laboratory at work: the experiment it works on, the two
// pictures it draws on (the plane of motion and the plot against time), the questions it asks, and
// the report of what it did that the front end shows afterwards (messages, values, flags, the box
// to correct, whether the run goes on).
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "app/experiment.h"
#include "display/canvas.h"
#include "model/failure.h"
#include "model/messages.h"

namespace lumet {

// A Yes/No question (title "Lumet") asked while a handler runs, which waits
// for the answer; true for Yes.
class Asker {
 public:
  virtual ~Asker() = default;
  virtual bool question(const Message& text) = 0;
};

// What a handler did, for the front end to show.
struct Report {
  bool handled = true;            // false: another handler was running, nothing was done
  std::vector<Message> messages;  // message boxes, in order, each with one OK button
  std::optional<P> focus;  // the parameter to correct after "Введите правильно данные"
  std::vector<V> values;   // shown values that changed
  std::vector<P> params;   // parameters the laboratory set (a set-up, the shown one)
  std::vector<P> written;  // parameters the laboratory wrote as numbers ("V0")
  std::vector<P> flags;    // parameters whose flag changed
  // Parameters whose texts are not usable, or the likely cause of a failure,
  // each with the reason: what the status line tells.
  std::vector<std::pair<P, Message>> problems;
  bool running = false;   // the run goes on after the handler
  bool finished = false;  // a trajectory reached its end
  bool exit = false;      // "Выход"
  bool about = false;     // "About": the manual is to be shown
  long steps = 0;         // steps performed
};

class Lab {
 public:
  Lab(Experiment& x, Canvas& plane, Canvas& plot, Asker& asker, Report& report)
      : x(x), m(x.m), p(x.p), plane(plane), plot(plot), asker(asker), report(report) {}

  Experiment& x;
  Model& m;
  Parameters& p;
  Canvas& plane;  // the plane of motion, scale Mx
  Canvas& plot;   // chosen values against time, scales M and Mt
  Asker& asker;
  Report& report;

  void message(Message text) { report.messages.push_back(std::move(text)); }
  bool question(const Message& text) { return asker.question(text); }
  // A failure of a running simulation: its message, then the run stops.
  void fail(Message text) {
    message(std::move(text));
    x.running = false;
  }
  // A value the laboratory shows.
  void show(V v, double value) { x.shown.set(v, value); }
  // A parameter the laboratory writes as a number (its text as a box shows
  // a number).
  void write(P param, double value);
  // A parameter framed as unusable, or no longer.
  void flag(P param, bool on) {
    if (x.flagged[size_t(param)] == on) return;
    x.flagged[size_t(param)] = on;
    report.flags.push_back(param);
  }
  // "Введите правильно данные" for a failure of a handler that reads the
  // parameters; a parameter that is not a number is flagged and is the one
  // to correct.
  void badData(const Failure& f);
  // A parameter the status line names, with the reason.
  void problem(P param, Msg reason) { report.problems.emplace_back(param, Message(reason)); }
  const Choices& choices() { return x.choices(); }
};

// "Начать    эксперимент": the start, the bodies on the plane picture, the
// log header, and the run going.
void Start(Lab& lab);
// "Показать  траектории": the whole set-up of a start without its log
// header and run, then the rods and the field profile.
void Preview(Lab& lab);
// What the preview draws after the start, from the model as the start left
// it: the end points and the selected rods, then the field profile, each
// with its own failure message.
void PreviewDrawing(Lab& lab, const Choices& ch);
// One step of the run (a tick of the timer, or "Сделать 1 шаг решения").
// Before any experiment has been set up it only says to start one. True
// when a trajectory reached its end in this step.
bool Step(Lab& lab);
// "Продолжить": the run goes on, once an experiment has been set up.
void Continue(Lab& lab);
// "V0": the start speed split along the start direction of the shown
// trajectory, and the four start directions in degrees.
void V0Button(Lab& lab);
// "Очистить графики": both pictures cleared and their grids drawn, which the
// next starts then keep.
void ClearPictures(Lab& lab);
// "Свет": two rays through 20 layers, pass by pass, asking to go on unless
// "AutoPn"; the trace is bounded at maxPasses passes.
void LightExperiment(Lab& lab, int maxPasses = 10000);
// The values of the shown trajectory iShow, the time, the result table of all
// five trajectories and the relativistic time shifts. Throws Failure when a
// shown value cannot be computed (the values shown before it keep theirs).
void ShowRunValues(Lab& lab, const Choices& ch);

}  // namespace lumet
