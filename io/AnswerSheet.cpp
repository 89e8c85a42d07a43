#include "io/AnswerSheet.h"

#include <variant>

#include "io/ExperimentFile.h"
#include "model/NumberText.h"
#include "run/TaskCheck.h"
#include "run/TaskReplay.h"

namespace vozaz2 {

namespace {

QString Number(const std::optional<double>& v) {
  return v ? QString::fromStdString(ExactNumberText(*v, '.')) : QString();
}

QString CheckText(const AnswerRow& row, const std::optional<double>& replayed) {
  switch (row.check) {
    case AnswerCheck::kConfirmed: return QStringLiteral("совпадает с повтором опыта");
    case AnswerCheck::kEdited:
      return QStringLiteral("НЕ СОВПАДАЕТ: повтор опыта даёт ") +
             (replayed ? Number(replayed) : QStringLiteral("не наступивший момент")) + QStringLiteral(", число в файле изменено");
    case AnswerCheck::kNotObserved: return QStringLiteral("нет наблюдения: опыт не дошёл до момента задания");
    case AnswerCheck::kUnreadable: return row.problem;
  }
  return {};
}

QString Field(QString s) {
  if (!s.contains(u',') && !s.contains(u'"') && !s.contains(u'\n') && !s.contains(u'\r')) return s;
  return '"' + s.replace(u'"', QStringLiteral("\"\"")) + '"';
}

}  // namespace

AnswerRow CheckAnswers(const QString& path) {
  AnswerRow row;
  row.file = path;
  const std::variant<Scenario, FileProblem> read = ReadExperimentFile(path);
  const Scenario* s = std::get_if<Scenario>(&read);
  if (!s || !s->task || ScenarioProblem(*s)) {
    row.problem = !s ? std::get<FileProblem>(read).what
                     : !s->task ? QStringLiteral("в файле нет задания")
                                : QString::fromStdString(*ScenarioProblem(*s));
    row.cells = {{}, {}, {}, {}, CheckText(row, {}), {}, {}, {}};
    return row;
  }
  const Task& t = *s->task;
  const TaskAnswers& a = t.answers;
  std::optional<double> replayed;
  if (!a.observed) {
    row.check = AnswerCheck::kNotObserved;
  } else {
    replayed = ReplayTask(*s).observed;
    // The replay is the run step for step: the same number to the last bit.
    row.check = replayed == a.observed ? AnswerCheck::kConfirmed : AnswerCheck::kEdited;
  }
  QString within;
  if (a.prediction && a.observed && row.check == AnswerCheck::kConfirmed)
    within = Judge(t, *a.prediction, *a.observed).within ? QStringLiteral("да") : QStringLiteral("нет");
  row.cells = {QString::fromStdString(a.student), Number(a.prediction), Number(a.observed), within, CheckText(row, replayed),
               QString::fromStdString(t.question), QString::fromStdString(a.reasoning),
               QString::fromStdString(a.explanation)};
  return row;
}

QByteArray AnswerTable(const QList<AnswerRow>& rows) {
  QStringList lines = {QStringLiteral("файл,ученик,предсказание,наблюдение,в допуске,проверка,вопрос,рассуждение,объяснение")};
  for (const AnswerRow& row : rows) {
    QStringList fields = {Field(row.file)};
    for (const QString& cell : row.cells) fields << Field(cell);
    lines << fields.join(u',');
  }
  return (lines.join(u'\n') + u'\n').toUtf8();
}

}  // namespace vozaz2
