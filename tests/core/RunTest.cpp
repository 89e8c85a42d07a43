// Whole runs step by step: the timing of the release and the split, the
// divergence handling, the order of the scheme and the physics a run keeps.
#include <functional>

#include "Rig.h"

namespace vozaz2::test {

// The released load flies freely (and falls) for 199 steps: 200 additions of
// 0.005 make slightly more than 1 s, so the 200th step ends after the release
// and the string catches the load flying outwards.
TEST(Run, ReleaseCovers199StepsOfFreeFlight) {
  Rig rig;
  ASSERT_TRUE(rig.Start({kRelease}));
  for (int i = 1; i < 200; ++i) {
    rig.Steps(1);
    const SimRecord& r = rig.r();  // straight on from (1, 0) at 2 m/s towards +Y
    ASSERT_TRUE(r.FL == 0 && r.L0 == r.L && r.T <= 1 && r.X == 1 && r.EVL == 0 && r.Etr == 0)
        << "step " << i;
    ASSERT_NEAR(r.Ycoord, 2 * r.T, 1e-12);
    ASSERT_NEAR(r.Z, -9.81 * r.T * r.T / 2, 1e-12);
  }
  rig.Steps(1);
  EXPECT_TRUE(rig.r().T > 1 && rig.r().T < 1 + 1e-12 && rig.r().FL > 0) << rig.r().T;
}

// The load splits at the step that nominally starts at 1 s (T0 is then just
// above 1): both balls start where the load was, with its velocity. Ball b's
// string follows it slack until Tr, is frozen then, and pulls only after Tr.
TEST(Run, SplitHandsOverAtOneSecondAndLocksAtTr) {
  const double Tr = 1.5;
  Rig rig;
  ASSERT_TRUE(rig.Start({kSplit}, {{kTr, Tr}}));
  rig.Steps(200);
  const SimRecord s = rig.r();
  ASSERT_TRUE(s.SplitDone == 0 && s.T0 > 1);
  rig.Steps(1);
  ASSERT_EQ(rig.r().SplitDone, 1);
  const double y0[] = {s.X, s.X, s.Ycoord, s.Ycoord, s.VX, s.VX, s.VY, s.VY};
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(rig.r().Y0(i), y0[i - 1]) << "Y0(" << i << ")";
  double frozen = 0, firstPull = 0;
  while (rig.r().T < Tr + 0.5) {
    const double vxb = rig.r().Y(6), vyb = rig.r().Y(8);
    rig.Steps(1);
    const SimRecord& r = rig.r();
    ASSERT_FALSE(rig.e.LastStepDiverged());
    if (r.T <= Tr) {  // ball b flies straight on
      ASSERT_TRUE(r.L00 == r.Lb && r.FL2 == 0 && r.Y(6) == vxb && r.Y(8) == vyb) << r.T;
      frozen = r.L00;
    } else {
      ASSERT_EQ(r.L00, frozen) << r.T;
      if (r.FL2 > 0 && firstPull == 0) firstPull = r.T;
    }
  }
  EXPECT_TRUE(firstPull > Tr && firstPull < Tr + 0.1) << firstPull;
}

struct Cause {
  const char* name;
  std::function<void(Rig&)> prepare;
  std::function<bool(const SimRecord&)> why = {};  // the state that stopped it, if telling
};

class Divergence : public testing::TestWithParam<Cause> {};

// Every way a step can fail ends alike: the six-line message, the timer off,
// no box written by that step, the time advanced all the same. A further
// single step runs again and fails again.
TEST_P(Divergence, StopsTheRunWithTheMessage) {
  Rig rig;
  GetParam().prepare(rig);
  ASSERT_TRUE(rig.e.Started() && rig.messages.shown.empty());
  double t0 = 0;
  for (int i = 0; i < 2000 && !rig.e.LastStepDiverged(); ++i) {
    rig.boxes.written.clear();
    t0 = rig.r().T0;
    rig.e.Timer1_Timer();
  }
  ASSERT_TRUE(rig.e.LastStepDiverged());
  EXPECT_TRUE(!GetParam().why || GetParam().why(rig.r())) << "stopped at T = " << rig.r().T;
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{kDivergenceText});
  EXPECT_FALSE(rig.e.Timer1().Enabled);
  EXPECT_EQ(rig.r().T0, t0 + rig.r().P0);
  EXPECT_EQ(rig.boxes.written, std::vector<int>{});
  rig.e.Command7_Click();
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>(2, kDivergenceText));
  EXPECT_EQ(rig.r().T0, t0 + rig.r().P0 + rig.r().P0);
}

