"""The story's pictures: the credits' night harbour, the story-map chart, the painted scenes of
the story start and the outro, the plane and its smoke.

Nothing here is pure magenta: the story pictures are loaded while that is the mask colour.
"""
import math
import random

from svgkit import (Image, INK, SEA_DEEP, SEA, SEA_LIGHT, FOAM, PARCH_LIGHT, PARCH, PARCH_DARK, WOOD_DARK, WOOD,
                    WOOD_LIGHT, GOLD_LIGHT, GOLD, GOLD_DARK, IRON, IRON_LIGHT, RED, BONE)
from images.backgrounds import grad, ripples, hill, palm, ship


def stars(rnd, n, y1, w=1024):
    return "".join(f'<circle cx="{rnd.uniform(0, w):.0f}" cy="{rnd.uniform(0, y1):.0f}" '
                   f'r="{rnd.choice((0.8, 1.0, 1.3, 1.8))}" fill="{GOLD_LIGHT}" '
                   f'opacity="{rnd.uniform(0.35, 0.9):.2f}"/>' for _ in range(n))


def moon(x, y, r):
    return (f'<circle cx="{x}" cy="{y}" r="{r * 4}" fill="url(#glow)" opacity="0.25"/>'
            f'<circle cx="{x}" cy="{y}" r="{r}" fill="{BONE}"/>'
            f'<circle cx="{x - r * 0.3:.0f}" cy="{y - r * 0.2:.0f}" r="{r * 0.18:.0f}" fill="#d8ccb4"/>'
            f'<circle cx="{x + r * 0.35:.0f}" cy="{y + r * 0.3:.0f}" r="{r * 0.12:.0f}" fill="#d8ccb4"/>')


