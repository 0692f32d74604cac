#include "platform/detail/occlusion.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace gfx {
namespace {

// Rasterisers snap vertices to a sub-pixel grid: an edge this close to a pixel centre may
// fall either way, so such pixels count as drawn by a draw and not hidden by an occluder.
constexpr float kSnap = 0.01f;
// Small occluders and small cuts cost more to test and draw than they save.
constexpr long kMinOccluder = 1024;
constexpr long kMinCut = 1024;
constexpr size_t kMaxOccluders = 64;
constexpr size_t kMaxPieces = 16;

struct Box {  // device units, x0 <= x1, y0 <= y1
    float x0, y0, x1, y1;
};

struct PixRect {  // inclusive pixel ranges
    int x0, y0, x1, y1;
    bool empty() const { return x1 < x0 || y1 < y0; }
    long area() const { return empty() ? 0 : long(x1 - x0 + 1) * long(y1 - y0 + 1); }
    bool contains(const PixRect& o) const { return o.x0 >= x0 && o.x1 <= x1 && o.y0 >= y0 && o.y1 <= y1; }
};

PixRect meet(const PixRect& a, const PixRect& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// Pixels whose centre may be inside the box.
PixRect outer(const Box& b) {
    return {int(std::ceil(b.x0 - 0.5f - kSnap)), int(std::ceil(b.y0 - 0.5f - kSnap)),
            int(std::floor(b.x1 - 0.5f + kSnap)), int(std::floor(b.y1 - 0.5f + kSnap))};
}

// Pixels whose centre is surely inside the box.
PixRect inner(const Box& b) {
    return {int(std::ceil(b.x0 - 0.5f + kSnap)), int(std::ceil(b.y0 - 0.5f + kSnap)),
            int(std::floor(b.x1 - 0.5f - kSnap)), int(std::floor(b.y1 - 0.5f - kSnap))};
}

Box bounds(const Vertex* v, unsigned n, float kx, float ky) {
    Box b{v[0].x, v[0].y, v[0].x, v[0].y};
    for (unsigned i = 1; i < n; ++i) {
        b.x0 = std::min(b.x0, v[i].x);
        b.y0 = std::min(b.y0, v[i].y);
        b.x1 = std::max(b.x1, v[i].x);
        b.y1 = std::max(b.y1, v[i].y);
    }
    return {b.x0 * kx, b.y0 * ky, b.x1 * kx, b.y1 * ky};
}

bool same(const Vertex& a, const Vertex& b) {
    return a.x == b.x && a.y == b.y && a.u == b.u && a.v == b.v && a.rgba == b.rgba;
}

// Two triangles as the drawing code emits a quad: 0 1 2 and 0 2 3 of its corners, upright.
bool upright(const Vertex* q) {
    return same(q[3], q[0]) && same(q[4], q[2]) && q[0].y == q[1].y && q[1].x == q[2].x &&
           q[2].y == q[5].y && q[5].x == q[0].x && q[0].x != q[1].x && q[0].y != q[5].y;
}

// u follows x alone and v follows y alone, and one colour: any part of it is the same quad.
bool cuttable(const Vertex* q) {
    return q[0].u == q[5].u && q[1].u == q[2].u && q[0].v == q[1].v && q[2].v == q[5].v &&
           q[0].rgba == q[1].rgba && q[0].rgba == q[2].rgba && q[0].rgba == q[5].rgba;
}

// The part `piece` (device units) of the quad q, as a quad in virtual units.
void emitPiece(const Vertex* q, const Box& piece, float kx, float ky, std::vector<Vertex>& out) {
    const float x0 = piece.x0 / kx, x1 = piece.x1 / kx, y0 = piece.y0 / ky, y1 = piece.y1 / ky;
    const float du = (q[1].u - q[0].u) / (q[1].x - q[0].x);
    const float dv = (q[5].v - q[0].v) / (q[5].y - q[0].y);
    auto u = [&](float x) { return q[0].u + (x - q[0].x) * du; };
    auto v = [&](float y) { return q[0].v + (y - q[0].y) * dv; };
    appendQuad(out, x0, y0, x1, y1, u(x0), v(y0), u(x1), v(y1), q[0].rgba);
}

// Splits the pieces around one occluder; true when anything was taken away.
bool cutAround(std::vector<Box>& pieces, const PixRect& occ, const PixRect& clip) {
    std::vector<Box> next;
    bool cut = false;
    for (const Box& p : pieces) {
        const PixRect po = meet(outer(p), clip);
        const PixRect hit = meet(po, occ);
        if (hit.area() < kMinCut) {
            next.push_back(p);
            continue;
        }
        cut = true;
        // Cuts fall on pixel boundaries, so no pixel centre lies on a new edge.
        const float top = occ.y0 > po.y0 ? float(occ.y0) : p.y0;
        const float bottom = occ.y1 < po.y1 ? float(occ.y1 + 1) : p.y1;
        if (occ.y0 > po.y0) next.push_back({p.x0, p.y0, p.x1, top});
        if (occ.y1 < po.y1) next.push_back({p.x0, bottom, p.x1, p.y1});
        if (occ.x0 > po.x0) next.push_back({p.x0, top, float(occ.x0), bottom});
        if (occ.x1 < po.x1) next.push_back({float(occ.x1 + 1), top, p.x1, bottom});
    }
    pieces.swap(next);
    return cut;
}

// A run is worth a sheet from this many stamps, when the sheet is not mostly empty.
constexpr size_t kMinStamps = 16;
constexpr long kMaxSheetSide = 2048;
// A layer's base covers at least this many pixels.
constexpr long kMinLayer = 128 * 128;

// One draw as a stamp: where it lands (whole device pixels) and which texels it shows.
struct Stamp {
    int x, y, w, h;      // device pixels
    int tx, ty;          // the texel at its top-left
    uint32_t rgba;
};

bool whole(float f, int& out) {
    const float r = std::round(f);
    if (std::fabs(f - r) > 1e-3f || std::fabs(r) > 1e6f) return false;
    out = int(r);
    return true;
}

// An upright quad of one colour on whole device pixels, its texels (if any) one to one on
// them, not mirrored: drawn anywhere else by whole pixels, it lays the same texels.
bool pixelQuad(const DeferredDraw& d, const Vertex* q, float kx, float ky, int texW, int texH, Stamp& s) {
    if (d.count != 6 || d.linear || !upright(q) || !cuttable(q)) return false;
    if (d.texture == 0) {
        texW = texH = 1;  // plain colour: the texture coordinates mean nothing
        for (int i = 0; i < 6; ++i)
            if (q[i].u != 0 || q[i].v != 0) return false;
    }
    float xa = q[0].x * kx, xb = q[1].x * kx, ya = q[0].y * ky, yb = q[5].y * ky;
    float ua = q[0].u * float(texW), ub = q[1].u * float(texW);
    float va = q[0].v * float(texH), vb = q[5].v * float(texH);
    if (xb < xa) {
        std::swap(xa, xb);
        std::swap(ua, ub);
    }
    if (yb < ya) {
        std::swap(ya, yb);
        std::swap(va, vb);
    }
    int x0, x1, y0, y1, u0, u1, v0, v1;
    if (!whole(xa, x0) || !whole(xb, x1) || !whole(ya, y0) || !whole(yb, y1) || !whole(ua, u0) ||
        !whole(ub, u1) || !whole(va, v0) || !whole(vb, v1))
        return false;
    if (x1 <= x0 || y1 <= y0) return false;
    // Texels one to one onto pixels, not mirrored, inside the texture.
    if (d.texture != 0 && (u1 - u0 != x1 - x0 || v1 - v0 != y1 - y0 || u0 < 0 || v0 < 0 || u1 > texW || v1 > texH))
        return false;
    s = Stamp{x0, y0, x1 - x0, y1 - y0, u0, v0, q[0].rgba};
    return true;
}

bool asStamp(const DeferredDraw& d, const Vertex* q, float kx, float ky, int texW, int texH, Stamp& s) {
    return d.texture != 0 && d.blend != SOLIDBLEND && pixelQuad(d, q, kx, ky, texW, texH, s);
}

bool sameKind(const DeferredDraw& a, const Stamp& sa, const DeferredDraw& b, const Stamp& sb) {
    return a.texture == b.texture && a.blend == b.blend && sa.rgba == sb.rgba && sa.w == sb.w &&
           sa.h == sb.h && sa.tx == sb.tx && sa.ty == sb.ty;
}

// Stamps of one size overlap only with stamps in the neighbouring cells of a grid of that size.
struct Placed {
    int w, h;
    std::unordered_map<long long, std::vector<std::pair<int, int>>> cells;
    static long long key(long long cx, long long cy) { return (cx << 32) ^ (cy & 0xFFFFFFFFll); }
    static int cellOf(int v, int size) { return v >= 0 ? v / size : -((-v + size - 1) / size); }
    bool overlaps(int x, int y) const {
        const int cx = cellOf(x, w), cy = cellOf(y, h);
        for (int j = cy - 1; j <= cy + 1; ++j)
            for (int i = cx - 1; i <= cx + 1; ++i) {
                auto it = cells.find(key(i, j));
                if (it == cells.end()) continue;
                for (const auto& p : it->second)
                    if (std::abs(p.first - x) < w && std::abs(p.second - y) < h) return true;
            }
        return false;
    }
    void add(int x, int y) { cells[key(cellOf(x, w), cellOf(y, h))].push_back({x, y}); }
};

}  // namespace

int clipQuad(const Vertex* q, const Rect& part, float kx, float ky, std::vector<Vertex>& out) {
    if (!(kx > 0) || !(ky > 0) || !upright(q) || !cuttable(q)) return -1;
    const Box b = bounds(q, 6, kx, ky);
    const Box in{std::max(b.x0, float(part.x)), std::max(b.y0, float(part.y)),
                 std::min(b.x1, float(part.x + part.w)), std::min(b.y1, float(part.y + part.h))};
    if (in.x1 <= in.x0 || in.y1 <= in.y0) return 0;
    emitPiece(q, in, kx, ky, out);
    return 1;
}

std::vector<LayerGroup> findLayerGroups(const std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts,
                                        float kx, float ky,
                                        const std::function<bool(unsigned, int&, int&)>& texSize) {
    std::vector<LayerGroup> groups;
    if (!(kx > 0) || !(ky > 0)) return groups;
    auto asPixelQuad = [&](const DeferredDraw& d, Stamp& s) {
        int w = 1, h = 1;
        if (d.count != 6 || (d.texture != 0 && (!texSize(d.texture, w, h) || w <= 0 || h <= 0))) return false;
        return pixelQuad(d, &verts[d.first], kx, ky, w, h, s);
    };
    for (size_t i = 0; i < draws.size();) {
        Stamp base{};
        if (draws[i].blend != SOLIDBLEND || !asPixelQuad(draws[i], base) || long(base.w) * base.h < kMinLayer) {
            ++i;
            continue;
        }
        size_t end = i + 1;
        long covered = 0;
        for (Stamp s{}; end < draws.size() && asPixelQuad(draws[end], s) && s.x >= base.x && s.y >= base.y &&
                        s.x + s.w <= base.x + base.w && s.y + s.h <= base.y + base.h;
             ++end)
            covered += long(s.w) * s.h;
        // Worth a layer when what lies on the base costs more than copying it.
        if (end - i > 1 && covered >= long(base.w) * base.h / 2)
            groups.push_back(LayerGroup{i, end - i, Rect{base.x, base.y, base.w, base.h}});
        i = end;
    }
    return groups;
}

std::vector<StampRun> findStampRuns(const std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts,
                                    float kx, float ky,
                                    const std::function<bool(unsigned, int&, int&)>& texSize) {
    std::vector<StampRun> runs;
    if (!(kx > 0) || !(ky > 0)) return runs;
    std::vector<Stamp> stamps;
    Placed placed{1, 1, {}};
    auto close = [&](size_t end) {
        // draws [end - stamps.size(), end) are a run of stamps
        if (stamps.size() < kMinStamps) return;
        int x0 = stamps[0].x, y0 = stamps[0].y, x1 = x0, y1 = y0;
        for (const Stamp& s : stamps) {
            x0 = std::min(x0, s.x);
            y0 = std::min(y0, s.y);
            x1 = std::max(x1, s.x + s.w);
            y1 = std::max(y1, s.y + s.h);
        }
        const long sheetArea = long(x1 - x0) * long(y1 - y0);
        const long stampArea = long(stamps.size()) * long(stamps[0].w) * long(stamps[0].h);
        if (x1 - x0 > kMaxSheetSide || y1 - y0 > kMaxSheetSide || sheetArea > 2 * stampArea) return;
        StampRun run;
        run.first = end - stamps.size();
        run.count = stamps.size();
        run.sheet = Rect{x0, y0, x1 - x0, y1 - y0};
        run.tx = stamps[0].tx;
        run.ty = stamps[0].ty;
        run.tw = stamps[0].w;
        run.th = stamps[0].h;
        run.at.reserve(2 * stamps.size());
        for (const Stamp& s : stamps) {
            run.at.push_back(s.x - x0);
            run.at.push_back(s.y - y0);
        }
        runs.push_back(std::move(run));
    };
    unsigned sizedTexture = 0;
    int texW = 0, texH = 0;
    bool sized = false;
    for (size_t i = 0; i < draws.size(); ++i) {
        const DeferredDraw& d = draws[i];
        Stamp s{};
        bool ok = d.count == 6 && d.texture != 0;
        if (ok && d.texture != sizedTexture) {
            sizedTexture = d.texture;
            sized = texSize(d.texture, texW, texH) && texW > 0 && texH > 0;
        }
        ok = ok && sized && asStamp(d, &verts[d.first], kx, ky, texW, texH, s);
        const bool joins = ok && !stamps.empty() && sameKind(draws[i - 1], stamps.back(), d, s) &&
                           !placed.overlaps(s.x, s.y);
        if (!joins) {
            close(i);
            stamps.clear();
            placed = Placed{ok ? s.w : 1, ok ? s.h : 1, {}};
        }
        if (ok) {
            stamps.push_back(s);
            placed.add(s.x, s.y);
        }
    }
    close(draws.size());
    return runs;
}

void cullHidden(std::vector<DeferredDraw>& draws, std::vector<Vertex>& verts, float kx, float ky,
                const Rect& clip) {
    if (draws.empty() || !(kx > 0) || !(ky > 0)) return;
    const PixRect clipPx{clip.x, clip.y, clip.x + clip.w - 1, clip.y + clip.h - 1};
    std::vector<PixRect> occluders;  // of the draws after the one looked at
    std::vector<DeferredDraw> kept;  // back to front
    kept.reserve(draws.size());
    std::vector<Box> pieces;
    for (size_t i = draws.size(); i-- > 0;) {
        const DeferredDraw d = draws[i];
        if (d.count == 0) continue;
        const Box box = bounds(&verts[d.first], d.count, kx, ky);
        const PixRect shown = meet(outer(box), clipPx);
        if (shown.empty()) continue;
        if (std::any_of(occluders.begin(), occluders.end(),
                        [&](const PixRect& o) { return o.contains(shown); }))
            continue;
        Vertex q[6];
        const bool rect = d.count == 6 && upright(&verts[d.first]);
        if (rect) std::copy_n(&verts[d.first], 6, q);
        bool cut = false;
        if (rect && cuttable(q) && !occluders.empty()) {
            pieces.assign(1, box);
            for (const PixRect& o : occluders) {
                cut = cutAround(pieces, o, clipPx) || cut;
                if (pieces.empty() || pieces.size() > kMaxPieces) break;
            }
            if (cut && pieces.size() > kMaxPieces) cut = false;  // not worth the draws
        }
        if (cut) {
            for (const Box& p : pieces) {
                DeferredDraw piece = d;
                piece.first = unsigned(verts.size());
                piece.count = 6;
                emitPiece(q, p, kx, ky, verts);
                kept.push_back(piece);
            }
        } else {
            kept.push_back(d);
        }
        if (rect && d.blend == SOLIDBLEND && occluders.size() < kMaxOccluders) {
            const PixRect covers = meet(inner(box), clipPx);
            if (covers.area() >= kMinOccluder) occluders.push_back(covers);
        }
    }
    std::reverse(kept.begin(), kept.end());
    draws.swap(kept);
}

}  // namespace gfx

