#include "io/TaskFile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <cmath>

#include "io/JsonText.h"
#include "run/TaskCheck.h"

namespace vozaz2 {

namespace {

const QStringList kTaskKeys = {"question", "quantity", "when", "tolerance", "hide",
                               "hideGraphs", "lockParameters", "wrong", "answers"};
const QStringList kAnswerKeys = {"student", "prediction", "reasoning", "observed", "explanation"};

QString Quoted(const QString& s) { return '"' + s + '"'; }

QString Known() {
  QStringList keys;
  for (std::size_t q = 0; q < quantity::kReadoutCount; ++q) keys << QString::fromStdString(QuantityKey(q));
  return " (есть " + keys.join(", ") + ")";
}

// A readout quantity by its key, or what is wrong with the value.
std::optional<QString> QuantityKeyed(const QJsonValue& v, const QString& at, std::size_t& q) {
  if (!v.isString()) return at + ": нужно обозначение величины, например \"w2\"" + Known();
  const std::optional<std::size_t> found = ReadoutQuantityNamed(v.toString().toStdString());
  if (!found) return at + ": неизвестная величина " + Quoted(v.toString()) + Known();
  q = *found;
  return std::nullopt;
}

std::optional<QString> Number(const QJsonValue& v, const QString& at, double& out) {
  if (!v.isDouble() || !std::isfinite(v.toDouble())) return at + ": нужно конечное число";
  out = v.toDouble();
  return std::nullopt;
}

std::optional<QString> Text(const QJsonObject& o, const QString& key, const QString& at, std::string& out) {
  if (!o.contains(key)) return std::nullopt;
  if (!o[key].isString()) return at + ", " + Quoted(key) + ": нужна строка";
  out = o[key].toString().toStdString();
  return std::nullopt;
}

std::optional<QString> Flag(const QJsonObject& o, const QString& key, bool& out) {
  if (!o.contains(key)) return std::nullopt;
  if (!o[key].isBool()) return "\"task\", " + Quoted(key) + ": нужно true или false";
  out = o[key].toBool();
  return std::nullopt;
}

std::optional<QString> Unknown(const QJsonObject& o, const QStringList& keys, const QString& at) {
  for (auto it = o.begin(); it != o.end(); ++it)
    if (!keys.contains(it.key())) return at + ": неизвестный ключ " + Quoted(it.key());
  return std::nullopt;
}

// "end", or {"R2": 0.5}: the first step at which R2 reaches 0.5 m.
std::optional<QString> When(const QJsonValue& v, Moment& m) {
  const QString at = "\"task\", \"when\"";
  if (v == QJsonValue("end")) return std::nullopt;
  const QJsonObject o = v.toObject();
  if (!v.isObject() || o.size() != 1) return at + ": нужно \"end\" или {\"R2\": 0.5}";
  std::size_t q = 0;
  if (auto problem = QuantityKeyed(o.begin().key(), at, q)) return problem;
  m.quantity = q;
  return Number(o.begin().value(), at + ", " + Quoted(o.begin().key()), m.value);
}

std::optional<QString> Tolerance(const QJsonValue& v, Task& t) {
  const QString at = "\"task\", \"tolerance\"";
  const QJsonObject o = v.toObject();
  if (!v.isObject() || o.size() != 1 || !(o.contains("relative") || o.contains("absolute")))
    return at + ": нужно {\"relative\": 0.05} или {\"absolute\": 0.1}";
  t.relative = o.contains("relative");
  if (auto problem = Number(o.begin().value(), at, t.tolerance)) return problem;
  if (t.tolerance < 0) return at + ": допуск не может быть отрицательным";
  return std::nullopt;
}

std::optional<QString> Hidden(const QJsonValue& v, Task& t) {
  if (!v.isArray()) return "\"task\", \"hide\": нужен массив [\"w2\", ...]";
  const QJsonArray a = v.toArray();
  for (qsizetype n = 0; n < a.size(); ++n) {
    std::size_t q = 0;
    if (!a[n].isString() || !ReadoutQuantityNamed(a[n].toString().toStdString()))
      return QString("\"task\", \"hide\", № %1: нет окна показаний ").arg(n + 1) + Quoted(a[n].toString()) + Known();
    QuantityKeyed(a[n], {}, q);
    t.hidden.push_back(q);
  }
  return std::nullopt;
}

std::optional<QString> Wrong(const QJsonValue& v, Task& t) {
  if (!v.isArray()) return "\"task\", \"wrong\": нужен массив [{\"value\": 4, \"feedback\": \"...\"}, ...]";
  const QJsonArray a = v.toArray();
  for (qsizetype n = 0; n < a.size(); ++n) {
    const QString at = QString("\"task\", \"wrong\", № %1").arg(n + 1);
    const QJsonObject o = a[n].toObject();
    if (!a[n].isObject() || !o.contains("value")) return at + ": нужен объект {\"value\": 4, \"feedback\": \"...\"}";
    if (auto problem = Unknown(o, {"value", "feedback"}, at)) return problem;
    WrongAnswer w;
    if (auto problem = Number(o["value"], at + ", \"value\"", w.value)) return problem;
    if (auto problem = Text(o, "feedback", at, w.feedback)) return problem;
    t.wrong.push_back(std::move(w));
  }
  return std::nullopt;
}

std::optional<QString> Answers(const QJsonValue& v, TaskAnswers& a) {
  const QString at = "\"task\", \"answers\"";
  if (!v.isObject()) return at + ": нужен объект {\"student\": \"...\", \"prediction\": 8, ...}";
  const QJsonObject o = v.toObject();
  if (auto problem = Unknown(o, kAnswerKeys, at)) return problem;
  for (const char* key : {"prediction", "observed"}) {
    if (!o.contains(key)) continue;
    double value = 0;
    if (auto problem = Number(o[key], at + ", " + Quoted(key), value)) return problem;
    (key[0] == 'p' ? a.prediction : a.observed) = value;
  }
  if (auto problem = Text(o, "student", at, a.student)) return problem;
  if (auto problem = Text(o, "reasoning", at, a.reasoning)) return problem;
  return Text(o, "explanation", at, a.explanation);
}

// The parts after the required ones, in the order of the file.
std::optional<QString> ReadRest(const QJsonObject& o, Task& t) {
  if (o.contains("when"))
    if (auto problem = When(o["when"], t.moment)) return problem;
  if (o.contains("hide"))
    if (auto problem = Hidden(o["hide"], t)) return problem;
  if (auto problem = Flag(o, "hideGraphs", t.hideGraphs)) return problem;
  if (auto problem = Flag(o, "lockParameters", t.lockParameters)) return problem;
  if (o.contains("wrong"))
    if (auto problem = Wrong(o["wrong"], t)) return problem;
  if (o.contains("answers")) return Answers(o["answers"], t.answers);
  return std::nullopt;
}

}  // namespace

std::optional<QString> ReadTask(const QJsonValue& v, Task& t) {
  if (!v.isObject()) return "\"task\": нужен объект {\"question\": \"...\", \"quantity\": \"w2\", ...}";
  const QJsonObject o = v.toObject();
  if (auto problem = Unknown(o, kTaskKeys, "\"task\"")) return problem;
  for (const char* key : {"question", "quantity", "tolerance"})
    if (!o.contains(key)) return "\"task\": нет ключа " + Quoted(key);
  if (auto problem = Text(o, "question", "\"task\"", t.question)) return problem;
  if (auto problem = QuantityKeyed(o["quantity"], "\"task\", \"quantity\"", t.quantity)) return problem;
  if (auto problem = Tolerance(o["tolerance"], t)) return problem;
  return ReadRest(o, t);
}

namespace {

void Key(QByteArray& out, const char* name, bool first = false) {
  out += QByteArray(first ? "\n        \"" : ",\n        \"") + name + "\": ";
}

void Keys(QByteArray& out, const std::vector<std::size_t>& quantities) {
  out += '[';
  for (std::size_t n = 0; n < quantities.size(); ++n)
    out += (n ? ", \"" : "\"") + QByteArray::fromStdString(QuantityKey(quantities[n])) + '"';
  out += ']';
}

void AppendAnswers(QByteArray& out, const TaskAnswers& a) {
  Key(out, "answers");
  out += '{';
  const char* sep = "\n            \"";
  auto key = [&](const char* name) { out += QByteArray(sep) + name + "\": "; sep = ",\n            \""; };
  if (!a.student.empty()) key("student"), json::AppendString(out, a.student);
  if (a.prediction) key("prediction"), json::AppendNumber(out, *a.prediction);
  if (!a.reasoning.empty()) key("reasoning"), json::AppendString(out, a.reasoning);
  if (a.observed) key("observed"), json::AppendNumber(out, *a.observed);
  if (!a.explanation.empty()) key("explanation"), json::AppendString(out, a.explanation);
  out += "\n        }";
}

}  // namespace

void AppendTask(QByteArray& out, const Task& t) {
  out += ",\n    \"task\": {";
  Key(out, "question", true);
  json::AppendString(out, t.question);
  Key(out, "quantity");
  json::AppendString(out, QuantityKey(t.quantity));
  Key(out, "when");
  if (t.moment.AtEnd()) {
    out += "\"end\"";
  } else {
    out += "{\"" + QByteArray::fromStdString(QuantityKey(*t.moment.quantity)) + "\": ";
    json::AppendNumber(out, t.moment.value);
    out += '}';
  }
  Key(out, "tolerance");
  out += t.relative ? "{\"relative\": " : "{\"absolute\": ";
  json::AppendNumber(out, t.tolerance);
  out += '}';
  if (!t.hidden.empty()) Key(out, "hide"), Keys(out, t.hidden);
  if (t.hideGraphs) Key(out, "hideGraphs"), out += "true";
  if (t.lockParameters) Key(out, "lockParameters"), out += "true";
  if (!t.wrong.empty()) {
    Key(out, "wrong");
    out += '[';
    for (std::size_t n = 0; n < t.wrong.size(); ++n) {
      out += n ? ",\n            {\"value\": " : "\n            {\"value\": ";
      json::AppendNumber(out, t.wrong[n].value);
      out += ", \"feedback\": ";
      json::AppendString(out, t.wrong[n].feedback);
      out += '}';
    }
    out += "\n        ]";
  }
  if (!t.answers.Empty()) AppendAnswers(out, t.answers);
  out += "\n    }";
}

}  // namespace vozaz2
