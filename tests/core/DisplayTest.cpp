// What the user sees: the screens' grids and colours, the numbers in the
// boxes, and which boxes each step writes.
#include <clocale>
#include <random>
#include <set>

#include "Rig.h"

namespace vozaz2::test {

// The pixel of a user coordinate u on a screen whose range from..to spans the
// pixels 0..n-1.
int PixelOf(double u, double from, double to, int n) {
  return static_cast<int>(std::lround((u - from) / (to - from) * (n - 1)));
}

// Both screens pixel by pixel: white, and with `grids` the grid lines in the
// colour value 1 (looks black), those through the path screen's origin grey.
// The oscillogram (x 0..12, y 5..-5) has the nine inner levels and verticals
// at 1, 2, 4, 6, 8, 10; the path screen (-5..5) the unit grid edge to edge.
void ExpectScreens(Rig& rig, bool grids) {
  std::set<int> rows2, cols2, lines3;
  for (int k = -4; k <= 4; ++k) rows2.insert(PixelOf(k, 5, -5, kScreen2Height));
  for (int k : {1, 2, 4, 6, 8, 10}) cols2.insert(PixelOf(k, 0, 12, kScreen2Width));
  for (int k = -5; k <= 5; ++k) lines3.insert(PixelOf(k, -5, 5, kScreen3Width));
  if (!grids) rows2 = cols2 = lines3 = {};
  const int origin = grids ? PixelOf(0, -5, 5, kScreen3Width) : -1;
  for (auto [img, rows, cols, o] : {std::tuple{&rig.picture2.Image(), &rows2, &cols2, -1},
                                    std::tuple{&rig.picture3.Image(), &lines3, &lines3, origin}})
    for (int y = 0; y < img->height(); ++y)
      for (int x = 0; x < img->width(); ++x) {
        const QRgb expected = y == o || x == o                   ? qRgb(200, 200, 200)
                              : rows->count(y) || cols->count(x) ? qRgb(1, 0, 0)
                                                                 : qRgb(255, 255, 255);
        ASSERT_EQ(img->pixel(x, y), expected) << x << "," << y;
      }
}

// The screens are blank until the first start; "Очистить экраны" after a run
// leaves the bare grids, and preparing them again changes nothing.
TEST(Screens, GridsAndClear) {
  Rig rig;
  ExpectScreens(rig, false);
  ASSERT_TRUE(rig.Start({kDumbbell}));
  rig.Steps(300);
  rig.e.Command5_Click();
  ExpectScreens(rig, true);
  PrepareScreen2(rig.picture2), PrepareScreen3(rig.picture3);
  ExpectScreens(rig, true);
}

// A colour value is red + 256 green + 65536 blue: red sits in the lowest byte.
TEST(Screens, ColourValue) {
  ImageSurface s(2, 2);
  s.Scale(0, 0, 1, 1);
  s.PSet(0, 0, 12 + 256 * 34 + 65536 * 56);
  EXPECT_EQ(s.Image().pixel(0, 0), qRgb(12, 34, 56));
}

class NumberToText : public testing::TestWithParam<std::pair<double, const char*>> {};

TEST_P(NumberToText, UsesTheGeneralForm) {
  EXPECT_EQ(NumberText(GetParam().first, ','), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Core, NumberToText,
    testing::ValuesIn(std::vector<std::pair<double, const char*>>{
        {0, "0"}, {-0.0, "0"}, {0.5, "0,5"}, {-2.4525, "-2,4525"}, {1.5e-5, "1,5E-05"},
        {1e-4, "0,0001"}, {1e15, "1E+15"}, {123456789012345, "123456789012345"},
        {123456789012345678.0, "1,23456789012346E+17"}, {2.0 / 3, "0,666666666666667"},
        {-1e-300, "-1E-300"}}));

class TextToNumber : public testing::TestWithParam<std::pair<const char*, double>> {};

// What a box accepts, with the decimal comma; NaN: rejected.
TEST_P(TextToNumber, AcceptsOnlyWholeNumbers) {
  const auto [text, value] = GetParam();
  EXPECT_EQ(TextNumber(text, ','), std::isnan(value) ? std::nullopt : std::optional(value));
}

INSTANTIATE_TEST_SUITE_P(
    Core, TextToNumber,
    testing::ValuesIn(std::vector<std::pair<const char*, double>>{
        {"0,5", 0.5}, {"0.5", 0.5}, {"-1,5", -1.5}, {"+2", 2}, {"1E-3", 1e-3}, {"2,5e+2", 250},
        {"  7 ", 7}, {"\t7", 7}, {",5", 0.5}, {"5,", 5}, {"0e400", 0}, {"4e-320", 4e-320},
        {"1e-400", NAN}, {"1e400", NAN}, {"-1e400", NAN}, {"", NAN}, {"   ", NAN}, {"abc", NAN},
        {"1a", NAN}, {"1,2,3", NAN}, {"1 000", NAN}, {"nan", NAN}, {"inf", NAN}, {"-inf", NAN},
        {"1e", NAN}, {"1e+", NAN}, {",", NAN}, {"--1", NAN}, {"+-1", NAN}, {"0x10", NAN}}));

// What a box shows reads back as the same number to 15 significant digits
// and shows again as the same text, with either separator, whatever the C
// library's locale (the window and the runner set it from the environment).
TEST(NumberText, RoundTripIgnoringTheCLocale) {
  EXPECT_EQ(TextNumber("0,5", '.'), std::nullopt);
  EXPECT_EQ(TextNumber("1,5", ';'), std::nullopt);
  const bool russian = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  std::mt19937_64 gen(20240611);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    const double v = mantissa(gen) * std::pow(10.0, exponent(gen));
    for (char sep : {',', '.'}) {
      const std::string text = NumberText(v, sep);
      const std::optional<double> back = TextNumber(text, sep);
      ASSERT_TRUE(back.has_value()) << text;
      EXPECT_NEAR(*back, v, 1e-14 * std::fabs(v)) << text;
      EXPECT_EQ(NumberText(*back, sep), text);
      ASSERT_EQ(text.find(sep == ',' ? '.' : ','), std::string::npos) << text;
    }
  }
  std::setlocale(LC_NUMERIC, "C");
  if (!russian) GTEST_SKIP() << "no ru_RU.UTF-8 locale: tried in C only";
}

struct ReadoutCase : Variant {
  std::vector<int> extra;  // variant boxes, written before the common ones
  int firstExtraStep;      // the step from which they are written
  std::vector<int> zeros;  // boxes that stay exactly 0
};

class Readout : public testing::TestWithParam<ReadoutCase> {};

// Each step writes the common boxes, and the variant's own only when they
// apply, in Russian notation; the start values E1 and MKD1 stay, the time
// shown is the step's end, and exact zeros show as "0".
TEST_P(Readout, WritesTheBoxesOfTheVariantInOrder) {
  const ReadoutCase& c = GetParam();
  const std::vector<int> common = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                   23, 24, 25, 26, 27, 28, 29, 31, 38, 39, 40, 42};
  Rig rig;
  ASSERT_TRUE(rig.Start(c));
  const std::string e1 = NumberText(rig.r().E1, kSep), mkd1 = NumberText(rig.r().MKD1, kSep);
  for (int step = 1; step <= 300; ++step) {
    rig.boxes.written.clear();
    rig.Steps(1);
    std::vector<int> expected = step >= c.firstExtraStep ? c.extra : std::vector<int>{};
    expected.insert(expected.end(), common.begin(), common.end());
    ASSERT_EQ(rig.boxes.written, expected) << "step " << step;
    for (int box : expected) {
      const std::string text = rig.boxes.Text(box);
      ASSERT_TRUE(TextNumber(text, kSep) && text.find('.') == std::string::npos) << box << text;
    }
    for (int box : c.zeros) ASSERT_EQ(rig.boxes.Text(box), "0") << "Text" << box;
    ASSERT_TRUE(rig.boxes.Text(21) == e1 && rig.boxes.Text(28) == mkd1);
    ASSERT_EQ(rig.boxes.Text(31), NumberText(rig.r().T0, kSep));
  }
}

// In the plane the load keeps its height; with the drive stopped from the
// start the source does no work.
INSTANTIATE_TEST_SUITE_P(
    Core, Readout,
    testing::ValuesIn(std::vector<ReadoutCase>{
        {{"single load"}, {}, 0, {}},
        {{"release", {kRelease}}, {}, 0, {}},
        {{"plane, drive stopped", {kPlane, kStopDrive}}, {}, 0, {15, 20, 24, 26}},
        {{"dumbbell", {kDumbbell}}, {37}, 1, {}},
        {{"split", {kSplit}}, {41, 43}, 201, {}}}));

}  // namespace vozaz2::test
