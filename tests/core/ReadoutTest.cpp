// What the boxes show: the number texts and the readout of each step.
#include <clocale>
#include <cmath>
#include <limits>
#include <random>

#include "Rig.h"

namespace vozaz2::test {

// The readout's texts, and what a box accepts with the decimal comma.
TEST(NumberText, Tables) {
  for (auto [value, text] : std::initializer_list<std::pair<double, const char*>>{
           {0, "0"}, {-0.0, "0"}, {0.5, "0,5"}, {-2.4525, "-2,4525"}, {1.5e-5, "1,5E-05"},
           {1e-4, "0,0001"}, {1e15, "1E+15"}, {123456789012345, "123456789012345"},
           {123456789012345678.0, "1,23456789012346E+17"}, {2.0 / 3, "0,666666666666667"},
           {-1e-300, "-1E-300"}})
    EXPECT_EQ(NumberText(value, ','), text);
  for (auto [text, value] : std::initializer_list<std::pair<const char*, double>>{
           {"0,5", 0.5}, {"0.5", 0.5}, {"-1,5", -1.5}, {"+2", 2}, {"1E-3", 1e-3}, {"2,5e+2", 250},
           {"  7 ", 7}, {"\t7", 7}, {",5", 0.5}, {"5,", 5}, {"0e400", 0}, {"4e-320", 4e-320}})
    EXPECT_EQ(TextNumber(text, ','), value) << '"' << text << '"';
  for (const char* text : {"1e-400", "-2E-330", "1e400", "-1e400", "1E+309", "", "   ", "\t", "abc",
                           "1a", "a1", "1,5 м", "один", "1 5", "1\n", "1,2,3", "1,000.5", "1 000",
                           "1_000", "1'5", "1;5", "nan", "NaN", "inf", "-inf", "Infinity", "1e",
                           "1e+", "e5", "1e5,5", "1E--5", "1e 5", ",", "+", "-", "1-", "- 1", "--1",
                           "+-1", "0x10", "1\xD9\xAB" "5", "\xEF\xBC\x91", "\xC2\xA0" "1"})
    EXPECT_EQ(TextNumber(text, ','), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(TextNumber("0,5", '.'), std::nullopt);
  EXPECT_EQ(TextNumber("1,5", ';'), std::nullopt);
}

// What a box shows reads back as the same number to 15 significant digits and
// shows again as the same text, with either separator (and only it), whatever
// the C library's locale (the window and the runner set it): random numbers,
// and the edges of the double range and of the 15 digits.
TEST(NumberText, RoundTripIgnoringTheCLocale) {
  const bool russian = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  using Limits = std::numeric_limits<double>;
  std::vector<double> values = {Limits::max(), -Limits::max(), std::nextafter(Limits::max(), 0.0),
                                1.797693134862315e308, Limits::min(), Limits::denorm_min(),
                                -Limits::denorm_min(), 1e-320, 1e15, 999999999999999.5, 1e-5,
                                9.99999999999999e-5, 0.1 + 0.2, -21.293170976400209};
  std::mt19937_64 gen(20240611);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 2000; ++i) values.push_back(mantissa(gen) * std::pow(10.0, exponent(gen)));
  for (double v : values) {
    for (char sep : {',', '.'}) {
      const std::string text = NumberText(v, sep);
      const std::optional<double> back = TextNumber(text, sep);
      ASSERT_TRUE(back && text.find(sep == ',' ? '.' : ',') == std::string::npos) << text;
      EXPECT_NEAR(*back, v, 1e-14 * std::fabs(v)) << text;
      EXPECT_EQ(NumberText(*back, sep), text);
    }
  }
  std::setlocale(LC_NUMERIC, "C");
  if (!russian) GTEST_SKIP() << "no ru_RU.UTF-8 locale: tried in C only";
}

struct ReadoutCase : Variant {
  std::vector<int> extra;  // variant boxes
  int firstExtraStep;      // the step from which they are written
  std::vector<int> zeros;  // boxes that stay exactly 0
};
class Readout : public testing::TestWithParam<ReadoutCase> {};

// Each step gives the common boxes and the variant's own only when they
// apply, in Russian notation; the time shown is the step's end; exact zeros
// show as "0".
TEST_P(Readout, WritesTheBoxesOfTheVariantInOrder) {
  const ReadoutCase& c = GetParam();
  const std::vector<int> common = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                   23, 24, 25, 26, 27, 28, 29, 31, 38, 39, 40, 42};
  Rig rig;
  ASSERT_TRUE(rig.Start(c));
  for (int step = 1; step <= 300; ++step) {
    rig.written.clear();
    rig.Steps(1);
    std::vector<int> expected = step >= c.firstExtraStep ? c.extra : std::vector<int>{};
    expected.insert(expected.end(), common.begin(), common.end());
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(rig.written, expected) << "step " << step;
    for (int box : expected) {
      const std::string text = rig.Text(box);
      ASSERT_TRUE(TextNumber(text, kSep) && text.find('.') == std::string::npos) << box << text;
    }
    for (int box : c.zeros) ASSERT_EQ(rig.Text(box), "0") << "Text" << box;
    ASSERT_EQ(rig.Text(31), NumberText(rig.r().T0, kSep));
    // The balance is the sum its label writes: +/- EVL + E1 - E2 - EL - Emg - Etr.
    auto n = [&](int box) { return rig.Number(box); };
    ASSERT_NEAR(n(kBalance), n(kEVL) + n(kE1) - n(kE2) - n(kEL) - n(kEmg) - n(kEtr), 1e-9) << "step " << step;
  }
}

// In the plane the load keeps its height; with the drive stopped from the
// start the source does no work.
INSTANTIATE_TEST_SUITE_P(
    Core, Readout,
    testing::ValuesIn(std::vector<ReadoutCase>{
        {{"single load"}, {}, 0, {}},
        {{"plane, drive stopped", {kPlane, kStopDrive}}, {}, 0, {15, 20, 24, 26}},
        {{"dumbbell", {kDumbbell}}, {37}, 1, {}},
        {{"split", {kSplit}}, {41, 43}, 201, {}}}));

}  // namespace vozaz2::test
