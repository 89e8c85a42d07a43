// "Начать" with input that makes no run, pressed while a run goes on: the
// input message once, and nothing else changes. The run in progress goes on
// exactly like a twin run in which "Начать" was never pressed.
#include <QImage>

#include "Rig.h"

namespace vozaz2::test {
namespace {

void ExpectRefusedWithoutTrace(const std::vector<Click>& clicks,
                               const std::vector<std::pair<int, std::string>>& texts) {
  Rig rig, twin;
  ASSERT_TRUE(rig.Start());
  ASSERT_TRUE(twin.Start());
  rig.Steps(25);
  twin.Steps(25);
  for (Rig* r : {&rig, &twin}) {
    for (Click c : clicks) r->Press(c);
    for (const auto& [box, text] : texts) r->Type(box, text);
  }
  const SimRecord record = rig.r();
  const auto boxes = rig.boxes.All();
  const QImage p2 = rig.picture2.Image(), p3 = rig.picture3.Image();
  const StepTimer timer = rig.e.Timer1();

  rig.e.Command1_Click();
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{"Введите правильно данные"});
  EXPECT_TRUE(SameRecord(rig.r(), record));
  EXPECT_EQ(rig.boxes.All(), boxes);
  EXPECT_EQ(rig.picture2.Image(), p2);
  EXPECT_EQ(rig.picture3.Image(), p3);
  EXPECT_EQ(rig.e.Timer1().Enabled, timer.Enabled);
  EXPECT_EQ(rig.e.Timer1().Interval, timer.Interval);

  rig.Steps(25);
  twin.Steps(25);
  EXPECT_TRUE(SameRecord(rig.r(), twin.r()));
  EXPECT_EQ(rig.boxes.All(), twin.boxes.All());
  EXPECT_EQ(rig.picture3.Image(), twin.picture3.Image());
}

class BadText : public testing::TestWithParam<std::tuple<int, const char*>> {};

TEST_P(BadText, ChangesNothing) {
  const auto [box, text] = GetParam();
  ExpectRefusedWithoutTrace({}, {{box, text}});
}

INSTANTIATE_TEST_SUITE_P(Core, BadText,
                         testing::Combine(testing::Values(kR1, kW1, kCL, kKtr, kVL, kP0, kMx, kMF,
                                                          kMz, kMt, kTr),
                                          testing::Values("", "   ", "abc", "1,2,3", "1 000",
                                                          "nan", "inf", "1e400", "--1", "2e")));

struct BadValue {
  const char* name;
  std::vector<Click> clicks;
  std::vector<std::pair<int, std::string>> texts;
};
void PrintTo(const BadValue& b, std::ostream* os) { *os << b.name; }

class BadValues : public testing::TestWithParam<BadValue> {};

TEST_P(BadValues, ChangeNothing) { ExpectRefusedWithoutTrace(GetParam().clicks, GetParam().texts); }

INSTANTIATE_TEST_SUITE_P(
    Core, BadValues,
    testing::Values(BadValue{"R1 = 0", {}, {{kR1, "0"}}}, BadValue{"w1 = 0", {}, {{kW1, "0"}}},
                    BadValue{"CL = 0", {}, {{kCL, "0"}}},
                    BadValue{"the last box bad", {}, {{kR1, "3"}, {kCL, "5"}, {kTr, "x"}}},
                    BadValue{"dumbbell at R1 = 0.5", {kDumbbell}, {{kR1, "0,5"}}},
                    BadValue{"Mx = 0 by hand", {kManualMx}, {{kMx, "0"}}},
                    BadValue{"released at w1 = -2 (Mx = 0)", {kRelease}, {{kW1, "-2"}}},
                    BadValue{"overflowing w1", {}, {{kW1, "1e300"}}},
                    BadValue{"start circle beyond single precision", {kManualMx},
                             {{kMx, "1e-39"}}}));

}  // namespace
}  // namespace vozaz2::test
