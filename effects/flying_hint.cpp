#include "effects/flying_hint.h"

#include "effects/curve.h"
#include "effects/particles.h"
#include "game/board/ease.h"
#include "gui/frame/deltatime.h"
#include "platform/system.h"

TFlyingHintList flyingHints;

namespace {
constexpr int kBurst = 6;
constexpr int kBurstPause = 20;
}  // namespace

void createFlyingHint(const std::shared_ptr<TTile>& tile, int x, int y, const TDim& target) {
    auto h = std::make_shared<TFlyingHint>();
    h->x = h->x1 = float(x);
    h->y = h->y1 = float(y);
    h->x2 = target.x;
    h->y2 = target.y;
    h->mx = float(Rand(0, 1024));
    h->my = float(Rand(0, 768));
    h->tile = tile;
    flyingHints.push_back(h);
}

void TFlyingHint::update() {
    const float old = per;
    // Stops exactly on 1 (float steps of 0.01 would otherwise take a frame too many).
    easeToward(per, 1, 0.01f * delta);
    if (per == 1 && old == 1) useMyHint();
    countPosition();
    generateParticles();
}

void TFlyingHint::countPosition() {
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
}

void TFlyingHint::generateParticles() {
    const int32_t now = Millisecs();
    if (now <= time) return;
    for (int i = 0; i < kBurst; ++i) createHintParticle(x, y);
    time = now + kBurstPause;
}

void TFlyingHint::useMyHint() {
    // A cell whose level is gone has nothing left to resolve.
    if (auto cell = tile.lock())
        if (cell->_level) cell->uncoverSafe();
    fx::remove(flyingHints, this);
}

void _updateFlyingHints() {
    fx::walk(flyingHints, [](TFlyingHint& h) { h.update(); });
}

void resetFlyingHints() { flyingHints.clear(); }
