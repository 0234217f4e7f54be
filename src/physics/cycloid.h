// The nearest place on the cycloid rod for a bead: the rolling angle whose
// curve point is seen from the reference point P = (Pi·R2 + X20, Y20) under
// the same ray angle as the bead, within the tolerance Dfi.
//
// The reference is a walk in steps of Dfi from a guess, stopping at the first
// point of its grid whose ray angle is within Dfi of the bead's. The fast
// search finds the same grid point without walking: on the arch (0..2·pi,
// R2 > 0) the ray angle grows monotonically with the rolling angle, so the
// number of steps k follows from the rolling angle where the ray angle meets
// the edge of the acceptance window, and two evaluations confirm it.
#pragma once

#include <cmath>
#include <cstdint>

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
  int64_t k = 0;                // steps taken from the guess (signed: + towards smaller fi)
  bool walked = false;          // found by the plain walk (no monotony to lean on)
};

// Largest number of passes the walk may take: twice the crossing of the whole
// arch at this Dfi, plus a margin. Beyond it the search gives up.
int64_t CycloidWalkBound(double Dfi);

// The plain walk from the guess in steps of Dfi. Throws Failure when it has
// not ended within CycloidWalkBound(Dfi) passes.
CycloidPoint CycloidWalk(const CycloidRod& rod, double psiB, double guess, double Dfi);

// The same point as the walk, found in a handful of evaluations; falls back
// to the walk where the ray angle cannot be shown monotonic. A hint (say the
// angle found a moment ago) only speeds the search up: the point found is
// the walk's whatever the hint.
CycloidPoint CycloidSearch(const CycloidRod& rod, double psiB, double guess, double Dfi,
                           double hint = NAN);

}  // namespace lumet
