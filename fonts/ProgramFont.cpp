#include "fonts/ProgramFont.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace vozaz2 {

QString ProgramFontFamily() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/NimbusSansNarrow-Regular.otf"));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? QStringLiteral("Nimbus Sans Narrow") : families.first();
  }();
  return family;
}

QFont ProgramFont(int pixels) {
  QFont font(ProgramFontFamily());
  font.setPixelSize(pixels);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont Enlarged(QFont font, int percent) {
  if (font.pixelSize() > 0)
    font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * percent / 100.0)));
  else
    font.setPointSizeF(font.pointSizeF() * percent / 100.0);
  return font;
}

}  // namespace vozaz2
