// The nearest place on the cycloid rod for a bead: the rolling angle whose
// curve point is seen from the reference point P = (Pi·R2 + X20, Y20) under
// the same ray angle as the bead, within the tolerance Dfi.
//
// The reference is a walk over the grid guess − j·Dfi (j = 0, ±1, ±2, ...):
// from j = 0 it steps by the sign of psiC − psiB and stops at the first
// point whose ray angle is within Dfi of the bead's. The search finds the
// same point, or the same failure, in bounded time whatever Dfi: it splits
// the walk's path where the ray angle turns or jumps, brackets the first
// point where the walk would stop, and locates it by bisection over j with
// the walk's own test, proving from bounds on the rounding that no earlier
// point stops the walk.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/model.h"

namespace lumet {

struct CycloidRod {
  double R2 = 0, X20 = 0, Y20 = 0;
  double Pi = 3.141592654;
  double X0() const { return Pi * R2 + X20; }
};

// Ray angle of the point (x, y) seen from P: 0 towards the start of the arch,
// Pi/2 straight below P, Pi towards its end. Throws Failure on overflow.
double RayAngle(const CycloidRod& rod, double x, double y);

// The walk's starting rolling angle for a bead of ray angle psiB.
double CycloidGuess(double psiB, double Pi);

struct CycloidPoint {
  double fi2 = 0;               // rolling angle found
  double psiC = 0;              // ray angle of the curve point there
  double cx = 0, cy = 0;        // P minus the curve point
  double sinFi = 0, cosFi = 0;  // sin and cos of fi2
  int64_t k = 0;                // grid index j of the point: fi2 = guess − j·Dfi
  // Shown to be the walk's own point. False only where rounding noise left
  // more candidates than the search may test one by one and it chose by
  // bisection (or the arch is too degenerate for the bounds to hold).
  bool proven = true;
};

// Largest number of passes the walk may take: twice the crossing of the whole
// arch at this Dfi, plus a margin. Beyond it the walk gives up.
int64_t CycloidWalkBound(double Dfi);

// The plain walk from the guess over the grid guess − j·Dfi. Throws Failure
// when it has not ended within CycloidWalkBound(Dfi) passes, and as soon as
// it turns round: having stepped across the acceptance window, it would step
// back and forth between two points until that bound.
CycloidPoint CycloidWalk(const CycloidRod& rod, double psiB, double guess, double Dfi);

// The walk's point (or its failure) in bounded time: well under a
// millisecond at any Dfi. A hint (say the angle found a moment ago) only
// speeds the search up: the point found is the walk's whatever the hint.
// The bounds for the rod and Dfi are kept in `kept` when it is given (the
// rod's state of a run), so that they are worked out once.
CycloidPoint CycloidSearch(const CycloidRod& rod, double psiB, double guess, double Dfi,
                           double hint = NAN, CycloidBounds* kept = nullptr);

// True when a step of Dfi may vanish in rounding somewhere on the walk's
// path, so that neighbouring grid points guess − j·Dfi coincide: the floor
// of the tolerance, which "--" does not go below.
bool CycloidStepVanishes(double Dfi);

// True when a step of Dfi is coarser than a whole turn of the rolling circle
// (2·Pi), or no number: one step of the search would pass over the whole
// arch. The ceiling of the tolerance, which "+" does not go above.
bool CycloidStepTooCoarse(double Dfi);

}  // namespace lumet
