// The window's QImage screens and the in-memory screens of the core's tests
// must show the same pixels for the same drawing, or the core's screen tests
// would vouch for pictures nobody sees.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "run/PixelSurface.h"
#include "ui/ImageSurface.h"

namespace vozaz2::test {

TEST(Surfaces, ImageAndPixelsDrawAlike) {
  EXPECT_EQ(ToQRgb(Rgb(12, 34, 56)), qRgb(12, 34, 56));  // red in the lowest byte
  ImageSurface image(381, 261);
  PixelSurface pixels(381, 261);
  std::mt19937 gen(7);
  std::uniform_real_distribution<float> coord(-8, 8), colour(0, 0xffffff);
  auto c = [&] { return static_cast<Colour>(colour(gen)); };
  for (int i = 0; i < 3000; ++i) {
    for (Surface* s : std::initializer_list<Surface*>{&image, &pixels}) s->Scale(-5, 5, 5, -5);
    const float x = coord(gen), y = coord(gen), u = coord(gen) * (i % 100 ? 1 : 1e30f),
                v = i % 50 ? coord(gen) : NAN;
    const Colour k = c();
    for (Surface* s : std::initializer_list<Surface*>{&image, &pixels}) {
      if (i % 1000 == 500) s->Cls();
      s->PSet(x, y, k);
      s->Line(x, y, u, v, k);
      s->Circle(u, y, std::fabs(v) / 4, k);
    }
  }
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x)
      ASSERT_EQ(image.Image().pixel(x, y), ToQRgb(pixels.Pixel(x, y))) << x << "," << y;
}

}  // namespace vozaz2::test
