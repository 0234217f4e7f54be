// The laboratory's whole state as its handlers see it: the model, the
// controls of the window, the two pictures, the message boxes, the timer and
// the directory of the run log. The handlers run the computations of the
// core and show what they did: they draw, write the boxes, write the log and
// show the messages.
#pragma once

#include <string>
#include <string_view>

#include "display/canvas.h"
#include "model/choices.h"
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

// Timer1: the front end obeys it after every handler.
struct Timer {
  bool Enabled = false;
  int Interval = 1;  // milliseconds
};

struct Lab {
 private:
  Choices choices_;
  uint32_t choicesRevision_ = 0;
  bool choicesRead_ = false;

 public:
  Model m;
  Controls c;
  Canvas* Picture1 = nullptr;
  Canvas* Picture2 = nullptr;
  Dialogs* dialogs = nullptr;
  Timer Timer1;
  bool logOff = false;  // the run log failed: no records until the next start
  std::string logDir;
  int16_t AxesKept = 0;            // 1 after the pictures were cleared by hand
  std::string runStart;            // local time of the start that began the run (lumet.csv)
  std::string title, description;  // of the set-up last opened, kept when it is saved
  bool experimentSetUp = false;    // a start or a preview has set the experiment up
  // The box the user should correct after "Введите правильно данные": the
  // front end gives it the keyboard focus once the handler has returned.
  ControlId focusBox = ControlCount;
  double freeColour = 5;  // the last usable number of "Цвет5"
  long boxesShown = 0;    // message boxes and questions shown so far

  void message(std::string_view text) {
    ++boxesShown;
    dialogs->message(text);
  }
  bool question(std::string_view text) {
    ++boxesShown;
    return dialogs->question(text);
  }
  // A failure of a running simulation: its message, then the timer stops.
  void fail(const char* text) {
    message(text);
    Timer1.Enabled = false;
  }
  // The check boxes and option buttons as they stand, read again only when
  // one of them has changed.
  Choices choices() {
    if (!choicesRead_ || choicesRevision_ != c.valuesRevision()) {
      choices_ = ReadChoices(c);
      choicesRevision_ = c.valuesRevision();
      choicesRead_ = true;
    }
    return choices_;
  }
  // A value the laboratory writes into a box.
  void show(ControlId box, double value);
  // "Введите правильно данные" for a failure of a handler that reads the
  // boxes; a box that is not a number is flagged and gets the focus.
  void badData(const Failure& f);
};

// "Начать    эксперимент": the start, the bodies on the plane picture, the
// log header, and Timer1 enabled.
void Start(Lab& lab);
// "Показать  траектории": the whole set-up of a start without its log
// header and timer, then the rods and the field profile.
void Preview(Lab& lab);
// What the preview draws after the start, from the model as the start left
// it: the end points and the selected rods, then the field profile, each
// with its own failure message.
void PreviewDrawing(Lab& lab, const Choices& ch);
// One step of the run (a tick of Timer1, or "Сделать 1 шаг решения").
// Before any experiment has been set up it only says to start one. True
// when a trajectory reached its end in this step.
bool Step(Lab& lab);
// "Продолжить": Timer1 enabled, once an experiment has been set up.
void Continue(Lab& lab);
// Whether the text would be usable in its box: a number (a 16-bit integer
// in the integer boxes), and for a box read at every step one the step can
// use.
bool UsableText(ControlId box, std::string_view text);
// "V0": the start speed split along the start direction of the shown
// trajectory, and the four start directions in degrees.
void V0Button(Lab& lab);
// "Очистить графики": both pictures cleared and their grids drawn, which the
// next starts then keep.
void ClearPictures(Lab& lab);
// "Свет": two rays through 20 layers, pass by pass, asking to go on unless
// "AutoPn"; the trace is bounded at maxPasses passes.
void LightExperiment(Lab& lab, int maxPasses = 10000);

}  // namespace lumet
