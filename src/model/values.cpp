#include "model/values.h"

#include <deque>
#include <string>

namespace lumet {

namespace {

// The values with a row of their own; the result table's 25 follow from its
// rows and columns. Units in both languages first.
constexpr Words m{"м", "m"}, m_s{"м/с", "m/s"}, N{"н", "N"}, J{"Дж", "J"}, s{"с", "s"},
    rad{"рад", "rad"}, deg{"град", "deg"};

const ValueRow kRows[] = {
    {V::X,
     "X",
     "Text31",
     "X",
     m,
     {"X - абсцисса выбранного тела, м.", "X - abscissa of the chosen body, m."}},
    {V::Y,
     "Y",
     "Text41",
     "Y",
     m,
     {"Y - ордината выбранного тела, м.", "Y - ordinate of the chosen body, m."}},
    {V::VX,
     "VX",
     "Text32",
     "VX",
     m_s,
     {"VX - скорость выбранного тела по оси X, м/с.",
      "VX - speed of the chosen body along the X axis, m/s."}},
    {V::VY,
     "VY",
     "Text42",
     "VY",
     m_s,
     {"VY - скорость выбранного тела по оси Y, м/с.",
      "VY - speed of the chosen body along the Y axis, m/s."}},
    {V::FX,
     "FX",
     "Text33",
     "FX",
     N,
     {"FX - полная сила по оси X, н.", "FX - whole force along the X axis, N."}},
    {V::FY,
     "FY",
     "Text43",
     "FY",
     N,
     {"FY - полная сила по оси Y, н.", "FY - whole force along the Y axis, N."}},
    {V::Fm, "Fm", "Text34", "Fm", N, {"Fm - сила тяготения, н.", "Fm - force of gravitation, N."}},
    {V::Fq, "Fq", "Text44", "Fq", N, {"Fq - электрическая сила, н.", "Fq - electric force, N."}},
    {V::Fj1,
     "Fj1",
     "Text35",
     "Fj1",
     N,
     {"Fj1 - сила вязкого трения бусины Fj1=Kj1*VR1, н;",
      "Fj1 - force of the bead's viscous friction Fj1=Kj1*VR1, N;"}},
    {V::Dfi,
     "Dfi",
     "Text45",
     "Dfi",
     rad,
     {"Dfi - точность численного поиска угла на циклоиде, радианы;",
      "Dfi - precision of the numerical search of the angle on the cycloid, radians;"}},
    {V::Xfin,
     "Xfin",
     "Text35",
     "Xfin",
     m,
     {"с флажком «X,Y» - абсцисса, где траектория закончилась, м.",
      "with the check box “X,Y”, the abscissa where the trajectory finished, m."}},
    {V::Yfin,
     "Yfin",
     "Text45",
     "Yfin",
     m,
     {"с флажком «X,Y» - ордината, где траектория закончилась, м.",
      "with the check box “X,Y”, the ordinate where the trajectory finished, m."}},
    {V::Lmax,
     "Lmax",
     "Text36",
     "Lmax",
     m,
     {"Lmax - длина пути до конечной точки, м.", "Lmax - length of the path to the end point, m."}},
    {V::EC1,
     "EC1",
     "Text46",
     "EC1",
     J,
     {"EC1 - упругая энергия бусины, Дж.", "EC1 - elastic energy of the bead, J."}},
    {V::Ev, "Ev", "Text37", "Ev", J, {"Ev - кинетическая энергия, Дж.", "Ev - kinetic energy, J."}},
    {V::E,
     "E",
     "Text47",
     "E",
     J,
     {"E - полная энергия, сумма запасённой и рассеянной, Дж: для контроля решения она должна "
      "оставаться близкой к E0.",
      "E - whole energy, the sum of the stored and the dissipated, J: as a check of the "
      "solution it must stay close to E0."}},
    {V::Em,
     "Em",
     "Text38",
     "Em",
     J,
     {"Em - потенциальная энергия тяготения, Дж.", "Em - potential energy of gravitation, J."}},
    {V::E0,
     "E0",
     "Text48",
     "E0",
     J,
     {"E0 - полная энергия в начале опыта, Дж.",
      "E0 - whole energy at the beginning of the experiment, J."}},
    {V::Eq,
     "Eq",
     "Text39",
     "Eq",
     J,
     {"Eq - потенциальная энергия электрического поля, Дж.",
      "Eq - potential energy of the electric field, J."}},
    {V::Ej1,
     "Ej1",
     "Text49",
     "Ej1",
     J,
     {"Ej1 - энергия, рассеянная вязким трением бусины, Дж.",
      "Ej1 - energy dissipated by the bead's viscous friction, J."}},
    {V::T, "T", "Text60", "T", s, {"T - время опыта, с.", "T - time of the experiment, s."}},
    {V::ttR,
     "ttR",
     "Text6",
     "ttR",
     s,
     {"ttR - выигрыш хода часов от ослабления тяготения с высотой, с.",
      "ttR - gain of the clock's rate from the weakening of gravitation with height, s."}},
    {V::ttV,
     "ttV",
     "Text27",
     "dTv",
     s,
     {"ttV (dTv) - потеря хода часов от скорости, с.",
      "ttV (dTv) - loss of the clock's rate from the speed, s."}},
    {V::dT,
     "dT",
     "Text28",
     "dT",
     s,
     {"tt (dT) = ttR + ttV - полный выигрыш хода часов, с.",
      "tt (dT) = ttR + ttV - whole gain of the clock's rate, s."}},
    {V::R2,
     "R2",
     "Text14",
     "R2",
     m,
     {"R2 - радиус окружности, которая катится по горизонтали и описывает циклоиду, м; "
      "вычисляется при старте.",
      "R2 - radius of the circle that rolls along the horizontal and describes the cycloid, m; "
      "computed at the start."}},
    {V::fiN2,
     "fiN2",
     "Text31",
     "fiN2",
     rad,
     "",
     {"Начальный угол циклоиды fiN2, радианы: после старта или показа траекторий - в окошке "
      "«X».",
      "Start angle of the cycloid fiN2, radians: after a start or a preview, in the box “X”."}},
    {V::fiK2_rod,
     "fiK2_rod",
     "Text41",
     "fiK2",
     rad,
     "",
     {"Конечный угол циклоиды fiK2, каким его построил старт, радианы: в окошке «Y».",
      "End angle of the cycloid fiK2 as the start built it, radians: in the box “Y”."}},
    {V::K3,
     "K3",
     "Text26",
     "K3",
     {"1/м", "1/m"},
     {"K3 - коэффициент параболы X3=X30+K3*(Y30-Y3)^2, 1/м; вычисляется при старте.",
      "K3 - coefficient of the parabola X3=X30+K3*(Y30-Y3)^2, 1/m; computed at the start."}},
    {V::R4,
     "R4",
     "Text15",
     "R4",
     m,
     {"R4 - радиус дуги, м; вычисляется при старте.",
      "R4 - radius of the arc, m; computed at the start."}},
    {V::Y40,
     "Y40",
     "Text52",
     "Y40",
     m,
     {"Y40 - ордината центра дуги второй формы, м; вычисляется при старте.",
      "Y40 - ordinate of the centre of the arc of the second form, m; computed at the start."}},
    {V::al1v,
     "al1v",
     "Text31",
     "al1v",
     deg,
     {"После «V0» - наклон прямой в начальной точке, градусы.",
      "After “V0”, the slope of the line at the start point, degrees."}},
    {V::al2v,
     "al2v",
     "Text32",
     "al2v",
     deg,
     {"После «V0» - наклон циклоиды в начальной точке, градусы.",
      "After “V0”, the slope of the cycloid at the start point, degrees."}},
    {V::al3v,
     "al3v",
     "Text33",
     "al3v",
     deg,
     {"После «V0» - наклон параболы в начальной точке, градусы.",
      "After “V0”, the slope of the parabola at the start point, degrees."}},
    {V::al4v,
     "al4v",
     "Text34",
     "al4v",
     deg,
     {"После «V0» - наклон дуги в начальной точке, градусы.",
      "After “V0”, the slope of the arc at the start point, degrees."}},
};

// The light rays' values: for each ray its layer, abscissa, angle, sine,
// speed of light and time, in boxes Text34..Text39 and Text44..Text49.
struct RayValue {
  const char* name;
  Words caption;
  Words unit;
  Words about;
};
constexpr RayValue kRay[] = {
    {"layer",
     {"слой", "layer"},
     "",
     {"номер границы слоёв, до которой луч дошёл последней",
      "number of the layers' boundary the ray reached last"}},
    {"x", "x", m, {"абсцисса луча на этой границе, м", "abscissa of the ray at that boundary, m"}},
    {"angle",
     {"угол", "angle"},
     deg,
     {"угол преломления на этой границе, градусы",
      "angle of refraction at that boundary, degrees"}},
    {"sin", "sin", "", {"синус угла преломления", "sine of the angle of refraction"}},
    {"speed",
     {"скорость", "speed"},
     m_s,
     {"скорость света в слое, м/с (скорость в пустоте принята за 1 м/с)",
      "speed of light in the layer, m/s (the speed in vacuum is taken as 1 m/s)"}},
    {"time", {"время", "time"}, s, {"время хода луча, с", "time of travel of the ray, s"}}};
constexpr Words kExperimentLight{"Опыт «Свет», луч ", "Experiment “Light”, ray "};

// The result table: a row per trajectory, a column per value.
constexpr Words kTrajectory[] = {{"прямая", "line"},
                                 {"циклоида", "cycloid"},
                                 {"парабола", "parabola"},
                                 {"дуга", "arc"},
                                 {"свободное тело", "free body"}};
struct Column {
  V first;
  const char* name;
  const char* caption;
  Words unit;
  int box;  // the box of trajectory 1; the others follow
  Words what;
};
constexpr Column kColumns[] = {
    {V::T1,
     "T",
     "T",
     s,
     61,
     {"время движения от начальной точки до конечной, с",
      "time of motion from the start point to the end point, s"}},
    {V::ColMV1,
     "ColMV",
     "m1 * V",
     "",
     66,
     {"интеграл импульса m1*V до конечной точки (или среднее, флажок над столбцом)",
      "integral of the momentum m1*V to the end point (or the average, check box above the "
      "column)"}},
    {V::ColTmU1,
     "ColTmU",
     "T -- U",
     "",
     71,
     {"интеграл T - U, разности кинетической и потенциальной энергий (или среднее, флажок над "
      "столбцом)",
      "integral of T - U, the difference of the kinetic and potential energies (or the "
      "average, check box above the column)"}},
    {V::ColT1,
     "ColT",
     "T",
     "",
     76,
     {"интеграл кинетической энергии T (или среднее, флажок над столбцом)",
      "integral of the kinetic energy T (or the average, check box above the column)"}},
    {V::ColTpU1,
     "ColTpU",
     "T + U",
     "",
     81,
     {"интеграл T + U, суммы кинетической и потенциальной энергий (или среднее, флажок над "
      "столбцом)",
      "integral of T + U, the sum of the kinetic and potential energies (or the average, "
      "check box above the column)"}},
};

// Words made of parts in each language.
template <class F>
Words compose(F&& part) {
  static std::deque<std::string> texts;  // the made-up names and tips live here
  return {texts.emplace_back(part(Language::ru)).c_str(),
          texts.emplace_back(part(Language::en)).c_str()};
}
const char* keep(std::string s) {
  static std::deque<std::string> texts;
  return texts.emplace_back(std::move(s)).c_str();
}

std::vector<ValueRow> buildTable() {
  std::vector<ValueRow> table(kValueCount);
  for (const ValueRow& r : kRows) table[size_t(r.id)] = r;
  for (const Column& c : kColumns) {
    for (int i = 1; i <= 5; ++i) {
      const V v = tableValue(c.first, i);
      const std::string n = std::to_string(i);
      const Words tip = compose([&](Language l) {
        return "T" + n + ", " + kTrajectory[i - 1].in(l) + ": " + c.what.in(l) + ".";
      });
      // The time column's cells are T1..T5, as the rows are captioned.
      const Words caption = c.first == V::T1 ? Words(keep("T" + n)) : Words(c.caption);
      table[size_t(v)] = {v,       keep(c.name + n), keep("Text" + std::to_string(c.box + i - 1)),
                          caption, c.unit,           tip};
    }
  }
  for (int ray = 1; ray <= 2; ++ray) {
    for (int k = 0; k < 6; ++k) {
      const V v = V(int(V::ray1_layer) + (ray - 1) * 6 + k);
      const int box = (ray == 1 ? 34 : 44) + k;
      const Words about = compose([&](Language l) {
        return kExperimentLight.in(l) + std::to_string(ray) + ": " + kRay[k].about.in(l) + ".";
      });
      table[size_t(v)] = {v,
                          keep("ray" + std::to_string(ray) + "_" + kRay[k].name),
                          keep("Text" + std::to_string(box)),
                          kRay[k].caption,
                          kRay[k].unit,
                          "",
                          about};
    }
  }
  return table;
}

}  // namespace

std::span<const ValueRow> valueTable() {
  static const std::vector<ValueRow> table = buildTable();
  return table;
}

std::optional<V> valueByName(std::string_view name) {
  for (const ValueRow& r : valueTable())
    if (name == r.name) return r.id;
  return std::nullopt;
}

std::vector<V> ShownValues::takeChanged() {
  std::vector<V> out;
  out.swap(order_);
  for (V v : out) changed_[size_t(v)] = false;
  return out;
}

void ShownValues::changed(V v) {
  changed_[size_t(v)] = true;
  order_.push_back(v);
}

void ShownValues::clear(V v) {
  const size_t k = size_t(v);
  if (state_[k] == kNone) return;
  state_[k] = kNone;
  if (!changed_[k]) changed(v);
}

}  // namespace lumet
