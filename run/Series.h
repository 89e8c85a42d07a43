// A series of runs: one experiment made again and again with one of its
// eleven parameters changed over a range (evenly, or evenly in logarithms),
// or a list of experiment files, one a run; each run goes for the steps or
// the model time the series gives it, and leaves one row of results: the end
// values of readout quantities, their least and greatest values over the
// run, the drift of the angular momentum and of the energy balance, the time
// of a divergence. The law across the runs is read from the rows
// (run/LineFit.h); run/SeriesRun.h makes the runs, run/SeriesTable.h writes
// the rows as text.
//
// Every run of a series is an experiment of its own (SeriesPlan::RunScenario):
// saved and run alone it gives the very same numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/Scenario.h"

namespace vozaz2 {

// One result of a run: a column of the series' table.
struct SeriesColumn {
  enum class Kind {
    kEnd,            // the quantity's value after the last step that ended normally
    kLeast,          // its least value over the steps
    kGreatest,       // its greatest value over the steps
    kMomentumDrift,  // the largest |MKD2 - MKD1| / |MKD1| over the run
    kBalanceDrift,   // the largest |balance| / E1 over the run
    kDivergence,     // T when the run diverged (none when it did not)
  };
  Kind kind = Kind::kEnd;
  std::size_t quantity = 0;  // kEnd, kLeast, kGreatest: an index into kQuantities
  bool operator==(const SeriesColumn&) const = default;
};

// The column's key in files, on the command line and in the CSV header:
// "R2" (the end value), "min:R2", "max:R2", "driftMKD", "driftBalance",
// "Tdiv". Any key of kQuantities goes with the first three.
std::string ColumnKey(const SeriesColumn& c);
std::optional<SeriesColumn> ColumnNamed(std::string_view key);
// What it is, in Russian ("R2 в конце", "наибольшее FL", "дрейф MKD"), and
// its unit (empty for a pure number).
std::string ColumnName(const SeriesColumn& c);
std::string_view ColumnUnit(const SeriesColumn& c);
// Whether the column needs the run's history (run/RunHistory.h).
bool NeedsHistory(const SeriesColumn& c);
// R2, w2 and MKD2 at the end, the drift of MKD, the time of a divergence.
std::vector<SeriesColumn> DefaultColumns();

// The unit of a parameter, in the order of kParameterNames ("м", "рад/с").
std::string_view ParameterUnit(std::size_t parameter);

// One parameter over a range: `count` values from `from` to `to`, both
// included, evenly spaced, or evenly spaced in their logarithms.
struct SeriesRange {
  std::size_t parameter = 4;  // in the order of kParameterNames: VL
  double from = 0, to = 0;
  long long count = 2;
  bool logarithmic = false;
  bool operator==(const SeriesRange&) const = default;
};
// The value of run i (from 0): exactly `from` and `to` at the ends.
double RangeValue(const SeriesRange& r, long long i);

inline constexpr long long kMaxSeriesRuns = 100'000;
// The longest model time a series may ask for.
inline constexpr double kMaxSeriesTime = 1e9;

// A series as a file or a command line gives it.
struct Series {
  std::optional<SeriesRange> range;  // one parameter over a range, or else
  std::vector<std::string> files;    // these experiment files, one a run
  // Each run makes so many steps, or runs until its model time T reaches
  // `time`; with neither, as its experiment says.
  std::optional<long long> steps;
  std::optional<double> time;
  std::vector<SeriesColumn> collect = DefaultColumns();
  bool operator==(const Series&) const = default;
};

// Why the series cannot be run, in a few Russian words, or nothing: a range
// or files (not both), at least one run and at most kMaxSeriesRuns, finite
// ends (positive for a logarithmic range), steps or a time (not both) within
// their bounds, at least one result, none twice.
std::optional<std::string> SeriesProblem(const Series& s);

// How many steps from T = 0 make T reach `time` at a step of p0, the model
// time growing by p0 a step as the run's does (at most kMaxSteps).
long long StepsToReach(double p0, double time);

// A series ready to run: its experiment and its files' experiments.
struct SeriesPlan {
  Series series;
  Scenario base;                     // what every run of a range starts from
  std::vector<Scenario> experiments;  // the files of series.files, read, in their order

  long long Count() const;
  // Run i (from 0) as an experiment of its own: the base with the
  // parameter's value, or the file's experiment; its steps are the series'
  // (a time as the steps that reach it), or its own.
  Scenario RunScenario(long long i) const;
  // The parameter's value in run i; NaN for a series of files.
  double Value(long long i) const;
};

// How a run of a series ended.
enum class SeriesEnd {
  kComplete,  // made its steps
  kDiverged,  // the divergence message ended it: the values are of its last normal step
  kRefused,   // it could not start (its parameters, or more than kMaxSteps to its end)
  kStopped,   // the series was cancelled during it
};
// In Russian: "завершён", "разошёлся", "не начат", "прерван".
std::string_view EndName(SeriesEnd end);

// The row of one run.
struct SeriesRow {
  long long run = 0;  // from 0
  SeriesEnd end = SeriesEnd::kComplete;
  long long steps = 0;
  // The law across runs: the radius and angular speed at the start and at
  // the last normal step, the speed about the axis: (X·VY − Y·VX) / R²
  // with R² = X² + Y² (the readout's w2 = V2/R2 counts the radial speed too,
  // which the law does not).
  double R1 = 0, w1 = 0, R2 = 0, w2 = 0;
  std::vector<double> values;  // one a column of the series; NaN: none
};

}  // namespace vozaz2
