#include "model/parameters.h"

#include "model/failure.h"
#include "model/numbers.h"

namespace lumet {

namespace {

constexpr ChoiceRow kField[] = {
    {"flat", "Option5", "плоское",
     "Плоское поле: перпендикулярно оси абсцисс, сила зависит только от высоты."},
    {"sphere", "Option6", "сфера", "Сферическое поле: направлено к центру массы 2."},
};
constexpr ChoiceRow kStrength[] = {
    {"const", "Option16", "const", "Постоянное поле, одинаковое на любом расстоянии."},
    {"var", "Option17", "var",
     "Переменное поле: сила зависит от расстояния в степени 1 или 2 (рамка «Степень»)."},
};
constexpr ChoiceRow kSign[] = {
    {"+", "Option18", "+",
     "Знак степени «+»: сила растёт с расстоянием, как у растянутой упругой нити."},
    {"--", "Option19", "--",
     "Знак степени «--»: сила убывает с расстоянием; степень 2 - закон тяготения и закон "
     "Кулона."},
};
constexpr ChoiceRow kPower[] = {
    {"1", "Option10", "1", "Степень расстояния 1; в опыте «Свет» - закон K=1+Dn*(i-1)."},
    {"2", "Option11", "2", "Степень расстояния 2; в опыте «Свет» - закон K=1+Dn*(i-1)^2."},
};
constexpr ChoiceRow kFinish[] = {
    {"X>Xk", "Option12", "X>Xk",
     "Время траектории измеряется, когда её абсцисса станет больше Xк."},
    {"X<Xk", "Option13", "X<Xk",
     "Время траектории измеряется, когда её абсцисса станет меньше Xк."},
    {"Y>Yk", "Option14", "Y>Yk",
     "Время траектории измеряется, когда её ордината станет больше Yк."},
    {"Y<Yk", "Option15", "Y<Yk",
     "Время траектории измеряется, когда её ордината станет меньше Yк."},
};
constexpr ChoiceRow kIntegral[] = {
    {"time", "Option8", "время", "Интегралы таблицы берутся по времени."},
    {"path", "Option9", "путь",
     "Интегралы таблицы берутся по пути; интеграл m1*V по пути - действие по Мопертюи."},
};
constexpr ChoiceRow kShown[] = {
    {"1", "Option1", "1-прямая",
     "Окошки под правой картинкой и нижняя картинка показывают прямую."},
    {"2", "Option2", "2-циклоида",
     "Окошки под правой картинкой и нижняя картинка показывают циклоиду."},
    {"3", "Option3", "3-парабола",
     "Окошки под правой картинкой и нижняя картинка показывают параболу."},
    {"4", "Option4", "4-дуга", "Окошки под правой картинкой и нижняя картинка показывают дугу."},
    {"5", "Option7", "5-",
     "Окошки под правой картинкой и нижняя картинка показывают свободное тело."},
};

using K = ParamKind;

// A number, a 16-bit integer, a switch and a choice, as rows of the table.
constexpr ParamRow number(P id, const char* name, const char* box, const char* caption,
                          const char* unit, const char* initial, const char* tip) {
  return {id, name, K::Number, box, caption, unit, tip, initial, {}};
}
constexpr ParamRow int16(P id, const char* name, const char* box, const char* caption,
                         const char* initial, const char* tip) {
  return {id, name, K::Int16, box, caption, "", tip, initial, {}};
}
constexpr ParamRow onOff(P id, const char* name, const char* box, const char* caption, bool on,
                         const char* tip) {
  return {id, name, K::Switch, box, caption, "", tip, on ? "1" : "", {}};
}
constexpr ParamRow choice(P id, const char* name, const char* box, const char* caption,
                          std::span<const ChoiceRow> words, const char* initial) {
  return {id, name, K::Choice, box, caption, "", "", initial, words};
}

constexpr ParamRow kTable[] = {
    number(P::m1, "m1", "Text1", "m1", "кг", "1e-21",
           "m1 - масса тела 1, кг; число умножается на 10 в степени из окошка «* 10 ^». Масса m1 "
           "не может быть нулевой."),
    number(P::m2, "m2", "Text11", "m2", "кг", "5976",
           "m2 - масса тела 2, создающего поле, кг; число умножается на 10 в степени из окошка "
           "«* 10 ^». По умолчанию - масса Земли."),
    int16(P::ExpM, "ExpM", "Text21", "* 10 ^", "21",
          "Показатель степени десяти для обеих масс m1 и m2."),
    number(P::q1, "q1", "Text2", "q1", "к", "-5",
           "q1 - заряд тела 1, кулоны (к); число умножается на 10 в степени из окошка «* 10 ^»."),
    number(P::q2, "q2", "Text12", "q2", "к", "5",
           "q2 - заряд тела 2, кулоны (к); число умножается на 10 в степени из окошка «* 10 ^»."),
    int16(P::ExpQ, "ExpQ", "Text22", "* 10 ^", "-4",
          "Показатель степени десяти для обоих зарядов q1 и q2."),
    number(P::Rz, "Rz", "Text13", "Rz", "м", "6378",
           "Rz - радиус массы 2, м; число умножается на 10 в степени из окошка «* 10 ^». Центр "
           "массы 2 стоит в точке X = 0, Y = -Rz; расстояние Rz от него - нулевой уровень "
           "потенциальной энергии."),
    int16(P::ExpRz, "ExpRz", "Text23", "* 10 ^", "3", "Показатель степени десяти для Rz."),
    number(P::C1, "C1", "Text4", "C1", "н/м", "10",
           "C1 - жёсткость упругой бусины на стержне, н/м: чем жёстче бусина, тем точнее тело "
           "держится на стержне, но тем меньше должен быть шаг."),
    number(P::KRz3, "KRz3", "Text24", "KRz3", "", "2",
           "KRz3 - множитель: масса 3 стоит на оси абсцисс в точке X = KRz3 * Rz (флажок «m3, "
           "q3»)."),
    number(P::Kj1, "Kj1", "Text5", "Kj1", "н*с/м", "0.1",
           "Kj1 - внутреннее вязкое трение бусины, н*с/м: гасит колебания её деформации."),
    number(P::Kj, "Kj", "Text18", "Kj", "н*с/м", "0",
           "Kj - коэффициент вязкого сопротивления среды, н*с/м."),
    number(P::VXn, "VXn", "Text7", "VX", "м/с", "-1460",
           "VX - начальная скорость по оси X, м/с. Кнопка «V0» пишет сюда составляющую скорости из "
           "окошка «Dn»."),
    number(P::VYn, "VYn", "Text8", "VY", "м/с", "8000",
           "VY - начальная скорость по оси Y, м/с. Кнопка «V0» пишет сюда составляющую скорости из "
           "окошка «Dn»."),
    number(P::Xn, "Xn", "Text9", "Xн", "м", "-6378000",
           "Xн - абсцисса начальной точки, м. В опыте «Свет» - абсцисса, где первый луч пересекает "
           "границу девятого слоя, от -10 до 10 м."),
    number(P::Yn, "Yn", "Text10", "Yн", "м", "-6378000", "Yн - ордината начальной точки, м."),
    number(P::Xk, "Xk", "Text19", "Xк", "м", "6165000",
           "Xк - абсцисса конечной точки траекторий, м. В опыте «Свет» - абсцисса, где второй луч "
           "пересекает границу девятого слоя, от -10 до 10 м."),
    number(P::Yk, "Yk", "Text20", "Yк", "м", "-8000000",
           "Yк - ордината конечной точки траекторий, м."),
    number(P::Fx, "Fx", "Text16", "Fx", "н", "0",
           "Fx - постоянная внешняя сила по оси X, н; с флажком «cos» - FX*cos(w*T)."),
    number(P::Fy, "Fy", "Text17", "Fy", "н", "0", "Fy - постоянная внешняя сила по оси Y, н."),
    number(P::X30, "X30", "Text30", "X30", "м", "7",
           "X30 - абсцисса вершины параболы второй формы, м; должна быть больше (Xн + Xк)/2."),
    number(P::X40, "X40", "Text40", "X40", "м", "-150000",
           "X40 - вертикаль X = X40, на которой лежит центр дуги второй формы, м."),
    number(P::fiK2, "fiK2", "Text41", "fiK2", "рад", "3.1416",
           "До старта - конечный угол fiK2 циклоиды второй формы, радианы."),
    number(P::h, "h", "Text54", "шаг", "с", "1",
           "Шаг h, с которым решаются уравнения движения, с: чем меньше шаг, тем точнее решение, "
           "но тем медленнее опыт."),
    number(P::Mt, "Mt", "Text51", "Mt", "с/см", "500",
           "Mt - масштаб времени нижней картинки, с/см: сколько секунд приходится на сантиметр её "
           "оси времени."),
    number(P::w, "w", "Text53", "w", "1/с", "0.001",
           "w - круговая частота внешней силы FX*cos(w*T), 1/с (флажок «cos»)."),
    number(P::Dn, "Dn", "Text25", "Dn", "", "0.05",
           "Dn - для кнопки «V0» полная начальная скорость V0, м/с (0 - взять её из VX и VY); в "
           "опыте «Свет» с флажком «AutoDn» - шаг показателя преломления слоёв."),
    number(P::colour5, "colour5", "Text50", "Цвет5", "", "5",
           "Цвет свободного тела: цифра от 1 до 5; 1 - 4 дают цвета траекторий с теми же номерами, "
           "5 - серый."),
    number(P::M, "M", "Text3", "M", "ед/см", "5",
           "M - масштаб нижней картинки, единиц на сантиметр, для всех величин, кроме времени и "
           "координат свободного тела."),
    number(P::Mx, "Mx", "Text29", "Mx", "м/см", "3000000",
           "Mx - масштаб правой картинки, м/см: сколько метров приходится на сантиметр; картинка "
           "10 на 10 см, начало координат в её центре."),
    int16(P::NCf, "NCf", "Text57", "NC файла", "10",
          "NC файла - через сколько шагов пишется запись в файл lumet.dat, пока отмечен флажок "
          "«File»."),
    int16(P::NCg, "NCg", "Text55", "NC графики", "1",
          "NC графики - через сколько шагов обновляются окошки и картинки: чем больше, тем "
          "быстрее идёт решение."),

    onOff(P::line, "line", "Check1", "1-прямая", false,
          "Масса 1 на прямом стержне от (Xн; Yн) до (Xк; Yк)."),
    onOff(P::cycloid, "cycloid", "Check2", "2-циклоида", false,
          "Масса 1 на стержне-циклоиде от (Xн; Yн) до (Xк; Yк)."),
    onOff(P::parabola, "parabola", "Check3", "3-парабола", false,
          "Масса 1 на стержне-параболе от (Xн; Yн) до (Xк; Yк)."),
    onOff(P::arc, "arc", "Check4", "4-дуга", false,
          "Масса 1 на стержне-дуге окружности от (Xн; Yн) до (Xк; Yк)."),
    onOff(P::free, "free", "Check5", "5-нет", true, "Свободное движение массы 1, без стержня."),
    onOff(P::modified_cycloid, "modified_cycloid", "Check7", "", false,
          "Вторая форма циклоиды: начинается не с нулевого угла; конечный угол fiK2 вводится в "
          "окошко «Y» под правой картинкой, радианы."),
    onOff(P::modified_parabola, "modified_parabola", "Check13", "", false,
          "Вторая форма параболы, повёрнутая на 90 градусов: Y3=Y30+K3*(X30-X3)^2."),
    onOff(P::modified_arc, "modified_arc", "Check12", "", false,
          "Вторая форма дуги: проходит через обе точки, центр на вертикали X = X40."),
    onOff(P::third_body, "third_body", "Check17", "m3, q3", false,
          "Масса 3 с массой и зарядом массы 2 в точке X = KRz3 * Rz на оси абсцисс (сфера, var, "
          "степень 2, «--»)."),
    onOff(P::zero_at_infinity, "zero_at_infinity", "Check22", "Ep=0 в бесконечности", false,
          "Нулевой уровень потенциальной энергии в бесконечности, а не на поверхности массы 2."),
    onOff(P::autoDn, "autoDn", "Check14", "AutoDn", false,
          "AutoDn - показатели преломления слоёв по закону K=1+Dn*(i-1) или K=1+Dn*(i-1)^2 (опыт "
          "«Свет»); при свободном движении - степень расстояния поля из окошка «Dn»."),
    onOff(P::autoPn, "autoPn", "Check15", "AutoPn", false,
          "AutoPn - лучи проходят все слои сразу, без вопроса «ПРОДОЛЖИТЬ ДВИЖЕНИЕ» на каждой "
          "границе."),
    onOff(P::finish_place, "finish_place", "Check16", "X,Y", false,
          "Окошки Fj1 и Dfi показывают координаты X и Y, в которых траектория закончилась, м."),
    onOff(P::euler, "euler", "Check23", "Эйлер", false,
          "Решать простым методом Эйлера вместо метода Рунге-Кутта четвёртого порядка."),
    onOff(P::cos, "cos", "Check24", "cos", false,
          "Внешняя сила по оси X периодическая: FX*cos(w*T), круговая частота w - в окошке «w», "
          "1/с."),
    onOff(P::log, "log", "Check6", "File", false,
          "Записывать опыт в файл lumet.dat в папке программы: строку параметров при старте и "
          "записи через каждые «NC файла» шагов."),
    onOff(P::average_m1V, "average_m1V", "Check8", "", false,
          "Среднее вместо интеграла m1*V: интеграл делится на время движения или на длину пути. "
          "Выбирает и величину для нижней картинки."),
    onOff(P::average_T_minus_U, "average_T_minus_U", "Check9", "", false,
          "Среднее вместо интеграла T - U: интеграл делится на время движения или на длину пути. "
          "Выбирает и величину для нижней картинки."),
    onOff(P::average_T, "average_T", "Check10", "", false,
          "Среднее вместо интеграла кинетической энергии T: интеграл делится на время движения "
          "или на длину пути. Выбирает и величину для нижней картинки."),
    onOff(P::average_T_plus_U, "average_T_plus_U", "Check11", "", false,
          "Среднее вместо интеграла T + U: интеграл делится на время движения или на длину пути. "
          "Выбирает и величину для нижней картинки."),
    onOff(P::plot_XY, "plot_XY", "Check18", "", true,
          "Рисовать на нижней картинке X и Y выбранной траектории в зависимости от времени."),
    onOff(P::plot_V, "plot_V", "Check19", "", false,
          "Рисовать на нижней картинке VX и VY выбранной траектории в зависимости от времени."),
    onOff(P::plot_F, "plot_F", "Check20", "", false,
          "Рисовать на нижней картинке FX и FY выбранной траектории в зависимости от времени."),
    onOff(P::plot_FmFq, "plot_FmFq", "Check21", "", false,
          "Рисовать на нижней картинке Fm и Fq выбранной траектории в зависимости от времени."),

    choice(P::field, "field", "Frame3", "Поле", kField, "sphere"),
    choice(P::strength, "strength", "Frame7", "Поле", kStrength, "var"),
    choice(P::sign, "sign", "Frame8", "", kSign, "--"),
    choice(P::power, "power", "Frame5", "Степень", kPower, "2"),
    choice(P::finish, "finish", "Frame6", "Tmax ", kFinish, "X>Xk"),
    choice(P::integral, "integral", "Frame4", "Интеграл", kIntegral, "time"),
    choice(P::shown, "shown", "Frame2", "", kShown, "1"),
};

static_assert(std::size(kTable) == size_t(P::Count), "a row for every parameter");

constexpr bool inOrder() {
  for (size_t k = 0; k < std::size(kTable); ++k)
    if (kTable[k].id != P(k)) return false;
  return true;
}
static_assert(inOrder(), "the rows stand in the order of P");

}  // namespace

std::span<const ParamRow> parameterTable() { return kTable; }

std::optional<P> parameterByName(std::string_view name) {
  for (const ParamRow& r : kTable)
    if (name == r.name) return r.id;
  return std::nullopt;
}

std::optional<int> choiceByWord(P p, std::string_view word) {
  const auto& words = row(p).choices;
  for (size_t k = 0; k < words.size(); ++k)
    if (word == words[k].word) return int(k);
  return std::nullopt;
}

int initialChoice(P p) { return *choiceByWord(p, row(p).initial); }

bool readable(P p, std::string_view text) {
  if (row(p).kind == ParamKind::Int16) return parseInt16(text).has_value();
  return parseNumber(text).has_value();
}

std::optional<Msg> textProblem(P p, std::string_view text) {
  const std::optional<double> v = parseNumber(text);
  if (!v) return Msg::NotANumber;
  if (row(p).kind == ParamKind::Int16 && !parseInt16(text)) return Msg::NotInt16;
  for (P run : kRunParameters)
    if (p == run && !runUsable(p, *v)) return *v == 0 ? Msg::ZeroNotAllowed : Msg::TooSmall;
  return std::nullopt;
}

Parameters::Parameters() {
  for (const ParamRow& r : kTable) {
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16: texts_[size_t(r.id)] = r.initial; break;
      case ParamKind::Switch: flags_[size_t(r.id)] = *r.initial == '1'; break;
      case ParamKind::Choice: flags_[size_t(r.id)] = uint8_t(initialChoice(r.id)); break;
    }
  }
}

