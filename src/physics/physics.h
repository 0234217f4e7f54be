// Motion: the field of mass 2 (and mass 3), the equations of motion of the
// five bodies, the rods' reactions, one integration step and the energy,
// action and relativistic-time bookkeeping that follows it. Everything here
// computes on the model; a failure is thrown as Failure, and the laboratory
// layer shows it.
#pragma once

#include <cmath>
#include <optional>

#include "model/choices.h"
#include "model/failure.h"
#include "model/model.h"
#include "model/parameters.h"

namespace lumet {

// --- The field ---

// k/r/r, as the inverse-square laws are written.
double inverseSquare(double k, double r);

// Strength of the field of mass 2 at distance lr under the law: its electric
// part Fq and gravitational part Fm, both Fq0, Fm0 at lr = Rz.
void fieldStrength(const Model& m, FieldLaw law, double lr, double& Fq, double& Fm);

// Direction of an attraction seen from offsets (xr, yr) from its centre:
// Pi/2 on the vertical, otherwise |atan(yr/xr)|.
double attractionAngle(const Model& m, double xr, double yr);

// Components of an attraction F (positive towards the centre) at offsets
// (xr, yr) from that centre, along the angle beta.
void attraction(double F, double beta, double xr, double yr, double& fx, double& fy);

struct Energies {
  double Eq = 0, Em = 0;  // electric and gravitational potential energy
};

// Potential energies in the field of mass 2 at distance lr, measured from
// the zero level of the law. Not for the law falling as 1/r, whose energy
// has no closed form here: it is summed along the way.
Energies PotentialEnergies(const Model& m, FieldLaw law, double lr);

struct ThirdBodyField {
  Energies U;     // energies in the fields of mass 2 and mass 3
  double d3 = 0;  // distance to mass 3
};

// With mass 3 present: the inverse-square energies of mass 2 and mass 3 at
// (x, y), each measured from its own zero-level radius (R13, R03).
ThirdBodyField ThirdBodyEnergies(const Model& m, double x, double y);

// Polar angle, 0..2·Pi, of the point (x, y) seen from the centre (cx, cy):
// Pi/2 straight above, 3·Pi/2 straight below (and at the centre itself
// Pi/2), 2·Pi (not 0) level with it on the right.
double PolarAngle(const Model& m, double cx, double cy, double x, double y);

// --- Equations of motion ---

// Right-hand side of the equations of motion: reads S, writes dS and the
// per-body forces. A body reaching the plane of a flat field lands there.
// dS is written only when every derivative exists.
void Diffur1(Model& m, const Choices& ch);

// The line's slope al1 with the sine, cosine and tangent its reaction uses
// at every evaluation.
void SetLineSlope(Model& m, double al1);

// The reaction of rod i (1 line, 2 cycloid, 3 parabola, 4 arc) on its bead:
// writes dL(i), Fx(i), Fy(i).
void Constraint(Model& m, const Choices& ch, int i);

// --- Bookkeeping ---

// Energy, path, relativistic time and action integrals of trajectory i
// after a step.
void UpdateTrajectory(Model& m, const Choices& ch, int i);

// Copies the eight running integrals of trajectory i into their frozen twins.
void FreezeIntegrals(Model& m, int i);

// The four shown columns of trajectory i: totals or averages, by time or path.
void FillTable(Model& m, const Choices& ch, int i);

// --- The step ---

// The picture scales and the external X force as the run parameters hold
// them at this step (the force times cos(w·T) with "cos"). A parameter whose
// text the step cannot use keeps its last usable value, so that a box being
// edited during a run does not stop it; bit k of the result is set when
// kRunParameters[k] did.
unsigned ReadRunParameters(Model& m, const Parameters& p, const Choices& ch);

// What one step did, beside the state it changed.
struct StepOutcome {
  bool refresh = false;   // the pictures and boxes are refreshed (every NCg steps)
  bool finished = false;  // a trajectory reached its end in this step
};

// One step of all five bodies (Euler or the four-stage scheme), then the
// bookkeeping, finish test and table of every trajectory that takes part;
// a refresh chooses the shown trajectory iShow.
StepOutcome Advance(Model& m, const Choices& ch);

// At a refresh: whether a record of the run log is due ("File" ticked and
// NCf steps since the last one); the count starts again when it is.
bool RecordDue(Model& m, const Choices& ch);

// The end of a step that went through: one more step since the last
// refresh and since the last record.
void CountStep(Model& m);

// The bead's viscous force Kj1·VR1 of trajectory i, as the boxes show it.
double BeadFriction(const Model& m, int i);

// The cycloid tolerance Dfi = 2/KDfi.
double CycloidTolerance(const Model& m);

}  // namespace lumet
