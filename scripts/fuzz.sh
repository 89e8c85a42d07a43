#!/usr/bin/env bash
# Fuzzes the core with libFuzzer (clang, AddressSanitizer and UndefinedBehavior-
# Sanitizer) for the given time per target, and prints the executions and
# the findings of each. The corpora grow in build-fuzz/corpus/; a finding
# (crash, sanitizer report, broken property, timeout) is saved under
# build-fuzz/findings/ and makes the script fail.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]     (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
dir=build-fuzz
targets=(number_text experiment experiment_file)

scripts/install-deps.sh fuzz

cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVOZAZ2_FUZZ=ON -DVOZAZ2_SANITIZE=ON -DBUILD_TESTING=OFF -DVOZAZ2_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]/#/vozaz2_fuzz_}"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1
status=0
summary=()
for t in "${targets[@]}"; do
  corpus="$dir/corpus/$t"
  findings="$dir/findings/$t/"
  mkdir -p "$corpus" "$findings"
  seeds=()
  [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
  [ "$t" = experiment_file ] && seeds+=(examples)  # the lessons shipped
  dict=()
  [ -f "fuzz/$t.dict" ] && dict=("-dict=fuzz/$t.dict")
  before=$(find "$findings" -type f | wc -l)
  echo "== $t: $seconds s"
  log="$dir/$t.log"
  set +e
  "$dir/fuzz/vozaz2_fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings" "${dict[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1
  rc=$?
  set -e
  runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log" | tail -1)
  speed=$(awk '/stat::average_exec_per_sec/ { print $2 }' "$log" | tail -1)
  found=$(( $(find "$findings" -type f | wc -l) - before ))
  line="$t: ${runs:-?} executions (${speed:-?}/s), corpus $(find "$corpus" -type f | wc -l) inputs, $found new findings"
  if [ "$rc" -ne 0 ] || [ "$found" -gt 0 ]; then
    status=1
    line="$line (exit $rc; see $log and $findings)"
    grep -E "ERROR|runtime error|_fuzz:|SUMMARY" "$log" | head -5 || true
  fi
  echo "$line"
  summary+=("$line")
done
echo
echo "== Fuzzing summary"
printf '  %s\n' "${summary[@]}"
exit $status
