"""Hidden-object scenes: the harbour dock at dusk and the sunken wreck (the casual voyage), the
captain's cabin and the smugglers' cave (the hard voyage, gen/hocabin.py and gen/hocave.py:
more things, smaller and deeper hidden), the things hidden in them, their panel icons in
colour and sepia, the lights and the fronts (mask pictures), the bottom panel, the top panel
with the hint bar (`pasek`, its cover `nakrycie`), the tick and the all-found plaque.

Each scene is a `hoscene.Scene`: its painting, the pieces of it that stand in front of hidden
things (cut out as masks, so things peek out from behind a barrel or through a net), its
light, and the table of hidden things, from which the level files
(data/levels/hiddenObject/*.hol) are written too, so pictures and positions never disagree.
A thing is drawn in the scene's light and partly hidden, but always more than half of it in
sight (tests/minigames/hidden_object checks the shipped scenes).

    python3 images/hiddenobject.py            # rewrite the level files after changing a scene
    python3 images/hiddenobject.py --preview DIR [--boxes]   # DIR/<scene>.svg, no build needed
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

from svgkit import Image, INK, SEA, SEA_DEEP, SEA_LIGHT, FOAM, PARCH, PARCH_LIGHT, PARCH_DARK, WOOD_DARK, WOOD, \
    WOOD_LIGHT, GOLD, GOLD_LIGHT, GOLD_DARK, IRON, IRON_LIGHT, RED, GREEN, plank, plaque, rivet, shadow, rrect
from hoitems import s
from hocabin import cabin_scene
from hocave import cave_scene
from hoscene import ROOT, TOP_H, Light, Thing, Front, Scene, glow, icon, preview
from hoprops import barrel, crate, sack, rope, rope_coil, net, bucket, sea_chest, bollard, \
    cannonballs, gull, lobster_pot, plank_floor, rock, weed, coral, shells, bubbles_deco


# ---- the panels --------------------------------------------------------------------------------

def top_panel():
    body = (plank(0, 0, 1024, TOP_H - 2, r=0, sw=3) +
            f'<path d="M0,{TOP_H - 3} H1024" stroke="{GOLD_DARK}" stroke-width="2"/>' +
            plaque(300, 2, 424, TOP_H - 3, r=10) +
            rrect(884, 3, 132, 36, 8, "#1a100a", stroke=GOLD_DARK, sw=2) +
            "".join(rivet(x, TOP_H / 2, 3.5) for x in (10, 290, 734, 874)))
    return Image(1024, TOP_H, body)


def pasek():
    """The charge of the skip and hint bars: polished wood, gold-edged and ridged, that fills
    its dark well from the left. Gold and cream captions both read on it. The well stands
    around the captions the game writes at y 9 (the skip's 18 px, the hint's 24 px), so they
    sit in its middle rather than on its top edge."""
    body = ('<defs><linearGradient id="pk" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{WOOD_LIGHT}"/><stop offset="0.5" stop-color="{WOOD}"/>'
            f'<stop offset="1" stop-color="{WOOD_DARK}"/></linearGradient></defs>'
            f'<rect x="4" y="3" width="116" height="24" rx="5" fill="url(#pk)" stroke="{INK}" stroke-width="1"/>')
    body += "".join(f'<path d="M{x},7 V23" stroke="{GOLD_DARK}" stroke-width="1.2" opacity="0.45"/>'
                    for x in range(14, 118, 10))
    body += f'<path d="M8,5.5 H116" stroke="{GOLD}" stroke-width="2" opacity="0.9" stroke-linecap="round"/>'
    body += f'<path d="M8,24.5 H116" stroke="{GOLD_DARK}" stroke-width="1.5" opacity="0.9" stroke-linecap="round"/>'
    return Image(124, 30, body)


def nakrycie():
    """The bar's frame: a wooden rim with a gold bead inside and a rivet at each end."""
    return Image(124, 30, f'<rect x="2.5" y="1.5" width="119" height="27" rx="7" fill="none" stroke="url(#wood)" '
                          f'stroke-width="4"/><rect x="1" y="0.5" width="122" height="29" rx="8" fill="none" {s(1.5)}/>'
                          f'<rect x="5" y="3" width="114" height="24" rx="5" fill="none" stroke="url(#gold)" '
                          f'stroke-width="1.6"/>' + rivet(8, 15, 2.6) + rivet(116, 15, 2.6))


def pick():
    return Image(32, 32, shadow(f'<path d="M5,17 L13,25 L27,7" stroke="{INK}" stroke-width="8" fill="none" '
                                f'stroke-linecap="round" stroke-linejoin="round"/>'
                                f'<path d="M5,17 L13,25 L27,7" stroke="{GOLD}" stroke-width="4.5" fill="none" '
                                f'stroke-linecap="round" stroke-linejoin="round"/>'))


# ---- the harbour dock at dusk ------------------------------------------------------------------
# The light: the low sun and the lantern behind and to the right, the dusk sky over all; things
# are warm on their upper right, plum in their shadows, and cast their shadow down-left.

