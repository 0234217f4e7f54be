// "Свет": the light experiment. The 20 m square of layers fills the right
// picture; both rays are traced pass by pass, their state shown in twelve
// boxes, and unless "AutoPn" is ticked the user is asked after every pass
// whether to go on.
#include "app/lab.h"
#include "display/display.h"
#include "light/ray.h"
#include "model/messages.h"

namespace lumet {

namespace {

using light::LightRay;

constexpr Rgb kRayColour[2] = {{0, 0, 255}, {255, 0, 0}};

struct RayBoxes {
  ControlId boundary, x, angle, sine, speed, time;
};
constexpr RayBoxes kBoxes[2] = {{Text34, Text35, Text36, Text37, Text38, Text39},
                                {Text44, Text45, Text46, Text47, Text48, Text49}};

// The state of a ray at the last boundary it reached inside the area: once
// it has left, it keeps showing its values at the edge it left by.
void showRay(Lab& lab, LightRay& ray, const RayBoxes& box) {
  const int b = ray.shown;
  lab.show(box.boundary, b);
  lab.show(box.x, ray.xAt(b));
  lab.show(box.angle, finite(ray.angleAt(b) * 180 / lab.m.Pi));
  lab.show(box.sine, ray.sinAt(b));
  lab.show(box.speed, ray.lightSpeed);
  lab.show(box.time, ray.travelTime);
}

// The grid, and the index profile: one vertical stroke per layer at
// abscissa K - 10 m. False when the picture cannot show it.
bool drawMedium(Lab& lab, const light::IndexTable& K) {
  const double k = lab.m.kMx;
  try {
    DrawGrid1(*lab.Picture1);
    for (int n = 10; n >= -9; --n) {
      const double x = (K(n) - 10) * k;
      drawn(lab.Picture1->line(x, n * k, x, (n - 1) * k, kColour1));
    }
  } catch (const Failure&) {
    return false;
  }
  return true;
}

// The passes of both rays until both have left, the user says no, or the
// bound is reached. Throws Failure on an arithmetic failure; false when a
// segment cannot be drawn.
bool trace(Lab& lab, LightRay (&ray)[2], const light::IndexTable& K, bool autoPn, int maxPasses) {
  const double k = lab.m.kMx;
  for (int pass = 1;; ++pass) {
    for (int r = 0; r < 2; ++r) {
      if (!light::InArea(ray[r].boundary)) continue;
      const light::Segment s = light::CrossLayer(ray[r]);
      if (!lab.Picture1->line(s.x1 * k, s.y1 * k, s.x2 * k, s.y2 * k, kRayColour[r])) return false;
      light::Refract(ray[r], K);
    }
    for (int r = 0; r < 2; ++r) showRay(lab, ray[r], kBoxes[r]);
    if (!autoPn && !lab.question(msg::kLightContinue)) return true;
    for (auto& r : ray) light::AdvanceRay(r);
    if (light::HasLeft(ray[0]) && light::HasLeft(ray[1])) return true;
    if (pass >= maxPasses) throw Failure{};
  }
}

}  // namespace

void LightExperiment(Lab& lab, int maxPasses) {
  const Choices ch = lab.choices();
  LightRay ray[2];
  light::IndexTable K;

  // Inputs, aims and the index table first: unusable data changes nothing.
  try {
    const double Xn = readNumber(lab.c, Text9);
    const double Xk = readNumber(lab.c, Text19);
    const double Dn = readNumber(lab.c, Text25);
    light::AimRay(ray[0], Xn);
    light::AimRay(ray[1], Xk);
    K = light::BuildIndexTable(ch.autoDn, !ch.law.power2, Dn);
  } catch (const Failure& f) {
    return lab.badData(f);
  }

  // The 20 m square fills the picture: 2 m to the centimetre.
  lab.m.kMx = 0.5;
  for (auto& r : ray) light::StartRay(r);
  if (!drawMedium(lab, K)) return lab.message(msg::kLightAbscissa);
  try {
    if (!trace(lab, ray, K, ch.autoPn, maxPasses)) lab.message(msg::kLightAbscissa);
  } catch (const Failure&) {
    lab.message(msg::kLightError);
  }
}

}  // namespace lumet
