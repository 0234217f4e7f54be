// The history of the set-up: every change of the parameters (a finished
// edit of a box, a tick, an option, a drag, a zoom, a fit, an opened set-up
// or ready experiment, the default values) is one step of a QUndoStack that
// "Правка → Отменить" and "Повторить" walk back and forth. A step is taken
// at each such moment by comparing the parameters with those of the last
// step; going back sets the parameters as typing them would.
#pragma once

#include <QObject>
#include <QUndoStack>

#include "model/parameters.h"

namespace lumet {

class MainWindow;

class UndoHistory : public QObject {
  Q_OBJECT

 public:
  explicit UndoHistory(MainWindow& window);
  // Takes a step at every finished edit of a box and every click of a check
  // box or option button of the window's form.
  void watch();

  // A step for whatever changed since the last one; nothing when nothing did.
  void record();
  void undo();
  void redo();
  // Every parameter at its default, itself a step.
  void defaults();
  // No steps while held (a drag is one step, taken when it ends).
  void hold(bool on) { held_ = on; }

  QUndoStack& stack() { return stack_; }
  // Sets every parameter that differs from `to` through the form, and shows
  // the boxes.
  void apply(const Parameters& to);

 private:
  MainWindow& window_;
  QUndoStack stack_;
  Parameters last_;  // as the last step left them
  bool held_ = false;
};

// Whether two sets of parameters hold the same values.
bool sameParameters(const Parameters& a, const Parameters& b);

}  // namespace lumet