DOCK_LIGHT = Light(key="#ffd28a", shade="#3b2140", ambient="#9a6070", towards=(-0.4, 1), ambient_amount=0.2,
                   saturation=0.8, key_amount=0.42, shade_amount=0.42, cast=(-2, 3), cast_colour="#2a1420",
                   cast_opacity=0.45, cast_blur=1.5)

DOCK_DEFS = ('<linearGradient id="dusk" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#2d3d66"/><stop offset="0.5" stop-color="#b0636a"/>'
             '<stop offset="0.8" stop-color="#f0b070"/><stop offset="1" stop-color="#f7de71"/></linearGradient>'
             '<linearGradient id="dsea" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#7a7a98"/>'
             f'<stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>'
             '<radialGradient id="dsun" cx="0.5" cy="0.5" r="0.5"><stop offset="0" stop-color="#fff2b0" stop-opacity="0.8"/>'
             '<stop offset="1" stop-color="#f0b070" stop-opacity="0"/></radialGradient>'
             '<linearGradient id="dwindow" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff2b0"/>'
             '<stop offset="1" stop-color="#e8a040"/></linearGradient>'
             '<linearGradient id="ddeck" x1="0" y1="0" x2="0" y2="1">'
             f'<stop offset="0" stop-color="{WOOD}"/><stop offset="1" stop-color="{WOOD_LIGHT}"/></linearGradient>'
             '<linearGradient id="dwash" x1="0" y1="0" x2="0" y2="1">'
             '<stop offset="0" stop-color="#2d2450" stop-opacity="0.1"/><stop offset="0.5" stop-color="#2d2450" stop-opacity="0"/>'
             '<stop offset="0.75" stop-color="#3a2040" stop-opacity="0.05"/>'
             '<stop offset="1" stop-color="#2a1830" stop-opacity="0.3"/></linearGradient>')


def dock_sky():
    out = ['<rect width="1024" height="320" fill="url(#dusk)"/>',
           '<circle cx="560" cy="306" r="150" fill="url(#dsun)"/>',
           '<circle cx="560" cy="306" r="56" fill="#fff2b0" opacity="0.95"/>']
    for cx, cy, rx in ((420, 170, 120), (470, 186, 80), (720, 130, 150), (900, 210, 110), (330, 240, 90)):
        out.append(f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="7" fill="#f6b48a" opacity="0.45"/>'
                   f'<ellipse cx="{cx + 20}" cy="{cy + 6}" rx="{rx * 0.7:.0f}" ry="4" fill="#8a4a6a" opacity="0.3"/>')
    out.append('<path d="M790,306 C830,268 880,256 930,262 C970,266 1000,248 1024,244 V310 H790 Z" fill="#5a4268"/>'
               '<path d="M840,306 C880,286 930,280 1024,284 V310 H840 Z" fill="#47365a"/>')
    out.append('<rect y="300" width="1024" height="150" fill="url(#dsea)"/>')
    for i in range(14):
        y = 308 + i * 9
        w = 70 - i * 3
        out.append(f'<path d="M{560 - w / 2 + (i % 3) * 6},{y} h{w}" stroke="#fff2b0" stroke-width="2" '
                   f'opacity="{0.75 - i * 0.045:.2f}" stroke-linecap="round"/>')
    for x, y in ((120, 330), (380, 352), (700, 340), (860, 380), (300, 400), (960, 350)):
        out.append(f'<path d="M{x},{y} q10,-4 20,0 q10,4 20,0" stroke="{FOAM}" stroke-width="1.5" fill="none" opacity="0.35"/>')
    # a ship at anchor on the horizon
    out.append(f'<g transform="translate(590,250)" opacity="0.92"><path d="M0,60 H160 L140,84 H20 Z" fill="#3a2430" {s(2)}/>'
               f'<rect x="76" y="-62" width="6" height="124" fill="#3a2430"/>'
               f'<path d="M30,-40 H76 V40 H30 Q20,0 30,-40 Z" fill="#e8c8a8" {s(2)}/>'
               f'<path d="M82,-50 H130 Q140,-5 130,40 H82 Z" fill="#e8c8a8" {s(2)}/>'
               f'<path d="M79,-62 l20,6 l-20,6 Z" fill="{RED}"/></g>')
    return "".join(out)


