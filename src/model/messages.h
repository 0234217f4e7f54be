// The laboratory's own texts for its message boxes, exactly as the user sees
// them (title "Lumet").
#pragma once

namespace lumet::msg {

inline constexpr const char* kTitle = "Lumet";
inline constexpr const char* kBadData = "Введите правильно данные";
inline constexpr const char* kSolveError = "Ошибка решения уравнений";
inline constexpr const char* kFileError = "Ошибка записи в файл";
inline constexpr const char* kZeroAtInfinity = "Эта функция только для всех монополей кроме var1+";
inline constexpr const char* kFlatYn = "В плоском поле Yn должно быть выше -Rz";
inline constexpr const char* kXnXk = "Xn должно быть всегда меньше Xk";
inline constexpr const char* kFlatConst = "Вариант плоского поля при Yn <= -Rz не возможен";
inline constexpr const char* kMass3 =
    "При наличии m3 предусмотрен только вариант движения  в поле ))var2-";
inline constexpr const char* kScales =
    "                Несовместимость параметров, что при\r\n"
    "заданных масштабах не позволяет вывести их на зкран";
inline constexpr const char* kCycloidYn = "При Yn=Yk не возможно построить циклоиду";
inline constexpr const char* kCycloidNotFound =
    " Если хотите получить циклоиду для 2-ой траектории то\r\n"
    "УМЕНЬШИТЕ конечное значение угла циклоиды fiK или\r\n"
    "               если Yk2 примерно равно Yn2\r\n"
    "УМЕНЬШИТЕ конечное значение ординаты Yk2 ";
inline constexpr const char* kCycloidBent =
    " Если хотите получить для 2-ой траектории циклоиду прогнутую вниз то\r\n"
    "УВЕЛИЧЬТЕ конечное значение угла fiK циклоиды или\r\n"
    "УВЕЛИЧЬТЕ конечное значение ординаты Yk2";
inline constexpr const char* kCycloidFinest =
    "Точнее искать угол на циклоиде нельзя: меньший шаг Dfi потерялся бы в округлении чисел";
inline constexpr const char* kParabolaYk = "Сделайте Yk3 меньше Yn3";
inline constexpr const char* kParabolaX30 = "Сделайте X30 больше (Xn3 + Xk3)/2";
inline constexpr const char* kArcYk = "Yk4 не должно быть для дуги точно равно Yn4";
inline constexpr const char* kArcX40 = " X40 не должно быть точно равно (Xn4+Xk4)/2";
inline constexpr const char* kPreviewScale = "Увеличьте масштаб изображения";
inline constexpr const char* kPreviewError = "Ошибка";
inline constexpr const char* kLightContinue = "ПРОДОЛЖИТЬ ДВИЖЕНИЕ";
inline constexpr const char* kLightAbscissa =
    "   Значение одной из абсцис получилось очень большое, что при\r\n"
    "заданных масштабах не позволяет вывести изображение на зкран";
inline constexpr const char* kLightError = "Не понятная ошибка при решении";
// Stepping or continuing before any experiment has been set up.
inline constexpr const char* kStartFirst =
    "Сначала начните эксперимент: нажмите «Начать эксперимент».";

}  // namespace lumet::msg
