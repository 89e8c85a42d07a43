#include "io/ExperimentFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <vector>

#include "io/JsonText.h"
#include "io/SeriesFile.h"
#include "io/TaskFile.h"

namespace vozaz2 {

namespace {

using json::AppendNumber;
using json::AppendString;
using json::Quoted;
using json::StepNeeded;
using json::StepNumber;

constexpr char kFormat[] = "vozaz2-experiment";
constexpr int kNewestVersion = 2;
const QStringList kKeys = {"format", "version", "title", "description", "parameters",
                           "before", "events", "steps"};
// The parts of version 2, each read by a file of its own: the series
// (io/SeriesFile.h) and the task (io/TaskFile.h).
const QStringList kPartKeys = {"series", "task"};

QString JsonErrorText(QJsonParseError::ParseError e) {
  switch (e) {
    case QJsonParseError::UnterminatedObject: return "объект не закрыт скобкой }";
    case QJsonParseError::MissingNameSeparator: return "после ключа нет двоеточия";
    case QJsonParseError::UnterminatedArray: return "массив не закрыт скобкой ]";
    case QJsonParseError::MissingValueSeparator: return "между значениями нет запятой";
    case QJsonParseError::IllegalValue: return "недопустимое значение";
    case QJsonParseError::TerminationByNumber: return "текст оборвался на числе";
    case QJsonParseError::IllegalNumber: return "недопустимое число";
    case QJsonParseError::IllegalEscapeSequence: return "недопустимая последовательность с \\";
    case QJsonParseError::IllegalUTF8String: return "текст не в кодировке UTF-8";
    case QJsonParseError::UnterminatedString: return "строка не закрыта кавычкой";
    case QJsonParseError::MissingObject: return "ожидался объект { }";
    case QJsonParseError::DeepNesting: return "слишком глубокая вложенность";
    case QJsonParseError::DocumentTooLarge: return "документ слишком велик";
    case QJsonParseError::GarbageAtEnd: return "лишний текст после объекта";
    default: return "текст не читается";
  }
}

// "строка 3, столбец 14" of a byte offset, counting characters, not bytes.
QString Where(const QByteArray& bytes, qsizetype offset) {
  offset = std::clamp<qsizetype>(offset, 0, bytes.size());
  const QByteArray before = bytes.left(offset);
  const qsizetype lineStart = before.lastIndexOf('\n') + 1;
  return QString("строка %1, столбец %2")
      .arg(before.count('\n') + 1)
      .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

// The first key that an object of the text has twice (the JSON reader keeps
// only the last one, which would silently drop a value). The text is valid
// JSON: strings and nesting are all there is to follow.
std::optional<QString> RepeatedKey(const QByteArray& text) {
  std::vector<QSet<QByteArray>> objects;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '{') objects.emplace_back();
    if (c == '}' && !objects.empty()) objects.pop_back();
    if (c != '"') continue;
    const qsizetype start = ++i;
    for (; i < text.size() && text[i] != '"'; ++i)
      if (text[i] == '\\') ++i;
    const QByteArray key = text.mid(start, i - start);
    qsizetype next = i + 1;
    while (next < text.size() && QByteArrayView(" \t\r\n").contains(text[next])) ++next;
    if (next < text.size() && text[next] == ':' && !objects.empty()) {
      if (objects.back().contains(key)) return QString::fromUtf8(key);
      objects.back().insert(key);
    }
  }
  return std::nullopt;
}

std::optional<ModeControl> Control(const QJsonValue& v) {
  return v.isString() ? ModeControlNamed(v.toString().toStdString()) : std::nullopt;
}

QString ControlProblem(const QJsonValue& v) {
  if (!v.isString()) return "нужно название элемента управления (Option1…Option8, Check1…Check4)";
  return "неизвестный элемент управления " + Quoted(v.toString()) + " (есть Option1…Option8, Check1…Check4)";
}

// The format, its version, and no key but the known ones.
std::optional<QString> ReadHeader(const QJsonObject& o) {
  if (!o.contains("format")) return "это не файл опыта: нет ключа \"format\"";
  if (o["format"] != QJsonValue(kFormat)) return "\"format\": нужна строка \"vozaz2-experiment\"";
  if (!o.contains("version")) return "нет ключа \"version\"";
  const double version = o["version"].toDouble();
  if (!o["version"].isDouble() || (version != 1 && version != kNewestVersion))
    return QString("\"version\": эта программа читает только версии 1 и %1").arg(kNewestVersion);
  for (auto it = o.begin(); it != o.end(); ++it) {
    if (kPartKeys.contains(it.key()) && version == 1) return Quoted(it.key()) + ": только в файлах версии 2";
    if (!kKeys.contains(it.key()) && !kPartKeys.contains(it.key())) return "неизвестный ключ " + Quoted(it.key());
  }
  return std::nullopt;
}

std::optional<QString> ReadParameters(const QJsonValue& v, Scenario& s) {
  if (!v.isObject()) return "\"parameters\": нужен объект {\"R1\": 1, ...}";
  const QJsonObject p = v.toObject();
  for (auto it = p.begin(); it != p.end(); ++it) {
    const std::optional<std::size_t> i = ParameterIndex(it.key().toStdString());
    if (!i)
      return "\"parameters\": неизвестный параметр " + Quoted(it.key()) +
             " (есть R1, w1, CL, Ktr, VL, P0, Mx, MF, Mz, Mt, Tr)";
    if (!it->isDouble() || !std::isfinite(it->toDouble()))
      return "\"parameters\", " + Quoted(it.key()) + ": нужно конечное число";
    s.parameters[*i] = it->toDouble();
  }
  return std::nullopt;
}

std::optional<QString> ReadBefore(const QJsonValue& v, Scenario& s) {
  if (!v.isArray()) return "\"before\": нужен массив [\"Option2\", ...]";
  const QJsonArray a = v.toArray();
  for (qsizetype n = 0; n < a.size(); ++n) {
    const std::optional<ModeControl> c = Control(a[n]);
    if (!c) return QString("\"before\", № %1: ").arg(n + 1) + ControlProblem(a[n]);
    s.before.push_back(*c);
  }
  return std::nullopt;
}

// One click during the run, {"step": 100, "click": "Check3"}, after those
// read so far.
std::optional<QString> ReadEvent(const QJsonValue& v, const QString& at, Scenario& s) {
  if (!v.isObject()) return at + ": нужен объект {\"step\": 100, \"click\": \"Check3\"}";
  const QJsonObject e = v.toObject();
  for (auto it = e.begin(); it != e.end(); ++it)
    if (it.key() != "step" && it.key() != "click") return at + ": неизвестный ключ " + Quoted(it.key());
  if (!e.contains("step") || !e.contains("click")) return at + ": нужны ключи \"step\" и \"click\"";
  const std::optional<long long> step = StepNumber(e["step"]);
  if (!step) return at + ", \"step\": " + StepNeeded();
  if (!s.events.empty() && *step < s.events.back().afterSteps)
    return at + QString(": шаг %1 раньше шага предыдущего события, %2").arg(*step).arg(s.events.back().afterSteps);
  const std::optional<ModeControl> c = Control(e["click"]);
  if (!c) return at + ", \"click\": " + ControlProblem(e["click"]);
  s.events.push_back({*step, *c});
  return std::nullopt;
}

std::optional<QString> ReadEvents(const QJsonValue& v, Scenario& s) {
  if (!v.isArray()) return "\"events\": нужен массив [{\"step\": 100, \"click\": \"Check3\"}, ...]";
  const QJsonArray a = v.toArray();
  for (qsizetype n = 0; n < a.size(); ++n)
    if (auto problem = ReadEvent(a[n], QString("\"events\", № %1").arg(n + 1), s)) return problem;
  return std::nullopt;
}

// Reads the object into d; returns the first problem found.
std::optional<QString> Read(const QJsonObject& o, ExperimentDocument& d) {
  if (auto problem = ReadHeader(o)) return problem;
  Scenario& s = d.scenario;
  for (const char* key : {"title", "description"}) {
    if (!o.contains(key)) continue;
    if (!o[key].isString()) return Quoted(key) + ": нужна строка";
    (key[0] == 't' ? s.title : s.description) = o[key].toString().toStdString();
  }
  if (o.contains("parameters"))
    if (auto problem = ReadParameters(o["parameters"], s)) return problem;
  if (o.contains("before"))
    if (auto problem = ReadBefore(o["before"], s)) return problem;
  if (o.contains("events"))
    if (auto problem = ReadEvents(o["events"], s)) return problem;
  if (o.contains("steps")) {
    s.steps = StepNumber(o["steps"]);
    if (!s.steps) return "\"steps\": " + StepNeeded();
  }
  if (o.contains("series"))
    if (auto problem = ReadSeriesPart(o["series"], d.series)) return problem;
  if (o.contains("task"))
    if (auto problem = ReadTask(o["task"], s.task.emplace())) return problem;
  return std::nullopt;
}

QString FileErrorText(const QFileDevice& f) {
  switch (f.error()) {
    case QFileDevice::OpenError: return "не удаётся создать файл (" + f.errorString() + ")";
    case QFileDevice::WriteError: return "ошибка записи (" + f.errorString() + ")";
    case QFileDevice::RenameError: return "не удаётся заменить прежний файл (" + f.errorString() + ")";
    default: return "не удаётся записать файл (" + f.errorString() + ")";
  }
}

}  // namespace

