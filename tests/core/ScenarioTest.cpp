// Scenarios: the controls a run was started with are saved as clicks from
// start-up, numbers go into the boxes with the digits that read back, and
// the clicks during a run come at their steps.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "model/NumberText.h"
#include "run/Scenario.h"

namespace vozaz2 {
namespace {

// Any state that clicks can leave the controls in is reached again by the
// clicks ClicksToReach finds, and by no more clicks than made it.
TEST(Scenario, ClicksReachEveryStateOfTheControls) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 500; ++trial) {
    SimRecord r;
    SetStartUpSigns(r);
    Modes target(r);
    std::vector<ModeControl> made;
    for (int k = static_cast<int>(random() % 10); k > 0; --k) {
      const int n = static_cast<int>(random() % 12) + 1;
      made.push_back(n <= 8 ? ModeControl{true, n} : ModeControl{false, n - 8});
      Click(target, made.back());
    }
    const auto clicks = ClicksToReach(target, r);
    ASSERT_TRUE(clicks) << "trial " << trial;
    EXPECT_LE(clicks->size(), made.size());
    SimRecord again;
    SetStartUpSigns(again);
    Modes reached(again);
    for (ModeControl c : *clicks) Click(reached, c);
    for (int n = 1; n <= Modes::kOptions; ++n)
      ASSERT_TRUE(reached.Option(n) == target.Option(n) && reached.OptionEnabled(n) == target.OptionEnabled(n));
    for (int n = 1; n <= Modes::kChecks; ++n)
      ASSERT_TRUE(reached.Checked(n) == target.Checked(n) && reached.CheckEnabled(n) == target.CheckEnabled(n));
    ASSERT_TRUE(again.DirSign == r.DirSign && again.MoverSign == r.MoverSign && again.PathSign == r.PathSign);
  }
}

// A number keeps its 15-digit text where that reads back, and otherwise
// gets the few more digits it needs, in the box's notation.
TEST(Scenario, NumbersGoIntoBoxesExactly) {
  EXPECT_EQ(ExactNumberText(0.1, ','), "0,1");
  EXPECT_EQ(ExactNumberText(1.5e-5, ','), "1,5E-05");
  EXPECT_EQ(ExactNumberText(0.1 + 0.2, ','), "0,30000000000000004");
  EXPECT_EQ(ExactNumberText(1.7976931348623157e308, '.'), "1.7976931348623157E+308");
  std::mt19937_64 random(11);
  for (int i = 0; i < 20000; ++i) {
    std::uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) continue;
    const std::string text = ExactNumberText(v, ',');
    ASSERT_EQ(TextNumber(text, ','), v == 0 ? 0.0 : v) << text;
    if (TextNumber(NumberText(v, ','), ',') == v) {
      ASSERT_EQ(text, NumberText(v, ','));
    }
  }
}

// Clicks during the run join at their steps after those already there, and
// the player makes each once, when its step has come.
TEST(Scenario, EventsComeAtTheirSteps) {
  Scenario s;
  s.events = {{0, {true, 4}}, {5, {false, 3}}};
  AddEvents(s, {{5, {true, 2}}, {2, {false, 1}}, {0, {true, 6}}});
  const std::vector<TimedClick> expected = {
      {0, {true, 4}}, {0, {true, 6}}, {2, {false, 1}}, {5, {false, 3}}, {5, {true, 2}}};
  EXPECT_EQ(s.events, expected);
  EXPECT_FALSE(ScenarioProblem(s));
  s.events.push_back({1, {true, 1}});
  EXPECT_TRUE(ScenarioProblem(s));

  SimRecord r;
  Modes m(r);
  EventPlayer player({{2, {false, 3}}, {2, {false, 3}}, {4, {false, 3}}});
  player.ClickDue(m, 1);
  EXPECT_FALSE(m.DriveStands());
  player.ClickDue(m, 2);
  EXPECT_FALSE(m.DriveStands());  // ticked and unticked at the same step
  player.ClickDue(m, 2);
  EXPECT_TRUE(player.Pending());
  player.Drop();
  player.ClickDue(m, 4);
  EXPECT_FALSE(m.DriveStands());
}

}  // namespace
}  // namespace vozaz2
