#!/usr/bin/env python3
"""Synthesises one sound effect or music track into Ogg Vorbis.

  build_sound.py --list                  print the output path of every sound and track
  build_sound.py --name N --out FILE     render effect or track N (as named in data/globalSnd.dat)

The Ogg file is written beside the target under a temporary name and moved into place when complete.
"""
import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import music  # noqa: E402
import sounds  # noqa: E402
import synth  # noqa: E402


def outputs():
    for name in sounds.RECIPES:
        yield name, f"sfx/{name}.ogg"
    # The film's sounds live in their own folder; they are named by their path there.
    for name in sounds.INTRO:
        yield f"Intro/{name}", f"sfx/Intro/{name}.ogg"
    for name, track in music.TRACKS.items():
        yield name, f"sfx/music/{track[0]}.ogg"


def fail(msg):
    sys.stderr.write("build_sound: " + msg + "\n")
    sys.exit(1)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--name")
    ap.add_argument("--out")
    a = ap.parse_args()
    if a.list:
        for name, rel in outputs():
            print(f"{name}|{rel}")
        return
    if not a.name or not a.out:
        fail("need --name and --out")
    try:
        recipe = sounds.RECIPES.get(a.name) or sounds.INTRO.get(a.name.removeprefix("Intro/"))
        if recipe and (a.name in sounds.RECIPES or a.name.startswith("Intro/")):
            samples = synth.fade_edges(synth.normalise(recipe(), 0.85))
        elif a.name in music.TRACKS:
            samples, _ = music.compose(a.name)
            samples = synth.normalise(samples, 0.7)
        else:
            fail(f"no recipe named {a.name}")
    except Exception as e:
        fail(f"{a.name} (sounds.py / music.py): {type(e).__name__}: {e}")
    dest_dir = os.path.dirname(os.path.abspath(a.out))
    os.makedirs(dest_dir, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=dest_dir) as tmp:
        wav = os.path.join(tmp, "s.wav")
        ogg = os.path.join(tmp, "s.ogg")
        synth.write_wav(wav, samples)
        r = subprocess.run(["oggenc", "-Q", "-q", "3", "-o", ogg, wav], capture_output=True, text=True)
        if r.returncode != 0 or not os.path.exists(ogg):
            fail(f"{a.name}: oggenc failed: {r.stderr.strip()}")
        os.replace(ogg, a.out)


if __name__ == "__main__":
    main()
