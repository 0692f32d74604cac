"""What the play screen's power-ups and sea creatures fly with: the sword, the wood plates a
broken cover falls into, and the five sea creatures (a still strip that plays once as the
creature appears and holds its last frame, and an idle strip) in the five cell sizes.

A creature sits in a bubble of sea water with a foam rim, so it stands out from the brown
crate under it at every cell size (its own colours are warm, like the crates')."""
import math

from svgkit import Image, Strip, group, shadow, outline_width, INK, GOLD, GOLD_DARK, GOLD_LIGHT, \
    RED, SEA, SEA_LIGHT, FOAM, GREEN, BONE, PARCH_LIGHT
import icons
from images import tiles

SIZES = [50, 36, 30, 24, 20]
# Each creature's picture is a little smaller than its cell so the cell's edge still shows.
STILL_FRAMES = 6
IDLE_FRAMES = 8


def starfish(w):
    pts = []
    for k in range(10):
        a = math.radians(-90 + 36 * k)
        r = 44 if k % 2 == 0 else 19
        pts.append((50 + r * math.cos(a), 53 + r * math.sin(a)))
    d = "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y in pts) + " Z"
    dots = "".join(f'<circle cx="{50 + 22 * math.cos(math.radians(-90 + 72 * k)):.1f}" '
                   f'cy="{53 + 22 * math.sin(math.radians(-90 + 72 * k)):.1f}" r="3.5" fill="{GOLD_LIGHT}"/>'
                   for k in range(5))
    return (f'<path d="{d}" fill="#e9823a" stroke="{INK}" stroke-width="{w:.2f}" stroke-linejoin="round"/>'
            f'<circle cx="50" cy="53" r="8" fill="#f2a25a"/>' + dots)


def seahorse(w):
    body = ("M56,10 C72,10 80,22 74,32 L86,36 L72,42 C70,50 62,54 58,60 C54,68 62,76 58,84 "
            "C54,94 38,94 36,86 C44,88 48,84 46,78 C42,70 34,64 36,52 C38,40 44,34 44,26 "
            "C44,18 48,10 56,10 Z")
    return (f'<path d="{body}" fill="#f3c246" stroke="{INK}" stroke-width="{w:.2f}" stroke-linejoin="round"/>'
            f'<path d="M40,44 L30,40 L34,50 L28,54 L38,58" fill="#e0a12e" stroke="{INK}" '
            f'stroke-width="{w * 0.8:.2f}" stroke-linejoin="round"/>'
            f'<path d="M48,40 H60 M46,52 H58 M48,64 H58" stroke="#d08c24" stroke-width="{w * 0.8:.2f}" '
            f'stroke-linecap="round"/>'
            f'<circle cx="62" cy="22" r="4.5" fill="{INK}"/><circle cx="60.5" cy="20.5" r="1.6" fill="#ffffff"/>')


def turtle(w):
    legs = "".join(f'<ellipse cx="{x}" cy="{y}" rx="10" ry="7" fill="#7fb069" stroke="{INK}" '
                   f'stroke-width="{w:.2f}" transform="rotate({r},{x},{y})"/>'
                   for x, y, r in ((24, 30, -35), (76, 30, 35), (24, 76, 35), (76, 76, -35)))
    plates = "".join(f'<path d="M{50 + 16 * math.cos(math.radians(a)):.1f},{55 + 14 * math.sin(math.radians(a)):.1f} '
                     f'L{50 + 30 * math.cos(math.radians(a)):.1f},{55 + 27 * math.sin(math.radians(a)):.1f}" '
                     f'stroke="{INK}" stroke-width="{w * 0.7:.2f}"/>' for a in range(0, 360, 60))
    return (legs + f'<ellipse cx="50" cy="14" rx="11" ry="10" fill="#7fb069" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="46" cy="11" r="2.2" fill="{INK}"/><circle cx="54" cy="11" r="2.2" fill="{INK}"/>'
            f'<ellipse cx="50" cy="55" rx="33" ry="30" fill="{GREEN}" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<ellipse cx="50" cy="55" rx="16" ry="14" fill="#6ea04e" stroke="{INK}" stroke-width="{w * 0.7:.2f}"/>'
            + plates +
            f'<path d="M30,38 Q40,28 54,28" stroke="#ffffff" stroke-width="{w:.2f}" fill="none" opacity="0.45"/>')


def shell(w):
    ribs = "".join(f'<path d="M50,86 L{50 + 40 * math.cos(math.radians(a)):.1f},{80 - 62 * math.sin(math.radians(a)):.1f}" '
                   f'stroke="#c98b8b" stroke-width="{w * 0.8:.2f}"/>' for a in range(20, 170, 25))
    return (f'<path d="M50,86 L12,70 C4,40 26,12 50,12 C74,12 96,40 88,70 Z" fill="#f6d5c8" stroke="{INK}" '
            f'stroke-width="{w:.2f}" stroke-linejoin="round"/>' + ribs +
            f'<path d="M36,86 H64 L58,94 H42 Z" fill="#eab4a4" stroke="{INK}" stroke-width="{w:.2f}" '
            f'stroke-linejoin="round"/>'
            f'<circle cx="50" cy="56" r="8" fill="url(#pearl)" stroke="{INK}" stroke-width="{w * 0.6:.2f}"/>')


