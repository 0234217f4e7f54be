// The bounded search over the walk's whole path, for any arch and any guess.
//
// Seen from P the curve point's ray angle is psi = φ(fi) for R2 > 0 and
// pi − φ(fi) for R2 < 0 (plus Pi − pi right of P), where
// φ = atan2(1 − cos fi, A − fi + sin fi) and A = (x0 − X20)/R2 ≈ Pi. Its
// slope has the sign of D(fi) = (A − fi + sin fi)·sin fi + (1 − cos fi)²,
// which vanishes at the cusps 2·pi·m and once inside each arch but the first:
// on the first arch psi is monotonic, on every other it turns once. Right of
// P (past F0, where fi − sin fi = A) the shown angle is Pi − pi higher, a
// jump in the direction psi already goes.
//
// So the path splits into pieces on which the exact margin of the walk's
// test is monotonic. On a piece where it falls along the walk, a point whose
// computed margin exceeds twice the rounding bound proves that the walk goes
// on past every point before it; bisection over the grid finds the last such
// point, and the few points after it, where rounding could decide either
// way, are tested one by one. Only a small band around F0, where the
// computed side of P may be the wrong one, is tested point by point
// throughout.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

#include "physics/cycloid_path.h"
#include "physics/physics.h"

namespace lumet::cycloid {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2 * kPi;
constexpr double kU = 0x1p-53;       // unit roundoff
constexpr double kTiny = 0x1p-1074;  // rounding of a result that underflows
// How many points the search may test one by one per evaluation (about a
// third of a millisecond).
constexpr int64_t kScanBudget = 8192;

// The smallest distance from P to the curve, in units of |R2|, is 2 (at the
// bottom of the arch) for A within 0.01 of Pi.
constexpr double kNearest = 1.9;

}  // namespace

Rounding::Rounding(const Path& path, double reach) : path_(path) {
  const CycloidRod& rod = path.rod;
  R_ = std::fabs(rod.R2);
  x0_ = rod.X0();
  const double big = 1e300;
  if (!(R_ >= 1e-290 && reach <= 25 && R_ * (reach + 2) < big && std::fabs(rod.X20) < big &&
        std::fabs(rod.Y20) < big && std::fabs(x0_) < big && std::fabs(rod.Pi - kPi) < 1e-6))
    return;
  // P within 0.01·|R2| of the middle of the arch (A within 0.01 of Pi), and
  // the offsets' errors small beside the curve's distance from P.
  double offsets = offsetError(reach, 1) + heightError(2);
  usable_ =
      std::fabs(x0_ - rod.X20 - rod.Pi * rod.R2) <= 0.009 * R_ && offsets <= 0.05 * kNearest * R_;
}

double Rounding::A() const { return (x0_ - path_.rod.X20) / path_.rod.R2; }

// x0 − xc from sin (within two units of the last place), fi − sin fi, the
// product with R2, the sum with X20 and the difference from x0.
double Rounding::offsetError(double F, double sinBound) const {
  const CycloidRod& rod = path_.rod;
  double e = R_ * (4 * kU * sinBound + 3 * kU * (F + sinBound)) + 2 * kU * std::fabs(rod.X20) +
             kU * std::fabs(x0_);
  return 1.01 * e + 8 * kTiny;
}

// Y20 − yc from cos (within two units), 1 − cos fi (at most `cosGap`), the
// product with R2, the difference from Y20 and back.
double Rounding::heightError(double cosGap) const {
  double e = R_ * (4 * kU + 4 * kU * cosGap) + kU * std::fabs(path_.rod.Y20);
  return 1.01 * e + 8 * kTiny;
}

// The error of the margin, given bounds on the angles' magnitude F, on
// |sin fi| and 1 − cos fi, and on |x0 − xc| (at most Xa, at least Xmin).
double Rounding::bound(double F, double Sn, double Yc, double Xa, double Xmin, bool right) const {
  double eX = offsetError(F, Sn), eY = heightError(Yc);
  double rho = std::max(kNearest * R_, Xmin);
  if (!(eX + eY <= 0.05 * rho)) return std::numeric_limits<double>::infinity();
  double atanOf = Xmin > 0 ? std::min(kPi / 2, R_ * Yc / Xmin) : kPi / 2;
  // The offsets' errors turned into the angle, the quotient, atan (two
  // units), Pi − psi right of P, and psiC − psiB and the margin themselves.
  double e = 1.1 * ((Xa + eX) * eY + R_ * Yc * eX) / (rho * rho) + 5 * kU * atanOf +
             (right ? 4 * kU : 0) + 2 * kU * path_.Dfi;
  // Twice that for safety, and a trace for the turning points' places.
  return 2.02 * e + 1e-24;
}

