#include "effects/miecz.h"

#include <cmath>

#include "effects/curve.h"
#include "effects/emitter.h"
#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "game/board/tile.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

TImage TMiecz::img;

std::shared_ptr<TMiecz> createMiecz(const std::vector<std::shared_ptr<TTile>>& cells) {
    auto m = std::make_shared<TMiecz>();
    for (const auto& c : cells) m->lista.push_back(c);
    playLink().bonusPosition(0, m->x1, m->y1);
    if (TLevel* level = playLink().level()) {
        auto centre = level->getCentralDim();
        m->x2 = centre->x;
        m->y2 = centre->y;
    }
    m->x = m->x1;
    m->y = m->y1;
    m->mx = m->x2;
    m->my = m->y1;
    return m;
}

void TMiecz::draw() {
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(ma);
    const float s = fx::sinDeg(90 * per);
    SetScale(s, s);
    SetRotation(rot);
    if (img) DrawImage(img, x, y);
    SetScale(1, 1);
}

void TMiecz::_update_fly() {
    easeToward(per, 1, 0.02f * delta);
    const float e = fx::sinDeg(90 * per);
    rot = 360 * e;
    x = fx::bezier(x1, mx, x2, e);
    y = fx::bezier(y1, my, y2, e);
}

void TMiecz::_update_DNA() {
    if (state == "BOOM" || state == "WAIT" || state == "HIDE") return;
    easeToward(dnaP, 1, 0.015f * delta);
    const float h = fx::sinDeg(90 * dnaP);
    const float hy = y2 - 450 + 450 * h;
    const float swing = 100 * std::cos(450 * h * fx::kDegToRad);
    createEmitter(10, x2 + swing, hy, 0, 20, 250);
    createEmitter(11, x2 - swing, hy, 0, 20, 250);
    if (dnaP == 1) {
        state = "BOOM";
        dma = 0;
    }
}

void TMiecz::_update_ma() {
    easeToward(ma, dma, 0.01f * delta);
    if (ma == 0) destroy();
}

void TMiecz::_update_boom() {
    int k = 0;
    for (const auto& weak : lista) {
        // A cell whose level is gone gets no bow.
        if (auto cell = weak.lock()) createBonusBowMiecz(x2, y2, cell->x(), cell->y(), k, cell);
        ++k;
    }
    state = "WAIT";
    time = Millisecs() + 1000;
}

void TMiecz::_update_wait() {
    if (Millisecs() > time) state = "HIDE";
}

void TMiecz::update() {
    _update_fly();
    _update_DNA();
    _update_ma();
    if (state == "BOOM") _update_boom();
    else if (state == "WAIT") _update_wait();
}

void TMiecz::destroy() { _dead = true; }

int setupFlyingMiecz() {
    TMiecz::img = LoadImage(bDir + "gfx/efekty/miecz.png");
    if (TMiecz::img) MidHandleImage(TMiecz::img);
    return 0;
}

void resetMiecz() { TMiecz::img = nullptr; }
