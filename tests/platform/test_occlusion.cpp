// Leaving out hidden draws: random frames of upright, scaled and turned quads, solid and
// blended, rasterised in software by pixel centres; at every pixel the draws that still
// matter (those from the last solid one up) must be the same, with the same texture spot,
// before and after. And what the culling is for: a full-screen picture under two panels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "platform/detail/occlusion.h"

namespace {

using gfx::DeferredDraw;
using gfx::Vertex;

struct Frame {
    std::vector<DeferredDraw> draws;
    std::vector<Vertex> verts;
    unsigned next = 1;  // texture ids tell the draws apart

    void quad(float x0, float y0, float x1, float y1, int blend, float turn = 0, uint32_t rgba = 0xFFFFFFFFu) {
        const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, c = std::cos(turn), s = std::sin(turn);
        auto at = [&](float x, float y, float u, float v) {
            const float dx = x - cx, dy = y - cy;
            return Vertex{cx + dx * c - dy * s, cy + dx * s + dy * c, u, v, rgba};
        };
        const Vertex a = at(x0, y0, 0, 0), b = at(x1, y0, 1, 0), cc = at(x1, y1, 1, 1), d = at(x0, y1, 0, 1);
        draws.push_back({next++, blend, false, unsigned(verts.size()), 6});
        verts.insert(verts.end(), {a, b, cc, a, cc, d});
    }
};

// What a pixel shows depends on these, in order: each draw's texture and texture spot.
struct Layer {
    unsigned texture;
    float u, v;
};

// Pixel centres inside (or on the edge of) each triangle, per pixel the layers from the
// last solid one.
// Calls each(draw, triangle, pixel index, l1, l2, l3) for every pixel centre inside (or on
// the edge of) each triangle of the draws, in draw order. Centres on a shared edge belong to
// one triangle only in GL; callers skip the second triangle of a quad themselves.
template <typename Each>
void walkPixels(const std::vector<DeferredDraw>& draws, const std::vector<Vertex>& verts, int w, int h,
                float kx, float ky, Each&& each) {
    for (const DeferredDraw& d : draws)
        for (unsigned t = 0; t + 2 < d.count; t += 3) {
            const Vertex* q = &verts[d.first + t];
            const float ax = q[0].x * kx, ay = q[0].y * ky, bx = q[1].x * kx, by = q[1].y * ky;
            const float cx = q[2].x * kx, cy = q[2].y * ky;
            const float area = (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
            if (std::fabs(area) < 1e-6f) continue;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const float px0 = float(x) + 0.5f, py0 = float(y) + 0.5f;
                    const float l1 = ((bx - px0) * (cy - py0) - (cx - px0) * (by - py0)) / area;
                    const float l2 = ((cx - px0) * (ay - py0) - (ax - px0) * (cy - py0)) / area;
                    const float l3 = 1 - l1 - l2;
                    if (l1 < -1e-5f || l2 < -1e-5f || l3 < -1e-5f) continue;
                    each(d, q, size_t(y) * size_t(w) + size_t(x), l1, l2, l3);
                }
        }
}

std::vector<std::vector<Layer>> raster(const Frame& f, int w, int h, float kx, float ky) {
    std::vector<std::vector<Layer>> px(size_t(w) * size_t(h));
    walkPixels(f.draws, f.verts, w, h, kx, ky,
               [&](const DeferredDraw& d, const Vertex* q, size_t i, float l1, float l2, float l3) {
                   auto& stack = px[i];
                   const Layer layer{d.texture, l1 * q[0].u + l2 * q[1].u + l3 * q[2].u,
                                     l1 * q[0].v + l2 * q[1].v + l3 * q[2].v};
                   if (!stack.empty() && stack.back().texture == d.texture) return;  // other triangle
                   if (d.blend == SOLIDBLEND) stack.clear();
                   stack.push_back(layer);
               });
    return px;
}

double area(const Frame& f) {
    double a = 0;
    for (const DeferredDraw& d : f.draws)
        for (unsigned t = 0; t + 2 < d.count; t += 3) {
            const Vertex* q = &f.verts[d.first + t];
            a += std::fabs((q[1].x - q[0].x) * (q[2].y - q[0].y) - (q[2].x - q[0].x) * (q[1].y - q[0].y)) / 2;
        }
    return a;
}

void expectSamePicture(const Frame& before, const Frame& after, int w, int h, float kx, float ky) {
    const auto a = raster(before, w, h, kx, ky), b = raster(after, w, h, kx, ky);
    int bad = 0;
    for (size_t i = 0; i < a.size() && bad < 5; ++i) {
        bool same = a[i].size() == b[i].size();
        for (size_t k = 0; same && k < a[i].size(); ++k)
            same = a[i][k].texture == b[i][k].texture && std::fabs(a[i][k].u - b[i][k].u) < 1e-3f &&
                   std::fabs(a[i][k].v - b[i][k].v) < 1e-3f;
        if (!same) {
            ++bad;
            ADD_FAILURE() << "pixel (" << i % size_t(w) << ", " << i / size_t(w) << ") changed";
        }
    }
}

TEST(HiddenDraws, RandomFramesKeepEveryPixel) {
    std::mt19937 rng(7);
    auto coord = [&](int range) { return float(std::uniform_int_distribution<int>(0, range * 4)(rng)) / 4; };
    const struct {
        float kx, ky;
    } scales[] = {{1, 1}, {1.5f, 1.5f}, {0.75f, 1.25f}};
    double saved = 0;
    for (const auto& k : scales)
        for (int round = 0; round < 40; ++round) {
            Frame f;
            const int n = std::uniform_int_distribution<int>(2, 12)(rng);
            for (int i = 0; i < n; ++i) {
                float x0 = coord(60) - 4, y0 = coord(44) - 4;
                float x1 = x0 + 1 + coord(50), y1 = y0 + 1 + coord(40);
                const int kind = std::uniform_int_distribution<int>(0, 5)(rng);
                const int blend = kind < 3 ? SOLIDBLEND : kind == 3 ? LIGHTBLEND : ALPHABLEND;
                f.quad(x0, y0, x1, y1, blend, kind == 5 ? 0.3f : 0.0f);
            }
            Frame culled = f;
            const int w = int(64 * k.kx), h = int(48 * k.ky);
            gfx::cullHidden(culled.draws, culled.verts, k.kx, k.ky, gfx::Rect{0, 0, w, h});
            expectSamePicture(f, culled, w, h, k.kx, k.ky);
            saved += area(f) - area(culled);
            if (HasFailure()) return;
        }
    EXPECT_GT(saved, 0);
}

TEST(HiddenDraws, BackgroundUnderPanelsIsCutAndTranslucentOnesHideNothing) {
    Frame f;
    f.quad(0, 0, 1024, 768, SOLIDBLEND);    // the stage picture
    f.quad(200, 200, 300, 300, ALPHABLEND);  // under the well: goes
    f.quad(150, 130, 680, 660, SOLIDBLEND);  // the well
    f.quad(768, 0, 1024, 768, SOLIDBLEND);   // the side panel
    f.quad(0, 0, 1024, 40, ALPHABLEND);      // a translucent bar hides nothing
    Frame culled = f;
    gfx::cullHidden(culled.draws, culled.verts, 1, 1, gfx::Rect{0, 0, 1024, 768});
    const double shown = 1024.0 * 768 - 530.0 * 530 - 256.0 * 768;
    EXPECT_NEAR(area(culled), shown + 530.0 * 530 + 256.0 * 768 + 1024.0 * 40, 1.0);
    for (const DeferredDraw& d : culled.draws) EXPECT_NE(d.texture, 2u);
    // A clip keeps only what is inside it.
    Frame clipped = f;
    gfx::cullHidden(clipped.draws, clipped.verts, 1, 1, gfx::Rect{0, 700, 1024, 68});
    for (const DeferredDraw& d : clipped.draws) EXPECT_NE(d.texture, 3u) << "the well lies above the clip";
}

}  // namespace

