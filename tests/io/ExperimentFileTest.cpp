// Experiment files: what is written reads back as the same experiment, and
// every kind of malformed file is refused with its problem named.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "io/ExperimentFile.h"

namespace vozaz2 {
namespace {

QString Problem(const QByteArray& bytes) {
  const auto read = ReadExperiment(bytes);
  const FileProblem* p = std::get_if<FileProblem>(&read);
  return p ? p->what : QString();
}

// The text keeps the order of the keys, sets only the parameters given, and
// every number reads back as the very same double.
TEST(ExperimentFile, WrittenTextReadsBackTheSameExperiment) {
  Scenario s;
  s.title = "Нить \"втягивается\"\\";
  s.description = "строка 1\nстрока 2\tи\x01 управляющий знак";
  s.parameters[0] = 0.1 + 0.2;
  s.parameters[2] = 1.7976931348623157e308;
  s.parameters[5] = 4.9e-324;
  s.parameters[10] = -1.5e-5;
  s.before = {{true, 2}, {false, 4}};
  s.events = {{0, {true, 4}}, {0, {false, 3}}, {kMaxSteps, {true, 3}}};
  s.steps = kMaxSteps;
  const QByteArray text = ExperimentJson(s);
  const auto read = ReadExperiment(text);
  ASSERT_TRUE(std::holds_alternative<Scenario>(read)) << Problem(text).toStdString();
  EXPECT_EQ(std::get<Scenario>(read), s);
  EXPECT_TRUE(text.contains("\"R1\": 0.30000000000000004,") && text.contains("\"Tr\": -1.5e-05\n")) << text.data();
  qsizetype last = -1;
  for (const char* key : {"format", "version", "title", "description", "parameters", "before", "events", "steps"}) {
    const qsizetype at = text.indexOf(QByteArray("\"") + key + "\":");
    EXPECT_GT(at, last) << key;
    last = at;
  }
  EXPECT_EQ(ExperimentJson(Scenario{}), "{\n    \"format\": \"vozaz2-experiment\",\n    \"version\": 1\n}\n");

  QTemporaryDir dir;
  const QString path = dir.filePath("a.vozaz2");
  ASSERT_FALSE(WriteExperimentFile(path, s));
  EXPECT_EQ(std::get<Scenario>(ReadExperimentFile(path)), s);
  EXPECT_EQ(std::get<FileProblem>(ReadExperimentFile(dir.filePath("none"))).what, "файла нет");
}

// Each malformed kind, with the words its problem must contain.
TEST(ExperimentFile, MalformedFilesNameTheirProblem) {
  const QByteArray head = R"({"format": "vozaz2-experiment", "version": 1, )";
  const struct {
    QByteArray text;
    const char* problem;
  } cases[] = {
      {"", "строка 1, столбец 1: ошибка JSON"},
      {head + "\n  \"steps\": 1,\n  \"steps2\" 3}", "строка 3, столбец 1"},
      {"[1]", "нужен объект"},
      {R"({"version": 1})", "нет ключа \"format\""},
      {R"({"format": "vozaz2", "version": 1})", "\"format\": нужна строка"},
      {R"({"format": "vozaz2-experiment"})", "нет ключа \"version\""},
      {R"({"format": "vozaz2-experiment", "version": 3})", "только версии 1 и 2"},
      {head + R"("parametrs": {}})", "неизвестный ключ \"parametrs\""},
      {head + R"("steps": 1, "title": "\"steps\":", "steps": 2})", "ключ \"steps\" повторяется"},
      {head + R"("parameters": {"R1": 1, "R1": 2}})", "ключ \"R1\" повторяется"},
      {head + R"("title": 5})", "\"title\": нужна строка"},
      {head + R"("parameters": [1]})", "\"parameters\": нужен объект"},
      {head + R"("parameters": {"R2": 1}})", "неизвестный параметр \"R2\""},
      {head + R"("parameters": {"R1": "1"}})", "\"R1\": нужно конечное число"},
      {head + R"("parameters": {"R1": 1e999}})", "строка 1, столбец 7"},
      {head + R"("before": "Option2"})", "\"before\": нужен массив"},
      {head + R"("before": ["Option2", "Option9"]})", "№ 2: неизвестный элемент управления \"Option9\""},
      {head + R"("before": ["option2"]})", "неизвестный элемент управления \"option2\""},
      {head + R"("events": [{"step": 1, "click": "Check3", "x": 0}]})", "№ 1: неизвестный ключ \"x\""},
      {head + R"("events": [{"step": 1}]})", "нужны ключи \"step\" и \"click\""},
      {head + R"("events": [{"step": -1, "click": "Check3"}]})", "\"step\": нужно целое число от 0 до 50000000"},
      {head + R"("events": [{"step": 1.5, "click": "Check3"}]})", "\"step\": нужно целое число"},
      {head + R"("events": [{"step": 5, "click": "Check3"}, {"step": 4, "click": "Check3"}]})", "№ 2: шаг 4 раньше"},
      {head + R"("events": [{"step": 5, "click": 3}]})", "\"click\": нужно название элемента управления"},
      {head + R"("steps": 50000001})", "\"steps\": нужно целое число от 0 до 50000000"},
      {head + R"("steps": "10"})", "\"steps\": нужно целое число"},
      {head + R"("steps": 10.5})", "\"steps\": нужно целое число"},
      {head + R"("title": ")" + QByteArray(kMaxExperimentFileBytes, 'a') + "\"}", "файл больше 1 МиБ"},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(Problem(c.text).contains(QString::fromUtf8(c.problem)))
        << c.text.left(200).data() << " → " << Problem(c.text).toStdString();
  // Numbers written as whole numbers or with an exponent count alike.
  EXPECT_EQ(Problem(R"({"format": "vozaz2-experiment", "version": 1.0, "steps": 1e3})"), "");
}

// A file whose last step, taking its name, fails is not written: the
// failure is told, and no temporary file is left beside it.
TEST(WholeFile, AFailedCommitIsToldAndLeavesNothing) {
  QTemporaryDir dir;
  const QString path = dir.filePath("report.csv");
  WholeFile f(path);
  ASSERT_FALSE(f.Open());
  f.Device().write("a,b\n");
  ASSERT_TRUE(QDir(dir.path()).mkdir("report.csv"));  // the name is taken meanwhile
  const std::optional<FileProblem> problem = f.Commit();
  ASSERT_TRUE(problem);
  EXPECT_FALSE(problem->what.isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

}  // namespace
}  // namespace vozaz2
