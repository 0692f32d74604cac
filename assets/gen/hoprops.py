"""Furniture for hidden-object scenes: barrels, crates, sacks, rope, nets, rocks, weed, coral.

Each function returns an SVG piece drawn at scene coordinates, in the palette, lit from the
top (the light of a painted scene; `hoscene.Light` gives the things in it the same). Use one
as a front of a scene (`hoscene.Front`) when a thing should peek out from behind it. Pieces
that need an id of their own (a clip, a gradient) take a `uid`, unique within one picture.
"""
import math
import random

from hoitems import s
from svgkit import INK, FOAM, PARCH, PARCH_LIGHT, PARCH_DARK, WOOD_DARK, WOOD, WOOD_LIGHT, GOLD, \
    GOLD_DARK, IRON, IRON_LIGHT, GREEN


def barrel(x, y, w, h):
    """A barrel standing on the ground, seen a little from above: x, y the top-left of its
    box, the lid an ellipse at the top."""
    ry = w * 0.11
    bulge = w * 0.07
    cx = x + w / 2
    body = (f'<path d="M{x + bulge},{y + ry} C{x - bulge},{y + h * 0.35} {x - bulge},{y + h * 0.65} {x + bulge},{y + h - ry} '
            f'A{w / 2 - bulge},{ry} 0 0 0 {x + w - bulge},{y + h - ry} '
            f'C{x + w + bulge},{y + h * 0.65} {x + w + bulge},{y + h * 0.35} {x + w - bulge},{y + ry} Z" '
            f'fill="url(#woodH)" {s(2.5)}/>')
    staves = "".join(f'<path d="M{x + w * k:.1f},{y + ry * 1.6:.1f} Q{x + w * k + (k - 0.5) * w * 0.25:.1f},{y + h / 2:.1f} '
                     f'{x + w * k:.1f},{y + h - ry * 0.4:.1f}" stroke="{WOOD_DARK}" stroke-width="1.2" fill="none" '
                     f'opacity="0.55"/>' for k in (0.22, 0.4, 0.6, 0.78))
    hoops = "".join(f'<path d="M{x + 1},{y + h * t:.1f} Q{cx},{y + h * t + ry * 1.4:.1f} {x + w - 1},{y + h * t:.1f}" '
                    f'stroke="{INK}" stroke-width="7" fill="none"/>'
                    f'<path d="M{x + 1},{y + h * t:.1f} Q{cx},{y + h * t + ry * 1.4:.1f} {x + w - 1},{y + h * t:.1f}" '
                    f'stroke="{IRON}" stroke-width="4.5" fill="none"/>' for t in (0.2, 0.78))
    lid = (f'<ellipse cx="{cx}" cy="{y + ry}" rx="{w / 2 - bulge}" ry="{ry}" fill="{WOOD_LIGHT}" {s(2.5)}/>'
           f'<ellipse cx="{cx}" cy="{y + ry + 1}" rx="{w / 2 - bulge - 5}" ry="{ry - 3}" fill="{WOOD}" opacity="0.7"/>'
           f'<path d="M{cx - w * 0.25},{y + ry - 1} H{cx + w * 0.25} M{cx - w * 0.3},{y + ry + 3} H{cx + w * 0.3}" '
           f'stroke="{WOOD_DARK}" stroke-width="1" opacity="0.6"/>')
    return body + staves + hoops + lid


