"""Hidden-object scenes: two painted scenes (the harbour dock at dusk and the sunken wreck),
the things hidden in them, their panel icons in colour and sepia, the lights and masks, the
bottom panel, the top panel with the hint bar (`pasek`, its cover `nakrycie`) and the tick.

Every hidden thing is drawn once in a 100 x 100 box (`ITEMS`) and placed from `SCENES`,
which also writes the level files (data/levels/hiddenObject/*.hol) so the pictures and
the positions can never disagree. In the scene a thing is drawn a little dimmed and turned
to sit in the painting, but always whole and at least 38 px: found by looking, never by
hunting pixels. The panel icons are the same drawings at 56 px with a drop shadow; the
sepia copy is the icon through a sepia filter, drawn over the colour one until it is found.
"""
from svgkit import Image, INK, SEA, SEA_DEEP, SEA_LIGHT, FOAM, PARCH, PARCH_LIGHT, PARCH_DARK, WOOD_DARK, WOOD, \
    WOOD_LIGHT, GOLD, GOLD_LIGHT, GOLD_DARK, IRON, IRON_LIGHT, RED, GREEN, BONE, plank, plaque, rivet, shadow, rrect

ROOT = "gfx/miniGames/hiddenObjects"
ICON = 56            # panel icon size
PANEL_H = 96         # bottom panel height: it ends at row 767
SLOT_Y = 767 - PANEL_H + 50
TOP_H = 52           # top panel

SEPIA = ('<filter id="sepia"><feColorMatrix type="matrix" values="0.393 0.769 0.189 0 0 0.349 0.686 0.168 0 0 '
         '0.272 0.534 0.131 0 0 0 0 0 1 0"/><feComponentTransfer><feFuncR type="linear" slope="0.85"/>'
         '<feFuncG type="linear" slope="0.8"/><feFuncB type="linear" slope="0.7"/></feComponentTransfer></filter>')


def s(w=3):
    return f'stroke="{INK}" stroke-width="{w}" stroke-linejoin="round" stroke-linecap="round"'


# ---- the things, each in a 100 x 100 box ------------------------------------------------------

def key():
    return (f'<circle cx="28" cy="50" r="16" fill="none" stroke="{INK}" stroke-width="11"/>'
            f'<circle cx="28" cy="50" r="16" fill="none" stroke="url(#gold)" stroke-width="7"/>'
            f'<rect x="42" y="45" width="48" height="10" rx="3" fill="url(#gold)" {s()}/>'
            f'<path d="M72,55 v14 h7 v-14 M84,55 v10 h6 v-10" fill="url(#gold)" {s()}/>')


def coin():
    return (f'<circle cx="50" cy="50" r="34" fill="url(#gold)" {s()}/>'
            f'<circle cx="50" cy="50" r="25" fill="none" stroke="{GOLD_DARK}" stroke-width="3"/>'
            f'<path d="M42,36 h16 l-6,10 h6 l-16,20 l5,-14 h-6 z" fill="{GOLD_DARK}" opacity="0.8"/>'
            f'<circle cx="38" cy="36" r="5" fill="{GOLD_LIGHT}" opacity="0.8"/>')


def compass():
    return (f'<circle cx="50" cy="52" r="36" fill="url(#gold)" {s()}/>'
            f'<circle cx="50" cy="52" r="28" fill="{PARCH_LIGHT}" {s(2)}/>'
            f'<path d="M50,28 L57,52 L50,76 L43,52 Z" fill="{RED}" {s(2)}/>'
            f'<path d="M50,52 L57,52 L50,76 L43,52 Z" fill="{IRON_LIGHT}" {s(2)}/>'
            f'<circle cx="50" cy="52" r="4" fill="url(#gold)" {s(1.5)}/>'
            f'<rect x="44" y="8" width="12" height="9" rx="3" fill="url(#gold)" {s(2)}/>')


def spyglass():
    return ('<g transform="rotate(-30 50 50)">'
            f'<rect x="8" y="40" width="30" height="20" rx="3" fill="url(#wood)" {s()}/>'
            f'<rect x="36" y="37" width="28" height="26" rx="3" fill="url(#gold)" {s()}/>'
            f'<rect x="62" y="34" width="30" height="32" rx="3" fill="url(#wood)" {s()}/>'
            f'<rect x="86" y="32" width="8" height="36" rx="2" fill="url(#gold)" {s(2)}/>'
            f'<ellipse cx="95" cy="50" rx="3" ry="13" fill="{SEA_LIGHT}" {s(1.5)}/></g>')


