"""The smugglers' cave by lantern light: a hidden-object scene of the hard voyage.

A cave in the cliffs, its mouth open on the moonlit sea, a rowing boat drawn in on the tide.
The smugglers' lantern hangs from their timber frame on the left and lights the cave warm
from there; the moon lights the water cold. Kegs, crates, a chest of gold and rocks crowd the
floor, so more things hide here than in the wreck, and deeper.
"""
import random

from svgkit import INK, SEA_DEEP, FOAM, PARCH_LIGHT, PARCH_DARK, WOOD_DARK, WOOD, WOOD_LIGHT, GOLD, GOLD_LIGHT, \
    GOLD_DARK, IRON, plank
from hoitems import s
from hoscene import Light, Thing, Front, Scene, glow
from hoprops import barrel, crate, sack, rope, rope_coil, net, rock, oar

# The lantern on the left lights things on their upper left, warm; the far side falls into the
# blue of the moonlit water; shadows are cast down and to the right.
CAVE_LIGHT = Light(key="#ffc070", shade="#141c36", ambient="#7a5a68", towards=(0.75, 0.65), ambient_amount=0.26,
                   saturation=0.78, key_amount=0.45, shade_amount=0.5, cast=(4, 3), cast_colour="#120c18",
                   cast_opacity=0.5, cast_blur=1.6)

ROCK = "#4a3c44"
ROCK_LIGHT = "#8a6a60"
ROCK_DARK = "#2a2028"

CAVE_DEFS = ('<linearGradient id="vwall" x1="0" y1="0" x2="1" y2="0">'
             '<stop offset="0" stop-color="#6a4a3a"/><stop offset="0.45" stop-color="#3e3038"/>'
             '<stop offset="1" stop-color="#262030"/></linearGradient>'
             '<linearGradient id="vnight" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#141c3a"/><stop offset="0.7" stop-color="#2e4a74"/>'
             '<stop offset="1" stop-color="#5a7098"/></linearGradient>'
             '<linearGradient id="vsea" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#2a4a70"/>'
             f'<stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>'
             '<linearGradient id="vpool" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#1e3a58"/>'
             '<stop offset="1" stop-color="#24506a"/></linearGradient>'
             '<linearGradient id="vsand" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#7a5a40"/>'
             '<stop offset="1" stop-color="#4a3428"/></linearGradient>'
             '<radialGradient id="vmoon" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#fbf0d0" stop-opacity="0.6"/>'
             '<stop offset="1" stop-color="#9ab0d0" stop-opacity="0"/></radialGradient>'
             '<radialGradient id="vlamp" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#ffc070" stop-opacity="0.42"/>'
             '<stop offset="0.6" stop-color="#ff9a40" stop-opacity="0.12"/>'
             '<stop offset="1" stop-color="#ff9a40" stop-opacity="0"/></radialGradient>'
             '<linearGradient id="vwash" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#140c20" stop-opacity="0.3"/><stop offset="0.4" stop-color="#140c20" stop-opacity="0.04"/>'
             '<stop offset="1" stop-color="#120a14" stop-opacity="0.34"/></linearGradient>')

MOUTH = ("M566,430 L562,384 C556,344 570,306 580,276 L598,232 C608,204 626,180 642,162 L666,138 C688,114 718,100 748,104 "
         "L782,96 C808,98 828,112 846,130 L870,152 C890,180 902,212 912,250 L920,298 C928,340 922,384 930,430 Z")


def facets(seed, box, n, colour, light):
    """Broken rock faces over a wall: flat shards, each lit along its top edge."""
    rnd = random.Random(seed)
    x0, y0, x1, y1 = box
    out = []
    for _ in range(n):
        cx, cy = rnd.uniform(x0, x1), rnd.uniform(y0, y1)
        w, h = rnd.uniform(50, 120), rnd.uniform(30, 70)
        pts = [(cx - w / 2, cy + h * rnd.uniform(0.1, 0.4)), (cx - w * 0.3, cy - h / 2), (cx + w * 0.25, cy - h * rnd.uniform(0.3, 0.6)),
               (cx + w / 2, cy + h * 0.1), (cx + w * 0.1, cy + h / 2)]
        d = "M" + " L".join(f"{x:.0f},{y:.0f}" for x, y in pts) + " Z"
        out.append(f'<path d="{d}" fill="{colour}" opacity="0.4" stroke="{INK}" stroke-width="1.5" stroke-opacity="0.35"/>'
                   f'<path d="M{pts[0][0]:.0f},{pts[0][1]:.0f} L{pts[1][0]:.0f},{pts[1][1]:.0f} L{pts[2][0]:.0f},{pts[2][1]:.0f}" '
                   f'stroke="{light}" stroke-width="2" fill="none" opacity="0.45" stroke-linecap="round"/>')
    return "".join(out)


