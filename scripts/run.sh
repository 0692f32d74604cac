#!/usr/bin/env bash
# One command: install what is missing, build, lay out the asset tree, start the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/zerkon "$@"
