#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program: the main window
# opens with the default experiment ready to start ("Начать"). Where there is
# no display (no DISPLAY or WAYLAND_DISPLAY), it says so and runs the default
# experiment headless instead: its numbers as CSV and its two screens as PNG
# pictures under out/. Installs and builds only what the programs need: no
# tests (they would need GoogleTest).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
scripts/build.sh build -DBUILD_TESTING=OFF
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/vozaz2 "$@"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the default experiment headless."
mkdir -p out
build/app/vozaz2-batch --csv out/default.csv --png out/default "$@"
echo "The default experiment ran headless: numbers in $(pwd)/out/default.csv,"
echo "screens in $(pwd)/out/default-oscillogram.png and $(pwd)/out/default-path.png"
