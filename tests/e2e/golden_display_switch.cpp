// Images outlive display switches: one loaded before the display exists, drawn, then drawn
// again after a switch to full screen and back (same context), and after closing and
// reopening the display (a new context, so textures must be made again).
// Exit codes: 0 pass, 1 mismatch, 77 no GL context here (skipped).
#include <cstdio>
#include <cstdlib>

#include "platform/graphics.h"

namespace {

int failures = 0;

void check(const char* what, bool ok) {
    std::printf("%-44s %s\n", what, ok ? "ok" : "FAILED");
    if (!ok) ++failures;
}

// Draws the image over a grey clear and reads back the pixel at its centre.
uint32_t drawAndRead(const TImage& img) {
    SetVirtualResolution(float(GraphicsWidth()), float(GraphicsHeight()));
    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    SetOrigin(0, 0);
    SetClsColor(128, 128, 128);
    Cls();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    DrawImage(img, 100, 100);
    Pixmap shot;
    if (!GrabScreen(shot)) return 0;
    return shot.at(100, 100) & 0x00FFFFFFu;
}

}  // namespace

int main() {
    if (!std::getenv("SDL_VIDEODRIVER")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("ZERKON_HEADLESS");
    InitPlatform(false);
    Pixmap pm;
    pm.width = pm.height = 32;
    pm.pixels.assign(32 * 32, 0xFF2080C0u);
    TImage img = CreateImageFromPixmap(pm);  // before any display exists
    MidHandleImage(img);
    if (!Graphics(640, 480, 0)) {
        std::printf("SKIP: no OpenGL context could be created here\n");
        return 77;
    }
    check("drawn in the first window", drawAndRead(img) == 0x2080C0u);
    if (Graphics(640, 480, 32)) {
        check("drawn after going full screen", drawAndRead(img) == 0x2080C0u);
    } else {
        std::printf("full screen refused here; window kept\n");
        check("window kept after a refused switch", GraphicsOpen());
    }
    check("back to a window", Graphics(800, 600, 0) && GraphicsOpen());
    check("drawn after the switch back", drawAndRead(img) == 0x2080C0u);
    CloseGraphics();
    check("closed", !GraphicsOpen() && GraphicsWidth() == 0);
    DrawImage(img, 0, 0);  // no display: nothing happens
    check("reopened", Graphics(640, 480, 0));
    check("drawn in a new context", drawAndRead(img) == 0x2080C0u);
    ShutdownPlatform();
    std::printf("%s\n", failures ? "FAIL" : "PASS");
    return failures ? 1 : 0;
}
