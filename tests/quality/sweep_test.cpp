// A deterministic sweep over thousands of experiments made of random input
// texts (good numbers, extreme numbers and bad texts) and random clicks on the
// controls before and during the run. Every run is bounded; each must end
// normally, with the input message, or with the divergence message, and every
// action must keep what Driver.h checks. The sanitizer build runs it too.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "model/Setup.h"
#include "tests/quality/Driver.h"

namespace vozaz2::quality {
namespace {

constexpr int kRuns = 2000;
constexpr int kMaxSteps = 300;

// Texts that stress the reading and the set-up: numbers at the edges of the
// double range, zeros, negative values, and texts that are no numbers.
const char* const kExtremeTexts[] = {
    "0",      "-0",       "1E+300", "-1E+300", "1,7976931348623157E+308", "4,9E-324", "1E-300",
    "-1E-300", "1E+20",   "1E-20",  "-1",      "100000",                   "0,000001", "2,2250738585072014E-308"};
const char* const kBadTexts[] = {"",    " ",    "abc",  "1a",   "1,2,3", "+",     "-",    "1e",
                                 "e5",  "nan",  "inf",  "-inf", "1E400", "1E-400", "1;5", "1 5",
                                 "0x10", "１",  "1,5 м", "--1", "1e+",   ",",     "\t"};

class Sweep {
 public:
  explicit Sweep(unsigned seed) : rng_(seed) {}

  // A good number near the start-up value of parameter i: scaled by up to a
  // factor 30 either way, now and then with its sign flipped, written with
  // either separator.
  std::string GoodText(std::size_t i) {
    static constexpr std::array<double, 11> kBase = {
        kDefaultParameters.R1, kDefaultParameters.w1, kDefaultParameters.CL, kDefaultParameters.Ktr,
        kDefaultParameters.VLset, kDefaultParameters.P0, kDefaultParameters.Mx, kDefaultParameters.MF,
        kDefaultParameters.Mz, kDefaultParameters.Mt, kDefaultParameters.Tr};
    double v = kBase[i] * std::pow(30.0, Uniform(-1, 1));
    if (Chance(0.05)) v = -v;
    if (Chance(0.05)) v = 0;
    std::string t = NumberText(v, Chance(0.5) ? ',' : '.');
    if (Chance(0.05)) t = " " + t + " ";
    return t;
  }

  std::string ParameterText(std::size_t i, int kind) {
    if (kind == 1 && Chance(0.15)) return Pick(kExtremeTexts);
    if (kind == 2 && Chance(0.1)) return Pick(kBadTexts);
    return GoodText(i);
  }

  // Any control, or now and then a button.
  int Click() {
    if (Chance(0.1)) return Pick({Driver::kStart, Driver::kStop, Driver::kContinue, Driver::kClear,
                                  Driver::kOneStep});
    return 1 + static_cast<int>(rng_() % 12);
  }

  bool Chance(double p) { return Uniform(0, 1) < p; }
  double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
  int Below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

  template <class T, std::size_t N>
  T Pick(const T (&items)[N]) {
    return items[rng_() % N];
  }
  int Pick(std::initializer_list<int> items) { return items.begin()[rng_() % items.size()]; }

