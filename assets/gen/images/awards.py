"""The 25 award pictures and the award-granted panel.

Awards of one kind (brainiac, points, risky, treasure, sea life) are round medals on a
ribbon in bronze, silver and gold, with one, two or three stars on the ribbon's knot; the
single awards are gold-rimmed wooden shields. Each carries the emblem of its kind, drawn in
a 100 x 100 box. All are 120 x 120 with the picture's centre on the medal, because the game
draws them centred (gallery place and panel centre).

The panel (380 x 440, drawn centred on (400, 384)): a dark plaque at the top for the
heading, the sentence and the award's name the game writes, a lit parchment niche around
the award at the centre, and a plank below where the "ok" button slides in (top y 520).
"""
import math

from svgkit import Image, Strip, shadow, rrect, rivet, plank, plaque, text, STATES, INK, SEA, SEA_DEEP, \
    SEA_LIGHT, FOAM, GOLD, GOLD_DARK, GOLD_LIGHT, WOOD, WOOD_DARK, WOOD_LIGHT, PARCH, PARCH_LIGHT, PARCH_DARK, \
    RED, GREEN, IRON, IRON_LIGHT, BONE, outline_width
import icons
from images.menus import caption

LANG = "en"
SIZE = 120

METALS = {
    1: ("#f0b27a", "#c27a3e", "#7a4520"),   # bronze
    2: ("#f7f9fa", "#b9c2c6", "#6d777c"),   # silver
    3: (GOLD_LIGHT, GOLD, GOLD_DARK),       # gold
}

DEFS = "".join(
    f'<linearGradient id="metal{t}" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="{a}"/>'
    f'<stop offset="0.55" stop-color="{b}"/><stop offset="1" stop-color="{c}"/></linearGradient>'
    for t, (a, b, c) in METALS.items()) + (
    f'<radialGradient id="niche" cx="0.5" cy="0.45" r="0.55"><stop offset="0" stop-color="{PARCH_LIGHT}"/>'
    f'<stop offset="0.7" stop-color="{PARCH}"/><stop offset="1" stop-color="{PARCH_DARK}"/></radialGradient>')


def star(cx, cy, r, fill=GOLD_LIGHT, sw=1.0):
    pts = []
    for i in range(10):
        a = math.radians(-90 + i * 36)
        rr = r if i % 2 == 0 else r * 0.45
        pts.append(f"{cx + rr * math.cos(a):.1f},{cy + rr * math.sin(a):.1f}")
    return f'<polygon points="{" ".join(pts)}" fill="{fill}" stroke="{INK}" stroke-width="{sw}" stroke-linejoin="round"/>'


# ---- emblems, each in a 100 x 100 box -------------------------------------------------------

def compass(sw=4.0):
    pts = []
    for i in range(8):
        a = math.radians(i * 45 - 90)
        rr = 44 if i % 2 == 0 else 20
        pts.append(f"{50 + rr * math.cos(a):.1f},{50 + rr * math.sin(a):.1f}")
        a2 = math.radians(i * 45 - 90 + 22.5)
        pts.append(f"{50 + 8 * math.cos(a2):.1f},{50 + 8 * math.sin(a2):.1f}")
    return (f'<circle cx="50" cy="50" r="34" fill="{PARCH_LIGHT}" stroke="{INK}" stroke-width="{sw}"/>'
            f'<polygon points="{" ".join(pts)}" fill="{SEA}" stroke="{INK}" stroke-width="{sw * 0.7}" '
            f'stroke-linejoin="round"/>'
            f'<path d="M50,6 L58,50 L50,50 Z" fill="{RED}" stroke="{INK}" stroke-width="{sw * 0.5}"/>'
            f'<circle cx="50" cy="50" r="6" fill="url(#gold)" stroke="{INK}" stroke-width="{sw * 0.5}"/>')


def coins(sw=4.0):
    out = ""
    for i, (x, y) in enumerate(((22, 70), (40, 74), (58, 70), (76, 74), (30, 56), (50, 60), (68, 56),
                                (40, 42), (60, 44), (50, 28))):
        out += (f'<ellipse cx="{x}" cy="{y}" rx="17" ry="10" fill="url(#gold)" stroke="{INK}" stroke-width="{sw * 0.6}"/>'
                f'<ellipse cx="{x}" cy="{y - 1}" rx="10" ry="5" fill="none" stroke="{GOLD_DARK}" '
                f'stroke-width="{sw * 0.4}"/>')
    return out + f'<path d="M44,20 l4,-6 l4,6" stroke="#ffffff" stroke-width="{sw * 0.6}" fill="none" opacity="0.8"/>'