def bottle():
    return (f'<path d="M42,10 h16 v22 c12,6 16,14 16,26 v28 c0,6 -4,8 -10,8 h-28 c-6,0 -10,-2 -10,-8 v-28 '
            f'c0,-12 4,-20 16,-26 z" fill="#3f7a5a" {s()}/>'
            f'<rect x="40" y="5" width="20" height="9" rx="3" fill="{WOOD_LIGHT}" {s(2)}/>'
            f'<rect x="32" y="56" width="36" height="24" rx="3" fill="{PARCH}" {s(2)}/>'
            f'<path d="M38,64 h24 M38,71 h18" stroke="{WOOD}" stroke-width="2"/>'
            f'<path d="M33,40 c2,-6 6,-9 10,-11" stroke="{FOAM}" stroke-width="3" fill="none" opacity="0.7"/>')


def anchor():
    return (f'<circle cx="50" cy="16" r="9" fill="none" stroke="{INK}" stroke-width="9"/>'
            f'<circle cx="50" cy="16" r="9" fill="none" stroke="url(#iron)" stroke-width="5"/>'
            f'<rect x="45" y="24" width="10" height="62" rx="3" fill="url(#iron)" {s()}/>'
            f'<rect x="30" y="32" width="40" height="9" rx="3" fill="url(#iron)" {s()}/>'
            f'<path d="M14,62 C18,84 36,92 50,92 C64,92 82,84 86,62 L94,66 L86,50 L74,62 L80,62 '
            f'C76,76 64,82 50,82 C36,82 24,76 20,62 L26,62 L14,50 L6,66 Z" fill="url(#iron)" {s()}/>')


def hook():
    return (f'<rect x="30" y="8" width="32" height="28" rx="6" fill="url(#wood)" {s()}/>'
            f'<path d="M46,36 V66 C46,84 24,84 22,68" fill="none" stroke="{INK}" stroke-width="12"/>'
            f'<path d="M46,36 V66 C46,84 24,84 22,68" fill="none" stroke="url(#iron)" stroke-width="7"/>'
            f'<path d="M16,70 L22,60 L28,70 Z" fill="url(#iron)" {s(2)}/>')


def hourglass():
    return (f'<rect x="22" y="8" width="56" height="10" rx="3" fill="url(#wood)" {s()}/>'
            f'<rect x="22" y="82" width="56" height="10" rx="3" fill="url(#wood)" {s()}/>'
            f'<path d="M30,18 C30,38 46,44 46,50 C46,56 30,62 30,82 H70 C70,62 54,56 54,50 C54,44 70,38 70,18 Z" '
            f'fill="{FOAM}" fill-opacity="0.6" {s(2.5)}/>'
            f'<path d="M36,28 H64 C62,38 52,44 50,50 C48,44 38,38 36,28 Z M34,80 C38,68 48,66 50,62 '
            f'C52,66 62,68 66,80 Z" fill="{GOLD}"/>'
            f'<path d="M26,18 V82 M74,18 V82" stroke="{WOOD_DARK}" stroke-width="4"/>')


def bell():
    return (f'<path d="M50,14 C30,14 26,32 26,50 C26,66 18,72 14,78 H86 C82,72 74,66 74,50 C74,32 70,14 50,14 Z" '
            f'fill="url(#gold)" {s()}/>'
            f'<rect x="44" y="4" width="12" height="12" rx="4" fill="url(#gold)" {s(2)}/>'
            f'<circle cx="50" cy="84" r="8" fill="url(#iron)" {s(2)}/>'
            f'<path d="M36,30 C34,40 34,50 34,60" stroke="{GOLD_LIGHT}" stroke-width="4" fill="none" opacity="0.8"/>')


def quill():
    return ('<g transform="rotate(35 50 50)">'
            f'<path d="M50,4 C66,22 66,58 52,80 L48,80 C34,58 34,22 50,4 Z" fill="{BONE}" {s(2.5)}/>'
            f'<path d="M50,10 V92" stroke="{PARCH_DARK}" stroke-width="2.5"/>'
            f'<path d="M50,24 L40,30 M50,38 L39,44 M50,52 L41,58 M50,24 L60,30 M50,38 L61,44 M50,52 L59,58" '
            f'stroke="{PARCH_DARK}" stroke-width="1.5"/>'
            f'<path d="M48,80 L50,96 L52,80 Z" fill="{INK}"/></g>')


def dagger():
    return ('<g transform="rotate(-40 50 50)">'
            f'<path d="M50,4 L58,18 L58,60 H42 L42,18 Z" fill="url(#iron)" {s(2.5)}/>'
            f'<path d="M50,10 V58" stroke="{FOAM}" stroke-width="2" opacity="0.7"/>'
            f'<rect x="28" y="58" width="44" height="8" rx="3" fill="url(#gold)" {s(2.5)}/>'
            f'<rect x="44" y="66" width="12" height="22" rx="2" fill="{WOOD_DARK}" {s(2.5)}/>'
            f'<circle cx="50" cy="92" r="6" fill="url(#gold)" {s(2)}/></g>')


