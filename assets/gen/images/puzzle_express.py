"""The block puzzle in a chest: the empty field cell, the block tile kinds and the objects the
chest opens on. Cells are 48 x 48 (the field cell sets the size of every block cell): big
enough to read and grab, and a field of five rows by seven fills the lid."""
from svgkit import Image, rrect, shadow, plank, rivet, grain, PARCH_LIGHT, FOAM, INK, WOOD, WOOD_DARK, WOOD_LIGHT, GOLD, GOLD_DARK, \
    GOLD_LIGHT, SEA, SEA_LIGHT, SEA_DEEP, RED, BONE, PARCH, PARCH_DARK, IRON, IRON_LIGHT, GREEN

CELL = 48
BASE = "gfx/miniGames/puzzleExpress/"

# Tile kinds of the blocks: (file name, light, mid, dark); ids follow this order from 1.
KINDS = [
    ("gold", GOLD_LIGHT, GOLD, GOLD_DARK),
    ("sea", SEA_LIGHT, SEA, SEA_DEEP),
    ("coral", "#e88a6a", RED, "#6e1f1b"),
    ("bone", "#fffaf0", BONE, PARCH_DARK),
    ("moss", "#a6cf7a", GREEN, "#2c4f22"),
]


def grad(gid, light, mid, dark, x2=0.4):
    """A three-stop gradient from the top-left; x2 sets how far it leans."""
    return (f'<defs><linearGradient id="{gid}" x1="0" y1="0" x2="{x2}" y2="1">'
            f'<stop offset="0" stop-color="{light}"/><stop offset="0.55" stop-color="{mid}"/>'
            f'<stop offset="1" stop-color="{dark}"/></linearGradient></defs>')


def empty_cell():
    """A dark recess cut into the lid, lit along its lower edge; a faint gold line marks it."""
    c = CELL
    body = rrect(1, 1, c - 2, c - 2, 6, WOOD_DARK, sw=1.5)
    body += rrect(5, 5, c - 10, c - 10, 5, "#2a170a", stroke="none", sw=0)
    body += rrect(5, 5, c - 10, c - 10, 5, "none", stroke=GOLD_DARK, sw=1, extra='opacity="0.45"')
    body += f'<path d="M8,{c - 5} H{c - 8}" stroke="{WOOD_LIGHT}" stroke-width="1.5" opacity="0.7" stroke-linecap="round"/>'
    body += f'<path d="M8,6.5 H{c - 8}" stroke="{INK}" stroke-width="2.5" opacity="0.7" stroke-linecap="round"/>'
    return Image(c, c, body)


def kind_cell(name, light, mid, dark):
    """A bevelled tile: a lit top face over a darker rim, a gold stud in the middle."""
    c = CELL
    gid = f"pe-{name}"
    body = grad(gid, light, mid, dark)
    body += rrect(1.5, 1.5, c - 3, c - 3, 7, dark, sw=1.5)
    body += rrect(5, 4, c - 10, c - 11, 5, f"url(#{gid})", stroke="none", sw=0)
    body += f'<path d="M10,6.5 H{c - 10}" stroke="#ffffff" stroke-width="1.8" opacity="0.55" stroke-linecap="round"/>'
    body += f'<path d="M6,10 V{c - 14}" stroke="#ffffff" stroke-width="1.2" opacity="0.3" stroke-linecap="round"/>'
    body += rrect(11, 10, c - 22, c - 22, 4, "none", stroke=light, sw=1.2, extra='opacity="0.6"')
    body += f'<circle cx="{c / 2}" cy="{c / 2 - 1}" r="4" fill="url(#gold)" stroke="{INK}" stroke-width="1"/>'
    return Image(c, c, body)


def halo():
    """A soft gold light behind a found object, so it reads against the chest and the sky."""
    return ('<defs><radialGradient id="halo" cx="0.5" cy="0.5" r="0.5">'
            f'<stop offset="0" stop-color="{GOLD_LIGHT}" stop-opacity="0.75"/>'
            f'<stop offset="0.55" stop-color="{GOLD}" stop-opacity="0.3"/>'
            f'<stop offset="1" stop-color="{GOLD}" stop-opacity="0"/></radialGradient></defs>'
            '<circle cx="80" cy="80" r="79" fill="url(#halo)"/>')


