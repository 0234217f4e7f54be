// The form: the window's controls as one view of the laboratory's
// parameters and shown values. Typing into a box sets its parameter, a check
// box its switch, an option button its choice; a button runs its action. A
// box shows its parameter's text, or the value the laboratory wrote into it
// last, or what the user typed over it. The window and lumet-batch share it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/laboratory.h"
#include "form/controls.h"

namespace lumet {

class Form {
 public:
  explicit Form(Laboratory& lab);

  Laboratory& laboratory() { return lab_; }
  const Laboratory& laboratory() const { return lab_; }

  // What the user does: types into a text box, ticks a check box, selects
  // an option button (the others of its frame are cleared).
  void type(ControlId box, std::string_view text);
  void check(ControlId box, bool on);
  void select(ControlId option);

  // The button's action, its report taken in (see take()).
  Report press(ControlId button);
  // A tick of the run, its report taken in.
  Report tick(std::optional<SteadyClock::time_point> until = std::nullopt,
              std::chrono::nanoseconds elapsed = kBatchTick);
  // Opens a set-up file, its report taken in.
  Report open(const std::string& path);
  // What a handler reported: the controls it changed are marked to be shown
  // again, the box to correct to take the focus.
  void take(const Report& r);

  // A text box's text: the number the laboratory wrote last (as a box
  // writes a number), its parameter's text, or what was typed over it.
  std::string text(ControlId box) const;
  // A check box's or option button's state.
  bool value(ControlId control) const;
  // A text box whose parameter holds a text the laboratory cannot use.
  bool flagged(ControlId box) const;
  // A text box that shows a number the laboratory wrote (which the window
  // fits to the box), not a text as typed.
  bool written(ControlId box) const { return boxes_[box].written; }

  // The words the form names a parameter by: the caption of its label
  // ("m1", "шаг, с"), with its name where the caption is shared ("* 10 ^
  // (ExpM)"); its caption or name where no label captions it.
  static std::string words(P p, Language language = Language::ru);
  // What the status line says of a report's problems: "m1: не число;
  // шаг, с: 0 не допускается"; empty when it has none.
  static std::string problems(const Report& r, Language language = Language::ru);

  // The controls whose state changed since the last call, in order.
  std::vector<ControlId> takeChanged();
  // The box to correct after "Введите правильно данные", once.
  std::optional<ControlId> takeFocus();

 private:
  struct Box {
    std::string typed;       // what the user typed, in a box of no parameter
    std::optional<V> shows;  // the value it shows, until typed over
    bool written = false;
  };
  void changed(ControlId id);
  void paramChanged(P p, bool written);

  Laboratory& lab_;
  std::vector<Box> boxes_;
  std::vector<char> dirty_;
  std::vector<ControlId> changed_;
  std::optional<ControlId> focus_;
};

}  // namespace lumet
