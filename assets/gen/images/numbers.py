"""Clue digits: one picture per digit and tile size class, gfx/numbers/<digit>-<cell>.png.

The board draws them on the dark clue bands beside and above the grid, so they are near-white
parchment figures in the condensed bold face with a heavy ink outline: they read on the band,
and on sea, sky or wood where the band is faint. The game places a digit by the middle of its
left edge and lays the clues out on the width of "0" (row clues step by that width plus 10,
column clues by 1.5 times it, 1.2 times in the smallest class), so "0" keeps that box. A
number of two digits is drawn as large as one of one digit, its second digit 0.8 of the
first one's box further on: so the other digits have a narrower box and a narrower figure,
and two of them side by side stay inside one column of cells with a gap to the next column.
"""
from svgkit import Image, INK, PARCH_LIGHT, GOLD_LIGHT

# Cell size -> (box width of "0", box width of the other digits, box height, figure height
# in px, outline px outside the figure, drop shadow offset or None, width of the figure
# against the face's). The figure height is that of a flat digit; a whole number, so the flat
# edges of 1, 2, 4, 5, 7 land on pixel rows. The box of "0" is the layout's step: the levels'
# fit check (gen/nonogram.py DIGIT0) reads the same numbers.
CLASSES = {
    50: (28, 28, 38, 27, 2.0, (1.0, 1.5), 0.88),
    36: (21, 20, 30, 20, 1.6, (1.0, 1.0), 0.86),
    30: (18, 16, 26, 17, 1.4, None, 0.85),
    24: (16, 13, 23, 15, 1.3, None, 0.8),
    20: (14, 10, 21, 13, 1.2, None, 0.76),
}

FACE = "DejaVu Sans"          # the face of gfx/fonts/font.ttf, the game's number font
CAP = 1493.0 / 2048.0         # digit height of the bold face per em


def digit(d, w, h, cap, rim, drop, narrow):
    size = cap / CAP
    # The game draws every digit 2 px right of and below its place: the figure sits that
    # much up and left of the box's middle, so a clue stands centred on its row or column;
    # in a box too narrow for that it keeps its outline inside the box (a clue of two digits
    # still stands centred).
    base = round((h + cap) / 2.0) - 2
    # (The face's figures stand about 1 px left of their anchor.)
    figure = 0.5 * size * narrow + 2 * rim
    x = max(w / 2.0 - 1, figure / 2 + 0.8)
    gid = f"n{w}"
    defs = (f'<defs><linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#fffdf4"/><stop offset="0.6" stop-color="{PARCH_LIGHT}"/>'
            f'<stop offset="1" stop-color="{GOLD_LIGHT}"/></linearGradient>')
    # Narrowed about its middle, the outline with it (a little thinner at the sides: drawn
    # wider it would close the gap between a column's clues).
    glyph = (f'<text x="0" y="{base}" font-family="{FACE}" font-stretch="condensed" '
             f'font-weight="bold" font-size="{size:.3f}" text-anchor="middle" fill="url(#{gid})" '
             f'stroke="{INK}" stroke-width="{2 * rim:.2f}" paint-order="stroke" '
             f'stroke-linejoin="round" transform="translate({x:.2f},0) scale({narrow:.3f},1)">{d}</text>')
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
    for cell, (w0, w, h, cap, rim, drop, narrow) in CLASSES.items():
        for d in range(10):
            out[f"gfx/numbers/{d}-{cell}.png"] = digit(d, w0 if d == 0 else w, h, cap, rim, drop, narrow)
    return out
