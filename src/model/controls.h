// The controls of the main window: the table that describes each of them
// (written once, read by the window, the batch runner and the tests) and
// their current state (text of a box, value of a check or option button).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/control_ids.h"
#include "model/failure.h"

namespace lumet {

enum class Kind { Text, Label, Check, Option, Frame, Command, Picture, Timer };

// One row of the control table.
struct ControlEntry {
  ControlId id;
  const char* name;
  Kind kind;
  const char* caption;           // button, check, option, frame or label caption; "" if none
  ControlId frame;               // enclosing frame, or ControlCount when none
  int left, top, width, height;  // twips, window coordinates; 0 width = natural size
  const char* initial;           // text box default text; "1" for a checked/selected default
};

// Every control, in ControlId order (table[id].id == id).
const std::vector<ControlEntry>& controlTable();

// Look a control up by its name; nothing when there is none of that name.
std::optional<ControlId> controlByName(std::string_view name);

// Current state of all controls. The laboratory reads and writes it; a front
// end copies user input in and shows what changed.
class Controls {
 public:
  Controls();  // every control at its initial state from the table

  // The box's text; a number the laboratory wrote is written out here, when
  // the text is first read after it.
  const std::string& text(ControlId id) const {
    if (unwritten_[id]) writeOut(id);
    return texts_[id];
  }
  // Text written by the laboratory (marked for display when it changed).
  void setText(ControlId id, std::string_view text);
  // A number written by the laboratory, shown as formatNumber writes it.
  // Only the value is kept until the text is read: during a fast run the
  // boxes take many values between two looks at them. Marked for display
  // when the value changed (a new value may still read as the same text).
  void setNumber(ControlId id, double value);
  // Text typed by the user into the box (nothing to show back).
  void typeText(ControlId id, std::string_view text);

  bool value(ControlId id) const { return values_[id]; }
  void setCheck(ControlId id, bool on);
  // Select an option button; the others of its frame are cleared.
  void select(ControlId id);

  // The box's text as a number (parsed once per change of the text).
  const std::optional<double>& number(ControlId id) const {
    if (!parsed_[id]) parse(id);
    return cache_[id];
  }

  // Moves on at every change of a check box or option button: what is
  // read from them needs reading again only when it has moved.
  uint32_t valuesRevision() const { return valuesRevision_; }

  // A box flagged as holding a text the laboratory cannot use (the window
  // frames it in red) until its text is usable again.
  bool flagged(ControlId id) const { return flagged_[id]; }
  void setFlagged(ControlId id, bool on);

  // Controls whose state (text, value or flag) the laboratory changed since
  // the last call.
  std::vector<ControlId> takeChanged();

 private:
  void markChanged(ControlId id);
  void parse(ControlId id) const;
  void writeOut(ControlId id) const;
  mutable std::vector<std::string> texts_;
  // The number a box shows, while its text is that number's form
  // (numbered_), and whether that text is still to be written (unwritten_).
  std::vector<double> numbers_;
  std::vector<char> numbered_;
  mutable std::vector<char> unwritten_;
  std::vector<char> values_;
  uint32_t valuesRevision_ = 0;
  std::vector<char> flagged_;
  std::vector<char> dirty_;
  std::vector<ControlId> changed_;
  mutable std::vector<char> parsed_;
  mutable std::vector<std::optional<double>> cache_;
};

// The box's text as a number; a text that is not one is a Failure naming
// the box.
double readNumber(const Controls& c, ControlId id);

// The box's text as a 16-bit integer (the number rounded to the nearest
// integer, in -32768..32767); anything else is a Failure naming the box.
int16_t readInt16(const Controls& c, ControlId id);

}  // namespace lumet
