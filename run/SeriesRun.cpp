#include "run/SeriesRun.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <mutex>
#include <thread>

#include "run/Quantities.h"
#include "run/Replay.h"

namespace vozaz2 {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

using Kind = SeriesColumn::Kind;

// The values a row takes after every step that ended normally: a run
// without one has none.
class Collector {
 public:
  Collector(const std::vector<SeriesColumn>& columns, SeriesRow& row) : row_(row) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const Kind k = columns[c].kind;
      if (k == Kind::kEnd || k == Kind::kLeast || k == Kind::kGreatest)
        tracked_.push_back({kQuantities[columns[c].quantity].read, &row.values[c], k});
    }
  }

  void Step(const SimRecord& r) {
    for (const Tracked& t : tracked_) {
      const double v = t.read(r);
      if (t.kind == Kind::kEnd) *t.slot = v;
      else if (std::isfinite(v) && (std::isnan(*t.slot) || (t.kind == Kind::kLeast ? v < *t.slot : v > *t.slot)))
        *t.slot = v;
    }
    // The angular speed about the axis from the load's place and velocity
    // (the readout's w2 = V2/R2 counts its radial speed too).
    row_.R2 = std::hypot(r.X, r.Ycoord);
    row_.w2 = (r.X * r.VY - r.Ycoord * r.VX) / (row_.R2 * row_.R2);
  }

 private:

  struct Tracked {
    double (*read)(const SimRecord&);
    double* slot;
    Kind kind;
  };
  SeriesRow& row_;
  std::vector<Tracked> tracked_;
};

// The columns read from the run as a whole, once it ended.
void Finish(const Session& session, const std::vector<SeriesColumn>& columns, SeriesRow& row) {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].kind == Kind::kMomentumDrift) row.values[c] = session.History().MaxMomentumDrift();
    if (columns[c].kind == Kind::kBalanceDrift) row.values[c] = session.History().MaxBalanceRatio();
    if (columns[c].kind == Kind::kDivergence && row.end == SeriesEnd::kDiverged) row.values[c] = session.Record().T0;
  }
}

}  // namespace

Session::Options SeriesSessionOptions(const Series& s) {
  return {false, std::any_of(s.collect.begin(), s.collect.end(), NeedsHistory)};
}

SeriesRow RunOne(Session& session, const SeriesPlan& plan, long long i, const std::atomic<bool>* cancel) {
  const Scenario scenario = plan.RunScenario(i);
  const std::vector<SeriesColumn>& columns = plan.series.collect;
  SeriesRow row;
  row.run = i;
  row.values.assign(columns.size(), kNone);
  row.R1 = row.w1 = row.R2 = row.w2 = kNone;
  const Outcome start = StartReplay(session, scenario);
  const SimRecord& r = session.Record();
  if (!start.message.empty() || (!scenario.steps && !EndsWithinLimit(r))) {
    row.end = SeriesEnd::kRefused;
    return row;
  }
  row.R1 = r.R1;
  row.w1 = r.w1;
  Collector collector(columns, row);
  const RunEnd end = ReplaySteps(session, scenario.steps, [&](long long done) {
    collector.Step(r);
    row.steps = done;
    return !(cancel && cancel->load(std::memory_order_relaxed));
  });
  row.end = end == RunEnd::kDiverged ? SeriesEnd::kDiverged
            : end == RunEnd::kStopped ? SeriesEnd::kStopped
                                      : SeriesEnd::kComplete;
  Finish(session, columns, row);
  return row;
}

unsigned DefaultJobs() { return std::max(1u, std::thread::hardware_concurrency()); }

long long RunSeries(const SeriesPlan& plan, unsigned jobs, const std::function<void(const SeriesRow&)>& row,
                    const std::atomic<bool>* cancel) {
  const long long count = plan.Count();
  const Session::Options options = SeriesSessionOptions(plan.series);
  std::atomic<long long> next{0};
  std::mutex handing;
  std::map<long long, SeriesRow> waiting;  // finished before a run ahead of them
  long long handed = 0;
  auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
  auto work = [&] {
    NullSurface oscillogram, path;
    Session session(oscillogram, path, options);
    for (long long i; !cancelled() && (i = next++) < count;) {
      SeriesRow done = RunOne(session, plan, i, cancel);
      if (done.end == SeriesEnd::kStopped) return;
      const std::lock_guard lock(handing);
      waiting.emplace(i, std::move(done));
      for (auto it = waiting.begin(); it != waiting.end() && it->first == handed; it = waiting.erase(it), ++handed)
        if (row) row(it->second);
    }
  };
  const long long threads = std::clamp<long long>(jobs, 1, std::max(1LL, count));
  std::vector<std::thread> others;
  for (long long t = 1; t < threads; ++t) others.emplace_back(work);
  work();
  for (std::thread& t : others) t.join();
  return handed;
}

}  // namespace vozaz2