void Parameters::setText(P p, std::string_view text) {
  texts_[size_t(p)] = text;
  parsed_[size_t(p)] = false;
  ++textsRevision_;
}

void Parameters::setOn(P p, bool on) {
  if (flags_[size_t(p)] == on) return;
  flags_[size_t(p)] = on;
  ++switchesRevision_;
}

void Parameters::choose(P p, int index) {
  if (flags_[size_t(p)] == index) return;
  flags_[size_t(p)] = uint8_t(index);
  ++switchesRevision_;
}

void Parameters::parse(P p) const {
  numbers_[size_t(p)] = parseNumber(texts_[size_t(p)]);
  parsed_[size_t(p)] = true;
}

std::string Parameters::valueText(P p) const {
  switch (row(p).kind) {
    case ParamKind::Switch: return on(p) ? "1" : "0";
    case ParamKind::Choice: return chosen(p);
    default: return text(p);
  }
}

std::optional<int16_t> int16Of(const Parameters& p, P id) { return parseInt16(p.text(id)); }

double readNumber(const Parameters& p, P id) {
  const std::optional<double>& v = p.number(id);
  if (!v) throw Failure{id};
  return *v;
}

int16_t readInt16(const Parameters& p, P id) {
  const std::optional<int16_t> v = int16Of(p, id);
  if (!v) throw Failure{id, p.number(id) ? Msg::NotInt16 : Msg::NotANumber};
  return *v;
}

double readReciprocal(const Parameters& p, P id) {
  const double v = readNumber(p, id);
  if (v == 0) throw Failure{id, Msg::ZeroNotAllowed};
  if (!std::isfinite(1 / v)) throw Failure{id, Msg::TooSmall};
  return 1 / v;
}

}  // namespace lumet
