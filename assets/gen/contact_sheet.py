#!/usr/bin/env python3
"""Renders a contact sheet of the generated tree: the loading screen, the play screen as the game
composes it, the cursors, the theme's window pieces assembled into a window, and the other screens.

  contact_sheet.py --tree DIR --out sheet.png
"""
import argparse
import base64
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import svgkit  # noqa: E402
from svgkit import text, INK, GOLD, PARCH_LIGHT  # noqa: E402


class Tree:
    def __init__(self, root):
        self.root = root

    def size(self, rel):
        with open(os.path.join(self.root, rel), "rb") as f:
            data = f.read()
        if data[:8] == b"\x89PNG\r\n\x1a\n":
            return struct.unpack(">II", data[16:24])
        i = 2  # JPEG: walk the markers to the frame header
        while i < len(data):
            marker, length = data[i + 1], struct.unpack(">H", data[i + 2:i + 4])[0]
            if marker in (0xC0, 0xC1, 0xC2):
                h, w = struct.unpack(">HH", data[i + 5:i + 9])
                return w, h
            i += 2 + length
        raise ValueError("no size in " + rel)

    def uri(self, rel):
        with open(os.path.join(self.root, rel), "rb") as f:
            data = base64.b64encode(f.read()).decode()
        mime = "image/jpeg" if rel.endswith(".jpg") else "image/png"
        return f"data:{mime};base64,{data}"

    def img(self, rel, x, y, frame=None, frames=1, scale=1.0, centre=False, cut=None):
        w, h = self.size(rel)
        fw = w // frames
        sx = 0 if frame is None else frame * fw
        cw, ch = (fw, h) if cut is None else cut
        if centre:
            x -= cw * scale / 2
            y -= ch * scale / 2
        return (f'<svg x="{x}" y="{y}" width="{cw * scale}" height="{ch * scale}" viewBox="{sx} 0 {cw} {ch}">'
                f'<image width="{w}" height="{h}" xlink:href="{self.uri(rel)}"/></svg>')


def caption(x, y, s, size=22, anchor="start", fill=GOLD):
    return text(x, y, s, size, fill=fill, family="Averia GWF", anchor=anchor, sw=3, weight="bold")


FONT_FACES = {"berry.ttf": ("Averia GWF", "bold"), "font.ttf": ("DejaVu Sans", "bold"),
              "bluehigh.ttf": ("DejaVu Sans", "normal"), "storyfont.ttf": ("Leckerli One", "normal")}


def gui_blocks(text):
    """The blocks of a layout file: (TYPE, name, {KEY: value}), quotes dropped, in file order."""
    tokens, cur, in_q = [], "", False
    for ch in text + "\n":
        if ch == '"':
            in_q = not in_q
        elif not in_q and ch in " \t\n\r":
            if cur.strip():
                tokens.append(cur.strip())
            cur = ""
        else:
            cur += ch
    blocks, i = [], 0
    while i + 2 < len(tokens):
        if tokens[i + 2] != "{":
            i += 1
            continue
        typ, name, i, e = tokens[i].upper(), tokens[i + 1], i + 3, {}
        while i < len(tokens) and tokens[i] != "}":
            if i + 2 < len(tokens) and tokens[i + 1] == "=":
                e[tokens[i].upper()] = tokens[i + 2]
                i += 3
            else:
                i += 1
        blocks.append((typ, name, e))
        i += 1
    return blocks


