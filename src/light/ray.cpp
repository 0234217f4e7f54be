#include "light/ray.h"

#include <cmath>

#include "model/failure.h"

namespace lumet::light {

namespace {

// Angle to the vertical from its sine (the arcsine, |s| < 1).
double AngleOfSine(double s) { return std::atan(quotient(s, root(1 - s * s))); }

}  // namespace

IndexTable BuildIndexTable(bool autoDn, bool power1, double Dn) {
  IndexTable K;
  if (!autoDn) {
    // Layers 10 down to -9.
    static constexpr double kDefault[20] = {2.0, 2.0, 2.0, 2.0, 1.8, 1.6, 1.4, 1.2, 1.0, 1.2,
                                            1.4, 1.6, 1.8, 2.0, 1.8, 1.6, 1.4, 1.2, 1.0, 1.2};
    for (int n = 10; n >= -9; --n) K(n) = kDefault[10 - n];
  } else {
    for (int n = -9; n <= 10; ++n) {
      // Layers counted from the end where the index is 1.
      double steps = Dn >= 0 ? n + 9 : 10 - n;
      if (!power1) steps = steps * steps;
      K(n) = finite(Dn >= 0 ? 1 + Dn * steps : 1 - Dn * steps);
    }
  }
  K(-10) = K(-9);
  K(11) = K(10);
  return K;
}

void AimRay(LightRay& ray, double a) {
  ray.xAt(9) = a;
  ray.segmentLength = root(sqr(10.0 - 9.0) + sqr(a + 10));
  ray.sinAt(10) = quotient(ray.xAt(9) + 10, ray.segmentLength);
  ray.xAt(10) = -10;
  ray.angleAt(10) = AngleOfSine(ray.sinAt(10));
}

void StartRay(LightRay& ray) {
  ray.direction = -1;
  ray.travelTime = 0;
  ray.boundary = 9;
  ray.shown = 10;
}

Segment CrossLayer(LightRay& ray) {
  const int b = ray.boundary;
  const int prev = b - int(ray.direction);
  // Each layer is 1 m thick; a positive angle moves the ray to the right
  // whichever way it travels.
  ray.xAt(b) = finite(ray.xAt(prev) + std::tan(ray.angleAt(prev)));
  return {ray.xAt(prev), double(prev), ray.xAt(b), double(b)};
}

void Refract(LightRay& ray, const IndexTable& K) {
  const int b = ray.boundary;
  const int prev = b - int(ray.direction);
  const int crossed = ray.direction < 0 ? b + 1 : b;
  const int next = ray.direction < 0 ? b : b + 1;
  ray.segmentLength = root(sqr(ray.xAt(b) - ray.xAt(prev)) + 1);
  ray.lightSpeed = quotient(1, K(crossed));
  ray.travelTime = finite(ray.travelTime + quotient(ray.segmentLength, ray.lightSpeed));

  // Snell's law; a sine of magnitude 1 or more cannot be refracted: the ray
  // is reflected back into the layer it came from, keeping its horizontal
  // sense.
  ray.sinAt(b) = quotient(ray.sinAt(prev) * K(crossed), K(next));
  if (ray.sinAt(b) >= 1 || ray.sinAt(b) <= -1) {
    ray.sinAt(b) = ray.sinAt(prev);
    ray.angleAt(b) = ray.angleAt(prev);
    ray.direction = -ray.direction;
  } else {
    ray.angleAt(b) = AngleOfSine(ray.sinAt(b));
  }
  ray.shown = b;
}

void AdvanceRay(LightRay& ray) {
  ray.boundary += int(ray.direction);
  if (ray.boundary > 12) ray.boundary = 12;
  if (ray.boundary < -11) ray.boundary = -11;
}

}  // namespace lumet::light
