// What a run draws: every point, circle and line of a step, with its place and
// colour, against the numbers the same step shows in the boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/NumberText.h"
#include "run/Experiment.h"

namespace vozaz2::test {
namespace {

// One drawing call: 'P' PSet (x, y), 'C' Circle (x, y, radius), 'L' Line.
struct Call {
  char op;
  double x1, y1, x2 = 0, y2 = 0;
  Colour colour;
};

struct Recorder final : Surface {
  void Scale(float, float, float, float) override {}
  void Cls() override {}
  void PSet(float x, float y, Colour c) override { calls.push_back({'P', x, y, 0, 0, c}); }
  void Line(float a, float b, float c, float d, Colour k) override { calls.push_back({'L', a, b, c, d, k}); }
  void Circle(float x, float y, float r, Colour c) override { calls.push_back({'C', x, y, r, 0, c}); }
  std::vector<Call> calls;
};

void ExpectCalls(const std::vector<Call>& got, const std::vector<Call>& want, int step) {
  ASSERT_EQ(got.size(), want.size()) << "step " << step;
  for (std::size_t i = 0; i < got.size(); ++i) {
    const Call &g = got[i], &w = want[i];
    auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-6 * std::fabs(b) + 1e-12; };
    ASSERT_TRUE(g.op == w.op && g.colour == w.colour && near(g.x1, w.x1) && near(g.y1, w.y1) &&
                near(g.x2, w.x2) && near(g.y2, w.y2))
        << "step " << step << ", call " << i << ": " << g.op << " (" << g.x1 << ", " << g.y1
        << ", " << g.x2 << ", " << g.y2 << ") colour " << g.colour << ", expected " << w.op
        << " (" << w.x1 << ", " << w.y1 << ", " << w.x2 << ", " << w.y2 << ") colour " << w.colour;
  }
}

struct Bench : MessageSink {
  void Show(const std::string& text) override { shown.push_back(text); }
  double Shown(int box) const { return TextNumber(boxes.Text(box), ',').value_or(NAN); }
  MemoryTextBoxes boxes;
  Recorder p2, p3;
  std::vector<std::string> shown;
  Experiment e{boxes, p2, p3, *this, ','};
};

struct Drawing {
  const char* name;
  std::vector<int> options, checks;  // clicked before "Начать"
  int steps;
};
void PrintTo(const Drawing& d, std::ostream* os) { *os << d.name; }
class ScreenPoints : public testing::TestWithParam<Drawing> {};

// Oscillogram (x = T/Mt): FL and Ftr at MF per unit, red and blue; one load
// adds Z at Mz per unit (olive), the turn Psi in revolutions and the spin w12
// at Mz per unit, both from -4 (green, dark grey); two balls add FL2 and Ftr2
// at MF per unit from -4 (red, blue) and the turn. Path screen (Mx per unit):
// the load's trail in blue; the balls (a blue, b and the bar black, radius
// 0.3), first painting the last drawing over in near white: a dumbbell as a
// one-unit sign at (4, -4) turned by Psi, two balls where they are. Scales
// differ from one another, so a quantity on a wrong scale shows.
TEST_P(ScreenPoints, FollowTheShownNumbers) {
  using namespace colours;
  const Drawing& d = GetParam();
  Bench b;
  b.e.Form_Load();
  for (auto [box, text] : {std::pair{33, "3"}, {34, "0,5"}, {35, "0,25"}, {36, "1,5"}})
    b.boxes.SetText(box, text);
  for (int n : d.options) b.e.Controls().ClickOption(n);
  for (int n : d.checks) b.e.Controls().ClickCheck(n);
  b.p3.calls.clear();
  b.e.Command1_Click();
  ASSERT_TRUE(b.shown.empty());
  const SimRecord& r = b.e.Record();
  const bool dumbbell = r.DumbbellRun;
  // The start circle of radius R1 and the mark at (4, -4) end the start.
  std::vector<Call> marks = {{'C', 0, 0, b.Shown(1) / b.Shown(32), 0, kRed}, {'C', 4, -4, 0.4, 0, kBlue}};
  if (dumbbell)
    marks.insert(marks.end(), {{'C', 4, -4, 0.4, 0, kNearWhite}, {'C', 4, -4, 0.3, 0, kBlue},
                               {'C', 4, -4, 0.3, 0, kBallB}, {'L', 4, -4, 4, -4, kBallB}});
  ASSERT_GE(b.p3.calls.size(), marks.size());
  ExpectCalls({b.p3.calls.end() - static_cast<long>(marks.size()), b.p3.calls.end()}, marks, 0);

  double ax = 4, ay = -4, bx = 4, by = -4;  // the balls as last drawn
  int twoBallSteps = 0;
  for (int step = 1; step <= d.steps; ++step) {
    b.p2.calls.clear();
    b.p3.calls.clear();
    b.e.Command7_Click();
    ASSERT_TRUE(b.shown.empty()) << "step " << step;
    const double t = b.Shown(31) / 0.25, MF = 3, Mz = 0.5, Mx = b.Shown(32);
    const double turn = r.Psi / 2 / 3.141592654 - 4;
    std::vector<Call> p2 = {{'P', t, b.Shown(17) / MF, 0, 0, kRed}, {'P', t, b.Shown(18) / MF, 0, 0, kBlue}};
    std::vector<Call> p3;
    double nax = ax, nay = ay, nbx = bx, nby = by;
    if (r.SplitDone) {
      ++twoBallSteps;
      p2.insert(p2.end(), {{'P', t, b.Shown(43) / MF - 4, 0, 0, kRed},
                           {'P', t, r.Ftr2 / MF - 4, 0, 0, kBlue}, {'P', t, turn, 0, 0, kGreen}});
      nax = b.Shown(38) / Mx, nay = b.Shown(39) / Mx, nbx = r.Y(2) / Mx, nby = r.Y(4) / Mx;
    } else {
      const double w12 = dumbbell ? b.Shown(37) : 0;
      p2.insert(p2.end(), {{'P', t, b.Shown(20) / Mz, 0, 0, kOlive}, {'P', t, turn, 0, 0, kGreen},
                           {'P', t, w12 / Mz - 4, 0, 0, kDarkGrey}});
      p3.push_back({'P', b.Shown(38) / Mx, b.Shown(39) / Mx, 0, 0, kBlue});
      const double c = std::cos(r.Y(4)) / 2, s = std::sin(r.Y(4)) / 2;
      nax = 4 - c, nay = -4 - s, nbx = 4 + c, nby = -4 + s;
    }
    if (dumbbell || r.SplitDone) {
      p3.insert(p3.end(), {{'C', ax, ay, 0.3, 0, kNearWhite}, {'C', bx, by, 0.3, 0, kNearWhite},
                           {'L', ax, ay, bx, by, kNearWhite}, {'C', nax, nay, 0.3, 0, kBlue},
                           {'C', nbx, nby, 0.3, 0, kBallB}, {'L', nax, nay, nbx, nby, kBallB}});
      ax = nax, ay = nay, bx = nbx, by = nby;
    }
    ExpectCalls(b.p2.calls, p2, step);
    ExpectCalls(b.p3.calls, p3, step);
  }
  EXPECT_EQ(twoBallSteps > 0, d.checks == std::vector<int>{2});
}

INSTANTIATE_TEST_SUITE_P(
    Core, ScreenPoints,
    testing::Values(Drawing{"cone", {}, {}, 300}, Drawing{"dumbbell", {8}, {}, 300},
                    Drawing{"split", {}, {2}, 400}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vozaz2::test
