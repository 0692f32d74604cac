"""Effect pictures: the 22 particle images of data/particles.dat, the flying stones and the
rock strips a covered cell of no picture shows while its cover opens.

Particles are tinted by the game (colour multiplied in, often added to the screen), so the
glows, flashes, dust and smoke are white or grey and soft-edged; only the splinters and the
flames carry their own colours (the game draws them untinted). Stones use the palette's
iron greys with the usual ink outline; the flying stone is about 60 % of its cell."""
import math
import random

from svgkit import Image, Strip, shadow, INK, WOOD, WOOD_DARK, WOOD_LIGHT, GOLD_LIGHT, IRON, IRON_LIGHT

TILES = [50, 36, 30, 24, 20]
STONES = [30, 22, 18, 15, 13]

WHITE_GLOW = ('<radialGradient id="fxglow" cx="0.5" cy="0.5" r="0.5">'
              '<stop offset="0" stop-color="#ffffff" stop-opacity="1"/>'
              '<stop offset="0.35" stop-color="#ffffff" stop-opacity="0.55"/>'
              '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>')
# The sparkles and the burst are added to the screen by the hundred where a power-up or a
# treasure passes: each gives little light, so together they glow in their colour instead of
# burning the board or the panel white.
FAINT_GLOW = ('<radialGradient id="fxfaint" cx="0.5" cy="0.5" r="0.5">'
              '<stop offset="0" stop-color="#ffffff" stop-opacity="0.32"/>'
              '<stop offset="0.3" stop-color="#ffffff" stop-opacity="0.09"/>'
              '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>')
BURST_GLOW = ('<radialGradient id="fxburst" cx="0.5" cy="0.5" r="0.5">'
              '<stop offset="0" stop-color="#ffffff" stop-opacity="0.55"/>'
              '<stop offset="0.45" stop-color="#ffffff" stop-opacity="0.18"/>'
              '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>')
GREY_PUFF = ('<radialGradient id="fxpuff" cx="0.45" cy="0.42" r="0.55">'
             '<stop offset="0" stop-color="#d8d8d8" stop-opacity="0.9"/>'
             '<stop offset="0.6" stop-color="#bcbcbc" stop-opacity="0.45"/>'
             '<stop offset="1" stop-color="#a0a0a0" stop-opacity="0"/></radialGradient>')
FLAME = ('<radialGradient id="fxflame" cx="0.5" cy="0.62" r="0.55">'
         '<stop offset="0" stop-color="#fff6c8" stop-opacity="1"/>'
         '<stop offset="0.4" stop-color="#ffc34d" stop-opacity="0.9"/>'
         '<stop offset="0.8" stop-color="#e0561c" stop-opacity="0.5"/>'
         '<stop offset="1" stop-color="#a8322d" stop-opacity="0"/></radialGradient>')
ROCK = (f'<radialGradient id="fxrock" cx="0.35" cy="0.3" r="0.8">'
        f'<stop offset="0" stop-color="{IRON_LIGHT}"/><stop offset="0.6" stop-color="#7d8588"/>'
        f'<stop offset="1" stop-color="{IRON}"/></radialGradient>')


def defs(*items):
    return "<defs>" + "".join(items) + "</defs>"


def star(cx, cy, long, short, points=4, turn=0.0):
    pts = []
    for k in range(points * 2):
        a = math.pi * k / points + turn
        r = long if k % 2 == 0 else short
        pts.append(f"{cx + r * math.sin(a):.2f},{cy - r * math.cos(a):.2f}")
    return "M" + " L".join(pts) + " Z"


def sparkle(s, points, turn):
    """A small thin star in a faint glow, in the middle of its picture (additive sparkles):
    a trail of them is a spray of sparks with the board showing between them."""
    c = s / 2
    return Image(s, s, defs(FAINT_GLOW)
                 + f'<circle cx="{c}" cy="{c}" r="{c * 0.55:.1f}" fill="url(#fxfaint)"/>'
                 + f'<path d="{star(c, c, c * 0.55, c * 0.07, points, turn)}" fill="#ffffff" fill-opacity="0.38"/>'
                 + f'<circle cx="{c}" cy="{c}" r="{c * 0.08:.1f}" fill="#ffffff" fill-opacity="0.5"/>')


