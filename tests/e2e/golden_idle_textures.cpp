// Textures that screens no longer draw are let go once all of them are over the budget, and
// come back from their files, the same, when drawn again: with real OpenGL (offscreen), a
// frame of many large pictures (textures of their own) and small ones (on shared pages) is
// shot, then only one small picture is drawn for a few seconds of frames, then the first
// frame is drawn and shot again. The texture memory must fall to the budget in between and
// the second shot must be the first, pixel for pixel. Then the same across the end of a
// screen, where the pictures go within the next screen's first second, and so do the shared
// pages the next screen draws nothing from, however far under the budget, and a closed
// panel's pictures once the screen under it goes on alone. Last, a grid of
// stamps losing a cell at a time keeps one sheet, not one for every layout it had. And what
// the driver held of a busy frame's pictures (batches of it drawn on slots it reuses) is let
// go when the screen ends, however long ago that frame was.
// Exit codes: 0 pass, 1 failure, 77 no GL.
#include <malloc.h>

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
constexpr int kLarge = 30, kSmall = 24;
constexpr size_t kBudget = 12u << 20;  // the backend's, as a figure to compare with

// A picture that differs from every other one and at every pixel.
Pixmap picture(int w, int h, int seed, bool translucent) {
    Pixmap pm = golden::filled(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t a = translucent ? 0x80u + uint32_t((x + y) % 128) : 0xFFu;
            pm.pixels[size_t(y) * size_t(w) + size_t(x)] =
                (a << 24) | (uint32_t((x * 3 + seed * 29) & 0xFF) << 16) | (uint32_t((y * 5 + seed * 7) & 0xFF) << 8) |
                uint32_t((seed * 53) & 0xFF);
        }
    return pm;
}

void drawAll(const std::vector<TImage>& large, const std::vector<TImage>& small) {
    golden::freshFrame(kW, kH, 10, 20, 30);
    for (size_t i = 0; i < large.size(); ++i) DrawImage(large[i], float(i % 6) * 70, float(i / 6) * 60);
    for (size_t i = 0; i < small.size(); ++i) DrawImage(small[i], 500 + float(i % 6) * 80, 400 + float(i / 6) * 80);
}

// What the allocator has handed out, the driver's textures and batches included.
size_t heapBytes() {
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

}  // namespace

