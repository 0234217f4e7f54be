#include "batch/runner.h"

#include <QBuffer>
#include <cstring>
#include <iostream>

#include "app/series.h"
#include "app/setup_file.h"
#include "gui/manual.h"
#include "model/numbers.h"
#include "output/file_write.h"

namespace lumet::batch {

namespace {

// Control characters of a message as the two-character escapes of the
// output; everything else stands as it is.
std::string escape(std::string_view text) {
  std::string out;
  for (char ch : text) {
    if (ch == '\r')
      out += "\\r";
    else if (ch == '\n')
      out += "\\n";
    else if (ch == '\\')
      out += "\\\\";
    else
      out += ch;
  }
  return out;
}

[[noreturn]] void notOfThatKind(std::string_view name) {
  throw ScriptError{"'" + std::string(name) + "' is not a control of that kind"};
}

// A control of the named kind, by its name or the name of the parameter it
// holds (a number's box, a switch's check box), or a script error.
ControlId need(std::string_view name, std::initializer_list<Kind> kinds) {
  auto id = controlByName(name);
  if (!id) {
    if (const auto p = parameterByName(name); p && row(*p).kind != ParamKind::Choice)
      id = controlOf(*p);
  }
  if (id) {
    for (Kind k : kinds)
      if (controlTable()[*id].kind == k) return *id;
  }
  notOfThatKind(name);
}

// The picture sizes of the window at 96 DPI: 15 twips to the pixel.
constexpr int px(int twips) { return twips / 15; }

}  // namespace

void BatchDialogs::message(const Message& text) {
  out_ << "message Lumet: " << escape(textOf(text, language)) << '\n';
}

bool BatchDialogs::question(const Message& text) {
  bool yes = true;
  if (!answers.empty()) {
    yes = answers.front();
    answers.pop_front();
  }
  out_ << "question Lumet: " << escape(textOf(text, language)) << (yes ? " -> yes" : " -> no")
       << '\n';
  return yes;
}

std::string Runner::Line::word() {
  std::string w;
  words >> w;
  return w;
}

void Runner::Line::end() {
  const std::string extra = word();
  if (!extra.empty()) throw ScriptError{"unexpected '" + extra + "'"};
}

const Runner::CommandEntry Runner::kCommands[] = {
    {"set", &Runner::set},     {"check", &Runner::check},   {"select", &Runner::select},
    {"click", &Runner::click}, {"tick", &Runner::tick},     {"answer", &Runner::answer},
    {"print", &Runner::print}, {"save", &Runner::save},     {"open", &Runner::open},
    {"speed", &Runner::speed}, {"series", &Runner::series}, {"limit", &Runner::limit},
};

Runner::Runner(std::string logDir, std::ostream& out, RunLimits limits)
    : out_(out),
      limits_(limits),
      picture1_(px(4395), px(4395)),
      picture2_(px(6375), px(3015)),
      dialogs_(out),
      lab_(picture1_, picture2_, dialogs_, std::move(logDir)),
      form_(lab_) {}

void Runner::show(const Report& r) {
  for (const Message& m : r.messages) dialogs_.message(m);
  if (r.about) out_ << manualText(dialogs_.language);
}

bool Runner::run(const std::string& text) {
  Line line{text, std::istringstream(text)};
  const std::string cmd = line.word();
  if (cmd.empty() || cmd[0] == '#') return true;
  for (const CommandEntry& c : kCommands) {
    if (cmd != c.name) continue;
    (this->*c.run)(line);
    out_.flush();
    return !exit_;
  }
  throw ScriptError{"unknown command '" + cmd + "'"};
}

void Runner::set(Line& l) {
  const std::string name = l.word();
  const ControlId id = need(name, {Kind::Text});
  // The text is the rest of the line after one blank, as typed.
  const size_t start = l.text.find(name, l.text.find("set") + 3) + name.size();
  form_.type(id, start < l.text.size() ? l.text.substr(start + 1) : "");
}

void Runner::check(Line& l) {
  const ControlId id = need(l.word(), {Kind::Check});
  const std::string v = l.word();
  if (v != "0" && v != "1") throw ScriptError{"check takes 0 or 1"};
  l.end();
  form_.check(id, v == "1");
}

void Runner::select(Line& l) {
  // An option button by its name, or a choice by its name and word.
  const std::string name = l.word();
  ControlId id = ControlCount;
  if (const auto p = parameterByName(name); p && row(*p).kind == ParamKind::Choice) {
    const std::string word = l.word();
    const auto choice = choiceByWord(*p, word);
    if (!choice) throw ScriptError{"'" + word + "' is not a choice of '" + name + "'"};
    id = optionOf(*p, *choice);
  } else {
    id = need(name, {Kind::Option});
  }
  l.end();
  form_.select(id);
}

void Runner::click(Line& l) {
  const std::string name = l.word();
  std::optional<ControlId> id = controlByName(name);
  if (const auto a = actionByName(name)) id = controlOf(*a);
  if (!id || controlTable()[*id].kind != Kind::Command) notOfThatKind(name);
  l.end();
  if (controlTable()[*id].action == Action::Step && !mayStep(1)) return;
  const Report r = form_.press(*id);
  show(r);
  exit_ = r.exit;
}

void Runner::tick(Line& l) {
  long n = 1;
  const std::string count = l.word();
  if (!count.empty()) {
    try {
      size_t used = 0;
      n = std::stol(count, &used);
      if (used != count.size() || n < 0) throw 0;
    } catch (...) {
      throw ScriptError{"tick takes a count"};
    }
  }
  l.end();
  for (long k = 0; k < n && lab_.running() && mayStep(stepsPerTick(lab_.speed)); ++k)
    show(form_.tick());
}

bool Runner::mayStep(long steps) {
  if (limits_.steps < 0) return true;
  if (limits_.steps < steps) return false;
  limits_.steps -= steps;
  return true;
}

void Runner::answer(Line& l) {
  const std::string v = l.word();
  if (v != "yes" && v != "no") throw ScriptError{"answer takes yes or no"};
  l.end();
  dialogs_.answers.push_back(v == "yes");
}

// What print writes for a name: a control's state, a parameter's value as a
// set-up names it, or a shown value as its box would show it.
std::string Runner::printed(const std::string& name) const {
  if (const auto p = parameterByName(name)) return lab_.parameters().valueText(*p);
  if (const auto v = valueByName(name)) {
    const auto value = lab_.shown().get(*v);
    return value ? formatBox(*value) : "";
  }
  const ControlId id = need(name, {Kind::Text, Kind::Check, Kind::Option, Kind::Timer});
  switch (controlTable()[id].kind) {
    case Kind::Text: return form_.text(id);
    case Kind::Timer: return lab_.running() ? "1" : "0";
    default: return form_.value(id) ? "1" : "0";
  }
}

void Runner::print(Line& l) {
  std::ostringstream shown;
  bool any = false;
  for (std::string name = l.word(); !name.empty(); name = l.word()) {
    any = true;
    // Escaped as messages are: a text with a line feed stays one line.
    shown << name << '=' << escape(printed(name)) << '\n';
  }
  if (!any) throw ScriptError{"print takes control names"};
  out_ << shown.str();
}

void Runner::open(Line& l) {
  const std::string file = l.word();
  if (file.empty()) throw ScriptError{"open takes a file name"};
  l.end();
  show(form_.open(file));  // a refused set-up shows its message; the script goes on
}

void Runner::save(Line& l) {
  const std::string what = l.word();
  if (what == "series") {
    const std::string file = l.word();
    if (file.empty()) throw ScriptError{"save takes a file name"};
    l.end();
    return saveSeries(file);
  }
  const bool document = what == "setup" || what == "results";
  const ControlId id = document ? Picture1 : need(what, {Kind::Picture});
  const std::string file = l.word();
  if (file.empty()) throw ScriptError{"save takes a file name"};
  l.end();
  if (document) {
    // The set-up or the result table; a failed write ends the script.
    const Experiment& x = lab_.experiment();
    int err = 0;
    if (what == "setup") {
      const SetupSaved saved = SaveSetup(x, file);
      // A set-up that would not open again is not written: the reason is
      // the one the opening would give.
      if (saved.refused)
        throw ScriptError{"cannot write " + file + ": " +
                          textOf(*saved.refused, dialogs_.language)};
      err = saved.err;
    } else {
      err = SaveResults(x, file);
    }
    if (err != 0) throw ScriptError{"cannot write " + file + ": " + std::strerror(err)};
    return;
  }
  const ImageCanvas& pic = id == Picture1 ? picture1_ : picture2_;
  // Encoded in memory and written by the core's checked write: the image's
  // own saving reports success on a full disk.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !pic.image().save(&buffer, "PNG"))
    throw ScriptError{"cannot write " + file + ": the picture cannot be encoded as PNG"};
  const int err = writeFileAtomically(file, std::string_view(png.constData(), size_t(png.size())));
  if (err != 0) throw ScriptError{"cannot write " + file + ": " + std::strerror(err)};
}

void Runner::speed(Line& l) {
  const auto speed = speedByName(l.word());
  if (!speed) throw ScriptError{"speed takes 1, 10, 100, 1000 or max"};
  l.end();
  lab_.speed = *speed;
}

namespace {

// A series' inputs that planSeries refuses, in the words of the runner's
// other errors.
[[noreturn]] void badSeries(const Message& problem, const std::string& name) {
  switch (problem.id) {
    case Msg::SeriesNoParameter: throw ScriptError{"'" + name + "' is not a number parameter"};
    case Msg::SeriesBound: throw ScriptError{"series takes numbers FROM and TO"};
    case Msg::SeriesCount: throw ScriptError{"series takes a COUNT of 1 to 100000"};
    case Msg::SeriesLogBound: throw ScriptError{"series log takes FROM and TO above 0"};
    case Msg::SeriesLimit: throw ScriptError{"limit takes a positive number of seconds"};
    default: throw ScriptError{textOf(problem, Language::en)};
  }
}

}  // namespace

void Runner::series(Line& l) {
  SeriesWords s{l.word(), l.word(), l.word(), l.word()};
  const std::string spacing = l.word();
  if (s.count.empty() || (!spacing.empty() && spacing != "log"))
    throw ScriptError{"series takes NAME FROM TO COUNT [log]"};
  s.log = !spacing.empty();
  l.end();
  const auto plan = planSeries(s.name, s.from, s.to, s.count, s.log, "");
  if (const Message* problem = std::get_if<Message>(&plan)) badSeries(*problem, s.name);
  series_ = s;
}

void Runner::limit(Line& l) {
  const std::string seconds = l.word();
  l.end();
  const std::optional<double> t = parseNumber(seconds);
  if (!t || *t <= 0) throw ScriptError{"limit takes a positive number of seconds"};
  limit_ = seconds;
}

void Runner::saveSeries(const std::string& file) {
  if (!series_) throw ScriptError{"save series needs a series line before it"};
  const SeriesWords& s = *series_;
  const auto planned = planSeries(s.name, s.from, s.to, s.count, s.log, limit_);
  if (const Message* problem = std::get_if<Message>(&planned)) badSeries(*problem, s.name);
  SeriesPlan plan = std::get<SeriesPlan>(planned);
  if (limits_.steps >= 0) {
    // A bounded script shares its steps among the runs; with less than a
    // step a run, the series is not made and the script goes on.
    plan.stepCap = limits_.steps / plan.count;
    if (plan.stepCap < 1 || !mayStep(plan.stepCap * plan.count)) return;
  }
  SeriesOptions options;
  options.jobs = seriesJobs_;
  options.part = seriesPart_;
  bool shown = false;
  if (seriesProgress_) {
    options.progress = [&](int done, int total) {
      std::cerr << "\rseries " << row(plan.param).name << ": " << done << '/' << total << " runs"
                << std::flush;
      shown = true;
    };
  }
  const Experiment& x = lab_.experiment();
  const SeriesOutcome outcome = RunSeries(x.p, x.m.KDfi, plan, options);
  if (shown) std::cerr << '\n';
  if (outcome.refused)
    throw ScriptError{"cannot run the series: " + textOf(*outcome.refused, dialogs_.language)};
  const int err = writeFileAtomically(file, seriesCsv(plan.param, outcome.rows));
  if (err != 0) throw ScriptError{"cannot write " + file + ": " + std::strerror(err)};
}

}  // namespace lumet::batch
