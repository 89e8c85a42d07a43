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

QString Counted(long long n, const char* one, const char* few, const char* many) {
  const long long last = n % 10, lastTwo = n % 100;
  const char* word = (last == 1 && lastTwo != 11) ? one : (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) ? few : many;
  return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(word));
}

}  // namespace vozaz2
