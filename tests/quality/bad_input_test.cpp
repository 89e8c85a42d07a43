// Bad input of every kind, typed into each of the eleven input boxes, gives
// "Введите правильно данные" once and changes nothing: not the record, not a
// text box, not a pixel of either screen, not the timer, whether a run was in
// progress, stopped, or never started. (Driver::Do(kStart) compares all of it
// before and after.)
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "model/Setup.h"
#include "tests/quality/Driver.h"

namespace vozaz2::quality {
namespace {

struct BadText {
  const char* kind;
  const char* text;
};

// A whole number of 401 digits, beyond the range of a double.
const std::string kHugeDigits = "1" + std::string(400, '0');

const BadText kBadTexts[] = {
    {"Empty", ""},
    {"Blanks", "   "},
    {"Tab", "\t"},
    {"Letters", "abc"},
    {"TrailingLetter", "1a"},
    {"LeadingLetter", "a1"},
    {"Unit", "1,5 м"},
    {"Cyrillic", "один"},
    {"BlankInside", "1 5"},
    {"NewLine", "1\n"},
    {"SignOnly", "+"},
    {"MinusOnly", "-"},
    {"TwoSigns", "+-1"},
    {"DoubleMinus", "--1"},
    {"SignAfter", "1-"},
    {"SignBlank", "- 1"},
    {"ExponentOnly", "e5"},
    {"ExponentEmpty", "1e"},
    {"ExponentSignOnly", "1e+"},
    {"ExponentFraction", "1e5,5"},
    {"ExponentTwoSigns", "1E--5"},
    {"ExponentBlank", "1e 5"},
    {"Huge", "1E+309"},
    {"HugeNegative", "-1E+400"},
    {"HugeDigits", kHugeDigits.c_str()},
    {"Tiny", "1E-400"},
    {"TinyNegative", "-2E-330"},
    {"NaN", "nan"},
    {"NaNUpper", "NaN"},
    {"Inf", "inf"},
    {"MinusInf", "-inf"},
    {"Infinity", "Infinity"},
    {"Hex", "0x10"},
    {"SemicolonSeparator", "1;5"},
    {"ApostropheSeparator", "1'5"},
    {"UnderscoreGrouping", "1_000"},
    {"TwoSeparators", "1,000.5"},
    {"TwoCommas", "1,2,3"},
    {"SeparatorOnly", ","},
    {"ArabicSeparator", "1\xD9\xAB" "5"},
    {"FullWidthDigit", "\xEF\xBC\x91"},
    {"NonBreakingBlank", "\xC2\xA0" "1"},
};

// The state a bad "Начать" meets.
enum class Before { kNeverStarted, kRunning, kStopped, kDiverged };

const char* Name(Before b) {
  switch (b) {
    case Before::kNeverStarted: return "NeverStarted";
    case Before::kRunning: return "Running";
    case Before::kStopped: return "Stopped";
    case Before::kDiverged: return "Diverged";
  }
  return "";
}

// Brings a driver with the start-up texts into the given state, with some
// drawing on the screens and numbers in the boxes.
void Prepare(Driver& d, Before state) {
  if (state == Before::kNeverStarted) return;
  if (state == Before::kDiverged) d.Type(5, "1E+200");  // P0: the first step overflows
  ASSERT_EQ(d.Do(Driver::kStart), "");
  for (int i = 0; i < 40 && d.divergences() == 0; ++i) ASSERT_EQ(d.Do(Driver::kTick), "");
  if (state == Before::kStopped) {
    ASSERT_EQ(d.Do(Driver::kStop), "");
  }
  if (state == Before::kDiverged) {
    ASSERT_EQ(d.divergences(), 1);
  }
}

class BadInput : public testing::TestWithParam<std::tuple<BadText, Before>> {};

TEST_P(BadInput, GivesTheInputMessageAndChangesNothing) {
  const auto& [bad, state] = GetParam();
  for (std::size_t box = 0; box < kParameterBoxes.size(); ++box) {
    SCOPED_TRACE("parameter box Text" + std::to_string(kParameterBoxes[box]));
    Driver d;
    Prepare(d, state);
    const bool ticking = d.experiment().Timer1().Ticking();
    d.Type(box, bad.text);
    ASSERT_EQ(d.Do(Driver::kStart), "");
    EXPECT_EQ(d.rejectedStarts(), 1);
    EXPECT_EQ(d.messages().shown.back(), kInputMessage);
    EXPECT_EQ(d.experiment().Timer1().Ticking(), ticking);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Quality, BadInput,
    testing::Combine(testing::ValuesIn(kBadTexts),
                     testing::Values(Before::kNeverStarted, Before::kRunning, Before::kStopped,
                                     Before::kDiverged)),
    [](const testing::TestParamInfo<std::tuple<BadText, Before>>& info) {
      return std::string(std::get<0>(info.param).kind) + "_" + Name(std::get<1>(info.param));
    });

// Numbers that read well but make no run: the same message, the same nothing.
struct NoRun {
  const char* name;
  std::size_t box;  // parameter index, 0..10
  const char* text;
  std::vector<int> clicks;  // before "Начать"
};

class NumbersThatMakeNoRun : public testing::TestWithParam<NoRun> {};

TEST_P(NumbersThatMakeNoRun, GiveTheInputMessageAndChangeNothing) {
  const NoRun& c = GetParam();
  for (Before state : {Before::kNeverStarted, Before::kRunning}) {
    SCOPED_TRACE(Name(state));
    Driver d;
    Prepare(d, state);
    for (int click : c.clicks) ASSERT_EQ(d.Do(click), "");
    d.Type(c.box, c.text);
    ASSERT_EQ(d.Do(Driver::kStart), "");
    EXPECT_EQ(d.rejectedStarts(), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Quality, NumbersThatMakeNoRun,
    testing::Values(NoRun{"RadiusZero", 0, "0", {}},
                    NoRun{"AngularSpeedZero", 1, "0", {}},
                    NoRun{"StiffnessZero", 2, "0", {}},
                    NoRun{"ManualScaleZero", 6, "0", {Driver::kCheck1 + 3}},
                    NoRun{"DumbbellTooClose", 0, "0,5", {Driver::kOption1 + 7}},
                    NoRun{"DumbbellNegativeRadius", 0, "-1", {Driver::kOption1 + 7}},
                    NoRun{"RadiusOverflowsTheForce", 0, "1E+300", {}},
                    NoRun{"StartCircleOffScreen", 0, "1E+50", {Driver::kCheck1 + 3}},
                    NoRun{"AngularSpeedOverflows", 1, "1E+200", {}}),
    [](const testing::TestParamInfo<NoRun>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vozaz2::quality