def layout(t, rel, hidden=(), dy=0):
    """Draws a layout as the game would with every widget in its normal state."""
    lang = "en"
    with open(os.path.join(t.root, rel.replace("<lang>", lang)), encoding="latin-1") as f:
        blocks = gui_blocks(f.read())
    fonts, g = {}, ""
    for typ, name, e in blocks:
        if name.lower() in hidden:
            continue
        pos = [int(v) for v in e.get("POSITION", "0 0").split(" ")]
        x, y = pos[0], pos[1] + dy
        if typ == "FONT":
            fonts[name.lower()] = (FONT_FACES.get(e["URL"].split("/")[-1].lower(), ("DejaVu Sans", "normal")),
                                   int(e.get("SIZE", "12")))
        elif typ == "ANIM":
            g += t.img(e["GFX"], x, y, frame=0, frames=1)
        elif typ == "BUTTON":
            gfx = e["GFX"].replace("#LANG#", lang)
            frames = 4 if e.get("TYP", "").startswith("FSTEP") else 1
            g += t.img(gfx, x, y, frame=0, frames=frames, centre=True)
        elif typ == "TEXT":
            (family, weight), size = fonts.get(e.get("FONT", "").lower(), (("DejaVu Sans", "normal"), 12))
            txt = e.get("TXT", "")
            if txt.startswith("[") and txt.endswith("]"):
                path, n = txt[1:-1].split("|")
                with open(os.path.join(t.root, path.replace("#LANG#", lang)), encoding="latin-1") as f:
                    txt = f.read().split("\n")[int(n) - 1]
            r, gg, b = (int(v) for v in e.get("RGB", "255 255 255").split(" "))
            anchor, tx = "start", x
            if e.get("ALIGN", "").upper() == "CENTER" and len(pos) == 3:
                anchor, tx = "middle", x + pos[2] / 2
            g += text(tx, y + size * 0.8, txt, size, fill=f"rgb({r},{gg},{b})", family=family, anchor=anchor,
                      stroke="none", sw=0, weight=weight)
    return g


def play_screen(t):
    g = t.img("gfx/gui/loading/back.jpg", 0, 0)
    # a 10 x 10 board of the 36 px class, centred like the game centres it
    for r in range(10):
        for c in range(10):
            x = 230 + c * 37 + (5 if c >= 5 else 0)
            y = 230 + r * 37 + (5 if r >= 5 else 0)
            g += f'<g opacity="0.45">{t.img("gfx/gui/mainGame/grid-1.png", x, y, centre=True)}</g>'
    g += t.img("gfx/gui/mainGame/gui.png", 0, 0)
    g += caption(400, 28, "Board: 10 x 10", 26, "middle")
    g += caption(880, 24, "1 - 3", 20, "middle")
    g += t.img("gfx/gui/mainGame/klepsydra.png", 830, 42)
    g += caption(905, 76, "02", 30, "end") + caption(910, 76, ":", 30, "middle") + caption(915, 76, "37", 30)
    g += caption(888, 180, "0012450", 26, "middle")
    g += t.img("gfx/gui/mainGame/gwiazda.png", 855, 190, centre=True) + caption(880, 197, "x3", 16)
    g += t.img("gfx/gui/mainGame/reka-click.png", 840, 275, centre=True)
    g += t.img("gfx/gui/mainGame/hak-normal.png", 943, 275, centre=True)
    g += t.img("gfx/gui/mainGame/hak-over.png", 943, 275, centre=True)
    g += t.img("gfx/gui/mainGame/chest-back.png", 789, 346, frame=2, frames=7)
    g += t.img("gfx/gui/mainGame/chest-front.png", 789, 346, frame=2, frames=7)
    g += t.img("gfx/gui/mainGame/chest-cover.png", 750, 317)
    g += caption(890, 373, "Mistakes: 2/5", 16, "middle")
    g += caption(885, 616, "Hints", 16, "middle")
    for i, (x, y) in enumerate(((840, 650), (935, 650), (840, 700), (935, 700))):
        g += t.img("gfx/gui/mainGame/hint-anim.png", x, y, frame=0 if i == 0 else 7, frames=8, centre=True)
    g += t.img("gfx/gui/mainGame/shell-over.png", 935 + 2, 700 + 2, centre=True)
    g += layout(t, "gfx/gui/mainGame/<lang>/game.gui")
    g += t.img("gfx/gui/mainGame/worek.png", 640, 740, centre=True)
    for i in range(1, 3):
        g += t.img("gfx/gui/mainGame/punkt.png", 640 - 15 + 8 * i, 755, centre=True)
    g += t.img("gfx/gui/specialTip/back.png", 150, 600, centre=True)
    g += caption(150, 590, "Uncover this crate!", 18, "middle", fill=INK).replace(f'stroke="{INK}"', 'stroke="none"')
    g += t.img("gfx/gui/mouse/hand.png", 420 - 2, 400 - 2)
    return g


