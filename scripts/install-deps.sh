#!/usr/bin/env bash
# Installs the Debian 12 packages that one purpose needs, and nothing more:
#   run    building the programs and running them (scripts/run.sh)
#   test   run's, and what every test of scripts/test.sh needs
#   bench  run's, and the benchmark programs (scripts/bench.sh, window-bench.sh,
#          longrun.sh)
#   fuzz   run's, and clang with libFuzzer (scripts/fuzz.sh)
#   cover  test's, and gcovr (scripts/coverage.sh)
# Several purposes may be named. Does nothing when everything is already
# there; uses sudo when not run as root.
#   scripts/install-deps.sh run|test|bench|fuzz|cover ...
set -euo pipefail

# Building and running. qt6-base-dev brings the platform plugins (xcb for the
# window, offscreen for the headless runner) and Qt Test, which the build's
# find_package asks for. DejaVu Sans draws the lab report and the artwork;
# the window's own font is built into the program. Qt's translations make
# its dialogs and message-box buttons speak Russian.
run=(
  build-essential cmake ninja-build
  qt6-base-dev qt6-svg-dev libqcustomplot-dev qt6-translations-l10n
  fonts-dejavu-core
)
# The tests: GoogleTest (its source too, for the Windows cross-build), Qt's
# private headers (the announcement test switches accessibility on), the
# ru_RU locale's source for the decimal-comma tests, pdftotext for the report
# test; the screen-reader test's X server, D-Bus, AT-SPI bus and registry,
# reader and keys; the Debian package's dependencies, checks and manual
# pages; MinGW-w64 and Wine for the core on Windows.
test=(
  libgtest-dev googletest qt6-base-private-dev locales poppler-utils
  xvfb dbus at-spi2-core python3-pyatspi xdotool
  dpkg-dev file desktop-file-utils lintian man-db
  g++-mingw-w64-x86-64-posix wine64
)
# Google Benchmark and Boost.Odeint; xvfb-run (with xauth) for the window.
bench=(libbenchmark-dev libboost-dev xvfb xauth)
fuzz=(clang libclang-rt-14-dev)
cover=(gcovr)

[ $# -gt 0 ] || { echo "usage: $0 run|test|bench|fuzz|cover ..." >&2; exit 2; }
packages=()
for purpose in "$@"; do
  case $purpose in
    run) packages+=("${run[@]}") ;;
    test) packages+=("${run[@]}" "${test[@]}") ;;
    bench) packages+=("${run[@]}" "${bench[@]}") ;;
    fuzz) packages+=("${run[@]}" "${fuzz[@]}") ;;
    cover) packages+=("${run[@]}" "${test[@]}" "${cover[@]}") ;;
    *) echo "$0: unknown purpose '$purpose' (run, test, bench, fuzz or cover)" >&2; exit 2 ;;
  esac
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
