"""Board cells: the uncovered picture tiles (and their broken look), the empty cell, the
wooden cover that opens in ten frames, the treasures that rise from under it, and the hover
frame. One set per tile size class (cells of 50, 36, 30, 24 and 20 px); each picture is
drawn once in a 100 x 100 box and scaled, with the outline kept at the class's width."""
import math

from svgkit import Image, Strip, group, rrect, outline_width, INK, WOOD, WOOD_DARK, WOOD_LIGHT, GOLD, \
    GOLD_DARK, GOLD_LIGHT, SEA, SEA_LIGHT, SEA_DEEP, RED, BONE, PARCH, PARCH_DARK, FOAM

SIZES = [50, 36, 30, 24, 20]
COVER_FRAMES = 10
TRESURE_FRAMES = 4

# Picture tiles: (file name, light, mid, dark). Id 1 is the gold tile most levels use.
TILES = [
    ("gold", GOLD_LIGHT, GOLD, GOLD_DARK),
    ("sea", SEA_LIGHT, SEA, SEA_DEEP),
    ("coral", "#e88a6a", RED, "#6e1f1b"),
    ("bone", "#fffaf0", BONE, PARCH_DARK),
]


def scaled(body, px):
    """A 100 x 100 drawing scaled into px x px; `sw(...)` widths are given in output pixels."""
    return group(body, 0, 0, px / 100.0)


def sw(px):
    """Outline width in 100-box units that comes out at the class's pixel width."""
    return outline_width(px) * 100.0 / px


def grad(name, light, mid, dark):
    return (f'<defs><linearGradient id="{name}" x1="0" y1="0" x2="0.4" y2="1">'
            f'<stop offset="0" stop-color="{light}"/><stop offset="0.55" stop-color="{mid}"/>'
            f'<stop offset="1" stop-color="{dark}"/></linearGradient></defs>')


def tile(px, name, light, mid, dark, broken=False):
    gid = f"t-{name}-{px}{'-b' if broken else ''}"
    body = grad(gid, light, mid, dark)
    body += rrect(5, 5, 90, 90, 14, f"url(#{gid})", sw=sw(px))
    body += f'<path d="M18,13 H82" stroke="#ffffff" stroke-width="{sw(px):.2f}" opacity="0.55" stroke-linecap="round"/>'
    body += rrect(16, 16, 68, 68, 9, "none", stroke=light, sw=sw(px) * 0.8, extra='opacity="0.6"')
    if broken:
        # dimmed, split by two cracks
        body += rrect(5, 5, 90, 90, 14, INK, stroke="none", sw=0, extra='opacity="0.45"')
        crack = "M14,30 L40,46 L33,60 L56,72 L60,92 M62,6 L55,30 L74,44 L92,40"
        body += f'<path d="{crack}" stroke="{INK}" stroke-width="{sw(px) * 2.2:.2f}" fill="none" stroke-linejoin="round"/>'
        body += f'<path d="{crack}" stroke="{light}" stroke-width="{sw(px) * 0.7:.2f}" fill="none" opacity="0.5"/>'
    return Image(px, px, scaled(body, px))


def cover_frame(px, f):
    """Frame f of the wooden cover opening: the two halves of the board part and fade."""
    t = f / (COVER_FRAMES - 1)
    if f == COVER_FRAMES - 1:
        return ""
    move = 46 * t * t
    fade = 1.0 - t ** 1.5
    w = sw(px)

    # At 24 and 20 px the planks drop their grain and rivets: a board of 25 x 25 crates must
    # read as one calm surface, the gold band alone marks a closed crate.
    small = px <= 24

    def half(x0, shift, rot):
        detail = "" if small else (
            f'<path d="M{x0 + 8},30 C{x0 + 18},27 {x0 + 28},33 {x0 + 38},30 M{x0 + 8},62 C{x0 + 18},59 {x0 + 28},65 {x0 + 38},62" '
            f'stroke="{WOOD_DARK}" stroke-width="{w:.2f}" fill="none" opacity="0.5"/>'
            f'<circle cx="{x0 + 23}" cy="14" r="4.5" fill="url(#gold)" stroke="{INK}" stroke-width="{w * 0.7:.2f}"/>'
            f'<circle cx="{x0 + 23}" cy="86" r="4.5" fill="url(#gold)" stroke="{INK}" stroke-width="{w * 0.7:.2f}"/>')
        return (f'<g transform="translate({shift:.2f},0) rotate({rot:.2f},{x0 + 22},50)" opacity="{fade:.3f}">'
                f'{rrect(x0, 4, 46, 92, 8, "url(#wood)", sw=w)}'
                f'<path d="M{x0 + 7},9 H{x0 + 39}" stroke="{WOOD_LIGHT}" stroke-width="{w:.2f}" opacity="0.8"/>'
                f'{detail}</g>')
    if small and f == 0:
        # closed, small: one board with a faint seam, so the planks do not double the grid
        return scaled(
            f'{rrect(5, 5, 90, 90, 10, "url(#wood)", sw=w)}'
            f'<path d="M13,12 H87" stroke="{WOOD_LIGHT}" stroke-width="{w:.2f}" opacity="0.7"/>'
            f'<path d="M50,12 V88" stroke="{WOOD_DARK}" stroke-width="{w * 0.8:.2f}" opacity="0.45"/>'
            f'<rect x="44" y="40" width="12" height="20" rx="2" fill="url(#gold)" opacity="0.9"/>', px)
    body = half(4, -move, -14 * t) + half(50, move, 14 * t)
    if f == 0:
        # closed: a gold band holds the two planks together
        body += f'<rect x="45" y="40" width="10" height="20" rx="2" fill="url(#gold)" stroke="{INK}" stroke-width="{w * 0.8:.2f}"/>'
    return scaled(body, px)


