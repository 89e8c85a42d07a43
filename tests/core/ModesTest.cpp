// The mode rules: which variants the controls let the user combine.
#include <map>
#include <set>
#include <sstream>

#include "Rig.h"

namespace vozaz2::test {
namespace {

const Click kAllControls[] = {kString, kSleeve, kUp, kDown, kCone, kPlane,
                              kSingle, kDumbbell, kRelease, kSplit, kStopDrive, kManualMx};

// The conditions the rules keep whatever the user clicks. The plane always
// forbids the sleeve: choosing "m=2" after "m=1+1" leaves it disabled.
testing::AssertionResult Consistent(const Modes& m, const SimRecord& r) {
  std::string broken;
  auto need = [&](bool ok, const char* what) {
    if (!ok) broken += std::string("; ") + what;
  };
  for (int n = 1; n <= 7; n += 2) need(m.Option(n) != m.Option(n + 1), "one option per frame");
  if (m.Checked(1))
    need(m.Option(1) && m.Option(4) && !m.OptionEnabled(2) && !m.OptionEnabled(3) && m.Checked(3),
         "release: string, down, drive stopped");
  if (m.Checked(2))
    need(m.Option(7) && m.Option(1) && m.Option(6) && !m.OptionEnabled(2) && !m.OptionEnabled(5),
         "split: one load in the plane on the string");
  if (m.Option(8))
    need(m.Option(1) && m.Option(6) && !m.OptionEnabled(2) && !m.OptionEnabled(5) &&
             !m.Checked(2) && !m.CheckEnabled(2),
         "dumbbell: in the plane on the string, no split");
  if (m.Option(6)) need(m.Option(1) && !m.OptionEnabled(2), "plane: the string is driven");
  need(m.OptionEnabled(3) == !m.Checked(1), "'up' disabled exactly while released");
  need(m.OptionEnabled(5) == !(m.Option(8) || m.Checked(2)), "cone disabled exactly with two balls");
  need(m.CheckEnabled(2) == !m.Option(8), "split disabled exactly with the dumbbell");
  need(m.OptionEnabled(2) == !(m.Checked(1) || m.Option(6)), "sleeve offered unless forbidden");
  for (int n : {1, 4, 6, 7, 8}) need(m.OptionEnabled(n), "an option that is never disabled");
  for (int n : {1, 3, 4}) need(m.CheckEnabled(n), "a check box that is never disabled");
  need(r.MoverSign == (m.Option(1) ? 1 : -1), "MoverSign follows 'string'/'sleeve'");
  need(r.DirSign == (m.Option(3) ? 1 : -1), "DirSign follows 'up'/'down'");
  need(r.PathSign == (m.Option(5) ? 1 : 0), "PathSign follows 'cone'/'plane'");
  if (broken.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << broken.substr(2);
}

std::string StateOf(const Modes& m, const SimRecord& r) {
  std::ostringstream s;
  for (int n = 1; n <= 8; ++n) s << m.Option(n) << m.OptionEnabled(n);
  for (int n = 1; n <= 4; ++n) s << m.Check(n) << m.CheckEnabled(n);
  s << r.MoverSign << r.DirSign << r.PathSign;
  return s.str();
}

// Every state reachable from the start-up state by any clicks keeps the
// conditions: a breadth-first walk over all of them.
TEST(Modes, EveryReachableStateIsConsistent) {
  std::map<std::string, std::vector<Click>> seen;
  std::vector<std::vector<Click>> queue{{}};
  while (!queue.empty()) {
    const std::vector<Click> path = queue.back();
    queue.pop_back();
    Rig rig;
    for (Click c : path) rig.Press(c);
    const std::string state = StateOf(rig.modes(), rig.r());
    if (seen.count(state)) continue;
    seen[state] = path;
    ASSERT_TRUE(Consistent(rig.modes(), rig.r())) << "after " << path.size() << " clicks";
    for (Click c : kAllControls) {
      std::vector<Click> next = path;
      next.push_back(c);
      queue.push_back(next);
    }
  }
  EXPECT_GT(seen.size(), 40u);
}

TEST(Modes, StartUpState) {
  Rig rig;
  const Modes& m = rig.modes();
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(m.Option(n), n % 2 == 1) << "Option" << n;
    EXPECT_TRUE(m.OptionEnabled(n)) << "Option" << n;
  }
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(m.Check(n), 0) << "Check" << n;
    EXPECT_TRUE(m.CheckEnabled(n)) << "Check" << n;
  }
  EXPECT_TRUE(Consistent(m, rig.r()));
}

struct Sequence {
  const char* name;
  std::vector<Click> clicks;
  const char* expect;  // "O4" Option4 selected, "!O2e" Option2 disabled, "C3" Check3 ticked
};
void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }

class ModeSequence : public testing::TestWithParam<Sequence> {};

