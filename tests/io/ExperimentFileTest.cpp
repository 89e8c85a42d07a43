// Experiment files: what is written reads back as the same experiment, and
// every kind of malformed file is refused with its problem named; the same
// for the series part of version 2, whose files are read beside it.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "io/ExperimentFile.h"
#include "io/SeriesFile.h"

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
      {R"({"format": "vozaz2-experiment", "version": 0})", "только версии 1 и 2"},
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

// A series is written as version 2 and reads back the same; an experiment
// alone is still version 1, as its bytes were.
TEST(SeriesFile, WrittenAsVersionTwoAndReadBackTheSame) {
  ExperimentDocument d;
  d.scenario.parameters[0] = 1.5;
  d.series = Series{};
  d.series->range = SeriesRange{4, 0.02, 0.4, 20, true};
  d.series->time = 0.1 + 0.2;
  d.series->collect = {*ColumnNamed("R2"), *ColumnNamed("max:FL"), *ColumnNamed("driftBalance")};
  const QByteArray text = ExperimentJson(d);
  EXPECT_TRUE(text.contains("\"version\": 2,")) << text.data();
  EXPECT_TRUE(text.endsWith(
      "    \"series\": {\n"
      "        \"vary\": {\"parameter\": \"VL\", \"from\": 0.02, \"to\": 0.4, \"count\": 20, \"scale\": \"log\"},\n"
      "        \"time\": 0.30000000000000004,\n"
      "        \"collect\": [\"R2\", \"max:FL\", \"driftBalance\"]\n"
      "    }\n}\n"))
      << text.data();
  EXPECT_EQ(std::get<ExperimentDocument>(ReadExperimentDocument(text)), d);
  // An experiment alone reads its series' file; a series of files with the
  // default results reads back with them.
  EXPECT_EQ(std::get<Scenario>(ReadExperiment(text)), d.scenario);
  d.series = Series{};
  d.series->files = {"a.vozaz2", "папка/\"b\".vozaz2"};
  d.series->steps = 10;
  EXPECT_EQ(std::get<ExperimentDocument>(ReadExperimentDocument(ExperimentJson(d))), d);

  // The files are read beside the series' file; one missing is named.
  QTemporaryDir dir;
  ASSERT_FALSE(WriteExperimentFile(dir.filePath("a.vozaz2"), d.scenario));
  d.series->files = {"a.vozaz2", "a.vozaz2"};
  ASSERT_FALSE(WriteWholeFile(dir.filePath("s.vozaz2"), ExperimentJson(d)));
  const auto plan = ReadSeriesFile(dir.filePath("s.vozaz2"));
  ASSERT_TRUE(std::holds_alternative<SeriesPlan>(plan)) << std::get<FileProblem>(plan).what.toStdString();
  EXPECT_EQ(std::get<SeriesPlan>(plan).Count(), 2);
  EXPECT_EQ(std::get<SeriesPlan>(plan).RunScenario(1).steps, 10);
  d.series->files = {"a.vozaz2", "b.vozaz2"};
  ASSERT_FALSE(WriteWholeFile(dir.filePath("s.vozaz2"), ExperimentJson(d)));
  EXPECT_TRUE(std::get<FileProblem>(ReadSeriesFile(dir.filePath("s.vozaz2"))).what.endsWith("b.vozaz2: файла нет"));
  ASSERT_FALSE(WriteExperimentFile(dir.filePath("s.vozaz2"), d.scenario));
  EXPECT_TRUE(std::get<FileProblem>(ReadSeriesFile(dir.filePath("s.vozaz2"))).what.startsWith("в файле нет серии"));
}

// Each malformed series, with the words its problem must contain.
TEST(SeriesFile, MalformedSeriesNameTheirProblem) {
  const QByteArray head = R"({"format": "vozaz2-experiment", "version": 2, "series": )";
  const QByteArray vary = R"({"vary": {"parameter": "VL", "from": 0.1, "to": 1, "count": 3)";
  const struct {
    QByteArray text;
    const char* problem;
  } cases[] = {
      {R"({"format": "vozaz2-experiment", "version": 3})", "только версии 1 и 2"},
      {R"({"format": "vozaz2-experiment", "version": 1, "series": {}})", "\"series\": только в файлах версии 2"},
      {head + "[]}", "\"series\": нужен объект"},
      {head + "{}}", "\"series\": нужен либо диапазон параметра, либо список файлов"},
      {head + vary + R"(}, "files": ["a"]}})", "либо диапазон параметра, либо список файлов"},
      {head + vary + R"(}, "stesp": 1}})", "\"series\": неизвестный ключ \"stesp\""},
      {head + vary + R"(, "x": 1}}})", "\"vary\": неизвестный ключ \"x\""},
      {head + R"({"vary": {"parameter": "VL", "from": 0.1, "count": 3}}})", "\"vary\": нет ключа \"to\""},
      {head + R"({"vary": {"parameter": "R2", "from": 0.1, "to": 1, "count": 3}}})", "\"parameter\": нужен один из"},
      {head + R"({"vary": {"parameter": "VL", "from": "0", "to": 1, "count": 3}}})", "\"from\": нужно конечное число"},
      {head + R"({"vary": {"parameter": "VL", "from": 0, "to": 1, "count": 0}}})", "\"count\": нужно целое число от 1 до 100000"},
      {head + R"({"vary": {"parameter": "VL", "from": 0, "to": 1, "count": 2.5}}})", "\"count\": нужно целое"},
      {head + vary + R"(, "scale": "lin"}}})", "\"scale\": нужно \"linear\" или \"log\""},
      {head + R"({"vary": {"parameter": "VL", "from": 0, "to": 1, "count": 3, "scale": "log"}}})", "VL: для логарифмического шага начало и конец > 0"},
      {head + R"({"files": []}})", "\"files\": нужен массив имён файлов"},
      {head + R"({"files": ["a", 3]}})", "\"files\", № 2: нужно имя файла"},
      {head + vary + R"(}, "steps": -1}})", "\"steps\": нужно целое число от 0 до 50000000"},
      {head + vary + R"(}, "time": "1"}})", "\"time\": нужно число секунд"},
      {head + vary + R"(}, "time": 0}})", "время опыта — число больше 0"},
      {head + vary + R"(}, "time": 1, "steps": 1}})", "либо число шагов, либо время, не оба"},
      {head + vary + R"(}, "collect": ["R2", "min:R3"]}})", "\"collect\", № 2: нужна величина опыта"},
      {head + vary + R"(}, "collect": []}})", "не выбрано, что собирать"},
      {head + vary + R"(}, "collect": ["max:FL", "max:FL"]}})", "max:FL собирается дважды"},
      {head + vary + R"(, "count": 4}}})", "ключ \"count\" повторяется"},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(Problem(c.text).contains(QString::fromUtf8(c.problem)))
        << c.text.data() << " → " << Problem(c.text).toStdString();
  EXPECT_EQ(Problem(head + vary + "}}}"), "");
}

}  // namespace
}  // namespace vozaz2
