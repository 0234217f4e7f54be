#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace lumet {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && isBlank(text[b])) ++b;
  while (e > b && isBlank(text[e - 1])) --e;
  std::string s(text.substr(b, e - b));
  // Validate the shape: [+-] digits [sep digits] [e [+-] digits].
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  size_t mantStart = i;
  int digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
    s[i] = '.';
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double v = 0;
  const char* first = s.data() + mantStart;
  const char* last = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ptr != last) return std::nullopt;
  if (ec == std::errc::result_out_of_range) {
    // Out of range either way: a large magnitude is not a number, a tiny one
    // is zero. The decimal place of the first significant digit tells which.
    long place = 0;
    bool seenPoint = false, seenDigit = false;
    size_t k = mantStart;
    for (; k < s.size() && s[k] != 'e' && s[k] != 'E'; ++k) {
      if (s[k] == '.') {
        seenPoint = true;
      } else if (!seenDigit && s[k] != '0') {
        seenDigit = true;
      } else if (!seenDigit && seenPoint) {
        --place;  // a zero after the point before any significant digit
      }
      if (seenDigit && !seenPoint && isDigit(s[k])) ++place;
    }
    long exponent = 0;
    if (k < s.size()) {
      long sign = 1;
      ++k;
      if (s[k] == '+' || s[k] == '-') sign = s[k++] == '-' ? -1 : 1;
      for (; k < s.size(); ++k) exponent = std::min(exponent * 10 + (s[k] - '0'), 100000L);
      exponent *= sign;
    }
    if (place + exponent > 0) return std::nullopt;
    v = 0;
  } else if (ec != std::errc()) {
    return std::nullopt;
  }
  if (!std::isfinite(v)) return std::nullopt;
  return negative ? -v : v;
}

std::optional<int16_t> parseInt16(std::string_view text) {
  auto v = parseNumber(text);
  if (!v) return std::nullopt;
  double r = std::nearbyint(*v);
  if (r < -32768.0 || r > 32767.0) return std::nullopt;
  return static_cast<int16_t>(r);
}

std::string formatNumber(double v) {
  if (v == 0) return "0";
  // The largest doubles round up, at 15 digits, past the largest double and
  // would not read back; they are written rounded down instead.
  constexpr double kTop = 1.79769313486231e308;
  if (std::fabs(v) > kTop && std::isfinite(v))
    return v < 0 ? "-1.79769313486231e+308" : "1.79769313486231e+308";
  // As printf's "%.15g", but always with '.': std::to_chars ignores the
  // locale, which the window's toolkit sets from the user's environment.
  char buf[40];
  auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
  return std::string(buf, end);
}

std::string formatBox(double v, int digits) {
  if (v == 0 || !std::isfinite(v)) return formatNumber(v);
  digits = std::clamp(digits, 1, 15);
  // The value rounded to the digits, in exponent form: its mantissa holds
  // every digit that stays, trailing zeros included.
  char buf[40];
  auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1).ptr;
  double rounded = v;
  std::from_chars(buf, end, rounded);
  // Read back, that decimal is a double whose general form with 15 digits
  // is the decimal itself without its trailing zeros (15 digits name every
  // decimal of up to 15 digits uniquely).
  return formatNumber(rounded);
}

}  // namespace lumet
