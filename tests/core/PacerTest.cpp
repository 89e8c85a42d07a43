// The tempo of a run: steps per tick against a clock the test drives.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "run/Pacer.h"

namespace vozaz2::test {
namespace {

// Ticks every `tickMs` from 0 to `untilMs` (after Resume at 0); the steps made.
long Ticks(Pacer& pacer, std::int64_t tickMs, std::int64_t untilMs, double p0, std::int64_t fromMs = 0) {
  long steps = 0;
  for (std::int64_t t = fromMs + tickMs; t <= untilMs; t += tickMs) steps += pacer.StepsDue(t, p0);
  return steps;
}

struct Pace {
  const char* name;
  Tempo tempo;
  double p0;
  std::int64_t tickMs;
  long expected;  // steps in 10 s of ticks
};

class Paces : public ::testing::TestWithParam<Pace> {};

// Ten seconds of a steady timer: one step per P0 in real time, one per 5 P0
// slowed, one per tick as fast as possible; a paced run never outruns the
// fast one, whose pace is the timer's.
TEST_P(Paces, FollowTheClock) {
  const Pace& p = GetParam();
  Pacer pacer;
  pacer.SetTempo(p.tempo, 0);
  EXPECT_NEAR(Ticks(pacer, p.tickMs, 10000, p.p0), p.expected, 1);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
INSTANTIATE_TEST_SUITE_P(Pacer, Paces,
                         ::testing::Values(Pace{"Fastest", Tempo::Fastest, 0.005, 1, 10000},
                                           Pace{"RealTime", Tempo::RealTime, 0.005, 1, 2000},
                                           Pace{"Slowed", Tempo::Slowed, 0.005, 1, 400},
                                           Pace{"RealTimeAtMostTheTimersPace", Tempo::RealTime, 0.005, 16, 625},
                                           Pace{"SlowedLongStep", Tempo::Slowed, 0.1, 1, 20},
                                           Pace{"RealTimeTinyStep", Tempo::RealTime, 0.0001, 1, 10000},
                                           Pace{"RealTimeTinyStepSlowTimer", Tempo::RealTime, 0.0001, 10, 1000},
                                           Pace{"RealTimeNoStep", Tempo::RealTime, 0, 1, 10000},
                                           Pace{"RealTimeNaNStep", Tempo::RealTime, kNaN, 1, 10000}),
                         [](const auto& info) { return std::string(info.param.name); });

// A late tick catches up a few steps at most; a long hold-up (a dragged
// window, a busy machine) is forgiven, not paid back by a burst.
TEST(Pacer, CatchesUpAFewStepsAndForgivesTheRest) {
  Pacer pacer;
  pacer.SetTempo(Tempo::RealTime, 0);
  EXPECT_EQ(Ticks(pacer, 1, 100, 0.005), 20);
  EXPECT_EQ(pacer.StepsDue(115, 0.005), 3);  // 15 ms late
  EXPECT_EQ(Ticks(pacer, 1, 1115, 0.005, 115), 200) << "on pace again";
  EXPECT_EQ(pacer.StepsDue(3115, 0.005), Pacer::kCatchUp);  // 2 s late
  EXPECT_EQ(pacer.StepsDue(3116, 0.005), 0);
}

// Stopping and continuing: the pause does not count, the run goes on where it
// stood. A new tempo starts owing nothing.
TEST(Pacer, APauseIsNotCountedAndATempoStartsAfresh) {
  Pacer pacer;
  pacer.SetTempo(Tempo::Slowed, 0);
  EXPECT_EQ(Ticks(pacer, 1, 1000, 0.005), 40);
  pacer.Resume(60000);
  EXPECT_EQ(pacer.StepsDue(60001, 0.005), 0);
  EXPECT_EQ(Ticks(pacer, 1, 61000, 0.005, 60001), 40);
  pacer.SetTempo(Tempo::RealTime, 61000);
  EXPECT_EQ(pacer.StepsDue(61004, 0.005), 0);
  EXPECT_EQ(pacer.StepsDue(61005, 0.005), 1);
  pacer.SetTempo(Tempo::Fastest, 61005);
  EXPECT_EQ(pacer.StepsDue(61005, 0.005), 1);
}

// As fast as possible, the ticks a drawing held up are made up by the next
// ones, a few at a time; the clocked tempos need it not, and a pause forgets it.
TEST(Pacer, MakesUpTheTicksLostToDrawingAsFastAsPossible) {
  Pacer pacer;
  pacer.SetTempo(Tempo::Fastest, 0);
  pacer.Drew(2.6, 1);  // the tick due meanwhile comes late, the next is lost
  EXPECT_EQ(pacer.StepsDue(4, 0.005), 2);
  pacer.Drew(0.5, 1);
  pacer.Drew(1.5, 1);
  EXPECT_EQ(pacer.StepsDue(5, 0.005), 2) << "the parts add up, a short drawing loses no tick";
  pacer.Drew(12, 1);
  EXPECT_EQ(pacer.StepsDue(6, 0.005), Pacer::kCatchUp) << "paid back a few at a time, not in a burst";
  EXPECT_EQ(Ticks(pacer, 1, 9, 0.005, 6), 3 + 11 - (Pacer::kCatchUp - 1));
  EXPECT_EQ(pacer.StepsDue(10, 0.005), 1);
  pacer.Drew(5000, 1);
  EXPECT_EQ(Ticks(pacer, 1, 1010, 0.005, 10), 1000 + Pacer::kDrawnTicksKept) << "a long hold-up is forgiven";
  pacer.Drew(3, 1);
  pacer.Resume(10000);
  EXPECT_EQ(pacer.StepsDue(10001, 0.005), 1);
  pacer.SetTempo(Tempo::RealTime, 20000);
  pacer.Drew(3, 1);
  EXPECT_EQ(Ticks(pacer, 1, 21000, 0.005, 20000), 200);
}

}  // namespace
}  // namespace vozaz2::test
