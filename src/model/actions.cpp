#include "model/actions.h"

#include <iterator>

namespace lumet {

namespace {

constexpr ActionRow kActions[] = {
    {Action::Start, "start", "Command1", "Начать    эксперимент",
     "Прочитать все окошки, проверить данные, нарисовать сетки, поставить тела в начальную точку "
     "и начать опыт; идущий опыт начинается заново."},
    {Action::Stop, "stop", "Command2", "Остановить", "Остановить решение."},
    {Action::Continue, "continue", "Command3", "Продолжить", "Продолжить решение с того же места."},
    {Action::Exit, "exit", "Command4", "Выход", "Закрыть программу."},
    {Action::Clear, "clear", "Command5", "Очистить графики",
     "Стереть обе картинки и нарисовать их сетки заново; следующие опыты ложатся поверх, пока "
     "картинки не будут очищены снова."},
    {Action::About, "about", "Command6", "About",
     "Открыть описание лаборатории, не останавливая опыта."},
    {Action::Preview, "preview", "Command7", "Показать  траектории",
     "Нарисовать выбранные траектории и профиль поля на правой картинке, не начиная опыта."},
    {Action::Finer, "finer", "Command8", "--",
     "Dfi вдвое меньше: угол на циклоиде ищется вдвое точнее, можно и во время опыта."},
    {Action::Coarser, "coarser", "Command9", "+",
     "Dfi вдвое больше: угол на циклоиде ищется вдвое грубее, можно и во время опыта."},
    {Action::Step, "step", "Command10", "Сделать 1 шаг решения", "Сделать ровно один шаг решения."},
    {Action::Light, "light", "Command11", "Свет",
     "Опыт со светом: два луча проходят 20 слоёв по закону преломления - проверка принципа "
     "Ферма."},
    {Action::V0, "V0", "Command12", "V0",
     "Разложить полную скорость из окошка «Dn», м/с, по направлению траектории, выбранной под "
     "правой картинкой: составляющие появятся в VX и VY."},
};

static_assert(std::size(kActions) == size_t(Action::Count), "a row for every action");

}  // namespace

std::span<const ActionRow> actionTable() { return kActions; }

std::optional<Action> actionByName(std::string_view name) {
  for (const ActionRow& r : kActions)
    if (name == r.name) return r.id;
  return std::nullopt;
}

}  // namespace lumet
