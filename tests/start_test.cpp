#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/messages.h"
#include "support.h"

using namespace lumet;
using lumet::test::TestLab;

TEST(Start, DefaultsGiveTheEarthAndAOneKilogramBody) {
  TestLab t;
  t.act(Action::Start);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_NEAR(t.m.m1, 1, 1e-15);
  EXPECT_DOUBLE_EQ(t.m.m2, 5.976e24);
  EXPECT_DOUBLE_EQ(t.m.q1, -5e-4);
  EXPECT_DOUBLE_EQ(t.m.q2, 5e-4);
  EXPECT_DOUBLE_EQ(t.m.Rz, 6378000);
  EXPECT_EQ(t.m.NCg, 1);
  EXPECT_EQ(t.m.NCf, 10);
  EXPECT_DOUBLE_EQ(t.m.kMx, 1.0 / 3000000);
  EXPECT_TRUE(t.running());
  // Surface forces: Fq0 = -Ke q1 q2 / Rz^2 and Fm0 = m1 m2 gamma / Rz^2,
  // pulling the body at the left of mass 2 straight to the right.
  double rz2 = 6378000.0 * 6378000.0;
  EXPECT_NEAR(t.m.Fq0, 2250 / rz2, 1e-24);
  EXPECT_NEAR(t.m.Fm0, 5.976e24 * 66.7e-12 / rz2, 1e-12);
  EXPECT_NEAR(t.m.FXfield, t.m.Fq0 + t.m.Fm0, 1e-12);
  EXPECT_EQ(t.m.FYfield, 0);
  // The free body starts with the typed speed, the others at rest at (Xn, Yn).
  EXPECT_EQ(t.m.S[15], -1460);
  EXPECT_EQ(t.m.S[20], 8000);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(t.m.S[i], -6378000);
    EXPECT_EQ(t.m.S[i + 5], -6378000);
    EXPECT_EQ(t.m.S[i + 10], 0);
    EXPECT_EQ(t.m.S[i + 15], 0);
  }
  // On the surface the potential energy is zero: E0 is the kinetic energy.
  EXPECT_DOUBLE_EQ(t.m.E0[5], (1460.0 * 1460 + 8000.0 * 8000) / 2);
  EXPECT_DOUBLE_EQ(t.m.E0[5], 33065800);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(t.m.Active[i], 1);
    EXPECT_DOUBLE_EQ(t.m.LR[i], 6378000);
  }
}

TEST(Start, EachRefusalShowsItsMessageAndStartsNothing) {
  struct Case {
    const char* what;
    std::vector<std::pair<P, const char*>> texts;
    std::vector<std::pair<P, const char*>> choices;
    std::vector<P> checks;
    std::string message;
  } cases[] = {
      {"flat field, start below the surface",
       {{P::Yn, "-6378000"}},
       {{P::field, "flat"}},
       {},
       textOf(Msg::FlatYn)},
      {"Xn = Xk", {{P::Xk, "-6378000"}}, {}, {}, textOf(Msg::XnXk)},
      {"Xn > Xk", {{P::Xn, "7000000"}}, {}, {}, textOf(Msg::XnXk)},
      {"constant field, start at the centre's level",
       {{P::Yn, "-6350000"}},
       {{P::strength, "const"}},
       {},
       textOf(Msg::FlatConst)},
      {"mass 3 with a flat field",
       {{P::Yn, "0"}},
       {{P::field, "flat"}},
       {P::third_body},
       textOf(Msg::Mass3)},
      {"mass 3 with power 1", {}, {{P::power, "1"}}, {P::third_body}, textOf(Msg::Mass3)},
      {"mass 3 with a growing field", {}, {{P::sign, "+"}}, {P::third_body}, textOf(Msg::Mass3)},
      {"text that is not a number", {{P::C1, "десять"}}, {}, {}, textOf(Msg::BadData)},
      {"exponent out of 16 bits", {{P::ExpM, "40000"}}, {}, {}, textOf(Msg::BadData)},
      {"masses beyond a double", {{P::ExpM, "400"}}, {}, {}, textOf(Msg::BadData)},
      {"zero picture scale", {{P::Mx, "0"}}, {}, {}, textOf(Msg::BadData)},
      {"zero value scale", {{P::M, "0"}}, {}, {}, textOf(Msg::BadData)},
      {"zero radius of mass 2", {{P::Rz, "0"}}, {}, {}, textOf(Msg::BadData)},
      {"empty step box", {{P::h, ""}}, {}, {}, textOf(Msg::BadData)},
      {"graph cadence beyond 16 bits", {{P::NCg, "99999"}}, {}, {}, textOf(Msg::BadData)},
  };
  for (const auto& c : cases) {
    TestLab t;
    for (auto [id, text] : c.texts) t.set(id, text);
    for (auto [id, word] : c.choices) t.choose(id, word);
    for (P id : c.checks) t.check(id, true);
    t.act(Action::Start);
    ASSERT_EQ(t.dialogs.messages.size(), 1u) << c.what;
    EXPECT_EQ(t.dialogs.messages[0], c.message) << c.what;
    EXPECT_FALSE(t.running()) << c.what;
    EXPECT_EQ(t.log(), "") << c.what;
    // The typed text stays as typed.
    for (auto [id, text] : c.texts) EXPECT_EQ(t.p.text(id), text) << c.what;
  }
}

