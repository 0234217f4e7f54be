#include "app/setup_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "output/csv.h"
#include "output/file_write.h"
#include "physics/cycloid.h"

namespace lumet {

using Json = nlohmann::ordered_json;

namespace {

// The text boxes that hold parameters: those the start and the step read,
// the V0 button's start speed and direction boxes and the light
// experiment's aims among them. Text41 is also the running "Y" value box,
// but before a run it holds the cycloid's end angle: it belongs here. The
// other boxes only show what the laboratory computed.
constexpr ControlId kInputTexts[] = {
    Text1,  Text2,  Text3,  Text4,  Text5,  Text7,  Text8,  Text9,  Text10, Text11, Text12,
    Text13, Text16, Text17, Text18, Text19, Text20, Text21, Text22, Text23, Text24, Text25,
    Text29, Text30, Text40, Text41, Text50, Text51, Text53, Text54, Text55, Text57};

// A valid set-up nests two levels (the set-up, its controls); anything
// deeper than this is refused while it is read.
constexpr int kMaxDepth = 16;
constexpr size_t kMaxTitle = 200, kMaxDescription = 2000;

struct Refused {
  std::string problem;
};

[[noreturn]] void refuse(std::string problem) { throw Refused{std::move(problem)}; }

size_t characters(std::string_view utf8) {
  size_t n = 0;
  for (unsigned char ch : utf8) n += (ch & 0xC0) != 0x80;
  return n;
}

// A name from a file as a message shows it, in «»: at most `limit`
// characters, control characters as '?'.
std::string inQuotes(std::string_view s, size_t limit = 40) {
  std::string out = "«";
  size_t n = 0;
  for (size_t k = 0; k < s.size(); ++k) {
    unsigned char ch = s[k];
    if ((ch & 0xC0) != 0x80 && ++n > limit) {
      out += "…";
      break;
    }
    out += ch < 0x20 || ch == 0x7F ? '?' : char(ch);
  }
  return out + "»";
}

// A control as a message names it: its name, and its caption when it has one.
std::string described(ControlId id) {
  const ControlEntry& c = controlTable()[id];
  std::string out = c.name;
  if (*c.caption) out += std::string(" (") + inQuotes(c.caption) + ")";
  return out;
}

// The JSON value of the text, refusing deep nesting and a key repeated in
// one object (which of the two would count is not obvious to the reader of
// the file).
Json parseJson(std::string_view text) {
  std::vector<std::set<std::string>> keys;
  auto guard = [&](int depth, Json::parse_event_t event, Json& parsed) {
    using Event = Json::parse_event_t;
    if ((event == Event::object_start || event == Event::array_start) && depth >= kMaxDepth)
      refuse("вложенность глубже " + std::to_string(kMaxDepth) + " уровней");
    if (event == Event::object_start) keys.emplace_back();
    if (event == Event::object_end && !keys.empty()) keys.pop_back();
    if (event == Event::key && !keys.empty()) {
      const auto& key = parsed.get_ref<const std::string&>();
      if (!keys.back().insert(key).second) refuse("ключ " + inQuotes(key) + " повторяется");
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), guard);
  } catch (const Json::parse_error& e) {
    if (e.byte > text.size()) refuse("файл оборван: JSON не закончен");
    size_t line = 1, column = 1;
    for (size_t k = 0; k + 1 < e.byte; ++k) {
      column = text[k] == '\n' ? 1 : column + ((text[k] & 0xC0) != 0x80);
      line += text[k] == '\n';
    }
    refuse("это не JSON (ошибка в строке " + std::to_string(line) + ", позиция " +
           std::to_string(column) + ")");
  } catch (const Json::out_of_range&) {
    refuse("в файле число, слишком большое для компьютера");
  }
}

// "format" and "version" come first: a file of another kind is named as
// such, whatever else it holds.
void checkFormat(const Json& j) {
  if (!j.is_object()) refuse("это не установка Lumet: в файле не объект JSON");
  auto format = j.find("format");
  if (format == j.end()) refuse("это не установка Lumet: нет ключа «format»");
  if (!format->is_string()) refuse("это не установка Lumet: значение «format» не строка");
  if (*format != "lumet-setup")
    refuse("это не установка Lumet: формат " + inQuotes(format->get_ref<const std::string&>()) +
           " вместо «lumet-setup»");
  auto version = j.find("version");
  if (version == j.end()) refuse("нет ключа «version»");
  if (!version->is_number_integer()) refuse("версия формата должна быть целым числом");
  const bool newer = version->is_number_unsigned() ? version->get<uint64_t>() > kSetupVersion
                                                   : version->get<int64_t>() > kSetupVersion;
  if (newer)
    refuse("установка записана более новой версией Lumet (версия формата " + version->dump() +
           ", эта программа читает версию " + std::to_string(kSetupVersion) + ")");
  if (version->get<int64_t>() < 1) refuse("неверная версия формата " + version->dump());
}

std::string textValue(const std::string& key, const Json& v, size_t limit) {
  if (!v.is_string()) refuse("значение " + inQuotes(key) + " должно быть строкой");
  const auto& s = v.get_ref<const std::string&>();
  if (characters(s) > limit)
    refuse("значение " + inQuotes(key) + " длиннее " + std::to_string(limit) + " символов");
  return s;
}

// The option buttons of one frame as the file leaves them: a button the
// file selects clears the others of its frame; otherwise the buttons keep
// their defaults, less those the file clears. Exactly one must be left.
void settleFrame(ControlId frame, const std::vector<int>& named, Controls& c) {
  std::vector<ControlId> options, chosen;
  for (const auto& e : controlTable())
    if (e.kind == Kind::Option && e.frame == frame) options.push_back(e.id);
  for (ControlId id : options)
    if (named[id] == 1) chosen.push_back(id);
  if (chosen.size() > 1)
    refuse("выбраны сразу две кнопки одной рамки: " + described(chosen[0]) + " и " +
           described(chosen[1]));
  int left = 0;
  for (ControlId id : options) {
    const bool on = chosen.empty() ? named[id] != 0 && c.value(id) : id == chosen[0];
    c.setCheck(id, on);
    left += on;
  }
  if (!options.empty() && left == 0)
    refuse("в рамке " + described(frame) + " не выбрана ни одна кнопка");
}

void readControls(const Json& v, Controls& c) {
  if (!v.is_object()) refuse("значение «controls» должно быть объектом");
  std::vector<int> named(ControlCount, -1);  // option buttons: -1 not named, else 0 or 1
  for (const auto& [name, value] : v.items()) {
    auto id = controlByName(name);
    if (!id) refuse("неизвестный элемент управления " + inQuotes(name));
    if (!isSetupInput(*id)) refuse("элемент " + inQuotes(name) + " не входит в установку");
    const Kind kind = controlTable()[*id].kind;
    if (kind == Kind::Text) {
      c.typeText(*id, textValue(name, value, kSetupMaxText));
      continue;
    }
    if (!value.is_boolean()) refuse("значение " + inQuotes(name) + " должно быть true или false");
    if (kind == Kind::Check) c.setCheck(*id, value.get<bool>());
    if (kind == Kind::Option) named[*id] = value.get<bool>();
  }
  for (const auto& e : controlTable())
    if (e.kind == Kind::Frame) settleFrame(e.id, named, c);
}

Setup fromJson(const Json& j) {
  checkFormat(j);
  Setup s;
  for (const auto& [key, value] : j.items()) {
    if (key == "format" || key == "version") continue;
    if (key == "title") {
      s.title = textValue(key, value, kMaxTitle);
    } else if (key == "description") {
      s.description = textValue(key, value, kMaxDescription);
    } else if (key == "controls") {
      readControls(value, s.controls);
    } else if (key == "KDfi") {
      if (!value.is_number() || !std::isfinite(value.get<double>()) || !(value.get<double>() > 0))
        refuse("KDfi должно быть положительным числом");
      s.KDfi = value.get<double>();
      // "--" stops where the cycloid search's steps would vanish in rounding;
      // a file may not go past it either.
      if (CycloidStepVanishes(2 / s.KDfi)) refuse("KDfi слишком велико для поиска на циклоиде");
    } else {
      refuse("неизвестный ключ " + inQuotes(key));
    }
  }
  return s;
}

// Every input control's state from one set of controls into another.
void copyInputs(const Controls& from, Controls& to) {
  for (ControlId id : setupInputs()) {
    if (controlTable()[id].kind == Kind::Text)
      to.setText(id, from.text(id));
    else
      to.setCheck(id, from.value(id));
  }
}

}  // namespace

