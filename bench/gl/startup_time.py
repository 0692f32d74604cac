#!/usr/bin/env python3
"""Time from exec to the first presented frame, to the display being open, to the end of the
end of the loading screen, to the
title (the intro's first frame, after the loading screen has faded out) and to the menu (the
router's first place, the intro skipped with Esc as soon as it shows), for the real program on a
fresh user folder; a few runs, median and range. "loading work" is a length: from the start of
the loading screen's units to the end of the last one, before its closing fade.
With --steps, the start-up steps and loading units of the last run, each with its time; with
--window, the settings ask for a window instead of the full screen.
    startup_time.py ZERKON [RUNS] [--steps] [--window]
Run under a window (xvfb-run) or SDL_VIDEODRIVER=offscreen; see run_gl_bench.sh."""
import os
import statistics
import subprocess
import sys
import tempfile
import time


# Marks of the program (ZERKON_TIMING=1) and the figures they give.
MARKS = {"display": "display open", "optionsSetup": "units start", "rulesScreen.setup": "units end",
         "loading": "loading done", "intro.firstFrame": "title"}
FIGURES = ["first frame", "display open", "loading work", "loading done", "title", "menu"]


def one_run(zerkon, steps, window):
    with tempfile.TemporaryDirectory() as user:
        if window:
            os.makedirs(os.path.join(user, "Data"))
            with open(os.path.join(user, "Data", "settings.dat"), "w") as f:
                f.write("settings {\n\tfullScreen = 0\n\twideScreen = 0\n\tcustomCursor = 1\n"
                        "\tmusicVolume = 0.5\n\tsoundVolume = 0.5\n}\n")
        # Esc at every other frame: the loading screen drops the keys it sees, the intro takes
        # the first one after it.
        script = os.path.join(user, "skip.script")
        with open(script, "w") as f:
            f.writelines("%d key ESCAPE\n" % n for n in range(1, 4000, 2))
        env = dict(os.environ, ZERKON_USER_DIR=user, ZERKON_TIMING="1", ZERKON_SCRIPT=script,
                   ZERKON_ROUTER_LOG="1", ZERKON_HEADLESS="0")
        start = time.monotonic()
        proc = subprocess.Popen([zerkon], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                env=env, cwd=user)
        seen = {}
        for line in proc.stdout:
            now = (time.monotonic() - start) * 1000.0
            text = line.decode("utf-8", "replace").strip()
            if text == "first frame presented":
                seen.setdefault("first frame", now)
            elif text.startswith("mark "):
                name = text.split()[1]
                if name in MARKS:
                    seen.setdefault(MARKS[name], now)
                steps.append((now, name))
            elif text.startswith("place: "):
                seen.setdefault("menu", now)
                break
        proc.kill()
        proc.wait()
        if "units start" in seen and "units end" in seen:
            seen["loading work"] = seen.pop("units end") - seen.pop("units start")
        return seen


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    zerkon = os.path.abspath(args[0])
    runs = int(args[1]) if len(args) > 1 else 5
    times = {name: [] for name in FIGURES}
    steps = []
    for _ in range(runs):
        steps.clear()
        for name, value in one_run(zerkon, steps, "--window" in sys.argv).items():
            if name in times:
                times[name].append(value)
    for name, values in times.items():
        if values:
            print("%-13s median %6.0f ms  (%.0f..%.0f over %d runs)" %
                  (name, statistics.median(values), min(values), max(values), len(values)))
        else:
            print("%-13s never seen" % name)
    if "--steps" in sys.argv:
        last = 0.0
        for now, name in steps:
            print("  %6.0f ms  +%4.0f  %s" % (now, now - last, name))
            last = now


if __name__ == "__main__":
    main()
