#include <cmath>

#include "model/messages.h"
#include "model/numbers.h"
#include "setup/setup.h"

namespace lumet {

void V0Button(Lab& lab) {
  Model& m = lab.m;
  double V0, VXn = m.VXn, VYn = m.VYn, alV;
  try {
    // A total speed typed in "Dn"; 0 means the speed of the VX and VY boxes.
    V0 = num(lab, Text25);
    if (V0 == 0) {
      VXn = num(lab, Text7);
      VYn = num(lab, Text8);
      V0 = root(ok(VXn * VXn + VYn * VYn));
    }
    // Along the start direction of the shown trajectory; the line's for
    // the line and for the free body.
    alV = m.al1v;
    if (lab.on(Option2)) alV = m.al2v;
    if (lab.on(Option3)) alV = m.al3v;
    if (lab.on(Option4)) alV = m.al4v;
    VXn = ok(std::cos(alV) * V0);
    VYn = ok(std::sin(alV) * V0);
  } catch (const Failure&) {
    lab.message(msg::kBadData);
    return;
  }
  m.V0 = V0;
  m.VXn = VXn;
  m.VYn = VYn;
  m.alV = alV;
  lab.c.setText(Text7, formatBox(m.VXn));
  lab.c.setText(Text8, formatBox(m.VYn));
  lab.c.setText(Text25, formatBox(m.V0));
  lab.c.setText(Text31, formatBox(m.al1v * 180 / m.Pi));
  lab.c.setText(Text32, formatBox(m.al2v * 180 / m.Pi));
  lab.c.setText(Text33, formatBox(m.al3v * 180 / m.Pi));
  lab.c.setText(Text34, formatBox(m.al4v * 180 / m.Pi));
}

}  // namespace lumet
