"""Title screen (sky layers, harbour with a treasure chest, light beams, logo, the four
buttons), the continue-or-new scroll, the pop-up panel that the casual-or-hard choice shares
and its two answers, and the stage screen's parchment and level icons.

The title's back.jpg is loaded while the mask colour is black: its sky is pure black so the
two cloud layers drawn before it show through; nothing else in it may be pure black. The
first cloud layer is drawn at x 120, so the picture carries the scene's top-left strip itself:
both are cut from one drawing of the headland, so they meet without a seam. The JPEG leaves a
hair of near-black (not masked) just outside the strip's right edge and along the horizon;
the ladder's rope, the plank walk's joints and the sea's outline lie on those lines.
"""
import math
import random

from svgkit import Image, Strip, shadow, text, rrect, rivet, plank, plaque, state_wrap, STATES, INK, SEA, \
    SEA_DEEP, SEA_LIGHT, FOAM, GOLD, GOLD_DARK, GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_LIGHT, \
    PARCH_DARK, RED, GREEN, IRON, IRON_LIGHT
from images.loading import logo as title_logo, palm, ship, waves

LANG = "en"
HORIZON = 416  # on a 16 px block edge, so the JPEG keeps the black sky exact
SUN = (450, 396)  # on the screen

DEFS = """<linearGradient id="skyT" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#1b2f52"/><stop offset="0.45" stop-color="#6a5a7e"/>
  <stop offset="0.78" stop-color="#d08a62"/><stop offset="1" stop-color="#f4c97c"/></linearGradient>
<linearGradient id="waterT" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#4a88a0"/><stop offset="0.4" stop-color="#24597a"/>
  <stop offset="1" stop-color="#112a40"/></linearGradient>
<radialGradient id="sunT" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#fff6c8"/><stop offset="0.25" stop-color="#ffe08a" stop-opacity="0.9"/>
  <stop offset="1" stop-color="#ffb060" stop-opacity="0"/></radialGradient>
<linearGradient id="rock" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#6b5140"/><stop offset="0.6" stop-color="#4a382c"/>
  <stop offset="1" stop-color="#30251d"/></linearGradient>
<linearGradient id="sandT" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#e8cf92"/><stop offset="1" stop-color="#b8965a"/></linearGradient>
<radialGradient id="cloudT" cx="0.5" cy="0.6" r="0.6">
  <stop offset="0" stop-color="#fde3c0"/><stop offset="0.7" stop-color="#e8b59a"/>
  <stop offset="1" stop-color="#c98f86" stop-opacity="0"/></radialGradient>
<radialGradient id="cloudP" cx="0.5" cy="0.6" r="0.6">
  <stop offset="0" stop-color="#ffd9c9"/><stop offset="0.7" stop-color="#e6a1a4"/>
  <stop offset="1" stop-color="#b77f9a" stop-opacity="0"/></radialGradient>
<radialGradient id="ray" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#fff3c4" stop-opacity="0.55"/>
  <stop offset="0.45" stop-color="#ffe3a0" stop-opacity="0.22"/>
  <stop offset="1" stop-color="#ffd080" stop-opacity="0"/></radialGradient>
<linearGradient id="rockShade" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#1e1612" stop-opacity="0.45"/>
  <stop offset="0.6" stop-color="#1e1612" stop-opacity="0"/></linearGradient>
<radialGradient id="glowT" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#fff1b8" stop-opacity="0.8"/>
  <stop offset="1" stop-color="#ffc070" stop-opacity="0"/></radialGradient>
<radialGradient id="coins" cx="0.5" cy="0.35" r="0.6">
  <stop offset="0" stop-color="#fff2b0"/><stop offset="0.6" stop-color="#f7de71"/>
  <stop offset="1" stop-color="#b9852a"/></radialGradient>"""


def cloud(cx, cy, w, h, fill, seed):
    rnd = random.Random(seed)
    puffs = []
    for i in range(7):
        px = cx - w / 2 + w * (i + 0.5) / 7 + rnd.uniform(-8, 8)
        r = h * (0.45 + 0.35 * math.sin(math.pi * (i + 0.5) / 7)) * rnd.uniform(0.85, 1.1)
        puffs.append(f'<circle cx="{px:.0f}" cy="{cy - r * 0.35:.0f}" r="{r:.0f}"/>')
    return (f'<g fill="{fill}" opacity="0.92">{"".join(puffs)}'
            f'<ellipse cx="{cx}" cy="{cy}" rx="{w / 2 + 10:.0f}" ry="{h * 0.35:.0f}"/></g>')


# The headland on the left, in screen coordinates, from above the top edge down into the sea.
# Its face stays right of x 128 down to the horizon, so the strip of it that back.jpg carries
# (x < 128, y < HORIZON) is all rock and meets the cloud layer's copy inside the rock.
CLIFF = ("M-20,-20 H172 Q150,36 176,84 Q190,112 206,126 L240,132 Q226,170 240,214 Q252,256 284,290 "
         "L306,296 Q300,336 322,372 Q340,404 366,428 Q404,470 380,520 Q352,572 306,604 Q240,652 172,688 "
         "Q100,718 0,730 L-20,730 Z")


