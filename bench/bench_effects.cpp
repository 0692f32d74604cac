// Particle cost per frame: update + draw of 2,000 live particles on the headless
// (recording) backend. Measured, never asserted.
#include <benchmark/benchmark.h>

#include "effects/particles.h"
#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

constexpr int kLive = 2000;

void setupTable() {
    InitPlatform(true);
    Graphics(1024, 768);
    ResetGraphicsState();
    SetClockSource(nullptr);
    resetParticles();
    Pixmap pm;
    pm.width = pm.height = 16;
    pm.pixels.assign(256, 0xFFFFFFFFu);
    for (int i = 0; i < 22; ++i) {
        TImage img = CreateImageFromPixmap(pm, FILTEREDIMAGE | MIPMAPPEDIMAGE);
        MidHandleImage(img);
        TParticle::img.push_back(img);
    }
    delta = 1;
}

// 2,000 particles that live through the whole run: the walk and the draw alone.
void BM_Particles2000UpdateDraw(benchmark::State& state) {
    setupTable();
    for (int i = 0; i < kLive; ++i)
        createParticle(i % 22, float(i % 1024), float(i % 768), float((i * 7) % 1024),
                       float((i * 13) % 768), 512, 0, createRGB(255, 200, 100), 1, 0, 0.5f, 1.5f, 0,
                       360, i % 2 ? kParticleLightBlend : kParticleAlphaBlend, 0, 1 << 30);
    for (auto _ : state) {
        ClearRecordedDraws();
        _updateParticles();
        _drawParticles();
        Flip();
    }
    state.SetItemsProcessed(state.iterations() * kLive);
    resetParticles();
}
BENCHMARK(BM_Particles2000UpdateDraw)->Unit(benchmark::kMicrosecond);

// The same 2,000 updated only: the share of the frame that is our own arithmetic.
void BM_Particles2000UpdateOnly(benchmark::State& state) {
    setupTable();
    for (int i = 0; i < kLive; ++i)
        createParticle(i % 22, float(i % 1024), float(i % 768), float((i * 7) % 1024),
                       float((i * 13) % 768), 512, 0, createRGB(255, 200, 100), 1, 0, 0.5f, 1.5f, 0,
                       360, kParticleLightBlend, 0, 1 << 30);
    for (auto _ : state) {
        _updateParticles();
        Flip();
    }
    state.SetItemsProcessed(state.iterations() * kLive);
    resetParticles();
}
BENCHMARK(BM_Particles2000UpdateOnly)->Unit(benchmark::kMicrosecond);

// A steady 2,000 of the game's own recipes: sparkles and dust expire and are replaced
// every frame, so creation and removal are in the cost too.
void BM_Particles2000Churn(benchmark::State& state) {
    setupTable();
    int k = 0;
    for (auto _ : state) {
        while (particlesList.size() < size_t(kLive)) {
            const float x = float(100 + (k * 37) % 800), y = float(100 + (k * 53) % 500);
            if (k % 3 == 0)
                createTresureParticle(x, y);
            else if (k % 3 == 1)
                createKurz(x, y, 8);
            else
                createHintParticle(x, y);
            ++k;
        }
        ClearRecordedDraws();
        _updateParticles();
        _drawParticles();
        Flip();
    }
    state.SetItemsProcessed(state.iterations() * kLive);
    resetParticles();
}
BENCHMARK(BM_Particles2000Churn)->Unit(benchmark::kMicrosecond);

}  // namespace
