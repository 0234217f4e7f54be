#include "app/results.h"

namespace lumet {

ResultTable resultTable(const Experiment& x) {
  ResultTable t;
  const P ticks[] = {P::line, P::cycloid, P::parabola, P::arc, P::free};
  const V columns[] = {V::T1, V::ColMV1, V::ColTmU1, V::ColT1, V::ColTpU1};
  for (int k = 0; k < 5; ++k) {
    t.takingPart[size_t(k)] = x.p.on(ticks[k]);
    for (int c = 0; c < 5; ++c)
      t.cells[size_t(c)][size_t(k)] = x.shown.get(tableValue(columns[c], k + 1));
  }
  t.byPath = x.p.chosen(P::integral) == std::string_view("path");
  t.average = {x.p.on(P::average_m1V), x.p.on(P::average_T_minus_U), x.p.on(P::average_T),
               x.p.on(P::average_T_plus_U)};
  return t;
}

}  // namespace lumet
