// What a run draws: every point, circle and line of a step, with its place and
// colour, against the numbers the same step shows in the boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "model/Constants.h"
#include "model/NumberText.h"
#include "run/Session.h"

namespace vozaz2::test {
namespace {

// One drawing call: 'P' PSet (x, y), 'C' Circle (x, y, radius), 'L' Line.
struct Call {
  char op;
  double x1, y1, x2, y2;
  Colour colour;
};
std::ostream& operator<<(std::ostream& os, const Call& c) {
  return os << c.op << " (" << c.x1 << ", " << c.y1 << ", " << c.x2 << ", " << c.y2 << ") colour " << c.colour;
}

struct Recorder final : Surface {
  void Scale(float, float, float, float) override {}
  void Cls() override {}
  void PSet(float x, float y, Colour c) override { calls.push_back({'P', x, y, 0, 0, c}); }
  void Line(float a, float b, float c, float d, Colour k) override { calls.push_back({'L', a, b, c, d, k}); }
  void Circle(float x, float y, float r, Colour c) override { calls.push_back({'C', x, y, r, 0, c}); }
  std::vector<Call> calls;
};

// The calls since the last look, against the expected ones (single precision).
void Expect(Recorder& screen, const std::vector<Call>& want, int step) {
  auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-6 * std::fabs(b) + 1e-12; };
  ASSERT_EQ(screen.calls.size(), want.size()) << "step " << step;
  for (std::size_t i = 0; i < want.size(); ++i) {
    const Call &g = screen.calls[i], &w = want[i];
    ASSERT_TRUE(g.op == w.op && g.colour == w.colour && near(g.x1, w.x1) && near(g.y1, w.y1) &&
                near(g.x2, w.x2) && near(g.y2, w.y2))
        << "step " << step << ", call " << i << ": " << g << ", expected " << w;
  }
  screen.calls.clear();
}

// The session with the numbers it gives the boxes, as shown.
struct Bench {
  Bench() {
    s.Follow([this](const Snapshot& shot) {
      for (int box = 1; box <= kBoxCount; ++box)
        if (shot.boxes.Written(box)) shown[box - 1] = shot.boxes.Value(box);
    });
  }
  double Shown(int box) const { return shown.at(box - 1); }
  void Step() { EXPECT_EQ(s.Step().message, ""); }
  Recorder p2, p3;
  Session s{p2, p3, {false, false}};
  std::array<double, kBoxCount> shown{};
};

struct Drawing { const char* name; int option, check, steps; };
class ScreenPoints : public testing::TestWithParam<Drawing> {};

// Oscillogram (x = T/Mt): FL and Ftr at MF per unit, red and blue; one load
// adds Z at Mz per unit (olive), the turn Psi in revolutions and the spin w12
// at Mz per unit, both from -4 (green, dark grey); two balls add FL2 and Ftr2
// at MF per unit from -4 (red, blue) and the turn. Path screen (Mx per unit):
// the load's trail in blue; the balls (a blue, b and the bar black, radius
// 0.3), after painting the last drawing over in near white: a dumbbell as a
// one-unit sign at (4, -4) turned by Psi, two balls where they are. The start
// draws the circle of radius R1 (red) and a ring at (4, -4). Every scale
// differs from the others, so a quantity on a wrong one shows.
TEST_P(ScreenPoints, FollowTheShownNumbers) {
  using namespace colours;
  const Drawing& d = GetParam();
  const double MF = 3, Mz = 0.5, Mt = 0.25;
  Bench b;
  ParameterValues typed = kDefaultValues;
  typed[7] = MF, typed[8] = Mz, typed[9] = Mt, typed[10] = 1.5;
  if (d.option) b.s.Click({true, d.option});
  if (d.check) b.s.Click({false, d.check});
  ASSERT_EQ(b.s.Start(typed).message, "");
  const SimRecord& r = b.s.Record();
  std::vector<Call> marks = {{'C', 0, 0, typed[0] / b.Shown(kMx), 0, kRed}, {'C', 4, -4, 0.4, 0, kBlue}};
  if (r.DumbbellRun)
    marks.insert(marks.end(), {{'C', 4, -4, 0.4, 0, kNearWhite}, {'C', 4, -4, 0.3, 0, kBlue},
                               {'C', 4, -4, 0.3, 0, kBallB}, {'L', 4, -4, 4, -4, kBallB}});
  ASSERT_GE(b.p3.calls.size(), marks.size());
  b.p3.calls.erase(b.p3.calls.begin(), b.p3.calls.end() - static_cast<std::ptrdiff_t>(marks.size()));
  ASSERT_NO_FATAL_FAILURE(Expect(b.p3, marks, 0));
  b.p2.calls.clear();

  double ax = 4, ay = -4, bx = 4, by = -4;  // the balls as last drawn
  for (int step = 1; step <= d.steps; ++step) {
    b.Step();
    const double t = b.Shown(kT) / Mt, Mx = b.Shown(kMx), turn = r.Psi / 2 / kPi - 4;
    std::vector<Call> p2 = {{'P', t, b.Shown(kFL) / MF, 0, 0, kRed}, {'P', t, b.Shown(kFtr) / MF, 0, 0, kBlue}}, p3;
    double nax, nay, nbx, nby;
    if (r.SplitDone) {
      p2.insert(p2.end(), {{'P', t, b.Shown(kFL2) / MF - 4, 0, 0, kRed}, {'P', t, r.Ftr2 / MF - 4, 0, 0, kBlue},
                           {'P', t, turn, 0, 0, kGreen}});
      nax = b.Shown(kX) / Mx, nay = b.Shown(kY) / Mx, nbx = r.Y(2) / Mx, nby = r.Y(4) / Mx;
    } else {
      p2.insert(p2.end(), {{'P', t, b.Shown(kZ2) / Mz, 0, 0, kOlive}, {'P', t, turn, 0, 0, kGreen},
                           {'P', t, (r.DumbbellRun ? b.Shown(kW12) : 0) / Mz - 4, 0, 0, kDarkGrey}});
      p3.push_back({'P', b.Shown(kX) / Mx, b.Shown(kY) / Mx, 0, 0, kBlue});
      const double c = std::cos(r.Y(4)) / 2, s = std::sin(r.Y(4)) / 2;
      nax = 4 - c, nay = -4 - s, nbx = 4 + c, nby = -4 + s;
    }
    if (r.DumbbellRun || r.SplitDone) {
      p3.insert(p3.end(), {{'C', ax, ay, 0.3, 0, kNearWhite}, {'C', bx, by, 0.3, 0, kNearWhite},
                           {'L', ax, ay, bx, by, kNearWhite}, {'C', nax, nay, 0.3, 0, kBlue},
                           {'C', nbx, nby, 0.3, 0, kBallB}, {'L', nax, nay, nbx, nby, kBallB}});
      ax = nax, ay = nay, bx = nbx, by = nby;
    }
    ASSERT_NO_FATAL_FAILURE(Expect(b.p2, p2, step));
    ASSERT_NO_FATAL_FAILURE(Expect(b.p3, p3, step));
  }
  EXPECT_EQ(r.SplitDone, d.check == 2);
}

INSTANTIATE_TEST_SUITE_P(Core, ScreenPoints,
                         testing::Values(Drawing{"cone", 0, 0, 300}, Drawing{"dumbbell", 8, 0, 300},
                                         Drawing{"split", 0, 2, 400}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vozaz2::test
