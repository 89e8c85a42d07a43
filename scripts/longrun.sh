#!/usr/bin/env bash
# Long runs: does memory stay flat?
#  1. Headless: a default run of 10^6 steps (QImage screens, boxes in memory,
#     as the headless runner steps), with the peak memory (VmHWM) after 10^5
#     and after 10^6 steps. They must be equal; the script fails if not.
#  2. The main window under Xvfb in a long default run, with its memory at the
#     start and at the end (figures only); then the same with the graphs
#     window open, and with the window "Установка" open.
#   scripts/longrun.sh [STEPS] [WINDOW_SECONDS]     (defaults 1000000 and 600)
set -euo pipefail
cd "$(dirname "$0")/.."
steps=${1:-1000000}
window_seconds=${2:-600}
dir=build-quality

scripts/install-deps.sh bench
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DVOZAZ2_BENCHMARKS=ON -DBUILD_TESTING=OFF

echo "== Headless: $steps steps"
out=$("$dir/bench/vozaz2-longrun" "$steps" 100000)
echo "$out"
hwm_at() { echo "$out" | awk -v n="$1" '$1 == "after" && $2 == n { print $5 }'; }
first=$(hwm_at 100000)
last=$(hwm_at "$steps")
if [ -z "$first" ] || [ -z "$last" ]; then
  echo "longrun: no reading after 100000 or after $steps steps" >&2
  exit 1
fi
if [ "$first" != "$last" ]; then
  echo "longrun: the peak memory grew from $first kB after 100000 steps to $last kB after $steps steps" >&2
  exit 1
fi
echo "peak memory after 100000 and after $steps steps: $first kB, equal"

echo
echo "== The window under Xvfb: $window_seconds s of a default run"
if ! command -v xvfb-run >/dev/null; then
  echo "  xvfb-run is missing (package xvfb): skipped."
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/bench/vozaz2-window-longrun" "$window_seconds" 60
  echo
  echo "== The window with the graphs window open: $window_seconds s of a default run"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/bench/vozaz2-window-longrun" "$window_seconds" 60 --graphs
  echo
  echo "== The window with the window \"Установка\" open: $window_seconds s of a default run"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/bench/vozaz2-window-longrun" "$window_seconds" 60 --apparatus
fi
