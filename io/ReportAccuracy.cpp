#include "io/ReportAccuracy.h"

#include <cfloat>
#include <cmath>

#include "io/Locale.h"
#include "run/ErrorEstimate.h"

namespace vozaz2 {

namespace {

QString Superscript(int n) {
  static const char16_t kDigits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
  QString s = QString::number(std::abs(n));
  for (QChar& c : s) c = QChar(kDigits[c.digitValue()]);
  return n < 0 ? QChar(u'⁻') + s : s;
}

// The largest drift that rounding alone can make in so many steps: a few
// units of the last place a step.
double RoundingFloor(long long steps) { return 4 * DBL_EPSILON * static_cast<double>(steps); }

QString Until(const RunHistory::Accuracy& a) {
  if (a.lockstep == Lockstep::kHeld) return QString();
  return QStringLiteral(" до T = %1 с").arg(ReportLocale().toString(a.heldUntil, 'g', 4));
}

}  // namespace

QString PowerOfTen(double v) {
  if (v == 0 || !std::isfinite(v)) return LocaleNumber(v, ReportLocale());
  int e = static_cast<int>(std::floor(std::log10(std::fabs(v))));
  double m = std::round(v / std::pow(10.0, e) * 10) / 10;
  if (std::fabs(m) >= 10) m /= 10, ++e;
  const QString mantissa = ReportLocale().toString(m, 'f', 1);
  return e == 0 ? mantissa : mantissa + QStringLiteral("·10") + Superscript(e);
}

QString AccuracyText(const RunHistory& history) {
  const RunHistory::Accuracy& a = history.AccuracyAccount();
  if (!a.twin) return QString();
  const QString why = QString::fromUtf8(LockstepText(a.lockstep));
  if (a.steps == 0)
    return QStringLiteral(" Оценить погрешность интегрирования расчётом с половинным шагом не удалось: %1.").arg(why);
  QString s = QStringLiteral(" Расчёт с половинным шагом оценивает погрешность интегрирования%1: наибольшее "
                             "|MKD2 − MKD1| = %2·MKD1; погрешность интегрирования оценена в %3")
                  .arg(Until(a), PowerOfTen(a.drift), PowerOfTen(a.error));
  const double explained = std::max(a.drift / 2, RoundingFloor(a.steps));
  if (a.unexplained <= explained)
    s += QStringLiteral(": отклонение объясняется погрешностью счёта.");
  else if (a.unexplained <= explained + a.roundedPi)
    s += QStringLiteral(", а отклонение больше на %1·MKD1. Эту разницу объясняет число π, округлённое в программе до "
                        "3,141592654: сила нити направлена мимо оси на доли нанорадиана, и это может изменить момент "
                        "импульса до %2·MKD1.")
             .arg(PowerOfTen(a.unexplained), PowerOfTen(a.roundedPi));
  else
    s += QStringLiteral(", а отклонение больше на %1·MKD1: момент импульса менялся не только из-за погрешности счёта.")
             .arg(PowerOfTen(a.unexplained));
  s += QStringLiteral(" Погрешность баланса энергии оценена в %1·E1.").arg(PowerOfTen(a.balanceError));
  if (a.lockstep != Lockstep::kHeld) s += QStringLiteral(" Дальше оценки нет: %1.").arg(why);
  return s;
}

}  // namespace vozaz2
