// The result boxes written by each displayed step.
#include "Rig.h"

namespace vozaz2::test {
namespace {

const std::vector<int> kCommon = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                  23, 24, 25, 26, 27, 28, 29, 31, 38, 39, 40, 42};

struct ReadoutCase {
  Variant variant;
  std::vector<int> extra;  // variant boxes, written before the common ones
  int firstExtraStep;      // the step from which they are written
};
void PrintTo(const ReadoutCase& c, std::ostream* os) { *os << c.variant.name; }

class Readout : public testing::TestWithParam<ReadoutCase> {};

TEST_P(Readout, WritesTheBoxesOfTheVariantInOrder) {
  const ReadoutCase& c = GetParam();
  Rig rig;
  ASSERT_TRUE(c.variant.Start(rig));
  const std::string e1 = NumberText(rig.r().E1, kSep), mkd1 = NumberText(rig.r().MKD1, kSep);
  for (int step = 1; step <= 260; ++step) {
    rig.boxes.written.clear();
    rig.Steps(1);
    ASSERT_FALSE(rig.e.LastStepDiverged());
    std::vector<int> expected = step >= c.firstExtraStep ? c.extra : std::vector<int>{};
    expected.insert(expected.end(), kCommon.begin(), kCommon.end());
    ASSERT_EQ(rig.boxes.written, expected) << "step " << step;
    for (int box : expected) {
      const std::string text = rig.boxes.Text(box);
      ASSERT_EQ(text.find('.'), std::string::npos) << "Text" << box << " " << text;
      ASSERT_TRUE(TextNumber(text, kSep).has_value()) << "Text" << box << " " << text;
    }
    ASSERT_EQ(rig.boxes.Text(21), e1);
    ASSERT_EQ(rig.boxes.Text(28), mkd1);
    ASSERT_EQ(rig.boxes.Text(31), NumberText(rig.r().T0, kSep));  // the time at the step's end
  }
}

INSTANTIATE_TEST_SUITE_P(
    Core, Readout,
    testing::Values(ReadoutCase{{"single load", {}, {}}, {}, 0},
                    ReadoutCase{{"sleeve", {kSleeve, kDown}, {}}, {}, 0},
                    ReadoutCase{{"release", {kRelease}, {}}, {}, 0},
                    ReadoutCase{{"dumbbell", {kDumbbell}, {}}, {37}, 1},
                    ReadoutCase{{"split", {kSplit}, {}}, {41, 43}, 201}));

// Exact zeros show as "0": with the drive stopped from the start the source
// does no work, and in the plane the load keeps its height.
TEST(Readout, ZerosShowAsZero) {
  Rig rig;
  ASSERT_TRUE(rig.Start({kPlane, kStopDrive}));
  for (int i = 0; i < 500; ++i) {
    rig.Steps(1);
    ASSERT_EQ(rig.boxes.Text(24), "0");
    ASSERT_EQ(rig.boxes.Text(20), "0");
    ASSERT_EQ(rig.boxes.Text(26), "0");
    ASSERT_EQ(rig.boxes.Text(15), "0");
  }
}

// A failed step, or a step before any start, writes nothing; the split boxes
// of a previous run stay until the next start writes them.
TEST(Readout, SplitBoxesKeepTheirTextsUntilTheNextStart) {
  Rig rig;
  ASSERT_TRUE(rig.Start({kSplit}));
  rig.Steps(300);
  const std::string l00 = rig.boxes.Text(41);
  EXPECT_NE(l00, "0");
  rig.Press(kSplit);
  ASSERT_TRUE(rig.Start({kCone}));
  EXPECT_EQ(rig.boxes.Text(41), l00);  // L00 as the last run left it
  EXPECT_EQ(rig.boxes.Text(43), "0");
  rig.Steps(10);
  EXPECT_EQ(rig.boxes.Text(41), l00);
}

}  // namespace
}  // namespace vozaz2::test
