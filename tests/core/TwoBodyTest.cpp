// The dumbbell and the split load away from their start: the equations at
// points worked out by hand, and the account of the first steps.
#include <gtest/gtest.h>

#include <cmath>

#include "model/Equations.h"
#include "model/NumberText.h"
#include "run/Experiment.h"

namespace vozaz2::test {
namespace {

struct Quiet : MessageSink {
  void Show(const std::string& text) override { ADD_FAILURE() << text; }
};

struct Bench {
  explicit Bench(int option, int check = 0) {
    e.Form_Load();
    if (option) e.Controls().ClickOption(option);
    if (check) e.Controls().ClickCheck(check);
    e.Command1_Click();
  }
  double Shown(int box) const { return TextNumber(boxes.Text(box), ',').value_or(NAN); }
  MemoryTextBoxes boxes;
  NullSurface p2, p3;
  Quiet messages;
  Experiment e{boxes, p2, p3, messages, ','};
};

const double kPi = 3.141592654, kS = 1 / std::sqrt(5.0);

// A dumbbell in the plane, centre at (1, 0), turned by Psi = Pi/2 (or 3 Pi/2):
// ball a, on the string, at (1, -0.5) (or (1, 0.5)), 1.118 m = sqrt(5)/2 from
// the axis; the string stretched by 0.2 m pulls with 2 n towards the axis. The
// centre (2 kg) takes the whole force, (-4, 2) / sqrt(5) n (mirrored in Y for
// 3 Pi/2); its lever arm about the centre turns the dumbbell (J12 = 0.5 kg m^2)
// with the torque (0, -0.5) x F = -2 / sqrt(5) n m, against its rotation.
TEST(Dumbbell, TheStringTurnsItAboutItsCentre) {
  for (double side : {1.0, -1.0}) {
    Bench b(8);
    SimRecord r = b.e.Record();
    r.Y(1) = 1, r.Y(2) = 0, r.Y(4) = side > 0 ? kPi / 2 : 3 * kPi / 2;
    r.L0 = 20 + std::sqrt(5.0) / 2 - 0.2;
    r.T = r.T0, r.Vtr = 0;
    Diffur1(r, b.e.Controls());
    EXPECT_NEAR(r.FL, 2, 1e-8);
    const double want[] = {-2 * kS, side * kS, 0, -4 * side * kS};
    for (int i = 5; i <= 8; ++i) EXPECT_NEAR(r.DY(i), want[i - 5], 1e-8) << "DY(" << i << ") side " << side;
  }
}

// At the start the dumbbell (R1 = 1 m, w1 = 2 rad/s) turns with the rotation:
// ball a circles at 0.5 m with 1 m/s, ball b at 1.5 m with 3 m/s. The string,
// radial, carries the centre on its circle and does not turn the dumbbell, so
// with the drive stopped the first steps keep E2 = (1 + 9) 2/4 = 5 J, MKD2 = (0.5 + 4.5) 2/2 = 5 and
// w12 = 2, which a single 2 kg load at 1 m would not show (4 J, 4).
TEST(Dumbbell, FirstStepsKeepTheBallsAccount) {
  Bench b(8, 3);
  for (int step = 1; step <= 20; ++step) {
    b.e.Command7_Click();
    EXPECT_NEAR(b.Shown(22), 5, 1e-6) << "E2, step " << step;
    EXPECT_NEAR(b.Shown(29), 5, 1e-6) << "MKD2, step " << step;
    EXPECT_NEAR(b.Shown(37), 2, 1e-6) << "w12, step " << step;
  }
}

// Two balls at T = 2 s, past Tr: ball a at (0.6, 0.8), 1 m out, its string
// stretched by 0.3 m (3 n towards the axis); ball b at (-0.6, 1.7), 1.5 m from
// ball a along (-0.8, 0.6), the second string stretched by 0.5 m (5 n pulling
// the two together). Each ball has 1 kg, and the state lists X of a and b,
// then Y of a and b. The string to the axis is central and the other one
// internal, so the forces have no moment about the axis.
TEST(Split, BothStringsPullAtAPointWorkedOutByHand) {
  Bench b(0, 2);
  SimRecord r = b.e.Record();
  const double y[] = {0.6, -0.6, 0.8, 1.7, 1, 2, 3, 4};
  for (int i = 1; i <= 8; ++i) r.Y(i) = y[i - 1];
  r.Ktr = 0, r.T = r.T0 = 2, r.Tr = 1.2, r.L0 = 20.7, r.L00 = 1;
  Diffur2(r, b.e.Controls());
  EXPECT_NEAR(r.FL, 3, 1e-9);
  EXPECT_NEAR(r.FL2, 5, 1e-9);
  const double want[] = {1, 2, 3, 4, -5.8, 4, 0.6, -3};
  for (int i = 1; i <= 8; ++i) EXPECT_NEAR(r.DY(i), want[i - 1], 1e-8) << "DY(" << i << ")";
  EXPECT_NEAR(0.6 * r.DY(7) - 0.8 * r.DY(5) - 0.6 * r.DY(8) - 1.7 * r.DY(6), 0, 1e-8);
}

// Right after the hand-over both balls move as the load did: the readout of
// the first two-ball step shows the load's angular momentum (4, the string's
// pull is central) and a kinetic energy that differs from the load's only by
// what one step's pull changes; ball b flies straight on (no second string
// before Tr), one step of its velocity from where the load was.
TEST(Split, HandOverKeepsMomentumAndEnergy) {
  Bench b(0, 2);
  for (int i = 0; i < 200; ++i) b.e.Command7_Click();
  const SimRecord load = b.e.Record();
  ASSERT_EQ(load.SplitDone, 0);
  b.e.Command7_Click();
  const SimRecord& r = b.e.Record();
  ASSERT_EQ(r.SplitDone, 1);
  EXPECT_NEAR(b.Shown(29), 4, 1e-7);
  EXPECT_NEAR(b.Shown(22), load.E2, 0.05);
  EXPECT_NEAR(r.Y(2), load.X + load.VX * load.P0, 1e-12);
  EXPECT_NEAR(r.Y(4), load.Ycoord + load.VY * load.P0, 1e-12);
  EXPECT_EQ(b.Shown(43), 0);
}

}  // namespace
}  // namespace vozaz2::test
