#include "effects/pogoda.h"

#include "game/board/ease.h"
#include "effects/picture.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, 10> TPogoda::img;
int32_t TPogoda::bankiTime = 0;
TPogodaList listaPogody;

namespace {

std::shared_ptr<TPogoda> add(int typ, int n, float x, float y) {
    auto p = std::make_shared<TPogoda>();
    p->typ = typ;
    p->n = n;
    p->x = x;
    p->y = y;
    listaPogody.push_back(p);
    return p;
}

float rnd(double lo, double hi) { return float(Rnd(lo, hi)); }

}  // namespace

std::shared_ptr<TPogoda> createRain(int x, int y) {
    auto p = add(pogoda::RAIN, 0, float(x), float(y));
    p->ax = rnd(-0.5, -0.04);
    p->ay = rnd(5, 6);
    p->alpha = 1;
    p->dAlpha = 0;
    p->scale = p->dScale = 1;
    p->lifeTime = 0;
    return p;
}

std::shared_ptr<TPogoda> createSnowFlake(int x) {
    auto p = add(pogoda::SNOW, 1, float(x), 0);
    p->ax = rnd(-0.01, 0.01);
    p->ay = rnd(0.5, 1);
    p->alpha = 1;
    p->dAlpha = 0;
    p->scale = p->dScale = 1;
    p->lifeTime = Millisecs() + Rand(1, 39) * 1000;
    return p;
}

std::shared_ptr<TPogoda> createLeaves(int x, int y) {
    auto p = add(pogoda::LEAF, Rand(2, 4), float(x), float(y));
    p->ax = rnd(-0.3, 0.3);
    p->ay = rnd(1.5, 3);
    p->alpha = 0;
    p->dAlpha = 1;
    p->scale = p->dScale = 0.5f;
    p->lifeTime = Millisecs() + Rand(5, 10) * 1000;
    p->rSpeed = rnd(1, 2);
    if (Rand(0, 1) == 1) p->rSpeed = -p->rSpeed;
    return p;
}

std::shared_ptr<TPogoda> createSand(int dir) {
    if (dir == 0) dir = 1;
    auto p = add(pogoda::SAND, Rand(6, 7), dir < 0 ? 850.0f : -50.0f, float(Rand(-100, 600)));
    p->ax = float(dir) * rnd(1, 2);
    p->ay = 0.4f;
    p->alpha = p->dAlpha = 0.2f;
    p->scale = p->dScale = 1;
    p->lifeTime = 0;
    return p;
}

void createBuble1(float x, float y, int count) {
    const int32_t now = Millisecs();
    const int gap = Rand(80, 200);
    const float ay = -rnd(0.7, 1);
    const float s = rnd(0.8, 1);
    for (int i = 1; i <= count; ++i) {
        auto p = add(pogoda::BUBBLE, 8, float(int(x)), float(int(y)));
        p->ax = rnd(-0.1, 0.1);
        p->ay = ay;
        p->alpha = p->dAlpha = 0.5f;
        p->scale = p->dScale = s;
        p->startTime = now + gap * i;
    }
}

void createBuble(int count) { createBuble1(float(Rand(30, 800)), float(Rand(300, 730)), count); }

void _updateBanki(int interval) {
    if (interval == 0) return;
    const int32_t now = Millisecs();
    if (now <= TPogoda::bankiTime) return;
    TPogoda::bankiTime = now + interval;
    createBuble(Rand(2, 8));
}

void TPogoda::update() {
    const int32_t now = Millisecs();
    if (now <= startTime) return;
    if (typ == pogoda::SAND) {
        if (ax < 0 ? x < 0 : x > 800) destroy();
    } else if (typ == pogoda::BUBBLE) {
        if (y < -10) destroy();
    }
    if (typ == pogoda::LEAF && alpha < 1 && dAlpha == 1) {
        easeToward(alpha, 1, aSpeed * delta);
        if (alpha == 1) dAlpha = 0;
    }
    if (now > lifeTime) {
        easeToward(alpha, dAlpha, aSpeed * delta);
        easeToward(scale, dScale, sSpeed * delta);
    }
    x += ax * delta;
    y += ay * delta;
    rot += rSpeed * delta;
    if (scale == 0 || alpha == 0) destroy();
}

void TPogoda::draw() {
    if (Millisecs() < startTime) return;
    // A picture that did not load is skipped, not drawn as nothing at full cost.
    const TImage pic = fx::pictureAt(img, n);
    if (!pic) return;
    SetBlend(ALPHABLEND);
    SetAlpha(alpha);
    SetRotation(rot);
    SetScale(scale, scale);
    DrawImage(pic, x, y);
}

void TPogoda::destroy() { fx::remove(listaPogody, this); }

void _updatePogoda() {
    fx::walk(listaPogody, [](TPogoda& p) { p.update(); });
}

void _drawPogoda() {
    fx::each(listaPogody, [](TPogoda& p) { p.draw(); });
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
}

int setupPogoda() {
    static const char* const files[9] = {"kropla", "ball", "lisc1", "lisc2", "lisc3",
                                          "ziarno", "ziarno2", "ziarno3", "banka"};
    for (size_t i = 0; i < 9; ++i)
        TPogoda::img[i] = LoadImage(bDir + "gfx/particles/pogoda/" + files[i] + ".png",
                                    FILTEREDIMAGE | MIPMAPPEDIMAGE);
    TPogoda::img[9] = nullptr;
    for (auto& i : TPogoda::img)
        if (i) MidHandleImage(i);
    return 0;
}

void resetPogoda() {
    listaPogody.clear();
    TPogoda::img.fill(nullptr);
    TPogoda::bankiTime = 0;
}
