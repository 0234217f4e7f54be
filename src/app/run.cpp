// The handlers of a motion experiment: the start, the preview, one step of
// the run, V0 and the clearing of the pictures. Each runs the core's
// computation, then shows what it did: pictures, boxes, log and messages.
#include "app/boxes.h"
#include "app/lab.h"
#include "app/log_writes.h"
#include "display/display.h"
#include "model/messages.h"
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
bool setUpAndShow(Lab& lab) {
  const Choices ch = ReadChoices(lab.c);
  const StartReport r = SetUp(lab.m, lab.c, ch);
  bool drawn = !r.reachedGrids || lab.AxesKept == 1 || drawGrids(lab);
  for (const BoxValue& v : r.shown) lab.show(v.box, v.value);
  for (const char* notice : r.notices) lab.message(notice);
  if (!r.wentThrough()) {
    lab.message(r.stop);
    return false;
  }
  drawn = drawn && drawing([&] { DrawBodies(*lab.Picture1, lab.m, ch); });
  if (!drawn) lab.message(msg::kBadData);
  return drawn;
}

// The refresh of a step: positions and plots, the value boxes and, when it
// is due, a record of the run log (which cannot end the step). False when
// the step must end here.
bool refresh(Lab& lab, const Choices& ch) {
  const bool positions =
      drawing([&] { DrawPositions(*lab.Picture1, lab.m, ch, lab.c.number(Text50)); });
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
  if (!setUpAndShow(lab)) return;
  WriteLogHeader(lab);
  lab.Timer1.Enabled = true;
  lab.Timer1.Interval = 1;
}

void Preview(Lab& lab) {
  // However the start ends, the preview draws with what it computed.
  setUpAndShow(lab);
  PreviewDrawing(lab);
}

void PreviewDrawing(Lab& lab) {
  const Choices ch = ReadChoices(lab.c);
  if (!drawing([&] { DrawRods(*lab.Picture1, lab.m, ch); })) {
    lab.message(msg::kPreviewScale);
    return;
  }
  if (!drawing([&] { DrawFieldProfile(*lab.Picture1, lab.m, ch); }))
    lab.message(msg::kPreviewError);
}

void Step(Lab& lab) {
  const Choices ch = ReadChoices(lab.c);
  bool refreshDue;
  try {
    ReadRunBoxes(lab.m, lab.c, ch);
    refreshDue = Advance(lab.m, ch);
  } catch (const Failure&) {
    lab.fail(msg::kSolveError);
    return;
  }
  if (refreshDue && !refresh(lab, ch)) return;
  CountStep(lab.m);
}

void V0Button(Lab& lab) {
  V0Split v;
  try {
    v = SplitStartSpeed(lab.m, lab.c, ReadChoices(lab.c));
  } catch (const Failure&) {
    lab.message(msg::kBadData);
    return;
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