def crate(x, y, w, h, d=18):
    """A wooden crate: its front face at x, y, w, h, its top face `d` deep, leaning right."""
    top = (f'<path d="M{x},{y} L{x + d},{y - d * 0.8} H{x + w + d} L{x + w},{y} Z" fill="{WOOD_LIGHT}" {s(2.5)}/>'
           f'<path d="M{x + d * 0.5},{y - d * 0.4} H{x + w + d * 0.5}" stroke="{WOOD_DARK}" stroke-width="1" opacity="0.5"/>')
    side = f'<path d="M{x + w},{y} L{x + w + d},{y - d * 0.8} V{y + h - d * 0.8} L{x + w},{y + h} Z" fill="{WOOD_DARK}" {s(2.5)}/>'
    front = (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="url(#wood)" {s(2.5)}/>'
             + "".join(f'<path d="M{x},{y + h * k:.1f} H{x + w}" stroke="{WOOD_DARK}" stroke-width="1.5" opacity="0.6"/>'
                       for k in (0.33, 0.66))
             + f'<path d="M{x + 6},{y + 6} L{x + w - 6},{y + h - 6} M{x + w - 6},{y + 6} L{x + 6},{y + h - 6}" '
               f'stroke="{INK}" stroke-width="9"/>'
               f'<path d="M{x + 6},{y + 6} L{x + w - 6},{y + h - 6} M{x + w - 6},{y + 6} L{x + 6},{y + h - 6}" '
               f'stroke="{WOOD}" stroke-width="6"/>'
             + f'<rect x="{x + 3}" y="{y + 3}" width="{w - 6}" height="{h - 6}" fill="none" stroke="{WOOD_LIGHT}" '
               f'stroke-width="1" opacity="0.5"/>')
    return side + top + front


def sack(x, y, w, h, tie=True):
    """A canvas sack slumped on the ground, tied at the top."""
    body = (f'<path d="M{x + w * 0.3},{y + h * 0.18} C{x + w * 0.05},{y + h * 0.35} {x - w * 0.04},{y + h * 0.8} '
            f'{x + w * 0.08},{y + h * 0.95} C{x + w * 0.35},{y + h * 1.03} {x + w * 0.75},{y + h * 1.02} {x + w * 0.95},{y + h * 0.92} '
            f'C{x + w * 1.05},{y + h * 0.7} {x + w * 0.95},{y + h * 0.35} {x + w * 0.68},{y + h * 0.18} Z" '
            f'fill="{PARCH_DARK}" {s(2.5)}/>'
            f'<path d="M{x + w * 0.3},{y + h * 0.35} C{x + w * 0.25},{y + h * 0.6} {x + w * 0.3},{y + h * 0.8} {x + w * 0.4},{y + h * 0.92}" '
            f'stroke="{WOOD}" stroke-width="1.5" fill="none" opacity="0.6"/>'
            f'<path d="M{x + w * 0.7},{y + h * 0.4} C{x + w * 0.78},{y + h * 0.6} {x + w * 0.72},{y + h * 0.8} {x + w * 0.66},{y + h * 0.94}" '
            f'stroke="{WOOD}" stroke-width="1.5" fill="none" opacity="0.6"/>'
            f'<path d="M{x + w * 0.12},{y + h * 0.5} C{x + w * 0.1},{y + h * 0.75} {x + w * 0.2},{y + h * 0.9} {x + w * 0.3},{y + h * 0.95}" '
            f'stroke="{PARCH}" stroke-width="3" fill="none" opacity="0.5"/>')
    neck = (f'<path d="M{x + w * 0.32},{y + h * 0.2} L{x + w * 0.22},{y} H{x + w * 0.78} L{x + w * 0.66},{y + h * 0.2} Z" '
            f'fill="{PARCH_DARK}" {s(2)}/>')
    cord = (f'<path d="M{x + w * 0.3},{y + h * 0.17} Q{x + w / 2},{y + h * 0.23} {x + w * 0.68},{y + h * 0.17}" '
            f'stroke="{INK}" stroke-width="5" fill="none"/>'
            f'<path d="M{x + w * 0.3},{y + h * 0.17} Q{x + w / 2},{y + h * 0.23} {x + w * 0.68},{y + h * 0.17}" '
            f'stroke="{WOOD_LIGHT}" stroke-width="3" fill="none"/>') if tie else ""
    return neck + body + cord


