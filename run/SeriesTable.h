// The rows of a series as a table of text, one line a run: its number (from
// 1), the parameter's value or the experiment's file, how it ended, the
// steps it made, then the results collected. Numbers are written as the
// run's own table writes them (run/CsvRows.h), the shortest text that reads
// back as the same double, so that a run's end values here read character
// for character as the last row of its own table. A value that a run has
// not (the time of a divergence that did not happen, the results of a run
// that did not start) is an empty field.
#pragma once

#include <string>

#include "run/CsvRows.h"
#include "run/Series.h"

namespace vozaz2 {

// The header, with its line end: "run,VL,end,steps,R2,w2,..."; labelled,
// "опыт", "VL, м/с", "итог", "шагов", then each result's name and unit.
std::string SeriesHeader(const SeriesPlan& plan, const CsvDialect& dialect = {});
// The line of a row, with its line end.
std::string SeriesLine(const SeriesPlan& plan, const SeriesRow& row, const CsvDialect& dialect = {});
// A number as the table writes it (empty for NaN), with the dialect's
// decimal separator.
std::string SeriesNumber(double v, char decimal = '.');

}  // namespace vozaz2