def anchor(sw=4.0):
    d = ("M50,22 V84 M30,34 H70 M16,60 Q20,86 50,88 Q80,86 84,60")
    return (f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="{sw * 3.4}" stroke-linecap="round"/>'
            f'<path d="{d}" fill="none" stroke="url(#iron)" stroke-width="{sw * 1.9}" stroke-linecap="round"/>'
            f'<path d="M10,64 L16,56 L24,64 M76,64 L84,56 L90,64" fill="none" stroke="{INK}" '
            f'stroke-width="{sw}" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<circle cx="50" cy="14" r="9" fill="none" stroke="{INK}" stroke-width="{sw * 2.6}"/>'
            f'<circle cx="50" cy="14" r="9" fill="none" stroke="{IRON_LIGHT}" stroke-width="{sw * 1.2}"/>')


def chain(sw=4.0, links=3):
    out = ""
    for i in range(links):
        cx = 50 + (i - (links - 1) / 2) * 26
        rot = 0 if i % 2 == 0 else 0
        fill = "none"
        out += (f'<g transform="rotate({rot},{cx},50)"><rect x="{cx - 18}" y="38" width="36" height="24" rx="12" '
                f'fill="{fill}" stroke="{INK}" stroke-width="{sw * 2.6}"/>'
                f'<rect x="{cx - 18}" y="38" width="36" height="24" rx="12" fill="none" stroke="url(#gold)" '
                f'stroke-width="{sw * 1.3}"/></g>')
    return out


def combo(sw=4.0):
    return (chain(sw, 3) + f'<text x="50" y="92" font-family="Averia GWF" font-weight="bold" font-size="30" '
            f'text-anchor="middle" fill="{GOLD_LIGHT}" stroke="{INK}" stroke-width="{sw}" paint-order="stroke">x3</text>')


def super_combo(sw=4.0):
    return (chain(sw, 3) + star(50, 20, 16, sw=sw * 0.6) +
            f'<text x="50" y="92" font-family="Averia GWF" font-weight="bold" font-size="30" '
            f'text-anchor="middle" fill="{GOLD_LIGHT}" stroke="{INK}" stroke-width="{sw}" paint-order="stroke">x5</text>')


def wheel(sw=4.0):
    spokes = ""
    for i in range(8):
        a = math.radians(i * 45)
        x1, y1 = 50 + 12 * math.cos(a), 50 + 12 * math.sin(a)
        x2, y2 = 50 + 46 * math.cos(a), 50 + 46 * math.sin(a)
        spokes += (f'<path d="M{x1:.1f},{y1:.1f} L{x2:.1f},{y2:.1f}" stroke="{INK}" stroke-width="{sw * 2.8}" '
                   f'stroke-linecap="round"/><path d="M{x1:.1f},{y1:.1f} L{x2:.1f},{y2:.1f}" stroke="{WOOD_LIGHT}" '
                   f'stroke-width="{sw * 1.4}" stroke-linecap="round"/>')
    return (spokes + f'<circle cx="50" cy="50" r="32" fill="none" stroke="{INK}" stroke-width="{sw * 3.4}"/>'
            f'<circle cx="50" cy="50" r="32" fill="none" stroke="url(#wood)" stroke-width="{sw * 2}"/>'
            f'<circle cx="50" cy="50" r="11" fill="url(#gold)" stroke="{INK}" stroke-width="{sw * 0.8}"/>')


def bottle(sw=4.0):
    return (f'<g transform="rotate(-35,50,50)">'
            f'<path d="M42,8 H58 V26 Q74,34 74,52 V86 Q74,94 66,94 H34 Q26,94 26,86 V52 Q26,34 42,26 Z" '
            f'fill="{SEA_LIGHT}" fill-opacity="0.75" stroke="{INK}" stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<rect x="40" y="2" width="20" height="12" rx="3" fill="{WOOD_LIGHT}" stroke="{INK}" stroke-width="{sw * 0.7}"/>'
            f'<rect x="36" y="46" width="28" height="38" rx="4" fill="{PARCH}" stroke="{PARCH_DARK}" stroke-width="{sw * 0.5}"/>'
            f'<path d="M41,56 H59 M41,64 H59 M41,72 H53" stroke="{WOOD_DARK}" stroke-width="{sw * 0.5}"/>'
            f'<path d="M32,54 V82" stroke="#ffffff" stroke-width="{sw * 0.8}" opacity="0.6" stroke-linecap="round"/>'
            f'</g>')


def bomb(sw=4.0):
    return (f'<circle cx="46" cy="58" r="32" fill="#3a3f44" stroke="{INK}" stroke-width="{sw}"/>'
            f'<rect x="54" y="20" width="18" height="14" rx="3" transform="rotate(40,63,27)" fill="{IRON}" '
            f'stroke="{INK}" stroke-width="{sw * 0.7}"/>'
            f'<path d="M68,22 Q76,8 88,12" stroke="{WOOD_LIGHT}" stroke-width="{sw * 0.9}" fill="none"/>'
            + star(88, 12, 10, fill="#ffb347", sw=sw * 0.4) +
            f'<path d="M28,46 Q32,36 42,32" stroke="#ffffff" stroke-width="{sw}" fill="none" opacity="0.5" '
            f'stroke-linecap="round"/>')


