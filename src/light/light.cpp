#include "light/light.h"

#include "display/display.h"
#include "light/ray.h"
#include "model/messages.h"
#include "model/numbers.h"

namespace lumet {

namespace {

using light::LightRay;

// A trace that runs this long has stopped making progress.
constexpr int kMaxPasses = 10000;

constexpr Rgb kRayColour[2] = {{0, 0, 255}, {255, 0, 0}};

struct RayBoxes {
  ControlId boundary, x, angle, sine, speed, time;
};
constexpr RayBoxes kBoxes[2] = {{Text34, Text35, Text36, Text37, Text38, Text39},
                                {Text44, Text45, Text46, Text47, Text48, Text49}};

// The state of a ray at the last boundary it reached inside the area: once
// it has left, it keeps showing its values at the edge it left by.
void ShowRay(Lab& lab, LightRay& ray, const RayBoxes& box) {
  const int b = ray.shown;
  lab.c.setText(box.boundary, formatBox(b));
  lab.c.setText(box.x, formatBox(ray.xAt(b)));
  lab.c.setText(box.angle, formatBox(ok(ray.angleAt(b) * 180 / lab.m.Pi)));
  lab.c.setText(box.sine, formatBox(ray.sinAt(b)));
  lab.c.setText(box.speed, formatBox(ray.lightSpeed));
  lab.c.setText(box.time, formatBox(ray.travelTime));
}

}  // namespace

void LightExperiment(Lab& lab) { light::RunExperiment(lab, kMaxPasses); }

void light::RunExperiment(Lab& lab, int maxPasses) {
  Model& m = lab.m;
  Canvas& p = *lab.Picture1;
  LightRay ray[2];
  light::IndexTable K;

  // Inputs, aims and the index table first: unusable data changes nothing.
  try {
    const double Xn = num(lab, Text9);
    const double Xk = num(lab, Text19);
    const double Dn = num(lab, Text25);
    light::AimRay(ray[0], Xn);
    light::AimRay(ray[1], Xk);
    K = light::BuildIndexTable(lab.on(Check14), lab.on(Option10), Dn);
  } catch (const Failure&) {
    lab.message(msg::kBadData);
    return;
  }

  // The 20 m square fills the picture: 2 m to the centimetre.
  m.kMx = 0.5;
  DrawGrid1(lab);
  for (auto& r : ray) light::StartRay(r);

  // The index profile: one vertical stroke per layer at abscissa K - 10 m.
  for (int n = 10; n >= -9; --n) {
    const double x = (K(n) - 10) * m.kMx;
    if (!p.line(x, n * m.kMx, x, (n - 1) * m.kMx, kColour1)) {
      lab.message(msg::kLightAbscissa);
      return;
    }
  }

  try {
    for (int pass = 1;; ++pass) {
      for (int r = 0; r < 2; ++r)
        if (light::InArea(ray[r].boundary)) light::StepRay(ray[r], K, m.kMx, &p, kRayColour[r]);
      for (int r = 0; r < 2; ++r) ShowRay(lab, ray[r], kBoxes[r]);
      if (!lab.on(Check15) && !lab.question(msg::kLightContinue)) return;
      for (auto& r : ray) light::AdvanceRay(r);
      if (light::HasLeft(ray[0]) && light::HasLeft(ray[1])) return;
      if (pass >= maxPasses) throw Failure{};
    }
  } catch (const light::SegmentNotDrawable&) {
    lab.message(msg::kLightAbscissa);
  } catch (const Failure&) {
    lab.message(msg::kLightError);
  }
}

}  // namespace lumet
