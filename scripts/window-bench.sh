#!/usr/bin/env bash
# Does the main window keep pace with its 1 ms timer? Builds the measuring
# program (Release), then under Xvfb runs an empty precise 1 ms timer and the
# window during a default run, each for the given seconds (default 10), and
# prints both rates, their ratio, the cost of a tick and of a repaint.
# With --tempo real, slow or all, the run goes at that tempo (all: as fast as
# possible, in real time and slowed, in turn) and its steps per second are
# printed against the tempo's own (1/P0 = 200 in real time, 40 slowed).
# With --zoom PERCENT (125, 150, 200) the window is zoomed so.
# With --graphs the graphs window is open during the run, showing its
# ready-made views in turn (--graphs-shots PREFIX saves each view as a PNG).
# With --apparatus the window "Установка" is open during the run, with every
# vector (--apparatus-shot FILE saves it at the end).
# Figures only: this is not a test and never fails on time.
#   scripts/window-bench.sh [--seconds S] [--tempo fast|real|slow|all] [--zoom PERCENT]
#                           [--screenshot FILE [--shot-after S]]
#                           [--graphs] [--graphs-shots PREFIX] [--apparatus]
#                           [--apparatus-shot FILE] [--dumbbell] [--split]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh bench
dir=build-window-bench
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVOZAZ2_BENCHMARKS=ON >/dev/null
cmake --build "$dir" --target vozaz2-window-bench -j "$(nproc)" >/dev/null
args=("$@")
[ ${#args[@]} -eq 0 ] && args=(--seconds 10)
echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"
xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/bench/window/vozaz2-window-bench" "${args[@]}" \
  2> >(grep -v 'XDG_RUNTIME_DIR' >&2)
