// vozaz2-bench-series: a series of runs on one worker and on several, and
// the memory of long series.
//
// The speed: 64 runs of 4000 steps (VL from 0.02 to 0.4 m/s, the default
// results: R2, w2, MKD2, the drift of MKD, the time of a divergence) on 1 and
// on N workers, the wall time of each the least of REPS tries made by turns,
// so that a change in the machine's load weighs on both alike; the ratio is
// the speed-up. The memory: the peak resident size of the process after
// series of 10^2, 10^3 and 10^4 runs of 100 steps whose rows are handed over
// and dropped, as the runner's table does: a flat peak keeps nothing per run.
// Figures only: nothing here fails because something is slow.
//
//   vozaz2-bench-series [WORKERS [REPS]]     (defaults 2 and 5)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "bench/ProcStatus.h"
#include "run/SeriesRun.h"

namespace {

using namespace vozaz2;

SeriesPlan VlSeries(long long runs, long long steps) {
  SeriesPlan plan;
  plan.series.range = SeriesRange{*ParameterIndex("VL"), 0.02, 0.4, runs, false};
  plan.series.steps = steps;
  return plan;
}

struct Timing {
  double wall = 0, cpu = 0;  // s
};

Timing TimeSeries(const SeriesPlan& plan, unsigned jobs) {
  long long rows = 0;
  const std::clock_t cpu0 = std::clock();
  const auto wall0 = std::chrono::steady_clock::now();
  RunSeries(plan, jobs, [&](const SeriesRow&) { ++rows; });
  const auto wall1 = std::chrono::steady_clock::now();
  const std::clock_t cpu1 = std::clock();
  if (rows != plan.Count()) std::fprintf(stderr, "vozaz2-bench-series: %lld rows of %lld\n", rows, plan.Count());
  return {std::chrono::duration<double>(wall1 - wall0).count(), static_cast<double>(cpu1 - cpu0) / CLOCKS_PER_SEC};
}

}  // namespace

int main(int argc, char** argv) {
  const unsigned workers = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 2;
  const int reps = argc > 2 ? std::atoi(argv[2]) : 5;
  if (workers < 1 || reps < 1) {
    std::fprintf(stderr, "usage: vozaz2-bench-series [WORKERS [REPS]]\n");
    return 1;
  }
  bench::NoteMissingFigures();
  const SeriesPlan plan = VlSeries(64, 4000);
  Timing one{1e300, 0}, many{1e300, 0};
  for (int r = 0; r < reps; ++r) {
    const Timing a = TimeSeries(plan, 1), b = TimeSeries(plan, workers);
    if (a.wall < one.wall) one = a;
    if (b.wall < many.wall) many = b;
  }
  const double steps = 64.0 * 4000;
  std::printf("64 runs of 4000 steps, least wall time of %d tries (machine: %u cores)\n", reps, DefaultJobs());
  std::printf("  1 worker:   %.3f s (CPU %.3f s), %.0f steps/s\n", one.wall, one.cpu, steps / one.wall);
  std::printf("  %u workers:  %.3f s (CPU %.3f s), %.0f steps/s\n", workers, many.wall, many.cpu, steps / many.wall);
  std::printf("  speed-up: %.2f times on %u workers\n", one.wall / many.wall, workers);

  std::printf("memory of series of runs of 100 steps, their rows dropped as they come:\n");
  for (long long runs : {100LL, 1000LL, 10000LL}) {
    TimeSeries(VlSeries(runs, 100), workers);
    std::printf("  after %6lld runs: VmHWM %7ld kB  VmRSS %7ld kB\n", runs, bench::StatusKb("VmHWM"),
                bench::StatusKb("VmRSS"));
  }
  return 0;
}
