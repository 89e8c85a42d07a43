// SolveStep over whole runs: the time bookkeeping of the release and the
// split, the divergence handling, the order of the scheme and the physics
// that the run must keep.
#include <cmath>
#include <functional>

#include "Rig.h"
#include "model/Equations.h"

namespace vozaz2::test {
namespace {

// With the string released the load flies freely (and falls, on a cone) for
// 199 steps: 200 additions of 0.005 make slightly more than 1 s, so the 200th
// step already ends after the release.
TEST(Release, Covers199StepsOfFreeFlight) {
  Rig rig;
  ASSERT_TRUE(rig.Start({kRelease}));
  int released = 0;
  for (int i = 1; i <= 200; ++i) {
    rig.Steps(1);
    const SimRecord& r = rig.r();
    if (r.L0 == r.L && r.FL == 0) {
      ++released;
      EXPECT_LE(r.T, 1);
      EXPECT_EQ(r.X, 1);  // straight on from (1, 0) at 2 m/s towards +Y
      EXPECT_NEAR(r.Ycoord, 2 * r.T, 1e-12);
      EXPECT_NEAR(r.Z, -9.81 * r.T * r.T / 2, 1e-12);
      EXPECT_EQ(r.EVL, 0);
      EXPECT_EQ(r.Etr, 0);
    } else {
      EXPECT_EQ(i, 200);
      EXPECT_GT(r.T, 1);
      EXPECT_LT(r.T, 1 + 1e-12);
      EXPECT_GT(r.FL, 0);  // the string has caught the load flying outwards
    }
  }
  EXPECT_EQ(released, 199);
}

class SplitRun : public testing::TestWithParam<double> {};

// The load splits at the step that nominally starts at 1 s (T0 is then just
// above 1); both balls start where the load was, with its velocity. The
// second string's free length follows the balls until Tr, and the string
// pulls only after Tr.
TEST_P(SplitRun, HandsOverAtOneSecondAndLocksAtTr) {
  const double Tr = GetParam();
  Rig rig;
  ASSERT_TRUE(rig.Start({kSplit}, {{kTr, Tr}}));
  rig.Steps(200);
  ASSERT_EQ(rig.r().SplitDone, 0);
  ASSERT_GT(rig.r().T0, 1);
  const SimRecord single = rig.r();
  rig.Steps(1);
  SimRecord r = rig.r();
  ASSERT_EQ(r.SplitDone, 1);
  EXPECT_EQ(r.Y0(1), single.X);
  EXPECT_EQ(r.Y0(2), single.X);
  EXPECT_EQ(r.Y0(3), single.Ycoord);
  EXPECT_EQ(r.Y0(4), single.Ycoord);
  EXPECT_EQ(r.Y0(5), single.VX);
  EXPECT_EQ(r.Y0(6), single.VX);
  EXPECT_EQ(r.Y0(7), single.VY);
  EXPECT_EQ(r.Y0(8), single.VY);

  // Right after the split the balls coincide: no direction between them.
  for (int i = 1; i <= 8; ++i) r.Y(i) = r.Y0(i);
  r.T = r.T0 = single.T0;
  Diffur2(r, rig.modes());
  EXPECT_EQ(r.Lb, 0);
  EXPECT_EQ(r.Psi, 3.141592654 / 2);
  EXPECT_EQ(r.FL2, 0);

  double frozen = 0, firstPull = 0;
  while (rig.r().T < Tr + 0.5 && !rig.e.LastStepDiverged()) {
    const double vxb = rig.r().Y(6), vyb = rig.r().Y(8);
    rig.Steps(1);
    const SimRecord& s = rig.r();
    if (s.T <= Tr) {
      EXPECT_EQ(s.L00, s.Lb) << "T = " << s.T;
      EXPECT_EQ(s.FL2, 0) << "T = " << s.T;
      EXPECT_EQ(s.Y(6), vxb) << "ball b flies straight at T = " << s.T;
      EXPECT_EQ(s.Y(8), vyb) << "ball b flies straight at T = " << s.T;
      frozen = s.L00;
    } else {
      EXPECT_EQ(s.L00, frozen) << "T = " << s.T;
      if (s.FL2 > 0 && firstPull == 0) firstPull = s.T;
    }
  }
  EXPECT_FALSE(rig.e.LastStepDiverged());
  EXPECT_GT(firstPull, Tr);
  EXPECT_LT(firstPull, Tr + 0.1);
}

INSTANTIATE_TEST_SUITE_P(Core, SplitRun, testing::Values(1.2, 1.5));

struct Cause {
  const char* name;
  std::function<void(Rig&)> prepare;
};
void PrintTo(const Cause& c, std::ostream* os) { *os << c.name; }

class Divergence : public testing::TestWithParam<Cause> {};

// Every way a step can fail ends the same way: the six-line message, the
// timer off, no box written by that step, and the time advanced all the same.
// A further single step runs again and fails again.
TEST_P(Divergence, StopsTheRunWithTheMessage) {
  Rig rig;
  GetParam().prepare(rig);
  ASSERT_TRUE(rig.e.Started());
  ASSERT_TRUE(rig.messages.shown.empty());
  std::vector<std::string> boxes;
  double t0 = 0;
  for (int i = 0; i < 2000 && !rig.e.LastStepDiverged(); ++i) {
    boxes = rig.boxes.All();
    t0 = rig.r().T0;
    rig.e.Timer1_Timer();
  }
  ASSERT_TRUE(rig.e.LastStepDiverged());
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{ExpectedDivergenceText()});
  EXPECT_EQ(rig.r().Msg, ExpectedDivergenceText());
  EXPECT_FALSE(rig.e.Timer1().Enabled);
  EXPECT_EQ(rig.r().T0, t0 + rig.r().P0);
  EXPECT_EQ(rig.boxes.All(), boxes);

