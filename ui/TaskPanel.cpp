#include "ui/TaskPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "io/Locale.h"
#include "io/TaskText.h"
#include "model/NumberText.h"
#include "run/TaskRun.h"

namespace vozaz2 {

namespace {

QLabel* Wrapped(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QPlainTextEdit* TextBox(QWidget* parent, const char* name, const QString& hint) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setPlaceholderText(hint);
  box->setAccessibleName(hint);
  box->setTabChangesFocus(true);
  return box;
}

// The text without needless churn: a box that already shows it keeps its cursor.
void Put(QPlainTextEdit* box, const std::string& text) {
  const QString s = QString::fromStdString(text);
  if (box->toPlainText() != s) box->setPlainText(s);
}

}  // namespace

TaskPanel::TaskPanel(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("Task"));
  setWindowTitle(QStringLiteral("Задание"));
  question_ = Wrapped(this, "TaskQuestion");
  QFont bold = question_->font();
  bold.setBold(true);
  question_->setFont(bold);
  asked_ = Wrapped(this, "TaskAsked");
  student_ = new QLineEdit(this);
  student_->setObjectName(QStringLiteral("TaskStudent"));
  prediction_ = new QLineEdit(this);
  prediction_->setObjectName(QStringLiteral("TaskPrediction"));
  unit_ = new QLabel(this);
  reasoning_ = TextBox(this, "TaskReasoning", QStringLiteral("Почему вы так думаете? (до опыта)"));
  verdict_ = Wrapped(this, "TaskVerdict");
  explainLabel_ = new QLabel(QStringLiteral("Объяснение после опыта:"), this);
  explanation_ = TextBox(this, "TaskExplanation", QStringLiteral("Чем объясняется результат?"));

  auto* predictionRow = new QHBoxLayout;
  predictionRow->addWidget(prediction_, 1);
  predictionRow->addWidget(unit_);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Ученик:"), student_);
  form->addRow(QStringLiteral("Предсказание:"), predictionRow);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question_);
  layout->addWidget(asked_);
  layout->addLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("Рассуждение:"), this));
  layout->addWidget(reasoning_, 1);
  layout->addWidget(verdict_);
  layout->addWidget(explainLabel_);
  layout->addWidget(explanation_, 1);
  for (QLineEdit* line : {student_, prediction_}) connect(line, &QLineEdit::textEdited, this, &TaskPanel::Edited);
  for (QPlainTextEdit* box : {reasoning_, explanation_})
    connect(box, &QPlainTextEdit::textChanged, this, [this, box] {
      if (!box->isReadOnly()) emit Edited();
    });
}

void TaskPanel::Show(const TaskRun& task) {
  const Task& t = task.Of();
  question_->setText(QString::fromStdString(t.question));
  asked_->setText(QStringLiteral("Предскажите ") + AskedText(t) + '.');
  unit_->setText(QString::fromUtf8(kQuantities.at(t.quantity).unit.data(), kQuantities.at(t.quantity).unit.size()));
  student_->setText(QString::fromStdString(t.answers.student));
  prediction_->setText(t.answers.prediction ? LocaleNumber(*t.answers.prediction) : QString());
  Put(reasoning_, t.answers.reasoning);
  Put(explanation_, t.answers.explanation);
  Refresh(task);
}

void TaskPanel::Refresh(const TaskRun& task) {
  const bool asking = task.Now() == TaskRun::Stage::kAsking;
  const bool after = task.Now() == TaskRun::Stage::kAnswered || task.Now() == TaskRun::Stage::kMissed;
  prediction_->setReadOnly(!asking);
  reasoning_->setReadOnly(!asking);
  explanation_->setEnabled(after);
  explainLabel_->setEnabled(after);
  QString verdict;
  if (task.Now() == TaskRun::Stage::kSealed) verdict = QStringLiteral("Предсказание записано. Идёт опыт…");
  if (task.Now() == TaskRun::Stage::kAnswered) verdict = VerdictLines(task.Of()).join('\n');
  if (task.Now() == TaskRun::Stage::kMissed)
    verdict = QStringLiteral("Опыт окончен, но момент задания (") + MomentText(task.Of().moment) +
              QStringLiteral(") не наступил: сравнить не с чем. Проверьте условия опыта и начните его снова.");
  verdict_->setText(verdict);
  verdict_->setVisible(!verdict.isEmpty());
}

std::optional<double> TaskPanel::Prediction(char separator) const {
  return TextNumber(prediction_->text().trimmed().toStdString(), separator);
}

std::string TaskPanel::Student() const { return student_->text().toStdString(); }
std::string TaskPanel::Reasoning() const { return reasoning_->toPlainText().toStdString(); }
std::string TaskPanel::Explanation() const { return explanation_->toPlainText().toStdString(); }

void TaskPanel::AskForPrediction() {
  show();
  raise();
  activateWindow();
  prediction_->setFocus(Qt::OtherFocusReason);
}

}  // namespace vozaz2