TEST(Start, ARefusedStartLeavesARunningTimerRunning) {
  TestLab t;
  t.act(Action::Start);
  t.set(P::Xk, "-7000000");
  t.act(Action::Start);
  EXPECT_EQ(t.dialogs.messages.back(), textOf(Msg::XnXk));
  EXPECT_TRUE(t.running());
}

TEST(Start, ZeroAtInfinityWarnsAndStillStarts) {
  TestLab t;
  t.check(P::zero_at_infinity, true);
  t.act(Action::Start);
  ASSERT_EQ(t.dialogs.messages.size(), 1u);
  EXPECT_EQ(t.dialogs.messages[0], textOf(Msg::ZeroAtInfinity));
  EXPECT_TRUE(t.running());
  EXPECT_DOUBLE_EQ(t.m.R0, std::pow(9.0, 33));
  EXPECT_EQ(t.m.R0v, 0);
  // The total at start uses the same zero level as the running energies,
  // so E0 is the kinetic energy minus the depth of the well at the surface.
  double well = 66.7e-12 * 5.976e24 / 6378000 - 9e9 * 2.5e-7 / 6378000;
  EXPECT_NEAR(t.m.E0[5], 33065800 - well, 1e-6 * well);
}

TEST(Start, CadencesBelowOneRunAsOne) {
  TestLab t;
  t.set(P::NCg, "0");
  t.set(P::NCf, "-3");
  t.act(Action::Start);
  EXPECT_EQ(t.m.NCg, 1);
  EXPECT_EQ(t.m.NCf, 1);
}

TEST(Start, ExponentBoxesScaleBothBodies) {
  TestLab t;
  t.set(P::ExpM, "20");
  t.set(P::ExpQ, "-3");
  t.act(Action::Start);
  EXPECT_NEAR(t.m.m1, 0.1, 1e-16);
  EXPECT_DOUBLE_EQ(t.m.m2, 5.976e23);
  EXPECT_DOUBLE_EQ(t.m.q1, -5e-3);
  EXPECT_DOUBLE_EQ(t.m.q2, 5e-3);
}

namespace {

// Starts at height Rz straight above mass 2 (distance 2 Rz from its centre)
// in the field of the given strength, power and sign.
void startAboveMassTwo(TestLab& t, const char* strength, const char* power, const char* sign) {
  t.set(P::Xn, "0");
  t.set(P::Yn, "6378000");
  t.choose(P::strength, strength);
  t.choose(P::power, power);
  t.choose(P::sign, sign);
  t.act(Action::Start);
}

}  // namespace

