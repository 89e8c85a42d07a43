#include "io/Locale.h"

#include "model/NumberText.h"

namespace vozaz2 {

char DecimalSeparator(const QLocale& locale) {
  const QString point = locale.decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 128) return static_cast<char>(point.at(0).unicode());
  return '.';
}

QString LocaleNumber(double value, const QLocale& locale) {
  return QString::fromStdString(NumberText(value, DecimalSeparator(locale)));
}

QLocale ReportLocale() { return QLocale(QLocale::Russian, QLocale::Russia); }

}  // namespace vozaz2
