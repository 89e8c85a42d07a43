// The window "Установка" beside the main window, on the offscreen platform:
// opened by its key, it follows the run and says what it shows in words
// that change with the run; the balls are painted where the camera puts the
// step's coordinates, in each view.
#include <QColor>
#include <QImage>

#include "apparatus/ApparatusWindow.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

class Apparatus : public WindowTest {
 protected:
  ApparatusWindow* Open() {
    window = InstallApparatusWindow(form, form->Simulation());
    Activate();
    QTest::keyClick(form, Qt::Key_F7);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return window;
  }
  ApparatusWindow* window = nullptr;
};

TEST_F(Apparatus, FollowsTheRunAndDescribesIt) {
  ApparatusWindow* w = Open();
  EXPECT_TRUE(w->View()->Description().contains(QStringLiteral("не начат")));
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(200));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->Frames() > 0; }, 10000)) << "painted while the run goes on";
  const QString early = w->View()->Description();
  ASSERT_TRUE(WaitForSteps(400));
  Click(Get<QPushButton>("Command2"));
  w->View()->repaint();
  const QString later = w->View()->accessibleDescription();
  EXPECT_NE(early, later) << "the radius and ω change as the string is pulled in";
  // The vertical part of the angular momentum keeps its start value.
  const QString start = ShortNumber(Record().MKD1, QLocale());
  EXPECT_EQ(later.count(start), 2) << later.toStdString();
  EXPECT_TRUE(later.contains(ShortNumber(Record().R, QLocale())));
  const QPointer<ApparatusWindow> alive(w);
  delete form.data();
  EXPECT_TRUE(alive.isNull());
}

// The load's ball is painted at its coordinates as the camera projects them,
// from above, from the side and in perspective.
// A task that withholds the graphs withholds this view too (its arrows show
// the values to predict): hidden at once, it opens only afterwards.
TEST_F(Apparatus, WithheldItHidesAndDoesNotOpen) {
  ApparatusWindow* w = Open();
  w->Withhold(true);
  EXPECT_FALSE(w->isVisible());
  w->ShowInFront();  // as its key and the menu do
  EXPECT_FALSE(w->isVisible());
  w->Withhold(false);
  w->ShowInFront();
  EXPECT_TRUE(w->isVisible());
}

TEST_F(Apparatus, PaintsTheLoadWhereItIs) {
  ApparatusWindow* w = Open();
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(300));
  Click(Get<QPushButton>("Command2"));
  const vozaz2::Apparatus a = ApparatusOf(Record());
  w->View()->SetShown(0);  // the vectors start at the ball and would cover it
  for (ViewKind view : {ViewKind::kTop, ViewKind::kSide, ViewKind::kPerspective}) {
    w->ShowView(view);
    const QImage picture = w->View()->grab().toImage();
    const ScreenPoint at = w->View()->CameraFor(w->View()->size()).Project({a.ball[0].x, a.ball[0].y, a.ball[0].z});
    // The ball, not a line through its place: bluish across half its radius.
    const double r = 0.5 * at.scale * FrameOf(Record()).BallRadius(a.ball[0].mass);
    for (QPointF d : {QPointF(0, 0), QPointF(r, 0), QPointF(-r, 0), QPointF(0, r), QPointF(0, -r)}) {
      const QColor c = picture.pixelColor((QPointF(at.x, at.y) + d).toPoint() * picture.devicePixelRatio());
      EXPECT_GT(c.blue() - std::max(c.red(), c.green()), 50) << "view " << static_cast<int>(view) << ": "
                                                             << c.name().toStdString();
    }
  }
}

}  // namespace
}  // namespace vozaz2::testing
