// What keeps a run consistent whatever the user clicks while it goes on: a
// failed start, a step before any start, the shape, release and split fixed
// for the run, and a drive that never jumps. Most tests compare a run with a
// twin run that takes the plain route to the same physics.
#include <QImage>
#include <cmath>

#include "Rig.h"

namespace vozaz2::test {
namespace {

// Nothing happens on "Сделать 1 шаг", a tick or "Продолжить" before a run has
// been started, also after a start that was refused (a dumbbell whose ball a
// would start on the axis).
TEST(Mends, NoStepBeforeTheFirstStart) {
  Rig rig;
  EXPECT_FALSE(rig.Start({kDumbbell}, {{kR1, 0.5}}));
  EXPECT_EQ(rig.messages.shown, std::vector<std::string>{"Введите правильно данные"});
  EXPECT_FALSE(rig.e.Timer1().Ticking());
  const SimRecord before = rig.r();
  const auto boxes = rig.boxes.All();
  const QImage p2 = rig.picture2.Image(), p3 = rig.picture3.Image();
  rig.e.Command7_Click();
  rig.e.Timer1_Timer();
  rig.e.Command3_Click();
  EXPECT_FALSE(rig.e.Timer1().Ticking());
  EXPECT_TRUE(SameRecord(rig.r(), before));
  EXPECT_EQ(rig.boxes.All(), boxes);
  EXPECT_EQ(rig.picture2.Image(), p2);
  EXPECT_EQ(rig.picture3.Image(), p3);
  EXPECT_EQ(rig.messages.shown.size(), 1u);
}

struct Twins {
  const char* name;
  Variant run, twin;
  std::vector<Click> runClicks, twinClicks;  // after 10 steps
  int steps;
};
void PrintTo(const Twins& t, std::ostream* os) { *os << t.name; }

class SameAsTwin : public testing::TestWithParam<Twins> {};

TEST_P(SameAsTwin, RunsOnUnchanged) {
  const Twins& t = GetParam();
  Rig run, twin;
  ASSERT_TRUE(t.run.Start(run));
  ASSERT_TRUE(t.twin.Start(twin));
  run.Steps(10);
  twin.Steps(10);
  for (Click c : t.runClicks) run.Press(c);
  for (Click c : t.twinClicks) twin.Press(c);
  for (int i = 0; i < t.steps; ++i) {
    run.Steps(1);
    twin.Steps(1);
    ASSERT_FALSE(run.e.LastStepDiverged()) << "step " << i;
    ASSERT_TRUE(SameRecord(run.r(), twin.r())) << "step " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Core, SameAsTwin,
    testing::Values(
        // The hand-over needs a step that starts after 1 s and not after Tr;
        // without one the load stays single, as in the plane.
        Twins{"split with Tr before 1 s", {"", {kSplit}, {{kTr, 0.8}}}, {"", {kPlane}, {{kTr, 0.8}}},
              {}, {}, 400},
        Twins{"split with Tr at 1 s", {"", {kSplit}, {{kTr, 1}}}, {"", {kPlane}, {{kTr, 1}}}, {},
              {}, 400},
        // The load splits only in a run that rotates in the plane, also when
        // the box is ticked during the run.
        Twins{"split ticked during a plane run", {"", {kPlane}, {}}, {"", {kSplit}, {}},
              {kSplit}, {}, 400},
        Twins{"split ticked during a cone run", {"", {}, {}}, {"", {}, {}}, {kSplit}, {kPlane},
              400},
        // The shape of the load and the release belong to the run; the other
        // effects of the clicks (signs, "VL= 0") act at once.
        Twins{"m=1+1 during a single-load run", {"", {}, {}}, {"", {}, {}}, {kDumbbell},
              {kPlane}, 400},
        Twins{"m=2 during a dumbbell run", {"", {kDumbbell}, {}}, {"", {kDumbbell}, {}},
              {kSingle}, {}, 400},
        Twins{"release ticked during a run", {"", {}, {}}, {"", {}, {}}, {kRelease},
              {kDown, kStopDrive}, 400},
        Twins{"release unticked during a release run", {"", {kRelease}, {}},
              {"", {kRelease}, {}}, {kRelease}, {}, 400},
        // A released string is not connected to the drive: freeing the drive
        // in a release run neither moves the string nor counts work.
        Twins{"drive freed in a release run", {"", {kRelease}, {}}, {"", {kRelease}, {}},
              {kRelease, kStopDrive}, {}, 400},
        Twins{"drive freed in a released split run", {"", {kRelease, kSplit}, {}},
              {"", {kRelease, kSplit}, {}}, {kRelease, kStopDrive}, {}, 400}));

TEST(Mends, SplitRunStaysSplitWhenTheBoxIsUnticked) {
  Rig run, twin;
  ASSERT_TRUE(run.Start({kSplit}));
  ASSERT_TRUE(twin.Start({kSplit}));
  run.Steps(210);
  twin.Steps(210);
  ASSERT_EQ(run.r().SplitDone, 1);
  run.Press(kSplit);
  ASSERT_FALSE(run.modes().Checked(2));
  for (int i = 0; i < 200; ++i) {
    run.boxes.written.clear();
    run.Steps(1);
    twin.Steps(1);
    ASSERT_TRUE(SameRecord(run.r(), twin.r())) << "step " << i;
    ASSERT_EQ(run.boxes.written.front(), 41);  // two-ball readout
  }
}

struct DriveChange {
  const char* name;
  Variant variant;
  std::vector<std::pair<int, Click>> clicks;  // (after step, control)
};
void PrintTo(const DriveChange& c, std::ostream* os) { *os << c.name; }

class DriveNeverJumps : public testing::TestWithParam<DriveChange> {};

// Reversing, stopping and resuming the drive, or switching it between the
// string end and the sleeve, moves each part on from where it stands: per
// step neither the vertical part Lh nor the sleeve moves by more than VL*P0.
// The energy account stays closed across the changes.
TEST_P(DriveNeverJumps, MovesOnFromWhereItStands) {
  Rig rig;
  ASSERT_TRUE(GetParam().variant.Start(rig));
  const double limit = 0.1 * 0.005 + 1e-12;
  double lh = 20, sleeve = 0, maxLh = 0, maxSleeve = 0, balance = 0;
  for (int step = 1; step <= 3000; ++step) {
    for (auto [after, c] : GetParam().clicks)
      if (after == step - 1) rig.Press(c);
    rig.Steps(1);
    ASSERT_FALSE(rig.e.LastStepDiverged());
    const SimRecord& r = rig.r();
    const double s = r.h - r.h1 + (r.Y0(3) + r.K3(3));  // rise of the sleeve
    maxLh = std::max(maxLh, std::fabs(r.Lh - lh));
    maxSleeve = std::max(maxSleeve, std::fabs(s - sleeve));
    lh = r.Lh;
    sleeve = s;
    balance = std::max(balance, std::fabs(rig.BoxNumber(23)) / rig.BoxNumber(21));
  }
  std::printf("%s: max |balance|/E1 = %.3g\n", GetParam().name, balance);
  EXPECT_LE(maxLh, limit);
  EXPECT_LE(maxSleeve, limit);
  EXPECT_LT(balance, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Core, DriveNeverJumps,
    testing::Values(
        DriveChange{"string reversed", {"", {}, {}}, {{1000, kDown}}},
        DriveChange{"sleeve reversed", {"", {kSleeve}, {}}, {{1000, kDown}}},
        DriveChange{"stopped and resumed", {"", {}, {}}, {{400, kStopDrive}, {800, kStopDrive}}},
        DriveChange{"stopped, reversed, resumed",
                    {"", {kSleeve}, {}},
                    {{400, kStopDrive}, {600, kDown}, {800, kStopDrive}}},
        DriveChange{"string to sleeve and back",
                    {"", {}, {}},
                    {{1000, kSleeve}, {2000, kString}}},
        DriveChange{"sleeve to string while going down",
                    {"", {kSleeve, kDown}, {}},
                    {{1000, kString}, {2000, kUp}}}));

}  // namespace
}  // namespace vozaz2::test