def compass():
    b = f'<circle cx="80" cy="80" r="64" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<circle cx="80" cy="80" r="52" fill="{PARCH}" stroke="{GOLD_DARK}" stroke-width="3"/>'
    for i in range(8):
        b += (f'<path d="M80,34 V42" stroke="{INK}" stroke-width="2" transform="rotate({i * 45} 80 80)"/>')
    b += f'<path d="M80,36 L90,80 L80,124 L70,80 Z" fill="{BONE}" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M80,36 L90,80 L70,80 Z" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="80" cy="80" r="6" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="80" cy="12" r="9" fill="none" stroke="{GOLD_DARK}" stroke-width="5"/>'
    return Image(160, 160, halo() + shadow(b))


def spyglass():
    b = f'<g transform="rotate(-35 80 80)">'
    b += rrect(14, 64, 52, 32, 6, "url(#wood)", sw=3)
    b += rrect(62, 60, 44, 40, 5, "url(#gold)", sw=3)
    b += rrect(102, 56, 46, 48, 5, IRON, sw=3)
    b += f'<ellipse cx="148" cy="80" rx="6" ry="22" fill="{SEA_LIGHT}" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M106,62 H144" stroke="{IRON_LIGHT}" stroke-width="3" opacity="0.8"/>'
    b += f'<path d="M22,70 H60" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/></g>'
    return Image(160, 160, halo() + shadow(b))


def goblet():
    b = f'<path d="M36,20 H124 C124,74 104,96 80,98 C56,96 36,74 36,20 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M72,98 H88 V126 H72 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M44,144 C44,128 116,128 116,144 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<circle cx="80" cy="52" r="11" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="56" cy="44" r="6" fill="{SEA}" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="104" cy="44" r="6" fill="{SEA}" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M46,28 H114" stroke="{GOLD_LIGHT}" stroke-width="3" opacity="0.9"/>'
    return Image(160, 160, halo() + shadow(b))


# The chest frames the field: its inside (under the lid) is 420 x 304 at (42, 48), centred
# on (252, 200), where the board centres the field. The largest field, five rows by seven
# cells, leaves a hand's breadth of lid all round.
CHEST_W, CHEST_H = 504, 400
LID_X, LID_Y, LID_W, LID_H = 42, 48, 420, 304


