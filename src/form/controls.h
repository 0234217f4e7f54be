// The controls of the main window: every one of them with its kind, place
// and what it shows. The layout (names, kinds, frames and places in twips)
// is written once by tools/gen_control_table.py; what each control shows is
// bound by the tables of the laboratory: a text box or a switch to the
// parameter whose box it is, an option button to a choice's word, a text box
// to the values shown in it, a button to its action. Captions, defaults and
// tooltips come from those tables, in every language of the tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/control_ids.h"
#include "model/actions.h"
#include "model/parameters.h"
#include "model/values.h"

namespace lumet {

enum class Kind { Text, Label, Check, Option, Frame, Command, Picture, Timer };

// What a label shows: its own text (a number or a symbol, the same in every
// language), a word of the message catalogue named by its English text, or
// the caption, the unit, or "caption, unit" of the parameter or value it
// names.
enum class Shows { Own, Word, CaptionOf, UnitOf, CaptionAndUnitOf };

// One control of the layout, as the generator writes it.
struct ControlPlace {
  ControlId id;
  const char* name;
  Kind kind;
  Shows shows;
  const char* text;              // its own caption, or the name of what it shows
  ControlId frame;               // enclosing frame, or ControlCount when none
  int left, top, width, height;  // twips, window coordinates; 0 width = natural size
};

// One control of the form with what it shows.
struct ControlEntry {
  ControlId id = ControlCount;
  const char* name = "";
  Kind kind = Kind::Label;
  Words caption;                   // button, check, option, frame or label caption; "" if none
  ControlId frame = ControlCount;  // enclosing frame, or ControlCount when none
  int left = 0, top = 0, width = 0, height = 0;  // twips
  const char* initial = "";  // text box default text; "1" for a checked/selected default
  // What it is bound to: the parameter (for an option button, a choice and
  // its index), the values shown in a text box, the action of a button.
  P param = P::Count;
  int choice = -1;
  std::vector<V> values;
  std::optional<Action> action;
  Words tip;  // its tooltip: the descriptions of what it shows
};

// The layout, in ControlId order.
const ControlPlace* controlLayout();

// Every control, in ControlId order (table[id].id == id).
const std::vector<ControlEntry>& controlTable();

// Look a control up by its name; nothing when there is none of that name.
std::optional<ControlId> controlByName(std::string_view name);

// The control of a parameter (a choice's frame), of a choice's word, of a
// value, of an action.
ControlId controlOf(P p);
ControlId optionOf(P p, int choice);
ControlId controlOf(V v);
ControlId controlOf(Action a);

}  // namespace lumet
