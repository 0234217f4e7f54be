#include "display/axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lumet {

std::vector<double> roundNumbers(double lo, double hi, int most) {
  if (lo > hi) std::swap(lo, hi);
  const double span = hi - lo;
  if (!std::isfinite(span) || !(span > 0) || most < 1) return {};
  // The step: 1, 2 or 5 times a power of ten, from the smallest that can
  // give at most `most` numbers up.
  double power = std::pow(10.0, std::floor(std::log10(span / most)));
  for (;; power *= 10) {
    for (double f : {1.0, 2.0, 5.0}) {
      const double step = f * power;
      const double first = std::ceil(lo / step), last = std::floor(hi / step);
      if (last - first + 1 > most) continue;
      std::vector<double> at;
      for (double k = first; k <= last; ++k) at.push_back(k == 0 ? 0.0 : k * step);
      return at;
    }
  }
}

std::string scaleNumber(double v, double step) {
  if (v == 0) return "0";
  char text[32];
  const double a = std::fabs(v);
  if (a < 1e-3 || a >= 1e12) {
    // As many digits as the step tells apart.
    const int digits = std::clamp(
        int(std::floor(std::log10(a))) - int(std::floor(std::log10(std::fabs(step)) + 1e-9)), 0,
        14);
    std::snprintf(text, sizeof text, "%.*e", digits, v);
    // "2.50e-05" keeps only the digits that say something: "2.5e-05".
    std::string s = text;
    const size_t e = s.find('e');
    size_t end = e;
    while (end > 0 && s[end - 1] == '0') --end;
    if (end > 0 && s[end - 1] == '.') --end;
    return s.substr(0, end) + s.substr(e);
  }
  const int decimals = std::clamp(-int(std::floor(std::log10(std::fabs(step)) + 1e-9)), 0, 12);
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

Scale scaleOf(double from, double to, double perUnit, int most, bool prefixes) {
  Scale s;
  const double lo = from * perUnit, hi = to * perUnit;
  if (!std::isfinite(perUnit) || perUnit == 0 || !std::isfinite(lo) || !std::isfinite(hi)) return s;
  const std::vector<double> numbers = roundNumbers(lo, hi, most);
  if (numbers.size() < 2) return s;
  const double step = numbers[1] - numbers[0];
  const double largest = std::max(std::fabs(lo), std::fabs(hi));
  // k, M, G while the numbers stay below 1e12 and the step is at least the
  // prefix's unit: "2 k" is 2000, never "0.002 k".
  if (prefixes && largest < 1e12) {
    while (s.power < 9 && step >= std::pow(10.0, s.power + 3) &&
           largest >= 1000 * std::pow(10.0, s.power))
      s.power += 3;
  }
  const double unit = std::pow(10.0, s.power);
  for (double v : numbers) {
    s.at.push_back(v / perUnit);
    s.labels.push_back(scaleNumber(v / unit, step / unit));
  }
  return s;
}

std::vector<PlotGroup> plottedGroups(const Model& m, const Choices& ch) {
  std::vector<PlotGroup> groups;
  const int i = ch.shown;
  if (!ch.takesPart(i)) return groups;
  const double M = 1 / m.kM;
  // The free body's coordinates are drawn at the plane picture's scale.
  if (ch.plotXY) groups.push_back({"X, Y", Unit::metre, i == 5 ? 1 / m.kMx : M});
  if (ch.plotV) groups.push_back({"VX, VY", Unit::metrePerSecond, M});
  if (ch.plotF) groups.push_back({i == 5 ? "FX, FY, Fx" : "FX, FY", Unit::newton, M});
  if (ch.plotFmFq) groups.push_back({"Fm, Fq", Unit::newton, M});
  if (ch.average[0]) groups.push_back({"<m1·V>", Unit::momentum, M});
  if (ch.average[1]) groups.push_back({"<T-U>", Unit::joule, M});
  if (ch.average[2]) groups.push_back({"<T>", Unit::joule, M});
  if (ch.average[3]) groups.push_back({"<T+U>", Unit::joule, M});
  return groups;
}

}  // namespace lumet
