// The task in the window: "Начать" asks for the prediction first; the run
// seals it, keeps the hidden box, the set-up and the graphs from the student,
// and stops at the task's moment, where the prediction stands beside the
// observed value with the word on the wrong answer it matches; the file
// saved then holds the answers, and its number is the run's.
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "io/AnswerSheet.h"
#include "io/ExperimentFile.h"
#include "run/TaskRun.h"
#include "tests/ui/WindowFixture.h"
#include "ui/TaskDialog.h"

namespace vozaz2::testing {
namespace {

using TaskWindowTest = WindowTest;

TEST_F(TaskWindowTest, AsksSealsHidesLocksAndCompares) {
  QTemporaryDir dir;
  // The lesson of the halved radius: w2 hidden, the set-up locked, the graphs
  // withheld, 4 rad/s the foreseen wrong answer of a kept speed.
  QString path;
  for (const auto& lesson : Form1::Lessons())
    if (lesson.second.contains("11-task-radius-halved")) path = lesson.second;
  ASSERT_FALSE(path.isEmpty());
  std::vector<bool> withheld;
  QObject::connect(form, &Form1::GraphsWithheld, form, [&](bool on) { withheld.push_back(on); });
  ASSERT_TRUE(form->OpenExperiment(path));
  EXPECT_TRUE(Get<QWidget>("Task")->isVisible());
  EXPECT_TRUE(Get<TextBox>("Text9")->isReadOnly()) << "VL locked";
  EXPECT_FALSE(Switch(4)->isEnabled()) << "the controls locked";
  ASSERT_EQ(withheld, std::vector<bool>{true});

  Click(Get<QPushButton>("Command1"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_NE(messages.shown[0].find("Сначала запишите предсказание"), std::string::npos) << messages.shown[0];
  EXPECT_EQ(form->Simulation().State(), RunState::kIdle);
  Type(Get<QLineEdit>("TaskPrediction"), "4");
  Get<QPlainTextEdit>("TaskReasoning")->setPlainText("скорость груза та же");
  Click(Get<QPushButton>("Command1"));
  Click(Get<QPushButton>("Command2"));
  Click(Get<QPushButton>("Command7"));
  EXPECT_EQ(Get<TextBox>("Text12")->text(), "?") << "w2 hidden";
  EXPECT_NE(Get<TextBox>("Text11")->text(), "?") << "R2 shown";
  EXPECT_TRUE(Get<QLineEdit>("TaskPrediction")->isReadOnly()) << "sealed";
  EXPECT_TRUE(Get<QPlainTextEdit>("TaskReasoning")->isReadOnly());
  for (int i = 0; i < 2400 && form->Simulation().State() == RunState::kStopped; ++i) Click(Get<QPushButton>("Command7"));
  EXPECT_EQ(form->Simulation().State(), RunState::kOver);
  EXPECT_LE(Record().R, 0.5);
  EXPECT_LT(form->Simulation().Steps(), 2400) << "stopped at the moment, not at the lesson's end";
  EXPECT_EQ(Get<TextBox>("Text12")->text().toStdString(), NumberText(Record().w2, ','));
  EXPECT_FALSE(Get<TextBox>("Text9")->isReadOnly());
  EXPECT_TRUE(Switch(4)->isEnabled());
  EXPECT_EQ(withheld.back(), false);
  const QString verdict = Get<QLabel>("TaskVerdict")->text();
  EXPECT_TRUE(verdict.contains("вне допуска") && verdict.contains("сохранялась скорость")) << verdict.toStdString();
  ASSERT_TRUE(Get<QPlainTextEdit>("TaskExplanation")->isEnabled());
  Get<QPlainTextEdit>("TaskExplanation")->setPlainText("сохраняется момент импульса");
  EXPECT_EQ(messages.shown.size(), 1u) << "the answer needs no message box";

  const QString saved = dir.filePath("handed-in.vozaz2");
  ASSERT_TRUE(form->SaveExperiment(saved));
  const auto read = ReadExperimentFile(saved);
  ASSERT_TRUE(std::holds_alternative<Scenario>(read));
  const TaskAnswers& a = std::get<Scenario>(read).task->answers;
  EXPECT_EQ(a.prediction, 4);
  EXPECT_EQ(a.observed, Record().w2);
  EXPECT_EQ(a.reasoning, "скорость груза та же");
  EXPECT_EQ(a.explanation, "сохраняется момент импульса");
  EXPECT_EQ(CheckAnswers(saved).check, AnswerCheck::kConfirmed);
  // Opened again, the handed-in task stays sealed with its comparison.
  ASSERT_TRUE(form->OpenExperiment(saved));
  EXPECT_TRUE(Get<QLineEdit>("TaskPrediction")->isReadOnly());
  EXPECT_TRUE(Get<QLabel>("TaskVerdict")->text().contains("вне допуска"));
}

// "Создать задание…": the dialog shows a task and gives back the very task;
// a negative tolerance is refused in words.
TEST_F(TaskWindowTest, DialogGivesBackTheTaskItShows) {
  Task t;
  t.question = "ω?";
  t.quantity = quantity::kW12;
  t.moment = {quantity::kR2, 0.75};
  t.tolerance = 0.05;
  t.relative = true;
  t.hidden = {quantity::kW2, quantity::kW12};
  t.hideGraphs = true;
  t.wrong = {{2, "спин сам по себе"}, {3.5, "точечный груз"}};
  TaskDialog dialog(form);
  dialog.SetFrom(t);
  const auto made = dialog.Result();
  ASSERT_TRUE(std::holds_alternative<Task>(made)) << std::get<QString>(made).toStdString();
  EXPECT_EQ(std::get<Task>(made), t);
  dialog.findChild<QLineEdit*>("TaskDialogTolerance")->setText("-1");
  ASSERT_TRUE(std::holds_alternative<QString>(dialog.Result()));
  EXPECT_TRUE(std::get<QString>(dialog.Result()).contains("Допуск"));
}

}  // namespace
}  // namespace vozaz2::testing