def cliff():
    """The headland: layered rock lit from the sun, grass on its ledges, a palm leaning out
    over the water, a lantern post on the upper ledge, and the ladder and plank walk that
    come down to the water."""
    strata = "".join(f'<path d="{d}" stroke="#2c2119" stroke-width="3" fill="none" opacity="0.55" '
                     f'stroke-linecap="round"/>' for d in (
                         "M-10,40 Q70,52 150,40", "M-10,118 Q90,134 190,120", "M-10,200 Q100,214 224,196",
                         "M-10,282 Q120,300 270,282", "M-10,362 Q130,378 310,360", "M40,470 Q160,486 340,468",
                         "M30,570 Q140,588 300,580", "M20,650 Q100,664 200,656"))
    cracks = "".join(f'<path d="{d}" stroke="#2c2119" stroke-width="2" fill="none" opacity="0.5"/>' for d in (
        "M120,60 L108,96 L118,120", "M60,150 L72,190", "M170,230 L156,262 L166,290", "M90,310 L104,350",
        "M240,400 L226,440 L238,470", "M150,520 L166,560", "M260,540 L248,580"))
    # sunlit rim along the seaward face
    rim = (f'<path d="M172,-20 Q150,36 176,84 Q190,112 206,126 M240,132 Q226,170 240,214 Q252,256 284,290 '
           f'M306,296 Q300,336 322,372 Q340,404 366,428" stroke="#c98f62" stroke-width="5" fill="none" '
           f'opacity="0.55" stroke-linecap="round" transform="translate(-4,2)"/>')
    grass = "".join(
        f'<path d="M{x0},{y0} q4,-14 8,-2 q3,-16 8,-1 q4,-12 7,1 q5,-13 8,0 q3,-10 7,2 Z" fill="{GREEN}" '
        f'stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'
        for x0, y0 in ((200, 128), (214, 130), (278, 292), (292, 295)))
    # a lantern post on the upper ledge, its light the warm spot on the rock
    lantern = (f'<circle cx="226" cy="92" r="26" fill="url(#glowT)"/>'
               f'<path d="M222,130 V96 H236" stroke="{WOOD_DARK}" stroke-width="4" fill="none"/>'
               f'<rect x="229" y="96" width="12" height="16" rx="2" fill="{GOLD_LIGHT}" stroke="{INK}" '
               f'stroke-width="1.5"/>'
               f'<path d="M229,96 h12 l-6,-5 Z" fill="{WOOD_DARK}"/>')
    # each layer's top edge catches the sun: the headland reads as stacked rock, not a wall
    ledges = "".join(f'<path d="{d}" stroke="#a27a58" stroke-width="7" fill="none" opacity="0.32" '
                     f'stroke-linecap="round" transform="translate(0,6)"/>' for d in (
                         "M-10,40 Q70,52 150,40", "M-10,118 Q90,134 190,120", "M-10,200 Q100,214 224,196",
                         "M-10,282 Q120,300 270,282", "M-10,362 Q130,378 310,360", "M40,470 Q160,486 340,468",
                         "M30,570 Q140,588 300,580"))
    return (f'<path d="{CLIFF}" fill="url(#rock)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
            f'<path d="{CLIFF}" fill="url(#rockShade)"/>'
            + ledges + strata + cracks + rim + vines() + net() + cave() + ladder() + walkway() + harbour_gear()
            + anchor(52, 470) + grass + palm(294, 204, 0.62) + lantern + lookout())


def vines():
    """Ivy hanging from the two grassy ledges down the sunlit face."""
    out = []
    for x0, y0, length, seed in ((206, 132, 120, 3), (226, 136, 70, 4), (284, 296, 96, 5), (300, 298, 60, 6)):
        rnd = random.Random(seed)
        pts = [(x0, y0)]
        for i in range(1, 7):
            pts.append((x0 + rnd.uniform(-7, 7), y0 + length * i / 6))
        d = f"M{pts[0][0]:.0f},{pts[0][1]:.0f}" + "".join(f" L{x:.0f},{y:.0f}" for x, y in pts[1:])
        out.append(f'<path d="{d}" stroke="#2f5a26" stroke-width="2.5" fill="none" stroke-linejoin="round"/>')
        for x, y in pts[1:]:
            side = 1 if rnd.random() < 0.5 else -1
            out.append(f'<ellipse cx="{x + 5 * side:.0f}" cy="{y:.0f}" rx="6" ry="3.5" fill="{GREEN}" '
                       f'stroke="{INK}" stroke-width="1" transform="rotate({30 * side} {x + 5 * side:.0f} {y:.0f})"/>')
    return "".join(out)


