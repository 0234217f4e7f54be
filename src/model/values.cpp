#include "model/values.h"

#include <deque>
#include <string>

namespace lumet {

namespace {

// The values with a row of their own; the result table's 25 follow from its
// rows and columns.
const ValueRow kRows[] = {
    {V::X, "X", "Text31", "X", "м", "X - абсцисса выбранного тела, м."},
    {V::Y, "Y", "Text41", "Y", "м", "Y - ордината выбранного тела, м."},
    {V::VX, "VX", "Text32", "VX", "м/с", "VX - скорость выбранного тела по оси X, м/с."},
    {V::VY, "VY", "Text42", "VY", "м/с", "VY - скорость выбранного тела по оси Y, м/с."},
    {V::FX, "FX", "Text33", "FX", "н", "FX - полная сила по оси X, н."},
    {V::FY, "FY", "Text43", "FY", "н", "FY - полная сила по оси Y, н."},
    {V::Fm, "Fm", "Text34", "Fm", "н", "Fm - сила тяготения, н."},
    {V::Fq, "Fq", "Text44", "Fq", "н", "Fq - электрическая сила, н."},
    {V::Fj1, "Fj1", "Text35", "Fj1", "н", "Fj1 - сила вязкого трения бусины Fj1=Kj1*VR1, н;"},
    {V::Dfi, "Dfi", "Text45", "Dfi", "рад",
     "Dfi - точность численного поиска угла на циклоиде, радианы;"},
    {V::Xfin, "Xfin", "Text35", "Xfin", "м",
     "с флажком «X,Y» - абсцисса, где траектория закончилась, м."},
    {V::Yfin, "Yfin", "Text45", "Yfin", "м",
     "с флажком «X,Y» - ордината, где траектория закончилась, м."},
    {V::Lmax, "Lmax", "Text36", "Lmax", "м", "Lmax - длина пути до конечной точки, м."},
    {V::EC1, "EC1", "Text46", "EC1", "Дж", "EC1 - упругая энергия бусины, Дж."},
    {V::Ev, "Ev", "Text37", "Ev", "Дж", "Ev - кинетическая энергия, Дж."},
    {V::E, "E", "Text47", "E", "Дж",
     "E - полная энергия, сумма запасённой и рассеянной, Дж: для контроля решения она должна "
     "оставаться близкой к E0."},
    {V::Em, "Em", "Text38", "Em", "Дж", "Em - потенциальная энергия тяготения, Дж."},
    {V::E0, "E0", "Text48", "E0", "Дж", "E0 - полная энергия в начале опыта, Дж."},
    {V::Eq, "Eq", "Text39", "Eq", "Дж", "Eq - потенциальная энергия электрического поля, Дж."},
    {V::Ej1, "Ej1", "Text49", "Ej1", "Дж", "Ej1 - энергия, рассеянная вязким трением бусины, Дж."},
    {V::T, "T", "Text60", "T", "с", "T - время опыта, с."},
    {V::ttR, "ttR", "Text6", "ttR", "с",
     "ttR - выигрыш хода часов от ослабления тяготения с высотой, с."},
    {V::ttV, "ttV", "Text27", "dTv", "с", "ttV (dTv) - потеря хода часов от скорости, с."},
    {V::dT, "dT", "Text28", "dT", "с", "tt (dT) = ttR + ttV - полный выигрыш хода часов, с."},
    {V::R2, "R2", "Text14", "R2", "м",
     "R2 - радиус окружности, которая катится по горизонтали и описывает циклоиду, м; "
     "вычисляется при старте."},
    {V::fiN2, "fiN2", "Text31", "fiN2", "рад", "",
     "Начальный угол циклоиды fiN2, радианы: после старта или показа траекторий - в окошке «X»."},
    {V::fiK2_rod, "fiK2_rod", "Text41", "fiK2", "рад", "",
     "Конечный угол циклоиды fiK2, каким его построил старт, радианы: в окошке «Y»."},
    {V::K3, "K3", "Text26", "K3", "1/м",
     "K3 - коэффициент параболы X3=X30+K3*(Y30-Y3)^2, 1/м; вычисляется при старте."},
    {V::R4, "R4", "Text15", "R4", "м", "R4 - радиус дуги, м; вычисляется при старте."},
    {V::Y40, "Y40", "Text52", "Y40", "м",
     "Y40 - ордината центра дуги второй формы, м; вычисляется при старте."},
    {V::al1v, "al1v", "Text31", "al1v", "град",
     "После «V0» - наклон прямой в начальной точке, градусы."},
    {V::al2v, "al2v", "Text32", "al2v", "град",
     "После «V0» - наклон циклоиды в начальной точке, градусы."},
    {V::al3v, "al3v", "Text33", "al3v", "град",
     "После «V0» - наклон параболы в начальной точке, градусы."},
    {V::al4v, "al4v", "Text34", "al4v", "град",
     "После «V0» - наклон дуги в начальной точке, градусы."},
};

// The light rays' values: for each ray its layer, abscissa, angle, sine,
// speed of light and time, in boxes Text34..Text39 and Text44..Text49.
struct RayValue {
  const char* name;
  const char* caption;
  const char* unit;
  const char* about;
};
constexpr RayValue kRay[] = {
    {"layer", "слой", "", "номер границы слоёв, до которой луч дошёл последней"},
    {"x", "x", "м", "абсцисса луча на этой границе, м"},
    {"angle", "угол", "град", "угол преломления на этой границе, градусы"},
    {"sin", "sin", "", "синус угла преломления"},
    {"speed", "скорость", "м/с",
     "скорость света в слое, м/с (скорость в пустоте принята за 1 м/с)"},
    {"time", "время", "с", "время хода луча, с"}};

// The result table: a row per trajectory, a column per value.
constexpr const char* kTrajectory[] = {"прямая", "циклоида", "парабола", "дуга", "свободное тело"};
struct Column {
  V first;
  const char* name;
  const char* caption;
  const char* unit;
  int box;  // the box of trajectory 1; the others follow
  const char* what;
};
constexpr Column kColumns[] = {
    {V::T1, "T", "T", "с", 61, "время движения от начальной точки до конечной, с"},
    {V::ColMV1, "ColMV", "m1 * V", "", 66,
     "интеграл импульса m1*V до конечной точки (или среднее, флажок над столбцом)"},
    {V::ColTmU1, "ColTmU", "T -- U", "", 71,
     "интеграл T - U, разности кинетической и потенциальной энергий (или среднее, флажок над "
     "столбцом)"},
    {V::ColT1, "ColT", "T", "", 76,
     "интеграл кинетической энергии T (или среднее, флажок над столбцом)"},
    {V::ColTpU1, "ColTpU", "T + U", "", 81,
     "интеграл T + U, суммы кинетической и потенциальной энергий (или среднее, флажок над "
     "столбцом)"},
};

std::vector<ValueRow> buildTable() {
  static std::deque<std::string> texts;  // the made-up names and tips live here
  auto keep = [](std::string s) { return texts.emplace_back(std::move(s)).c_str(); };
  std::vector<ValueRow> table(kValueCount);
  for (const ValueRow& r : kRows) table[size_t(r.id)] = r;
  for (const Column& c : kColumns) {
    for (int i = 1; i <= 5; ++i) {
      const V v = tableValue(c.first, i);
      const std::string n = std::to_string(i);
      const std::string tip = "T" + n + ", " + kTrajectory[i - 1] + ": " + c.what + ".";
      // The time column's cells are T1..T5, as the rows are captioned.
      const char* caption = c.first == V::T1 ? keep("T" + n) : c.caption;
      table[size_t(v)] = {v,       keep(c.name + n), keep("Text" + std::to_string(c.box + i - 1)),
                          caption, c.unit,           keep(tip)};
    }
  }
  for (int ray = 1; ray <= 2; ++ray) {
    for (int k = 0; k < 6; ++k) {
      const V v = V(int(V::ray1_layer) + (ray - 1) * 6 + k);
      const int box = (ray == 1 ? 34 : 44) + k;
      const std::string about =
          "Опыт «Свет», луч " + std::to_string(ray) + ": " + kRay[k].about + ".";
      table[size_t(v)] = {v,
                          keep("ray" + std::to_string(ray) + "_" + kRay[k].name),
                          keep("Text" + std::to_string(box)),
                          kRay[k].caption,
                          kRay[k].unit,
                          "",
                          keep(about)};
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
