// The right-hand sides Diffur1 and Diffur2 evaluated on chosen states.
#include <cmath>

#include "Rig.h"
#include "model/Equations.h"

namespace vozaz2::test {
namespace {

const double kPi = 3.141592654;  // the record's value, deliberately not M_PI

class SteadyStart : public testing::TestWithParam<Variant> {};

// At T = 0 the start state is a steady rotation: the string is stretched by
// FL/CL, it does not stretch further, its vertical pull carries the weight
// and its horizontal pull is exactly the centripetal force m w1^2 R1.
TEST_P(SteadyStart, IsInEquilibrium) {
  Rig rig;
  ASSERT_TRUE(GetParam().Start(rig));
  SimRecord r = rig.r();
  const double FL = r.FL, a = r.w1 * r.w1 * r.R1, tol = 1e-12 * (1 + FL);
  r.T = r.T0;
  Diffur1(r, rig.modes());
  EXPECT_NEAR(r.DL, FL / r.CL, 1e-14 * (1 + r.L0));
  EXPECT_EQ(r.Vtr, 0);
  EXPECT_NEAR(r.FL, FL, tol);
  EXPECT_NEAR(r.Fz, r.PathSign * r.Fmg, tol);
  EXPECT_NEAR(r.DY(5), -a, tol);
  EXPECT_NEAR(r.DY(6), 0, tol);
  EXPECT_NEAR(r.DY(7), 0, tol);
  EXPECT_EQ(r.Arm, 0);
  EXPECT_EQ(r.DY(8), 0);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(r.DY(i), r.Y(i + 4));
}

INSTANTIATE_TEST_SUITE_P(
    Core, SteadyStart,
    testing::Values(Variant{"cone", {}, {}},
                    Variant{"cone fast", {}, {{kR1, 2}, {kW1, 3}, {kCL, 50}}},
                    Variant{"cone clockwise", {}, {{kW1, -1.5}, {kKtr, 7}}},
                    Variant{"cone sleeve down", {kSleeve, kDown}, {}},
                    Variant{"plane", {kPlane}, {}},
                    Variant{"plane stiff", {kPlane}, {{kR1, 0.7}, {kW1, 5}, {kCL, 1000}}},
                    Variant{"dumbbell", {kDumbbell}, {}},
                    Variant{"dumbbell wide", {kDumbbell}, {{kR1, 2}, {kW1, 1}, {kCL, 3}}}));

struct AzimuthCase {
  double u, v, expected;
};

class AzimuthRule : public testing::TestWithParam<AzimuthCase> {};

TEST_P(AzimuthRule, GivesTheAngleFromTheXAxis) {
  const AzimuthCase c = GetParam();
  EXPECT_EQ(Azimuth(c.u, c.v, kPi), c.expected) << "(" << c.u << ", " << c.v << ")";
}

const double kA = std::atan(0.5);
INSTANTIATE_TEST_SUITE_P(
    Core, AzimuthRule,
    testing::Values(AzimuthCase{2, 1, kA}, AzimuthCase{-2, 1, kPi - kA},
                    AzimuthCase{-2, -1, kPi + kA}, AzimuthCase{2, -1, 2 * kPi - kA},
                    AzimuthCase{1, 2, std::atan(2.0)}, AzimuthCase{3, 0, 0},
                    AzimuthCase{3, -0.0, 0}, AzimuthCase{-3, 0, kPi}, AzimuthCase{-3, -0.0, kPi},
                    AzimuthCase{0, 1, kPi / 2}, AzimuthCase{0, -1, kPi / 2},
                    AzimuthCase{-0.0, -1, kPi / 2}, AzimuthCase{0, 0, kPi / 2},
                    AzimuthCase{1e-300, -1, 2 * kPi - M_PI / 2}));

// A started record of the plane variant, the load put at (1.5, 0): the string
// then runs horizontally, L = R = 1.5 m and Lh = 20 m.
SimRecord PlaneRecord(Rig& rig) {
  rig.Start({kPlane});
  SimRecord r = rig.r();
  r.Y(1) = 1.5;
  r.Y(2) = 0;
  return r;
}

TEST(Equations, UseTheRecordsPi) {
  Rig rig;
  SimRecord r = PlaneRecord(rig);
  r.Y(1) = -1.5;
  Diffur1(r, rig.modes());
  EXPECT_EQ(r.Phi, 3.141592654);
  EXPECT_NE(r.Phi, M_PI);
  // Two balls: ball a on the negative X axis, ball b straight below it.
  r.Y(1) = -1.5, r.Y(2) = -1.5, r.Y(3) = 0, r.Y(4) = -1;
  Diffur2(r, rig.modes());
  EXPECT_EQ(r.Phi, 3.141592654);
  EXPECT_EQ(r.Psi, 3.141592654 / 2);
}

struct TensionCase {
  const char* name;
  double DL, Ktr, Vtr;               // elongation, friction coefficient, last rate
  double FL, Ftr, FC, storedVtr;     // expected (CL = 10)
};
void PrintTo(const TensionCase& c, std::ostream* os) { *os << c.name; }

enum class String { kSingle, kFirstOfTwo, kSecondOfTwo };

struct Tension {
  double FL, Ftr, FC, Vtr;
};

// Evaluates one string's tension at the first stage of a step (T = T0), where
// the rate of elongation of the last step is reused.
Tension Evaluate(String which, const TensionCase& c) {
  Rig rig;
  SimRecord r = PlaneRecord(rig);
  r.Ktr = c.Ktr;
  r.T = r.T0 = 2;
  r.Tr = 1.2;
  if (which == String::kSingle) {
    r.Vtr = c.Vtr;
    r.L0 = 21.5 - c.DL;
    Diffur1(r, rig.modes());
    return {r.FL, r.Ftr, r.FC, r.Vtr};
  }
  // Ball a at (1.5, 0), ball b 0.5 m beyond it in Y.
  r.Y(2) = 1.5, r.Y(3) = 0, r.Y(4) = 0.5;
  r.Vtr = r.Vtr2 = c.Vtr;
  r.L0 = r.L00 = 1e9;  // both slack unless chosen below
  if (which == String::kFirstOfTwo) {
    r.L0 = 21.5 - c.DL;
    Diffur2(r, rig.modes());
    return {r.FL, r.Ftr, r.FC, r.Vtr};
  }
  r.L00 = 0.5 - c.DL;
  Diffur2(r, rig.modes());
  return {r.FL2, r.Ftr2, r.FC2, r.Vtr2};
}

class StringTension
    : public testing::TestWithParam<std::tuple<String, TensionCase>> {};

void ExpectValue(double actual, double expected, const char* what) {
  if (expected == 0)
    EXPECT_EQ(actual, 0) << what;
  else
    EXPECT_NEAR(actual, expected, 1e-11) << what;
}

TEST_P(StringTension, PullsButNeverPushes) {
  const auto& [which, c] = GetParam();
  const Tension t = Evaluate(which, c);
  ExpectValue(t.FL, c.FL, "FL");
  ExpectValue(t.Ftr, c.Ftr, "Ftr");
  ExpectValue(t.FC, c.FC, "FC");
  ExpectValue(t.Vtr, c.storedVtr, "Vtr");
  EXPECT_GE(t.FL, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Core, StringTension,
    testing::Combine(
        testing::Values(String::kSingle, String::kFirstOfTwo, String::kSecondOfTwo),
        testing::Values(
            TensionCase{"slack", -0.3, 1, 0, 0, 0, -3, 0},
            TensionCase{"slack while stretching", -0.3, 1, 10, 0, 0, -3, 10},
            TensionCase{"taut and shortening", 0.2, 1, -1, 1, -1, 2, -1},
            TensionCase{"taut and stretching", 0.2, 1, 0.5, 2.5, 0.5, 2, 0.5},
            TensionCase{"shortening too fast", 0.2, 1, -5, 0, -2, 2, -2},
            TensionCase{"shortening too fast, stiff friction", 0.2, 4, -1, 0, -2, 2, -0.5},
            TensionCase{"friction just cancels", 0.2, 1, -2, 0, -2, 2, -2},
            TensionCase{"no friction, unstretched", 0, 0, -1, 0, 0, 0, -1},
            TensionCase{"no friction, stretched", 0.2, 0, -1, 2, 0, 2, -1})));

struct RateCase {
  double fraction;  // (T - T0) / P0
  double expected;  // Vtr with DL - DLp = 0.1 m and a last rate of 7 m/s
};

class RateOfElongation : public testing::TestWithParam<RateCase> {};

// The rate is the difference quotient over the part of the step covered so
// far; at the first stage, where nothing is covered yet, the last rate stays.
TEST_P(RateOfElongation, IsTheQuotientOverTheCoveredStep) {
  Rig rig;
  SimRecord r = PlaneRecord(rig);
  r.T0 = 3;
  r.T = r.T0 + GetParam().fraction * r.P0;
  r.L0 = 21.5 - 0.3;
  r.DLp = 0.2;
  r.Vtr = 7;
  Diffur1(r, rig.modes());
  EXPECT_NEAR(r.Vtr, GetParam().expected, 1e-8);
}

INSTANTIATE_TEST_SUITE_P(Core, RateOfElongation,
                         testing::Values(RateCase{0, 7}, RateCase{0.05, 7},
                                         RateCase{0.5, 0.1 / 0.0025}, RateCase{1, 0.1 / 0.005}));

// Released string: no force up to and including T = 1 s; afterwards it pulls
// with DL = L - L0 (the vertical part plays no role).
TEST(Equations, ReleasedStringActsOnlyAfterOneSecond) {
  Rig rig;
  ASSERT_TRUE(rig.Start({kRelease, kPlane}));
  SimRecord r = rig.r();
  r.Y(1) = 1.5;
  r.L0 = 1.2;
  r.DLp = 0.29;  // stretching at 1 m/s over the last 0.01 s
  r.T0 = 0.99;
  r.T = 1;
  Diffur1(r, rig.modes());
  EXPECT_EQ(r.FL, 0);
  EXPECT_EQ(r.DY(5), 0);
  EXPECT_EQ(r.DY(7), 0);
  r.T = 1 + 1e-12;
  Diffur1(r, rig.modes());
  EXPECT_NEAR(r.DL, 0.3, 1e-15);
  EXPECT_NEAR(r.FL, r.CL * 0.3 + r.Ktr * r.Vtr, 1e-12);
  EXPECT_GT(r.FL, 0);
  EXPECT_LT(r.DY(5), 0);
}

}  // namespace
}  // namespace vozaz2::test
