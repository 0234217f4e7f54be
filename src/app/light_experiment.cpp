// "Свет": the light experiment. The 20 m square of layers fills the right
// picture; both rays are traced pass by pass, their state shown in six
// values each, and unless "AutoPn" is ticked the user is asked after every
// pass whether to go on.
#include "app/lab.h"
#include "display/display.h"
#include "light/ray.h"

namespace lumet {

namespace {

using light::LightRay;

constexpr Rgb kRayColour[2] = {{0, 0, 255}, {255, 0, 0}};

// The six values of ray r (0 or 1): the boundary, abscissa, angle, sine,
// speed of light and time.
constexpr V kFirstValue[2] = {V::ray1_layer, V::ray2_layer};

// The state of a ray at the last boundary it reached inside the area: once
// it has left, it keeps showing its values at the edge it left by.
void showRay(Lab& lab, LightRay& ray, int r) {
  const int b = ray.shown;
  const auto value = [&](int k) { return V(int(kFirstValue[r]) + k); };
  lab.show(value(0), b);
  lab.show(value(1), ray.xAt(b));
  lab.show(value(2), finite(ray.angleAt(b) * 180 / lab.m.Pi));
  lab.show(value(3), ray.sinAt(b));
  lab.show(value(4), ray.lightSpeed);
  lab.show(value(5), ray.travelTime);
}

// The grid, and the index profile: one vertical stroke per layer at
// abscissa K - 10 m. False when the picture cannot show it.
bool drawMedium(Lab& lab, const light::IndexTable& K) {
  const double k = lab.m.kMx;
  try {
    DrawGrid1(lab.plane);
    lab.x.planeView.grid1();
    for (int n = 10; n >= -9; --n) {
      const double x = (K(n) - 10) * k;
      drawn(lab.plane.line(x, n * k, x, (n - 1) * k, kColour1));
      lab.x.planeView.fixedLine(x, n * k, x, (n - 1) * k, kColour1);
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
      if (!lab.plane.line(s.x1 * k, s.y1 * k, s.x2 * k, s.y2 * k, kRayColour[r])) return false;
      lab.x.planeView.fixedLine(s.x1 * k, s.y1 * k, s.x2 * k, s.y2 * k, kRayColour[r]);
      light::Refract(ray[r], K);
    }
    for (int r = 0; r < 2; ++r) showRay(lab, ray[r], r);
    if (!autoPn && !lab.question(Msg::LightContinue)) return true;
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
    const double Xn = readNumber(lab.p, P::Xn);
    const double Xk = readNumber(lab.p, P::Xk);
    const double Dn = readNumber(lab.p, P::Dn);
    light::AimRay(ray[0], Xn);
    light::AimRay(ray[1], Xk);
    K = light::BuildIndexTable(ch.autoDn, !ch.law.power2, Dn);
  } catch (const Failure& f) {
    return lab.badData(f);
  }

  // The 20 m square fills the picture: 2 m to the centimetre.
  lab.m.kMx = 0.5;
  for (auto& r : ray) light::StartRay(r);
  if (!drawMedium(lab, K)) return lab.message(Msg::LightAbscissa);
  // The layers for the window to name: layer n from n - 1 m up to n m.
  lab.x.layers.clear();
  for (int n = 10; n >= -9; --n) lab.x.layers.push_back({n * lab.m.kMx, (n - 1) * lab.m.kMx, K(n)});
  try {
    if (!trace(lab, ray, K, ch.autoPn, maxPasses)) lab.message(Msg::LightAbscissa);
  } catch (const Failure&) {
    lab.message(Msg::LightError);
  }
}

}  // namespace lumet