def cave_back():
    out = ['<rect width="1024" height="768" fill="url(#vwall)"/>',
           facets(4, (0, 60, 1024, 520), 26, "#5a464a", ROCK_LIGHT),
           # the mouth: the night, the moon, the sea and a sloop at anchor, all inside its rim
           f'<defs><clipPath id="vmouth"><path d="{MOUTH}"/></clipPath></defs><g clip-path="url(#vmouth)">',
           f'<path d="{MOUTH}" fill="url(#vnight)"/>',
           '<circle cx="800" cy="190" r="80" fill="url(#vmoon)"/>',
           f'<circle cx="800" cy="190" r="26" fill="{PARCH_LIGHT}"/>',
           '<circle cx="792" cy="184" r="5" fill="#e0d4b0" opacity="0.7"/>',
           '<path d="M566,330 H930 V430 H566 Z" fill="url(#vsea)"/>']
    for x, y in ((660, 180), (700, 130), (880, 250), (620, 260), (760, 120), (900, 200)):
        out.append(f'<circle cx="{x}" cy="{y}" r="1.6" fill="{PARCH_LIGHT}" opacity="0.8"/>')
    for i in range(7):
        out.append(f'<path d="M{784 + (i % 2) * 8},{338 + i * 12} h{36 - i * 4}" stroke="{PARCH_LIGHT}" stroke-width="2" '
                   f'opacity="{0.7 - i * 0.08:.2f}" stroke-linecap="round"/>')
    out.append(f'<g transform="translate(640,290)"><path d="M0,36 H90 L80,48 H10 Z" fill="#1a2440"/>'
               '<rect x="42" y="-40" width="4" height="78" fill="#1a2440"/>'
               '<path d="M20,-30 H42 V30 H22 Q12,0 20,-30 Z M46,-34 H70 Q78,0 70,30 H46 Z" fill="#7a88a8"/>'
               f'<circle cx="12" cy="30" r="3" fill="{GOLD}"/></g>')
    # the rim of the mouth, rock lit by the moon on its inner edge
    out.append(f'<path d="{MOUTH}" fill="none" stroke="#9ab0d0" stroke-width="8" opacity="0.4" transform="translate(5,3)"/>'
               f'</g><path d="{MOUTH}" fill="none" stroke="{INK}" stroke-width="4" stroke-linejoin="round"/>')
    # the pool inside, fed by the sea
    out.append('<path d="M560,420 H940 C980,440 1024,450 1024,470 V600 C900,620 700,610 600,590 C540,570 500,520 520,470 '
               'C530,444 546,430 560,420 Z" fill="url(#vpool)" stroke="#0e1a2a" stroke-width="3"/>')
    for x, y, w in ((600, 470, 60), (700, 500, 90), (880, 480, 70), (640, 560, 80), (900, 560, 60), (560, 520, 40)):
        out.append(f'<path d="M{x},{y} q{w / 4},-5 {w / 2},0 q{w / 4},5 {w / 2},0" stroke="{FOAM}" stroke-width="1.6" '
                   f'fill="none" opacity="0.35"/>')
    out.append('<path d="M780,440 h40 M770,452 h60" stroke="#c8d4f0" stroke-width="2" opacity="0.4" stroke-linecap="round"/>')
    # the floor: sand and stone
    out.append('<path d="M0,520 C120,500 300,508 420,520 C480,526 520,560 560,600 C640,630 860,640 1024,600 V768 H0 Z" '
               f'fill="url(#vsand)" stroke="{INK}" stroke-width="3"/>')
    for i in range(6):
        y = 560 + i * 20
        out.append(f'<path d="M{-30 + i * 40},{y} q70,-8 140,0 t140,0 t140,0 t140,0 t140,0 t140,0 t140,0 t140,0" '
                   f'stroke="#3a2a20" stroke-width="1.6" fill="none" opacity="0.4"/>')
    out.append('<ellipse cx="300" cy="540" rx="330" ry="120" fill="url(#vlamp)"/>')
    out.append('<ellipse cx="300" cy="250" rx="300" ry="220" fill="url(#vlamp)"/>')
    return "".join(out)


