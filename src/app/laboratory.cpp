#include "app/laboratory.h"

#include <utility>

#include "model/numbers.h"
#include "physics/cycloid.h"

namespace lumet {

Laboratory::Laboratory(Canvas& picture1, Canvas& picture2, Asker& asker, std::string logDir)
    : picture1_(picture1), picture2_(picture2), asker_(asker) {
  x_.logDir = std::move(logDir);
  picture1.clear();
  picture2.clear();
}

namespace {

// Marks a handler as running for as long as it lives.
class Running {
 public:
  explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
  ~Running() { flag_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& flag_;
};

// "--": the cycloid's tolerance halves, down to where its steps would
// vanish in rounding; "+": it doubles, up to a whole turn of the rolling
// circle.
void finer(Lab& lab) {
  if (CycloidStepVanishes(2 / (lab.m.KDfi * 2)))
    lab.message(Msg::CycloidFinest);
  else
    lab.m.KDfi = lab.m.KDfi * 2;
}

void coarser(Lab& lab) {
  if (CycloidStepTooCoarse(2 / (lab.m.KDfi / 2)))
    lab.message(Msg::CycloidCoarsest);
  else
    lab.m.KDfi = lab.m.KDfi / 2;
}

}  // namespace

template <class Handler>
Report Laboratory::run(Handler handler) {
  Report report;
  if (busy_) {
    report.handled = false;
    report.running = x_.running;
    return report;
  }
  Running running(busy_);
  Lab lab(x_, picture1_, picture2_, asker_, report);
  handler(lab);
  report.values = x_.shown.takeChanged();
  report.running = x_.running;
  return report;
}

Report Laboratory::act(Action a) {
  return run([&](Lab& lab) {
    switch (a) {
      case Action::Start: Start(lab); break;
      case Action::Stop: x_.running = false; break;
      case Action::Continue: Continue(lab); break;
      case Action::Exit:
        x_.running = false;
        lab.report.exit = true;
        break;
      case Action::Clear: ClearPictures(lab); break;
      case Action::About: lab.report.about = true; break;
      case Action::Preview: Preview(lab); break;
      case Action::Finer: finer(lab); break;
      case Action::Coarser: coarser(lab); break;
      case Action::Step:
        lab.report.finished = Step(lab);
        lab.report.steps = 1;
        break;
      case Action::Light: LightExperiment(lab); break;
      case Action::V0: V0Button(lab); break;
      case Action::Count: break;
    }
  });
}

Report Laboratory::tick(std::optional<SteadyClock::time_point> until,
                        std::chrono::nanoseconds elapsed) {
  if (!x_.running) {
    Report report;
    report.handled = false;
    return report;
  }
  return run([&](Lab& lab) { lab.report.steps = RunTick(lab, speed, until, &pace_, elapsed); });
}

Report Laboratory::open(const std::string& path) {
  const SetupRead r = readSetupFile(path);
  if (!r.setup) {
    Report report;
    report.messages.push_back(setupRefusal(path, r.problem));
    report.running = x_.running;
    return report;
  }
  return take(*r.setup);
}

Report Laboratory::take(const Setup& s) {
  Report report = run([&](Lab& lab) {
    applySetup(x_, s);
    // Nothing of the last experiment stays under the new title: the
    // pictures start afresh with their grids, the result table is empty.
    ClearPictures(lab);
    for (int k = 1; k <= 5; ++k)
      for (V column : {V::T1, V::ColMV1, V::ColTmU1, V::ColT1, V::ColTpU1})
        x_.shown.clear(tableValue(column, k));
    for (V v : {V::ttR, V::ttV, V::dT}) x_.shown.clear(v);
    for (const ParamRow& r : parameterTable()) {
      lab.report.params.push_back(r.id);
      if (r.kind != ParamKind::Number && r.kind != ParamKind::Int16) continue;
      // Every text the start could not use is framed at once and named in
      // the status line; the set-up still opens, and the start decides. A
      // parameter flagged for its old text is cleared once the new one is
      // usable, as typing a usable text clears it.
      const std::optional<Msg> problem = textProblem(r.id, x_.p.text(r.id));
      lab.flag(r.id, problem.has_value());
      if (problem) lab.problem(r.id, *problem);
    }
  });
  rescale();
  return report;
}

Report Laboratory::soFar() {
  Report report;
  report.values = x_.shown.takeChanged();
  report.running = x_.running;
  return report;
}

void Laboratory::rescale() {
  if (busy_) return;
  Report report;
  Lab lab(x_, picture1_, picture2_, asker_, report);
  FollowScales(lab, ParameterScales(x_));
}

Report Laboratory::drag(const std::vector<std::pair<P, std::string>>& texts) {
  return run([&](Lab& lab) { DragPreview(lab, marks_, texts); });
}

Report Laboratory::fit() {
  const FittedScales f = FitScales(x_);
  Report report;
  const std::pair<P, std::optional<double>> scales[] = {{P::Mx, f.Mx}, {P::M, f.M}, {P::Mt, f.Mt}};
  for (const auto& [p, v] : scales) {
    if (!v || x_.p.number(p) == v) continue;
    setText(p, formatBox(*v));
    report.params.push_back(p);
  }
  report.running = x_.running;
  return report;
}

bool Laboratory::setText(P p, std::string_view text) {
  x_.p.setText(p, text);
  if (p == P::Mx || p == P::M || p == P::Mt) rescale();
  if (!x_.flagged[size_t(p)] || !usableText(p, text)) return false;
  x_.flagged[size_t(p)] = false;
  return true;
}

}  // namespace lumet