def net():
    """A fishing net drying on two pegs left of the ladder, with its cork and glass floats."""
    x0, x1, top, bottom = 14, 92, 168, 300
    sag = (f'M{x0},{top} Q{(x0 + x1) / 2},{top + 16} {x1},{top}')
    mesh = []
    for i in range(1, 8):
        x = x0 + (x1 - x0) * i / 8
        mesh.append(f'M{x:.0f},{top + 6} L{x - 18:.0f},{bottom - 10 + 6 * math.sin(i):.0f}')
        mesh.append(f'M{x:.0f},{top + 6} L{x + 18:.0f},{bottom - 10 + 6 * math.cos(i):.0f}')
    for j in range(1, 6):
        y = top + (bottom - top) * j / 6
        mesh.append(f'M{x0 + 4},{y:.0f} Q{(x0 + x1) / 2},{y + 10:.0f} {x1 - 4},{y:.0f}')
    floats = "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="{c}" stroke="{INK}" stroke-width="1.5"/>'
                     f'<circle cx="{x - r / 3:.1f}" cy="{y - r / 3:.1f}" r="{r / 3:.1f}" fill="{FOAM}" opacity="0.6"/>'
                     for x, y, r, c in ((30, 228, 7, SEA_LIGHT), (70, 262, 6, RED), (50, 292, 7, GOLD)))
    return (f'<path d="{" ".join(mesh)}" stroke="{PARCH_DARK}" stroke-width="1.5" fill="none" opacity="0.75"/>'
            f'<path d="{sag}" stroke="#c9a66b" stroke-width="3" fill="none"/>'
            + rivet(x0, top, 4) + rivet(x1, top, 4) + floats)


def cave():
    """A sea cave at the headland's foot, lit from inside by a lantern, a glint of gold within."""
    mouth = "M186,700 Q176,600 214,560 Q250,530 290,560 Q322,600 312,690 Z"
    return (f'<path d="{mouth}" fill="#1d1510" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
            f'<ellipse cx="250" cy="640" rx="44" ry="46" fill="url(#glowT)" opacity="0.55"/>'
            # coins and a chest's corner catching the light
            + "".join(f'<ellipse cx="{x}" cy="{y}" rx="7" ry="3" fill="url(#coins)" stroke="{GOLD_DARK}" '
                      f'stroke-width="1"/>' for x, y in ((230, 664), (243, 660), (256, 665), (238, 670),
                                                         (251, 671), (264, 668), (246, 654))) +
            f'<path d="M266,644 h26 v22 h-26 Z" fill="{WOOD}" stroke="{INK}" stroke-width="1.5"/>'
            f'<path d="M266,650 h26" stroke="{GOLD}" stroke-width="2"/>'
            # the lantern hung in the arch
            f'<path d="M250,548 V584" stroke="#2a1a0e" stroke-width="2"/>'
            f'<rect x="243" y="584" width="14" height="18" rx="3" fill="{GOLD_LIGHT}" stroke="{INK}" '
            f'stroke-width="1.5"/>'
            f'<circle cx="250" cy="594" r="22" fill="url(#glowT)" opacity="0.8"/>'
            # the water that runs into it
            f'<path d="M190,694 Q250,684 310,690" stroke="{SEA_LIGHT}" stroke-width="3" fill="none" opacity="0.6"/>')


def harbour_gear():
    """Barrels, a crate and a coil of rope standing on the plank walk."""
    hz = HORIZON - 12
    barrel = lambda x, w, h: (f'<path d="M{x},{hz} q-3,{-h / 2} 0,{-h} h{w} q3,{h / 2} 0,{h} Z" fill="url(#wood)" '
                              f'stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'
                              f'<path d="M{x - 1.5},{hz - h * 0.25:.0f} h{w + 3} M{x - 1.5},{hz - h * 0.75:.0f} '
                              f'h{w + 3}" stroke="{IRON}" stroke-width="2.5"/>')
    crate = (f'<rect x="262" y="{hz - 22}" width="26" height="22" fill="url(#wood)" stroke="{INK}" '
             f'stroke-width="1.5"/><path d="M262,{hz - 22} l26,22 M288,{hz - 22} l-26,22" stroke="{WOOD_DARK}" '
             f'stroke-width="2"/>')
    coil = "".join(f'<ellipse cx="322" cy="{hz - 4}" rx="{r}" ry="{r * 0.38:.1f}" fill="none" stroke="#c9a66b" '
                   f'stroke-width="3"/>' for r in (14, 10, 6))
    return barrel(150, 22, 30) + barrel(176, 18, 24) + crate + coil


def anchor(x, y):
    """An old anchor hung on a ring bolt in the rock below the plank walk."""
    iron = f'stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"'
    return (f'<circle cx="{x}" cy="{y}" r="6" fill="none" stroke="{IRON_LIGHT}" stroke-width="3"/>'
            f'<circle cx="{x}" cy="{y + 14}" r="8" fill="none" stroke="{IRON}" stroke-width="4"/>'
            f'<rect x="{x - 4}" y="{y + 20}" width="8" height="92" rx="3" fill="{IRON}" {iron}/>'
            f'<rect x="{x - 18}" y="{y + 34}" width="36" height="7" rx="3" fill="{IRON}" {iron}/>'
            f'<path d="M{x - 34},{y + 86} Q{x - 30},{y + 118} {x},{y + 120} Q{x + 30},{y + 118} {x + 34},{y + 86}" '
            f'stroke="{IRON}" stroke-width="7" fill="none" stroke-linecap="round"/>'
            f'<path d="M{x - 40},{y + 82} l8,-12 l6,14 Z M{x + 40},{y + 82} l-8,-12 l-6,14 Z" fill="{IRON}" {iron}/>'
            f'<path d="M{x - 2},{y + 24} V{y + 108}" stroke="{IRON_LIGHT}" stroke-width="2" opacity="0.7"/>')