std::variant<ExperimentDocument, FileProblem> ReadExperimentDocument(const QByteArray& bytes) {
  if (bytes.size() > kMaxExperimentFileBytes) return FileProblem{"файл больше 1 МиБ"};
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError)
    return FileProblem{Where(bytes, error.offset) + ": ошибка JSON: " + JsonErrorText(error.error)};
  if (!doc.isObject()) return FileProblem{"это не файл опыта: нужен объект JSON { }"};
  if (const std::optional<QString> key = RepeatedKey(bytes)) return FileProblem{"ключ " + Quoted(*key) + " повторяется"};
  ExperimentDocument d;
  if (std::optional<QString> problem = Read(doc.object(), d)) return FileProblem{*problem};
  return d;
}

std::variant<Scenario, FileProblem> ReadExperiment(const QByteArray& bytes) {
  auto read = ReadExperimentDocument(bytes);
  if (FileProblem* p = std::get_if<FileProblem>(&read)) return std::move(*p);
  return std::get<ExperimentDocument>(std::move(read)).scenario;
}

std::variant<ExperimentDocument, FileProblem> ReadExperimentDocumentFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return FileProblem{"файла нет"};
  if (info.isDir()) return FileProblem{"это папка, а не файл"};
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return FileProblem{"файл не открывается (" + f.errorString() + ")"};
  // One byte more than allowed tells a file that is too large.
  const QByteArray bytes = f.read(kMaxExperimentFileBytes + 1);
  if (f.error() != QFileDevice::NoError) return FileProblem{"файл не читается (" + f.errorString() + ")"};
  return ReadExperimentDocument(bytes);
}

