#include "io/Locale.h"

#include <QLocale>
#include <QString>

namespace vozaz2 {

char DecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 128) return static_cast<char>(point.at(0).unicode());
  return '.';
}

}  // namespace vozaz2
