#!/usr/bin/env python3
"""Resident memory along the main road, with real GL (llvmpipe keeps textures in the
process, so they count): the campaign driver plays a whole progression, the program reports
each span's memory (ZERKON_MEMORY=1: every start-up stage, place and play state) and this
prints the size at its end and the peak within it, per place and per kind of place.

    memory_road.py ZERKON ROADPLAN [casual|hard] [OUTDIR]
    memory_road.py --report OUTDIR     (the figures of a finished run again)

Run it in a real window (xvfb-run, or any X display): the offscreen driver's swap does not
wait for the drawing, so frames pile up in the renderer and the memory is not the window's
(without a display the campaign's offscreen driver is used all the same). The block games are won with their
developer key (a "cheats.txt" in the working folder) a few seconds in, instead of waiting
90 s for the skip box to charge: the win is the same call, and the screen has loaded and
played all it does before. No pictures are taken. Takes a few minutes.
"""
import os
import re
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
import campaign  # noqa: E402

LIMIT = 120.0  # MiB, the goal at every point of the road

original_play_entry = campaign.play_entry
original_run_program = campaign.run_program


def play_entry(s, e, flow, assets):
    if e["type"] in ("PUZZLE-EXPRESS", "LAY-PUZZLE"):
        s.wait("place " + e["type"])
        s.add(240, "move 512 384")
        s.add(300, "key W")
        s.clicks(330, 30, 130, campaign.SKIP_BOX)  # the found item's notice, the fade
        return
    original_play_entry(s, e, flow, assets)


def run_program(name, s, zerkon, plan, assets, work, env, out):
    if os.environ.get("DISPLAY"):
        env = dict(env, SDL_VIDEODRIVER="x11")  # a real window, whose swap waits
    with open(os.path.join(work, "cheats.txt"), "w") as f:
        f.write("1\n")
    return original_run_program(name, s, zerkon, plan, assets, work, env, out)


def kind(span):
    """The kind of place a span belongs to, for the summary."""
    m = re.match(r"place (STORY-FLOW)-\d+$", span)
    if m:
        return "place STORY-FLOW (interlude)"
    return span


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--report":
        report(sys.argv[2])
        return 0
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    zerkon, plan = sys.argv[1], sys.argv[2]
    flow = sys.argv[3] if len(sys.argv) > 3 else "casual"
    out = sys.argv[4] if len(sys.argv) > 4 else tempfile.mkdtemp(prefix="memory-road-")
    campaign.play_entry = play_entry
    campaign.run_program = run_program
    campaign.Script.shot = lambda self, frame, name: None
    # 2 also lists the textures alive, 3 the mappings, 4 what was alive at each span's peak
    if os.environ.get("ZERKON_MEMORY") not in ("2", "3", "4"):
        os.environ["ZERKON_MEMORY"] = "1"
    argv = sys.argv
    sys.argv = [argv[0], zerkon, plan, flow, out, "gl"]
    rc = campaign.main()
    sys.argv = argv
    if rc:
        return rc

    report(out)
    return 0


def report(out):
    """Each run's spans in order, and the worst of each kind of place."""
    kinds = {}
    worst = (0.0, "")
    runs = sorted((n for n in os.listdir(out) if re.match(r"stdout-run\d+\.txt$", n)),
                  key=lambda n: int(re.findall(r"\d+", n)[0]))
    for name in runs:
        with open(os.path.join(out, name), errors="replace") as f:
            spans = re.findall(r"^memory (.+?) rss ([\d.]+) peak ([\d.]+)(.*)$", f.read(), re.M)
        print("== %s: %d spans" % (name[len("stdout-"):-len(".txt")], len(spans)))
        for span, rss, peak, rest in spans:
            rss, peak = float(rss), float(peak)
            print("  %-28s rss %6.1f  peak %6.1f%s %s" % (span, rss, peak, " OVER" if peak >= LIMIT else "     ",
                                                       rest.strip()))
            k = kinds.setdefault(kind(span), [0, 0.0, 0.0, 1e9])
            k[0] += 1
            k[1] = max(k[1], peak)
            k[2] = max(k[2], rss)
            k[3] = min(k[3], rss)
            if peak > worst[0]:
                worst = (peak, "%s in %s" % (span, name))
    print("== per kind of place (spans, rss at the end min..max, highest peak; MiB)")
    for k, (n, peak, high, low) in sorted(kinds.items(), key=lambda kv: -kv[1][1]):
        print("  %-32s %4d  rss %6.1f..%6.1f  peak %6.1f" % (k, n, low, high, peak))
    print("highest peak %.1f MiB (%s); goal under %.0f MiB" % (worst[0], worst[1], LIMIT))
    print("output in " + out)


if __name__ == "__main__":
    sys.exit(main())
