// Any text in any box the start reads gives a run or a message: never a
// crash, a hang, or "inf" or "nan" shown in a box.
#include <gtest/gtest.h>

#include <string>

#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

// The boxes the start and the step read.
constexpr ControlId kInputs[] = {Text21, Text22, Text23, Text1,  Text2,  Text11, Text12, Text13,
                                 Text4,  Text5,  Text24, Text7,  Text8,  Text9,  Text10, Text19,
                                 Text20, Text16, Text17, Text18, Text25, Text30, Text40, Text41,
                                 Text53, Text29, Text3,  Text51, Text54, Text55, Text57, Text50};

const char* const kTexts[] = {"0",      "-0",       "1e308", "-1e308", "1e-308", "32767",
                              "-32768", "4.9e-324", "abc",   "",       "1e5",    "-1"};

void expectNoInfNan(const TestLab& t, const std::string& what) {
  for (const auto& entry : controlTable()) {
    if (entry.kind != Kind::Text) continue;
    const std::string& s = t.c.text(entry.id);
    EXPECT_EQ(s.find("nan"), std::string::npos) << what << " " << entry.name << "=" << s;
    EXPECT_EQ(s.find("inf"), std::string::npos) << what << " " << entry.name << "=" << s;
  }
}

}  // namespace

TEST(BadInput, AnyTextInAnyBoxGivesARunOrAMessage) {
  for (bool rods : {false, true}) {
    for (ControlId box : kInputs) {
      for (const char* text : kTexts) {
        TestLab t;
        if (rods)
          for (ControlId id : {Check1, Check2, Check3, Check4}) t.c.setCheck(id, true);
        t.set(box, text);
        std::string what = std::string(controlTable()[box].name) + "=\"" + text + "\"" +
                           (rods ? " with rods" : "");
        t.lab.click(Command1);
        for (int k = 0; k < 5 && t.l.Timer1.Enabled; ++k) t.lab.tick();
        t.lab.click(Command10);  // a single step also after a failure
        expectNoInfNan(t, what);
        // What was typed stays; only the end angle's box doubles as the "Y"
        // value box of a run.
        if (box != Text41) {
          EXPECT_EQ(t.c.text(box), text) << what;
        }
      }
    }
  }
}

TEST(BadInput, StepsBeforeAnyStartFailCleanly) {
  TestLab t;
  t.lab.click(Command10);
  t.lab.click(Command3);
  for (int k = 0; k < 3; ++k) t.lab.tick();
  EXPECT_FALSE(t.l.Timer1.Enabled);
  EXPECT_FALSE(t.dialogs.messages.empty());
  expectNoInfNan(t, "before any start");
}
