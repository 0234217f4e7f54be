#include "form/form.h"

#include "model/numbers.h"

namespace lumet {

Form::Form(Laboratory& lab) : lab_(lab), boxes_(ControlCount), dirty_(ControlCount, 0) {}

void Form::changed(ControlId id) {
  if (id == ControlCount || dirty_[id]) return;
  dirty_[id] = 1;
  changed_.push_back(id);
}

void Form::type(ControlId box, std::string_view text) {
  const ControlEntry& e = controlTable()[box];
  Box& b = boxes_[box];
  if (e.param != P::Count) {
    // A flagged box loses its frame as soon as its text is usable.
    if (lab_.setText(e.param, text)) changed(box);
  } else {
    b.typed = text;
  }
  // Typed over: the box shows the value again at its next write.
  b.shows.reset();
  b.written = false;
  for (V v : e.values) lab_.showAgain(v);
}

void Form::check(ControlId box, bool on) {
  const ControlEntry& e = controlTable()[box];
  if (e.param == P::Count) return;
  lab_.setOn(e.param, on);
  changed(box);
}

void Form::select(ControlId option) {
  const ControlEntry& e = controlTable()[option];
  if (e.param == P::Count) return;
  const int before = lab_.parameters().choice(e.param);
  lab_.choose(e.param, e.choice);
  // Both buttons are shown again: the one it cleared, and itself.
  changed(optionOf(e.param, before));
  changed(option);
}

Report Form::press(ControlId button) {
  const ControlEntry& e = controlTable()[button];
  if (!e.action) return Report{};
  Report r = lab_.act(*e.action);
  take(r);
  return r;
}

Report Form::tick(std::optional<SteadyClock::time_point> until, std::chrono::nanoseconds elapsed) {
  Report r = lab_.tick(until, elapsed);
  take(r);
  return r;
}

Report Form::open(const std::string& path) {
  Report r = lab_.open(path);
  take(r);
  return r;
}

void Form::paramChanged(P p, bool written) {
  const ControlId id = controlOf(p);
  if (row(p).kind == ParamKind::Choice) {
    for (size_t k = 0; k < row(p).choices.size(); ++k) changed(optionOf(p, int(k)));
    return;
  }
  Box& b = boxes_[id];
  b.shows.reset();
  b.written = written;
  changed(id);
}

void Form::take(const Report& r) {
  // Of the values that share a box it shows the one written last: no
  // handler writes two of them, so that is the one of the latest report.
  for (V v : r.values) {
    const ControlId id = controlOf(v);
    Box& b = boxes_[id];
    b.shows = v;
    b.written = true;
    changed(id);
  }
  for (P p : r.params) paramChanged(p, false);
  for (P p : r.written) paramChanged(p, true);
  for (P p : r.flags) changed(controlOf(p));
  if (r.focus) focus_ = controlOf(*r.focus);
}

std::string Form::text(ControlId box) const {
  const Box& b = boxes_[box];
  if (b.shows) {
    const std::optional<double> v = lab_.shown().get(*b.shows);
    return v ? formatBox(*v) : std::string();
  }
  const P p = controlTable()[box].param;
  return p != P::Count ? lab_.parameters().text(p) : b.typed;
}

bool Form::value(ControlId control) const {
  const ControlEntry& e = controlTable()[control];
  if (e.param == P::Count) return false;
  if (e.choice >= 0) return lab_.parameters().choice(e.param) == e.choice;
  return lab_.parameters().on(e.param);
}

bool Form::flagged(ControlId box) const {
  const P p = controlTable()[box].param;
  return p != P::Count && lab_.flagged(p);
}

std::string Form::words(P p, Language language) {
  const ParamRow& r = row(p);
  std::string label;
  for (int k = 0; k < ControlCount && label.empty(); ++k) {
    const ControlPlace& c = controlLayout()[k];
    if (c.kind == Kind::Label && c.shows != Shows::UnitOf && r.name == std::string_view(c.text))
      label = controlTable()[k].caption.in(language);
  }
  if (label.empty()) return *r.caption.in(language) ? r.caption.in(language) : r.name;
  // A caption several parameters share says which one it is.
  for (const ParamRow& other : parameterTable())
    if (other.id != p && label == other.caption.in(language)) return label + " (" + r.name + ")";
  return label;
}

std::string Form::problems(const Report& r, Language language) {
  std::string out;
  for (const auto& [p, reason] : r.problems)
    out += (out.empty() ? "" : "; ") + words(p, language) + ": " + textOf(reason, language);
  return out;
}

std::vector<ControlId> Form::takeChanged() {
  std::vector<ControlId> out;
  out.swap(changed_);
  for (ControlId id : out) dirty_[id] = 0;
  return out;
}

std::optional<ControlId> Form::takeFocus() {
  std::optional<ControlId> out;
  out.swap(focus_);
  return out;
}

}  // namespace lumet