def credits_back():
    """A calm night harbour: the middle stays dark for the gold lines that roll over it."""
    rnd = random.Random(21)
    h = 520
    body = (f'<defs>{grad("nsky", "#0b1424", "#24384f")}{grad("nsea", "#1d3550", "#081220")}'
            f'<radialGradient id="mid" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#050a12" '
            f'stop-opacity="0.55"/><stop offset="1" stop-color="#050a12" stop-opacity="0"/></radialGradient></defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#nsky)"/>' + stars(rnd, 140, h - 40) + moon(860, 130, 46) +
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#nsea)"/>'
            + "".join(f'<path d="M{860 - w},{y} h{2 * w}" stroke="{BONE}" stroke-width="3" opacity="{o}"/>'
                      for w, y, o in ((70, h + 12, 0.45), (52, h + 30, 0.35), (38, h + 52, 0.28), (24, h + 80, 0.2)))
            + ripples(rnd, h, 768, FOAM, 0.6) +
            hill(-40, 330, h - 120, h + 4, "#101a26", rnd, 2) + palm(90, h - 190, 0.9, "#0a121c") +
            ship(700, h + 8, 0.8, "#0a101a") +
            # the harbour lantern on the point, warm against the blue
            f'<circle cx="250" cy="{h - 60}" r="5" fill="{GOLD}"/><circle cx="250" cy="{h - 60}" r="26" '
            f'fill="url(#glow)" opacity="0.5"/>'
            '<rect x="212" y="0" width="600" height="768" fill="url(#mid)"/>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def compass(cx, cy, r):
    pts = []
    for k in range(16):
        a = math.radians(k * 22.5 - 90)
        rr = r if k % 4 == 0 else (r * 0.55 if k % 2 == 0 else r * 0.32)
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
        a2 = math.radians(k * 22.5 - 90 + 11.25)
        pts.append(f"{cx + r * 0.16 * math.cos(a2):.1f},{cy + r * 0.16 * math.sin(a2):.1f}")
    return (f'<circle cx="{cx}" cy="{cy}" r="{r * 1.08:.0f}" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.98:.0f}" fill="none" stroke="{GOLD_DARK}" stroke-width="1" '
            f'stroke-dasharray="3 5"/>'
            f'<polygon points="{" ".join(pts)}" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.08:.0f}" fill="{RED}" stroke="{INK}" stroke-width="1.5"/>'
            f'<text x="{cx}" y="{cy - r * 1.15:.0f}" font-family="Leckerli One" font-size="{r * 0.35:.0f}" '
            f'text-anchor="middle" fill="{GOLD}">N</text>')


def island(cx, cy, rx, ry, rnd, fill="#6b5a3a", rim=GOLD_DARK):
    n = 14
    pts = []
    for k in range(n):
        a = 2 * math.pi * k / n
        f = rnd.uniform(0.75, 1.15)
        pts.append((cx + rx * f * math.cos(a), cy + ry * f * math.sin(a)))
    d = f"M{pts[0][0]:.0f},{pts[0][1]:.0f} "
    for k in range(1, n + 1):
        x0, y0 = pts[k - 1]
        x1, y1 = pts[k % n]
        d += f"Q{x0 + (x1 - x0) * 0.5 + rnd.uniform(-8, 8):.0f},{y0 + (y1 - y0) * 0.5 + rnd.uniform(-8, 8):.0f} {x1:.0f},{y1:.0f} "
    return (f'<path d="{d}Z" fill="none" stroke="{SEA_LIGHT}" stroke-width="6" opacity="0.25"/>'
            f'<path d="{d}Z" fill="{fill}" stroke="{rim}" stroke-width="2"/>')


def story_chart():
    """The sea chart behind the story-map interlude: dark blue, gold lines, ten islands on a
    dotted route; the middle band, where the texts stand, is kept calm."""
    rnd = random.Random(12)
    grid = "".join(f'<path d="M{x},0 V768" stroke="{GOLD_DARK}" stroke-width="1" opacity="0.25"/>'
                   for x in range(64, 1024, 128)) + "".join(
        f'<path d="M0,{y} H1024" stroke="{GOLD_DARK}" stroke-width="1" opacity="0.25"/>' for y in range(64, 768, 128))
    spots = [(120, 620), (250, 520), (170, 360), (330, 250), (500, 300), (640, 210), (800, 280), (900, 420),
             (760, 560), (900, 650)]
    route = "M" + " L".join(f"{x},{y}" for x, y in spots)
    isles = "".join(island(x, y, rnd.uniform(34, 52), rnd.uniform(20, 32), rnd) for x, y in spots)
    palms = "".join(palm(x - 8, y - 46, 0.32, "#2f3a22") for x, y in spots[::3])
    body = (f'<defs><radialGradient id="chart" cx="0.5" cy="0.5" r="0.7"><stop offset="0" stop-color="#1f4060"/>'
            f'<stop offset="1" stop-color="#0c1c2e"/></radialGradient>'
            f'<radialGradient id="calm" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#081420" '
            f'stop-opacity="0.6"/><stop offset="1" stop-color="#081420" stop-opacity="0"/></radialGradient></defs>'
            '<rect width="1024" height="768" fill="url(#chart)"/>' + grid + ripples(rnd, 0, 768, SEA_LIGHT, 0.5) +
            f'<path d="{route}" fill="none" stroke="{GOLD}" stroke-width="4" stroke-dasharray="2 12" '
            f'stroke-linecap="round" opacity="0.9"/>' + isles + palms +
            # the last island holds the treasure: the red cross
            f'<path d="M888,638 l24,24 M912,638 l-24,24" stroke="{RED}" stroke-width="7" stroke-linecap="round"/>'
            + compass(120, 150, 70) +
            '<rect x="112" y="184" width="800" height="400" fill="url(#calm)"/>'
            f'<rect x="10" y="10" width="1004" height="748" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
            f'<rect x="18" y="18" width="988" height="732" fill="none" stroke="{GOLD_DARK}" stroke-width="1"/>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def images():
    return {
        "gfx/gui/credits/credits.jpg": credits_back(),
        "gfx/backgrounds/background-12.jpg": story_chart(),
    }
