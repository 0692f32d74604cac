#!/usr/bin/env python3
"""A file in the user folder that no game could have written -- 20 GiB, sparse, nothing in it --
in each place the game reads one while it starts: the start goes on to the title screen with
one message naming the file, and a file the game does not rewrite on purpose is left as it was.

    huge_user_files.py ZERKON OUTDIR
"""
import os
import shutil
import subprocess
import sys

HUGE = 20 << 30
PLAYER = "65-78-78-"  # "ANN"
SCRIPT = "10 move 900 690\n140 click left\n400 quit\n"  # past the opening film, then out

PLAYER_LIST = """profiles {
\ti = 1
\tprof1 {
\t\tid = "%s"
\t\tname = "ANN"
\t}

\tactProfile = "%s"
}

""" % (PLAYER, PLAYER)

# A player standing on an entry of the casual voyage whose level in progress (when the game
# type has one) is read at start.
PLAYER_FILE = """profile {

\tstandards {
\t\tname = "ANN"
\t\tnumerLevelu = %d
\t\tnumerStageu = %d
\t\tflowSequence = %d
\t\tgameType = "%s"
\t\tflowType = "CASUAL"
\t\ttutorialOn = 0
\t}

}

"""

LEVEL = "Profiles/%s/level.lvl" % PLAYER
# (file made huge, the player's game type, whether the game must leave the file as it was, the
# lines the start then prints besides the one message)
CASES = [
    ("Data/settings.dat", "MAPA", False, []),
    ("Data/localHighScores.dat", "MAPA", True, []),
    # The list is made again from the players' folders, which the game says it did.
    ("Profiles/profiles.dat", "MAPA", False, ["Players brought back from their folders: 1"]),
    # The one box for a player whose file cannot be read goes on over two more lines.
    ("Profiles/%s/profile.dat" % PLAYER, "MAPA", True,
     ["Blad! Nie mozna wczytac profilu: %s" % PLAYER,
      "ANN is kept in the list and comes back at the next start once the file can be read again."]),
    (LEVEL, "MAIN-GAME", True, []),
    (LEVEL, "HIDDEN-OBJECT", True, []),
    (LEVEL, "LAY-PUZZLE", True, []),
    (LEVEL, "PUZZLE-EXPRESS", True, []),
]


def voyage_places(zerkon):
    """{game type: (level, stage, position)} of the first entry of each type in the casual voyage
    the program ships with, so the player stands where the voyage has that type."""
    places = {}
    path = os.path.join(os.path.dirname(zerkon), "assets", "data", "flow_casual.dat")
    entry, fields = None, {}
    with open(path) as f:
        for line in f:
            word = line.strip()
            if word.startswith("level") and word.endswith("{"):
                entry, fields = int(word[len("level"):-1].strip()), {}
            elif "=" in word and entry is not None:
                key, value = (x.strip() for x in word.split("=", 1))
                fields[key] = value.strip('"')
            elif word == "}" and entry is not None:
                places.setdefault(fields.get("gameType", ""),
                                  (int(fields.get("numer", 1)), int(fields.get("stageN", 1)), entry))
                entry = None
    return places


PLACES = {}


def lay_user(user, game_type):
    shutil.rmtree(user, ignore_errors=True)
    os.makedirs(os.path.join(user, "Data"))
    os.makedirs(os.path.join(user, "Profiles", PLAYER))
    with open(os.path.join(user, "Profiles", "profiles.dat"), "w") as f:
        f.write(PLAYER_LIST)
    with open(os.path.join(user, "Profiles", PLAYER, "profile.dat"), "w") as f:
        f.write(PLAYER_FILE % (PLACES[game_type] + (game_type,)))


def start(zerkon, out, user):
    """One start of the game; its messages (every line but the router's) and its places."""
    script = os.path.join(out, "script.txt")
    with open(script, "w") as f:
        f.write(SCRIPT)
    env = dict(os.environ, ZERKON_HEADLESS="1", ZERKON_USER_DIR=user, ZERKON_SCRIPT=script,
               ZERKON_ROUTER_LOG="1", ZERKON_FRAMES="3000")
    run = subprocess.run([zerkon], cwd=out, env=env, capture_output=True, text=True, errors="replace",
                         timeout=120)
    lines = (run.stdout + run.stderr).splitlines()
    places = [l[len("place: "):] for l in lines if l.startswith("place: ")]
    messages = [l for l in lines if l.strip() and not l.startswith("place: ")]
    return run.returncode, places, messages


def main():
    zerkon, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    PLACES.update(voyage_places(zerkon))
    os.makedirs(out, exist_ok=True)
    user = os.path.join(out, "user")
    failures = []

    lay_user(user, "MAPA")
    rc, places, messages = start(zerkon, out, user)
    if rc != 0 or "MAIN-MENU" not in places or messages:
        print("FAIL: the start without a damaged file: exit %d, places %s, messages %s" % (rc, places, messages))
        return 1

    for rel, game_type, kept, also in CASES:
        what = "%s (%s)" % (rel, game_type)
        lay_user(user, game_type)
        path = os.path.join(user, rel)
        with open(path, "w"):
            pass
        os.truncate(path, HUGE)  # sparse: nothing is written
        rc, places, messages = start(zerkon, out, user)
        if rc != 0:
            failures.append("%s: exit code %d" % (what, rc))
        if "MAIN-MENU" not in places:
            failures.append("%s: the title screen was not reached (places %s)" % (what, places))
        named = [m for m in messages if path in m]
        if len(named) != 1 or sorted(m for m in messages if path not in m) != sorted(also):
            failures.append("%s: not one message naming the file: %s" % (what, messages))
        if kept and os.path.getsize(path) != HUGE:
            failures.append("%s: the file was rewritten" % what)
        os.remove(path)

    shutil.rmtree(user, ignore_errors=True)
    for f in failures:
        print("FAIL: " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
