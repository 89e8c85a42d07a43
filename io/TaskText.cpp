#include "io/TaskText.h"

#include "io/Locale.h"
#include "run/TaskCheck.h"

namespace vozaz2 {

namespace {

QString Key(std::size_t q) { return QString::fromUtf8(kQuantities.at(q).key.data(), kQuantities.at(q).key.size()); }
QString Unit(std::size_t q) { return QString::fromUtf8(kQuantities.at(q).unit.data(), kQuantities.at(q).unit.size()); }

}  // namespace

// Six significant digits in the report's notation, whatever the C library's
// locale (the window runs in the user's).
QString ValueText(double value, std::size_t quantity) {
  const QString unit = Unit(quantity);
  return ReportLocale().toString(value, 'g', 6) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit);
}

QString MomentText(const Moment& m) {
  if (m.AtEnd()) return QStringLiteral("в конце опыта");
  return QStringLiteral("когда %1 станет %2").arg(Key(*m.quantity), ValueText(m.value, *m.quantity));
}

QString ToleranceText(const Task& t) {
  if (t.relative) return QStringLiteral("±%1 %").arg(ReportLocale().toString(t.tolerance * 100, 'g', 4));
  return QStringLiteral("±") + ValueText(t.tolerance, t.quantity);
}

QString AskedText(const Task& t) {
  const Quantity& q = kQuantities.at(t.quantity);
  QString what = Key(t.quantity) + QStringLiteral(" (") + QString::fromUtf8(q.name.data(), q.name.size());
  if (!q.unit.empty()) what += QStringLiteral(", ") + Unit(t.quantity);
  return what + (t.moment.AtEnd() ? QStringLiteral(") ") : QStringLiteral("), ")) + MomentText(t.moment) +
         QStringLiteral("; допуск ") + ToleranceText(t);
}

QStringList VerdictLines(const Task& t) {
  const TaskAnswers& a = t.answers;
  QStringList lines;
  lines << QStringLiteral("Предсказание: ") + (a.prediction ? ValueText(*a.prediction, t.quantity) : QStringLiteral("нет"));
  if (!a.observed) return lines << QStringLiteral("Наблюдение: момент не наступил, величина не измерена");
  lines << QStringLiteral("Наблюдение: ") + ValueText(*a.observed, t.quantity);
  if (!a.prediction) return lines;
  const Verdict v = Judge(t, *a.prediction, *a.observed);
  lines << QStringLiteral("Разница (предсказание − наблюдение): ") + ValueText(v.difference, t.quantity);
  lines << (v.within ? QStringLiteral("Предсказание в пределах допуска ") : QStringLiteral("Предсказание вне допуска ")) +
               ToleranceText(t);
  if (v.wrong) lines << QString::fromStdString(t.wrong[*v.wrong].feedback);
  return lines;
}

}  // namespace vozaz2
