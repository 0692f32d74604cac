#!/usr/bin/env python3
"""Rasterises the game's images from the SVG drawn by the modules in images/.

  build_images.py --list                          print "<group>|<path>" for every image
  build_images.py --group G --out DIR --png2jpg T write every image of group G below DIR
  build_images.py --svg G --out DIR               write the SVG sources only (for inspection)

Each image goes to a temporary file first and is moved into place when complete,
so a failure never leaves half a tree; the failing image and module are named.
"""
import argparse
import importlib
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import svgkit  # noqa: E402
from svgkit import Strip  # noqa: E402

# Modules in images/, one per group; later issues append theirs here.
GROUPS = ["cursors", "theme", "loading", "options", "profile", "playscreen", "tip", "buttons", "tiles", "mapa", "backgrounds", "effects", "numbers", "menus", "panels", "winscreen", "losescreen", "awards", "captions", "ambience", "story", "helpscreens"]
GROUPS += ["intro"]
# The play screen's power-up and creature pictures.
GROUPS += ["playfx"]
# The block puzzle in a chest.
GROUPS += ["puzzle_express"]
# The hidden-object scenes.
GROUPS += ["hiddenobject"]
# The award gallery and details panel; the dialogue box and the crew's portraits.
GROUPS += ["gallery", "dialogs"]
# The inlay game: stone, lid, pieces, hammer and anvil.
GROUPS += ["lay_puzzle"]
# The closing card of the end of the levels.
GROUPS += ["ending"]


def load_group(name):
    mod = importlib.import_module("images." + name)
    return mod.images()


def to_svg(item):
    if isinstance(item, Strip):
        body = "".join(
            f'<svg x="{i * item.fw}" y="0" width="{item.fw}" height="{item.fh}" '
            f'viewBox="0 0 {item.fw} {item.fh}" overflow="hidden">{f}</svg>'
            for i, f in enumerate(item.frames))
        return svgkit.doc(item.fw * len(item.frames), item.fh, body), item.fw * len(item.frames), item.fh
    return svgkit.doc(item.w, item.h, item.body), item.w, item.h


def fail(msg):
    sys.stderr.write("build_images: " + msg + "\n")
    sys.exit(1)


def render(group, rel, item, out_dir, png2jpg):
    try:
        svg, w, h = to_svg(item)
    except Exception as e:  # a broken drawing function
        fail(f"{rel} (images/{group}.py): {e}")
    dest = os.path.join(out_dir, rel)
    os.makedirs(os.path.dirname(dest), exist_ok=True)
    with tempfile.TemporaryDirectory(dir=os.path.dirname(dest)) as tmp:
        src = os.path.join(tmp, "src.svg")
        png = os.path.join(tmp, "out.png")
        with open(src, "w", encoding="utf-8") as f:
            f.write(svg)
        r = subprocess.run(["rsvg-convert", "-w", str(w), "-h", str(h), "-f", "png", "-o", png, src],
                           capture_output=True, text=True)
        if r.returncode != 0 or not os.path.exists(png):
            fail(f"{rel} (images/{group}.py): rsvg-convert failed: {r.stderr.strip()}")
        final = png
        if rel.lower().endswith(".jpg"):
            final = os.path.join(tmp, "out.jpg")
            r = subprocess.run([png2jpg, png, final], capture_output=True, text=True)
            if r.returncode != 0:
                fail(f"{rel} (images/{group}.py): png2jpg failed: {r.stderr.strip()}")
        os.replace(final, dest)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--deps")
    ap.add_argument("--group")
    ap.add_argument("--svg")
    ap.add_argument("--out")
    ap.add_argument("--png2jpg", default="png2jpg")
    a = ap.parse_args()
    if a.list:
        owner = {}
        for g in GROUPS:
            for rel in load_group(g):
                if rel.lower() in owner:
                    fail(f"{rel} is drawn by both images/{owner[rel.lower()]}.py and images/{g}.py")
                owner[rel.lower()] = g
                print(f"{g}|{rel}")
        return
    if a.deps:
        # the source files a group's pictures are drawn from, for the build's dependency lists
        load_group(a.deps)
        for mod in list(sys.modules.values()):
            f = getattr(mod, "__file__", None)
            if f and os.path.abspath(f).startswith(HERE + os.sep):
                print(os.path.abspath(f))
        return
    if a.svg:
        for rel, item in load_group(a.svg).items():
            dest = os.path.join(a.out, rel + ".svg")
            os.makedirs(os.path.dirname(dest), exist_ok=True)
            with open(dest, "w", encoding="utf-8") as f:
                f.write(to_svg(item)[0])
        return
    if not a.group or not a.out:
        fail("need --group and --out")
    if a.group not in GROUPS:
        fail(f"unknown group {a.group}")
    try:
        items = load_group(a.group)
    except Exception as e:
        fail(f"images/{a.group}.py: {type(e).__name__}: {e}")
    for rel, item in items.items():
        render(a.group, rel, item, a.out, a.png2jpg)


if __name__ == "__main__":
    main()
