#!/usr/bin/env bash
# Configures and builds the game, its tests and the default asset tree into build/.
# BUILD_DIR picks another build folder, BUILD_TARGET builds one target instead of all;
# arguments go to the configure step and win over the defaults here.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZERKON_UNIT_TESTS=ON -DZERKON_E2E=ON -DZERKON_TEST_PER_CASE=ON -DZERKON_UNIT_TEST_OPTIONS= "$@" >/dev/null
cmake --build "$BUILD_DIR" -j"${JOBS:-$(nproc)}" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
