// lumet-batch: drives the laboratory from a script, one command a line,
// without a display. Message boxes and questions are written to standard
// output; pictures can be saved as PNG.
#include <unistd.h>

#include <climits>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/laboratory.h"
#include "app/setup_file.h"
#include "gui/image_canvas.h"

using namespace lumet;

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

class BatchDialogs : public Dialogs {
 public:
  void message(std::string_view text) override {
    std::cout << "message Lumet: " << escape(text) << '\n';
  }
  bool question(std::string_view text) override {
    bool yes = true;
    if (!answers.empty()) {
      yes = answers.front();
      answers.pop_front();
    }
    std::cout << "question Lumet: " << escape(text) << (yes ? " -> yes" : " -> no") << '\n';
    return yes;
  }
  std::deque<bool> answers;
};

std::string executableDir() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, size_t(n));
  auto slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

struct ScriptError {
  std::string what;
};

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

class Runner {
 public:
  explicit Runner(std::string logDir)
      : picture1_(px(4395), px(4395)),
        picture2_(px(6375), px(3015)),
        lab_(picture1_, picture2_, dialogs_, std::move(logDir)) {
    lab_.onAbout = [] { std::cout << helpText(); };
  }

  // Runs one line; false when the script ends here.
  bool run(const std::string& line) {
    std::istringstream in(line);
    std::string cmd;
    in >> cmd;
    if (cmd.empty() || cmd[0] == '#') return true;
    Controls& c = lab_.lab.c;
    if (cmd == "set") {
      std::string name;
      in >> name;
      ControlId id = need(name, {Kind::Text});
      // The text is the rest of the line after one blank, as typed.
      size_t start = line.find(name, line.find("set") + 3) + name.size();
      std::string text = start < line.size() ? line.substr(start + 1) : "";
      c.typeText(id, text);
    } else if (cmd == "check") {
      std::string name, v;
      in >> name >> v;
      ControlId id = need(name, {Kind::Check});
      if (v != "0" && v != "1") throw ScriptError{"check takes 0 or 1"};
      expectEnd(in);
      c.setCheck(id, v == "1");
    } else if (cmd == "select") {
      std::string name;
      in >> name;
      ControlId id = need(name, {Kind::Option});
      expectEnd(in);
      c.select(id);
    } else if (cmd == "click") {
      std::string name;
      in >> name;
      ControlId id = need(name, {Kind::Command});
      expectEnd(in);
      lab_.click(id);
      if (id == Command4) return false;
    } else if (cmd == "tick") {
      long n = 1;
      std::string count;
      if (in >> count) {
        try {
          size_t used = 0;
          n = std::stol(count, &used);
          if (used != count.size() || n < 0) throw 0;
        } catch (...) {
          throw ScriptError{"tick takes a count"};
        }
      }
      expectEnd(in);
      for (long k = 0; k < n && lab_.lab.Timer1.Enabled; ++k) lab_.tick();
    } else if (cmd == "answer") {
      std::string v;
      in >> v;
      if (v != "yes" && v != "no") throw ScriptError{"answer takes yes or no"};
      expectEnd(in);
      dialogs_.answers.push_back(v == "yes");
    } else if (cmd == "print") {
      std::string name;
      std::ostringstream out;
      bool any = false;
      while (in >> name) {
        any = true;
        ControlId id = need(name, {Kind::Text, Kind::Check, Kind::Option, Kind::Timer});
        out << name << '=';
        switch (controlTable()[id].kind) {
          case Kind::Text: out << c.text(id); break;
          case Kind::Timer: out << (lab_.lab.Timer1.Enabled ? 1 : 0); break;
          default: out << (c.value(id) ? 1 : 0); break;
        }
        out << '\n';
      }
      if (!any) throw ScriptError{"print takes control names"};
      std::cout << out.str();
    } else if (cmd == "open") {
      std::string file;
      in >> file;
      if (file.empty()) throw ScriptError{"open takes a file name"};
      expectEnd(in);
      OpenSetup(lab_.lab, file);  // a refused set-up shows its message; the script goes on
    } else if (cmd == "save") {
      std::string name, file;
      in >> name >> file;
      const bool document = name == "setup" || name == "results";
      ControlId id = document ? Picture1 : need(name, {Kind::Picture});
      if (file.empty()) throw ScriptError{"save takes a file name"};
      expectEnd(in);
      if (document) {
        saveDocument(name, file);
      } else {
        const ImageCanvas& pic = id == Picture1 ? picture1_ : picture2_;
        if (!pic.image().save(QString::fromStdString(file), "PNG"))
          throw ScriptError{"cannot write " + file};
      }
    } else {
      throw ScriptError{"unknown command '" + cmd + "'"};
    }
    std::cout.flush();
    return !lab_.exitRequested();
  }

 private:
  // The set-up or the result table; a failed write ends the script.
  void saveDocument(const std::string& what, const std::string& file) {
    int err = what == "setup" ? SaveSetup(lab_.lab, file) : SaveResults(lab_.lab, file);
    if (err != 0) throw ScriptError{"cannot write " + file + ": " + std::strerror(err)};
  }

  static void expectEnd(std::istringstream& in) {
    std::string extra;
    if (in >> extra) throw ScriptError{"unexpected '" + extra + "'"};
  }

  ImageCanvas picture1_, picture2_;
  BatchDialogs dialogs_;
  Laboratory lab_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string logDir = executableDir();
  std::string script;
  for (int k = 1; k < argc; ++k) {
    std::string a = argv[k];
    if (a == "--log-dir" && k + 1 < argc) {
      logDir = argv[++k];
    } else if (a.rfind("--", 0) == 0 || !script.empty()) {
      std::cerr << "usage: lumet-batch [--log-dir DIR] [SCRIPT]\n";
      return 2;
    } else {
      script = a;
    }
  }
  std::ifstream file;
  if (!script.empty()) {
    file.open(script, std::ios::binary);
    if (!file) {
      std::cerr << "lumet-batch: cannot read " << script << '\n';
      return 2;
    }
  }
  std::istream& in = script.empty() ? std::cin : file;
  Runner runner(logDir);
  std::string line;
  long number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      if (!runner.run(line)) break;
    } catch (const ScriptError& e) {
      std::cout.flush();
      std::cerr << "lumet-batch: line " << number << ": " << e.what << '\n';
      return 2;
    }
  }
  return 0;
}
