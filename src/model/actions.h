// The laboratory's actions: what each button of the form does, once, with
// its name (in scripts), the button that does it, its caption and its
// description (in Russian and in English).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/local_text.h"

namespace lumet {

enum class Action : uint8_t {
  Start,     // "Начать    эксперимент"
  Stop,      // "Остановить"
  Continue,  // "Продолжить"
  Exit,      // "Выход"
  Clear,     // "Очистить графики"
  About,     // "About"
  Preview,   // "Показать  траектории"
  Finer,     // "--": the cycloid's tolerance halves
  Coarser,   // "+": the cycloid's tolerance doubles
  Step,      // "Сделать 1 шаг решения"
  Light,     // "Свет"
  V0,        // "V0"
  Count
};

struct ActionRow {
  Action id;
  const char* name;
  const char* box;
  Words caption;
  Words tip;
};

// The table, in Action order.
std::span<const ActionRow> actionTable();
inline const ActionRow& row(Action a) { return actionTable()[size_t(a)]; }
std::optional<Action> actionByName(std::string_view name);

}  // namespace lumet