def crab(w):
    legs = "".join(f'<path d="M{x0},{y0} L{x1},{y1}" stroke="{INK}" stroke-width="{w * 2.2:.2f}" '
                   f'stroke-linecap="round"/><path d="M{x0},{y0} L{x1},{y1}" stroke="#d2533f" '
                   f'stroke-width="{w * 1.2:.2f}" stroke-linecap="round"/>'
                   for x0, y0, x1, y1 in ((30, 64, 10, 76), (32, 70, 14, 86), (70, 64, 90, 76), (68, 70, 86, 86)))
    claws = "".join(f'<path d="M{x},{40} C{x - 12 * s},30 {x - 10 * s},14 {x + 2 * s},16 L{x - 2 * s},26 '
                    f'L{x + 8 * s},24 C{x + 10 * s},34 {x + 6 * s},40 {x},{40} Z" fill="#d2533f" stroke="{INK}" '
                    f'stroke-width="{w:.2f}" stroke-linejoin="round"/>' for x, s in ((22, 1), (78, -1)))
    return (legs + claws +
            f'<ellipse cx="50" cy="60" rx="28" ry="20" fill="#d2533f" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<path d="M30,52 Q50,42 70,52" stroke="#f08a6e" stroke-width="{w:.2f}" fill="none"/>'
            f'<path d="M42,42 V34 M58,42 V34" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="42" cy="32" r="4.5" fill="#ffffff" stroke="{INK}" stroke-width="{w * 0.6:.2f}"/>'
            f'<circle cx="58" cy="32" r="4.5" fill="#ffffff" stroke="{INK}" stroke-width="{w * 0.6:.2f}"/>'
            f'<circle cx="42.5" cy="32.5" r="2" fill="{INK}"/><circle cx="58.5" cy="32.5" r="2" fill="{INK}"/>')


# id, file stem, drawing; the order of data/livings.dat
CREATURES = [(1, "star", starfish), (2, "seahorse", seahorse), (3, "turtle", turtle),
             (4, "shell", shell), (5, "crab", crab)]


BUBBLE = (f'<radialGradient id="livbubble" cx="0.4" cy="0.36" r="0.66">'
          f'<stop offset="0" stop-color="{FOAM}"/><stop offset="0.55" stop-color="{SEA_LIGHT}"/>'
          f'<stop offset="1" stop-color="{SEA}"/></radialGradient>')


def bubble(w):
    """The sea water the creature sits in: light in the middle, a foam rim, an ink line."""
    return (f'<defs>{BUBBLE}</defs>'
            f'<circle cx="50" cy="52" r="47" fill="url(#livbubble)" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="50" cy="52" r="{47 - w * 1.2:.1f}" fill="none" stroke="{FOAM}" '
            f'stroke-width="{w * 0.9:.2f}" opacity="0.85"/>'
            f'<path d="M24,34 Q34,18 52,15" stroke="#ffffff" stroke-width="{w:.2f}" fill="none" '
            f'stroke-linecap="round" opacity="0.7"/>')


def pose(draw, px, scale=1.0, rot=0.0, dy=0.0, glow=0.0):
    """The creature in its bubble in a px cell: drawn in 100 units, scaled about the centre;
    the creature a little smaller than its bubble."""
    w = outline_width(px) * 100.0 / (px * 0.94)
    s = px / 100.0 * 0.94 * scale
    off = (px - 100 * s) / 2
    body = draw(w / 0.8)
    if glow > 0:
        body = f'<circle cx="50" cy="52" r="48" fill="url(#glow)" opacity="{glow:.2f}"/>' + body
    creature = f'<g transform="translate(50,52) scale(0.8) translate(-50,-52)">{body}</g>'
    inner = bubble(w) + f'<g transform="rotate({rot:.1f},50,52)">{creature}</g>'
    g = group(inner, off, off + dy * px / 100.0, s)
    return shadow(g) if px >= 36 else g


def still(draw, px):
    """Appearing: grows out of the cell with a glint, then rests (last frame)."""
    frames = []
    for f in range(STILL_FRAMES):
        t = f / (STILL_FRAMES - 1)
        scale = 0.35 + 0.65 * math.sin(math.radians(90 * t)) + 0.08 * math.sin(math.radians(180 * t))
        frames.append(pose(draw, px, scale=scale, glow=0.8 * (1 - t)))
    return Strip(px, px, frames)


def idle(draw, px):
    """A little wiggle and bob."""
    frames = []
    for f in range(IDLE_FRAMES):
        a = 2 * math.pi * f / IDLE_FRAMES
        frames.append(pose(draw, px, rot=10 * math.sin(a), dy=-4 * abs(math.sin(a))))
    return Strip(px, px, frames)


def plates(px):
    """The closed cover of the cell (its first frame): the game cuts it into squares."""
    return Image(px, px, tiles.cover_frame(px, 0))


def images():
    out = {}
    s = 1.4
    out["gfx/efekty/miecz.png"] = Image(140, 140, shadow(group(icons.sword(3.0 / s), 0, 0, s)))
    for px in SIZES:
        out[f"gfx/particles/tiles/wood-{px}.png"] = plates(px)
    for _, stem, draw in CREATURES:
        for n, px in enumerate(SIZES):
            out[f"gfx/livings/{stem}_{n}.png"] = still(draw, px)
            out[f"gfx/livings/{stem}-idle-{n}.png"] = idle(draw, px)
    return out