def lookout():
    """A pennant on a pole above the lantern, the harbour's colours against the rock."""
    return (f'<path d="M180,126 V52" stroke="{WOOD_DARK}" stroke-width="4"/>'
            f'<path d="M182,54 Q200,60 214,58 Q202,66 212,76 Q196,74 182,76 Z" fill="{RED}" stroke="{INK}" '
            f'stroke-width="1.5" stroke-linejoin="round"/>'
            f'<circle cx="180" cy="50" r="3.5" fill="{GOLD}" stroke="{INK}" stroke-width="1"/>')


def walkway():
    """A plank walk along the foot of the cliff where the ladder comes down, out to a post in
    the water. The gap between its two boards lies on the horizon row and its board joint on
    x 128: the edges where the picture's top-left part meets the cloud layer, whose hair of
    near-black from the JPEG they take in."""
    hz, x0, x1 = HORIZON, 84, 420
    posts = "".join(rrect(x - 4, hz + 8, 8, 40, 2, "url(#woodH)", sw=1.5) for x in (180, 300, 412))
    rail_posts = "".join(rrect(x - 3, hz - 34, 6, 24, 2, "url(#woodH)", sw=1.5) for x in (96, 224, 352))
    rail = (f'<path d="M96,{hz - 30} Q160,{hz - 20} 224,{hz - 30} Q288,{hz - 20} 352,{hz - 30}" '
            f'stroke="#c9a66b" stroke-width="3" fill="none"/>')
    boards = (f'<rect x="{x0}" y="{hz - 12}" width="{x1 - x0}" height="12" fill="url(#wood)" stroke="{INK}" '
              f'stroke-width="1.5"/>'
              f'<rect x="{x0 + 6}" y="{hz}" width="{x1 - x0 - 6}" height="11" fill="url(#wood)" stroke="{INK}" '
              f'stroke-width="1.5"/>'
              f'<path d="M{x0},{hz - 0.5} H{x1}" stroke="#2a1a0e" stroke-width="2"/>'
              + "".join(f'<path d="M{x},{hz - 12} V{hz}" stroke="#2a1a0e" stroke-width="2"/>'
                        for x in (128.5, 232, 338)) +
              "".join(f'<path d="M{x},{hz} V{hz + 11}" stroke="#2a1a0e" stroke-width="2"/>' for x in (176, 290)) +
              "".join(rivet(x, hz - 6, 1.8) for x in (120, 137, 224, 241, 330, 347)))
    return posts + rail_posts + rail + boards


def ladder():
    """A rope ladder from the cliff top down to the jetty. Its right rope runs down x 128,
    where the picture's top-left strip meets the cloud layer, and hides that edge."""
    xl, xr = 104, 128.5
    rungs = "".join(f'<rect x="{xl - 2}" y="{y}" width="{xr - xl + 4}" height="5" rx="2" fill="{WOOD_LIGHT}" '
                    f'stroke="{INK}" stroke-width="1.5"/>' for y in range(8, 716, 26))
    ropes = "".join(f'<path d="M{x},-10 V720" stroke="#2a1a0e" stroke-width="4.5"/>' for x in (xl, xr))
    return rungs + ropes


def top_scene():
    """The dusk above the horizon on the whole width: sky, low sun, clouds, a far island with a
    ship, and the headland on the left."""
    sx, sy = SUN
    hz = HORIZON
    return (f'<rect width="1024" height="450" fill="url(#skyT)"/>'
            f'<circle cx="{sx}" cy="{sy}" r="210" fill="url(#sunT)"/>'
            f'<circle cx="{sx}" cy="{sy + 8}" r="48" fill="#fff1b8" opacity="0.95"/>'
            + cloud(330, 120, 260, 60, "url(#cloudT)", 1) + cloud(680, 70, 300, 56, "url(#cloudT)", 2)
            + cloud(940, 200, 240, 50, "url(#cloudT)", 3) + cloud(430, 300, 220, 36, "url(#cloudT)", 4)
            + cloud(820, 330, 200, 30, "url(#cloudT)", 5) +
            f'<path d="M600,{hz + 2} Q660,{hz - 40} 720,{hz - 26} Q760,{hz - 18} 790,{hz + 2} Z" fill="#3b3b4c"/>'
            + ship(660, hz + 4, 0.45) + cliff())


def sky():
    """Cloud layer 1, drawn at (120, 0): the scene above the horizon from x 120 on."""
    return Image(904, 450, f'<defs>{DEFS}</defs><g transform="translate(-120,0)">{top_scene()}</g>')


def sky2():
    """Cloud layer 2: pink-lit clouds that slowly come and go, all in open sky (right of the
    headland), so none is cut by it."""
    w, h = 904, 450
    body = (f'<defs>{DEFS}</defs>' + cloud(420, 180, 280, 50, "url(#cloudP)", 11) +
            cloud(330, 60, 200, 40, "url(#cloudP)", 12) + cloud(680, 250, 260, 44, "url(#cloudP)", 13) +
            cloud(800, 110, 180, 40, "url(#cloudP)", 14))
    return Image(w, h, body)


