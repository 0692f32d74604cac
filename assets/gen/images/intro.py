"""The opening film's pictures: the sea battle at dusk (two ships with their shadows, the water
in front of them, cannon ball, mist), the burning hall with its beams, the pirate and his crew,
the treasure map torn in four with its route marks, the grids of the map scene and the
captain's table the map is torn over (background-11).

Nothing here is pure magenta: these pictures are loaded while that is the mask colour.
"""
import math
import random

from svgkit import (Image, crop, INK, SEA_DEEP, SEA, SEA_LIGHT, FOAM, PARCH_LIGHT, PARCH, PARCH_DARK, WOOD_DARK, WOOD,
                    WOOD_LIGHT, GOLD_LIGHT, GOLD, GOLD_DARK, IRON, IRON_LIGHT, RED, BONE)
from images.backgrounds import grad, ripples, hill

D = "gfx/story/Intro/"
HORIZON = 430
WATER = 545  # the ships' waterline on screen


# ---- the sea battle --------------------------------------------------------------------

def dusk_sea():
    """Scene 1: a red dusk over a grey-blue sea, smoke already on the horizon."""
    rnd = random.Random(81)
    h = HORIZON
    body = (f'<defs>{grad("dsky", "#2a2438", "#d9824a")}{grad("dsea", "#3d5a70", "#0f2233")}</defs>'
            f'<rect width="1024" height="{h + 2}" fill="url(#dsky)"/>'
            f'<circle cx="520" cy="{h - 10}" r="260" fill="url(#glow)" opacity="0.55"/>'
            f'<circle cx="520" cy="{h}" r="46" fill="#ffcf7a" opacity="0.9"/>'
            + "".join(f'<ellipse cx="{x}" cy="{y}" rx="{rx}" ry="{ry}" fill="#3a2e3e" opacity="{o}"/>'
                      for x, y, rx, ry, o in ((200, 250, 260, 26, 0.5), (760, 210, 300, 22, 0.45),
                                              (900, 300, 200, 14, 0.4), (420, 180, 180, 12, 0.35)))
            + hill(-60, 300, h - 60, h + 3, "#2e2a36", rnd, 2) + hill(820, 1090, h - 40, h + 3, "#2e2a36", rnd, 2) +
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#dsea)"/>'
            # the sun's path on the water: warm glints, wider toward the viewer
            + "".join(f'<path d="M{520 - w:.0f},{y:.0f} h{2 * w:.0f}" stroke="#ffcf7a" stroke-width="{2 + k * 0.15:.1f}" '
                      f'stroke-linecap="round" opacity="{0.55 - k * 0.012:.2f}"/>'
                      for k, (y, w) in enumerate((h + 8 + 9 * i + i * i * 0.6, 30 + 7 * i + rnd.uniform(-6, 6))
                                                 for i in range(22)))
            + ripples(rnd, h, 768, "#f7c98a", 0.9) +
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def sail(x, top, bottom, half, colour, bulge):
    return (f'<path d="M{x - half},{top} Q{x + bulge},{(top + bottom) / 2:.0f} {x - half},{bottom} '
            f'L{x + half},{bottom} Q{x + half + bulge},{(top + bottom) / 2:.0f} {x + half},{top} Z" '
            f'fill="{colour}" stroke="{INK}" stroke-width="2.5"/>')


def galleon(w, h, hx, hy, facing, flag, sails="#efe2c0", scale=1.0):
    """A ship drawn with its waterline at (hx, hy) of a w x h picture; `facing` +1 sails right."""
    s = scale
    f = facing
    hull_w = 230 * s
    x0 = hx - hull_w * 0.45 * f
    x1 = hx + hull_w * 0.55 * f
    top = hy - 60 * s
    keel = hy + 26 * s
    hull = (f'<path d="M{x0:.0f},{top - 24 * s:.0f} L{x0 + 40 * s * f:.0f},{top:.0f} L{x1 - 10 * s * f:.0f},{top:.0f} '
            f'L{x1 + 22 * s * f:.0f},{top - 14 * s:.0f} Q{x1:.0f},{keel:.0f} {x1 - 60 * s * f:.0f},{keel:.0f} '
            f'L{x0 + 30 * s * f:.0f},{keel:.0f} Q{x0:.0f},{hy:.0f} {x0:.0f},{top - 24 * s:.0f} Z" fill="url(#wood)" '
            f'stroke="{INK}" stroke-width="3"/>')
    bands = "".join(f'<path d="M{x0 + 10 * s * f:.0f},{top + k * 16 * s:.0f} L{x1 - 4 * s * f:.0f},{top + k * 16 * s:.0f}" '
                    f'stroke="{WOOD_DARK}" stroke-width="2" opacity="0.7"/>' for k in (1, 2, 3))
    ports = "".join(f'<rect x="{x0 + (40 + 34 * k) * s * f - 7 * s:.0f}" y="{top + 18 * s:.0f}" width="{14 * s:.0f}" '
                    f'height="{11 * s:.0f}" fill="#1a1008" stroke="{GOLD_DARK}" stroke-width="1.5"/>'
                    for k in range(5))
    gold = f'<path d="M{x0 + 4 * s * f:.0f},{top + 4 * s:.0f} L{x1:.0f},{top + 4 * s:.0f}" stroke="{GOLD}" stroke-width="3"/>'
    masts = []
    for mx, mh, sw in ((hx - 50 * s * f, 300 * s, 62 * s), (hx + 20 * s * f, 370 * s, 74 * s),
                       (hx + 85 * s * f, 260 * s, 52 * s)):
        mt = top - mh
        masts.append(f'<path d="M{mx:.0f},{top:.0f} V{mt:.0f}" stroke="{WOOD_DARK}" stroke-width="{7 * s:.1f}"/>')
        masts.append(sail(mx, mt + 30 * s, mt + mh * 0.45, sw, sails, 22 * s * f))
        masts.append(sail(mx, mt + mh * 0.5, top - 24 * s, sw * 1.15, sails, 26 * s * f))
        masts.append(f'<path d="M{mx - sw * 1.2:.0f},{mt + mh * 0.48:.0f} H{mx + sw * 1.2:.0f}" stroke="{WOOD_DARK}" '
                     f'stroke-width="{4 * s:.1f}"/>')
    main_top = top - 370 * s
    rig = (f'<path d="M{x1 + 22 * s * f:.0f},{top - 14 * s:.0f} L{hx + 20 * s * f:.0f},{main_top + 20 * s:.0f} '
           f'M{x0:.0f},{top - 24 * s:.0f} L{hx - 50 * s * f:.0f},{top - 290 * s:.0f}" stroke="{INK}" stroke-width="1.5" '
           f'opacity="0.8"/>'
           f'<path d="M{hx + 20 * s * f:.0f},{main_top:.0f} l{34 * s * f:.0f},{9 * s:.0f} l{-34 * s * f:.0f},{9 * s:.0f} Z" '
           f'fill="{flag}" stroke="{INK}" stroke-width="1.5"/>')
    return Image(w, h, hull + bands + gold + ports + "".join(masts) + rig)


def ship_shadow(w, h, hx, hy, rx, ry):
    return Image(w, h, f'<defs><radialGradient id="sh" cx="0.5" cy="0.5" r="0.5"><stop offset="0" '
                       f'stop-color="#08121c" stop-opacity="0.75"/><stop offset="1" stop-color="#08121c" '
                       f'stop-opacity="0"/></radialGradient></defs>'
                       f'<ellipse cx="{hx}" cy="{hy}" rx="{rx}" ry="{ry}" fill="url(#sh)"/>')


def water_front():
    """The water in front of the ships: it hides their keels and, later, the sinking hull."""
    rnd = random.Random(83)
    crest = "M0,14 " + " ".join(f"Q{x + 16},{4 + rnd.uniform(0, 6):.0f} {x + 32},{12 + rnd.uniform(0, 5):.0f}"
                                for x in range(0, 1008, 32))
    # The colours of the sea behind it at those heights, so its ends melt into the picture.
    body = (f'<defs>{grad("wf", "#2c465a", "#1c3244")}</defs>'
            f'<path d="{crest} V90 H0 Z" fill="url(#wf)"/>'
            f'<path d="{crest}" fill="none" stroke="{FOAM}" stroke-width="2.5" opacity="0.55"/>'
            + ripples(rnd, 20, 90, "#f7c98a", 0.5))
    return Image(1008, 90, body)


def cannon_ball():
    return Image(48, 48, f'<defs><radialGradient id="cb" cx="0.35" cy="0.35" r="0.7"><stop offset="0" '
                         f'stop-color="{IRON_LIGHT}"/><stop offset="1" stop-color="#1c2024"/></radialGradient></defs>'
                         f'<circle cx="24" cy="24" r="20" fill="url(#cb)" stroke="{INK}" stroke-width="2.5"/>'
                         f'<circle cx="17" cy="16" r="5" fill="#ffffff" opacity="0.35"/>')


def mist(seed, w=520, h=170):
    rnd = random.Random(seed)
    puffs = "".join(f'<ellipse cx="{rnd.uniform(80, w - 80):.0f}" cy="{rnd.uniform(h * 0.4, h * 0.65):.0f}" '
                    f'rx="{rnd.uniform(70, 140):.0f}" ry="{rnd.uniform(24, 46):.0f}" fill="url(#mg)"/>'
                    for _ in range(9))
    return Image(w, h, '<defs><radialGradient id="mg" cx="0.5" cy="0.5" r="0.5"><stop offset="0" '
                       'stop-color="#e8e2e6" stop-opacity="0.42"/><stop offset="1" stop-color="#e8e2e6" '
                       'stop-opacity="0"/></radialGradient></defs>' + puffs)


# ---- the burning hall -----------------------------------------------------------------

def hall():
    """Scene 2: a pirates' hall by firelight, barrels and a door to the sea at the back."""
    rnd = random.Random(85)
    planks = "".join(f'<rect x="{x}" y="0" width="64" height="600" fill="{c}" stroke="{INK}" stroke-width="2"/>'
                     for x, c in zip(range(0, 1024, 64), ["#4a2a14", "#55321a", "#4e2d16", "#5a351c"] * 5))
    floor = "".join(f'<path d="M{512 + (x - 512) * 0.35:.0f},560 L{x},768" stroke="{INK}" stroke-width="2" opacity="0.6"/>'
                    for x in range(-200, 1300, 110))
    barrels = "".join(f'<g transform="translate({x},{y}) scale({s})"><rect x="-40" y="-60" width="80" height="120" rx="22" '
                      f'fill="url(#woodH)" stroke="{INK}" stroke-width="3"/><path d="M-40,-30 H40 M-40,30 H40" '
                      f'stroke="{IRON}" stroke-width="6"/></g>' for x, y, s in ((110, 520, 1.0), (190, 540, 0.8),
                                                                               (900, 520, 1.0), (830, 545, 0.8)))
    body = (f'<defs>{grad("hf", "#6b4526", "#2a180c")}</defs>' + planks +
            '<rect width="1024" height="600" fill="#1a0e06" opacity="0.35"/>'
            f'<path d="M430,520 V330 Q512,270 594,330 V520 Z" fill="#243a52" stroke="{INK}" stroke-width="4"/>'
            f'<path d="M430,440 H594" stroke="{SEA_LIGHT}" stroke-width="2" opacity="0.5"/>'
            f'<circle cx="540" cy="360" r="10" fill="{BONE}" opacity="0.8"/>'
            f'<rect y="560" width="1024" height="208" fill="url(#hf)"/>' + floor + barrels +
            "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="url(#glow)" opacity="0.55"/>'
                    for x, y, r in ((150, 470, 220), (880, 470, 220), (512, 600, 260)))
            + f'<path d="M0,600 Q{rnd.uniform(200, 300):.0f},580 512,600 T1024,600" stroke="{INK}" stroke-width="3" '
              f'fill="none" opacity="0.5"/>'
            '<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, body)


def beams():
    """The hall's roof beams and posts, drawn over the fire so the flames burn behind them."""
    body = (f'<rect x="0" y="150" width="1024" height="44" fill="url(#wood)" stroke="{INK}" stroke-width="3"/>'
            f'<path d="M0,194 L300,300 L300,340 L0,234 Z M1024,194 L724,300 L724,340 L1024,234 Z" fill="url(#wood)" '
            f'stroke="{INK}" stroke-width="3"/>'
            f'<rect x="40" y="150" width="46" height="470" fill="url(#woodH)" stroke="{INK}" stroke-width="3"/>'
            f'<rect x="938" y="150" width="46" height="470" fill="url(#woodH)" stroke="{INK}" stroke-width="3"/>'
            + "".join(f'<circle cx="{x}" cy="172" r="5" fill="{IRON_LIGHT}" stroke="{INK}" stroke-width="1.5"/>'
                      for x in range(60, 1024, 120))
            + f'<path d="M300,194 V300 M724,194 V300" stroke="{INK}" stroke-width="2"/>'
            f'<g transform="translate(512,214)"><path d="M-60,0 V30 M60,0 V30" stroke="{IRON}" stroke-width="3"/>'
            f'<rect x="-70" y="30" width="140" height="10" fill="{IRON}" stroke="{INK}" stroke-width="2"/>'
            + "".join(f'<path d="M{x},30 q-6,-16 0,-26 q6,10 0,26" fill="{GOLD}"/>' for x in (-50, 0, 50)) + '</g>')
    return Image(1024, 768, body)


def figure(x, y, s, body_col, hat=True, sword=False):
    parts = [f'<g transform="translate({x},{y}) scale({s})">',
             f'<path d="M-34,0 Q-40,-80 -26,-120 L26,-120 Q40,-80 34,0 Z" fill="{body_col}" stroke="{INK}" stroke-width="3"/>',
             f'<circle cx="0" cy="-142" r="24" fill="#c89a6a" stroke="{INK}" stroke-width="3"/>',
             f'<path d="M-26,-120 L-50,-60 M26,-120 L52,-70" stroke="{body_col}" stroke-width="14" stroke-linecap="round"/>']
    if hat:
        parts.append(f'<path d="M-34,-156 Q0,-196 34,-156 Z" fill="#2a1a12" stroke="{INK}" stroke-width="2"/>')
    else:
        parts.append(f'<path d="M-24,-150 Q0,-176 24,-150" fill="{RED}" stroke="{INK}" stroke-width="2"/>')
    if sword:
        parts.append(f'<path d="M52,-70 L92,-150" stroke="{IRON_LIGHT}" stroke-width="5" stroke-linecap="round"/>')
    parts.append('</g>')
    return "".join(parts)


def crew():
    """The pirate's crew gathering in the hall, lit from the fires at both sides."""
    people = [(250, 600, 1.15, "#5a3a5a", False, True), (340, 590, 1.0, "#3a5a4a", True, False),
              (680, 590, 1.0, "#6a3a2a", False, False), (780, 600, 1.15, "#34465a", True, True),
              (170, 610, 0.9, "#4a4a2a", True, False), (860, 612, 0.9, "#5a2a3a", False, True)]
    return Image(1024, 768, "".join(figure(*p) for p in people))


def pirate():
    """Captain Redhook: broad red coat with gold trim, a lace jabot, a black beard, an eye patch,
    a tricorn with a skull, and his hook raised; seen from the waist up, lit from the left."""
    defs = (f'<defs>{grad("rcoat", "#b0392f", "#5a1512")}{grad("rskin", "#e6b486", "#c08458")}'
            f'{grad("rhat", "#4a3a30", "#1e140e")}{grad("rbeard", "#4a3526", "#24170f")}'
            f'<linearGradient id="rhook" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="{IRON_LIGHT}"/>'
            f'<stop offset="1" stop-color="{IRON}"/></linearGradient></defs>')
    coat = (
        # the hook arm behind the body, raised
        f'<path d="M268,300 Q330,260 322,170 L292,168 Q296,236 248,262 Z" fill="url(#rcoat)" stroke="{INK}" '
        f'stroke-width="4" stroke-linejoin="round"/>'
        f'<path d="M286,176 Q306,150 336,168 L330,188 Q306,176 294,190 Z" fill="{BONE}" stroke="{INK}" stroke-width="3"/>'
        f'<path d="M306,160 V120 Q306,88 278,92 Q262,96 266,112" stroke="{INK}" stroke-width="12" fill="none" '
        f'stroke-linecap="round"/>'
        f'<path d="M306,160 V120 Q306,88 278,92 Q262,96 266,112" stroke="url(#rhook)" stroke-width="7" fill="none" '
        f'stroke-linecap="round"/>'
        # the coat
        f'<path d="M36,480 Q28,280 112,222 L248,222 Q332,280 324,480 Z" fill="url(#rcoat)" stroke="{INK}" '
        f'stroke-width="4" stroke-linejoin="round"/>'
        # lapels, the shirt and its lace
        f'<path d="M132,222 L180,352 L228,222 Z" fill="{PARCH_LIGHT}" stroke="{INK}" stroke-width="3"/>'
        f'<path d="M112,222 Q128,300 180,352 Q140,320 120,480 L96,480 Q92,300 112,222 Z M248,222 Q232,300 180,352 '
        f'Q220,320 240,480 L264,480 Q268,300 248,222 Z" fill="#7d2420" stroke="{INK}" stroke-width="3" '
        f'stroke-linejoin="round"/>'
        + "".join(f'<path d="M{166 + dx},{236 + k * 22} q14,10 28,0" stroke="{PARCH_DARK}" stroke-width="2.5" '
                  f'fill="{BONE}"/>' for k, dx in enumerate((0, -2, 2, 0, -1)))
        + f'<path d="M112,222 Q128,300 180,352 M248,222 Q232,300 180,352" stroke="{GOLD}" stroke-width="5" '
          f'fill="none"/>'
          f'<path d="M96,480 Q92,300 112,222 M264,480 Q268,300 248,222" stroke="{GOLD}" stroke-width="4" fill="none" '
          f'opacity="0.8"/>'
        + "".join(f'<circle cx="{x}" cy="{y}" r="7" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
                  for x, y in ((104, 300), (102, 350), (102, 400), (256, 300), (258, 350), (258, 400)))
        # a wide belt with a gold buckle
        + f'<path d="M50,440 Q180,462 310,440 L314,470 Q180,492 46,470 Z" fill="{WOOD_DARK}" stroke="{INK}" '
          f'stroke-width="3"/><rect x="160" y="446" width="40" height="32" rx="5" fill="none" stroke="url(#gold)" '
          f'stroke-width="6"/>'
        # light from the left on the shoulder
        + f'<path d="M60,330 Q70,258 116,230" stroke="#e0705e" stroke-width="4" fill="none" opacity="0.6" '
          f'stroke-linecap="round"/>')
    head = (
        f'<path d="M160,176 h40 v52 h-40 Z" fill="url(#rskin)" stroke="{INK}" stroke-width="3"/>'
        f'<ellipse cx="118" cy="132" rx="11" ry="17" fill="url(#rskin)" stroke="{INK}" stroke-width="3"/>'
        f'<ellipse cx="242" cy="132" rx="11" ry="17" fill="url(#rskin)" stroke="{INK}" stroke-width="3"/>'
        f'<circle cx="240" cy="152" r="6" fill="none" stroke="url(#gold)" stroke-width="3"/>'
        f'<ellipse cx="180" cy="128" rx="62" ry="70" fill="url(#rskin)" stroke="{INK}" stroke-width="4"/>'
        # the black beard and moustache
        f'<path d="M120,140 Q122,214 180,232 Q238,214 240,140 Q228,170 206,172 Q180,160 154,172 Q132,170 120,140 Z" '
        f'fill="url(#rbeard)" stroke="{INK}" stroke-width="3"/>'
        f'<path d="M150,196 q6,14 2,24 M180,204 q4,14 0,26 M210,196 q-6,14 -2,24" stroke="#6a5040" stroke-width="2" '
        f'fill="none"/>'
        f'<path d="M146,170 Q164,154 180,164 Q196,154 214,170 Q196,178 180,172 Q164,178 146,170 Z" fill="#2e2016" '
        f'stroke="{INK}" stroke-width="2"/>'
        f'<path d="M166,184 q14,8 28,0" stroke="#8a3a2c" stroke-width="4" fill="none" stroke-linecap="round"/>'
        # nose and cheeks
        f'<path d="M182,118 q-12,26 -2,34 q10,2 12,-6" fill="#d29a6a" stroke="{INK}" stroke-width="2.5"/>'
        f'<circle cx="140" cy="150" r="8" fill="#e58a7a" opacity="0.35"/>'
        f'<circle cx="222" cy="150" r="8" fill="#e58a7a" opacity="0.35"/>'
        # the eye patch and its strap, the one eye under a heavy brow, a scar
        f'<path d="M122,92 L238,124" stroke="{INK}" stroke-width="4"/>'
        f'<path d="M136,108 Q154,100 170,110 Q170,132 152,134 Q134,130 136,108 Z" fill="#1e140e" stroke="{INK}" '
        f'stroke-width="2.5"/>'
        f'<ellipse cx="206" cy="118" rx="10" ry="8" fill="#ffffff" stroke="{INK}" stroke-width="2.5"/>'
        f'<circle cx="204" cy="119" r="5" fill="{INK}"/><circle cx="202.5" cy="117" r="1.6" fill="#ffffff"/>'
        f'<path d="M192,102 q14,-8 28,2" stroke="#2e2016" stroke-width="6" fill="none" stroke-linecap="round"/>'
        f'<path d="M226,134 l10,18" stroke="#b06a4a" stroke-width="2.5" stroke-linecap="round"/>'
        # the tricorn, its gold trim and the skull
        f'<path d="M62,82 Q180,-16 298,82 Q250,62 180,66 Q110,62 62,82 Z" fill="url(#rhat)" stroke="{INK}" '
        f'stroke-width="4" stroke-linejoin="round"/>'
        f'<path d="M100,70 Q180,4 260,70 Q180,52 100,70 Z" fill="url(#rhat)" stroke="{INK}" stroke-width="3"/>'
        f'<path d="M64,80 Q180,-14 296,80" stroke="{GOLD}" stroke-width="4" fill="none"/>'
        f'<ellipse cx="180" cy="44" rx="15" ry="14" fill="{BONE}" stroke="{INK}" stroke-width="2"/>'
        f'<circle cx="174" cy="42" r="3.5" fill="{INK}"/><circle cx="186" cy="42" r="3.5" fill="{INK}"/>'
        f'<path d="M166,62 L194,70 M194,62 L166,70" stroke="{BONE}" stroke-width="4" stroke-linecap="round"/>'
        f'<path d="M250,40 Q282,14 304,26 Q280,30 262,52 Z" fill="{RED}" stroke="{INK}" stroke-width="2"/>')
    return Image(360, 480, defs + coat + head)


# ---- the map ----------------------------------------------------------------------------

MAP_DIM = ((0, 55), (279, 52), (421, 319), (551, 159))
MAP_W, MAP_H = 1024, 768


def jag(points, seed):
    """A torn edge through the points: each straight run broken into small zigzags."""
    rnd = random.Random(seed)
    out = [points[0]]
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        n = max(2, int(math.hypot(x1 - x0, y1 - y0) / 18))
        for k in range(1, n):
            t = k / n
            out.append((x0 + (x1 - x0) * t + rnd.uniform(-6, 6), y0 + (y1 - y0) * t + rnd.uniform(-6, 6)))
        out.append((x1, y1))
    return out


# The tears, shared by the pieces on both sides so they fit back together.
TEAR_A = jag([(290, 60), (296, 200), (295, 330)], 1)
TEAR_AB = jag([(295, 330), (430, 330), (565, 330)], 2)
TEAR_A2 = jag([(430, 330), (452, 520), (470, 700)], 3)
TEAR_B = jag([(1024, 165), (780, 168), (560, 165)], 4)
TEAR_B2 = jag([(560, 165), (565, 330)], 5)
TEAR_C = jag([(565, 330), (660, 520), (760, 700)], 6)
# The chart runs edge to edge, so nothing but parchment shows between the bars.
L, T, R, B = 0, 60, 1024, 700


def poly(pts):
    return "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y in pts) + " Z"


PIECES = [
    # left: the whole route
    [(L, T)] + TEAR_A + TEAR_AB[: len(TEAR_AB) // 2 + 1] + TEAR_A2 + [(L, B)],
    # top middle
    TEAR_A + TEAR_AB + list(reversed(TEAR_B2)) + list(reversed(TEAR_B)) + [(R, T), (290, T)],
    # bottom middle
    TEAR_AB[len(TEAR_AB) // 2:] + TEAR_C + [(470, B)] + list(reversed(TEAR_A2)),
    # right
    TEAR_B2 + TEAR_C + [(R, B)] + [(R, 165)] + TEAR_B,
]


def chart():
    """The whole treasure map on old parchment: coasts, a compass and sea serpent, no route yet
    (the film dots it on)."""
    rnd = random.Random(87)
    coast = (f'<path d="M60,200 Q140,140 240,220 Q300,280 260,380 Q230,470 300,520 Q380,560 420,640 L60,660 Z" '
             f'fill="#cdb47a" stroke="{WOOD}" stroke-width="3"/>'
             f'<path d="M600,120 Q720,90 820,150 Q900,220 860,300 Q800,350 700,310 Q620,260 600,120 Z" fill="#cdb47a" '
             f'stroke="{WOOD}" stroke-width="3"/>'
             f'<path d="M640,460 Q740,420 860,480 Q930,560 860,640 Q760,660 680,600 Q620,540 640,460 Z" fill="#cdb47a" '
             f'stroke="{WOOD}" stroke-width="3"/>')
    trees = "".join(f'<path d="M{x},{y} l-9,16 h18 Z" fill="#6a7a3a" stroke="{WOOD_DARK}" stroke-width="1.2"/>'
                    for x, y in ((110, 300), (140, 420), (90, 560), (720, 180), (760, 220), (760, 520), (800, 580)))
    waves = "".join(f'<path d="M{rnd.uniform(320, 960):.0f},{rnd.uniform(90, 680):.0f} q10,-6 20,0 q10,-6 20,0" '
                    f'stroke="{WOOD}" stroke-width="2" fill="none" opacity="0.6"/>' for _ in range(26))
    comp = (f'<g transform="translate(950,380)"><circle r="44" fill="none" stroke="{WOOD_DARK}" stroke-width="2"/>'
            f'<path d="M0,-52 L9,0 L0,52 L-9,0 Z M-52,0 L0,9 L52,0 L0,-9 Z" fill="{RED}" stroke="{WOOD_DARK}" '
            f'stroke-width="1.5" opacity="0.85"/></g>')
    serpent = (f'<path d="M420,200 q20,-26 40,0 t40,0 t40,0" stroke="{WOOD_DARK}" stroke-width="6" fill="none"/>'
               f'<circle cx="418" cy="196" r="8" fill="{WOOD_DARK}"/>')
    body = (f'<rect x="{L}" y="{T}" width="{R - L}" height="{B - T}" fill="url(#parch)"/>'
            f'<rect x="{L}" y="{T}" width="{R - L}" height="{B - T}" fill="{PARCH_DARK}" opacity="0.15"/>'
            + coast + trees + waves + comp + serpent +
            f'<rect x="{L + 14}" y="{T + 14}" width="{R - L - 28}" height="{B - T - 28}" fill="none" stroke="{WOOD}" '
            f'stroke-width="2" opacity="0.7"/>')
    return body


def map_piece(i):
    x, y = MAP_DIM[i]
    pts = PIECES[i]
    w = int(max(p[0] for p in pts) - x + 12)
    h = int(max(p[1] for p in pts) - y + 12)
    full = (f'<defs><clipPath id="cp{i}"><path d="{poly(pts)}"/></clipPath></defs>'
            f'<g clip-path="url(#cp{i})">{chart()}</g>'
            f'<path d="{poly(pts)}" fill="none" stroke="{PARCH_DARK}" stroke-width="3"/>')
    return crop(full, x, y, w, h)


def route_dot():
    return Image(16, 16, f'<circle cx="8" cy="8" r="5.5" fill="{RED}" stroke="{INK}" stroke-width="1.5"/>')


def route_cross():
    return Image(44, 44, f'<path d="M8,8 L36,36 M36,8 L8,36" stroke="{INK}" stroke-width="11" stroke-linecap="round"/>'
                         f'<path d="M8,8 L36,36 M36,8 L8,36" stroke="{RED}" stroke-width="7" stroke-linecap="round"/>')


def game_field(seed, n):
    """A puzzle grid glimpsed over the map: gold lines, a few filled cells."""
    rnd = random.Random(seed)
    c = 200 // n
    cells = "".join(f'<rect x="{20 + cx * c + 2}" y="{20 + cy * c + 2}" width="{c - 4}" height="{c - 4}" rx="3" '
                    f'fill="{GOLD}" opacity="0.75"/>'
                    for cx in range(n) for cy in range(n) if rnd.random() < 0.4)
    lines = "".join(f'<path d="M{20 + k * c},20 V{20 + n * c} M20,{20 + k * c} H{20 + n * c}" stroke="{GOLD_LIGHT}" '
                    f'stroke-width="{3 if k % 5 == 0 else 1.5}" opacity="0.9"/>' for k in range(n + 1))
    return Image(240, 240, f'<rect x="14" y="14" width="212" height="212" rx="10" fill="#102030" opacity="0.55"/>'
                           + cells + lines)


def captains_table():
    """background-11: the captain's table the map is torn over: planks, a candle, coins, a
    dagger. Taller than the screen, as the film scrolls it upward."""
    rnd = random.Random(89)
    h = 800
    planks = "".join(f'<rect x="-10" y="{y}" width="1044" height="100" fill="url(#wood)" stroke="{INK}" stroke-width="3"/>'
                     f'<path d="M{rnd.uniform(100, 900):.0f},{y + 30} q60,10 120,0 M{rnd.uniform(100, 900):.0f},{y + 64} '
                     f'q80,-8 160,0" stroke="{WOOD_DARK}" stroke-width="2" fill="none" opacity="0.6"/>'
                     for y in range(0, h, 100))
    coins = "".join(f'<ellipse cx="{x}" cy="{y}" rx="18" ry="11" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
                    for x, y in ((120, 640), (150, 652), (132, 628), (880, 700), (905, 690)))
    candle = (f'<circle cx="900" cy="260" r="180" fill="url(#glow)" opacity="0.45"/>'
              f'<rect x="884" y="250" width="32" height="90" fill="{BONE}" stroke="{INK}" stroke-width="2"/>'
              f'<path d="M900,250 q-10,-22 0,-40 q10,18 0,40" fill="{GOLD}" stroke="{GOLD_DARK}" stroke-width="1"/>')
    dagger = (f'<g transform="translate(160,300) rotate(-30)"><path d="M0,0 L120,0 L140,8 L120,16 L0,16 Z" '
              f'fill="{IRON_LIGHT}" stroke="{INK}" stroke-width="2"/><rect x="-14" y="-8" width="14" height="32" '
              f'fill="{GOLD_DARK}" stroke="{INK}" stroke-width="2"/><rect x="-60" y="2" width="46" height="12" '
              f'fill="{WOOD_DARK}" stroke="{INK}" stroke-width="2"/></g>')
    inkpot = (f'<g transform="translate(340,330)" filter="url(#drop)"><ellipse cx="0" cy="34" rx="34" ry="10" '
              f'fill="{INK}" opacity="0.4"/><path d="M-28,34 Q-34,0 -16,-8 H16 Q34,0 28,34 Z" fill="{SEA_DEEP}" '
              f'stroke="{INK}" stroke-width="2.5"/><rect x="-14" y="-18" width="28" height="12" rx="3" '
              f'fill="url(#gold)" stroke="{INK}" stroke-width="2"/><path d="M-20,4 Q-10,-2 -4,8" stroke="{FOAM}" '
              f'stroke-width="2.5" fill="none" opacity="0.5"/>'
              # the quill standing in it
              f'<path d="M2,-14 Q40,-80 90,-126 Q70,-70 8,-12 Z" fill="{BONE}" stroke="{INK}" stroke-width="2"/>'
              f'<path d="M4,-14 Q44,-72 90,-126" stroke="{PARCH_DARK}" stroke-width="1.5" fill="none"/></g>')
    spyglass = (f'<g transform="translate(600,300) rotate(18)" filter="url(#drop)">'
                f'<rect x="0" y="-13" width="70" height="26" rx="4" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
                f'<rect x="66" y="-11" width="70" height="22" rx="3" fill="url(#wood)" stroke="{INK}" stroke-width="2"/>'
                f'<rect x="132" y="-9" width="56" height="18" rx="3" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
                f'<ellipse cx="0" cy="0" rx="5" ry="13" fill="{SEA_LIGHT}" stroke="{INK}" stroke-width="2"/></g>')
    loose = "".join(f'<ellipse cx="{x}" cy="{y}" rx="16" ry="10" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
                    for x, y in ((520, 410), (548, 420), (532, 398), (760, 330)))
    body = (planks + '<rect width="1024" height="800" fill="#1a0e06" opacity="0.25"/>' + candle + coins + dagger +
            inkpot + spyglass + loose +
            '<rect width="1024" height="800" fill="url(#vignette)"/>')
    return Image(1024, h, body)


def images():
    return {
        D + "story-1-background.jpg": dusk_sea(),
        D + "ship-1.png": galleon(300, 470, 118, 438, 1, RED),
        D + "ship-2.png": galleon(200, 320, 87, 288, -1, INK, sails="#d8cfb8", scale=0.62),
        D + "ship-1-shadow.png": ship_shadow(240, 50, 113, 24, 118, 20),
        D + "ship-2-shadow.png": ship_shadow(150, 32, 71, 15, 72, 13),
        D + "Overlay.png": water_front(),
        D + "cannon.png": cannon_ball(),
        D + "mist1.png": mist(91),
        D + "mist2.png": mist(92),
        D + "story-2-background.jpg": hall(),
        D + "belki.png": beams(),
        D + "postacie.png": crew(),
        D + "pirate.png": pirate(),
        D + "map-part-1.png": map_piece(0),
        D + "map-part-2.png": map_piece(1),
        D + "map-part-3.png": map_piece(2),
        D + "map-part-4.png": map_piece(3),
        D + "dot.png": route_dot(),
        D + "cross.png": route_cross(),
        D + "gameField-1.png": game_field(93, 5),
        D + "gameField-2.png": game_field(94, 10),
        "gfx/backgrounds/background-11.jpg": captains_table(),
    }