// The contact tests stop a run on geometry alone, before anything overflows.
INSTANTIATE_TEST_SUITE_P(
    Core, Divergence,
    testing::Values(
        Cause{"load on the axis", [](Rig& g) { g.Start(), g.r().Y(1) = g.r().Y(2) = 0; }},
        Cause{"stiff string overflows", [](Rig& g) { g.Start({}, {{kCL, 1e300}}); }},
        Cause{"ball a reaches the axis",  // half the mass on the same string
              [](Rig& g) { g.Start({kSplit}, {{kR1, 0.2}, {kW1, 1}}); },
              [](const SimRecord& r) { return r.T > 1.1 && r.Ra < 0.1 && std::isfinite(r.FL); }},
        Cause{"dumbbell runs into the sleeve", [](Rig& g) { g.Start({kDumbbell}, {{kR1, 0.51}}); },
              [](const SimRecord& r) { return r.T0 == r.P0 && r.L < 0.1 && std::isfinite(r.FL); }},
        // 2e38 m is fine in double but 5e38 cm on the path screen
        Cause{"path beyond single precision", [](Rig& g) { g.Start(), g.r().Y(1) = 2e38; }},
        Cause{"force beyond single precision", [](Rig& g) { g.Start({}, {{kMF, 1e-300}}); }},
        Cause{"zero time scale", [](Rig& g) { g.Start({}, {{kMt, 0}}); }},
        Cause{"zero height scale", [](Rig& g) { g.Start({kPlane}, {{kMz, 0}}); }}));

// The state after 2 s with the given step. Without friction the rate of
// elongation (a first-order difference quotient) plays no part.
std::array<double, 8> StateAt2s(const char* step) {
  Rig rig;
  rig.boxes.SetText(kP0, step);
  EXPECT_TRUE(rig.Start({}, {{kKtr, 0}}));
  rig.Steps(static_cast<int>(std::lround(2 / rig.r().P0)));
  std::array<double, 8> y;
  for (int i = 0; i < 8; ++i) y[i] = rig.r().Y(i + 1);
  return y;
}

// Halving the step divides the error of a fourth-order scheme by 16.
TEST(Run, TheStepIsFourthOrder) {
  const auto reference = StateAt2s("0,000625");
  double e[3] = {};
  for (int k = 0; k < 3; ++k) {
    const auto y = StateAt2s(std::array{"0,04", "0,02", "0,01"}[k]);
    for (int i = 0; i < 8; ++i) e[k] = std::max(e[k], std::fabs(y[i] - reference[i]));
  }
  std::printf("errors at P0 = 0.04, 0.02, 0.01: %.3g %.3g %.3g; ratios %.2f %.2f\n", e[0], e[1],
              e[2], e[0] / e[1], e[1] / e[2]);
  for (double ratio : {e[0] / e[1], e[1] / e[2]}) EXPECT_TRUE(ratio > 12 && ratio < 20) << ratio;
}

struct LongRunCase : Variant {
  std::vector<std::pair<int, Click>> later;  // (after step, control)
  double balanceLimit;                       // relative to E1
  double lh, sleeve;  // m moved by the vertical part and the sleeve in 20 s
};

class LongRun : public testing::TestWithParam<LongRunCase> {};