def band(x, y, w, h):
    """A gold band with rivets along it."""
    b = rrect(x, y, w, h, 3, "url(#gold)", sw=2)
    n = max(2, int(w // 60)) if w > h else max(2, int(h // 60))
    for i in range(n):
        if w > h:
            b += rivet(x + 12 + (w - 24) * i / (n - 1), y + h / 2, 3.5)
        else:
            b += rivet(x + w / 2, y + 12 + (h - 24) * i / (n - 1), 3.5)
    return b


def coin(cx, cy, r=11):
    return (f'<ellipse cx="{cx}" cy="{cy}" rx="{r}" ry="{r * 0.62:.1f}" fill="url(#gold)" stroke="{INK}" stroke-width="1.5"/>'
            f'<ellipse cx="{cx}" cy="{cy - 1}" rx="{r * 0.6:.1f}" ry="{r * 0.34:.1f}" fill="none" stroke="{GOLD_DARK}" stroke-width="1.2"/>')


def hoard():
    """Coins heaped in the well, higher at the back, a few gems among them: the open chest is
    full, and the found object rises from it. Back rows are smaller and in shade."""
    x0, y0, w, h = LID_X, LID_Y, LID_W, LID_H
    b = ('<defs><radialGradient id="heap" cx="0.5" cy="0.25" r="0.8">'
         f'<stop offset="0" stop-color="{GOLD_LIGHT}"/><stop offset="0.45" stop-color="{GOLD}"/>'
         f'<stop offset="1" stop-color="{GOLD_DARK}"/></radialGradient></defs>')
    b += rrect(x0 + 2, y0 + 60, w - 4, h - 62, 6, GOLD_DARK, stroke="none", sw=0)
    b += (f'<path d="M{x0 + 2},{y0 + 90} C{x0 + 110},{y0 + 30} {x0 + w - 110},{y0 + 30} {x0 + w - 2},{y0 + 90} '
          f'V{y0 + h - 2} H{x0 + 2} Z" fill="url(#heap)" stroke="{INK}" stroke-width="2"/>')
    seed = 17
    rows = 11
    for i in range(rows):
        t = i / (rows - 1)
        yy = y0 + 64 + t * (h - 84)
        r = 8 + 6 * t
        n = int((w - 40) / (2.1 * r))
        for k in range(n):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            xx = x0 + 20 + (w - 40) * (k + 0.5 + 0.5 * (i % 2)) / (n + 0.5) + (seed % 9) - 4
            yk = yy + (seed % 7) - 3
            if yk < y0 + 40 + 60 * (1 - min(1, abs(xx - x0 - w / 2) / (w / 2)) ** 2) * 0.8 - 20:
                continue
            b += coin(round(xx), round(yk), round(r, 1))
    for gx, gy, col in ((x0 + 90, y0 + 150, RED), (x0 + 300, y0 + 120, SEA_LIGHT), (x0 + 210, y0 + 230, GREEN),
                        (x0 + 350, y0 + 250, RED), (x0 + 60, y0 + 260, SEA_LIGHT)):
        b += (f'<path d="M{gx},{gy - 9} L{gx + 8},{gy} L{gx},{gy + 9} L{gx - 8},{gy} Z" fill="{col}" '
              f'stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>'
              f'<path d="M{gx - 3},{gy - 3} L{gx},{gy - 6}" stroke="#ffffff" stroke-width="1.5" opacity="0.7"/>')
    # Shade at the back wall, under the rim.
    b += rrect(x0 + 4, y0 + 4, w - 8, 30, 4, INK, stroke="none", sw=0, extra='opacity="0.4"')
    return b


def chest():
    """The open chest seen from above: a thick wooden rim with gold corners round a well full of
    coins."""
    w, h = CHEST_W, CHEST_H
    b = rrect(6, 6, w - 14, h - 16, 18, "url(#wood)", sw=3)
    # Planks of the rim.
    for y in range(22, h - 20, 46):
        b += f'<path d="M14,{y} H{w - 16}" stroke="{WOOD_DARK}" stroke-width="1.5" opacity="0.35"/>'
    b += grain(10, 10, w - 22, h - 24, 8, opacity=0.2)
    b += f'<path d="M24,9 H{w - 26}" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/>'
    # The well, with a gold bead on its inside edge, and the hoard in it.
    b += rrect(LID_X - 8, LID_Y - 8, LID_W + 16, LID_H + 16, 10, "url(#gold)", sw=2)
    b += rrect(LID_X - 2, LID_Y - 2, LID_W + 4, LID_H + 4, 6, "#3a0f0d", sw=2)
    b += hoard()
    # Iron-and-gold corners and side bands.
    for cx, cy in ((8, 8), (w - 48, 8), (8, h - 50), (w - 48, h - 50)):
        b += rrect(cx, cy, 40, 40, 8, "url(#gold)", sw=2) + rivet(cx + 20, cy + 20, 5)
    b += band(8, h / 2 - 14, 26, 28) + band(w - 36, h / 2 - 14, 26, 28)
    # The lock plate on the front rim.
    b += rrect(w / 2 - 26, h - 40, 52, 32, 6, "url(#gold)", sw=2)
    b += f'<path d="M{w / 2},{h - 32} a5,5 0 1,1 0.1,0 M{w / 2},{h - 28} V{h - 17}" stroke="{INK}" stroke-width="3" fill="{INK}"/>'
    return Image(w, h, shadow(b))


def chest_cover():
    """The lid that closes the well: planks inside a gold bead, gold brackets at the corners.
    The field is laid out on its middle, which is left plain so the recesses read."""
    w, h = LID_W, LID_H
    b = rrect(1.5, 1.5, w - 3, h - 3, 6, "url(#wood)", sw=3)
    for x in range(0, w, 60):
        b += grain(x + 2, 4, 56, h - 8, 3, horizontal=False, opacity=0.25)
        if x:
            b += f'<path d="M{x},4 V{h - 4}" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.45"/>'
    b += f'<path d="M8,5 H{w - 8}" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/>'
    # A shallow sunken panel under the field, ringed by a gold bead.
    b += rrect(14, 14, w - 28, h - 28, 8, INK, stroke="none", sw=0, extra='opacity="0.18"')
    b += rrect(14, 14, w - 28, h - 28, 8, "none", stroke=GOLD_DARK, sw=2.5)
    b += rrect(16.5, 16.5, w - 33, h - 33, 7, "none", stroke=GOLD_LIGHT, sw=1, extra='opacity="0.5"')
    # Corner brackets.
    for cx, cy, sx, sy in ((6, 6, 1, 1), (w - 6, 6, -1, 1), (6, h - 6, 1, -1), (w - 6, h - 6, -1, -1)):
        b += (f'<path d="M{cx},{cy} h{30 * sx} l{-8 * sx},{8 * sy} h{-14 * sx} v{14 * sy} l{-8 * sx},{8 * sy} Z" '
              f'fill="url(#gold)" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>')
        b += rivet(cx + 8 * sx, cy + 8 * sy, 3)
    return Image(w, h, b)


def rail():
    """A long sheet of parchment the loose blocks wait on, its ends rolled: tall enough for a
    block three cells high, wide enough for the largest level's blocks side by side."""
    w, h = 940, 190
    b = rrect(20, 10, w - 40, h - 20, 6, "url(#parch)", sw=2.5)
    b += f'<path d="M28,20 H{w - 28}" stroke="{PARCH_LIGHT}" stroke-width="2" opacity="0.9"/>'
    b += f'<path d="M28,{h - 18} H{w - 28}" stroke="{PARCH_DARK}" stroke-width="2" opacity="0.7"/>'
    for x in (4, w - 36):
        b += rrect(x, 2, 32, h - 4, 14, "url(#woodH)", sw=2.5)
        b += f'<path d="M{x + 9},12 V{h - 12}" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.7"/>'
        b += rivet(x + 16, 14, 4) + rivet(x + 16, h - 14, 4)
    return Image(w, h, shadow(b))


def skip_zone():
    """Only its size counts: the skip box's hot zone under the bar."""
    return Image(84, 46, rrect(1, 1, 82, 44, 8, PARCH, sw=1.5, extra='opacity="0.6"'))


def small_plaque():
    return Image(124, 40, rrect(1, 1, 122, 38, 8, "url(#wood)", sw=2) + rivet(10, 20, 3) + rivet(114, 20, 3))


def skeleton_key():
    b = f'<g transform="rotate(-30 80 80)">'
    b += f'<circle cx="42" cy="80" r="26" fill="none" stroke="{INK}" stroke-width="16"/>'
    b += f'<circle cx="42" cy="80" r="26" fill="none" stroke="url(#gold)" stroke-width="10"/>'
    b += f'<circle cx="42" cy="80" r="7" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
    b += rrect(66, 74, 80, 12, 4, "url(#gold)", sw=3)
    b += rrect(118, 84, 10, 22, 2, "url(#gold)", sw=3) + rrect(134, 84, 10, 16, 2, "url(#gold)", sw=3)
    b += f'<path d="M72,77 H140" stroke="{GOLD_LIGHT}" stroke-width="2" opacity="0.9"/></g>'
    return Image(160, 160, halo() + shadow(b))


def anchor():
    b = f'<circle cx="80" cy="26" r="12" fill="none" stroke="{INK}" stroke-width="12"/>'
    b += f'<circle cx="80" cy="26" r="12" fill="none" stroke="url(#iron)" stroke-width="7"/>'
    b += rrect(73, 36, 14, 98, 4, "url(#iron)", sw=3)
    b += rrect(48, 48, 64, 12, 4, "url(#iron)", sw=3)
    b += (f'<path d="M24,96 C30,128 56,144 80,144 C104,144 130,128 136,96 L124,104 L136,96 L142,112 '
          f'C132,132 108,152 80,152 C52,152 28,132 18,112 L24,96 L36,104" fill="none" stroke="{INK}" '
          f'stroke-width="12" stroke-linejoin="round"/>')
    b += (f'<path d="M24,96 C30,128 56,144 80,144 C104,144 130,128 136,96" fill="none" stroke="url(#iron)" '
          f'stroke-width="7" stroke-linecap="round"/>')
    b += f'<path d="M14,98 L26,88 L36,106 Z M146,98 L134,88 L124,106 Z" fill="url(#iron)" stroke="{INK}" stroke-width="2.5"/>'
    b += f'<path d="M77,42 V128" stroke="{IRON_LIGHT}" stroke-width="2" opacity="0.8"/>'
    return Image(160, 160, halo() + shadow(b))


def flintlock():
    b = '<g transform="rotate(-18 80 80)">'
    # The stock: a wooden fore-end under the barrel, swept down into a round butt.
    b += (f'<path d="M40,70 H104 C112,82 122,100 140,112 C146,122 138,136 124,136 C108,132 96,112 88,84 H40 Z" '
          f'fill="url(#wood)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>')
    b += rrect(10, 58, 100, 14, 4, "url(#iron)", sw=3)
    b += f'<path d="M16,62 H104" stroke="{IRON_LIGHT}" stroke-width="2" opacity="0.8"/>'
    b += rrect(122, 116, 20, 20, 8, "url(#gold)", sw=2.5)
    # The lock: a brass plate, the cock raised over the pan.
    b += rrect(80, 72, 30, 14, 3, "url(#gold)", sw=2.5)
    b += f'<path d="M100,72 C100,60 106,52 114,50 L118,56 C112,58 108,64 108,72 Z" fill="url(#iron)" stroke="{INK}" stroke-width="2.5"/>'
    # Trigger and its guard.
    b += f'<path d="M84,86 C82,100 90,108 104,104" fill="none" stroke="url(#gold)" stroke-width="4"/>'
    b += f'<path d="M94,86 L92,98" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>'
    b += f'<circle cx="12" cy="65" r="4" fill="{INK}"/></g>'
    return Image(160, 160, halo() + shadow(b))


def hourglass():
    b = rrect(30, 14, 100, 16, 5, "url(#wood)", sw=3) + rrect(30, 130, 100, 16, 5, "url(#wood)", sw=3)
    b += (f'<path d="M44,30 C44,64 74,72 74,80 C74,88 44,96 44,130 H116 C116,96 86,88 86,80 C86,72 116,64 116,30 Z" '
          f'fill="{FOAM}" fill-opacity="0.55" stroke="{INK}" stroke-width="3"/>')
    b += f'<path d="M58,54 C64,64 74,70 78,80 H82 C86,70 96,64 102,54 Z" fill="{PARCH}" stroke="{PARCH_DARK}" stroke-width="1.5"/>'
    b += f'<path d="M80,82 V126" stroke="{PARCH}" stroke-width="2"/>'
    b += f'<path d="M50,130 C56,112 104,112 110,130 Z" fill="{PARCH}" stroke="{PARCH_DARK}" stroke-width="1.5"/>'
    for x in (34, 126):
        b += rrect(x - 4, 28, 8, 104, 3, "url(#gold)", sw=2)
    b += f'<path d="M50,36 C50,56 60,64 68,70" fill="none" stroke="#ffffff" stroke-width="3" opacity="0.6"/>'
    return Image(160, 160, halo() + shadow(b))


def ring():
    b = f'<ellipse cx="80" cy="96" rx="50" ry="40" fill="none" stroke="{INK}" stroke-width="20"/>'
    b += f'<ellipse cx="80" cy="96" rx="50" ry="40" fill="none" stroke="url(#gold)" stroke-width="14"/>'
    b += f'<path d="M36,84 C44,64 62,58 80,58" fill="none" stroke="{GOLD_LIGHT}" stroke-width="3" opacity="0.9"/>'
    b += f'<path d="M54,60 L80,36 L106,60 L80,74 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
    b += f'<path d="M62,40 L80,18 L98,40 L80,58 Z" fill="{RED}" stroke="{INK}" stroke-width="3" stroke-linejoin="round"/>'
    b += f'<path d="M72,36 L80,26 L86,34" fill="none" stroke="#f6b3a3" stroke-width="3" stroke-linecap="round"/>'
    return Image(160, 160, halo() + shadow(b))


def images():
    out = {BASE + "tile.png": empty_cell()}
    out[BASE + "chest.png"] = chest()
    out[BASE + "chest-Cover.png"] = chest_cover()
    out[BASE + "papier.png"] = rail()
    out[BASE + "hint.png"] = skip_zone()
    out[BASE + "hints_front.png"] = skip_zone()
    out[BASE + "hints_back.png"] = skip_zone()
    out[BASE + "gui.png"] = small_plaque()
    for kind in KINDS:
        out[BASE + f"tiles/tile-{kind[0]}.png"] = kind_cell(*kind)
    out[BASE + "objects/compass.png"] = compass()
    out[BASE + "objects/spyglass.png"] = spyglass()
    out[BASE + "objects/goblet.png"] = goblet()
    out[BASE + "objects/key.png"] = skeleton_key()
    out[BASE + "objects/anchor.png"] = anchor()
    out[BASE + "objects/pistol.png"] = flintlock()
    out[BASE + "objects/hourglass.png"] = hourglass()
    out[BASE + "objects/ring.png"] = ring()
    return out
