#include "app/setup_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "app/results.h"
#include "model/actions.h"
#include "output/csv.h"
#include "output/file_write.h"
#include "physics/cycloid.h"

namespace lumet {

using Json = nlohmann::ordered_json;

namespace {

// A valid set-up nests two levels (the set-up, its parameters); anything
// deeper than this is refused while it is read.
constexpr int kMaxDepth = 16;

struct Refused {
  Message problem;
};

[[noreturn]] void refuse(Message problem) { throw Refused{std::move(problem)}; }

size_t characters(std::string_view utf8) {
  size_t n = 0;
  for (unsigned char ch : utf8) n += (ch & 0xC0) != 0x80;
  return n;
}

// The JSON value of the text, refusing deep nesting and a key repeated in
// one object (which of the two would count is not obvious to the reader of
// the file).
Json parseJson(std::string_view text) {
  std::vector<std::set<std::string>> keys;
  auto guard = [&](int depth, Json::parse_event_t event, Json& parsed) {
    using Event = Json::parse_event_t;
    if ((event == Event::object_start || event == Event::array_start) && depth >= kMaxDepth)
      refuse(Message(Msg::SetupTooDeep, std::to_string(kMaxDepth)));
    if (event == Event::object_start) keys.emplace_back();
    if (event == Event::object_end && !keys.empty()) keys.pop_back();
    if (event == Event::key && !keys.empty()) {
      const auto& key = parsed.get_ref<const std::string&>();
      if (!keys.back().insert(key).second) refuse(Message(Msg::SetupKeyTwice, inQuotes(key)));
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), guard);
  } catch (const Json::parse_error& e) {
    if (e.byte > text.size()) refuse(Msg::SetupTruncated);
    size_t line = 1, column = 1;
    for (size_t k = 0; k + 1 < e.byte; ++k) {
      column = text[k] == '\n' ? 1 : column + ((text[k] & 0xC0) != 0x80);
      line += text[k] == '\n';
    }
    refuse(Message(Msg::SetupNotJson, std::to_string(line), std::to_string(column)));
  } catch (const Json::out_of_range&) {
    refuse(Msg::SetupNumberTooLarge);
  }
}

// "format" and "version" come first: a file of another kind is named as
// such, whatever else it holds. The file's version.
int64_t checkFormat(const Json& j) {
  if (!j.is_object()) refuse(Msg::SetupNotObject);
  auto format = j.find("format");
  if (format == j.end()) refuse(Msg::SetupNoFormat);
  if (!format->is_string()) refuse(Msg::SetupFormatNotText);
  if (*format != "lumet-setup")
    refuse(Message(Msg::SetupOtherFormat, inQuotes(format->get_ref<const std::string&>())));
  auto version = j.find("version");
  if (version == j.end()) refuse(Msg::SetupNoVersion);
  if (!version->is_number_integer()) refuse(Msg::SetupVersionNotInteger);
  const bool newer = version->is_number_unsigned() ? version->get<uint64_t>() > kSetupVersion
                                                   : version->get<int64_t>() > kSetupVersion;
  if (newer) refuse(Message(Msg::SetupNewer, version->dump(), std::to_string(kSetupVersion)));
  if (version->get<int64_t>() < 1) refuse(Message(Msg::SetupBadVersion, version->dump()));
  return version->get<int64_t>();
}

std::string textValue(const std::string& key, const Json& v, size_t limit) {
  if (!v.is_string()) refuse(Message(Msg::SetupNotText, inQuotes(key)));
  const auto& s = v.get_ref<const std::string&>();
  if (characters(s) > limit)
    refuse(Message(Msg::SetupTextTooLong, inQuotes(key), std::to_string(limit)));
  return s;
}

// A title or description: a string (the Russian text) or an object of
// strings by language code ("ru", "en": two or three small letters).
LocalText localValue(const std::string& key, const Json& v, size_t limit) {
  if (!v.is_object()) return LocalText(textValue(key, v, limit));
  LocalText out;
  for (const auto& [code, text] : v.items()) {
    const bool isCode =
        (code.size() == 2 || code.size() == 3) &&
        std::all_of(code.begin(), code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    if (!isCode) refuse(Message(Msg::SetupNotLanguage, inQuotes(key), inQuotes(code)));
    out.byCode.emplace_back(code, textValue(key, text, limit));
  }
  return out;
}

Json localJson(const LocalText& t) {
  if (t.russianOnly()) return t.byCode[0].second;
  Json j = Json::object();
  for (const auto& [code, text] : t.byCode) j[code] = text;
  return j;
}

bool onOffValue(const std::string& key, const Json& v) {
  if (!v.is_boolean()) refuse(Message(Msg::SetupNotOnOff, inQuotes(key)));
  return v.get<bool>();
}

// Version 2: the parameters by their names.
void readParameters(const Json& v, Parameters& p) {
  if (!v.is_object()) refuse(Msg::SetupParametersNotObject);
  for (const auto& [name, value] : v.items()) {
    const std::optional<P> id = parameterByName(name);
    if (!id) refuse(Message(Msg::SetupUnknownParameter, inQuotes(name)));
    const ParamRow& r = row(*id);
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16: p.setText(*id, textValue(name, value, kSetupMaxText)); break;
      case ParamKind::Switch: p.setOn(*id, onOffValue(name, value)); break;
      case ParamKind::Choice: {
        std::string words;
        for (const ChoiceRow& c : r.choices)
          words += (words.empty() ? "" : ", ") + std::string(c.word);
        const auto index = value.is_string()
                               ? choiceByWord(*id, value.get_ref<const std::string&>())
                               : std::nullopt;
        if (!index) refuse(Message(Msg::SetupNotChoice, inQuotes(name), words));
        p.choose(*id, *index);
        break;
      }
    }
  }
}

// --- Version 1: the form's controls by their names ---

// What a control of a version 1 file stands for: a number's box, a switch's
// check box or a choice's option button.
struct OldControl {
  P param = P::Count;
  int choice = -1;  // an option button: the choice it selects
};

std::optional<OldControl> oldControl(std::string_view name) {
  for (const ParamRow& r : parameterTable()) {
    if (r.kind != ParamKind::Choice && name == r.box) return OldControl{r.id};
    for (size_t k = 0; k < r.choices.size(); ++k)
      if (name == r.choices[k].box) return OldControl{r.id, int(k)};
  }
  return std::nullopt;
}

// Whether a name is a control of the form that holds no parameter: a box of
// a shown value, a frame, a button.
bool otherControl(std::string_view name) {
  for (const ValueRow& r : valueTable())
    if (name == r.box) return true;
  for (const ParamRow& r : parameterTable())
    if (r.kind == ParamKind::Choice && name == r.box) return true;
  for (const ActionRow& r : actionTable())
    if (name == r.box) return true;
  return false;
}

// A control as a message names it: its name, and its caption when it has one
// (in the message's language).
Message described(const char* box, const Words& caption) {
  if (!*caption.ru) return Message(box);
  return Message(Msg::SetupControlDescribed, box, Message(Msg::Quoted, either(caption)));
}

// The option buttons of a frame as the file leaves them: a button the file
// selects clears the others of its frame; otherwise the buttons keep their
// defaults, less those the file clears. Exactly one must be left.
void settleFrame(P frame, const std::vector<int>& named, Parameters& p) {
  const ParamRow& r = row(frame);
  std::vector<int> chosen;
  for (size_t k = 0; k < r.choices.size(); ++k)
    if (named[k] == 1) chosen.push_back(int(k));
  if (chosen.size() > 1)
    refuse(
        Message(Msg::SetupTwoButtons,
                described(r.choices[size_t(chosen[0])].box, r.choices[size_t(chosen[0])].caption),
                described(r.choices[size_t(chosen[1])].box, r.choices[size_t(chosen[1])].caption)));
  if (!chosen.empty()) return p.choose(frame, chosen[0]);
  if (named[size_t(p.choice(frame))] == 0)
    refuse(Message(Msg::SetupNoButton, described(r.box, r.caption)));
}

void readControls(const Json& v, Parameters& p) {
  if (!v.is_object()) refuse(Msg::SetupControlsNotObject);
  // For each choice, its option buttons as the file names them: -1 not
  // named, else 0 or 1.
  std::vector<std::vector<int>> named(kParameterCount);
  for (const ParamRow& r : parameterTable())
    if (r.kind == ParamKind::Choice) named[size_t(r.id)].assign(r.choices.size(), -1);
  for (const auto& [name, value] : v.items()) {
    const std::optional<OldControl> c = oldControl(name);
    if (!c) {
      if (otherControl(name)) refuse(Message(Msg::SetupNotInput, inQuotes(name)));
      refuse(Message(Msg::SetupUnknownControl, inQuotes(name)));
    }
    switch (row(c->param).kind) {
      case ParamKind::Number:
      case ParamKind::Int16: p.setText(c->param, textValue(name, value, kSetupMaxText)); break;
      case ParamKind::Switch: p.setOn(c->param, onOffValue(name, value)); break;
      case ParamKind::Choice:
        named[size_t(c->param)][size_t(c->choice)] = onOffValue(name, value);
        break;
    }
  }
  for (const ParamRow& r : parameterTable())
    if (r.kind == ParamKind::Choice) settleFrame(r.id, named[size_t(r.id)], p);
}

Setup fromJson(const Json& j) {
  const int64_t version = checkFormat(j);
  Setup s;
  for (const auto& [key, value] : j.items()) {
    if (key == "format" || key == "version") continue;
    if (key == "title") {
      s.title = localValue(key, value, kSetupMaxTitle);
    } else if (key == "description") {
      s.description = localValue(key, value, kSetupMaxDescription);
    } else if (key == "parameters" && version >= 2) {
      readParameters(value, s.parameters);
    } else if (key == "controls" && version == 1) {
      readControls(value, s.parameters);
    } else if (key == "KDfi") {
      if (!value.is_number() || !std::isfinite(value.get<double>()) || !(value.get<double>() > 0))
        refuse(Msg::SetupKDfiNotPositive);
      s.KDfi = value.get<double>();
      // "--" stops where the cycloid search's steps would vanish in rounding,
      // "+" where a step passes over the whole arch; a file may hold any
      // tolerance between them, and none beyond.
      if (CycloidStepVanishes(2 / s.KDfi)) refuse(Msg::SetupKDfiTooLarge);
      if (CycloidStepTooCoarse(2 / s.KDfi)) refuse(Msg::SetupKDfiTooSmall);
    } else {
      refuse(Message(Msg::SetupUnknownKey, inQuotes(key)));
    }
  }
  return s;
}

}  // namespace

