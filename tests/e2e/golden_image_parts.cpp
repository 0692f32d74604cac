// Images the gl backend draws in pieces, checked with real OpenGL (offscreen) at probe
// points against a software composite of the headless recording: a large frame-shaped
// image (opaque band, translucent band, empty middle) that is trimmed and cut into opaque
// and translucent parts, drawn on the pixel grid, off it, scaled, rotated and faded; an
// opaque picture drawn without blending; a strip on a shared page; and pixels read back
// from the file after the upload let them go. Exit codes: 0 pass, 1 mismatch, 77 no GL.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/graphics.h"
#include "tests/e2e/golden_support.h"

namespace {

constexpr int kW = 1024, kH = 768;
constexpr int kTolerance = 4;

using golden::filled;
using golden::Rgb;

// 400 x 300: transparent margin of 40, an opaque orange band 40 wide, a translucent blue
// band 30 wide, the middle empty.
Pixmap framePicture() {
    Pixmap pm = filled(400, 300, 0x00000000u);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            int edge = std::min({x, y, 399 - x, 299 - y});
            if (edge >= 40 && edge < 80) pm.pixels[size_t(y) * 400 + x] = 0xFFF08020u;
            else if (edge >= 80 && edge < 110) pm.pixels[size_t(y) * 400 + x] = 0x802040F0u;
        }
    return pm;
}

struct Scene {
    TImage frame, photo, strip;
};

void drawScene(Scene& sc) {
    golden::freshFrame(kW, kH, 20, 60, 40);
    DrawImage(sc.photo, 600, 400);          // opaque: no blending needed
    DrawImage(sc.frame, 0, 0);              // on the pixel grid
    DrawImage(sc.frame, 420.5f, 10.25f);    // off it: filtered
    SetScale(0.5f, 0.5f);
    DrawImage(sc.frame, 20, 420);           // scaled
    SetScale(1, 1);
    SetRotation(30);
    DrawImage(sc.frame, 250, 330);          // rotated about its corner
    SetRotation(0);
    SetAlpha(0.5f);
    DrawImage(sc.frame, 560, 380);          // faded over the photo: the opaque band blends
    SetAlpha(1);
    SetColor(255, 128, 255);
    DrawImage(sc.strip, 300, 650, 2);       // a cell of a strip, tinted
    SetColor(255, 255, 255);
}

Rgb expectedAt(const std::vector<DrawCall>& draws, const Scene& sc, float px, float py) {
    Rgb out{0, 0, 0};
    for (const DrawCall& d : draws) {
        if (d.kind == DrawCall::Clear) {
            out = {float(d.r), float(d.g), float(d.b)};
            continue;
        }
        if (d.kind != DrawCall::Image) continue;
        double rad = double(d.rotation) * 3.14159265358979 / 180.0;
        float c = float(std::cos(rad)), s = float(std::sin(rad));
        float dx = px - d.x, dy = py - d.y;
        float lx = (dx * c + dy * s) / d.scaleX, ly = (-dx * s + dy * c) / d.scaleY;
        const TImage& img = d.what.find("frame") != std::string::npos   ? sc.frame
                            : d.what.find("photo") != std::string::npos ? sc.photo
                                                                        : sc.strip;
        float u = lx + d.handleX, v = ly + d.handleY;
        if (u < 0 || v < 0 || u >= d.w || v >= d.h) continue;
        uint32_t t = ReadPixel(img, int(std::floor(u)), int(std::floor(v)), d.frame);
        float a = float(t >> 24) / 255.0f * d.alpha;
        Rgb src{float((t >> 16) & 0xFF) * float(d.r) / 255.0f,
                float((t >> 8) & 0xFF) * float(d.g) / 255.0f, float(t & 0xFF) * float(d.b) / 255.0f};
        out = {src.r * a + out.r * (1 - a), src.g * a + out.g * (1 - a), src.b * a + out.b * (1 - a)};
    }
    return out;
}

bool writeImages(const std::string& dir) {
    Pixmap photo = filled(256, 192, 0xFF000000u);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 256; ++x)
            photo.pixels[size_t(y) * 256 + x] = 0xFF000000u | (uint32_t(x) << 16) | (uint32_t(y) << 8) | 0x40u;
    Pixmap cells = filled(4 * 40, 40, 0);
    const uint32_t colours[] = {0xFFFF8000u, 0xC080FF00u, 0xFF8000FFu, 0x8000FF80u};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 160; ++x)
            if (x % 40 >= 5 && x % 40 < 35) cells.pixels[size_t(y) * 160 + x] = colours[x / 40];
    return SavePixmapPNG(framePicture(), dir + "/frame.png") && SavePixmapPNG(photo, dir + "/photo.png") &&
           SavePixmapPNG(cells, dir + "/strip.png");
}

