// The core of the light experiment: the refractive index of 20 horizontal
// layers of 1 m each (y from -10 to 10) and a ray traced through them
// boundary by boundary by Snell's law, with total internal reflection. The
// speed of light in vacuum is 1 m/s, so a path of length L in a layer of
// index K takes L·K seconds.
#pragma once

#include <array>

namespace lumet::light {

// Refractive index by layer number n = -10..11. Layer n spans y from n - 1
// to n; -9..10 are the real layers, -10 and 11 copies of their neighbours
// below the bottom and above the top edge, so leaving never refracts.
class IndexTable {
 public:
  double& operator()(int n) { return k_[n + 10]; }
  double operator()(int n) const { return k_[n + 10]; }

 private:
  std::array<double, 22> k_{};
};

// The default table, or with "AutoDn" a law growing by Dn per layer (linear
// when power1, else square): upwards from 1 at the bottom for Dn >= 0,
// downwards from 1 at the top for Dn < 0. Throws Failure when an index
// overflows.
IndexTable BuildIndexTable(bool autoDn, bool power1, double Dn);

// A light ray; tables are indexed by boundary ordinate -11..12.
struct LightRay {
  int boundary = 9;       // boundary reached in the current step
  double direction = -1;  // -1 downwards, +1 upwards
  double segmentLength = 0;
  double lightSpeed = 0;  // 1/K in the layer just crossed
  double travelTime = 0;  // from the source to the current boundary
  int shown = 10;         // last boundary stepped inside the area

  double& xAt(int b) { return xAt_[b + 11]; }
  double& sinAt(int b) { return sinAt_[b + 11]; }
  double& angleAt(int b) { return angleAt_[b + 11]; }

 private:
  std::array<double, 24> xAt_{}, sinAt_{}, angleAt_{};
};

// Aims the ray from the source (-10, 10) through (a, 9): its sine and angle
// to the vertical in the top layer. Throws Failure when the aim is unusable.
void AimRay(LightRay& ray, double a);

// Ready to trace: downwards, no time spent, first boundary y = 9.
void StartRay(LightRay& ray);

// Whether a boundary lies in the area (-10..10), where the ray is stepped.
inline bool InArea(int b) { return b >= -10 && b <= 10; }

// Whether the ray has left the area through its top or bottom edge.
inline bool HasLeft(const LightRay& ray) { return ray.boundary <= -11 || ray.boundary >= 11; }

// Layer the ray enters at boundary b going in direction d.
inline int LayerEntered(int b, double d) { return d < 0 ? b : b + 1; }

// The path of a ray across one layer, in metres.
struct Segment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The first half of a step to the ray's boundary: the abscissa where it
// meets the boundary; returns the segment from the previous boundary.
// Throws Failure on an arithmetic failure.
Segment CrossLayer(LightRay& ray);

// The second half: path length, speed and time in the layer crossed, and
// the refraction or reflection at the boundary. Throws Failure on an
// arithmetic failure.
void Refract(LightRay& ray, const IndexTable& K);

// A whole step: CrossLayer, then Refract.
inline Segment StepRay(LightRay& ray, const IndexTable& K) {
  const Segment s = CrossLayer(ray);
  Refract(ray, K);
  return s;
}

// On to the next boundary; a ray that has left stays parked just outside.
void AdvanceRay(LightRay& ray);

}  // namespace lumet::light
