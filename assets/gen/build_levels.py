#!/usr/bin/env python3
"""Turns the nonogram pictures drawn as text in levels/*.txt into the level files of the
tree (tree/data/levels/<set>/<nnn>.lvl). The level files are plain text and are kept in
the tree, so the game's build only copies them; run this after changing a picture.

  build_levels.py            check every picture and write the level files
  build_levels.py --check    check only; fails when a level file differs from its picture
  build_levels.py --fix      flip a few cells of pictures that line logic cannot solve
                             (the cells on the drawing's edge that help most) and rewrite
                             the picture source; review the result before keeping it

A picture block starts with a header line, then one line per row of '#' (part of the
picture) and '.' (empty), and ends at a blank line:

  @ 001 anchor size=0 mistakes=3

Every picture must have rows of equal length (5 to 25 cells a side), fit the play screen
at its size class and be solvable by line logic alone (so it has exactly one solution). No
two pictures may be the same, and no two levels of a set may share a name.

After writing, it reports each voyage stage by stage (from tree/data/flow_<set>.dat): every
nonogram with its size and the sweeps line logic needs to solve it (its difficulty), marked
"<" where it is easier than the one before it in its stage.
"""
import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import nonogram  # noqa: E402

SOURCES = os.path.join(HERE, "levels")
TREE = os.path.join(os.path.dirname(HERE), "tree", "data", "levels")
HEADER = re.compile(r"^@\s+(\d+)\s+([\w-]+)((?:\s+\w+=\d+)*)\s*$")


class Level:
    def __init__(self, set_name, number, name, opts, rows, src, line):
        self.set, self.number, self.name, self.opts = set_name, number, name, opts
        self.rows, self.src, self.line = rows, src, line

    @property
    def rel(self):
        return f"{self.set}/{self.number}.lvl"

    def grid(self):
        return [[1 if ch == "#" else 0 for ch in r] for r in self.rows]


def read_source(path):
    set_name = os.path.splitext(os.path.basename(path))[0]
    levels, cur = [], None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for i, raw in enumerate(lines, 1):
        s = raw.strip()
        if s.startswith(";"):
            continue
        if not s:
            cur = None
            continue
        m = HEADER.match(s)
        if m:
            opts = dict(kv.split("=") for kv in m.group(3).split())
            cur = Level(set_name, m.group(1), m.group(2), {k: int(v) for k, v in opts.items()}, [], path, i)
            levels.append(cur)
            continue
        if cur is None or not re.fullmatch(r"[#.]+", s):
            raise SystemExit(f"{path}:{i}: not a picture row or header: {raw!r}")
        cur.rows.append(s)
    return levels


def problems(lv):
    out = []
    rows = lv.rows
    if not rows:
        return ["no rows"]
    if len({len(r) for r in rows}) != 1:
        out.append("rows of different lengths")
        return out
    h, w = len(rows), len(rows[0])
    if not (5 <= h <= 25 and 5 <= w <= 25):
        out.append(f"{h} x {w} outside 5..25")
    size = lv.opts.get("size", 0)
    if not 0 <= size <= 4:
        out.append(f"size class {size} outside 0..4")
        return out
    g = lv.grid()
    if not any(any(r) for r in g):
        out.append("empty picture")
    bw, bh = nonogram.board_size(g, size)
    if not nonogram.fits(g, size):
        out.append(f"board {bw} x {bh} does not fit {nonogram.BOARD_W} x {nonogram.BOARD_H} at size {size}")
    if not nonogram.solvable(g):
        out.append(f"line logic leaves {nonogram.unknowns(g)} cells undecided")
    return out


def clashes(levels):
    """Pictures drawn twice and names given twice within a set."""
    out, pictures, names = [], {}, {}
    for lv in levels:
        key = tuple(lv.rows)
        if key in pictures:
            out.append(f"{lv.src}:{lv.line}: {lv.rel} {lv.name}: the same picture as {pictures[key].rel}")
        pictures.setdefault(key, lv)
        other = names.setdefault((lv.set, lv.name), lv)
        if other is not lv:
            out.append(f"{lv.src}:{lv.line}: {lv.rel}: the name {lv.name} is taken by {other.rel}")
    return out


GAME_KINDS = ("MAIN-GAME", "PUZZLE-EXPRESS", "HIDDEN-OBJECT", "LAY-PUZZLE")


def flow_entries(set_name):
    """(stage, url, game type) of the voyage's entries, in file order."""
    path = os.path.join(os.path.dirname(TREE), f"flow_{set_name}.dat")
    if not os.path.exists(path):
        return []
    with open(path, encoding="latin-1") as f:
        text = f.read()
    out = []
    for body in re.findall(r"level\d+\s*\{([^{}]*)\}", text):
        kv = dict(re.findall(r'(\w+)\s*=\s*"?([^"\n]*)"?', body))
        out.append((int(kv.get("stageN", 0)), kv.get("url", ""), kv.get("gameType", "").upper()))
    return out


