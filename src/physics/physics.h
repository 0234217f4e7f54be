// Motion: the equations of motion of the five bodies, the rods' reactions,
// one integration step and the energy, action and relativistic-time
// bookkeeping that follows it.
#pragma once

#include "model/lab.h"

namespace lumet {

// The law of the field of mass 2 as chosen in the window: constant or
// variable strength, power 1 or 2 of the distance, falling or growing.
struct FieldLaw {
  bool constant, power2, falling;
};
FieldLaw fieldLaw(const Lab& lab);

// Strength of the field of mass 2 at distance lr under the law: its
// electric part Fq and gravitational part Fm, both Fq0, Fm0 at lr = Rz.
// Throws Failure on an arithmetic failure.
void fieldStrength(const Model& m, FieldLaw law, double lr, double& Fq, double& Fm);

// Direction of an attraction seen from offsets (xr, yr) from its centre:
// Pi/2 on the vertical, otherwise |atan(yr/xr)|.
double attractionAngle(const Model& m, double xr, double yr);

// Components of an attraction F (positive towards the centre) at offsets
// (xr, yr) from that centre, along the angle beta.
void attraction(double F, double beta, double xr, double yr, double& fx, double& fy);

// Right-hand side of the equations of motion: reads S, writes dS and the
// per-body forces. Shows "Ошибка решения уравнений" and stops Timer1 on an
// arithmetic failure.
void Diffur1(Lab& lab);

// The reaction of rod i (1 line, 2 cycloid, 3 parabola, 4 arc) on its bead:
// writes dL(i), Fx(i), Fy(i). Throws Failure on an arithmetic failure.
void Constraint(Lab& lab, int i);

// One step of the run: Euler or the four-stage scheme, bookkeeping, finish
// tests, result table and, every NCg steps, the refresh.
void Step(Lab& lab);

// Energy, path, relativistic time and action integrals of trajectory i after
// a step. Throws Failure on an arithmetic failure.
void UpdateTrajectory(Lab& lab, int i);

// Copies the eight running integrals of trajectory i into their frozen twins.
void FreezeIntegrals(Lab& lab, int i);

// The four shown columns of trajectory i: totals or averages, by time or path.
void FillTable(Lab& lab, int i);

}  // namespace lumet
