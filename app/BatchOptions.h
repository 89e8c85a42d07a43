// The headless runner's command line: what each option means, the help text,
// and the command line read into what to run and what to write. Every
// message is Russian and names what is wrong.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

#include "run/Scenario.h"
#include "run/Series.h"

namespace vozaz2::batch {

// Exit statuses.
inline constexpr int kUsageError = 1;
inline constexpr int kBadParameter = 2;
inline constexpr int kDiverged = 3;
inline constexpr int kWriteFailed = 4;

struct Command {
  Scenario scenario;  // the options' own; a --setup file goes under them
  std::optional<QString> setup, saveSetup, csv, table, png, report, svg;
  bool accuracy = false;  // a twin at half the step estimates the errors
  QStringList answers;    // --answers: the students' files, checked and tabled instead of a run
  bool help = false, version = false;
  // A series (app/BatchSeries.h): its file, or one parameter over a range,
  // with the model time of each run, the results, the workers, and one run
  // of it alone (from 1).
  std::optional<QString> series;
  std::optional<SeriesRange> vary;
  bool log = false;
  std::optional<double> time;
  std::optional<std::vector<SeriesColumn>> collect;
  unsigned jobs = 0;  // 0: the machine's cores
  std::optional<long long> run;
  bool IsSeries() const { return series || vary; }
};

// What is wrong with a command line: the exit status and the message.
struct Problem {
  int status;
  QString what;
};

// Reads the arguments (without the program's name). Parameters take the
// text the window's boxes take, with `separator` or '.'.
std::variant<Command, Problem> ReadCommandLine(const QStringList& args, char separator);

// The help text, in Russian, with the folder of the installed lessons.
QString HelpText(const QString& lessons);

}  // namespace vozaz2::batch