def plank_floor(top, fill, rows, gap, spread, xs, seam_opacity):
    """A floor of boards from row `top` to the picture's bottom, seen from above and in
    perspective: `rows` seams across that widen towards the eye (`gap` px apart at first), and
    seams along that fan out from the middle, at the front at the x of `xs` (a range), at the
    back at `spread` of their distance from the middle."""
    out = [f'<path d="M0,{top} H1024 V768 H0 Z" fill="{fill}" {s(3)}/>']
    for i in range(rows):
        y = top + 10 + i * i * 4 + i * gap
        out.append(f'<path d="M0,{y} H1024" stroke="{WOOD_DARK}" stroke-width="{1 + i * 0.4:.1f}" opacity="{seam_opacity}"/>')
    for x in xs:
        out.append(f'<path d="M{512 + (x - 512) * spread:.0f},{top} L{x},768" stroke="{WOOD_DARK}" stroke-width="1.5" '
                   f'opacity="0.35"/>')
    return "".join(out)


def rope(d, w=10):
    """A rope along the path `d`: a dark core, the rope colour and its twist."""
    return (f'<path d="{d}" stroke="{INK}" stroke-width="{w + 3}" fill="none" stroke-linecap="round"/>'
            f'<path d="{d}" stroke="{PARCH_DARK}" stroke-width="{w}" fill="none" stroke-linecap="round"/>'
            f'<path d="{d}" stroke="{PARCH}" stroke-width="{w * 0.45:.1f}" fill="none" stroke-linecap="round" '
            f'stroke-dasharray="{w * 0.7:.1f} {w * 0.55:.1f}"/>')


def rope_coil(cx, cy, rx, ry, turns=3, w=9):
    """A coil of rope lying flat: rings from the outside in."""
    out = []
    for i in range(turns):
        k = 1 - i * (0.8 / turns)
        out.append(rope(f'M{cx - rx * k:.1f},{cy} A{rx * k:.1f},{ry * k:.1f} 0 1 0 {cx + rx * k:.1f},{cy} '
                        f'A{rx * k:.1f},{ry * k:.1f} 0 1 0 {cx - rx * k:.1f},{cy}', w))
    return "".join(out)


def net(uid, outline, step=16, w=1.6, colour=PARCH_DARK, fill_opacity=0.18, floats=()):
    """A fishing net over the region `outline` (a closed path): a faint body and a diamond
    mesh of strands, with cork floats at the points `floats`."""
    xs = [float(v) for v in outline.replace("M", " ").replace("L", " ").replace("Z", " ").replace(",", " ").split()
          if v.replace(".", "").replace("-", "").isdigit()]
    px, py = xs[0::2], xs[1::2]
    x0, x1, y0, y1 = min(px), max(px), min(py), max(py)
    lines = []
    span = (x1 - x0) + (y1 - y0)
    k = -span
    while k < span:
        lines.append(f'M{x0 + k},{y0} L{x0 + k + (y1 - y0)},{y1}')
        lines.append(f'M{x1 - k},{y0} L{x1 - k - (y1 - y0)},{y1}')
        k += step
    mesh = " ".join(lines)
    corks = "".join(f'<ellipse cx="{fx}" cy="{fy}" rx="7" ry="5" fill="{WOOD_LIGHT}" {s(1.5)}/>'
                    f'<ellipse cx="{fx - 2}" cy="{fy - 2}" rx="3" ry="1.5" fill="{PARCH_LIGHT}" opacity="0.6"/>'
                    for fx, fy in floats)
    return (f'<defs><clipPath id="{uid}"><path d="{outline}"/></clipPath></defs>'
            f'<path d="{outline}" fill="{colour}" opacity="{fill_opacity}"/>'
            f'<g clip-path="url(#{uid})"><path d="{mesh}" stroke="{INK}" stroke-width="{w + 1.4}" fill="none" opacity="0.55"/>'
            f'<path d="{mesh}" stroke="{colour}" stroke-width="{w}" fill="none"/></g>'
            f'<path d="{outline}" stroke="{INK}" stroke-width="1.2" fill="none" opacity="0.4"/>' + corks)


