#!/usr/bin/env python3
"""CPU a frame of the program's screens in a real window: each scene reached from a player
saved there (the menu's "Continue"), held still, the pointer resting, for SECONDS, and the
whole process's CPU a frame over the hold (ZERKON_FRAMECOST=1; the driver's threads count)
printed with the frame rate. Run it under xvfb-run, pinned as the figures are to be read:

    taskset -c 0,1 xvfb-run -a -s "-screen 0 1024x768x24" scene_cost.py ZERKON [SECONDS] [SCENE...]

Scenes: intro (the opening film, not skipped), story (a new voyage's), map (stage 2), map10, hidden-dock, hidden-wreck,
inlay, block, interlude, outro, credits, awards, play (the 25 x 25 level with the most picture cells),
play-moving (the same, the pointer on a new cell every 6 frames), menu; "all" for every one.
The game's own settings are used: full screen on the display (at 1024x768 the picture is
drawn one to one, on a larger display scaled into the letterbox); WINDOWED=1 in the
environment plays them in a window (on a 1024x768 display smaller than the picture);
SHOTS=DIR takes a picture of each held scene into DIR as the hold begins and ends.
BY_SHOTS=1 measures from outside, for builds without the frame-cost report: a shot marks
each end of the hold (the intro: its frames 400 to 4000), and the process's CPU is read from
/proc as each shot's file appears (the two shots' own cost falls in the hold).
Each scene runs in a fresh copy of a player's folder made headless first.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
import campaign  # noqa: E402

MENU_PLAY = campaign.MENU_PLAY
MENU_AWARDS = (850, 498)
CONTINUE = campaign.CONTINUE_RESUME
SAFE = campaign.PICTURE_SAFE


def densest_25(assets):
    """The hard flow's entry of the 25 x 25 level with the most picture cells."""
    best = None
    for e in campaign.read_flow(assets, "hard"):
        if e["type"] != "MAIN-GAME" or campaign.board_size(assets, e["url"]) != "25x25":
            continue
        data = campaign.read_keyed(os.path.join(assets, e["url"]))
        rows = [v for k, v in data.items() if re.search(r"::ROW\d+$", k)]
        filled = sum(1 for r in rows for c in r if c.strip() not in ("", "0"))
        if best is None or filled > best[0]:
            best = (filled, e)
    return best[1]


def entry(assets, kind, nth=1):
    seen = 0
    for e in campaign.read_flow(assets, "hard"):
        if e["type"] == kind:
            seen += 1
            if seen == nth:
                return e
    raise SystemExit("no %s entry %d in the hard flow" % (kind, nth))


def scenes(assets):
    """name: (entry to continue at or None, the place or mark to wait for, moves)."""
    play = densest_25(assets)
    return {
        "intro": (None, None, None),
        "story": ("new", "place STORY-START", None),
        "map": (entry(assets, "MAPA", 2), "place MAPA", None),
        "map10": (entry(assets, "MAPA", 10), "place MAPA", None),
        "hidden-dock": (entry(assets, "HIDDEN-OBJECT"), "place HIDDEN-OBJECT", None),
        "hidden-wreck": (entry(assets, "HIDDEN-OBJECT", 2), "place HIDDEN-OBJECT", None),
        "inlay": (entry(assets, "LAY-PUZZLE"), "place LAY-PUZZLE", None),
        "block": (entry(assets, "PUZZLE-EXPRESS"), "place PUZZLE-EXPRESS", None),
        "interlude": (entry(assets, "STORY-FLOW-2"), "place STORY-FLOW-2", None),
        # The outro is continued past, so the player stands at the entry before it.
        "outro": (entry(assets, "STORY-PLAZA"), "place STORY-OUTRO", None),
        "credits": (entry(assets, "STORY-PLAZA"), "place CREDITS", "outro clicked"),
        "awards": ("menu", "awards", None),
        "menu": ("menu", "menu", None),
        "play": (play, "play NORMAL", None),
        "play-moving": (play, "play NORMAL", "moving"),
    }


