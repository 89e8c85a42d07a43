// The twin at half the step (run/Twin.h): its estimate of the run's error
// against the error measured with a run at a quarter of the step, the cases
// where it cannot follow the run, and that it changes nothing of the run.
#include <functional>

#include "Rig.h"
#include "run/Accounting.h"
#include "run/Twin.h"

namespace vozaz2::test {
namespace {

using Values = std::array<double, 4>;  // R2, w2, MKD2, the balance
Values Of(const SimRecord& r) { return {r.R, r.w2, r.MKD2, Balance(r)}; }
Values Of(const ErrorEstimate& e) { return {e.R2, e.w2, e.MKD2, e.balance}; }

struct Case : Variant {
  std::vector<std::pair<int, Click>> later = {};  // (after so many steps of P0, control)
};

// The case's run of 12 s at P0/div; `sample` sees it after every step of P0.
void RunCase(const Case& c, int div, bool twin, const std::function<void(const Session&)>& sample) {
  Rig rig;
  rig.session.SetAccuracy(twin);
  rig.SetText(kP0, NumberText(0.005 / div, kSep));
  ASSERT_TRUE(rig.Start(c));
  for (int step = 0; step < 2400 * div; ++step) {
    for (auto [after, click] : c.later)
      if (after * div == step) rig.Press(click);
    rig.Steps(1);
    if ((step + 1) % div == 0) sample(rig.session);
  }
}

class FactorOfTwo : public testing::TestWithParam<Case> {};

// Over the run, the largest estimated error of each quantity is within a
// factor of 2 of the largest difference from a run at a quarter of the step:
// the orders that the estimate takes hold, and a click reaches the twin at
// the same model time.
TEST_P(FactorOfTwo, OfTheErrorMeasuredAtAQuarterOfTheStep) {
  std::vector<Values> run, estimate, quarter;
  RunCase(GetParam(), 1, true, [&](const Session& s) {
    ASSERT_TRUE(s.Estimate()->known) << "T = " << s.Record().T;
    run.push_back(Of(s.Record()));
    estimate.push_back(Of(*s.Estimate()));
  });
  RunCase(GetParam(), 4, false, [&](const Session& s) { quarter.push_back(Of(s.Record())); });
  ASSERT_EQ(run.size(), quarter.size());
  for (std::size_t q = 0; q < 4; ++q) {
    double estimated = 0, measured = 0;
    for (std::size_t i = 0; i < run.size(); ++i) {
      estimated = std::max(estimated, std::fabs(estimate[i][q]));
      measured = std::max(measured, std::fabs(run[i][q] - quarter[i][q]));
    }
    EXPECT_TRUE(estimated >= measured / 2 && estimated <= measured * 2)
        << std::array{"R2", "w2", "MKD2", "balance"}[q] << ": estimated " << estimated << ", measured " << measured;
  }
}

INSTANTIATE_TEST_SUITE_P(Core, FactorOfTwo,
                         testing::ValuesIn(std::vector<Case>{{{"default"}},
                                                             {{"plane", {kPlane}}},
                                                             {{"dumbbell", {kDumbbell}}},
                                                             {{"without friction", {}, {{kKtr, 0}}}},
                                                             {{"let down from 4 s"}, {{800, kDown}}}}));

struct Broken : Variant {
  Lockstep why;
  double heldUntil;
};
class NoLockstep : public testing::TestWithParam<Broken> {};

// Runs whose twin cannot make the same events at the same model times: the
// estimate stops with the reason, after the last step in lockstep; the run
// itself is the same as without a twin.
TEST_P(NoLockstep, StopsTheEstimateWithItsReason) {
  Rig with, without;
  with.session.SetAccuracy(true);
  ASSERT_TRUE(with.Start(GetParam()) && without.Start(GetParam()));
  while (with.r().T0 < 2 && with.session.State() != RunState::kDiverged) with.Steps(1), without.Steps(1);
  EXPECT_TRUE(Same(Held(with), Held(without)));
  const ErrorEstimate& e = *with.session.Estimate();
  EXPECT_EQ(e.lockstep, GetParam().why);
  EXPECT_NEAR(e.heldUntil, GetParam().heldUntil, 1e-9);
  EXPECT_FALSE(e.known);
}

INSTANTIATE_TEST_SUITE_P(
    Core, NoLockstep,
    testing::ValuesIn(std::vector<Broken>{
        {{"split handed over half a step apart", {kPlane, kSplit}}, Lockstep::kHandOver, 1},
        {{"second string fixed half a step apart", {kPlane, kSplit}, {{kP0, 0.002}, {kTr, 1.5}}},
         Lockstep::kSecondString, 1.498},
        {{"release ended half a step apart", {kRelease}}, Lockstep::kReleaseEnd, 0.995},
        {{"the run diverged", {kDumbbell}, {{kR1, 0.51}}}, Lockstep::kDivergence, 0}}));

// The twin makes twice the steps: when the display is so rare that the step
// counter (16 bits) runs out, the twin diverges alone, half way.
TEST(Twin, DivergingAloneStopsTheEstimate) {
  Rig rig;
  rig.session.SetAccuracy(true);
  rig.r().NShow = 32767;  // the start keeps it
  ASSERT_TRUE(rig.Start());
  rig.Steps(16384);
  EXPECT_EQ(rig.session.Estimate()->lockstep, Lockstep::kDivergence);
  EXPECT_NE(rig.session.State(), RunState::kDiverged);
}

// Clicks come between the run's steps, so between the twin's pairs of half
// steps; a change of the controls between two half steps is told.
TEST(Twin, ControlsChangedBetweenHalfStepsBreakTheLockstep) {
  Rig rig;
  ASSERT_TRUE(rig.Start());
  Twin twin;
  twin.Start(rig.e);
  twin.HalfStep();
  twin.HalfStep();
  rig.Press(kDown);
  twin.TakeControls(rig.e);
  EXPECT_EQ(twin.Estimate().lockstep, Lockstep::kHeld);
  twin.HalfStep();
  rig.Press(kUp);
  twin.TakeControls(rig.e);
  EXPECT_EQ(twin.Estimate().lockstep, Lockstep::kClickBetweenHalfSteps);
}

}  // namespace
}  // namespace vozaz2::test