bool isSetupInput(ControlId id) {
  const Kind kind = controlTable()[id].kind;
  if (kind == Kind::Check || kind == Kind::Option) return true;
  for (ControlId t : kInputTexts)
    if (t == id) return true;
  return false;
}

const std::vector<ControlId>& setupInputs() {
  static const std::vector<ControlId> inputs = [] {
    std::vector<ControlId> out;
    for (const auto& e : controlTable())
      if (isSetupInput(e.id)) out.push_back(e.id);
    return out;
  }();
  return inputs;
}

Setup captureSetup(const Lab& lab) {
  Setup s;
  copyInputs(lab.c, s.controls);
  s.KDfi = lab.m.KDfi;
  s.title = lab.title;
  s.description = lab.description;
  return s;
}

std::string setupText(const Setup& s) {
  Json j;
  j["format"] = "lumet-setup";
  j["version"] = kSetupVersion;
  if (!s.title.empty()) j["title"] = s.title;
  if (!s.description.empty()) j["description"] = s.description;
  Json controls = Json::object();
  for (ControlId id : setupInputs()) {
    const char* name = controlTable()[id].name;
    if (controlTable()[id].kind == Kind::Text)
      controls[name] = s.controls.text(id);
    else
      controls[name] = s.controls.value(id);
  }
  j["controls"] = std::move(controls);
  // A whole divisor (as "+" and "--" leave it) is written without a fraction.
  if (std::floor(s.KDfi) == s.KDfi && std::fabs(s.KDfi) < 9e15)
    j["KDfi"] = int64_t(s.KDfi);
  else
    j["KDfi"] = s.KDfi;
  return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

SetupRead parseSetup(std::string_view text) {
  // A byte order mark, which some editors put before UTF-8, is not content.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  try {
    if (text.size() > kSetupMaxBytes) refuse("файл больше 1 МБ");
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) refuse("файл пуст");
    return {fromJson(parseJson(text)), ""};
  } catch (const Refused& r) {
    return {std::nullopt, r.problem};
  }
}

