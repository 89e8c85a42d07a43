#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The Debian package made from that build, installed, tried and removed.
echo "== The Debian package"
scripts/package-check.sh build

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
# The floating-point faults that a diverging run raises on purpose are IEEE
# status flags, not sanitizer errors: -fsanitize=undefined does not include
# float-divide-by-zero or float-cast-overflow in gcc. Leaks inside the font
# and platform libraries that Qt's widget tests load are suppressed by
# library (tests/quality/lsan.supp); leaks in our own code are not.
echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DVOZAZ2_SANITIZE=ON -DVOZAZ2_BENCHMARKS=OFF
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/quality/lsan.supp":print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

# The Qt-free core and its tests, cross-built for Windows and run under Wine.
echo "== The core on Windows (MinGW-w64, Wine)"
scripts/windows-check.sh
