#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>

using namespace lumet;

TEST(ParseNumber, AcceptsPlainNumbersBothSeparatorsAndExponents) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"0", 0},
      {"5976", 5976},
      {"-6378000", -6378000},
      {" 1.5 ", 1.5},
      {"1,5", 1.5},
      {"1e-21", 1e-21},
      {"1E+5", 1e5},
      {"+3", 3},
      {".5", 0.5},
      {"5.", 5},
      {"-,25", -0.25},
      {"\t7\t", 7},
      {"1e-400", 0},
      {"0.0001e-320", 0},
      {"-0", 0},
      {"1.7976931348623157e308", 1.7976931348623157e308},
  };
  for (const auto& c : cases) {
    auto v = parseNumber(c.text);
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST(ParseNumber, RefusesWhatIsNotPlainlyANumber) {
  for (const char* text :
       {"",      " ",      "inf",        "-inf",  "nan", "NaN", "infinity", "0x10", "1.2.3",
        "1,2,3", "1.2,3",  "1 2",        "12abc", "e5",  "1e",  "1e+",      "--1",  "+-1",
        "1e400", "-1e400", "100000e304", ".",     ",",   "-",   "1e5.5",    "١٢"}) {
    EXPECT_FALSE(parseNumber(text).has_value()) << text;
  }
}

TEST(ParseInt16, RoundsToNearestAndChecksTheRange) {
  EXPECT_EQ(*parseInt16("21"), 21);
  EXPECT_EQ(*parseInt16("-4"), -4);
  EXPECT_EQ(*parseInt16("2.6"), 3);
  EXPECT_EQ(*parseInt16("2.5"), 2);  // halves to even
  EXPECT_EQ(*parseInt16("3,5"), 4);
  EXPECT_EQ(*parseInt16("32767"), 32767);
  EXPECT_EQ(*parseInt16("-32768"), -32768);
  EXPECT_EQ(*parseInt16("32767.4"), 32767);
  EXPECT_FALSE(parseInt16("32768").has_value());
  EXPECT_FALSE(parseInt16("-32769").has_value());
  EXPECT_FALSE(parseInt16("1e10").has_value());
  EXPECT_FALSE(parseInt16("x").has_value());
}

TEST(FormatNumber, GeneralFormFifteenDigits) {
  struct Case {
    double v;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {-5e-4, "-0.0005"},
      {5.976e24, "5.976e+24"},
      {6378000, "6378000"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {1e-21, "1e-21"},
      {123456789012345678.0, "1.23456789012346e+17"},
      {-2.5, "-2.5"},
      // The largest doubles are written rounded down, so that they read back.
      {DBL_MAX, "1.79769313486231e+308"},
      {-DBL_MAX, "-1.79769313486231e+308"},
      {1.79769313486231e308, "1.79769313486231e+308"},
      {1.7976931348623e308, "1.7976931348623e+308"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatNumber(c.v), c.text) << c.v;
}

TEST(FormatNumber, RoundTripsThroughTheParserWithinFifteenDigits) {
  for (double v : {M_PI, -1e-300, 6.02214076e23, 299792458.0, 1e15 + 1, DBL_MAX, -DBL_MAX}) {
    double back = *parseNumber(formatNumber(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
  }
}

// The value boxes show the shortest text within 12 significant digits; the
// run log keeps 15. Each row: value, box text, log text.
TEST(FormatBox, TwelveDigitsAgainstTheLogsFifteen) {
  struct Case {
    double v;
    const char* box;
    const char* log;
  } cases[] = {
      {6.38999999999991, "6.39", "6.38999999999991"},
      {25.3700000000012, "25.37", "25.3700000000012"},
      {149.999999999991, "150", "149.999999999991"},
      {69.9999999999999, "70", "69.9999999999999"},
      {33065800.0007, "33065800.0007", "33065800.0007"},
      {0.1 + 0.2, "0.3", "0.3"},
      {1.0 / 3, "0.333333333333", "0.333333333333333"},
      {-2.0 / 3, "-0.666666666667", "-0.666666666666667"},
      {-6378000, "-6378000", "-6378000"},
      {0, "0", "0"},
      {-0.0, "0", "0"},
      {-5e-4, "-0.0005", "-0.0005"},
      {1.23456789012345e-21, "1.23456789012e-21", "1.23456789012345e-21"},
      {-1.23456789012345e-21, "-1.23456789012e-21", "-1.23456789012345e-21"},
      {5.976e24, "5.976e+24", "5.976e+24"},
      {999999999999.9, "1000000000000", "999999999999.9"},
      {123456789012345.0, "123456789012000", "123456789012345"},
      {9.99999999999999e-5, "0.0001", "9.99999999999999e-05"},
      {1e15, "1e+15", "1e+15"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatBox(c.v), c.box) << c.log;
    EXPECT_EQ(formatNumber(c.v), c.log) << c.log;
  }
}

TEST(FormatBox, FewerDigitsRoundAndStayInTheGeneralForm) {
  EXPECT_EQ(formatBox(33065800.0007, 11), "33065800.001");
  EXPECT_EQ(formatBox(33065800.0007, 8), "33065800");
  EXPECT_EQ(formatBox(33065800.0007, 3), "33100000");
  EXPECT_EQ(formatBox(-1.23456789012345e-21, 2), "-1.2e-21");
  EXPECT_EQ(formatBox(9.96, 2), "10");
  EXPECT_EQ(formatBox(9.96, 1), "10");
  EXPECT_EQ(formatBox(0.25, 1), "0.2");  // the nearest double lies below
}

// Invariants over many magnitudes: the text reads back within half a unit
// of the twelfth digit, is never longer than the log's, and no shorter
// mantissa would read back the same at 12 digits.
TEST(FormatBox, ShortestTextWithinTwelveDigits) {
  double v = 0.7071067811865476;
  for (int k = 0; k < 2000; ++k) {
    v = v * -3.7 + 1e-3 / v;  // wanders over signs and magnitudes
    if (std::fabs(v) > 1e200 || std::fabs(v) < 1e-200) v = std::fmod(v, 97.0) + 0.123;
    const std::string box = formatBox(v);
    const auto back = parseNumber(box);
    ASSERT_TRUE(back) << box;
    EXPECT_LE(std::fabs(*back - v), 0.5e-11 * std::fabs(v) * (1 + 1e-12)) << box;
    EXPECT_LE(box.size(), formatNumber(v).size()) << box;
    EXPECT_EQ(box, formatBox(*back)) << box;  // stable when shown again
    std::string digits;
    for (char ch : box.substr(0, box.find('e')))
      if (ch >= '0' && ch <= '9') digits += ch;
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    const int significant = int(digits.size());
    EXPECT_LE(significant, kBoxDigits) << box;
    if (significant > 1) {
      EXPECT_NE(formatBox(v, significant - 1), box) << box;
    }
  }
}

// The window's toolkit takes the user's locale, whose decimal separator may
// be a comma; the boxes and the log still write a point.
TEST(FormatNumber, APointWhateverTheLocale) {
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  const char* comma = nullptr;
  for (const char* name : {"ru_RU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"})
    if (std::setlocale(LC_NUMERIC, name)) {
      comma = name;
      break;
    }
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_EQ(formatNumber(6.38999999999991), "6.38999999999991");
  EXPECT_EQ(formatNumber(-9.54679214270826e-13), "-9.54679214270826e-13");
  EXPECT_EQ(formatBox(6.38999999999991), "6.39");
  std::setlocale(LC_NUMERIC, before.c_str());
}
