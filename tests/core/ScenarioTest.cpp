// Scenarios: the controls a run was started with are saved as clicks from
// start-up, numbers go into the boxes with the digits that read back, and
// the clicks during a run come at their steps.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "Rig.h"
#include "model/NumberText.h"
#include "run/Replay.h"
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

  // Played: each click once, when its step has come (ticked and unticked at
  // the same step leaves it unticked), until the user takes the controls.
  test::Rig rig;
  Scenario lesson;
  lesson.events = {{2, {false, 3}}, {2, {false, 3}}, {3, {false, 3}}, {5, {false, 3}}};
  rig.Open(lesson);
  ASSERT_TRUE(rig.Start());
  std::vector<bool> stands;
  for (int step = 0; step < 6; ++step) {
    stands.push_back(rig.modes().DriveStands());
    if (step == 4) rig.Press(test::kPlane);
    rig.Steps(1);
  }
  EXPECT_EQ(stands, (std::vector<bool>{false, false, false, false, true, true}));
  EXPECT_TRUE(rig.modes().DriveStands()) << "the click after 5 steps was dropped when the user clicked";
}

// The window's recorder on a rig: a run made by a user (typing, clicks before
// "Начать" and during the run) after opening an experiment, saved, then
// replayed headless on a fresh experiment and opened again where it was made:
// the same record and boxes at every step, and the replay saves the same
// scenario. Opening renews the record: an earlier run leaves nothing.
struct Recorded {
  const char* name;
  std::vector<test::Click> before;
  std::vector<std::pair<int, double>> typed;
  std::vector<std::pair<long long, test::Click>> during;  // after that many steps
  long long steps;
};
class RecordedRun : public ::testing::TestWithParam<Recorded> {};

TEST_P(RecordedRun, RepeatsStepForStep) {
  using namespace test;
  const Recorded& v = GetParam();
  Rig user;
  ASSERT_TRUE(user.Start({kSplit}, {{kTr, 1.3}}));  // an earlier run
  user.Steps(150);
  user.Open({});
  for (test::Click c : v.before) user.Press(c);
  for (auto [box, value] : v.typed) user.SetText(box, NumberText(value, kSep));
  ASSERT_TRUE(user.Start());
  // The record and the boxes at every step; the screens and the timer at
  // the end.
  auto brief = [](Rig& rig) {
    Held s(rig);
    s.picture2.clear(), s.picture3.clear();
    s.timer = {};
    return s;
  };
  std::vector<Held> made;
  std::vector<TimedClick> clicked;
  for (long long done = 0;; ++done) {
    for (auto [at, c] : v.during)
      if (at == done && user.Press(c)) clicked.push_back({done, Control(c)});
    if (done == v.steps) break;
    user.Tick();
    made.push_back(brief(user));
  }
  // Replayed from the file, the run stops at its end, the timer off.
  Held end(user);
  end.timer.Enabled = false;
  const Scenario saved = user.session.ToSave(user.session.Typed());
  EXPECT_EQ(saved.steps, v.steps);
  EXPECT_EQ(saved.events, clicked);

  Rig headless;
  const ReplayResult replayed = Replay(headless.session, saved, [&](long long done) {
    EXPECT_TRUE(Same(brief(headless), made.at(done - 1))) << "headless, step " << done;
    return !HasFailure();
  });
  EXPECT_TRUE(replayed.Started() && replayed.end == RunEnd::kComplete);
  EXPECT_TRUE(Same(Held(headless), end));

  user.Open(saved);
  ASSERT_TRUE(user.Start());
  for (long long done = 1; done <= v.steps && !HasFailure(); ++done) {
    user.Tick();
    EXPECT_TRUE(Same(brief(user), made.at(done - 1))) << "opened, step " << done;
  }
  user.session.CatchUpClicks();
  EXPECT_EQ(user.session.State(), RunState::kOver);
  EXPECT_TRUE(Same(Held(user), end));
  EXPECT_EQ(user.session.ToSave(user.session.Typed()), saved);
}

INSTANTIATE_TEST_SUITE_P(
    Core, RecordedRun,
    ::testing::ValuesIn(std::vector<Recorded>{
        {"sleeve down, drive stopped and freed", {test::kCone, test::kSleeve, test::kDown},
         {{kR1, 1.3}, {kW1, 2.1}}, {{0, test::kStopDrive}, {40, test::kStopDrive}, {90, test::kUp}}, 150},
        {"dumbbell released, a click on a disabled control", {test::kDumbbell, test::kRelease},
         {{kR1, 1.7}}, {{10, test::kSleeve}, {20, test::kRelease}}, 250},
        {"split at 1 s, tied at Tr", {test::kSplit}, {{kTr, 1.1}}, {{150, test::kManualMx}}, 300}}),
    [](const auto& info) { return std::to_string(info.index); });

// An opened experiment waits for "Начать"; its clicks come at their steps until
// the user clicks, and go with that first run only. Saved before the run, it
// is the boxes and controls as they stand, with its clicks; a box that would
// not pass "Начать" saves nothing.
TEST(RunRecorder, OpenedClicksWaitAndGiveWayToTheUser) {
  test::Rig rig;
  Scenario lesson;
  lesson.title = "Урок";
  lesson.parameters[0] = 1.25;
  lesson.before = {{true, 2}};
  lesson.events = {{0, {false, 3}}, {2, {false, 3}}, {3, {true, 4}}};
  lesson.steps = 10;
  rig.Open(lesson);
  EXPECT_EQ(rig.Text(kR1), "1,25");
  EXPECT_TRUE(rig.modes().Option(2));
  EXPECT_EQ(rig.session.State(), RunState::kIdle);
  auto save = [&] { return rig.session.ToSave(rig.session.Typed()); };
  const Scenario saved = save();
  EXPECT_EQ(saved.events, lesson.events);
  EXPECT_EQ(saved.title, "Урок");
  EXPECT_EQ(saved.parameters[1], 2);

  ASSERT_TRUE(rig.Start());
  EXPECT_TRUE(rig.modes().DriveStands()) << "a click at step 0 comes with the start";
  rig.Steps(2);
  EXPECT_TRUE(rig.modes().DriveStands()) << "a click after 2 steps waits for the next step";
  rig.Steps(1);
  EXPECT_FALSE(rig.modes().DriveStands());
  rig.Press(test::kPlane);
  rig.Steps(3);
  EXPECT_TRUE(rig.modes().Option(3)) << "the user has the controls";
  const std::vector<TimedClick> made = {{0, {false, 3}}, {2, {false, 3}}, {3, {true, 6}}};
  EXPECT_EQ(save().events, made);
  EXPECT_EQ(save().steps, 6);

  rig.SetText(kCL, "0");
  EXPECT_FALSE(rig.Start());
  EXPECT_EQ(save().events, made) << "a refused start keeps the run";
  rig.SetText(kCL, "10");
  ASSERT_TRUE(rig.Start());
  EXPECT_FALSE(rig.modes().DriveStands()) << "the lesson's clicks went with its first run";
  EXPECT_EQ(save().title, "Урок");
  EXPECT_EQ(save().steps, 0);
}

}  // namespace
}  // namespace vozaz2
