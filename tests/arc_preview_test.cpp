// The preview draws the modified arc as the rod its bead runs on, also
// when the rod crosses angle 0 seen from its centre.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(ArcPreview, AModifiedArcThroughAngleZeroIsDrawnTheShortWay) {
  TestLab t;
  // From (30, -100) to (90, 40) on a circle centred on x = -20, at 20 m/cm.
  const std::pair<P, const char*> params[] = {{P::Xn, "30"}, {P::Yn, "-100"}, {P::Xk, "90"},
                                              {P::Yk, "40"}, {P::X40, "-20"}, {P::Mx, "20"}};
  for (const auto& [id, text] : params) t.set(id, text);
  t.check(P::free, false);
  t.check(P::arc, true);
  t.check(P::modified_arc, true);
  t.act(Action::Preview);
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];

  // The centre equally far from both ends, by hand.
  const double yc =
      (40.0 * 40 - 100.0 * 100 + 90.0 * 90 - 30.0 * 30 + 2 * 20.0 * (90 - 30)) / (2 * (40.0 + 100));
  const double start = std::atan2(-100 - yc, 30 + 20.0);  // below the centre: negative
  const double end = std::atan2(40 - yc, 90 + 20.0);      // above: positive
  const DrawOp* arc = nullptr;
  for (const auto& op : t.picture1.ops)
    if (op.type == DrawOp::Arc) arc = &op;
  ASSERT_NE(arc, nullptr);
  EXPECT_NEAR(arc->a, -20.0 / 20, 1e-12);
  EXPECT_NEAR(arc->b, yc / 20, 1e-12);
  EXPECT_NEAR(arc->c, std::hypot(50.0, 100 + yc) / 20, 1e-12);
  // Counter-clockwise from the start below angle 0 up to the end: 1.44 rad,
  // not 4.85 over the top.
  EXPECT_NEAR(arc->d, start, 1e-9);
  EXPECT_NEAR(arc->e, end, 1e-9);
  EXPECT_LT(arc->d, 0);
  EXPECT_GT(arc->e, 0);
  EXPECT_NEAR(arc->e - arc->d, 1.4377, 1e-4);
}
