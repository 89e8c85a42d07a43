// The teacher's sheet of handed-in tasks: one CSV row per student's file,
// with the name, the prediction, the observed value, whether the prediction
// is within the tolerance, and the texts. Each run is made again, so that an
// observed value that the run does not give (a number edited in the file) is
// marked and not trusted.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vozaz2 {

// What the replay says of a file's observed value.
enum class AnswerCheck {
  kConfirmed,   // the run gives the very number in the file
  kEdited,      // the run gives another number, or none, or does not start
  kNotObserved, // the file holds no observed value (the run did not reach the moment)
  kUnreadable,  // no experiment, or one without a task
};

struct AnswerRow {
  QString file;
  AnswerCheck check = AnswerCheck::kUnreadable;
  QString problem;   // why a file is unreadable
  QStringList cells; // the row's fields after the file's name
};

// Reads the file and replays its run.
AnswerRow CheckAnswers(const QString& path);

// The header and one row per file, UTF-8, fields separated by commas and
// quoted where they need it, numbers with a point.
QByteArray AnswerTable(const QList<AnswerRow>& rows);

}  // namespace vozaz2
