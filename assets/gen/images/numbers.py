"""Clue digits: one picture per digit and tile size class, gfx/numbers/<digit>-<cell>.png.

The board draws them over the stage background, so they are light parchment figures with a
dark ink outline that read on sea, sky and wood alike. The game places a digit by the middle
of its left edge and lays the clues out on the width of "0" (row clues step by that width
plus 10, column clues by 1.5 times it, 1.2 times in the smallest class), so every digit of a
class shares one box and the figure sits centred in it. Numbers of two or more digits are
drawn at 0.8 with the digits overlapping a little: the outline keeps them apart.
"""
from svgkit import Image, outline_width, INK, PARCH_LIGHT, PARCH

# Cell size -> (box width, box height, figure height in px, drop shadow offset or None).
# The figure height is the height of a flat digit (a round one overshoots a hair); it is a
# whole number so the flat edges of 1, 2, 4, 5, 7 land on pixel rows. The smallest class
# stays 13 px tall so its column clues, 13.2 px apart, keep a gap.
CLASSES = {
    50: (26, 32, 23, (1.0, 1.5)),
    36: (19, 24, 17, (1.0, 1.0)),
    30: (16, 20, 14, None),
    24: (13, 16, 11, None),
    20: (11, 13, 9, None),
}

FACE = "DejaVu Sans"          # the face of gfx/fonts/font.ttf, the game's number font
CAP = 1493.0 / 2048.0         # digit height of the bold face per em


def digit(d, w, h, cap, drop):
    size = cap / CAP
    o = outline_width(min(w, h))
    # Centre the figure (not its shadow) in the box; the baseline sits on a whole pixel.
    base = round((h + cap) / 2.0)
    x = w / 2.0
    gid = f"n{w}"
    defs = (f'<defs><linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{PARCH_LIGHT}"/><stop offset="1" stop-color="{PARCH}"/>'
            f'</linearGradient>')
    glyph = (f'<text x="{x:.2f}" y="{base}" font-family="{FACE}" font-weight="bold" font-size="{size:.3f}" '
             f'text-anchor="middle" fill="url(#{gid})" stroke="{INK}" stroke-width="{2 * o:.2f}" '
             f'paint-order="stroke" stroke-linejoin="round">{d}</text>')
    if drop:
        dx, dy = drop
        defs += (f'<filter id="s{w}" x="-30%" y="-30%" width="160%" height="160%">'
                 f'<feGaussianBlur in="SourceAlpha" stdDeviation="0.7"/><feOffset dx="{dx}" dy="{dy}"/>'
                 f'<feComponentTransfer><feFuncA type="linear" slope="0.45"/></feComponentTransfer>'
                 f'<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>')
        glyph = f'<g filter="url(#s{w})">{glyph}</g>'
    return Image(w, h, defs + '</defs>' + glyph)


def images():
    out = {}
    for cell, (w, h, cap, drop) in CLASSES.items():
        for d in range(10):
            out[f"gfx/numbers/{d}-{cell}.png"] = digit(d, w, h, cap, drop)
    return out