TEST_P(ModeSequence, EndsAsExpected) {
  Rig rig;
  for (Click c : GetParam().clicks) {
    rig.Press(c);
    ASSERT_TRUE(Consistent(rig.modes(), rig.r()));
  }
  std::istringstream words(GetParam().expect);
  for (std::string w; words >> w;) {
    const bool negated = w[0] == '!';
    const std::string item = negated ? w.substr(1) : w;
    const bool enabled = item.back() == 'e';
    const int n = item[1] - '0';
    const Modes& m = rig.modes();
    const bool actual = item[0] == 'O' ? (enabled ? m.OptionEnabled(n) : m.Option(n))
                                       : (enabled ? m.CheckEnabled(n) : m.Checked(n));
    EXPECT_EQ(actual, !negated) << w;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Core, ModeSequence,
    testing::Values(
        Sequence{"release ticked", {kSleeve, kUp, kRelease}, "O1 O4 !O2e !O3e C3"},
        Sequence{"'VL= 0' locked while released", {kRelease, kStopDrive, kStopDrive}, "C3"},
        Sequence{"release unticked", {kRelease, kRelease}, "O3e O2e O4 C3"},
        Sequence{"'VL= 0' free after release", {kRelease, kRelease, kStopDrive}, "!C3"},
        Sequence{"release unticked in the plane", {kPlane, kRelease, kRelease}, "!O2e O3e"},
        Sequence{"release unticked while split", {kSplit, kRelease, kRelease}, "!O2e O3e"},
        Sequence{"m=1+1 after the split", {kSplit, kDumbbell}, "!C2 !C2e !O5e O6 O1"},
        Sequence{"m=2 after m=1+1", {kDumbbell, kSingle}, "O5e C2e O3e !O2e O6"},
        Sequence{"m=2 after m=1+1 while released", {kRelease, kDumbbell, kSingle},
                 "!O3e !O2e O5e C2e"},
        Sequence{"split unticked", {kSplit, kSplit}, "O5e !O2e O6"},
        Sequence{"cone after the split", {kSplit, kSplit, kCone}, "O2e O5 O3e"},
        Sequence{"sleeve after plane and cone", {kPlane, kCone, kSleeve}, "O2 O5"},
        Sequence{"disabled sleeve ignored", {kPlane, kSleeve}, "O1 !O2"},
        Sequence{"disabled 'up' ignored", {kRelease, kUp}, "O4 !O3"},
        Sequence{"disabled split ignored", {kDumbbell, kSplit}, "!C2"},
        Sequence{"dumbbell released, then release unticked", {kRelease, kDumbbell, kRelease},
                 "O3e !O2e O4 C3 O8"},
        Sequence{"plane chosen while the sleeve is driven", {kSleeve, kPlane}, "O1 !O2e O6"}));

// Clicking an option that is already selected runs nothing.
TEST(Modes, ClickOnTheSelectedOptionDoesNothing) {
  Rig rig;
  rig.Press(kDumbbell);
  rig.Press(kSingle);
  rig.r().MoverSign = 5;  // would be reset to +1 if the 'string' rule ran
  const std::string before = StateOf(rig.modes(), rig.r());
  for (Click c : {kString, kUp, kPlane, kSingle}) EXPECT_FALSE(rig.modes().ClickOption(c.n));
  EXPECT_EQ(StateOf(rig.modes(), rig.r()), before);
}

// The signs act at the next step; the rotation path only at the next start.
TEST(Modes, PlaneDuringASleeveRunDrivesTheStringButKeepsTheCone) {
  Rig run, twin;
  ASSERT_TRUE(run.Start({kSleeve}));
  ASSERT_TRUE(twin.Start({kSleeve}));
  run.Steps(100);
  twin.Steps(100);
  run.Press(kPlane);
  twin.Press(kString);
  const double lh = run.r().Lh;
  run.Steps(1);
  twin.Steps(1);
  EXPECT_NEAR(run.r().Lh - lh, 0.1 * 0.005, 1e-12);  // the string end now rises
  run.Steps(300);
  twin.Steps(300);
  EXPECT_EQ(run.r().Fsup, 0);
  EXPECT_NE(run.r().Z, 0);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(run.r().Y(i), twin.r().Y(i)) << i;
}

TEST(Modes, DownDuringARunActsAtTheNextStep) {
  Rig rig;
  ASSERT_TRUE(rig.Start());
  rig.Steps(100);
  const double lh = rig.r().Lh;
  rig.Press(kDown);
  rig.Steps(1);
  EXPECT_NEAR(rig.r().Lh - lh, -0.1 * 0.005, 1e-12);
}

TEST(Modes, ManualScaleActsOnlyAtTheNextStart) {
  Rig run, twin;
  ASSERT_TRUE(run.Start());
  ASSERT_TRUE(twin.Start());
  run.Type(kMx, 0.3);
  twin.Type(kMx, 0.3);
  run.Press(kManualMx);
  run.Steps(50);
  twin.Steps(50);
  EXPECT_TRUE(SameRecord(run.r(), twin.r()));
  ASSERT_TRUE(run.Start());
  EXPECT_EQ(run.r().Mx, 0.3);
}

}  // namespace
}  // namespace vozaz2::test
