// What the user does: the mode rules, clicks during a run, bad input at "Начать".
#include "Rig.h"
#include "tests/quality/ModeConditions.h"
#include "model/Setup.h"

namespace vozaz2::test {

// The controls as one text: 'V' selected (ticked), '.' not, lower case when
// disabled; options by frame, the check boxes, MoverSign, DirSign, PathSign.
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

struct Sequence { const char* name; std::vector<Click> clicks; const char* expect; };
class ModeRules : public testing::TestWithParam<Sequence> {};

TEST_P(ModeRules, KeepTheConditionsAndEndAsExpected) {
  Rig rig;
  for (Click c : GetParam().clicks) {
    rig.Press(c);
    ASSERT_EQ(quality::BrokenModeCondition(rig.modes(), rig.r()), "") << State(rig);
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

// A run and its twin (started with other clicks, if given) get their own clicks
// after some steps and must run alike: no hand-over without a step starting
// after 1 s and not after Tr; only a plane run splits, and stays split; the
// load's shape and the release belong to the run, the rest acts at once; a
// released string is off the drive.
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
    ASSERT_TRUE(Same(Held(run), Held(twin))) << "step " << i;
  }
}
INSTANTIATE_TEST_SUITE_P(
    Core, SameAsTwin,
    testing::ValuesIn(std::vector<Twins>{
        {{"split, Tr before 1 s", {kSplit}, {{kTr, 0.8}}}, {kPlane}, {}, {}, 0},
        {{"split, Tr at 1 s", {kSplit}, {{kTr, 1}}}, {kPlane}, {}, {}, 0},
        {{"split ticked in a plane run", {kPlane}}, {kSplit}, {kSplit}, {}, 10},
        {{"split ticked in a cone run"}, {}, {kSplit}, {kPlane}, 10},
        {{"split unticked after the split", {kSplit}}, {}, {kSplit}, {}, 210},
        {{"m=1+1 in a single-load run"}, {}, {kDumbbell}, {kPlane}, 10},
        {{"m=2 in a dumbbell run", {kDumbbell}}, {}, {kSingle}, {}, 10},
        {{"release ticked in a run"}, {}, {kRelease}, {kDown, kStopDrive}, 10},
        {{"release unticked in a release run", {kRelease}}, {}, {kRelease}, {}, 10},
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
  for (int box : kParameterBoxes)
    for (const char* text : {"", "abc", "1e400"})
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
    for (const auto& [box, text] : b.texts) r->SetText(box, text);
  }
  const Held before(rig);
  rig.PressStart();
  EXPECT_EQ(rig.shown, std::vector<std::string>{"Введите правильно данные"});
  EXPECT_TRUE(Same(Held(rig), before));
  for (Rig* r : {&rig, &twin}) r->Steps(25), r->Tick(), r->Answer(r->session.Continue());
  EXPECT_TRUE(Same(Held(rig), b.running ? Held(twin) : before));
}
INSTANTIATE_TEST_SUITE_P(Core, BadInputAtStart, testing::ValuesIn(BadInputs()));

// Numbers that read but mean nothing are refused with the input message and
// name their box; numbers that may be meant start a run.
TEST(Core, MeaninglessNumbersNameTheirBox) {
  const struct {
    std::vector<Click> clicks;
    int box;
    double value;
    bool refused;
  } cases[] = {{{}, kR1, -1, true},  {{}, kKtr, -5, true},     {{}, kP0, 0, true},       {{}, kP0, -0.005, true},
               {{}, kCL, -10, true}, {{}, kMF, -5, true},      {{}, kMz, 0, true},       {{}, kMt, -1, true},
               {{kManualMx}, kMx, -0.5, true}, {{kDumbbell}, kR1, 0.5, true},
               {{}, kW1, -2, false}, {{}, kVL, -0.1, false},   {{}, kMx, -0.5, false},   {{}, kTr, -1, false},
               {{}, kKtr, 0, false}};
  for (const auto& c : cases) {
    Rig rig;
    const bool started = rig.Start(c.clicks, {{c.box, c.value}});
    EXPECT_EQ(!started, c.refused) << "Text" << c.box << " = " << c.value;
    if (!c.refused) continue;
    EXPECT_EQ(rig.shown, std::vector<std::string>{kInputMessage});
    ASSERT_TRUE(rig.last.badParameter) << "Text" << c.box;
    EXPECT_EQ(kParameterBoxes[rig.last.badParameter->index], c.box);
  }
}

// A run ends by itself where its limit says, stands as after "Остановить",
// and goes on past the end with "Продолжить".
TEST(Core, RunsEndAtTheirLimit) {
  for (const RunLimit& limit : {RunLimit{RunLimit::Kind::kSteps, 37, 0}, RunLimit{RunLimit::Kind::kTime, 0, 0.3},
                                RunLimit{RunLimit::Kind::kScreenWidth, 0, 0}}) {
    Rig rig;
    rig.session.SetLimit(limit);
    ASSERT_TRUE(rig.Start({}, {{kMt, 0.05}}));
    long long ticks = 0;
    while (rig.session.Ticking() && ticks < 1000) ++ticks, rig.Tick();
    const long long expected = limit.kind == RunLimit::Kind::kSteps ? 37 : limit.kind == RunLimit::Kind::kTime ? 60 : 120;
    EXPECT_EQ(ticks, expected);
    EXPECT_TRUE(rig.last.ended);
    EXPECT_TRUE(rig.shown.empty());
    EXPECT_EQ(rig.session.State(), RunState::kOver);
    rig.Answer(rig.session.Continue());
    for (int i = 0; i < 5; ++i) rig.Tick();
    EXPECT_EQ(rig.session.Steps(), expected + 5) << "on past the end";
    EXPECT_EQ(rig.session.State(), RunState::kRunning);
  }
}

}  // namespace vozaz2::test