namespace {

// Sheets of stamps: frames of pictures stamped on a lattice (some missing, some nudged over
// a neighbour, some scaled, other draws between), with the runs found drawn as one quad over
// their sheet. At every pixel the same texels must be laid on in the same order, where a
// sheet's texel between its stamps lays on nothing (blended, it leaves the pixel alone).
constexpr int kTex = 64;  // every texture is kTex x kTex texels

struct Texel {
    unsigned texture;
    int x, y;
    bool operator==(const Texel& o) const { return texture == o.texture && x == o.x && y == o.y; }
};

struct StampFrame {
    std::vector<DeferredDraw> draws;
    std::vector<Vertex> verts;

    // Texels (tx, ty) .. (tx + tw, ty + th) of a texture drawn at x, y, k units a texel.
    void stamp(unsigned tex, float x, float y, int tx, int ty, int tw, int th, int blend, float k = 1,
               uint32_t rgba = 0xFFFFFFFFu) {
        const float x1 = x + float(tw) * k, y1 = y + float(th) * k;
        const float u0 = float(tx) / kTex, v0 = float(ty) / kTex;
        const float u1 = float(tx + tw) / kTex, v1 = float(ty + th) / kTex;
        const Vertex a{x, y, u0, v0, rgba}, b{x1, y, u1, v0, rgba}, c{x1, y1, u1, v1, rgba}, d{x, y1, u0, v1, rgba};
        draws.push_back({tex, blend, false, unsigned(verts.size()), 6});
        verts.insert(verts.end(), {a, b, c, a, c, d});
    }
};

// Each pixel of a w x h frame whose centre (cx, cy) an upright quad covers (device scale 1).
template <class Fn>
void forCentres(const Vertex* q, int w, int h, Fn fn) {
    const float x0 = std::min(q[0].x, q[2].x), x1 = std::max(q[0].x, q[2].x);
    const float y0 = std::min(q[0].y, q[2].y), y1 = std::max(q[0].y, q[2].y);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float cx = float(x) + 0.5f, cy = float(y) + 0.5f;
            if (cx >= x0 && cx < x1 && cy >= y0 && cy < y1) fn(x, y, cx, cy);
        }
}

