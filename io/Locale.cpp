#include "io/Locale.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

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

namespace {

// The fraction's trailing zeros, and the comma with them when nothing is left.
void DropZeros(std::string& s) {
  if (s.find('.') == std::string::npos) return;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
}

QString Superscript(int n) {
  static const char16_t kDigits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
  QString s = n < 0 ? QStringLiteral("⁻") : QString();
  for (QChar c : QString::number(std::abs(n))) s += QChar(kDigits[c.digitValue()]);
  return s;
}

}  // namespace

QString Significant(double value, int significant, bool keepZeros) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  if (value == 0) return QStringLiteral("0");
  const int digits = std::max(1, significant);
  char buffer[64];
  // The exponent after rounding: 9,9996 to four digits is 10,00.
  std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, std::fabs(value));
  std::string text = buffer;
  const int exponent = std::atoi(text.c_str() + text.find('e') + 1);
  const bool power = exponent < -3 || exponent >= 6;
  if (power) {
    text.erase(text.find('e'));
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, digits - 1 - exponent), std::fabs(value));
    text = buffer;
  }
  if (!keepZeros) DropZeros(text);
  QString s = (value < 0 ? QStringLiteral("−") : QString()) + QString::fromStdString(text).replace(u'.', u',');
  if (power) s += QStringLiteral("·10") + Superscript(exponent);
  return s;
}

QString Counted(long long n, const char* one, const char* few, const char* many) {
  const long long tens = std::llabs(n) % 100, units = tens % 10;
  const char* noun = (tens >= 11 && tens <= 14) ? many : units == 1 ? one : (units >= 2 && units <= 4) ? few : many;
  return QString::number(n) + u' ' + QString::fromUtf8(noun);
}

}  // namespace vozaz2