double Rounding::marginError(double fa, const Probe& pa, double fb, const Probe& pb) const {
  double lo = std::min(fa, fb), hi = std::max(fa, fb);
  // 1 − cos fi and |sin fi| from the distance to the nearest cusp.
  double m = std::round(0.5 * (lo + hi) / kTwoPi);
  double delta = std::max(std::fabs(lo - m * kTwoPi), std::fabs(hi - m * kTwoPi));
  delta += 1e-15 * (std::fabs(m) + 1);
  double Yc = 2, Sn = 1;
  if (delta < kPi) Yc = std::min(2.0, 0.5 * delta * delta), Sn = std::min(1.0, delta);
  // x0 − xc is monotonic in fi: its extremes lie at the ends.
  double F = std::max(std::fabs(lo), std::fabs(hi));
  double eX = offsetError(F, Sn);
  double xa = std::fabs(pa.cx), xb = std::fabs(pb.cx);
  double Xmin = (pa.cx < 0) == (pb.cx < 0) ? std::max(0.0, std::min(xa, xb) - eX) : 0;
  return bound(F, Sn, Yc, std::max(xa, xb) + eX, Xmin, pa.cx < 0 || pb.cx < 0);
}

// Anywhere on the first arch: |fi| ≤ 2·pi, |x0 − xc| ≤ (Pi + 2·pi + 1)·|R2|.
double Rounding::archError() const { return bound(2 * kPi, 1, 2, 10.5 * R_, 0, true); }

double Rounding::sideBand() const { return 1.5 * offsetError(3.5, 0.35) / (kNearest * R_); }

namespace {

// One stretch of the path, points first..last, on which the exact ray angle
// grows with fi (dir = +1: the margin falls along the walk) or falls
// (dir = −1); dir = 0 for the band around F0.
struct Piece {
  int64_t first, last;
  int dir;
};

struct Stop {
  int64_t k;
  Probe p;
};

class PieceSearch {
 public:
  explicit PieceSearch(const Path& path);
  CycloidPoint run();

 private:
  double slope(double f) const;
  double turn(int m);
  int archOf(double f) const;
  double nextBoundary(double f);
  int direction(double f);
  int64_t firstBeyond(double b, int64_t from) const;
  Piece pieceFrom(int64_t k);
  std::optional<Stop> approach(const Piece& pc);
  std::optional<Stop> recede(const Piece& pc);
  std::optional<Stop> settle(int64_t lo, int64_t last, double marginLast, const Probe& pLast);
  std::optional<Stop> scanOn(int64_t from, int64_t last);
  Stop bisectStop(int64_t lo, int64_t hi, const Probe& pHi) const;
  double error(int64_t a, const Probe& pa, int64_t b, const Probe& pb) const {
    return rounding_.marginError(path_.fiAt(a), pa, path_.fiAt(b), pb);
  }

