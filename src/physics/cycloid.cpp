#include "physics/cycloid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/failure.h"
#include "physics/cycloid_path.h"

namespace lumet {

namespace cycloid {

Probe probe(const CycloidRod& rod, double fi) {
  double s = std::sin(fi), c = std::cos(fi);
  double xc = (fi - s) * rod.R2 + rod.X20;
  double yc = rod.Y20 - (1 - c) * rod.R2;
  double x0 = rod.X0();
  return {x0 - xc, rod.Y20 - yc, RayAngle(rod, xc, yc), s, c};
}

CycloidPoint found(const Probe& p, double fi, int64_t j, bool proven) {
  CycloidPoint r;
  r.fi2 = fi;
  r.psiC = p.psi;
  r.cx = p.cx;
  r.cy = p.cy;
  r.sinFi = p.sinFi;
  r.cosFi = p.cosFi;
  r.k = j;
  r.proven = proven;
  return r;
}

CycloidPoint Path::stopAt(int64_t k, const Probe& p, bool proven) const {
  if (!inWindow(p)) throw Failure{};
  return found(p, fiAt(k), s * k, proven);
}

CycloidPoint walkFor(const CycloidRod& rod, double psiB, double guess, double Dfi, int64_t passes) {
  int64_t j = 0, step = 0;
  for (int64_t pass = 0;; ++pass) {
    double fi = guess - double(j) * Dfi;
    Probe p = probe(rod, fi);
    double d = p.psi - psiB;
    if (std::fabs(d) < Dfi) return found(p, fi, j, true);
    // Turned round: the walk would step back and forth between this point
    // and the one it came from until its bound.
    if (pass >= passes || sgn(d) == -step) throw Failure{};
    step = int64_t(sgn(d));
    j += step;
  }
}

}  // namespace cycloid

using cycloid::Path;
using cycloid::Probe;

namespace {

// Below this bound the walk itself is cheap enough (a coarse Dfi).
constexpr int64_t kShortWalk = 4096;

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

// The bounds the search needs for the rod and Dfi: those kept when they are
// for this rod and Dfi, otherwise worked out and kept.
const CycloidBounds& rodBounds(const CycloidRod& rod, double Dfi, CycloidBounds& kept) {
  if (kept.R2 == rod.R2 && kept.X20 == rod.X20 && kept.Y20 == rod.Y20 && kept.Pi == rod.Pi &&
      kept.Dfi == Dfi)
    return kept;
  const double twoPi = 2 * std::numbers::pi;
  CycloidBounds b{rod.R2, rod.X20, rod.Y20,
                  rod.Pi, Dfi,     CycloidWalkBound(Dfi)};  // throws as the walk does
  Path path{rod, 0, 0, Dfi, 1, b.bound};
  cycloid::Rounding rounding(path, twoPi);
  b.usable = rounding.usable();
  b.side = 2 * rounding.offsetError(twoPi, 1);
  b.proof = 2 * rounding.archError();
  return kept = b;
}

// The first step of the fast route on the arch (R2 > 0, the guess on it):
// the ray angle grows with the rolling angle, so the walk's last step
// follows from the angle where the ray angle meets the edge of the window,
// t; on the right half the shown angle exceeds the geometric one by
// Pi − pi. 0 where the route does not apply.
int64_t estimateOnArch(const Path& path, const CycloidBounds& bounds, double hint) {
  const CycloidRod& rod = path.rod;
  const double twoPi = 2 * std::numbers::pi, psiB = path.psiB, Dfi = path.Dfi;
  const int s = path.s;
  if (!bounds.usable || !(rod.R2 > 0) || !(path.guess >= 0 && path.guess <= twoPi) ||
      !(psiB >= 0 && psiB <= rod.Pi))
    return 0;
  double t = s > 0 ? psiB + Dfi : psiB - Dfi;
  if (!(t > 0 && t < rod.Pi)) return 0;
  double tGeo = t > rod.Pi / 2 ? t - (rod.Pi - std::numbers::pi) : t;
  double start = (hint > 0 && hint < twoPi) ? hint : path.guess;
  double fiEdge = rayMeetsArch(tGeo, rod.Pi, start, std::max(1e-4 * Dfi, 1e-15));
  double steps = std::floor(s * (path.guess - fiEdge) / Dfi) + 1;
  return steps >= 1 && steps < double(path.bound) ? int64_t(steps) : 0;
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
  return cycloid::walkFor(rod, psiB, guess, Dfi, CycloidWalkBound(Dfi));
}

CycloidPoint CycloidSearch(const CycloidRod& rod, double psiB, double guess, double Dfi,
                           double hint, CycloidBounds* kept) {
  CycloidBounds fresh;
  const CycloidBounds& bounds = rodBounds(rod, Dfi, kept ? *kept : fresh);
  Probe p0 = cycloid::probe(rod, guess);
  double d0 = p0.psi - psiB;
  if (std::fabs(d0) < Dfi) return cycloid::found(p0, guess, 0, true);
  // A bead without a ray angle: the walk stands still until its bound.
  if (!std::isfinite(d0)) throw Failure{};
  if (bounds.bound <= kShortWalk) return CycloidWalk(rod, psiB, guess, Dfi);
  const Path path{rod, psiB, guess, Dfi, d0 > 0 ? 1 : -1, bounds.bound};
  // The fast route: the walk stops at k and not yet at k − 1 (a neighbour
  // fixes an estimate one step off). The margin at k − 1, more than twice
  // the rounding anywhere on the arch, with both ends clearly on the same
  // side of P, proves that no earlier point stops it.
  auto onArc = [](double fi) { return fi >= 0 && fi <= 2 * std::numbers::pi; };
  auto clear = [&](const Probe& p) { return std::fabs(p.cx) > bounds.side; };
  int64_t k = estimateOnArch(path, bounds, hint);
  for (int tries = 0; tries < 4 && k > 0 && k < path.bound; ++tries) {
    double fi = path.fiAt(k);
    if (!onArc(fi)) break;
    Probe pk = cycloid::probe(rod, fi);
    if (path.margin(pk) >= 0) {
      ++k;
      continue;
    }
    if (k > 1) {
      double fiPrev = path.fiAt(k - 1);
      if (!onArc(fiPrev)) break;
      Probe prev = cycloid::probe(rod, fiPrev);
      double margin = path.margin(prev);
      if (margin < 0) {
        --k;
        continue;
      }
      if (!(margin >= bounds.proof && (p0.cx < 0) == (prev.cx < 0) && clear(p0) && clear(prev)))
        break;
    }
    return path.stopAt(k, pk, true);
  }
  return cycloid::searchPieces(path);
}

// The walk visits angles below 32 in magnitude (the guess lies on the arch
// and the walk's bound spans two arches) and its offsets k·Dfi stay below
// 16, so k·Dfi is rounded to within 2^-50 and guess − k·Dfi to within 2^-49.
// Two numbers further apart than 2^-48 never round to the same one: while
// Dfi > 2^-47 neighbouring grid points stay apart and every step moves.
bool CycloidStepVanishes(double Dfi) { return Dfi > 0 && Dfi <= 0x1p-47; }

bool CycloidStepTooCoarse(double Dfi) { return !(Dfi <= 2 * 3.141592654); }

}  // namespace lumet
