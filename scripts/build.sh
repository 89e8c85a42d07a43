#!/usr/bin/env bash
# Configures and builds the project into build/ (or the folder given as $1,
# with any further arguments passed to cmake). The tests are built unless an
# argument says -DBUILD_TESTING=OFF (as scripts/run.sh does): a folder that
# run.sh configured without them gets them back here.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DBUILD_TESTING=ON "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
