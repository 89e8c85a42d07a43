// The small pieces of JSON that the program's files read and write by hand:
// a key in quotes for a message, a step count, a string and a number written
// as the files write them.
#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <string>

namespace vozaz2::json {

// "\"key\"", for a message.
inline QString Quoted(const QString& s) { return '"' + s + '"'; }

// A step count from 0 to kMaxSteps, exactly a whole number.
std::optional<long long> StepNumber(const QJsonValue& v);
// What StepNumber wants, for a message.
QString StepNeeded();

// JSON text of a string: quotes, backslashes and control characters escaped,
// everything else as UTF-8.
void AppendString(QByteArray& out, const std::string& s);
// The shortest text that reads back as the same double ("0.1", "1e-05").
void AppendNumber(QByteArray& out, double v);

}  // namespace vozaz2::json
