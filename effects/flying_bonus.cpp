#include "effects/flying_bonus.h"

#include "effects/curve.h"
#include "game/board/ease.h"
#include "game/board/links.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, 6> TFlyingBonus::img;
TFlyingBonusList flyingBonuses;

std::shared_ptr<TFlyingBonus> createFlyingBonus(int n, int x, int y) {
    auto b = std::make_shared<TFlyingBonus>();
    b->n = n;
    b->x = b->x1 = float(x);
    b->y = b->y1 = float(y);
    playLink().bonusPosition(n, b->x2, b->y2);
    if (Rand(0, 1) == 0) {
        b->mx = b->x1;
        b->my = b->y2;
    } else {
        b->mx = b->x2;
        b->my = b->y1;
    }
    flyingBonuses.push_back(b);
    return b;
}

void TFlyingBonus::update() {
    const float old = per;
    easeToward(per, 1, 0.025f * delta);
    const float e = fx::sinDeg(90 * per);
    x = fx::bezier(x1, mx, x2, e);
    y = fx::bezier(y1, my, y2, e);
    if (per == 1 && old == 1) destroy();
}

void TFlyingBonus::draw() {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetRotation(0);
    SetAlpha(1);
    if (n < 0 || n >= int(img.size())) return;
    DrawImage(img[size_t(n)], x, y);
}

void TFlyingBonus::destroy() {
    if (_dead) return;
    if (n >= 0 && n < int(img.size())) playLink().enableBonus(n);
    fx::remove(flyingBonuses, this);  // may release this object: nothing after it
}

void _updateFlyingBonus() {
    fx::walk(flyingBonuses, [](TFlyingBonus& b) { b.update(); });
}

void _drawFlyingBonus() {
    fx::each(flyingBonuses, [](TFlyingBonus& b) { b.draw(); });
}

int setupFlyingBonus() {
    static const char* const kPaths[5] = {"gfx/gui/mouse/oko.png", "gfx/gui/mouse/oko.png",
                                          "gfx/gui/mouse/oko.png", "gfx/gui/mouse/mapa.png",
                                          "gfx/gui/mouse/czaszka.png"};
    for (int i = 0; i < 5; ++i) {
        TImage image = LoadImage(bDir + kPaths[i], FILTEREDIMAGE | MIPMAPPEDIMAGE);
        if (image) MidHandleImage(image);
        TFlyingBonus::img[size_t(i)] = image;
    }
    TFlyingBonus::img[5] = nullptr;
    return 0;
}

int isBonusFlying(int n) {
    int found = 0;
    fx::each(flyingBonuses, [&](const TFlyingBonus& b) { found |= b.n == n ? 1 : 0; });
    return found;
}

void resetFlyingBonus() {
    flyingBonuses.clear();
    TFlyingBonus::img = {};
}