TEST(Start, FieldLawsAgreeAtTheSurfaceAndFollowTheirPowerAbove) {
  // Start at height Rz above the surface (distance 2 Rz from the centre),
  // straight above mass 2, so the whole attraction is vertical.
  struct Case {
    const char *power, *sign;
    double ratio;  // force at 2 Rz over force at Rz
    bool coefficients;
  } cases[] = {
      {"1", "--", 0.5, true},
      {"1", "+", 2.0, true},
      {"2", "--", 0.25, false},
      {"2", "+", 4.0, true},
  };
  for (const auto& c : cases) {
    TestLab t;
    startAboveMassTwo(t, "var", c.power, c.sign);
    ASSERT_TRUE(t.dialogs.messages.empty());
    double F0 = t.m.Fq0 + t.m.Fm0;
    EXPECT_NEAR(t.m.FYfield, -c.ratio * F0, 1e-12 * F0);
    EXPECT_NEAR(t.m.FXfield, 0, 1e-9 * F0);
    EXPECT_EQ(t.m.Kq != 0, c.coefficients);
  }
}

TEST(Start, StartEnergiesMatchTheClosedFormsAboveTheSurface) {
  // At distance r = 2 Rz: the work of each law from Rz to r.
  const double Rz = 6378000, r = 2 * Rz;
  // The 1/r law is summed in 1000 slices ending at their far side: the
  // slices of 1/r from Rz to 2 Rz add up to H(2000) - H(1000), ln 2 - 1/4000.
  long double harmonic1000 = 0, harmonic2000 = 0;
  for (int k = 1; k <= 2000; ++k) (k <= 1000 ? harmonic1000 : harmonic2000) += 1.0L / k;
  harmonic2000 += harmonic1000;
  struct Case {
    const char *strength, *power, *sign;
    long double factor;  // Em / (Fm0 * Rz)
  } cases[] = {
      {"const", "2", "--", 1.0},                        // constant: Fm0 (r - Rz)
      {"var", "1", "+", (4.0 - 1.0) / 2},               // Fm0/Rz (r^2 - Rz^2)/2
      {"var", "1", "--", harmonic2000 - harmonic1000},  // Fm0 Rz ln 2 in 1000 slices
      {"var", "2", "+", (8.0 - 1.0) / 3},               // Fm0/Rz^2 (r^3 - Rz^3)/3
      {"var", "2", "--", 0.5},                          // Fm0 Rz^2 (1/Rz - 1/r)
  };
  for (const auto& c : cases) {
    TestLab t;
    startAboveMassTwo(t, c.strength, c.power, c.sign);
    ASSERT_TRUE(t.dialogs.messages.empty());
    double unit = t.m.Fm0 * Rz;
    EXPECT_NEAR(t.m.Em[5], c.factor * unit, 1e-6 * unit);
    EXPECT_NEAR(t.m.Eq[5], c.factor * t.m.Fq0 * Rz, 1e-6 * std::fabs(t.m.Fq0 * Rz));
    EXPECT_DOUBLE_EQ(t.m.LR[5], r);
    EXPECT_DOUBLE_EQ(t.m.E0[5], t.m.Ev0 + t.m.Em[5] + t.m.Eq[5]);
  }
}

