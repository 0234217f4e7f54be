// The laboratory's texts in every language: each message, parameter, shown
// value, action and control that has a Russian text has an English one, with
// the same arguments, and no English text holds a Cyrillic letter.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "form/controls.h"
#include "model/messages.h"

using namespace lumet;

namespace {

bool hasCyrillic(std::string_view s) {
  // Cyrillic letters are U+0400..U+04FF: UTF-8 lead bytes 0xD0..0xD3.
  for (unsigned char c : s)
    if (c >= 0xD0 && c <= 0xD3) return true;
  return false;
}

// The arguments a text takes: {0}, {1}, ...
std::multiset<char> arguments(std::string_view s) {
  std::multiset<char> out;
  for (size_t k = 0; k + 2 < s.size(); ++k)
    if (s[k] == '{' && s[k + 2] == '}') out.insert(s[k + 1]);
  return out;
}

void expectBoth(const Words& w, const std::string& what) {
  EXPECT_EQ(*w.ru == 0, *w.en == 0) << what << ": " << w.ru;
  EXPECT_FALSE(hasCyrillic(w.en)) << what << ": " << w.en;
}

}  // namespace

TEST(Languages, EveryMessageHasItsEnglishTextWithTheSameArguments) {
  for (int k = 0; k < int(Msg::Count); ++k) {
    // A text of its own, and a text of the tables in each language (below).
    if (Msg(k) == Msg::Text || Msg(k) == Msg::Either) continue;
    Message m{Msg(k)};
    const std::string ru = textOf(m, Language::ru), en = textOf(m, Language::en);
    EXPECT_FALSE(en.empty()) << k << ": " << ru;
    EXPECT_FALSE(hasCyrillic(en)) << k << ": " << en;
    // The placeholders as arguments, so that each text shows which it takes.
    m.args.resize(10);
    for (int a = 0; a < 10; ++a) m.args[size_t(a)] = Message("{" + std::to_string(a) + "}");
    EXPECT_EQ(arguments(textOf(m, Language::ru)), arguments(textOf(m, Language::en))) << ru;
  }
  // A text of the tables inside a message follows the message's language.
  const Message quoted(Msg::Quoted, either(row(P::euler).caption));
  EXPECT_EQ(textOf(quoted, Language::ru), "«Эйлер»");
  EXPECT_EQ(textOf(quoted, Language::en), "“Euler”");
}

TEST(Languages, EveryTableTextHasItsEnglishColumn) {
  for (const ParamRow& r : parameterTable()) {
    expectBoth(r.caption, r.name), expectBoth(r.unit, r.name), expectBoth(r.tip, r.name);
    for (const ChoiceRow& c : r.choices) expectBoth(c.caption, c.word), expectBoth(c.tip, c.word);
  }
  for (const ValueRow& r : valueTable()) {
    expectBoth(r.caption, r.name), expectBoth(r.unit, r.name), expectBoth(r.tip, r.name);
    expectBoth(r.about, r.name);
  }
  for (const ActionRow& r : actionTable()) expectBoth(r.caption, r.name), expectBoth(r.tip, r.name);
  for (const ControlEntry& e : controlTable())
    expectBoth(e.caption, e.name), expectBoth(e.tip, e.name);
}
