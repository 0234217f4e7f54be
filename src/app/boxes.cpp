#include "app/boxes.h"

#include "model/messages.h"
#include "physics/physics.h"

namespace lumet {

void Lab::show(ControlId box, double value) { c.setNumber(box, value); }

void Lab::badData(const Failure& f) {
  message(msg::kBadData);
  if (f.box == ControlCount) return;
  c.setFlagged(f.box, true);
  focusBox = f.box;
}

void ShowRunValues(Lab& lab, const Choices& ch) {
  const Model& m = lab.m;
  const int i = m.iShow;
  // The value frame, row by row: left box, right box.
  const std::pair<ControlId, double> frame[] = {
      {Text31, m.X[i]},  {Text41, m.Y[i]},  {Text32, m.VX[i]}, {Text42, m.VY[i]},
      {Text33, m.FX[i]}, {Text43, m.FY[i]}, {Text34, m.Fm[i]}, {Text44, m.Fq[i]}};
  for (const auto& [box, value] : frame) lab.show(box, value);
  // "X,Y" shows where the trajectory finished instead of the bead's
  // friction and the cycloid tolerance.
  if (ch.finishPlace) {
    lab.show(Text35, m.Xfin[i]);
    lab.show(Text45, m.Yfin[i]);
  } else {
    lab.show(Text35, BeadFriction(m, i));
    lab.show(Text45, CycloidTolerance(m));
  }
  const std::pair<ControlId, double> energies[] = {
      {Text36, m.Lmax[i]}, {Text46, m.EC1[i]}, {Text37, m.Ev[i]},
      {Text47, m.E[i]},    {Text38, m.Em[i]},  {Text48, m.E0[i]},
      {Text39, m.Eq[i]},   {Text49, m.Ej1[i]}, {Text60, m.Tc}};
  for (const auto& [box, value] : energies) lab.show(box, value);

  // The result table: a row per trajectory, its time and four columns.
  static constexpr ControlId tfin[] = {Text61, Text62, Text63, Text64, Text65};
  static constexpr ControlId colMV[] = {Text66, Text67, Text68, Text69, Text70};
  static constexpr ControlId colTmU[] = {Text71, Text72, Text73, Text74, Text75};
  static constexpr ControlId colT[] = {Text76, Text77, Text78, Text79, Text80};
  static constexpr ControlId colTpU[] = {Text81, Text82, Text83, Text84, Text85};
  for (int k = 1; k <= 5; ++k) {
    lab.show(tfin[k - 1], m.Tfin[k]);
    lab.show(colMV[k - 1], m.ColMV[k]);
    lab.show(colTmU[k - 1], m.ColTmU[k]);
    lab.show(colT[k - 1], m.ColT[k]);
    lab.show(colTpU[k - 1], m.ColTpU[k]);
  }
  lab.show(Text6, m.ttR);
  lab.show(Text27, m.ttV);
  lab.show(Text28, finite(m.ttR + m.ttV));
}

}  // namespace lumet