def report(levels):
    """The voyages stage by stage: size and difficulty (line logic sweeps) of every nonogram."""
    by_url = {f"data/levels/{lv.rel}": lv for lv in levels}
    for set_name in sorted({lv.set for lv in levels}):
        stages = {}
        for stage, url, kind in flow_entries(set_name):
            if kind in GAME_KINDS:
                stages.setdefault(stage, []).append((url, kind))
        total = sum(kind == "MAIN-GAME" for entries in stages.values() for _, kind in entries)
        print(f"{set_name} voyage: {total} nonograms in {len(stages)} stages")
        for stage in sorted(stages):
            parts, last = [], None
            for url, kind in stages[stage]:
                lv = by_url.get(url)
                if kind != "MAIN-GAME":
                    parts.append(kind.lower())
                    continue
                if lv is None:
                    parts.append(f"{url}?")
                    continue
                g = lv.grid()
                p = nonogram.passes(g)
                parts.append(f"{lv.number} {lv.name} {len(g[0])}x{len(g)} p{p}" + (" <" if last and p < last else ""))
                last = p
            print(f"  stage {stage:2}: " + ", ".join(parts))


def level_text(lv):
    g = lv.grid()
    rows, cols = len(g), len(g[0])
    data = [("dims", f"{rows}, {cols}"), ("size", lv.opts.get("size", 0)), ("czas", 0), ("score", 0),
            ("tutorialLevel", lv.opts.get("tutorial", 0)), ("byloZwierzatko", 0), ("rozbitoZwierzatko", 0),
            ("addedMistakes", 0), ("mistakes", lv.opts.get("mistakes", 3)), ("livingsCount", 0),
            ("hint0", 0), ("hint1", 0), ("hint2", 0), ("hint3", 0), ("music", '""')]
    out = ["level {", "\ttype = 1", "\tdata {"]
    out += [f"\t\t{k} = {v}" for k, v in data]
    out += ["\t}", "", "\tbackground {", '\t\tgfx = ""', "\t\tbanki = 0", "\t}", "", "\ttiles {"]
    tile = lv.opts.get("tile", 1)
    out += [f"\t\trow{r} = " + ", ".join(str(tile if v else 0) for v in g[r]) for r in range(rows)]
    out += ["\t}", "", "\ttilesHide {"]
    cover = lv.opts.get("cover", 1)
    out += [f"\t\trow{r} = " + ", ".join([str(cover)] * cols) for r in range(rows)]
    out += ["\t}", "", "\tcollectedTresures {", "\t\ti = 0", "\t}", "", "}", ""]
    return "\n".join(out)


def all_levels():
    levels = []
    for fn in sorted(os.listdir(SOURCES)):
        if fn.endswith(".txt"):
            levels += read_source(os.path.join(SOURCES, fn))
    return levels


def rewrite_source(path, fixed):
    """Replaces the rows of the fixed pictures in their source file."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for lv, grid in fixed:
        start = lv.line  # header line number (1-based); rows follow it
        for r, row in enumerate(grid):
            lines[start + r] = "".join("#" if v else "." for v in row)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--check", action="store_true")
    ap.add_argument("--fix", action="store_true")
    a = ap.parse_args()
    levels = all_levels()
    seen, bad = set(), 0
    fixed_by_src = {}
    for lv in levels:
        if lv.rel in seen:
            print(f"{lv.src}:{lv.line}: level {lv.rel} given twice")
            bad += 1
        seen.add(lv.rel)
        p = problems(lv)
        if p and a.fix and len(p) == 1 and p[0].startswith("line logic"):
            grid, flips = nonogram.fix(lv.grid())
            if grid:
                print(f"{lv.rel} {lv.name}: flipped {flips}")
                fixed_by_src.setdefault(lv.src, []).append((lv, grid))
                continue
            print(f"{lv.rel} {lv.name}: no fix found within the flip budget")
        for msg in p:
            print(f"{lv.src}:{lv.line}: {lv.rel} {lv.name}: {msg}")
            bad += 1
    for msg in clashes(levels):
        print(msg)
        bad += 1
    for src, fixed in fixed_by_src.items():
        rewrite_source(src, fixed)
    if bad or fixed_by_src:
        sys.exit(1)
    wanted = {}
    for lv in levels:
        wanted[lv.rel] = level_text(lv)
    if a.check:
        for rel, txt in wanted.items():
            path = os.path.join(TREE, rel)
            if not os.path.exists(path) or open(path, encoding="utf-8").read() != txt:
                print(f"{path}: out of date; run build_levels.py")
                bad += 1
        sys.exit(1 if bad else 0)
    for rel, txt in wanted.items():
        path = os.path.join(TREE, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if not os.path.exists(path) or open(path, encoding="utf-8").read() != txt:
            with open(path, "w", encoding="utf-8") as f:
                f.write(txt)
    # Level files whose picture is gone, only in the sets drawn here: the mini-games keep
    # their own level files next to them.
    for set_name in sorted({lv.set for lv in levels}):
        for root, _, files in os.walk(os.path.join(TREE, set_name)):
            for fn in files:
                rel = os.path.relpath(os.path.join(root, fn), TREE)
                if fn.endswith(".lvl") and rel not in wanted:
                    os.remove(os.path.join(root, fn))
    counts = {}
    for lv in levels:
        counts[lv.set] = counts.get(lv.set, 0) + 1
    print("levels: " + ", ".join(f"{k} {v}" for k, v in sorted(counts.items())))
    report(levels)


if __name__ == "__main__":
    main()
