// Pictures sampled linearly (scaled, or off the pixel grid), checked with real OpenGL
// (offscreen) at every pixel against bilinear filtering worked out in software: enlarged,
// shifted by a fraction of a pixel, solid and blended, shrunk, mirrored, half outside the
// viewport and faded. Exit codes: 0 pass, 1 mismatch, 77 no GL here.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "tests/e2e/golden_support.h"

namespace {

constexpr int kW = 1024, kH = 768;
constexpr int kTolerance = 3;
constexpr int kSize = 16;  // the picture's texels a side

// Every texel its own colour; the right half translucent.
uint32_t texel(int x, int y) {
    x = std::clamp(x, 0, kSize - 1);
    y = std::clamp(y, 0, kSize - 1);
    const uint32_t a = x < kSize / 2 ? 0xFFu : 0x90u;
    return a << 24 | uint32_t(x * 16 + 8) << 16 | uint32_t(y * 16 + 8) << 8 | uint32_t((x * 7 + y * 5) % 16 * 16);
}

struct Case {
    const char* what;
    float x, y, sx, sy;  // top-left and scale (negative: mirrored)
    int blend;
    float alpha;
    int vpX = 0, vpY = 0, vpW = kW, vpH = kH;
};

const Case kCases[] = {
    {"shifted a fraction", 20.25f, 30.5f, 1, 1, ALPHABLEND, 1},
    {"enlarged 1.5", 60.4f, 20.7f, 1.5f, 1.5f, ALPHABLEND, 1},
    {"enlarged 2.25 x 3", 110.1f, 15.3f, 2.25f, 3, ALPHABLEND, 1},
    {"enlarged, solid", 170.6f, 20.2f, 2.5f, 2.5f, SOLIDBLEND, 1},
    {"enlarged 5", 230.3f, 10.9f, 5, 5, ALPHABLEND, 1},
    {"shrunk", 330.2f, 20.6f, 0.75f, 0.75f, ALPHABLEND, 1},
    {"mirrored", 380.5f + 32, 20.25f, -2, 2, ALPHABLEND, 1},
    {"half outside the viewport", 440.3f, 10.6f, 2, 2, ALPHABLEND, 1, 460, 0, 200, 200},
    {"faded", 520.2f, 30.4f, 2, 2, ALPHABLEND, 0.5f},
    {"added", 580.7f, 30.1f, 2, 2, LIGHTBLEND, 1},
    {"shrunk and mirrored", 660.3f + 15, 40.6f, -0.9375f, 0.9375f, ALPHABLEND, 1},
    {"shrunk, half outside", 700.2f, 40.3f, 0.9375f, 0.9375f, ALPHABLEND, 1, 708, 0, 100, 200},
    {"shrunk, half outside, solid", 780.4f, 40.7f, 0.9375f, 0.9375f, SOLIDBLEND, 1, 788, 0, 100, 200},
    {"mirrored both ways", 860.5f + 32, 40.2f + 32, -2, -2, ALPHABLEND, 1},
};

// The expected colour of display pixel (px, py) once `c` is drawn over `under`.
golden::Rgb expected(const Case& c, int px, int py, const golden::Rgb& under, bool& inside) {
    inside = false;
    if (px < c.vpX || py < c.vpY || px >= c.vpX + c.vpW || py >= c.vpY + c.vpH) return under;
    const float cx = float(px) + 0.5f, cy = float(py) + 0.5f;
    // Texel coordinates of the pixel centre.
    const float u = (cx - c.x) / c.sx, v = (cy - c.y) / c.sy;
    if (u < 0 || v < 0 || u >= kSize || v >= kSize) return under;
    // Not where an edge of the quad or of a texel crossing halves a sample: a pixel in the
    // quad's first or last row or column is shaded by coverage rules software need not copy.
    const float ex = std::min(u, kSize - u) * std::fabs(c.sx), ey = std::min(v, kSize - v) * std::fabs(c.sy);
    if (ex < 1.0f || ey < 1.0f) return under;
    inside = true;
    const float fu = u - 0.5f, fv = v - 0.5f;
    const int x0 = int(std::floor(fu)), y0 = int(std::floor(fv));
    const float wx = fu - float(x0), wy = fv - float(y0);
    float rgba[4] = {0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const uint32_t t = texel(x0 + (k & 1), y0 + (k >> 1));
        const float w = ((k & 1) ? wx : 1 - wx) * ((k >> 1) ? wy : 1 - wy);
        rgba[0] += w * float((t >> 16) & 0xFF);
        rgba[1] += w * float((t >> 8) & 0xFF);
        rgba[2] += w * float(t & 0xFF);
        rgba[3] += w * float(t >> 24);
    }
    if (c.blend == SOLIDBLEND) return {rgba[0], rgba[1], rgba[2]};
    const float a = rgba[3] / 255.0f * c.alpha;
    if (c.blend == LIGHTBLEND)
        return {std::min(255.0f, under.r + rgba[0] * a), std::min(255.0f, under.g + rgba[1] * a),
                std::min(255.0f, under.b + rgba[2] * a)};
    return {rgba[0] * a + under.r * (1 - a), rgba[1] * a + under.g * (1 - a), rgba[2] * a + under.b * (1 - a)};
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_filtered_draws.png";
    const std::string dir = golden::scratchDir("zerkon_filtered_");
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;
    Pixmap pm = golden::filled(kSize, kSize, 0);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) pm.pixels[size_t(y) * kSize + size_t(x)] = texel(x, y);
    if (!SavePixmapPNG(pm, dir + "/gradient.png")) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }
    TImage img = LoadImage(dir + "/gradient.png", FILTEREDIMAGE);
    if (!img) {
        std::fprintf(stderr, "cannot load the test picture\n");
        return 1;
    }
    const golden::Rgb under{40, 70, 100};
    golden::freshFrame(kW, kH, 40, 70, 100);
    for (const Case& c : kCases) {
        SetViewport(c.vpX, c.vpY, c.vpW, c.vpH);
        SetBlend(c.blend);
        SetAlpha(c.alpha);
        SetScale(c.sx, c.sy);
        DrawImage(img, c.x, c.y);
    }
    SetViewport(0, 0, kW, kH);
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    Pixmap shot;
    if (!golden::grabShot(shot, shotPath)) return 1;

    int failures = 0;
    for (const Case& c : kCases) {
        int checked = 0, wrong = 0, worst = 0;
        for (int py = 0; py < 200; ++py)
            for (int px = 0; px < kW; ++px) {
                bool inside = false;
                const golden::Rgb e = expected(c, px, py, under, inside);
                if (!inside) continue;
                ++checked;
                const uint32_t got = shot.at(px, py);
                const int d = std::max({std::abs(int((got >> 16) & 0xFF) - int(std::lround(e.r))),
                                        std::abs(int((got >> 8) & 0xFF) - int(std::lround(e.g))),
                                        std::abs(int(got & 0xFF) - int(std::lround(e.b)))});
                worst = std::max(worst, d);
                if (d > kTolerance) ++wrong;
            }
        std::printf("%-28s %5d pixels, %4d off by more than %d (most %d) %s\n", c.what, checked, wrong, kTolerance,
                    worst, checked > 0 && wrong == 0 ? "ok" : "FAIL");
        if (checked == 0 || wrong) ++failures;
    }
    std::filesystem::remove_all(dir);
    ShutdownPlatform();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
