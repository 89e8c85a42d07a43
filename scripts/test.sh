#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"
