#!/usr/bin/env bash
# One command: install what is missing, build, then run every test:
# the full suite, the unit tests again under ASan+UBSan, and a short fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

echo "== build"
scripts/build.sh
echo "== tests"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
BUILD_DIR=build-asan scripts/build.sh -DZERKON_SANITIZE=ON -DZERKON_ASSETS=OFF -DZERKON_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" -L unit)

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzz"
  scripts/fuzz.sh
fi
