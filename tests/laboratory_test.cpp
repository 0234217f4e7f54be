#include <gtest/gtest.h>

#include "model/messages.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(RunControl, FinerAndCoarserCycloidTolerance) {
  TestLab t;
  for (int k = 0; k < 3; ++k) t.lab.click(Command8);
  t.lab.click(Command9);
  EXPECT_DOUBLE_EQ(t.m.KDfi, 400000);
  EXPECT_DOUBLE_EQ(2 / t.m.KDfi, 0.000005);
  t.lab.click(Command1);  // a start does not reset it
  EXPECT_DOUBLE_EQ(t.m.KDfi, 400000);
}

TEST(RunControl, StopContinueAndExit) {
  TestLab t;
  EXPECT_FALSE(t.l.Timer1.Enabled);
  EXPECT_FALSE(t.lab.tick());  // no tick reaches a disabled timer
  t.lab.click(Command3);       // continue before any start: only a word
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{msg::kStartFirst});
  EXPECT_FALSE(t.l.Timer1.Enabled);
  t.lab.click(Command1);
  t.lab.click(Command2);
  EXPECT_FALSE(t.l.Timer1.Enabled);
  t.lab.click(Command3);
  EXPECT_TRUE(t.l.Timer1.Enabled);
  t.lab.click(Command2);
  EXPECT_FALSE(t.l.Timer1.Enabled);
  t.lab.click(Command1);
  EXPECT_TRUE(t.l.Timer1.Enabled);
  EXPECT_FALSE(t.lab.exitRequested());
  t.lab.click(Command4);
  EXPECT_TRUE(t.lab.exitRequested());
  EXPECT_FALSE(t.l.Timer1.Enabled);
}

TEST(RunControl, ClearingRedrawsBothGridsAndKeepsThem) {
  TestLab t;
  t.lab.click(Command5);
  EXPECT_EQ(t.l.AxesKept, 1);
  for (RecordingCanvas* p : {&t.picture1, &t.picture2}) {
    ASSERT_GE(p->ops.size(), 2u);
    // The window's load cleared it once; the button clears it again.
    EXPECT_EQ(p->ops[1].type, DrawOp::Clear);
    EXPECT_EQ(p->ops[2].type, DrawOp::Scale);
  }
  EXPECT_EQ(t.picture1.ops.size(), 3u + 21 * 21 * 2 + 2);
  EXPECT_EQ(t.picture2.ops.size(), 3u + 13);
}

TEST(RunControl, AboutIsTheFrontEndsAndLeavesTheRunAlone) {
  TestLab t;
  int opened = 0;
  t.lab.onAbout = [&] { ++opened; };
  t.lab.click(Command1);
  t.lab.click(Command6);
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(t.l.Timer1.Enabled);
}

// Message boxes that try to run handlers while they are open, as a modal
// box's event loop would deliver timer ticks and clicks.
class IntrusiveDialogs : public Dialogs {
 public:
  void message(std::string_view text) override {
    messages.emplace_back(text);
    tickRan = lab->tick();
    clickRan = lab->click(Command3);
  }
  bool question(std::string_view) override { return true; }
  Laboratory* lab = nullptr;
  bool tickRan = true, clickRan = true;
  std::vector<std::string> messages;
};

TEST(RunControl, OneHandlerAtATime) {
  RecordingCanvas p1, p2;
  IntrusiveDialogs d;
  const std::string dir = test::tempDir();
  Laboratory lab(p1, p2, d, dir);
  d.lab = &lab;
  lab.click(Command1);  // a run is going
  lab.lab.c.typeText(Text19, "-7000000");
  EXPECT_TRUE(lab.click(Command1));  // refused start: its message box is open
  ASSERT_EQ(d.messages.size(), 1u);
  EXPECT_FALSE(d.tickRan);
  EXPECT_FALSE(d.clickRan);
  EXPECT_FALSE(lab.busy());
  EXPECT_TRUE(lab.tick());  // and afterwards ticks run again
  std::filesystem::remove_all(dir);
}
