// With real OpenGL (offscreen), a large picture that is mostly transparent keeps only its
// pieces in its texture while it is drawn one to one on the pixel grid: it must draw exactly
// as the same picture stored whole does (blended, added, faded, over a busy background, and
// cut to a source rectangle), take less texture memory, and once drawn scaled, rotated or
// solid be stored whole and draw exactly as the whole one from then on. Pictures read from
// their files stream in bands of rows, never decoded whole: they must draw exactly as the
// same pixels made in memory do, packed and stored whole, first and when read again, and so
// must a file that cannot stream (interlaced).
// Exit codes: 0 pass, 1 failure, 77 no GL.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "tests/e2e/golden_support.h"
#include "tests/support/image_files.h"

namespace {

constexpr int kW = 1024, kH = 768;
std::vector<std::string> failed;

// 700 x 520, transparent but for a few blobs (opaque cores, translucent rims) and a frame
// along its left and bottom edges. Its transparent pixels are coloured, so a border that
// does not repeat what lies next to a piece would show when the picture is filtered.
Pixmap sparsePicture() {
    Pixmap pm = golden::filled(700, 520, 0);
    auto blob = [&](int cx, int cy, int r) {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x) {
                const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                if (d2 > r * r) continue;
                const uint32_t a = d2 * 4 < r * r ? 0xFFu : 0x30u + uint32_t((x + y) % 160);
                pm.pixels[size_t(y) * 700 + size_t(x)] = (a << 24) | (uint32_t(x * 3 & 0xFF) << 16) |
                                                         (uint32_t(y * 5 & 0xFF) << 8) | uint32_t((x ^ y) & 0xFF);
            }
    };
    for (size_t i = 0; i < pm.pixels.size(); ++i) pm.pixels[i] = uint32_t(i * 2654435761u) & 0x00FFFFFFu;
    blob(120, 100, 40);
    blob(500, 80, 25);
    blob(330, 300, 70);
    blob(620, 440, 30);
    for (int y = 0; y < 520; ++y)
        for (int x = 0; x < 700; ++x)
            if (x < 12 || y >= 500) pm.pixels[size_t(y) * 700 + size_t(x)] |= (x + y) % 3 ? 0xFF000000u : 0x80000000u;
    return pm;
}

// 600 x 460: two bands of content with a gap between and margins all round, what lies
// outside them transparent but coloured.
Pixmap bandedPicture() {
    Pixmap pm = golden::filled(600, 460, 0);
    for (int y = 0; y < 460; ++y)
        for (int x = 0; x < 600; ++x) {
            uint32_t& p = pm.pixels[size_t(y) * 600 + size_t(x)];
            p = uint32_t(x * 11 + y * 7) & 0x00FFFFFFu;
            const bool band = (y >= 29 && y < 140) || (y >= 333 && y < 431);
            if (band && x >= 45 && x < 571) p |= (x / 37 + y / 23) % 4 ? 0xFF000000u : uint32_t(0x20 + (x + y) % 200) << 24;
        }
    return pm;
}

// A busy background for the pictures to show over (and leave alone where they are empty).
void busyBackground(const TImage& back) {
    golden::freshFrame(kW, kH, 40, 60, 80);
    SetBlend(SOLIDBLEND);
    DrawImage(back, 0, 0);
    SetBlend(ALPHABLEND);
}

Pixmap shot(const std::string& path) {
    Pixmap pm;
    golden::grabShot(pm, path);
    return pm;
}

struct Case {
    const char* name;
    std::function<void(const TImage&)> draw;
};