def burst(s):
    """The soft flash where a bow of the medallion ends or a block breaks."""
    c = s / 2
    return Image(s, s, defs(BURST_GLOW) + f'<circle cx="{c}" cy="{c}" r="{c}" fill="url(#fxburst)"/>')


def soft_dot(s):
    c = s / 2
    return Image(s, s, defs(WHITE_GLOW) + f'<circle cx="{c}" cy="{c}" r="{c}" fill="url(#fxglow)"/>')


def ring(s):
    c = s / 2
    return Image(s, s, f'<circle cx="{c}" cy="{c}" r="{c * 0.72}" fill="none" stroke="#ffffff" '
                       f'stroke-opacity="0.85" stroke-width="{s * 0.12:.1f}"/>')


def bubble(s):
    """A sea bubble: a pale rim, a see-through body and a highlight up left."""
    c = s / 2
    r = c - 1.2
    return Image(s, s, f'<circle cx="{c}" cy="{c}" r="{r:.1f}" fill="#e6f4f1" fill-opacity="0.18" '
                       f'stroke="#e6f4f1" stroke-opacity="0.9" stroke-width="{max(1.0, s * 0.07):.1f}"/>'
                       f'<ellipse cx="{c - r * 0.38:.1f}" cy="{c - r * 0.4:.1f}" rx="{r * 0.28:.1f}" '
                       f'ry="{r * 0.18:.1f}" fill="#ffffff" fill-opacity="0.85" '
                       f'transform="rotate(-35 {c - r * 0.38:.1f} {c - r * 0.4:.1f})"/>')


def splinter(seed, w, h):
    """A sliver of plank wood, pointed at both ends, with a lighter grain line."""
    rnd = random.Random(seed)
    bend = rnd.uniform(-1.5, 1.5)
    d = (f"M1,{h / 2 + bend:.1f} L{w * 0.3:.1f},1.2 L{w - 1.5:.1f},{h / 2 - bend:.1f} "
         f"L{w * 0.65:.1f},{h - 1.2:.1f} Z")
    return Image(w, h, f'<path d="{d}" fill="{WOOD_LIGHT if seed % 2 else WOOD}" stroke="{INK}" '
                       f'stroke-width="1" stroke-linejoin="round"/>'
                       f'<path d="M{w * 0.2:.1f},{h / 2:.1f} L{w * 0.75:.1f},{h / 2 - bend:.1f}" '
                       f'stroke="{GOLD_LIGHT}" stroke-opacity="0.45" stroke-width="0.8"/>')


def chip(seed, s):
    """A small broken chip of wood."""
    rnd = random.Random(seed)
    n = 5
    pts = []
    for k in range(n):
        a = 2 * math.pi * k / n + rnd.uniform(-0.4, 0.4)
        r = rnd.uniform(s * 0.28, s * 0.46)
        pts.append(f"{s / 2 + r * math.cos(a):.1f},{s / 2 + r * math.sin(a):.1f}")
    return Image(s, s, f'<path d="M{" L".join(pts)} Z" fill="{WOOD if seed % 2 else WOOD_DARK}" '
                       f'stroke="{INK}" stroke-width="1" stroke-linejoin="round"/>')


def puff(s, seed):
    """Dust or smoke: three overlapping soft grey blobs."""
    rnd = random.Random(seed)
    blobs = ""
    for _ in range(3):
        cx = s / 2 + rnd.uniform(-s * 0.12, s * 0.12)
        cy = s / 2 + rnd.uniform(-s * 0.12, s * 0.12)
        r = rnd.uniform(s * 0.3, s * 0.42)
        blobs += f'<circle cx="{cx:.1f}" cy="{cy:.1f}" r="{r:.1f}" fill="url(#fxpuff)"/>'
    return Image(s, s, defs(GREY_PUFF) + blobs)


