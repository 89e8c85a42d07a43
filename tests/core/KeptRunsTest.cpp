// The kept runs of a session: each named by what differs from the run before,
// the last ten kept with a look that none of the others has, and a kept run's
// scenario the very run it was.
#include <gtest/gtest.h>

#include <set>

#include "run/KeptRuns.h"
#include "run/Quantities.h"
#include "run/Replay.h"
#include "run/RunNames.h"
#include "run/RunStyles.h"
#include "run/Session.h"

namespace vozaz2 {
namespace {

Scenario With(std::size_t parameter, double value, std::vector<ModeControl> before = {}) {
  Scenario s;
  s.parameters.at(parameter) = value;
  s.before = std::move(before);
  return s;
}

constexpr std::size_t kVL = 4, kR1 = 0;
const ModeControl kPlane{true, 6}, kCone{true, 5}, kDumbbell{true, 8}, kStopDrive{false, 3};

TEST(KeptRuns, NamedByWhatDiffersFromTheRunBefore) {
  const Scenario slow = With(kVL, 0.05), fast = With(kVL, 0.2);
  EXPECT_EQ(DifferenceName(slow, fast), "VL = 0,2 м/с");
  EXPECT_EQ(DifferenceName(fast, With(kVL, 0.2, {kPlane})), "в плоскости");
  EXPECT_EQ(DifferenceName(With(kVL, 0.2, {kPlane}), fast), "по конусу");
  // An option clicked twice is where it was: no difference.
  EXPECT_EQ(DifferenceName(fast, With(kVL, 0.2, {kPlane, kCone})), "");
  EXPECT_EQ(DifferenceName(fast, fast), "");
  // The controls first, then the numbers; beyond three, a count.
  Scenario several = With(kVL, 0.1, {kPlane, kDumbbell});
  EXPECT_EQ(DifferenceName(fast, several), "в плоскости, гантель m=1+1, VL = 0,1 м/с");
  several.parameters[kR1] = 1.5;
  several.events = {{100, kStopDrive}};
  EXPECT_EQ(DifferenceName(fast, several), "в плоскости, гантель m=1+1, R1 = 1,5 м и ещё 2");
  // The first run of a session against start-up.
  EXPECT_EQ(DifferenceName(std::nullopt, With(kVL, 0.2, {kStopDrive})), "привод стоит (VL= 0), VL = 0,2 м/с");
  EXPECT_EQ(DifferenceName(std::nullopt, Scenario{}), "");

  KeptRuns kept;
  const RunHistory history;
  for (const Scenario& s : {Scenario{}, fast, fast, slow, fast}) kept.Keep(s, SimRecord{}, history);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < kept.Size(); ++i) names.push_back(kept.At(i).name);
  EXPECT_EQ(names, (std::vector<std::string>{"исходные значения", "VL = 0,2 м/с", "повтор", "VL = 0,05 м/с",
                                             "VL = 0,2 м/с (2)"}));
  EXPECT_EQ(kept.NameFor(slow), "VL = 0,05 м/с");
  kept.Rename(2, "ещё раз");
  kept.Rename(3, "");
  EXPECT_EQ(kept.At(2).name, "ещё раз");
  EXPECT_EQ(kept.At(3).name, "VL = 0,05 м/с");
}

// Ten runs at most, the oldest dropped; a new run takes the look that the
// dropped or forgotten one left, and no two kept runs look alike.
TEST(KeptRuns, TheLastTenEachInALookOfItsOwn) {
  std::set<std::uint32_t> colours;
  std::set<std::array<double, 6>> dashes;
  for (const RunStyle& s : kRunStyles) {
    colours.insert(s.rgb);
    dashes.insert(s.dashes);
  }
  EXPECT_EQ(colours.size(), kRunStyles.size());
  EXPECT_EQ(dashes.size(), kRunStyles.size());

  KeptRuns kept;
  const RunHistory history;
  for (int i = 1; i <= 13; ++i) kept.Keep(With(kVL, i), SimRecord{}, history);
  ASSERT_EQ(kept.Size(), KeptRuns::kMaxKept);
  EXPECT_EQ(kept.At(0).name, "VL = 4 м/с");
  EXPECT_EQ(kept.At(9).name, "VL = 13 м/с");
  kept.Forget(4);
  kept.Keep(With(kVL, 0.5), SimRecord{}, history);
  std::set<std::size_t> styles;
  for (std::size_t i = 0; i < kept.Size(); ++i) styles.insert(kept.At(i).style);
  EXPECT_EQ(styles.size(), KeptRuns::kMaxKept);
}

// A session that keeps runs keeps each run that made a step when the next
// starts, with its history's end and a scenario that replays it.
TEST(KeptRuns, TheSessionKeepsTheRunItReplaces) {
  NullSurface none;
  Session session(none, none, {false, true});
  session.SetKeepRuns(true);
  Scenario slow = With(kVL, 0.05);
  slow.steps = 300;
  Scenario fast = With(kVL, 0.2, {kPlane});
  fast.steps = 200;
  Replay(session, slow);
  const double slowR2 = kQuantities[quantity::kR2].read(session.Record());
  Replay(session, fast);
  Replay(session, slow);
  ASSERT_EQ(session.Kept().Size(), 2u);
  const KeptRun& first = session.Kept().At(0);
  EXPECT_EQ(first.scenario.parameters[kVL], 0.05);
  EXPECT_EQ(first.scenario.steps, 300);
  EXPECT_EQ(kQuantities[quantity::kR2].read(first.end), slowR2);
  EXPECT_EQ(first.history.Steps(), 300);
  EXPECT_EQ(session.Kept().At(1).name, "в плоскости, VL = 0,2 м/с");
  // An opened file replaces the run that stood, which is kept; with no step
  // made since, nothing more is.
  session.Open(Scenario{});
  EXPECT_EQ(session.Kept().Size(), 3u);
  session.Open(Scenario{});
  EXPECT_EQ(session.Kept().Size(), 3u);
}

}  // namespace
}  // namespace vozaz2
