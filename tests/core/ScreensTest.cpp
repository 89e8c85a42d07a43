// What the screens show: the grids, the cleared screens, the colours.
#include <set>
#include <tuple>

#include "Rig.h"

namespace vozaz2::test {

// Both screens pixel by pixel: white, and with `grids` the lines in the colour
// value 1 (looks black), grey through the path screen's origin. Oscillogram (y
// 5..-5, x 0..12 on 381 pixels): nine inner levels and verticals at x = 1, 2, 4,
// 6, 8, 10. Path screen (-5..5 on 261 pixels): the unit grid, edge to edge.
void ExpectScreens(Rig& rig, bool grids) {
  std::set<int> rows2, cols2, lines3;
  for (int k = 1; k <= 9 && grids; ++k) rows2.insert(26 * k);
  for (int k = 0; k <= 10 && grids; ++k) lines3.insert(26 * k);
  if (grids) cols2 = {32, 63, 127, 190, 253, 317};
  const int origin = grids ? 130 : -1;
  for (auto [img, rows, cols, o] : {std::tuple{&rig.picture2, &rows2, &cols2, -1},
                                    std::tuple{&rig.picture3, &lines3, &lines3, origin}})
    for (int y = 0; y < img->Height(); ++y)
      for (int x = 0; x < img->Width(); ++x) {
        const Colour expected = y == o || x == o                   ? Rgb(200, 200, 200)
                                : rows->count(y) || cols->count(x) ? Rgb(1, 0, 0)
                                                                   : Rgb(255, 255, 255);
        ASSERT_EQ(img->Pixel(x, y), expected) << x << "," << y;
      }
}

// Blank until the first start; "Очистить экраны" after a run leaves the bare
// grids, and preparing them again changes nothing. A colour value is red +
// 256 green + 65536 blue.
TEST(Screens, GridsClearAndColours) {
  Rig rig;
  ExpectScreens(rig, false);
  ASSERT_TRUE(rig.Start({kDumbbell}));
  rig.Steps(300);
  rig.session.ClearScreens();
  ExpectScreens(rig, true);
  PrepareScreen2(rig.picture2), PrepareScreen3(rig.picture3);
  ExpectScreens(rig, true);
  rig.picture3.PSet(1, -1, 12 + 256 * 34 + 65536 * 56);
  EXPECT_EQ(rig.picture3.Pixel(156, 156), Rgb(12, 34, 56));
}

}  // namespace vozaz2::test
