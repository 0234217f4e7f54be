#include "gui/undo.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QUndoCommand>

#include "gui/main_window.h"

namespace lumet {

namespace {

bool sameValue(const Parameters& a, const Parameters& b, P p) {
  switch (row(p).kind) {
    case ParamKind::Number:
    case ParamKind::Int16: return a.text(p) == b.text(p);
    case ParamKind::Switch: return a.on(p) == b.on(p);
    case ParamKind::Choice: return a.choice(p) == b.choice(p);
  }
  return true;
}

// One step: the parameters before and after it.
class SetupStep : public QUndoCommand {
 public:
  SetupStep(UndoHistory& history, Parameters before, Parameters after)
      : history_(history), before_(std::move(before)), after_(std::move(after)) {}
  void undo() override { history_.apply(before_); }
  void redo() override {
    // Pushed after the change was made: the first redo has nothing to do.
    if (first_) {
      first_ = false;
      return;
    }
    history_.apply(after_);
  }

 private:
  UndoHistory& history_;
  Parameters before_, after_;
  bool first_ = true;
};

}  // namespace

bool sameParameters(const Parameters& a, const Parameters& b) {
  for (const ParamRow& r : parameterTable())
    if (!sameValue(a, b, r.id)) return false;
  return true;
}

UndoHistory::UndoHistory(MainWindow& window)
    : QObject(&window), window_(window), last_(window.laboratory().parameters()) {}

void UndoHistory::watch() {
  MainWindow& window = window_;
  // A box's edit is a step once it is finished; a tick or an option at once.
  for (const ControlEntry& e : controlTable()) {
    if (e.param == P::Count) continue;
    QWidget* w = window.control(e.id);
    if (auto* box = qobject_cast<QLineEdit*>(w))
      connect(box, &QLineEdit::editingFinished, this, &UndoHistory::record);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
      connect(button, &QAbstractButton::clicked, this, &UndoHistory::record);
  }
}

void UndoHistory::record() {
  if (held_) return;
  const Parameters& now = window_.laboratory().parameters();
  if (sameParameters(now, last_)) return;
  stack_.push(new SetupStep(*this, last_, now));
  last_ = now;
}

void UndoHistory::undo() {
  record();
  stack_.undo();
}

void UndoHistory::redo() {
  record();
  stack_.redo();
}

void UndoHistory::defaults() {
  record();
  const Parameters before = last_;
  apply(Parameters());
  if (!sameParameters(before, last_)) stack_.push(new SetupStep(*this, before, last_));
}

void UndoHistory::apply(const Parameters& to) {
  Form& form = window_.form();
  Report shown;
  for (const ParamRow& r : parameterTable()) {
    const P p = r.id;
    if (sameValue(window_.laboratory().parameters(), to, p)) continue;
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16:
        form.type(controlOf(p), to.text(p));
        shown.params.push_back(p);
        break;
      case ParamKind::Switch: form.check(controlOf(p), to.on(p)); break;
      case ParamKind::Choice: form.select(optionOf(p, to.choice(p))); break;
    }
  }
  last_ = window_.laboratory().parameters();
  form.take(shown);
  window_.showReport(shown);
}

}  // namespace lumet
