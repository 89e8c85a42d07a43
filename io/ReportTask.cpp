#include "io/ReportTask.h"

#include <QPainter>

#include "io/TaskText.h"

namespace vozaz2::report {

namespace {

// A label in bold and its text under it; an empty text is said to be empty.
double Part(Sheet& s, double x, double y, double w, const QString& label, const std::string& text) {
  s.Font(8.5, true);
  double h = s.Text(x, y, w, label) + 0.8;
  s.Font(8.5);
  h += s.Text(x, y + h, w, text.empty() ? QStringLiteral("(не написано)") : QString::fromStdString(text));
  return h + 3;
}

void TaskSection(Sheet& s, double left, double y, double width, const Task& t) {
  s.Font(8.5);
  if (!t.answers.student.empty()) y += s.Text(left, y, width, QStringLiteral("Ученик: ") + QString::fromStdString(t.answers.student)) + 2;
  y += Part(s, left, y, width, QStringLiteral("Вопрос"), t.question);
  s.Font(8.5);
  y += s.Text(left, y, width, QStringLiteral("Измеряется: ") + AskedText(t)) + 3;
  y += Part(s, left, y, width, QStringLiteral("Рассуждение до опыта"), t.answers.reasoning);
  s.Font(8.5, true);
  y += s.Text(left, y, width, QStringLiteral("Сравнение")) + 0.8;
  s.Font(8.5);
  y += s.Text(left, y, width, VerdictLines(t).join('\n')) + 3;
  Part(s, left, y, width, QStringLiteral("Объяснение после опыта"), t.answers.explanation);
}

}  // namespace

void TaskPage(QPainter& p, const QRectF& page, const ReportContent& c) {
  OnPage(p, page, QStringLiteral("7. Задание: предсказание, наблюдение, объяснение"),
         [&c](Sheet& s, double left, double y, double width) { TaskSection(s, left, y, width, *c.task); });
}

}  // namespace vozaz2::report
