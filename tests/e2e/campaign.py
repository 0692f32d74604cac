#!/usr/bin/env python3
"""Plays a whole progression with the real program, from a new player to the end of levels.

    campaign.py ZERKON ROADPLAN casual|hard OUTDIR [gl]

The road is read from the built asset tree next to ZERKON ("data/flow_<flow>.dat"), so it
follows the flow file: every entry is played the way a player would, each part of the
script waiting for the place the router reports ("wait place NAME"):

- the story start, the text interludes, the outro, the credits and the ending: clicked on;
- the map: its "play next" button;
- a nonogram level: the dialogue and a tip clicked away, a tutorial skipped, then the drags
  that win it (zerkon_roadplan computes them from the level file and the board's layout),
  then clicks through the win screen, its awards and the story map;
- the hidden-object scene: a click on every object of the level file;
- the two block games: their skip box, clicked until it has charged and wins the level (the
  block puzzle's found-item notice then goes with the next of those clicks).

The program is quit and started again in a nonogram level, each mini-game, an interlude
and on the map; each start after the first goes
through the main menu's "Continue" and must come back to the place it left, with the
profile saying so. Every run's places must be the ones the flow gives, no message box may
appear, and at the outro every game level of the flow must be recorded as won.
"""
import os
import re
import subprocess
import sys

PICTURE_SAFE = (1000, 160)  # falls on no button of any screen on the road
MAP_PLAY_NEXT = (934, 736)
SKIP_BOX = (960, 20)  # the block games' skip box
MENU_PLAY = (850, 358)
SKIP_TUTORIAL = (659, 20)
CONTINUE_RESUME = (512, 365)
PICK = {"casual": (500, 476), "hard": (724, 476)}
GAME_TYPES = ("MAIN-GAME", "PUZZLE-EXPRESS", "HIDDEN-OBJECT", "LAY-PUZZLE")
DIALOGUES = set()
# How long a place may take to come, in frames (the block games' skip charges 90 s).
TIMEOUT = 9000


def read_keyed(path):
    """The groups of a keyed data file as {"group::key": [values]} (names upper-cased)."""
    out, stack = {}, []
    with open(path, encoding="latin-1") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            if line.endswith("{"):
                stack.append(line[:-1].strip().upper())
            elif line == "}":
                stack.pop()
            elif "=" in line:
                key, value = line.split("=", 1)
                values = [v.strip().strip('"') for v in value.split(",")]
                out.setdefault("::".join(stack + [key.strip().upper()]), values)
    return out


def read_flow(assets, flow):
    data = read_keyed(os.path.join(assets, "data", "flow_%s.dat" % flow))
    count = int(float(data.get("FLOW::I", ["0"])[0]))
    entries = []
    for k in range(1, count + 1):
        g = "FLOW::LEVEL%d::" % k
        kind = data.get(g + "GAMETYPE", [""])[0].upper()
        if not kind:
            continue
        entries.append({"nr": k, "type": kind, "url": data.get(g + "URL", [""])[0],
                        "numer": int(float(data.get(g + "NUMER", ["0"])[0] or 0)),
                        "stage": int(float(data.get(g + "STAGEN", ["0"])[0] or 0))})
    # The n-th nonogram of its stage, as zerkon_roadplan counts them.
    seen = {}
    for e in entries:
        if e["type"] == "MAIN-GAME":
            seen[e["stage"]] = seen.get(e["stage"], 0) + 1
            e["nth"] = seen[e["stage"]]
    return entries


def board_size(assets, url):
    """The picture's width x height, from the level file's rows."""
    data = read_keyed(os.path.join(assets, url))
    keys = [k for k in data if re.search(r"::ROW\d+$", k)]
    group = keys[0].rsplit("::", 1)[0] if keys else ""
    rows = [data[k] for k in keys if k.rsplit("::", 1)[0] == group]
    return "%dx%d" % (len(rows[0]), len(rows)) if rows else os.path.basename(url).split(".")[0]


def dialogues(assets):
    """(stage, level) of every dialogue shown as a level begins."""
    data = read_keyed(os.path.join(assets, "data", "dialogs.dat"))
    out = set()
    for key, values in data.items():
        if key.endswith("::ATBEGINOREND") and values[0].upper() == "BEGIN":
            g = key[: -len("ATBEGINOREND")]
            out.add((int(float(data[g + "STAGEN"][0])), int(float(data[g + "LEVELN"][0]))))
    return out