def stalactite(x, y, w, h, seed=0):
    """A stalactite hanging from the roof at x, y, `w` wide and `h` long."""
    bend = (seed % 3 - 1) * w * 0.2
    d = (f'M{x - w / 2},{y} C{x - w * 0.4},{y + h * 0.4} {x - w * 0.1 + bend},{y + h * 0.8} {x + bend},{y + h} '
         f'C{x + w * 0.1 + bend},{y + h * 0.8} {x + w * 0.35},{y + h * 0.4} {x + w / 2},{y} Z')
    return (f'<path d="{d}" fill="{ROCK}" {s(2.5)}/>'
            f'<path d="M{x - w * 0.3},{y + 4} C{x - w * 0.25},{y + h * 0.4} {x - w * 0.05 + bend},{y + h * 0.7} {x + bend},{y + h * 0.9}" '
            f'stroke="{ROCK_LIGHT}" stroke-width="3" fill="none" opacity="0.6"/>')


def roof():
    out = ['<path d="M0,0 H1024 V70 C900,96 760,60 620,84 C480,104 300,70 160,92 C90,100 40,84 0,90 Z" '
           f'fill="{ROCK_DARK}" stroke="{INK}" stroke-width="3"/>']
    for x, y, w, h, k in ((40, 86, 44, 90, 0), (206, 86, 36, 70, 1), (382, 80, 50, 110, 2), (512, 90, 30, 64, 0),
                          (990, 70, 50, 120, 1), (930, 78, 30, 60, 2)):
        out.append(stalactite(x, y, w, h, k))
    return "".join(out)


def timber():
    """The smugglers' frame against the left wall: two posts, a beam, a shelf between them."""
    out = [f'<rect x="44" y="120" width="20" height="420" fill="url(#woodH)" {s(2.5)}/>',
           f'<rect x="376" y="110" width="20" height="420" fill="url(#woodH)" {s(2.5)}/>',
           f'<rect x="30" y="116" width="400" height="18" rx="3" fill="url(#wood)" {s(2.5)}/>',
           f'<path d="M64,180 L110,134 M376,170 L330,134" stroke="{INK}" stroke-width="11" stroke-linecap="round"/>'
           f'<path d="M64,180 L110,134 M376,170 L330,134" stroke="{WOOD}" stroke-width="7" stroke-linecap="round"/>',
           plank(60, 300, 320, 12, r=2),
           f'<path d="M80,312 L96,330 M360,312 L344,330" stroke="{WOOD_DARK}" stroke-width="5"/>']
    # what stands on the shelf: decoy bottles and a jug
    for x, h, c in ((96, 38, "#3f7a5a"), (122, 30, "#6a3a2a"), (286, 40, "#3f7a5a"), (340, 34, "#4a4a6a")):
        out.append(shelf_bottle(x, h, c))
    out.append(f'<path d="M168,300 C160,286 162,268 172,262 V252 H192 V262 C202,268 204,286 196,300 Z" fill="{PARCH_DARK}" {s(2)}/>'
               f'<path d="M196,270 C210,270 210,290 198,292" stroke="{INK}" stroke-width="3" fill="none"/>')
    return "".join(out)


def shelf_bottle(x, h, c):
    """A bottle `h` tall standing on the shelf at x: decoys among the things."""
    return (f'<path d="M{x - 3},{300 - h} h6 v8 c6,3 8,8 8,14 v{h - 24} c0,2 -1,2 -3,2 h-16 c-2,0 -3,0 -3,-2 '
            f'v-{h - 24} c0,-6 2,-11 8,-14 Z" fill="{c}" {s(1.8)}/>'
            f'<path d="M{x - 6},{300 - h + 20} v{h - 26}" stroke="{FOAM}" stroke-width="2" opacity="0.5"/>')


def lantern():
    """The lantern hanging from the beam: the light of the cave."""
    return (f'<path d="M250,134 V158" stroke="{INK}" stroke-width="3"/>'
            f'<circle cx="250" cy="160" r="5" fill="none" stroke="{INK}" stroke-width="2.5"/>'
            f'<path d="M232,172 L250,162 L268,172 Z" fill="{IRON}" {s(2)}/>'
            f'<rect x="234" y="172" width="32" height="42" rx="5" fill="#ffe7a0" {s(2)}/>'
            f'<path d="M250,182 c7,9 7,18 0,24 c-7,-6 -7,-15 0,-24 Z" fill="{GOLD}"/>'
            f'<path d="M250,190 c3,4 3,9 0,12 c-3,-3 -3,-8 0,-12 Z" fill="{GOLD_LIGHT}"/>'
            f'<path d="M242,172 V214 M258,172 V214" stroke="{IRON}" stroke-width="2.5"/>'
            f'<path d="M230,214 H270 L264,224 H236 Z" fill="{IRON}" {s(2)}/>')