def set_value(text, key, value):
    return re.sub(r"^(\s*%s\s*=\s*).*$" % key, lambda m: m.group(1) + value, text, count=1, flags=re.M)


def make_player(zerkon, base, env):
    """A player of the hard voyage, saved at its start, in base/user."""
    user = os.path.join(base, "user")
    os.makedirs(user)
    script = os.path.join(base, "new.script")
    s = campaign.Script()
    campaign.start(s, True, "hard")
    s.wait("place STORY-START")
    s.add(10, "quit")
    with open(script, "w") as f:
        f.write(s.text())
    subprocess.run([zerkon], cwd=base, env=dict(env, ZERKON_USER_DIR=user, ZERKON_HEADLESS="1",
                                                  ZERKON_SCRIPT=script, ZERKON_FRAMES="20000"),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not os.path.isfile(os.path.join(user, "Profiles", "profiles.dat")):
        raise SystemExit("the player could not be made")
    return user


def run_scene(zerkon, base, template, name, plan, frames, env, windowed):
    where, wait, moves = plan
    user = os.path.join(base, name)
    shutil.copytree(template, user)
    with open(os.path.join(user, "Data", "settings.dat")) as f:
        settings = f.read()
    with open(os.path.join(user, "Data", "settings.dat"), "w") as f:
        f.write(set_value(settings, "fullScreen", "0" if windowed else "1"))
    if isinstance(where, dict):
        prof = [os.path.join(r, "profile.dat") for r, _, fs in os.walk(os.path.join(user, "Profiles"))
                if "profile.dat" in fs][0]
        with open(prof, encoding="latin-1") as f:
            text = f.read()
        for key, value in (("gameType", '"%s"' % where["type"]), ("flowSequence", str(where["nr"])),
                           ("numerStageu", str(where["stage"])), ("numerLevelu", str(where["numer"]))):
            text = set_value(text, key, value)
        with open(prof, "w", encoding="latin-1") as f:
            f.write(text)

    s = campaign.Script()
    span = "held"
    by_shots = os.environ.get("BY_SHOTS") == "1"
    marks = os.path.join(base, name + "-marks")
    if where is None and by_shots:  # frames well inside the opening film
        s.add(10, "move 1000 160")
        s.add(400, "span held")
        s.add(4000, "span -")
        s.add(4001, "quit")
        frames = 3600
    elif where is None:  # the opening film, left to play to its end: its own span
        span = "intro"
        s.add(10, "move 1000 160")
        s.wait("place MAIN-MENU", 20000)
        s.add(1, "quit")
    else:
        s.add(10, "move 900 690")
        s.add(140, "click left")
        s.wait("place MAIN-MENU", 3000)
        if where == "menu":
            s.add(60, "move 1000 160")
            at = 300
            if wait == "awards":
                s.click(240, MENU_AWARDS)
                s.add(250, "move 1000 740")
                at = 400
            s.add(at, "span held")
            s.add(at + frames, "span -")
            s.add(at + frames + 1, "quit")
        else:
            for i in range(12):
                s.click(300 + 100 * i, MENU_PLAY)
                s.click(350 + 100 * i, campaign.PICK["hard"] if where == "new" else CONTINUE)
            if wait == "play NORMAL":
                s.wait("place MAIN-GAME")
                s.clicks(40, 30, 6, SAFE)  # a dialogue before the level
                s.wait("play NORMAL", 3000)
                s.click(5, SAFE)  # a tip
                s.add(40, "move 500 400")
                at = 120
                if moves:
                    for k in range(frames // 6 + 1):
                        s.add(at + 6 * k, "move %d %d" % (300 + (k * 37) % 500, 150 + (k * 53) % 500))
            else:
                if moves == "outro clicked":
                    s.wait("place STORY-OUTRO")
                    s.clicks(150, 30, 60, SAFE)
                s.wait(wait)
                s.add(20, "move 1000 160")
                at = 30
            s.add(at, "span held")
            if os.environ.get("SHOTS"):
                s.add(at + 1, "shot %s/%s.png" % (os.environ["SHOTS"], name))
                s.add(at + frames - 1, "shot %s/%s-end.png" % (os.environ["SHOTS"], name))
            s.add(at + frames, "span -")
            s.add(at + frames + 1, "quit")
    script = os.path.join(base, name + ".script")
    with open(script, "w") as f:
        text = s.text()
        if by_shots:
            os.makedirs(marks)
            text = text.replace(" span held\n", " shot %s/a.png\n" % marks).replace(" span -\n", " shot %s/b.png\n" % marks)
        f.write(text)
    if by_shots:
        return by_shots_run(zerkon, user, script, marks, name, frames, env)
    out = subprocess.run([zerkon], cwd=base, capture_output=True, text=True,
                         env=dict(env, ZERKON_USER_DIR=user, ZERKON_SCRIPT=script, ZERKON_FRAMECOST="1",
                                  ZERKON_ROUTER_LOG="1", ZERKON_FRAMES="40000"))
    m = re.search(r"^frames %s n (\d+) cpu ([\d.]+) wall ([\d.]+)" % span, out.stdout, re.M)
    if not m:
        err = [l for l in out.stderr.splitlines() if "did not come" in l or "Notify" in l]
        places = " ".join(l[7:] for l in out.stdout.splitlines() if l.startswith("place: "))
        return "%-13s no figures (%s; places %s)" % (name, err[-1] if err else "exit %d" % out.returncode, places)
    n, cpu, wall = int(m.group(1)), float(m.group(2)), float(m.group(3))
    drawn = re.search(r"^frames %s n \d+ cpu \S+ wall \S+ (pixels .*)$" % span, out.stdout, re.M)
    return "%-13s cpu/frame %6.2f ms  fps %6.1f  frames %d%s" % (name, cpu, 1000.0 / wall if wall else 0, n,
                                                                "  Mpx " + drawn.group(1) if drawn else "")


def process_cpu_ms(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000.0 / os.sysconf("SC_CLK_TCK")


def by_shots_run(zerkon, user, script, marks, name, frames, env):
    """The hold's CPU read from /proc as the shots that mark its ends appear."""
    proc = subprocess.Popen([zerkon], cwd=os.path.dirname(user), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL,
                            env=dict(env, ZERKON_USER_DIR=user, ZERKON_SCRIPT=script, ZERKON_FRAMES="40000"))
    seen = {}
    while proc.poll() is None and len(seen) < 2:
        for m in ("a", "b"):
            if m not in seen and os.path.exists(os.path.join(marks, m + ".png")):
                seen[m] = (process_cpu_ms(proc.pid), time.monotonic())
        time.sleep(0.004)
    proc.wait()
    if len(seen) < 2:
        return "%-13s no figures (exit %d)" % (name, proc.returncode)
    cpu = seen["b"][0] - seen["a"][0]
    wall = (seen["b"][1] - seen["a"][1]) * 1000.0
    return "%-13s cpu/frame %6.2f ms  fps %6.1f  frames %d" % (name, cpu / frames, 1000.0 * frames / wall, frames)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    zerkon = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10
    assets = os.path.join(os.path.dirname(zerkon), "assets")
    table = scenes(assets)
    names = sys.argv[3:] or ["all"]
    if names == ["all"]:
        names = list(table)
    windowed = os.environ.get("WINDOWED") == "1"
    env = dict(os.environ, ZERKON_HEADLESS="0")
    base = tempfile.mkdtemp(prefix="scene-cost-")
    try:
        template = make_player(zerkon, base, env)
        for name in names:
            if name not in table:
                print("%-13s unknown" % name)
                continue
            print(run_scene(zerkon, base, template, name, table[name], int(seconds * 60), env, windowed), flush=True)
    finally:
        shutil.rmtree(base, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