def chest(cx, base):
    """An open treasure chest on the sand, gold heaped inside; the sparks play on it."""
    x0, w, bh = cx - 78, 156, 76
    top = base - bh
    body = (
        # lid, tipped back
        f'<path d="M{x0 + 6},{top} L{x0 + 18},{top - 62} Q{cx},{top - 92} {x0 + w - 18},{top - 62} '
        f'L{x0 + w - 6},{top} Z" fill="url(#wood)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
        f'<path d="M{x0 + 40},{top - 78} L{x0 + 36},{top} M{x0 + w - 40},{top - 78} L{x0 + w - 36},{top}" '
        f'stroke="url(#gold)" stroke-width="9"/>'
        # the heap of coins and a jewel
        f'<path d="M{x0 + 4},{top + 6} Q{x0 + 30},{top - 30} {cx - 6},{top - 22} Q{cx + 30},{top - 40} '
        f'{x0 + w - 4},{top + 6} Z" fill="url(#coins)" stroke="{GOLD_DARK}" stroke-width="2"/>'
        + "".join(f'<ellipse cx="{x0 + 20 + i * 17}" cy="{top - 6 - 10 * math.sin(i / 8 * math.pi):.0f}" rx="8" '
                  f'ry="4" fill="{GOLD_LIGHT}" stroke="{GOLD_DARK}" stroke-width="1"/>' for i in range(8)) +
        f'<path d="M{cx + 11},{top - 38} l9,9 l-9,12 l-9,-12 Z" fill="{RED}" stroke="{INK}" stroke-width="1.5"/>'
        f'<path d="M{cx + 11},{top - 36} l4,5 l-4,4 Z" fill="#ffd6d0" opacity="0.8"/>'
        # body
        + rrect(x0, top, w, bh, 8, "url(#wood)", sw=3) +
        f'<path d="M{x0 + 4},{top + 26} H{x0 + w - 4}" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.6"/>'
        f'<path d="M{x0 + 4},{top + 50} H{x0 + w - 4}" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.6"/>'
        f'<rect x="{x0 + 32}" y="{top}" width="12" height="{bh}" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
        f'<rect x="{x0 + w - 44}" y="{top}" width="12" height="{bh}" fill="url(#gold)" stroke="{INK}" '
        f'stroke-width="1.5"/>'
        + rrect(cx - 13, top + 10, 26, 30, 4, "url(#gold)", sw=2) +
        f'<circle cx="{cx}" cy="{top + 22}" r="4" fill="{WOOD_DARK}"/>'
        f'<path d="M{cx},{top + 24} v8" stroke="{WOOD_DARK}" stroke-width="3"/>'
        + rivet(x0 + 8, top + 8, 3) + rivet(x0 + w - 8, top + 8, 3) +
        rivet(x0 + 8, base - 8, 3) + rivet(x0 + w - 8, base - 8, 3))
    return shadow(body)


def back():
    h = HORIZON
    clips = (f'<clipPath id="belowHz"><rect y="{h}" width="1024" height="{768 - h}"/></clipPath>'
             f'<clipPath id="leftStrip"><rect width="128" height="{h}"/></clipPath>')
    body = (f'<defs>{DEFS}{clips}</defs><rect width="1024" height="768" fill="#000000"/>'
            f'<rect y="{h}" width="1024" height="{768 - h}" fill="url(#waterT)"/>'
            # the sea's outline on the horizon: the picture's edge above it decodes to a hair of
            # near-black, which this line takes in
            f'<rect y="{h}" width="1024" height="2" fill="{SEA_DEEP}"/>'
            # glitter under the sun
            f'<path d="M{SUN[0] - 90},{h + 5} h180 M{SUN[0] - 70},{h + 15} h140 M{SUN[0] - 50},{h + 28} h100 '
            f'M{SUN[0] - 30},{h + 44} h60" stroke="#ffe6a0" stroke-width="4" opacity="0.55"/>'
            + waves(h + 8, 768, 21) +
            # the headland's foot in the sea, and its top-left strip (all rock) that the cloud layer,
            # drawn from x 120, does not reach; both edges of the strip lie on 16 px block edges
            f'<g clip-path="url(#belowHz)">{cliff()}</g>'
            f'<g clip-path="url(#leftStrip)">{top_scene()}</g>'
            # boulders fallen from the headland
            + "".join(f'<path d="M{x - w},{y} Q{x - w},{y - hh} {x},{y - hh} Q{x + w},{y - hh} {x + w},{y} Z" '
                      f'fill="url(#rock)" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
                      f'<path d="M{x - w + 4},{y} q{w},8 {2 * w - 8},0" stroke="{FOAM}" stroke-width="2.5" '
                      f'fill="none" opacity="0.6"/>' for x, y, w, hh in ((420, 590, 30, 26), (462, 604, 16, 12),
                                                                         (394, 640, 14, 10))) +
            # foam where the swell breaks on the rocks
            "".join(f'<path d="{d}" stroke="{FOAM}" stroke-width="3" fill="none" opacity="0.6" '
                      f'stroke-linecap="round"/>' for d in (
                          f"M366,{h + 14} q18,10 22,30", f"M392,{h + 70} q6,24 -6,44", f"M370,{h + 130} q-10,20 -30,36",
                          f"M334,{h + 176} q-6,14 -16,22")) +
            # beach on the right under the chest
            f'<path d="M560,768 Q640,660 800,640 Q920,628 1024,650 V768 Z" fill="url(#sandT)" stroke="{INK}" '
            f'stroke-width="2"/>'
            + chest(865, 736) +
            # the jetty where the greeting is written
            plank(90, 716, 560, 56, r=8, sw=3) +
            "".join(f'<path d="M{x},718 V770" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.55"/>'
                    for x in range(160, 650, 70)) +
            rivet(104, 730, 4) + rivet(636, 730, 4))
    return Image(1024, 768, body)