def scroll():
    return (f'<rect x="18" y="24" width="64" height="52" fill="url(#parch)" {s()}/>'
            f'<rect x="10" y="18" width="12" height="64" rx="6" fill="{PARCH_DARK}" {s()}/>'
            f'<rect x="78" y="18" width="12" height="64" rx="6" fill="{PARCH_DARK}" {s()}/>'
            f'<path d="M32,40 C42,34 50,48 62,40" stroke="{WOOD}" stroke-width="2" fill="none" stroke-dasharray="4 3"/>'
            f'<path d="M56,52 l8,8 m0,-8 l-8,8" stroke="{RED}" stroke-width="3"/>'
            f'<rect x="44" y="66" width="12" height="16" fill="{RED}" {s(1.5)}/>')


def skull():
    return (f'<path d="M50,12 C26,12 16,30 18,48 C19,58 24,62 28,64 V80 C28,86 34,88 40,88 H60 C66,88 72,86 72,80 '
            f'V64 C76,62 81,58 82,48 C84,30 74,12 50,12 Z" fill="{BONE}" {s()}/>'
            f'<ellipse cx="37" cy="48" rx="9" ry="10" fill="{INK}"/><ellipse cx="63" cy="48" rx="9" ry="10" fill="{INK}"/>'
            f'<path d="M50,58 L45,68 H55 Z" fill="{INK}"/>'
            f'<path d="M38,76 V88 M46,76 V88 M54,76 V88 M62,76 V88" stroke="{INK}" stroke-width="2"/>')


def ring():
    return (f'<ellipse cx="50" cy="60" rx="30" ry="26" fill="none" stroke="{INK}" stroke-width="14"/>'
            f'<ellipse cx="50" cy="60" rx="30" ry="26" fill="none" stroke="url(#gold)" stroke-width="9"/>'
            f'<path d="M38,30 L50,14 L62,30 L50,40 Z" fill="{RED}" {s(2.5)}/>'
            f'<path d="M44,28 L50,20 L54,26" stroke="#f4a39e" stroke-width="2" fill="none"/>')


def shell():
    return (f'<path d="M50,88 L14,40 C20,18 80,18 86,40 Z" fill="#f2b9a0" {s()}/>'
            + "".join(f'<path d="M50,88 L{x},{y}" stroke="#c9826a" stroke-width="2.5"/>'
                      for x, y in ((22, 34), (36, 24), (50, 21), (64, 24), (78, 34)))
            + f'<path d="M40,88 h20 l-4,8 h-12 z" fill="#e9a489" {s(2)}/>')


def starfish():
    pts = []
    import math
    for i in range(10):
        r = 44 if i % 2 == 0 else 18
        a = math.radians(-90 + i * 36)
        pts.append(f"{50 + r * math.cos(a):.1f},{52 + r * math.sin(a):.1f}")
    dots = "".join(f'<circle cx="{x}" cy="{y}" r="2.5" fill="#fbd2a0"/>'
                   for x, y in ((50, 26), (50, 38), (70, 46), (30, 46), (40, 66), (60, 66)))
    return f'<polygon points="{" ".join(pts)}" fill="#e07a3c" {s()}/>' + dots


def goblet():
    return (f'<path d="M24,12 H76 C76,40 64,52 50,54 C36,52 24,40 24,12 Z" fill="url(#gold)" {s()}/>'
            f'<rect x="45" y="52" width="10" height="24" fill="url(#gold)" {s(2.5)}/>'
            f'<path d="M28,90 C30,78 70,78 72,90 Z" fill="url(#gold)" {s(2.5)}/>'
            f'<circle cx="50" cy="30" r="7" fill="{RED}" {s(2)}/>'
            f'<path d="M32,18 C32,30 36,38 42,44" stroke="{GOLD_LIGHT}" stroke-width="3" fill="none"/>')


def pistol():
    return ('<g transform="rotate(-15 50 50)">'
            f'<rect x="30" y="34" width="64" height="14" rx="4" fill="url(#iron)" {s()}/>'
            f'<path d="M30,34 H48 L46,56 C40,70 30,82 16,84 C10,84 8,78 12,74 C22,66 26,56 26,46 Z" '
            f'fill="url(#wood)" {s()}/>'
            f'<path d="M40,48 C42,58 50,60 52,52" stroke="{INK}" stroke-width="3" fill="none"/>'
            f'<rect x="30" y="28" width="10" height="8" rx="2" fill="url(#gold)" {s(2)}/>'
            f'<circle cx="16" cy="80" r="4" fill="url(#gold)" {s(1.5)}/></g>')


