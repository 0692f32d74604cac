"""The stage map: a hand-drawn sea chart with ten islands along a dotted route, the stage
markers, the bobbing arrow, the shark fin, the bottom panel, the map's buttons, and the
ambience sprites (sea sparkle, two clouds); the wave frames are in images/ambience.py.

The chart is loaded as JPEG while the mask colour is black, so nothing on it is pure black;
its open water is blue enough (blue > 140, red < 80) for the game to put sparkles on it.
"""
import math
import random

from svgkit import Image, Strip, shadow, rrect, rivet, plank, plaque, text, state_wrap, STATES, INK, FOAM, GOLD, \
    GOLD_DARK, GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_LIGHT, PARCH_DARK, RED, GREEN, BONE
from images.buttons import caption_button, H as BUTTON_H

LANG = "en"

# Stage marker centres, stage 1 to 10; data/mapStages.dat holds the same points.
STAGES = [(140, 560), (250, 400), (150, 240), (330, 150), (480, 280),
          (420, 470), (640, 420), (700, 190), (870, 260), (850, 500)]

CHART_DEFS = """<linearGradient id="water" x1="0" y1="0" x2="0.3" y2="1">
  <stop offset="0" stop-color="#3d93c8"/><stop offset="0.6" stop-color="#2c7bb4"/>
  <stop offset="1" stop-color="#23679e"/></linearGradient>
<radialGradient id="shallow" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0.55" stop-color="#5fb6c9" stop-opacity="0.9"/>
  <stop offset="1" stop-color="#3d93c8" stop-opacity="0"/></radialGradient>
<linearGradient id="sand" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f3dfa6"/><stop offset="1" stop-color="#d6b673"/></linearGradient>
<radialGradient id="edge" cx="0.5" cy="0.5" r="0.72">
  <stop offset="0.7" stop-color="#1b2f3c" stop-opacity="0"/>
  <stop offset="1" stop-color="#1b2f3c" stop-opacity="0.35"/></radialGradient>"""

OUT = WOOD_DARK  # chart outlines: dark brown, never black


def blob(cx, cy, r, rnd, n=11, wobble=0.28):
    """A closed, softly irregular island outline."""
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        rr = r * (1 + rnd.uniform(-wobble, wobble))
        pts.append((cx + rr * math.cos(a) * 1.25, cy + rr * math.sin(a) * 0.85))
    d = f"M{(pts[0][0] + pts[-1][0]) / 2:.1f},{(pts[0][1] + pts[-1][1]) / 2:.1f} "
    for i, p in enumerate(pts):
        q = pts[(i + 1) % n]
        d += f"Q{p[0]:.1f},{p[1]:.1f} {(p[0] + q[0]) / 2:.1f},{(p[1] + q[1]) / 2:.1f} "
    return d + "Z"


def tree(x, y, s=1.0):
    leaves = "".join(
        f'<path d="M0,0 q{10 * math.cos(a):.1f},{10 * math.sin(a) - 6:.1f} {18 * math.cos(a):.1f},{18 * math.sin(a):.1f}" '
        f'stroke="{GREEN}" stroke-width="4" fill="none" stroke-linecap="round"/>'
        for a in (math.radians(d) for d in (200, 240, 300, 340)))
    return (f'<g transform="translate({x},{y}) scale({s})"><path d="M0,0 q-3,10 1,20" stroke="{WOOD}" '
            f'stroke-width="3" fill="none"/>{leaves}</g>')


def island(cx, cy, r, seed):
    rnd = random.Random(seed)
    d = blob(cx, cy, r, rnd)
    out = (f'<ellipse cx="{cx}" cy="{cy}" rx="{r * 2.1:.0f}" ry="{r * 1.5:.0f}" fill="url(#shallow)"/>'
           f'<path d="{d}" fill="url(#sand)" stroke="{OUT}" stroke-width="2.5" stroke-linejoin="round"/>'
           f'<path d="{blob(cx, cy - 2, r * 0.62, rnd, 9, 0.2)}" fill="#8fae5a" opacity="0.85"/>')
    for _ in range(2 + seed % 2):
        out += tree(cx + rnd.uniform(-r * 0.6, r * 0.6), cy - r * 0.4 + rnd.uniform(-4, 4), 0.8)
    return out


def compass(cx, cy, r):
    pts = []
    for i in range(8):
        a = math.radians(i * 45 - 90)
        rr = r if i % 2 == 0 else r * 0.45
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
        a2 = math.radians(i * 45 - 90 + 22.5)
        pts.append(f"{cx + r * 0.18 * math.cos(a2):.1f},{cy + r * 0.18 * math.sin(a2):.1f}")
    return (f'<circle cx="{cx}" cy="{cy}" r="{r * 0.8:.0f}" fill="none" stroke="{PARCH_DARK}" stroke-width="2"/>'
            f'<polygon points="{" ".join(pts)}" fill="{PARCH_LIGHT}" stroke="{OUT}" stroke-width="1.5"/>'
            f'<circle cx="{cx}" cy="{cy}" r="4" fill="{RED}"/>' +
            text(cx, cy - r - 8, "N", 22, fill=PARCH_LIGHT, family="Averia GWF", sw=3, stroke=OUT, weight="bold"))


