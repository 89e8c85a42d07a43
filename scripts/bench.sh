#!/usr/bin/env bash
# Builds in Release (build-quality/) and prints the speed figures: one step of
# the experiment against Boost.Odeint's runge_kutta4 on the same equations and
# against four right-hand sides, the parts of a step, the headless runner's
# steps per second, a series of runs on 1 and 2 workers with its memory, and
# the window's pace (scripts/window-bench.sh).
# Figures only: nothing here fails because something is slow.
#   scripts/bench.sh [REPETITIONS]      (default 10; medians are printed)
set -euo pipefail
cd "$(dirname "$0")/.."
reps=${1:-10}
dir=build-quality

scripts/install-deps.sh bench

scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DVOZAZ2_BENCHMARKS=ON -DBUILD_TESTING=OFF

echo "== Machine"
lscpu | grep -E '^(Architecture|Model name|CPU\(s\)|Thread\(s\) per core|CPU max MHz):' || true
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
# The repetitions of all benchmarks run interleaved in random order, so that
# a change in the machine's load during the run spreads over all of them
# rather than favouring one side of a ratio.
echo "== One step (Google Benchmark, median of $reps interleaved repetitions)"
"$dir/bench/vozaz2-bench-step" --benchmark_repetitions="$reps" --benchmark_min_time=0.2 \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_color=false

echo
echo "== The headless runner: vozaz2-batch --steps 200000 (no CSV), median of 3"
times=()
for _ in 1 2 3; do
  start=$(date +%s%N)
  "$dir/app/vozaz2-batch" --steps 200000 >/dev/null
  times+=($(( $(date +%s%N) - start )))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
awk -v ns="$median" 'BEGIN { printf "  %.3f s for 200000 steps: %.0f steps/s (%.2f us per step, start-up included)\n", ns / 1e9, 200000 / (ns / 1e9), ns / 1e3 / 200000 }'

echo
# The same run with its table written: CPU time (user + system) of the two
# runs made one after the other, so that a busy machine weighs on both alike.
echo "== The headless runner with the CSV: --steps 200000 --csv, against the same run without, median of 3"
cpu_seconds() {  # the CPU time of a command, in seconds
  local TIMEFORMAT='%U %S'
  { time "$@" >/dev/null; } 2>&1 | awk '{ print $1 + $2 }'
}
table=$(mktemp)
ratios=()
for _ in 1 2 3; do
  plain=$(cpu_seconds "$dir/app/vozaz2-batch" --steps 200000)
  with=$(cpu_seconds "$dir/app/vozaz2-batch" --steps 200000 --csv "$table")
  ratios+=("$(awk -v a="$with" -v b="$plain" 'BEGIN { printf "%.3f %.3f %.3f", a / b, a, b }')")
done
rm -f "$table"
printf '%s\n' "${ratios[@]}" | sort -n | sed -n 2p | awk '{ printf "  %.2f times the run without CSV (%.3f s against %.3f s of CPU); %.0f rows/s for the table alone\n", $1, $2, $3, 200000 / ($2 - $3) }'

echo
# Wall time on 1 and on 2 workers (the least of 5 tries by turns), and the
# peak memory after series of 10^2, 10^3 and 10^4 runs.
echo "== A series of runs: 64 runs of 4000 steps on 1 and on 2 workers; the memory of 10^4 runs"
"$dir/bench/vozaz2-bench-series" 2 5

echo
echo "== The window"
scripts/window-bench.sh