namespace gfx {

size_t countRuns(const std::vector<DeferredDraw>& draws) {
    size_t runs = 0;
    for (size_t i = 0; i < draws.size(); ++i)
        if (i == 0 || draws[i].texture != draws[i - 1].texture || draws[i].blend != draws[i - 1].blend ||
            draws[i].linear != draws[i - 1].linear)
            ++runs;
    return runs;
}

void batchDraws(std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts, float kx, float ky,
                const Rect& clip) {
    constexpr int kCell = 8;  // device pixels a side of the grid's cells
    if (draws.size() < 2 || clip.w <= 0 || clip.h <= 0) return;
    const int gw = (clip.w + kCell - 1) / kCell, gh = (clip.h + kCell - 1) / kCell;
    // Per grid cell, the last group (in the new order) with a draw that may touch it, and the
    // last with one that does not add.
    static std::vector<int> lastAny, lastOver;
    lastAny.assign(size_t(gw) * size_t(gh), -1);
    lastOver.assign(size_t(gw) * size_t(gh), -1);
    struct Key {
        unsigned texture;
        int blend;
        bool linear;
        bool operator==(const Key& o) const { return texture == o.texture && blend == o.blend && linear == o.linear; }
    };
    struct KeyHash {
        size_t operator()(const Key& k) const {
            return std::hash<unsigned>()(k.texture) ^ (size_t(k.blend) << 20) ^ (size_t(k.linear) << 28);
        }
    };
    static std::unordered_map<Key, int, KeyHash> latest;  // the last group of each kind
    latest.clear();
    static std::vector<int> groupOf;
    groupOf.resize(draws.size());
    int groups = 0;
    const PixRect area{clip.x, clip.y, clip.x + clip.w - 1, clip.y + clip.h - 1};
    for (size_t i = 0; i < draws.size(); ++i) {
        const DeferredDraw& d = draws[i];
        PixRect px = outer(bounds(&verts[d.first], d.count, kx, ky));
        px = meet(PixRect{px.x0 - 1, px.y0 - 1, px.x1 + 1, px.y1 + 1}, area);  // a pixel to spare
        const int cx0 = (px.x0 - clip.x) / kCell, cx1 = (px.x1 - clip.x) / kCell;
        const int cy0 = (px.y0 - clip.y) / kCell, cy1 = (px.y1 - clip.y) / kCell;
        const bool adds = d.blend == LIGHTBLEND;
        const std::vector<int>& blocking = adds ? lastOver : lastAny;
        auto [it, fresh] = latest.try_emplace(Key{d.texture, d.blend, d.linear}, -1);
        int g = it->second;
        if (g >= 0 && !px.empty())
            for (int cy = cy0; cy <= cy1 && g >= 0; ++cy)
                for (int cx = cx0; cx <= cx1; ++cx)
                    if (blocking[size_t(cy) * size_t(gw) + size_t(cx)] > g) {
                        g = -1;
                        break;
                    }
        if (g < 0) g = it->second = groups++;
        groupOf[i] = g;
        if (px.empty()) continue;
        for (int cy = cy0; cy <= cy1; ++cy)
            for (int cx = cx0; cx <= cx1; ++cx) {
                const size_t at = size_t(cy) * size_t(gw) + size_t(cx);
                lastAny[at] = std::max(lastAny[at], g);
                if (!adds) lastOver[at] = std::max(lastOver[at], g);
            }
    }
    if (size_t(groups) == draws.size()) return;
    // Group by group, each in its first order.
    static std::vector<unsigned> start;
    start.assign(size_t(groups) + 1, 0);
    for (size_t i = 0; i < draws.size(); ++i) ++start[size_t(groupOf[i]) + 1];
    for (size_t g = 1; g < start.size(); ++g) start[g] += start[g - 1];
    static std::vector<DeferredDraw> out;
    out.resize(draws.size());
    for (size_t i = 0; i < draws.size(); ++i) out[start[size_t(groupOf[i])]++] = draws[i];
    draws.swap(out);
}

}  // namespace gfx