// Per pixel, the texels laid on, in order (device scale 1).
std::vector<std::vector<Texel>> layTexels(const StampFrame& f, const std::vector<gfx::StampRun>& runs,
                                          int w, int h) {
    std::vector<std::vector<Texel>> px(size_t(w) * size_t(h));
    size_t next = 0;
    for (size_t i = 0; i < f.draws.size();) {
        if (next < runs.size() && runs[next].first == i) {
            const gfx::StampRun& r = runs[next++];
            for (int y = r.sheet.y; y < r.sheet.y + r.sheet.h; ++y)
                for (int x = r.sheet.x; x < r.sheet.x + r.sheet.w; ++x) {
                    if (x < 0 || y < 0 || x >= w || y >= h) continue;
                    // The sheet holds one texel here: the last stamp's, copied without blending.
                    const int sx = x - r.sheet.x, sy = y - r.sheet.y;
                    int last = -1;
                    for (size_t k = 0; k + 1 < r.at.size(); k += 2)
                        if (sx >= r.at[k] && sx < r.at[k] + r.tw && sy >= r.at[k + 1] && sy < r.at[k + 1] + r.th)
                            last = int(k);
                    if (last >= 0)
                        px[size_t(y) * size_t(w) + size_t(x)].push_back(
                            {f.draws[i].texture, r.tx + sx - r.at[size_t(last)], r.ty + sy - r.at[size_t(last) + 1]});
                }
            i += r.count;
            continue;
        }
        const DeferredDraw& d = f.draws[i++];
        const Vertex* q = &f.verts[d.first];
        forCentres(q, w, h, [&](int x, int y, float cx, float cy) {
            const float u = q[0].u + (cx - q[0].x) / (q[2].x - q[0].x) * (q[2].u - q[0].u);
            const float v = q[0].v + (cy - q[0].y) / (q[2].y - q[0].y) * (q[2].v - q[0].v);
            px[size_t(y) * size_t(w) + size_t(x)].push_back(
                {d.texture, int(std::floor(u * kTex)), int(std::floor(v * kTex))});
        });
    }
    return px;
}