 private:
  std::mt19937 rng_;
};

struct Tally {
  int runs = 0, started = 0, rejected = 0, diverged = 0, steps = 0;
};

// One run: texts, clicks before the start, "Начать", then ticks with clicks in
// between, at most kMaxSteps steps. Returns what went wrong, or "".
std::string OneRun(Sweep& s, Tally& tally, std::string& log) {
  Driver d;
  // 0: good numbers only, 1: some extreme numbers, 2: some bad texts.
  const int kind = s.Below(10) < 6 ? 0 : (s.Below(2) == 0 ? 1 : 2);
  std::ostringstream what;
  for (std::size_t i = 0; i < kParameterBoxes.size(); ++i) {
    const std::string text = s.ParameterText(i, kind);
    d.Type(i, text);
    what << "[" << text << "]";
  }
  auto act = [&](int action) {
    what << " " << action;
    return d.Do(action);
  };
  std::string error;
  for (int n = s.Below(6); n > 0 && error.empty(); --n) error = act(s.Click());
  if (error.empty()) error = act(Driver::kStart);
  int ticksLeft = kMaxSteps;
  while (error.empty() && d.steps() < kMaxSteps && ticksLeft-- > 0) {
    if (s.Chance(0.03)) error = act(s.Click());
    if (error.empty()) error = d.Do(Driver::kTick);
  }
  // After a divergence: one more step by hand from the state it left.
  if (error.empty() && d.divergences() > 0) error = act(Driver::kOneStep);

  ++tally.runs;
  tally.started += d.starts() > 0;
  tally.rejected += d.rejectedStarts() > 0;
  tally.diverged += d.divergences() > 0;
  tally.steps += d.steps();
  log = what.str();
  return error;
}

TEST(QualitySweep, RandomRunsEndNormallyOrWithOneOfTheTwoMessages) {
  Sweep s(20240607);
  Tally tally;
  int failures = 0;
  for (int run = 0; run < kRuns && failures < 5; ++run) {
    std::string log;
    const std::string error = OneRun(s, tally, log);
    if (!error.empty()) {
      ++failures;
      ADD_FAILURE() << "run " << run << ": " << error << "\n  texts and actions: " << log;
    }
  }
  // The sweep must reach all three endings, or it tests less than it claims.
  EXPECT_GT(tally.started, kRuns / 2);
  EXPECT_GT(tally.rejected, kRuns / 20);
  EXPECT_GT(tally.diverged, kRuns / 50);
}

// Runs known to end in the divergence message, some of them by a floating-point
// division by zero or overflow in the step: the message must come once, the
// timer must stop, the time must still advance, and under the sanitizers the
// expected IEEE faults must not count as errors.
struct DivergingRun {
  const char* name;
  std::array<const char*, 11> texts;  // R1 w1 CL Ktr VL P0 Mx MF Mz Mt Tr
  std::vector<int> clicks;            // before "Начать"
};

class Diverging : public testing::TestWithParam<DivergingRun> {};

TEST_P(Diverging, StopsWithTheDivergenceMessage) {
  const DivergingRun& c = GetParam();
  Driver d;
  for (std::size_t i = 0; i < c.texts.size(); ++i) d.Type(i, c.texts[i]);
  for (int click : c.clicks) ASSERT_EQ(d.Do(click), "");
  ASSERT_EQ(d.Do(Driver::kStart), "");
  ASSERT_EQ(d.starts(), 1) << "the run did not start";
  for (int i = 0; i < 5000 && d.divergences() == 0; ++i) ASSERT_EQ(d.Do(Driver::kTick), "");
  ASSERT_EQ(d.divergences(), 1);
  EXPECT_FALSE(d.experiment().Timer1().Enabled);
  // Another step by hand from the state the divergence left: no crash, and the
  // message again if it fails again.
  ASSERT_EQ(d.Do(Driver::kOneStep), "");
}

INSTANTIATE_TEST_SUITE_P(
    Quality, Diverging,
    testing::Values(
        // P0 = 0: the rate of elongation is 0/0 at the first stage.
        DivergingRun{"StepZero", {"1", "2", "10", "1", "0,1", "0", "0,5", "5", "2", "1", "1,2"}, {}},
        // A step so long that the increments overflow.
        DivergingRun{"StepHuge", {"1", "2", "10", "1", "0,1", "1E+200", "0,5", "5", "2", "1", "1,2"}, {}},
        // A stiff string and a long step: the solution blows up.
        DivergingRun{"Unstable", {"1", "2", "1E+9", "0", "0,1", "0,01", "0,5", "5", "2", "1", "1,2"}, {}},
        // A force beyond the screens' single precision.
        DivergingRun{"OffScreen", {"1", "2", "10", "1", "0,1", "0,005", "0,5", "1E-300", "2", "1", "1,2"}, {}},
        // The dumbbell at the smallest radius runs into the sleeve at once.
        DivergingRun{"DumbbellAtSleeve",
                     {"0,51", "2", "10", "1", "0,1", "0,005", "0,5", "5", "2", "1", "1,2"},
                     {Driver::kOption1 + 7}},
        // The split load pulled in until ball a reaches the axis.
        DivergingRun{"SplitIntoAxis", {"1", "2", "10", "1", "0,1", "0,005", "0,5", "5", "2", "1", "1,2"},
                     {Driver::kCheck1 + 1}}),
    [](const testing::TestParamInfo<DivergingRun>& info) { return std::string(info.param.name); });

// A step that diverged by overflow leaves the overflow flag raised. "Начать"
// afterwards must start the new run, not fail on the old flag (it used to
// throw the fault out of the click when it drew the start circle).
TEST(QualityRegression, StartAfterAnOverflowStartsTheNewRun) {
  Driver d;
  d.Type(5, "1E+200");  // P0: the first step overflows
  ASSERT_EQ(d.Do(Driver::kStart), "");
  ASSERT_EQ(d.Do(Driver::kTick), "");
  ASSERT_EQ(d.divergences(), 1);
  d.Type(5, "0,005");
  ASSERT_EQ(d.Do(Driver::kStart), "");
  EXPECT_EQ(d.starts(), 2);
  EXPECT_TRUE(d.experiment().Timer1().Ticking());
  ASSERT_EQ(d.Do(Driver::kTick), "");
  EXPECT_EQ(d.divergences(), 1);
}

}  // namespace
}  // namespace vozaz2::quality
