// The scales written beside the pictures: round numbers in the units of the
// physics (metres on the plane of motion, seconds and the plotted quantity's
// unit on the time plot), placed at the picture coordinates they stand for.
#pragma once

#include <string>
#include <vector>

#include "model/choices.h"
#include "model/model.h"

namespace lumet {

// The picture coordinates of the two pictures' edges, as their grids set
// them: the plane -5..5 each way, the time plot 0..14 by -4..4.
struct View {
  double left, top, right, bottom;
};
inline constexpr View kPlaneView{-5, 5, 5, -5};
inline constexpr View kPlotView{0, 4, 14, -4};

// Round numbers over lo..hi (either order): every multiple of a step of 1, 2
// or 5 times a power of ten, the step the smallest that gives at most `most`
// of them. None when the range is empty or not finite.
std::vector<double> roundNumbers(double lo, double hi, int most);

// One scale along an edge: its labels at picture coordinates, and the
// power of a thousand its numbers are written in (3 for k, 6 for M, 9 for G;
// 0 for none). Numbers out of the prefixes' reach are written in the
// exponent form, and `power` is 0.
struct Scale {
  std::vector<double> at;           // picture coordinates
  std::vector<std::string> labels;  // the numbers there
  int power = 0;
};

// The scale of the picture coordinates from..to standing for `perUnit`
// units of the physics each; at most `most` labels. Empty when perUnit is 0
// or not finite. With `prefixes` false, only the plain and exponent forms.
Scale scaleOf(double from, double to, double perUnit, int most, bool prefixes = true);

// The text of a number of a scale whose step is `step`: as many decimals as
// the step needs, "0" for zero, the exponent form ("2e-05", "3.5e+13") below
// 0.001 or from 1e12 on.
std::string scaleNumber(double v, double step);

// The units the time plot's curves are measured in.
enum class Unit { metre, metrePerSecond, newton, joule, momentum };

// A group of curves of one unit on the time plot: their symbols ("VX, VY")
// and unit, and how many units a picture unit stands for.
struct PlotGroup {
  const char* symbols;
  Unit unit;
  double perUnit;
};

// The groups of curves the time plot draws for the shown trajectory, in the
// order it draws them; none when the shown trajectory does not take part.
std::vector<PlotGroup> plottedGroups(const Model& m, const Choices& ch);

}  // namespace lumet
