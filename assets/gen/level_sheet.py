#!/usr/bin/env python3
"""Contact sheet of the nonogram levels in a built tree: every level's picture on its grid,
with the row clues at its left and the column clues above, one sheet per level set.

  level_sheet.py --tree DIR --out PREFIX     writes PREFIX-<set>.png (casual, hard, ...)
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import nonogram  # noqa: E402
import build_levels  # noqa: E402
from svgkit import doc, text, INK, GOLD, PARCH_LIGHT, PARCH_DARK, SEA_DEEP, WOOD_DARK  # noqa: E402

# Picture colour per tile record id (tiles.dat: 1 gold, 2 sea, 3 coral, 4 bone).
TILE_FILL = {1: "#e9c55a", 2: "#3f7fa0", 3: "#c0503f", 4: "#e8dcc0"}
PANEL_W, PANEL_H = 360, 380


def read_level(path):
    with open(path, encoding="latin-1") as f:
        txt = f.read()
    dims = re.search(r"dims = (\d+), (\d+)", txt)
    size = re.search(r"\bsize = (-?\d+)", txt)
    rows, cols = int(dims.group(1)), int(dims.group(2))
    tiles = txt[txt.index("tiles {"):]
    grid = []
    for r in range(rows):
        m = re.search(rf"\brow{r} = ([\d, ]+)", tiles)
        vals = [int(v) for v in m.group(1).split(",")] if m else []
        grid.append((vals + [0] * cols)[:cols])
    return grid, int(size.group(1)) if size else 0


def panel(x0, y0, title, grid, size):
    rows, cols = len(grid), len(grid[0])
    pic = [[1 if v else 0 for v in r] for r in grid]
    rc, cc = nonogram.row_clues(pic), nonogram.col_clues(pic)
    k = max(max(1, len(c)) for c in rc)
    l_ = max(max(1, len(c)) for c in cc)
    # cell size so that clues and grid fill the panel
    cell = min((PANEL_W - 20) / (cols + k * 0.9), (PANEL_H - 70) / (rows + l_ * 0.9))
    clue_w, clue_h = k * cell * 0.9, l_ * cell * 0.9
    gx, gy = x0 + 10 + clue_w, y0 + 40 + clue_h
    fs = max(5.0, cell * 0.62)
    out = [f'<rect x="{x0 + 3}" y="{y0 + 3}" width="{PANEL_W - 6}" height="{PANEL_H - 6}" rx="10" '
           f'fill="{PARCH_LIGHT}" stroke="{PARCH_DARK}" stroke-width="2"/>',
           text(x0 + PANEL_W / 2, y0 + 26, title, 17, fill=WOOD_DARK, family="Averia GWF", stroke="none", sw=0,
                weight="bold")]
    for r in range(rows):
        for c in range(cols):
            v = grid[r][c]
            fill = TILE_FILL.get(v, "#e9c55a") if v else "#ffffff"
            out.append(f'<rect x="{gx + c * cell:.2f}" y="{gy + r * cell:.2f}" width="{cell:.2f}" height="{cell:.2f}" '
                       f'fill="{fill}" stroke="#b9a98a" stroke-width="0.4"/>')
    for i in range(0, cols + 1, 5):
        out.append(f'<path d="M{gx + i * cell:.2f},{gy:.2f} v{rows * cell:.2f}" stroke="{INK}" stroke-width="1"/>')
    for i in range(0, rows + 1, 5):
        out.append(f'<path d="M{gx:.2f},{gy + i * cell:.2f} h{cols * cell:.2f}" stroke="{INK}" stroke-width="1"/>')
    for r, cl in enumerate(rc):
        nums = cl or [0]
        for j, n in enumerate(reversed(nums)):
            out.append(f'<text x="{gx - (j + 0.5) * cell * 0.9:.2f}" y="{gy + (r + 0.75) * cell:.2f}" font-size="{fs:.1f}" '
                       f'font-family="DejaVu Sans" font-weight="bold" text-anchor="middle" fill="{SEA_DEEP}">{n}</text>')
    for c, cl in enumerate(cc):
        nums = cl or [0]
        for j, n in enumerate(reversed(nums)):
            out.append(f'<text x="{gx + (c + 0.5) * cell:.2f}" y="{gy - (j + 0.25) * cell * 0.9:.2f}" font-size="{fs:.1f}" '
                       f'font-family="DejaVu Sans" font-weight="bold" text-anchor="middle" fill="{SEA_DEEP}">{n}</text>')
    sol, passes = nonogram.sweep(rc, cc)
    solved = f"line logic: {passes} sweeps" if sol == pic else "line logic: NEEDS GUESSING"
    out.append(text(x0 + PANEL_W / 2, y0 + PANEL_H - 10, f"{rows} x {cols}, size class {size} - {solved}", 11,
                    fill=WOOD_DARK, family="DejaVu Sans", stroke="none", sw=0))
    return "".join(out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--tree", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    levels = build_levels.all_levels()
    names = {lv.rel: lv.name for lv in levels}
    root = os.path.join(a.tree, "data", "levels")
    if not os.path.isdir(root):
        sys.exit(f"level_sheet: no levels in {root}")
    # Only the nonogram sets: the mini-games keep level files of their own kinds beside them.
    for set_name in sorted({lv.set for lv in levels}):
        if not os.path.isdir(os.path.join(root, set_name)):
            continue
        files = sorted(f for f in os.listdir(os.path.join(root, set_name)) if f.endswith(".lvl"))
        if not files:
            continue
        per_row = 6
        rows = (len(files) + per_row - 1) // per_row
        w, h = per_row * PANEL_W + 20, rows * PANEL_H + 70
        body = [f'<rect width="{w}" height="{h}" fill="{SEA_DEEP}"/>',
                text(w / 2, 44, f"Zerkon levels: {set_name} ({len(files)})", 32, fill=GOLD, family="Averia GWF",
                     sw=3, weight="bold")]
        for i, fn in enumerate(files):
            grid, size = read_level(os.path.join(root, set_name, fn))
            rel = f"{set_name}/{fn}"
            title = f"{set_name} {fn[:-4]}: {names.get(rel, '?')}"
            body.append(panel(10 + (i % per_row) * PANEL_W, 60 + (i // per_row) * PANEL_H, title, grid, size))
        out = f"{a.out}-{set_name}.png"
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "sheet.svg")
            with open(src, "w", encoding="utf-8") as f:
                f.write(doc(w, h, "".join(body)))
            png = os.path.join(tmp, "sheet.png")
            subprocess.run(["rsvg-convert", "-o", png, src], check=True)
            os.replace(png, out)
        print("level_sheet: " + out)


if __name__ == "__main__":
    main()
