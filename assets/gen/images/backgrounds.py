"""Stage backgrounds behind the board: one seascape per stage of the map, each with its own
time of day and landmark, kept calm and dark enough in the middle for the board to read.
Stage 2 (Coral Reef) lies under water; the play screen adds bubbles to background "2".

File names are background-<name>.jpg with the names listed in data/stagebackgrounds.dat.
Nothing is pure magenta: the backgrounds are loaded while that is the mask colour.
"""
import math
import random

from svgkit import Image, FOAM, RED, WOOD_DARK

# name -> (sky top, sky horizon, water top, water bottom, sun colour, sun x, sun y, landmark, seed)
SCENES = {
    "1": ("#2d4a6b", "#e8a86a", "#3f7f9a", "#12304a", "#fff1b8", 780, 300, "skull_rock", 1),
    "2": None,  # under water
    "3": ("#3f86b8", "#bfe3e8", "#3a9ab0", "#145070", "#fffbe0", 220, 140, "palms", 3),
    "4": ("#5c6b7a", "#c9d2d6", "#5f7f8c", "#23404f", "#f4f4ee", 650, 210, "misty", 4),
    "5": ("#1a2340", "#6a4a6e", "#2b4a66", "#0d1a2c", "#f3efd2", 820, 150, "cave", 5),
    "6": ("#2f6f9f", "#9fd0e0", "#2c7fa6", "#0f3f5c", "#fff7d0", 300, 180, "fins", 6),
    "7": ("#4a9ac0", "#f7e2a8", "#43a7b8", "#176480", "#fff4c0", 700, 230, "atoll", 7),
    "8": ("#1d2633", "#4b5a68", "#334a5a", "#101c26", "#d9e2ea", 600, 120, "storm", 8),
    "9": ("#101a2e", "#28405a", "#1d3a55", "#081424", "#e8ecf0", 240, 120, "kraken", 9),
    "10": ("#3a2a5a", "#f2a65a", "#6a6a8a", "#1e2640", "#ffe9a8", 512, 330, "treasure", 10),
}
HORIZON = 360


def grad(gid, a, b, vertical=True):
    x2, y2 = ("0", "1") if vertical else ("1", "0")
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="{y2}"><stop offset="0" stop-color="{a}"/>'
            f'<stop offset="1" stop-color="{b}"/></linearGradient>')


def ripples(rnd, y0, y1, colour=FOAM, dense=1.0):
    out = []
    y = y0 + 6
    while y < y1:
        k = (y - y0) / (y1 - y0)
        for _ in range(int((5 + 9 * k) * dense)):
            x = rnd.uniform(-40, 1024)
            w = 24 + 80 * k
            out.append(f'<path d="M{x:.0f},{y:.0f} q{w / 2:.0f},-{2 + 4 * k:.1f} {w:.0f},0" stroke="{colour}" '
                       f'stroke-width="{1 + 1.6 * k:.1f}" fill="none" opacity="{0.15 + 0.25 * k:.2f}"/>')
        y += 9 + 24 * k
    return "".join(out)


def hill(x0, x1, top, base, colour, rnd, bumps=3):
    d = f"M{x0},{base} "
    step = (x1 - x0) / (bumps * 2)
    for i in range(bumps * 2):
        xa = x0 + step * (i + 0.5)
        xb = x0 + step * (i + 1)
        ya = top + rnd.uniform(0, (base - top) * 0.5) if i % 2 == 0 else top + (base - top) * rnd.uniform(0.3, 0.7)
        d += f"Q{xa:.0f},{ya:.0f} {xb:.0f},{top + (base - top) * 0.5 if i < bumps * 2 - 1 else base:.0f} "
    return f'<path d="{d}Z" fill="{colour}"/>'


def palm(x, y, s, colour="#1f2a22"):
    leaves = "".join(
        f'<path d="M0,0 Q{40 * math.cos(a):.0f},{40 * math.sin(a) - 30:.0f} {80 * math.cos(a):.0f},'
        f'{80 * math.sin(a):.0f}" stroke="{colour}" stroke-width="9" fill="none" stroke-linecap="round"/>'
        for a in (math.radians(d) for d in (190, 215, 250, 290, 325, 350)))
    return (f'<g transform="translate({x},{y}) scale({s})">'
            f'<path d="M0,0 Q-14,70 6,150" stroke="{colour}" stroke-width="10" fill="none"/>{leaves}</g>')


