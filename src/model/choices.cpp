#include "model/choices.h"

namespace lumet {

Choices ReadChoices(const Controls& c) {
  Choices ch;
  ch.flat = c.value(Option5);
  ch.law = {c.value(Option16), c.value(Option11), c.value(Option19)};
  ch.autoDn = c.value(Check14);
  ch.mass3 = c.value(Check17);
  ch.zeroAtInfinity = c.value(Check22);
  const ControlId ticks[] = {Check1, Check2, Check3, Check4, Check5};
  for (int i = 1; i <= 5; ++i) ch.ticked[i] = c.value(ticks[i - 1]);
  ch.modifiedCycloid = c.value(Check7);
  ch.modifiedParabola = c.value(Check13);
  ch.modifiedArc = c.value(Check12);
  ch.euler = c.value(Check23);
  ch.cosForce = c.value(Check24);
  ch.finish = c.value(Option12)   ? Finish::XAbove
              : c.value(Option13) ? Finish::XBelow
              : c.value(Option14) ? Finish::YAbove
                                  : Finish::YBelow;
  ch.byPath = c.value(Option9);
  ch.average = {c.value(Check8), c.value(Check9), c.value(Check10), c.value(Check11)};
  // Option1..Option4 show the rods, Option7 ("5-") the free body.
  const ControlId shows[] = {Option1, Option2, Option3, Option4, Option7};
  for (int i = 1; i <= 5; ++i)
    if (c.value(shows[i - 1])) ch.shown = i;
  ch.logRecords = c.value(Check6);
  ch.finishPlace = c.value(Check16);
  ch.plotXY = c.value(Check18);
  ch.plotV = c.value(Check19);
  ch.plotF = c.value(Check20);
  ch.plotFmFq = c.value(Check21);
  ch.autoPn = c.value(Check15);
  return ch;
}

}  // namespace lumet