def bucket(x, y, w, h, mouth=True):
    """A wooden bucket with two iron bands; its mouth an ellipse. Without `mouth`, only what
    stands in front of the bucket's inside (its walls and the near rim), the front of a
    bucket that something stands in."""
    ry = w * 0.16
    body = (f'<path d="M{x},{y + ry} A{w / 2},{ry} 0 0 0 {x + w},{y + ry} L{x + w * 0.9},{y + h} '
            f'A{w * 0.4},{ry * 0.8} 0 0 1 {x + w * 0.1},{y + h} Z" fill="url(#woodH)" {s(2)}/>'
            + "".join(f'<path d="M{x + w * 0.04 + t * w * 0.06:.1f},{y + ry + (h - ry) * t:.1f} Q{x + w / 2},'
                      f'{y + ry + (h - ry) * t + ry:.1f} {x + w * 0.96 - t * w * 0.06:.1f},{y + ry + (h - ry) * t:.1f}" '
                      f'stroke="{IRON}" stroke-width="4" fill="none"/>' for t in (0.3, 0.75))
            + f'<path d="M{x + 1},{y + ry} A{w / 2 - 1},{ry - 1} 0 0 0 {x + w - 1},{y + ry}" stroke="{WOOD_LIGHT}" '
              f'stroke-width="2.5" fill="none"/>')
    if not mouth:
        return body
    return (f'<ellipse cx="{x + w / 2}" cy="{y + ry}" rx="{w / 2}" ry="{ry}" fill="#2a1a0e" {s(2)}/>'
            f'<path d="M{x + 3},{y + ry} A{w / 2 - 3},{ry - 3} 0 0 1 {x + w - 3},{y + ry}" stroke="{WOOD}" '
            f'stroke-width="2" fill="none"/>' + body)


def sea_chest(x, y, w, h):
    """A closed sea chest: a rounded lid, iron bands, a gold lock."""
    lid = h * 0.38
    return (f'<rect x="{x}" y="{y + lid}" width="{w}" height="{h - lid}" rx="4" fill="url(#wood)" {s(2.5)}/>'
            f'<path d="M{x},{y + lid} V{y + lid * 0.45} Q{x + w / 2},{y - lid * 0.35} {x + w},{y + lid * 0.45} V{y + lid} Z" '
            f'fill="url(#wood)" {s(2.5)}/>'
            f'<path d="M{x + 4},{y + lid * 0.5} Q{x + w / 2},{y - lid * 0.2} {x + w - 4},{y + lid * 0.5}" stroke="{WOOD_LIGHT}" '
            f'stroke-width="2" fill="none" opacity="0.7"/>'
            + "".join(f'<path d="M{x + w * k},{y + lid * (0.1 if 0.2 < k < 0.8 else 0.45)} V{y + h}" stroke="{INK}" '
                      f'stroke-width="10"/><path d="M{x + w * k},{y + lid * (0.1 if 0.2 < k < 0.8 else 0.45)} V{y + h}" '
                      f'stroke="{IRON}" stroke-width="7"/>' for k in (0.14, 0.86))
            + f'<rect x="{x + w / 2 - 9}" y="{y + lid - 8}" width="18" height="20" rx="3" fill="url(#gold)" {s(1.5)}/>'
            f'<circle cx="{x + w / 2}" cy="{y + lid + 1}" r="2.5" fill="{INK}"/>'
            f'<path d="M{x},{y + lid} H{x + w}" stroke="{INK}" stroke-width="2"/>')


def bollard(x, y, w, h):
    """A mooring post on the quay: a thick wooden stump with a darker cap."""
    return (f'<path d="M{x},{y + 8} V{y + h} A{w / 2},6 0 0 0 {x + w},{y + h} V{y + 8} Z" fill="url(#woodH)" {s(2.5)}/>'
            f'<ellipse cx="{x + w / 2}" cy="{y + 8}" rx="{w / 2}" ry="8" fill="{WOOD_LIGHT}" {s(2.5)}/>'
            f'<ellipse cx="{x + w / 2}" cy="{y + 8}" rx="{w / 2 - 6}" ry="4" fill="none" stroke="{WOOD}" stroke-width="1.5"/>'
            + "".join(f'<path d="M{x + w * k:.1f},{y + 20} V{y + h - 4}" stroke="{WOOD_DARK}" stroke-width="1.2" '
                      f'opacity="0.6"/>' for k in (0.3, 0.55, 0.8)))