bool loadImages(Scene& sc, const std::string& dir) {
    sc.frame = LoadImage(dir + "/frame.png");
    sc.photo = LoadImage(dir + "/photo.png");
    sc.strip = LoadAnimImage(dir + "/strip.png", 40, 40, 0, 4);
    if (!sc.frame || !sc.photo || !sc.strip) return false;
    MidHandleImage(sc.strip);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string shotPath = argc > 1 ? argv[1] : "golden_image_parts.png";
    std::string dir = golden::scratchDir("zerkon_golden_parts_");
    if (!writeImages(dir)) {
        std::fprintf(stderr, "cannot write the test images\n");
        return 1;
    }
    // The expectation from a headless recording, with the headless images' pixels.
    InitPlatform(true);
    Graphics(kW, kH);
    ResetGraphicsState();
    Scene expect;
    if (!loadImages(expect, dir)) return 1;
    ClearRecordedDraws();
    drawScene(expect);
    std::vector<DrawCall> draws = RecordedDraws();

    // The same frame with GL, the images loaded while the display is open (so uploaded at
    // once, on shared pages, their decoded pixels let go).
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;
    Scene sc;
    if (!loadImages(sc, dir)) return 1;
    drawScene(sc);
    Pixmap shot;
    if (!golden::grabShot(shot, shotPath)) return 1;

    int failures = 0;
    auto probe = [&](const char* what, int px, int py) {
        Rgb e = expectedAt(draws, expect, float(px) + 0.5f, float(py) + 0.5f);
        uint32_t got = shot.at(px, py);
        if (!golden::near(got, e, kTolerance)) {
            std::printf("FAIL %s at (%d, %d): got %06X, expected %.0f %.0f %.0f\n", what, px, py,
                        got & 0xFFFFFFu, e.r, e.g, e.b);
            ++failures;
        }
    };
    // On the grid: margin, opaque band, translucent band, empty middle.
    probe("grid margin", 20, 150);
    probe("grid opaque band", 60, 150);
    probe("grid translucent band", 95, 150);
    probe("grid middle", 200, 150);
    probe("grid corner of the band", 45, 45);
    // Off the grid (band interiors, away from the filtered edges).
    probe("off-grid opaque band", 420 + 60, 10 + 150);
    probe("off-grid translucent band", 420 + 95, 10 + 150);
    probe("off-grid middle", 420 + 200, 10 + 150);
    // Scaled by a half.
    probe("scaled opaque band", 20 + 30, 420 + 75);
    probe("scaled translucent band", 20 + 47, 420 + 75);
    probe("scaled middle", 20 + 100, 420 + 75);
    // Rotated: the point 60 right of the handle along the rotated x axis.
    {
        double r = 30 * 3.14159265358979 / 180.0;
        auto at = [&](float lx, float ly, const char* what) {
            probe(what, int(std::lround(250 + lx * std::cos(r) - ly * std::sin(r))),
                  int(std::lround(330 + lx * std::sin(r) + ly * std::cos(r))));
        };
        at(60, 150, "rotated opaque band");
        at(95, 150, "rotated translucent band");
        at(200, 150, "rotated middle");
    }
    // The photo alone, and under the faded frame's bands.
    probe("photo", 610, 700);
    probe("photo under the faded opaque band", 560 + 60, 380 + 150);
    probe("photo under the faded translucent band", 560 + 95, 380 + 150);
    // The strip's cell 2 (tinted), its transparent sides.
    probe("strip cell", 300, 650);
    probe("strip side", 300 - 18, 650);

    // Pixels let go after the upload come back from the file when asked for.
    if (ReadPixel(sc.frame, 60, 150) != 0xFFF08020u || ReadPixel(sc.frame, 200, 150) != 0 ||
        ReadPixel(sc.strip, 20, 20, 3) != 0x8000FF80u) {
        std::printf("FAIL: pixels read back from the file differ\n");
        ++failures;
    }
    std::filesystem::remove_all(dir);
    if (failures) return 1;
    std::printf("PASS: %s\n", shotPath.c_str());
    return 0;
}
