#include "effects/emitter.h"

#include "effects/curve.h"
#include "effects/particles.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"
#include "gui/frame/deltatime.h"
#include "platform/system.h"

TEmitterList emittersList;

namespace {

std::shared_ptr<TRGB> colour(int r, int g, int b) { return createRGB(r, g, b); }

void spark(const TEmitter& e, const std::shared_ptr<TRGB>& c) { createMedalionParticle(e.x, e.y, c); }

void bow(int typ, float x1, float y1, float x2, float y2, int delay, const std::shared_ptr<TTile>& tile) {
    constexpr int kStep = 10, kInter = 25, kLife = 400;
    float mx = x1, my = y2;
    if (Rand(0, 1) == 1) {
        mx = x2;
        my = y1;
    }
    int d = delay;
    createEmitter(typ, x1, y1, d, kInter, kLife);
    float t = 0;
    // A frame factor of 0 would never end the bow: at least one step per point.
    const float step = 0.01f * (delta > 0 ? delta : 1.0f);
    for (;;) {
        d += kStep;
        const float e = fx::sinDeg(90 * t);
        createEmitter(typ, fx::bezier(x1, mx, x2, e), fx::bezier(y1, my, y2, e), d, kInter, kLife);
        t += step;
        if (t >= 1) {
            auto last = createEmitter(typ, x2, y2, d, kInter, kLife);
            last->useString = "REVEAL_TILE";
            if (tile) {
                last->useDataR = tile->r;
                last->useDataC = tile->c;
                last->useTile = tile;
            }
            return;
        }
    }
}

}  // namespace

std::shared_ptr<TEmitter> createEmitter(int typ, float x, float y, int delay, int inter, int duration,
                                        TEmitterList* list) {
    auto e = std::make_shared<TEmitter>();
    const int32_t now = Millisecs();
    e->typ = typ;
    e->x = x;
    e->y = y;
    e->startTime = now + delay;
    e->endTime = now + delay + duration;
    e->inter = inter;
    e->lista = list ? list : &emittersList;
    e->lista->push_back(e);
    return e;
}

void TEmitter::update() {
    const int32_t now = Millisecs();
    if (now < startTime) return;
    if (now > waitTime) {
        waitTime = now + inter;
        generate();
    }
    if (now > endTime) destroy();
}

void TEmitter::generate() {
    switch (typ) {
    case 1:
        spark(*this, colour(Rand(245, 255), Rand(145, 155), Rand(23, 27)));
        spark(*this, colour(Rand(245, 255), Rand(145, 155), Rand(23, 27)));
        // Pale gold at half strength for the white spark: a bow lays hundreds of them on the
        // board, and at full white they burn the crates under it to a white band.
        spark(*this, colour(128, 121, 88));
        break;
    case 10: {
        // The sword's sparks: the flag red, lit and deep, and foam.
        const int v = Rand(200, 255);
        spark(*this, colour(226 * v / 255, 96 * v / 255, 78 * v / 255));
        spark(*this, colour(168 * v / 255, 50 * v / 255, 45 * v / 255));
        spark(*this, colour(115, 122, 120));  // foam at half strength, as the bows
        break;
    }
    case 11:
    case 12: {
        // The sword's other helix strand (11) and its bows (12): light sea, sea and foam,
        // never a pure cyan or blue; the foam at half strength, so a dense bow keeps its sea
        // colour instead of burning white.
        const int v = Rand(200, 255);
        spark(*this, colour(111 * v / 255, 178 * v / 255, 200 * v / 255));
        spark(*this, colour(36 * v / 255, 89 * v / 255, 122 * v / 255));
        spark(*this, colour(115, 122, 120));
        break;
    }
    default: break;
    }
}

void TEmitter::destroy() {
    if (_dead) return;
    if (useString == "REVEAL_TILE") {
        TLevel* level = playLink().level();
        auto cell = useTile.lock();
        if (level && cell && cell->_level == level && level->at(useDataR, useDataC) == cell.get()) {
            cell->reveal();
            createBoom2(colour(255, 255, 255), int(cell->x()), int(cell->y()), 0.5f, 0.1f);
        }
    }
    if (lista) fx::remove(*lista, this);  // may release this object: nothing after it
}

void _updateEmitters(TEmitterList* list) {
    fx::walk(list ? *list : emittersList, [](TEmitter& e) { e.update(); });
}

void createBonusBow(float x1, float y1, float x2, float y2, int delay, const std::shared_ptr<TTile>& tile) {
    bow(1, x1, y1, x2, y2, delay, tile);
}

void createBonusBowMiecz(float x1, float y1, float x2, float y2, int delay,
                         const std::shared_ptr<TTile>& tile) {
    bow(12, x1, y1, x2, y2, delay, tile);
}

void resetEmitters() { emittersList.clear(); }