  rig.e.Command7_Click();
  EXPECT_TRUE(rig.e.LastStepDiverged());
  EXPECT_EQ(rig.messages.shown.size(), 2u);
  EXPECT_EQ(rig.messages.shown.back(), ExpectedDivergenceText());
  EXPECT_EQ(rig.r().T0, t0 + rig.r().P0 + rig.r().P0);
  EXPECT_FALSE(rig.e.Timer1().Enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Core, Divergence,
    testing::Values(
        Cause{"load on the axis",
              [](Rig& rig) {
                rig.Start();
                rig.r().Y(1) = rig.r().Y(2) = 0;
              }},
        Cause{"stiff string overflows", [](Rig& rig) { rig.Start({}, {{kCL, 1e300}}); }},
        Cause{"huge step overflows", [](Rig& rig) { rig.Start({}, {{kP0, 1e10}}); }},
        Cause{"ball a reaches the axis",
              [](Rig& rig) {
                // Half the mass on the same string: ball a is pulled inwards.
                rig.Start({kSplit}, {{kR1, 0.2}, {kW1, 1}});
              }},
        Cause{"dumbbell runs into the sleeve",
              [](Rig& rig) { rig.Start({kDumbbell}, {{kR1, 0.51}}); }},
        Cause{"path beyond single precision",
              [](Rig& rig) {
                rig.Start();
                rig.r().Y(1) = 2e38;  // fine in double, 5e38 cm on the path screen
              }},
        Cause{"force beyond single precision", [](Rig& rig) { rig.Start({}, {{kMF, 1e-300}}); }},
        Cause{"zero time scale", [](Rig& rig) { rig.Start({}, {{kMt, 0}}); }},
        Cause{"zero force scale", [](Rig& rig) { rig.Start({}, {{kMF, 0}}); }},
        Cause{"zero height scale", [](Rig& rig) { rig.Start({kPlane}, {{kMz, 0}}); }}));

// The contact tests stop a run on geometry alone, before anything overflows.
TEST(Divergence, ContactTestsNeedNoOverflow) {
  Rig split;
  split.Start({kSplit}, {{kR1, 0.2}, {kW1, 1}});
  while (!split.e.LastStepDiverged() && split.r().T < 10) split.Steps(1);
  EXPECT_GT(split.r().T, 1.1);  // after the split, not at it
  EXPECT_LT(split.r().Ra, 0.1);
  EXPECT_TRUE(std::isfinite(split.r().FL) && std::isfinite(split.r().Y(5)));

  Rig dumbbell;
  dumbbell.Start({kDumbbell}, {{kR1, 0.51}});
  dumbbell.Steps(1);
  EXPECT_TRUE(dumbbell.e.LastStepDiverged());
  EXPECT_LT(dumbbell.r().L, 0.1);
  EXPECT_TRUE(std::isfinite(dumbbell.r().FL));
}

// The final state after 2 s, with the given step.
std::vector<double> StateAt2s(const std::string& step) {
  Rig rig;
  rig.boxes.SetText(kP0, step);
  EXPECT_TRUE(rig.Start({}, {{kKtr, 0}}));
  const int n = static_cast<int>(std::lround(2 / rig.r().P0));
  rig.Steps(n);
  EXPECT_FALSE(rig.e.LastStepDiverged());
  std::vector<double> y;
  for (int i : {1, 2, 3, 5, 6, 7}) y.push_back(rig.r().Y(i));
  return y;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
  double d = 0;
  for (std::size_t i = 0; i < a.size(); ++i) d = std::max(d, std::fabs(a[i] - b[i]));
  return d;
}

// Halving the step divides the error of a fourth-order scheme by 16. Without
// friction the rate of elongation (a first-order difference quotient) plays
// no part, and the pulled string makes the load spiral inwards and bob.
TEST(Convergence, TheStepIsFourthOrder) {
  const auto reference = StateAt2s("0,000625");
  const double e1 = Distance(StateAt2s("0,04"), reference);
  const double e2 = Distance(StateAt2s("0,02"), reference);
  const double e3 = Distance(StateAt2s("0,01"), reference);
  std::printf("errors at P0 = 0.04, 0.02, 0.01: %.3g %.3g %.3g; ratios %.2f %.2f\n", e1, e2, e3,
              e1 / e2, e2 / e3);
  EXPECT_GT(e1 / e2, 12);
  EXPECT_LT(e1 / e2, 20);
  EXPECT_GT(e2 / e3, 12);
  EXPECT_LT(e2 / e3, 20);
}

struct LongRunCase {
  Variant variant;
  double balanceLimit;  // relative to E1
};
void PrintTo(const LongRunCase& c, std::ostream* os) { *os << c.variant.name; }

class LongRun : public testing::TestWithParam<LongRunCase> {};

// The string pulls the load (the dumbbell's ball a, the split load's ball a)
// straight towards the axis, and the second string is internal: the angular
// momentum about the axis stays as it was at the start. The energy account
// closes: the balance shows only the error of the solution. Both are read
// from the boxes over a 20 s run.
TEST_P(LongRun, KeepsAngularMomentumAndClosesTheEnergyAccount) {
  Rig rig;
  ASSERT_TRUE(GetParam().variant.Start(rig));
  double momentum = 0, balance = 0;
  for (int i = 0; i < 4000; ++i) {
    rig.Steps(1);
    ASSERT_FALSE(rig.e.LastStepDiverged());
    const double mkd1 = rig.BoxNumber(28);
    momentum = std::max(momentum, std::fabs(rig.BoxNumber(29) - mkd1) / std::fabs(mkd1));
    balance = std::max(balance, std::fabs(rig.BoxNumber(23)) / rig.BoxNumber(21));
  }
  std::printf("%s: max |MKD2 - MKD1|/MKD1 = %.3g, max |balance|/E1 = %.3g\n",
              GetParam().variant.name, momentum, balance);
  EXPECT_NEAR(rig.r().T, 20, 1e-9);
  EXPECT_LT(momentum, 1e-7);
  EXPECT_LT(balance, GetParam().balanceLimit);
}

// The split load's strings lose energy to friction counted at each step's end
// (first order in P0); the balls' quick relative swing makes that visible.
INSTANTIATE_TEST_SUITE_P(
    Core, LongRun,
    testing::Values(LongRunCase{{"string up", {}, {}}, 1e-5},
                    LongRunCase{{"string down", {kDown}, {}}, 1e-5},
                    LongRunCase{{"sleeve up", {kSleeve}, {}}, 1e-5},
                    LongRunCase{{"sleeve down", {kSleeve, kDown}, {}}, 1e-5},
                    LongRunCase{{"plane", {kPlane}, {}}, 1e-5},
                    LongRunCase{{"drive stopped", {kStopDrive}, {}}, 1e-5},
                    LongRunCase{{"no friction", {}, {{kKtr, 0}}}, 1e-5},
                    LongRunCase{{"dumbbell let down", {kDumbbell, kDown}, {}}, 1e-5},
                    LongRunCase{{"split load let down", {kSplit, kDown}, {}}, 1e-3}));

struct DriveCase {
  Variant variant;
  double stringRate, sleeveRate;  // m/s: vertical part Lh, height of the sleeve
};
void PrintTo(const DriveCase& c, std::ostream* os) { *os << c.variant.name; }

class Drive : public testing::TestWithParam<DriveCase> {};

// Pulling the string end up lengthens the vertical part; moving the sleeve up
// shortens the vertical part and raises the sleeve above the load by the same
// amount. The sleeve's height is read back from h = h1 - Z + (its rise), with
// the Z of the step's last stage.
TEST_P(Drive, MovesTheStringEndOrTheSleeve) {
  Rig rig;
  ASSERT_TRUE(GetParam().variant.Start(rig));
  rig.Steps(500);
  const SimRecord& r = rig.r();
  const double sleeve = r.h - r.h1 + (r.Y0(3) + r.K3(3));
  EXPECT_NEAR(r.Lh - 20, GetParam().stringRate * r.T, 1e-12);
  EXPECT_NEAR(sleeve, GetParam().sleeveRate * r.T, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Core, Drive,
    testing::Values(DriveCase{{"string up", {}, {}}, 0.1, 0},
                    DriveCase{{"string down", {kDown}, {}}, -0.1, 0},
                    DriveCase{{"sleeve up", {kSleeve}, {}}, -0.1, 0.1},
                    DriveCase{{"sleeve down", {kSleeve, kDown}, {}}, 0.1, -0.1},
                    DriveCase{{"drive stopped", {kStopDrive}, {}}, 0, 0},
                    DriveCase{{"faster", {}, {{kVL, 0.3}}}, 0.3, 0}));

}  // namespace
}  // namespace vozaz2::test
