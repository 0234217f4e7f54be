// The pieces the cycloid search is built from: one evaluation of a curve
// point, the walk's path from the guess, and bounds on the rounding of the
// walk's stopping test.
#pragma once

#include <cmath>
#include <cstdint>

#include "physics/cycloid.h"

namespace lumet::cycloid {

// Curve point at rolling angle fi, as P minus the point, and its ray angle.
struct Probe {
  double cx, cy, psi, sinFi, cosFi;
};

Probe probe(const CycloidRod& rod, double fi);

CycloidPoint found(const Probe& p, double fi, int64_t j, bool proven);

// The walk's path: point k (k = 0, 1, 2, ...) is the k-th point the walk
// reaches while it keeps stepping in its first direction s (+1 towards
// smaller angles, −1 towards larger ones).
struct Path {
  const CycloidRod& rod;
  double psiB, guess, Dfi;
  int s;
  int64_t bound;  // the last pass of the walk

  double fiAt(int64_t k) const { return guess - double(s * k) * Dfi; }
  Probe at(int64_t k) const { return probe(rod, fiAt(k)); }
  // s·(psiC − psiB) − Dfi: the walk goes on past a point while this is not
  // negative, and stops at the first point where it is. There it has found
  // the place when |psiC − psiB| < Dfi; otherwise it has stepped across the
  // window and turns back and forth until its bound.
  double margin(const Probe& p) const { return s * (p.psi - psiB) - Dfi; }
  bool inWindow(const Probe& p) const { return std::fabs(p.psi - psiB) < Dfi; }
  CycloidPoint stopAt(int64_t k, const Probe& p, bool proven) const;
};

// Bounds on the difference between what the walk computes and the exact
// values of the same formulas, valid on the angles |fi| ≤ reach. With them a
// computed margin proves the sign of the exact one.
class Rounding {
 public:
  Rounding(const Path& path, double reach);
  // The bounds hold: a proper arch (P near the middle of the arch, nothing
  // overflows, the offsets' errors small beside the curve's distance from P).
  bool usable() const { return usable_; }
  // A = (x0 − X20)/R2 ≈ Pi, the reference point's place along the arch.
  double A() const;
  // Largest error of the computed offset cx = x0 − xc (its sign decides the
  // side of P) at angles up to |F| whose sines are at most sinBound.
  double offsetError(double F, double sinBound) const;
  // Largest error of the computed margin at any angle between fa and fb,
  // given the probes there, when the side of P is the computed one
  // throughout; beside it the margin's own rounding, 2^-51 of itself. It
  // carries a safety factor of two: a margin of twice this bound proves the
  // sign of the exact margin there, and wherever that one is larger.
  double marginError(double fa, const Probe& pa, double fb, const Probe& pb) const;
  // The same anywhere on the first arch (0 ≤ fi ≤ 2·pi): coarser, cheaper.
  double archError() const;
  // Half-width of the band around the angle F0 where xc = x0, outside which
  // the computed side of P is the right one.
  double sideBand() const;

 private:
  double heightError(double cosGap) const;
  double bound(double F, double Sn, double Yc, double Xa, double Xmin, bool right) const;

  const Path& path_;
  double R_ = 0, x0_ = 0;
  bool usable_ = false;
};

// The general bounded search (any R2, any guess): the walk's point, or
// Failure where the walk fails.
CycloidPoint searchPieces(const Path& path);

// The plain walk for at most `passes` passes; Failure when it has not ended.
CycloidPoint walkFor(const CycloidRod& rod, double psiB, double guess, double Dfi, int64_t passes);

}  // namespace lumet::cycloid
