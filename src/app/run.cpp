// The handlers of a motion experiment: the start, the preview, one step of
// the run, V0 and the clearing of the pictures. Each runs the core's
// computation, then shows what it did: pictures, boxes, log and messages.
#include "app/lab.h"
#include "app/log_writes.h"
#include "app/views.h"
#include "display/display.h"
#include "display/legend.h"
#include "model/numbers.h"
#include "output/csv.h"
#include "output/runlog.h"
#include "physics/physics.h"
#include "setup/setup.h"

namespace lumet {

namespace {

bool drawGrids(Lab& lab) {
  return drawing([&] {
    DrawGrid1(lab.plane);
    DrawGrid2(lab.plot);
    KeepGrids(lab.x);
  });
}

// The start's computation and everything it shows: the grids (unless the
// user cleared the pictures by hand), the rods' boxes, its notices, the
// message that stopped it, and the bodies on the plane picture. True when
// the start went through.
bool setUpAndShow(Lab& lab, const Choices& ch) {
  const StartReport r = SetUp(lab.m, lab.p, ch);
  FollowScales(lab);
  bool drawn = !r.reachedGrids || lab.x.AxesKept == 1 || drawGrids(lab);
  for (const ShownValue& v : r.shown) lab.show(v.value, v.number);
  for (Msg notice : r.notices) lab.message(notice);
  if (!r.wentThrough()) {
    if (r.badParam != P::Count)
      lab.badData(Failure{r.badParam, r.badReason});
    else
      lab.message(*r.stop);
    return false;
  }
  lab.x.setUp = true;
  drawn = drawn && drawing([&] {
            DrawBodies(lab.plane, lab.m, ch);
            KeepBodies(lab.x, ch);
          });
  if (!drawn) lab.message(Msg::BadData);
  return drawn;
}

// The free body's colour number from "Цвет5", or its last usable one while
// its text is no number (the parameter is flagged then).
double freeColour(Lab& lab, const Choices& ch) {
  if (!ch.takesPart(5)) return lab.x.freeColour;
  const std::optional<double>& v = lab.p.number(P::colour5);
  if (!v != lab.x.flagged[size_t(P::colour5)]) {
    lab.flag(P::colour5, !v);
    if (!v) lab.problem(P::colour5, Msg::NotANumber);
  }
  if (v) lab.x.freeColour = *v;
  return lab.x.freeColour;
}

// The run parameters as the step found them: one whose text it cannot use is
// flagged, and the status line says why; one usable again is no longer.
void flagRunParameters(Lab& lab, unsigned unusable) {
  for (int k = 0; k < 4; ++k) {
    const P p = kRunParameters[k];
    const bool bad = (unusable >> k) & 1;
    if (bad == lab.x.flagged[size_t(p)]) continue;
    lab.flag(p, bad);
    if (bad) lab.problem(p, *textProblem(p, lab.p.text(p)));
  }
}

// A first step that fails has a likely cause among the parameters the start
// let pass: a step of 0, or mass 1 of 0.
void nameTheLikelyCause(Lab& lab) {
  if (lab.m.h == 0)
    lab.problem(P::h, Msg::ZeroNotAllowed);
  else if (lab.m.m1 == 0)
    lab.problem(P::m1, Msg::ZeroNotAllowed);
}

// The value frame follows a trajectory that takes part: when the chosen one
// does not, the first one that does.
void showATrajectoryThatTakesPart(Lab& lab, const Choices& ch) {
  if (ch.takesPart(ch.shown)) return;
  for (int i = 1; i <= 5; ++i) {
    if (!ch.takesPart(i)) continue;
    lab.p.choose(P::shown, i - 1);
    lab.report.params.push_back(P::shown);
    return;
  }
}

// The refresh of a step: positions and plots, the value boxes and, when it
// is due, a record of the run log (which cannot end the step). False when
// the step must end here.
bool refresh(Lab& lab, const Choices& ch) {
  const double colour = freeColour(lab, ch);
  const bool positions = drawing([&] { DrawPositions(lab.plane, lab.m, ch, colour); });
  const bool plots = drawing([&] { ParameterPlots(lab.plot, lab.m, ch); });
  KeepRefresh(lab.x, ch, colour);
  if (!positions || !plots) lab.fail(Msg::Scales);
  try {
    ShowRunValues(lab, ch);
  } catch (const Failure&) {
    lab.fail(Msg::SolveError);
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
  lab.x.runStart = newRunId();
  WriteLogHeader(lab);
  lab.x.running = true;
}

void Preview(Lab& lab) {
  // However the start ends, the preview draws with what it computed.
  const Choices ch = lab.choices();
  setUpAndShow(lab, ch);
  PreviewDrawing(lab, ch);
}

void PreviewDrawing(Lab& lab, const Choices& ch) {
  if (!drawing([&] { DrawRods(lab.plane, lab.m, ch); })) {
    lab.message(Msg::PreviewScale);
    return;
  }
  lab.x.planeView.rods(lab.m, ch);
  const bool drawn = drawing([&] { DrawFieldProfile(lab.plane, lab.m, ch); });
  // What it drew, or began to draw before it failed, stays on the picture.
  if (lab.m.Fm0 != 0) lab.x.profiles |= kGravityProfile;
  if (lab.m.Fq0 != 0) lab.x.profiles |= kElectricProfile;
  if (!drawn) return lab.message(Msg::PreviewError);
  lab.x.planeView.profile(lab.m, ch);
}

bool Step(Lab& lab) {
  if (!lab.x.setUp) {
    lab.message(Msg::StartFirst);
    return false;
  }
  const Choices& ch = lab.choices();
  StepOutcome out;
  try {
    const unsigned unusable = ReadRunParameters(lab.m, lab.p, ch);
    flagRunParameters(lab, unusable);
    FollowScales(lab);
    out = Advance(lab.m, ch);
  } catch (const Failure&) {
    lab.fail(Msg::SolveError);
    if (lab.m.T == 0) nameTheLikelyCause(lab);
    return false;
  }
  if (out.refresh && !refresh(lab, ch)) return out.finished;
  CountStep(lab.m);
  return out.finished;
}

void Continue(Lab& lab) {
  if (!lab.x.setUp) return lab.message(Msg::StartFirst);
  lab.x.running = true;
}

void V0Button(Lab& lab) {
  V0Split v;
  try {
    v = SplitStartSpeed(lab.m, lab.p, lab.choices());
  } catch (const Failure& f) {
    return lab.badData(f);
  }
  Model& m = lab.m;
  m.V0 = v.V0;
  m.VXn = v.VXn;
  m.VYn = v.VYn;
  lab.write(P::VXn, m.VXn);
  lab.write(P::VYn, m.VYn);
  lab.write(P::Dn, m.V0);
  // The start directions of the four rods, in degrees.
  lab.show(V::al1v, m.al1v * 180 / m.Pi);
  lab.show(V::al2v, m.al2v * 180 / m.Pi);
  lab.show(V::al3v, m.al3v * 180 / m.Pi);
  lab.show(V::al4v, m.al4v * 180 / m.Pi);
}

void ClearPictures(Lab& lab) {
  lab.plane.clear();
  lab.plot.clear();
  lab.x.profiles = 0;
  lab.x.layers.clear();
  lab.x.planeView.clear();
  lab.x.plotView.clear();
  lab.x.AxesKept = 1;
  // A grid of constant coordinates always fits its picture; were it ever
  // refused, the pictures' own message says so.
  if (!drawGrids(lab)) lab.message(Msg::Scales);
}

void Lab::write(P param, double value) {
  p.setText(param, formatBox(value));
  report.written.push_back(param);
}

void Lab::badData(const Failure& f) {
  message(Msg::BadData);
  if (f.param == P::Count) return;
  flag(f.param, true);
  report.focus = f.param;
  problem(f.param, f.reason);
}

void ShowRunValues(Lab& lab, const Choices& ch) {
  const Model& m = lab.m;
  const int i = m.iShow;
  // The value frame, row by row: left box, right box.
  const std::pair<V, double> frame[] = {{V::X, m.X[i]},   {V::Y, m.Y[i]},   {V::VX, m.VX[i]},
                                        {V::VY, m.VY[i]}, {V::FX, m.FX[i]}, {V::FY, m.FY[i]},
                                        {V::Fm, m.Fm[i]}, {V::Fq, m.Fq[i]}};
  for (const auto& [v, value] : frame) lab.show(v, value);
  // "X,Y" shows where the trajectory finished instead of the bead's
  // friction and the cycloid tolerance.
  if (ch.finishPlace) {
    lab.show(V::Xfin, m.Xfin[i]);
    lab.show(V::Yfin, m.Yfin[i]);
  } else {
    lab.show(V::Fj1, BeadFriction(m, i));
    lab.show(V::Dfi, CycloidTolerance(m));
  }
  const std::pair<V, double> energies[] = {
      {V::Lmax, m.Lmax[i]}, {V::EC1, m.EC1[i]}, {V::Ev, m.Ev[i]},
      {V::E, m.E[i]},       {V::Em, m.Em[i]},   {V::E0, m.E0[i]},
      {V::Eq, m.Eq[i]},     {V::Ej1, m.Ej1[i]}, {V::T, m.Tc}};
  for (const auto& [v, value] : energies) lab.show(v, value);

  // The result table: a row per trajectory, its time and four columns.
  for (int k = 1; k <= 5; ++k) {
    lab.show(tableValue(V::T1, k), m.Tfin[k]);
    lab.show(tableValue(V::ColMV1, k), m.ColMV[k]);
    lab.show(tableValue(V::ColTmU1, k), m.ColTmU[k]);
    lab.show(tableValue(V::ColT1, k), m.ColT[k]);
    lab.show(tableValue(V::ColTpU1, k), m.ColTpU[k]);
  }
  lab.show(V::ttR, m.ttR);
  lab.show(V::ttV, m.ttV);
  lab.show(V::dT, finite(m.ttR + m.ttV));
}

}  // namespace lumet
