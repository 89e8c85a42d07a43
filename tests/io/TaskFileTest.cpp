// The task part of an experiment file: what is written reads back, answers
// and all; a malformed task is refused with its problem named; and the
// teacher's sheet trusts an observed value only where the run, made again,
// gives that very number.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "io/AnswerSheet.h"
#include "io/ExperimentFile.h"
#include "run/TaskReplay.h"

namespace vozaz2 {
namespace {

const QByteArray kHead = R"({"format": "vozaz2-experiment", "version": 2, "task": )";

QString Problem(const QByteArray& bytes) {
  const auto read = ReadExperiment(bytes);
  const FileProblem* p = std::get_if<FileProblem>(&read);
  return p ? p->what : QString();
}

// The string pulled in, in a plane, until R2 is 0.5 m: what is ω2 then?
Scenario Answered() {
  Scenario s;
  s.title = "Радиус вдвое меньше";
  s.parameters[2] = 100;
  s.parameters[4] = 0.2;
  s.before = {{true, 6}};
  s.steps = 1200;
  Task t;
  t.question = "Во сколько раз \"вырастет\" ω?";
  t.quantity = 3;  // w2
  t.moment = {2, 0.5};  // R2
  t.tolerance = 0.1;
  t.relative = true;
  t.hidden = {3, 20};
  t.hideGraphs = t.lockParameters = true;
  t.wrong = {{4, "так было бы,\nесли бы сохранялась скорость"}};
  t.answers = {"Иванов", 8, "J·ω = const", std::nullopt, "ω ∝ 1/R²"};
  s.task = t;
  s.task->answers.observed = ReplayTask(s).observed;
  return s;
}

TEST(TaskFile, WrittenTaskReadsBackWithTheAnswers) {
  const Scenario s = Answered();
  ASSERT_TRUE(s.task->answers.observed);
  const QByteArray text = ExperimentJson(s);
  EXPECT_TRUE(text.contains("\"version\": 2,")) << text.data();
  EXPECT_TRUE(text.contains("\"when\": {\"R2\": 0.5}") && text.contains("\"hide\": [\"w2\", \"MKD2\"]")) << text.data();
  const auto read = ReadExperiment(text);
  ASSERT_TRUE(std::holds_alternative<Scenario>(read)) << Problem(text).toStdString();
  EXPECT_EQ(std::get<Scenario>(read), s);
  Scenario plain = s;
  plain.task.reset();
  EXPECT_TRUE(ExperimentJson(plain).contains("\"version\": 1,")) << "a file without a task stays version 1";
}

TEST(TaskFile, MalformedTasksNameTheirProblem) {
  const QByteArray ok = R"("question": "?", "quantity": "w2", "tolerance": {"relative": 0.1})";
  const struct {
    QByteArray text;
    const char* problem;
  } cases[] = {
      {R"({"format": "vozaz2-experiment", "version": 1, "task": {}})", "\"task\": только в файлах версии 2"},
      {kHead + "[]}", "\"task\": нужен объект"},
      {kHead + R"({"question": "?", "quantity": "w2"}})", "нет ключа \"tolerance\""},
      {kHead + R"({"question": "?", "quantity": "w3", "tolerance": {"relative": 0.1}}})", "неизвестная величина \"w3\""},
      {kHead + R"({"question": "?", "quantity": "MKDRel", "tolerance": {"relative": 0.1}}})", "неизвестная величина"},
      {kHead + R"({"question": "?", "quantity": "w2", "tolerance": {"relative": -0.1}}})", "допуск не может быть отрицательным"},
      {kHead + R"({"question": "?", "quantity": "w2", "tolerance": 0.1}})", "\"tolerance\": нужно {\"relative\""},
      {kHead + "{" + ok + R"(, "hide": ["w2", "w9"]}})", "\"hide\", № 2: нет окна показаний \"w9\""},
      {kHead + "{" + ok + R"(, "when": {"R2": "0,5"}}})", "\"when\", \"R2\": нужно конечное число"},
      {kHead + "{" + ok + R"(, "when": "start"}})", "\"when\": нужно \"end\""},
      {kHead + "{" + ok + R"(, "wrong": [{"value": 4, "why": ""}]}})", "\"wrong\", № 1: неизвестный ключ \"why\""},
      {kHead + "{" + ok + R"(, "answers": {"prediction": "8"}}})", "\"prediction\": нужно конечное число"},
      {kHead + "{" + ok + R"(, "lockParameters": 1}})", "\"lockParameters\": нужно true или false"},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(Problem(c.text).contains(QString::fromUtf8(c.problem)))
        << c.text.data() << " → " << Problem(c.text).toStdString();
}

// The sheet: the true file confirmed, an edited number marked, a file
// without a task refused; the runner writes the rows and says which file.
TEST(TaskFile, AnswerSheetReplaysEachRun) {
  QTemporaryDir dir;
  Scenario s = Answered();
  const QString good = dir.filePath("good.vozaz2"), edited = dir.filePath("edited.vozaz2"),
                none = dir.filePath("none.vozaz2");
  ASSERT_FALSE(WriteExperimentFile(good, s));
  s.task->answers.observed = *s.task->answers.observed * 0.5 + 4;
  ASSERT_FALSE(WriteExperimentFile(edited, s));
  s.task.reset();
  ASSERT_FALSE(WriteExperimentFile(none, s));
  EXPECT_EQ(CheckAnswers(good).check, AnswerCheck::kConfirmed);
  EXPECT_EQ(CheckAnswers(edited).check, AnswerCheck::kEdited);
  EXPECT_EQ(CheckAnswers(none).check, AnswerCheck::kUnreadable);

  QProcess p;
  p.start(VOZAZ2_BATCH, {"--answers", good, edited, none});
  ASSERT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 2);
  EXPECT_TRUE(p.readAllStandardError().contains("none.vozaz2: в файле нет задания"));
  const QList<QByteArray> rows = p.readAllStandardOutput().trimmed().split('\n');
  ASSERT_EQ(rows.size(), 4) << "the header and a row each";
  EXPECT_TRUE(rows[1].contains(",Иванов,8,") && rows[1].contains(",да,совпадает с повтором опыта,")) << rows[1].data();
  EXPECT_TRUE(rows[2].contains("НЕ СОВПАДАЕТ")) << rows[2].data();
  EXPECT_TRUE(rows[1].contains(",\"Во сколько раз \"\"вырастет\"\" ω?\",")) << "quoted as CSV quotes";
}

}  // namespace
}  // namespace vozaz2