def dock_tavern():
    out = [f'<rect x="-4" y="46" width="304" height="400" fill="url(#woodH)" {s(3)}/>']
    for i in range(9):
        out.append(f'<path d="M0,{86 + i * 44} H298" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.55"/>')
    for x, y in ((60, 108), (220, 152), (120, 240), (250, 284), (40, 328), (180, 416)):
        out.append(f'<circle cx="{x}" cy="{y}" r="1.8" fill="{INK}" opacity="0.6"/>')
    out.append(f'<rect x="-4" y="46" width="304" height="16" fill="{WOOD_DARK}" {s(2)}/>')
    # the lit window
    out.append(f'<rect x="146" y="112" width="118" height="108" rx="3" fill="{WOOD_DARK}" {s(3)}/>'
               f'<rect x="154" y="120" width="102" height="92" fill="url(#dwindow)"/>'
               f'<path d="M205,120 V212 M154,166 H256" stroke="{WOOD_DARK}" stroke-width="6"/>'
               f'<rect x="140" y="218" width="130" height="10" rx="2" fill="url(#wood)" {s(2)}/>')
    # the shelf and what stands on it
    out.append(plank(132, 372, 168, 14, r=3))
    out.append(f'<path d="M150,386 L160,404 M282,386 L272,404" stroke="{WOOD_DARK}" stroke-width="5"/>')
    out.append(f'<path d="M262,346 h28 v24 a4,4 0 0 1 -4,4 h-20 a4,4 0 0 1 -4,-4 Z" fill="{IRON_LIGHT}" {s(2)}/>'
               f'<path d="M290,352 q9,0 9,8 q0,8 -9,8" stroke="{INK}" stroke-width="3" fill="none"/>'
               f'<path d="M266,352 v16" stroke="#ffffff" stroke-width="2" opacity="0.5"/>')
    out.append(f'<rect x="142" y="350" width="12" height="22" rx="2" fill="{PARCH_LIGHT}" {s(1.5)}/>'
               f'<path d="M148,350 v-6" stroke="{INK}" stroke-width="1.5"/>'
               f'<ellipse cx="148" cy="340" rx="3" ry="5" fill="{GOLD}" opacity="0.9"/>')
    return "".join(out)


def dock_palm():
    out = [f'<path d="M22,450 C32,300 62,160 42,24" stroke="{INK}" stroke-width="30" fill="none" stroke-linecap="round"/>'
           f'<path d="M22,450 C32,300 62,160 42,24" stroke="{WOOD}" stroke-width="25" fill="none" stroke-linecap="round"/>']
    for i in range(10):
        y = 60 + i * 40
        out.append(f'<path d="M{20 + 12 * (i % 2)},{y} q14,-6 26,2" stroke="{WOOD_DARK}" stroke-width="2" fill="none"/>')
    for a in (-70, -35, 0, 35, 70, 110):
        out.append(f'<g transform="translate(40,34) rotate({a})"><path d="M0,0 C40,-20 110,-10 150,30 '
                   f'C100,10 40,10 0,0 Z" fill="{GREEN}" {s(2)}/><path d="M6,0 C50,-8 100,0 140,24" stroke="#2f5a2a" '
                   f'stroke-width="1.5" fill="none"/></g>')
    return "".join(out)


def dock_post():
    """The lantern post: the arm, its lantern hanging left, the bell's hook right."""
    return (f'<rect x="730" y="92" width="14" height="364" fill="url(#woodH)" {s(2.5)}/>'
            f'<rect x="690" y="88" width="110" height="12" rx="2" fill="url(#wood)" {s(2.5)}/>'
            f'<path d="M706,100 v18 M776,100 v12" stroke="{INK}" stroke-width="2"/>'
            f'<path d="M696,118 h20 l4,8 h-28 Z" fill="{WOOD_DARK}" {s(2)}/>'
            f'<rect x="694" y="126" width="24" height="38" rx="3" fill="#fff2b0" {s(2)}/>'
            f'<path d="M700,126 v38 M712,126 v38" stroke="{WOOD_DARK}" stroke-width="2"/>'
            f'<path d="M692,164 h28 l-4,6 h-20 Z" fill="{WOOD_DARK}" {s(2)}/>')


def dock_brace():
    """The post's diagonal brace, in front of the bell."""
    return (f'<path d="M744,176 L796,100" stroke="{INK}" stroke-width="12" stroke-linecap="round"/>'
            f'<path d="M744,176 L796,100" stroke="{WOOD}" stroke-width="8" stroke-linecap="round"/>'
            f'<path d="M742,172 L792,99" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.7"/>')


def dock_mast():
    return (f'<path d="M849,60 L1024,300 M849,60 L700,300 M849,120 L1024,200 M849,60 L960,231" stroke="{INK}" '
            f'stroke-width="2" opacity="0.8"/>'
            f'<rect x="840" y="40" width="18" height="420" fill="url(#woodH)" {s(3)}/>'
            f'<rect x="786" y="222" width="180" height="11" rx="3" fill="url(#wood)" {s(2.5)}/>')


def dock_furl():
    """The sail furled along the yard, lashed in three places: a spyglass is tucked in it."""
    body = (f'<path d="M792,236 C800,228 950,228 962,236 C966,250 955,262 940,262 C900,266 840,266 808,262 '
            f'C794,260 788,246 792,236 Z" fill="{PARCH}" {s(2.5)}/>'
            f'<path d="M804,248 C850,254 910,254 950,246" stroke="{PARCH_DARK}" stroke-width="2" fill="none"/>'
            f'<path d="M810,256 C860,260 900,260 944,255" stroke="{PARCH_DARK}" stroke-width="1.5" fill="none"/>')
    for x in (822, 884, 940):
        body += rope(f'M{x - 3},226 C{x - 8},240 {x - 6},256 {x},266', 5)
    return body


