// Reading and writing numbers the same way in every box and in the run log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumet {

// A whole text as a number: blanks around it allowed, '.' or ',' as the
// decimal separator, an optional exponent. Anything else (empty text, inf,
// nan, hexadecimal, a second separator, inner blanks, trailing letters, a
// magnitude beyond a double) is not a number.
std::optional<double> parseNumber(std::string_view text);

// The text as a 16-bit integer: the number rounded to the nearest integer
// (halves to even), which must lie in -32768..32767.
std::optional<int16_t> parseInt16(std::string_view text);

// The general form with up to 15 significant digits, '.' as separator,
// exponent form for extreme magnitudes; negative zero is written "0".
std::string formatNumber(double v);

// Significant digits a value box shows.
inline constexpr int kBoxDigits = 12;

// The form of a value box: the shortest text that reads back as the value
// rounded to `digits` significant digits (6.38999999999991 is written
// "6.39"), in the general form of formatNumber: '.' as separator, exponent
// form for extreme magnitudes, negative zero written "0".
std::string formatBox(double v, int digits = kBoxDigits);

}  // namespace lumet