SetupRead readSetupFile(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return {std::nullopt, fileProblem(errno)};
  if (S_ISDIR(st.st_mode)) return {std::nullopt, fileProblem(EISDIR)};
  if (!S_ISREG(st.st_mode)) return {std::nullopt, "это не обычный файл"};
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {std::nullopt, fileProblem(errno)};
  std::string text;
  char buf[1 << 16];
  int err = 0;
  while (text.size() <= kSetupMaxBytes) {  // one byte past the limit is enough to refuse
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    if (n <= 0) break;
    text.append(buf, size_t(n));
  }
  ::close(fd);
  if (err != 0) return {std::nullopt, fileProblem(err)};
  return parseSetup(text);
}

std::string setupRefusal(const std::string& path, std::string_view problem) {
  // The last component that is not empty: "dir/" names dir.
  std::string_view name = path;
  while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  const size_t slash = name.rfind('/');
  if (slash != std::string_view::npos && slash + 1 < name.size()) name.remove_prefix(slash + 1);
  return "Не удалось открыть установку " + inQuotes(name, 80) + ": " + std::string(problem) + ".";
}

void applySetup(Lab& lab, const Setup& s) {
  copyInputs(s.controls, lab.c);
  lab.m.KDfi = s.KDfi;
  lab.title = s.title;
  lab.description = s.description;
  // The step re-reads the scales and the force: a run must not go on with
  // half of one set-up and half of another.
  lab.Timer1.Enabled = false;
}

bool OpenSetup(Lab& lab, const std::string& path) {
  SetupRead r = readSetupFile(path);
  if (!r.setup) {
    lab.message(setupRefusal(path, r.problem));
    return false;
  }
  applySetup(lab, *r.setup);
  return true;
}

int SaveSetup(const Lab& lab, const std::string& path) {
  return writeFileAtomically(path, setupText(captureSetup(lab)));
}

int SaveResults(const Lab& lab, const std::string& path) {
  return writeFileAtomically(path, resultsCsv(lab.c));
}

}  // namespace lumet
