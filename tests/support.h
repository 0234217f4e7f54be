// Test doubles shared by the tests: message boxes that record what they were
// asked to show, and a laboratory on recording canvases with its log in a
// fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/laboratory.h"
#include "display/recording_canvas.h"

namespace lumet::test {

class RecordingDialogs : public Dialogs {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  bool question(std::string_view text) override {
    questions.emplace_back(text);
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
  Lab& l = lab.lab;
  Model& m = lab.lab.m;
  Controls& c = lab.lab.c;

  ~TestLab() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  void set(ControlId id, const std::string& text) { c.typeText(id, text); }
  std::string log() const { return readFile(dir + "/lumet.dat"); }
};

// The default experiment started by its button: the spherical field of mass
// 2 falling as the inverse square, only the free body, which starts on the
// surface at the left of mass 2 with VX = -1460, VY = 8000. The pictures'
// records are emptied after the start's own drawing, so that a test sees
// only what the steps draw.
inline void startFreeFlight(TestLab& t) {
  ASSERT_TRUE(t.lab.click(Command1));
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];
  ASSERT_TRUE(t.l.Timer1.Enabled);
  t.picture1.ops.clear();
  t.picture2.ops.clear();
}

// A test on the default free flight, started afresh for every test.
class FreeFlightTest : public ::testing::Test {
 protected:
  void SetUp() override { startFreeFlight(t); }
  Model& m() { return t.m; }
  // The check boxes and option buttons as a handler reads them.
  Choices ch() const { return ReadChoices(t.c); }
  // Chooses the field: every option button given, in turn.
  template <class... Ids>
  void field(Ids... options) {
    (t.c.select(options), ...);
  }
  TestLab t;
};

// Relative closeness for golden values.
inline bool near(double got, double want, double rel) {
  return std::fabs(got - want) <= rel * std::fabs(want);
}

}  // namespace lumet::test