namespace gfx {

bool enlargedOnly(const Vertex* v, size_t n, float kx, float ky, int texW, int texH) {
    if (n == 0 || n % 3 != 0 || texW <= 0 || texH <= 0) return false;
    // What a rounding of the driver's may make of exactly one to one: a level of detail so
    // near 0 that no smaller level's share of a texel reaches a step of its colour.
    constexpr double kMost = 1.0001;
    for (size_t i = 0; i < n; i += 3) {
        const Vertex &a = v[i], &b = v[i + 1], &c = v[i + 2];
        const double ex1 = double(b.x - a.x) * kx, ey1 = double(b.y - a.y) * ky;
        const double ex2 = double(c.x - a.x) * kx, ey2 = double(c.y - a.y) * ky;
        const double fu1 = double(b.u - a.u) * texW, fv1 = double(b.v - a.v) * texH;
        const double fu2 = double(c.u - a.u) * texW, fv2 = double(c.v - a.v) * texH;
        const double det = ex1 * ey2 - ey1 * ex2;
        if (!(std::fabs(det) > 1e-6)) return false;
        // Texels a pixel along the display's x and y, the steps the level of detail is
        // reckoned from, held to the most texels a pixel along any direction: no fairer
        // reckoning of the level comes out above it.
        const double dudx = (fu1 * ey2 - fu2 * ey1) / det, dvdx = (fv1 * ey2 - fv2 * ey1) / det;
        const double dudy = (fu2 * ex1 - fu1 * ex2) / det, dvdy = (fv2 * ex1 - fv1 * ex2) / det;
        const double sum = dudx * dudx + dudy * dudy + dvdx * dvdx + dvdy * dvdy;
        const double area = dudx * dvdy - dudy * dvdx;
        const double most = (sum + std::sqrt(std::max(0.0, sum * sum - 4 * area * area))) / 2;
        if (most > kMost * kMost) return false;
    }
    return true;
}

}  // namespace gfx
