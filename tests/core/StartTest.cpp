// The start state, worked out by hand for the start-up parameters (R1 = 1 m,
// w1 = 2 rad/s, CL = 10 n/m, m = 2 kg) and variants, and the right-hand sides
// Diffur1 and Diffur2 on chosen states.
#include "Rig.h"
#include "model/Equations.h"

namespace vozaz2::test {

// On the cone tan(Alpha) = g / (w1^2 R1) = 9.81 / 4; the string pulls with the
// hypotenuse of the centripetal force 8 n and the weight 19.62 n.
const double kTan = 2.4525, kFL = std::hypot(8.0, 19.62), kL1 = std::hypot(1.0, kTan);
const double kPi = 3.141592654;  // the record's value, deliberately not M_PI

struct Field {
  const char* name;
  double SimRecord::*member;
  double value;
};
struct StartCase : Variant {
  std::vector<Field> expect;
};

class StartValues : public testing::TestWithParam<StartCase> {};

// The hand-calculated values; the load on the +X axis at R1 moving towards +Y;
// the timer ticking; the start circle of radius R1 on the scale Mx in red
// (26 pixels per cm). Unless released, a steady rotation: at T = 0 Diffur1
// finds the string stretched by FL/CL and not stretching, its pull carrying
// the weight and giving the centripetal force.
TEST_P(StartValues, MatchTheHandCalculationAndRotateSteadily) {
  Rig rig;
  ASSERT_TRUE(rig.Start(GetParam()));
  SimRecord r = rig.r();
  for (const Field& f : GetParam().expect)
    EXPECT_NEAR(r.*f.member, f.value, 1e-12 * (1 + std::fabs(f.value))) << f.name;
  const double y[] = {r.R1, 0, 0, 0, 0, r.w1 * r.R1, 0, r.w12};
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(r.Y(i), y[i - 1]) << "Y(" << i << ")";
  EXPECT_TRUE(rig.e.Timer1().Enabled && rig.e.Timer1().Interval == 1);
  const double radius = r.R1 / r.Mx * 26;
  int red = 0, off = 0;
  for (int py = 0; py < kScreen3Height; ++py)
    for (int px = 0; px < kScreen3Width; ++px)
      if (rig.picture3.Image().pixel(px, py) == qRgb(250, 0, 0))
        ++red, off += std::fabs(std::hypot(px - 130, py - 130) - radius) > 1;
  EXPECT_EQ(off, 0);
  EXPECT_GT(red, 5 * radius);
  if (r.ReleaseRun) return;
  const double FL = r.FL, tol = 1e-12 * (1 + FL);
  r.T = r.T0;
  Diffur1(r, rig.modes());
  EXPECT_NEAR(r.DL, FL / r.CL, 1e-14 * (1 + r.L0));
  EXPECT_TRUE(r.Vtr == 0 && r.Arm == 0 && r.DY(8) == 0);
  const double got[] = {r.FL, r.Fz, r.DY(5), r.DY(6), r.DY(7)};
  const double want[] = {FL, r.PathSign * r.Fmg, -r.w1 * r.w1 * r.R1, 0, 0};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(got[i], want[i], tol) << "FL Fz DY5 DY6 DY7 #" << i;
}

#define F(name, value) Field{#name, &SimRecord::name, value}
INSTANTIATE_TEST_SUITE_P(
    Core, StartValues,
    testing::Values(
        StartCase{{"cone"},
                  {F(Fcen, 8), F(Fmg, 19.62), F(Alpha, std::atan(kTan)), F(h1, kTan), F(FL, kFL),
                   F(L1, kL1), F(L0, 20 + kL1 - kFL / 10), F(V1, 2), F(J1, 2), F(MKD1, 4),
                   F(E1, 4), F(Mx, 0.4), F(Fsup, 0), F(FVLp, kFL), F(EL1, kFL * kFL / 20),
                   F(VL, 0.1), F(T0, 0)}},
        StartCase{{"plane", {kPlane}},
                  {F(Alpha, 0), F(h1, 0), F(FL, 8), F(L1, 1), F(Fsup, 19.62), F(L0, 20.2)}},
        StartCase{{"sleeve driven down", {kSleeve, kDown}},
                  {F(FVLp, (1 - kTan / kL1) * kFL), F(FL, kFL), F(L0, 20 + kL1 - kFL / 10)}},
        StartCase{{"dumbbell", {kDumbbell}},
                  {F(V2a, 1), F(V2b, 3), F(MKD1, 5), F(E1, 5), F(L1, 0.5), F(w12, 2), F(L0, 19.7),
                   F(J12, 0.5), F(Fsup, 19.62)}},
        StartCase{{"dumbbell at R1 = 0.51", {kDumbbell}, {{kR1, 0.51}}},
                  {F(L1, 0.01), F(w12, 2), F(V2a, 0.02)}},
        StartCase{{"release", {kRelease}},
                  {F(Mx, 0.8), F(VL, 0), F(FVLp, 0), F(EL1, 0), F(FL, kFL)}},
        StartCase{{"Mx by hand", {kManualMx}, {{kMx, 0.7}}}, {F(Mx, 0.7)}},
        StartCase{{"Mx by hand, released", {kManualMx, kRelease}, {{kMx, 3}}}, {F(Mx, 3)}},
        StartCase{{"faster and wider", {}, {{kR1, 2}, {kW1, 3}, {kCL, 50}}},
                  {F(Fcen, 36), F(h1, 2 * 19.62 / 36), F(FL, std::hypot(36.0, 19.62)), F(Mx, 0.8),
                   F(MKD1, 24), F(E1, 36), F(J1, 8)}},
        StartCase{{"clockwise", {}, {{kW1, -2}, {kKtr, 7}}},
                  {F(V1, -2), F(MKD1, -4), F(E1, 4), F(FL, kFL)}}));
#undef F

class AzimuthRule : public testing::TestWithParam<std::array<double, 3>> {};

TEST_P(AzimuthRule, GivesTheAngleFromTheXAxis) {
  const auto [u, v, expected] = GetParam();
  EXPECT_EQ(Azimuth(u, v, kPi), expected) << "(" << u << ", " << v << ")";
}

const double kA = std::atan(0.5);
INSTANTIATE_TEST_SUITE_P(
    Core, AzimuthRule,
    testing::ValuesIn(std::vector<std::array<double, 3>>{
        {2, 1, kA}, {-2, 1, kPi - kA}, {-2, -1, kPi + kA}, {2, -1, 2 * kPi - kA},
        {3, -0.0, 0}, {-3, 0, kPi}, {-3, -0.0, kPi}, {0, -1, kPi / 2}, {-0.0, -1, kPi / 2},
        {0, 0, kPi / 2}, {1e-300, -1, 2 * kPi - M_PI / 2}}));

struct TensionCase {
  const char* name;
  double DL, Ktr, Vtr;            // elongation, friction coefficient, last rate
  double FL, Ftr, FC, storedVtr;  // expected with CL = 10
};

// The single load's string (0), or ball a's (1) or ball b's (2) of two balls.
class StringTension : public testing::TestWithParam<std::tuple<int, TensionCase>> {};

// One string's tension at the first stage of a step (T = T0, where the last
// step's rate of elongation is reused). The load (ball a) lies 1.5 m out on the
// negative X axis, so the string runs horizontally: L = 1.5 m, Lh = 20 m; ball
// b lies 0.5 m beyond it in Y. The angles use the record's Pi.
TEST_P(StringTension, PullsButNeverPushes) {
  const auto& [which, c] = GetParam();
  Rig rig;
  ASSERT_TRUE(rig.Start({kPlane}));
  SimRecord r = rig.r();
  r.Ktr = c.Ktr, r.T = r.T0 = 2, r.Tr = 1.2, r.Vtr = r.Vtr2 = c.Vtr;
  if (which == 0) r.Y(1) = -1.5, r.Y(2) = 0;
  if (which != 0) r.Y(1) = r.Y(2) = -1.5, r.Y(3) = 0, r.Y(4) = 0.5;
  const bool b = which == 2;
  r.L0 = b ? 1e9 : 21.5 - c.DL;  // the other string slack
  r.L00 = b ? 0.5 - c.DL : 1e9;
  which ? Diffur2(r, rig.modes()) : Diffur1(r, rig.modes());
  EXPECT_EQ(r.Phi, kPi);
  EXPECT_TRUE(which == 0 || r.Psi == kPi / 2);
  const double got[] = {b ? r.FL2 : r.FL, b ? r.Ftr2 : r.Ftr, b ? r.FC2 : r.FC, b ? r.Vtr2 : r.Vtr};
  const double want[] = {c.FL, c.Ftr, c.FC, c.storedVtr};
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(want[i] == 0 ? got[i] == 0 : std::fabs(got[i] - want[i]) < 1e-11)
        << "FL Ftr FC Vtr #" << i << ": " << got[i];
}

INSTANTIATE_TEST_SUITE_P(
    Core, StringTension,
    testing::Combine(
        testing::Values(0, 1, 2),
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

}  // namespace vozaz2::test
