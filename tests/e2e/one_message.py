#!/usr/bin/env python3
"""A damaged asset tree says each cause once.

    one_message.py ZERKON OUTDIR

The program and its asset tree are copied; each case breaks one thing in the copy (a font
file, the language file, the sound files, the particle pictures), starts the copy headless
on a fresh user folder and names the first player, so that the main menu comes. The menu must
come, and exactly one message box must have been shown, saying what is wrong.
"""
import os
import shutil
import subprocess
import sys

SCRIPT = "140 click left\n360 type Ann\n380 key ENTER\n900 wait place MAIN-MENU\n10 quit\n"


def remove(rel):
    def apply(tree):
        path = os.path.join(tree, rel)
        if os.path.isdir(path):
            shutil.rmtree(path)
        else:
            os.remove(path)
    return apply


def write(rel, text):
    def apply(tree):
        with open(os.path.join(tree, rel), "w") as f:
            f.write(text)
    return apply


# (name, damage, text the one message must hold)
CASES = [
    ("font", remove("gfx/fonts/berry.ttf"), "Nie moge znalezc czcionki : "),
    ("language", write("txt/lang.txt", "zz\n"), 'names the language "zz"'),
    ("no language", write("txt/lang.txt", ""), "names no language"),
    ("sounds", remove("sfx"), "NO SOUND FILE: "),
    ("particles", remove("gfx/particles"), "NO PARTICLE IMG: "),
]


def boxes(stderr):
    """The message boxes of a headless run, each with its following lines."""
    out = []
    for line in stderr.splitlines():
        if line.startswith("Notify:"):
            out.append(line)
        elif out and not line.startswith(("Napotkano", "Error reading")):
            out[-1] += "\n" + line
    return out


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    zerkon, out = (os.path.abspath(a) for a in sys.argv[1:3])
    shutil.rmtree(out, ignore_errors=True)
    failed = []
    for name, damage, said in CASES:
        case = os.path.join(out, name.replace(" ", "-"))
        program = os.path.join(case, "zerkon")
        os.makedirs(os.path.join(case, "user"))
        os.makedirs(os.path.join(case, "work"))
        shutil.copy2(zerkon, program)
        shutil.copytree(os.path.join(os.path.dirname(zerkon), "assets"), os.path.join(case, "assets"))
        damage(os.path.join(case, "assets"))
        with open(os.path.join(case, "script.txt"), "w") as f:
            f.write(SCRIPT)
        env = dict(os.environ, ZERKON_HEADLESS="1", ZERKON_USER_DIR=os.path.join(case, "user"),
                   ZERKON_SCRIPT=os.path.join(case, "script.txt"), ZERKON_ROUTER_LOG="1", ZERKON_FRAMES="3000")
        run = subprocess.run([program], cwd=os.path.join(case, "work"), env=env, capture_output=True, text=True,
                             timeout=300)
        shown = boxes(run.stderr)
        problems = []
        if run.returncode != 0:
            problems.append("exit code %d" % run.returncode)
        if "place: MAIN-MENU" not in run.stdout:
            problems.append("the main menu never came")
        if len(shown) != 1:
            problems.append("%d message boxes" % len(shown))
        elif said not in shown[0]:
            problems.append("the message does not say %r" % said)
        if problems:
            failed.append(name)
            print("FAIL %s: %s" % (name, "; ".join(problems)))
            for b in shown:
                print("  " + b.replace("\n", "\n  "))
        else:
            print("%s: one message" % name)
            shutil.rmtree(case)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