def dock_deck():
    out = [plank_floor(446, "url(#ddeck)", 9, 20, 0.4, range(-200, 1300, 120), 0.6)]
    for x, y in ((90, 470), (330, 520), (610, 700), (860, 480), (980, 640), (420, 560)):
        out.append(f'<path d="M{x},{y} h3 M{x + 40},{y} h3" stroke="{INK}" stroke-width="2.5" opacity="0.5"/>')
    out.append(f'<rect x="0" y="440" width="1024" height="12" fill="{WOOD_DARK}" {s(2)}/>')
    return "".join(out)


def dock_bollard_rope():
    """The mooring line wound round the bollard and running off to the water."""
    return (rope('M452,446 C470,454 494,452 506,444', 7) + rope('M452,432 C470,440 494,438 506,430', 7)
            + rope('M506,438 C540,440 580,420 640,396', 6))


def dock_deck_net():
    outline = ("M748,662 L760,600 L790,574 L840,560 L900,548 L960,552 L1000,566 L1018,600 L1022,662 Z")
    return net("dnet", outline, step=20, fill_opacity=0.1, floats=((790, 580), (880, 552), (968, 556), (1012, 600)))


def dock_scene():
    back = [dock_sky(), dock_tavern(), dock_palm(), dock_post(), dock_mast(), dock_deck(),
            bollard(452, 404, 54, 62), cannonballs(575, 500, 10), crate(662, 420, 136, 100, 20),
            gull(772, 406, 0.9), sea_chest(24, 560, 176, 96), bucket(150, 470, 58, 60),
            crate(964, 470, 70, 64, 14), crate(972, 416, 58, 54, 12), lobster_pot(640, 600, 86, 58)]
    fronts = [
        Front("jar", f'<path d="M218,330 h30 v6 c8,6 10,14 10,22 v10 a4,4 0 0 1 -4,4 h-42 a4,4 0 0 1 -4,-4 v-10 '
                     f'c0,-8 2,-16 10,-22 Z" fill="{SEA_LIGHT}" fill-opacity="0.9" {s(2)}/>'
                     f'<rect x="216" y="322" width="34" height="9" rx="2" fill="{WOOD_LIGHT}" {s(1.5)}/>'
                     f'<path d="M214,350 h38" stroke="{PARCH}" stroke-width="9"/>'
                     f'<path d="M214,350 h38" stroke="{INK}" stroke-width="1" stroke-dasharray="2 4"/>'
                     f'<path d="M216,340 c-2,8 -2,16 0,24" stroke="{FOAM}" stroke-width="2.5" fill="none" opacity="0.7"/>',
              (204, 318, 62, 60)),
        Front("wallnet", net("wnet", "M54,232 L150,250 L158,330 L140,420 L70,432 L50,340 Z", step=19, fill_opacity=0.08,
                             floats=((56, 236), (150, 252))), (44, 224, 124, 216)),
        Front("brace", dock_brace(), (736, 92, 68, 92)),
        Front("furl", dock_furl(), (784, 218, 186, 54)),
        Front("bollard", dock_bollard_rope(), (440, 420, 206, 40)),
        Front("bucket", bucket(150, 470, 58, 60, mouth=False), (146, 466, 66, 68)),
        Front("barrel", barrel(250, 470, 110, 134), (238, 464, 134, 144)),
        Front("sack", sack(612, 448, 80, 90), (600, 440, 100, 104)),
        Front("keg", barrel(522, 544, 86, 104), (512, 538, 106, 114)),
        Front("rope", rope_coil(410, 640, 82, 26, 3, 9), (322, 608, 176, 66)),
        Front("net", dock_deck_net(), (740, 540, 284, 128)),
    ]
    things = [Thing("key", 194, 357, 52, -4), Thing("hook", 158, 300, 54, -6), Thing("spyglass", 892, 218, 70, -8),
              Thing("bell", 778, 142, 44, 4), Thing("compass", 700, 482, 46, -8), Thing("bottle", 352, 458, 48, 6),
              Thing("hourglass", 510, 550, 46, -4), Thing("coin", 498, 624, 40, 0), Thing("anchor", 930, 590, 62, 18),
              Thing("scroll", 822, 628, 50, -14), Thing("quill", 184, 474, 54, 8), Thing("dagger", 482, 410, 54, 30)]
    lights = [("glow-lantern.png", glow(160, GOLD_LIGHT), 626, 66), ("glow-window.png", glow(240, GOLD), 85, 46),
              ("glow-sun.png", glow(260, "#ffd28a"), 430, 176)]
    return Scene("dock", 3, DOCK_LIGHT, back, things, fronts, defs=DOCK_DEFS, lights=lights,
                 leaves=[(30, 40, 200, 140, 2500)], wash="url(#dwash)")


