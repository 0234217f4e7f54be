#include <gtest/gtest.h>

#include "model/messages.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(RunControl, FinerAndCoarserCycloidTolerance) {
  TestLab t;
  for (int k = 0; k < 3; ++k) t.act(Action::Finer);
  t.act(Action::Coarser);
  EXPECT_DOUBLE_EQ(t.m.KDfi, 400000);
  EXPECT_DOUBLE_EQ(2 / t.m.KDfi, 0.000005);
  t.act(Action::Start);  // a start does not reset it
  EXPECT_DOUBLE_EQ(t.m.KDfi, 400000);
}

TEST(RunControl, StopContinueAndExit) {
  TestLab t;
  EXPECT_FALSE(t.running());
  EXPECT_FALSE(t.tick().handled);  // no tick reaches a disabled timer
  t.act(Action::Continue);         // continue before any start: only a word
  EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{textOf(Msg::StartFirst)});
  EXPECT_FALSE(t.running());
  t.act(Action::Start);
  t.act(Action::Stop);
  EXPECT_FALSE(t.running());
  t.act(Action::Continue);
  EXPECT_TRUE(t.running());
  t.act(Action::Stop);
  EXPECT_FALSE(t.running());
  EXPECT_FALSE(t.act(Action::Start).exit);
  EXPECT_TRUE(t.running());
  EXPECT_TRUE(t.act(Action::Exit).exit);
  EXPECT_FALSE(t.running());
}

TEST(RunControl, ClearingRedrawsBothGridsAndKeepsThem) {
  TestLab t;
  t.act(Action::Clear);
  EXPECT_EQ(t.x.AxesKept, 1);
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
  EXPECT_FALSE(t.act(Action::Start).about);
  const Report about = t.act(Action::About);
  EXPECT_TRUE(about.about);
  EXPECT_TRUE(about.running);
  EXPECT_TRUE(t.running());
}

// Questions that try to run handlers while they are open, as a modal box's
// event loop would deliver timer ticks and clicks.
class IntrusiveAsker : public Asker {
 public:
  bool question(const Message& text) override {
    questions.push_back(textOf(text));
    tickRan = lab->tick().handled;
    clickRan = lab->act(Action::Continue).handled;
    return false;
  }
  Laboratory* lab = nullptr;
  bool tickRan = true, clickRan = true;
  std::vector<std::string> questions;
};

TEST(RunControl, OneHandlerAtATime) {
  RecordingCanvas p1, p2;
  IntrusiveAsker a;
  const std::string dir = test::tempDir();
  Laboratory lab(p1, p2, a, dir);
  a.lab = &lab;
  lab.act(Action::Start);  // a run is going
  lab.setText(P::Xn, "1");
  lab.setText(P::Xk, "-1");
  EXPECT_TRUE(lab.act(Action::Light).handled);  // the light asks to go on
  ASSERT_EQ(a.questions, std::vector<std::string>{textOf(Msg::LightContinue)});
  EXPECT_FALSE(a.tickRan);
  EXPECT_FALSE(a.clickRan);
  EXPECT_FALSE(lab.busy());
  EXPECT_TRUE(lab.tick().handled);  // and afterwards ticks run again
  std::filesystem::remove_all(dir);
}