def crab():
    legs = "".join(f'<path d="M{x0},{y0} L{x1},{y1} L{x2},{y2}" stroke="{INK}" stroke-width="7" fill="none"/>'
                   f'<path d="M{x0},{y0} L{x1},{y1} L{x2},{y2}" stroke="#c84a2c" stroke-width="4" fill="none"/>'
                   for x0, y0, x1, y1, x2, y2 in ((30, 62, 16, 66, 10, 78), (34, 66, 22, 74, 18, 88),
                                                  (70, 62, 84, 66, 90, 78), (66, 66, 78, 74, 82, 88)))
    claws = (f'<path d="M26,50 C14,44 10,30 18,22 C22,30 28,30 30,26 C34,34 32,44 26,50 Z" fill="#d9572f" {s(2.5)}/>'
             f'<path d="M74,50 C86,44 90,30 82,22 C78,30 72,30 70,26 C66,34 68,44 74,50 Z" fill="#d9572f" {s(2.5)}/>')
    return (legs + claws + f'<ellipse cx="50" cy="58" rx="24" ry="16" fill="#d9572f" {s()}/>'
            f'<circle cx="42" cy="44" r="4" fill="{BONE}" {s(1.5)}/><circle cx="58" cy="44" r="4" fill="{BONE}" {s(1.5)}/>')


ITEMS = {"key": key, "coin": coin, "compass": compass, "spyglass": spyglass, "bottle": bottle, "anchor": anchor,
         "hook": hook, "hourglass": hourglass, "bell": bell, "quill": quill, "dagger": dagger, "scroll": scroll,
         "skull": skull, "ring": ring, "shell": shell, "starfish": starfish, "goblet": goblet, "pistol": pistol,
         "crab": crab}


def thing(name, size, rot=0, tint=None):
    """The thing at `size` px, turned `rot` degrees, with a soft tint multiplied over it so it
    sits in the painting's light (still whole and readable)."""
    k = size / 100.0
    inner = (f'<g transform="translate({size / 2},{size / 2}) rotate({rot}) translate({-size / 2},{-size / 2}) '
             f'scale({k:.4f})">{ITEMS[name]()}</g>')
    if not tint:
        return Image(size, size, inner)
    colour, amount = tint
    f = (f'<filter id="tint" x="0" y="0" width="100%" height="100%"><feFlood flood-color="{colour}" '
         f'flood-opacity="{amount}"/><feComposite in2="SourceAlpha" operator="in"/>'
         f'<feBlend in2="SourceGraphic" mode="multiply"/></filter>')
    return Image(size, size, f'<defs>{f}</defs><g filter="url(#tint)">{inner}</g>')


def icon(name, sepia=False):
    k = (ICON - 8) / 100.0
    body = shadow(f'<g transform="translate(3,2) scale({k:.4f})">{ITEMS[name]()}</g>')
    if sepia:
        body = SEPIA + f'<g filter="url(#sepia)" opacity="0.97">{body}</g>'
    return Image(ICON, ICON, body)


# ---- the scenes ------------------------------------------------------------------------------
# Each hidden thing: (item, x, y, size, rotation). x, y: its centre in the scene.

DOCK = [("key", 151, 596, 40, 25), ("coin", 466, 618, 38, 0), ("compass", 690, 437, 46, -10),
        ("spyglass", 860, 205, 64, 0), ("bottle", 325, 468, 44, 12), ("anchor", 930, 560, 60, 8),
        ("hook", 90, 300, 48, -8), ("hourglass", 588, 560, 42, 0), ("bell", 757, 126, 46, 0),
        ("quill", 380, 590, 46, 0), ("dagger", 236, 420, 50, 0), ("scroll", 822, 630, 48, -12)]

WRECK = [("skull", 250, 600, 46, -12), ("ring", 620, 452, 38, 0), ("shell", 90, 624, 44, 10),
         ("starfish", 870, 612, 48, 20), ("goblet", 418, 372, 44, -8), ("pistol", 740, 300, 56, 0),
         ("crab", 512, 620, 48, 0), ("key", 954, 382, 40, -60), ("compass", 300, 240, 44, 15),
         ("bottle", 150, 420, 42, -30), ("bell", 840, 180, 44, 12), ("coin", 690, 630, 36, 0)]


def sky_dusk():
    return ('<linearGradient id="dusk" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#2d3d66"/><stop offset="0.45" stop-color="#b0636a"/>'
            '<stop offset="0.75" stop-color="#f0b070"/><stop offset="1" stop-color="#f7de71"/></linearGradient>')


