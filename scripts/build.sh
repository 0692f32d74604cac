#!/usr/bin/env bash
# Configures and builds the game, its tests and the default asset tree into build/.
# BUILD_DIR picks another build folder, BUILD_TARGET builds the targets it names (separated
# by spaces) instead of all; GAME_BUILD=1 configures the optimised build without the unit
# tests that the game's start and the main test run share; arguments go to the configure
# step and win over the defaults here.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
game=()
if [ "${GAME_BUILD:-0}" = 1 ]; then
  game=(-DZERKON_UNIT_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
        "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG")
fi
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZERKON_UNIT_TESTS=ON -DZERKON_E2E=ON -DZERKON_TEST_PER_CASE=ON -DZERKON_UNIT_TEST_OPTIONS= \
  "${game[@]}" "$@" >/dev/null
targets=()
for t in ${BUILD_TARGET:-}; do targets+=(--target "$t"); done
cmake --build "$BUILD_DIR" -j"${JOBS:-$(nproc)}" "${targets[@]}"