# ---- the sunken wreck ---------------------------------------------------------------------------
# The light: the sun far above, through the water: things are lit pale from the top, deep blue
# below, their colours calmed and hazed by the water, their shadows soft on the sand.

WRECK_LIGHT = Light(key=FOAM, shade=SEA_DEEP, ambient="#3f8a98", towards=(0.15, 1), ambient_amount=0.22,
                    saturation=0.7, key_amount=0.4, shade_amount=0.5, haze=SEA, haze_amount=0.1, cast=(1, 4),
                    cast_colour="#0b1b29", cast_opacity=0.45, cast_blur=2)

WRECK_DEFS = ('<linearGradient id="wdeep" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#4a9ab0"/>'
              f'<stop offset="0.45" stop-color="{SEA}"/><stop offset="1" stop-color="#0e2536"/></linearGradient>'
              '<linearGradient id="wsand" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#b89a68"/>'
              '<stop offset="1" stop-color="#6d5433"/></linearGradient>'
              '<linearGradient id="whull" x1="0" y1="0" x2="0" y2="1">'
              '<stop offset="0" stop-color="#8a6a4a"/><stop offset="0.5" stop-color="#5e4430"/>'
              '<stop offset="1" stop-color="#2e2420"/></linearGradient>'
              '<linearGradient id="wshaft" x1="0" y1="0" x2="0" y2="1">'
              f'<stop offset="0" stop-color="{FOAM}" stop-opacity="0.16"/>'
              f'<stop offset="1" stop-color="{FOAM}" stop-opacity="0"/></linearGradient>'
              '<linearGradient id="wwash" x1="0" y1="0" x2="0" y2="1">'
              '<stop offset="0" stop-color="#3b8aa3" stop-opacity="0.12"/>'
              '<stop offset="0.6" stop-color="#24597a" stop-opacity="0.1"/>'
              '<stop offset="1" stop-color="#0b1b29" stop-opacity="0.28"/></linearGradient>')

# The hull's top edge runs from (HX0, HY0) to (HX1, HY1): it lies on the sand, bow up.
HX0, HY0, HX1, HY1 = 110, 372, 900, 292


def hull_y(x):
    return HY0 + (HY1 - HY0) * (x - HX0) / (HX1 - HX0)


def wreck_back():
    out = ['<rect width="1024" height="768" fill="url(#wdeep)"/>']
    for x, w in ((150, 90), (560, 60), (760, 110)):
        out.append(f'<path d="M{x},0 L{x + w},0 L{x + w * 2.4:.0f},768 L{x - w * 0.8:.0f},768 Z" fill="url(#wshaft)"/>')
    out.append('<path d="M0,470 C60,420 140,430 200,460 C260,400 340,420 380,470 L380,560 H0 Z" fill="#1d4a60" opacity="0.8"/>'
               '<path d="M700,480 C760,430 860,410 920,450 C960,430 1000,430 1024,440 V560 H700 Z" fill="#1d4a60" '
               'opacity="0.8"/>')
    for x, h in ((260, 120), (330, 90), (880, 140), (940, 100)):
        out.append(f'<path d="M{x},560 C{x - 14},{560 - h * 0.5:.0f} {x + 16},{560 - h * 0.7:.0f} {x + 4},{560 - h}" '
                   f'stroke="#1f5a4a" stroke-width="8" fill="none" stroke-linecap="round" opacity="0.8"/>')
    out.append('<path d="M0,548 C200,520 400,576 600,540 C800,508 900,556 1024,536 V768 H0 Z" fill="url(#wsand)"/>')
    for i in range(7):
        y = 572 + i * 16
        out.append(f'<path d="M{-20 + i * 30},{y} q60,-8 120,0 t120,0 t120,0 t120,0 t120,0 t120,0 t120,0 t120,0 t120,0" '
                   f'stroke="#8a7048" stroke-width="2" fill="none" opacity="0.5"/>')
    return "".join(out)


