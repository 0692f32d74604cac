#include "effects/flying_tresure.h"

#include <algorithm>

#include "effects/curve.h"
#include "effects/list.h"
#include "effects/particles.h"
#include "game/board/links.h"
#include "gui/frame/deltatime.h"
#include "platform/graphics.h"
#include "platform/system.h"

int TFlyingTresure::flyingToSummaryCount = 0;

namespace {

constexpr int kSparklePause = 25;
// Where the summary flight ends on the win screen.
constexpr float kSummaryX = 408, kSummaryY = 631;

fx::List<TFlyingTresure>* pile() {
    TLevel* level = playLink().level();
    return level ? &level->flyingTresures : nullptr;
}

// Shrinks and fades over the last fifth of a flight.
void fadeOut(TFlyingTresure& t) {
    if (t.per > 0.8f) t.a = t.s = fx::sinDeg(90 * (1 - (t.per - 0.8f) / 0.2f));
}

}  // namespace

std::shared_ptr<TDim> findGoodDimForTresure() {
    auto* list = pile();
    const int k = list ? int(fx::live(*list)) / 10 : 0;
    return createSimpleDim(Rand(830 + k, 940), Rand(470 - k, 470));
}

std::shared_ptr<TFlyingTresure> createFlyingTresure(const std::shared_ptr<TTresureData>& tresure,
                                                    int size, int f, float x, float y,
                                                    const std::shared_ptr<TTile>& tile) {
    auto* list = pile();
    // A treasure without a kind would have nothing to draw; it is not made at all.
    if (!list || !tresure) return nullptr;
    auto dim = findGoodDimForTresure();
    auto t = std::make_shared<TFlyingTresure>();
    t->tresure = tresure;
    t->size = clampSizeClass(size);
    t->f = f;
    t->tile = tile;
    t->x = t->x1 = x;
    t->y = t->y1 = y;
    t->x2 = dim->x;
    t->y2 = dim->y;
    t->mx = x + (t->x2 - x) / 2;
    t->my = 0;
    t->per = 0;
    list->push_back(t);
    return t;
}

std::shared_ptr<TFlyingTresure> makeLyingTresure(const std::shared_ptr<TTresureData>& tresure,
                                                 const float (&pos)[8]) {
    if (!tresure) return nullptr;
    auto t = std::make_shared<TFlyingTresure>();
    t->tresure = tresure;
    t->x = pos[0], t->y = pos[1];
    t->x1 = pos[2], t->y1 = pos[3];
    t->x2 = pos[4], t->y2 = pos[5];
    t->mx = pos[6], t->my = pos[7];
    t->myEnd = 1;
    return t;
}

void TFlyingTresure::update() {
    if (summary) {
        updateSummary();
    } else if (goingDown) {
        updateGoingDown();
    } else if (!myEnd) {
        x = fx::bezier(x1, mx, x2, per);
        y = fx::bezier(y1, my, y2, per);
        generate();
        const float old = per;
        per += 0.02f * delta;
        if (per > 1) {
            if (old == 1)
                lieDown();
            else
                per = 1;
        }
    }
    if (summary) ++flyingToSummaryCount;
}

void TFlyingTresure::generate() {
    const int32_t now = Millisecs();
    if (now > time) {
        createTresureParticle(x, y);
        time = now + kSparklePause;
    }
}

void TFlyingTresure::lieDown() {
    servicesLink().playMySound(Rand(1, 2) == 1 ? "coin_1" : "coin_2");
    myEnd = 1;
    if (auto cell = tile.lock())
        if (cell->_myTresure.get() == this) cell->_myTresure.reset();
}

void TFlyingTresure::flyToSummary(int delay) {
    x = x2;
    y = y2;
    timeSummary = Millisecs() + delay;
    summary = 1;
    x1 = x;
    y1 = y;
    x2 = kSummaryX;
    y2 = kSummaryY;
    mx = 700 + float(Rand(-50, 50));
    my = 150 + float(Rand(-50, 50));
    per = 0;
}

void TFlyingTresure::updateSummary() {
    if (Millisecs() < timeSummary) return;
    if (!sounded) {
        sounded = 1;
        servicesLink().playCoins();
    }
    per = std::min(1.0f, per + 0.02f * delta);
    fadeOut(*this);
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
    generate();
    if (per == 1) destroy();
}

void TFlyingTresure::sendDown() {
    x1 = x;
    y1 = y;
    x2 = x + float(Rand(-150, 150));
    y2 = y + 700;
    mx = x2;
    my = y1;
    per = 0;
    downSpeed = float(Rnd(0.005, 0.015));
    goingDown = 1;
}

void TFlyingTresure::updateGoingDown() {
    per = std::min(1.0f, per + downSpeed * delta);
    fadeOut(*this);
    const float e = fx::sinDeg(90 * per);
    x = fx::bezier(x1, mx, x2, e);
    y = fx::bezier(y1, my, y2, e);
    generate();
    if (per == 1) destroy();
}

void TFlyingTresure::draw() {
    if (!tresure) return;
    SetColor(255, 255, 255);
    SetAlpha(a);
    SetScale(s, s);
    SetRotation(per * 360);
    DrawImage(tresure->normalImg[size_t(clampSizeClass(size))], x, y, 0);
}

void TFlyingTresure::destroy() {
    _dead = true;
    if (auto* list = pile()) fx::remove(*list, this);
}

void _updateFlyingTresures() {
    TFlyingTresure::flyingToSummaryCount = 0;
    if (auto* list = pile()) fx::walk(*list, [](TFlyingTresure& t) { t.update(); });
}

void _drawFlyingTresures() {
    auto* list = pile();
    if (!list) return;
    SetBlend(ALPHABLEND);
    fx::each(*list, [](TFlyingTresure& t) { t.draw(); });
}

void sendAllTresuresToSummary() {
    auto* list = pile();
    if (!list) return;
    // Reversing keeps every iterator valid; erasing the dead only when no walk is under way.
    if (!fx::walking(*list)) list->remove_if([](const auto& t) { return !t || t->_dead; });
    list->reverse();
    const int n = int(fx::live(*list));
    if (n == 0) return;
    const int64_t spread = n >= 25 ? 3000 : n >= 15 ? 2000 : n >= 5 ? 1500 : 1000;
    // i x (spread / n) truncated, in whole numbers so no rounding drifts a delay down by 1.
    int64_t i = 0;
    for (auto& t : *list)
        if (t && !t->_dead) t->flyToSummary(int(i++ * spread / n));
}

void sendTresuresDown() {
    if (auto* list = pile()) fx::each(*list, [](TFlyingTresure& t) { t.sendDown(); });
}

void allTresuresCollected() {
    auto* list = pile();
    if (!list) return;
    fx::walk(*list, [](TFlyingTresure& t) {
        t.per = 1;
        t.update();
        t.update();
    });
}

int nieMaSkarbow() {
    auto* list = pile();
    if (!list) return 1;
    int all = 1;
    fx::each(*list, [&all](const TFlyingTresure& t) { all &= t.myEnd ? 1 : 0; });
    return all;
}