std::vector<gfx::StampRun> runsOf(const StampFrame& f) {
    return gfx::findStampRuns(f.draws, f.verts, 1, 1, [](unsigned, int& w, int& h) {
        w = h = kTex;
        return true;
    });
}

TEST(StampSheets, RandomLatticesKeepEveryTexel) {
    std::mt19937 rng(11);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int sheeted = 0;
    for (int round = 0; round < 60; ++round) {
        StampFrame f;
        const int w = 96, h = 80;
        const int groups = pick(1, 3);
        for (int g = 0; g < groups; ++g) {
            const unsigned tex = unsigned(pick(1, 2));
            const int tw = pick(3, 8), th = pick(3, 8), gap = pick(0, 2);
            const int tx = pick(0, kTex - tw), ty = pick(0, kTex - th);
            const int blend = pick(0, 3) == 0 ? LIGHTBLEND : ALPHABLEND;
            const float ox = float(pick(-4, 8)), oy = float(pick(-4, 8));
            for (int r = 0; r < 7; ++r)
                for (int c = 0; c < 7; ++c) {
                    const int kind = pick(0, 59);
                    if (kind == 0) continue;  // a cell without its stamp
                    float x = ox + float(c * (tw + gap)), y = oy + float(r * (th + gap));
                    if (kind == 1) x += 1;               // onto its neighbour
                    if (kind == 2) x += 0.5f;            // off the pixel grid
                    const float k = kind == 3 ? 1.5f : 1;  // scaled
                    const int b = kind == 4 ? SOLIDBLEND : blend;
                    const uint32_t rgba = kind == 5 ? 0x80FFFFFFu : 0xFFFFFFFFu;
                    f.stamp(tex, x, y, tx, ty, tw, th, b, k, rgba);
                }
            if (pick(0, 1)) f.stamp(3, float(pick(0, 60)), float(pick(0, 40)), 0, 0, 20, 20, ALPHABLEND);
        }
        const auto runs = runsOf(f);
        for (const gfx::StampRun& r : runs) {
            ASSERT_GE(r.count, 16u);
            for (size_t i = r.first; i < r.first + r.count; ++i) EXPECT_NE(f.draws[i].blend, SOLIDBLEND);
        }
        sheeted += int(runs.size());
        const auto before = layTexels(f, {}, w, h), after = layTexels(f, runs, w, h);
        for (size_t i = 0; i < before.size(); ++i)
            ASSERT_EQ(before[i], after[i]) << "pixel (" << i % w << ", " << i / w << ") in round " << round;
    }
    EXPECT_GT(sheeted, 40) << "the lattices should mostly go as sheets";
}

TEST(StampSheets, ABoardOfCellsIsOneSheetAndOthersAreNot) {
    StampFrame board;
    for (int r = 0; r < 25; ++r)
        for (int c = 0; c < 25; ++c)  // 20-pixel cells, a 5-pixel gap after every fifth
            board.stamp(1, float(158 + c * 20 + c / 5 * 5), float(141 + r * 20 + r / 5 * 5), 2, 2, 20, 20,
                        ALPHABLEND, 1, 0x66FFFFFFu);
    auto runs = runsOf(board);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].count, 625u);
    EXPECT_EQ(runs[0].sheet.x, 158);
    EXPECT_EQ(runs[0].sheet.w, 520);
    EXPECT_EQ(runs[0].at.size(), 2 * 625u);

    // Too few, scattered far apart, or scaled by the display: drawn as they are.
    StampFrame few, sparse;
    for (int i = 0; i < 15; ++i) few.stamp(1, float(i * 10), 0, 0, 0, 10, 10, ALPHABLEND);
    for (int i = 0; i < 20; ++i) sparse.stamp(1, float(i * 30), float(i * 30), 0, 0, 10, 10, ALPHABLEND);
    EXPECT_TRUE(runsOf(few).empty());
    EXPECT_TRUE(runsOf(sparse).empty());
    EXPECT_TRUE(gfx::findStampRuns(board.draws, board.verts, 1.25f, 1.25f, [](unsigned, int& w, int& h) {
                    w = h = kTex;
                    return true;
                }).empty());
}

}  // namespace

