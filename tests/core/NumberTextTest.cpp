// Numbers as the boxes show them and as the set-up reads them.
#include <clocale>
#include <cmath>
#include <random>

#include "model/NumberText.h"
#include "Rig.h"

namespace vozaz2::test {
namespace {

struct Shown {
  double value;
  char separator;
  const char* text;
};

class NumberToText : public testing::TestWithParam<Shown> {};

TEST_P(NumberToText, UsesTheGeneralForm) {
  EXPECT_EQ(NumberText(GetParam().value, GetParam().separator), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Core, NumberToText,
    testing::Values(Shown{0, ',', "0"}, Shown{-0.0, ',', "0"}, Shown{0.5, ',', "0,5"},
                    Shown{0.5, '.', "0.5"}, Shown{-2.4525, ',', "-2,4525"},
                    Shown{1.5e-5, ',', "1,5E-05"}, Shown{1e-4, ',', "0,0001"},
                    Shown{1e15, ',', "1E+15"}, Shown{123456789012345, ',', "123456789012345"},
                    Shown{123456789012345678.0, ',', "1,23456789012346E+17"},
                    Shown{1.0 / 3, ',', "0,333333333333333"}, Shown{2.0 / 3, ',', "0,666666666666667"},
                    Shown{20, ',', "20"}, Shown{-1e-300, ',', "-1E-300"},
                    Shown{4.78515624980431e80, ',', "4,78515624980431E+80"}));

struct Typed {
  const char* text;
  char separator;
  double value;  // NaN: rejected
};
void PrintTo(const Typed& t, std::ostream* os) { *os << '"' << t.text << '"'; }

class TextToNumber : public testing::TestWithParam<Typed> {};

TEST_P(TextToNumber, AcceptsOnlyWholeNumbers) {
  const Typed t = GetParam();
  const std::optional<double> v = TextNumber(t.text, t.separator);
  if (std::isnan(t.value)) {
    EXPECT_FALSE(v.has_value()) << *v;
  } else {
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, t.value);
  }
}

const double kNo = std::nan("");
INSTANTIATE_TEST_SUITE_P(
    Core, TextToNumber,
    testing::Values(Typed{"0,5", ',', 0.5}, Typed{"0.5", ',', 0.5}, Typed{"0.5", '.', 0.5},
                    Typed{"0,5", '.', kNo}, Typed{"-1,5", ',', -1.5}, Typed{"+2", ',', 2},
                    Typed{"1E-3", ',', 1e-3}, Typed{"2,5e+2", ',', 250}, Typed{"  7 ", ',', 7},
                    Typed{"\t7", ',', 7}, Typed{",5", ',', 0.5}, Typed{"5,", ',', 5},
                    Typed{"1e-400", ',', kNo}, Typed{"1e400", ',', kNo}, Typed{"-1e400", ',', kNo},
                    Typed{"0e400", ',', 0}, Typed{"4e-320", ',', 4e-320}, Typed{"", ',', kNo},
                    Typed{"   ", ',', kNo}, Typed{"abc", ',', kNo}, Typed{"1a", ',', kNo},
                    Typed{"1,2,3", ',', kNo}, Typed{"1 000", ',', kNo}, Typed{"nan", ',', kNo},
                    Typed{"inf", ',', kNo}, Typed{"-inf", ',', kNo}, Typed{"1e", ',', kNo},
                    Typed{"1e+", ',', kNo}, Typed{",", ',', kNo}, Typed{"--1", ',', kNo},
                    Typed{"+-1", ',', kNo}, Typed{"0x10", ',', kNo}, Typed{"1,5", ';', kNo}));

// What a box shows reads back as the same number to 15 significant digits,
// and showing that again gives the same text.
TEST(NumberText, RoundTrip) {
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
    }
  }
}

// The texts do not depend on the C library's locale (the window and the
// runner set it from the environment): a decimal comma locale changes neither
// what is shown with '.' nor what is read.
TEST(NumberText, IgnoresTheCLocale) {
  if (!std::setlocale(LC_NUMERIC, "ru_RU.UTF-8")) GTEST_SKIP() << "no ru_RU.UTF-8 locale";
  const std::string shown = NumberText(0.5, '.'), shownComma = NumberText(1.5e-5, ',');
  const std::optional<double> read = TextNumber("0,25", ',');
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(shown, "0.5");
  EXPECT_EQ(shownComma, "1,5E-05");
  EXPECT_EQ(read, 0.25);
}

}  // namespace
}  // namespace vozaz2::test
