// The task part of an experiment file (format version 2): the question, the
// quantity and its moment, the tolerance, what is kept from the student until
// the run has answered, the foreseen wrong answers, and the student's answers.
//
//   "task": {
//       "question": "...",                      required
//       "quantity": "w2",                       required: one of the readout's
//       "when": "end" | {"T": 5} | {"R2": 0.5}, the run's end (default), or a quantity reaching a value
//       "tolerance": {"relative": 0.05} | {"absolute": 0.1},   required
//       "hide": ["w2", "MKD2"],                 boxes that show nothing until the answer
//       "hideGraphs": true,                     no graphs window until the answer
//       "lockParameters": true,                 the parameters and controls as set
//       "wrong": [{"value": 4, "feedback": "..."}],
//       "answers": {"student": "...", "prediction": 8, "reasoning": "...",
//                   "observed": 7.98, "explanation": "..."}
//   }
#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <optional>

#include "run/Task.h"

namespace vozaz2 {

// Reads the value of "task"; the problem, in Russian, names the key.
std::optional<QString> ReadTask(const QJsonValue& v, Task& t);

// Appends ",\n    \"task\": {...}" in the file's indentation, the keys in
// the order above, only what is set.
void AppendTask(QByteArray& out, const Task& t);

}  // namespace vozaz2