def loading_screen(t):
    w, h = t.size("gfx/gui/loading/loading.png")
    x, y = 512 - w // 2, 685 - h // 2
    return (t.img("gfx/gui/loading/back.jpg", 0, 0) + t.img("gfx/gui/loading/en/logo.png", 512, 384, centre=True)
            + f'<g opacity="0.3">{t.img("gfx/gui/loading/loading.png", x, y)}</g>'
            + t.img("gfx/gui/loading/loading.png", x, y, cut=(int(w * 0.6), h)))


def window(t, x, y, w, h):
    p = "gfx/gui/window/okno-"
    lu, ru = t.size(p + "leftup.png"), t.size(p + "rightup.png")
    ld, rd = t.size(p + "leftdown.png"), t.size(p + "rightdown.png")
    up, dn = t.size(p + "up.png"), t.size(p + "down.png")
    le, ri = t.size(p + "left.png"), t.size(p + "right.png")

    def stretched(rel, px, py, pw, ph):
        iw, ih = t.size(rel)
        return (f'<image x="{px}" y="{py}" width="{pw}" height="{ph}" preserveAspectRatio="none" '
                f'xlink:href="{t.uri(rel)}"/>')
    g = stretched(p + "srodek.png", x + le[0], y + up[1], w - le[0] - ri[0], h - up[1] - dn[1])
    g += stretched(p + "up.png", x + lu[0], y, w - lu[0] - ru[0], up[1])
    g += stretched(p + "down.png", x + ld[0], y + h - dn[1], w - ld[0] - rd[0], dn[1])
    g += stretched(p + "left.png", x, y + lu[1], le[0], h - lu[1] - ld[1])
    g += stretched(p + "right.png", x + w - ri[0], y + ru[1], ri[0], h - ru[1] - rd[1])
    g += t.img(p + "leftup.png", x, y) + t.img(p + "rightup.png", x + w - ru[0], y)
    g += t.img(p + "leftdown.png", x, y + h - ld[1]) + t.img(p + "rightdown.png", x + w - rd[0], y + h - rd[1])
    # menu bar along the top and a drop-down below it
    b = "gfx/gui/window/belka-"
    g += t.img(b + "lewo.png", x + 40, y + h + 20)
    g += stretched(b + "srodek.png", x + 54, y + h + 20, 220, 30)
    g += t.img(b + "prawo.png", x + 274, y + h + 20)
    g += caption(x + 70, y + h + 42, "File    Edit", 18)
    g += t.img("gfx/gui/window/suwak-gora.png", x + w + 20, y, frames=4, frame=0)
    g += t.img("gfx/gui/window/suwak-gora.png", x + w + 50, y, frames=4, frame=1)
    g += t.img("gfx/gui/window/suwak-gora.png", x + w + 80, y, frames=4, frame=2)
    g += t.img("gfx/gui/window/suwak-gora.png", x + w + 110, y, frames=4, frame=3)
    return g


def options_screen(t):
    g = '<rect width="1024" height="768" fill="#000" opacity="0.5"/>'
    # seen over the play screen: credits hidden, the game-screen buttons shown
    g += layout(t, "gfx/gui/options/<lang>/options.gui", hidden=("credits", "off", "offw", "offc"))
    w, h = t.size("gfx/gui/options/pasek.png")
    for y, vol in ((215, 0.7), (295, 0.35)):
        g += t.img("gfx/gui/options/pasek.png", 390, y, cut=(int(w * vol), h))
    for y in (210, 290):
        g += t.img("gfx/gui/options/bar.png", 380, y)
    g += t.img("gfx/gui/options/suwak.png", 390 + 395 * 0.7, 224, centre=True)
    g += t.img("gfx/gui/options/suwak.png", 390 + 395 * 0.35, 305, centre=True)
    return g


