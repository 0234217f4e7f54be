#include "model/controls.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/numbers.h"

using namespace lumet;

TEST(ControlTable, HoldsEveryControlOnceInOrder) {
  const auto& t = controlTable();
  ASSERT_EQ(t.size(), size_t(ControlCount));
  std::set<std::string> names;
  for (size_t k = 0; k < t.size(); ++k) {
    EXPECT_EQ(t[k].id, ControlId(k));
    EXPECT_TRUE(names.insert(t[k].name).second) << t[k].name;
    EXPECT_EQ(controlByName(t[k].name), t[k].id);
  }
  // Text boxes 1..85 without 56, 58, 59; 92 labels; 24 checks; 19 options;
  // 8 frames; 12 buttons; two pictures; one timer.
  int count[8] = {};
  for (const auto& c : t) ++count[int(c.kind)];
  EXPECT_EQ(count[int(Kind::Text)], 82);
  EXPECT_EQ(count[int(Kind::Label)], 92);
  EXPECT_EQ(count[int(Kind::Check)], 24);
  EXPECT_EQ(count[int(Kind::Option)], 19);
  EXPECT_EQ(count[int(Kind::Frame)], 8);
  EXPECT_EQ(count[int(Kind::Command)], 12);
  EXPECT_EQ(count[int(Kind::Picture)], 2);
  EXPECT_EQ(count[int(Kind::Timer)], 1);
  EXPECT_FALSE(controlByName("Text56").has_value());
  EXPECT_FALSE(controlByName("Text59").has_value());
}

TEST(ControlTable, EveryOptionStandsInAFrameWithExactlyOneDefault) {
  const auto& t = controlTable();
  std::map<int, int> selected;
  for (const auto& c : t) {
    if (c.kind != Kind::Option) continue;
    ASSERT_NE(c.frame, ControlCount) << c.name;
    EXPECT_EQ(t[c.frame].kind, Kind::Frame) << c.name;
    selected[c.frame] += std::string(c.initial) == "1";
  }
  EXPECT_EQ(selected.size(), 7u);  // Frame1 holds check boxes only
  for (auto [frame, n] : selected) EXPECT_EQ(n, 1) << t[frame].name;
}

TEST(Controls, LoadTheDefaults) {
  Controls c;
  struct Box {
    ControlId id;
    const char* text;
  } boxes[] = {
      {Text21, "21"},       {Text22, "-4"},      {Text23, "3"},        {Text1, "1e-21"},
      {Text2, "-5"},        {Text11, "5976"},    {Text12, "5"},        {Text13, "6378"},
      {Text4, "10"},        {Text5, "0.1"},      {Text24, "2"},        {Text7, "-1460"},
      {Text8, "8000"},      {Text9, "-6378000"}, {Text10, "-6378000"}, {Text19, "6165000"},
      {Text20, "-8000000"}, {Text16, "0"},       {Text17, "0"},        {Text18, "0"},
      {Text25, "0.05"},     {Text30, "7"},       {Text40, "-150000"},  {Text41, "3.1416"},
      {Text53, "0.001"},    {Text29, "3000000"}, {Text3, "5"},         {Text51, "500"},
      {Text54, "1"},        {Text55, "1"},       {Text57, "10"},       {Text50, "5"},
  };
  for (const auto& b : boxes) EXPECT_EQ(c.text(b.id), b.text) << controlTable()[b.id].name;
  for (ControlId on :
       {Check5, Check18, Option6, Option17, Option11, Option19, Option1, Option8, Option12})
    EXPECT_TRUE(c.value(on)) << controlTable()[on].name;
  for (ControlId off : {Check1, Check2, Check3, Check4, Check6, Check7, Check13, Check12, Check14,
                        Check15, Check16, Check17, Check22, Check23, Check24, Option5, Option7})
    EXPECT_FALSE(c.value(off)) << controlTable()[off].name;
}

TEST(Controls, SelectClearsOnlyItsOwnFrame) {
  Controls c;
  c.select(Option5);
  EXPECT_TRUE(c.value(Option5));
  EXPECT_FALSE(c.value(Option6));
  for (ControlId other : {Option17, Option19, Option11, Option12, Option8, Option1})
    EXPECT_TRUE(c.value(other));
  c.select(Option7);
  EXPECT_FALSE(c.value(Option1));
  EXPECT_TRUE(c.value(Option5));
}

TEST(Controls, ReportsOnlyWhatTheLaboratoryChanged) {
  Controls c;
  c.takeChanged();
  c.typeText(Text1, "2");
  EXPECT_TRUE(c.takeChanged().empty());
  EXPECT_EQ(*c.number(Text1), 2);
  c.setText(Text31, "5");
  c.setText(Text31, "6");
  c.setText(Text41, "3.1416");  // unchanged text is not reported
  auto changed = c.takeChanged();
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], Text31);
  EXPECT_EQ(*c.number(Text31), 6);
  c.typeText(Text31, "abc");
  EXPECT_FALSE(c.number(Text31).has_value());
}

TEST(Controls, ANumberIsWrittenOutWhenItsTextIsRead) {
  const double values[] = {6.38999999999991, -0.0, 1e-21, 1.0 / 3, -2.5e300, 33065800.0036519};
  for (double v : values) {
    Controls c;
    c.takeChanged();
    c.setNumber(Text31, v);
    EXPECT_EQ(c.takeChanged(), std::vector<ControlId>{Text31});
    c.setNumber(Text31, v);  // the same value again is no change
    EXPECT_TRUE(c.takeChanged().empty());
    EXPECT_EQ(c.text(Text31), formatBox(v));
    // A box read as a number reads the text it shows, not the value kept.
    EXPECT_EQ(c.number(Text31), parseNumber(formatBox(v)));
  }
  Controls c;
  c.setNumber(Text7, 5);
  c.typeText(Text7, "7");  // typed over the number
  EXPECT_EQ(c.text(Text7), "7");
  c.setNumber(Text7, 5);
  EXPECT_EQ(c.text(Text7), "5");
  c.setNumber(Text7, 6);
  c.setText(Text7, "x");
  EXPECT_EQ(c.text(Text7), "x");
  EXPECT_FALSE(c.number(Text7).has_value());
}
