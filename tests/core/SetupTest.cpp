// The start of an experiment: the steady rotation worked out by hand for the
// start-up parameters (R1 = 1 m, w1 = 2 rad/s, CL = 10 n/m, m = 2 kg) and its
// variants.
#include <cmath>

#include "Rig.h"
#include "model/Setup.h"

namespace vozaz2::test {
namespace {

// On the cone tan(Alpha) = g / (w1^2 R1) = 9.81 / 4; the sleeve stands
// R1 tan(Alpha) above the load and the string pulls with the hypotenuse of the
// centripetal force 8 n and the weight 19.62 n.
const double kTanAlpha = 2.4525;
const double kFL = std::hypot(8.0, 19.62);
const double kL1 = std::sqrt(1 + kTanAlpha * kTanAlpha);
const double kSinAlpha = kTanAlpha / kL1;

struct Field {
  const char* name;
  double SimRecord::*member;
  double value;
};

struct StartCase {
  const char* name;
  std::vector<Click> clicks;
  std::vector<std::pair<int, double>> typed;
  std::vector<Field> expect;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartValues : public testing::TestWithParam<StartCase> {};

TEST_P(StartValues, MatchTheHandCalculation) {
  const StartCase& c = GetParam();
  Rig rig;
  for (Click k : c.clicks) rig.Press(k);
  for (auto [box, v] : c.typed) rig.Type(box, v);
  rig.e.Command1_Click();
  ASSERT_TRUE(rig.messages.shown.empty());
  ASSERT_TRUE(rig.e.Started());
  for (const Field& f : c.expect)
    EXPECT_NEAR(rig.r().*f.member, f.value, 1e-12 * (1 + std::fabs(f.value))) << f.name;
  // The load starts on the +X axis at R1 moving towards +Y with V1.
  const SimRecord& r = rig.r();
  const double y[] = {r.R1, 0, 0, 0, 0, r.w1 * r.R1, 0, r.w12};
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(r.Y(i), y[i - 1]) << "Y(" << i << ")";
  EXPECT_EQ(r.T0, 0);
  EXPECT_TRUE(rig.e.Timer1().Ticking());
  EXPECT_EQ(rig.e.Timer1().Interval, 1);
}

#define F(name, value) Field{#name, &SimRecord::name, value}
INSTANTIATE_TEST_SUITE_P(
    Core, StartValues,
    testing::Values(
        StartCase{"cone", {}, {},
                  {F(Fcen, 8), F(Fmg, 19.62), F(Alpha, std::atan(kTanAlpha)), F(h1, kTanAlpha),
                   F(FL, kFL), F(L1, kL1), F(L0, 20 + kL1 - kFL / 10), F(V1, 2), F(J1, 2),
                   F(MKD1, 4), F(E1, 4), F(Mx, 0.4), F(Fsup, 0), F(FVLp, kFL),
                   F(EL1, kFL * kFL / 20), F(J12, 0.5), F(DLp, kFL / 10), F(VL, 0.1)}},
        StartCase{"plane", {kPlane}, {},
                  {F(Alpha, 0), F(h1, 0), F(FL, 8), F(L1, 1), F(Fsup, 19.62), F(L0, 20.2),
                   F(FVLp, 8), F(EL1, 3.2)}},
        StartCase{"sleeve on a cone", {kSleeve}, {},
                  {F(FVLp, (1 - kSinAlpha) * kFL), F(FL, kFL), F(L0, 20 + kL1 - kFL / 10)}},
        StartCase{"dumbbell", {kDumbbell}, {},
                  {F(V2a, 1), F(V2b, 3), F(MKD1, 5), F(E1, 5), F(L1, 0.5), F(w12, 2),
                   F(L0, 19.7), F(h1, 0), F(Fsup, 19.62)}},
        StartCase{"dumbbell at the smallest radius", {kDumbbell}, {{kR1, 0.51}},
                  {F(L1, 0.01), F(w12, 2), F(V2a, 0.02)}},
        StartCase{"release", {kRelease}, {},
                  {F(Mx, 0.8), F(VL, 0), F(FVLp, 0), F(EL1, 0), F(FL, kFL)}},
        StartCase{"Mx by hand", {kManualMx}, {{kMx, 0.7}}, {F(Mx, 0.7)}},
        StartCase{"Mx by hand with release", {kManualMx, kRelease}, {{kMx, 3}}, {F(Mx, 3)}},
        StartCase{"faster and wider", {}, {{kR1, 2}, {kW1, 3}, {kCL, 50}},
                  {F(Fcen, 36), F(h1, 2 * 19.62 / 36), F(FL, std::hypot(36.0, 19.62)),
                   F(Mx, 0.8), F(MKD1, 24), F(E1, 36), F(J1, 8)}},
        StartCase{"clockwise", {}, {{kW1, -2}}, {F(V1, -2), F(MKD1, -4), F(E1, 4), F(FL, kFL)}}));
#undef F

// The window opens with the start-up parameters in Russian notation, the
// result boxes showing their own names, the timer enabled without interval.
TEST(Start, WindowOpensWithTheDefaults) {
  Rig rig;
  const char* texts[] = {"1", "2", "10", "1", "0,1", "0,005", "0,5", "5", "2", "1", "1,2"};
  for (std::size_t i = 0; i < kParameterBoxes.size(); ++i)
    EXPECT_EQ(rig.boxes.Text(kParameterBoxes[i]), texts[i]);
  for (int box : {3, 6, 10, 29, 31, 37, 43}) EXPECT_EQ(rig.boxes.Text(box), "Text" + std::to_string(box));
  EXPECT_TRUE(rig.e.Timer1().Enabled);
  EXPECT_EQ(rig.e.Timer1().Interval, 0);
  EXPECT_EQ(rig.r().Pi, 3.141592654);
  EXPECT_THROW(rig.r().Y(46), std::out_of_range);
  EXPECT_THROW(rig.r().DY(-1), std::out_of_range);
  ASSERT_TRUE(rig.Start());
  EXPECT_EQ(rig.r().VLset, 0.1);  // read back exactly as written
  EXPECT_EQ(rig.r().P0, 0.005);
}

TEST(Start, ShowsTheStartValues) {
  Rig rig;
  ASSERT_TRUE(rig.Start());
  const std::vector<std::string> shown = {"2", "2", "2,4525", NumberText(kL1, kSep)};
  for (int box = 3; box <= 6; ++box) EXPECT_EQ(rig.boxes.Text(box), shown[box - 3]);
  EXPECT_EQ(rig.boxes.Text(32), "0,4");  // computed and written back
  for (int box : {37, 41, 43}) EXPECT_EQ(rig.boxes.Text(box), "0");
}

// The start circle of radius R1 on the scale Mx: 1 m / 0.4 m per cm = 2.5 cm,
// drawn in red 250 about the centre of the square screen (26 pixels per cm).
TEST(Start, DrawsTheStartCircle) {
  Rig rig;
  ASSERT_TRUE(rig.Start());
  const QImage& img = rig.picture3.Image();
  const double centre = (kScreen3Width - 1) / 2.0, perUnit = (kScreen3Width - 1) / 10.0;
  int red = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == qRgb(250, 0, 0)) {
        ++red;
        EXPECT_NEAR(std::hypot(x - centre, y - centre), 2.5 * perUnit, 1.0) << x << "," << y;
      }
  EXPECT_GT(red, 2 * 3.14 * 2.5 * perUnit * 0.9);
  for (auto [x, y] : {std::pair{195, 130}, {65, 130}, {130, 65}, {130, 195}})
    EXPECT_EQ(img.pixel(x, y), qRgb(250, 0, 0)) << x << "," << y;
}

}  // namespace
}  // namespace vozaz2::test
