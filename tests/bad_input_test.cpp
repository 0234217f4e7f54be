// Any text in any number the start reads gives a run or a message: never a
// crash, a hang, or "inf" or "nan" shown in a box.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

const char* const kTexts[] = {"0",      "-0",       "1e308", "-1e308", "1e-308", "32767",
                              "-32768", "4.9e-324", "abc",   "",       "1e5",    "-1"};

bool isNumber(const ParamRow& r) {
  return r.kind == ParamKind::Number || r.kind == ParamKind::Int16;
}

// No parameter's text and no shown value reads "inf" or "nan".
void expectNoInfNan(const TestLab& t, const std::string& what) {
  for (const ParamRow& r : parameterTable()) {
    if (!isNumber(r)) continue;
    const std::string& s = t.p.text(r.id);
    EXPECT_EQ(s.find("nan"), std::string::npos) << what << " " << r.name << "=" << s;
    EXPECT_EQ(s.find("inf"), std::string::npos) << what << " " << r.name << "=" << s;
  }
  for (const ValueRow& r : valueTable()) {
    const std::string s = t.shown(r.id);
    EXPECT_TRUE(!t.x.shown.has(r.id) || std::isfinite(t.x.shown.value(r.id)))
        << what << " " << r.name;
    EXPECT_EQ(s.find("nan"), std::string::npos) << what << " " << r.name << "=" << s;
    EXPECT_EQ(s.find("inf"), std::string::npos) << what << " " << r.name << "=" << s;
  }
}

}  // namespace

TEST(BadInput, TheStartAndTheStepReadEveryNumber) {
  int numbers = 0;
  for (const ParamRow& r : parameterTable()) numbers += isNumber(r);
  EXPECT_EQ(numbers, 32);
}

TEST(BadInput, AnyTextInAnyNumberGivesARunOrAMessage) {
  for (bool rods : {false, true}) {
    for (const ParamRow& r : parameterTable()) {
      if (!isNumber(r)) continue;
      for (const char* text : kTexts) {
        TestLab t;
        if (rods)
          for (P id : {P::line, P::cycloid, P::parabola, P::arc}) t.check(id, true);
        t.set(r.id, text);
        std::string what = std::string(r.name) + "=\"" + text + "\"" + (rods ? " with rods" : "");
        t.act(Action::Start);
        for (int k = 0; k < 5 && t.running(); ++k) t.tick();
        t.act(Action::Step);  // a single step also after a failure
        expectNoInfNan(t, what);
        // What was typed stays, the cycloid's end angle too: the run's "Y"
        // is a value of its own.
        EXPECT_EQ(t.p.text(r.id), text) << what;
      }
    }
  }
}

TEST(BadInput, StepsBeforeAnyStartFailCleanly) {
  TestLab t;
  t.act(Action::Step);
  t.act(Action::Continue);
  for (int k = 0; k < 3; ++k) t.tick();
  EXPECT_FALSE(t.running());
  EXPECT_FALSE(t.dialogs.messages.empty());
  expectNoInfNan(t, "before any start");
}