def ship(x, y, s, colour="#1a2232"):
    return (f'<g transform="translate({x},{y}) scale({s})" fill="{colour}">'
            f'<path d="M-90,0 L90,0 L70,30 L-70,30 Z"/>'
            f'<path d="M-6,0 V-150 M-60,0 V-110 M50,0 V-120" stroke="{colour}" stroke-width="5"/>'
            f'<path d="M-4,-140 Q30,-100 -4,-60 Z M-4,-55 Q36,-30 -4,-8 Z M-58,-100 Q-30,-70 -58,-40 Z '
            f'M52,-110 Q80,-80 52,-50 Z" opacity="0.9"/>'
            f'<path d="M-6,-150 l24,8 l-24,8 Z" fill="{RED}"/></g>')


def landmark(kind, rnd):
    h = HORIZON
    if kind == "skull_rock":
        return (hill(700, 1024, h - 150, h + 4, "#3a3440", rnd, 2) +
                f'<g fill="#221d26"><ellipse cx="880" cy="{h - 80}" rx="18" ry="22"/>'
                f'<ellipse cx="930" cy="{h - 80}" rx="18" ry="22"/><path d="M897,{h - 40} l8,-16 l8,16 Z"/></g>' +
                ship(200, h + 10, 0.6))
    if kind == "palms":
        return (hill(-20, 420, h - 70, h + 4, "#2f4a2c", rnd, 2) + palm(80, h - 150, 1.0, "#22361f") +
                palm(250, h - 130, 0.8, "#22361f") + ship(800, h + 6, 0.45))
    if kind == "misty":
        return (hill(-40, 500, h - 120, h + 4, "#6f7f88", rnd, 3) + hill(420, 1064, h - 90, h + 4, "#56666f", rnd, 3) +
                f'<rect y="{h - 60}" width="1024" height="90" fill="#dfe6ea" opacity="0.35"/>')
    if kind == "cave":
        return (f'<path d="M560,{h + 4} Q600,{h - 230} 820,{h - 240} Q1000,{h - 230} 1060,{h - 120} V{h + 4} Z" '
                f'fill="#1c1a24"/><path d="M720,{h + 4} Q760,{h - 110} 840,{h - 110} Q910,{h - 100} 930,{h + 4} Z" '
                f'fill="#0f0d16"/><circle cx="800" cy="{h - 30}" r="6" fill="#ffcf6a"/>'
                f'<circle cx="800" cy="{h - 30}" r="22" fill="#ffcf6a" opacity="0.25"/>' + ship(220, h + 8, 0.55))
    if kind == "fins":
        fins = "".join(f'<path d="M{x},{y} q10,-8 14,-30 q6,18 20,30 Z" fill="#3d4f5c"/>'
                       for x, y in ((300, 520), (620, 600), (860, 470)))
        return hill(780, 1064, h - 60, h + 4, "#35506a", rnd, 2) + fins
    if kind == "atoll":
        return (f'<ellipse cx="512" cy="{h + 12}" rx="360" ry="16" fill="#e8d39a" opacity="0.8"/>' +
                palm(380, h - 130, 0.8, "#2a4a2c") + palm(640, h - 140, 0.9, "#2a4a2c") +
                f'<g fill="#4f6a3c"><ellipse cx="860" cy="{h + 60}" rx="40" ry="14"/></g>')
    if kind == "storm":
        bolt = f'<path d="M700,60 L670,150 L700,150 L660,250" stroke="#f4f0c8" stroke-width="5" fill="none"/>'
        return (f'<path d="M0,0 H1024 V160 Q800,200 600,150 Q400,210 200,160 Q100,140 0,170 Z" fill="#151c26" '
                f'opacity="0.75"/>' + bolt + hill(-40, 380, h - 170, h + 4, "#232c36", rnd, 2) +
                f'<path d="M260,{h - 160} v-40 h14 v40 Z" fill="#d9c890"/>' + ship(760, h + 10, 0.5, "#121820"))
    if kind == "kraken":
        arms = "".join(
            f'<path d="M{x},{768} C{x + 30 * s},{600} {x - 50 * s},{520} {x + 20 * s},{440}" stroke="#2a1c34" '
            f'stroke-width="{w}" fill="none" stroke-linecap="round"/>'
            for x, s, w in ((90, 1, 30), (180, -1, 22), (900, -1, 30), (960, 1, 20)))
        return arms + ship(620, h + 8, 0.5, "#0c1420")
    if kind == "treasure":
        return (hill(300, 760, h - 110, h + 4, "#3b2e3a", rnd, 2) + palm(420, h - 200, 0.9, "#231c24") +
                palm(610, h - 190, 0.7, "#231c24") +
                f'<path d="M500,{h - 96} l12,-20 l12,20 Z" fill="#ffd86a"/>'
                f'<circle cx="512" cy="{h - 110}" r="40" fill="#ffd86a" opacity="0.25"/>')
    return ""


