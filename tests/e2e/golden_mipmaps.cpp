// A mip-mapped picture drawn smaller with real OpenGL (offscreen): its smaller levels, made by
// the platform, are the average of the picture. A one-pixel red and blue checkerboard shown
// at a half, a quarter and an eighth of its size reads as an even purple everywhere; a
// missing or wrong level, or the levels left unread, would show red, blue, black or another
// colour. Exit codes: 0 pass, 1 mismatch, 77 no GL context here (skipped).
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/graphics.h"
#include "tests/e2e/golden_support.h"

int main() {
    const std::string dir = golden::scratchDir("zerkon_golden_mipmaps_");
    InitPlatform(true);
    if (int rc = golden::openOffscreenGl(1024, 768, dir)) return rc;
    SetVirtualResolution(1024, 768);

    Pixmap checker;
    checker.width = checker.height = 128;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) checker.pixels.push_back((x + y) % 2 ? 0xFFFF0000u : 0xFF0000FFu);
    TImage img = CreateImageFromPixmap(checker, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    if (!img) {
        std::printf("FAIL: the picture could not be made\n");
        return 1;
    }

    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    const float scales[] = {0.5f, 0.25f, 0.125f};
    // Each size twice: on whole pixels, and a quarter of a pixel off them, where sampling
    // the picture itself without its smaller levels would hit single red or blue pixels.
    const float offsets[] = {0, 0.25f};
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 3; ++i) {
            SetScale(scales[i], scales[i]);
            DrawImage(img, 100.0f + 200.0f * float(i) + offsets[row], 100.0f + 200.0f * float(row) + offsets[row]);
        }
    SetScale(1, 1);
    Pixmap shot;
    if (!golden::grabShot(shot, dir + "/mipmaps.png")) return 1;
    Flip();

    int failures = 0;
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 3; ++i) {
            const int size = int(128 * scales[i]), top = 100 + 200 * row;
            // Inside each drawn square, away from its edges.
            for (int y = top + 2; y < top + size - 2; y += 3)
                for (int x = 102 + 200 * i; x < 100 + 200 * i + size - 2; x += 3) {
                    const uint32_t p = shot.at(x, y);
                    if (!golden::near(p, golden::Rgb{127.5f, 0, 127.5f}, 24)) {
                        if (failures++ < 5)
                            std::printf("FAIL: at a scale of %.3f, (%d, %d) is %06X, not an even purple\n",
                                        double(scales[i]), x, y, unsigned(p & 0xFFFFFF));
                    }
                }
        }
    if (failures) return 1;
    std::filesystem::remove_all(dir);
    std::printf("PASS: the smaller levels average the picture\n");
    return 0;
}
