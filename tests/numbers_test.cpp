#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
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
