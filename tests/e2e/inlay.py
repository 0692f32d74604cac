#!/usr/bin/env python3
"""An inlay level lost and then won with the real program.

    inlay.py ZERKON ROADPLAN OUTDIR [gl]

A new player plays the casual voyage (the way campaign.py plays it) up to its first inlay
level, then leaves the pieces alone: the shelf fills, the lose panel comes down and its
"Try again" restarts the level; the second time the skip bar wins it. The places must be
those of the road, no message box may appear, and the profile must record the level as won.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import campaign as c  # noqa: E402

TRY_AGAIN = (512, 310)  # the lose panel's first button


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    zerkon, plan, out = (os.path.abspath(a) for a in sys.argv[1:4])
    gl = len(sys.argv) > 4 and sys.argv[4] == "gl"
    assets = os.path.join(os.path.dirname(zerkon), "assets")
    entries = c.read_flow(assets, "casual")
    c.DIALOGUES.update(c.dialogues(assets))
    inlay = next((i for i, e in enumerate(entries) if e["type"] == "LAY-PUZZLE"), None)
    if inlay is None:
        c.fail("the casual voyage has no inlay level", out)

    subprocess.run(["rm", "-rf", out])
    user, work = os.path.join(out, "user"), os.path.join(out, "work")
    os.makedirs(user)
    os.makedirs(work)
    env = dict(os.environ, ZERKON_USER_DIR=user, ZERKON_ROUTER_LOG="1")
    if gl:
        env.update(SDL_VIDEODRIVER="offscreen", ZERKON_HEADLESS="0")
        c.Script.shots = os.path.join(out, "shots")
        os.makedirs(c.Script.shots)
    else:
        env["ZERKON_HEADLESS"] = "1"

    s = c.Script()
    c.start(s, True, "casual")
    expected = ["MAIN-MENU", "START-NEW-GAME"]
    for e in entries[:inlay]:
        expected += ["GET-NEXT-LEVEL", e["type"]]
        c.play_entry(s, e, "casual", assets)
    lp = entries[inlay]
    # Nobody touches the pieces: the fifteenth on the shelf opens the lose panel.
    s.wait("place LAY-PUZZLE")
    s.shot(1200, "inlay-playing")
    # The fifteenth piece arrives about 6850 frames in; the panel is down soon after.
    s.shot(7150, "inlay-lost")
    s.clicks(7200, 60, 20, TRY_AGAIN)
    s.wait("place RESTART-LEVEL")
    expected += ["GET-NEXT-LEVEL", "LAY-PUZZLE", "RESTART-LEVEL", "LAY-PUZZLE", "GET-NEXT-LEVEL",
                 entries[inlay + 1]["type"]]
    c.play_entry(s, lp, "casual", assets)
    s.wait("place " + entries[inlay + 1]["type"])
    s.add(100, "quit")

    got = c.run_program("run1", s, zerkon, plan, assets, work, env, out)
    if got != expected:
        c.fail("road was:\n  %s\nexpected:\n  %s" % (" ".join(got), " ".join(expected)), out)
    profile = c.profile_file(user, out)
    pattern = r"^\s*level\d+\s*=\s*%d, 1, %d, %d," % (lp["numer"], lp["nr"], lp["stage"])
    if not re.search(pattern, profile, re.M):
        c.fail("the inlay level (entry %d) is not recorded as won" % lp["nr"], out)
    print("inlay level lost, tried again and won: %d places" % len(got))
    return 0


if __name__ == "__main__":
    sys.exit(main())
