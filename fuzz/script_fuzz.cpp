// Fuzzing lumet-batch's script runner with whole scripts: every line of the
// input is run as lumet-batch runs it, a line it refuses is skipped, and the
// output is discarded. A script may make at most kSteps steps, so that one
// input runs in milliseconds, and whatever it saves goes to /dev/null.
// After every command no box the laboratory wrote may show inf or nan: a
// failed computation ends with its message, never with such a value.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "batch/runner.h"

using namespace lumet;

namespace {

constexpr long kSteps = 200;

// An output that takes everything and keeps nothing.
class Discard : public std::streambuf {
 protected:
  int overflow(int ch) override { return ch; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The folder of the run files, made once and removed at the end: its
// lumet.dat and lumet.csv lead to /dev/null, so that every write succeeds and
// nothing piles up. Kept to the very end (never destroyed) for the removal.
const std::string& runFolder() {
  static const std::string* dir = [] {
    std::string path = (std::filesystem::temp_directory_path() / "lumet-fuzz-XXXXXX").string();
    if (!mkdtemp(path.data())) std::abort();
    for (const char* name : {"/lumet.dat", "/lumet.csv"})
      std::filesystem::create_symlink("/dev/null", path + name);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(runFolder(), ec);
    });
    return new std::string(path);
  }();
  return *dir;
}

// The line as it is run: a "save" writes to /dev/null whatever file it
// names, so that no script writes a file of its choosing.
std::string harmless(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  if (words.size() < 3 || words[0] != "save") return line;
  words[2] = "/dev/null";
  std::string out;
  for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

bool showsNoNumber(const std::string& text) {
  std::string lower;
  for (char ch : text) lower += char(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// The text boxes as the script last typed them (their defaults before).
class Typed {
 public:
  explicit Typed(const Form& c) : c_(c) {
    for (int id = 0; id < ControlCount; ++id)
      if (controlTable()[id].kind == Kind::Text)
        boxes_.push_back({ControlId(id), c.text(ControlId(id))});
  }
  // After a "set": the box it typed into.
  void update() {
    for (Box& b : boxes_) b.typed = c_.text(b.id);
  }
  // After any other command: a box the laboratory wrote shows a number.
  void check(const std::string& line) const {
    for (const Box& b : boxes_) {
      const std::string now = c_.text(b.id);
      if (now == b.typed || !showsNoNumber(now)) continue;
      std::fprintf(stderr, "script: after \"%s\" %s shows \"%s\"\n", line.c_str(),
                   controlTable()[b.id].name, now.c_str());
      std::abort();
    }
  }

 private:
  struct Box {
    ControlId id;
    std::string typed;
  };
  const Form& c_;
  std::vector<Box> boxes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Discard discard;
  std::ostream out(&discard);
  batch::Runner runner(runFolder(), out, batch::RunLimits{kSteps});
  Typed typed(runner.form());
  std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
  std::string line;
  while (std::getline(script, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    try {
      if (!runner.run(harmless(line))) break;
    } catch (const batch::ScriptError&) {
      continue;  // lumet-batch would end here; the rest of the script still tells
    }
    std::string command;
    std::istringstream(line) >> command;
    if (command == "set")
      typed.update();
    else
      typed.check(line);
  }
  return 0;
}