def hidden_objects(assets, url):
    data = read_keyed(os.path.join(assets, url))
    spots = []
    for key, values in sorted(data.items()):
        if key.endswith("::UKRYTYDIM") and len(values) >= 2:
            x, y = int(float(values[0])), int(float(values[1]))
            if x != 0:
                spots.append((x, y))
    return spots


class Script:
    shots = None  # the folder of the shots (gl runs), or None
    taken = set()

    def __init__(self):
        self.lines = []

    def shot(self, frame, name):
        """A picture of the screen, once per name in the whole campaign (gl runs only)."""
        if Script.shots is None or name in Script.taken:
            return
        Script.taken.add(name)
        self.add(frame, "shot %s/%02d-%s.png" % (Script.shots, len(Script.taken), name))

    def add(self, frame, text):
        self.lines.append("%d %s" % (frame, text))

    def click(self, frame, at):
        self.add(frame, "move %d %d" % at)
        self.add(frame + 2, "click left")

    def clicks(self, start, every, count, at):
        for i in range(count):
            self.click(start + i * every, at)

    def wait(self, what, timeout=TIMEOUT):
        self.add(timeout, "wait " + what)

    def text(self):
        return "\n".join(self.lines) + "\n"


def play_entry(s, e, flow, assets):
    """The moves of one entry, once its place has come."""
    kind = e["type"]
    s.wait("place " + kind)
    if kind == "MAIN-GAME":
        if (e["stage"], e["numer"]) in DIALOGUES:
            s.shot(90, "dialogue")
            s.clicks(100, 30, 6, PICTURE_SAFE)  # the dialogue before the level
        else:
            s.clicks(40, 30, 6, PICTURE_SAFE)
        s.wait("play NORMAL", 3000)
        s.shot(30, "%s-board-%s" % (flow, board_size(assets, e["url"])))
        # A tip over the board goes with a click; a tutorial level is handed over by its
        # "Skip tutorial" button (on other levels nothing is there).
        s.click(5, PICTURE_SAFE)
        s.click(45, SKIP_TUTORIAL)
        s.add(85, "solve %s %d %d" % (flow, e["stage"], e["nth"]))
        s.wait("play WIN-1", 3000)
        # The win screen, its awards and, after stage 1 level 4, the story map.
        tag = "story-map" if (e["stage"], e["numer"]) == (1, 4) else "win"
        for k in range(14 if tag == "story-map" else 6):
            s.shot(45 + 60 * k, "%s-%d" % (tag, k + 1))
        s.clicks(60, 30, 100, PICTURE_SAFE)  # win screen, awards, story map, dialogue
    elif kind == "MAPA":
        s.shot(50, "map-stage-%d" % e["stage"] if e["stage"] in (1, 10) else "map")
        s.clicks(60, 40, 60, MAP_PLAY_NEXT)
    elif kind == "HIDDEN-OBJECT":
        spots = hidden_objects(assets, e["url"])
        scene = "hidden-object-" + os.path.basename(e["url"]).split(".")[0]
        s.shot(55, scene)
        s.shot(55 + 20 * len(spots) // 2, scene + "-half-found")
        frame = 60
        for _ in range(3):
            for at in spots:
                s.click(frame, at)
                frame += 20
        s.clicks(frame + 30, 30, 60, PICTURE_SAFE)
    elif kind in ("PUZZLE-EXPRESS", "LAY-PUZZLE"):
        s.shot(100, kind.lower())
        s.shot(1500, kind.lower() + "-later")
        s.clicks(60, 60, 130, SKIP_BOX)
    elif kind == "STORY-PLAZA":
        pass  # shows nothing: the router goes straight on to the next entry
    elif kind in ("STORY-START", "STORY-OUTRO"):
        s.shot(140, kind.lower())
        s.clicks(150, 30, 60, PICTURE_SAFE)  # a story takes a click after 2 s
    else:
        s.shot(30, kind.lower())
        s.clicks(40, 30, 60, PICTURE_SAFE)


def start(s, first, flow):
    """From the program's start to the voyage (first run) or to "Continue"."""
    s.add(10, "move 900 690")
    s.add(140, "click left")  # the opening film
    s.wait("place MAIN-MENU", 3000)
    if first:
        s.shot(205, "name-entry")
        s.add(210, "type Ann")
        s.add(230, "key ENTER")
    s.shot(295, "main-menu")
    s.shot(348, "pick-flow" if first else "continue")
    for i in range(12):
        f = 300 + 100 * i
        s.click(f, MENU_PLAY)
        s.click(f + 50, PICK[flow] if first else CONTINUE_RESUME)


def fail(message, out):
    print("FAIL: " + message)
    for name in sorted(os.listdir(out)):
        if name.startswith("stderr") or name.startswith("plan"):
            with open(os.path.join(out, name), errors="replace") as f:
                body = f.read()
            if body.strip():
                print("--- " + name)
                print(body[-3000:])
    sys.exit(1)


def profile_file(user, out):
    listing = os.path.join(user, "Profiles", "profiles.dat")
    if not os.path.isfile(listing):
        fail("Profiles/profiles.dat was not written", out)
    with open(listing, encoding="latin-1") as f:
        m = re.search(r'actProfile\s*=\s*"([^"]*)"', f.read())
    if not m:
        fail("no current player in Profiles/profiles.dat", out)
    path = os.path.join(user, "Profiles", m.group(1), "profile.dat")
    if not os.path.isfile(path):
        fail(path + " was not written", out)
    with open(path, encoding="latin-1") as f:
        return f.read()


def value(profile, key):
    m = re.search(r"^\s*%s\s*=\s*(.*)$" % key, profile, re.M)
    return m.group(1).strip().strip('"') if m else None


def main():
    if len(sys.argv) < 5:
        print(__doc__)
        return 2
    zerkon, plan, flow, out = (os.path.abspath(a) if i != 2 else a for i, a in enumerate(sys.argv[1:5]))
    gl = len(sys.argv) > 5 and sys.argv[5] == "gl"
    assets = os.path.join(os.path.dirname(zerkon), "assets")
    entries = read_flow(assets, flow)
    DIALOGUES.update(dialogues(assets))

    subprocess.run(["rm", "-rf", out])
    user, work = os.path.join(out, "user"), os.path.join(out, "work")
    os.makedirs(user)
    os.makedirs(work)
    if not entries:
        fail("the %s flow has no entries" % flow, out)

    # Where the program is quit and started again: in a nonogram level, each mini-game, a
    # text interlude and on the map, spread over the voyage.
    stops = []
    for want, stage in (("MAIN-GAME", 2), ("HIDDEN-OBJECT", 2), ("STORY-FLOW", 4), ("PUZZLE-EXPRESS", 4),
                        ("LAY-PUZZLE", 5), ("MAPA", 6)):
        for i, e in enumerate(entries):
            if e["type"].startswith(want) and e["stage"] >= stage and i not in stops:
                stops.append(i)
                break
    stops.sort()

    env = dict(os.environ, ZERKON_USER_DIR=user, ZERKON_ROUTER_LOG="1")
    if gl:
        env.update(SDL_VIDEODRIVER="offscreen", ZERKON_HEADLESS="0")
        Script.shots = os.path.join(out, "shots")
        os.makedirs(Script.shots)
    else:
        env["ZERKON_HEADLESS"] = "1"

    # Each run: (first entry, the entry it quits in or None). The last but one run plays to
    # the credits and quits at the menu; the last continues past the end.
    runs = []
    begin = 0
    for stop in stops:
        runs.append((begin, stop))
        begin = stop
    runs.append((begin, None))
    runs.append((None, None))

    for n, (begin, stop) in enumerate(runs):
        name = "run%d" % (n + 1)
        s = Script()
        start(s, n == 0, flow)
        expected = ["MAIN-MENU"]
        if n == 0:
            expected.append("START-NEW-GAME")
        if begin is None:
            # Continuing after the credits goes past the last entry: the end of the levels,
            # which starts the voyage over.
            # Nothing saves the fresh start until the next voyage begins, so one is begun.
            expected += ["GET-NEXT-LEVEL", "END-OF-LEVELS", "MAIN-MENU", "START-NEW-GAME",
                         "GET-NEXT-LEVEL", "STORY-START"]
            s.wait("place END-OF-LEVELS")
            s.shot(50, "end-of-levels")
            s.clicks(60, 30, 60, PICTURE_SAFE)
            s.wait("place MAIN-MENU")
            for i in range(12):
                s.click(60 + 100 * i, MENU_PLAY)
                s.click(110 + 100 * i, PICK[flow])
            s.wait("place STORY-START")
            s.add(100, "quit")
        else:
            last = stop if stop is not None else len(entries) - 1
            for i in range(begin, last + 1):
                e = entries[i]
                # The place a continued run comes back to follows the menu directly.
                expected += [e["type"]] if (n > 0 and i == begin) else ["GET-NEXT-LEVEL", e["type"]]
                if i == stop:
                    s.wait("place " + e["type"])
                    s.add(100, "quit")  # in the middle of it: the next run must come back here
                    break
                play_entry(s, e, flow, assets)
            if stop is None:
                expected += ["CREDITS", "MAIN-MENU"]
                s.wait("place CREDITS")
                s.shot(200, "credits")
                s.clicks(210, 30, 60, PICTURE_SAFE)
        if stop is None and begin is not None:
            s.wait("place MAIN-MENU")
            s.add(60, "quit")
        got = run_program(name, s, zerkon, plan, assets, work, env, out)
        if got != expected:
            fail("%s: road was:\n  %s\nexpected:\n  %s" % (name, " ".join(got), " ".join(expected)), out)

        profile = profile_file(user, out)
        if begin is None:
            # The voyage started over: at its first entry, with no level won.
            where = (value(profile, "gameType"), value(profile, "flowSequence"), value(profile, "i"))
            if where[:2] != ("STORY-START", "1") or re.search(r"^\s*level\d+\s*=", profile, re.M):
                fail("%s: after the end the profile did not start over: %s" % (name, profile), out)
        else:
            if value(profile, "flowType") != flow.upper():
                fail("%s: the profile's voyage is %s" % (name, value(profile, "flowType")), out)
            e = entries[stop if stop is not None else -1]
            where = (value(profile, "gameType"), value(profile, "flowSequence"))
            if where != (e["type"], str(e["nr"])):
                fail("%s: left at entry %d (%s) but the profile keeps %s" % (name, e["nr"], e["type"], where), out)
        if stop is None and begin is not None:
            # The whole voyage is behind the player: every game level is recorded as won.
            for g in entries:
                if g["type"] in GAME_TYPES:
                    pattern = r"^\s*level\d+\s*=\s*%d, 1, %d, %d," % (g["numer"], g["nr"], g["stage"])
                    if not re.search(pattern, profile, re.M):
                        fail("%s: entry %d (%s %s) is not recorded as won" % (name, g["nr"], g["type"], g["url"]), out)
        print("%s: %d places, to %s" % (name, len(got), got[-1] if got else "-"))
    print("%s voyage played through: %d entries, %d starts" % (flow, len(entries), len(runs)))
    return 0


def run_program(name, s, zerkon, plan, assets, work, env, out):
    """Plans the script's moves, runs the program on it and gives the places it walked."""
    raw = os.path.join(out, name + ".road")
    with open(raw, "w") as f:
        f.write(s.text())
    script = os.path.join(out, name + ".script")
    with open(script, "w") as f, open(os.path.join(out, "plan-" + name + ".txt"), "w") as err:
        if subprocess.run([plan, assets, raw], stdout=f, stderr=err).returncode != 0:
            fail(name + ": the moves could not be planned", out)
    with open(os.path.join(out, "stdout-%s.txt" % name), "w") as so, \
            open(os.path.join(out, "stderr-%s.txt" % name), "w") as se:
        # The frame limit only ends a run that lost its way past every wait.
        rc = subprocess.run([zerkon], cwd=work, stdout=so, stderr=se,
                            env=dict(env, ZERKON_SCRIPT=script, ZERKON_FRAMES="400000")).returncode
    with open(os.path.join(out, "stdout-%s.txt" % name), errors="replace") as f:
        got = [l[len("place: "):].strip() for l in f if l.startswith("place: ")]
    with open(os.path.join(out, "stderr-%s.txt" % name), errors="replace") as f:
        errors = f.read()
    if rc != 0:
        fail("%s: exit code %d; road was: %s" % (name, rc, " ".join(got)), out)
    if re.search(r"^Notify:", errors, re.M):
        fail(name + ": a message box was shown", out)
    if "did not come within" in errors:
        lost = [l for l in errors.splitlines() if "did not come within" in l]
        fail("%s lost its way: %s\nroad was: %s" % (name, lost[-1], " ".join(got)), out)
    return got


if __name__ == "__main__":
    sys.exit(main())
