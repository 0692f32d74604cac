#!/usr/bin/env python3
"""Tiles the shots of a scripted run into one contact sheet, each labelled with its name.

    shot_sheet.py SHOTS_DIR SHEET.png [COLUMNS]

The shots (PNG, any size) are laid out in name order, scaled to 256 x 192 cells; the sheet
is drawn as SVG beside the shots and rasterised with rsvg-convert, as the asset pictures are.
"""
import os
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape, quoteattr

CELL_W, CELL_H, LABEL = 256, 192, 18


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    folder, sheet = sys.argv[1], sys.argv[2]
    columns = int(sys.argv[3]) if len(sys.argv) > 3 else 6
    shots = sorted(f for f in os.listdir(folder) if f.lower().endswith(".png"))
    if not shots:
        print("no shots in " + folder)
        return 1
    rows = (len(shots) + columns - 1) // columns
    width, height = columns * CELL_W, rows * (CELL_H + LABEL)
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
             'width="%d" height="%d">' % (width, height),
             '<rect width="100%" height="100%" fill="#1b1410"/>']
    for i, name in enumerate(shots):
        x, y = (i % columns) * CELL_W, (i // columns) * (CELL_H + LABEL)
        # Referenced beside the sheet's SVG, not embedded: a large sheet stays small to parse.
        parts.append('<image x="%d" y="%d" width="%d" height="%d" preserveAspectRatio="xMidYMid meet" '
                     'xlink:href="%s"/>' % (x + 2, y + 2, CELL_W - 4, CELL_H - 4, quoteattr(name)[1:-1]))
        parts.append('<text x="%d" y="%d" font-family="sans-serif" font-size="12" fill="#f0dcb0">%s</text>'
                     % (x + 4, y + CELL_H + 13, escape(os.path.splitext(name)[0])))
    parts.append("</svg>")
    with tempfile.NamedTemporaryFile("w", suffix=".svg", dir=folder, delete=False) as f:
        f.write("\n".join(parts))
        svg = f.name
    try:
        subprocess.run(["rsvg-convert", "-o", sheet, svg], check=True)
    finally:
        os.remove(svg)
    print("%s: %d shots, %d x %d" % (sheet, len(shots), width, height))
    return 0


if __name__ == "__main__":
    sys.exit(main())
