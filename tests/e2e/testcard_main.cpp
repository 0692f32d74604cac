// The platform test card: opens the display, letterboxes a 1024 x 768 picture and draws
// colour bars, a generated image under every transform, text and the mouse cross.
// ZERKON_WINDOW=WxH or ZERKON_FULLSCREEN=1 try other displays; ZERKON_HEADLESS,
// ZERKON_SCRIPT and ZERKON_FRAMES work as in the game. Quits on Ctrl+Q, Escape or closing
// the window. Exit code 77 when no display can be opened.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

constexpr float kPictureW = 1024, kPictureH = 768;

struct Letterbox {
    float offX = 0, offY = 0;
    int displayW = 0, displayH = 0;
};

// Fits the picture into the display keeping its aspect ratio, centred.
Letterbox fitPicture() {
    Letterbox box;
    box.displayW = GraphicsWidth();
    box.displayH = GraphicsHeight();
    if (box.displayW <= 0 || box.displayH <= 0) return box;  // minimised: keep what we have
    float s = std::min(float(box.displayW) / kPictureW, float(box.displayH) / kPictureH);
    float vw = float(box.displayW) / s, vh = float(box.displayH) / s;
    box.offX = std::floor((vw - kPictureW) * 0.5f);
    box.offY = std::floor((vh - kPictureH) * 0.5f);
    SetVirtualResolution(vw, vh);
    return box;
}

bool parseSize(const char* text, int& w, int& h) {
    if (!text) return false;
    int a = 0, b = 0;
    if (std::sscanf(text, "%dx%d", &a, &b) != 2 || a < 64 || b < 64 || a > 16384 || b > 16384)
        return false;
    w = a;
    h = b;
    return true;
}

TImage makeBadge() {
    Pixmap pm;
    pm.width = 96;
    pm.height = 64;
    pm.pixels.resize(size_t(pm.width) * pm.height);
    for (int y = 0; y < pm.height; ++y)
        for (int x = 0; x < pm.width; ++x) {
            // A gold plate with a sea-blue stripe and a soft transparent rim.
            float dx = (x + 0.5f - 48.0f) / 48.0f, dy = (y + 0.5f - 32.0f) / 32.0f;
            float d = dx * dx + dy * dy;
            uint32_t a = d > 1.0f ? 0 : (d > 0.8f ? uint32_t((1.0f - d) * 5 * 255) : 255);
            uint32_t rgb = (y > 26 && y < 38) ? 0x2A6F97u : 0xE0B040u;
            pm.pixels[size_t(y) * pm.width + x] = (a << 24) | rgb;
        }
    TImage img = CreateImageFromPixmap(pm);
    MidHandleImage(img);
    return img;
}

void drawCard(const Letterbox& box, const TImage& badge, int frame) {
    SetViewport(0, 0, int(std::ceil(VirtualResolutionWidth())),
                int(std::ceil(VirtualResolutionHeight())));
    SetOrigin(0, 0);
    SetClsColor(0, 0, 0);
    Cls();
    SetViewport(int(box.offX), int(box.offY), int(kPictureW), int(kPictureH));
    SetOrigin(box.offX, box.offY);
    SetClsColor(24, 40, 64);
    Cls();
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);

    static const int bars[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                   {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    for (int i = 0; i < 8; ++i) {
        SetColor(bars[i][0], bars[i][1], bars[i][2]);
        DrawRect(64 + float(i) * 112, 64, 112, 200);
    }
    SetColor(255, 255, 255);
    DrawLine(64, 280, 960, 280);

    SetRotation(float(frame % 360));
    SetScale(2, 1.5f);
    DrawImage(badge, 256, 420);
    SetRotation(0);
    SetScale(1, 1);
    SetColor(120, 200, 255);
    SetAlpha(0.5f);
    DrawImage(badge, 512, 420);
    SetBlend(LIGHTBLEND);
    SetColor(255, 255, 255);
    SetAlpha(0.8f);
    DrawImage(badge, 720, 420);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    DrawSubImageRect(badge, 860, 420, 96, 32, 0, 16, 48, 16, 48, 16);

    SetImageFont(nullptr);
    SetColor(255, 240, 200);
    DrawText("Zerkon test card - Ctrl+Q or Escape quits", 64, 560);
    std::string size = "display " + std::to_string(box.displayW) + " x " +
                       std::to_string(box.displayH) + "  frame " + std::to_string(frame);
    DrawText(size, 64, 560 + float(TextHeight(size)) + 4);

    float mx = VirtualMouseX() - box.offX, my = VirtualMouseY() - box.offY;
    SetColor(255, 80, 80);
    DrawLine(mx - 12, my, mx + 12, my);
    DrawLine(mx, my - 12, mx, my + 12);
}

}  // namespace

int main() {
    InitPlatform();
    if (!HarnessInit()) return 1;
    int w = 1024, h = 768;
    parseSize(std::getenv("ZERKON_WINDOW"), w, h);
    const char* fs = std::getenv("ZERKON_FULLSCREEN");
    bool fullscreen = fs && std::string(fs) == "1";
    SetWindowTitle("Zerkon test card");
    if (!Graphics(w, h, fullscreen ? 32 : 0, 60)) {
        std::fprintf(stderr, "The display could not be opened.\n");
        return 77;
    }
    TImage badge = makeBadge();
    Letterbox box = fitPicture();
    for (int frame = 0;; ++frame) {
        PollSystem();
        if (AppTerminate() || KeyHit(KEY_ESCAPE)) break;
        if (KeyDown(KEY_LCONTROL) && KeyHit('Q')) break;
        if (GraphicsWidth() != box.displayW || GraphicsHeight() != box.displayH) box = fitPicture();
        drawCard(box, badge, frame);
        Flip();
        if (AppTerminate()) break;
    }
    ShutdownPlatform();
    return 0;
}
