#include "physics/cycloid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/failure.h"

namespace lumet {

namespace {

// Curve point at rolling angle fi, as P minus the point.
struct Probe {
  double cx, cy, psi, sinFi, cosFi;
};

Probe probe(const CycloidRod& rod, double fi) {
  double s = std::sin(fi), c = std::cos(fi);
  double xc = (fi - s) * rod.R2 + rod.X20;
  double yc = rod.Y20 - (1 - c) * rod.R2;
  double x0 = rod.X0();
  return {x0 - xc, rod.Y20 - yc, RayAngle(rod, xc, yc), s, c};
}

CycloidPoint found(const Probe& p, double fi, int64_t k, bool walked) {
  CycloidPoint r;
  r.fi2 = fi;
  r.psiC = p.psi;
  r.cx = p.cx;
  r.cy = p.cy;
  r.sinFi = p.sinFi;
  r.cosFi = p.cosFi;
  r.k = k;
  r.walked = walked;
  return r;
}

// The rolling angle in (0, 2·pi) where the geometric ray from P at angle t
// (0 < t < pi) meets the arch: the root of the cross product of the ray's
// direction with the offset of the curve point from P, in units of R2,
// h(fi) = (fi − sin fi − Pi)·sin t + (1 − cos fi)·cos t,
// negative at the start of the arch and positive at its end, with one sign
// change between. Newton steps kept inside a shrinking bracket.
// The walk's grid only needs the angle to a small part of its step
// (`enough`), and the confirmation below fixes a step off. Newton's error
// after a step of size d is at most about 50·d² on the arch (|h''/2h'| is
// largest near the cusp, where h' ≈ fi ≥ 0.01), so once d² < enough/1000 the
// angle reached is good enough without evaluating it again.
double rayMeetsArch(double t, double Pi, double start, double enough) {
  const double st = std::sin(t), ct = std::cos(t);
  double lo = 0, hi = 2 * std::numbers::pi;
  double x = (start > lo && start < hi) ? start : std::numbers::pi;
  for (int n = 0; n < 100; ++n) {
    double s = std::sin(x), c = std::cos(x);
    double h = (x - s - Pi) * st + (1 - c) * ct;
    if (h == 0) return x;
    if (h < 0)
      lo = x;
    else
      hi = x;
    double dh = (1 - c) * st + s * ct;
    double next = x - h / dh;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    double step = next - x;
    x = next;
    if (std::fabs(step) <= enough || (lo < next && next < hi && 1000 * step * step < enough &&
                                      std::fabs(h) <= 2 * std::fabs(step) * std::fabs(dh)))
      break;
    if (hi - lo <= 4e-16 * hi) break;
  }
  return x;
}

}  // namespace

double RayAngle(const CycloidRod& rod, double x, double y) {
  double x0 = rod.X0();
  if (x == x0) return rod.Pi / 2;
  double psi = std::fabs(std::atan(finite((rod.Y20 - y) / (x0 - x))));
  if (x > x0) psi = rod.Pi - psi;
  return psi;
}

double CycloidGuess(double psiB, double Pi) {
  double fi = 2 * psiB + (Pi / 2 - psiB) * Pi / 4;
  if (fi < Pi / 2) fi = fi - (Pi / 2 - fi) * Pi;
  if (fi > 2 * Pi - Pi / 2) fi = fi + (fi - 2 * Pi + Pi / 2) * Pi;
  return fi;
}

int64_t CycloidWalkBound(double Dfi) {
  if (!(Dfi > 0)) throw Failure{};
  double crossings = std::ceil(2 * std::numbers::pi / Dfi);
  if (!(crossings < 1e15)) throw Failure{};
  return 2 * int64_t(crossings) + 1000;
}

CycloidPoint CycloidWalk(const CycloidRod& rod, double psiB, double guess, double Dfi) {
  const int64_t bound = CycloidWalkBound(Dfi);
  double fi = guess;
  int64_t k = 0;
  for (int64_t pass = 0;; ++pass) {
    Probe p = probe(rod, fi);
    double d = p.psi - psiB;
    if (std::fabs(d) < Dfi) return found(p, fi, k, true);
    if (pass >= bound) throw Failure{};
    double next = fi - sgn(d) * Dfi;
    if (next == fi) throw Failure{};  // the step no longer moves the angle
    fi = next;
    k += int64_t(sgn(d));
  }
}

CycloidPoint CycloidSearch(const CycloidRod& rod, double psiB, double guess, double Dfi,
                           double hint) {
  if (!(Dfi > 0)) throw Failure{};
  Probe p0 = probe(rod, guess);
  double d0 = p0.psi - psiB;
  if (std::fabs(d0) < Dfi) return found(p0, guess, 0, false);

  // Off the arch, or an arch bent the wrong way: nothing to lean on.
  const double twoPi = 2 * std::numbers::pi;
  if (!(rod.R2 > 0) || !(guess >= 0 && guess <= twoPi) || !std::isfinite(rod.R2 * rod.Pi) ||
      !(psiB >= 0 && psiB <= rod.Pi))
    return CycloidWalk(rod, psiB, guess, Dfi);

  // The walk goes towards smaller angles (s = +1) while the ray angle is too
  // large and stops at the first k with psiC − psiB < Dfi; towards larger
  // ones (s = −1) until psiC − psiB > −Dfi. That edge of the window, t, is
  // where the ray angle crosses; on the right half the shown angle exceeds
  // the geometric one by Pi − pi.
  const int s = d0 > 0 ? 1 : -1;
  double t = s > 0 ? psiB + Dfi : psiB - Dfi;
  if (!(t > 0 && t < rod.Pi)) return CycloidWalk(rod, psiB, guess, Dfi);
  double tGeo = t > rod.Pi / 2 ? t - (rod.Pi - std::numbers::pi) : t;
  double start = (hint > 0 && hint < twoPi) ? hint : guess;
  double fiEdge = rayMeetsArch(tGeo, rod.Pi, start, std::max(1e-4 * Dfi, 1e-15));
  double steps = std::floor(s * (guess - fiEdge) / Dfi) + 1;
  if (!(steps >= 1 && steps < 1e15)) return CycloidWalk(rod, psiB, guess, Dfi);
  int64_t k = int64_t(steps);

  auto gridAt = [&](int64_t j) { return guess - double(s) * double(j) * Dfi; };
  auto passed = [&](const Probe& p) {  // the walk would have stopped here or beyond
    return s > 0 ? p.psi - psiB < Dfi : p.psi - psiB > -Dfi;
  };
  auto onArch = [&](double fi) { return fi >= 0 && fi <= twoPi; };

  // Confirm: the window is reached at k and not yet at k − 1; a neighbour
  // fixes an estimate that landed one step off.
  for (int tries = 0; tries < 4; ++tries) {
    double fi = gridAt(k);
    if (!onArch(fi)) break;
    Probe pk = probe(rod, fi);
    if (!passed(pk)) {
      ++k;
      continue;
    }
    if (k > 1) {
      double fiPrev = gridAt(k - 1);
      if (!onArch(fiPrev)) break;
      if (passed(probe(rod, fiPrev))) {
        --k;
        continue;
      }
    }
    // The walk stops here only when it did not step across the window.
    if (std::fabs(pk.psi - psiB) < Dfi) return found(pk, fi, s * k, false);
    break;
  }
  return CycloidWalk(rod, psiB, guess, Dfi);
}

}  // namespace lumet
