"""The story's pictures: the credits' night harbour, the story-map chart, the painted scenes of
the story start and the outro, the plane and its smoke.

Nothing here is pure magenta: the story pictures are loaded while that is the mask colour.
"""
import math
import random

from svgkit import (Image, crop, rivet, shadow, INK, SEA_DEEP, SEA, SEA_LIGHT, FOAM, PARCH_LIGHT, PARCH, PARCH_DARK, WOOD_DARK, WOOD,
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
            + compass(100, 470, 62) +
            '<rect x="112" y="184" width="800" height="400" fill="url(#calm)"/>'
            f'<rect x="10" y="10" width="1004" height="748" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
            f'<rect x="18" y="18" width="988" height="732" fill="none" stroke="{GOLD_DARK}" stroke-width="1"/>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


# ---- shared pieces of the painted scenes -------------------------------------------------

BAR = 160  # the frame bars: top 0..160, bottom 608..768; subtitles stand in the bottom one
BEAD = 9   # the gold bead along a band's inner edge


def band_defs():
    """The frame's dark wood (lit from the top) and the soft shade it casts on the scene."""
    return (f'<linearGradient id="bandWood" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6e4422"/>'
            f'<stop offset="0.5" stop-color="#55331a"/><stop offset="1" stop-color="#3c2210"/></linearGradient>'
            f'<linearGradient id="bandWoodDark" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#52321a"/>'
            f'<stop offset="0.5" stop-color="#3e2412"/><stop offset="1" stop-color="#2c190c"/></linearGradient>'
            f'<linearGradient id="plate" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#3a2110"/>'
            f'<stop offset="1" stop-color="{WOOD_DARK}"/></linearGradient>'
            f'<linearGradient id="shadeDown" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{INK}" '
            f'stop-opacity="0.55"/><stop offset="1" stop-color="{INK}" stop-opacity="0"/></linearGradient>'
            f'<linearGradient id="shadeUp" x1="0" y1="1" x2="0" y2="0"><stop offset="0" stop-color="{INK}" '
            f'stop-opacity="0.55"/><stop offset="1" stop-color="{INK}" stop-opacity="0"/></linearGradient>')


def frame_band(y0, h, edge, seed, w=1024, wood="bandWood"):
    """One band of the cinema frame: dark planks with grain and staggered joints, a gold bead on
    the edge that faces the scene ("bottom" or "top"), gold rivets along it and a soft shade
    the frame casts on the scene beyond the bead."""
    rnd = random.Random(seed)
    rows = max(2, round(h / 42))
    ph = h / rows
    out = [f'<rect y="{y0}" width="{w}" height="{h}" fill="#2c190c"/>']
    for r in range(rows):
        y = y0 + r * ph
        out.append(f'<rect y="{y:.1f}" width="{w}" height="{ph:.1f}" fill="url(#{wood})" '
                   f'opacity="{rnd.uniform(0.85, 1):.2f}"/>')
        for _ in range(3):
            gy = y + rnd.uniform(0.2, 0.8) * ph
            x0 = rnd.uniform(-200, w * 0.6)
            out.append(f'<path d="M{x0:.0f},{gy:.1f} C{x0 + 160:.0f},{gy - 3:.1f} {x0 + 320:.0f},{gy + 3:.1f} '
                       f'{x0 + 520:.0f},{gy:.1f}" stroke="{WOOD_DARK}" stroke-width="1.4" fill="none" opacity="0.55"/>')
        if rnd.random() < 0.6:
            kx, ky = rnd.uniform(60, w - 60), y + ph * rnd.uniform(0.35, 0.65)
            out.append(f'<ellipse cx="{kx:.0f}" cy="{ky:.1f}" rx="9" ry="3.5" fill="none" stroke="{WOOD_DARK}" '
                       f'stroke-width="1.4" opacity="0.6"/>')
        # the lit top edge of each plank and the dark seam under it
        out.append(f'<path d="M0,{y + 1.5:.1f} H{w}" stroke="{WOOD_LIGHT}" stroke-width="1.2" opacity="0.35"/>')
        out.append(f'<path d="M0,{y + ph - 0.8:.1f} H{w}" stroke="{INK}" stroke-width="1.6" opacity="0.8"/>')
        x = rnd.uniform(120, 380)
        while x < w:
            out.append(f'<path d="M{x:.0f},{y:.1f} V{y + ph:.1f}" stroke="{INK}" stroke-width="1.6" opacity="0.8"/>'
                       f'<path d="M{x + 1.6:.0f},{y:.1f} V{y + ph:.1f}" stroke="{WOOD_LIGHT}" stroke-width="1" '
                       f'opacity="0.25"/>')
            x += rnd.uniform(300, 520)
    by = y0 + h - BEAD if edge == "bottom" else y0
    out.append(f'<rect y="{by}" width="{w}" height="{BEAD}" fill="url(#gold)"/>'
               f'<path d="M0,{by + 0.6} H{w} M0,{by + BEAD - 0.6} H{w}" stroke="{INK}" stroke-width="1.2"/>'
               f'<path d="M0,{by + 2.4} H{w}" stroke="{GOLD_LIGHT}" stroke-width="1" opacity="0.8"/>')
    if edge == "bottom":
        out.append(f'<rect y="{y0 + h}" width="{w}" height="14" fill="url(#shadeDown)"/>')
        ry = by - 10
    else:
        out.append(f'<rect y="{y0 - 14}" width="{w}" height="14" fill="url(#shadeUp)"/>')
        ry = by + BEAD + 10
    out += [rivet(x, ry, 4) for x in range(32, w, 160)]
    return "".join(out)


def medallion(cx, cy, r):
    """A small gold compass medallion set into the top band: a four-pointed star over a smaller
    one turned by 45 degrees, a red boss in the middle."""
    return shadow(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
                  f'<circle cx="{cx}" cy="{cy}" r="{r - 5}" fill="{WOOD_DARK}" stroke="{GOLD_DARK}" stroke-width="1"/>'
                  f'<g transform="rotate(45 {cx} {cy})">{sparkle(cx, cy, r * 0.5, 1, GOLD_DARK)}</g>'
                  + sparkle(cx, cy, r - 9, 1, "url(#gold)") +
                  f'<circle cx="{cx}" cy="{cy}" r="3" fill="{RED}" stroke="{INK}" stroke-width="1"/>')


def bars():
    """The cinema frame over every story scene: dark planks framed in gold, a compass in the top
    band and, in the bottom one, the gold-rimmed plaque the subtitles stand on."""
    plate = (f'<rect x="64" y="{768 - BAR + 15}" width="896" height="{BAR - 24}" rx="12" fill="url(#gold)" '
             f'stroke="{INK}" stroke-width="2"/>'
             f'<rect x="69" y="{768 - BAR + 20}" width="886" height="{BAR - 34}" rx="9" fill="url(#plate)" '
             f'stroke="{GOLD_DARK}" stroke-width="1"/>'
             f'<rect x="72" y="{768 - BAR + 23}" width="880" height="10" rx="6" fill="{INK}" opacity="0.6"/>')
    return Image(1024, 768, f'<defs>{band_defs()}</defs>' + frame_band(0, BAR, "bottom", 7) +
                 medallion(512, 74, 30) + frame_band(768 - BAR, BAR, "top", 8) + shadow(plate))


def slide_bars():
    """The bars that slide in over a game screen for a dialogue and the story-map interlude:
    the top band (rows 0..200, the bead at its foot) above the bottom band (rows 200..400), in
    a darker stain than the film's frame so the panel between them stands out."""
    return Image(1024, 400, f'<defs>{band_defs()}</defs>' + frame_band(0, 186, "bottom", 17, wood="bandWoodDark") +
                 medallion(512, 96, 30) + frame_band(214, 186, "top", 18, wood="bandWoodDark"))


def seaplane(facing_right=True):
    """The family's old seaplane, side view, 240 x 120: cream body, red wing and tail, one float."""
    body = (
        # float and struts
        f'<path d="M50,96 H190 Q214,96 204,106 Q196,112 180,112 H64 Q48,112 50,96 Z" fill="url(#wood)" '
        f'stroke="{INK}" stroke-width="2"/>'
        f'<path d="M92,70 L86,96 M150,70 L156,96" stroke="{IRON}" stroke-width="4"/>'
        # fuselage, tapering to the tail
        f'<path d="M22,52 Q60,42 120,44 L196,46 Q212,52 212,62 Q208,74 196,76 L120,78 Q60,76 22,62 Z" '
        f'fill="{PARCH_LIGHT}" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M40,58 Q110,60 206,62" stroke="{RED}" stroke-width="5" fill="none"/>'
        # tail fin and rudder
        f'<path d="M22,52 L14,14 Q16,8 24,10 L52,46 Z" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M18,60 L4,64 L20,68 Z" fill="{RED}" stroke="{INK}" stroke-width="1.5"/>'
        # upper wing seen edge on, with its struts
        f'<path d="M70,30 Q130,20 186,28 Q190,34 184,36 Q128,32 72,38 Q64,34 70,30 Z" fill="{RED}" '
        f'stroke="{INK}" stroke-width="2"/>'
        f'<path d="M100,36 L104,46 M160,33 L164,46" stroke="{IRON}" stroke-width="3"/>'
        # cockpit and the pilot's cap
        f'<path d="M128,44 Q134,32 150,32 Q160,34 164,45 Z" fill="{SEA_DEEP}" stroke="{INK}" stroke-width="1.5"/>'
        f'<circle cx="146" cy="40" r="6" fill="{WOOD_DARK}"/>'
        # engine cowl, spinner and the blur of the propeller
        f'<path d="M196,46 Q214,50 216,62 Q214,74 196,76 Z" fill="{IRON}" stroke="{INK}" stroke-width="2"/>'
        f'<ellipse cx="222" cy="61" rx="5" ry="44" fill="{IRON_LIGHT}" opacity="0.35"/>'
        f'<circle cx="220" cy="61" r="6" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M60,56 Q100,52 130,54" stroke="#ffffff" stroke-width="2" opacity="0.5" fill="none"/>')
    if not facing_right:
        body = f'<g transform="translate(240,0) scale(-1,1)">{body}</g>'
    return Image(240, 120, f'<g filter="url(#drop)">{body}</g>')


def smoke(seed):
    rnd = random.Random(seed)
    blobs = "".join(f'<circle cx="{32 + rnd.uniform(-9, 9):.1f}" cy="{32 + rnd.uniform(-9, 9):.1f}" '
                    f'r="{rnd.uniform(9, 14):.1f}" fill="{c}"/>'
                    for c in (IRON_LIGHT, FOAM, FOAM, BONE, FOAM))
    return Image(64, 64, '<defs><filter id="soft" x="-30%" y="-30%" width="160%" height="160%">'
                         '<feGaussianBlur stdDeviation="3.5"/></filter></defs>'
                         f'<g filter="url(#soft)" opacity="0.9">{blobs}</g>')


def hero():
    """The young captain on the quay, three-quarters from behind, looking out to the harbour on
    the right: red coat with gold trim, tricorn with a red feather, the family's auburn braid,
    a sword at the hip; lit warm by the low sun. Feet at the bottom centre (the handle)."""
    defs = (f'<defs>{grad("hcoat", "#c2443b", "#6a1a16")}{grad("hskin", "#f0c49a", "#cf9466")}'
            f'{grad("hhat", "#4a3a30", "#221811")}{grad("hboot", "#5a3a22", "#2a1a0e")}'
            f'{grad("hleg", PARCH_LIGHT, PARCH_DARK)}</defs>')
    legs = (f'<path d="M74,300 L70,360 L96,360 L100,300 Z M104,300 L110,360 L136,360 L132,300 Z" fill="url(#hleg)" '
            f'stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
            f'<path d="M66,352 L64,404 Q64,414 76,414 L100,414 L100,352 Z M108,352 L110,404 Q110,414 122,414 L150,414 '
            f'Q154,404 140,398 L138,352 Z" fill="url(#hboot)" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
            f'<path d="M64,360 H102 M108,360 H140" stroke="{WOOD}" stroke-width="5"/>')
    sword = (f'<path d="M58,262 L18,360" stroke="{INK}" stroke-width="8" stroke-linecap="round"/>'
             f'<path d="M58,262 L18,360" stroke="url(#iron)" stroke-width="4.5" stroke-linecap="round"/>'
             f'<path d="M50,250 Q62,244 72,254" stroke="{GOLD_DARK}" stroke-width="5" fill="none" '
             f'stroke-linecap="round"/><circle cx="64" cy="246" r="5" fill="url(#gold)" stroke="{INK}" '
             f'stroke-width="1.5"/>')
    coat = (
        # the coat from behind, its tails flaring, a gold hem and a slit up the back
        f'<path d="M70,112 Q44,130 42,210 L38,318 Q96,332 158,318 L150,210 Q150,130 128,112 Q100,102 70,112 Z" '
        f'fill="url(#hcoat)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
        f'<path d="M40,314 Q96,328 158,314" stroke="{GOLD}" stroke-width="5" fill="none"/>'
        f'<path d="M98,236 V320" stroke="{INK}" stroke-width="2.5"/>'
        f'<path d="M50,236 Q98,248 146,236" stroke="{WOOD_DARK}" stroke-width="8" fill="none"/>'
        f'<rect x="108" y="234" width="16" height="14" rx="2" fill="none" stroke="url(#gold)" stroke-width="3"/>'
        # the near arm down at the side, the far one bent with the hand on the hip
        f'<path d="M56,124 Q34,170 40,236 L60,238 Q58,184 72,140 Z" fill="url(#hcoat)" stroke="{INK}" '
        f'stroke-width="3" stroke-linejoin="round"/>'
        f'<path d="M38,226 L62,228" stroke="{GOLD}" stroke-width="6"/>'
        f'<ellipse cx="50" cy="246" rx="10" ry="12" fill="url(#hskin)" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M140,124 Q176,160 166,210 Q160,226 146,230 L140,214 Q150,200 150,176 Q146,150 128,136 Z" '
        f'fill="url(#hcoat)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
        f'<path d="M146,214 L164,206" stroke="{GOLD}" stroke-width="6"/>'
        # warm light from the low sun on the right shoulder and sleeve
        f'<path d="M128,114 Q154,124 166,170" stroke="#f2a070" stroke-width="4" fill="none" opacity="0.7" '
        f'stroke-linecap="round"/>'
        f'<path d="M150,214 Q156,260 158,316" stroke="#f2a070" stroke-width="3" fill="none" opacity="0.6" '
        f'stroke-linecap="round"/>')
    head = (
        f'<path d="M88,90 h24 v22 h-24 Z" fill="url(#hskin)" stroke="{INK}" stroke-width="2"/>'
        # the back of the head turned three-quarters to the right: cheek, ear, a glimpse of nose
        f'<ellipse cx="102" cy="70" rx="26" ry="28" fill="url(#hskin)" stroke="{INK}" stroke-width="2.5"/>'
        f'<path d="M78,50 Q100,40 122,52 Q114,70 116,96 Q104,102 90,98 Q76,88 76,66 Z" fill="#a4472a" '
        f'stroke="{INK}" stroke-width="2"/>'
        f'<path d="M84,58 Q90,76 88,94 M96,52 Q104,72 100,98 M110,52 Q110,74 110,96" stroke="#6e2a14" '
        f'stroke-width="1.6" fill="none"/>'
        f'<path d="M126,66 q8,6 2,14" stroke="{INK}" stroke-width="2" fill="#e8b48a"/>'
        f'<ellipse cx="118" cy="74" rx="5" ry="8" fill="#e3a97c" stroke="{INK}" stroke-width="1.8"/>'
        f'<circle cx="124" cy="88" r="3.5" fill="#e58a7a" opacity="0.45"/>'
        # the braid down the back, tied with a red ribbon
        f'<path d="M84,84 Q70,120 80,170" stroke="{INK}" stroke-width="15" fill="none" stroke-linecap="round"/>'
        f'<path d="M84,84 Q70,120 80,170" stroke="#8a3a1c" stroke-width="11" fill="none" stroke-linecap="round"/>'
        f'<path d="M78,100 l9,5 M74,116 l9,5 M74,132 l9,5 M76,148 l9,5" stroke="#5e2410" stroke-width="1.8"/>'
        f'<path d="M72,170 l8,-6 l8,6 l-8,12 Z" fill="{RED}" stroke="{INK}" stroke-width="1.5"/>'
        # the tricorn seen from behind, a gold trim, the feather
        f'<path d="M58,58 Q102,16 150,56 Q126,46 102,48 Q78,46 58,58 Z" fill="url(#hhat)" stroke="{INK}" '
        f'stroke-width="2.5" stroke-linejoin="round"/>'
        f'<path d="M72,48 Q102,6 134,44 Q102,36 72,48 Z" fill="url(#hhat)" stroke="{INK}" stroke-width="2.5"/>'
        f'<path d="M58,58 Q102,16 150,56" stroke="{GOLD}" stroke-width="3" fill="none"/>'
        f'<path d="M84,30 Q60,4 38,12 Q60,18 78,38 Z" fill="{RED}" stroke="{INK}" stroke-width="1.5"/>')
    return Image(200, 420, defs + shadow(sword + legs + coat + head))


def chest_lid():
    """The chest's lid, 860 x 520, seen from above: planks, iron bands, gold corners and lock."""
    planks = "".join(f'<rect x="{20 + i * 164}" y="20" width="160" height="480" fill="url(#woodH)" '
                     f'stroke="{INK}" stroke-width="2"/>' for i in range(5))
    grainl = "".join(f'<path d="M{40 + i * 40},30 C{30 + i * 40},200 {50 + i * 40},320 {40 + i * 40},490" '
                     f'stroke="{WOOD_DARK}" stroke-width="1.5" fill="none" opacity="0.35"/>' for i in range(20))
    bands = "".join(f'<rect x="10" y="{y}" width="840" height="36" rx="4" fill="url(#iron)" stroke="{INK}" '
                    f'stroke-width="2"/>' + "".join(f'<circle cx="{x}" cy="{y + 18}" r="5" fill="{IRON_LIGHT}" '
                                                    f'stroke="{INK}" stroke-width="1"/>' for x in range(40, 840, 80))
                    for y in (70, 414))
    corners = "".join(f'<path d="M{x},{y} l{dx * 90},0 l{-dx * 90},{dy * 90} Z" fill="url(#gold)" stroke="{INK}" '
                      f'stroke-width="2"/>' for x, y, dx, dy in ((10, 10, 1, 1), (850, 10, -1, 1), (10, 510, 1, -1),
                                                                 (850, 510, -1, -1)))
    lock = (f'<rect x="370" y="200" width="120" height="130" rx="14" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
            f'<circle cx="430" cy="250" r="14" fill="{WOOD_DARK}"/><path d="M424,256 h12 l-3,40 h-6 Z" fill="{WOOD_DARK}"/>')
    return Image(860, 520, f'<g filter="url(#drop)"><rect x="4" y="4" width="852" height="512" rx="18" '
                           f'fill="{WOOD_DARK}" stroke="{INK}" stroke-width="3"/>{planks}{grainl}{bands}{corners}'
                           f'{lock}</g>')


def pistol_body():
    return (
        # grip and stock
        f'<path d="M40,70 Q30,120 52,150 Q70,160 92,148 Q100,120 118,92 L150,80 Q150,64 136,60 L70,60 Q48,60 40,70 Z" '
        f'fill="url(#wood)" stroke="{INK}" stroke-width="3"/>'
        f'<ellipse cx="58" cy="138" rx="18" ry="12" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
        # lock plate, hammer and trigger
        f'<path d="M110,58 L170,58 L172,88 L116,92 Z" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M126,58 Q116,34 134,30 L140,36 Q132,42 138,58 Z" fill="{IRON}" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M128,92 Q126,112 142,112" stroke="{GOLD_DARK}" stroke-width="4" fill="none"/>'
        # barrel with its bands
        f'<path d="M150,56 L344,60 Q352,66 344,74 L150,84 Z" fill="url(#iron)" stroke="{INK}" stroke-width="3"/>'
        f'<rect x="210" y="57" width="10" height="25" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
        f'<rect x="290" y="59" width="10" height="19" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M156,62 L340,64" stroke="{IRON_LIGHT}" stroke-width="3" opacity="0.8"/>')


def pistol():
    return Image(360, 170, pistol_body())


def pistol_shadow():
    return Image(360, 170, '<defs><filter id="blur"><feGaussianBlur stdDeviation="5"/></filter></defs>'
                           f'<g transform="translate(10,12)" filter="url(#blur)" opacity="0.5">'
                           f'<g style="fill:#000;stroke:#000">{pistol_body()}</g></g>'
                           .replace('fill="url(#wood)"', 'fill="#000"').replace('fill="url(#gold)"', 'fill="#000"')
                           .replace('fill="url(#iron)"', 'fill="#000"').replace(f'fill="{IRON}"', 'fill="#000"'))



def floor_planks(y0, y1, w=1024, seed=3):
    rnd = random.Random(seed)
    out = [f'<rect y="{y0}" width="{w}" height="{y1 - y0}" fill="#3a2414"/>']
    y = y0
    while y < y1:
        h = 46
        out.append(f'<rect y="{y}" width="{w}" height="{h - 3}" fill="{WOOD_DARK}" opacity="{rnd.uniform(0.6, 1):.2f}"/>')
        for _ in range(3):
            x = rnd.uniform(0, w)
            out.append(f'<path d="M{x:.0f},{y} v{h - 3}" stroke="#24160c" stroke-width="3"/>')
        out.append(f'<path d="M0,{y + 8} C{w * 0.3:.0f},{y + 5} {w * 0.6:.0f},{y + 11} {w},{y + 8}" stroke="{WOOD}" '
                   f'stroke-width="1.5" fill="none" opacity="0.5"/>')
        y += h
    return "".join(out)


def lantern(x, y):
    return (f'<circle cx="{x}" cy="{y}" r="150" fill="url(#glow)" opacity="0.45"/>'
            f'<path d="M{x - 26},{y - 40} h52 l-8,80 h-36 Z" fill="{GOLD_LIGHT}" stroke="{INK}" stroke-width="3" '
            f'opacity="0.9"/>'
            f'<path d="M{x},{y - 22} q10,14 0,28 q-10,-14 0,-28 Z" fill="#ffb040"/>'
            f'<rect x="{x - 32}" y="{y - 52}" width="64" height="14" rx="4" fill="url(#iron)" stroke="{INK}" '
            f'stroke-width="2"/><rect x="{x - 28}" y="{y + 40}" width="56" height="12" rx="4" fill="url(#iron)" '
            f'stroke="{INK}" stroke-width="2"/><path d="M{x - 14},{y - 52} q14,-26 28,0" stroke="{IRON}" '
            f'stroke-width="4" fill="none"/>')


def letter(x, y):
    """Grandfather's letter on the velvet: a sheet curling at its ends, lines of his hand, a
    little sketch of the chart's cross and a red wax seal."""
    rnd = random.Random(41)
    lines = "".join(f'<path d="M22,{40 + k * 18} h{rnd.uniform(90, 130):.0f}" stroke="{WOOD}" stroke-width="2.2" '
                    f'stroke-linecap="round" stroke-dasharray="{rnd.randint(10, 22)} 5 {rnd.randint(6, 14)} 4" '
                    f'opacity="0.75"/>' for k in range(9))
    return (f'<g transform="translate({x},{y}) rotate(-10) scale(0.86)" filter="url(#drop)">'
            f'<path d="M0,10 Q80,0 170,10 L172,232 Q86,222 2,232 Z" fill="url(#parch)" stroke="{INK}" stroke-width="3"/>'
            f'<path d="M0,10 Q80,0 170,10 Q174,22 162,26 Q84,16 6,26 Q-4,20 0,10 Z" fill="{PARCH_DARK}" '
            f'stroke="{INK}" stroke-width="2"/>'
            f'<path d="M2,232 Q86,222 172,232 Q176,220 164,216 Q86,208 8,216 Q-2,222 2,232 Z" fill="{PARCH_DARK}" '
            f'stroke="{INK}" stroke-width="2"/>' + lines +
            f'<path d="M118,176 l16,16 M134,176 l-16,16" stroke="{RED}" stroke-width="4" stroke-linecap="round"/>'
            f'<path d="M30,196 q20,-12 40,0 t40,-4" stroke="{WOOD}" stroke-width="2" fill="none"/>'
            f'<circle cx="40" cy="176" r="13" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="40" cy="176" r="7" fill="none" stroke="#7d2420" stroke-width="2"/></g>')


def chest_scene():
    """The tall first picture (1024 x 1200): the open chest seen from above at the top, its front
    and the cabin floor below. The lid is drawn over it by the game."""
    rnd = random.Random(40)
    coins = "".join(f'<g transform="translate({rnd.uniform(230, 940):.0f},{rnd.uniform(420, 480):.0f})">'
                    f'<ellipse rx="15" ry="10" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
                    f'<ellipse rx="9" ry="5.5" fill="none" stroke="{GOLD_DARK}" stroke-width="1.2"/>'
                    f'<path d="M-8,-4 q5,-3 10,-3" stroke="{GOLD_LIGHT}" stroke-width="1.5" fill="none"/></g>'
                    for _ in range(14))
    top = (floor_planks(0, 1200, seed=4) +
           # the chest: walls round a velvet lining, the right side beyond the edge of the picture
           f'<rect x="164" y="0" width="880" height="520" fill="{WOOD}" stroke="{INK}" stroke-width="4"/>'
           f'<rect x="204" y="40" width="800" height="440" fill="#5a1a18" stroke="{INK}" stroke-width="3"/>'
           '<defs><radialGradient id="velvet" cx="0.45" cy="0.45" r="0.7"><stop offset="0" stop-color="#9a3430"/>'
           '<stop offset="1" stop-color="#4a1412"/></radialGradient></defs>'
           '<rect x="210" y="46" width="788" height="428" fill="url(#velvet)"/>'
           # the pistol's bed, grandfather's letter and a few coins
           '<ellipse cx="561" cy="267" rx="190" ry="70" fill="#3a0e0c" opacity="0.6"/>'
           + letter(218, 104) + coins +
           # the front top edge of the chest with its gold band
           f'<rect x="164" y="520" width="880" height="420" fill="url(#wood)" stroke="{INK}" stroke-width="4"/>'
           + "".join(f'<path d="M164,{y} H1024" stroke="{WOOD_DARK}" stroke-width="3"/>' for y in (620, 720, 820))
           + f'<rect x="164" y="520" width="880" height="34" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
           + "".join(f'<rect x="{x}" y="554" width="40" height="386" fill="url(#iron)" stroke="{INK}" stroke-width="2"/>'
                     for x in (240, 900))
           + f'<rect x="534" y="600" width="120" height="140" rx="14" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
           f'<circle cx="594" cy="650" r="15" fill="{WOOD_DARK}"/><path d="M588,656 h12 l-3,44 h-6 Z" fill="{WOOD_DARK}"/>'
           f'<rect x="164" y="930" width="880" height="22" fill="#1c120a" opacity="0.8"/>'
           # the cabin: a lantern on the floor, a coil of rope, a ship's log
           + lantern(90, 1080) +
           f'<g fill="none" stroke="{PARCH_DARK}" stroke-width="9"><ellipse cx="330" cy="1110" rx="90" ry="34"/>'
           f'<ellipse cx="330" cy="1104" rx="62" ry="22"/><ellipse cx="330" cy="1100" rx="34" ry="12"/></g>'
           f'<rect x="700" y="1040" width="200" height="130" rx="8" fill="{RED}" stroke="{INK}" stroke-width="3" '
           f'transform="rotate(8 800 1100)"/><rect x="712" y="1052" width="176" height="106" fill="none" '
           f'stroke="{GOLD}" stroke-width="3" transform="rotate(8 800 1100)"/>'
           '<rect width="1024" height="1200" fill="url(#vignette)" opacity="0.8"/>')
    return top


def dawn_harbour():
    """The harbour at dawn where the hero stands; the left third is kept clear for him."""
    rnd = random.Random(22)
    h = 450
    houses = "".join(
        f'<rect x="{x}" y="{h - hh}" width="{w}" height="{hh}" fill="{c}" stroke="{INK}" stroke-width="2"/>'
        f'<path d="M{x - 6},{h - hh} L{x + w / 2:.0f},{h - hh - 34} L{x + w + 6},{h - hh} Z" fill="{RED}" '
        f'stroke="{INK}" stroke-width="2"/><rect x="{x + w / 2 - 8:.0f}" y="{h - hh + 16}" width="16" height="20" '
        f'fill="{GOLD_LIGHT}" opacity="0.8"/>'
        for x, w, hh, c in ((560, 70, 80, "#c9a66b"), (640, 90, 110, "#b48a5a"), (740, 60, 70, "#d8bc86"),
                            (810, 80, 95, "#a97a4c")))
    lighthouse = (f'<path d="M930,{h} L944,{h - 210} L976,{h - 210} L990,{h} Z" fill="{BONE}" stroke="{INK}" '
                  f'stroke-width="2"/><path d="M934,{h - 70} h52 M938,{h - 140} h44" stroke="{RED}" stroke-width="16"/>'
                  f'<rect x="940" y="{h - 240}" width="40" height="30" fill="{GOLD_LIGHT}" stroke="{INK}" stroke-width="2"/>'
                  f'<path d="M936,{h - 240} L960,{h - 268} L984,{h - 240} Z" fill="{RED}" stroke="{INK}" stroke-width="2"/>')
    pier = (f'<rect x="520" y="{h + 40}" width="520" height="26" fill="url(#wood)" stroke="{INK}" stroke-width="2"/>'
            + "".join(f'<rect x="{x}" y="{h + 60}" width="14" height="90" fill="{WOOD_DARK}"/>' for x in range(540, 1024, 70)))
    body = (f'<defs>{grad("dsky", "#5b7fa8", "#f6c48a")}{grad("dsea", "#5e8fa6", "#1b3c56")}</defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#dsky)"/>'
            f'<circle cx="300" cy="{h - 10}" r="220" fill="url(#glow)" opacity="0.6"/>'
            f'<circle cx="300" cy="{h}" r="60" fill="{GOLD_LIGHT}"/>'
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#dsea)"/>'
            + ripples(rnd, h, 768, GOLD_LIGHT, 0.7) +
            hill(480, 1064, h - 90, h + 4, "#6a5a52", rnd, 2) + houses + lighthouse + pier +
            ship(380, h + 20, 0.7, "#2a2630") +
            # the quay under the hero's feet
            f'<path d="M0,600 L520,590 L540,768 L0,768 Z" fill="#5d4a3a" stroke="{INK}" stroke-width="3"/>'
            f'<path d="M0,600 L520,590" stroke="{PARCH_DARK}" stroke-width="4"/>'
            + "".join(f'<path d="M{x},{596} L{x + 20},768" stroke="#4a3a2c" stroke-width="3"/>' for x in range(60, 520, 110))
            + '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


PANO_W, PANO_H = 3300, 448


def panorama():
    """The flight: from the home harbour at the left end, over the open sea and its islets, to
    the first island at the right end, where the palm fronds stand in front."""
    rnd = random.Random(33)
    h = 250
    clouds = "".join(
        f'<g opacity="0.9" fill="{FOAM}"><ellipse cx="{x}" cy="{y}" rx="{w}" ry="{w * 0.32:.0f}"/>'
        f'<ellipse cx="{x - w * 0.4:.0f}" cy="{y + 6}" rx="{w * 0.5:.0f}" ry="{w * 0.26:.0f}"/>'
        f'<ellipse cx="{x + w * 0.45:.0f}" cy="{y + 8}" rx="{w * 0.45:.0f}" ry="{w * 0.22:.0f}"/></g>'
        for x, y, w in ((300, 60, 90), (900, 40, 120), (1500, 80, 80), (2100, 50, 110), (2700, 70, 95), (3150, 40, 70)))
    body = (f'<defs>{grad("psky", "#4f9bc8", "#cfeef2")}{grad("psea", "#3aa0b8", "#12506e")}</defs>'
            f'<rect width="{PANO_W}" height="{h + 2}" fill="url(#psky)"/>' + clouds +
            f'<rect y="{h}" width="{PANO_W}" height="{PANO_H - h}" fill="url(#psea)"/>' +
            "".join(f'<g transform="translate({k * 1024},0)">{ripples(random.Random(50 + k), h, PANO_H, FOAM, 0.8)}</g>'
                    for k in range(4)) +
            # home: the harbour hill, houses and the lighthouse
            hill(-40, 620, h - 120, h + 4, "#5f7a4a", rnd, 3) +
            "".join(f'<rect x="{x}" y="{h - 50}" width="40" height="50" fill="#d8bc86" stroke="{INK}" stroke-width="2"/>'
                    f'<path d="M{x - 4},{h - 50} l24,-22 l24,22 Z" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
                    for x in (120, 180, 250, 320)) +
            f'<path d="M480,{h} L490,{h - 140} L512,{h - 140} L522,{h} Z" fill="{BONE}" stroke="{INK}" stroke-width="2"/>'
            f'<path d="M484,{h - 50} h34 M487,{h - 100} h28" stroke="{RED}" stroke-width="12"/>' +
            # the open sea: islets and a ship
            hill(1150, 1450, h - 40, h + 4, "#4f7a4a", rnd, 2) + palm(1300, h - 110, 0.45, "#2a4a2c") +
            ship(1800, h + 30, 0.5, "#2a3440") + hill(2000, 2180, h - 26, h + 4, "#6a7a52", rnd, 1) +
            # the first island: a long beach under palms
            hill(2250, 3400, h - 170, h + 4, "#3f6a3a", rnd, 3) +
            f'<path d="M2250,{h + 4} Q2700,{h - 20} 3300,{h - 10} V{h + 30} Q2700,{h + 40} 2250,{h + 4} Z" fill="#e8d39a"/>'
            + palm(2450, h - 200, 0.9, "#2a4a2c") + palm(2650, h - 230, 1.0, "#2a4a2c") + palm(3000, h - 190, 0.85, "#2a4a2c")
            + f'<rect width="{PANO_W}" height="{PANO_H}" fill="#0c1822" opacity="0.06"/>')
    return body


def island_arrival():
    """The closing picture: the seaplane moored in the island's lagoon, the chart's first cross
    drawn in the sand."""
    rnd = random.Random(77)
    h = 360
    plane_art = seaplane(False).body
    body = (f'<defs>{grad("asky", "#3f86b8", "#f7e2a8")}{grad("asea", "#43b8c0", "#176480")}</defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#asky)"/>'
            f'<circle cx="780" cy="200" r="180" fill="url(#glow)" opacity="0.5"/>'
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#asea)"/>' + ripples(rnd, h, 768, FOAM, 0.8) +
            hill(-60, 500, h - 150, h + 4, "#3f6a3a", rnd, 3) +
            # the beach sweeping to the front, the cross in the sand
            f'<path d="M0,520 Q400,470 1024,560 V768 H0 Z" fill="#e8d39a" stroke="{PARCH_DARK}" stroke-width="3"/>'
            f'<path d="M0,560 Q420,510 1024,600" stroke="{FOAM}" stroke-width="6" fill="none" opacity="0.7"/>'
            f'<path d="M470,640 l60,40 M530,640 l-60,40" stroke="{RED}" stroke-width="12" stroke-linecap="round"/>'
            + palm(120, h - 260, 1.4, "#24402a") + palm(900, 300, 1.2, "#24402a") +
            f'<g transform="translate(600,360) scale(1.3)">{plane_art}</g>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)



def sparkle(x, y, r, opacity=0.9, fill=GOLD_LIGHT):
    """A four-pointed glint on gold (or, filled otherwise, a compass star)."""
    return (f'<path d="M{x},{y - r} Q{x + r * 0.18:.1f},{y - r * 0.18:.1f} {x + r},{y} Q{x + r * 0.18:.1f},'
            f'{y + r * 0.18:.1f} {x},{y + r} Q{x - r * 0.18:.1f},{y + r * 0.18:.1f} {x - r},{y} Q{x - r * 0.18:.1f},'
            f'{y - r * 0.18:.1f} {x},{y - r} Z" fill="{fill}" opacity="{opacity}"/>')


def open_chest(x, y, rnd):
    """A chest standing open, its lid thrown back, gold brimming over its edge."""
    coins = "".join(f'<ellipse cx="{rnd.uniform(20, 180):.0f}" cy="{rnd.uniform(-14, 4):.0f}" rx="12" ry="6" '
                    f'fill="url(#gold)" stroke="{GOLD_DARK}" stroke-width="1.2"/>' for _ in range(12))
    return (f'<g transform="translate({x},{y})" filter="url(#drop)">'
            # the lid, open behind the body, and its gold band
            f'<path d="M-4,-6 L6,-96 Q100,-132 194,-96 L204,-6 Z" fill="url(#wood)" stroke="{INK}" stroke-width="3" '
            f'stroke-linejoin="round"/>'
            f'<path d="M26,-104 L20,-8 M174,-104 L180,-8" stroke="url(#gold)" stroke-width="12"/>'
            f'<path d="M12,-88 Q100,-118 188,-88 L186,-70 Q100,-100 14,-70 Z" fill="{WOOD_DARK}" opacity="0.6"/>'
            # the heap inside, then the body with its bands, lock and studs
            f'<path d="M-2,4 Q30,-34 100,-40 Q170,-34 202,4 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
            + coins +
            f'<rect x="-6" y="0" width="212" height="120" rx="8" fill="url(#wood)" stroke="{INK}" stroke-width="3"/>'
            f'<path d="M-6,30 H206 M-6,90 H206" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.7"/>'
            f'<rect x="18" y="0" width="16" height="120" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
            f'<rect x="166" y="0" width="16" height="120" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
            f'<rect x="84" y="34" width="32" height="40" rx="5" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="100" cy="50" r="5" fill="{WOOD_DARK}"/><path d="M98,52 h4 l1,12 h-6 Z" fill="{WOOD_DARK}"/>'
            + sparkle(60, -26, 12) + sparkle(140, -30, 9) + '</g>')


def treasure_cave():
    """Outro, scene 1 (2500 x 600): the treasure found, gold heaped along the last island's cave:
    rough rock lit by shafts from the cave's mouth, heaps of coins that glint, open chests and
    cut gems on the sand."""
    rnd = random.Random(91)
    w, hh = 2500, 600
    rocks = "".join(f'<ellipse cx="{rnd.uniform(0, w):.0f}" cy="{rnd.uniform(40, 380):.0f}" rx="{rnd.uniform(60, 160):.0f}" '
                    f'ry="{rnd.uniform(24, 60):.0f}" fill="{rnd.choice(("#3a2618", "#4a3220", "#2e1e12"))}" '
                    f'opacity="0.7"/>' for _ in range(40))
    heaps = []
    for x, r in ((300, 170), (900, 210), (1500, 180), (2100, 200)):
        heaps.append(f'<ellipse cx="{x}" cy="486" rx="{r + 20}" ry="22" fill="{INK}" opacity="0.35"/>'
                     f'<path d="M{x - r},480 Q{x - r * 0.6:.0f},{480 - r * 0.62:.0f} {x},{480 - r * 0.7:.0f} '
                     f'Q{x + r * 0.6:.0f},{480 - r * 0.62:.0f} {x + r},480 Z" fill="url(#gold)" stroke="{INK}" '
                     f'stroke-width="3"/>')
        for _ in range(22):
            cx = x + rnd.uniform(-r * 0.8, r * 0.8)
            top = 480 - r * 0.7 * (1 - ((cx - x) / r) ** 2)
            heaps.append(f'<ellipse cx="{cx:.0f}" cy="{rnd.uniform(top + 8, 474):.0f}" rx="12" ry="6.5" '
                         f'fill="url(#gold)" stroke="{GOLD_DARK}" stroke-width="1.3"/>')
        heaps += [sparkle(x + rnd.uniform(-r * 0.5, r * 0.5), 480 - r * rnd.uniform(0.25, 0.55), rnd.uniform(8, 14))
                  for _ in range(3)]
    chests = "".join(open_chest(x, 350, rnd) for x in (560, 1200, 1860))

    def gem(x, y, c):
        return (f'<path d="M{x - 9},{y} L{x - 5},{y - 7} H{x + 5} L{x + 9},{y} L{x},{y + 10} Z" fill="{c}" '
                f'stroke="{INK}" stroke-width="1.3"/><path d="M{x - 4},{y - 4} L{x},{y - 1}" stroke="#ffffff" '
                f'stroke-width="1.5" opacity="0.7"/>')
    gems = "".join(gem(rnd.uniform(0, w), rnd.uniform(470, 540), rnd.choice((RED, SEA_LIGHT, "#4fae6a", "#9a5ac8")))
                   for _ in range(50))
    body = (f'<defs>{grad("cave", "#241810", "#5a3a20")}{grad("sand", "#8a6a3a", "#5a4024")}</defs>'
            f'<rect width="{w}" height="{hh}" fill="url(#cave)"/>' + rocks +
            # the cave's mouth, light falling in
            "".join(f'<path d="M{x},0 L{x + 140},0 L{x + 320},{hh} L{x + 60},{hh} Z" fill="{GOLD_LIGHT}" '
                    f'opacity="0.1"/>' for x in range(100, w, 600))
            + "".join(f'<path d="M{x},0 q30,{rnd.uniform(60, 140):.0f} 60,0 Z" fill="#1c120c" stroke="{INK}" '
                      f'stroke-width="2"/>' for x in range(0, w, 90))
            + f'<path d="M0,440 Q{w / 2},410 {w},440 V{hh} H0 Z" fill="url(#sand)" stroke="{INK}" stroke-width="3"/>'
            + "".join(heaps) + chests + gems +
            "".join(f'<circle cx="{x}" cy="300" r="260" fill="url(#glow)" opacity="0.18"/>' for x in (900, 2100)))
    return Image(w, hh, body)


def money_bags():
    """Outro, scene 1's front layer (1800 x 600, transparent): sacks of coins along the bottom."""
    out = []
    for i, x in enumerate(range(120, 1800, 330)):
        r = 80 + (i % 3) * 14
        y = 600 - r - 10
        out.append(f'<g filter="url(#drop)"><path d="M{x - r},{y + r * 0.6:.0f} Q{x - r},{y - r * 0.4:.0f} {x - 26},'
                   f'{y - r * 0.7:.0f} L{x - 34},{y - r:.0f} Q{x},{y - r * 1.2:.0f} {x + 34},{y - r:.0f} L{x + 26},'
                   f'{y - r * 0.7:.0f} Q{x + r},{y - r * 0.4:.0f} {x + r},{y + r * 0.6:.0f} Q{x},{y + r * 1.1:.0f} '
                   f'{x - r},{y + r * 0.6:.0f} Z" fill="{PARCH_DARK}" stroke="{INK}" stroke-width="3"/>'
                   f'<path d="M{x - 30},{y - r * 0.72:.0f} Q{x},{y - r * 0.6:.0f} {x + 30},{y - r * 0.72:.0f}" '
                   f'stroke="{RED}" stroke-width="8" fill="none"/>'
                   f'<text x="{x}" y="{y + r * 0.4:.0f}" font-family="Leckerli One" font-size="{r * 0.8:.0f}" '
                   f'text-anchor="middle" fill="{WOOD_DARK}" opacity="0.7">$</text>'
                   + "".join(f'<ellipse cx="{x + dx}" cy="{600 - 14}" rx="14" ry="8" fill="url(#gold)" stroke="{INK}" '
                             f'stroke-width="1.5"/>' for dx in (-r - 20, r + 24, r + 50)) + '</g>')
    return Image(1800, 600, "".join(out))


def sunset_sea():
    """Outro, scene 2 (2400 x 600): the flight home over the evening sea."""
    rnd = random.Random(55)
    w, hh, h = 2400, 600, 330
    body = (f'<defs>{grad("ssky", "#3a2a5a", "#f2a65a")}{grad("ssea", "#6a5a7a", "#1e2640")}</defs>'
            f'<rect width="{w}" height="{h + 2}" fill="url(#ssky)"/>' + stars(rnd, 40, 120, w) +
            f'<circle cx="1700" cy="{h - 20}" r="260" fill="url(#glow)" opacity="0.6"/>'
            f'<circle cx="1700" cy="{h}" r="70" fill="#ffd27a"/>'
            f'<rect y="{h}" width="{w}" height="{hh - h}" fill="url(#ssea)"/>'
            + "".join(f'<g transform="translate({k * 1024},0)">{ripples(random.Random(60 + k), h, hh, GOLD_LIGHT, 0.7)}</g>'
                      for k in range(3))
            + hill(200, 600, h - 60, h + 4, "#2e2438", rnd, 2) + hill(1000, 1300, h - 40, h + 4, "#2e2438", rnd, 2)
            + ship(2100, h + 14, 0.5, "#1e1a26") +
            "".join(f'<path d="M{x},{y} q12,-10 24,0 q12,-10 24,0" stroke="#2e2438" stroke-width="3" fill="none"/>'
                    for x, y in ((500, 120), (540, 140), (1300, 90), (1900, 150))))
    return Image(w, hh, body)


def home_coast():
    """Outro, scene 3: the home coast at dusk, the lighthouse already lit."""
    rnd = random.Random(66)
    h = 430
    body = (f'<defs>{grad("hsky", "#2b3a6a", "#e89a6a")}{grad("hsea", "#4a5a7a", "#141e34")}</defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#hsky)"/>' + stars(rnd, 30, 150) +
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#hsea)"/>' + ripples(rnd, h, 768, GOLD_LIGHT, 0.6) +
            hill(-40, 420, h - 110, h + 4, "#2a2634", rnd, 3) +
            f'<path d="M250,{h - 70} L262,{h - 220} L298,{h - 220} L310,{h - 70} Z" fill="{BONE}" stroke="{INK}" '
            f'stroke-width="2"/><path d="M254,{h - 110} h52 M258,{h - 170} h44" stroke="{RED}" stroke-width="14"/>'
            f'<path d="M280,{h - 236} L1024,{h - 300} L1024,{h - 170} Z" fill="{GOLD_LIGHT}" opacity="0.18"/>'
            f'<circle cx="280" cy="{h - 236}" r="20" fill="{GOLD_LIGHT}"/>'
            f'<circle cx="280" cy="{h - 236}" r="80" fill="url(#glow)" opacity="0.6"/>'
            + "".join(f'<rect x="{x}" y="{h - 40}" width="36" height="40" fill="#3a3040" stroke="{INK}" stroke-width="2"/>'
                      f'<rect x="{x + 12}" y="{h - 28}" width="12" height="14" fill="{GOLD}" opacity="0.9"/>'
                      for x in (60, 110, 170))
            + '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def home_pier():
    """Outro, scene 4: the last picture: the seaplane moored at the home pier by night, the open
    chest glowing on the boards."""
    rnd = random.Random(44)
    h = 420
    plane_art = seaplane(False).body
    body = (f'<defs>{grad("nsky2", "#0b1424", "#2a3c5c")}{grad("nsea2", "#1d3550", "#081220")}</defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#nsky2)"/>' + stars(rnd, 90, h - 60) + moon(820, 150, 40) +
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#nsea2)"/>' + ripples(rnd, h, 768, BONE, 0.5) +
            hill(-40, 360, h - 90, h + 4, "#121a26", rnd, 2) +
            f'<rect x="-10" y="520" width="640" height="40" fill="url(#wood)" stroke="{INK}" stroke-width="3"/>'
            + "".join(f'<rect x="{x}" y="556" width="18" height="212" fill="{WOOD_DARK}" stroke="{INK}" stroke-width="2"/>'
                      for x in range(20, 640, 120))
            + lantern(560, 470) +
            f'<g transform="translate(250,440)"><rect width="170" height="90" rx="8" fill="url(#wood)" stroke="{INK}" '
            f'stroke-width="3"/><rect y="30" width="170" height="14" fill="url(#gold)"/>'
            f'<ellipse cx="85" cy="4" rx="76" ry="18" fill="{GOLD_LIGHT}"/>'
            f'<circle cx="85" cy="0" r="110" fill="url(#glow)" opacity="0.5"/></g>'
            f'<g transform="translate(640,430) scale(1.2)">{plane_art}</g>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def images():
    return {
        "gfx/gui/credits/credits.jpg": credits_back(),
        "gfx/backgrounds/background-12.jpg": story_chart(),
        "gfx/story/start/bars.png": bars(),
        "gfx/story/Intro/panele.png": bars(),
        "gfx/gui/story/bars.png": slide_bars(),
        "gfx/story/start/back-01-up.jpg": crop(chest_scene(), 0, 0, 1024, 600),
        "gfx/story/start/back-01-down.jpg": crop(chest_scene(), 0, 600, 1024, 600),
        "gfx/story/start/chest.png": chest_lid(),
        "gfx/story/start/pistol.png": pistol(),
        "gfx/story/start/pistol-shadow.png": pistol_shadow(),
        "gfx/story/start/back-02.jpg": dawn_harbour(),
        "gfx/story/start/hero-shadow.png": hero(),
        "gfx/story/start/back-03-1.jpg": crop(panorama(), 0, 0, 1100, PANO_H),
        "gfx/story/start/back-03-2.jpg": crop(panorama(), 1100, 0, 1100, PANO_H),
        "gfx/story/start/back-03-3.jpg": crop(panorama(), 2200, 0, 1100, PANO_H),
        "gfx/story/start/back-03-end.jpg": island_arrival(),
        "gfx/story/start/plane.png": seaplane(True),
        "gfx/particles/dym-1.png": smoke(1),
        "gfx/particles/dym-2.png": smoke(2),
        "gfx/story/Outro/sc1/background.png": treasure_cave(),
        "gfx/story/Outro/sc1/bags.png": money_bags(),
        "gfx/story/Outro/sc2/background.png": sunset_sea(),
        "gfx/story/Outro/sc2/plane.png": seaplane(False),
        "gfx/story/Outro/sc3/background.png": home_coast(),
        "gfx/story/Outro/sc3/plane.png": seaplane(False),
        "gfx/story/Outro/sc4/background.png": home_pier(),
    }