TEST(Start, MassThreeAddsItsPullAndItsEnergy) {
  TestLab t;
  t.check(P::third_body, true);
  t.act(Action::Start);
  ASSERT_TRUE(t.dialogs.messages.empty());
  const double Rz = 6378000, KRz3 = 2;
  // Mass 3 stands at (2 Rz, 0); the body at (-Rz, -Rz).
  double d3 = std::hypot(-Rz - KRz3 * Rz, -Rz);
  double F3 = (5.976e24 * 66.7e-12 + 2250) / (d3 * d3);
  double F2 = t.m.Fq0 + t.m.Fm0;
  EXPECT_NEAR(t.m.FXfield, F2 + F3 * (3 * Rz) / d3, 1e-12 * F2);
  EXPECT_NEAR(t.m.FYfield, F3 * Rz / d3, 1e-12 * F2);
  double R13 = std::sqrt(Rz * Rz + Rz * Rz * KRz3 * KRz3) / 2;
  EXPECT_DOUBLE_EQ(t.m.R13, R13);
  EXPECT_DOUBLE_EQ(t.m.R03, R13);
  double k = 5.976e24 * 66.7e-12 - 2250;  // gamma m1 m2 - (-Ke q1 q2)... per unit 1/r
  double Ep = k * (1 / R13 - 1 / Rz) + k * (1 / R13 - 1 / d3);
  EXPECT_NEAR(t.m.E0[5] - t.m.Ev0, Ep, 1e-9 * std::fabs(Ep));
}

TEST(Start, DrawsGridsAndMassTwoUnlessTheGridsWereKept) {
  TestLab t;
  t.act(Action::Start);
  auto count = [](const RecordingCanvas& p, DrawOp::Type type) {
    int n = 0;
    for (const auto& op : p.ops) n += op.type == type;
    return n;
  };
  EXPECT_EQ(count(t.picture1, DrawOp::Line), 21 * 21 * 2 + 2);
  EXPECT_EQ(count(t.picture1, DrawOp::Circle), 2);
  EXPECT_EQ(count(t.picture2, DrawOp::Line), 1 + 6 + 6);
  const DrawOp& surface = t.picture1.ops[t.picture1.ops.size() - 2];
  EXPECT_EQ(surface.type, DrawOp::Circle);
  EXPECT_DOUBLE_EQ(surface.b, -6378000.0 / 3000000);
  EXPECT_DOUBLE_EQ(surface.c, 6378000.0 / 3000000);
  t.act(Action::Clear);  // clear: grids drawn once more, then kept
  size_t before = t.picture1.ops.size();
  t.act(Action::Start);
  EXPECT_EQ(t.picture1.ops.size(), before + 2);  // only the two circles
}

TEST(Start, AppendsOneHeaderLinePerStartButNotForThePreview) {
  TestLab t;
  t.act(Action::Start);
  t.act(Action::Start);
  t.act(Action::Preview);
  std::string header =
      "m1= 1    m2= 5.976e+24    q1= -0.0005    q2= 0.0005    Xn= -6378000    Yn= -6378000"
      "    VXn= -1460    VYn= 8000    Rz= 6378000\r\n";
  EXPECT_EQ(t.log(), header + header);
}

// The end angle of the modified cycloid is a parameter of its own: the run
// writing "Y" where it is typed leaves it, and the next start reads it again.
TEST(Start, TheCycloidsEndAngleIsReadAgainAtEveryStart) {
  TestLab t;
  t.check(P::free, false);
  t.check(P::cycloid, true);
  t.check(P::modified_cycloid, true);
  t.choose(P::shown, "2");
  for (auto [id, text] : {std::pair{P::Xn, "0"},
                          {P::Yn, "100"},
                          {P::Xk, "100"},
                          {P::Yk, "0"},
                          {P::fiK2, "2"},
                          {P::h, "0.01"},
                          {P::Mx, "20"}})
    t.set(id, text);
  t.act(Action::Start);
  ASSERT_TRUE(t.dialogs.messages.empty()) << t.dialogs.messages[0];
  EXPECT_EQ(t.m.fiK2, 2);
  EXPECT_EQ(t.shown(V::fiK2_rod), "2");
  for (int k = 0; k < 3; ++k) t.tick();
  EXPECT_EQ(t.shown(V::Y), formatBox(t.m.Y[2]));
  EXPECT_EQ(t.p.text(P::fiK2), "2");
  t.act(Action::Start);
  EXPECT_TRUE(t.dialogs.messages.empty());
  EXPECT_EQ(t.m.fiK2, 2);
  EXPECT_NEAR(t.m.fiN2, 1.0403345267479538, 1e-12);
}