def open_chest(x, y, front):
    """A chest standing open, heaped with gold: the lid and the heap behind, the front wall before.
    x, y: the top-left of the front wall."""
    if not front:
        return (f'<path d="M{x + 6},{y} L{x + 14},{y - 60} H{x + 146} L{x + 144},{y} Z" fill="url(#wood)" {s(2.5)}/>'
                f'<path d="M{x + 20},{y - 54} H{x + 140}" stroke="{GOLD_DARK}" stroke-width="5"/>'
                f'<path d="M{x + 40},{y - 58} V{y - 2} M{x + 120},{y - 58} V{y - 2}" stroke="{IRON}" stroke-width="5"/>'
                f'<path d="M{x - 4},{y + 6} C{x + 20},{y - 22} {x + 50},{y - 24} {x + 76},{y - 28} C{x + 110},{y - 30} '
                f'{x + 140},{y - 18} {x + 156},{y + 6} Z" fill="url(#gold)" {s(2)}/>'
                + "".join(f'<circle cx="{x + dx}" cy="{y + dy}" r="5.5" fill="{GOLD}" {s(1)}/>'
                          for dx, dy in ((20, -4), (40, -14), (96, -22), (124, -14), (140, -2), (66, -20))))
    return (f'<path d="M{x - 6},{y} H{x + 156} L{x + 150},{y + 64} H{x} Z" fill="url(#wood)" {s(2.5)}/>'
            f'<path d="M{x - 6},{y} H{x + 156}" stroke="{GOLD_DARK}" stroke-width="6"/>'
            f'<path d="M{x + 24},{y + 2} V{y + 62} M{x + 126},{y + 2} V{y + 62}" stroke="{IRON}" stroke-width="6"/>'
            f'<rect x="{x + 66}" y="{y + 10}" width="18" height="20" rx="3" fill="url(#gold)" {s(1.5)}/>'
            f'<circle cx="{x + 75}" cy="{y + 19}" r="2.5" fill="{INK}"/>')


def boat(front):
    """The rowing boat on the pool: its far side and thwarts behind, the near side of the hull before."""
    if not front:
        return (f'<path d="M590,488 C640,468 780,466 860,478 L850,496 C780,490 650,494 600,504 Z" fill="{WOOD_DARK}" {s(2)}/>'
                f'<path d="M660,496 L664,512 M760,490 L762,508" stroke="{WOOD}" stroke-width="9"/>')
    hull = (f'M584,488 C640,500 790,496 866,476 C872,500 852,530 820,546 C760,562 660,560 620,548 '
            f'C596,538 582,512 584,488 Z')
    return (f'<path d="{hull}" fill="url(#wood)" {s(3)}/>'
            f'<path d="M584,488 C640,500 790,496 866,476" stroke="{WOOD_LIGHT}" stroke-width="5" fill="none"/>'
            f'<path d="M596,516 C660,528 790,524 856,506 M612,536 C680,546 780,544 836,530" stroke="{WOOD_DARK}" '
            f'stroke-width="2" fill="none" opacity="0.7"/>'
            f'<path d="M600,560 C680,574 800,570 850,556" stroke="{FOAM}" stroke-width="2" fill="none" opacity="0.4"/>')


def boat_net():
    outline = "M790,470 L826,462 L862,470 L872,500 L852,530 L812,546 L800,520 Z"
    return net("vnet", outline, step=12, fill_opacity=0.2, floats=((826, 464), (858, 474)))


def rock_pile():
    """Two boulders fallen from the roof on the shore."""
    return (rock(506, 608, 48, 40, ROCK, ROCK_LIGHT, seed=11) + rock(462, 614, 30, 22, "#5a4a50", ROCK_LIGHT, seed=12))


