// Frame submission cost of 2,000 sprites: headless (CPU per frame) and real GL offscreen
// (frames per second without the 1/60 s wait). Measured, never asserted.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/graphics.h"

namespace {

constexpr int kSprites = 2000;

TImage spriteSheet() {
    Pixmap pm;
    pm.width = 128;
    pm.height = 32;
    pm.pixels.resize(size_t(pm.width) * pm.height);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 128; ++x)
            pm.pixels[size_t(y) * 128 + x] = 0xFF000000u | uint32_t(x * 2) << 16 | uint32_t(y * 8);
    TImage img = CreateImageFromPixmap(pm);
    MidHandleImage(img);
    return img;
}

// A busy frame: every sprite with its own colour, alpha, scale and rotation, some text.
void drawFrame(const TImage& img, int frame) {
    SetClsColor(20, 40, 80);
    Cls();
    for (int i = 0; i < kSprites; ++i) {
        SetColor(128 + (i * 7) % 128, 128 + (i * 13) % 128, 255);
        SetAlpha(0.5f + float(i % 5) * 0.1f);
        SetRotation(float((i * 3 + frame) % 360));
        SetScale(0.5f + float(i % 3) * 0.25f, 0.5f + float(i % 3) * 0.25f);
        DrawImage(img, float((i * 37) % 1024), float((i * 53) % 768));
    }
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    SetColor(255, 255, 255);
    for (int line = 0; line < 10; ++line) DrawText("Treasure 12345 of the sea", 20, 20 + line * 20);
}

void BM_HeadlessFrame2000Sprites(benchmark::State& state) {
    InitPlatform(true);
    Graphics(1024, 768);
    ResetGraphicsState();
    TImage img = spriteSheet();
    int frame = 0;
    for (auto _ : state) {
        ClearRecordedDraws();
        drawFrame(img, frame++);
        Flip();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_HeadlessFrame2000Sprites)->Unit(benchmark::kMicrosecond);

void BM_GlOffscreenFrame2000Sprites(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    unsetenv("ZERKON_HEADLESS");
    InitPlatform(false);
    if (!Graphics(1024, 768, 0)) {
        state.SkipWithError("no OpenGL context here");
        return;
    }
    SetFramePacing(false);
    ResetGraphicsState();
    TImage img = spriteSheet();
    int frame = 0;
    for (auto _ : state) {
        drawFrame(img, frame++);
        Flip();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    CloseGraphics();
    InitPlatform(true);
}
BENCHMARK(BM_GlOffscreenFrame2000Sprites)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