  const Path& path_;
  Rounding rounding_;
  int w_;  // sign of the walk's steps in fi
  double A_ = 0, F0_ = 0, band_ = 0;
  std::array<double, 16> turns_;  // turning angle inside arch m, at m + 8
  int64_t budget_ = kScanBudget;
  bool proven_ = true;
};

double reachOf(const Path& path) {
  double end = path.guess - double(path.s * path.bound) * path.Dfi;
  return std::max(std::fabs(path.guess), std::fabs(end)) + 1e-9;
}

PieceSearch::PieceSearch(const Path& path)
    : path_(path), rounding_(path, reachOf(path)), w_(-path.s) {
  turns_.fill(NAN);
  if (!rounding_.usable()) return;
  // F0: fi − sin fi = A, by Newton's steps from A (the slope is near 2).
  A_ = rounding_.A();
  double f = A_;
  for (int n = 0; n < 8; ++n) f -= (f - std::sin(f) - A_) / (1 - std::cos(f));
  F0_ = f;
  // The band also covers the rounding of A and of the last Newton step.
  band_ = rounding_.sideBand() + 16 * kU * (std::fabs(A_) + 4);
}

double PieceSearch::slope(double f) const {
  double s = std::sin(f), c = std::cos(f);
  return (A_ - f + s) * s + (1 - c) * (1 - c);
}

// The turning angle inside arch m ≠ 0 (angles 2·pi·m .. 2·pi·(m + 1)): D
// changes sign once, from − to + right of P, from + to − left of it.
double PieceSearch::turn(int m) {
  double& t = turns_[size_t(m + 8)];
  if (!std::isnan(t)) return t;
  double lo = m * kTwoPi + 0.5, hi = (m + 1) * kTwoPi - 0.5;
  bool riseAtLo = m < 0;
  for (int n = 0; n < 64; ++n) {
    double mid = 0.5 * (lo + hi);
    if (mid <= lo || mid >= hi) break;
    ((slope(mid) > 0) == riseAtLo ? lo : hi) = mid;
  }
  return t = 0.5 * (lo + hi);
}

int PieceSearch::archOf(double f) const {
  int m = int(std::floor(f / kTwoPi));
  while (f < m * kTwoPi) --m;
  while (f >= (m + 1) * kTwoPi) ++m;
  return m;
}

// The nearest cusp, turning angle or band edge beyond f along the walk.
double PieceSearch::nextBoundary(double f) {
  int a = archOf(f);
  double best = w_ * std::numeric_limits<double>::infinity();
  auto consider = [&](double b) {
    if (w_ * (b - f) > 0 && w_ * (b - best) < 0) best = b;
  };
  for (int m = a - 1; m <= a + 1; ++m) {
    consider(m * kTwoPi);
    if (m == 0) {
      consider(F0_ - band_);
      consider(F0_ + band_);
    } else {
      consider(turn(m));
    }
  }
  return best;
}

// Whether the exact ray angle grows (+1) or falls (−1) with fi around f,
// away from the boundaries; 0 inside the band around F0.
int PieceSearch::direction(double f) {
  int m = archOf(f);
  int dir = 1;
  if (m == 0) {
    if (std::fabs(f - F0_) < band_) return 0;
  } else {
    bool beforeTurn = f < turn(m);
    dir = (m > 0) == beforeTurn ? -1 : 1;
  }
  return path_.rod.R2 > 0 ? dir : -dir;
}

// The first point from `from` on whose angle lies beyond b along the walk
// (bound + 1 when none does): a bracket around the estimate, then bisection.
int64_t PieceSearch::firstBeyond(double b, int64_t from) const {
  const int64_t end = path_.bound + 1;
  auto beyond = [&](int64_t k) { return k >= end || w_ * (path_.fiAt(k) - b) > 0; };
  if (beyond(from)) return from;
  int64_t lo = from, hi = end;
  double est = w_ * (b - path_.guess) / path_.Dfi;
  if (est > double(from) && est < double(end)) {
    int64_t near = int64_t(est);
    for (int64_t step = 2;; step *= 8) {
      int64_t a = std::max(from, near - step), c = std::min(end, near + step);
      if (!beyond(a) && beyond(c)) {
        lo = a, hi = c;
        break;
      }
      if (a == from && c == end) break;
    }
  }
  while (hi - lo > 1) {
    int64_t mid = lo + (hi - lo) / 2;
    (beyond(mid) ? hi : lo) = mid;
  }
  return hi;
}

Piece PieceSearch::pieceFrom(int64_t k) {
  double f = path_.fiAt(k);
  double b = nextBoundary(f);
  int64_t last = std::min(path_.bound, firstBeyond(b, k) - 1);
  return {k, last, direction(0.5 * (f + b))};
}

// The margin falls along the piece. When even its last point proves the
// others, nothing stops the walk here; otherwise bisection finds the last
// point that proves all before it, and the points after it are settled.
std::optional<Stop> PieceSearch::approach(const Piece& pc) {
  Probe pa = path_.at(pc.first), pb = path_.at(pc.last);
  double mb = path_.margin(pb);
  if (mb >= 2 * error(pc.first, pa, pc.last, pb)) return std::nullopt;
  double ma = path_.margin(pa);
  if (ma < 0) return Stop{pc.first, pa};
  int64_t lo = pc.first, hi = pc.last;
  if (ma >= 2 * error(lo, pa, lo, pa)) {
    Probe pLo = pa;
    while (hi - lo > 1) {
      int64_t mid = lo + (hi - lo) / 2;
      Probe pm = path_.at(mid);
      if (path_.margin(pm) >= 2 * error(lo, pLo, mid, pm)) {
        lo = mid;
        pLo = pm;
      } else {
        hi = mid;
      }
    }
  }
  return settle(lo, pc.last, mb, pb);
}

// The points after lo (whose margin is not negative, and before which none
// stops the walk) up to last, whose margin is marginLast: the first
// negative margin among them, tested one by one where the budget allows.
// Where it does not, the margin is taken to fall steadily there (as it does
// unless rounding makes it waver): bisection finds where it turns negative.
std::optional<Stop> PieceSearch::settle(int64_t lo, int64_t last, double marginLast,
                                        const Probe& pLast) {
  int64_t end = last;
  std::optional<Stop> turn;
  if (marginLast < 0) {
    turn = bisectStop(lo, last, pLast);
    end = turn->k;
  }
  if (end - lo <= budget_) return scanOn(lo + 1, end);
  proven_ = false;
  return turn;
}

// The margin grows along the piece: only its first points can stop the
// walk, up to the first point that proves the rest.
std::optional<Stop> PieceSearch::recede(const Piece& pc) {
  Probe pa = path_.at(pc.first);
  double ma = path_.margin(pa);
  if (ma < 0) return Stop{pc.first, pa};
  Probe pb = path_.at(pc.last);
  double proof = 2 * error(pc.first, pa, pc.last, pb);
  if (ma >= proof) return std::nullopt;
  // Where the margin reaches the proof, taking it to grow steadily.
  int64_t lo = pc.first, hi = pc.last;
  if (path_.margin(pb) >= proof) {
    while (hi - lo > 1) {
      int64_t mid = lo + (hi - lo) / 2;
      (path_.margin(path_.at(mid)) >= proof ? hi : lo) = mid;
    }
  }
  if (hi - pc.first > budget_) {
    proven_ = false;
    return std::nullopt;
  }
  return scanOn(pc.first + 1, hi);
}

// Points from..last one by one, up to the first that stops the walk.
std::optional<Stop> PieceSearch::scanOn(int64_t from, int64_t last) {
  for (int64_t k = from; k <= last; ++k) {
    --budget_;
    Probe p = path_.at(k);
    if (path_.margin(p) < 0) return Stop{k, p};
  }
  return std::nullopt;
}

// A point where the margin turns negative between lo (not negative) and hi
// (negative).
Stop PieceSearch::bisectStop(int64_t lo, int64_t hi, const Probe& pHi) const {
  Probe p = pHi;
  while (hi - lo > 1) {
    int64_t mid = lo + (hi - lo) / 2;
    Probe pm = path_.at(mid);
    if (path_.margin(pm) < 0) {
      hi = mid;
      p = pm;
    } else {
      lo = mid;
    }
  }
  return Stop{hi, p};
}

CycloidPoint PieceSearch::run() {
  const CycloidRod& rod = path_.rod;
  // R2 = 0: every curve point is P itself, at the ray angle Pi/2.
  if (rod.R2 == 0) throw Failure{};
  if (!rounding_.usable()) {
    // A degenerate arch: the walk for as long as the budget allows.
    CycloidPoint p = walkFor(rod, path_.psiB, path_.guess, path_.Dfi, kScanBudget);
    p.proven = false;
    return p;
  }
  for (int64_t k = 0; k <= path_.bound;) {
    Piece pc = pieceFrom(k);
    std::optional<Stop> stop;
    if (pc.dir > 0) {
      stop = approach(pc);
    } else if (pc.dir < 0) {
      stop = recede(pc);
    } else {
      // The band: every point; past the budget, as the arch goes on.
      Probe pb = path_.at(pc.last);
      stop = settle(pc.first - 1, pc.last, rod.R2 > 0 ? path_.margin(pb) : 0, pb);
    }
    if (stop) return path_.stopAt(stop->k, stop->p, proven_);
    k = pc.last + 1;
  }
  throw Failure{};
}

}  // namespace

CycloidPoint searchPieces(const Path& path) { return PieceSearch(path).run(); }

}  // namespace lumet::cycloid
