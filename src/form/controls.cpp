#include "form/controls.h"

#include <array>
#include <deque>
#include <stdexcept>

#include "model/messages.h"

namespace lumet {

namespace {

// Strings made for the table (a caption with its unit, a tooltip of several
// parts) live here.
const char* kept(std::string s) {
  static std::deque<std::string> texts;
  return texts.emplace_back(std::move(s)).c_str();
}

// Words made of parts in each language.
template <class F>
Words composed(F&& part) {
  return {kept(part(Language::ru)), kept(part(Language::en))};
}

// The caption or unit of the parameter or value of that name.
struct Named {
  Words caption;
  Words unit;
};
Named named(std::string_view name) {
  if (const auto p = parameterByName(name)) return {row(*p).caption, row(*p).unit};
  if (const auto v = valueByName(name)) return {row(*v).caption, row(*v).unit};
  throw std::logic_error("the layout names no parameter or value " + std::string(name));
}

Words labelCaption(const ControlPlace& c) {
  switch (c.shows) {
    case Shows::Own: return c.text;
    case Shows::Word: {
      const std::optional<Msg> word = messageByEnglish(c.text);
      if (!word) throw std::logic_error(std::string("the catalogue has no word ") + c.text);
      return composed([&](Language l) { return textOf(*word, l); });
    }
    case Shows::CaptionOf: return named(c.text).caption;
    case Shows::UnitOf: return named(c.text).unit;
    case Shows::CaptionAndUnitOf: {
      const Named n = named(c.text);
      return composed(
          [&](Language l) { return std::string(n.caption.in(l)) + ", " + n.unit.in(l); });
    }
  }
  return "";
}

// A tooltip of several parts, one after the other.
void addTip(Words& tip, const Words& part) {
  if (!*part.ru) return;
  tip = composed([&](Language l) {
    std::string t = tip.in(l);
    if (!t.empty()) t += ' ';
    return t + part.in(l);
  });
}

std::vector<ControlEntry> buildTable() {
  std::vector<ControlEntry> table;
  const ControlPlace* layout = controlLayout();
  for (int k = 0; k < ControlCount; ++k) {
    const ControlPlace& c = layout[k];
    ControlEntry& e = table.emplace_back();
    e.id = c.id;
    e.name = c.name;
    e.kind = c.kind;
    e.caption = c.kind == Kind::Label || c.kind == Kind::Frame ? labelCaption(c) : c.text;
    e.frame = c.frame;
    e.left = c.left, e.top = c.top, e.width = c.width, e.height = c.height;
    e.initial = "";
  }
  auto at = [&](const char* box) -> ControlEntry& {
    const auto id = controlByName(box);
    if (!id) throw std::logic_error(std::string("no control ") + box);
    return table[size_t(*id)];
  };
  // The values first, so that a box shared with a parameter names its
  // value before the parameter it holds before a run.
  for (const ValueRow& v : valueTable()) {
    ControlEntry& e = at(v.box);
    e.values.push_back(v.id);
    addTip(e.tip, v.tip);
  }
  for (const ParamRow& p : parameterTable()) {
    ControlEntry& e = at(p.box);
    e.param = p.id;
    if (p.kind == ParamKind::Number || p.kind == ParamKind::Int16) e.initial = p.initial;
    if (p.kind == ParamKind::Switch) e.initial = p.initial;
    if (p.kind != ParamKind::Number && p.kind != ParamKind::Int16) e.caption = p.caption;
    addTip(e.tip, p.tip);
    for (size_t k = 0; k < p.choices.size(); ++k) {
      ControlEntry& o = at(p.choices[k].box);
      o.param = p.id;
      o.choice = int(k);
      o.caption = p.choices[k].caption;
      o.initial = int(k) == initialChoice(p.id) ? "1" : "";
      addTip(o.tip, p.choices[k].tip);
    }
  }
  for (const ActionRow& a : actionTable()) {
    ControlEntry& e = at(a.box);
    e.action = a.id;
    e.caption = a.caption;
    addTip(e.tip, a.tip);
  }
  return table;
}

template <class Id, size_t N>
std::array<ControlId, N> controlsOf(bool (*is)(const ControlEntry&, Id)) {
  std::array<ControlId, N> out;
  out.fill(ControlCount);
  for (const ControlEntry& e : controlTable())
    for (size_t k = 0; k < N; ++k)
      if (is(e, Id(k))) out[k] = e.id;
  return out;
}

}  // namespace

const std::vector<ControlEntry>& controlTable() {
  static const std::vector<ControlEntry> table = buildTable();
  return table;
}

std::optional<ControlId> controlByName(std::string_view name) {
  const ControlPlace* layout = controlLayout();
  for (int k = 0; k < ControlCount; ++k)
    if (name == layout[k].name) return layout[k].id;
  return std::nullopt;
}

ControlId controlOf(P p) {
  static const auto of = controlsOf<P, kParameterCount>(
      [](const ControlEntry& e, P id) { return e.param == id && e.choice < 0; });
  return of[size_t(p)];
}

ControlId optionOf(P p, int choice) {
  for (const ControlEntry& e : controlTable())
    if (e.param == p && e.choice == choice) return e.id;
  return ControlCount;
}

ControlId controlOf(V v) {
  static const auto of = controlsOf<V, kValueCount>([](const ControlEntry& e, V id) {
    for (V shown : e.values)
      if (shown == id) return true;
    return false;
  });
  return of[size_t(v)];
}

ControlId controlOf(Action a) {
  static const auto of = controlsOf<Action, size_t(Action::Count)>(
      [](const ControlEntry& e, Action id) { return e.action == id; });
  return of[size_t(a)];
}

}  // namespace lumet