int main(int argc, char** argv) {
    std::string shotPath = argc > 1 ? argv[1] : "golden_idle_textures.png";
    std::string dir = golden::scratchDir("zerkon_golden_idle_");
    // Files with alpha, and without (read in bands): both must come back the same.
    for (int i = 0; i < kLarge; ++i) {
        const std::string path = dir + "/large" + std::to_string(i) + ".png";
        if (!(i % 2 ? imagefiles::writeRgbPng(path, picture(600, 400, i, false)) : SavePixmapPNG(picture(600, 400, i, false), path)))
            return 1;
    }
    for (int i = 0; i < kSmall; ++i)
        if (!SavePixmapPNG(picture(120, 100, 100 + i, true), dir + "/small" + std::to_string(i) + ".png")) return 1;
    if (int rc = golden::openOffscreenGl(kW, kH, dir)) return rc;
    std::vector<TImage> large, small;
    for (int i = 0; i < kLarge; ++i) large.push_back(LoadImage(dir + "/large" + std::to_string(i) + ".png"));
    for (int i = 0; i < kSmall; ++i) small.push_back(LoadImage(dir + "/small" + std::to_string(i) + ".png"));
    // Three cells of a strip, laid side by side on a page like any other picture's.
    if (!SavePixmapPNG(picture(120, 30, 200, true), dir + "/strip.png")) return 1;
    const TImage strip = LoadAnimImage(dir + "/strip.png", 40, 30, 0, 3);
    if (!strip) return 1;
    for (const TImage& img : large)
        if (!img) return 1;

    int failures = 0;
    drawAll(large, small);
    Pixmap before;
    if (!golden::grabShot(before, shotPath)) return 1;
    Flip();
    const size_t full = ImageMemory().textureBytes;
    if (full <= kBudget + (4u << 20)) {
        std::printf("FAIL: the frame made only %zu bytes of textures, not enough to test\n", full);
        ++failures;
    }
    // Then a screen that draws one small picture: four seconds of it, or its first second
    // once the screen that drew them has ended. Either way the textures fall to the budget,
    // and the pictures come back the same.
    struct Idle {
        const char* how;
        bool screenEnded;
        int frames;
        size_t bytes = 0;
    } idles[] = {{"went idle", false, 240}, {"were a past screen's", true, 50}};
    for (Idle& idle : idles) {
        if (idle.screenEnded) ScreenEnded();
        for (int f = 0; f < idle.frames; ++f) {
            golden::freshFrame(kW, kH, 10, 20, 30);
            DrawImage(small[0], 10, 10);
            Flip();
        }
        idle.bytes = ImageMemory().textureBytes;
        if (idle.bytes > kBudget) {
            std::printf("FAIL: %zu bytes of textures after the pictures %s (%zu before)\n", idle.bytes, idle.how, full);
            ++failures;
        }
        drawAll(large, small);
        Pixmap after;
        if (!golden::grabShot(after, shotPath)) return 1;
        Flip();
        size_t differ = 0;
        for (size_t i = 0; i < before.pixels.size() && i < after.pixels.size(); ++i)
            if ((before.pixels[i] & 0xFFFFFFu) != (after.pixels[i] & 0xFFFFFFu)) ++differ;
        if (differ) {
            std::printf("FAIL: %zu pixels differ once the pictures that %s were uploaded again\n", differ, idle.how);
            ++failures;
        }
    }
    // A screen that drew the small pictures, then only one of them for a few seconds: at its
    // end all the others go, though they are well under the budget, and come back the same.
    drawAll({}, small);
    Flip();
    for (int f = 0; f < 150; ++f) {
        golden::freshFrame(kW, kH, 10, 20, 30);
        DrawImage(small[0], 10, 10);
        Flip();
    }
    ScreenEnded();
    const size_t ended = ImageMemory().textureBytes;
    if (ended > (1u << 20)) {
        std::printf("FAIL: %zu bytes of textures once a screen that drew one picture ended\n", ended);
        ++failures;
    }
    drawAll(large, small);
    Pixmap again;
    if (!golden::grabShot(again, shotPath)) return 1;
    Flip();
    if (again.pixels != before.pixels) {
        std::printf("FAIL: the pictures differ once uploaded again after the screen ended\n");
        ++failures;
    }
    const size_t drawnAgain = ImageMemory().textureBytes;
    // A frame drawn by `draw`, shot; false when it cannot be.
    auto shoot = [&](const std::function<void()>& draw, Pixmap& shot) {
        draw();
        const bool taken = golden::grabShot(shot, shotPath);
        Flip();
        return taken;
    };
    // The same, and a failure counted when it is not `want`.
    auto shootSame = [&](const std::function<void()>& draw, const Pixmap& want, const char* what) {
        Pixmap shot;
        if (!shoot(draw, shot)) return false;
        if (const int differ = golden::differingPixels(want, shot)) {
            std::printf("FAIL: %d pixels differ %s\n", differ, what);
            ++failures;
        }
        return true;
    };
    auto allSmall = [&] {
        drawAll({}, small);
        for (int cell = 0; cell < 3; ++cell) DrawImage(strip, 60 + float(cell) * 50, 600, cell);
    };
    // A screen that drew all the small pictures (two shared pages, far under the budget)
    // ends just after, and the next one draws only the first of them: within its first
    // second the page it draws nothing from goes, and its pictures come back the same.
    ScreenEnded();
    Pixmap smallOnly;
    if (!shoot(allSmall, smallOnly)) return 1;
    ScreenEnded();
    for (int f = 0; f < 60; ++f) {
        golden::freshFrame(kW, kH, 10, 20, 30);
        DrawImage(small[0], 10, 10);
        Flip();
    }
    const size_t oneSmallDrawn = ImageMemory().textureBytes;
    if (oneSmallDrawn > (1u << 20) + (256u << 10)) {
        std::printf("FAIL: %zu bytes of textures while the next screen draws one small picture\n", oneSmallDrawn);
        ++failures;
    }
    if (!shootSame(allSmall, smallOnly, "once the pictures of a page that went were drawn again")) return 1;
    // The next screen draws one picture from each of the two pages (and the strip's cells):
    // they are copied onto one page and the pages go. They look the same from there, and so do the others, read
    // again from their files.
    ScreenEnded();
    auto two = [&] {
        golden::freshFrame(kW, kH, 10, 20, 30);
        DrawImage(small[0], 10, 10);
        DrawImage(small[kSmall - 1], 200, 10);
        for (int cell = 0; cell < 3; ++cell) DrawImage(strip, 400 + float(cell) * 50, 10, cell);
    };
    Pixmap twoBefore;
    if (!shoot(two, twoBefore)) return 1;
    const size_t twoPages = ImageMemory().textureBytes;
    for (int f = 0; f < 60; ++f) {
        two();
        Flip();
    }
    const size_t gathered = ImageMemory().textureBytes;
    if (twoPages < (2u << 20) || gathered > (1u << 20) + (256u << 10)) {
        std::printf("FAIL: %zu bytes of textures for two pictures of two pages, %zu a second later\n", twoPages,
                    gathered);
        ++failures;
    }
    if (!shootSame(two, twoBefore, "once two pictures were copied onto another page")) return 1;
    if (!shootSame(allSmall, smallOnly, "once pictures left off a gathered page were drawn again")) return 1;
    // A panel over a screen (a dialogue) draws large pictures of its own. Once it has closed
    // and the screen goes on alone, they go within a second, however far under the budget,
    // and look the same when the panel shows again.
    ScreenEnded();
    auto screenAlone = [&] {
        golden::freshFrame(kW, kH, 10, 20, 30);
        DrawImage(large[0], 0, 0);
        DrawImage(small[0], 700, 600);
    };
    auto withPanel = [&] {
        screenAlone();
        DrawImage(large[1], 200, 150);
        DrawImage(large[2], 300, 300);
    };
    for (int f = 0; f < 60; ++f) {
        screenAlone();
        Flip();
    }
    const size_t alone = ImageMemory().textureBytes;
    Pixmap panelShown;
    if (!shoot(withPanel, panelShown)) return 1;
    for (int f = 0; f < 60; ++f) {
        withPanel();
        Flip();
    }
    const size_t panelOpen = ImageMemory().textureBytes;
    OverlayClosed();
    for (int f = 0; f < 60; ++f) {
        screenAlone();
        Flip();
    }
    const size_t panelClosed = ImageMemory().textureBytes;
    if (panelOpen <= alone || panelClosed > alone) {
        std::printf("FAIL: %zu bytes of textures for a screen, %zu with a panel over it, %zu once it closed\n", alone,
                    panelOpen, panelClosed);
        ++failures;
    }
    if (!shootSame(withPanel, panelShown, "once a closed panel's pictures were drawn again")) return 1;
    // A picture stamped over a grid is copied from a sheet of its own; as cells of the grid
    // go one by one (a board being solved) the old layouts' sheets go with them, and the
    // last layout still looks the same copied from its sheet as drawn stamp by stamp.
    ScreenEnded();
    int shade = 0;  // a background that changes every frame has each frame drawn whole
    auto stamps = [&](int gone) {
        golden::freshFrame(kW, kH, 10 + shade++ % 2, 20, 30);
        for (int cell = gone; cell < 30; ++cell) DrawImage(small[1], 40 + float(cell % 6) * 120, 60 + float(cell / 6) * 100);
    };
    size_t firstLayout = 0, lastLayout = 0;
    for (int gone = 0; gone < 10; ++gone) {
        for (int f = 0; f < 3; ++f) {
            stamps(gone);
            Flip();
        }
        (gone == 0 ? firstLayout : lastLayout) = ImageMemory().textureBytes;
    }
    constexpr size_t kSheetBytes = 720 * 500 * 4;
    if (firstLayout < kSheetBytes || lastLayout > firstLayout + kSheetBytes / 2) {
        std::printf("FAIL: %zu bytes of textures for the first layout of stamps, %zu for the tenth\n", firstLayout,
                    lastLayout);
        ++failures;
    }
    Pixmap sheeted, stamped;
    shade = 0;
    stamps(9);
    if (!golden::grabShot(sheeted, shotPath)) return 1;
    Flip();
    SetHiddenDrawCulling(false);
    shade = 0;
    stamps(9);
    if (!golden::grabShot(stamped, shotPath)) return 1;
    Flip();
    SetHiddenDrawCulling(true);
    if (const int differ = golden::differingPixels(sheeted, stamped)) {
        std::printf("FAIL: %d pixels differ between the stamps copied from their sheet and drawn one by one\n", differ);
        ++failures;
    }
    // A frame of every large picture goes to the driver in parts, drawn on several of its
    // slots; later frames draw one small picture, on the first slot only. Once the screen
    // has ended, the large pictures' storage is gone from the driver too: on the window, and
    // letterboxed on a larger display, where frames are drawn into the picture.
    auto quiet = [&](int frames) {
        for (int f = 0; f < frames; ++f) {
            golden::freshFrame(kW, kH, 10, 20, 30);
            DrawImage(small[0], 10, 10);
            Flip();
        }
    };
    for (const bool letterboxed : {false, true}) {
        const char* where = letterboxed ? "letterboxed on 1280 x 1024" : "on the window";
        if (letterboxed) {
            if (!Graphics(1280, 1024, 0, 60)) break;
            SetAspectResolution(kW, kH, 3);
        }
        ScreenEnded();
        quiet(30);
        const size_t heapBefore = heapBytes();
        drawAll(large, {});
        Flip();
        quiet(30);
        const size_t heapBusy = heapBytes();
        ScreenEnded();
        quiet(30);
        const size_t heapAfter = heapBytes();
        if (heapAfter > heapBefore + (4u << 20)) {
            std::printf("FAIL: %s, %.1f MiB more heap after the screen ended than before its busy frame "
                        "(%.1f MiB more just after it)\n",
                        where, double(heapAfter - heapBefore) / 1048576.0, double(heapBusy - heapBefore) / 1048576.0);
            ++failures;
        }
        std::printf("heap %s: %.1f MiB, %.1f MiB after a busy frame, %.1f MiB once its screen ended\n", where,
                    double(heapBefore) / 1048576.0, double(heapBusy) / 1048576.0, double(heapAfter) / 1048576.0);
    }
    std::printf("textures: %.1f MiB drawn, %.1f MiB idle, %.1f MiB into the next screen, %.1f MiB drawn again\n",
                double(full) / 1048576.0, double(idles[0].bytes) / 1048576.0, double(idles[1].bytes) / 1048576.0,
                double(drawnAgain) / 1048576.0);
    std::printf("stamps: %.1f MiB of textures for their first layout, %.1f MiB for the tenth\n",
                double(firstLayout) / 1048576.0, double(lastLayout) / 1048576.0);
    std::filesystem::remove_all(dir);
    if (failures) return 1;
    std::printf("PASS: %s\n", shotPath.c_str());
    return 0;
}