def wreck_hull():
    """The broken ship on its side: hull planks, a hole, three portholes, the rail, a broken mast."""
    top = f"M{HX0},{HY0} L{HX1},{HY1}"
    shape = (f'M{HX0},{HY0} L{HX1},{HY1} C{HX1 + 20},{HY1 + 80} {HX1 - 10},{HY1 + 190} {HX1 - 40},{HY1 + 250} '
             f'C{700},{HY1 + 300} {330},{HY0 + 250} {HX0 + 60},{HY0 + 220} C{HX0 + 20},{HY0 + 150} {HX0 - 10},{HY0 + 60} '
             f'{HX0},{HY0} Z')
    out = [f'<path d="{shape}" fill="url(#whull)" {s(4)}/>']
    for i in range(1, 7):
        dy = i * 34
        out.append(f'<path d="M{HX0 + 4 + i * 4},{HY0 + dy} L{HX1 - 4 - i * 5},{HY1 + dy - 6}" stroke="#2e2018" '
                   f'stroke-width="3" opacity="0.75"/>'
                   f'<path d="M{HX0 + 6 + i * 4},{HY0 + dy + 3} L{HX1 - 6 - i * 5},{HY1 + dy - 3}" stroke="#a08060" '
                   f'stroke-width="1.2" opacity="0.5"/>')
    out.append(f'<path d="{top}" stroke="#a08060" stroke-width="3" opacity="0.7" transform="translate(0,4)"/>')
    # the hole the goblet hides in
    out.append('<path d="M396,356 L430,344 L448,376 L480,340 L516,348 L526,400 L508,452 L520,500 L470,520 L420,506 '
               'L402,460 L410,420 Z" fill="#0b1b29" stroke="#2e2018" stroke-width="3"/>')
    # portholes: two dark ones and the one the compass lies behind
    for cx, cy in ((250, 420), (784, 366)):
        out.append(f'<circle cx="{cx}" cy="{cy}" r="24" fill="{GOLD_DARK}" {s(2.5)}/>'
                   f'<circle cx="{cx}" cy="{cy}" r="17" fill="#143049" {s(2)}/>'
                   f'<path d="M{cx - 9},{cy - 6} a11,11 0 0 1 10,-7" stroke="{FOAM}" stroke-width="2" fill="none" '
                   f'opacity="0.5"/>')
    out.append('<circle cx="640" cy="384" r="21" fill="#143049"/>')
    # barnacles and weed on the hull
    for x, y in ((180, 480), (200, 492), (330, 520), (700, 500), (720, 486), (860, 430), (560, 470)):
        out.append(f'<circle cx="{x}" cy="{y}" r="5" fill="#c8c0a8" {s(1.2)}/><circle cx="{x}" cy="{y}" r="2" fill="{INK}"/>')
    out.append(weed(150, 560, 110, 0.8, 8) + weed(860, 520, 90, -0.6, 7))
    return "".join(out)


def wreck_mast():
    """The broken mast leaning out of the deck, a yard across its top and a rope to the hull."""
    return (f'<path d="M600,340 L716,86" stroke="{INK}" stroke-width="26" stroke-linecap="round"/>'
            f'<path d="M600,340 L716,86" stroke="url(#woodH)" stroke-width="21" stroke-linecap="round"/>'
            f'<path d="M706,84 l14,-12 l6,16 l-10,4 Z" fill="#5e4430" {s(2)}/>'
            f'<path d="M640,118 L820,172" stroke="{INK}" stroke-width="13" stroke-linecap="round"/>'
            f'<path d="M640,118 L820,172" stroke="url(#wood)" stroke-width="9" stroke-linecap="round"/>'
            f'<path d="M772,158 V186 M694,134 V222" stroke="{INK}" stroke-width="2.5"/>'
            f'<path d="M648,300 l10,6 M668,256 l10,6" stroke="{INK}" stroke-width="3"/>')


def wreck_rail():
    """The rail along the hull's top edge: a thing lying on the deck shows between its posts."""
    out = []
    rail = f"M{HX0 + 20},{hull_y(HX0 + 20) - 30:.0f} L{HX1 - 20},{hull_y(HX1 - 20) - 30:.0f}"
    for x in range(HX0 + 20, HX1 - 10, 36):
        y = hull_y(x)
        if 560 < x < 640:
            continue  # where the mast broke through
        out.append(f'<path d="M{x},{y:.0f} V{y - 30:.0f}" stroke="{INK}" stroke-width="9" stroke-linecap="round"/>'
                   f'<path d="M{x},{y:.0f} V{y - 30:.0f}" stroke="#7a5a3e" stroke-width="6" stroke-linecap="round"/>')
    out.append(f'<path d="{rail}" stroke="{INK}" stroke-width="10" stroke-linecap="round"/>'
               f'<path d="{rail}" stroke="#8a6a4a" stroke-width="6" stroke-linecap="round"/>')
    return "".join(out)


def wreck_porthole():
    """The rim of the porthole the compass lies behind."""
    return (f'<path d="M640,360 a24,24 0 1 1 -0.1,0 Z M640,367 a17,17 0 1 0 0.1,0 Z" fill="{GOLD_DARK}" '
            f'fill-rule="evenodd" {s(2.5)}/>'
            f'<path d="M628,372 a16,16 0 0 1 12,-5" stroke="{FOAM}" stroke-width="2" fill="none" opacity="0.4"/>'
            + "".join(f'<circle cx="{640 + 20.5 * c:.1f}" cy="{384 + 20.5 * d:.1f}" r="2" fill="{GOLD_LIGHT}" {s(0.8)}/>'
                      for c, d in ((0, -1), (1, 0), (0, 1), (-1, 0))))


def wreck_splinters():
    """Broken planks across the hole, in front of the goblet."""
    return ('<path d="M398,452 L470,440 L476,452 L404,466 Z" fill="#7a5a3e" stroke="#2e2018" stroke-width="2.5"/>'
            '<path d="M470,440 l14,-8 l-4,12 Z" fill="#7a5a3e" stroke="#2e2018" stroke-width="2"/>'
            '<path d="M404,480 L520,470 L522,482 L406,494 Z" fill="#6a4a34" stroke="#2e2018" stroke-width="2.5"/>')


