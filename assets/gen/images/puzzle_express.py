"""The block puzzle in a chest: the empty field cell, the block tile kinds and the objects the
chest opens on. Cells are 40 x 40 (the field cell sets the size of every block cell)."""
from svgkit import Image, rrect, shadow, plank, rivet, grain, PARCH_LIGHT, FOAM, INK, WOOD, WOOD_DARK, WOOD_LIGHT, GOLD, GOLD_DARK, \
    GOLD_LIGHT, SEA, SEA_LIGHT, SEA_DEEP, RED, BONE, PARCH, PARCH_DARK, IRON, IRON_LIGHT, GREEN

CELL = 40
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
    """A dark recess in the chest's floor, lit at its lower edge."""
    body = rrect(1, 1, 38, 38, 5, WOOD_DARK, sw=1.5)
    body += rrect(4, 4, 32, 32, 4, "#2f1a0b", stroke="none", sw=0)
    body += f'<path d="M6,35 H34" stroke="{WOOD_LIGHT}" stroke-width="1.5" opacity="0.6" stroke-linecap="round"/>'
    body += f'<path d="M6,5 H34" stroke="{INK}" stroke-width="2" opacity="0.7" stroke-linecap="round"/>'
    return Image(CELL, CELL, body)


def kind_cell(name, light, mid, dark):
    gid = f"pe-{name}"
    body = grad(gid, light, mid, dark)
    body += rrect(1.5, 1.5, 37, 37, 6, f"url(#{gid})", sw=1.5)
    body += f'<path d="M8,5.5 H32" stroke="#ffffff" stroke-width="1.5" opacity="0.55" stroke-linecap="round"/>'
    body += rrect(8, 8, 24, 24, 4, "none", stroke=light, sw=1.2, extra='opacity="0.7"')
    body += f'<circle cx="20" cy="20" r="3" fill="{dark}" stroke="{INK}" stroke-width="1" opacity="0.8"/>'
    return Image(CELL, CELL, body)


def compass():
    b = f'<circle cx="80" cy="80" r="64" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<circle cx="80" cy="80" r="52" fill="{PARCH}" stroke="{GOLD_DARK}" stroke-width="3"/>'
    for i in range(8):
        b += (f'<path d="M80,34 V42" stroke="{INK}" stroke-width="2" transform="rotate({i * 45} 80 80)"/>')
    b += f'<path d="M80,36 L90,80 L80,124 L70,80 Z" fill="{BONE}" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M80,36 L90,80 L70,80 Z" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="80" cy="80" r="6" fill="url(#gold)" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="80" cy="12" r="9" fill="none" stroke="{GOLD_DARK}" stroke-width="5"/>'
    return Image(160, 160, shadow(b))


def spyglass():
    b = f'<g transform="rotate(-35 80 80)">'
    b += rrect(14, 64, 52, 32, 6, "url(#wood)", sw=3)
    b += rrect(62, 60, 44, 40, 5, "url(#gold)", sw=3)
    b += rrect(102, 56, 46, 48, 5, IRON, sw=3)
    b += f'<ellipse cx="148" cy="80" rx="6" ry="22" fill="{SEA_LIGHT}" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M106,62 H144" stroke="{IRON_LIGHT}" stroke-width="3" opacity="0.8"/>'
    b += f'<path d="M22,70 H60" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/></g>'
    return Image(160, 160, shadow(b))


def goblet():
    b = f'<path d="M36,20 H124 C124,74 104,96 80,98 C56,96 36,74 36,20 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M72,98 H88 V126 H72 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<path d="M44,144 C44,128 116,128 116,144 Z" fill="url(#gold)" stroke="{INK}" stroke-width="3"/>'
    b += f'<circle cx="80" cy="52" r="11" fill="{RED}" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="56" cy="44" r="6" fill="{SEA}" stroke="{INK}" stroke-width="2"/>'
    b += f'<circle cx="104" cy="44" r="6" fill="{SEA}" stroke="{INK}" stroke-width="2"/>'
    b += f'<path d="M46,28 H114" stroke="{GOLD_LIGHT}" stroke-width="3" opacity="0.9"/>'
    return Image(160, 160, shadow(b))


