// Weather cost per frame: update + draw of a steady crowd of rain, snow, leaves, sand and
// bubbles on the headless (recording) backend, with sprites leaving and new ones made each
// frame as a screen full of weather does. Measured, never asserted.
#include <benchmark/benchmark.h>

#include "effects/chmura.h"
#include "effects/fala.h"
#include "effects/pogoda.h"
#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

TImage whiteImage(int w, int h) {
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), 0xFFFFFFFFu);
    TImage img = CreateImageFromPixmap(pm, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    MidHandleImage(img);
    return img;
}

void setup() {
    InitPlatform(true);
    Graphics(1024, 768);
    ResetGraphicsState();
    SetClockSource(nullptr);
    resetPogoda();
    resetChmury();
    resetFale();
    for (size_t i = 0; i < 9; ++i) TPogoda::img[i] = whiteImage(16, 16);
    for (auto& i : TChmura::img) i = whiteImage(220, 100);
    for (auto& i : TFala::img) i = whiteImage(72, 34);
    delta = 1;
}

// A drop, a flake and a grain every frame, a bubble group every 10: some 6,000 sprites alive
// once it settles (flakes drift for up to 39 s, the counter "live" says how many).
void BM_WeatherCrowdFrame(benchmark::State& state) {
    setup();
    int frame = 0;
    for (auto _ : state) {
        createRain(Rand(0, 1023), Rand(-50, 300));
        createSnowFlake(Rand(0, 1023));
        createSand(frame % 2 ? 1 : -1);
        if (frame % 10 == 0) createBuble(8);
        ClearRecordedDraws();
        _updatePogoda();
        _drawPogoda();
        Flip();
        ++frame;
    }
    state.counters["live"] = double(fx::live(listaPogody));
    resetPogoda();
}
BENCHMARK(BM_WeatherCrowdFrame)->Unit(benchmark::kMicrosecond);

// The map's share: eight clouds and the waves of a new one every 700 ms.
void BM_MapCloudsAndWavesFrame(benchmark::State& state) {
    setup();
    int32_t due = 0;
    for (auto _ : state) {
        ClearRecordedDraws();
        TChmura::updateAll(1);
        _updateFale();
        if (Millisecs() > due) {
            due = Millisecs() + 700;
            createFala(float(Rand(100, 900)), float(Rand(300, 600)), Rand(0, 1) ? 1.0f : -1.0f);
        }
        _drawFale();
        TChmura::drawAll();
        Flip();
    }
    resetChmury();
    resetFale();
}
BENCHMARK(BM_MapCloudsAndWavesFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
