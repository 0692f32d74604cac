#!/usr/bin/env bash
# One command: install what is missing, build the game and its asset tree (no tests or
# benchmarks: scripts/test.sh builds those into the same folder), start the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
GAME_BUILD=1 BUILD_TARGET="zerkon zerkon_assets zerkon_preload" scripts/build.sh
exec build/zerkon "$@"