// Each case drawn with the one picture and then the other over the background: the same
// pixels, or a failure naming the case.
void compare(const std::vector<Case>& cases, const TImage& a, const TImage& b, const TImage& back,
             const std::string& path, const std::string& which = "") {
    for (const Case& c : cases) {
        busyBackground(back);
        c.draw(a);
        const Pixmap first = shot(path);
        busyBackground(back);
        c.draw(b);
        const Pixmap second = shot(path);
        Flip();
        if (const int n = golden::differingPixels(first, second))
            failed.push_back(which + c.name + ": differs from the whole picture in " + std::to_string(n) + " pixels");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shotPath = argc > 1 ? argv[1] : "golden_packed_pictures.png";
    const std::string dir = golden::scratchDir("zerkon_golden_packed_");
    Pixmap back = golden::filled(kW, kH, 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            back.pixels[size_t(y) * kW + size_t(x)] = 0xFF000000u | (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8) | uint32_t((x * y) & 0xFF);
    if (!SavePixmapPNG(sparsePicture(), dir + "/sparse.png") || !SavePixmapPNG(back, dir + "/back.png")) return 1;
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;

    TImage backImg = LoadImage(dir + "/back.png");
    TImage packed = LoadImage(dir + "/sparse.png");
    TImage whole = LoadImage(dir + "/sparse.png");
    if (!backImg || !packed || !whole) {
        std::printf("FAIL: the pictures did not load\n");
        return 1;
    }
    // The whole one is drawn scaled first, which has it stored whole from then on.
    golden::freshFrame(kW, kH, 0, 0, 0);
    SetScale(1.5f, 1.5f);
    DrawImage(whole, 10, 10);
    Flip();

    busyBackground(backImg);
    Flip();
    const ImageMemoryUse before = ImageMemory();
    busyBackground(backImg);
    DrawImage(packed, 0, 0);
    Flip();
    const size_t packedBytes = ImageMemory().textureBytes - before.textureBytes;
    if (packedBytes == 0 || packedBytes * 4 > size_t(702) * 522 * 4 * 3)
        failed.push_back("the mostly empty picture took " + std::to_string(packedBytes) + " bytes of texture, not under 3/4 of whole");

    compare({{"blended", [](const TImage& im) { DrawImage(im, 37, 41); }},
             {"added and faded",
              [](const TImage& im) {
                  SetBlend(LIGHTBLEND);
                  SetAlpha(0.6f);
                  DrawImage(im, 200, 120);
              }},
             {"tinted",
              [](const TImage& im) {
                  SetColor(200, 150, 90);
                  DrawImage(im, -50, 300);
              }},
             {"a source rectangle", [](const TImage& im) { DrawSubImageRect(im, 300, 200, 400, 380, 90, 60, 400, 380); }}},
            packed, whole, backImg, shotPath);

    // Drawn rotated, the packed one is stored whole and draws as the whole one does.
    compare({{"rotated",
              [](const TImage& im) {
                  SetRotation(17);
                  DrawImage(im, 400, 300);
              }},
             {"one to one again", [](const TImage& im) { DrawImage(im, 37, 41); }}},
            packed, whole, backImg, shotPath);
    if (ImageMemory().textureBytes - before.textureBytes <= packedBytes)
        failed.push_back("the picture drawn rotated was not stored whole");

    // From their files, streamed, against the same pixels made in memory, decoded whole.
    const Pixmap sparse = sparsePicture(), banded = bandedPicture();
    if (!SavePixmapPNG(banded, dir + "/banded.png") || !imagefiles::writeInterlacedPng(dir + "/interlaced.png", sparse))
        return 1;
    const std::vector<Case> onGrid = {
        {"blended", [](const TImage& im) { DrawImage(im, 37, 41); }},
        {"a source rectangle", [](const TImage& im) { DrawSubImageRect(im, 300, 200, 400, 380, 90, 60, 400, 380); }}};
    const std::vector<Case> offGrid = {{"scaled",
                                        [](const TImage& im) {
                                            SetScale(1.25f, 0.8f);
                                            DrawImage(im, 11, 23);
                                        }},
                                       {"whole, one to one", [](const TImage& im) { DrawImage(im, 37, 41); }}};
    struct Pair {
        const char* what;
        TImage file, memory;
    } pairs[] = {{"sparse", LoadImage(dir + "/sparse.png"), CreateImageFromPixmap(sparse)},
                 {"banded", LoadImage(dir + "/banded.png"), CreateImageFromPixmap(banded)},
                 {"interlaced", LoadImage(dir + "/interlaced.png"), CreateImageFromPixmap(sparse)}};
    for (const Pair& p : pairs) {
        if (!p.file || !p.memory) return 1;
        const std::string which = std::string(p.what) + ", ";
        compare(onGrid, p.file, p.memory, backImg, shotPath, which + "first read, ");
        // A screen ends and its textures go: the file is read again, its layout known.
        ScreenEnded();
        compare(onGrid, p.file, p.memory, backImg, shotPath, which + "read again, ");
        compare(offGrid, p.file, p.memory, backImg, shotPath, which);
        ScreenEnded();
        compare(offGrid, p.file, p.memory, backImg, shotPath, which + "read again, ");
    }

    std::filesystem::remove_all(dir);
    for (const std::string& f : failed) std::printf("FAIL: %s\n", f.c_str());
    if (!failed.empty()) return 1;
    std::printf("packed pictures draw as whole ones (%zu bytes packed)\n", packedBytes);
    return 0;
}
