// The runner's series: the options that ask for one, the series a command
// describes, and the series made, with its table of results (one row a run,
// in the order of the runs whatever the number of workers), its report, or
// its file.
//
//   vozaz2-batch --series FILE            the series of a file (io/SeriesFile.h)
//   vozaz2-batch --vary VL=0.02:0.4:20    one parameter over a range (--log: evenly in logarithms)
//   ... --steps N | --time T              how long each run goes
//   ... --collect R2,w2,max:FL,driftMKD   the results (run/Series.h)
//   ... --jobs N                          workers (the machine's cores)
//   ... --run K                           run K alone, as an experiment of its own
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "app/BatchOptions.h"

namespace vozaz2::batch {

// Whether --NAME is one of the series' options that take a value.
bool IsSeriesOption(const QString& name);
// Takes one of them into the command.
std::optional<Problem> TakeSeriesOption(Command& c, const QString& name, const QString& value, char separator);
// A series' option without a series, or nothing.
std::optional<Problem> SeriesOptionsProblem(const Command& c);
// Their part of the help text.
QString SeriesHelp();

// Makes the series the command describes on the experiment `base` (the
// command's, on the series' file's or --setup's): writes its table (--csv,
// --table; standard output when no output is named), its report, or with
// --save-setup its file. With --run K, run K is handed to `alone` as an
// experiment of its own. Returns the exit status.
int ExecuteSeries(const Command& c, const Scenario& base, const std::function<int(const Scenario&)>& alone);

}  // namespace vozaz2::batch
