// Windows on the screen, as sizes: a window and its frame within the screen's
// free area, a window beside another, the largest zoom that fits.
#include <gtest/gtest.h>

#include "help/ScreenFit.h"

namespace vozaz2 {
namespace {

// The main window at 150 % on a 1024 x 768 screen: its form and menu bar,
// 1190 x 864, are cut to what the screen leaves with the title bar and the
// borders, and a window the window manager put partly off the screen comes
// back whole; one larger than the room keeps its title bar on it.
TEST(ScreenFit, AWindowKeepsItsFrameOnTheScreen) {
  const QRect room(0, 0, 1024, 768);
  const QMargins frame(1, 20, 1, 1);
  const QSize client = FitClient(QSize(1190, 864), frame, room.size());
  EXPECT_EQ(client, QSize(1022, 747));
  EXPECT_EQ(FitClient(QSize(800, 600), frame, room.size()), QSize(800, 600));
  EXPECT_EQ(KeepInside(QRect(QPoint(100, 50), client.grownBy(frame)), room), QPoint(0, 0));
  const QRect belowAPanel(0, 30, 1024, 738);
  EXPECT_EQ(KeepInside(QRect(500, 300, 400, 300), belowAPanel), QPoint(500, 300));
  EXPECT_EQ(KeepInside(QRect(900, 700, 400, 300), belowAPanel), QPoint(624, 468));
  EXPECT_EQ(KeepInside(QRect(-50, -40, 2000, 2000), belowAPanel), QPoint(0, 30));
}

// The lesson beside the form: right, else left, else below, on the screen;
// where no side has room for it, smaller on the first side that has room
// for half its size; else where it covers the least of the form.
TEST(ScreenFit, AWindowStandsBesideTheForm) {
  const QRect room(0, 0, 1600, 1200);
  const QSize lesson(500, 400), half(250, 200);
  EXPECT_EQ(PlaceBeside(lesson, half, QRect(0, 0, 800, 600), room), QRect(808, 0, 500, 400));
  EXPECT_EQ(PlaceBeside(lesson, half, QRect(100, 900, 800, 250), room), QRect(908, 800, 500, 400));
  EXPECT_EQ(PlaceBeside(lesson, half, QRect(700, 100, 800, 600), room), QRect(192, 100, 500, 400));
  EXPECT_EQ(PlaceBeside(lesson, half, QRect(200, 0, 1200, 600), room), QRect(200, 608, 500, 400));
  EXPECT_EQ(PlaceBeside(lesson, half, QRect(402, 300, 795, 593), room), QRect(1205, 300, 395, 400));
  EXPECT_EQ(PlaceBeside(lesson, half, QRect(0, 0, 1500, 1100), room), QRect(0, 800, 500, 400));
}

// The fitted zoom: the form, 793 pixels wide at 100 %, on a screen 1600 wide.
TEST(ScreenFit, TheLargestZoomThatFits) {
  EXPECT_EQ(LargestFitting(50, 400, [](int percent) { return 793 * percent <= 1600 * 100; }), 201);
  EXPECT_EQ(LargestFitting(50, 400, [](int) { return true; }), 400);
  EXPECT_EQ(LargestFitting(50, 400, [](int) { return false; }), 50);
}

}  // namespace
}  // namespace vozaz2
