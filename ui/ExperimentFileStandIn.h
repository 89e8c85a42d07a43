// Temporary: reading and writing experiment files until io/ExperimentFile
// lands. Same shape: a scenario or a Russian problem text; a problem or nothing.
#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QString>
#include <optional>
#include <variant>

#include "run/Scenario.h"

namespace vozaz2 {

inline constexpr char kExperimentSuffix[] = "vozaz2";

struct FileProblem {
  QString what;
};

inline std::variant<Scenario, FileProblem> ReadExperimentFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return FileProblem{QStringLiteral("файл не читается")};
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
  if (!doc.isObject()) return FileProblem{QStringLiteral("это не описание опыта")};
  const QJsonObject o = doc.object();
  Scenario s;
  s.title = o.value("title").toString().toStdString();
  s.description = o.value("description").toString().toStdString();
  const QJsonObject p = o.value("parameters").toObject();
  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const QJsonValue v = p.value(QString::fromLatin1(kParameterNames[i].data(), kParameterNames[i].size()));
    if (v.isUndefined()) continue;
    if (!v.isDouble()) return FileProblem{QStringLiteral("параметр не число")};
    s.parameters[i] = v.toDouble();
  }
  for (const QJsonValue v : o.value("before").toArray()) {
    const auto c = ModeControlNamed(v.toString().toStdString());
    if (!c) return FileProblem{QStringLiteral("нет такого переключателя")};
    s.before.push_back(*c);
  }
  for (const QJsonValue v : o.value("events").toArray()) {
    const auto c = ModeControlNamed(v.toObject().value("click").toString().toStdString());
    if (!c) return FileProblem{QStringLiteral("нет такого переключателя")};
    s.events.push_back({v.toObject().value("step").toInteger(-1), *c});
  }
  if (o.contains("steps")) s.steps = o.value("steps").toInteger(-1);
  if (ScenarioProblem(s)) return FileProblem{QStringLiteral("опыт описан неверно")};
  return s;
}

inline std::optional<FileProblem> WriteExperimentFile(const QString& path, const Scenario& s) {
  QJsonObject o;
  o["title"] = QString::fromStdString(s.title);
  o["description"] = QString::fromStdString(s.description);
  QJsonObject p;
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (s.parameters[i])
      p[QString::fromLatin1(kParameterNames[i].data(), kParameterNames[i].size())] = *s.parameters[i];
  o["parameters"] = p;
  QJsonArray before, events;
  for (ModeControl c : s.before) before.append(QString::fromStdString(ModeControlName(c)));
  for (const TimedClick& t : s.events)
    events.append(QJsonObject{{"step", t.afterSteps}, {"click", QString::fromStdString(ModeControlName(t.control))}});
  o["before"] = before;
  o["events"] = events;
  if (s.steps) o["steps"] = *s.steps;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return FileProblem{file.errorString()};
  file.write(QJsonDocument(o).toJson());
  if (!file.commit()) return FileProblem{file.errorString()};
  return std::nullopt;
}

}  // namespace vozaz2
