#include "effects/chmura.h"

#include "game/board/ease.h"
#include "effects/picture.h"
#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "platform/system.h"

std::array<TImage, 2> TChmura::img;
TChmuraList TChmura::listaChmur;

namespace {
constexpr float kFadeStep = 0.008f;
constexpr float kOpacity = 0.6f;
}  // namespace

std::shared_ptr<TChmura> TChmura::createChmura(float wind) {
    auto c = std::make_shared<TChmura>();
    c->ax = float(Rnd(0.2, 0.5)) * wind;
    c->ay = 0;
    c->n = Rand(0, 1);
    const int half = ImageWidth(img[size_t(c->n)]) / 2;
    if (wind < 0) c->x = float(1024 + half);
    else if (wind > 0) c->x = float(-half);
    c->y = float(Rand(50, 200));
    c->a = 0;
    c->da = 1;
    c->time = Millisecs() + Rand(40, 60) * 1000;
    listaChmur.push_back(c);
    return c;
}

void TChmura::update() {
    if (Millisecs() > time) da = 0;
    if (a < da) {
        easeToward(a, da, kFadeStep * delta);
    } else if (a > da) {
        easeToward(a, da, kFadeStep * delta);
        if (a == da) destroy();
    }
    x += ax * delta;
    y += ay * delta;
}

void TChmura::draw() {
    const TImage pic = fx::pictureAt(img, n);
    if (!pic) return;
    SetAlpha(kOpacity * a);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    SetRotation(0);
    DrawImage(pic, x, y);
}

void TChmura::destroy() { fx::remove(listaChmur, this); }

// One cloud a call at most, so the sky fills over eight frames whatever their length.
void TChmura::updateAll(float wind) {
    fx::walk(listaChmur, [](TChmura& c) { c.update(); });
    if (fx::live(listaChmur) < size_t(kMaxClouds)) createChmura(wind);
}

void TChmura::drawAll() {
    fx::each(listaChmur, [](TChmura& c) { c.draw(); });
}

void TChmura::pause() {
    const int32_t now = Millisecs();
    fx::each(listaChmur, [now](TChmura& c) { c.pauseTime = now; });
}

void TChmura::resume() {
    const int32_t now = Millisecs();
    fx::each(listaChmur, [now](TChmura& c) { c.time += now - c.pauseTime; });
}

int TChmura::setup() {
    img[0] = LoadImage(bDir + "gfx/efekty/chmura-1.png");
    img[1] = LoadImage(bDir + "gfx/efekty/chmura-2.png");
    for (auto& i : img)
        if (i) MidHandleImage(i);
    return 0;
}

void resetChmury() {
    TChmura::listaChmur.clear();
    TChmura::img.fill(nullptr);
}
