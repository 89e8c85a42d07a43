// The apparatus as a view draws it: the geometry is the step's own, the
// angular momentum about the sleeve point has the accounting's MKD2 as its
// vertical part, the vectors keep the scales of the run's start, and the
// path's trail stays bounded.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "run/ApparatusScene.h"
#include "tests/core/Rig.h"

namespace vozaz2::test {
namespace {

struct SceneCase {
  const char* name;
  std::vector<Click> clicks;
  int steps;
};

const SceneCase kSceneCases[] = {
    {"cone", {}, 700},
    {"sleeveUpCone", {kSleeve}, 700},
    {"plane", {kPlane}, 700},
    {"dumbbell", {kPlane, kDumbbell}, 700},
    {"split", {kPlane, kSplit}, 700},  // 3.5 s: split at 1 s, the second string pulls
    {"release", {kRelease}, 100},      // 0.5 s: the string does not pull yet
};

class SceneOfRun : public ::testing::TestWithParam<SceneCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rig.Start(GetParam().clicks));
    frame = FrameOf(rig.r());
    rig.Steps(GetParam().steps);
    a = ApparatusOf(rig.r());
    scene = SceneOf(a, rig.r(), frame, kAllArrows);
  }
  Rig rig;
  SceneFrame frame;
  Apparatus a;
  Scene scene;
};

// In the top view a ball lies off the axis's point by its X and Y, in the
// side view by its X and Z, on the view's one scale; the taut string from
// the sleeve is as long as the step computed it; the dumbbell's balls are
// 1 m apart along Psi.
TEST_P(SceneOfRun, DrawsTheComputedGeometry) {
  const SimRecord& r = rig.r();
  for (ViewKind view : {ViewKind::kTop, ViewKind::kSide}) {
    Camera c = CameraOf(view, 0);
    Fit(c, frame.lo, frame.hi, 0, 0, 900, 700);
    const ScreenPoint o = c.Project({0, 0, 0});
    for (int i = 0; i < scene.balls; ++i) {
      const Ball& b = a.ball[static_cast<std::size_t>(i)];
      const ScreenPoint p = c.Project(scene.ball[static_cast<std::size_t>(i)]);
      EXPECT_NEAR((p.x - o.x) / c.pixelsPerMetre, b.x, 1e-9);
      EXPECT_NEAR((o.y - p.y) / c.pixelsPerMetre, view == ViewKind::kTop ? b.y : b.z, 1e-9);
    }
  }
  EXPECT_EQ(scene.sleeve.z, r.h1 + r.DSleeve);
  if (!scene.slack) {
    double drawn = 0;
    for (std::size_t i = 1; i < scene.slant.size(); ++i) drawn += (scene.slant[i] - scene.slant[i - 1]).Length();
    // The step's L is of its last stage, a step's error from the final state.
    EXPECT_NEAR(drawn, r.L, 1e-5 * r.L) << "drawn " << drawn;
  }
  if (scene.dumbbell) {
    const Vec3 bar = scene.ball[1] - scene.ball[0];
    EXPECT_NEAR(bar.Length(), 1, 1e-12);
    EXPECT_NEAR(bar.x, std::cos(r.Psi), 1e-12);
    EXPECT_NEAR(bar.y, std::sin(r.Psi), 1e-12);
  }
}

