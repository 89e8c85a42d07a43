#include "io/ScenarioChanges.h"

#include "io/Locale.h"

namespace vozaz2 {

namespace {

double Value(const Scenario& s, std::size_t i) { return s.parameters[i].value_or(kDefaultValues[i]); }

QString Number(double v) { return LocaleNumber(v, ReportLocale()); }

}  // namespace

QStringList ScenarioChanges(const Scenario& lesson, const Scenario& run) {
  QStringList changes;
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (Value(run, i) != Value(lesson, i))
      changes << QStringLiteral("%1 = %2 (в уроке %3)")
                     .arg(QLatin1String(kParameterNames[i].data(), static_cast<qsizetype>(kParameterNames[i].size())),
                          Number(Value(run, i)), Number(Value(lesson, i)));
  if (!SameControls(run.before, lesson.before)) changes << QStringLiteral("другие переключатели перед «Начать»");
  if (run.events != lesson.events) changes << QStringLiteral("другие щелчки во время опыта");
  if (run.steps && lesson.steps && run.steps != lesson.steps)
    changes << QStringLiteral("шагов %1 (в уроке %2)").arg(*run.steps).arg(*lesson.steps);
  return changes;
}

Scenario MarkChanges(Scenario run, const Scenario& lesson) {
  if (lesson.title.empty() && lesson.description.empty()) return run;
  const QStringList changes = ScenarioChanges(lesson, run);
  if (changes.isEmpty()) return run;
  run.title = lesson.title.empty() ? std::string() : lesson.title + " (изменён)";
  QString description = QString::fromStdString(lesson.description);
  if (!description.isEmpty()) description += QStringLiteral("\n\n");
  description += QStringLiteral("Изменено по сравнению с уроком: ") + changes.join(QStringLiteral("; ")) + u'.';
  run.description = description.toStdString();
  return run;
}

}  // namespace vozaz2
