#include "model/controls.h"

#include "model/numbers.h"

namespace lumet {

std::optional<ControlId> controlByName(std::string_view name) {
  for (const auto& c : controlTable())
    if (name == c.name) return c.id;
  return std::nullopt;
}

Controls::Controls()
    : texts_(ControlCount),
      numbers_(ControlCount, 0.0),
      numbered_(ControlCount, 0),
      unwritten_(ControlCount, 0),
      values_(ControlCount, 0),
      flagged_(ControlCount, 0),
      dirty_(ControlCount, 0),
      parsed_(ControlCount, 0),
      cache_(ControlCount) {
  for (const auto& c : controlTable()) {
    if (c.kind == Kind::Text) texts_[c.id] = c.initial;
    if (c.kind == Kind::Check || c.kind == Kind::Option)
      values_[c.id] = std::string_view(c.initial) == "1";
  }
}

void Controls::markChanged(ControlId id) {
  if (!dirty_[id]) {
    dirty_[id] = 1;
    changed_.push_back(id);
  }
}

void Controls::setText(ControlId id, std::string_view text) {
  if (this->text(id) == text) return;
  texts_[id] = text;
  numbered_[id] = 0;
  parsed_[id] = 0;
  markChanged(id);
}

void Controls::setNumber(ControlId id, double value) {
  // Equal values (0 and -0 among them) have equal texts.
  if (numbered_[id] && numbers_[id] == value) return;
  numbers_[id] = value;
  numbered_[id] = 1;
  unwritten_[id] = 1;
  parsed_[id] = 0;
  markChanged(id);
}

void Controls::writeOut(ControlId id) const {
  texts_[id] = formatBox(numbers_[id]);
  unwritten_[id] = 0;
}

void Controls::typeText(ControlId id, std::string_view text) {
  texts_[id] = text;
  numbered_[id] = 0;
  unwritten_[id] = 0;
  parsed_[id] = 0;
}

void Controls::setCheck(ControlId id, bool on) {
  if (values_[id] == on) return;
  values_[id] = on;
  ++valuesRevision_;
  markChanged(id);
}

void Controls::select(ControlId id) {
  const auto& table = controlTable();
  ControlId frame = table[id].frame;
  for (const auto& c : table)
    if (c.kind == Kind::Option && c.frame == frame && c.id != id) setCheck(c.id, false);
  setCheck(id, true);
}

void Controls::parse(ControlId id) const {
  cache_[id] = parseNumber(text(id));
  parsed_[id] = 1;
}

void Controls::setFlagged(ControlId id, bool on) {
  if (flagged_[id] == on) return;
  flagged_[id] = on;
  markChanged(id);
}

std::vector<ControlId> Controls::takeChanged() {
  std::vector<ControlId> out;
  out.swap(changed_);
  for (ControlId id : out) dirty_[id] = 0;
  return out;
}

double readNumber(const Controls& c, ControlId id) {
  auto v = c.number(id);
  if (!v) throw Failure{id};
  return *v;
}

int16_t readInt16(const Controls& c, ControlId id) {
  auto v = parseInt16(c.text(id));
  if (!v) throw Failure{id};
  return *v;
}

}  // namespace lumet
