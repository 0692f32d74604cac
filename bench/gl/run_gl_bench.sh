#!/bin/sh
# The real-GL benchmarks under a real window (Xvfb, whose swap waits for the drawing), on two
# cores and on all of them: the 25 x 25 play frame and the start-up times.
#   bench/gl/run_gl_bench.sh [BUILD_DIR] [SECONDS] [HOLD_SECONDS]
# Say how loaded the machine was (uptime is printed first): other work skews every figure.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
seconds=${2:-10}
hold=${3:-60}
uptime
for cpus in 0,1 all; do
    if [ "$cpus" = all ]; then pin=""; else pin="taskset -c $cpus"; fi
    echo "== cores: $cpus"
    xvfb-run -a -s "-screen 0 1024x768x24" $pin "$build/bench/zerkon_bench_gl" \
        --seconds "$seconds" --hold "$hold"
    xvfb-run -a -s "-screen 0 1024x768x24" $pin python3 "$here/startup_time.py" "$build/zerkon" 5
done
uptime