std::variant<Scenario, FileProblem> ReadExperimentFile(const QString& path) {
  auto read = ReadExperimentDocumentFile(path);
  if (FileProblem* p = std::get_if<FileProblem>(&read)) return std::move(*p);
  return std::get<ExperimentDocument>(std::move(read)).scenario;
}

QByteArray ExperimentJson(const Scenario& s) { return ExperimentJson(ExperimentDocument{s, std::nullopt}); }

QByteArray ExperimentJson(const ExperimentDocument& d) {
  const Scenario& s = d.scenario;
  QByteArray out = "{\n    \"format\": \"vozaz2-experiment\",\n    \"version\": ";
  out += d.series || s.task ? "2" : "1";
  auto key = [&](const char* name) { out += QByteArray(",\n    \"") + name + "\": "; };
  if (!s.title.empty()) {
    key("title");
    AppendString(out, s.title);
  }
  if (!s.description.empty()) {
    key("description");
    AppendString(out, s.description);
  }
  bool any = false;
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    if (!s.parameters[i]) continue;
    if (!any) key("parameters");
    out += any ? ",\n        \"" : "{\n        \"";
    out += QByteArray(kParameterNames[i].data(), kParameterNames[i].size()) + "\": ";
    AppendNumber(out, *s.parameters[i]);
    any = true;
  }
  if (any) out += "\n    }";
  if (!s.before.empty()) {
    key("before");
    out += '[';
    for (std::size_t n = 0; n < s.before.size(); ++n)
      out += (n ? ", \"" : "\"") + QByteArray::fromStdString(ModeControlName(s.before[n])) + '"';
    out += ']';
  }
  if (!s.events.empty()) {
    key("events");
    out += '[';
    for (std::size_t n = 0; n < s.events.size(); ++n)
      out += (n ? ",\n        {\"step\": " : "\n        {\"step\": ") + QByteArray::number(s.events[n].afterSteps) +
             ", \"click\": \"" + QByteArray::fromStdString(ModeControlName(s.events[n].control)) + "\"}";
    out += "\n    ]";
  }
  if (s.steps) {
    key("steps");
    out += QByteArray::number(*s.steps);
  }
  if (d.series) {
    key("series");
    AppendSeriesPart(out, *d.series);
  }
  if (s.task) AppendTask(out, *s.task);
  out += "\n}\n";
  return out;
}