def dock_background():
    sea = ('<linearGradient id="dsea" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6a7fa0"/>'
           f'<stop offset="1" stop-color="{SEA_DEEP}"/></linearGradient>')
    body = [f'<defs>{sky_dusk()}{sea}</defs>',
            '<rect width="1024" height="768" fill="url(#dusk)"/>',
            '<circle cx="560" cy="300" r="60" fill="#fff2b0" opacity="0.9"/>',
            '<rect y="300" width="1024" height="140" fill="url(#dsea)"/>',
            '<path d="M0,330 Q256,320 512,332 T1024,330" stroke="#f7de71" stroke-width="3" fill="none" opacity="0.5"/>']
    # a ship at anchor on the horizon
    body.append(f'<g transform="translate(600,250)"><path d="M0,60 H160 L140,84 H20 Z" fill="{WOOD_DARK}" {s(2)}/>'
                f'<rect x="76" y="-60" width="6" height="120" fill="{WOOD_DARK}"/>'
                f'<path d="M30,-40 H76 V40 H30 Q20,0 30,-40 Z" fill="{PARCH}" {s(2)} opacity="0.9"/>'
                f'<path d="M82,-50 H130 Q140,-5 130,40 H82 Z" fill="{PARCH}" {s(2)} opacity="0.9"/>'
                f'<path d="M79,-60 l20,6 l-20,6 Z" fill="{RED}"/></g>')
    # the tavern wall at the left and its shelf
    body.append(f'<rect x="0" y="60" width="300" height="380" fill="url(#woodH)" {s(3)}/>')
    for i in range(8):
        body.append(f'<path d="M0,{90 + i * 46} H300" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.6"/>')
    body.append(f'<rect x="150" y="120" width="110" height="100" fill="#3a2a3a" {s(3)}/>'
                f'<path d="M205,120 V220 M150,170 H260" stroke="{WOOD_DARK}" stroke-width="6"/>'
                f'<rect x="150" y="120" width="110" height="100" fill="#f7de71" opacity="0.25"/>')
    body.append(plank(170, 380, 130, 18, r=3))
    # the lantern post
    body.append(f'<rect x="735" y="150" width="10" height="300" fill="{WOOD_DARK}" {s(2)}/>'
                f'<rect x="700" y="100" width="60" height="10" fill="{WOOD_DARK}" {s(2)}/>'
                f'<path d="M720,110 v20 M720,130 h-14 v40 h28 v-40 z" fill="#fff2b0" {s(2)}/>')
    # the rigging of a mast at the right
    body.append(f'<rect x="840" y="40" width="18" height="420" fill="url(#wood)" {s(3)}/>'
                f'<path d="M849,60 L1024,300 M849,60 L700,300 M849,120 L1024,200" stroke="{INK}" stroke-width="2"/>'
                f'<rect x="800" y="230" width="110" height="10" fill="{WOOD_DARK}" {s(2)}/>')
    # the dock: planks in perspective
    body.append(f'<path d="M0,440 H1024 V768 H0 Z" fill="url(#wood)" {s(3)}/>')
    for i in range(9):
        y = 450 + i * i * 4 + i * 20
        body.append(f'<path d="M0,{y} H1024" stroke="{WOOD_DARK}" stroke-width="{1 + i * 0.4:.1f}" opacity="0.7"/>')
    for x in range(-200, 1300, 120):
        body.append(f'<path d="M{512 + (x - 512) * 0.4:.0f},440 L{x},768" stroke="{WOOD_DARK}" stroke-width="1.5" '
                    f'opacity="0.4"/>')
    # barrels, crates, a coil of rope, a net
    for bx, by, bw in ((250, 470, 110), (560, 520, 90)):
        body.append(shadow(f'<rect x="{bx}" y="{by}" width="{bw}" height="{bw * 1.2:.0f}" rx="18" fill="url(#woodH)" {s(3)}/>'
                           f'<path d="M{bx},{by + 22} H{bx + bw} M{bx},{by + bw * 1.2 - 22:.0f} H{bx + bw}" '
                           f'stroke="{IRON}" stroke-width="7"/>'))
    body.append(shadow(plank(640, 400, 150, 110, r=4) + f'<path d="M640,400 L790,510 M790,400 L640,510" '
                                                         f'stroke="{WOOD_DARK}" stroke-width="6"/>'))
    body.append(shadow(plank(40, 520, 190, 130, r=4)))
    body.append(f'<ellipse cx="410" cy="640" rx="80" ry="26" fill="none" stroke="{PARCH_DARK}" stroke-width="12"/>'
                f'<ellipse cx="410" cy="640" rx="56" ry="16" fill="none" stroke="{PARCH_DARK}" stroke-width="10"/>')
    net = "".join(f'<path d="M{760 + i * 20},560 L{740 + i * 24},700" stroke="{PARCH_DARK}" stroke-width="2"/>'
                  for i in range(12))
    net += "".join(f'<path d="M750,{570 + j * 22} Q860,{585 + j * 22} 990,{570 + j * 22}" stroke="{PARCH_DARK}" '
                   f'stroke-width="2" fill="none"/>' for j in range(6))
    body.append(net)
    # a palm at the far left, its fronds over the wall
    body.append(f'<path d="M20,440 C30,300 60,160 40,20" stroke="{WOOD}" stroke-width="26" fill="none" stroke-linecap="round"/>')
    for a in (-70, -35, 0, 35, 70, 110):
        body.append(f'<g transform="translate(40,30) rotate({a})"><path d="M0,0 C40,-20 110,-10 150,30 '
                    f'C100,10 40,10 0,0 Z" fill="{GREEN}" {s(2)}/></g>')
    body.append('<rect width="1024" height="768" fill="url(#vignette)"/>')
    return Image(1024, 768, "".join(body))


