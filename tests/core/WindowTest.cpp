// What the user does and sees: mode rules, clicks in a run, bad input, screens, readout.
#include <clocale>
#include <random>
#include <set>

#include "Rig.h"
#include "model/Setup.h"

namespace vozaz2::test {

// The five conditions the rules keep whatever is clicked, the fourth without
// exception: the plane always forbids the sleeve.
bool Consistent(const Modes& m) {
  auto o = [&](int n) { return m.Option(n); };
  auto on = [&](int n) { return m.OptionEnabled(n); };
  auto c = [&](int n) { return m.Checked(n); };
  return (!c(1) || (o(1) && o(4) && !on(2) && !on(3) && c(3))) &&
         (!c(2) || (o(7) && o(1) && o(6) && !on(2) && !on(5))) &&
         (!o(8) || (o(1) && o(6) && !on(2) && !on(5) && !c(2) && !m.CheckEnabled(2))) &&
         (!o(6) || (o(1) && !on(2))) && on(3) == !c(1) && on(5) == !(o(8) || c(2)) &&
         m.CheckEnabled(2) == !o(8) && on(1) && on(4) && on(6) && on(7) && on(8) &&
         m.CheckEnabled(1) && m.CheckEnabled(3) && m.CheckEnabled(4);
}

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
    ASSERT_TRUE(Consistent(rig.modes())) << "conditions broken: " << State(rig);
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
    ASSERT_TRUE(Same(Snapshot(run), Snapshot(twin))) << "step " << i;
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
    for (const auto& [box, text] : b.texts) r->SetText(box, text);
  }
  const Snapshot before(rig);
  rig.e.Command1_Click();
  EXPECT_EQ(rig.shown, std::vector<std::string>{"Введите правильно данные"});
  EXPECT_TRUE(Same(Snapshot(rig), before));
  for (Rig* r : {&rig, &twin}) r->Steps(25), r->e.Timer1_Timer(), r->e.Command3_Click();
  EXPECT_TRUE(Same(Snapshot(rig), b.running ? Snapshot(twin) : before));
}
INSTANTIATE_TEST_SUITE_P(Core, BadInputAtStart, testing::ValuesIn(BadInputs()));

// Both screens pixel by pixel: white, and with `grids` the lines in the colour
// value 1 (looks black), grey through the path screen's origin. Oscillogram (y
// 5..-5, x 0..12 on 381 pixels): nine inner levels and verticals at x = 1, 2, 4,
// 6, 8, 10. Path screen (-5..5 on 261 pixels): the unit grid, edge to edge.
void ExpectScreens(Rig& rig, bool grids) {
  std::set<int> rows2, cols2, lines3;
  for (int k = 1; k <= 9 && grids; ++k) rows2.insert(26 * k);
  for (int k = 0; k <= 10 && grids; ++k) lines3.insert(26 * k);
  if (grids) cols2 = {32, 63, 127, 190, 253, 317};
  const int origin = grids ? 130 : -1;
  for (auto [img, rows, cols, o] : {std::tuple{&rig.picture2, &rows2, &cols2, -1},
                                    std::tuple{&rig.picture3, &lines3, &lines3, origin}})
    for (int y = 0; y < img->Height(); ++y)
      for (int x = 0; x < img->Width(); ++x) {
        const Colour expected = y == o || x == o                   ? Rgb(200, 200, 200)
                                : rows->count(y) || cols->count(x) ? Rgb(1, 0, 0)
                                                                   : Rgb(255, 255, 255);
        ASSERT_EQ(img->Pixel(x, y), expected) << x << "," << y;
      }
}

// Blank until the first start; "Очистить экраны" after a run leaves the bare
// grids, and preparing them again changes nothing. A colour value is red +
// 256 green + 65536 blue.
TEST(Screens, GridsClearAndColours) {
  Rig rig;
  ExpectScreens(rig, false);
  ASSERT_TRUE(rig.Start({kDumbbell}));
  rig.Steps(300);
  rig.e.Command5_Click();
  ExpectScreens(rig, true);
  PrepareScreen2(rig.picture2), PrepareScreen3(rig.picture3);
  ExpectScreens(rig, true);
  rig.picture3.PSet(1, -1, 12 + 256 * 34 + 65536 * 56);
  EXPECT_EQ(rig.picture3.Pixel(156, 156), Rgb(12, 34, 56));
}