std::optional<FileProblem> WriteExperimentFile(const QString& path, const Scenario& s) {
  return WriteWholeFile(path, ExperimentJson(s));
}

WholeFile::WholeFile(const QString& path) : path_(path) {}

WholeFile::~WholeFile() = default;

std::optional<FileProblem> WholeFile::Open() {
  if (path_ == QStringLiteral("-")) {
    direct_ = std::make_unique<QFile>();
    if (!direct_->open(1, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
      return FileProblem{"стандартный вывод закрыт"};
    return std::nullopt;
  }
  const QFileInfo info(path_);
  if (info.isDir()) return FileProblem{"это папка, а не файл"};
  if (info.exists() && !info.isFile()) {
    direct_ = std::make_unique<QFile>(path_);
    if (!direct_->open(QIODevice::WriteOnly)) return FileProblem{FileErrorText(*direct_)};
    return std::nullopt;
  }
  if (!info.absoluteDir().exists()) return FileProblem{"нет папки " + info.absolutePath()};
  save_ = std::make_unique<QSaveFile>(path_);
  if (!save_->open(QIODevice::WriteOnly)) return FileProblem{FileErrorText(*save_)};
  return std::nullopt;
}

QIODevice& WholeFile::Device() {
  if (direct_) return *direct_;
  return *save_;
}

std::optional<FileProblem> WholeFile::Commit() {
  if (direct_) {
    if (!direct_->flush() || direct_->error() != QFileDevice::NoError) return FileProblem{FileErrorText(*direct_)};
    direct_->close();
    return std::nullopt;
  }
  if (!save_->commit()) return FileProblem{FileErrorText(*save_)};
  return std::nullopt;
}

std::optional<FileProblem> WriteWholeFile(const QString& path, const QByteArray& bytes) {
  WholeFile f(path);
  if (std::optional<FileProblem> problem = f.Open()) return problem;
  f.Device().write(bytes);
  return f.Commit();
}

}  // namespace vozaz2
