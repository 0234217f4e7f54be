#include "app/views.h"

#include <algorithm>
#include <cmath>

#include "display/display.h"
#include "model/numbers.h"
#include "setup/setup.h"

namespace lumet {

void FollowScales(Lab& lab, const Scales& s) {
  Experiment& x = lab.x;
  if (x.planeView.differs(s))
    x.planeView.redraw(lab.plane, s);
  else
    x.planeView.setScales(s);
  if (x.plotView.differs(s))
    x.plotView.redraw(lab.plot, s);
  else
    x.plotView.setScales(s);
}

void KeepGrids(Experiment& x) {
  x.planeView.grid1();
  x.plotView.grid2();
}

void KeepBodies(Experiment& x, const Choices& ch) { x.planeView.bodies(x.m, ch); }

void KeepRefresh(Experiment& x, const Choices& ch, double freeColour) {
  x.planeView.positions(x.m, ch, freeColour);
  x.plotView.plots(x.m, ch);
}

Scales ParameterScales(const Experiment& x) {
  Scales s = x.planeView.scales();
  const Scales plot = x.plotView.scales();
  s.kM = plot.kM, s.Mt = plot.Mt;
  double* const to[3] = {&s.kMx, &s.kM, &s.Mt};
  const P params[3] = {P::Mx, P::M, P::Mt};
  for (int k = 0; k < 3; ++k) {
    const std::optional<double>& v = x.p.number(params[k]);
    if (v && runUsable(params[k], *v)) *to[k] = k < 2 ? 1 / *v : *v;
  }
  return s;
}

DragMarks MarkViews(const Experiment& x) {
  // A drag replaces the preview the pictures end with; the grids too, which
  // the preview draws again, unless the user cleared the pictures.
  const bool grids = x.AxesKept != 1;
  DragMarks marks;
  marks.plane = x.planeView.markBeforePreview(grids);
  marks.plot = x.plotView.markBeforePreview(grids);
  return marks;
}

void DragPreview(Lab& lab, DragMarks& marks, const std::vector<std::pair<P, std::string>>& texts) {
  Experiment& x = lab.x;
  const Model before = x.m;
  std::vector<std::string> old;
  for (const auto& [p, text] : texts) {
    old.push_back(x.p.text(p));
    x.p.setText(p, text);
  }
  const Choices ch = lab.choices();
  const StartReport r = SetUp(x.m, x.p, ch);
  if (!r.wentThrough()) {
    x.m = before;
    for (size_t k = 0; k < texts.size(); ++k) x.p.setText(texts[k].first, old[k]);
    const Msg reason = r.badParam != P::Count ? r.badReason : *r.stop;
    lab.report.problems.emplace_back(r.badParam != P::Count ? r.badParam : texts.front().first,
                                     Message(reason));
    return;
  }
  for (const auto& [p, text] : texts) lab.report.params.push_back(p);
  for (const ShownValue& v : r.shown) lab.show(v.value, v.number);
  x.setUp = true;
  // What the pictures kept when the drag began, and the new preview over it.
  x.planeView.backTo(marks.plane);
  const Scales s = ModelScales(x.m);
  if (!(marks.planeKept && marks.keptAt == s && lab.plane.restoreCopy())) {
    x.planeView.redraw(lab.plane, s);
    lab.plane.keepCopy();
    marks.planeKept = true;
    marks.keptAt = s;
  }
  if (x.AxesKept != 1 && drawing([&] { DrawGrid1(lab.plane); })) x.planeView.grid1();
  // Only the grid of the plot is the preview's, the same at every move.
  if (!marks.plotShown) {
    marks.plotShown = true;
    x.plotView.backTo(marks.plot);
    x.plotView.redraw(lab.plot, s);
    if (x.AxesKept != 1 && drawing([&] { DrawGrid2(lab.plot); })) x.plotView.grid2();
  }
  if (drawing([&] { DrawBodies(lab.plane, x.m, ch); })) KeepBodies(x, ch);
  if (!drawing([&] { DrawRods(lab.plane, x.m, ch); })) return;
  x.planeView.rods(x.m, ch);
  if (drawing([&] { DrawFieldProfile(lab.plane, x.m, ch); })) x.planeView.profile(x.m, ch);
}

double RoundUp125(double v) {
  const double p = std::pow(10.0, std::floor(std::log10(v)));
  for (double f : {1.0, 2.0, 5.0, 10.0})
    if (f * p >= v * (1 - 1e-12)) return f * p;
  return 10 * p;
}

namespace {

// A canvas that only measures how far what is drawn on it reaches from the
// origin.
class Reach : public Canvas {
 public:
  double most = 0;
  void clear() override {}
  void scale(double, double, double, double) override {}
  bool line(double x1, double y1, double x2, double y2, Rgb) override {
    return at(x1, y1) && at(x2, y2);
  }
  bool point(double x, double y, Rgb) override { return at(x, y); }
  bool circle(double x, double y, double r, Rgb) override {
    return at(std::fabs(x) + r, std::fabs(y) + r);
  }
  bool arc(double x, double y, double r, double, double, Rgb) override {
    return at(std::fabs(x) + r, std::fabs(y) + r);
  }
  bool at(double x, double y) {
    if (std::isfinite(x)) most = std::max(most, std::fabs(x));
    if (std::isfinite(y)) most = std::max(most, std::fabs(y));
    return true;
  }
};

}  // namespace

FittedScales FitScales(const Experiment& x) {
  FittedScales out;
  Reach reach;
  for (P p : {P::Xn, P::Yn, P::Xk, P::Yk})
    if (const auto& v = x.p.number(p)) reach.at(*v, 0);
  if (x.setUp) {
    // The rods of the last start, in metres; mass 2's surface where it is
    // nearest the origin, unless it is so far that the start, the end and
    // the rods would shrink to a dot beside it.
    Model m = x.m;
    m.kMx = 1;
    const Choices ch = ReadChoices(x.p);
    if (ch.takesPart(1) || ch.takesPart(2) || ch.takesPart(3) || ch.takesPart(4))
      drawing([&] { DrawRods(reach, m, ch); });
    const double surface = ch.flat ? m.Rz : std::fabs(m.Rz - m.R13);
    if (!(reach.most > 0) || surface <= 10 * reach.most) reach.at(0, surface);
  }
  // Half the picture is 5 cm; a tenth more for a margin.
  if (reach.most > 0 && std::isfinite(reach.most)) out.Mx = RoundUp125(reach.most * 1.1 / 5);

  double value, time;
  if (x.plotView.plotExtent(value, time)) {
    // 4 cm above and below the axis, 14 cm of time.
    if (value > 0 && std::isfinite(value)) out.M = RoundUp125(value * 1.05 / 4);
    if (time > 0 && std::isfinite(time)) out.Mt = RoundUp125(time / 14);
  }
  return out;
}

}  // namespace lumet
