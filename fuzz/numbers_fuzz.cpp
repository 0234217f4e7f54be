// Fuzzing the number parser and the number form of the boxes and the log.
// Every input is a box's text; an input of exactly eight bytes is also taken
// as the bits of a double to be written. What must hold:
// - a text is a number exactly when it has the shape of one (blanks around,
//   sign, digits with at most one '.' or ',', an exponent) and its magnitude
//   fits a double; the number is then finite and the nearest double to the
//   text, as the C library's strtod (an independent route) reads it;
// - the written form of a number reads back and is written again unchanged,
//   and a text of at most 15 significant digits in the range of normal
//   doubles reads back as the very same double (15 digits, as the log and
//   the boxes write them, cannot tell apart all doubles: 0.1 + 0.2 is
//   written 0.3);
// - a 16-bit box takes the number rounded to the nearest integer when that
//   lies in -32768..32767, and nothing else.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "model/numbers.h"

using namespace lumet;

namespace {

[[noreturn]] void fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "numbers: %s: \"%.*s\"\n", what, int(text.size()), text.data());
  std::abort();
}

void expect(bool holds, const char* what, std::string_view text) {
  if (!holds) fail(what, text);
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Significant digits of the mantissa: from the first non-zero digit to the
// last.
int significantDigits(std::string_view number) {
  const std::string_view mantissa = number.substr(0, number.find_first_of("eE"));
  const size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0;
  const size_t last = mantissa.find_last_of("123456789");
  int n = 0;
  for (size_t k = first; k <= last; ++k) n += mantissa[k] >= '0' && mantissa[k] <= '9';
  return n;
}

// The shape of a number, by a regular expression rather than by hand.
bool looksLikeANumber(std::string_view s) {
  static const std::regex shape(R"([+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)([eE][+-]?[0-9]+)?)");
  return std::regex_match(s.begin(), s.end(), shape);
}

void checkAgainstStrtod(std::string_view text, const std::optional<double>& v) {
  std::string s(trimmed(text));
  if (!looksLikeANumber(s)) return expect(!v, "a text not shaped as a number was read", text);
  for (char& ch : s)
    if (ch == ',') ch = '.';
  const double r = std::strtod(s.c_str(), nullptr);
  if (std::isinf(r)) return expect(!v, "a magnitude beyond a double was read", text);
  expect(v.has_value(), "a number was refused", text);
  // A magnitude below the normal doubles may read as its subnormal or as 0.
  if (std::fabs(r) < DBL_MIN) return expect(*v == r || *v == 0, "a tiny number misread", text);
  expect(*v == r, "not the nearest double", text);
}

void checkParsing(std::string_view text) {
  const std::optional<double> v = parseNumber(text);
  // The regular expression is slow on long texts; long texts are checked
  // for the invariants only.
  if (text.size() <= 64) checkAgainstStrtod(text, v);
  const std::optional<int16_t> i = parseInt16(text);
  if (!v) return expect(!i, "a 16-bit box took a text that is not a number", text);
  expect(std::isfinite(*v), "a number that is not finite", text);
  const double r = std::nearbyint(*v);
  expect(i.has_value() == (r >= -32768 && r <= 32767), "16-bit range", text);
  if (i) expect(*i == r, "16-bit rounding", text);
  const std::string written = formatNumber(*v);
  const std::optional<double> back = parseNumber(written);
  expect(back && formatNumber(*back) == written, "the written form does not read back", text);
  if (significantDigits(trimmed(text)) <= 15 && (*v == 0 || std::fabs(*v) >= DBL_MIN))
    expect(*back == *v, "15 digits did not come back as the same double", text);
}

void checkFormatting(double d) {
  char bits[40];
  std::snprintf(bits, sizeof bits, "%a", d);
  if (!std::isfinite(d)) return;
  const std::string written = formatNumber(d);
  expect(written.find_first_of("ia") == std::string::npos, "written as inf or nan", bits);
  if (d == 0) return expect(written == "0", "zero not written 0", bits);
  const std::optional<double> back = parseNumber(written);
  expect(back.has_value(), "a written number does not read back", bits);
  expect(formatNumber(*back) == written, "the written form changes when read back", bits);
  if (std::fabs(d) >= DBL_MIN)
    expect(std::fabs(*back - d) <= 1e-14 * std::fabs(d), "more than 15 digits lost", bits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  checkParsing(text);
  if (size == sizeof(double)) {
    double d;
    std::memcpy(&d, data, sizeof d);
    checkFormatting(d);
  }
  return 0;
}
