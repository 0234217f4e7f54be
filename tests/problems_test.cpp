// A mistake is told where and why: the parameter a start refuses, the likely
// cause of a first step that fails, and every unusable text of an opened
// set-up are named with their reason, in the words the form captions them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "form/form.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

namespace {

// The report's problems as the status line tells them.
std::string told(const Report& r) { return Form::problems(r); }

}  // namespace

TEST(Problems, AStartOrItsFirstStepNamesTheBoxAndWhy) {
  const struct {
    std::vector<std::pair<P, const char*>> texts;
    bool step;  // the problem shows at the first step
    P focus;
    const char* told;
  } cases[] = {
      {{{P::m1, "abc"}}, false, P::m1, "m1: не число"},
      {{{P::ExpM, "40000"}}, false, P::ExpM, "* 10 ^ (ExpM): не целое число от -32768 до 32767"},
      {{{P::ExpM, "400"}},
       false,
       P::ExpM,
       "* 10 ^ (ExpM): с этой степенью десяти число слишком велико"},
      {{{P::m1, "1e300"}},
       false,
       P::ExpM,
       "* 10 ^ (ExpM): с этой степенью десяти число слишком велико"},
      {{{P::Mx, "0"}}, false, P::Mx, "Mx, м/см: 0 не допускается"},
      {{{P::Mx, "1e-320"}}, false, P::Mx, "Mx, м/см: слишком мало"},
      {{{P::h, "0"}}, true, P::Count, "шаг, с: 0 не допускается"},
      {{{P::m1, "0"}}, true, P::Count, "m1: 0 не допускается"},
  };
  for (const auto& c : cases) {
    TestLab t;
    for (const auto& [p, text] : c.texts) t.set(p, text);
    Report r = t.act(Action::Start);
    if (c.step) {
      EXPECT_TRUE(r.problems.empty()) << c.told;
      r = t.act(Action::Step);
      EXPECT_EQ(t.dialogs.messages.back(), textOf(Msg::SolveError)) << c.told;
    } else {
      EXPECT_EQ(t.dialogs.messages.back(), textOf(Msg::BadData)) << c.told;
      ASSERT_TRUE(r.focus) << c.told;
      EXPECT_EQ(*r.focus, c.focus) << c.told;
      EXPECT_TRUE(t.flagged(c.focus)) << c.told;
    }
    EXPECT_EQ(told(r), c.told);
  }
}

// A set-up with unusable texts opens, every such box framed at once and
// named; a run parameter edited to an unusable text during a run is named
// too, and no longer once it is usable again.
TEST(Problems, AnOpenedSetUpAndARunNameTheirUnusableTexts) {
  TestLab t;
  const std::string file = t.dir + "/bad.lumet";
  std::ofstream(file) << R"({"format": "lumet-setup", "version": 2,
                             "parameters": {"m1": "abc", "NCg": "1.5e9", "Mt": "0"}})";
  const Report r = t.lab.open(file);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(told(r),
            "m1: не число; Mt, с/см: 0 не допускается; NC графики: не целое число от "
            "-32768 до 32767");
  for (P p : {P::m1, P::Mt, P::NCg}) EXPECT_TRUE(t.flagged(p));
  for (P p : {P::m1, P::Mt, P::NCg}) t.set(p, "1");
  ASSERT_TRUE(t.act(Action::Start).handled);
  for (P p : {P::m1, P::Mt, P::NCg}) EXPECT_FALSE(t.flagged(p));
  t.set(P::M, "0");
  EXPECT_EQ(told(t.tick()), "M, ед/см: 0 не допускается");
  EXPECT_TRUE(t.flagged(P::M));
  EXPECT_TRUE(told(t.tick()).empty());  // told once
  t.set(P::M, "5");
  EXPECT_FALSE(t.flagged(P::M));
}