# The chest frames the field: its inside (under the lid) is 420 x 304 at (42, 48), centred
# on (252, 200), where the board centres the field.
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


def chest():
    """The open chest seen from above: a thick wooden rim with gold corners round a dark well."""
    w, h = CHEST_W, CHEST_H
    b = rrect(6, 6, w - 14, h - 16, 18, "url(#wood)", sw=3)
    # Planks of the rim.
    for y in range(22, h - 20, 46):
        b += f'<path d="M14,{y} H{w - 16}" stroke="{WOOD_DARK}" stroke-width="1.5" opacity="0.35"/>'
    b += grain(10, 10, w - 22, h - 24, 8, opacity=0.2)
    b += f'<path d="M24,9 H{w - 26}" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/>'
    # The well, with a gold bead on its inside edge.
    b += rrect(LID_X - 8, LID_Y - 8, LID_W + 16, LID_H + 16, 10, "url(#gold)", sw=2)
    # A velvet lining for the found object to lie on.
    b += ('<defs><radialGradient id="velvet" cx="0.5" cy="0.45" r="0.7">'
          f'<stop offset="0" stop-color="#7a2622"/><stop offset="1" stop-color="#3a0f0d"/></radialGradient></defs>')
    b += rrect(LID_X - 2, LID_Y - 2, LID_W + 4, LID_H + 4, 6, "url(#velvet)", sw=2)
    b += rrect(LID_X + 6, LID_Y + 6, LID_W - 12, 22, 4, INK, stroke="none", sw=0, extra='opacity="0.5"')
    # Iron-and-gold corners and side bands.
    for cx, cy in ((8, 8), (w - 48, 8), (8, h - 50), (w - 48, h - 50)):
        b += rrect(cx, cy, 40, 40, 8, "url(#gold)", sw=2) + rivet(cx + 20, cy + 20, 5)
    b += band(8, h / 2 - 14, 26, 28) + band(w - 36, h / 2 - 14, 26, 28)
    # The lock plate on the front rim.
    b += rrect(w / 2 - 26, h - 40, 52, 32, 6, "url(#gold)", sw=2)
    b += f'<path d="M{w / 2},{h - 32} a5,5 0 1,1 0.1,0 M{w / 2},{h - 28} V{h - 17}" stroke="{INK}" stroke-width="3" fill="{INK}"/>'
    return Image(w, h, shadow(b))


def chest_cover():
    """The lid that closes the well: planks with gold bands; the field is laid out on it."""
    w, h = LID_W, LID_H
    b = rrect(1.5, 1.5, w - 3, h - 3, 6, "url(#wood)", sw=3)
    for x in range(0, w, 60):
        b += grain(x + 2, 4, 56, h - 8, 3, horizontal=False, opacity=0.3)
        if x:
            b += f'<path d="M{x},4 V{h - 4}" stroke="{WOOD_DARK}" stroke-width="2" opacity="0.6"/>'
    b += f'<path d="M8,5 H{w - 8}" stroke="{WOOD_LIGHT}" stroke-width="2" opacity="0.8"/>'
    b += band(6, 18, w - 12, 16) + band(6, h - 34, w - 12, 16)
    return Image(w, h, b)


def rail():
    """A long sheet of parchment the loose blocks wait on, its ends rolled."""
    w, h = 900, 180
    b = rrect(20, 12, w - 40, h - 24, 6, "url(#parch)", sw=2.5)
    b += f'<path d="M28,22 H{w - 28}" stroke="{PARCH_LIGHT}" stroke-width="2" opacity="0.9"/>'
    b += f'<path d="M28,{h - 20} H{w - 28}" stroke="{PARCH_DARK}" stroke-width="2" opacity="0.7"/>'
    for x in (4, w - 36):
        b += rrect(x, 4, 32, h - 8, 14, "url(#woodH)", sw=2.5)
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
    return Image(160, 160, shadow(b))


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
    return out
