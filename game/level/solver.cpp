#include "game/level/solver.h"

#include "game/board/level.h"

namespace nonogram {

Clue lineClue(const int8_t* first, int n, int stride) {
    Clue clue;
    int run = 0;
    for (int i = 0; i < n; ++i) {
        if (first[size_t(i) * size_t(stride)] == kFilled) {
            ++run;
        } else if (run) {
            clue.push_back(run);
            run = 0;
        }
    }
    if (run) clue.push_back(run);
    return clue;
}

std::vector<Clue> rowClues(const Picture& p) {
    std::vector<Clue> out;
    for (int r = 0; r < p.rows; ++r) out.push_back(lineClue(&p.cells[size_t(r) * size_t(p.cols)], p.cols, 1));
    return out;
}

std::vector<Clue> colClues(const Picture& p) {
    std::vector<Clue> out;
    for (int c = 0; c < p.cols; ++c) out.push_back(lineClue(&p.cells[size_t(c)], p.rows, p.cols));
    return out;
}

bool solveLine(const Clue& clue, std::vector<int8_t>& line) {
    const int n = int(line.size());
    const int k = int(clue.size());
    // emptyBefore[i]: known-empty cells among the first i.
    std::vector<int> emptyBefore(size_t(n) + 1, 0);
    for (int i = 0; i < n; ++i) emptyBefore[size_t(i) + 1] = emptyBefore[size_t(i)] + (line[size_t(i)] == kEmpty);
    auto noEmpty = [&](int from, int to) { return emptyBefore[size_t(to)] == emptyBefore[size_t(from)]; };
    auto canEmpty = [&](int i) { return line[size_t(i)] != kFilled; };
    const size_t w = size_t(n) + 2;
    // fwd[j][i]: the first i cells can hold exactly the first j runs.
    std::vector<char> fwd(size_t(k + 1) * w, 0), bwd(size_t(k + 1) * w, 0);
    auto F = [&](int j, int i) -> char& { return fwd[size_t(j) * w + size_t(i)]; };
    // bwd[j][i]: the cells from i to the end can hold exactly the runs from j on.
    auto B = [&](int j, int i) -> char& { return bwd[size_t(j) * w + size_t(i)]; };

    F(0, 0) = 1;
    for (int i = 1; i <= n; ++i)
        for (int j = 0; j <= k; ++j) {
            bool ok = canEmpty(i - 1) && F(j, i - 1);
            if (!ok && j > 0) {
                const int s = i - clue[size_t(j - 1)];
                if (s >= 0 && noEmpty(s, i))
                    ok = s == 0 ? j == 1 : (canEmpty(s - 1) && F(j - 1, s - 1));
            }
            F(j, i) = ok;
        }
    if (!F(k, n)) return false;

    B(k, n) = 1;
    for (int i = n - 1; i >= 0; --i)
        for (int j = k; j >= 0; --j) {
            bool ok = canEmpty(i) && B(j, i + 1);
            if (!ok && j < k) {
                const int e = i + clue[size_t(j)];
                if (e <= n && noEmpty(i, e))
                    ok = e == n ? j == k - 1 : (canEmpty(e) && B(j + 1, e + 1));
            }
            B(j, i) = ok;
        }

    std::vector<char> mayEmpty(size_t(n), 0);
    std::vector<int> fillCover(size_t(n) + 1, 0);  // difference array of cells a run may cover
    for (int i = 0; i < n; ++i)
        for (int j = 0; j <= k && !mayEmpty[size_t(i)]; ++j)
            if (F(j, i) && canEmpty(i) && B(j, i + 1)) mayEmpty[size_t(i)] = 1;
    for (int j = 0; j < k; ++j) {
        const int len = clue[size_t(j)];
        for (int s = 0; s + len <= n; ++s) {
            const int e = s + len;
            if (!noEmpty(s, e)) continue;
            const bool left = s == 0 ? j == 0 : (canEmpty(s - 1) && F(j, s - 1));
            if (!left) continue;
            const bool right = e == n ? j == k - 1 : (canEmpty(e) && B(j + 1, e + 1));
            if (!right) continue;
            ++fillCover[size_t(s)];
            --fillCover[size_t(e)];
        }
    }
    int cover = 0;
    for (int i = 0; i < n; ++i) {
        cover += fillCover[size_t(i)];
        const bool mayFill = cover > 0;
        const bool mayBeEmpty = mayEmpty[size_t(i)];
        if (!mayFill && !mayBeEmpty) return false;
        if (mayFill && !mayBeEmpty) line[size_t(i)] = kFilled;
        if (!mayFill && mayBeEmpty) line[size_t(i)] = kEmpty;
    }
    return true;
}

Result solve(const std::vector<Clue>& rows, const std::vector<Clue>& cols) {
    Result res;
    Picture& g = res.grid;
    g.rows = int(rows.size());
    g.cols = int(cols.size());
    g.cells.assign(size_t(g.rows) * size_t(g.cols), kUnknown);
    // Lines to look at again; every line starts dirty.
    std::vector<char> rowDirty(size_t(g.rows), 1), colDirty(size_t(g.cols), 1);
    std::vector<int8_t> line;
    bool changed = true;
    while (changed) {
        changed = false;
        ++res.passes;
        for (int r = 0; r < g.rows; ++r) {
            if (!rowDirty[size_t(r)]) continue;
            rowDirty[size_t(r)] = 0;
            line.assign(g.cells.begin() + r * g.cols, g.cells.begin() + (r + 1) * g.cols);
            if (!solveLine(rows[size_t(r)], line)) {
                res.contradiction = true;
                return res;
            }
            for (int c = 0; c < g.cols; ++c) {
                int8_t& cell = g.cells[size_t(r) * size_t(g.cols) + size_t(c)];
                if (cell != line[size_t(c)]) {
                    cell = line[size_t(c)];
                    colDirty[size_t(c)] = 1;
                    changed = true;
                }
            }
        }
        for (int c = 0; c < g.cols; ++c) {
            if (!colDirty[size_t(c)]) continue;
            colDirty[size_t(c)] = 0;
            line.resize(size_t(g.rows));
            for (int r = 0; r < g.rows; ++r) line[size_t(r)] = g.at(r, c);
            if (!solveLine(cols[size_t(c)], line)) {
                res.contradiction = true;
                return res;
            }
            for (int r = 0; r < g.rows; ++r) {
                int8_t& cell = g.cells[size_t(r) * size_t(g.cols) + size_t(c)];
                if (cell != line[size_t(r)]) {
                    cell = line[size_t(r)];
                    rowDirty[size_t(r)] = 1;
                    changed = true;
                }
            }
        }
    }
    res.complete = true;
    for (int8_t cell : g.cells)
        if (cell == kUnknown) res.complete = false;
    return res;
}

bool lineSolvable(const Picture& p, Result* out) {
    Result res = solve(rowClues(p), colClues(p));
    const bool ok = res.complete && !res.contradiction && res.grid.cells == p.cells;
    if (out) *out = std::move(res);
    return ok;
}

Picture pictureOf(const TLevel& level) {
    Picture p;
    p.rows = level.rows;
    p.cols = level.cols;
    p.cells.assign(size_t(p.rows) * size_t(p.cols), kEmpty);
    for (int r = 0; r < p.rows; ++r)
        for (int c = 0; c < p.cols; ++c) {
            const TTile* t = level.at(r, c);
            if (t && t->isPicture()) p.cells[size_t(r) * size_t(p.cols) + size_t(c)] = kFilled;
        }
    return p;
}

std::string toText(const Picture& p) {
    std::string out;
    for (int r = 0; r < p.rows; ++r) {
        for (int c = 0; c < p.cols; ++c) {
            const int8_t v = p.at(r, c);
            out += v == kFilled ? '#' : v == kEmpty ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

}  // namespace nonogram
