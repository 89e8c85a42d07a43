// Form1's "Опыт" menu: the run's commands, as the buttons give them, and
// where runs end; and the line under the form that says where the run
// stands (running, stopped, over, diverged, with its time), which moves no
// control of the form.
#include <QActionGroup>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <cmath>

#include "io/Locale.h"
#include "ui/Form1.h"

namespace vozaz2 {

namespace {

// A time as a reader wants it: to a hundredth of a second, no trailing zeros.
QString Seconds(double t) {
  QString text = QLocale().toString(std::round(t * 100) / 100, 'f', 2);
  while (text.endsWith(u'0')) text.chop(1);
  if (text.endsWith(QLocale().decimalPoint())) text.chop(1);
  return text + QStringLiteral(" с");
}

// Russian counted nouns: 1 шаг, 2 шага, 5 шагов, 21 шаг, 11 шагов.
QString StepsText(long long n) { return Counted(n, "шаг", "шага", "шагов"); }

}  // namespace

void Form1::BuildRunMenu() {
  RunMenu = MenuBar->addMenu(QStringLiteral("&Опыт"));
  RunMenu->setObjectName(QStringLiteral("RunMenu"));
  // The keys stay the window's own shortcuts; the menu shows them.
  RunMenu->addAction(QStringLiteral("&Начать\tF5"), this, [this] { Command(1)->click(); });
  RunMenu->addAction(QStringLiteral("&Остановить или продолжить\tF6"), this,
                     [this] { (session_->Ticking() ? Command(2) : Command(3))->click(); });
  RunMenu->addAction(QStringLiteral("&Сделать 1 шаг\tF8"), this, [this] { Command(7)->click(); });
  RunMenu->addAction(QStringLiteral("О&чистить экраны"), this, [this] { Command(5)->click(); });
  RunMenu->addSeparator();
  EndMenu = RunMenu->addMenu(QStringLiteral("&Конец опыта"));
  EndMenu->setObjectName(QStringLiteral("EndMenu"));
  auto* group = new QActionGroup(this);
  const struct {
    RunLimit::Kind kind;
    const char* text;
  } ends[] = {{RunLimit::Kind::kNone, "&Не останавливать"},
              {RunLimit::Kind::kScreenWidth, "По &ширине осциллограммы (T = 12·Mt)"},
              {RunLimit::Kind::kTime, "&До заданного T…"},
              {RunLimit::Kind::kSteps, "По уроку"}};
  for (const auto& end : ends) {
    QAction* action = EndMenu->addAction(QString::fromUtf8(end.text));
    action->setCheckable(true);
    action->setData(static_cast<int>(end.kind));
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, kind = end.kind] { ChooseEnd(kind); });
  }
  ShowLimit();
  BuildTaskMenu();
}

void Form1::AddRunAction(QAction* action) {
  RunMenu->addSeparator();
  RunMenu->addAction(action);
}

void Form1::ChooseEnd(RunLimit::Kind kind) {
  RunLimit limit = session_->Limit();
  if (kind == RunLimit::Kind::kTime) {
    bool ok = false;
    const double t = QInputDialog::getDouble(this, QStringLiteral("Конец опыта"), QStringLiteral("Остановить опыт при T, с:"),
                                             limit.kind == kind ? limit.time : 12 * session_->Typed()[9], 0.001, 1e9, 3,
                                             &ok);
    if (!ok) return ShowLimit();
    limit.time = t;
  }
  limit.kind = kind;
  SetRunLimit(limit);
}

void Form1::SetRunLimit(const RunLimit& limit) {
  session_->SetLimit(limit);
  ShowLimit();
  ShowRunState();
}

// The menu shows the end in force; "По уроку" only while a lesson's steps end the runs.
void Form1::ShowLimit() {
  const RunLimit& limit = session_->Limit();
  for (QAction* action : EndMenu->actions()) {
    const auto kind = static_cast<RunLimit::Kind>(action->data().toInt());
    action->setChecked(kind == limit.kind);
    if (kind == RunLimit::Kind::kTime)
      action->setText(limit.kind == kind ? QStringLiteral("&До T = %1…").arg(Seconds(limit.time))
                                         : QStringLiteral("&До заданного T…"));
    if (kind == RunLimit::Kind::kSteps) {
      action->setVisible(limit.kind == kind);
      action->setText(QStringLiteral("По уроку: %1").arg(StepsText(limit.steps)));
    }
  }
}

QString Form1::RunStateText() const {
  const double t = session_->Record().T0;
  switch (session_->State()) {
    case RunState::kIdle: return QStringLiteral("Опыт не начат");
    case RunState::kRunning: return QStringLiteral("Опыт идёт: T = %1").arg(Seconds(t)) + EndText();
    case RunState::kStopped: return QStringLiteral("Опыт остановлен: T = %1").arg(Seconds(t)) + EndText();
    case RunState::kOver:
      return QStringLiteral("Опыт окончен: T = %1, %2 (F6 — продолжить дальше)")
          .arg(Seconds(t), StepsText(session_->Steps()));
    case RunState::kDiverged: return QStringLiteral("Решение разошлось при T = %1").arg(Seconds(t));
  }
  return {};
}

// Where the run will end, if it ends by itself.
QString Form1::EndText() const {
  const RunLimit& limit = session_->Limit();
  switch (limit.kind) {
    case RunLimit::Kind::kSteps: return QStringLiteral("; конец на шаге %1").arg(limit.steps);
    case RunLimit::Kind::kTime: return QStringLiteral("; конец при T = %1").arg(Seconds(limit.time));
    case RunLimit::Kind::kScreenWidth: return QStringLiteral("; конец при T = %1").arg(Seconds(12 * session_->Record().Mt));
    case RunLimit::Kind::kNone: break;
  }
  return {};
}

void Form1::ShowRunState() {
  const QString text = RunStateText();
  if (state_->text() != text) state_->setText(text);
}

}  // namespace vozaz2
