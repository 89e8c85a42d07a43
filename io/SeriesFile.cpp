#include "io/SeriesFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <cmath>

#include "io/JsonText.h"

namespace vozaz2 {

namespace {

using json::Quoted;

const QString kPart = QStringLiteral("\"series\"");

// No key of the object but these.
std::optional<QString> OnlyKeys(const QJsonObject& o, const QStringList& keys, const QString& at) {
  for (auto it = o.begin(); it != o.end(); ++it)
    if (!keys.contains(it.key())) return at + ": неизвестный ключ " + Quoted(it.key());
  return std::nullopt;
}

std::optional<QString> ReadScale(const QJsonObject& o, SeriesRange& r) {
  if (!o.contains("scale")) return std::nullopt;
  const QJsonValue v = o["scale"];
  if (v != QJsonValue("linear") && v != QJsonValue("log")) return "\"scale\": нужно \"linear\" или \"log\"";
  r.logarithmic = v == QJsonValue("log");
  return std::nullopt;
}

// {"parameter": "VL", "from": 0.02, "to": 0.4, "count": 20, "scale": "log"}
std::optional<QString> ReadVary(const QJsonValue& v, Series& s) {
  const QString at = kPart + ", \"vary\"";
  if (!v.isObject()) return at + ": нужен объект {\"parameter\": \"VL\", \"from\": 0.02, \"to\": 0.4, \"count\": 20}";
  const QJsonObject o = v.toObject();
  if (auto problem = OnlyKeys(o, {"parameter", "from", "to", "count", "scale"}, at)) return problem;
  for (const char* key : {"parameter", "from", "to", "count"})
    if (!o.contains(key)) return at + ": нет ключа " + Quoted(key);
  SeriesRange r;
  const std::optional<std::size_t> p =
      o["parameter"].isString() ? ParameterIndex(o["parameter"].toString().toStdString()) : std::nullopt;
  if (!p) return at + ", \"parameter\": нужен один из параметров R1, w1, CL, Ktr, VL, P0, Mx, MF, Mz, Mt, Tr";
  r.parameter = *p;
  for (const char* key : {"from", "to"})
    if (!o[key].isDouble()) return at + ", " + Quoted(key) + ": нужно конечное число";
  r.from = o["from"].toDouble();
  r.to = o["to"].toDouble();
  const double count = o["count"].toDouble(-1);
  if (!(count >= 1 && count <= static_cast<double>(kMaxSeriesRuns)) || count != std::floor(count))
    return at + QString(", \"count\": нужно целое число от 1 до %1").arg(kMaxSeriesRuns);
  r.count = static_cast<long long>(count);
  if (auto problem = ReadScale(o, r)) return at + ", " + *problem;
  s.range = r;
  return std::nullopt;
}

std::optional<QString> ReadFiles(const QJsonValue& v, Series& s) {
  const QString at = kPart + ", \"files\"";
  if (!v.isArray() || v.toArray().isEmpty()) return at + ": нужен массив имён файлов [\"опыт.vozaz2\", ...]";
  const QJsonArray a = v.toArray();
  for (qsizetype n = 0; n < a.size(); ++n) {
    if (!a[n].isString() || a[n].toString().isEmpty()) return at + QString(", № %1: нужно имя файла").arg(n + 1);
    s.files.push_back(a[n].toString().toStdString());
  }
  return std::nullopt;
}

std::optional<QString> ReadCollect(const QJsonValue& v, Series& s) {
  const QString at = kPart + ", \"collect\"";
  if (!v.isArray()) return at + ": нужен массив [\"R2\", \"w2\", \"max:FL\", \"driftMKD\", ...]";
  const QJsonArray a = v.toArray();
  s.collect.clear();
  for (qsizetype n = 0; n < a.size(); ++n) {
    const std::optional<SeriesColumn> c = a[n].isString() ? ColumnNamed(a[n].toString().toStdString()) : std::nullopt;
    if (!c)
      return at + QString(", № %1: ").arg(n + 1) +
             "нужна величина опыта (R2, …), min:величина, max:величина, driftMKD, driftBalance или Tdiv";
    s.collect.push_back(*c);
  }
  return std::nullopt;
}

// "steps" or "time".
std::optional<QString> ReadEnd(const QJsonObject& o, Series& s) {
  if (o.contains("steps")) {
    s.steps = json::StepNumber(o["steps"]);
    if (!s.steps) return kPart + ", \"steps\": " + json::StepNeeded();
  }
  if (o.contains("time")) {
    if (!o["time"].isDouble()) return kPart + ", \"time\": нужно число секунд";
    s.time = o["time"].toDouble();
  }
  return std::nullopt;
}

}  // namespace

std::optional<QString> ReadSeriesPart(const QJsonValue& v, std::optional<Series>& series) {
  if (!v.isObject()) return kPart + ": нужен объект {\"vary\": {...}, \"steps\": 2400, \"collect\": [...]}";
  const QJsonObject o = v.toObject();
  if (auto problem = OnlyKeys(o, {"vary", "files", "steps", "time", "collect"}, kPart)) return problem;
  Series s;
  if (o.contains("vary"))
    if (auto problem = ReadVary(o["vary"], s)) return problem;
  if (o.contains("files"))
    if (auto problem = ReadFiles(o["files"], s)) return problem;
  if (auto problem = ReadEnd(o, s)) return problem;
  if (o.contains("collect"))
    if (auto problem = ReadCollect(o["collect"], s)) return problem;
  if (auto problem = SeriesProblem(s)) return kPart + ": " + QString::fromStdString(*problem);
  series = std::move(s);
  return std::nullopt;
}

void AppendSeriesPart(QByteArray& out, const Series& s) {
  auto strings = [](const std::vector<std::string>& items) {
    QByteArray a = "[";
    for (std::size_t n = 0; n < items.size(); ++n) {
      if (n) a += ", ";
      json::AppendString(a, items[n]);
    }
    return a + ']';
  };
  auto number = [](double v) {
    QByteArray a;
    json::AppendNumber(a, v);
    return a;
  };
  std::vector<std::pair<const char*, QByteArray>> fields;
  if (const std::optional<SeriesRange>& r = s.range)
    fields.push_back({"vary", "{\"parameter\": \"" + QByteArray(kParameterNames[r->parameter].data()) +
                                  "\", \"from\": " + number(r->from) + ", \"to\": " + number(r->to) +
                                  ", \"count\": " + QByteArray::number(r->count) + ", \"scale\": " +
                                  (r->logarithmic ? "\"log\"}" : "\"linear\"}")});
  if (!s.files.empty()) fields.push_back({"files", strings(s.files)});
  if (s.steps) fields.push_back({"steps", QByteArray::number(*s.steps)});
  if (s.time) fields.push_back({"time", number(*s.time)});
  std::vector<std::string> keys;
  for (const SeriesColumn& c : s.collect) keys.push_back(ColumnKey(c));
  fields.push_back({"collect", strings(keys)});
  out += '{';
  for (std::size_t n = 0; n < fields.size(); ++n)
    out += QByteArray(n ? ",\n        \"" : "\n        \"") + fields[n].first + "\": " + fields[n].second;
  out += "\n    }";
}

std::variant<SeriesPlan, FileProblem> PlanOf(const ExperimentDocument& d, const QString& folder) {
  SeriesPlan plan{d.series.value(), d.scenario, {}};
  for (const std::string& name : plan.series.files) {
    const QString path = QDir(folder).filePath(QString::fromStdString(name));
    auto read = ReadExperimentFile(path);
    if (const FileProblem* p = std::get_if<FileProblem>(&read))
      return FileProblem{QDir::toNativeSeparators(path) + ": " + p->what};
    plan.experiments.push_back(std::get<Scenario>(std::move(read)));
    if (auto problem = ScenarioProblem(plan.experiments.back()))
      return FileProblem{QDir::toNativeSeparators(path) + ": " + QString::fromStdString(*problem)};
  }
  return plan;
}

std::variant<SeriesPlan, FileProblem> ReadSeriesFile(const QString& path) {
  auto read = ReadExperimentDocumentFile(path);
  if (const FileProblem* p = std::get_if<FileProblem>(&read)) return *p;
  const ExperimentDocument& d = std::get<ExperimentDocument>(read);
  if (!d.series) return FileProblem{"в файле нет серии опытов (ключа \"series\")"};
  return PlanOf(d, QFileInfo(path).absolutePath());
}

}  // namespace vozaz2