namespace {

// Layers: a solid rectangle with draws lying on it becomes, in a later frame, one solid copy
// of what they made of it. Random frames of rectangles on and across bases, on and off whole
// pixels, scaled and turned: at every pixel, what shows must come from the same draws once
// each layer is one solid draw of its own.
TEST(Layers, RandomFramesCopyOnlyWhatDependsOnNothingUnder) {
    std::mt19937 rng(5);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int w = 320, h = 240;
    int layered = 0;
    for (int round = 0; round < 40; ++round) {
        StampFrame f;
        const int n = pick(1, 3);
        for (int b = 0; b < n; ++b) {
            const int bx = pick(-20, 200), by = pick(-20, 120), bw = pick(100, 180), bh = pick(100, 160);
            f.stamp(0, float(bx), float(by), 0, 0, 0, 0, SOLIDBLEND);  // a placeholder, made solid below
            f.verts.resize(f.verts.size() - 6);
            const Vertex a{float(bx), float(by), 0, 0, 0xFF112233u}, bb{float(bx + bw), float(by), 0, 0, 0xFF112233u};
            const Vertex c{float(bx + bw), float(by + bh), 0, 0, 0xFF112233u}, d{float(bx), float(by + bh), 0, 0, 0xFF112233u};
            f.verts.insert(f.verts.end(), {a, bb, c, a, c, d});
            const int on = pick(0, 60);
            for (int i = 0; i < on; ++i) {
                const int tw = pick(10, 60), th = pick(10, 60);
                float x = float(bx + pick(0, std::max(0, bw - tw))), y = float(by + pick(0, std::max(0, bh - th)));
                const int kind = pick(0, 60);
                if (kind == 0) x += 0.5f;
                if (kind == 4) x = float(bx + bw - tw / 2);  // across the edge
                const float k = kind == 1 ? 1.5f : 1;
                const int blend = kind == 2 ? SOLIDBLEND : kind == 3 ? LIGHTBLEND : ALPHABLEND;
                f.stamp(unsigned(pick(1, 2)), x, y, pick(0, kTex - tw), pick(0, kTex - th), std::min(tw, kTex),
                        std::min(th, kTex), blend, k);
            }
        }
        const auto groups = gfx::findLayerGroups(f.draws, f.verts, 1, 1, [](unsigned, int& tw, int& th) {
            tw = th = kTex;
            return true;
        });
        layered += int(groups.size());
        // Per pixel, the draws that show (from the last solid one), a layer's members as the
        // layer itself; and the same with each layer drawn as one solid copy of its rectangle.
        auto shows = [&](bool copied) {
            std::vector<std::vector<long>> px(size_t(w) * size_t(h));
            size_t g = 0;
            for (size_t i = 0; i < f.draws.size(); ++i) {
                const bool starts = g < groups.size() && groups[g].first == i;
                if (copied && starts) {
                    const gfx::Rect& r = groups[g].rect;
                    for (int y = std::max(0, r.y); y < std::min(h, r.y + r.h); ++y)
                        for (int x = std::max(0, r.x); x < std::min(w, r.x + r.w); ++x)
                            px[size_t(y) * size_t(w) + size_t(x)] = {-1 - long(g)};
                    i += groups[g].count - 1;
                    ++g;
                    continue;
                }
                if (g < groups.size() && i >= groups[g].first + groups[g].count) ++g;
                const bool member = g < groups.size() && i >= groups[g].first;
                const DeferredDraw& d = f.draws[i];
                forCentres(&f.verts[d.first], w, h, [&](int x, int y, float, float) {
                    auto& stack = px[size_t(y) * size_t(w) + size_t(x)];
                    if (d.blend == SOLIDBLEND) stack.clear();
                    const long id = member ? -1 - long(g) : long(i);
                    if (stack.empty() || stack.back() != id) stack.push_back(id);
                });
            }
            return px;
        };
        const auto drawn = shows(false), copied = shows(true);
        for (size_t i = 0; i < drawn.size(); ++i)
            ASSERT_EQ(drawn[i], copied[i]) << "pixel (" << i % w << ", " << i / w << ") in round " << round;
    }
    EXPECT_GT(layered, 10);
}

}  // namespace