def lobster_pot(x, y, w, h):
    """A round-topped lobster pot of slats and netting, standing on the ground."""
    top = f'M{x},{y + h} V{y + h * 0.4} Q{x + w / 2},{y - h * 0.25} {x + w},{y + h * 0.4} V{y + h} Z'
    slats = "".join(f'<path d="M{x + w * k:.1f},{y + h} V{y + h * 0.4 - math.sin(k * math.pi) * h * 0.3:.1f}" '
                    f'stroke="{WOOD}" stroke-width="3"/>' for k in (0.2, 0.4, 0.6, 0.8))
    mesh = "".join(f'<path d="M{x},{y + h * t:.1f} H{x + w}" stroke="{PARCH_DARK}" stroke-width="1.2" opacity="0.8"/>'
                   for t in (0.55, 0.7, 0.85))
    return (f'<path d="{top}" fill="#2a1a0e" fill-opacity="0.35" {s(2)}/>' + mesh + slats
            + f'<path d="{top}" fill="none" stroke="{WOOD_LIGHT}" stroke-width="2.5"/>'
            f'<rect x="{x - 2}" y="{y + h - 6}" width="{w + 4}" height="8" rx="2" fill="url(#wood)" {s(1.5)}/>')


def cannonballs(x, y, r=11):
    """A little pyramid of iron shot resting on the ground at x, y (its bottom middle)."""
    out = []
    for row, n in enumerate((3, 2, 1)):
        for i in range(n):
            cx = x + (i - (n - 1) / 2) * 2 * r
            cy = y - r - row * r * 1.7
            out.append(f'<circle cx="{cx:.1f}" cy="{cy:.1f}" r="{r}" fill="url(#iron)" {s(1.8)}/>'
                       f'<circle cx="{cx - r * 0.35:.1f}" cy="{cy - r * 0.35:.1f}" r="{r * 0.3:.1f}" fill="{IRON_LIGHT}" '
                       f'opacity="0.7"/>')
    return "".join(out)


def oar(x1, y1, x2, y2, w=8):
    """An oar from its grip (x1, y1) to the tip of its blade (x2, y2)."""
    a = math.degrees(math.atan2(y2 - y1, x2 - x1))
    L = math.hypot(x2 - x1, y2 - y1)
    return (f'<g transform="translate({x1},{y1}) rotate({a:.1f})">'
            f'<rect x="0" y="{-w / 2}" width="{L * 0.72:.1f}" height="{w}" rx="{w / 2}" fill="{WOOD_LIGHT}" {s(2)}/>'
            f'<path d="M{L * 0.68:.1f},{-w / 2} C{L * 0.8:.1f},{-w * 1.8:.1f} {L:.1f},{-w * 1.8:.1f} {L:.1f},0 '
            f'C{L:.1f},{w * 1.8:.1f} {L * 0.8:.1f},{w * 1.8:.1f} {L * 0.68:.1f},{w / 2} Z" fill="url(#wood)" {s(2)}/></g>')


def gull(x, y, k=1.0):
    """A gull standing, facing left."""
    return (f'<g transform="translate({x},{y}) scale({k})">'
            f'<path d="M-14,-8 C-10,-18 8,-18 14,-10 L24,-6 L12,-4 C8,2 -6,4 -12,0 Z" fill="{PARCH_LIGHT}" {s(1.5)}/>'
            f'<path d="M-2,-12 C6,-14 14,-10 22,-6 L10,-6 C4,-6 0,-8 -2,-12 Z" fill="{IRON_LIGHT}" {s(1.2)}/>'
            f'<circle cx="-14" cy="-18" r="6" fill="{PARCH_LIGHT}" {s(1.5)}/><circle cx="-16" cy="-19" r="1.2" fill="{INK}"/>'
            f'<path d="M-20,-17 L-27,-15 L-20,-14 Z" fill="{GOLD}" {s(1)}/>'
            f'<path d="M-4,2 V10 M2,2 V10" stroke="{GOLD_DARK}" stroke-width="2"/></g>')


