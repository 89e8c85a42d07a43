#!/usr/bin/env bash
# Installs what is missing, builds, and runs the default experiment headless:
# its numbers as CSV and its two screens as PNG pictures under out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
mkdir -p out
build/app/vozaz2-batch --csv out/default.csv --png out/default "$@"
echo "The default experiment ran headless: numbers in $(pwd)/out/default.csv,"
echo "screens in $(pwd)/out/default-oscillogram.png and $(pwd)/out/default-path.png"
