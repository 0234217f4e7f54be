// Test doubles shared by the tests: questions that record what they were
// asked, and a laboratory on recording canvases with its log in a fresh
// temporary directory, whose handlers' messages are kept as the user would
// have read them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "app/laboratory.h"
#include "display/recording_canvas.h"
#include "model/numbers.h"

namespace lumet::test {

// Message boxes shown and questions asked, as their texts.
class RecordingDialogs : public Asker {
 public:
  bool question(const Message& text) override {
    questions.push_back(textOf(text));
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
  std::vector<std::string> messages, questions;
  std::deque<bool> answers;
};

inline std::string tempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "lumet-test-XXXXXX").string();
  char* dir = mkdtemp(tmpl.data());
  return dir ? std::string(dir) : std::string(".");
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A laboratory as the window opens it, on recording pictures.
struct TestLab {
  RecordingCanvas picture1, picture2;
  RecordingDialogs dialogs;
  std::string dir = tempDir();
  Laboratory lab{picture1, picture2, dialogs, dir};
  Experiment& x = lab.experiment();
  Model& m = x.m;
  Parameters& p = x.p;
  // A handler called directly works through l; what it reports is taken in
  // by run() once it returns.
  Report report;
  Lab l{x, picture1, picture2, dialogs, report};

  ~TestLab() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  // An action as its button runs it, a tick of the run: their messages are
  // recorded as shown.
  Report act(Action a) { return record(lab.act(a)); }
  Report tick() { return record(lab.tick()); }
  // A tick that stands for `clock` of the clock at a paced speed.
  Report tick(std::chrono::nanoseconds clock) { return record(lab.tick(std::nullopt, clock)); }
  // A set-up file opened as the window opens it.
  Report open(const std::string& path) { return record(lab.open(path)); }
  // A handler called directly with l, its messages recorded; a handler of
  // no result gives its report, as an action does.
  template <class Handler>
  auto run(Handler handler) {
    if constexpr (std::is_void_v<decltype(handler(l))>) {
      handler(l);
      return done();
    } else {
      auto result = handler(l);
      done();
      return result;
    }
  }
  bool step() {
    return run([](Lab& lab) { return Step(lab); });
  }
  void steps(int n) {
    for (int k = 0; k < n; ++k) step();
  }

  // The parameters as the user sets them.
  void set(P param, const std::string& text) { lab.setText(param, text); }
  void check(P param, bool on) { lab.setOn(param, on); }
  void choose(P param, std::string_view word) { lab.choose(param, *choiceByWord(param, word)); }
  bool chosen(P param, std::string_view word) const { return p.chosen(param) == word; }
  // A shown value as its box shows it ("" before it was first shown).
  std::string shown(V v) const {
    const auto value = x.shown.get(v);
    return value ? formatBox(*value) : std::string();
  }
  bool running() const { return x.running; }
  bool flagged(P param) const { return lab.flagged(param); }
  std::string log() const { return readFile(dir + "/lumet.dat"); }

 private:
  Report record(Report r) {
    for (const Message& text : r.messages) dialogs.messages.push_back(textOf(text));
    return r;
  }
  Report done() {
    Report r = std::move(report);
    report = Report{};
    r.values = x.shown.takeChanged();
    r.running = x.running;
    return record(std::move(r));
  }
};

// The default experiment started by its button: the spherical field of mass
// 2 falling as the inverse square, only the free body, which starts on the
// surface at the left of mass 2 with VX = -1460, VY = 8000. The pictures'
// records are emptied after the start's own drawing, so that a test sees
// only what the steps draw.
inline void startFreeFlight(TestLab& t) {
  t.act(Action::Start);
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];
  ASSERT_TRUE(t.running());
  t.picture1.ops.clear();
  t.picture2.ops.clear();
}

// A test on the default free flight, started afresh for every test.
class FreeFlightTest : public ::testing::Test {
 protected:
  void SetUp() override { startFreeFlight(t); }
  Model& m() { return t.m; }
  // The switches and choices as a handler reads them.
  Choices ch() const { return ReadChoices(t.p); }
  TestLab t;
};

// Relative closeness for golden values.
// The dots a picture was given, in order.
inline std::vector<DrawOp> pointsOf(const RecordingCanvas& c) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : c.ops)
    if (op.type == DrawOp::Point) out.push_back(op);
  return out;
}

inline bool near(double got, double want, double rel) {
  return std::fabs(got - want) <= rel * std::fabs(want);
}

}  // namespace lumet::test
