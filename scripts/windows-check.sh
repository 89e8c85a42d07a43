#!/usr/bin/env bash
# Does the simulation core build and pass its tests on Windows? Cross-compiles
# the Qt-free core (model/, run/) and its tests with MinGW-w64 into
# build-mingw/, GoogleTest from Debian's source package, everything linked
# statically, and runs the tests under Wine with a private Wine prefix in the
# build folder (no display needed). Installs nothing: scripts/install-deps.sh
# test does (g++-mingw-w64-x86-64-posix, googletest, wine64).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-mingw

wine=$(command -v wine64 || true)
[ -n "$wine" ] || [ ! -x /usr/lib/wine/wine64 ] || wine=/usr/lib/wine/wine64
if [ -z "$wine" ] || ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "windows-check: needs wine64 and g++-mingw-w64-x86-64-posix (scripts/install-deps.sh test)" >&2
  exit 1
fi

cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVOZAZ2_CORE_ONLY=ON -DVOZAZ2_WINE="$wine" >/dev/null
cmake --build "$dir" -j "$(nproc)"

export WINEPREFIX="$PWD/$dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
log="$dir/core-tests.log"
status=0
"$wine" "$dir/tests/core/vozaz2_core_tests.exe" --gtest_brief=1 >"$log" 2>&1 || status=$?
for server in "$(dirname "$wine")"/wineserver64 "$(dirname "$wine")"/wineserver; do
  [ -x "$server" ] && { "$server" -k 2>/dev/null || true; break; }
done
grep -E '^\[  FAILED  \] [A-Za-z]' "$log" || true
count() { sed -n "s/^\[$1\] \([0-9]*\) tests\{0,1\}.*/\1/p" "$log" | tail -1 | grep . || echo 0; }
echo "windows-check: $(file -b "$dir/tests/core/vozaz2_core_tests.exe" | cut -d, -f1)," \
  "$("$wine" --version): $(count '  PASSED  ' || true) of $(count '==========' || true) core tests" \
  "passed, $(count "  SKIPPED " || true) skipped (${SECONDS} s)"
if [ "$status" -ne 0 ]; then
  echo "windows-check: the core tests failed under Wine (exit $status); see $log" >&2
  grep -v '^ *0000' "$log" | tail -20 >&2
  exit 1
fi
