#include "model/messages.h"

#include <iterator>

namespace lumet {

namespace {

struct Entry {
  Msg id;
  const char* ru;
};

// Every message's text; {0}, {1}, ... stand for its arguments.
constexpr Entry kCatalogue[] = {
    {Msg::Text, "{0}"},
    {Msg::Quoted, "«{0}»"},

    {Msg::BadData, "Введите правильно данные"},
    {Msg::SolveError, "Ошибка решения уравнений"},
    {Msg::ZeroAtInfinity, "Эта функция только для всех монополей кроме var1+"},
    {Msg::FlatYn, "В плоском поле Yn должно быть выше -Rz"},
    {Msg::XnXk, "Xn должно быть всегда меньше Xk"},
    {Msg::FlatConst, "Вариант плоского поля при Yn <= -Rz не возможен"},
    {Msg::Mass3, "При наличии m3 предусмотрен только вариант движения  в поле ))var2-"},
    {Msg::Scales,
     "                Несовместимость параметров, что при\r\n"
     "заданных масштабах не позволяет вывести их на зкран"},
    {Msg::CycloidYn, "При Yn=Yk не возможно построить циклоиду"},
    {Msg::CycloidNotFound,
     " Если хотите получить циклоиду для 2-ой траектории то\r\n"
     "УМЕНЬШИТЕ конечное значение угла циклоиды fiK или\r\n"
     "               если Yk2 примерно равно Yn2\r\n"
     "УМЕНЬШИТЕ конечное значение ординаты Yk2 "},
    {Msg::CycloidBent,
     " Если хотите получить для 2-ой траектории циклоиду прогнутую вниз то\r\n"
     "УВЕЛИЧЬТЕ конечное значение угла fiK циклоиды или\r\n"
     "УВЕЛИЧЬТЕ конечное значение ординаты Yk2"},
    {Msg::CycloidFinest,
     "Точнее искать угол на циклоиде нельзя: меньший шаг Dfi потерялся бы в округлении чисел"},
    {Msg::CycloidCoarsest,
     "Грубее искать угол на циклоиде нельзя: шаг Dfi стал бы больше полного оборота круга 2*Pi"},
    {Msg::ParabolaYk, "Сделайте Yk3 меньше Yn3"},
    {Msg::ParabolaX30, "Сделайте X30 больше (Xn3 + Xk3)/2"},
    {Msg::ArcYk, "Yk4 не должно быть для дуги точно равно Yn4"},
    {Msg::ArcX40, " X40 не должно быть точно равно (Xn4+Xk4)/2"},
    {Msg::PreviewScale, "Увеличьте масштаб изображения"},
    {Msg::PreviewError, "Ошибка"},
    {Msg::LightContinue, "ПРОДОЛЖИТЬ ДВИЖЕНИЕ"},
    {Msg::LightAbscissa,
     "   Значение одной из абсцис получилось очень большое, что при\r\n"
     "заданных масштабах не позволяет вывести изображение на зкран"},
    {Msg::LightError, "Не понятная ошибка при решении"},
    {Msg::StartFirst, "Сначала начните эксперимент: нажмите «Начать эксперимент»."},
    {Msg::WriteFailed, "Ошибка записи в файл\r\n{0}: {1}"},

    {Msg::NotANumber, "не число"},
    {Msg::NotInt16, "не целое число от -32768 до 32767"},
    {Msg::ZeroNotAllowed, "0 не допускается"},
    {Msg::TooSmall, "слишком мало"},
    {Msg::PowerTooLarge, "с этой степенью десяти число слишком велико"},

    {Msg::NoSuchFile, "нет такого файла или папки"},
    {Msg::NoPermission, "нет прав доступа"},
    {Msg::IsFolder, "это папка, а не файл"},
    {Msg::DiskFull, "нет места на диске"},
    {Msg::QuotaExceeded, "исчерпана дисковая квота"},
    {Msg::ReadOnlyDisk, "диск только для чтения"},
    {Msg::FileTooLarge, "файл слишком велик"},
    {Msg::NameTooLong, "слишком длинное имя файла"},
    {Msg::FileInPath, "в пути есть файл вместо папки"},
    {Msg::LinkLoop, "слишком много уровней символических ссылок"},
    {Msg::FileExists, "файл уже существует"},
    {Msg::FileBusy, "файл или устройство занято"},
    {Msg::ProgramBusy, "файл занят: это исполняемая программа"},
    {Msg::TooManyOpenHere, "программа открыла слишком много файлов"},
    {Msg::TooManyOpen, "в системе открыто слишком много файлов"},
    {Msg::NoReader, "нет устройства или у канала нет читателя"},
    {Msg::TryAgain, "ресурс временно недоступен"},
    {Msg::NotRegularFile, "это не обычный файл"},
    {Msg::IoError, "ошибка ввода-вывода"},
    {Msg::InvalidArgument, "недопустимый аргумент"},
    {Msg::NoMemory, "не хватает памяти"},
    {Msg::OtherDisk, "файлы на разных дисках"},
    {Msg::NoDevice, "нет такого устройства"},
    {Msg::BadDescriptor, "неверный дескриптор файла"},
    {Msg::Interrupted, "прервано сигналом"},
    {Msg::StaleFile, "файл на сетевом диске больше недоступен"},
    {Msg::TooManyLinks, "слишком много ссылок"},
    {Msg::ValueTooLarge, "значение слишком велико"},
    {Msg::ErrorCode, "ошибка с кодом {0}"},

    {Msg::SetupRefused, "Не удалось открыть установку {0}: {1}."},
    {Msg::SetupTooBig, "файл больше 1 МБ"},
    {Msg::SetupEmpty, "файл пуст"},
    {Msg::SetupTooDeep, "вложенность глубже {0} уровней"},
    {Msg::SetupKeyTwice, "ключ {0} повторяется"},
    {Msg::SetupTruncated, "файл оборван: JSON не закончен"},
    {Msg::SetupNotJson, "это не JSON (ошибка в строке {0}, позиция {1})"},
    {Msg::SetupNumberTooLarge, "в файле число, слишком большое для компьютера"},
    {Msg::SetupNotObject, "это не установка Lumet: в файле не объект JSON"},
    {Msg::SetupNoFormat, "это не установка Lumet: нет ключа «format»"},
    {Msg::SetupFormatNotText, "это не установка Lumet: значение «format» не строка"},
    {Msg::SetupOtherFormat, "это не установка Lumet: формат {0} вместо «lumet-setup»"},
    {Msg::SetupNoVersion, "нет ключа «version»"},
    {Msg::SetupVersionNotInteger, "версия формата должна быть целым числом"},
    {Msg::SetupNewer,
     "установка записана более новой версией Lumet (версия формата {0}, эта программа читает "
     "версию {1})"},
    {Msg::SetupBadVersion, "неверная версия формата {0}"},
    {Msg::SetupNotText, "значение {0} должно быть строкой"},
    {Msg::SetupTextTooLong, "значение {0} длиннее {1} символов"},
    {Msg::SetupTwoButtons, "выбраны сразу две кнопки одной рамки: {0} и {1}"},
    {Msg::SetupNoButton, "в рамке {0} не выбрана ни одна кнопка"},
    {Msg::SetupControlsNotObject, "значение «controls» должно быть объектом"},
    {Msg::SetupUnknownControl, "неизвестный элемент управления {0}"},
    {Msg::SetupNotInput, "элемент {0} не входит в установку"},
    {Msg::SetupNotOnOff, "значение {0} должно быть true или false"},
    {Msg::SetupKDfiNotPositive, "KDfi должно быть положительным числом"},
    {Msg::SetupKDfiTooLarge, "KDfi слишком велико для поиска на циклоиде"},
    {Msg::SetupKDfiTooSmall, "KDfi слишком мало для поиска на циклоиде"},
    {Msg::SetupUnknownKey, "неизвестный ключ {0}"},
    {Msg::SetupParametersNotObject, "значение «parameters» должно быть объектом"},
    {Msg::SetupUnknownParameter, "неизвестный параметр {0}"},
    {Msg::SetupNotChoice, "значение {0} должно быть одним из: {1}"},
    {Msg::SetupControlDescribed, "{0} ({1})"},

    {Msg::SaveFailed, "Не удалось сохранить {0} «{1}»: {2}."},
    {Msg::ReplaceFile, "Файл «{0}» уже есть. Заменить его?"},
    {Msg::WhatSetup, "установку"},
    {Msg::WhatPicture, "рисунок"},
    {Msg::WhatResults, "таблицу результатов"},
    {Msg::PictureNotEncoded, "его не удалось записать в формате PNG"},
};

static_assert(std::size(kCatalogue) == size_t(Msg::Count), "a text for every message");

constexpr bool inOrder() {
  for (size_t k = 0; k < std::size(kCatalogue); ++k)
    if (kCatalogue[k].id != Msg(k)) return false;
  return true;
}
static_assert(inOrder(), "the catalogue stands in the order of Msg");

const char* textIn(Msg id, Language) { return kCatalogue[size_t(id)].ru; }

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
