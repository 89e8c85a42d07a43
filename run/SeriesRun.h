// The runs of a series, headless and in parallel. Each worker thread has a
// session of its own, drawing nowhere, and takes the next run as it finishes
// one: nothing is shared between the runs but constant tables, so the runs
// never wait for one another. The rows are handed over in the order of the
// runs, whatever order they finish in, so any number of workers gives the
// same table; a row is kept only until it is handed over, and nothing of a
// run but its row outlives it.
#pragma once

#include <atomic>
#include <functional>

#include "run/Series.h"
#include "run/Session.h"

namespace vozaz2 {

// What a session needs to make the runs of the series: no drawings, the
// history only for the columns that read it.
Session::Options SeriesSessionOptions(const Series& s);

// Makes run i of the plan on the session (made with SeriesSessionOptions)
// and returns its row. Once `cancel` is set the run stops after its step
// (its row says kStopped).
SeriesRow RunOne(Session& session, const SeriesPlan& plan, long long i, const std::atomic<bool>* cancel = nullptr);

// The machine's cores, at least 1.
unsigned DefaultJobs();

// Makes every run of the plan on `jobs` threads, this one among them, and
// hands each row to `row` in the order of the runs, one at a time, from any
// of the threads. Once `cancel` is set no run begins, the runs under way
// stop, and no row is handed over after the first run that did not finish.
// Returns the number of rows handed over.
long long RunSeries(const SeriesPlan& plan, unsigned jobs, const std::function<void(const SeriesRow&)>& row,
                    const std::atomic<bool>* cancel = nullptr);

}  // namespace vozaz2
