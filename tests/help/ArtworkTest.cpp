// The window icon, the apparatus drawing and the desktop entry.
#include <gtest/gtest.h>

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QTextStream>
#include <algorithm>

#include "ui/artwork/Artwork.h"

namespace {

class ConeSize : public testing::TestWithParam<int> {};

TEST_P(ConeSize, IconHoldsAGreyConeOnATransparentGround) {
  const int size = GetParam();
  const QIcon icon = vozaz2::ConeIcon();
  EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
  const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(size, size));

  int opaque = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      ++opaque;
      EXPECT_EQ(qAlpha(p), 255);
      EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << "grey at " << x << "," << y;
    }
  EXPECT_GT(opaque, size * size / 4);
  EXPECT_LT(opaque, size * size * 3 / 4);
  for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
    EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
}

TEST_P(ConeSize, KeepsToSixteenColours) {
  const QImage image = vozaz2::ConeImage(GetParam()).convertToFormat(QImage::Format_ARGB32);
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  EXPECT_LE(colours.size(), 16);
  EXPECT_GE(colours.size(), 4) << "an outline and some shading";
}

// A cone: symmetric outline, a point at the top, widest near the base.
TEST_P(ConeSize, OutlineIsACone) {
  const int size = GetParam();
  const QImage image = vozaz2::ConeImage(size).convertToFormat(QImage::Format_ARGB32);
  auto width = [&](int y) {
    int n = 0;
    for (int x = 0; x < size; ++x) n += qAlpha(image.pixel(x, y)) != 0;
    return n;
  };
  int top = 0;
  while (top < size && width(top) == 0) ++top;
  ASSERT_LT(top, size / 4);
  EXPECT_LE(width(top), 2);
  int widest = 0;
  for (int y = 0; y < size; ++y) {
    widest = std::max(widest, width(y));
    for (int x = 0; x < size; ++x)
      EXPECT_EQ(qAlpha(image.pixel(x, y)) != 0, qAlpha(image.pixel(size - 1 - x, y)) != 0)
          << "symmetric at " << x << "," << y;
  }
  EXPECT_GE(widest, size * 3 / 4);
  EXPECT_GT(width(size * 3 / 4), width(size / 4));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ConeSize, testing::Values(16, 32));

// The icon files that the build draws for the icon theme are the same cone.
TEST(IconFiles, MatchTheWindowIcon) {
  for (int size : {16, 32}) {
    const QString path = QStringLiteral(VOZAZ2_ICON_DIR "/vozaz2-%1.png").arg(size);
    QImage file(path);
    ASSERT_FALSE(file.isNull()) << path.toStdString();
    EXPECT_EQ(file.convertToFormat(QImage::Format_ARGB32),
              vozaz2::ConeImage(size).convertToFormat(QImage::Format_ARGB32));
  }
}

TEST(ApparatusPicture, IsBlackLinesOnWhite) {
  const QImage picture = vozaz2::ApparatusPicture();
  ASSERT_EQ(picture.size(), QSize(vozaz2::kApparatusWidth, vozaz2::kApparatusHeight));
  EXPECT_EQ(picture.size(), QSize(231, 249));
  int white = 0, black = 0, other = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y) | 0xff000000;
      if (p == qRgb(255, 255, 255))
        ++white;
      else if (p == qRgb(0, 0, 0))
        ++black;
      else
        ++other;
    }
  const int all = picture.width() * picture.height();
  EXPECT_EQ(other, 0) << "only black and white";
  EXPECT_GT(white, all * 85 / 100) << "mostly white";
  EXPECT_GT(black, all * 3 / 100) << "a drawing, not a blank";
}

// Each part of the drawing is where the main window's picture expects it: the
// sleeve and string on the left, the view from above at the top right, the
// side view of the load and the axes below.
TEST(ApparatusPicture, HasEachPartInItsPlace) {
  const QImage picture = vozaz2::ApparatusPicture();
  auto ink = [&](QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) n += (picture.pixel(x, y) & 0xffffff) == 0;
    return n;
  };
  EXPECT_GT(ink(QRect(0, 0, 80, 130)), 150) << "string, sleeves and VL";
  EXPECT_GT(ink(QRect(95, 0, 136, 130)), 400) << "view from above";
  EXPECT_GT(ink(QRect(0, 140, 231, 109)), 400) << "axes, load and forces";
  // The circle of the view from above crosses its X axis on both sides.
  EXPECT_GT(ink(QRect(100, 55, 10, 14)), 5);
  EXPECT_GT(ink(QRect(190, 55, 10, 14)), 5);
}

TEST(DesktopEntry, StartsVozaz2WithItsIcon) {
  QFile file(QStringLiteral(VOZAZ2_DESKTOP_FILE));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
  QTextStream in(&file);
  in.setEncoding(QStringConverter::Utf8);
  QMap<QString, QString> keys;
  ASSERT_EQ(in.readLine(), QStringLiteral("[Desktop Entry]"));
  while (!in.atEnd()) {
    const QString line = in.readLine();
    const qsizetype eq = line.indexOf(QChar('='));
    ASSERT_GT(eq, 0) << line.toStdString();
    EXPECT_FALSE(keys.contains(line.left(eq))) << "once only: " << line.toStdString();
    keys.insert(line.left(eq), line.mid(eq + 1));
  }
  EXPECT_EQ(keys.value(QStringLiteral("Type")), QStringLiteral("Application"));
  EXPECT_EQ(keys.value(QStringLiteral("Name")), QStringLiteral("Vozaz2"));
  EXPECT_EQ(keys.value(QStringLiteral("Exec")), QStringLiteral("vozaz2"));
  EXPECT_EQ(keys.value(QStringLiteral("Icon")), QStringLiteral("vozaz2"));
  EXPECT_EQ(keys.value(QStringLiteral("Categories")), QStringLiteral("Education;Science;Physics;"));
  const QString comment = keys.value(QStringLiteral("Comment"));
  EXPECT_FALSE(comment.isEmpty());
  bool cyrillic = false;
  for (QChar c : comment) cyrillic = cyrillic || c.script() == QChar::Script_Cyrillic;
  EXPECT_TRUE(cyrillic) << "the comment is in Russian";
}

}  // namespace
