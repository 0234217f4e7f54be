// The handlers of a motion experiment: the start, the preview, one step of
// the run, V0 and the clearing of the pictures. Each runs the core's
// computation, then shows what it did: pictures, boxes, log and messages.
#include <ctime>

#include "app/boxes.h"
#include "app/lab.h"
#include "app/log_writes.h"
#include "display/display.h"
#include "model/messages.h"
#include "model/numbers.h"
#include "output/csv.h"
#include "output/runlog.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

// Runs a drawing; false when the picture could not show all of it (what was
// drawn before stays).
template <class Draw>
bool drawing(Draw draw) {
  try {
    draw();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

bool drawGrids(Lab& lab) {
  return drawing([&] {
    DrawGrid1(*lab.Picture1);
    DrawGrid2(*lab.Picture2);
  });
}

// The start's computation and everything it shows: the grids (unless the
// user cleared the pictures by hand), the rods' boxes, its notices, the
// message that stopped it, and the bodies on the plane picture. True when
// the start went through.
bool setUpAndShow(Lab& lab, const Choices& ch) {
  const StartReport r = SetUp(lab.m, lab.c, ch);
  bool drawn = !r.reachedGrids || lab.AxesKept == 1 || drawGrids(lab);
  for (const BoxValue& v : r.shown) lab.show(v.box, v.value);
  for (const char* notice : r.notices) lab.message(notice);
  if (!r.wentThrough()) {
    if (r.badBox != ControlCount)
      lab.badData(Failure{r.badBox});
    else
      lab.message(r.stop);
    return false;
  }
  lab.experimentSetUp = true;
  drawn = drawn && drawing([&] { DrawBodies(*lab.Picture1, lab.m, ch); });
  if (!drawn) lab.message(msg::kBadData);
  return drawn;
}

// The free body's colour number from "Цвет5", or its last usable one while
// the box holds no number (the box is flagged then).
double freeColour(Lab& lab, const Choices& ch) {
  if (!ch.takesPart(5)) return lab.freeColour;
  const std::optional<double> v = lab.c.number(Text50);
  lab.c.setFlagged(Text50, !v);
  if (v) lab.freeColour = *v;
  return lab.freeColour;
}

// The value frame follows a trajectory that takes part: when the chosen one
// does not, the first one that does.
void showATrajectoryThatTakesPart(Lab& lab, const Choices& ch) {
  static constexpr ControlId shows[6] = {ControlCount, Option1, Option2, Option3, Option4, Option7};
  if (ch.takesPart(ch.shown)) return;
  for (int i = 1; i <= 5; ++i)
    if (ch.takesPart(i)) return lab.c.select(shows[i]);
}

// The refresh of a step: positions and plots, the value boxes and, when it
// is due, a record of the run log (which cannot end the step). False when
// the step must end here.
bool refresh(Lab& lab, const Choices& ch) {
  const double colour = freeColour(lab, ch);
  const bool positions = drawing([&] { DrawPositions(*lab.Picture1, lab.m, ch, colour); });
  const bool plots = drawing([&] { ParameterPlots(*lab.Picture2, lab.m, ch); });
  if (!positions || !plots) lab.fail(msg::kScales);
  try {
    ShowRunValues(lab, ch);
  } catch (const Failure&) {
    lab.fail(msg::kSolveError);
    return false;
  }
  if (RecordDue(lab.m, ch)) WriteLogRecord(lab);
  return true;
}

}  // namespace

void Start(Lab& lab) {
  const Choices ch = lab.choices();
  if (!setUpAndShow(lab, ch)) return;
  showATrajectoryThatTakesPart(lab, ch);
  lab.runStart = newRunId();
  WriteLogHeader(lab);
  lab.Timer1.Enabled = true;
  lab.Timer1.Interval = 1;
}

void Preview(Lab& lab) {
  // However the start ends, the preview draws with what it computed.
  const Choices ch = lab.choices();
  setUpAndShow(lab, ch);
  PreviewDrawing(lab, ch);
}

void PreviewDrawing(Lab& lab, const Choices& ch) {
  if (!drawing([&] { DrawRods(*lab.Picture1, lab.m, ch); })) {
    lab.message(msg::kPreviewScale);
    return;
  }
  if (!drawing([&] { DrawFieldProfile(*lab.Picture1, lab.m, ch); }))
    lab.message(msg::kPreviewError);
}

bool Step(Lab& lab) {
  if (!lab.experimentSetUp) {
    lab.message(msg::kStartFirst);
    return false;
  }
  const Choices ch = lab.choices();
  StepOutcome out;
  try {
    const unsigned unusable = ReadRunBoxes(lab.m, lab.c, ch);
    for (int k = 0; k < 4; ++k) lab.c.setFlagged(kRunBoxes[k], (unusable >> k) & 1);
    out = Advance(lab.m, ch);
  } catch (const Failure&) {
    lab.fail(msg::kSolveError);
    return false;
  }
  if (out.refresh && !refresh(lab, ch)) return out.finished;
  CountStep(lab.m);
  return out.finished;
}

void Continue(Lab& lab) {
  if (!lab.experimentSetUp) return lab.message(msg::kStartFirst);
  lab.Timer1.Enabled = true;
}

bool UsableText(ControlId box, std::string_view text) {
  for (ControlId integer : {Text21, Text22, Text23, Text55, Text57})
    if (box == integer) return parseInt16(text).has_value();
  const std::optional<double> v = parseNumber(text);
  if (!v) return false;
  for (ControlId run : kRunBoxes)
    if (box == run) return RunBoxUsable(box, *v);
  return true;
}

void V0Button(Lab& lab) {
  V0Split v;
  try {
    v = SplitStartSpeed(lab.m, lab.c, lab.choices());
  } catch (const Failure& f) {
    return lab.badData(f);
  }
  Model& m = lab.m;
  m.V0 = v.V0;
  m.VXn = v.VXn;
  m.VYn = v.VYn;
  lab.show(Text7, m.VXn);
  lab.show(Text8, m.VYn);
  lab.show(Text25, m.V0);
  // The start directions of the four rods, in degrees.
  lab.show(Text31, m.al1v * 180 / m.Pi);
  lab.show(Text32, m.al2v * 180 / m.Pi);
  lab.show(Text33, m.al3v * 180 / m.Pi);
  lab.show(Text34, m.al4v * 180 / m.Pi);
}

void ClearPictures(Lab& lab) {
  lab.Picture1->clear();
  lab.Picture2->clear();
  lab.AxesKept = 1;
  // A grid of constant coordinates always fits its picture; were it ever
  // refused, the pictures' own message says so.
  if (!drawGrids(lab)) lab.message(msg::kScales);
}

}  // namespace lumet