def chest(sw=4.0):
    return (f'<path d="M14,44 Q14,20 50,20 Q86,20 86,44 Z" fill="url(#wood)" stroke="{INK}" stroke-width="{sw}"/>'
            f'<ellipse cx="50" cy="44" rx="30" ry="6" fill="url(#gold)" stroke="{GOLD_DARK}" stroke-width="{sw * 0.4}"/>'
            + "".join(f'<circle cx="{x}" cy="{y}" r="6" fill="url(#gold)" stroke="{INK}" stroke-width="{sw * 0.4}"/>'
                      for x, y in ((30, 40), (44, 36), (58, 38), (70, 41))) +
            f'<rect x="14" y="44" width="72" height="40" rx="4" fill="url(#wood)" stroke="{INK}" stroke-width="{sw}"/>'
            f'<path d="M14,58 H86" stroke="{GOLD_DARK}" stroke-width="{sw}"/>'
            f'<path d="M28,44 V84 M72,44 V84" stroke="url(#gold)" stroke-width="{sw * 1.4}"/>'
            f'<rect x="43" y="52" width="14" height="16" rx="2" fill="url(#gold)" stroke="{INK}" stroke-width="{sw * 0.6}"/>'
            f'<circle cx="50" cy="59" r="2.5" fill="{INK}"/>')


def fish(sw=4.0):
    return (f'<path d="M12,50 Q40,18 72,44 L92,28 L86,50 L92,72 L72,56 Q40,82 12,50 Z" fill="{SEA_LIGHT}" '
            f'stroke="{INK}" stroke-width="{sw}" stroke-linejoin="round"/>'
            f'<path d="M18,50 Q40,30 66,48" stroke="{FOAM}" stroke-width="{sw * 0.8}" fill="none" opacity="0.8"/>'
            f'<path d="M44,38 Q50,50 44,62 M54,40 Q60,50 54,60" stroke="{SEA}" stroke-width="{sw * 0.6}" fill="none"/>'
            f'<circle cx="26" cy="46" r="5" fill="#ffffff" stroke="{INK}" stroke-width="{sw * 0.4}"/>'
            f'<circle cx="27" cy="46" r="2.5" fill="{INK}"/>'
            f'<circle cx="74" cy="18" r="4" fill="none" stroke="{SEA_LIGHT}" stroke-width="{sw * 0.5}"/>'
            f'<circle cx="82" cy="8" r="2.5" fill="none" stroke="{SEA_LIGHT}" stroke-width="{sw * 0.5}"/>')


# ---- the two award shapes ------------------------------------------------------------------

def medal(tier, emblem):
    """Round medal of the tier's metal hanging from a red and gold ribbon."""
    ribbon = (f'<path d="M36,4 L52,44 L68,44 L84,4 Z" fill="{RED}" stroke="{INK}" stroke-width="2" '
              f'stroke-linejoin="round"/>'
              f'<path d="M52,4 L58,30 L62,30 L68,4 Z" fill="{GOLD}" opacity="0.9"/>')
    knot = rrect(40, 4, 40, 16, 4, "#8f2a26", sw=1.5)
    stars = "".join(star(60 + (i - (tier - 1) / 2) * 12, 12, 5.5, sw=0.8) for i in range(tier))
    disc = (f'<circle cx="60" cy="72" r="42" fill="url(#metal{tier})" stroke="{INK}" stroke-width="3"/>'
            f'<circle cx="60" cy="72" r="34" fill="none" stroke="{METALS[tier][2]}" stroke-width="2"/>'
            f'<circle cx="60" cy="72" r="31" fill="#ffffff" opacity="0.10"/>'
            f'<path d="M30,56 Q40,36 62,32" stroke="#ffffff" stroke-width="3" fill="none" opacity="0.55" '
            f'stroke-linecap="round"/>')
    # emblem: 100 box scaled to 48 px around the disc's centre
    em = f'<g transform="translate(31,43) scale(0.58)">{emblem(sw=4.2)}</g>'
    return Image(SIZE, SIZE, shadow(ribbon + knot + disc) + em + stars)


