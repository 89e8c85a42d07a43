// What the readout writes into a box reads back as the same number, up to the
// 15 significant digits it keeps, and writing that again gives the same text:
// a number shown in a parameter box (Mx, MF, Mz after "Начать") survives the
// next "Начать". The values are the edges that fuzzing the reading visits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "model/NumberText.h"

namespace vozaz2::quality {
namespace {

using Limits = std::numeric_limits<double>;

class RoundTrip : public testing::TestWithParam<std::tuple<double, char>> {};

TEST_P(RoundTrip, TheReadoutReadsBackAsTheSameNumber) {
  const auto [v, sep] = GetParam();
  const std::string shown = NumberText(v, sep);
  const std::optional<double> back = TextNumber(shown, sep);
  ASSERT_TRUE(back.has_value()) << "the readout [" << shown << "] does not read back";
  EXPECT_LE(std::fabs(*back - v), 5.2e-15 * std::fabs(v)) << shown;
  EXPECT_EQ(NumberText(*back, sep), shown);
}

INSTANTIATE_TEST_SUITE_P(
    Quality, RoundTrip,
    testing::Combine(testing::Values(Limits::max(), -Limits::max(), 1.79769313486231e308,
                                     1.797693134862315e308, std::nextafter(Limits::max(), 0.0),
                                     Limits::min(), Limits::denorm_min(), -Limits::denorm_min(),
                                     1e-320, 1e15, 999999999999999.5, 1e-5, 9.99999999999999e-5,
                                     0.1 + 0.2, -21.293170976400209, 3.141592654),
                     testing::Values(',', '.')));

}  // namespace
}  // namespace vozaz2::quality