def beam(angles, seed):
    """Additive light rays fanning up from the sun; each layer pulses on its own."""
    rnd = random.Random(seed)
    sx, sy = SUN
    rays = []
    for a in angles:
        spread = rnd.uniform(3.5, 6.5)
        length = 900
        a1, a2 = math.radians(a - spread), math.radians(a + spread)
        p1 = (sx + length * math.cos(a1), sy - length * math.sin(a1))
        p2 = (sx + length * math.cos(a2), sy - length * math.sin(a2))
        rays.append(f'<path d="M{sx},{sy} L{p1[0]:.0f},{p1[1]:.0f} L{p2[0]:.0f},{p2[1]:.0f} Z"/>')
    body = (f'<defs>{DEFS}<radialGradient id="rayB" gradientUnits="userSpaceOnUse" cx="{sx}" cy="{sy}" r="760">'
            f'<stop offset="0" stop-color="#fff3c4" stop-opacity="0.5"/>'
            f'<stop offset="0.4" stop-color="#ffe3a0" stop-opacity="0.2"/>'
            f'<stop offset="1" stop-color="#ffd080" stop-opacity="0"/></radialGradient></defs>'
            f'<g fill="url(#rayB)">{"".join(rays)}</g>')
    return Image(1024, 768, body)


def big_button(label, w, state, h=56):
    fill = GOLD_LIGHT if state == "hover" else GOLD
    body = (rrect(2, 2, w - 6, h - 6, 14, "url(#wood)", sw=2.5) +
            rrect(6, 6, w - 14, h - 14, 10, "none", stroke=GOLD, sw=1.5) +
            rivet(16, h / 2 - 1, 3.5) + rivet(w - 20, h / 2 - 1, 3.5) +
            text((w - 2) / 2, h / 2 + 9, label, 26, fill=fill, family="Averia GWF", sw=3.5, weight="bold"))
    return state_wrap(body, state)


def caption(label, w, state, h=42, size=19):
    fill = GOLD_LIGHT if state == "hover" else GOLD
    body = (rrect(2, 2, w - 6, h - 6, 12, "url(#wood)", sw=2) +
            rrect(5, 5, w - 12, h - 12, 9, "none", stroke=GOLD, sw=1.2) +
            text((w - 2) / 2, h / 2 + 6, label, size, fill=fill, family="Averia GWF", sw=3, weight="bold"))
    return state_wrap(body, state)


def voyage_button(title, sub, state, w=200, h=96):
    """A card-like choice: the voyage's name and one line about it."""
    fill = GOLD_LIGHT if state == "hover" else GOLD
    body = (rrect(2, 2, w - 6, h - 6, 14, "url(#wood)", sw=2.5) +
            rrect(6, 6, w - 14, h - 14, 10, "none", stroke=GOLD, sw=1.5) +
            text((w - 2) / 2, 44, title, 28, fill=fill, family="Averia GWF", sw=3.5, weight="bold") +
            text((w - 2) / 2, 72, sub, 15, fill=PARCH_LIGHT, family="Averia GWF", sw=2.5, weight="bold"))
    return state_wrap(body, state)


def scroll():
    """The continue-or-new scroll: parchment sheet between two wooden rollers."""
    w, h = 470, 430
    sheet = (f'<path d="M40,40 Q{w / 2},56 {w - 40},40 L{w - 48},{h - 40} Q{w / 2},{h - 56} 48,{h - 40} Z" '
             f'fill="url(#parch)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
             f'<path d="M58,64 Q{w / 2},78 {w - 58},64 M62,{h - 66} Q{w / 2},{h - 80} {w - 62},{h - 66}" '
             f'stroke="{PARCH_DARK}" stroke-width="2" fill="none"/>')
    rollers = ""
    for y in (22, h - 34):
        rollers += (rrect(26, y, w - 52, 20, 10, "url(#wood)", sw=2.5) +
                    rrect(8, y - 4, 26, 28, 8, "url(#gold)", sw=2) + rrect(w - 34, y - 4, 26, 28, 8, "url(#gold)", sw=2))
    # a small compass rose under the upper roller
    cx, cy, r = w / 2, 104, 26
    pts = []
    for i in range(8):
        a = math.radians(i * 45 - 90)
        rr = r if i % 2 == 0 else r * 0.42
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
        a2 = math.radians(i * 45 - 90 + 22.5)
        pts.append(f"{cx + r * 0.16 * math.cos(a2):.1f},{cy + r * 0.16 * math.sin(a2):.1f}")
    rose = (f'<circle cx="{cx}" cy="{cy}" r="{r * 0.8:.0f}" fill="none" stroke="{PARCH_DARK}" stroke-width="2"/>'
            f'<polygon points="{" ".join(pts)}" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
            f'<circle cx="{cx}" cy="{cy}" r="3.5" fill="{RED}"/>')
    return Image(w, h, shadow(sheet + rollers) + rose)


