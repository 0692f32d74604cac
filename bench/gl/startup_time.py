#!/usr/bin/env python3
"""Time from exec to the first presented frame and to the title (the router's first place),
for the real program on a fresh user folder, a few runs, median and range.
    startup_time.py ZERKON [RUNS]
Run under a window (xvfb-run) or SDL_VIDEODRIVER=offscreen; see run_gl_bench.sh."""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def one_run(zerkon):
    with tempfile.TemporaryDirectory() as user:
        env = dict(os.environ, ZERKON_USER_DIR=user, ZERKON_TIMING="1",
                   ZERKON_ROUTER_LOG="1", ZERKON_HEADLESS="0")
        start = time.monotonic()
        proc = subprocess.Popen([zerkon], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                env=env, cwd=user)
        first = title = None
        for line in proc.stdout:
            now = (time.monotonic() - start) * 1000.0
            text = line.decode("utf-8", "replace").strip()
            if first is None and text == "first frame presented":
                first = now
            if title is None and text.startswith("place: "):
                title = now
                break
        proc.kill()
        proc.wait()
        return first, title


def main():
    zerkon = os.path.abspath(sys.argv[1])
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    firsts, titles = [], []
    for _ in range(runs):
        first, title = one_run(zerkon)
        if first is not None:
            firsts.append(first)
        if title is not None:
            titles.append(title)
    for name, values in (("first frame", firsts), ("title", titles)):
        if values:
            print("%-12s median %6.0f ms  (%.0f..%.0f over %d runs)" %
                  (name, statistics.median(values), min(values), max(values), len(values)))
        else:
            print("%-12s never seen" % name)


if __name__ == "__main__":
    main()