namespace {

// A layer mended in part draws each quad cut down to the part: inside it the same texels,
// outside it nothing; other shapes are left to the clip.
TEST(Layers, QuadsCutToAPartKeepTheirTexels) {
    std::mt19937 rng(9);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int w = 80, h = 60;
    for (int round = 0; round < 50; ++round) {
        StampFrame f;
        const int tw = pick(4, 40), th = pick(4, 40);
        f.stamp(1, float(pick(-10, 60)), float(pick(-10, 40)), pick(0, kTex - tw), pick(0, kTex - th), tw, th,
                ALPHABLEND, round % 3 == 0 ? 1.5f : 1);
        const gfx::Rect part{pick(0, 60), pick(0, 40), pick(1, 30), pick(1, 30)};
        StampFrame cut;
        const int got = gfx::clipQuad(&f.verts[0], part, 1, 1, cut.verts);
        if (got == 1) cut.draws.push_back({1, ALPHABLEND, false, 0, 6});
        ASSERT_GE(got, 0);
        const auto whole = layTexels(f, {}, w, h), inPart = layTexels(cut, {}, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = size_t(y) * size_t(w) + size_t(x);
                const bool inside = x >= part.x && x < part.x + part.w && y >= part.y && y < part.y + part.h;
                ASSERT_EQ(inPart[i], inside ? whole[i] : std::vector<Texel>{})
                    << "pixel (" << x << ", " << y << ") in round " << round;
            }
    }
    Frame turned;
    turned.quad(10, 10, 30, 30, ALPHABLEND, 0.3f);
    std::vector<Vertex> out;
    EXPECT_EQ(gfx::clipQuad(&turned.verts[0], gfx::Rect{0, 0, 20, 20}, 1, 1, out), -1);
    EXPECT_TRUE(out.empty());
}

}  // namespace

namespace {

// Draws of one kind brought together: frames of a few textures stamped at random, solid,
// blended and adding light, some turned, some scaled, some hanging off the clip. At every
// pixel the draws that touch it must come in the same order, but for neighbours that both
// add light (adding comes out the same in any order); and frames with room to batch must
// lose changes of state.
struct KindFrame {
    std::vector<DeferredDraw> draws;
    std::vector<Vertex> verts;