// The readout's texts, and what a box accepts with the decimal comma.
TEST(NumberText, Tables) {
  for (auto [value, text] : std::initializer_list<std::pair<double, const char*>>{
           {0, "0"}, {-0.0, "0"}, {0.5, "0,5"}, {-2.4525, "-2,4525"}, {1.5e-5, "1,5E-05"},
           {1e-4, "0,0001"}, {1e15, "1E+15"}, {123456789012345, "123456789012345"},
           {123456789012345678.0, "1,23456789012346E+17"}, {2.0 / 3, "0,666666666666667"},
           {-1e-300, "-1E-300"}})
    EXPECT_EQ(NumberText(value, ','), text);
  for (auto [text, value] : std::initializer_list<std::pair<const char*, double>>{
           {"0,5", 0.5}, {"0.5", 0.5}, {"-1,5", -1.5}, {"+2", 2}, {"1E-3", 1e-3}, {"2,5e+2", 250},
           {"  7 ", 7}, {"\t7", 7}, {",5", 0.5}, {"5,", 5}, {"0e400", 0}, {"4e-320", 4e-320}})
    EXPECT_EQ(TextNumber(text, ','), value) << '"' << text << '"';
  for (const char* text : {"1e-400", "1e400", "-1e400", "", "   ", "abc", "1a", "1,2,3", "1 000",
                           "nan", "inf", "-inf", "1e", "1e+", ",", "--1", "+-1", "0x10"})
    EXPECT_EQ(TextNumber(text, ','), std::nullopt) << '"' << text << '"';
  EXPECT_EQ(TextNumber("0,5", '.'), std::nullopt);
  EXPECT_EQ(TextNumber("1,5", ';'), std::nullopt);
}

// What a box shows reads back as the same number to 15 significant digits and
// shows again as the same text, with either separator (and only it), whatever
// the C library's locale (the window and the runner set it).
TEST(NumberText, RoundTripIgnoringTheCLocale) {
  const bool russian = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
  std::mt19937_64 gen(20240611);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    const double v = mantissa(gen) * std::pow(10.0, exponent(gen));
    for (char sep : {',', '.'}) {
      const std::string text = NumberText(v, sep);
      const std::optional<double> back = TextNumber(text, sep);
      ASSERT_TRUE(back && text.find(sep == ',' ? '.' : ',') == std::string::npos) << text;
      EXPECT_NEAR(*back, v, 1e-14 * std::fabs(v)) << text;
      EXPECT_EQ(NumberText(*back, sep), text);
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

// Each step writes the common boxes and the variant's own only when they
// apply, in Russian notation; the time shown is the step's end; exact zeros
// show as "0".
TEST_P(Readout, WritesTheBoxesOfTheVariantInOrder) {
  const ReadoutCase& c = GetParam();
  const std::vector<int> common = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                   23, 24, 25, 26, 27, 28, 29, 31, 38, 39, 40, 42};
  Rig rig;
  ASSERT_TRUE(rig.Start(c));
  for (int step = 1; step <= 300; ++step) {
    rig.written.clear();
    rig.Steps(1);
    std::vector<int> expected = step >= c.firstExtraStep ? c.extra : std::vector<int>{};
    expected.insert(expected.end(), common.begin(), common.end());
    ASSERT_EQ(rig.written, expected) << "step " << step;
    for (int box : expected) {
      const std::string text = rig.Text(box);
      ASSERT_TRUE(TextNumber(text, kSep) && text.find('.') == std::string::npos) << box << text;
    }
    for (int box : c.zeros) ASSERT_EQ(rig.Text(box), "0") << "Text" << box;
    ASSERT_EQ(rig.Text(31), NumberText(rig.r().T0, kSep));
  }
}

// In the plane the load keeps its height; with the drive stopped from the
// start the source does no work.
INSTANTIATE_TEST_SUITE_P(
    Core, Readout,
    testing::ValuesIn(std::vector<ReadoutCase>{
        {{"single load"}, {}, 0, {}},
        {{"plane, drive stopped", {kPlane, kStopDrive}}, {}, 0, {15, 20, 24, 26}},
        {{"dumbbell", {kDumbbell}}, {37}, 1, {}},
        {{"split", {kSplit}}, {41, 43}, 201, {}}}));

}  // namespace vozaz2::test