def wreck_background():
    deep = ('<linearGradient id="wdeep" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#3b8aa3"/>'
            f'<stop offset="0.5" stop-color="{SEA}"/><stop offset="1" stop-color="#0b1b29"/></linearGradient>')
    sand = ('<linearGradient id="wsand" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#c9a66b"/>'
            '<stop offset="1" stop-color="#6d5433"/></linearGradient>')
    body = [f'<defs>{deep}{sand}</defs>', '<rect width="1024" height="768" fill="url(#wdeep)"/>']
    for x, w in ((180, 90), (420, 60), (700, 120)):
        body.append(f'<path d="M{x},0 L{x + w},0 L{x + w * 3},768 L{x + w},768 Z" fill="{FOAM}" opacity="0.07"/>')
    body.append('<path d="M0,560 C200,520 400,580 600,540 C800,510 900,560 1024,540 V768 H0 Z" fill="url(#wsand)"/>')
    return Image(1024, 768, "".join(body))


def wreck_plane():
    """The hull in front of the fish: the broken ship lying on the sand, seaweed, rocks."""
    body = [f'<g transform="rotate(-8 512 420)">'
            f'<path d="M120,330 C200,300 760,290 900,320 L860,560 C700,600 300,600 160,560 Z" fill="url(#woodH)" {s(4)}/>']
    for i in range(6):
        body.append(f'<path d="M{140 + i * 6},{360 + i * 36} C300,{340 + i * 36} 700,{335 + i * 36} {890 - i * 6},{350 + i * 36}" '
                    f'stroke="{WOOD_DARK}" stroke-width="3" fill="none"/>')
    body.append(f'<path d="M420,330 L470,420 L430,470 L520,560 L380,560 L350,330 Z" fill="#0b1b29" opacity="0.85"/>')
    body.append(f'<rect x="600" y="120" width="22" height="220" fill="url(#wood)" {s(3)} transform="rotate(24 611 330)"/>')
    body.append('</g>')
    for x, h in ((40, 220), (980, 260), (560, 160), (330, 140)):
        body.append(f'<path d="M{x},700 C{x - 30},{700 - h * 0.4:.0f} {x + 30},{700 - h * 0.7:.0f} {x},{700 - h}" '
                    f'stroke="{GREEN}" stroke-width="12" fill="none" stroke-linecap="round" opacity="0.9"/>')
    body.append(f'<ellipse cx="760" cy="640" rx="110" ry="40" fill="{IRON}" {s(3)}/>'
                f'<ellipse cx="200" cy="680" rx="90" ry="30" fill="{IRON}" {s(3)}/>')
    return Image(1024, 768, "".join(body))


def glow(size, colour):
    return Image(size, size, f'<defs><radialGradient id="g" cx="0.5" cy="0.5" r="0.5">'
                             f'<stop offset="0" stop-color="{colour}" stop-opacity="0.9"/>'
                             f'<stop offset="0.35" stop-color="{colour}" stop-opacity="0.45"/>'
                             f'<stop offset="1" stop-color="{colour}" stop-opacity="0"/></radialGradient></defs>'
                             f'<circle cx="{size / 2}" cy="{size / 2}" r="{size / 2}" fill="url(#g)"/>')


def shaft():
    return Image(260, 560, '<defs><linearGradient id="sh" x1="0" y1="0" x2="0" y2="1">'
                           f'<stop offset="0" stop-color="{FOAM}" stop-opacity="0.55"/>'
                           f'<stop offset="1" stop-color="{FOAM}" stop-opacity="0"/></linearGradient></defs>'
                           '<path d="M90,0 H170 L260,560 H0 Z" fill="url(#sh)"/>')


def dock_mask():
    """The rope coiled over the edge of the crate: the things behind it peek out."""
    return Image(160, 60, f'<path d="M6,40 C40,10 120,10 154,40" stroke="{PARCH_DARK}" stroke-width="12" fill="none" '
                          f'stroke-linecap="round"/>'
                          f'<path d="M6,40 C40,10 120,10 154,40" stroke="{PARCH}" stroke-width="6" fill="none" '
                          f'stroke-linecap="round" stroke-dasharray="8 6"/>')


