#include "platform/detail/frame_diff.h"

#include <algorithm>

namespace gfx {

bool stepsAlone(const std::vector<uint64_t>& before, const std::vector<uint64_t>& now, size_t maxAlone,
                std::vector<bool>& beforeAlone, std::vector<bool>& nowAlone) {
    beforeAlone.assign(before.size(), false);
    nowAlone.assign(now.size(), false);
    // What both begin and end with is matched as it is; the search runs on the rest.
    size_t head = 0;
    while (head < before.size() && head < now.size() && before[head] == now[head]) ++head;
    size_t tail = 0;
    while (tail < before.size() - head && tail < now.size() - head &&
           before[before.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const int n = int(before.size() - head - tail), m = int(now.size() - head - tail);
    if (size_t(n) + size_t(m) <= maxAlone && (n == 0 || m == 0)) {
        for (int i = 0; i < n; ++i) beforeAlone[head + size_t(i)] = true;
        for (int i = 0; i < m; ++i) nowAlone[head + size_t(i)] = true;
        return true;
    }
    // Keys one has more often than the other are alone at least that often: past the limit
    // already, the search is not worth its time.
    // The buffers stay from frame to frame: large ones freed each time would be mapped anew.
    static std::vector<uint64_t> x, y;
    static std::vector<int> v, trace;
    {
        x.assign(before.begin() + long(head), before.end() - long(tail));
        y.assign(now.begin() + long(head), now.end() - long(tail));
        std::sort(x.begin(), x.end());
        std::sort(y.begin(), y.end());
        size_t common = 0;
        for (size_t i = 0, j = 0; i < x.size() && j < y.size();) {
            if (x[i] == y[j]) ++common, ++i, ++j;
            else if (x[i] < y[j]) ++i;
            else ++j;
        }
        if (x.size() + y.size() - 2 * common > maxAlone) return false;
    }
    // The shortest edit script (Myers): v[k] is the furthest step into `before` reached on
    // diagonal k with d edits; each d's v (diagonals -d - 1 to d + 1, all it reads) is kept
    // to walk the script back, the one for d from d * (d + 2).
    const int most = int(std::min(maxAlone, size_t(n) + size_t(m)));
    v.assign(size_t(2 * most + 3), 0);
    trace.clear();
    auto at = [&](int k) -> int& { return v[size_t(k + most + 1)]; };
    const uint64_t* a = before.data() + head;
    const uint64_t* b = now.data() + head;
    for (int d = 0; d <= most; ++d) {
        trace.insert(trace.end(), v.begin() + (most - d), v.begin() + (most + d + 3));
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? at(k + 1) : at(k - 1) + 1;
            int y = x - k;
            while (x < n && y < m && a[x] == b[y]) ++x, ++y;
            at(k) = x;
            if (x < n || y < m) continue;
            // Walked back: each edit is the one step off the diagonal before its snake.
            for (int e = d; e > 0; --e) {
                const int* pv = trace.data() + size_t(e) * size_t(e + 2);
                auto prev = [&](int kk) { return pv[kk + e + 1]; };
                const int kk = x - y;
                const bool down = kk == -e || (kk != e && prev(kk - 1) < prev(kk + 1));
                const int pk = down ? kk + 1 : kk - 1;
                const int px = prev(pk), py = px - pk;
                if (down) nowAlone[head + size_t(py)] = true;
                else beforeAlone[head + size_t(px)] = true;
                x = px;
                y = py;
            }
            return true;
        }
    }
    beforeAlone.assign(before.size(), false);
    nowAlone.assign(now.size(), false);
    return false;
}

bool stepsAloneByCount(const std::vector<uint64_t>& before, const std::vector<uint64_t>& now,
                       std::vector<bool>& beforeAlone, std::vector<bool>& nowAlone) {
    static std::vector<uint64_t> x, y;  // kept from frame to frame, as stepsAlone's
    x.assign(before.begin(), before.end());
    y.assign(now.begin(), now.end());
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    auto times = [](const std::vector<uint64_t>& sorted, uint64_t key) {
        const auto range = std::equal_range(sorted.begin(), sorted.end(), key);
        return range.second - range.first;
    };
    beforeAlone.assign(before.size(), false);
    nowAlone.assign(now.size(), false);
    for (size_t i = 0; i < before.size(); ++i) beforeAlone[i] = times(x, before[i]) != times(y, before[i]);
    for (size_t i = 0; i < now.size(); ++i) nowAlone[i] = times(x, now[i]) != times(y, now[i]);
    // The rest, as many of each key in both, must also come in the same order.
    size_t i = 0, j = 0;
    for (;; ++i, ++j) {
        while (i < before.size() && beforeAlone[i]) ++i;
        while (j < now.size() && nowAlone[j]) ++j;
        if (i == before.size() || j == now.size()) break;
        if (before[i] != now[j]) break;
    }
    if (i == before.size() && j == now.size()) return true;
    beforeAlone.assign(before.size(), false);
    nowAlone.assign(now.size(), false);
    return false;
}

Rect joinRect(const Rect& a, const Rect& b) {
    if (a.w <= 0 || a.h <= 0) return b;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return Rect{x0, y0, x1 - x0, y1 - y0};
}

namespace {

bool touching(const Rect& a, const Rect& b) {
    return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}

long long area(const Rect& r) { return (long long)r.w * r.h; }

}  // namespace

std::vector<Rect> coverRects(const std::vector<Rect>& rects, size_t most) {
    std::vector<Rect> out;
    for (const Rect& r : rects)
        if (r.w > 0 && r.h > 0) out.push_back(r);
    // Past a few hundred pieces the joining would cost more than it saves: one box.
    if (out.size() > 256 || most <= 1) {
        if (out.empty()) return out;
        Rect box = out[0];
        for (const Rect& r : out) box = joinRect(box, r);
        return {box};
    }
    for (bool again = true; again;) {
        again = false;
        for (size_t i = 0; i < out.size() && !again; ++i)
            for (size_t j = i + 1; j < out.size(); ++j)
                if (touching(out[i], out[j])) {
                    out[i] = joinRect(out[i], out[j]);
                    out.erase(out.begin() + long(j));
                    again = true;  // the grown one may touch others now
                    break;
                }
    }
    while (out.size() > most) {
        size_t bi = 0, bj = 1;
        long long best = -1;
        for (size_t i = 0; i < out.size(); ++i)
            for (size_t j = i + 1; j < out.size(); ++j) {
                const long long added = area(joinRect(out[i], out[j])) - area(out[i]) - area(out[j]);
                if (best < 0 || added < best) best = added, bi = i, bj = j;
            }
        out[bi] = joinRect(out[bi], out[bj]);
        out.erase(out.begin() + long(bj));
        // A joined box may now overlap others: joined with them as well.
        for (size_t j = 0; j < out.size(); ++j)
            if (j != bi && touching(out[bi], out[j])) {
                out[bi] = joinRect(out[bi], out[j]);
                out.erase(out.begin() + long(j));
                if (j < bi) --bi;
                j = size_t(-1);
            }
    }
    return out;
}

std::vector<Rect> touchedTiles(const std::vector<Rect>& rects, int w, int h, int tile, long spare) {
    std::vector<Rect> out;
    if (w <= 0 || h <= 0 || tile <= 0) return out;
    const int cols = (w + tile - 1) / tile, rows = (h + tile - 1) / tile;
    std::vector<char> touched(size_t(cols) * size_t(rows), 0);
    for (const Rect& r : rects) {
        const int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
        const int x1 = std::min(w, r.x + r.w), y1 = std::min(h, r.y + r.h);
        if (x1 <= x0 || y1 <= y0) continue;
        for (int ty = y0 / tile; ty <= (y1 - 1) / tile; ++ty)
            for (int tx = x0 / tile; tx <= (x1 - 1) / tile; ++tx) touched[size_t(ty) * size_t(cols) + size_t(tx)] = 1;
    }
    // Runs of the row above still open to be carried down: index into out, first and last cell.
    struct Open {
        size_t at;
        int first, last;
    };
    std::vector<Open> above, here;
    for (int ty = 0; ty < rows; ++ty) {
        here.clear();
        for (int tx = 0; tx < cols;) {
            if (!touched[size_t(ty) * size_t(cols) + size_t(tx)]) {
                ++tx;
                continue;
            }
            const int first = tx;
            while (tx < cols && touched[size_t(ty) * size_t(cols) + size_t(tx)]) ++tx;
            const int last = tx - 1;
            const int y1 = std::min(h, (ty + 1) * tile);
            auto same = std::find_if(above.begin(), above.end(),
                                     [&](const Open& o) { return o.first == first && o.last == last; });
            if (same != above.end()) {
                out[same->at].h = y1 - out[same->at].y;
                here.push_back(*same);
            } else {
                const int x0 = first * tile, x1 = std::min(w, (last + 1) * tile);
                out.push_back(Rect{x0, ty * tile, x1 - x0, y1 - ty * tile});
                here.push_back(Open{out.size() - 1, first, last});
            }
        }
        std::swap(above, here);
    }
    // Joining two takes in what lies between them and any other the join then overlaps:
    // `taken` marks those, and the joined rectangle, the area they held and how many fewer
    // rectangles there are come back.
    auto overlap = [](const Rect& a, const Rect& b) {
        return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
    };
    std::vector<char> taken;
    auto join = [&](size_t i, size_t j, long long& held, long& saved) {
        Rect joined = joinRect(out[i], out[j]);
        taken.assign(out.size(), 0);
        taken[i] = taken[j] = 1;
        held = area(out[i]) + area(out[j]);
        saved = 1;
        for (bool grew = true; grew;) {
            grew = false;
            for (size_t k = 0; k < out.size(); ++k)
                if (!taken[k] && overlap(joined, out[k])) {
                    taken[k] = 1;
                    joined = joinRect(joined, out[k]);
                    held += area(out[k]);
                    ++saved;
                    grew = true;
                }
        }
        return joined;
    };
    for (;;) {
        long long bestAdded = 0;
        long bestSaved = 0;
        size_t bi = 0, bj = 0;
        for (size_t i = 0; i < out.size(); ++i)
            for (size_t j = i + 1; j < out.size(); ++j) {
                if (area(joinRect(out[i], out[j])) - area(out[i]) - area(out[j]) > spare) continue;
                long long held = 0;
                long saved = 0;
                const long long added = area(join(i, j, held, saved)) - held;
                if (added > spare * saved) continue;
                // The fewest untouched pixels for each rectangle saved.
                if (bestSaved == 0 || added * bestSaved < bestAdded * saved)
                    bestAdded = added, bestSaved = saved, bi = i, bj = j;
            }
        if (bestSaved == 0) break;
        long long held = 0;
        long saved = 0;
        std::vector<Rect> kept{join(bi, bj, held, saved)};
        for (size_t k = 0; k < out.size(); ++k)
            if (!taken[k]) kept.push_back(out[k]);
        out.swap(kept);
    }
    return out;
}

}  // namespace gfx
