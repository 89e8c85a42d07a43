#!/usr/bin/env bash
# Line coverage of the simulation core (model/ and run/) by the whole test
# suite: builds with gcov instrumentation into build-cov/, runs every test,
# and prints the coverage per file with the lines no test reaches. The
# target is 90 % of the core's lines; the script fails below it.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-cov
target=90

scripts/install-deps.sh cover

scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Debug -DVOZAZ2_COVERAGE=ON -DVOZAZ2_BENCHMARKS=OFF
find "$dir" -name '*.gcda' -delete
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" -j "$(nproc)" --output-on-failure ||
  echo "coverage: some tests failed; the coverage below is of what ran"

echo
echo "== Line coverage of the core (model/ and run/)"
gcovr --root . --object-directory "$dir" --filter 'model/' --filter 'run/' \
  --exclude-unreachable-branches --txt - --print-summary | tee "$dir/coverage.txt"
percent=$(awk '/^lines:/ { sub("%", "", $2); print $2 }' "$dir/coverage.txt")
if awk -v p="$percent" -v t="$target" 'BEGIN { exit !(p + 0 >= t) }'; then
  echo "core line coverage ${percent}% (target ${target}%)"
else
  echo "core line coverage ${percent}% is below the target of ${target}%; the Missing column lists the lines" >&2
  exit 1
fi
