#include "model/messages.h"

#include <iterator>

namespace lumet {

namespace {

struct Entry {
  Msg id;
  const char* ru;
  const char* en;
};

// Every message's text in Russian and in English; {0}, {1}, ... stand for its
// arguments.
constexpr Entry kCatalogue[] = {
    {Msg::Text, "{0}", "{0}"},
    {Msg::Quoted, "«{0}»", "“{0}”"},
    {Msg::Either, "{0}", "{1}"},

    {Msg::BadData, "Введите правильно данные", "Enter the data correctly"},
    {Msg::SolveError, "Ошибка решения уравнений", "Error solving the equations"},
    {Msg::ZeroAtInfinity, "Эта функция только для всех монополей кроме var1+",
     "This function is only for all monopoles except var1+"},
    {Msg::FlatYn, "В плоском поле Yn должно быть выше -Rz", "In a flat field Yn must be above -Rz"},
    {Msg::XnXk, "Xn должно быть всегда меньше Xk", "Xn must always be less than Xk"},
    {Msg::FlatConst, "Вариант плоского поля при Yn <= -Rz не возможен",
     "A flat field is not possible with Yn <= -Rz"},
    {Msg::Mass3, "При наличии m3 предусмотрен только вариант движения  в поле ))var2-",
     "With m3 only the motion in the field ))var2- is provided for"},
    {Msg::Scales,
     "                Несовместимость параметров, что при\r\n"
     "заданных масштабах не позволяет вывести их на зкран",
     "                Incompatible parameters: at the\r\n"
     "given scales they cannot be shown on the screen"},
    {Msg::CycloidYn, "При Yn=Yk не возможно построить циклоиду",
     "A cycloid cannot be built with Yn=Yk"},
    {Msg::CycloidNotFound,
     " Если хотите получить циклоиду для 2-ой траектории то\r\n"
     "УМЕНЬШИТЕ конечное значение угла циклоиды fiK или\r\n"
     "               если Yk2 примерно равно Yn2\r\n"
     "УМЕНЬШИТЕ конечное значение ординаты Yk2 ",
     " If you want a cycloid for the 2nd trajectory,\r\n"
     "DECREASE the end angle fiK of the cycloid, or,\r\n"
     "               if Yk2 is about equal to Yn2,\r\n"
     "DECREASE the end ordinate Yk2 "},
    {Msg::CycloidBent,
     " Если хотите получить для 2-ой траектории циклоиду прогнутую вниз то\r\n"
     "УВЕЛИЧЬТЕ конечное значение угла fiK циклоиды или\r\n"
     "УВЕЛИЧЬТЕ конечное значение ординаты Yk2",
     " If you want a cycloid bent downwards for the 2nd trajectory,\r\n"
     "INCREASE the end angle fiK of the cycloid, or\r\n"
     "INCREASE the end ordinate Yk2"},
    {Msg::CycloidFinest,
     "Точнее искать угол на циклоиде нельзя: меньший шаг Dfi потерялся бы в округлении чисел",
     "The angle on the cycloid cannot be sought more finely: a smaller step Dfi would be "
     "lost in the rounding of numbers"},
    {Msg::CycloidCoarsest,
     "Грубее искать угол на циклоиде нельзя: шаг Dfi стал бы больше полного оборота круга 2*Pi",
     "The angle on the cycloid cannot be sought more coarsely: a step Dfi would be larger than "
     "a whole turn of the circle, 2*Pi"},
    {Msg::ParabolaYk, "Сделайте Yk3 меньше Yn3", "Make Yk3 less than Yn3"},
    {Msg::ParabolaX30, "Сделайте X30 больше (Xn3 + Xk3)/2", "Make X30 greater than (Xn3 + Xk3)/2"},
    {Msg::ArcYk, "Yk4 не должно быть для дуги точно равно Yn4",
     "For the arc Yk4 must not be exactly equal to Yn4"},
    {Msg::ArcX40, " X40 не должно быть точно равно (Xn4+Xk4)/2",
     " X40 must not be exactly equal to (Xn4+Xk4)/2"},
    {Msg::PreviewScale, "Увеличьте масштаб изображения", "Increase the scale of the picture"},
    {Msg::PreviewError, "Ошибка", "Error"},
    {Msg::LightContinue, "ПРОДОЛЖИТЬ ДВИЖЕНИЕ", "CONTINUE THE MOTION"},
    {Msg::LightAbscissa,
     "   Значение одной из абсцис получилось очень большое, что при\r\n"
     "заданных масштабах не позволяет вывести изображение на зкран",
     "   One of the abscissas came out very large: at the\r\n"
     "given scales the picture cannot be shown on the screen"},
    {Msg::LightError, "Не понятная ошибка при решении", "An unclear error in the solution"},
    {Msg::StartFirst, "Сначала начните эксперимент: нажмите «Начать эксперимент».",
     "Start the experiment first: press “Start experiment”."},
    {Msg::WriteFailed, "Ошибка записи в файл\r\n{0}: {1}", "Error writing to the file\r\n{0}: {1}"},

    {Msg::NotANumber, "не число", "not a number"},
    {Msg::NotInt16, "не целое число от -32768 до 32767", "not a whole number from -32768 to 32767"},
    {Msg::ZeroNotAllowed, "0 не допускается", "0 is not allowed"},
    {Msg::TooSmall, "слишком мало", "too small"},
    {Msg::PowerTooLarge, "с этой степенью десяти число слишком велико",
     "with this power of ten the number is too large"},

    {Msg::NoSuchFile, "нет такого файла или папки", "no such file or folder"},
    {Msg::NoPermission, "нет прав доступа", "permission denied"},
    {Msg::IsFolder, "это папка, а не файл", "it is a folder, not a file"},
    {Msg::DiskFull, "нет места на диске", "no space left on the disk"},
    {Msg::QuotaExceeded, "исчерпана дисковая квота", "disk quota exceeded"},
    {Msg::ReadOnlyDisk, "диск только для чтения", "the disk is read-only"},
    {Msg::FileTooLarge, "файл слишком велик", "the file is too large"},
    {Msg::NameTooLong, "слишком длинное имя файла", "the file name is too long"},
    {Msg::FileInPath, "в пути есть файл вместо папки",
     "a file stands in the path instead of a folder"},
    {Msg::LinkLoop, "слишком много уровней символических ссылок",
     "too many levels of symbolic links"},
    {Msg::FileExists, "файл уже существует", "the file already exists"},
    {Msg::FileBusy, "файл или устройство занято", "the file or device is busy"},
    {Msg::ProgramBusy, "файл занят: это исполняемая программа",
     "the file is busy: it is a running program"},
    {Msg::TooManyOpenHere, "программа открыла слишком много файлов",
     "the program has too many files open"},
    {Msg::TooManyOpen, "в системе открыто слишком много файлов",
     "too many files are open in the system"},
    {Msg::NoReader, "нет устройства или у канала нет читателя",
     "no device, or the pipe has no reader"},
    {Msg::TryAgain, "ресурс временно недоступен", "the resource is temporarily unavailable"},
    {Msg::NotRegularFile, "это не обычный файл", "it is not a regular file"},
    {Msg::IoError, "ошибка ввода-вывода", "input/output error"},
    {Msg::InvalidArgument, "недопустимый аргумент", "invalid argument"},
    {Msg::NoMemory, "не хватает памяти", "not enough memory"},
    {Msg::OtherDisk, "файлы на разных дисках", "the files are on different disks"},
    {Msg::NoDevice, "нет такого устройства", "no such device"},
    {Msg::BadDescriptor, "неверный дескриптор файла", "bad file descriptor"},
    {Msg::Interrupted, "прервано сигналом", "interrupted by a signal"},
    {Msg::StaleFile, "файл на сетевом диске больше недоступен",
     "the file on the network disk is no longer available"},
    {Msg::TooManyLinks, "слишком много ссылок", "too many links"},
    {Msg::ValueTooLarge, "значение слишком велико", "the value is too large"},
    {Msg::ErrorCode, "ошибка с кодом {0}", "error with code {0}"},

    {Msg::SetupRefused, "Не удалось открыть установку {0}: {1}.",
     "Could not open the set-up {0}: {1}."},
    {Msg::SetupTooBig, "файл больше 1 МБ", "the file is larger than 1 MB"},
    {Msg::SetupEmpty, "файл пуст", "the file is empty"},
    {Msg::SetupTooDeep, "вложенность глубже {0} уровней", "nesting deeper than {0} levels"},
    {Msg::SetupKeyTwice, "ключ {0} повторяется", "the key {0} is repeated"},
    {Msg::SetupTruncated, "файл оборван: JSON не закончен",
     "the file breaks off: the JSON is not finished"},
    {Msg::SetupNotJson, "это не JSON (ошибка в строке {0}, позиция {1})",
     "this is not JSON (error at line {0}, position {1})"},
    {Msg::SetupNumberTooLarge, "в файле число, слишком большое для компьютера",
     "the file holds a number too large for the computer"},
    {Msg::SetupNotObject, "это не установка Lumet: в файле не объект JSON",
     "this is not a Lumet set-up: the file holds no JSON object"},
    {Msg::SetupNoFormat, "это не установка Lumet: нет ключа «format»",
     "this is not a Lumet set-up: there is no key “format”"},
    {Msg::SetupFormatNotText, "это не установка Lumet: значение «format» не строка",
     "this is not a Lumet set-up: the value of “format” is not a string"},
    {Msg::SetupOtherFormat, "это не установка Lumet: формат {0} вместо «lumet-setup»",
     "this is not a Lumet set-up: format {0} instead of “lumet-setup”"},
    {Msg::SetupNoVersion, "нет ключа «version»", "there is no key “version”"},
    {Msg::SetupVersionNotInteger, "версия формата должна быть целым числом",
     "the format version must be an integer"},
    {Msg::SetupNewer,
     "установка записана более новой версией Lumet (версия формата {0}, эта программа читает "
     "версию {1})",
     "the set-up was written by a newer version of Lumet (format version {0}, this "
     "program reads version {1})"},
    {Msg::SetupBadVersion, "неверная версия формата {0}", "wrong format version {0}"},
    {Msg::SetupNotText, "значение {0} должно быть строкой", "the value of {0} must be a string"},
    {Msg::SetupTextTooLong, "значение {0} длиннее {1} символов",
     "the value of {0} is longer than {1} characters"},
    {Msg::SetupTwoButtons, "выбраны сразу две кнопки одной рамки: {0} и {1}",
     "two buttons of one frame are selected at once: {0} and {1}"},
    {Msg::SetupNoButton, "в рамке {0} не выбрана ни одна кнопка",
     "no button of the frame {0} is selected"},
    {Msg::SetupControlsNotObject, "значение «controls» должно быть объектом",
     "the value of “controls” must be an object"},
    {Msg::SetupUnknownControl, "неизвестный элемент управления {0}", "unknown control {0}"},
    {Msg::SetupNotInput, "элемент {0} не входит в установку",
     "the control {0} is not part of a set-up"},
    {Msg::SetupNotOnOff, "значение {0} должно быть true или false",
     "the value of {0} must be true or false"},
    {Msg::SetupKDfiNotPositive, "KDfi должно быть положительным числом",
     "KDfi must be a positive number"},
    {Msg::SetupKDfiTooLarge, "KDfi слишком велико для поиска на циклоиде",
     "KDfi is too large for the search on the cycloid"},
    {Msg::SetupKDfiTooSmall, "KDfi слишком мало для поиска на циклоиде",
     "KDfi is too small for the search on the cycloid"},
    {Msg::SetupNotLanguage, "в значении {0} ключ {1} не код языка",
     "in the value of {0} the key {1} is not a language code"},
    {Msg::SetupUnknownKey, "неизвестный ключ {0}", "unknown key {0}"},
    {Msg::SetupParametersNotObject, "значение «parameters» должно быть объектом",
     "the value of “parameters” must be an object"},
    {Msg::SetupUnknownParameter, "неизвестный параметр {0}", "unknown parameter {0}"},
    {Msg::SetupNotChoice, "значение {0} должно быть одним из: {1}",
     "the value of {0} must be one of: {1}"},
    {Msg::SetupControlDescribed, "{0} ({1})", "{0} ({1})"},

    {Msg::SaveFailed, "Не удалось сохранить {0} «{1}»: {2}.", "Could not save the {0} “{1}”: {2}."},
    {Msg::ReplaceFile, "Файл «{0}» уже есть. Заменить его?",
     "The file “{0}” already exists. Replace it?"},
    {Msg::WhatSetup, "установку", "set-up"},
    {Msg::WhatPicture, "рисунок", "picture"},
    {Msg::WhatResults, "таблицу результатов", "result table"},
    {Msg::PictureNotEncoded, "его не удалось записать в формате PNG",
     "it could not be written as PNG"},

    {Msg::SeriesNoParameter, "{0} - не числовой параметр установки",
     "{0} is not a number parameter of the set-up"},
    {Msg::SeriesBound, "Границы серии «от» и «до» должны быть числами",
     "The bounds “from” and “to” of the series must be numbers"},
    {Msg::SeriesCount, "Число опытов должно быть целым числом от 1 до 100000",
     "The number of runs must be a whole number from 1 to 100000"},
    {Msg::SeriesLogBound, "При логарифмическом шаге обе границы серии должны быть больше 0",
     "With logarithmic spacing both bounds of the series must be above 0"},
    {Msg::SeriesLimit, "Предел времени опыта должен быть положительным числом, с",
     "The time limit of a run must be a positive number of seconds"},
    {Msg::SeriesRefused, "Опыт не начинается ни при одном значении {0}: {1}",
     "The experiment does not start for any value of {0}: {1}"},
    {Msg::WhatSeriesTable, "таблицу серии", "series table"},
    {Msg::WhatSeriesGraph, "график серии", "series graph"},

    // The form's own words.
    {Msg::FormCentimetres, "см", "cm"},
    {Msg::FormTimeAxis, "T/Mt, см", "T/Mt, cm"},
    {Msg::FormTrajectories, "траектория", "trajectory"},

    // The menu of languages: its title in every language at once, each
    // language by its own name.
    {Msg::Language, "Язык", "Language"},
    {Msg::LanguageName, "Русский", "English"},
    {Msg::LanguageTip, "Окно, сообщения и описание Lumet на русском языке",
     "Lumet's window, messages and manual in English"},
};

static_assert(std::size(kCatalogue) == size_t(Msg::Count), "a text for every message");

constexpr bool inOrder() {
  for (size_t k = 0; k < std::size(kCatalogue); ++k)
    if (kCatalogue[k].id != Msg(k)) return false;
  return true;
}
static_assert(inOrder(), "the catalogue stands in the order of Msg");

const char* textIn(Msg id, Language language) {
  const Entry& e = kCatalogue[size_t(id)];
  return language == Language::en ? e.en : e.ru;
}

}  // namespace

Message inQuotes(std::string_view s, size_t limit) {
  std::string out;
  size_t n = 0;
  for (size_t k = 0; k < s.size(); ++k) {
    const unsigned char ch = s[k];
    if ((ch & 0xC0) != 0x80 && ++n > limit) {
      out += "…";
      break;
    }
    out += ch < 0x20 || ch == 0x7F ? '?' : char(ch);
  }
  return Message(Msg::Quoted, std::move(out));
}

std::optional<Msg> messageByEnglish(std::string_view text) {
  for (const Entry& e : kCatalogue)
    if (text == e.en) return e.id;
  return std::nullopt;
}

Message either(const Words& words) { return Message(Msg::Either, words.ru, words.en); }

std::string textOf(const Message& m, Language language) {
  if (m.id == Msg::Text) return m.text;
  const std::string_view t = textIn(m.id, language);
  std::string out;
  for (size_t k = 0; k < t.size(); ++k) {
    // {d}: the argument d, when the message has it.
    if (t[k] == '{' && k + 2 < t.size() && t[k + 1] >= '0' && t[k + 1] <= '9' && t[k + 2] == '}') {
      const size_t arg = size_t(t[k + 1] - '0');
      if (arg < m.args.size()) out += textOf(m.args[arg], language);
      k += 2;
      continue;
    }
    out += t[k];
  }
  return out;
}

}  // namespace lumet
