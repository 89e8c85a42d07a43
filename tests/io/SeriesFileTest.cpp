// The series part of an experiment file: written as version 2 and read back
// the same, every malformed kind refused with its problem named, and the
// files of a series read beside it.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "io/SeriesFile.h"

namespace vozaz2 {
namespace {

QString Problem(const QByteArray& bytes) {
  const auto read = ReadExperimentDocument(bytes);
  const FileProblem* p = std::get_if<FileProblem>(&read);
  return p ? p->what : QString();
}

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
