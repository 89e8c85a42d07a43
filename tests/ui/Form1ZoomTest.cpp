// The projector zoom: the keys step through the zooms and the form grows with
// them; the screens are drawn at the shown resolution, not enlarged; a run's
// numbers and the screens' own pixels do not depend on the zoom. Also run
// with QT_SCALE_FACTOR=2, where the shown resolution doubles at 100 %.
#include <QAction>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>
#include <cmath>

#include "help/Twips.h"
#include "run/Screens.h"
#include "ui/Form1Layout.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

int Scaled(int pixels, int percent) { return static_cast<int>(std::lround(pixels * percent / 100.0)); }

TEST_F(WindowTest, ZoomKeysStepThroughTheZoomsAndTheFormGrows) {
  Activate();
  QWidget* area = Get("Form1Area");
  const QSize size = area->size();
  TextBox* r1 = Get<TextBox>("Text1");
  const QRect box = r1->geometry();
  const struct {
    Qt::Key key;
    int zoom;
  } steps[] = {{Qt::Key_Equal, 125}, {Qt::Key_Equal, 150}, {Qt::Key_Equal, 200}, {Qt::Key_Equal, 200},
               {Qt::Key_Minus, 150}, {Qt::Key_0, 100},     {Qt::Key_Minus, 100}, {Qt::Key_Equal, 125}};
  for (const auto& step : steps) {
    QTest::keyClick(form, step.key, Qt::ControlModifier);
    SCOPED_TRACE(step.zoom);
    ASSERT_EQ(form->Zoom(), step.zoom);
    for (QAction* action : Get<QMenu>("ZoomMenu")->actions())
      EXPECT_EQ(action->isChecked(), action->isCheckable() && action->data().toInt() == step.zoom);
    EXPECT_NEAR(area->width(), Scaled(size.width(), step.zoom), 1);
    EXPECT_NEAR(area->height(), Scaled(size.height(), step.zoom), 1);
    EXPECT_NEAR(r1->x(), Scaled(box.x(), step.zoom), 1);
    EXPECT_NEAR(r1->width(), Scaled(box.width(), step.zoom), 1);
    EXPECT_EQ(r1->font().pixelSize(), Scaled(11, step.zoom));
    // The window follows the form with its menu bar and its state line, up
    // to what the screen's free area leaves with the window's frame; the
    // rest scrolls.
    const QSize whole(area->width(),
                      Get<QMenuBar>("MenuBar")->height() + area->height() + Get<QLabel>("RunState")->height());
    const QRect room = form->screen()->availableGeometry();
    EXPECT_EQ(form->size(), whole.boundedTo(room.size().shrunkBy(form->windowHandle()->frameMargins())));
    EXPECT_TRUE(room.contains(form->frameGeometry()));
    auto* scroll = Get<QScrollArea>("Form1Scroll");
    const bool scrolls = scroll->verticalScrollBar()->maximum() > 0 || scroll->horizontalScrollBar()->maximum() > 0;
    EXPECT_EQ(scrolls, form->size() != whole);
  }
  EXPECT_FALSE(form->SetZoom(130));
  EXPECT_EQ(form->Zoom(), 125);
  const int lessonPixels = QFontInfo(form->ShowLesson()->font()).pixelSize();
  EXPECT_NEAR(lessonPixels, QFontInfo(QApplication::font()).pixelSize() * 1.25, 1) << "the lesson is zoomed too";
}

// "По размеру окна": the largest zoom, to the per cent, at which the form
// fits the window, menu bar and all, following the window's size; F11 fits
// the form to the whole screen, and F11 again gives the zoom back.
TEST_F(WindowTest, FormFittedToTheWindowAndToTheFullScreen) {
  Activate();
  QWidget* area = Get("Form1Area");
  const int bar = Get<QMenuBar>("MenuBar")->sizeHint().height();
  const auto fitsExactly = [&] {
    const QRect room(QPoint(), form->size());
    const int next = form->Zoom() + 1;
    return room.contains(QRect(0, 0, area->width(), bar + area->height())) &&
           !room.contains(QRect(0, 0, ZoomedPixels(kClientWidthTwips, next), bar + ZoomedPixels(kClientHeightTwips, next)));
  };
  form->resize(1000, 760);
  Get<QAction>("FitZoomAction")->trigger();
  EXPECT_TRUE(form->ZoomFitsWindow());
  EXPECT_TRUE(fitsExactly()) << form->Zoom();
  const int fitted = form->Zoom();
  form->resize(700, 700);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->Zoom() != fitted; }));
  EXPECT_TRUE(fitsExactly()) << form->Zoom();
  QTest::keyClick(form, Qt::Key_Equal, Qt::ControlModifier);  // the next zoom above
  EXPECT_EQ(form->Zoom(), 100);
  EXPECT_FALSE(form->ZoomFitsWindow());
  QTest::keyClick(form, Qt::Key_Equal, Qt::ControlModifier);

  QTest::keyClick(form, Qt::Key_F11);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->isFullScreen() && form->size() == form->screen()->size(); }));
  ASSERT_TRUE(QTest::qWaitFor(fitsExactly)) << form->Zoom();
  EXPECT_TRUE(form->ZoomFitsWindow());
  QTest::keyClick(form, Qt::Key_F11);
  EXPECT_FALSE(form->isFullScreen());
  EXPECT_EQ(form->Zoom(), 125);
}

// Lengths of the runs of non-white pixels down a column of an image.
std::vector<int> InkRuns(const QImage& image, int x) {
  std::vector<int> runs;
  int run = 0;
  for (int y = 0; y <= image.height(); ++y) {
    if (y < image.height() && (image.pixel(x, y) & 0xffffff) != 0xffffff) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

TEST_F(WindowTest, ZoomedScreensAreSharpAndTheRunStaysTheSame) {
  const double ratio = form->devicePixelRatioF();
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(WaitForSteps(150));
  ASSERT_TRUE(form->SetZoom(200));  // during the run: the screens drawn again from their record
  ASSERT_TRUE(WaitForSteps(150));
  Click(Get<QPushButton>("Command2"));
  const long long steps = std::llround(Record().T0 / Record().P0);

  PictureBox* screen = Get<PictureBox>("Picture2");
  const QImage& shown = *screen->Image();
  EXPECT_EQ(shown.size(), QSize(kScreen2Width, kScreen2Height) * (2 * ratio));
  EXPECT_EQ(shown.devicePixelRatio(), ratio);
  // Far right, where the curves have not come yet, a column crosses the
  // horizontal grid lines only: each as thick as on the screen, in whole
  // device pixels.
  const std::vector<int> lines = InkRuns(shown, shown.width() - 3);
  EXPECT_EQ(lines, std::vector<int>(lines.size(), static_cast<int>(std::lround(2 * ratio))));
  Settle();
  const QImage onDisplay = screen->grab(screen->contentsRect()).toImage();
  EXPECT_EQ(Rgb(onDisplay), Rgb(shown)) << "the box shows its image pixel for pixel";

  // The same steps without a window, and the window back at 100 %.
  const HeadlessRun alone(steps);
  EXPECT_EQ(form->Simulation().Record(), alone.s.Record());
  EXPECT_EQ(lines.size(), InkRuns(alone.screen2.Image(), kScreen2Width - 2).size()) << "every grid line is there";
  ASSERT_TRUE(form->SetZoom(100));
  if (ratio == 1) {
    EXPECT_EQ(*screen->Image(), alone.screen2.Image());
    EXPECT_EQ(*Get<PictureBox>("Picture3")->Image(), alone.screen3.Image());
  }
}

}  // namespace
}  // namespace vozaz2::testing