Setup captureSetup(const Experiment& x) { return Setup{x.p, x.m.KDfi, x.title, x.description}; }

std::string setupText(const Setup& s) {
  Json j;
  j["format"] = "lumet-setup";
  j["version"] = kSetupVersion;
  if (!s.title.empty()) j["title"] = localJson(s.title);
  if (!s.description.empty()) j["description"] = localJson(s.description);
  Json parameters = Json::object();
  for (const ParamRow& r : parameterTable()) {
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16: parameters[r.name] = s.parameters.text(r.id); break;
      case ParamKind::Switch: parameters[r.name] = s.parameters.on(r.id); break;
      case ParamKind::Choice: parameters[r.name] = s.parameters.chosen(r.id); break;
    }
  }
  j["parameters"] = std::move(parameters);
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
    if (text.size() > kSetupMaxBytes) refuse(Msg::SetupTooBig);
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) refuse(Msg::SetupEmpty);
    return {fromJson(parseJson(text)), {}};
  } catch (const Refused& r) {
    return {std::nullopt, r.problem};
  }
}

SetupRead readSetupFile(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return {std::nullopt, fileProblem(errno)};
  if (S_ISDIR(st.st_mode)) return {std::nullopt, fileProblem(EISDIR)};
  if (!S_ISREG(st.st_mode)) return {std::nullopt, Msg::NotRegularFile};
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

Message setupRefusal(const std::string& path, const Message& problem) {
  // The last component that is not empty: "dir/" names dir.
  std::string_view name = path;
  while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  const size_t slash = name.rfind('/');
  if (slash != std::string_view::npos && slash + 1 < name.size()) name.remove_prefix(slash + 1);
  return Message(Msg::SetupRefused, inQuotes(name, 80), problem);
}

void applySetup(Experiment& x, const Setup& s) {
  for (const ParamRow& r : parameterTable()) {
    switch (r.kind) {
      case ParamKind::Number:
      case ParamKind::Int16: x.p.setText(r.id, s.parameters.text(r.id)); break;
      case ParamKind::Switch: x.p.setOn(r.id, s.parameters.on(r.id)); break;
      case ParamKind::Choice: x.p.choose(r.id, s.parameters.choice(r.id)); break;
    }
  }
  x.m.KDfi = s.KDfi;
  x.title = s.title;
  x.description = s.description;
  // The experiment of the new set-up is not set up yet: a run must not go
  // on, nor be continued or stepped, with half of one set-up and half of
  // another. "Продолжить" and a step then say to start first.
  x.running = false;
  x.setUp = false;
}

SetupSaved SaveSetup(const Experiment& x, const std::string& path) {
  const std::string text = setupText(captureSetup(x));
  if (SetupRead again = parseSetup(text); !again.setup) return {0, std::move(again.problem)};
  return {writeFileAtomically(path, text), std::nullopt};
}

int SaveResults(const Experiment& x, const std::string& path) {
  return writeFileAtomically(path, resultsCsv(resultTable(x)));
}

}  // namespace lumet
