// The program's own pictures: the window icon and the apparatus drawing.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>

#include "ui/artwork/Artwork.h"

namespace {

// Forms of 16 and 32 pixels, each a drawing on a transparent ground, neither
// blank nor a filled square.
TEST(Artwork, IconHasBothSizesAndADrawing) {
  const QIcon icon = vozaz2::ConeIcon();
  for (int size : {16, 32}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(size, size));
    int opaque = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) opaque += qAlpha(image.pixel(x, y)) != 0;
    EXPECT_GT(opaque, size * size / 4) << size;
    EXPECT_LT(opaque, size * size * 3 / 4) << size;
  }
}

// 231 x 249 pixels, black lines on white and nothing else.
TEST(Artwork, ApparatusIsBlackOnWhite) {
  const QImage picture = vozaz2::ApparatusPicture();
  ASSERT_EQ(picture.size(), QSize(231, 249));
  int white = 0, black = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y) | 0xff000000;
      white += p == qRgb(255, 255, 255);
      black += p == qRgb(0, 0, 0);
    }
  EXPECT_EQ(white + black, 231 * 249) << "only black and white";
  EXPECT_GT(black, 231 * 249 * 3 / 100) << "a drawing, not a blank";
  EXPECT_GT(white, 231 * 249 * 85 / 100) << "on white";
}

}  // namespace