    // Each draw's colour is its number: the pixels tell them apart.
    void quad(unsigned tex, int blend, float x0, float y0, float x1, float y1, float turn = 0) {
        const auto id = uint32_t(draws.size());
        const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, c = std::cos(turn), s = std::sin(turn);
        auto at = [&](float x, float y) {
            const float dx = x - cx, dy = y - cy;
            return Vertex{cx + dx * c - dy * s, cy + dx * s + dy * c, 0, 0, id};
        };
        const Vertex a = at(x0, y0), b = at(x1, y0), cc = at(x1, y1), d = at(x0, y1);
        draws.push_back({tex, blend, false, unsigned(verts.size()), 6});
        verts.insert(verts.end(), {a, b, cc, a, cc, d});
    }
};

// Per pixel (centres inside a triangle, edges included), the draws in order, each stretch of
// neighbours that add light sorted.
std::vector<std::vector<uint32_t>> drawOrder(const KindFrame& f, int w, int h, float k) {
    std::vector<std::vector<uint32_t>> px(size_t(w) * size_t(h));
    std::vector<std::vector<bool>> adds(px.size());
    walkPixels(f.draws, f.verts, w, h, k, k,
               [&](const DeferredDraw& d, const Vertex* q, size_t i, float, float, float) {
                   if (!px[i].empty() && px[i].back() == q[0].rgba) return;  // its other triangle
                   px[i].push_back(q[0].rgba);
                   adds[i].push_back(d.blend == LIGHTBLEND);
               });
    for (size_t i = 0; i < px.size(); ++i)
        for (size_t a = 0; a < px[i].size();) {
            size_t b = a + 1;
            if (adds[i][a])
                while (b < px[i].size() && adds[i][b]) ++b;
            std::sort(px[i].begin() + long(a), px[i].begin() + long(b));
            a = b;
        }
    return px;
}

TEST(BatchedDraws, RandomFramesKeepEveryPixelsOrder) {
    std::mt19937 rng(11);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    size_t before = 0, after = 0;
    for (float k : {1.0f, 1.5f, 0.75f})
        for (int round = 0; round < 60; ++round) {
            KindFrame f;
            const int n = pick(2, 40), textures = pick(2, 4);
            for (int i = 0; i < n; ++i) {
                const float x0 = float(pick(-20, 280)) / 4, y0 = float(pick(-20, 200)) / 4;
                const float x1 = x0 + float(pick(2, 60)) / 4, y1 = y0 + float(pick(2, 60)) / 4;
                const int kind = pick(0, 5);
                const int blend = kind == 0 ? SOLIDBLEND : kind < 3 ? LIGHTBLEND : ALPHABLEND;
                f.quad(unsigned(pick(1, textures)), blend, x0, y0, x1, y1, kind == 5 ? 0.4f : 0.0f);
            }
            const int w = int(64 * k), h = int(48 * k);
            KindFrame batched = f;
            gfx::batchDraws(batched.draws, batched.verts, k, k, gfx::Rect{0, 0, w, h - 6});
            ASSERT_EQ(batched.draws.size(), f.draws.size());
            const auto want = drawOrder(f, w, h - 6, k), got = drawOrder(batched, w, h - 6, k);
            for (size_t i = 0; i < want.size(); ++i)
                ASSERT_EQ(got[i], want[i]) << "pixel (" << i % size_t(w) << ", " << i / size_t(w) << "), scale " << k
                                           << ", round " << round;
            before += gfx::countRuns(f.draws);
            after += gfx::countRuns(batched.draws);
        }
    EXPECT_LT(after * 10, before * 8) << "hardly any draws were batched";
}

TEST(BatchedDraws, OnlyDrawsThatCannotTellMoveTogether) {
    // Texture, blend, corner; each quad 10 x 10.
    struct Case {
        const char* what;
        std::vector<std::tuple<unsigned, int, float, float>> quads;
        std::vector<unsigned> order;  // the textures after
        size_t runs;                  // changes of state after
    };
    const Case cases[] = {
        {"apart: one of each kind",
         {{1, ALPHABLEND, 0, 0}, {2, ALPHABLEND, 20, 0}, {1, ALPHABLEND, 40, 0}, {2, ALPHABLEND, 60, 0}},
         {1, 1, 2, 2}, 2},
        {"overlapping blended ones keep their order",
         {{1, ALPHABLEND, 0, 0}, {2, ALPHABLEND, 5, 0}, {1, ALPHABLEND, 10, 0}, {2, ALPHABLEND, 15, 0}},
         {1, 2, 1, 2}, 4},
        {"solid ones too",
         {{1, SOLIDBLEND, 0, 0}, {2, SOLIDBLEND, 5, 5}, {1, SOLIDBLEND, 10, 10}},
         {1, 2, 1}, 3},
        {"light added over light, in any order",
         {{1, LIGHTBLEND, 0, 0}, {2, LIGHTBLEND, 5, 0}, {1, LIGHTBLEND, 10, 0}, {2, LIGHTBLEND, 15, 0}},
         {1, 1, 2, 2}, 2},
        {"light does not pass a blended draw under it",
         {{1, LIGHTBLEND, 0, 0}, {2, ALPHABLEND, 5, 0}, {1, LIGHTBLEND, 8, 0}},
         {1, 2, 1}, 3},
        {"a blend is a kind of its own",
         {{1, ALPHABLEND, 0, 0}, {1, LIGHTBLEND, 20, 0}, {1, ALPHABLEND, 40, 0}},
         {1, 1, 1}, 2},
        {"past a far one, not past a near one",
         {{1, ALPHABLEND, 0, 0}, {2, ALPHABLEND, 40, 0}, {3, ALPHABLEND, 5, 0}, {1, ALPHABLEND, 60, 0},
          {2, ALPHABLEND, 8, 0}},
         {1, 1, 2, 3, 2}, 4},
        {"outside the clip, anywhere",
         {{1, ALPHABLEND, 0, 0}, {2, ALPHABLEND, 5, 0}, {1, ALPHABLEND, 5, 200}},
         {1, 1, 2}, 2},
    };
    for (const Case& c : cases) {
        KindFrame f;
        for (const auto& [tex, blend, x, y] : c.quads) f.quad(tex, blend, x, y, x + 10, y + 10);
        gfx::batchDraws(f.draws, f.verts, 1, 1, gfx::Rect{0, 0, 100, 100});
        std::vector<unsigned> order;
        for (const DeferredDraw& d : f.draws) order.push_back(d.texture);
        EXPECT_EQ(order, c.order) << c.what;
        EXPECT_EQ(gfx::countRuns(f.draws), c.runs) << c.what;
    }
}

// Whether a mip-mapped texture's smaller levels can be read: a quad of a 64 x 32 texture
// (texels sx, sy a unit along its edges, turned, mirrored by a negative scale) on a display of
// k pixels a unit. Nowhere more than a texel a pixel only when every direction keeps a pixel
// or more a texel.
TEST(Levels, OnlyDrawsNowhereSmallerThanTheirTexelsReadOneLevel) {
    struct Case {
        const char* what;
        float sx, sy, turn, k;
        float uSpan;  // of the texture's width the quad shows
        bool enlarged;
    };
    const Case cases[] = {
        {"one to one", 1, 1, 0, 1, 1, true},
        {"one to one, turned", 1, 1, 0.5f, 1, 1, true},
        {"four times", 4, 4, 0.3f, 1, 1, true},
        {"mirrored, twice", -2, 2, 0, 1, 1, true},
        {"a hair smaller", 0.99f, 0.99f, 0, 1, 1, false},
        {"smaller one way only", 2, 0.9f, 0, 1, 1, false},
        {"smaller one way only, turned", 2, 0.9f, 0.7f, 1, 1, false},
        {"one to one in units, the display smaller", 1, 1, 0, 0.8f, 1, false},
        {"one to one in units, the display larger", 1, 1, 0, 1.25f, 1, true},
        {"half the texture over its own width", 1, 1, 0, 1, 0.5f, true},
        {"twice the texture over its own width", 1, 1, 0, 1, 2, false},
    };
    for (const Case& c : cases) {
        const float w = 64 * c.sx, h = 32 * c.sy, cs = std::cos(c.turn), sn = std::sin(c.turn);
        auto at = [&](float x, float y, float u, float v) {
            return Vertex{100 + x * cs - y * sn, 100 + x * sn + y * cs, u, v, 0xFFFFFFFFu};
        };
        const Vertex a = at(0, 0, 0, 0), b = at(w, 0, c.uSpan, 0), cc = at(w, h, c.uSpan, 1), d = at(0, h, 0, 1);
        const Vertex quad[6] = {a, b, cc, a, cc, d};
        EXPECT_EQ(gfx::enlargedOnly(quad, 6, c.k, c.k, 64, 32), c.enlarged) << c.what;
    }
    // Every triangle counts; a line of a triangle tells nothing.
    const Vertex big[3] = {{0, 0, 0, 0, 0}, {128, 0, 1, 0, 0}, {0, 64, 0, 1, 0}};
    const Vertex small[3] = {{0, 0, 0, 0, 0}, {32, 0, 1, 0, 0}, {0, 16, 0, 1, 0}};
    std::vector<Vertex> both(big, big + 3);
    both.insert(both.end(), small, small + 3);
    EXPECT_TRUE(gfx::enlargedOnly(big, 3, 1, 1, 64, 32));
    EXPECT_FALSE(gfx::enlargedOnly(both.data(), both.size(), 1, 1, 64, 32));
    const Vertex line[3] = {{0, 0, 0, 0, 0}, {10, 10, 1, 0, 0}, {20, 20, 0, 1, 0}};
    EXPECT_FALSE(gfx::enlargedOnly(line, 3, 1, 1, 64, 32));
}

}  // namespace