def sea_lines(rnd):
    out = []
    for _ in range(70):
        x, y = rnd.uniform(30, 990), rnd.uniform(40, 690)
        if any(math.hypot(x - sx, y - sy) < 70 for sx, sy in STAGES):
            continue
        w = rnd.uniform(14, 30)
        out.append(f'<path d="M{x:.0f},{y:.0f} q{w / 4:.1f},-4 {w / 2:.1f},0 t{w / 2:.1f},0" stroke="{FOAM}" '
                   f'stroke-width="1.6" fill="none" opacity="0.45"/>')
    return "".join(out)


def route():
    d = f"M{STAGES[0][0]},{STAGES[0][1]} "
    for (x0, y0), (x1, y1) in zip(STAGES, STAGES[1:]):
        mx, my = (x0 + x1) / 2 + (y1 - y0) * 0.2, (y0 + y1) / 2 - (x1 - x0) * 0.2
        d += f"Q{mx:.0f},{my:.0f} {x1},{y1} "
    return (f'<path d="{d}" fill="none" stroke="{PARCH_LIGHT}" stroke-width="4" stroke-dasharray="2 11" '
            f'stroke-linecap="round" opacity="0.9"/>')


def chart():
    rnd = random.Random(12)
    body = (f'<defs>{CHART_DEFS}</defs><rect width="1024" height="768" fill="url(#water)"/>' + sea_lines(rnd))
    # a few empty islets away from the route, so the sea is not a grid of stops
    for i, (x, y, r) in enumerate([(60, 90, 22), (560, 80, 18), (990, 130, 20), (600, 620, 24), (980, 380, 16),
                                   (300, 640, 18), (760, 320, 14)]):
        body += island(x, y, r, 100 + i)
    body += route()
    for i, (x, y) in enumerate(STAGES):
        body += island(x, y + 6, 34 + (i % 3) * 4, i + 1)
    body += compass(935, 642, 56)
    # parchment border of the chart, with a rope line inside it
    body += (f'<path d="M0,0 H1024 V768 H0 Z M18,18 V750 H1006 V18 Z" fill="{PARCH}" fill-rule="evenodd"/>'
             f'<rect x="18" y="18" width="988" height="732" fill="none" stroke="{PARCH_DARK}" stroke-width="5"/>'
             f'<rect x="10" y="10" width="1004" height="748" fill="none" stroke="{WOOD}" stroke-width="2" '
             f'stroke-dasharray="10 4"/>'
             '<rect width="1024" height="768" fill="url(#edge)"/>')
    return Image(1024, 768, body)


def marker(open_):
    s = 56
    c = s / 2
    if open_:
        rim, face, cross = "url(#gold)", PARCH_LIGHT, RED
    else:
        rim, face, cross = WOOD, PARCH_DARK, WOOD_DARK
    body = (f'<circle cx="{c}" cy="{c - 1}" r="22" fill="{rim}" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="{c}" cy="{c - 1}" r="16" fill="{face}" stroke="{INK}" stroke-width="1.2"/>'
            f'<path d="M{c - 8},{c - 9} L{c + 8},{c + 7} M{c + 8},{c - 9} L{c - 8},{c + 7}" stroke="{cross}" '
            f'stroke-width="5" stroke-linecap="round"/>'
            f'<path d="M{c - 14},{c - 12} A17,17 0 0 1 {c + 6},{c - 17}" stroke="#ffffff" stroke-width="2" '
            f'fill="none" opacity="0.45"/>')
    return Image(s, s, shadow(body))


def marker_done():
    """A stage already sailed: the gold coin with a green check in place of the cross."""
    s = 56
    c = s / 2
    body = (f'<circle cx="{c}" cy="{c - 1}" r="22" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="{c}" cy="{c - 1}" r="16" fill="{PARCH_LIGHT}" stroke="{INK}" stroke-width="1.2"/>'
            f'<path d="M{c - 9},{c - 1} L{c - 2},{c + 6} L{c + 10},{c - 9}" stroke="{INK}" stroke-width="8" '
            f'fill="none" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="M{c - 9},{c - 1} L{c - 2},{c + 6} L{c + 10},{c - 9}" stroke="{GREEN}" stroke-width="5" '
            f'fill="none" stroke-linecap="round" stroke-linejoin="round"/>')
    return Image(s, s, shadow(body))


