"""Line logic for nonogram pictures: clues, a line solver (dynamic program over every
placement of a line's runs, repeated over rows and columns until nothing changes) and a
board-fit check. The build uses it to refuse a level that needs guessing or does not fit
the play screen; the C++ solver in game/level/solver.cpp is the one the tests trust."""

UNKNOWN, EMPTY, FILLED = -1, 0, 1

# Cell pixels of the five size classes, and the width the digit "0" is drawn with in each
# (gfx/numbers/0-<px>.png); the clue columns and rows step by these.
CELL = [50, 36, 30, 24, 20]
DIGIT0 = [28, 21, 18, 16, 14]
BOARD_W, BOARD_H = 690, 630


def clue(line):
    out, run = [], 0
    for v in line:
        if v == FILLED:
            run += 1
        elif run:
            out.append(run)
            run = 0
    if run:
        out.append(run)
    return out


def row_clues(grid):
    return [clue(r) for r in grid]


def col_clues(grid):
    return [clue([grid[r][c] for r in range(len(grid))]) for c in range(len(grid[0]))]


def solve_line(cl, line):
    """Narrowed copy of the line, or None on a contradiction."""
    n, k = len(line), len(cl)
    eb = [0] * (n + 1)
    for i in range(n):
        eb[i + 1] = eb[i] + (line[i] == EMPTY)

    def no_empty(a, b):
        return eb[b] == eb[a]

    def can_empty(i):
        return line[i] != FILLED

    F = [[False] * (n + 1) for _ in range(k + 1)]
    F[0][0] = True
    for i in range(1, n + 1):
        for j in range(k + 1):
            ok = can_empty(i - 1) and F[j][i - 1]
            if not ok and j > 0:
                s = i - cl[j - 1]
                if s >= 0 and no_empty(s, i):
                    ok = (j == 1) if s == 0 else (can_empty(s - 1) and F[j - 1][s - 1])
            F[j][i] = ok
    if not F[k][n]:
        return None
    B = [[False] * (n + 2) for _ in range(k + 1)]
    B[k][n] = True
    for i in range(n - 1, -1, -1):
        for j in range(k, -1, -1):
            ok = can_empty(i) and B[j][i + 1]
            if not ok and j < k:
                e = i + cl[j]
                if e <= n and no_empty(i, e):
                    ok = (j == k - 1) if e == n else (can_empty(e) and B[j + 1][e + 1])
            B[j][i] = ok
    may_empty = [any(F[j][i] and can_empty(i) and B[j][i + 1] for j in range(k + 1)) for i in range(n)]
    diff = [0] * (n + 1)
    for j in range(k):
        ln = cl[j]
        for s in range(0, n - ln + 1):
            e = s + ln
            if not no_empty(s, e):
                continue
            left = (j == 0) if s == 0 else (can_empty(s - 1) and F[j][s - 1])
            if not left:
                continue
            right = (j == k - 1) if e == n else (can_empty(e) and B[j + 1][e + 1])
            if right:
                diff[s] += 1
                diff[e] -= 1
    out, cover = list(line), 0
    for i in range(n):
        cover += diff[i]
        mf, me = cover > 0, may_empty[i]
        if not mf and not me:
            return None
        if mf and not me:
            out[i] = FILLED
        elif me and not mf:
            out[i] = EMPTY
    return out


def sweep(rows, cols):
    """Line logic as the game's solver runs it: (grid, passes), the grid UNKNOWN where
    undecided or None on a contradiction; passes counts the sweeps over the dirty rows and
    then the dirty columns, the last one changing nothing (a measure of difficulty)."""
    R, C = len(rows), len(cols)
    g = [[UNKNOWN] * C for _ in range(R)]
    rd, cd = [True] * R, [True] * C
    changed, passes = True, 0
    while changed:
        changed = False
        passes += 1
        for r in range(R):
            if not rd[r]:
                continue
            rd[r] = False
            nl = solve_line(rows[r], g[r])
            if nl is None:
                return None, passes
            for c in range(C):
                if nl[c] != g[r][c]:
                    g[r][c] = nl[c]
                    cd[c] = True
                    changed = True
        for c in range(C):
            if not cd[c]:
                continue
            cd[c] = False
            nl = solve_line(cols[c], [g[r][c] for r in range(R)])
            if nl is None:
                return None, passes
            for r in range(R):
                if nl[r] != g[r][c]:
                    g[r][c] = nl[r]
                    rd[r] = True
                    changed = True
    return g, passes


def solve(rows, cols):
    """The grid line logic reaches (UNKNOWN where undecided), or None on a contradiction."""
    return sweep(rows, cols)[0]


def passes(grid):
    """Sweeps line logic needs to solve the picture (the difficulty the build reports)."""
    return sweep(row_clues(grid), col_clues(grid))[1]


def unknowns(grid):
    g = solve(row_clues(grid), col_clues(grid))
    return sum(v == UNKNOWN for row in g for v in row)


def solvable(grid):
    g = solve(row_clues(grid), col_clues(grid))
    return g == grid


def board_size(grid, size):
    """Width and height of the board with its clue area, as the play screen measures it."""
    rows, cols = len(grid), len(grid[0])
    cell, w0 = CELL[size], DIGIT0[size]
    k = max(max(1, len(c)) for c in row_clues(grid))
    l_ = max(max(1, len(c)) for c in col_clues(grid))
    f = 1.2 if size == 4 else 1.5
    return cell * cols + cols + (w0 + 10) * k, cell * rows + rows + int(w0 * f * l_)


def fits(grid, size):
    w, h = board_size(grid, size)
    return w <= BOARD_W and h <= BOARD_H


def fix(grid, max_flips=6):
    """Flips a few cells so that line logic solves the picture; prefers cells on the edge of
    the drawing so the object still reads. Returns (grid, flips) or (None, flips)."""
    grid = [list(r) for r in grid]
    flips = []
    R, C = len(grid), len(grid[0])
    for _ in range(max_flips):
        sol = solve(row_clues(grid), col_clues(grid))
        if sol == grid:
            return grid, flips
        undecided = [(r, c) for r in range(R) for c in range(C) if sol is None or sol[r][c] == UNKNOWN]
        # Big pictures: try a spread sample of the candidates, the solver is slow in Python.
        if len(undecided) > 48:
            undecided = undecided[::len(undecided) // 48 + 1]
        best = None
        for (r, c) in undecided:
            edge = any(0 <= r + dr < R and 0 <= c + dc < C and grid[r + dr][c + dc] != grid[r][c]
                       for dr, dc in ((0, 1), (1, 0), (0, -1), (-1, 0)))
            if not edge:
                continue
            grid[r][c] ^= 1
            u = unknowns(grid)
            grid[r][c] ^= 1
            if best is None or u < best[0]:
                best = (u, r, c)
        if best is None:
            return None, flips
        _, r, c = best
        grid[r][c] ^= 1
        flips.append((r, c))
    return (grid, flips) if solvable(grid) else (None, flips)