def seascape(name):
    sky0, sky1, w0, w1, sun, sx, sy, kind, seed = SCENES[name]
    rnd = random.Random(seed)
    h = HORIZON
    body = (f'<defs>{grad("sky", sky0, sky1)}{grad("water", w0, w1)}'
            f'<radialGradient id="sun" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="{sun}"/>'
            f'<stop offset="0.35" stop-color="{sun}" stop-opacity="0.6"/>'
            f'<stop offset="1" stop-color="{sun}" stop-opacity="0"/></radialGradient>'
            f'<radialGradient id="calm" cx="0.4" cy="0.5" r="0.6"><stop offset="0" stop-color="#0c1822" '
            f'stop-opacity="0.28"/><stop offset="1" stop-color="#0c1822" stop-opacity="0"/></radialGradient></defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#sky)"/>'
            f'<circle cx="{sx}" cy="{sy}" r="150" fill="url(#sun)"/>'
            f'<circle cx="{sx}" cy="{sy}" r="34" fill="{sun}" opacity="0.9"/>'
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#water)"/>'
            f'<path d="M{sx - 70},{h + 6} h140 M{sx - 50},{h + 18} h100 M{sx - 30},{h + 32} h60" stroke="{sun}" '
            f'stroke-width="4" opacity="0.35"/>' + ripples(rnd, h, 768) + landmark(kind, rnd) +
            # the board's middle is shaded a little so clue numbers and cells read on every scene
            '<rect width="1024" height="768" fill="url(#calm)"/>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def underwater():
    rnd = random.Random(2)
    rays = "".join(f'<path d="M{x},0 L{x + 60},0 L{x + 220},768 L{x + 120},768 Z" fill="#bfeaf0" opacity="0.07"/>'
                   for x in range(-100, 1024, 170))
    weeds = "".join(
        f'<path d="M{x},768 C{x - 20},{700 - hgt * 0.3:.0f} {x + 25},{700 - hgt * 0.6:.0f} {x},{768 - hgt:.0f}" '
        f'stroke="#2f6b4a" stroke-width="7" fill="none" stroke-linecap="round" opacity="0.9"/>'
        for x, hgt in ((40, 220), (70, 160), (960, 240), (990, 170), (900, 140)))
    corals = "".join(
        f'<circle cx="{x + rnd.uniform(-30, 30):.0f}" cy="{768 - rnd.uniform(5, 45):.0f}" r="{rnd.uniform(14, 30):.0f}" '
        f'fill="{c}" opacity="0.85"/>'
        for x, c in ((150, "#c2605a"), (230, "#d08a4a"), (780, "#b65a7a"), (860, "#c2605a"), (620, "#d08a4a")))
    fish = "".join(f'<g transform="translate({x},{y}) scale({s})" fill="#e2b04a" opacity="0.7">'
                   f'<ellipse cx="0" cy="0" rx="16" ry="8"/><path d="M14,0 l12,-8 v16 Z"/></g>'
                   for x, y, s in ((820, 180, 1.0), (860, 210, 0.8), (180, 120, 0.9)))
    body = ('<defs><linearGradient id="deep" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#2f8fb0"/>'
            '<stop offset="0.6" stop-color="#1a5a80"/><stop offset="1" stop-color="#0e3050"/></linearGradient></defs>'
            '<rect width="1024" height="768" fill="url(#deep)"/>' + rays +
            f'<path d="M0,700 Q250,650 520,700 T1024,690 V768 H0 Z" fill="#c9b27a"/>' + corals + weeds + fish +
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def images():
    out = {}
    for name in SCENES:
        out[f"gfx/backgrounds/background-{name}.jpg"] = underwater() if SCENES[name] is None else seascape(name)
    return out
