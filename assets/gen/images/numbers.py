"""Clue digits: one picture per digit and tile size class, gfx/numbers/<digit>-<cell>.png.

The board draws them on the dark clue bands beside and above the grid, so they are near-white
parchment figures in the condensed bold face with a heavy ink outline: they read on the band,
and on sea, sky or wood where the band is faint. The game places a digit by the middle of its
left edge and lays the clues out on the width of "0" (row clues step by that width plus 10,
column clues by 1.5 times it, 1.2 times in the smallest class), so every digit of a class
shares one box and the figure sits centred in it. Numbers of two or more digits are drawn at
0.8 with each digit advanced by 0.64 of the box: the figure is narrow enough (about 0.6 of
the box with its outline) that two digits stand apart, and tall enough that a two-digit
clue on a 25 x 25 board is still over 10 px high.
"""
from svgkit import Image, INK, PARCH_LIGHT, GOLD_LIGHT

# Cell size -> (box width, box height, figure height in px, outline px outside the figure,
# drop shadow offset or None). The figure height is that of a flat digit; a whole number,
# so the flat edges of 1, 2, 4, 5, 7 land on pixel rows. The box width is the layout's step:
# the levels' fit check (gen/nonogram.py DIGIT0) reads the same numbers.
CLASSES = {
    50: (28, 36, 27, 2.0, (1.0, 1.5)),
    36: (21, 28, 20, 1.6, (1.0, 1.0)),
    30: (18, 24, 17, 1.4, None),
    24: (16, 20, 15, 1.3, None),
    20: (14, 17, 13, 1.2, None),
}

FACE = "DejaVu Sans"          # the face of gfx/fonts/font.ttf, the game's number font
CAP = 1493.0 / 2048.0         # digit height of the bold face per em


def digit(d, w, h, cap, rim, drop):
    size = cap / CAP
    # The game draws every digit 2 px right of and below its place: the figure sits that
    # much up and left of the box's middle, so a clue stands centred on its row or column.
    base = round((h + cap) / 2.0) - 2
    x = w / 2.0 - 2
    gid = f"n{w}"
    defs = (f'<defs><linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#fffdf4"/><stop offset="0.6" stop-color="{PARCH_LIGHT}"/>'
            f'<stop offset="1" stop-color="{GOLD_LIGHT}"/></linearGradient>')
    glyph = (f'<text x="{x:.2f}" y="{base}" font-family="{FACE}" font-stretch="condensed" '
             f'font-weight="bold" font-size="{size:.3f}" text-anchor="middle" fill="url(#{gid})" '
             f'stroke="{INK}" stroke-width="{2 * rim:.2f}" paint-order="stroke" '
             f'stroke-linejoin="round">{d}</text>')
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
    for cell, (w, h, cap, rim, drop) in CLASSES.items():
        for d in range(10):
            out[f"gfx/numbers/{d}-{cell}.png"] = digit(d, w, h, cap, rim, drop)
    return out
