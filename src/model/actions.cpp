#include "model/actions.h"

#include <iterator>

namespace lumet {

namespace {

constexpr ActionRow kActions[] = {
    {Action::Start,
     "start",
     "Command1",
     {"Начать    эксперимент", "Start experiment"},
     {"Прочитать все окошки, проверить данные, нарисовать сетки, поставить тела в начальную "
      "точку и начать опыт; идущий опыт начинается заново.",
      "Read every box, check the data, draw the grids, put the bodies at the start point and "
      "begin the experiment; a running experiment begins anew."}},
    {Action::Stop,
     "stop",
     "Command2",
     {"Остановить", "Stop"},
     {"Остановить решение.", "Stop the solution."}},
    {Action::Continue,
     "continue",
     "Command3",
     {"Продолжить", "Continue"},
     {"Продолжить решение с того же места.", "Go on with the solution from the same place."}},
    {Action::Exit,
     "exit",
     "Command4",
     {"Выход", "Exit"},
     {"Закрыть программу.", "Close the program."}},
    {Action::Clear,
     "clear",
     "Command5",
     {"Очистить графики", "Clear plots"},
     {"Стереть обе картинки и нарисовать их сетки заново; следующие опыты ложатся поверх, пока "
      "картинки не будут очищены снова.",
      "Wipe both pictures and draw their grids anew; the next experiments are drawn over them "
      "until the pictures are cleared again."}},
    {Action::About,
     "about",
     "Command6",
     "About",
     {"Открыть описание лаборатории, не останавливая опыта.",
      "Open the description of the laboratory without stopping the experiment."}},
    {Action::Preview,
     "preview",
     "Command7",
     {"Показать  траектории", "Show trajectories"},
     {"Нарисовать выбранные траектории и профиль поля на правой картинке, не начиная опыта.",
      "Draw the chosen trajectories and the field's profile on the right picture without "
      "starting the experiment."}},
    {Action::Finer,
     "finer",
     "Command8",
     "--",
     {"Dfi вдвое меньше: угол на циклоиде ищется вдвое точнее, можно и во время опыта.",
      "Dfi halved: the angle on the cycloid is sought twice as finely, also during the "
      "experiment."}},
    {Action::Coarser,
     "coarser",
     "Command9",
     "+",
     {"Dfi вдвое больше: угол на циклоиде ищется вдвое грубее, можно и во время опыта.",
      "Dfi doubled: the angle on the cycloid is sought twice as coarsely, also during the "
      "experiment."}},
    {Action::Step,
     "step",
     "Command10",
     {"Сделать 1 шаг решения", "Make 1 solution step"},
     {"Сделать ровно один шаг решения.", "Make exactly one step of the solution."}},
    {Action::Light,
     "light",
     "Command11",
     {"Свет", "Light"},
     {"Опыт со светом: два луча проходят 20 слоёв по закону преломления - проверка принципа "
      "Ферма.",
      "The experiment with light: two rays pass 20 layers by the law of refraction, a test of "
      "Fermat's principle."}},
    {Action::V0,
     "V0",
     "Command12",
     "V0",
     {"Разложить полную скорость из окошка «Dn», м/с, по направлению траектории, выбранной под "
      "правой картинкой: составляющие появятся в VX и VY.",
      "Resolve the whole speed from the box “Dn”, m/s, along the direction of the trajectory "
      "chosen under the right picture: its components appear in VX and VY."}},
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
