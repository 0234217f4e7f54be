#include "batch/runner.h"

#include <QBuffer>
#include <cstring>
#include <iostream>

#include "app/setup_file.h"
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

// A control of the named kind, or a script error.
ControlId need(std::string_view name, std::initializer_list<Kind> kinds) {
  auto id = controlByName(name);
  if (id) {
    for (Kind k : kinds)
      if (controlTable()[*id].kind == k) return *id;
  }
  throw ScriptError{"'" + std::string(name) + "' is not a control of that kind"};
}

// The picture sizes of the window at 96 DPI: 15 twips to the pixel.
constexpr int px(int twips) { return twips / 15; }

}  // namespace

void BatchDialogs::message(std::string_view text) {
  out_ << "message Lumet: " << escape(text) << '\n';
}

bool BatchDialogs::question(std::string_view text) {
  bool yes = true;
  if (!answers.empty()) {
    yes = answers.front();
    answers.pop_front();
  }
  out_ << "question Lumet: " << escape(text) << (yes ? " -> yes" : " -> no") << '\n';
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
    {"set", &Runner::set},     {"check", &Runner::check}, {"select", &Runner::select},
    {"click", &Runner::click}, {"tick", &Runner::tick},   {"answer", &Runner::answer},
    {"print", &Runner::print}, {"save", &Runner::save},   {"open", &Runner::open},
    {"speed", &Runner::speed},
};

Runner::Runner(std::string logDir, std::ostream& out, RunLimits limits)
    : out_(out),
      limits_(limits),
      picture1_(px(4395), px(4395)),
      picture2_(px(6375), px(3015)),
      dialogs_(out),
      lab_(picture1_, picture2_, dialogs_, std::move(logDir)) {
  lab_.onAbout = [this] { out_ << helpText(); };
}

bool Runner::run(const std::string& text) {
  Line line{text, std::istringstream(text)};
  const std::string cmd = line.word();
  if (cmd.empty() || cmd[0] == '#') return true;
  for (const CommandEntry& c : kCommands) {
    if (cmd != c.name) continue;
    (this->*c.run)(line);
    out_.flush();
    return !lab_.exitRequested();
  }
  throw ScriptError{"unknown command '" + cmd + "'"};
}

void Runner::set(Line& l) {
  const std::string name = l.word();
  const ControlId id = need(name, {Kind::Text});
  // The text is the rest of the line after one blank, as typed.
  const size_t start = l.text.find(name, l.text.find("set") + 3) + name.size();
  lab_.lab.c.typeText(id, start < l.text.size() ? l.text.substr(start + 1) : "");
}

void Runner::check(Line& l) {
  const ControlId id = need(l.word(), {Kind::Check});
  const std::string v = l.word();
  if (v != "0" && v != "1") throw ScriptError{"check takes 0 or 1"};
  l.end();
  lab_.lab.c.setCheck(id, v == "1");
}

void Runner::select(Line& l) {
  const ControlId id = need(l.word(), {Kind::Option});
  l.end();
  lab_.lab.c.select(id);
}

void Runner::click(Line& l) {
  const ControlId id = need(l.word(), {Kind::Command});
  l.end();
  if (id == Command10 && !mayStep(1)) return;
  lab_.click(id);
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
  for (long k = 0; k < n && lab_.lab.Timer1.Enabled && mayStep(stepsPerTick(lab_.speed)); ++k)
    lab_.tick();
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

void Runner::print(Line& l) {
  const Lab& lab = lab_.lab;
  std::ostringstream shown;
  bool any = false;
  for (std::string name = l.word(); !name.empty(); name = l.word()) {
    any = true;
    const ControlId id = need(name, {Kind::Text, Kind::Check, Kind::Option, Kind::Timer});
    shown << name << '=';
    switch (controlTable()[id].kind) {
      // Escaped as messages are: a text with a line feed stays one line.
      case Kind::Text: shown << escape(lab.c.text(id)); break;
      case Kind::Timer: shown << (lab.Timer1.Enabled ? 1 : 0); break;
      default: shown << (lab.c.value(id) ? 1 : 0); break;
    }
    shown << '\n';
  }
  if (!any) throw ScriptError{"print takes control names"};
  out_ << shown.str();
}

void Runner::open(Line& l) {
  const std::string file = l.word();
  if (file.empty()) throw ScriptError{"open takes a file name"};
  l.end();
  OpenSetup(lab_.lab, file);  // a refused set-up shows its message; the script goes on
}

void Runner::save(Line& l) {
  const std::string what = l.word();
  const bool document = what == "setup" || what == "results";
  const ControlId id = document ? Picture1 : need(what, {Kind::Picture});
  const std::string file = l.word();
  if (file.empty()) throw ScriptError{"save takes a file name"};
  l.end();
  if (document) {
    // The set-up or the result table; a failed write ends the script.
    const int err = what == "setup" ? SaveSetup(lab_.lab, file) : SaveResults(lab_.lab, file);
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

}  // namespace lumet::batch