def panel_board(w, h):
    body = plank(4, 4, w - 10, h - 10, r=18, sw=3)
    body += rrect(24, 24, w - 50, h - 50, 10, "url(#parch)", sw=2)
    body += rrect(30, 30, w - 62, h - 62, 8, "none", stroke=PARCH_DARK, sw=1.5)
    for cx, cy in ((14, 14), (w - 16, 14), (14, h - 16), (w - 16, h - 16)):
        body += rivet(cx, cy, 6)
    return shadow(body)


def menu_logo():
    """The title logo of the menu: the game sets the picture's right edge at x 1035, past the
    picture's own; a 24 px transparent margin on the right keeps the scroll's tail inside."""
    inner = title_logo()
    return Image(inner.w + 24, inner.h, inner.body)


def stage_panel():
    """Full-screen picture: the stage's parchment over the map, transparent around it."""
    x, y, w, h = 76, 40, 872, 560
    # The map behind is dimmed by the game, as behind every modal panel.
    body = (f'<g transform="translate({x},{y})">{panel_board(w, h)}</g>'
            # the title ribbon behind the stage name (drawn at y 90)
            f'<path d="M340,80 H684 L700,100 L684,120 H340 L324,100 Z" fill="{PARCH_LIGHT}" stroke="{PARCH_DARK}" '
            f'stroke-width="2"/>'
            f'<path d="M150,136 H874" stroke="{PARCH_DARK}" stroke-width="2" stroke-dasharray="3 7"/>'
            + berths() + detail_card())
    return Image(1024, 768, body)


# The card in the middle where the game tells about one level: its icon at 1.6 times centred at
# (300, 356), the lines from x 420 (TStageScreen's kDetail* constants).
CARD = (190, 248, 644, 216)


def detail_card():
    x, y, w, h = CARD
    card = (rrect(x, y, w, h, 14, PARCH_LIGHT, stroke=PARCH_DARK, sw=2) +
            rrect(x + 7, y + 7, w - 14, h - 14, 10, "none", stroke=PARCH_DARK, sw=1, extra='stroke-dasharray="2 5"') +
            f'<path d="M{400},{y + 26} V{y + h - 26}" stroke="{PARCH_DARK}" stroke-width="1.5" opacity="0.7"/>')
    for cx, cy in ((x + 7, y + 7), (x + w - 7, y + 7), (x + 7, y + h - 7), (x + w - 7, y + h - 7)):
        card += f'<path d="M{cx - 6},{cy} L{cx},{cy - 6} L{cx + 6},{cy} L{cx},{cy + 6} Z" fill="{GOLD}" stroke="{INK}" stroke-width="1"/>'
    return shadow(card) + chart_mark(x + w - 96, y + h / 2 + 6)


def berths():
    """Six berths along the level row (the game sets the icons at x 160 + 140 k, y 165): a
    stage of four levels fills four of them and the row reads as placed, not stranded."""
    out = ""
    for k in range(6):
        cx = 160 + 140 * k
        out += (f'<rect x="{cx - 62}" y="{165 - 36}" width="124" height="72" rx="12" fill="{PARCH_DARK}" '
                f'fill-opacity="0.22" stroke="{PARCH_DARK}" stroke-width="1.5" stroke-dasharray="4 4"/>')
    return out


def chart_mark(cx, cy):
    """A faded compass rose in the card's corner, under the lines the game writes."""
    r = 74
    pts = []
    for i in range(16):
        a = math.radians(i * 22.5 - 90)
        rr = r if i % 4 == 0 else (r * 0.62 if i % 2 == 0 else r * 0.38)
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
        a2 = math.radians(i * 22.5 - 90 + 11.25)
        pts.append(f"{cx + r * 0.12 * math.cos(a2):.1f},{cy + r * 0.12 * math.sin(a2):.1f}")
    return (f'<g opacity="0.16" stroke="{WOOD_DARK}" fill="none">'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.86:.0f}" stroke-width="2"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.8:.0f}" stroke-width="1" stroke-dasharray="2 5"/>'
            f'<polygon points="{" ".join(pts)}" fill="{PARCH_DARK}" stroke-width="1.5"/>'
            f'</g>')


# The level icons of the stage screen, drawn centred on their cells (140 px apart, the label
# 30 px under the centre): as wide as the cells allow and no taller than the label's gap.
ICON_W, ICON_H = 104, 60


def icon_frame(inner, plate=False):
    """A wood frame around a parchment window holding the game's pictogram (drawn in a 70 x 56
    box). With `plate` the pictogram sits on the left and a dark plaque on the right: the game
    writes the board's size on it (centred 22 px right of the icon's centre)."""
    w, h = ICON_W, ICON_H
    k, cx = (1.0, 29) if plate else (1.3, w / 2)
    art = f'<g transform="translate({cx - 35 * k:.1f},{h / 2 - 2 - 26 * k:.1f}) scale({k})">{inner}</g>'
    body = (rrect(3, 2, w - 8, h - 8, 9, "url(#wood)", sw=2) +
            rrect(7, 6, w - 16, h - 16, 6, PARCH_LIGHT, stroke=GOLD_DARK, sw=1.5) +
            f'<clipPath id="iconWin"><rect x="8" y="7" width="{w - 18}" height="{h - 18}" rx="5"/></clipPath>'
            f'<g clip-path="url(#iconWin)">{art}</g>')
    if plate:
        body += plaque(51, 16, 46, 24, r=5, sw=1.2)
    return Image(w, h, shadow(body))


