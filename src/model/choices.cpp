#include "model/choices.h"

#include <string_view>

namespace lumet {

Choices ReadChoices(const Parameters& p) {
  const auto is = [&](P choice, std::string_view word) { return p.chosen(choice) == word; };
  Choices ch;
  ch.flat = is(P::field, "flat");
  ch.law = {is(P::strength, "const"), is(P::power, "2"), is(P::sign, "--")};
  ch.autoDn = p.on(P::autoDn);
  ch.mass3 = p.on(P::third_body);
  ch.zeroAtInfinity = p.on(P::zero_at_infinity);
  const P ticks[] = {P::line, P::cycloid, P::parabola, P::arc, P::free};
  for (int i = 1; i <= 5; ++i) ch.ticked[i] = p.on(ticks[i - 1]);
  ch.modifiedCycloid = p.on(P::modified_cycloid);
  ch.modifiedParabola = p.on(P::modified_parabola);
  ch.modifiedArc = p.on(P::modified_arc);
  ch.euler = p.on(P::euler);
  ch.cosForce = p.on(P::cos);
  ch.finish = is(P::finish, "X>Xk")   ? Finish::XAbove
              : is(P::finish, "X<Xk") ? Finish::XBelow
              : is(P::finish, "Y>Yk") ? Finish::YAbove
                                      : Finish::YBelow;
  ch.byPath = is(P::integral, "path");
  ch.average = {p.on(P::average_m1V), p.on(P::average_T_minus_U), p.on(P::average_T),
                p.on(P::average_T_plus_U)};
  // The choice "shown" holds the trajectory's number, 1..5.
  ch.shown = p.choice(P::shown) + 1;
  ch.logRecords = p.on(P::log);
  ch.finishPlace = p.on(P::finish_place);
  ch.plotXY = p.on(P::plot_XY);
  ch.plotV = p.on(P::plot_V);
  ch.plotF = p.on(P::plot_F);
  ch.plotFmFq = p.on(P::plot_FmFq);
  ch.autoPn = p.on(P::autoPn);
  return ch;
}

}  // namespace lumet