// The string (of ball a) pulls straight at the axis and the second string is
// internal, so the angular momentum about the axis stays; the energy balance
// shows only the error of the solution (both read from the boxes). The drive
// moves the string end (up lengthens the vertical part Lh) or the sleeve (up
// shortens Lh and raises the sleeve above the load: h = h1 - Z + rise, with
// the last stage's Z); reversed, stopped or switched, each part moves on from
// where it stands, by VL*P0 a step at most. A run keeps its rotation: on a
// cone the load bobs, in the plane it is carried at Z = 0.
TEST_P(LongRun, KeepsMomentumAndEnergyAndDrivesSmoothly) {
  const LongRunCase& c = GetParam();
  Rig rig;
  ASSERT_TRUE(rig.Start(c));
  const double limit = rig.r().VLset * rig.r().P0 + 1e-12;
  double momentum = 0, balance = 0, lh = 20, sleeve = 0;
  for (int step = 1; step <= 4000; ++step) {
    for (auto [after, click] : c.later)
      if (after == step - 1) rig.Press(click);
    rig.Steps(1);
    ASSERT_FALSE(rig.e.LastStepDiverged());
    const SimRecord& r = rig.r();
    const double mkd1 = rig.BoxNumber(28), rise = r.h - r.h1 + r.Y0(3) + r.K3(3);
    momentum = std::max(momentum, std::fabs(rig.BoxNumber(29) - mkd1) / std::fabs(mkd1));
    balance = std::max(balance, std::fabs(rig.BoxNumber(23)) / rig.BoxNumber(21));
    ASSERT_LE(std::fabs(r.Lh - lh), limit) << "step " << step;
    ASSERT_TRUE(std::isnan(c.sleeve) || std::fabs(rise - sleeve) <= limit) << "step " << step;
    lh = r.Lh;
    sleeve = rise;
  }
  std::printf("%s: max |MKD2 - MKD1|/MKD1 = %.3g, max |balance|/E1 = %.3g\n", c.name, momentum,
              balance);
  EXPECT_LT(momentum, 1e-7);
  EXPECT_LT(balance, c.balanceLimit);
  EXPECT_NEAR(rig.r().T, 20, 1e-9);
  EXPECT_NEAR(lh - 20, c.lh, 1e-9);
  EXPECT_TRUE(std::isnan(c.sleeve) || std::fabs(sleeve - c.sleeve) < 1e-9) << sleeve;
  EXPECT_EQ(rig.r().Z == 0, rig.r().Fsup != 0);
}

// The split load's strings lose energy to friction counted at each step's end
// (first order in P0); the balls' quick relative swing makes that visible.
INSTANTIATE_TEST_SUITE_P(
    Core, LongRun,
    testing::ValuesIn(std::vector<LongRunCase>{
        {{"string up"}, {}, 1e-5, 2, 0},
        {{"string down", {kDown}}, {}, 1e-5, -2, 0},
        {{"sleeve up", {kSleeve}}, {}, 1e-5, -2, 2},
        {{"plane", {kPlane}}, {}, 1e-5, 2, 0},
        {{"dumbbell let down", {kDumbbell, kDown}}, {}, 1e-5, -2, NAN},
        {{"split load let down", {kSplit, kDown}}, {}, 1e-3, -2, NAN},
        {{"sleeve reversed", {kSleeve}}, {{1000, kDown}}, 1e-4, 1, -1},
        {{"sleeve stopped, reversed, resumed", {kSleeve}},
         {{400, kStopDrive}, {600, kDown}, {800, kStopDrive}}, 1e-4, 1.4, -1.4},
        {{"string to sleeve and back"}, {{1000, kSleeve}, {2000, kString}}, 1e-4, 1, 0.5},
        {{"sleeve to string, down then up", {kSleeve, kDown}}, {{1000, kString}, {2000, kUp}},
         1e-4, 1, -0.5},
        {{"plane chosen in a sleeve run", {kSleeve}}, {{1000, kPlane}}, 1e-4, 1, 0.5}}));

}  // namespace vozaz2::test