def coin(w):
    return (f'<circle cx="50" cy="52" r="36" fill="{GOLD_DARK}" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="47" cy="49" r="34" fill="url(#gold)" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="47" cy="49" r="24" fill="none" stroke="{GOLD_DARK}" stroke-width="{w:.2f}"/>'
            f'<path d="M47,33 L51,45 L63,45 L53,52 L57,64 L47,56 L37,64 L41,52 L31,45 L43,45 Z" fill="{GOLD_DARK}" opacity="0.8"/>')


def gem(w, light, mid, dark):
    return (f'<path d="M20,38 L34,18 H66 L80,38 L50,86 Z" fill="{mid}" stroke="{INK}" stroke-width="{w:.2f}" stroke-linejoin="round"/>'
            f'<path d="M20,38 H80 M34,18 L42,38 L50,86 L58,38 L66,18" fill="none" stroke="{dark}" stroke-width="{w * 0.8:.2f}"/>'
            f'<path d="M34,18 H66 L58,38 H42 Z" fill="{light}" opacity="0.85"/>')


def pearl(w):
    return (f'<ellipse cx="50" cy="70" rx="38" ry="14" fill="#e7d2c9" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="50" cy="50" r="26" fill="url(#pearl)" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<circle cx="41" cy="41" r="7" fill="#ffffff" opacity="0.85"/>')


def goldbar(w):
    return (f'<path d="M14,70 L26,36 H74 L86,70 Z" fill="url(#gold)" stroke="{INK}" stroke-width="{w:.2f}" stroke-linejoin="round"/>'
            f'<path d="M14,70 H86 V78 H14 Z" fill="{GOLD_DARK}" stroke="{INK}" stroke-width="{w:.2f}"/>'
            f'<path d="M32,44 H68" stroke="{GOLD_LIGHT}" stroke-width="{w * 1.5:.2f}" opacity="0.9"/>')


TRESURES = [
    ("coin", coin),
    ("ruby", lambda w: gem(w, "#f2a39a", RED, "#6e1f1b")),
    ("emerald", lambda w: gem(w, "#b9e3a0", "#4f8a3c", "#24451b")),
    ("pearl", pearl),
    ("goldbar", goldbar),
]


def tresure_frame(px, draw, f):
    """The treasure rising out of the opened cell: small and low first, then full size with a glint."""
    t = (f + 1) / TRESURE_FRAMES
    s = 0.45 + 0.55 * t
    body = group(draw(sw(px) / s), 50 - 50 * s, 50 - 50 * s + 18 * (1 - t), s)
    if f == TRESURE_FRAMES - 1:
        body += (f'<path d="M76,14 L79,22 L87,25 L79,28 L76,36 L73,28 L65,25 L73,22 Z" fill="#ffffff" '
                 f'opacity="0.9"/>')
    return scaled(body, px)


def hover(px):
    """The frame round the cell under the mouse and round each cell of a held line: a gold
    rim on a thin ink line, drawn untinted, so it keeps the palette on wood, gold and water."""
    u = 100.0 / px
    rim = max(1.5, outline_width(px) * 1.6) * u
    ink = 1.0 * u
    return Image(px, px, scaled(
        f'<rect x="3" y="3" width="94" height="94" rx="14" fill="{GOLD_LIGHT}" fill-opacity="0.16" '
        f'stroke="{INK}" stroke-width="{rim + 2 * ink:.2f}"/>'
        f'<rect x="3" y="3" width="94" height="94" rx="14" fill="none" '
        f'stroke="{GOLD_LIGHT}" stroke-width="{rim:.2f}"/>', px))


def wrong_empty(px):
    """An empty cell uncovered by mistake: the cleared well with a red cross, opaque."""
    w = sw(px)
    return Image(px, px, scaled(
        f'<rect x="0" y="0" width="100" height="100" fill="#102232"/>'
        f'<path d="M30,30 L70,70 M70,30 L30,70" stroke="{INK}" stroke-width="{w * 2 + 14:.2f}" '
        f'stroke-linecap="round"/>'
        f'<path d="M30,30 L70,70 M70,30 L30,70" stroke="#d8483f" stroke-width="14" stroke-linecap="round"/>',
        px))


def images():
    out = {}
    for px in SIZES:
        # the empty cell: nothing to show, but cell-sized, as the board measures its pitch on it
        out[f"gfx/tiles/empty-{px}.png"] = Image(px, px, "")
        out[f"gfx/tiles/empty-b-{px}.png"] = wrong_empty(px)
        for name, light, mid, dark in TILES:
            out[f"gfx/tiles/{name}-{px}.png"] = tile(px, name, light, mid, dark)
            out[f"gfx/tiles/{name}-b-{px}.png"] = tile(px, name, light, mid, dark, broken=True)
        out[f"gfx/tiles/cover1-{px}.png"] = Strip(px, px, [cover_frame(px, f) for f in range(COVER_FRAMES)])
        out[f"gfx/tiles/over-size-{px}.png"] = hover(px)
        for name, draw in TRESURES:
            out[f"gfx/tresures/{name}-{px}.png"] = Strip(px, px, [tresure_frame(px, draw, f)
                                                                  for f in range(TRESURE_FRAMES)])
            out[f"gfx/tresures/{name}-normal-{px}.png"] = Image(px, px, scaled(draw(sw(px)), px))
    return out
