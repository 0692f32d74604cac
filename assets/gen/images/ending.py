"""The end of the levels: a closing card. The game writes its one line from (50, 200) in gold,
sized to run almost the picture's width, so the dark plaque across the sky carries it; under it
the voyage's end, an open chest on the island's beach at sunrise with the ship at anchor, and
the logo above."""
import math
import random

from svgkit import Image, shadow, plaque, rivet, INK, FOAM, GOLD, GOLD_LIGHT, PARCH_DARK
from images.loading import SKY, waves, palm, ship, logo
from images.menus import DEFS as MENU_DEFS, chest

HORIZON = 520
# The plaque behind the line (TEndingScreen: top-left corner of the text at (50, 200)).
PLAQUE = (26, 184, 972, 112)


def sparkles(rnd, cx, cy, n, spread):
    out = ""
    for _ in range(n):
        x, y = cx + rnd.uniform(-spread, spread), cy + rnd.uniform(-spread * 0.45, spread * 0.2)
        r = rnd.uniform(4, 9)
        out += (f'<path d="M{x:.0f},{y - r:.0f} L{x + r * 0.25:.1f},{y:.0f} L{x:.0f},{y + r:.0f} '
                f'L{x - r * 0.25:.1f},{y:.0f} Z M{x - r:.0f},{y:.0f} L{x:.0f},{y + r * 0.25:.1f} '
                f'L{x + r:.0f},{y:.0f} L{x:.0f},{y - r * 0.25:.1f} Z" fill="{GOLD_LIGHT}" opacity="0.85"/>')
    return out


def coins(rnd, cx, base, n):
    out = ""
    for _ in range(n):
        x, y = cx + rnd.uniform(-170, 170), base + rnd.uniform(-6, 22)
        out += (f'<ellipse cx="{x:.0f}" cy="{y:.0f}" rx="9" ry="4.5" fill="url(#coins)" stroke="#b9852a" '
                f'stroke-width="1.2"/>')
    return out


def back():
    rnd = random.Random(42)
    h = HORIZON
    sun_x = 512
    x, y, w, ph = PLAQUE
    body = (f'<defs>{SKY}{MENU_DEFS}</defs><rect width="1024" height="768" fill="url(#sky)"/>'
            # the sun rising behind the island, its rays fanning up behind the plaque
            + "".join(f'<path d="M{sun_x},{h - 10} L{sun_x + 900 * math.cos(math.radians(a)):.0f},'
                      f'{h - 10 - 900 * math.sin(math.radians(a)):.0f} L{sun_x + 900 * math.cos(math.radians(a + 6)):.0f},'
                      f'{h - 10 - 900 * math.sin(math.radians(a + 6)):.0f} Z" fill="#fff1c0" opacity="0.09"/>'
                      for a in range(12, 170, 14)) +
            f'<circle cx="{sun_x}" cy="{h - 10}" r="190" fill="url(#sun)"/>'
            f'<circle cx="{sun_x}" cy="{h}" r="54" fill="#fff1b8" opacity="0.95"/>'
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#water)"/>'
            f'<path d="M{sun_x - 110},{h + 6} h220 M{sun_x - 80},{h + 18} h160 M{sun_x - 56},{h + 32} h112" '
            f'stroke="#ffe6a0" stroke-width="4" opacity="0.6"/>'
            + waves(h + 8, 768, 9) +
            # the ship at anchor, sails furled, and a far islet
            ship(116, h + 6, 0.8) +
            f'<path d="M780,{h} Q850,{h - 46} 930,{h - 30} Q990,{h - 20} 1024,{h - 26} V{h} Z" fill="#3b3b48"/>'
            # the island's beach, framing the chest, palms at both ends
            f'<path d="M150,768 Q240,650 420,632 Q512,622 620,632 Q800,650 890,768 Z" fill="url(#sandT)" '
            f'stroke="{INK}" stroke-width="2.5"/>'
            f'<path d="M230,700 q40,-30 90,-36 M700,664 q50,6 90,40" stroke="{PARCH_DARK}" stroke-width="3" '
            f'fill="none" opacity="0.6"/>'
            + palm(268, 572, 1.05) + palm(845, 578, 0.95) +
            coins(rnd, 512, 706, 22) +
            f'<g transform="translate(512,712) scale(1.45) translate(-512,-712)">{chest(512, 712)}</g>'
            + sparkles(rnd, 512, 570, 14, 150) +
            f'<rect width="1024" height="768" fill="url(#vignette)"/>'
            # the logo over the plaque
            f'<g transform="translate({512 - 320 * 0.5},{18}) scale(0.5)">{logo().body}</g>'
            # the plaque that carries the game's line: gold text on dark wood
            + shadow(plaque(x, y, w, ph, r=18, sw=3) + rivet(x + 14, y + 14, 5) + rivet(x + w - 14, y + 14, 5) +
                     rivet(x + 14, y + ph - 14, 5) + rivet(x + w - 14, y + ph - 14, 5)) +
            f'<path d="M{x + 40},{y + ph - 16} H{x + w - 40}" stroke="{GOLD}" stroke-width="1.2" opacity="0.35"/>'
            f'<path d="M{x + 40},{y + 16} H{x + w - 40}" stroke="{FOAM}" stroke-width="1" opacity="0.12"/>')
    return Image(1024, 768, body)


def images():
    return {"gfx/gui/ending/back.jpg": back()}