def wreck_chest(front):
    """The open chest on the sand: the lid and the heap of gold behind, the front wall before."""
    if not front:
        return (f'<path d="M566,586 L574,530 H690 L686,586 Z" fill="url(#wood)" {s(2.5)}/>'
                f'<path d="M576,536 H688" stroke="{GOLD_DARK}" stroke-width="5"/>'
                f'<path d="M560,592 C580,570 600,572 620,566 C650,560 676,570 694,590 Z" fill="url(#gold)" {s(2)}/>'
                + "".join(f'<circle cx="{x}" cy="{y}" r="5" fill="{GOLD}" {s(1)}/>'
                          for x, y in ((584, 580), (604, 574), (662, 572), (676, 580), (644, 566))))
    return (f'<path d="M556,588 H700 L694,648 H562 Z" fill="url(#wood)" {s(2.5)}/>'
            f'<path d="M556,588 H700" stroke="{GOLD_DARK}" stroke-width="6"/>'
            f'<path d="M580,590 V646 M676,590 V646" stroke="{IRON}" stroke-width="6"/>'
            f'<rect x="620" y="598" width="16" height="18" rx="3" fill="url(#gold)" {s(1.5)}/>')


def sand_mound(cx, cy, w, h):
    """A low heap of sand that half buries what lies behind it: a soft ridge, lit on top."""
    return (f'<path d="M{cx - w / 2},{cy + h / 2} C{cx - w * 0.38},{cy + h * 0.2} {cx - w * 0.25},{cy - h / 2} {cx - w * 0.02},'
            f'{cy - h * 0.42} C{cx + w * 0.2},{cy - h * 0.36} {cx + w * 0.32},{cy + h * 0.1} {cx + w / 2},{cy + h / 2} Z" '
            f'fill="#a88a5a" stroke="#6d5433" stroke-width="1.5"/>'
            f'<path d="M{cx - w * 0.3},{cy - h * 0.05} C{cx - w * 0.2},{cy - h * 0.38} {cx + w * 0.1},{cy - h * 0.4} '
            f'{cx + w * 0.22},{cy - h * 0.1}" stroke="#d8c090" stroke-width="2" fill="none" opacity="0.6"/>'
            + "".join(f'<circle cx="{cx + dx * w:.1f}" cy="{cy + dy * h:.1f}" r="1.2" fill="#6d5433" opacity="0.6"/>'
                      for dx, dy in ((-0.2, 0.2), (0.05, 0.0), (0.25, 0.3), (-0.05, 0.35))))


def weed_clump(x, y, k=1.0):
    """A clump of four strands of weed rising from (x, y)."""
    return (weed(x, y, 170 * k, 0.9, 10) + weed(x + 18, y, 130 * k, -0.7, 9, "#5a9a48")
            + weed(x + 34, y, 190 * k, 0.5, 10) + weed(x + 8, y, 90 * k, -1.1, 8, "#5a9a48"))


def wreck_scene():
    back = [wreck_back(), rock(930, 596, 70, 40, "#4a5a60", "#8aa0a4", seed=3)]
    plane = [wreck_mast(), wreck_hull(), wreck_chest(False), sand_odds(), weed_clump(50, 671, 1.0)]
    fronts = [
        Front("rail", wreck_rail(), (120, 230, 780, 150), layer="plane"),
        Front("rigging", f'<path d="M712,110 C760,170 800,240 840,300" stroke="{INK}" stroke-width="6" fill="none"/>'
                         f'<path d="M712,110 C760,170 800,240 840,300" stroke="{PARCH_DARK}" stroke-width="3.5" '
                         f'fill="none" stroke-dasharray="5 3"/>', (704, 100, 144, 210), layer="plane"),
        Front("mastweed", weed(681, 300, 130, 0.3, 7), (655, 160, 70, 150), layer="plane"),
        Front("porthole", wreck_porthole(), (612, 356, 56, 56), layer="plane"),
        Front("splinters", wreck_splinters(), (394, 430, 132, 68), layer="plane"),
        Front("chest", wreck_chest(True), (550, 580, 156, 74), layer="plane"),
        Front("rock", rock(196, 628, 86, 44, "#4a5a60", "#8aa0a4", seed=1), (104, 580, 184, 90), layer="plane"),
        Front("coral", coral(900, 628, 0.9), (850, 546, 104, 92), layer="plane"),
        Front("rock2", rock(820, 646, 64, 30, "#3e4e56", "#7a9096", seed=2), (750, 610, 142, 56), layer="plane"),
        Front("mound", sand_mound(470, 652, 90, 30), (422, 634, 96, 36), layer="plane"),
        Front("mound2", sand_mound(372, 634, 100, 34), (320, 614, 104, 40), layer="plane"),
    ]
    things = [Thing("bell", 772, 206, 44, 6), Thing("compass", 640, 384, 48, 12), Thing("goblet", 456, 424, 46, -10),
              Thing("pistol", 334, 304, 60, 8), Thing("key", 694, 244, 50, 90), Thing("skull", 214, 584, 50, -10),
              Thing("shell", 704, 634, 46, 12), Thing("starfish", 932, 566, 50, 20), Thing("crab", 790, 606, 48, -6),
              Thing("ring", 624, 574, 50, -8), Thing("coin", 478, 636, 40, 0), Thing("bottle", 370, 612, 46, -62)]
    lights = [("shaft.png", shaft(), 150, 52), ("shaft-2.png", shaft(), 600, 40), ("glow-gold.png", glow(180, GOLD), 534, 494)]
    fish = [("gfx/efekty/ryba-1.png", 0, 120, 1024, 300, 42, 22), ("gfx/efekty/ryba-2.png", 0, 80, 1024, 240, 30, 15),
            ("gfx/efekty/ryba-1.png", 0, 180, 1024, 340, 42, 22)]
    return Scene("wreck", 4, WRECK_LIGHT, back, things, fronts, plane=plane, defs=WRECK_DEFS, lights=lights, banki=2500,
                 fish=fish, wash="url(#wwash)")


