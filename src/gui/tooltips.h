// What each control of the form is, shown when the pointer rests on it:
// Russian, in the words of the manual, with the unit of its value.
#pragma once

#include <QString>

#include "model/control_ids.h"

namespace lumet {

// The tooltip of a text box, check box, option button or button (plain
// text); empty for a control that has none (captions, frames, pictures).
QString tooltip(ControlId id);

}  // namespace lumet