def rock(cx, cy, rx, ry, colour=IRON, light=IRON_LIGHT, seed=0):
    """A rounded rock lying on the ground, lit on top."""
    rnd = random.Random(seed)
    pts = []
    for i in range(9):
        a = math.pi + i * math.pi / 8
        k = rnd.uniform(0.85, 1.05)
        pts.append(f"{cx + math.cos(a) * rx * k:.1f},{cy + math.sin(a) * ry * k:.1f}")
    d = "M" + " L".join(pts) + f" Q{cx + rx},{cy + ry * 0.25} {cx},{cy + ry * 0.25} Q{cx - rx},{cy + ry * 0.25} {pts[0]} Z"
    return (f'<path d="{d}" fill="{colour}" {s(2.5)}/>'
            f'<path d="M{cx - rx * 0.6:.1f},{cy - ry * 0.55:.1f} Q{cx},{cy - ry * 0.95:.1f} {cx + rx * 0.5:.1f},{cy - ry * 0.6:.1f}" '
            f'stroke="{light}" stroke-width="{max(2, ry * 0.12):.1f}" fill="none" opacity="0.55" stroke-linecap="round"/>')


def weed(x, y, h, sway=1.0, w=10, colour=GREEN, dark="#2f5a2a"):
    """A strand of sea weed rising from (x, y), `h` tall, leaning `sway`."""
    d = (f'M{x},{y} C{x - 22 * sway},{y - h * 0.3:.0f} {x + 26 * sway},{y - h * 0.6:.0f} {x + 6 * sway},{y - h * 0.8:.0f} '
         f'S{x + 4 * sway},{y - h * 0.95:.0f} {x + 14 * sway},{y - h}')
    return (f'<path d="{d}" stroke="{INK}" stroke-width="{w + 4}" fill="none" stroke-linecap="round"/>'
            f'<path d="{d}" stroke="{colour}" stroke-width="{w}" fill="none" stroke-linecap="round"/>'
            f'<path d="{d}" stroke="{dark}" stroke-width="{w * 0.3:.1f}" fill="none" stroke-linecap="round" opacity="0.6" '
            f'transform="translate({w * 0.2:.1f},0)"/>')


def coral(x, y, k=1.0, colour="#d9735a", light="#f2a98a"):
    """A branching coral growing from (x, y), about 80 x k px tall."""
    branches = ("M0,0 C-2,-20 -18,-30 -26,-52 M-14,-30 C-24,-36 -34,-36 -40,-44 M0,0 C4,-26 2,-50 6,-76 "
                "M4,-46 C14,-52 18,-60 20,-70 M0,0 C10,-14 26,-24 34,-42 M24,-28 C32,-28 40,-34 44,-40")
    return (f'<g transform="translate({x},{y}) scale({k})">'
            f'<path d="{branches}" stroke="{INK}" stroke-width="13" fill="none" stroke-linecap="round"/>'
            f'<path d="{branches}" stroke="{colour}" stroke-width="9" fill="none" stroke-linecap="round"/>'
            f'<path d="{branches}" stroke="{light}" stroke-width="3" fill="none" stroke-linecap="round" '
            f'transform="translate(-1.5,-1.5)" opacity="0.7"/></g>')


def shells(points, colour="#e9c2a8"):
    """Little shells and pebbles strewn over sand: decoys, not things to find."""
    out = []
    for i, (x, y) in enumerate(points):
        if i % 2:
            out.append(f'<ellipse cx="{x}" cy="{y}" rx="6" ry="4" fill="{IRON_LIGHT}" {s(1.2)}/>')
        else:
            out.append(f'<path d="M{x - 7},{y + 3} Q{x},{y - 9} {x + 7},{y + 3} Z" fill="{colour}" {s(1.2)}/>'
                       f'<path d="M{x},{y + 3} V{y - 4} M{x - 3},{y + 3} L{x - 4},{y - 2} M{x + 3},{y + 3} L{x + 4},{y - 2}" '
                       f'stroke="#b98a6a" stroke-width="1"/>')
    return "".join(out)


def bubbles_deco(points):
    """Still bubbles caught on things (the game adds moving ones)."""
    return "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="{FOAM}" fill-opacity="0.15" stroke="{FOAM}" '
                   f'stroke-width="1.2" opacity="0.7"/>' for x, y, r in points)