def sand_odds():
    """Odds and ends on the sand: decoys."""
    return (shells(((300, 660), (540, 664), (700, 664), (980, 650), (140, 600), (430, 600), (1000, 600))) +
            f'<circle cx="262" cy="650" r="10" fill="url(#iron)" {s(1.8)}/>' +
            bubbles_deco(((470, 370, 4), (476, 356, 3), (648, 330, 3), (222, 400, 4))))


def shaft():
    return Image(260, 560, '<defs><linearGradient id="sh" x1="0" y1="0" x2="0" y2="1">'
                           f'<stop offset="0" stop-color="{FOAM}" stop-opacity="0.5"/>'
                           f'<stop offset="1" stop-color="{FOAM}" stop-opacity="0"/></linearGradient></defs>'
                           '<path d="M90,0 H170 L260,560 H0 Z" fill="url(#sh)"/>')


# ---- the all-found moment ----------------------------------------------------------------------

def all_found_plaque():
    """The plaque the game writes "all found" on while the last thing flies to its slot: dark
    wood in a gold rim, a gold bead and rivets, a little gold star at each end."""
    w, h = 420, 92
    stars = ""
    for cx in (34, w - 34):
        stars += (f'<path d="M{cx},{h / 2 - 13} l4,9 l10,1 l-8,6 l3,10 l-9,-6 l-9,6 l3,-10 l-8,-6 l10,-1 Z" '
                  f'fill="url(#gold)" {s(1.5)}/>')
    body = shadow(plaque(6, 6, w - 12, h - 14, r=14, sw=2.5)
                  + f'<rect x="16" y="16" width="{w - 32}" height="{h - 34}" rx="8" fill="none" stroke="{GOLD}" '
                    f'stroke-width="1.2" opacity="0.6"/>'
                  + "".join(rivet(x, y, 3.5) for x in (16, w - 16) for y in (16, h - 22)) + stars)
    return Image(w, h, body)


def all_found_glow():
    """The warm light behind the plaque, added onto the scene."""
    return Image(640, 320, '<defs><radialGradient id="afg" cx="0.5" cy="0.5" r="0.5">'
                           f'<stop offset="0" stop-color="{GOLD_LIGHT}" stop-opacity="0.85"/>'
                           f'<stop offset="0.45" stop-color="{GOLD}" stop-opacity="0.35"/>'
                           f'<stop offset="1" stop-color="{GOLD}" stop-opacity="0"/></radialGradient></defs>'
                           '<ellipse cx="320" cy="160" rx="320" ry="160" fill="url(#afg)"/>')


SCENES = [dock_scene(), wreck_scene(), cabin_scene(), cave_scene()]


def images():
    out = {
        "gfx/minigames/gornyPanel.png": top_panel(),
        "gfx/minigames/pasek.png": pasek(),
        "gfx/minigames/nakrycie.png": nakrycie(),
        f"{ROOT}/pick.png": pick(),
        f"{ROOT}/allFound.png": all_found_plaque(),
        f"{ROOT}/allFoundGlow.png": all_found_glow(),
    }
    used = set()
    for scene in SCENES:
        out.update(scene.images())
        used.update(scene.items())
    for item in sorted(used):
        out[f"{ROOT}/items/{item}.png"] = icon(item)
        out[f"{ROOT}/items/{item}-sepia.png"] = icon(item, sepia=True)
    return out


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    if len(sys.argv) > 2 and sys.argv[1] == "--preview":
        os.makedirs(sys.argv[2], exist_ok=True)
        for scene in SCENES:
            with open(os.path.join(sys.argv[2], scene.name + ".svg"), "w") as f:
                f.write(preview(scene, boxes="--boxes" in sys.argv))
        sys.exit(0)
    for scene in SCENES:
        path = os.path.join(here, "..", "..", "tree", "data", "levels", "hiddenObject", scene.name + ".hol")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="\n") as f:
            f.write(scene.level_text())
