// The grids that PrepareScreen2 and PrepareScreen3 draw, pixel by pixel on the
// QImage surfaces of the window's size.
#include <QImage>
#include <cmath>
#include <set>

#include "Rig.h"

namespace vozaz2::test {
namespace {

const QRgb kWhite = qRgb(255, 255, 255), kDark = qRgb(1, 0, 0), kGrey = qRgb(200, 200, 200);

// Rows (or columns) whose every pixel is not white.
std::set<int> FullLines(const QImage& img, bool rows) {
  std::set<int> lines;
  const int n = rows ? img.height() : img.width(), len = rows ? img.width() : img.height();
  for (int i = 0; i < n; ++i) {
    bool full = true;
    for (int j = 0; j < len && full; ++j) full = (rows ? img.pixel(j, i) : img.pixel(i, j)) != kWhite;
    if (full) lines.insert(i);
  }
  return lines;
}

// The pixel nearest to a user coordinate, for a screen whose user range from
// `from` to `to` spans the pixels 0 .. pixels - 1.
int PixelOf(double u, double from, double to, int pixels) {
  return static_cast<int>(std::lround((u - from) / (to - from) * (pixels - 1)));
}

void ExpectLines(const std::set<int>& actual, const std::vector<int>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  auto it = actual.begin();
  for (int e : expected) EXPECT_NEAR(*it++, e, 1);
}

// The oscillogram: the nine inner levels -4..4 and the verticals at 1, 2, 4,
// 6, 8, 10, all in the colour value 1 (red 1: looks black), nothing else.
TEST(Screens, OscillogramGrid) {
  ImageSurface s(kScreen2Width, kScreen2Height);
  PrepareScreen2(s);
  const QImage& img = s.Image();
  std::vector<int> rows, cols;
  for (int y = 4; y >= -4; --y) rows.push_back(PixelOf(y, 5, -5, img.height()));
  for (int x : {1, 2, 4, 6, 8, 10}) cols.push_back(PixelOf(x, 0, 12, img.width()));
  const auto fullRows = FullLines(img, true), fullCols = FullLines(img, false);
  ExpectLines(fullRows, rows);
  ExpectLines(fullCols, cols);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const bool onGrid = fullRows.count(y) || fullCols.count(x);
      ASSERT_EQ(img.pixel(x, y), onGrid ? kDark : kWhite) << x << "," << y;
    }
}

// The path screen: the unit grid edge to edge, the two lines through the
// origin grey over it.
TEST(Screens, PathGrid) {
  ImageSurface s(kScreen3Width, kScreen3Height);
  PrepareScreen3(s);
  const QImage& img = s.Image();
  std::vector<int> lines;
  for (int k = -5; k <= 5; ++k) lines.push_back(PixelOf(k, -5, 5, img.width()));
  const auto fullRows = FullLines(img, true), fullCols = FullLines(img, false);
  ExpectLines(fullRows, lines);
  ExpectLines(fullCols, lines);
  const int origin = PixelOf(0, -5, 5, img.width());
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      QRgb expected = kWhite;
      if (fullRows.count(y) || fullCols.count(x)) expected = kDark;
      if (y == origin || x == origin) expected = kGrey;
      ASSERT_EQ(img.pixel(x, y), expected) << x << "," << y;
    }
}

TEST(Screens, PreparingTwiceIsPreparingOnce) {
  ImageSurface once2(kScreen2Width, kScreen2Height), twice2(kScreen2Width, kScreen2Height);
  ImageSurface once3(kScreen3Width, kScreen3Height), twice3(kScreen3Width, kScreen3Height);
  PrepareScreen2(once2);
  PrepareScreen2(twice2);
  PrepareScreen2(twice2);
  PrepareScreen3(once3);
  PrepareScreen3(twice3);
  PrepareScreen3(twice3);
  EXPECT_EQ(once2.Image(), twice2.Image());
  EXPECT_EQ(once3.Image(), twice3.Image());
}

// Screens stay blank until the first start; "Очистить экраны" after a run
// leaves the bare grids; a second start draws over the first run.
TEST(Screens, ClearLeavesTheBareGrids) {
  Rig rig;
  ImageSurface blank2(kScreen2Width, kScreen2Height), blank3(kScreen3Width, kScreen3Height);
  EXPECT_EQ(rig.picture2.Image(), blank2.Image());
  EXPECT_EQ(rig.picture3.Image(), blank3.Image());
  ImageSurface grid2(kScreen2Width, kScreen2Height), grid3(kScreen3Width, kScreen3Height);
  PrepareScreen2(grid2);
  PrepareScreen3(grid3);
  ASSERT_TRUE(rig.Start({kDumbbell}));
  rig.Steps(300);
  EXPECT_NE(rig.picture2.Image(), grid2.Image());
  const QImage drawn = rig.picture3.Image();
  ASSERT_TRUE(rig.Start());
  int kept = 0;  // trail points of the first run still there
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x)
      kept += drawn.pixel(x, y) == qRgb(0, 0, 250) && rig.picture3.Image().pixel(x, y) == qRgb(0, 0, 250);
  EXPECT_GT(kept, 100);
  rig.e.Command5_Click();
  EXPECT_EQ(rig.picture2.Image(), grid2.Image());
  EXPECT_EQ(rig.picture3.Image(), grid3.Image());
}

// A displayed step sets, at x = T/Mt, the string force in red at FL/MF, its
// friction part in blue, the height in olive at Z/Mz, the single load's turn
// and spin on y = -4 (dark grey, drawn last), and the path point in blue.
TEST(Screens, StepPlotsItsPoints) {
  Rig rig;
  ASSERT_TRUE(rig.Start({}, {{kMt, 0.05}, {kMz, 0.005}}));
  rig.Steps(35);
  const SimRecord& r = rig.r();
  const QImage &p2 = rig.picture2.Image(), &p3 = rig.picture3.Image();
  auto at2 = [&](double y) {
    return p2.pixel(PixelOf(r.T / r.Mt, 0, 12, p2.width()), PixelOf(y, 5, -5, p2.height()));
  };
  EXPECT_EQ(at2(r.FL / r.MF), qRgb(250, 0, 0));
  EXPECT_EQ(at2(r.Ftr / r.MF), qRgb(0, 0, 250));
  EXPECT_EQ(at2(r.Z / r.Mz), qRgb(200, 200, 0));
  EXPECT_EQ(at2(-4), qRgb(50, 50, 50));
  EXPECT_EQ(p3.pixel(PixelOf(r.X / r.Mx, -5, 5, p3.width()), PixelOf(r.Ycoord / r.Mx, 5, -5, p3.height())),
            qRgb(0, 0, 250));
}

// A colour value is red + 256 green + 65536 blue: red sits in the lowest byte.
TEST(Screens, ColourValues) {
  const struct {
    Colour value;
    int red, green, blue;
  } cases[] = {{1, 1, 0, 0},     {250, 250, 0, 0}, {256, 0, 1, 0},  {65536, 0, 0, 1},
               {0xC8C8C8, 200, 200, 200}, {250 * 65536, 0, 0, 250}, {200 + 200 * 256, 200, 200, 0}};
  for (const auto& c : cases) {
    ImageSurface s(5, 5);
    s.Scale(0, 0, 4, 4);
    s.PSet(2, 2, c.value);
    EXPECT_EQ(s.Image().pixel(2, 2), qRgb(c.red, c.green, c.blue)) << c.value;
  }
}

}  // namespace
}  // namespace vozaz2::test
