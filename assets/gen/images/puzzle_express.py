"""The block puzzle in a chest: the empty field cell, the block tile kinds and the objects the
chest opens on. Cells are 40 x 40 (the field cell sets the size of every block cell)."""
from svgkit import Image, rrect, shadow, INK, WOOD, WOOD_DARK, WOOD_LIGHT, GOLD, GOLD_DARK, \
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


def grad(gid, light, mid, dark):
    return (f'<defs><linearGradient id="{gid}" x1="0" y1="0" x2="0.4" y2="1">'
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


def images():
    out = {BASE + "tile.png": empty_cell()}
    for kind in KINDS:
        out[BASE + f"tiles/tile-{kind[0]}.png"] = kind_cell(*kind)
    out[BASE + "objects/compass.png"] = compass()
    out[BASE + "objects/spyglass.png"] = spyglass()
    out[BASE + "objects/goblet.png"] = goblet()
    return out
