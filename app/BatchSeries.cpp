#include "app/BatchSeries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "io/Locale.h"
#include "io/SeriesFile.h"
#include "io/SeriesOutputs.h"
#include "model/NumberText.h"
#include "run/SeriesRun.h"
#include "run/SeriesTable.h"

namespace vozaz2::batch {

namespace {

struct SeriesOption {
  const char* name;
  const char* value;
  const char* help;
};
constexpr SeriesOption kSeriesOptions[] = {
    {"series", "ФАЙЛ", "провести серию опытов из файла опыта с частью \"series\"; параметры командной строки "
                       "действуют после него"},
    {"vary", "ПАРАМЕТР=ОТ:ДО:ЧИСЛО", "серия: ЧИСЛО опытов, ПАРАМЕТР (R1, w1, … Tr) от ОТ до ДО через равные "
                                     "промежутки; с --log — через равные промежутки логарифма"},
    {"time", "T", "серия: каждый опыт — до модельного времени T, с (или --steps N шагов)"},
    {"collect", "СПИСОК", "серия: что собрать через запятую — величина в конце (R2), min:R2, max:R2, "
                          "driftMKD, driftBalance, Tdiv; по умолчанию R2,w2,MKD2,driftMKD,Tdiv"},
    {"jobs", "N", "серия: сколько опытов идут одновременно (по умолчанию — по числу ядер)"},
    {"run", "K", "провести K-й опыт серии отдельно, как обычный опыт (--csv по шагам, --save-setup)"},
};

int Say(int status, const QString& what) {
  std::fprintf(stderr, "vozaz2-batch: %s\n", qPrintable(what));
  return status;
}

std::optional<Problem> TakeVary(Command& c, const QString& value, char separator) {
  const QString form = "--vary " + value + ": нужно ПАРАМЕТР=ОТ:ДО:ЧИСЛО, например VL=0.02:0.4:20";
  const qsizetype eq = value.indexOf('=');
  const QStringList parts = value.mid(eq + 1).split(':');
  if (eq < 0 || parts.size() != 3) return Problem{kUsageError, form};
  const std::optional<std::size_t> p = ParameterIndex(value.left(eq).toStdString());
  if (!p) return Problem{kUsageError, "--vary: нет параметра " + value.left(eq) + " (есть R1, w1, CL, Ktr, VL, P0, Mx, MF, Mz, Mt, Tr)"};
  const std::optional<double> from = TextNumber(parts[0].toStdString(), separator);
  const std::optional<double> to = TextNumber(parts[1].toStdString(), separator);
  bool ok = false;
  const long long count = parts[2].toLongLong(&ok);
  if (!from || !to || !ok) return Problem{kUsageError, form};
  c.vary = SeriesRange{*p, *from, *to, count, false};
  return std::nullopt;
}

std::optional<Problem> TakeCollect(Command& c, const QString& value) {
  c.collect.emplace();
  for (const QString& key : value.split(',')) {
    const std::optional<SeriesColumn> column = ColumnNamed(key.trimmed().toStdString());
    if (!column)
      return Problem{kUsageError, "--collect: не знаю, что такое «" + key + "» (величина опыта R2, …, min:R2, "
                                  "max:R2, driftMKD, driftBalance, Tdiv)"};
    c.collect->push_back(*column);
  }
  return std::nullopt;
}

std::optional<Problem> TakeCount(const QString& name, const QString& value, long long most, long long& into) {
  bool ok = false;
  into = value.toLongLong(&ok);
  if (!ok || into < 1 || into > most)
    return Problem{kUsageError, QString("--%1 %2: нужно целое число от 1 до %3").arg(name, value).arg(most)};
  return std::nullopt;
}

}  // namespace

bool IsSeriesOption(const QString& name) {
  for (const SeriesOption& o : kSeriesOptions)
    if (name == QLatin1String(o.name)) return true;
  return false;
}

std::optional<Problem> TakeSeriesOption(Command& c, const QString& name, const QString& value, char separator) {
  if (name == "series") c.series = value;
  if (name == "vary") return TakeVary(c, value, separator);
  if (name == "collect") return TakeCollect(c, value);
  if (name == "time") {
    c.time = TextNumber(value.toStdString(), separator);
    if (!c.time) return Problem{kUsageError, "--time " + value + ": нужно число секунд"};
  }
  long long n = 0;
  if (name == "jobs") {
    if (auto problem = TakeCount(name, value, 1024, n)) return problem;
    c.jobs = static_cast<unsigned>(n);
  }
  if (name == "run") {
    if (auto problem = TakeCount(name, value, kMaxSeriesRuns, n)) return problem;
    c.run = n;
  }
  return std::nullopt;
}

std::optional<Problem> SeriesOptionsProblem(const Command& c) {
  if (c.IsSeries() || !(c.time || c.collect || c.jobs || c.run || c.log)) return std::nullopt;
  return Problem{kUsageError, "--time, --collect, --jobs, --run и --log — только для серии (--series или --vary)"};
}

QString SeriesHelp() {
  QString t = QStringLiteral("\nСерия опытов (таблица: строка на опыт; без --csv и --table — в стандартный вывод):\n");
  for (const SeriesOption& o : kSeriesOptions)
    t += QStringLiteral("  --%1 %2\n      %3\n").arg(QLatin1String(o.name), QString::fromUtf8(o.value), QString::fromUtf8(o.help));
  t += QStringLiteral("  --log\n      серия --vary: значения через равные промежутки логарифма\n");
  return t;
}

namespace {

// The command's series on the experiment `base`, with the options acting
// after the series' file.
std::variant<SeriesPlan, Problem> SeriesOf(const Command& c, const Scenario& base) {
  if (c.setup && c.series) return Problem{kUsageError, "--setup и --series вместе не бывают: опыт серии — в её файле"};
  ExperimentDocument d{base, Series{}};
  QString folder = QDir::currentPath();
  if (c.series) {
    auto read = ReadExperimentDocumentFile(*c.series);
    if (const FileProblem* p = std::get_if<FileProblem>(&read)) return Problem{kBadParameter, *c.series + ": " + p->what};
    d.series = std::get<ExperimentDocument>(read).series;
    if (!d.series) return Problem{kBadParameter, *c.series + ": в файле нет серии опытов (ключа \"series\")"};
    folder = QFileInfo(*c.series).absolutePath();
  }
  Series& s = *d.series;
  if (c.vary) s = Series{c.vary, {}, s.steps, s.time, s.collect};
  if (c.log && !s.range) return Problem{kUsageError, "--log: только для серии по диапазону параметра"};
  if (c.log) s.range->logarithmic = true;
  if (c.scenario.steps || c.time) s.steps = c.scenario.steps, s.time = c.time;
  if (c.collect) s.collect = *c.collect;
  if (auto problem = SeriesProblem(s)) return Problem{kUsageError, QString::fromStdString(*problem)};
  auto plan = PlanOf(d, folder);
  if (const FileProblem* p = std::get_if<FileProblem>(&plan)) return Problem{kBadParameter, p->what};
  const long long count = std::get<SeriesPlan>(plan).Count();
  if (c.run && *c.run > count) return Problem{kUsageError, QString("--run %1: в серии %2 опытов").arg(*c.run).arg(count)};
  return std::get<SeriesPlan>(std::move(plan));
}

int WriteFailed(const QString& path, const FileProblem& p) {
  return Say(kWriteFailed, (path == "-" ? QStringLiteral("стандартный вывод") : path) + ": " + p.what);
}

// The series made, its tables written row by row as the runs finish.
int MakeSeries(const Command& c, const SeriesPlan& plan) {
  std::vector<std::unique_ptr<SeriesTableOutput>> tables;
  if (c.csv || (!c.table && !c.report)) tables.push_back(std::make_unique<SeriesTableOutput>(c.csv.value_or("-"), plan));
  if (c.table)
    tables.push_back(std::make_unique<SeriesTableOutput>(*c.table, plan, SpreadsheetDialect(DecimalSeparator())));
  std::unique_ptr<SeriesReportOutput> report = c.report ? std::make_unique<SeriesReportOutput>(*c.report) : nullptr;
  if (report)
    if (auto problem = report->Open()) return WriteFailed(report->Path(), *problem);
  for (auto& t : tables)
    if (auto problem = t->Open()) return WriteFailed(t->Path(), *problem);
  std::vector<SeriesRow> rows;  // only for the report: a table keeps none
  RunSeries(plan, c.jobs ? c.jobs : DefaultJobs(), [&](const SeriesRow& row) {
    for (auto& t : tables) t->Row(row);
    if (report) rows.push_back(row);
  });
  for (auto& t : tables)
    if (auto problem = t->FinishSeries()) return WriteFailed(t->Path(), *problem);
  if (report)
    if (auto problem = report->FinishSeries({plan, rows, QCoreApplication::applicationVersion()}))
      return WriteFailed(report->Path(), *problem);
  return 0;
}

}  // namespace

int ExecuteSeries(const Command& c, const Scenario& base, const std::function<int(const Scenario&)>& alone) {
  const std::variant<SeriesPlan, Problem> read = SeriesOf(c, base);
  if (const Problem* p = std::get_if<Problem>(&read)) return Say(p->status, p->what);
  const SeriesPlan& plan = std::get<SeriesPlan>(read);
  if (c.run) return alone(plan.RunScenario(*c.run - 1));
  if (c.png || c.svg) return Say(kUsageError, "--png и --svg — для одного опыта серии (--run K)");
  if (c.saveSetup) {
    if (auto problem = WriteWholeFile(*c.saveSetup, ExperimentJson(ExperimentDocument{plan.base, plan.series})))
      return WriteFailed(*c.saveSetup, *problem);
    return 0;
  }
  return MakeSeries(c, plan);
}

}  // namespace vozaz2::batch