def shield(emblem):
    """A single award: a wooden shield with a gold rim and a parchment field."""
    outer = "M60,6 L106,18 Q108,70 60,114 Q12,70 14,18 Z"
    inner = "M60,16 L97,26 Q97,68 60,102 Q23,68 23,26 Z"
    body = (f'<path d="{outer}" fill="url(#gold)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
            f'<path d="M60,11 L101,22 Q102,69 60,108 Q18,69 19,22 Z" fill="url(#wood)" stroke="{GOLD_DARK}" '
            f'stroke-width="1.5"/>'
            f'<path d="{inner}" fill="url(#parch)" stroke="{PARCH_DARK}" stroke-width="1.5"/>')
    rivets = rivet(60, 11, 3) + rivet(19, 22, 3) + rivet(101, 22, 3)
    em = f'<g transform="translate(34,28) scale(0.52)">{emblem(sw=4.0)}</g>'
    return Image(SIZE, SIZE, shadow(body) + rivets + em)


def single_icon(fn):
    return lambda sw=4.0: fn(sw=sw)


# ---- the panel -------------------------------------------------------------------------------

PANEL_W, PANEL_H = 380, 440


def panel(head_h=110, niche_top=136, niche_h=168):
    """The frame of both award panels; the details panel asks for a deeper plaque."""
    w, h = PANEL_W, PANEL_H
    # Screen y of the panel's top is 164 once it has arrived; the game writes the heading at
    # 194, the sentence at 234 and the award's name at 264, centred on x 400 (local 190).
    board = plank(4, 4, w - 10, h - 10, r=18, sw=3)
    for cx, cy in ((16, 16), (w - 18, 16), (16, h - 18), (w - 18, h - 18)):
        board += rivet(cx, cy, 6)
    head = plaque(22, 18, w - 46, head_h, r=12, sw=2)
    # the niche around the award (centred on local (190, 220))
    rays = ""
    for i in range(16):
        a = math.radians(i * 22.5)
        x1, y1 = 190 + 30 * math.cos(a), 220 + 30 * math.sin(a)
        x2, y2 = 190 + 92 * math.cos(a - 0.08), 220 + 92 * math.sin(a - 0.08)
        x3, y3 = 190 + 92 * math.cos(a + 0.08), 220 + 92 * math.sin(a + 0.08)
        rays += f'<path d="M{x1:.1f},{y1:.1f} L{x2:.1f},{y2:.1f} L{x3:.1f},{y3:.1f} Z" fill="{GOLD_LIGHT}" opacity="0.55"/>'
    nt, nh = niche_top, niche_h
    niche = (rrect(58, nt, w - 122, nh, 18, "url(#niche)", sw=2) +
             f'<clipPath id="nicheClip"><rect x="60" y="{nt + 2}" width="{w - 126}" height="{nh - 4}" rx="16"/>'
             f'</clipPath><g clip-path="url(#nicheClip)">{rays}</g>' +
             rrect(64, nt + 6, w - 134, nh - 12, 14, "none", stroke=PARCH_DARK, sw=1.5))
    # laurel sprigs either side of the niche
    laurel = ""
    for side in (-1, 1):
        cx = 190 + side * 104
        for k in range(5):
            y = 280 - k * 25
            x = cx + side * (4 - k * 1.5)
            rot = side * (-30 + k * 6)
            laurel += (f'<ellipse cx="{x:.1f}" cy="{y}" rx="6" ry="12" transform="rotate({rot},{x:.1f},{y})" '
                       f'fill="{GREEN}" stroke="{INK}" stroke-width="1.2"/>')
        laurel += (f'<path d="M{cx + side * 6},{292} Q{cx + side * 2},{220} {cx - side * 2},{168}" stroke="{WOOD_DARK}" '
                   f'stroke-width="2" fill="none"/>')
    # the shelf where the button comes to rest (its top at local 356)
    shelf = (f'<path d="M30,340 H{w - 36}" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.7"/>'
             f'<path d="M30,342 H{w - 36}" stroke="{WOOD_LIGHT}" stroke-width="1" opacity="0.6"/>')
    return Image(w, h, shadow(board) + head + niche + laurel + shelf)


KINDS = {
    "brainiac": compass, "points": coins, "risky": bomb, "treasure": chest, "sea-life": fish,
}
SINGLES = {
    "dedicated": anchor, "super-combo": super_combo, "combo": combo, "power-up": wheel,
    "hint-maniac": bottle, "skull": icons.skull, "sabre": icons.sword, "medallion": icons.medallion,
    "eye": icons.eye, "map": icons.map_,
}


def images():
    out = {}
    for slug, emblem in KINDS.items():
        for tier in (1, 2, 3):
            img = medal(tier, emblem)
            img.body = f"<defs>{DEFS}</defs>" + img.body
            out[f"gfx/awards/{slug}-{tier}.png"] = img
    for slug, emblem in SINGLES.items():
        out[f"gfx/awards/{slug}.png"] = shield(emblem)
    p = panel()
    p.body = f"<defs>{DEFS}</defs>" + p.body
    out["gfx/gui/giveAward/panel.png"] = p
    out[f"gfx/gui/giveAward/{LANG}/ok.png"] = Strip(140, 42, [caption("Aye!", 140, s) for s in STATES])
    return out
