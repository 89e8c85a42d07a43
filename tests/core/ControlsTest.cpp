// What the user's clicks and typing do: the mode rules, what keeps a run
// consistent whatever is clicked while it goes on, and "Начать" with input
// that makes no run.
#include "Rig.h"

namespace vozaz2::test {

// The five conditions the rules keep whatever the user clicks, the fourth
// without exception: the plane always forbids the sleeve.
testing::AssertionResult Consistent(const Modes& m) {
  const bool o1 = m.Option(1), o4 = m.Option(4), o6 = m.Option(6), c1 = m.Checked(1);
  const bool e2 = m.OptionEnabled(2), e5 = m.OptionEnabled(5), c2e = m.CheckEnabled(2);
  const bool holds[] = {
      !c1 || (o1 && o4 && !e2 && !m.OptionEnabled(3) && m.Checked(3)),
      !m.Checked(2) || (m.Option(7) && o1 && o6 && !e2 && !e5),
      !m.Option(8) || (o1 && o6 && !e2 && !e5 && !m.Checked(2) && !c2e),
      !o6 || (o1 && !e2),
      m.OptionEnabled(3) == !c1 && e5 == !(m.Option(8) || m.Checked(2)) && c2e == !m.Option(8) &&
          m.OptionEnabled(1) && m.OptionEnabled(4) && m.OptionEnabled(6) && m.OptionEnabled(7) &&
          m.OptionEnabled(8) && m.CheckEnabled(1) && m.CheckEnabled(3) && m.CheckEnabled(4)};
  for (int i = 0; i < 5; ++i)
    if (!holds[i]) return testing::AssertionFailure() << "condition " << i + 1 << " broken";
  return testing::AssertionSuccess();
}

// The controls and signs as one text: per control 'V' selected (ticked), '.'
// not, lower case 'v'/'x' when disabled; options by frame, then the check
// boxes, then MoverSign, DirSign and PathSign.
std::string State(Rig& rig) {
  const Modes& m = rig.modes();
  auto mark = [](bool on, bool enabled) { return on ? (enabled ? 'V' : 'v') : (enabled ? '.' : 'x'); };
  std::string s;
  for (int n = 1; n <= 8; ++n) s += std::string(n % 2 ? " " : "") + mark(m.Option(n), m.OptionEnabled(n));
  s += ' ';
  for (int n = 1; n <= 4; ++n) s += mark(m.Checked(n), m.CheckEnabled(n));
  const SimRecord& r = rig.r();
  return s.substr(1) + ' ' + (r.MoverSign > 0 ? '+' : '-') + (r.DirSign > 0 ? '+' : '-') +
         (r.PathSign ? '1' : '0');
}

struct Sequence {
  const char* name;
  std::vector<Click> clicks;
  const char* expect;
};

class ModeRules : public testing::TestWithParam<Sequence> {};

TEST_P(ModeRules, KeepTheConditionsAndEndAsExpected) {
  Rig rig;
  for (Click c : GetParam().clicks) {
    rig.Press(c);
    ASSERT_TRUE(Consistent(rig.modes())) << State(rig);
  }
  EXPECT_EQ(State(rig), GetParam().expect);
}

INSTANTIATE_TEST_SUITE_P(
    Core, ModeRules,
    testing::ValuesIn(std::vector<Sequence>{
        {"start-up", {}, "V. V. V. V. .... ++1"},
        {"release ticked, 'VL= 0' locked", {kSleeve, kRelease, kStopDrive}, "Vx xV V. V. V.V. +-1"},
        {"release unticked", {kRelease, kRelease}, "V. .V V. V. ..V. +-1"},
        {"'VL= 0' free after release", {kRelease, kRelease, kStopDrive}, "V. .V V. V. .... +-1"},
        {"release unticked in the plane", {kPlane, kRelease, kRelease}, "Vx .V .V V. ..V. +-0"},
        {"release unticked while split", {kSplit, kRelease, kRelease}, "Vx .V xV V. .VV. +-0"},
        {"m=1+1 after the split", {kSplit, kDumbbell}, "Vx V. xV .V .x.. ++0"},
        {"m=2 after m=1+1", {kDumbbell, kSingle}, "Vx V. .V V. .... ++0"},
        {"m=2 after m=1+1, released", {kRelease, kDumbbell, kSingle}, "Vx xV .V V. V.V. +-0"},
        {"release unticked with m=1+1", {kRelease, kDumbbell, kRelease}, "Vx .V xV .V .xV. +-0"},
        {"split unticked", {kSplit, kSplit}, "Vx V. .V V. .... ++0"},
        {"cone after the split", {kSplit, kSplit, kCone}, "V. V. V. V. .... ++1"},
        {"sleeve after plane and cone", {kPlane, kCone, kSleeve}, ".V V. V. V. .... -+1"},
        {"plane while the sleeve is driven", {kSleeve, kPlane}, "Vx V. .V V. .... ++0"},
        {"disabled ignored", {kRelease, kUp, kDumbbell, kSplit, kSleeve}, "Vx xV xV .V VxV. +-0"},
        {"selected m=2 clicked while split", {kSplit, kSingle}, "Vx V. xV V. .V.. ++0"},
        {"Mx by hand", {kManualMx}, "V. V. V. V. ...V ++1"}}));

// A run and its twin (started with other clicks, if given) get their own
// clicks after some steps and must then run alike.
struct Twins : Variant {
  std::vector<Click> twinStart, runLater, twinLater;
  int after;  // steps
};

class SameAsTwin : public testing::TestWithParam<Twins> {};

TEST_P(SameAsTwin, RunsOnUnchanged) {
  const Twins& t = GetParam();
  Rig run, twin;
  ASSERT_TRUE(run.Start(t) && twin.Start(t.twinStart.empty() ? t.clicks : t.twinStart, t.typed));
  for (int i = 0; i < t.after + 400; ++i) {
    for (Click c : i == t.after ? t.runLater : std::vector<Click>{}) run.Press(c);
    for (Click c : i == t.after ? t.twinLater : std::vector<Click>{}) twin.Press(c);
    run.Steps(1);
    twin.Steps(1);
    ASSERT_FALSE(run.e.LastStepDiverged()) << "step " << i;
    ASSERT_TRUE(Same(Snapshot(run), Snapshot(twin))) << "step " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Core, SameAsTwin,
    testing::ValuesIn(std::vector<Twins>{
        // The hand-over needs a step that starts after 1 s and not after Tr;
        // without one the load stays single, as in the plane.
        {{"split, Tr before 1 s", {kSplit}, {{kTr, 0.8}}}, {kPlane}, {}, {}, 0},
        {{"split, Tr at 1 s", {kSplit}, {{kTr, 1}}}, {kPlane}, {}, {}, 0},
        // Only a run that rotates in the plane splits, also when the box is
        // ticked during it; once split, it stays split when the box is unticked.
        {{"split ticked in a plane run", {kPlane}}, {kSplit}, {kSplit}, {}, 10},
        {{"split ticked in a cone run"}, {}, {kSplit}, {kPlane}, 10},
        {{"split unticked after the split", {kSplit}}, {}, {kSplit}, {}, 210},
        // The shape of the load and the release belong to the run; the other
        // effects of the clicks (signs, "VL= 0") act at once.
        {{"m=1+1 in a single-load run"}, {}, {kDumbbell}, {kPlane}, 10},
        {{"m=2 in a dumbbell run", {kDumbbell}}, {}, {kSingle}, {}, 10},
        {{"release ticked in a run"}, {}, {kRelease}, {kDown, kStopDrive}, 10},
        {{"release unticked in a release run", {kRelease}}, {}, {kRelease}, {}, 10},
        // A released string is not connected to the drive: freeing the drive
        // neither moves the string nor counts work.
        {{"drive freed in a release run", {kRelease}}, {}, {kRelease, kStopDrive}, {}, 10}}));

struct BadInput {
  std::string name;
  std::vector<Click> clicks;
  std::vector<std::pair<int, std::string>> texts;
  bool running = true;  // pressed while a run goes on
};

std::vector<BadInput> BadInputs() {
  std::vector<BadInput> rows = {
      {"R1 = 0", {}, {{kR1, "0"}}}, {"w1 = 0", {}, {{kW1, "0"}}}, {"CL = 0", {}, {{kCL, "0"}}},
      {"the last box bad", {}, {{kR1, "3"}, {kCL, "5"}, {kTr, "x"}}},
      {"dumbbell at R1 = 0.5", {kDumbbell}, {{kR1, "0,5"}}},
      {"before any run, dumbbell at R1 = 0.5", {kDumbbell}, {{kR1, "0,5"}}, false},
      {"Mx = 0 by hand", {kManualMx}, {{kMx, "0"}}},
      {"released at w1 = -2 (Mx = 0)", {kRelease}, {{kW1, "-2"}}},
      {"overflowing w1", {}, {{kW1, "1e300"}}},
      {"start circle beyond single precision", {kManualMx}, {{kMx, "1e-39"}}}};
  for (int box : {kR1, kW1, kCL, kKtr, kVL, kP0, kMx, kMF, kMz, kMt, kTr})
    for (const char* text : {"", "   ", "abc", "1,2,3", "1 000", "nan", "inf", "1e400", "--1", "2e"})
      rows.push_back({"Text" + std::to_string(box) + " \"" + text + "\"", {}, {{box, text}}});
  return rows;
}

class BadInputAtStart : public testing::TestWithParam<BadInput> {};

// "Начать" with input that makes no run: the input message once, and nothing
// else changes. A run in progress goes on exactly like a twin in which
// "Начать" was never pressed; before any run, the step commands do nothing.
TEST_P(BadInputAtStart, ChangesNothing) {
  const BadInput& b = GetParam();
  Rig rig, twin;
  for (Rig* r : {&rig, &twin}) {
    if (b.running && r->Start()) r->Steps(25);
    for (Click c : b.clicks) r->Press(c);
    for (const auto& [box, text] : b.texts) r->boxes.SetText(box, text);
  }
  const Snapshot before(rig);
  rig.e.Command1_Click();
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{"Введите правильно данные"});
  EXPECT_TRUE(Same(Snapshot(rig), before));
  for (Rig* r : {&rig, &twin}) r->Steps(25), r->e.Timer1_Timer(), r->e.Command3_Click();
  EXPECT_TRUE(Same(Snapshot(rig), b.running ? Snapshot(twin) : before));
}

INSTANTIATE_TEST_SUITE_P(Core, BadInputAtStart, testing::ValuesIn(BadInputs()));

}  // namespace vozaz2::test
