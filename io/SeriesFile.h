// The series part of an experiment file (version 2 of the format): the
// runs that the file's experiment makes as a series (run/Series.h).
//
//   "series": {
//       "vary": {"parameter": "VL", "from": 0.02, "to": 0.4, "count": 20, "scale": "linear"},
//       "files": ["01-string-up-cone.vozaz2", ...],   instead of "vary": one run a file
//       "steps": 2400,                               or "time": 12 (s of model time);
//                                                    neither: as each experiment says
//       "collect": ["R2", "w2", "MKD2", "driftMKD", "Tdiv", "max:FL"]
//   }
//
// "scale" is "linear" (the default) or "log"; "collect" is the default
// columns when left out. The files are named relative to the series' file.
// Anything else is refused with its problem named in Russian.
#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <variant>

#include "io/ExperimentFile.h"
#include "run/Series.h"

namespace vozaz2 {

// Reads the part's value into `series`; returns the problem, or nothing.
std::optional<QString> ReadSeriesPart(const QJsonValue& v, std::optional<Series>& series);
// Writes the part's value (an object), indented as the experiment's keys.
void AppendSeriesPart(QByteArray& out, const Series& s);

// The series of a document ready to run: its files read from `folder` (a
// name that is absolute stays so). A file that cannot be read, or is no
// runnable experiment, is a problem that names it. The document must have
// a series.
std::variant<SeriesPlan, FileProblem> PlanOf(const ExperimentDocument& d, const QString& folder);
// The same from a series' file.
std::variant<SeriesPlan, FileProblem> ReadSeriesFile(const QString& path);

}  // namespace vozaz2