def floor_odds():
    """Pebbles, a broken plank and shells on the floor: decoys among the things."""
    out = [f'<path d="M600,646 L700,636 L702,646 L604,658 Z" fill="{WOOD}" {s(2)}/>'
           f'<path d="M700,636 l10,-6 l-2,12 Z" fill="{WOOD}" {s(1.5)}/>']
    for i, (x, y) in enumerate(((230, 640), (560, 650), (760, 648), (520, 664), (180, 660), (810, 620), (260, 600))):
        if i % 3 == 2:
            out.append(f'<path d="M{x - 7},{y + 3} Q{x},{y - 9} {x + 7},{y + 3} Z" fill="#e9c2a8" {s(1.2)}/>')
        else:
            out.append(f'<ellipse cx="{x}" cy="{y}" rx="{7 + i % 3 * 2}" ry="{4 + i % 2}" fill="#6a5a5a" {s(1.2)}/>')
    out.append('<ellipse cx="680" cy="606" rx="50" ry="8" fill="#24506a" opacity="0.6"/>'
               '<path d="M660,604 h30" stroke="#c8d4f0" stroke-width="1.5" opacity="0.4"/>')
    return "".join(out)


def cave_scene():
    chest_x, chest_y = 286, 560
    back = [cave_back(), roof(), timber(), crate(62, 420, 110, 80, 16), barrel(180, 412, 96, 120),
            sack(70, 494, 90, 84), boat(False), oar(540, 430, 660, 470, 7),
            open_chest(chest_x, chest_y, False), rope('M396,180 C420,230 420,300 440,350', 5),
            rock_pile(), rock(1000, 520, 60, 40, ROCK, ROCK_LIGHT, seed=5), floor_odds()]
    fronts = [
        Front("lantern", lantern(), (226, 130, 48, 98)),
        Front("keg", barrel(180, 412, 96, 120), (174, 406, 110, 132)),
        Front("crate", crate(62, 420, 110, 80, 16), (56, 396, 136, 110)),
        Front("sack", sack(70, 494, 90, 84), (58, 486, 110, 100)),
        Front("chest", open_chest(chest_x, chest_y, True), (274, 554, 174, 76)),
        Front("boat", boat(True), (578, 470, 296, 108)),
        Front("boatnet", boat_net(), (780, 454, 100, 100)),
        Front("rocks", rock_pile(), (430, 560, 130, 60)),
        Front("rope", rope_coil(414, 650, 64, 18, 3, 8), (342, 624, 146, 48)),
        Front("rockleft", rock(54, 650, 110, 56, ROCK, ROCK_LIGHT, seed=7), (0, 584, 170, 87)),
        Front("rockright", rock(944, 640, 96, 50, ROCK, ROCK_LIGHT, seed=8), (840, 580, 184, 91)),
        Front("bottles", "".join(shelf_bottle(x, h, c) for x, h, c in ((96, 38, "#3f7a5a"), (122, 30, "#6a3a2a"))),
              (80, 256, 60, 48)),
        Front("shelfjug", '<path d="M168,300 C160,286 162,268 172,262 V252 H192 V262 C202,268 204,286 196,300 Z" '
                          f'fill="{PARCH_DARK}" {s(2)}/><path d="M196,270 C210,270 210,290 198,292" stroke="{INK}" '
                          'stroke-width="3" fill="none"/>', (156, 246, 60, 58)),
        # cut above the chest's lid, which stands in front of the post
        Front("post", f'<rect x="376" y="110" width="20" height="386" fill="url(#woodH)" {s(2.5)}/>', (372, 106, 28, 394)),
    ]
    things = [Thing("mug", 206, 280, 42, -4), Thing("hourglass", 136, 278, 42, 4), Thing("key", 404, 204, 50, 100),
              Thing("hook", 282, 158, 54, 4), Thing("pistol", 130, 402, 58, -8), Thing("dagger", 238, 402, 58, 60),
              Thing("gem", 366, 548, 40, 6), Thing("goblet", 314, 548, 44, -8), Thing("skull", 130, 616, 46, 8),
              Thing("coin", 346, 636, 42, 0), Thing("ring", 524, 556, 48, 14), Thing("anchor", 700, 482, 52, -10),
              Thing("bottle", 776, 476, 46, 30), Thing("crab", 880, 600, 50, 4), Thing("starfish", 944, 592, 48, -12)]
    lights = [("glow-lantern.png", glow(220, "#ffc070"), 140, 84), ("glow-moon.png", glow(240, "#7a8cb8"), 680, 70),
              ("glow-gold.png", glow(200, GOLD), 266, 420)]
    return Scene("cave", 6, CAVE_LIGHT, back, things, fronts, defs=CAVE_DEFS, lights=lights, wash="url(#vwash)")