def name_label():
    """The parchment label under an island's name; the game keeps the 14 px ends and
    stretches the middle to the name's width."""
    w, h = 120, 32
    return Image(w, h, f'<rect x="1.5" y="2.5" width="{w - 3}" height="{h - 6}" rx="9" fill="url(#parch)" '
                       f'stroke="{INK}" stroke-width="1.5"/>'
                       f'<path d="M10,7 H{w - 10}" stroke="#ffffff" stroke-width="1.2" opacity="0.5"/>'
                       f'<path d="M10,{h - 7} H{w - 10}" stroke="{PARCH_DARK}" stroke-width="1.2"/>')


def arrow():
    # 40 x 40, the tip at the bottom centre (the game's handle is (20, 40))
    body = (f'<path d="M12,3 H28 V19 H36 L20,37 L4,19 H12 Z" fill="url(#gold)" stroke="{INK}" stroke-width="2" '
            f'stroke-linejoin="round"/>'
            f'<path d="M15,6 V21" stroke="{GOLD_LIGHT}" stroke-width="2" opacity="0.8"/>')
    return Image(40, 40, body)


def shark():
    body = (f'<path d="M6,30 Q30,26 58,30" stroke="{FOAM}" stroke-width="3" fill="none" opacity="0.8"/>'
            f'<path d="M14,29 Q28,22 30,3 Q36,18 50,29 Z" fill="#5a6b78" stroke="{OUT}" stroke-width="2" '
            f'stroke-linejoin="round"/>'
            f'<path d="M29,8 Q31,18 42,27" stroke="#8fa2ae" stroke-width="2" fill="none"/>'
            f'<path d="M2,34 Q16,31 30,34 T62,34" stroke="{FOAM}" stroke-width="2" fill="none" opacity="0.6"/>')
    return Image(64, 38, body)


def panel():
    w, h = 1024, 64
    body = (plank(0, 4, w, h - 4, r=0, sw=3) +
            f'<path d="M0,5 H{w}" stroke="{GOLD_DARK}" stroke-width="3"/>' +
            plaque(w / 2 - 190, 10, 380, 46, r=10) + rivet(w / 2 - 178, 33) + rivet(w / 2 + 178, 33) +
            rivet(12, 20) + rivet(w - 12, 20))
    return Image(w, h, body)


def sparkle():
    body = ('<path d="M8,0 L9.5,6.5 L16,8 L9.5,9.5 L8,16 L6.5,9.5 L0,8 L6.5,6.5 Z" fill="#ffffff"/>'
            '<circle cx="8" cy="8" r="2.2" fill="#ffffff"/>')
    return Image(16, 16, body)


def cloud(seed, w, h):
    rnd = random.Random(seed)
    puffs = []
    n = 6
    for i in range(n):
        x = w * (0.18 + 0.64 * i / (n - 1))
        r = h * rnd.uniform(0.22, 0.34) * (1.2 if 1 <= i <= n - 2 else 0.85)
        puffs.append(f'<circle cx="{x:.0f}" cy="{h * 0.55 - rnd.uniform(0, h * 0.12):.0f}" r="{r:.0f}"/>')
    base = f'<ellipse cx="{w / 2}" cy="{h * 0.68:.0f}" rx="{w * 0.42:.0f}" ry="{h * 0.2:.0f}"/>'
    body = (f'<defs><filter id="soft" x="-20%" y="-30%" width="140%" height="160%">'
            f'<feGaussianBlur stdDeviation="3"/></filter></defs>'
            f'<g filter="url(#soft)"><g fill="#f4f1ea" opacity="0.92">{"".join(puffs)}{base}</g>'
            f'<ellipse cx="{w / 2}" cy="{h * 0.74:.0f}" rx="{w * 0.36:.0f}" ry="{h * 0.1:.0f}" fill="#c9cfd6" '
            f'opacity="0.6"/></g>')
    return Image(w, h, body)


def images():
    out = {
        "gfx/gui/mapa/mapa.jpg": chart(),
        "gfx/gui/mapa/stage-0.png": marker(False),
        "gfx/gui/mapa/stage-1.png": marker(True),
        "gfx/gui/mapa/stage-done.png": marker_done(),
        "gfx/gui/mapa/label.png": name_label(),
        "gfx/gui/mapa/arrow.png": arrow(),
        "gfx/gui/mapa/rekin.png": shark(),
        "gfx/gui/mapa/panel.png": panel(),
        "gfx/gui/mapa/sparkle.png": sparkle(),
        "gfx/efekty/chmura-1.png": cloud(3, 220, 100),
        "gfx/efekty/chmura-2.png": cloud(8, 170, 80),
    }
    for name, label, w in (("menu", "Menu", 130), ("playnext", "Play next", 170)):
        out[f"gfx/gui/mapa/{LANG}/{name}.png"] = Strip(w, BUTTON_H, [caption_button(label, w, s) for s in STATES])
    return out