def wreck_mask():
    """A frond of seaweed in front of the sand."""
    return Image(90, 200, f'<path d="M45,200 C20,150 70,110 40,60 C30,40 40,20 50,0" stroke="{INK}" stroke-width="16" '
                          f'fill="none" stroke-linecap="round"/>'
                          f'<path d="M45,200 C20,150 70,110 40,60 C30,40 40,20 50,0" stroke="{GREEN}" stroke-width="11" '
                          f'fill="none" stroke-linecap="round"/>')


def bottom_panel(n):
    """The slots board: a wooden bar with a sunken well per thing to find."""
    w = 1024
    body = [plank(2, 4, w - 4, PANEL_H - 6, r=10, sw=3)]
    step = (w - 80) / n
    for i in range(n):
        cx = 40 + step * (i + 0.5)
        body.append(rrect(cx - 34, 14, 68, 70, 10, "#2a1a0e", stroke=GOLD_DARK, sw=2))
    for x in (16, w - 16):
        body.append(rivet(x, 18, 4) + rivet(x, PANEL_H - 18, 4))
    return Image(w, PANEL_H, "".join(body))


def slot_x(i, n):
    step = (1024 - 80) / n
    return round(40 + step * (i + 0.5))


def top_panel():
    body = (plank(0, 0, 1024, TOP_H - 2, r=0, sw=3) +
            f'<path d="M0,{TOP_H - 3} H1024" stroke="{GOLD_DARK}" stroke-width="2"/>' +
            plaque(300, 2, 424, TOP_H - 6, r=10) +
            rrect(884, 3, 132, 46, 8, "#1a100a", stroke=GOLD_DARK, sw=2) +
            "".join(rivet(x, TOP_H / 2, 3.5) for x in (10, 290, 734, 874)))
    return Image(1024, TOP_H, body)


def pasek():
    """The charge of the skip and hint bars: polished wood, gold-edged and ridged, that fills
    its dark well from the left. Gold and cream captions both read on it."""
    body = ('<defs><linearGradient id="pk" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{WOOD_LIGHT}"/><stop offset="0.5" stop-color="{WOOD}"/>'
            f'<stop offset="1" stop-color="{WOOD_DARK}"/></linearGradient></defs>'
            f'<rect x="4" y="5" width="116" height="30" rx="5" fill="url(#pk)" stroke="{INK}" stroke-width="1"/>')
    body += "".join(f'<path d="M{x},10 V30" stroke="{GOLD_DARK}" stroke-width="1.2" opacity="0.45"/>'
                    for x in range(14, 118, 10))
    body += f'<path d="M8,7.5 H116" stroke="{GOLD}" stroke-width="2" opacity="0.9" stroke-linecap="round"/>'
    body += f'<path d="M8,32.5 H116" stroke="{GOLD_DARK}" stroke-width="1.5" opacity="0.9" stroke-linecap="round"/>'
    return Image(124, 40, body)


def nakrycie():
    """The bar's frame: a wooden rim with a gold bead inside and a rivet at each end."""
    return Image(124, 40, f'<rect x="2.5" y="2.5" width="119" height="35" rx="8" fill="none" stroke="url(#wood)" '
                          f'stroke-width="5"/><rect x="1" y="1" width="122" height="38" rx="9" fill="none" {s(1.5)}/>'
                          f'<rect x="5" y="5" width="114" height="30" rx="5" fill="none" stroke="url(#gold)" '
                          f'stroke-width="1.6"/>' + rivet(8, 20, 3) + rivet(116, 20, 3))


def pick():
    return Image(32, 32, shadow(f'<path d="M5,17 L13,25 L27,7" stroke="{INK}" stroke-width="8" fill="none" '
                                f'stroke-linecap="round" stroke-linejoin="round"/>'
                                f'<path d="M5,17 L13,25 L27,7" stroke="{GOLD}" stroke-width="4.5" fill="none" '
                                f'stroke-linecap="round" stroke-linejoin="round"/>'))


SCENE_DEFS = {
    # name: (title line, things, lights, masks, leaves, banki, fish, second plane)
    "dock": dict(title=3, things=DOCK, tint=("#7a4a5a", 0.18),
                 lights=[("glow-lantern.png", glow(160, GOLD_LIGHT), 640, 70),
                         ("glow-window.png", glow(220, GOLD), 95, 60)],
                 masks=[("rope.png", dock_mask(), 330, 606)],
                 leaves=[(30, 40, 200, 140, 2500)], banki=0, fish=[], plane=False),
    "wreck": dict(title=4, things=WRECK, tint=("#24597a", 0.22),
                  lights=[("shaft.png", shaft(), 150, 52), ("glow-deep.png", glow(200, SEA_LIGHT), 560, 320)],
                  masks=[("weed.png", wreck_mask(), 880, 470)],
                  leaves=[], banki=2500,
                  fish=[("gfx/efekty/ryba-1.png", 0, 120, 1024, 320, 42, 22),
                        ("gfx/efekty/ryba-2.png", 0, 80, 1024, 260, 30, 15),
                        ("gfx/efekty/ryba-1.png", 0, 200, 1024, 380, 42, 22)], plane=True),
}


