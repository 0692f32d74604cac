#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one briefly from its seed corpus.
# FUZZ_SECONDS sets the run time per target (default 30). The targets run side by side
# when there are cores for it (JOBS, default all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-30}"
jobs="${JOBS:-$(nproc)}"
targets=(fuzz_qcm fuzz_level fuzz_layout fuzz_userfiles fuzz_pe_level)
seeds=(qcm level layout userfiles pe_level)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZERKON_FUZZ=ON -DZERKON_ASSETS=OFF -DZERKON_BENCH=OFF \
  -DZERKON_UNIT_TESTS=OFF -DZERKON_E2E=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j"$jobs"
mkdir -p "$build/fuzz-artifacts"

run() {  # target, seed folder
  local target="$1" seeds="$2"
  # The fuzzer adds what it finds to its corpus folder: work on a copy of the seeds.
  # The game's console lines (stdout) are dropped; the fuzzer reports on stderr.
  local work status=0
  work="$(mktemp -d)"
  cp "$seeds"/* "$work"/ 2>/dev/null || true
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/fuzz-artifacts/$target-" -print_final_stats=1 "$work" \
    2>"$build/fuzz-artifacts/$target.log" >/dev/null || status=$?
  rm -rf "$work"
  return "$status"
}

report() {  # target, status
  local target="$1" status="$2"
  echo "== $target for ${seconds}s"
  # Progress lines ("#1234 NEW ...") and unreadable-file notices are noise; keep the report
  # and the final stats.
  grep -a -v -e '^#[0-9]' -e '^"' -e '^Error reading from stream' "$build/fuzz-artifacts/$target.log" |
    tail -n 80 || true
  if [ "$status" -ne 0 ]; then
    echo "$target failed (status $status); the input is in $build/fuzz-artifacts/" >&2
  fi
}

# Run in batches of at most $jobs, then report in a fixed order.
declare -A status
i=0
while [ "$i" -lt "${#targets[@]}" ]; do
  pids=()
  batch=()
  for ((k = 0; k < jobs && i < ${#targets[@]}; k++, i++)); do
    run "${targets[$i]}" "$root/tests/fuzz/corpus/${seeds[$i]}" &
    pids+=($!)
    batch+=("${targets[$i]}")
  done
  for k in "${!pids[@]}"; do
    s=0
    wait "${pids[$k]}" || s=$?
    status[${batch[$k]}]=$s
  done
done

failed=0
for t in "${targets[@]}"; do
  report "$t" "${status[$t]}"
  [ "${status[$t]}" -eq 0 ] || failed=1
done
exit "$failed"