def icon_zerkon():
    cells = [(0, 1), (1, 0), (1, 1), (1, 2), (2, 1), (2, 3), (3, 2), (0, 3)]
    out = ""
    for r in range(4):
        for c in range(4):
            x, y = 19 + c * 8, 12 + r * 7.5
            fill = SEA if (r, c) in cells else PARCH
            out += f'<rect x="{x}" y="{y:.1f}" width="7" height="6.5" fill="{fill}" stroke="{PARCH_DARK}" stroke-width="0.6"/>'
    out += (f'<path d="M22,12 v-3 M30,12 v-3 M38,12 v-3 M46,12 v-3" stroke="{WOOD_DARK}" stroke-width="1.2"/>')
    # the board's size is written on the plaque beside the grid
    return icon_frame(out, plate=True)


def icon_express():
    out = (f'<rect x="16" y="24" width="12" height="12" fill="{RED}" stroke="{INK}" stroke-width="1"/>'
           f'<rect x="28" y="24" width="12" height="12" fill="{RED}" stroke="{INK}" stroke-width="1"/>'
           f'<rect x="28" y="12" width="12" height="12" fill="{RED}" stroke="{INK}" stroke-width="1"/>'
           f'<rect x="42" y="12" width="12" height="12" fill="{SEA}" stroke="{INK}" stroke-width="1"/>'
           f'<rect x="42" y="24" width="12" height="12" fill="{SEA}" stroke="{INK}" stroke-width="1"/>')
    return icon_frame(out)


def icon_ho():
    out = (f'<circle cx="31" cy="23" r="10" fill="{SEA_LIGHT}" fill-opacity="0.5" stroke="{WOOD_DARK}" stroke-width="3"/>'
           f'<path d="M38,30 L48,39" stroke="{WOOD_DARK}" stroke-width="5" stroke-linecap="round"/>'
           f'<path d="M27,19 q3,-3 7,-2" stroke="{FOAM}" stroke-width="1.5" fill="none"/>')
    return icon_frame(out)


def icon_inlay():
    out = (f'<path d="M16,38 L26,20 L36,38 Z" fill="{GOLD}" stroke="{INK}" stroke-width="1"/>'
           f'<path d="M26,20 L46,20 L36,38 Z" fill="{GREEN}" stroke="{INK}" stroke-width="1"/>'
           f'<path d="M36,38 L46,20 L56,38 Z" fill="{RED}" stroke="{INK}" stroke-width="1"/>')
    return icon_frame(out)


TITLE_BUTTONS = {"play": "Play", "options": "Options", "awards": "Awards", "exit": "Exit"}


def images():
    out = {
        "gfx/gui/mainMenu/back.jpg": back(),
        "gfx/gui/mainMenu/cloud-1.png": sky(),
        "gfx/gui/mainMenu/cloud-2.png": sky2(),
        "gfx/gui/mainMenu/beam-1.png": beam([100, 118], 1),
        "gfx/gui/mainMenu/beam-2.png": beam([58, 122], 2),
        "gfx/gui/mainMenu/beam-3.png": beam([80, 110, 30], 3),
        f"gfx/gui/mainMenu/{LANG}/logo.png": menu_logo(),
        "gfx/gui/continueQuest/scroll.png": scroll(),
        "gfx/gui/popUp/panel.png": Image(500, 320, panel_board(500, 320)),
        "gfx/gui/stageScreen/panel.png": stage_panel(),
        "gfx/gui/stageScreen/level_zerkon.png": icon_zerkon(),
        "gfx/gui/stageScreen/level_express.png": icon_express(),
        "gfx/gui/stageScreen/level_ho.png": icon_ho(),
        "gfx/gui/stageScreen/level_inLay.png": icon_inlay(),
    }
    for name, label in TITLE_BUTTONS.items():
        out[f"gfx/gui/mainMenu/{LANG}/{name}.png"] = Strip(230, 56, [big_button(label, 230, s) for s in STATES])
    for name, (label, w) in {"resume": ("Continue voyage", 250), "new": ("New game", 250),
                             "exit": ("Back", 160)}.items():
        out[f"gfx/gui/continueQuest/{LANG}/{name}.png"] = Strip(w, 46, [caption(label, w, s, 46, 21) for s in STATES])
    # The pop-up's answers are as large as "New game": its "Start over?" puts "Nay" exactly where
    # that button was, so the pointer that asked rests on the safe answer (popUp.gui).
    for name, label in {"no": "Nay", "yes": "Aye"}.items():
        out[f"gfx/gui/popUp/{LANG}/{name}.png"] = Strip(250, 46, [caption(label, 250, s, 46, 21) for s in STATES])
    out[f"gfx/gui/pickFlow/{LANG}/casual.png"] = Strip(200, 96, [voyage_button("Casual", "gentle seas", s)
                                                                  for s in STATES])
    out[f"gfx/gui/pickFlow/{LANG}/hard.png"] = Strip(200, 96, [voyage_button("Hard", "stormy waters", s)
                                                                for s in STATES])
    for name, (label, w) in {"back": ("Back to map", 190), "play": ("Play", 150)}.items():
        out[f"gfx/gui/stageScreen/{LANG}/{name}.png"] = Strip(w, 42, [caption(label, w, s) for s in STATES])
    return out