def level_text(name):
    """The scene's level file, written from the same table as its pictures."""
    d = SCENE_DEFS[name]
    folder = f"{ROOT}/{name}"
    n = len(d["things"])
    out = ["level {", f'\tbackground = "{folder}/background.jpg"', f'\tgui = "{folder}/panel.png"', "\ttime = 0",
           f'\ttitle = {d["title"]}', f'\tbanki = {d["banki"]}',
           f'\tdrugiPlan = "{folder + "/plane.png" if d["plane"] else ""}"', "\tobjects {", f"\t\ti = {n}"]
    for i, (item, x, y, size, rot) in enumerate(d["things"]):
        out += [f"\t\tob{i + 1} {{", f"\t\t\tid = {i + 1}", f'\t\t\timgUkryty = "{folder}/{item}.png"',
                f'\t\t\timgDoZebrania = "{ROOT}/items/{item}.png"', f'\t\t\timgZebrany = "{ROOT}/items/{item}.png"',
                f"\t\t\tUkrytyDim = {x}, {y}", f"\t\t\tdoZebraniaDim = {slot_x(i, n)}, {SLOT_Y}",
                f"\t\t\tstartRot = {rot}", "\t\t\tstartScale = 1", '\t\t\tstate = ""', "\t\t\taddPoint = 20, 20",
                "\t\t}", ""]
    out += ["\t}", "", "\tgroup {", f"\t\ti = {n}"] + [f"\t\tobj{i + 1} = {i + 1}" for i in range(n)]
    out += ["\t\ttextXY = 160, 12", "\t}", "", "\tlights {", f'\t\ti = {len(d["lights"])}']
    for k, (fname, _, x, y) in enumerate(d["lights"]):
        out += [f"\t\tlight{k + 1} {{", f'\t\t\timg = "{folder}/{fname}"', f"\t\t\tposition = {x}, {y}", "\t\t}", ""]
    out += ["\t}", "", "\tleaves {", f'\t\ti = {len(d["leaves"])}']
    out += [f"\t\tleaf{k + 1} = {x}, {y}, {w}, {h}, {ms}" for k, (x, y, w, h, ms) in enumerate(d["leaves"])]
    out += ["\t}", "", "\tmaska {", f'\t\ti = {len(d["masks"])}']
    for k, (fname, _, x, y) in enumerate(d["masks"]):
        out += [f'\t\tmaska{k + 1} = "{folder}/{fname}"', f"\t\tmaska{k + 1}dim = {x}, {y}"]
    out += ["\t}", "", "\tobiektyTla {", f'\t\ti = {len(d["fish"])}']
    for k, (url, x1, y1, x2, y2, hx, hy) in enumerate(d["fish"]):
        out += [f"\t\tobj{k + 1} {{", f'\t\t\timg = "{url}"', '\t\t\ttyp = "FISH"',
                f"\t\t\tdims = {x1}, {y1}, {x2}, {y2}", f"\t\t\thandle = {hx}, {hy}", "\t\t}", ""]
    out += ["\t}", "", "}", ""]
    return "\n".join(out)


def images():
    out = {
        "gfx/minigames/gornyPanel.png": top_panel(),
        "gfx/minigames/pasek.png": pasek(),
        "gfx/minigames/nakrycie.png": nakrycie(),
        f"{ROOT}/pick.png": pick(),
    }
    used = set()
    for name, d in SCENE_DEFS.items():
        folder = f"{ROOT}/{name}"
        out[f"{folder}/background.jpg"] = dock_background() if name == "dock" else wreck_background()
        if d["plane"]:
            out[f"{folder}/plane.png"] = wreck_plane()
        out[f"{folder}/panel.png"] = bottom_panel(len(d["things"]))
        for item, x, y, size, rot in d["things"]:
            out[f"{folder}/{item}.png"] = thing(item, size, rot, d["tint"])
            used.add(item)
        for fname, img, _, _ in d["lights"] + d["masks"]:
            out[f"{folder}/{fname}"] = img
    for item in sorted(used):
        out[f"{ROOT}/items/{item}.png"] = icon(item)
        out[f"{ROOT}/items/{item}-sepia.png"] = icon(item, sepia=True)
    return out


if __name__ == "__main__":
    # Writes the scenes' level files into the tree (run from assets/gen after changing SCENES).
    import os
    here = os.path.dirname(os.path.abspath(__file__))
    for scene in SCENE_DEFS:
        path = os.path.join(here, "..", "..", "tree", "data", "levels", "hiddenObject", scene + ".hol")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="\n") as f:
            f.write(level_text(scene))
