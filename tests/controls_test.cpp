// The form: every control once, bound to the parameter, value or action it
// shows; a box shows its parameter's text, the number written last, or what
// was typed over it.
#include "form/controls.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "form/form.h"
#include "model/numbers.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(ControlTable, HoldsEveryControlOnceInOrder) {
  const auto& t = controlTable();
  ASSERT_EQ(t.size(), size_t(ControlCount));
  std::set<std::string> names;
  for (size_t k = 0; k < t.size(); ++k) {
    EXPECT_EQ(t[k].id, ControlId(k));
    EXPECT_TRUE(names.insert(t[k].name).second) << t[k].name;
    EXPECT_EQ(controlByName(t[k].name), t[k].id);
  }
  EXPECT_FALSE(controlByName("Text56").has_value());
  EXPECT_FALSE(controlByName("Text59").has_value());
}

// Each parameter, value and action has a control of its kind, and each
// frame's option buttons are its choice's words, one of them the default.
TEST(ControlTable, BindsEveryParameterValueAndAction) {
  const auto& t = controlTable();
  for (const ParamRow& r : parameterTable()) {
    const ControlEntry& e = t[controlOf(r.id)];
    const Kind want = r.kind == ParamKind::Switch   ? Kind::Check
                      : r.kind == ParamKind::Choice ? Kind::Frame
                                                    : Kind::Text;
    EXPECT_EQ(e.kind, want) << r.name;
    EXPECT_STREQ(e.name, r.box);
    int defaults = 0;
    for (size_t k = 0; k < r.choices.size(); ++k) {
      const ControlEntry& o = t[optionOf(r.id, int(k))];
      EXPECT_EQ(o.kind, Kind::Option) << r.name << " " << r.choices[k].word;
      EXPECT_EQ(o.frame, e.id) << o.name;
      defaults += std::string(o.initial) == "1";
    }
    if (r.kind == ParamKind::Choice) {
      EXPECT_EQ(defaults, 1) << r.name;
    }
  }
  for (const ValueRow& v : valueTable()) EXPECT_EQ(t[controlOf(v.id)].kind, Kind::Text) << v.name;
  for (const ActionRow& a : actionTable()) EXPECT_EQ(t[controlOf(a.id)].kind, Kind::Command);
  // A box that holds a parameter before a run and shows a value during it.
  EXPECT_EQ(controlOf(P::fiK2), controlOf(V::Y));
  // The labels read as the tables caption their quantities.
  EXPECT_STREQ(t[*controlByName("Label33")].caption.ru, "шаг, с");
  EXPECT_STREQ(t[*controlByName("Label4")].caption.ru, "кг");
  EXPECT_STREQ(t[*controlByName("Label33")].caption.en, "step, s");
}

TEST(Form, SelectClearsOnlyItsOwnFrame) {
  TestLab t;
  Form form(t.lab);
  form.select(optionOf(P::field, 0));
  EXPECT_TRUE(form.value(optionOf(P::field, 0)));
  EXPECT_FALSE(form.value(optionOf(P::field, 1)));
  EXPECT_EQ(t.p.chosen(P::strength), std::string("var"));
  // The button it cleared is reported, so that a window shows it cleared.
  EXPECT_EQ(form.takeChanged(),
            (std::vector<ControlId>{optionOf(P::field, 1), optionOf(P::field, 0)}));
}

TEST(Form, ABoxShowsItsParameterTheValueWrittenLastOrWhatWasTyped) {
  TestLab t;
  Form form(t.lab);
  const ControlId y = controlOf(V::Y);
  EXPECT_EQ(form.text(y), "3.1416");  // fiK2, before any run
  form.type(y, "2.5");
  EXPECT_EQ(t.p.text(P::fiK2), "2.5");
  // The run writes Y into the box; the end angle stays as typed.
  t.x.shown.set(V::Y, 6.38999999999991);
  Report r;
  r.values = t.x.shown.takeChanged();
  form.take(r);
  EXPECT_EQ(form.takeChanged(), std::vector<ControlId>{y});
  EXPECT_EQ(form.text(y), "6.39");
  EXPECT_TRUE(form.written(y));
  EXPECT_EQ(t.p.text(P::fiK2), "2.5");
  // Typed over, the box shows the same value again at its next write.
  form.type(y, "x");
  EXPECT_EQ(form.text(y), "x");
  t.x.shown.set(V::Y, 6.38999999999991);
  r.values = t.x.shown.takeChanged();
  form.take(r);
  EXPECT_EQ(form.text(y), "6.39");
  // A value box typed over shows what was typed.
  form.type(controlOf(V::T1), "abc");
  EXPECT_EQ(form.text(controlOf(V::T1)), "abc");
}

TEST(Form, ANumberIsWrittenAsABoxShowsIt) {
  TestLab t;
  Form form(t.lab);
  for (double v : {6.38999999999991, -0.0, 1e-21, 1.0 / 3, -2.5e300, 33065800.0036519}) {
    t.x.shown.set(V::X, v);
    Report r;
    r.values = t.x.shown.takeChanged();
    form.take(r);
    EXPECT_EQ(form.text(controlOf(V::X)), formatBox(v));
  }
}