// Each arrow is as long as its value on the scale the start fixed, and that
// scale is still the frame's after the steps.
TEST_P(SceneOfRun, ArrowsFollowTheStartScales) {
  const SceneFrame now = FrameOf(rig.r());
  EXPECT_EQ(now.per.momentum, frame.per.momentum);
  EXPECT_EQ(now.per.velocity, frame.per.velocity);
  const auto per = [&](Arrow k) {
    switch (k) {
      case Arrow::kOmega: return frame.per.omega;
      case Arrow::kVelocity: return frame.per.velocity;
      case Arrow::kForce: return frame.per.force;
      default: return frame.per.momentum;
    }
  };
  ASSERT_GE(scene.arrows, 4u);
  for (std::size_t i = 0; i < scene.arrows; ++i) {
    const DrawnArrow& d = scene.arrow[i];
    EXPECT_NEAR((d.head - d.tail).Length() * per(d.kind), std::fabs(d.value), 1e-9 * (1 + std::fabs(d.value)))
        << "arrow " << static_cast<int>(d.kind);
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, SceneOfRun, ::testing::ValuesIn(kSceneCases));

// The vertical part of the angular momentum about the sleeve point, from the
// balls' places and velocities, is the accounting's MKD2 at every step. For
// the dumbbell MKD2 takes ball a's place from the step's last stage, not
// from its end, which differs by the integration's error of one step.
TEST(ApparatusMomentum, VerticalPartIsMKD2) {
  struct Row { std::vector<Click> clicks; double tolerance; };
  for (const Row& row : {Row{{}, 1e-12}, Row{{kPlane}, 1e-12}, Row{{kPlane, kSplit}, 1e-12},
                         Row{{kPlane, kDumbbell}, 1e-5}}) {
    Rig rig;
    ASSERT_TRUE(rig.Start(row.clicks));
    double worst = 0;
    for (int i = 0; i < 20; ++i) {
      rig.Steps(100);
      const Apparatus a = ApparatusOf(rig.r());
      const double vertical = MomentumAbout(a, {0, 0, a.sleeveZ}).whole.z;
      worst = std::max(worst, std::fabs(vertical - rig.r().MKD2) / std::fabs(rig.r().MKD1));
    }
    EXPECT_LE(worst, row.tolerance);
    std::printf("[ figures ] |Lz - MKD2| / MKD1 at most %.3g over 2000 steps\n", worst);
  }
}

// On a cone the whole vector tilts out towards the load: its horizontal
// part points near where the load is (off it only by the load's slow radial
// and vertical motion while the string is pulled in) and turns with it,
// while the vertical part keeps its length.
TEST(ApparatusMomentum, ConeHorizontalPartTurnsWithTheLoad) {
  Rig rig;
  ASSERT_TRUE(rig.Start());
  double turned = 0, loadTurned = 0, previous = 0, previousLoad = 0;
  for (int i = 0; i <= 40; ++i) {
    const Apparatus a = ApparatusOf(rig.r());
    const Vec3 L = MomentumAbout(a, {0, 0, a.sleeveZ}).whole;
    const double load = std::atan2(a.ball[0].y, a.ball[0].x), part = std::atan2(L.y, L.x);
    EXPECT_NEAR(std::remainder(part - load, 2 * std::numbers::pi), 0, 0.1) << "step " << i * 20;
    EXPECT_GT(std::hypot(L.x, L.y), 0.5 * L.z);
    EXPECT_NEAR(L.z, rig.r().MKD1, 1e-3 * rig.r().MKD1);
    if (i > 0) {
      turned += std::remainder(part - previous, 2 * std::numbers::pi);
      loadTurned += std::remainder(load - previousLoad, 2 * std::numbers::pi);
    }
    previous = part;
    previousLoad = load;
    rig.Steps(20);
  }
  EXPECT_GT(loadTurned, 3.0) << "800 steps of 5 ms at about 2 rad/s";
  EXPECT_NEAR(turned, loadTurned, 0.1);
}

// However long the run, the trail keeps at most its ring of points, the
// newest near where the load is.
TEST(ApparatusTrail, StaysBoundedAndEndsAtTheLoad) {
  Rig rig;
  ASSERT_TRUE(rig.Start({kPlane}));
  rig.Steps(20000);
  const Trail& t = rig.session.History().Trail();
  ASSERT_EQ(t.Size(0), Trail::kPoints);
  const Apparatus a = ApparatusOf(rig.r());
  const Vec3 last = t.Point(0, Trail::kPoints - 1);
  EXPECT_LT((last - Vec3{a.ball[0].x, a.ball[0].y, a.ball[0].z}).Length(), 0.05);
  EXPECT_EQ(t.Size(1), 0u);
}

}  // namespace
}  // namespace vozaz2::test
