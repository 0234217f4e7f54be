#include "model/parameters.h"

#include "model/failure.h"
#include "model/numbers.h"

namespace lumet {

namespace {

constexpr ChoiceRow kField[] = {
    {"flat",
     "Option5",
     {"плоское", "flat"},
     {"Плоское поле: перпендикулярно оси абсцисс, сила зависит только от высоты.",
      "Flat field: perpendicular to the abscissa axis, the force depends on the height only."}},
    {"sphere",
     "Option6",
     {"сфера", "sphere"},
     {"Сферическое поле: направлено к центру массы 2.",
      "Spherical field: directed to the centre of mass 2."}},
};
constexpr ChoiceRow kStrength[] = {
    {"const",
     "Option16",
     "const",
     {"Постоянное поле, одинаковое на любом расстоянии.",
      "Constant field, the same at any distance."}},
    {"var",
     "Option17",
     "var",
     {"Переменное поле: сила зависит от расстояния в степени 1 или 2 (рамка «Степень»).",
      "Variable field: the force depends on the distance to the power 1 or 2 (frame "
      "“Power”)."}},
};
constexpr ChoiceRow kSign[] = {
    {"+",
     "Option18",
     "+",
     {"Знак степени «+»: сила растёт с расстоянием, как у растянутой упругой нити.",
      "Sign of the power “+”: the force grows with the distance, as that of a stretched elastic "
      "thread."}},
    {"--",
     "Option19",
     "--",
     {"Знак степени «--»: сила убывает с расстоянием; степень 2 - закон тяготения и закон "
      "Кулона.",
      "Sign of the power “--”: the force falls with the distance; power 2 is the law of "
      "gravitation and Coulomb's law."}},
};
constexpr ChoiceRow kPower[] = {
    {"1",
     "Option10",
     "1",
     {"Степень расстояния 1; в опыте «Свет» - закон K=1+Dn*(i-1).",
      "Power 1 of the distance; in the experiment “Light”, the law K=1+Dn*(i-1)."}},
    {"2",
     "Option11",
     "2",
     {"Степень расстояния 2; в опыте «Свет» - закон K=1+Dn*(i-1)^2.",
      "Power 2 of the distance; in the experiment “Light”, the law K=1+Dn*(i-1)^2."}},
};
constexpr ChoiceRow kFinish[] = {
    {"X>Xk",
     "Option12",
     "X>Xk",
     {"Время траектории измеряется, когда её абсцисса станет больше Xк.",
      "The trajectory's time is taken when its abscissa becomes greater than Xk."}},
    {"X<Xk",
     "Option13",
     "X<Xk",
     {"Время траектории измеряется, когда её абсцисса станет меньше Xк.",
      "The trajectory's time is taken when its abscissa becomes less than Xk."}},
    {"Y>Yk",
     "Option14",
     "Y>Yk",
     {"Время траектории измеряется, когда её ордината станет больше Yк.",
      "The trajectory's time is taken when its ordinate becomes greater than Yk."}},
    {"Y<Yk",
     "Option15",
     "Y<Yk",
     {"Время траектории измеряется, когда её ордината станет меньше Yк.",
      "The trajectory's time is taken when its ordinate becomes less than Yk."}},
};
constexpr ChoiceRow kIntegral[] = {
    {"time",
     "Option8",
     {"время", "time"},
     {"Интегралы таблицы берутся по времени.", "The table's integrals are taken over time."}},
    {"path",
     "Option9",
     {"путь", "path"},
     {"Интегралы таблицы берутся по пути; интеграл m1*V по пути - действие по Мопертюи.",
      "The table's integrals are taken along the path; the integral of m1*V along the path is "
      "Maupertuis' action."}},
};
constexpr ChoiceRow kShown[] = {
    {"1",
     "Option1",
     {"1-прямая", "1-line"},
     {"Окошки под правой картинкой и нижняя картинка показывают прямую.",
      "The boxes under the right picture and the lower picture show the line."}},
    {"2",
     "Option2",
     {"2-циклоида", "2-cycloid"},
     {"Окошки под правой картинкой и нижняя картинка показывают циклоиду.",
      "The boxes under the right picture and the lower picture show the cycloid."}},
    {"3",
     "Option3",
     {"3-парабола", "3-parabola"},
     {"Окошки под правой картинкой и нижняя картинка показывают параболу.",
      "The boxes under the right picture and the lower picture show the parabola."}},
    {"4",
     "Option4",
     {"4-дуга", "4-arc"},
     {"Окошки под правой картинкой и нижняя картинка показывают дугу.",
      "The boxes under the right picture and the lower picture show the arc."}},
    {"5",
     "Option7",
     "5-",
     {"Окошки под правой картинкой и нижняя картинка показывают свободное тело.",
      "The boxes under the right picture and the lower picture show the free body."}},
};

using K = ParamKind;

// A number, a 16-bit integer, a switch and a choice, as rows of the table.
constexpr ParamRow number(P id, const char* name, const char* box, Words caption, Words unit,
                          const char* initial, Words tip) {
  return {id, name, K::Number, box, caption, unit, tip, initial, {}};
}
constexpr ParamRow int16(P id, const char* name, const char* box, Words caption,
                         const char* initial, Words tip) {
  return {id, name, K::Int16, box, caption, "", tip, initial, {}};
}
constexpr ParamRow onOff(P id, const char* name, const char* box, Words caption, bool on,
                         Words tip) {
  return {id, name, K::Switch, box, caption, "", tip, on ? "1" : "", {}};
}
constexpr ParamRow choice(P id, const char* name, const char* box, Words caption,
                          std::span<const ChoiceRow> words, const char* initial) {
  return {id, name, K::Choice, box, caption, "", "", initial, words};
}

// Units in both languages.
constexpr Words kg{"кг", "kg"}, C{"к", "C"}, m{"м", "m"}, N{"н", "N"}, rad{"рад", "rad"},
    s{"с", "s"}, N_m{"н/м", "N/m"}, Ns_m{"н*с/м", "N*s/m"}, m_s{"м/с", "m/s"}, s_cm{"с/см", "s/cm"},
    per_s{"1/с", "1/s"}, u_cm{"ед/см", "u/cm"}, m_cm{"м/см", "m/cm"};

constexpr ParamRow kTable[] = {
    number(P::m1, "m1", "Text1", "m1", kg, "1e-21",
           {"m1 - масса тела 1, кг; число умножается на 10 в степени из окошка «* 10 ^». Масса m1 "
            "не может быть нулевой.",
            "m1 - mass of body 1, kg; the number is multiplied by 10 to the power in the box "
            "“* 10 ^”. The mass m1 cannot be zero."}),
    number(P::m2, "m2", "Text11", "m2", kg, "5976",
           {"m2 - масса тела 2, создающего поле, кг; число умножается на 10 в степени из окошка "
            "«* 10 ^». По умолчанию - масса Земли.",
            "m2 - mass of body 2, which makes the field, kg; the number is multiplied by 10 to "
            "the power in the box “* 10 ^”. By default, the mass of the Earth."}),
    int16(P::ExpM, "ExpM", "Text21", "* 10 ^", "21",
          {"Показатель степени десяти для обеих масс m1 и m2.",
           "The power of ten for both masses m1 and m2."}),
    number(P::q1, "q1", "Text2", "q1", C, "-5",
           {"q1 - заряд тела 1, кулоны (к); число умножается на 10 в степени из окошка «* 10 ^».",
            "q1 - charge of body 1, coulombs (C); the number is multiplied by 10 to the power in "
            "the box “* 10 ^”."}),
    number(P::q2, "q2", "Text12", "q2", C, "5",
           {"q2 - заряд тела 2, кулоны (к); число умножается на 10 в степени из окошка «* 10 ^».",
            "q2 - charge of body 2, coulombs (C); the number is multiplied by 10 to the power in "
            "the box “* 10 ^”."}),
    int16(P::ExpQ, "ExpQ", "Text22", "* 10 ^", "-4",
          {"Показатель степени десяти для обоих зарядов q1 и q2.",
           "The power of ten for both charges q1 and q2."}),
    number(P::Rz, "Rz", "Text13", "Rz", m, "6378",
           {"Rz - радиус массы 2, м; число умножается на 10 в степени из окошка «* 10 ^». Центр "
            "массы 2 стоит в точке X = 0, Y = -Rz; расстояние Rz от него - нулевой уровень "
            "потенциальной энергии.",
            "Rz - radius of mass 2, m; the number is multiplied by 10 to the power in the box "
            "“* 10 ^”. The centre of mass 2 stands at X = 0, Y = -Rz; the distance Rz from it is "
            "the zero level of the potential energy."}),
    int16(P::ExpRz, "ExpRz", "Text23", "* 10 ^", "3",
          {"Показатель степени десяти для Rz.", "The power of ten for Rz."}),
    number(P::C1, "C1", "Text4", "C1", N_m, "10",
           {"C1 - жёсткость упругой бусины на стержне, н/м: чем жёстче бусина, тем точнее тело "
            "держится на стержне, но тем меньше должен быть шаг.",
            "C1 - stiffness of the elastic bead on the rod, N/m: the stiffer the bead, the closer "
            "the body keeps to the rod, but the smaller the step must be."}),
    number(P::KRz3, "KRz3", "Text24", "KRz3", "", "2",
           {"KRz3 - множитель: масса 3 стоит на оси абсцисс в точке X = KRz3 * Rz (флажок «m3, "
            "q3»).",
            "KRz3 - factor: mass 3 stands on the abscissa axis at X = KRz3 * Rz (check box "
            "“m3, q3”)."}),
    number(P::Kj1, "Kj1", "Text5", "Kj1", Ns_m, "0.1",
           {"Kj1 - внутреннее вязкое трение бусины, н*с/м: гасит колебания её деформации.",
            "Kj1 - inner viscous friction of the bead, N*s/m: it damps the oscillations of its "
            "deformation."}),
    number(P::Kj, "Kj", "Text18", "Kj", Ns_m, "0",
           {"Kj - коэффициент вязкого сопротивления среды, н*с/м.",
            "Kj - coefficient of the viscous drag of the medium, N*s/m."}),
    number(P::VXn, "VXn", "Text7", "VX", m_s, "-1460",
           {"VX - начальная скорость по оси X, м/с. Кнопка «V0» пишет сюда составляющую скорости "
            "из окошка «Dn».",
            "VX - start speed along the X axis, m/s. The button “V0” writes here the component of "
            "the speed from the box “Dn”."}),
    number(P::VYn, "VYn", "Text8", "VY", m_s, "8000",
           {"VY - начальная скорость по оси Y, м/с. Кнопка «V0» пишет сюда составляющую скорости "
            "из окошка «Dn».",
            "VY - start speed along the Y axis, m/s. The button “V0” writes here the component of "
            "the speed from the box “Dn”."}),
    number(P::Xn, "Xn", "Text9", {"Xн", "Xn"}, m, "-6378000",
           {"Xн - абсцисса начальной точки, м. В опыте «Свет» - абсцисса, где первый луч "
            "пересекает границу девятого слоя, от -10 до 10 м.",
            "Xn - abscissa of the start point, m. In the experiment “Light”, the abscissa where "
            "the first ray crosses the boundary of the ninth layer, from -10 to 10 m."}),
    number(P::Yn, "Yn", "Text10", {"Yн", "Yn"}, m, "-6378000",
           {"Yн - ордината начальной точки, м.", "Yn - ordinate of the start point, m."}),
    number(P::Xk, "Xk", "Text19", {"Xк", "Xk"}, m, "6165000",
           {"Xк - абсцисса конечной точки траекторий, м. В опыте «Свет» - абсцисса, где второй "
            "луч пересекает границу девятого слоя, от -10 до 10 м.",
            "Xk - abscissa of the trajectories' end point, m. In the experiment “Light”, the "
            "abscissa where the second ray crosses the boundary of the ninth layer, from -10 to "
            "10 m."}),
    number(P::Yk, "Yk", "Text20", {"Yк", "Yk"}, m, "-8000000",
           {"Yк - ордината конечной точки траекторий, м.",
            "Yk - ordinate of the trajectories' end point, m."}),
    number(P::Fx, "Fx", "Text16", "Fx", N, "0",
           {"Fx - постоянная внешняя сила по оси X, н; с флажком «cos» - FX*cos(w*T).",
            "Fx - constant external force along the X axis, N; with the check box “cos”, "
            "FX*cos(w*T)."}),
    number(P::Fy, "Fy", "Text17", "Fy", N, "0",
           {"Fy - постоянная внешняя сила по оси Y, н.",
            "Fy - constant external force along the Y axis, N."}),
    number(P::X30, "X30", "Text30", "X30", m, "7",
           {"X30 - абсцисса вершины параболы второй формы, м; должна быть больше (Xн + Xк)/2.",
            "X30 - abscissa of the vertex of the parabola of the second form, m; it must be "
            "greater than (Xn + Xk)/2."}),
    number(P::X40, "X40", "Text40", "X40", m, "-150000",
           {"X40 - вертикаль X = X40, на которой лежит центр дуги второй формы, м.",
            "X40 - the vertical X = X40 on which the centre of the arc of the second form lies, "
            "m."}),
    number(P::fiK2, "fiK2", "Text41", "fiK2", rad, "3.1416",
           {"До старта - конечный угол fiK2 циклоиды второй формы, радианы.",
            "Before the start, the end angle fiK2 of the cycloid of the second form, radians."}),
    number(P::h, "h", "Text54", {"шаг", "step"}, s, "1",
           {"Шаг h, с которым решаются уравнения движения, с: чем меньше шаг, тем точнее "
            "решение, но тем медленнее опыт.",
            "The step h with which the equations of motion are solved, s: the smaller the step, "
            "the more exact the solution, but the slower the experiment."}),
    number(P::Mt, "Mt", "Text51", "Mt", s_cm, "500",
           {"Mt - масштаб времени нижней картинки, с/см: сколько секунд приходится на сантиметр "
            "её оси времени.",
            "Mt - time scale of the lower picture, s/cm: how many seconds a centimetre of its "
            "time axis stands for."}),
    number(P::w, "w", "Text53", "w", per_s, "0.001",
           {"w - круговая частота внешней силы FX*cos(w*T), 1/с (флажок «cos»).",
            "w - angular frequency of the external force FX*cos(w*T), 1/s (check box “cos”)."}),
    number(P::Dn, "Dn", "Text25", "Dn", "", "0.05",
           {"Dn - для кнопки «V0» полная начальная скорость V0, м/с (0 - взять её из VX и VY); в "
            "опыте «Свет» с флажком «AutoDn» - шаг показателя преломления слоёв.",
            "Dn - for the button “V0”, the whole start speed V0, m/s (0: take it from VX and VY); "
            "in the experiment “Light” with the check box “AutoDn”, the step of the layers' "
            "refractive index."}),
    number(P::colour5, "colour5", "Text50", {"Цвет5", "Col5"}, "", "5",
           {"Цвет свободного тела: цифра от 1 до 5; 1 - 4 дают цвета траекторий с теми же "
            "номерами, 5 - серый.",
            "Col5 - colour of the free body: a digit from 1 to 5; 1 - 4 give the colours of the "
            "trajectories with the same numbers, 5 is grey."}),
    number(P::M, "M", "Text3", "M", u_cm, "5",
           {"M - масштаб нижней картинки, единиц на сантиметр, для всех величин, кроме времени и "
            "координат свободного тела.",
            "M - scale of the lower picture, units (u) per centimetre, for every quantity but the "
            "time and the free body's coordinates."}),
    number(P::Mx, "Mx", "Text29", "Mx", m_cm, "3000000",
           {"Mx - масштаб правой картинки, м/см: сколько метров приходится на сантиметр; "
            "картинка 10 на 10 см, начало координат в её центре.",
            "Mx - scale of the right picture, m/cm: how many metres a centimetre stands for; the "
            "picture is 10 by 10 cm, the origin in its centre."}),
    int16(P::NCf, "NCf", "Text57", {"NC файла", "NC file"}, "10",
          {"NC файла - через сколько шагов пишется запись в файл lumet.dat, пока отмечен флажок "
           "«File».",
           "NC file - every how many steps a record is written to the file lumet.dat while the "
           "check box “File” is ticked."}),
    int16(P::NCg, "NCg", "Text55", {"NC графики", "NC plots"}, "1",
          {"NC графики - через сколько шагов обновляются окошки и картинки: чем больше, тем "
           "быстрее идёт решение.",
           "NC plots - every how many steps the boxes and pictures are refreshed: the more, the "
           "faster the solution goes."}),

    onOff(P::line, "line", "Check1", {"1-прямая", "1-line"}, false,
          {"Масса 1 на прямом стержне от (Xн; Yн) до (Xк; Yк).",
           "Mass 1 on a straight rod from (Xn; Yn) to (Xk; Yk)."}),
    onOff(P::cycloid, "cycloid", "Check2", {"2-циклоида", "2-cycloid"}, false,
          {"Масса 1 на стержне-циклоиде от (Xн; Yн) до (Xк; Yк).",
           "Mass 1 on a cycloid rod from (Xn; Yn) to (Xk; Yk)."}),
    onOff(P::parabola, "parabola", "Check3", {"3-парабола", "3-parabola"}, false,
          {"Масса 1 на стержне-параболе от (Xн; Yн) до (Xк; Yк).",
           "Mass 1 on a parabola rod from (Xn; Yn) to (Xk; Yk)."}),
    onOff(P::arc, "arc", "Check4", {"4-дуга", "4-arc"}, false,
          {"Масса 1 на стержне-дуге окружности от (Xн; Yн) до (Xк; Yк).",
           "Mass 1 on a rod along an arc of a circle from (Xn; Yn) to (Xk; Yk)."}),
    onOff(P::free, "free", "Check5", {"5-нет", "5-none"}, true,
          {"Свободное движение массы 1, без стержня.", "Free motion of mass 1, without a rod."}),
    onOff(P::modified_cycloid, "modified_cycloid", "Check7", "", false,
          {"Вторая форма циклоиды: начинается не с нулевого угла; конечный угол fiK2 вводится в "
           "окошко «Y» под правой картинкой, радианы.",
           "Second form of the cycloid: it does not begin at the zero angle; the end angle fiK2 "
           "is typed into the box “Y” under the right picture, radians."}),
    onOff(P::modified_parabola, "modified_parabola", "Check13", "", false,
          {"Вторая форма параболы, повёрнутая на 90 градусов: Y3=Y30+K3*(X30-X3)^2.",
           "Second form of the parabola, turned by 90 degrees: Y3=Y30+K3*(X30-X3)^2."}),
    onOff(P::modified_arc, "modified_arc", "Check12", "", false,
          {"Вторая форма дуги: проходит через обе точки, центр на вертикали X = X40.",
           "Second form of the arc: it passes through both points, its centre on the vertical "
           "X = X40."}),
    onOff(P::third_body, "third_body", "Check17", "m3, q3", false,
          {"Масса 3 с массой и зарядом массы 2 в точке X = KRz3 * Rz на оси абсцисс (сфера, var, "
           "степень 2, «--»).",
           "Mass 3 with the mass and charge of mass 2 at X = KRz3 * Rz on the abscissa axis "
           "(sphere, var, power 2, “--”)."}),
    onOff(P::zero_at_infinity, "zero_at_infinity", "Check22",
          {"Ep=0 в бесконечности", "Ep=0 at infinity"}, false,
          {"Нулевой уровень потенциальной энергии в бесконечности, а не на поверхности массы 2.",
           "The zero level of the potential energy at infinity, not on the surface of mass 2."}),
    onOff(P::autoDn, "autoDn", "Check14", "AutoDn", false,
          {"AutoDn - показатели преломления слоёв по закону K=1+Dn*(i-1) или K=1+Dn*(i-1)^2 "
           "(опыт «Свет»); при свободном движении - степень расстояния поля из окошка «Dn».",
           "AutoDn - refractive indices of the layers by the law K=1+Dn*(i-1) or "
           "K=1+Dn*(i-1)^2 (experiment “Light”); in free motion, the field's power of the "
           "distance from the box “Dn”."}),
    onOff(P::autoPn, "autoPn", "Check15", "AutoPn", false,
          {"AutoPn - лучи проходят все слои сразу, без вопроса «ПРОДОЛЖИТЬ ДВИЖЕНИЕ» на каждой "
           "границе.",
           "AutoPn - the rays pass every layer at once, without the question “CONTINUE THE "
           "MOTION” at each boundary."}),
    onOff(P::finish_place, "finish_place", "Check16", "X,Y", false,
          {"Окошки Fj1 и Dfi показывают координаты X и Y, в которых траектория закончилась, м.",
           "The boxes Fj1 and Dfi show the coordinates X and Y where the trajectory finished, "
           "m."}),
    onOff(P::euler, "euler", "Check23", {"Эйлер", "Euler"}, false,
          {"Решать простым методом Эйлера вместо метода Рунге-Кутта четвёртого порядка.",
           "Solve by the simple Euler method instead of the fourth-order Runge-Kutta method."}),
    onOff(P::cos, "cos", "Check24", "cos", false,
          {"Внешняя сила по оси X периодическая: FX*cos(w*T), круговая частота w - в окошке «w», "
           "1/с.",
           "The external force along the X axis is periodic: FX*cos(w*T), the angular frequency "
           "w in the box “w”, 1/s."}),
    onOff(P::log, "log", "Check6", "File", false,
          {"Записывать опыт в файл lumet.dat в папке программы: строку параметров при старте и "
           "записи через каждые «NC файла» шагов.",
           "Write the experiment to the file lumet.dat in the program's folder: a line of "
           "parameters at the start and a record every “NC file” steps."}),
    onOff(P::average_m1V, "average_m1V", "Check8", "", false,
          {"Среднее вместо интеграла m1*V: интеграл делится на время движения или на длину пути. "
           "Выбирает и величину для нижней картинки.",
           "The average instead of the integral of m1*V: the integral is divided by the time of "
           "motion or by the length of the path. Also chooses the quantity of the lower "
           "picture."}),
    onOff(P::average_T_minus_U, "average_T_minus_U", "Check9", "", false,
          {"Среднее вместо интеграла T - U: интеграл делится на время движения или на длину "
           "пути. Выбирает и величину для нижней картинки.",
           "The average instead of the integral of T - U: the integral is divided by the time of "
           "motion or by the length of the path. Also chooses the quantity of the lower "
           "picture."}),
    onOff(P::average_T, "average_T", "Check10", "", false,
          {"Среднее вместо интеграла кинетической энергии T: интеграл делится на время движения "
           "или на длину пути. Выбирает и величину для нижней картинки.",
           "The average instead of the integral of the kinetic energy T: the integral is divided "
           "by the time of motion or by the length of the path. Also chooses the quantity of the "
           "lower picture."}),
    onOff(P::average_T_plus_U, "average_T_plus_U", "Check11", "", false,
          {"Среднее вместо интеграла T + U: интеграл делится на время движения или на длину "
           "пути. Выбирает и величину для нижней картинки.",
           "The average instead of the integral of T + U: the integral is divided by the time of "
           "motion or by the length of the path. Also chooses the quantity of the lower "
           "picture."}),
    onOff(P::plot_XY, "plot_XY", "Check18", "", true,
          {"Рисовать на нижней картинке X и Y выбранной траектории в зависимости от времени.",
           "Plot X and Y of the chosen trajectory against time on the lower picture."}),
    onOff(P::plot_V, "plot_V", "Check19", "", false,
          {"Рисовать на нижней картинке VX и VY выбранной траектории в зависимости от времени.",
           "Plot VX and VY of the chosen trajectory against time on the lower picture."}),
    onOff(P::plot_F, "plot_F", "Check20", "", false,
          {"Рисовать на нижней картинке FX и FY выбранной траектории в зависимости от времени.",
           "Plot FX and FY of the chosen trajectory against time on the lower picture."}),
    onOff(P::plot_FmFq, "plot_FmFq", "Check21", "", false,
          {"Рисовать на нижней картинке Fm и Fq выбранной траектории в зависимости от времени.",
           "Plot Fm and Fq of the chosen trajectory against time on the lower picture."}),

    choice(P::field, "field", "Frame3", {"Поле", "Field"}, kField, "sphere"),
    choice(P::strength, "strength", "Frame7", {"Поле", "Field"}, kStrength, "var"),
    choice(P::sign, "sign", "Frame8", "", kSign, "--"),
    choice(P::power, "power", "Frame5", {"Степень", "Power"}, kPower, "2"),
    choice(P::finish, "finish", "Frame6", "Tmax ", kFinish, "X>Xk"),
    choice(P::integral, "integral", "Frame4", {"Интеграл", "Integral"}, kIntegral, "time"),
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
