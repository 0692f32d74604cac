#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one briefly from its seed corpus.
# FUZZ_SECONDS sets the run time per target (default 30).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-30}"
jobs="${JOBS:-$(nproc)}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZERKON_FUZZ=ON -DZERKON_ASSETS=OFF -DZERKON_BENCH=OFF >/dev/null

run() {  # target, seed folder
  local target="$1" seeds="$2"
  cmake --build "$build" --target "$target" -j"$jobs"
  # The fuzzer adds what it finds to its corpus folder: work on a copy of the seeds.
  local work
  work="$(mktemp -d)"
  cp "$seeds"/* "$work"/
  mkdir -p "$build/fuzz-artifacts"
  echo "== $target for ${seconds}s"
  local log="$build/fuzz-artifacts/$target.log" status=0
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/fuzz-artifacts/$target-" -print_final_stats=1 "$work" >"$log" 2>&1 ||
    status=$?
  # Progress lines ("#1234 NEW ...") are noise; keep the report and the final stats.
  grep -v -e '^#[0-9]' -e '^"' "$log" | tail -n 80 || true
  rm -rf "$work"
  if [ "$status" -ne 0 ]; then
    echo "$target failed (status $status); the input is in $build/fuzz-artifacts/" >&2
  fi
  return "$status"
}

run fuzz_qcm "$root/tests/fuzz/corpus/qcm"
run fuzz_level "$root/tests/fuzz/corpus/level"
run fuzz_layout "$root/tests/fuzz/corpus/layout"
