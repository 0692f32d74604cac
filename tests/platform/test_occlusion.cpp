// Leaving out hidden draws: random frames of upright, scaled and turned quads, solid and
// blended, rasterised in software by pixel centres; at every pixel the draws that still
// matter (those from the last solid one up) must be the same, with the same texture spot,
// before and after. And what the culling is for: a full-screen picture under two panels.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
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
std::vector<std::vector<Layer>> raster(const Frame& f, int w, int h, float kx, float ky) {
    std::vector<std::vector<Layer>> px(size_t(w) * size_t(h));
    for (const DeferredDraw& d : f.draws)
        for (unsigned t = 0; t + 2 < d.count; t += 3) {
            const Vertex* q = &f.verts[d.first + t];
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
                    // Centres on a shared edge belong to one triangle only in GL; counting
                    // them for both is harmless here, as both give the same spot.
                    if (l1 < -1e-5f || l2 < -1e-5f || l3 < -1e-5f) continue;
                    auto& stack = px[size_t(y) * size_t(w) + size_t(x)];
                    const Layer layer{d.texture, l1 * q[0].u + l2 * q[1].u + l3 * q[2].u,
                                      l1 * q[0].v + l2 * q[1].v + l3 * q[2].v};
                    if (!stack.empty() && stack.back().texture == d.texture) continue;  // other triangle
                    if (d.blend == SOLIDBLEND) stack.clear();
                    stack.push_back(layer);
                }
        }
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