def flame(s, seed):
    """A tongue of fire, warm from its own colours (drawn added to the scene)."""
    rnd = random.Random(seed)
    lean = rnd.uniform(-s * 0.1, s * 0.1)
    d = (f"M{s / 2:.1f},{s - 2:.1f} C{s * 0.12:.1f},{s * 0.75:.1f} {s * 0.3 + lean:.1f},{s * 0.35:.1f} "
         f"{s / 2 + lean:.1f},2 C{s * 0.7 + lean:.1f},{s * 0.35:.1f} {s * 0.88:.1f},{s * 0.75:.1f} "
         f"{s / 2:.1f},{s - 2:.1f} Z")
    return Image(s, s, defs(FLAME) + f'<path d="{d}" fill="url(#fxflame)"/>')


def fireball(s):
    c = s / 2
    return Image(s, s, defs(FLAME) + f'<circle cx="{c}" cy="{c}" r="{c}" fill="url(#fxflame)"/>'
                       + f'<circle cx="{c}" cy="{c}" r="{c * 0.3:.1f}" fill="#fff6c8"/>')


def rock_path(cx, cy, r, seed):
    rnd = random.Random(seed)
    n = 8
    pts = []
    for k in range(n):
        a = 2 * math.pi * k / n + rnd.uniform(-0.15, 0.15)
        rr = r * rnd.uniform(0.82, 1.0)
        pts.append(f"{cx + rr * math.cos(a):.2f},{cy + rr * 0.88 * math.sin(a):.2f}")
    return "M" + " L".join(pts) + " Z"


def rock_body(cx, cy, r, seed, sw):
    d = rock_path(cx, cy, r, seed)
    return (f'<path d="{d}" fill="url(#fxrock)" stroke="{INK}" stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<path d="M{cx - r * 0.45:.2f},{cy - r * 0.2:.2f} Q{cx - r * 0.25:.2f},{cy - r * 0.5:.2f} '
            f'{cx + r * 0.1:.2f},{cy - r * 0.48:.2f}" fill="none" stroke="#ffffff" stroke-opacity="0.45" '
            f'stroke-width="{max(0.8, r * 0.12):.1f}" stroke-linecap="round"/>'
            f'<circle cx="{cx + r * 0.3:.2f}" cy="{cy + r * 0.25:.2f}" r="{max(0.6, r * 0.09):.2f}" '
            f'fill="{IRON}"/>')


def outline(size):
    return 1.0 if size <= 24 else 1.5 if size <= 40 else 2.0


def flying_stone(side):
    c = side / 2
    return Image(side, side, defs(ROCK) + rock_body(c, c, c - 1.5, 7, outline(side)))


def rock_frame(cell, k):
    """Frame k of 8: the rock rises out of the opened cell and settles with a small bounce."""
    grow = [0.25, 0.45, 0.65, 0.82, 0.95, 1.04, 0.98, 1.0][k]
    r = cell * 0.3 * grow
    c = cell / 2
    body = defs(ROCK) + rock_body(c, c + cell * 0.04, r, 7, outline(cell))
    return shadow(body) if cell >= 36 else body


def images():
    out = {}
    particles = {
        0: sparkle(32, 4, 0.0),
        1: sparkle(32, 4, math.pi / 4),
        2: soft_dot(32),
        3: ring(32),
        4: bubble(20),
        5: sparkle(32, 6, 0.0),
        6: splinter(6, 36, 12),
        7: splinter(7, 30, 10),
        8: chip(8, 12),
        9: chip(9, 10),
        10: puff(32, 10),
        11: burst(64),
        12: flame(32, 12),
        13: flame(28, 13),
        14: flame(24, 14),
        15: puff(64, 15),
        16: puff(56, 16),
        17: fireball(24),
        18: fireball(18),
        19: bubble(12),
        20: bubble(16),
        21: bubble(24),
    }
    for n, img in particles.items():
        out[f"gfx/particles/p{n}.png"] = img
    for side, tile in zip(STONES, TILES):
        out[f"gfx/efekty/rock-{tile}.png"] = flying_stone(side)
        out[f"gfx/tresures/rock-size-{tile}.png"] = Strip(tile, tile, [rock_frame(tile, k) for k in range(8)])
    return out
