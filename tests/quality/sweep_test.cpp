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
    if (Chance(0.03)) v = -v;
    if (Chance(0.02)) v = 0;
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

}  // namespace
}  // namespace vozaz2::quality