def build(tree, out):
    t = Tree(tree)
    parts = []
    W = 2 * 1024 + 60
    parts.append(f'<rect width="{W}" height="2400" fill="#20303c"/>')
    parts.append(caption(20, 34, "Loading screen", 26) + caption(1064, 34, "Play screen", 26))
    parts.append(f'<g transform="translate(20,50)">{loading_screen(t)}</g>')
    parts.append(f'<g transform="translate(1064,50)">{play_screen(t)}</g>')
    y0 = 860
    parts.append(caption(20, y0, "Cursors (1:1 and 2:1), point.png", 26))
    cur = ["hand", "hook", "oko", "oko-1", "oko-2", "oko-3", "oko-4", "czaszka", "czaszka-1", "czaszka-2",
           "czaszka-3", "czaszka-4", "mapa", "mapa-1", "mapa-2", "mapa-3", "mapa-4"]
    parts.append(f'<rect x="20" y="{y0 + 14}" width="1000" height="170" rx="10" fill="{PARCH_LIGHT}"/>')
    x = 34
    for c in cur:
        rel = f"gfx/gui/mouse/{c}.png"
        w, h = t.size(rel)
        parts.append(t.img(rel, x, y0 + 30))
        parts.append(t.img(rel, x, y0 + 90, scale=2))
        x += max(w * 2, 24) + 10
    parts.append(t.img("gfx/point.png", x + 10, y0 + 40, scale=4))
    parts.append(caption(1064, y0, "Window theme, menu bar, slider buttons", 26))
    parts.append(f'<g>{window(t, 1080, y0 + 20, 420, 220)}</g>')
    y1 = y0 + 320
    parts.append(caption(20, y1, "Chest, damage 0 to 6 (back + front)", 26))
    for i in range(7):
        parts.append(f'<rect x="{20 + i * 210}" y="{y1 + 12}" width="204" height="210" fill="#24597a"/>')
        parts.append(t.img("gfx/gui/mainGame/chest-back.png", 22 + i * 210, y1 + 14, frame=i, frames=7))
        parts.append(t.img("gfx/gui/mainGame/chest-front.png", 22 + i * 210, y1 + 14, frame=i, frames=7))
    y2 = y1 + 250
    parts.append(caption(20, y2, "Hint shell 0..7, power-ups (normal, hover, pressed, inactive), pieces", 26))
    parts.append(f'<rect x="20" y="{y2 + 12}" width="2060" height="170" fill="#4a2a14"/>')
    parts.append(t.img("gfx/gui/mainGame/hint-anim.png", 30, y2 + 20))
    for n in range(1, 6):
        parts.append(t.img(f"gfx/gui/mainGame/bonus-{n}.png", 700 + (n - 1) * 240, y2 + 20))
    for i in range(1, 8):
        parts.append(t.img(f"gfx/particles/chest/part-{i}.png", 30 + (i - 1) * 56, y2 + 90))
    for n, name in enumerate(("reka", "hak")):
        for k, st in enumerate(("normal", "click", "over")):
            parts.append(t.img(f"gfx/gui/mainGame/{name}-{st}.png", 460 + k * 70 + n * 220, y2 + 100))
    parts.append(t.img("gfx/gui/profileManager/up.png", 1200, y2 + 100))
    parts.append(t.img("gfx/gui/profileManager/down.png", 1400, y2 + 100))
    y3 = y2 + 200
    parts.append(caption(20, y3, "Options over the play screen", 26) + caption(1064, y3, "Profile screen", 26))
    parts.append(f'<g transform="translate(20,{y3 + 14})">'
                 f'{play_screen(t)}{options_screen(t)}</g>')
    prof = (t.img("gfx/gui/loading/back.jpg", 0, 0) + '<rect width="1024" height="768" fill="#000" opacity="0.5"/>'
            + t.img("gfx/gui/profileManager/panel.png", 250, 150)
            + caption(532, 184, "Choose your pirate", 26, "middle", fill="rgb(247,222,113)")
            + layout(t, "gfx/gui/profileManager/<lang>/profileManager.gui"))
    for i, n in enumerate(("ANNE", "Jack", "Mary")):
        prof += caption(500, 270 + i * 28, n, 22, "middle", fill="#ffffff")
    parts.append(f'<g transform="translate(1064,{y3 + 14})">{prof}</g>')
    H = y3 + 14 + 768 + 20
    svg = svgkit.doc(W, H, "".join(parts))
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "sheet.svg")
        with open(src, "w", encoding="utf-8") as f:
            f.write(svg)
        r = subprocess.run(["rsvg-convert", "-o", out, src], capture_output=True, text=True)
        if r.returncode != 0:
            sys.stderr.write("contact_sheet: rsvg-convert failed: " + r.stderr)
            sys.exit(1)


if __name__ == "__main__":
    ap = argparse.ArgumentParser()
    ap.add_argument("--tree", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    build(a.tree, a.out)
