// The window's QImage screens and the in-memory screens of the core's tests
// must show the same pixels for the same drawing, or the core's screen tests
// would vouch for pictures nobody sees.
#include <gtest/gtest.h>

#include <cfenv>
#include <algorithm>
#include <cmath>
#include <random>

#include "run/PixelSurface.h"
#include "ui/ImageSurface.h"
#include "ui/ZoomedSurface.h"

namespace vozaz2::test {

TEST(Surfaces, ImageAndPixelsDrawAlike) {
  EXPECT_EQ(ToQRgb(Rgb(12, 34, 56)), qRgb(12, 34, 56));  // red in the lowest byte
  ImageSurface image(381, 261);
  PixelSurface pixels(381, 261);
  ZoomedSurface same(381, 261, 1);  // a zoomed screen at 100 % draws as the screen
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> coord(-8, 8), colour(0, 0xffffff);
  auto c = [&] { return static_cast<Colour>(colour(gen)); };
  for (int i = 0; i < 3000; ++i) {
    for (Surface* s : std::initializer_list<Surface*>{&image, &pixels, &same}) s->Scale(-5, 5, 5, -5);
    const float x = coord(gen), y = coord(gen), u = coord(gen) * (i % 100 ? 1 : 1e30f),
                v = i % 50 ? coord(gen) : NAN;
    const Colour k = c();
    for (Surface* s : std::initializer_list<Surface*>{&image, &pixels, &same}) {
      if (i % 1000 == 500) s->Cls();
      s->PSet(x, y, k);
      s->Line(x, y, u, v, k);
      s->Circle(u, y, std::fabs(v) / 4, k);
    }
  }
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x)
      ASSERT_EQ(image.Image().pixel(x, y), ToQRgb(pixels.Pixel(x, y))) << x << "," << y;
  EXPECT_EQ(same.Image(), image.Image());
}

// Twice as large: a point fills its pixel's 2 x 2 place, a line and a circle
// are two device pixels thick, as thick as on the screen, and sharp; a chain
// of points joins where its screen pixels touch, not across a gap. At
// 125 % a line stays one device pixel. No drawing, however far off or
// undefined, touches the floating-point flags by which a step tells a
// divergence.
TEST(Surfaces, ZoomedScreenIsSharpAndLeavesTheFlags) {
  ZoomedSurface zoomed(10, 10, 2);
  const QRgb white = ToQRgb(colours::kBackground), blue = ToQRgb(colours::kBlue);
  const auto ink = [&] {
    int n = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) n += zoomed.Image().pixel(x, y) != white;
    return n;
  };
  zoomed.PSet(3, 4, colours::kRed);
  EXPECT_EQ(zoomed.Image().pixel(6, 8), ToQRgb(colours::kRed));
  EXPECT_EQ(zoomed.Image().pixel(7, 9), ToQRgb(colours::kRed));
  EXPECT_EQ(ink(), 4);
  zoomed.Cls();
  zoomed.Line(0, 5, 9, 5, colours::kBlue);  // the rows of screen row 5, end to end
  EXPECT_EQ(ink(), 2 * 20);
  for (int x = 0; x < 20; ++x) EXPECT_TRUE(zoomed.Image().pixel(x, 10) == blue && zoomed.Image().pixel(x, 11) == blue);
  zoomed.Cls();
  zoomed.PSet(3, 3, colours::kBlue);
  zoomed.PSet(4, 4, colours::kBlue);  // diagonal neighbours on the screen: joined
  zoomed.PSet(6, 4, colours::kBlue);  // a pixel apart: not
  EXPECT_EQ(zoomed.Image().pixel(8, 7), blue);
  EXPECT_EQ(zoomed.Image().pixel(10, 8), white);
  EXPECT_EQ(zoomed.Image().pixel(11, 9), white);
  // A circle keeps its size on the screen: twice as many device pixels
  // across (the start circle, the turn mark, the balls are circles), its
  // ring two of them thick.
  zoomed.Cls();
  zoomed.Circle(4.5, 4.5, 3, colours::kBlue);
  int left = 20, right = -1, top = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x)
      if (zoomed.Image().pixel(x, y) != white) left = std::min(left, x), right = std::max(right, x);
  while (zoomed.Image().pixel(9, top) == white) ++top;
  EXPECT_NEAR(right - left, 2 * 3 * 2 + 1, 1) << "a diameter of 3 + 3 screen pixels at twice the size";
  EXPECT_EQ(zoomed.Image().pixel(9, top + 1), blue);
  EXPECT_EQ(zoomed.Image().pixel(9, top + 2), white);
  ZoomedSurface slightly(10, 10, 1.25);
  slightly.Line(0, 5, 9, 5, colours::kBlue);
  EXPECT_EQ(slightly.LineWidth(), 1);
  EXPECT_EQ(slightly.Image().pixel(5, 6) == blue, slightly.Image().pixel(5, 7) != blue);
  std::feclearexcept(FE_ALL_EXCEPT);
  for (float v : {NAN, INFINITY, 3e38f}) {
    zoomed.PSet(v, v, colours::kRed);
    zoomed.Line(0, 0, v, -v, colours::kRed);
    zoomed.Circle(v, 1, v, colours::kRed);
    zoomed.Scale(0, v, v, 0);
  }
  EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

}  // namespace vozaz2::test
