#!/usr/bin/env bash
# One command: install what is missing, build, then run every test once:
#  - build/: the game, its asset tree and the asset, picture and end-to-end tests, optimised
#    and without debug info (nothing here runs under a debugger; it only slows the build);
#  - build-asan/: the unit tests alone, under AddressSanitizer + UndefinedBehaviorSanitizer,
#    on build/'s asset tree, each test binary run once;
#  - a short fuzz run of the file readers.
# Each test binary is compiled once. JOBS overrides the parallelism (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
scripts/install-deps.sh
export JOBS="${JOBS:-$(nproc)}"

echo "== build"
GAME_BUILD=1 scripts/build.sh
echo "== tests"
(cd build && ctest --output-on-failure -j"$JOBS")

echo "== unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
# The game's code at -O1 as the sanitizers advise (as good at finding faults, much quicker to
# compile than -O2), the test sources at -O0; line tables (-g1) are all the reports need.
BUILD_DIR=build-asan BUILD_TARGET=unit_tests scripts/build.sh -DZERKON_SANITIZE=ON \
  -DZERKON_ASSETS=OFF -DZERKON_BENCH=OFF -DZERKON_E2E=OFF -DZERKON_TEST_PER_CASE=OFF \
  -DZERKON_TEST_TREE_BUILD_DIR="$root/build" -DZERKON_UNIT_TEST_OPTIONS=-O0 \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$JOBS" -L unit)

if [ -x scripts/fuzz.sh ]; then
  echo "== fuzz"
  scripts/fuzz.sh
fi
